// A loaded picture. The platform fills in the pixels it keeps; the engine only passes it around.
#pragma once

#include <memory>
#include <string>

namespace quavero::ui {

struct PictureData {
  std::string file;  // the file it was loaded from
  int width = 0;     // pixels
  int height = 0;
  std::shared_ptr<const void> native;  // the platform's own bitmap, opaque to the engine
};

using Picture = std::shared_ptr<const PictureData>;

}  // namespace quavero::ui
