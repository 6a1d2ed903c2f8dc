// Windows without a screen: each form gets a peer that records what the platform was asked to
// do; tests press, move, release, type and activate through HeadlessWindows, and read message
// boxes, beeps and window state back.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <set>
#include <memory>
#include <string>
#include <vector>

#include "platform/headless/headless_loop.h"
#include "platform/platform.h"

namespace quavero::platform::headless {

// What the platform did to one window.
struct WindowRecord {
  ui::WindowHandle handle = 0;
  bool shown = false;
  int activations = 0;       // shows with activation plus Activate()
  bool layered = false;
  std::vector<int> alpha_steps;  // every opacity set, in order
  int drags = 0;
  bool minimized = false;
  bool destroyed = false;
  // What the window was asked to do, in order: "show", "show-activate", "hide", "alpha 200",
  // "region", "topmost 1", "desktop", "parent", "bounds L,T,W,H" (twips).
  std::vector<std::string> operations;
};

struct MessageRecord {
  std::string text, title;
  Icon icon;
  Buttons buttons;
};

class HeadlessWindows : public Windows {
 public:
  explicit HeadlessWindows(HeadlessLoop& loop) : loop_(loop) {}

  void Realise(ui::Form& form) override;
  PixelSize ScreenSize() override { return screen_; }
  // One monitor the size of the screen, unless a test gives others.
  std::vector<PixelRect> WorkAreas() override {
    if (!work_areas_.empty()) return work_areas_;
    return {PixelRect{0, 0, screen_.width, screen_.height}};
  }
  void SetWorkAreas(std::vector<PixelRect> areas) { work_areas_ = std::move(areas); }
  PixelPoint CursorPos() override { return cursor_; }
  bool KeyState(int virtual_key) override {
    keys_asked_.push_back(virtual_key);
    return keys_down_.count(virtual_key) != 0;
  }
  const std::vector<int>& keys_asked() const { return keys_asked_; }
  // Every handle names a listening window, unless a test says it has gone.
  bool SendTextToListener(ui::WindowHandle window, const std::string& text) override {
    if (gone_listeners_.count(window)) return false;
    window_texts_.push_back({window, text});
    return true;
  }
  void ListenerGone(ui::WindowHandle window) { gone_listeners_.insert(window); }
  ui::WindowHandle ListenForText(std::function<void(const std::string&)> handler) override {
    text_listener_ = std::move(handler);
    return kListenerHandle;
  }
  static constexpr ui::WindowHandle kListenerHandle = 4711;
  // Another program sets the text of the listening window.
  void SendText(const std::string& text) {
    if (auto handler = text_listener_) handler(text);
  }
  bool listening() const { return text_listener_ != nullptr; }
  struct WindowText {
    ui::WindowHandle window;
    std::string text;
  };
  const std::vector<WindowText>& window_texts() const { return window_texts_; }
  Answer ShowMessageBox(const std::string& text, const std::string& title, Icon icon,
                    Buttons buttons) override;
  void Beep() override { ++beeps_; }
  void SetWaitCursor(bool waiting) override { cursor_changes_.push_back(waiting); }
  const std::vector<bool>& cursor_changes() const { return cursor_changes_; }
  // Without fonts every character is as wide as three quarters of the font's size in points,
  // at least one pixel: a 8-point text is 6 pixels a character.
  std::vector<int> MeasurePrefixes(const ui::Font& font, const std::string& text) override;
  int measurements() const { return measurements_; }
  // Menus: each one popped up is kept; the user chooses what a test queued, or nothing.
  std::optional<ui::MenuChoice> PopUpMenu(const ui::MenuEntry& menu) override;
  void QueueMenuChoice(ui::MenuChoice choice) { menu_choices_.push_back(std::move(choice)); }
  const std::vector<ui::MenuEntry>& menus() const { return menus_; }
  // Dialogs: a test's script plays the user (ticks, types, presses buttons); without one the
  // user presses Escape.
  void ShowModal(ui::Dialog& dialog) override;
  void QueueDialogScript(std::function<void(ui::Dialog&)> script) {
    dialog_scripts_.push_back(std::move(script));
  }
  const std::vector<std::string>& dialogs() const { return dialogs_; }
  // Dialogs shown beside the windows stay until closed; a test plays the user on them.
  void ShowModeless(std::shared_ptr<ui::Dialog> dialog) override;
  std::shared_ptr<ui::Dialog> OpenDialog(const std::string& caption) override;
  int forwards() const { return forwards_; }  // shows of a dialog that was open already

