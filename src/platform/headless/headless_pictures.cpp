#include "platform/headless/headless_pictures.h"

#include <cstdlib>

#include "base/failure.h"

namespace quavero::platform::headless {
namespace {

unsigned Byte(std::string_view b, size_t i) { return static_cast<unsigned char>(b[i]); }
unsigned Le16(std::string_view b, size_t i) { return Byte(b, i) | Byte(b, i + 1) << 8; }
unsigned Be16(std::string_view b, size_t i) { return Byte(b, i) << 8 | Byte(b, i + 1); }
uint32_t Le32(std::string_view b, size_t i) { return Le16(b, i) | Le16(b, i + 2) << 16; }
uint32_t Be32(std::string_view b, size_t i) { return Be16(b, i) << 16 | Be16(b, i + 2); }

bool JpegSize(std::string_view b, int& width, int& height) {
  size_t i = 2;
  while (i + 9 < b.size()) {
    if (Byte(b, i) != 0xFF) return false;
    unsigned marker = Byte(b, i + 1);
    if (marker == 0xFF) {
      ++i;
      continue;
    }
    bool frame = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 &&
                 marker != 0xCC;
    if (frame) {
      height = static_cast<int>(Be16(b, i + 5));
      width = static_cast<int>(Be16(b, i + 7));
      return width > 0 && height > 0;
    }
    i += 2 + Be16(b, i + 2);
  }
  return false;
}

}  // namespace

bool ReadPictureSize(std::string_view b, int& width, int& height) {
  if (b.size() >= 26 && b.substr(0, 2) == "BM") {
    width = static_cast<int>(static_cast<int32_t>(Le32(b, 18)));
    height = std::abs(static_cast<int>(static_cast<int32_t>(Le32(b, 22))));
    return width > 0 && height > 0;
  }
  if (b.size() >= 24 && b.substr(0, 8) == "\x89PNG\r\n\x1A\n") {
    width = static_cast<int>(Be32(b, 16));
    height = static_cast<int>(Be32(b, 20));
    return width > 0 && height > 0;
  }
  if (b.size() >= 10 && b.substr(0, 4) == "GIF8") {
    width = static_cast<int>(Le16(b, 6));
    height = static_cast<int>(Le16(b, 8));
    return true;
  }
  if (b.size() >= 4 && Byte(b, 0) == 0xFF && Byte(b, 1) == 0xD8) return JpegSize(b, width, height);
  if (b.size() >= 22 && b.substr(0, 4) == std::string_view("\0\0\1\0", 4) && Le16(b, 4) > 0) {
    width = Byte(b, 6) ? static_cast<int>(Byte(b, 6)) : 256;
    height = Byte(b, 7) ? static_cast<int>(Byte(b, 7)) : 256;
    return true;
  }
  if (b.size() >= 8 && (b.substr(0, 4) == "II*\0" || b.substr(0, 4) == std::string_view("MM\0*", 4))) {
    width = height = 0;
    return true;
  }
  return false;
}

ui::Picture HeadlessPictures::Load(const std::string& path) {
  ++loads_;
  int width = 0, height = 0;
  try {
    if (ReadPictureSize(files_.ReadBytes(path), width, height)) {
      auto picture = std::make_shared<ui::PictureData>();
      picture->file = path;
      picture->width = width;
      picture->height = height;
      return picture;
    }
  } catch (const Failure&) {
  }
  throw Failure(errors::kInvalidCall, "Cannot load file");
}

}  // namespace quavero::platform::headless
