#include "ui/form.h"

#include <algorithm>
#include <cmath>

namespace quavero::ui {

Form::Form(std::string name) : name_(std::move(name)) {}

Form::~Form() { peer_.reset(); }

namespace {

constexpr double kMaxTwips = kMaxPixels * kTwipsPerPixel;

double Position(double twips) { return WithinRange(twips, -kMaxTwips, kMaxTwips); }
double Size(double twips) { return WithinRange(twips, 0.0, kMaxTwips); }

}  // namespace

void Form::SetLeft(double twips) {
  twips = Position(twips);
  left_given_ = true;
  if (left_ == twips) return;
  left_ = twips;
  BoundsChanged(false);
}

void Form::SetTop(double twips) {
  twips = Position(twips);
  top_given_ = true;
  if (top_ == twips) return;
  top_ = twips;
  BoundsChanged(false);
}

void Form::SetWidth(double twips) {
  twips = Size(twips);
  if (width_ == twips) return;
  width_ = twips;
  BoundsChanged(true);
}

void Form::SetHeight(double twips) {
  twips = Size(twips);
  if (height_ == twips) return;
  height_ = twips;
  BoundsChanged(true);
}

int Form::PixelWidth() const { return static_cast<int>(std::lround(width_ / kTwipsPerPixel)); }
int Form::PixelHeight() const { return static_cast<int>(std::lround(height_ / kTwipsPerPixel)); }

void Form::BoundsChanged(bool resized) {
  if (peer_) peer_->BoundsChanged();
  if (resized && events_ && !IsMinimized()) events_->OnResize();
}

void Form::Remove(Control& control) {
  if (control.kind() == ControlKind::kTimer) static_cast<Timer&>(control).SetEnabled(false);
  if (peer_) peer_->ControlRemoved(control);
  std::erase_if(controls_, [&](const std::unique_ptr<Control>& c) { return c.get() == &control; });
  paint_order_.reset();
  if (peer_) peer_->Invalidate();
}

void Form::SetBackColor(int32_t colour) {
  back_color_ = colour;
  if (peer_) peer_->Invalidate();
}

void Form::SetPicture(Picture picture) {
  picture_ = std::move(picture);
  if (peer_) peer_->Invalidate();
}

void Form::Show(bool activate) {
  visible_ = true;
  if (FormPeer* window = Window()) window->Show(activate);
}

void Form::Hide() {
  visible_ = false;
  if (peer_) peer_->Hide();
}

void Form::BringToTop() {
  if (FormPeer* window = Window()) window->BringToTop();
}

Point Form::ScreenOrigin() const {
  if (peer_) return peer_->ClientOrigin();
  return {static_cast<int>(std::lround(left_ / kTwipsPerPixel)),
          static_cast<int>(std::lround(top_ / kTwipsPerPixel))};
}

bool Form::SetLayeredAlpha(int alpha) {
  FormPeer* window = Window();
  if (window && !window->SetLayeredAlpha(alpha)) return false;
  alpha_ = alpha;
  return true;
}

void Form::SetRegion(Region region) {
  region_ = std::move(region);
  if (FormPeer* window = Window()) window->SetRegion(*region_);
}

void Form::SetTopmost(bool topmost) {
  topmost_ = topmost;
  if (FormPeer* window = Window()) window->SetTopmost(topmost);
}

void Form::AttachToDesktop() {
  on_desktop_ = true;
  if (FormPeer* window = Window()) window->AttachToDesktop();
}

void Form::SetParentWindow(WindowHandle parent) {
  parent_ = parent;
  if (FormPeer* window = Window()) window->SetParentWindow(parent);
}

void Form::StartSystemDrag() {
  if (FormPeer* window = Window()) window->StartSystemDrag();
}

bool Form::IsMinimized() const { return peer_ && peer_->IsMinimized(); }

const std::vector<const Control*>& Form::PaintOrder() const {
  if (paint_order_) return *paint_order_;
  std::vector<const Control*>& order = paint_order_.emplace();
  for (const auto& c : controls_)
    if (c->visible() && c->layer() != Layer::kHidden) order.push_back(c.get());
  std::stable_sort(order.begin(), order.end(),
                   [](const Control* a, const Control* b) { return a->layer() < b->layer(); });
  return order;
}

Control* Form::HitTest(double x, double y) const {
  const auto& order = PaintOrder();
  for (auto it = order.rbegin(); it != order.rend(); ++it) {
    const Control* c = *it;
    bool pointer_target = c->kind() == ControlKind::kLabel || c->kind() == ControlKind::kImage;
    if (pointer_target && c->Contains(x, y)) return const_cast<Control*>(c);
  }
  return nullptr;
}

void Form::Attach(std::unique_ptr<FormPeer> peer) { peer_ = std::move(peer); }

FormPeer* Form::Window() {
  if (!peer_ && !closed_ && realiser_) realiser_(*this);
  return peer_.get();
}

void Form::Close() {
  closed_ = true;
  visible_ = false;
  peer_.reset();
}

void Form::ControlChanged(const Control& control) {
  if (peer_) peer_->ControlChanged(control);
}

void Form::TimerChanged(Timer& timer) {
  if (peer_) peer_->TimerChanged(timer);
}

}  // namespace quavero::ui
