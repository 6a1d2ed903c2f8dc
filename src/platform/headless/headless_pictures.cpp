#include "platform/headless/headless_pictures.h"

#include "base/failure.h"
#include "platform/picture_header.h"

namespace quavero::platform::headless {

ui::Picture HeadlessPictures::Load(const std::string& path) {
  ++loads_;
  try {
    std::string bytes = files_.ReadBytes(path);
    auto header = ReadPictureHeader(bytes);
    if (header && WithinPictureLimits(*header) && PictureIsWhole(bytes, *header)) {
      auto picture = std::make_shared<ui::PictureData>();
      picture->file = path;
      picture->width = header->width;
      picture->height = header->height;
      return picture;
    }
  } catch (const Failure&) {
  }
  throw Failure(errors::kInvalidCall, "Cannot load file");
}

}  // namespace quavero::platform::headless
