#include "platform/win32/win32_pictures.h"

#include <objidl.h>
#include <gdiplus.h>

#include "base/failure.h"
#include "base/text.h"
#include "platform/picture_header.h"
#include "platform/win32/wide.h"
#include "platform/win32/win32_files.h"
#include "platform/win32/win32_bitmap.h"

namespace quavero::platform::win32 {
namespace gp = Gdiplus::DllExports;
namespace {

Failure CannotLoad() { return Failure(errors::kInvalidCall, "Cannot load file"); }

}  // namespace

Win32Pictures::Win32Pictures() {
  Gdiplus::GdiplusStartupInput input;
  Gdiplus::GdiplusStartup(&gdiplus_token_, &input, nullptr);
}

Win32Pictures::~Win32Pictures() {
  cache_.clear();
  if (gdiplus_token_) Gdiplus::GdiplusShutdown(gdiplus_token_);
}

ui::Picture Win32Pictures::Load(const std::string& path) {
  std::wstring wide = Wide(path);
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExW(wide.c_str(), GetFileExInfoStandard, &data) ||
      (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
    throw CannotLoad();
  ULONGLONG size = (static_cast<ULONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
  std::wstring key = Wide(text::ToLowerAscii(path));
  auto it = cache_.find(key);
  if (it != cache_.end() && CompareFileTime(&it->second.written, &data.ftLastWriteTime) == 0 &&
      it->second.size == size)
    return it->second.picture;
  ui::Picture picture = Decode(path);
  cache_[key] = {data.ftLastWriteTime, size, picture};
  return picture;
}

ui::Picture Win32Pictures::Decode(const std::string& path) {
  if (!gdiplus_token_) throw CannotLoad();
  // The size a file declares is checked before GDI+ sees it: a small PNG that declares
  // 30,000 x 30,000 pixels would have it allocate gigabytes.
  std::string bytes;
  try {
    bytes = ReadFileBytes(path);
  } catch (const Failure&) {
    throw CannotLoad();
  }
  auto header = ReadPictureHeader(bytes);
  if (header && !WithinPictureLimits(*header)) throw CannotLoad();
  Gdiplus::GpBitmap* bitmap = nullptr;
  if (gp::GdipCreateBitmapFromFile(Wide(path).c_str(), &bitmap) != Gdiplus::Ok || !bitmap)
    throw CannotLoad();
  HBITMAP hbitmap = nullptr;
  UINT width = 0, height = 0;
  bool ok = gp::GdipCreateHBITMAPFromBitmap(bitmap, &hbitmap, 0) == Gdiplus::Ok && hbitmap;
  gp::GdipGetImageWidth(bitmap, &width);
  gp::GdipGetImageHeight(bitmap, &height);
  gp::GdipDisposeImage(bitmap);
  if (!ok) throw CannotLoad();
  auto native = std::make_shared<Win32Bitmap>();
  native->bitmap = hbitmap;
  native->width = static_cast<int>(width);
  native->height = static_cast<int>(height);
  auto picture = std::make_shared<ui::PictureData>();
  picture->file = path;
  picture->width = native->width;
  picture->height = native->height;
  picture->native = native;
  return picture;
}

}  // namespace quavero::platform::win32
