// Paints a form from its model into a device context: background colour and picture, images,
// the progress bar, stars, labels, border lines and the move overlay, in that order; only what
// lies in the area asked for.
#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <utility>

#include "ui/form.h"

namespace quavero::platform::win32 {

// The pixels a control may draw on (its rectangle, rounded outwards; a line's ends included).
RECT BoundsOf(const ui::Control& control);

class Painter {
 public:
  ~Painter();
  void Paint(const ui::Form& form, HDC dc, const RECT& area);
  // The font of a label at the system's fixed scale (96 pixels to the inch).
  HFONT Font(const ui::Font& font);

 private:
  void PaintImage(const ui::Image& image, HDC dc, HDC source);
  void PaintLabel(const ui::Label& label, HDC dc);
  void PaintLine(const ui::Line& line, HDC dc);

  std::map<std::pair<std::wstring, int>, HFONT> fonts_;
};

}  // namespace quavero::platform::win32
