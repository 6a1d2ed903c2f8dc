// Pictures through GDI+ (BMP, PNG, JPEG, GIF, ICO...), flattened on black where transparent.
// Each file's pixels are loaded once and reused while the file has not changed.
#pragma once

#include <windows.h>

#include <map>
#include <string>

#include "platform/platform.h"

namespace quavero::platform::win32 {

class Win32Pictures : public Pictures {
 public:
  Win32Pictures();
  ~Win32Pictures() override;
  ui::Picture Load(const std::string& path) override;

 private:
  struct Cached {
    FILETIME written;
    ULONGLONG size;
    ui::Picture picture;
  };
  ui::Picture Decode(const std::string& path);

  ULONG_PTR gdiplus_token_ = 0;
  std::map<std::wstring, Cached> cache_;
};

}  // namespace quavero::platform::win32
