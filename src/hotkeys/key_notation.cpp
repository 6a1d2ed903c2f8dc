#include "hotkeys/key_notation.h"

#include <string>
#include <string_view>

#include "base/text.h"
#include "base/values.h"

namespace quavero::hotkeys {
namespace {

struct NamedKey {
  std::string_view word;
  int32_t key;
};

// Rule 1's keys, then the keyboard's media keys, which skins may name the same way.
constexpr NamedKey kNamedKeys[] = {
    {"LEFTARROW", 37},       {"RIGHTARROW", 39},    {"UPARROW", 38},      {"DOWNARROW", 40},
    {"ENTER", 13},           {"BACKSPACE", 8},      {"TAB", 9},           {"PAGEUP", 33},
    {"PAGEDOWN", 34},        {"MEDIAPLAYPAUSE", 179}, {"MEDIANEXT", 176}, {"MEDIAPREVIOUS", 177},
    {"MEDIASTOP", 178},      {"VOLUMEUP", 175},     {"VOLUMEDOWN", 174},  {"VOLUMEMUTE", 173},
};

// The notation's words in upper case (its vocabulary is ASCII; a single Latin-1 letter is
// keyed in its upper case below).
std::string UpperCase(std::string_view word) {
  std::string upper;
  for (size_t i = 0; i < word.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(word[i]);
    if (c >= 'a' && c <= 'z') c = static_cast<unsigned char>(c - 'a' + 'A');
    upper += static_cast<char>(c);
  }
  return upper;
}

// The code of a one-character word: its ANSI code (Latin-1 for the UTF-8 text the engine
// keeps), or -1 when the word is not one character.
int32_t SingleCharacterCode(const std::string& word) {
  if (word.size() == 1) return static_cast<unsigned char>(word[0]);
  if (word.size() == 2 && (static_cast<unsigned char>(word[0]) & 0xE0) == 0xC0) {
    int32_t code = (static_cast<unsigned char>(word[0]) & 0x1F) << 6 |
                   (static_cast<unsigned char>(word[1]) & 0x3F);
    if (code >= 0xE0 && code <= 0xFE && code != 0xF7) code -= 0x20;  // é is keyed as É
    return code < 256 ? code : -1;
  }
  return -1;
}

int32_t KeyCode(double base, std::string_view number) {
  return values::ToLong(base + values::LeadingNumber(number));
}

}  // namespace

bool AddKeyWord(KeySettings& s, std::string_view raw) {
  const std::string word = UpperCase(raw);
  bool named = false;
  auto set = [&](int32_t key) {
    s.VKey = key;
    named = true;
  };
  if (word == "ALT") s.AltKey = true;
  if (word == "SHIFT") s.ShiftKey = true;
  if (word == "CONTROL") s.CtrlKey = true;
  if (word == "WIN") s.WinKey = true;
  for (const auto& key : kNamedKeys)
    if (word == key.word) set(key.key);
  if (text::StartsWith(word, "NUMPAD")) set(KeyCode(96, std::string_view(word).substr(6)));
  if (text::StartsWith(word, "F")) set(KeyCode(111, std::string_view(word).substr(1)));
  if (values::IsNumeric(word)) set(KeyCode(48, word));
  if (int32_t code = SingleCharacterCode(word); code >= 0) set(code);
  return named;
}

}  // namespace quavero::hotkeys
