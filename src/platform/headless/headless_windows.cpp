#include "platform/headless/headless_windows.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace quavero::platform::headless {
namespace {

class HeadlessPeer : public ui::FormPeer {
 public:
  HeadlessPeer(HeadlessWindows& windows, ui::Form& form, ui::WindowHandle handle)
      : windows_(windows), form_(form) {
    record().handle = handle;
  }
  ~HeadlessPeer() override {
    windows_.loop().DisarmAll(form_);
    record().destroyed = true;
    record().shown = false;
  }

  ui::WindowHandle handle() const override { return windows_.record_for(form_).handle; }
  void Show(bool activate) override {
    record().shown = true;
    if (activate) ++record().activations;
    Log(activate ? "show-activate" : "show");
  }
  void Hide() override {
    record().shown = false;
    Log("hide");
  }
  void BringToTop() override { Log("top"); }
  ui::Point ClientOrigin() const override {
    ui::Point origin = windows_.OriginOf(form_.on_desktop() ? windows_.DesktopHandle()
                                                            : form_.parent());
    origin.x += static_cast<int>(std::lround(form_.left() / ui::kTwipsPerPixel));
    origin.y += static_cast<int>(std::lround(form_.top() / ui::kTwipsPerPixel));
    return origin;
  }
  void BoundsChanged() override {
    auto n = [](double v) { return std::to_string(static_cast<long long>(v)); };
    Log("bounds " + n(form_.left()) + "," + n(form_.top()) + "," + n(form_.width()) + "," +
        n(form_.height()));
  }
  void Invalidate() override {}
  bool SetLayeredAlpha(int alpha) override {
    record().layered = true;
    record().alpha_steps.push_back(alpha);
    Log("alpha " + std::to_string(alpha));
    return true;
  }
  void SetRegion(const ui::Region&) override { Log("region"); }
  void SetTopmost(bool topmost) override { Log(topmost ? "topmost 1" : "topmost 0"); }
  void AttachToDesktop() override { Log("desktop"); }
  void SetParentWindow(ui::WindowHandle) override { Log("parent"); }
  void StartSystemDrag() override { ++record().drags; }
  void TimerChanged(ui::Timer& timer) override { windows_.loop().Arm(timer); }
  void ControlRemoved(const ui::Control& control) override {
    if (control.kind() == ui::ControlKind::kTimer)
      windows_.loop().Disarm(static_cast<const ui::Timer&>(control));
  }
  bool IsMinimized() const override { return windows_.record_for(form_).minimized; }

 private:
  WindowRecord& record() { return windows_.record_for(form_); }
  void Log(std::string operation) { record().operations.push_back(std::move(operation)); }
  HeadlessWindows& windows_;
  ui::Form& form_;
};

}  // namespace

void HeadlessWindows::Realise(ui::Form& form) {
  records_[&form] = WindowRecord{};
  form.Attach(std::make_unique<HeadlessPeer>(*this, form, next_handle_));
  next_handle_ += 0x10;
  // Timers the form had before it had a window start now.
  for (const auto& c : form.controls())
    if (c->kind() == ui::ControlKind::kTimer) loop_.Arm(static_cast<ui::Timer&>(*c));
}

Answer HeadlessWindows::ShowMessageBox(const std::string& text, const std::string& title, Icon icon,
                                   Buttons buttons) {
  messages_.push_back({text, title, icon, buttons});
  if (box_dwell_ms_ > 0 && !dwelling_) {  // timers run while the box is open
    dwelling_ = true;
    loop_.Advance(box_dwell_ms_);
    dwelling_ = false;  // boxes opened meanwhile were answered at once
  }
  if (!answers_.empty()) {
    Answer a = answers_.front();
    answers_.pop_front();
    return a;
  }
  return buttons == Buttons::kYesNo || buttons == Buttons::kYesNoCancel ? Answer::kYes
                                                                        : Answer::kOk;
}

std::vector<int> HeadlessWindows::MeasurePrefixes(const ui::Font& font, const std::string& text) {
  ++measurements_;
  int per_character = std::max(1, static_cast<int>(font.size * 0.75 + 0.5));
  std::vector<int> widths;
  widths.reserve(text.size());
  int width = 0;
  for (unsigned char c : text) {
    if ((c & 0xC0) == 0x80) continue;  // a UTF-8 continuation byte is part of the character
    widths.push_back(width += per_character);
  }
  return widths;
}

