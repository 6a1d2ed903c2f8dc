// The skin editor and the keyboard shortcut manager: rows and lines, the two lists in step,
// the shortcut fields feeding each other, the files they save (whole, in one step, in their
// encoding) and the skins they reload.
#include "hotkeys/key_notation.h"
#include "itunes/simulated_itunes.h"
#include "shell/keyboard_shortcut_window.h"
#include "shell/menus_window.h"
#include "shell/skin_editor_window.h"
#include "skin_fixture.h"

namespace quavero::test {
namespace {

using ::testing::ElementsAre;
using shell::KeyboardShortcutWindow;
using shell::SkinEditorWindow;

class EditorsTest : public SkinFixture {
 protected:
  EditorsTest() { app_.SetTrayWindowFactory(shell::LoadMenusWindow); }
  std::shared_ptr<skin::SkinWindow> Window(size_t i) { return app_.SkinWindows().at(i); }
  // The menu entry chosen on a skin window's right button.
  void ChooseOn(skin::SkinWindow& w, const std::string& entry) {
    platform_.windows().QueueMenuChoice({entry, -1});
    platform_.windows().Click(w.form(), 1, 1, ui::mouse::kRight);
  }
  std::shared_ptr<SkinEditorWindow> OpenEditor(skin::SkinWindow& w) {
    ChooseOn(w, "mnuEditSkin");
    return std::dynamic_pointer_cast<SkinEditorWindow>(
        platform_.windows().OpenDialog(SkinEditorWindow::kCaption));
  }
  std::shared_ptr<KeyboardShortcutWindow> OpenManager(skin::SkinWindow& w) {
    ChooseOn(w, "mnuKeyboard");
    return std::dynamic_pointer_cast<KeyboardShortcutWindow>(
        platform_.windows().OpenDialog(KeyboardShortcutWindow::kCaption));
  }
  // The Default skin as the current skin, open.
  std::shared_ptr<skin::SkinWindow> StartWith(const std::string& skin_text) {
    WriteFile("Skins/Default/skin.ini", skin_text);
    app_.Startup("");
    return Window(0);
  }
  // Something in the way of the file's replacement: the save fails as when another program
  // holds the file open.
  void BlockSaving(const std::string& relative) {
    std::filesystem::create_directories(root_ / (relative + ".quavero-new") / "x");
  }
};

// --- the skin editor ---

TEST_F(EditorsTest, TheEditorTurnsLinesIntoRowsAndSavesThemBackInOrder) {
  auto w = StartWith(
      "skinname=Edit\r\n// made by hand\r\n\r\nscrolltimer=\r\nskinname=a=b;c\r\n"
      "loose words\r\n=orphan\r\n'quoted\r\n\\\\unc\r\nleft=10\r\n");
  auto editor = OpenEditor(*w);
  ASSERT_NE(editor, nullptr);
  EXPECT_THAT(editor->control("lstCommands").items,
              ElementsAre("skinname", "  comment", "  comment", "scrolltimer", "skinname",
                          "  comment", "  comment", "left"));
  EXPECT_THAT(editor->control("lstParams").items,
              ElementsAre("Edit", "// made by hand", "", "NONE", "a=b;c", "'quoted", "\\\\unc",
                          "10"));
  editor->UserClicks("cmdReload");
  EXPECT_EQ(ReadFile("Skins/Default/skin.ini"),
            "skinname=Edit\r\n// made by hand\r\n\r\nscrolltimer=NONE\r\nskinname=a=b;c\r\n"
            "'quoted\r\n\\\\unc\r\nleft=10\r\n");
  EXPECT_FALSE(editor->closed());  // the editor stays for more edits
  EXPECT_NE(Window(0), w);         // the skin was loaded again
  EXPECT_TRUE(messages().empty());
}

TEST_F(EditorsTest, TheTwoListsSelectAndScrollTogetherAndTheLineShowsTheRow) {
  auto w = StartWith("skinname=S\r\n//note\r\nleft=1\r\ntop=2\r\n");
  auto editor = OpenEditor(*w);
  editor->UserPicks("lstParams", 2);
  EXPECT_EQ(editor->control("lstCommands").list_index, 2);
  EXPECT_EQ(editor->control("txtLine").text, "left=1");
  editor->UserPicks("lstCommands", 1);
  EXPECT_EQ(editor->control("lstParams").list_index, 1);
  EXPECT_EQ(editor->control("txtLine").text, "//note");  // a comment row shows its line whole
  editor->UserScrolls("lstCommands", 2);
  EXPECT_EQ(editor->control("lstParams").top_index, 2);
  editor->UserScrolls("lstParams", 1);
  EXPECT_EQ(editor->control("lstCommands").top_index, 1);
  EXPECT_EQ(editor->control("lstCommands").items[1], "  comment");  // selecting changed nothing
}

TEST_F(EditorsTest, TheLineFieldRewritesTheSelectedRowOnlyWithAMeaningfulLine) {
  auto w = StartWith("skinname=S\r\nleft=1\r\n");
  auto editor = OpenEditor(*w);
  editor->UserTypes("txtLine", "top=5");  // no row selected: nothing changes
  EXPECT_THAT(editor->control("lstCommands").items, ElementsAre("skinname", "left"));
  editor->UserPicks("lstCommands", 1);
  editor->UserTypes("txtLine", "left");  // no "=": the row stays
  editor->UserTypes("txtLine", "=5");    // no keyword: the row stays
  EXPECT_EQ(editor->control("lstParams").items[1], "1");
  editor->UserTypes("txtLine", "Top=");
  EXPECT_EQ(editor->control("lstCommands").items[1], "Top");
  EXPECT_EQ(editor->control("lstParams").items[1], "NONE");
  editor->UserTypes("txtLine", "// left=1 was here");
  EXPECT_EQ(editor->control("lstCommands").items[1], "  comment");
  editor->UserClicks("cmdReload");
  EXPECT_EQ(ReadFile("Skins/Default/skin.ini"), "skinname=S\r\n// left=1 was here\r\n");
}

TEST_F(EditorsTest, AddingSelectsTheNewRowAndRemovingNeedsASelection) {
  auto w = StartWith("skinname=S\r\nleft=1\r\ntop=2\r\n");
  auto editor = OpenEditor(*w);
  editor->UserClicks("cmdRemvoe");  // nothing selected: ignored
  EXPECT_EQ(editor->rows(), 3);
  editor->UserClicks("cmdAdd");
  EXPECT_EQ(editor->rows(), 4);
  EXPECT_EQ(editor->control("lstParams").list_index, 3);
  EXPECT_EQ(editor->control("txtLine").text, "new command=new param");
  editor->UserPicks("lstParams", 1);
  editor->UserClicks("cmdRemvoe");
  EXPECT_THAT(editor->control("lstCommands").items, ElementsAre("skinname", "top", "new command"));
  EXPECT_THAT(editor->control("lstParams").items, ElementsAre("S", "2", "new param"));
  EXPECT_EQ(editor->control("lstCommands").list_index, -1);
}

TEST_F(EditorsTest, ASaveThatFailsKeepsTheFileTheEditsAndTheWindow) {
  auto w = StartWith("skinname=S\r\nleft=1\r\n");
  auto editor = OpenEditor(*w);
  editor->UserPicks("lstCommands", 1);
  editor->UserTypes("txtLine", "left=99");
  BlockSaving("Skins/Default/skin.ini");
  editor->UserClicks("cmdReload");
  EXPECT_EQ(ReadFile("Skins/Default/skin.ini"), "skinname=S\r\nleft=1\r\n");
  ASSERT_EQ(messages().size(), 1u);
  EXPECT_EQ(messages()[0].title, SkinEditorWindow::kCaption);
  EXPECT_NE(messages()[0].text.find("could not be saved"), std::string::npos);
  EXPECT_FALSE(editor->closed());
  EXPECT_EQ(editor->control("lstParams").items[1], "99");
  EXPECT_EQ(Window(0), w);  // nothing was reloaded
}

TEST_F(EditorsTest, ASkinFileWithAByteOrderMarkIsSavedWithIt) {
  auto w = StartWith("\xEF\xBB\xBFskinname=\xE2\x99\xAB\r\n");
  auto editor = OpenEditor(*w);
  EXPECT_EQ(editor->control("lstParams").items[0], "\xE2\x99\xAB");
  editor->UserClicks("cmdReload");
  EXPECT_EQ(ReadFile("Skins/Default/skin.ini"), "\xEF\xBB\xBFskinname=\xE2\x99\xAB\r\n");
}

TEST_F(EditorsTest, AFileThatCannotBeReadIsReportedAndTheEditorOpensEmpty) {
  auto editor = std::make_shared<SkinEditorWindow>(app_);
  editor->LoadSkin("C:\\Quavero\\Skins\\Gone\\skin.ini");
  ASSERT_EQ(messages().size(), 1u);
  EXPECT_EQ(messages()[0].title, "Error!");
  EXPECT_EQ(messages()[0].icon, platform::Icon::kCritical);
  EXPECT_EQ(messages()[0].text.rfind("There was an error in LoadSkin\r\nErr 76: ", 0), 0u)
      << messages()[0].text;
  EXPECT_EQ(editor->rows(), 0);
  EXPECT_EQ(platform_.windows().OpenDialog(SkinEditorWindow::kCaption), editor);
}

TEST_F(EditorsTest, ChoosingTheEditorAgainBringsTheOpenOneForwardAsItIs) {
  auto w = StartWith("skinname=S\r\n");
  auto editor = OpenEditor(*w);
  editor->UserClicks("cmdAdd");
  EXPECT_EQ(OpenEditor(*w), editor);
  EXPECT_EQ(editor->rows(), 2);  // not read a second time, the added row kept
  EXPECT_EQ(platform_.windows().forwards(), 1);
  editor->Close();
  auto fresh = OpenEditor(*w);
  EXPECT_NE(fresh, editor);
  EXPECT_EQ(fresh->rows(), 1);
}

TEST_F(EditorsTest, SavingASecondSkinReloadsThatSkinWhereItWas) {
  auto first = StartWith("skinname=Main\r\n");
  WriteSkin("Extra", {"skinname=Extra"});
  auto extra = Open("Extra", 1500, 900);
  auto editor = OpenEditor(*extra);
  EXPECT_EQ(editor->path(), Folder("Extra") + "skin.ini");
  editor->UserPicks("lstCommands", 0);
  editor->UserTypes("txtLine", "skinname=Edited");
  editor->UserClicks("cmdReload");
  ASSERT_EQ(app_.CountSkinWindows(), 2);
  EXPECT_EQ(Window(0)->CurPath, Folder("Default"));  // the current skin, as always
  auto reloaded = Window(1);
  EXPECT_NE(reloaded, extra);
  EXPECT_EQ(reloaded->CurPath, Folder("Extra"));
  EXPECT_EQ(reloaded->form().left(), 1500);
  EXPECT_EQ(reloaded->form().top(), 900);
}

// --- the keyboard shortcut manager ---

class ShortcutManagerTest : public EditorsTest {
 protected:
  std::shared_ptr<KeyboardShortcutWindow> Manager(const std::string& skin_lines,
                                                  const std::string& personal) {
    if (!personal.empty()) WriteFile("personal.ini", personal);
    auto w = StartWith(skin_lines);
    return OpenManager(*w);
  }
  const std::vector<std::string>& Items(ui::Dialog& d, const std::string& list) {
    return d.control(list).items;
  }
  std::vector<bool> Boxes(ui::Dialog& d, const char* alt, const char* ctrl, const char* shift,
                          const char* win) {
    return {d.control(alt).checked, d.control(ctrl).checked, d.control(shift).checked,
            d.control(win).checked};
  }
};

TEST_F(ShortcutManagerTest, BothListsFillFromTheirFilesAndTheKeyListsHoldNotationWords) {
  auto m = Manager("skinname=S\r\nkeyboardshortcut=WIN+P;playpause\r\nKeyboardShortcut=ALT+N;"
                   "nexttrack\r\nleft=3\r\nkeyboardshortcut\r\n",
                   "keyboardshortcut=CONTROL+F5;{stop}\r\n");
  ASSERT_NE(m, nullptr);
  EXPECT_THAT(Items(*m, "lstSShortcuts"), ElementsAre("WIN+P;playpause", "ALT+N;nexttrack"));
  EXPECT_THAT(Items(*m, "lstPShortcuts"), ElementsAre("CONTROL+F5;{stop}"));
  for (const char* key_list : {"cmbKeyS", "cmbkeyP"}) {
    const auto& keys = m->control(key_list);
    ASSERT_EQ(keys.items.size(), 66u);
    EXPECT_EQ(keys.list_index, 0);
    EXPECT_EQ(keys.items[12], "Backspace");
    EXPECT_EQ(keys.items[19], "F10");
    EXPECT_EQ(keys.items.back(), "Z");
    hotkeys::KeySettings settings;
    for (const auto& key : keys.items) EXPECT_TRUE(hotkeys::AddKeyWord(settings, key)) << key;
  }
  EXPECT_EQ(Items(*m, "cmbRunCodeS").size(), 32u);
  EXPECT_EQ(Items(*m, "cmbRunCodeP"), Items(*m, "cmbRunCodeS"));
  EXPECT_EQ(Items(*m, "cmbRunCodeS")[14], "playplaylist=");
  EXPECT_EQ(m->control("cmdSendToP").caption, "Send To Personal");
  EXPECT_EQ(m->control("fraPersonal").caption, "Personal Shortcuts");
}

TEST_F(ShortcutManagerTest, SelectingAnEntrySetsTheFieldsAndBoxesWithoutRewritingIt) {
  auto m = Manager("keyboardshortcut=ALT+CONTROL+F5;nexttrack\r\nkeyboardshortcut=WIN+P\r\n",
                   "");
  m->UserPicks("lstSShortcuts", 0);
  EXPECT_EQ(m->control("txtSKeys").text, "ALT+CONTROL+F5");
  EXPECT_EQ(m->control("txtSCode").text, "nexttrack");
  EXPECT_THAT(Boxes(*m, "chkAltS", "chkCtrlS", "chkShiftS", "chkWinS"),
              ElementsAre(true, true, false, false));
  EXPECT_EQ(m->control("cmbKeyS").text, "F5");
  EXPECT_EQ(Items(*m, "lstSShortcuts")[0], "ALT+CONTROL+F5;nexttrack");
  m->UserPicks("lstSShortcuts", 1);  // no ";": the code is empty
  EXPECT_EQ(m->control("txtSCode").text, "");
  EXPECT_THAT(Boxes(*m, "chkAltS", "chkCtrlS", "chkShiftS", "chkWinS"),
              ElementsAre(false, false, false, true));
  EXPECT_EQ(m->control("cmbKeyS").text, "P");
  EXPECT_EQ(Items(*m, "lstSShortcuts")[1], "WIN+P");
}

TEST_F(ShortcutManagerTest, BoxesAndTheKeyListBuildTheNotationAndTheEntryFollows) {
  auto m = Manager("keyboardshortcut=WIN+P;playpause\r\n", "");
  m->UserPicks("lstSShortcuts", 0);
  m->UserTicks("chkShiftS");
  EXPECT_EQ(m->control("txtSKeys").text, "Shift+Win+P");
  EXPECT_EQ(Items(*m, "lstSShortcuts")[0], "Shift+Win+P;playpause");
  m->UserTicks("chkAltS");
  m->UserTicks("chkCtrlS");
  m->UserPicks("cmbKeyS", 19);
  EXPECT_EQ(Items(*m, "lstSShortcuts")[0], "Shift+Control+Alt+Win+F10;playpause");
  m->UserPicks("cmbRunCodeS", 10);
  EXPECT_EQ(Items(*m, "lstSShortcuts")[0], "Shift+Control+Alt+Win+F10;nexttrack");
  m->UserTypes("txtSKeys", "control+numpad3");
  EXPECT_THAT(Boxes(*m, "chkAltS", "chkCtrlS", "chkShiftS", "chkWinS"),
              ElementsAre(false, true, false, false));
  EXPECT_EQ(m->control("cmbKeyS").text, "Numpad3");
  EXPECT_EQ(Items(*m, "lstSShortcuts")[0], "control+numpad3;nexttrack");
  m->UserTypes("txtSKeys", "WIN+MediaNext");  // a word the key list does not hold shows as is
  EXPECT_EQ(m->control("cmbKeyS").text, "MediaNext");
  EXPECT_EQ(Items(*m, "lstPShortcuts").size(), 0u);  // the other frame never moved
}

TEST_F(ShortcutManagerTest, FieldsWithoutASelectedEntryChangeNoEntry) {
  auto m = Manager("keyboardshortcut=WIN+P;playpause\r\n", "");
  m->UserTicks("chkWinP");
  EXPECT_EQ(m->control("txtPKeys").text, "Win+0");
  m->UserTypes("txtSCode", "stop");
  EXPECT_THAT(Items(*m, "lstSShortcuts"), ElementsAre("WIN+P;playpause"));
}

TEST_F(ShortcutManagerTest, AddNewCopiesTheSelectionOrBuildsAnEntryOrTakesTheDefault) {
  auto m = Manager("", "");
  m->UserClicks("cmdsAdd");  // empty notation: the default entry
  EXPECT_THAT(Items(*m, "lstSShortcuts"), ElementsAre("WIN+P;PlayPause"));
  EXPECT_EQ(m->control("lstSShortcuts").list_index, 0);
  EXPECT_EQ(m->control("txtSCode").text, "PlayPause");
  m->UserClicks("cmdsAdd");  // a copy of the selected one
  EXPECT_THAT(Items(*m, "lstSShortcuts"), ElementsAre("WIN+P;PlayPause", "WIN+P;PlayPause"));
  m->UserTypes("txtPKeys", "ALT+Q");
  m->UserClicks("cmdpAdd");  // a notation without a code
  EXPECT_THAT(Items(*m, "lstPShortcuts"), ElementsAre("ALT+Q;PlayPause"));
  m->UserTicks("chkWinP");  // the new entry is selected: it follows the boxes
  EXPECT_THAT(Items(*m, "lstPShortcuts"), ElementsAre("Alt+Win+Q;PlayPause"));
}

TEST_F(ShortcutManagerTest, DeleteAndSendMoveEntriesOnlyWhenOneIsSelected) {
  auto m = Manager("keyboardshortcut=WIN+1;play\r\nkeyboardshortcut=WIN+2;pause\r\n"
                   "keyboardshortcut=WIN+3;stop\r\n",
                   "keyboardshortcut=WIN+9;quit\r\n");
  m->UserClicks("cmdSendToP");
  m->UserClicks("cmdSDelete");
  EXPECT_EQ(Items(*m, "lstSShortcuts").size(), 3u);
  m->UserPicks("lstSShortcuts", 2);
  m->UserClicks("cmdSendToP");
  EXPECT_THAT(Items(*m, "lstSShortcuts"), ElementsAre("WIN+1;play", "WIN+2;pause"));
  EXPECT_THAT(Items(*m, "lstPShortcuts"), ElementsAre("WIN+9;quit", "WIN+3;stop"));
  m->UserPicks("lstPShortcuts", 0);
  m->UserClicks("cmdSendToSkin");
  EXPECT_THAT(Items(*m, "lstSShortcuts"), ElementsAre("WIN+1;play", "WIN+2;pause", "WIN+9;quit"));
  m->UserPicks("lstSShortcuts", 0);
  m->UserClicks("cmdSDelete");
  EXPECT_THAT(Items(*m, "lstSShortcuts"), ElementsAre("WIN+2;pause", "WIN+9;quit"));
}

TEST_F(ShortcutManagerTest, SavingMovesTheShortcutsUnderTheMarkerAndKeepsEveryOtherLine) {
  auto m = Manager("skinname=S\r\nkeyboardshortcut=WIN+1;play\r\nleft=3\r\n"
                   "'Keyboard Shortcuts below added by Keyboard Manager\r\ntop=4\r\n",
                   "keyboardshortcut=WIN+9;quit\r\n");
  m->UserPicks("lstPShortcuts", 0);
  m->UserClicks("cmdSendToSkin");
  m->UserClicks("cmdSave");
  EXPECT_EQ(ReadFile("Skins/Default/skin.ini"),
            "skinname=S\r\nleft=3\r\ntop=4\r\n"
            "'Keyboard Shortcuts below added by Keyboard Manager\r\n"
            "keyboardshortcut=WIN+1;play\r\nkeyboardshortcut=WIN+9;quit\r\n");
  EXPECT_EQ(ReadFile("personal.ini"), "\r\n'Keyboard Shortcuts below added by Keyboard Manager\r\n");
  EXPECT_TRUE(m->closed());
  EXPECT_TRUE(messages().empty());
}

TEST_F(ShortcutManagerTest, TheSavedShortcutsWorkAfterTheReload) {
  auto itunes = SimulatedITunes();
  for (const char* name : {"One", "Two"}) {
    itunes::TrackData t;
    t.name = name;
    itunes->AddLibraryTrack(t);
  }
  itunes->Select(0, 0);
  auto m = Manager("skinname=S\r\n", "");  // no personal.ini yet
  m->UserTypes("txtPKeys", "CONTROL+ALT+N");
  m->UserClicks("cmdpAdd");
  m->UserPicks("cmbRunCodeP", 10);
  m->UserClicks("cmdSave");
  EXPECT_EQ(ReadFile("personal.ini"),
            "\r\n'Keyboard Shortcuts below added by Keyboard Manager\r\n"
            "keyboardshortcut=CONTROL+ALT+N;nexttrack\r\n");
  EXPECT_TRUE(platform_.hotkeys().Press(hotkeys::kControl | hotkeys::kAlt, 'N'));
  EXPECT_EQ(itunes->CurrentTrack()->Name(), "Two");
}

TEST_F(ShortcutManagerTest, EachEntryShowsWhatBecameOfItsShortcut) {
  platform_.hotkeys().HoldElsewhere(hotkeys::kWin, 'O');
  auto m = Manager("keyboardshortcut=WIN+P;play\r\nkeyboardshortcut=WIN+P;stop\r\n"
                   "keyboardshortcut=WIN+O;pause\r\nkeyboardshortcut=WIN + P;pause\r\n",
                   "keyboardshortcut=WIN+I;quit\r\n");
  EXPECT_THAT(m->control("lstSShortcuts").notes,
              ElementsAre("active", "in conflict", "refused: Hot key is already registered.",
                          "not active"));
  EXPECT_THAT(m->control("lstPShortcuts").notes, ElementsAre("active"));
  m->UserPicks("lstSShortcuts", 0);
  m->UserPicks("cmbRunCodeS", 13);
  EXPECT_EQ(m->control("lstSShortcuts").notes[0], "not loaded");  // edited: not yet in effect
}

TEST_F(ShortcutManagerTest, ASaveThatFailsKeepsBothFilesAndTheWindow) {
  auto m = Manager("skinname=S\r\nkeyboardshortcut=WIN+1;play\r\n", "keyboardshortcut=WIN+9;quit\r\n");
  m->UserPicks("lstSShortcuts", 0);
  m->UserClicks("cmdSDelete");
  BlockSaving("Skins/Default/skin.ini");
  m->UserClicks("cmdSave");
  EXPECT_EQ(ReadFile("Skins/Default/skin.ini"), "skinname=S\r\nkeyboardshortcut=WIN+1;play\r\n");
  EXPECT_EQ(ReadFile("personal.ini"), "keyboardshortcut=WIN+9;quit\r\n");
  ASSERT_EQ(messages().size(), 1u);
  EXPECT_EQ(messages()[0].title, KeyboardShortcutWindow::kCaption);
  EXPECT_FALSE(m->closed());
  EXPECT_TRUE(Items(*m, "lstSShortcuts").empty());
}

TEST_F(ShortcutManagerTest, ReloadDiscardsTheEditsAndCancelSavesNothing) {
  auto m = Manager("keyboardshortcut=WIN+1;play\r\n", "");
  m->UserClicks("cmdsAdd");
  m->UserClicks("cmdReload");
  EXPECT_THAT(Items(*m, "lstSShortcuts"), ElementsAre("WIN+1;play"));
  m->UserClicks("cmdsAdd");
  m->UserClicks("cmdCancel");
  EXPECT_TRUE(m->closed());
  EXPECT_EQ(ReadFile("Skins/Default/skin.ini"), "keyboardshortcut=WIN+1;play\r\n");
  EXPECT_FALSE(Exists("personal.ini"));
}

}  // namespace
}  // namespace quavero::test
