#include "ui/controls.h"

#include <algorithm>
#include <cmath>

#include "ui/form.h"

namespace quavero::ui {

double WithinRange(double value, double low, double high) {
  return std::isnan(value) ? 0 : std::clamp(value, low, high);
}

Control::Control(Form& form, ControlKind kind, std::string name, int index, Layer layer)
    : form_(form), kind_(kind), name_(std::move(name)), index_(index), layer_(layer) {}

void Control::SetVisible(bool visible) {
  if (visible_ == visible) return;
  form_.VisibilityChanged();
  Set(visible_, visible);
}

bool Control::Contains(double x, double y) const {
  return x >= left_ && x < left_ + width_ && y >= top_ && y < top_ + height_;
}

void Control::Changed() { form_.ControlChanged(*this); }

void Line::SetEnds(double x1, double y1, double x2, double y2) {
  x1_ = x1;
  y1_ = y1;
  x2_ = x2;
  y2_ = y2;
  Changed();
}

void Timer::SetInterval(int32_t ms) {
  interval_ = ms;
  Restart();
}

void Timer::SetEnabled(bool enabled) {
  enabled_ = enabled;
  Restart();
}

void Timer::Restart() { form().TimerChanged(*this); }

}  // namespace quavero::ui
