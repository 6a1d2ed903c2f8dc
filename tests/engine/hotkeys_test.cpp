// Keyboard shortcuts: the notation, the hotkey's names and keys, and a skin's shortcuts as
// system-wide hotkeys: registering, conflicts, refusals, pressing and closing.
#include "base/text.h"
#include "hotkeys/api_hotkey.h"
#include "hotkeys/key_notation.h"
#include "itunes/simulated_itunes.h"
#include "skin_fixture.h"

namespace quavero::test {
namespace {

using hotkeys::HotkeyState;
using hotkeys::KeySettings;

KeySettings Parsed(const std::string& keys) {
  KeySettings s;
  s.AltKey = s.ShiftKey = s.CtrlKey = s.WinKey = false;
  for (const auto& word : text::Split(keys, '+')) hotkeys::AddKeyWord(s, word);
  return s;
}

TEST(KeyNotation, WordsSetModifiersAndKeysByTheirRulesInOrder) {
  struct Case {
    const char* keys;
    bool alt, shift, ctrl, win;
    int32_t key;
  };
  const Case cases[] = {
      {"WIN+P", false, false, false, true, 80},
      {"ALT+CONTROL+LEFTARROW", true, false, true, false, 37},
      {"Shift+Control+Alt+Win+P", true, true, true, true, 80},
      {"shift+f12", false, true, false, false, 123},
      {"F", false, false, false, false, 70},  // rule 5 overrides rule 3
      {"F5", false, false, false, false, 116},
      {"FOO", false, false, false, false, 111},
      {"NUMPAD0", false, false, false, false, 96},
      {"NUMPAD9", false, false, false, false, 105},
      {"NUMPAD7", false, false, false, false, 103},
      {"NUMPADX", false, false, false, false, 96},
      {"0", false, false, false, false, 48},
      {"7", false, false, false, false, 55},
      {"12", false, false, false, false, 60},
      {"Enter+Tab+BackSpace", false, false, false, false, 8},  // the last key word wins
      {"PAGEUP", false, false, false, false, 33},
      {"pagedown", false, false, false, false, 34},
      {"CONTROL+ESC", false, false, true, false, 65},  // ESC is no word: the key stays
      {"WIN + P", false, false, false, false, 65},     // blanks: no word matches
      {"MEDIAPLAYPAUSE", false, false, false, false, 179},
      {"MediaNext", false, false, false, false, 176},
      {"MEDIAPREVIOUS", false, false, false, false, 177},
      {"MEDIASTOP", false, false, false, false, 178},
      {"VOLUMEUP", false, false, false, false, 175},
      {"VOLUMEDOWN", false, false, false, false, 174},
      {"VOLUMEMUTE", false, false, false, false, 173},
      {"\xC3\xA9", false, false, false, false, 201},  // é is keyed as É
  };
  for (const auto& c : cases) {
    KeySettings s = Parsed(c.keys);
    EXPECT_EQ(s, (KeySettings{c.alt, c.shift, c.ctrl, c.win, c.key})) << c.keys;
  }
  KeySettings s;
  EXPECT_FALSE(hotkeys::AddKeyWord(s, "ALT"));  // a modifier names no key
  EXPECT_TRUE(hotkeys::AddKeyWord(s, "p"));
  EXPECT_THROW(hotkeys::AddKeyWord(s, "F99999999999"), Failure);
}

TEST(ApiHotkeyNames, UniqueKeyAndAtomNameAndReadingAnAtomBack) {
  platform::headless::HeadlessHotkeys system;
  hotkeys::ApiHotkey k(system);
  k.SetWinKey(true);
  k.VKey = 80;
  k.hwnd = 4660;
  EXPECT_EQ(k.Modifier, 8u);
  EXPECT_EQ(k.UniqueKey(), "hwnd:4660VK:80Mod:8");
  EXPECT_EQ(k.UniqueAtomName(), "WIN+080");
  k.Modifier = 0;
  k.SetShiftKey(true);
  k.SetControlKey(true);
  k.SetAltKey(true);
  k.VKey = 123;
  EXPECT_EQ(k.UniqueAtomName(), "SHIFT+CONTROL+ALT+123");
  k.Modifier = 0;
  k.VKey = 5;
  EXPECT_EQ(k.UniqueAtomName(), "005");

  hotkeys::ApiHotkey read(system);
  read.ReadFromAtom(system.NewAtom("WIN+CONTROL+045"));
  EXPECT_EQ(read.Modifier, hotkeys::kWin | hotkeys::kControl);
  EXPECT_EQ(read.VKey, 45);
  hotkeys::ApiHotkey same(system);
  same.Modifier = read.Modifier;
  same.VKey = 45;
  same.hwnd = 99;  // another window: still the same combination
  EXPECT_TRUE(read.MatchedKey(same));
}

class ShortcutTest : public SkinFixture {
 protected:
  ShortcutTest() : itunes_(SimulatedITunes()) {
    for (const char* name : {"One", "Two", "Three"}) {
      itunes::TrackData t;
      t.name = name;
      itunes_->AddLibraryTrack(t);
    }
    itunes_->Select(0, 0);
  }
  auto& Hotkeys() { return platform_.hotkeys(); }
  std::string Current() { return itunes_->CurrentTrack()->Name(); }
  static constexpr uint32_t kCtrlAlt = hotkeys::kControl | hotkeys::kAlt;

