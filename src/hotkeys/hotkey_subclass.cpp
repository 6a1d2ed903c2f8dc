#include "hotkeys/hotkey_subclass.h"

#include "base/text.h"
#include "hotkeys/api_hotkey.h"
#include "hotkeys/vb_hotkey.h"

namespace quavero::hotkeys {

void HotkeySubclass::AddComponent(const std::string& unique_key, VBHotkey* component) {
  components_[unique_key] = component;
}

void HotkeySubclass::Hook(ui::WindowHandle window) {
  if (Hooked(window)) return;
  bool hooked = system_.HookWindow(
      window, [this](ui::WindowHandle w, uint32_t message, uint64_t wparam, int64_t lparam) {
        WindowProc(w, message, wparam, lparam);
      });
  if (hooked) windows_[WindowKey(window)] = window;
}

void HotkeySubclass::Unhook(ui::WindowHandle window) {
  auto it = windows_.find(WindowKey(window));
  if (it != windows_.end()) {
    system_.UnhookWindow(window);
    windows_.erase(it);
  }
  std::string prefix = WindowKey(window) + "VK:";
  std::erase_if(components_, [&](const auto& entry) { return text::StartsWith(entry.first, prefix); });
}

void HotkeySubclass::WindowProc(ui::WindowHandle window, uint32_t message, uint64_t,
                                int64_t lparam) {
  if (message != kHotkeyMessage) return;
  int32_t key = static_cast<int32_t>((lparam >> 16) & 0xFFFF);
  uint32_t modifiers = static_cast<uint32_t>(lparam & 0xFFFF);
  auto it = components_.find(WindowKey(window) + "VK:" + std::to_string(key) +
                             "Mod:" + std::to_string(modifiers));
  if (it != components_.end()) it->second->HotkeyMessage(key, modifiers);
}

}  // namespace quavero::hotkeys