  // Set-up by tests and tools.
  void SetScreenSize(int width, int height) { screen_ = {width, height}; }
  void SetCursorPos(int x, int y) { cursor_ = {x, y}; }
  void SetKeyDown(int virtual_key, bool down);
  // Where the client area of a window that is not a form (a desk band host, the desktop's
  // window) lies on the screen; forms inside it are placed relative to it.
  void SetOrigin(ui::WindowHandle window, int x, int y) { origins_[window] = {x, y}; }
  ui::Point OriginOf(ui::WindowHandle window) const {
    auto it = origins_.find(window);
    return it == origins_.end() ? ui::Point{} : it->second;
  }
  static constexpr ui::WindowHandle DesktopHandle() { return 0x10000; }
  void QueueAnswer(Answer a) { answers_.push_back(a); }
  // The user takes that long to answer each message box; meanwhile the loop runs timers, as
  // a box's own message loop does.
  void SetMessageBoxDwell(int ms) { box_dwell_ms_ = ms; }

  // Input, in client pixels of the form; the element pressed keeps the mouse until release.
  void Press(ui::Form& form, double x, double y, int button = ui::mouse::kLeft, int shift = 0);
  void Move(ui::Form& form, double x, double y, int buttons = 0, int shift = 0);
  void Release(ui::Form& form, double x, double y, int button = ui::mouse::kLeft, int shift = 0);
  void Click(ui::Form& form, double x, double y, int button = ui::mouse::kLeft);
  void KeyDown(ui::Form& form, int key, int shift);
  void KeyUp(ui::Form& form, int key, int shift);
  void Activate(ui::Form& form);
  void DropFiles(ui::Form& form, double x, double y, const std::vector<std::string>& files);

  // What happened.
  const std::vector<MessageRecord>& messages() const { return messages_; }
  void ClearMessages() { messages_.clear(); }
  int beeps() const { return beeps_; }
  const WindowRecord& record(const ui::Form& form) const;

  // Called by the peers.
  WindowRecord& record_for(const ui::Form& form) { return records_[&form]; }
  HeadlessLoop& loop() { return loop_; }

 private:
  ui::Control* Target(ui::Form& form, double x, double y);

  HeadlessLoop& loop_;
  PixelSize screen_{1024, 768};
  std::vector<PixelRect> work_areas_;
  PixelPoint cursor_{};
  std::map<int, bool> keys_down_;
  std::vector<int> keys_asked_;
  std::vector<WindowText> window_texts_;
  std::set<ui::WindowHandle> gone_listeners_;
  std::function<void(const std::string&)> text_listener_;
  std::deque<Answer> answers_;
  std::vector<MessageRecord> messages_;
  int box_dwell_ms_ = 0;
  bool dwelling_ = false;
  int beeps_ = 0;
  int measurements_ = 0;
  std::vector<bool> cursor_changes_;
  ui::WindowHandle next_handle_ = 0x10010;
  std::map<const ui::Form*, WindowRecord> records_;
  std::map<const ui::Form*, ui::Control*> captured_;
  std::map<ui::WindowHandle, ui::Point> origins_;
  std::deque<ui::MenuChoice> menu_choices_;
  std::vector<ui::MenuEntry> menus_;
  std::deque<std::function<void(ui::Dialog&)>> dialog_scripts_;
  std::vector<std::string> dialogs_;
  std::vector<std::shared_ptr<ui::Dialog>> modeless_;
  int forwards_ = 0;
};

}  // namespace quavero::platform::headless
