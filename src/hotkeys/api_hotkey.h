// One key combination as the system knows it: the modifier mask (Alt 1, Control 2, Shift 4,
// Win 8), the key, the window that receives it, and the global atom that identifies it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/platform.h"

namespace quavero::hotkeys {

inline constexpr uint32_t kAlt = 1, kControl = 2, kShift = 4, kWin = 8;
inline constexpr uint32_t kHotkeyMessage = 0x312;  // WM_HOTKEY

class ApiHotkey {
 public:
  explicit ApiHotkey(platform::Hotkeys& system) : system_(system) {}
  ApiHotkey(const ApiHotkey&) = delete;
  ApiHotkey& operator=(const ApiHotkey&) = delete;

  bool AltKey() const { return Modifier & kAlt; }
  bool ControlKey() const { return Modifier & kControl; }
  bool ShiftKey() const { return Modifier & kShift; }
  bool WinKey() const { return Modifier & kWin; }
  void SetAltKey(bool on) { SetBit(kAlt, on); }
  void SetControlKey(bool on) { SetBit(kControl, on); }
  void SetShiftKey(bool on) { SetBit(kShift, on); }
  void SetWinKey(bool on) { SetBit(kWin, on); }

  // The same flags and key; the window is not compared.
  bool MatchedKey(const ApiHotkey& TestKey) const;
  // "hwnd:" + window + "VK:" + key + "Mod:" + mask, all in decimal.
  std::string UniqueKey() const;
  // "WIN+", "SHIFT+", "CONTROL+", "ALT+" as set, then the key in at least three digits.
  std::string UniqueAtomName() const;
  // Turns on the flags an atom's name holds, and takes its last three digits as the key.
  void ReadFromAtom(uint16_t atom);

  // Registers the combination for the window under a new atom; the system's text when it
  // refused (the combination belongs to another program).
  std::optional<std::string> Register();
  void Unregister();

  uint32_t Modifier = 0;
  int32_t VKey = 0;
  ui::WindowHandle hwnd = 0;
  uint16_t hAtom = 0;
  bool hKey = false;  // the system accepted the last registration

 private:
  void SetBit(uint32_t bit, bool on) { Modifier = on ? (Modifier | bit) : (Modifier & ~bit); }
  platform::Hotkeys& system_;
};

}  // namespace quavero::hotkeys
