// The program's three hotkey registries and the procedure put in front of every window that
// hosts hotkeys: the combinations registered so far (to refuse a second one), the windows
// whose procedure was replaced, and the components by their unique key, so that a hotkey
// message reaches the component it belongs to. One per program.
#pragma once

#include <map>
#include <string>

#include "platform/platform.h"

namespace quavero::hotkeys {

class VBHotkey;

class HotkeySubclass {
 public:
  explicit HotkeySubclass(platform::Hotkeys& system) : system_(system) {}

  // Registered combinations: "{False;False;False;True;80}" and so on, one after the other.
  const std::string& combinations() const { return combinations_; }
  void AddCombination(const std::string& record) { combinations_ += record; }
  void ClearCombinations() { combinations_.clear(); }

  void AddComponent(const std::string& unique_key, VBHotkey* component);
  // One hook a window, however many components it hosts.
  void Hook(ui::WindowHandle window);
  // Restores the window's procedure and forgets every component it hosts.
  void Unhook(ui::WindowHandle window);
  bool Hooked(ui::WindowHandle window) const { return windows_.count(WindowKey(window)) != 0; }
  size_t component_count() const { return components_.size(); }

  // Every message of a hooked window passes here before its own procedure gets it: a hotkey
  // message goes to the component registered for its key and modifiers.
  void WindowProc(ui::WindowHandle window, uint32_t message, uint64_t wparam, int64_t lparam);

 private:
  static std::string WindowKey(ui::WindowHandle window) { return "hwnd:" + std::to_string(window); }

  platform::Hotkeys& system_;
  std::string combinations_;
  std::map<std::string, ui::WindowHandle> windows_;  // the subclassed windows by "hwnd:" key
  std::map<std::string, VBHotkey*> components_;
};

}  // namespace quavero::hotkeys
