// Window operations of the skin window: z-order, the round-cornered shape, the system drag.
#include <algorithm>
#include <cmath>
#include <vector>

#include "app/application.h"

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

namespace {

struct Box {
  double left, top, width, height;  // pixels
};

Box PixelBox(const ui::Form& form) {
  return {form.left() / ui::kTwipsPerPixel, form.top() / ui::kTwipsPerPixel,
          static_cast<double>(form.PixelWidth()), static_cast<double>(form.PixelHeight())};
}

// Enough of the window shows on a monitor to be grabbed: 8 pixels each way, or all of it.
bool Reachable(const Box& b, const std::vector<platform::PixelRect>& areas) {
  for (const auto& a : areas) {
    double across = std::min<double>(a.right, b.left + b.width) - std::max<double>(a.left, b.left);
    double down = std::min<double>(a.bottom, b.top + b.height) - std::max<double>(a.top, b.top);
    if (across >= std::min(b.width, 8.0) && down >= std::min(b.height, 8.0) && across > 0 && down > 0)
      return true;
  }
  return false;
}

double DistanceTo(const Box& b, const platform::PixelRect& a) {
  double x = b.left + b.width / 2, y = b.top + b.height / 2;
  double dx = x < a.left ? a.left - x : x > a.right ? x - a.right : 0;
  double dy = y < a.top ? a.top - y : y > a.bottom ? y - a.bottom : 0;
  return std::hypot(dx, dy);
}

}  // namespace

// A remembered place where no monitor is any more (one was removed, the resolution shrank)
// gives way to the skin's own place, and when that is off every monitor too, to the nearest
// place inside the nearest monitor's work area.
void SkinWindow::KeepReachable(double own_left, double own_top) {
  auto areas = app_.platform().windows().WorkAreas();
  if (areas.empty() || Reachable(PixelBox(form_), areas)) return;
  form_.SetLeft(own_left);
  form_.SetTop(own_top);
  Box b = PixelBox(form_);
  if (Reachable(b, areas)) return;
  const auto& a = *std::min_element(areas.begin(), areas.end(), [&](const auto& x, const auto& y) {
    return DistanceTo(b, x) < DistanceTo(b, y);
  });
  double left = std::clamp(b.left, double(a.left), std::max<double>(a.left, a.right - b.width));
  double top = std::clamp(b.top, double(a.top), std::max<double>(a.top, a.bottom - b.height));
  form_.SetLeft(left * ui::kTwipsPerPixel);
  form_.SetTop(top * ui::kTwipsPerPixel);
}

}  // namespace quavero::skin
