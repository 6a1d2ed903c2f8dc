// Pictures without GDI+: a file is a picture when its header is that of a format GDI+ reads
// (BMP, PNG, JPEG, GIF, ICO, TIFF), its size is within the program's limits and the file is
// whole (a truncated PNG cannot be decoded); its size comes from that header.
#pragma once

#include "platform/headless/headless_files.h"
#include "platform/platform.h"

namespace quavero::platform::headless {

class HeadlessPictures : public Pictures {
 public:
  explicit HeadlessPictures(HeadlessFiles& files) : files_(files) {}
  ui::Picture Load(const std::string& path) override;
  int loads() const { return loads_; }

 private:
  HeadlessFiles& files_;
  int loads_ = 0;
};

}  // namespace quavero::platform::headless
