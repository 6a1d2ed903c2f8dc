// Quavero.exe: builds the Win32 platform and runs the program's start-up with the real
// command line, then the message loop until the last window closes.
#include <windows.h>
#include <ole2.h>

#include <string>

#include "app/application.h"
#include "platform/win32/wide.h"
#include "platform/win32/win32_platform.h"
#include "shell/menus_window.h"

namespace {

// The command line after the program's own name, as the program has always read it.
std::string Arguments() {
  std::wstring line = GetCommandLineW();
  size_t i = 0;
  if (!line.empty() && line[0] == L'"') {
    i = line.find(L'"', 1);
    i = i == std::wstring::npos ? line.size() : i + 1;
  } else {
    while (i < line.size() && line[i] != L' ' && line[i] != L'\t') ++i;
  }
  while (i < line.size() && (line[i] == L' ' || line[i] == L'\t')) ++i;
  return quavero::platform::win32::Utf8(line.substr(i));
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  OleInitialize(nullptr);
  int code = 0;
  {
    quavero::platform::win32::Win32Platform platform;
    quavero::app::Application app(platform);
    app.SetTrayWindowFactory(quavero::shell::LoadMenusWindow);
    app.Startup(Arguments());
    if (!app.ended()) code = platform.loop().Run();
  }
  // COM is not uninitialised: that waits for every call into the program to complete, and a
  // call from an iTunes that was killed or quit in the middle of one never completes. The
  // process ends here and the system lets go of everything it held.
  return code;
}
