// The notation of a key combination: words joined by "+" ("Control+Alt+LeftArrow", "WIN+P"),
// compared in upper case. A word turns a modifier on or sets the key; words that match no
// rule change nothing.
#pragma once

#include <cstdint>
#include <string_view>

namespace quavero::hotkeys {

// The settings of one hotkey, with the defaults a new hotkey component has (Win plus A).
struct KeySettings {
  bool AltKey = false;
  bool ShiftKey = false;
  bool CtrlKey = false;
  bool WinKey = true;
  int32_t VKey = 65;
  bool operator==(const KeySettings&) const = default;
};

// Applies one word, upper-cased, by every rule that matches it, in order, so that a later
// rule overrides the key of an earlier one: "F" is 70, "F5" 116, "FOO" 111, "NUMPAD7" 103,
// "7" 55, "12" 60. A number too large for a key code fails with 6 "Overflow". True when the
// word named a key (not only a modifier).
bool AddKeyWord(KeySettings& settings, std::string_view word);

}  // namespace quavero::hotkeys
