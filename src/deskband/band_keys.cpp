// The band's keyboard shortcuts: a band inside the shell holds no hotkeys; each progress step
// asks the keyboard whether a shortcut's keys are down, and runs its code at most once every
// 300 ms while they are held.
#include "base/text.h"
#include "base/values.h"
#include "deskband/band_window.h"

namespace quavero::deskband {

void BandWindow::CheckKeyShortcuts() {
  for (size_t i = 0; i + 1 < KeyShortcuts.size(); ++i) {
    skin::KeyShortcut& shortcut = KeyShortcuts[i];
    const int32_t now = static_cast<int32_t>(platform_.loop().TickCount());
    if (static_cast<int64_t>(now) - shortcut.last_fired <= kShortcutRepeatMs - 1) continue;
    bool all_down = true;
    for (const std::string& word : text::Split(shortcut.keys, '+')) {
      if (!CheckKey(word)) {
        all_down = false;
        break;
      }
    }
    if (!all_down) continue;
    shortcut.last_fired = now;
    std::string code = shortcut.code;
    RunCode(code);
    if (closed_) return;
  }
}

namespace {

std::string Upper(std::string word) {
  for (char& c : word)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return word;
}

// A code from a number in the word; -1 when it lies beyond every key's.
int CodeFrom(double code) { return code >= 0 && code <= 255 ? static_cast<int>(code) : -1; }

}  // namespace

// The virtual key a word of a shortcut names; -1 for none. "p" names the P key as "P" does.
int BandWindow::KeyCode(const std::string& Key) {
  const std::string word = Upper(Key);
  if (word == "ALT") return 18;
  if (word == "SHIFT") return 16;
  if (word == "LSHIFT") return 160;
  if (word == "RSHIFT") return 161;
  if (word == "CONTROL") return 17;
  if (word == "WIN") return 92;  // the right Windows key
  if (word == "ENTER") return 13;
  if (word == "BACKSPACE") return 8;
  if (word == "TAB") return 9;
  if (!word.empty() && word[0] == 'F') return CodeFrom(111 + values::LeadingNumber(word.substr(1)));
  if (values::IsNumeric(word)) return CodeFrom(48 + values::LeadingNumber(word));
  return word.empty() ? -1 : static_cast<unsigned char>(word[0]);
}

bool BandWindow::CheckKey(const std::string& Key) {
  const int code = KeyCode(Key);
  if (code < 0) return false;
  return platform_.windows().KeyState(code);
}

}  // namespace quavero::deskband