  std::shared_ptr<itunes::SimulatedITunes> itunes_;
};

TEST_F(ShortcutTest, AShortcutLineBecomesAHotkeyOfItsWindowThatRunsItsCode) {
  auto w = Load({"skinname=S", "keyboardshortcut=CONTROL+ALT+LEFTARROW;nexttrack"});
  EXPECT_EQ(w->ShortcutState(0), HotkeyState::kActive);
  EXPECT_NE(w->form().peer(), nullptr);  // the window that receives it was made for it
  EXPECT_TRUE(Hotkeys().hooked(w->form().handle()));
  EXPECT_EQ(app_.hotkey_subclass().combinations(), "{True;False;True;False;37}");
  EXPECT_TRUE(Hotkeys().Press(kCtrlAlt, 37));
  EXPECT_EQ(Current(), "Two");
  EXPECT_FALSE(Hotkeys().Press(kCtrlAlt, 38));  // nobody has that one
  EXPECT_TRUE(messages().empty());
}

TEST_F(ShortcutTest, TheSameCombinationTwiceShowsTheConflictAndTheFirstKeepsWorking) {
  auto w = Load({"skinname=S", "keyboardshortcut=WIN+P;nexttrack",
                 "keyboardshortcut=win+p;previoustrack"});
  ASSERT_EQ(messages().size(), 1u);
  EXPECT_EQ(messages()[0].title, "Error!");
  EXPECT_EQ(messages()[0].icon, platform::Icon::kCritical);
  EXPECT_EQ(messages()[0].text,
            "Error: There was a conflict in key combinations! Please make sure that you fix this. "
            "The program will now continue to load...\r\nDebug: {False;False;False;True;80}");
  EXPECT_EQ(w->ShortcutState(0), HotkeyState::kActive);
  EXPECT_EQ(w->ShortcutState(1), HotkeyState::kConflict);
  EXPECT_EQ(Hotkeys().registered(), 1u);
  Hotkeys().Press(hotkeys::kWin, 80);
  EXPECT_EQ(Current(), "Two");
}

TEST_F(ShortcutTest, PersonalShortcutsBelongToTheFirstWindowOnly) {
  WriteFile("personal.ini", "keyboardshortcut=CONTROL+ALT+F5;nexttrack\r\n");
  WriteFile("Skins/Test/sub/skin.ini", "skinname=Sub\r\nkeyboardshortcut=SHIFT+F6;play\r\n");
  auto w = Load({"skinname=S"});
  w->RunCode(std::string("showskin=sub\\"));
  ASSERT_EQ(app_.CountSkinWindows(), 2);
  auto sub = app_.SkinWindows()[1];
  EXPECT_EQ(sub->KeyShortcuts.size(), 2u);  // its own shortcut and the empty record
  EXPECT_EQ(w->KeyShortcuts.size(), 2u);    // the personal one
  EXPECT_TRUE(messages().empty());          // no conflict: the sub window did not read it
  EXPECT_TRUE(Hotkeys().Press(kCtrlAlt, 116));
  EXPECT_EQ(Current(), "Two");
  EXPECT_TRUE(Hotkeys().Press(hotkeys::kShift, 117));
  EXPECT_EQ(itunes_->GetPlayerState(), itunes::PlayerState::kPlaying);
}

TEST_F(ShortcutTest, ClosingLetsGoOfEveryHotkeyAndAnotherWindowMayTakeThemAgain) {
  auto w = Load({"skinname=S", "keyboardshortcut=WIN+P;nexttrack",
                 "keyboardshortcut=WIN+O;nexttrack", "keyboardshortcut=WIN+I;nexttrack"});
  EXPECT_EQ(Hotkeys().registered(), 3u);
  EXPECT_EQ(app_.hotkey_subclass().component_count(), 3u);
  ui::WindowHandle handle = w->form().handle();
  w->Unload();
  EXPECT_EQ(Hotkeys().registered(), 0u);
  EXPECT_EQ(Hotkeys().atoms(), 0u);
  EXPECT_FALSE(Hotkeys().hooked(handle));
  EXPECT_EQ(Hotkeys().unhooks(), 1);  // its procedure restored once
  EXPECT_EQ(app_.hotkey_subclass().component_count(), 0u);
  EXPECT_EQ(app_.hotkey_subclass().combinations(), "");

  auto again = Load({"skinname=S", "keyboardshortcut=WIN+P;previoustrack"});
  EXPECT_TRUE(messages().empty());
  EXPECT_EQ(again->ShortcutState(0), HotkeyState::kActive);
}

TEST_F(ShortcutTest, ACombinationAnotherProgramHoldsStaysInactiveWithoutAMessage) {
  Hotkeys().HoldElsewhere(hotkeys::kWin, 80);
  auto w = Load({"skinname=S", "keyboardshortcut=WIN+P;nexttrack"});
  EXPECT_TRUE(messages().empty());
  EXPECT_EQ(w->ShortcutState(0), HotkeyState::kRefused);
  EXPECT_EQ(w->ShortcutRefusal(0), "Hot key is already registered.");
}

TEST_F(ShortcutTest, ANotationThatNamesNoKeyIsNotRegistered) {
  auto w = Load({"skinname=S", "keyboardshortcut=WIN + P;nexttrack", "keyboardshortcut=ESC;play"});
  EXPECT_EQ(Hotkeys().registered(), 0u);
  EXPECT_EQ(w->ShortcutState(0), HotkeyState::kIdle);
  EXPECT_EQ(w->form().peer() != nullptr, true);
  EXPECT_TRUE(messages().empty());
}

TEST_F(ShortcutTest, AKeyNumberOutOfRangeIsReportedWhileTheSkinLoads) {
  auto w = Load({"skinname=S", "keyboardshortcut=COL+888888888888888+LB;play"});
  ASSERT_EQ(messages().size(), 1u);
  EXPECT_EQ(messages()[0].text, "There was an error in LoadSkin\r\nErr 6: Overflow");
  EXPECT_EQ(Hotkeys().registered(), 0u);
  EXPECT_FALSE(w->unloaded());
}

TEST_F(ShortcutTest, AShortcutWhoseCodeClosesItsWindowEndsCleanly) {
  auto w = Load({"skinname=S", "keyboardshortcut=WIN+Q;{closeskin}{nexttrack}"});
  Hotkeys().Press(hotkeys::kWin, 81);
  EXPECT_TRUE(w->unloaded());
  EXPECT_EQ(Current(), "Two");  // the rest of the code ran
  EXPECT_EQ(Hotkeys().registered(), 0u);
}

}  // namespace
}  // namespace quavero::test
