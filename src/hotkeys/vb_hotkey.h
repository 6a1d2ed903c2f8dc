// The hotkey component a window holds one of per shortcut: its settings, a refusal of a
// combination this program already registered (the conflict message), registration on the
// hosting window, and HotkeyPressed when the system delivers it.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "hotkeys/api_hotkey.h"
#include "hotkeys/key_notation.h"

namespace quavero::hotkeys {

class HotkeySubclass;

// What became of a component's combination.
enum class HotkeyState {
  kIdle,      // not registered (no shortcut, or no window to host it)
  kActive,    // registered with the system
  kConflict,  // this program registered the same combination already: the conflict message
  kRefused,   // the system refused it (another program holds it)
};

class VBHotkey {
 public:
  VBHotkey(HotkeySubclass& subclass, platform::Platform& platform);
  ~VBHotkey();  // clears the registered-combinations text, for every window
  VBHotkey(const VBHotkey&) = delete;
  VBHotkey& operator=(const VBHotkey&) = delete;

  KeySettings settings;
  std::function<void()> HotkeyPressed;
  std::function<void(const std::string& source, const std::string& description)> ErrorOccured;

  // Refuses a combination already registered in this program, otherwise registers it on the
  // hosting window (a handle of 0 registers nothing) and hooks that window's messages.
  void InitTheThing(ui::WindowHandle host);
  void StopHotkey();
  void RaiseError(const std::string& source, const std::string& description);
  // The entry the hooked window procedure calls with a hotkey's key and modifier mask.
  void HotkeyMessage(int32_t key, uint32_t modifiers);

  std::string UniqueKey() const { return api_ ? api_->UniqueKey() : std::string(); }
  uint16_t hAtom() const { return api_ ? api_->hAtom : 0; }
  bool hKey() const { return api_ && api_->hKey; }
  HotkeyState state() const { return state_; }
  const std::string& refusal() const { return refusal_; }

 private:
  HotkeySubclass& subclass_;
  platform::Platform& platform_;
  std::unique_ptr<ApiHotkey> api_;
  ui::WindowHandle host_ = 0;
  HotkeyState state_ = HotkeyState::kIdle;
  std::string refusal_;
};

// The record of a combination in the registered-combinations text: {Alt;Shift;Ctrl;Win;key}.
std::string CombinationRecord(const KeySettings& settings);

}  // namespace quavero::hotkeys
