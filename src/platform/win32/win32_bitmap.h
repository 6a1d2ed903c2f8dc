// The Win32 pixels of a loaded picture: a device bitmap the painter draws from.
#pragma once

#include <windows.h>

#include "ui/picture.h"

namespace quavero::platform::win32 {

struct Win32Bitmap {
  HBITMAP bitmap = nullptr;
  int width = 0;
  int height = 0;
  ~Win32Bitmap() {
    if (bitmap) DeleteObject(bitmap);
  }
};

inline const Win32Bitmap* BitmapOf(const ui::Picture& picture) {
  return picture ? static_cast<const Win32Bitmap*>(picture->native.get()) : nullptr;
}

}  // namespace quavero::platform::win32
