// The skin window's keyboard shortcuts: each keyboardshortcut line becomes a system-wide hotkey
// on this window, whose code runs when the combination is pressed; closing the window lets go
// of every one of them.
#include "app/application.h"
#include "base/text.h"
#include "skin/skin_window.h"

namespace quavero::skin {

bool SkinWindow::AddKey(int Index, const std::string& Key) {
  return hotkeys::AddKeyWord(hkHotkey.at(Index)->settings, Key);
}

// Registering needs the window that receives the hotkeys: it is made now if it is not yet. A
// notation that names no key ("WIN + P", with blanks) is not registered: it would take the
// component's default key, the letter A, from every program.
void SkinWindow::ProcessKeyShortcuts() {
  const int count = static_cast<int>(KeyShortcuts.size()) - 1;  // the last record is empty
  for (int i = 0; i < count; ++i) {
    if (i != 0)
      hkHotkey.push_back(std::make_unique<hotkeys::VBHotkey>(app_.hotkey_subclass(), app_.platform()));
    hotkeys::VBHotkey& component = *hkHotkey[i];
    component.settings.AltKey = component.settings.ShiftKey = false;
    component.settings.CtrlKey = component.settings.WinKey = false;
    bool named = false;
    for (const auto& word : text::Split(KeyShortcuts[i].keys, '+')) named = AddKey(i, word) || named;
    component.HotkeyPressed = [this, i] { hkHotkey_HotkeyPressed(i); };
    if (named) component.InitTheThing(form_.RealisedHandle());
  }
}

void SkinWindow::hkHotkey_HotkeyPressed(int Index) {
  auto keep_alive = weak_from_this().lock();
  if (Index < 0 || Index + 1 >= static_cast<int>(KeyShortcuts.size())) return;
  std::string code = KeyShortcuts[Index].code;
  RunCode(code);
}

// Every component stops (the first one on this window restores its procedure), pending
// messages run four times, and the components go, which clears the program's record of
// registered combinations.
void SkinWindow::CloseAllHotkeys() {
  for (auto& component : hkHotkey) component->StopHotkey();
  for (int round = 0; round < 4; ++round) app_.platform().loop().DoEvents();
  hkHotkey.clear();
}

hotkeys::HotkeyState SkinWindow::ShortcutState(int index) const {
  return index >= 0 && index < static_cast<int>(hkHotkey.size()) ? hkHotkey[index]->state()
                                                                  : hotkeys::HotkeyState::kIdle;
}

std::string SkinWindow::ShortcutRefusal(int index) const {
  return index >= 0 && index < static_cast<int>(hkHotkey.size()) ? hkHotkey[index]->refusal()
                                                                  : std::string();
}

}  // namespace quavero::skin
