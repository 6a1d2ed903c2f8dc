#include "hotkeys/api_hotkey.h"

#include <cstdio>

#include "base/values.h"

namespace quavero::hotkeys {

bool ApiHotkey::MatchedKey(const ApiHotkey& TestKey) const {
  return TestKey.Modifier == Modifier && TestKey.VKey == VKey;
}

std::string ApiHotkey::UniqueKey() const {
  return "hwnd:" + std::to_string(hwnd) + "VK:" + std::to_string(VKey) +
         "Mod:" + std::to_string(Modifier);
}

std::string ApiHotkey::UniqueAtomName() const {
  std::string name;
  if (WinKey()) name += "WIN+";
  if (ShiftKey()) name += "SHIFT+";
  if (ControlKey()) name += "CONTROL+";
  if (AltKey()) name += "ALT+";
  char key[16];
  std::snprintf(key, sizeof key, "%03d", static_cast<int>(VKey));
  return name + key;
}

void ApiHotkey::ReadFromAtom(uint16_t atom) {
  std::string name = system_.AtomText(atom);
  if (name.find("WIN+") != std::string::npos) SetWinKey(true);
  if (name.find("SHIFT+") != std::string::npos) SetShiftKey(true);
  if (name.find("CONTROL+") != std::string::npos) SetControlKey(true);
  if (name.find("ALT+") != std::string::npos) SetAltKey(true);
  std::string digits = "0" + name.substr(name.size() >= 3 ? name.size() - 3 : 0);
  if (values::IsNumeric(digits)) VKey = static_cast<int32_t>(values::LeadingNumber(digits));
}

std::optional<std::string> ApiHotkey::Register() {
  if (hAtom != 0) system_.FreeAtom(hAtom);
  hAtom = system_.NewAtom(UniqueAtomName());
  auto result = system_.RegisterHotKey(hwnd, hAtom, Modifier, static_cast<uint32_t>(VKey));
  hKey = result.registered;
  if (result.error == 0) return std::nullopt;
  std::string message = result.message.substr(0, 500);
  size_t first = message.find_first_not_of(" \t\r\n");
  size_t last = message.find_last_not_of(" \t\r\n");
  return first == std::string::npos ? std::string() : message.substr(first, last - first + 1);
}

void ApiHotkey::Unregister() {
  if (hAtom == 0) return;
  system_.UnregisterHotKey(hwnd, hAtom);
  system_.FreeAtom(hAtom);
}

}  // namespace quavero::hotkeys