std::optional<ui::MenuChoice> HeadlessWindows::PopUpMenu(const ui::MenuEntry& menu) {
  menus_.push_back(menu);
  if (menu_choices_.empty()) return std::nullopt;
  ui::MenuChoice choice = menu_choices_.front();
  menu_choices_.pop_front();
  return choice;
}

void HeadlessWindows::ShowModal(ui::Dialog& dialog) {
  dialogs_.push_back(dialog.caption());
  dialog.Reopen();
  if (dialog_scripts_.empty()) return;  // Escape
  auto script = std::move(dialog_scripts_.front());
  dialog_scripts_.pop_front();
  script(dialog);
}

void HeadlessWindows::ShowModeless(std::shared_ptr<ui::Dialog> dialog) {
  std::erase_if(modeless_, [](const auto& d) { return d->closed(); });
  if (std::find(modeless_.begin(), modeless_.end(), dialog) != modeless_.end()) {
    ++forwards_;
    return;
  }
  dialogs_.push_back(dialog->caption());
  dialog->Reopen();
  modeless_.push_back(std::move(dialog));
}

std::shared_ptr<ui::Dialog> HeadlessWindows::OpenDialog(const std::string& caption) {
  for (const auto& d : modeless_)
    if (!d->closed() && d->caption() == caption) return d;
  return nullptr;
}

void HeadlessWindows::SetKeyDown(int virtual_key, bool down) {
  if (down) keys_down_[virtual_key] = true;
  else keys_down_.erase(virtual_key);
}

ui::Control* HeadlessWindows::Target(ui::Form& form, double x, double y) {
  if (form.closed()) throw std::logic_error("input sent to a closed window");
  return form.HitTest(x, y);
}

void HeadlessWindows::Press(ui::Form& form, double x, double y, int button, int shift) {
  ui::Control* element = Target(form, x, y);
  captured_[&form] = element;
  double ex = element ? x - element->left() : x, ey = element ? y - element->top() : y;
  if (auto* events = form.events()) events->OnMouseDown(element, button, shift, ex, ey);
}

void HeadlessWindows::Move(ui::Form& form, double x, double y, int buttons, int shift) {
  auto it = captured_.find(&form);
  ui::Control* element = it != captured_.end() ? it->second : Target(form, x, y);
  double ex = element ? x - element->left() : x, ey = element ? y - element->top() : y;
  if (auto* events = form.events()) events->OnMouseMove(element, buttons, shift, ex, ey);
}

void HeadlessWindows::Release(ui::Form& form, double x, double y, int button, int shift) {
  auto it = captured_.find(&form);
  ui::Control* element = it != captured_.end() ? it->second : Target(form, x, y);
  captured_.erase(&form);
  double ex = element ? x - element->left() : x, ey = element ? y - element->top() : y;
  if (auto* events = form.events()) events->OnMouseUp(element, button, shift, ex, ey);
}

void HeadlessWindows::Click(ui::Form& form, double x, double y, int button) {
  Press(form, x, y, button);
  if (!form.closed()) Release(form, x, y, button);
}

void HeadlessWindows::KeyDown(ui::Form& form, int key, int shift) {
  if (auto* events = form.events()) events->OnKeyDown(key, shift);
}

void HeadlessWindows::KeyUp(ui::Form& form, int key, int shift) {
  if (auto* events = form.events()) events->OnKeyUp(key, shift);
}

void HeadlessWindows::Activate(ui::Form& form) {
  ++records_[&form].activations;
  if (auto* events = form.events()) events->OnActivate();
}

void HeadlessWindows::DropFiles(ui::Form& form, double x, double y,
                                const std::vector<std::string>& files) {
  ui::Control* element = Target(form, x, y);
  if (auto* events = form.events()) events->OnFilesDropped(element, files);
}

const WindowRecord& HeadlessWindows::record(const ui::Form& form) const {
  auto it = records_.find(&form);
  if (it == records_.end()) throw std::logic_error("form was never realised");
  return it->second;
}


}  // namespace quavero::platform::headless
