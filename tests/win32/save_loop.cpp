// quavero-save-loop FILE: rewrites the file through the platform, whole, again and again, with
// two contents in turn (two megabytes of "a", then of "b"), until it is killed. The Win32
// tests kill it at random moments and look at what the file holds.
#include <windows.h>

#include <string>

#include "platform/win32/wide.h"
#include "platform/win32/win32_platform.h"

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) return 2;
  quavero::platform::win32::Win32Files files;
  std::string path = quavero::platform::win32::Utf8(argv[1]);
  const std::string contents[] = {std::string(2 << 20, 'a'), std::string(2 << 20, 'b')};
  for (unsigned i = 0;; ++i) {
    try {
      files.WriteText(path, {contents[i % 2]});
    } catch (...) {
      Sleep(1);
    }
  }
}
