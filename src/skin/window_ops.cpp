// Window operations of the skin window: z-order, the round-cornered shape, the system drag.
#include <cmath>

#include "skin/skin_window.h"

namespace quavero::skin {

void SkinWindow::AlwaysOnTop(bool on_top) {
  form_.SetTopmost(on_top);
  form_.Show(false);
}

void SkinWindow::CreateRoundRectFromWindow(int16_t Amount) {
  ui::Region region;
  region.rects.push_back({0, 0, form_.PixelWidth(), form_.PixelHeight()});
  region.corner_width = region.corner_height = Amount;
  form_.SetRegion(region);
}

void SkinWindow::MoveWindow() { form_.StartSystemDrag(); }

}  // namespace quavero::skin
