// The tray and menu window and the options window: the menu tree, its commands on their
// caller, the tray icon's messages, and the options saved.
#include "itunes/simulated_itunes.h"
#include "shell/menus_window.h"
#include "shell/options_window.h"
#include "skin_fixture.h"

namespace quavero::test {
namespace {

using ::testing::ElementsAre;

class ShellTest : public SkinFixture {
 protected:
  ShellTest() {
    WriteSkin("Default", {"skinname=Default", "left=10", "top=10"});
    WriteSkin("blue", {"skinname=Blue", "left=300", "top=10"});
    WriteSkin("Compact", {"skinname=Compact", "left=600", "top=10"});
    app_.SetTrayWindowFactory(shell::LoadMenusWindow);
  }
  void Start() { app_.Startup(""); }
  std::shared_ptr<skin::SkinWindow> Window(size_t i) { return app_.SkinWindows().at(i); }
  std::vector<std::string> Captions(const ui::MenuEntry& menu) {
    std::vector<std::string> captions;
    for (const auto& e : menu.entries) captions.push_back(e.caption);
    return captions;
  }
  const ui::MenuEntry& Sub(const ui::MenuEntry& menu, const std::string& name) {
    for (const auto& e : menu.entries)
      if (e.name == name) return e;
    throw std::logic_error(name);
  }
  bool Enabled(const ui::MenuEntry& menu, const std::string& name) { return Sub(menu, name).enabled; }
  void Choose(const std::string& name, int index = -1) {
    platform_.windows().QueueMenuChoice({name, index});
  }
  // The right button released on a skin window's background.
  void RightClick(skin::SkinWindow& w) { platform_.windows().Click(w.form(), 1, 1, ui::mouse::kRight); }
  auto& Shell() { return platform_.shell(); }
};

TEST_F(ShellTest, TheMenuHoldsEveryEntryAndTheSkinsInNameOrder) {
  Start();
  RightClick(*Window(0));
  ASSERT_EQ(platform_.windows().menus().size(), 1u);
  const auto& menu = platform_.windows().menus()[0];
  EXPECT_EQ(menu.name, "mnuRightClick");
  EXPECT_THAT(Captions(menu), ElementsAre("Help Documents", "Reload", "Load Skin", "Move Skin",
                                          "Manage Keyboard Shortcuts", "Skin Configuration",
                                          "Options", "Close Skin", "Quit"));
  EXPECT_THAT(Captions(Sub(menu, "mnuHelp")),
              ElementsAre("Quavero Help", "Quavero Changes", "Skin Creation Guide"));
  EXPECT_THAT(Captions(Sub(menu, "mnuLoadSkin")),
              ElementsAre("blue", "Compact", "Default", "Refresh Skin List"));
  EXPECT_EQ(Sub(menu, "mnuLoadSkin").entries[1].name, "mnuSKin");
  EXPECT_EQ(Sub(menu, "mnuLoadSkin").entries[1].index, 1);
  EXPECT_TRUE(Enabled(menu, "mnuCloseSkin"));
  EXPECT_TRUE(Enabled(menu, "mnuKeyboard"));
  EXPECT_TRUE(Shell().tray_shown());
  EXPECT_EQ(Shell().tray_tip(), "Quavero");
}

TEST_F(ShellTest, CloseSkinOnTheSecondWindowClosesOnlyThatOne) {
  Start();
  auto first = Window(0);
  auto second = app_.OpenSkinWindow(Folder("blue"), -99, -99, false);
  Choose("mnuCloseSkin");
  RightClick(*second);
  EXPECT_TRUE(second->unloaded());
  EXPECT_FALSE(first->unloaded());
  Choose("mnuMoveSkin");
  RightClick(*first);
  EXPECT_TRUE(first->lblMove.visible());
}

TEST_F(ShellTest, TheTrayMenuActsOnTheWindowActivatedLastAndGreysWhatNeedsOne) {
  Start();
  auto first = Window(0);
  auto second = app_.OpenSkinWindow(Folder("blue"), -99, -99, false);
  platform_.windows().Activate(first->form());
  Choose("mnuCloseSkin");
  Shell().TrayMessage(517);
  EXPECT_TRUE(first->unloaded());
  EXPECT_FALSE(second->unloaded());

  auto alone = std::make_shared<shell::MenusWindow>(app_);
  alone->ShowMenu("", nullptr);  // no skin window to act on
  const auto& menu = platform_.windows().menus().back();
  EXPECT_FALSE(Enabled(menu, "mnuMoveSkin"));
  EXPECT_FALSE(Enabled(menu, "mnuCloseSkin"));
  EXPECT_FALSE(Enabled(menu, "mnuKeyboard"));
  EXPECT_FALSE(Enabled(menu, "mnuEditSkin"));
  EXPECT_TRUE(Enabled(menu, "mnuReload"));
}

TEST_F(ShellTest, ADoubleClickOnTheIconOnlyAsks) {
  Start();
  Shell().TrayMessage(515);
  EXPECT_THAT(MessageTexts(), ElementsAre("show quavero prefs?"));
  EXPECT_TRUE(platform_.windows().menus().empty());
  Shell().TrayMessage(512);  // a move over the icon does nothing
  EXPECT_EQ(messages().size(), 1u);
}

TEST_F(ShellTest, ChoosingASkinSwitchesToItWithoutQuittingITunes) {
  auto itunes = SimulatedITunes();
  platform_.settings().Save("Quavero", "Options", "CloseiTunesOnExit", "1");
  Start();
  auto old = Window(0);
  Choose("mnuSKin", 1);  // "Compact"
  RightClick(*old);
  EXPECT_TRUE(old->unloaded());
  ASSERT_EQ(app_.CountSkinWindows(), 1);
  EXPECT_EQ(Window(0)->form().tag(), "Compact");
  EXPECT_EQ(Setting("CurrentSkin"), "Compact");
  EXPECT_FALSE(itunes->quit());
  EXPECT_FALSE(app_.ended());
  EXPECT_TRUE(Shell().tray_shown());  // a new tray window with it

  Choose("mnuReload");
  Shell().TrayMessage(517);
  EXPECT_EQ(Window(0)->form().tag(), "Compact");
  EXPECT_FALSE(itunes->quit());
}

TEST_F(ShellTest, RefreshSkinListShowsAFolderAddedSince) {
  Start();
  WriteSkin("Amber", {"skinname=Amber"});
  Choose("mnuRefreshList");
  RightClick(*Window(0));
  RightClick(*Window(0));
  const auto& menu = platform_.windows().menus().back();
  EXPECT_THAT(Captions(Sub(menu, "mnuLoadSkin")),
              ElementsAre("Amber", "blue", "Compact", "Default", "Refresh Skin List"));
  EXPECT_EQ(Shell().tray_adds(), 1);  // the icon was there already
}

TEST_F(ShellTest, QuitClosesEverythingAndTheIconGoes) {
  Start();
  app_.OpenSkinWindow(Folder("blue"), -99, -99, false);
  Choose("mnuQuit");
  Shell().TrayMessage(517);
  EXPECT_EQ(app_.CountSkinWindows(), 0);
  EXPECT_TRUE(app_.ended());
  EXPECT_FALSE(Shell().tray_shown());
}

TEST_F(ShellTest, WithNoSkinOpenTheIconStillReachesTheProgramAndQuitEndsIt) {
  app_.Startup(Folder("blue"));  // a folder without a position opens nothing
  EXPECT_EQ(app_.CountSkinWindows(), 0);
  EXPECT_TRUE(Shell().tray_shown());
  EXPECT_FALSE(app_.ended());
  Choose("mnuQuit");
  Shell().TrayMessage(517);
  EXPECT_TRUE(app_.ended());
}

TEST_F(ShellTest, HelpDocumentsOpenBesideTheProgram) {
  Start();
  for (const char* entry : {"mnuDocHelp", "mnuDocChanges", "mnuSKinCreate"}) {
    Choose(entry);
    RightClick(*Window(0));
  }
  const auto& opened = Shell().opened();
  ASSERT_EQ(opened.size(), 4u);  // iTunes at start, then the three documents
  EXPECT_EQ(opened[1].file, "C:\\Quavero\\Quavero Help.doc");
  EXPECT_EQ(opened[2].file, "C:\\Quavero\\Quavero Changes.doc");
  EXPECT_EQ(opened[3].file, "C:\\Quavero\\Quavero Creation.doc");
}

TEST_F(ShellTest, InDeskbandModeTheMenuWindowSetsUpNothing) {
  WriteFile("Deskband/Default/skin.ini", "skinname=Band\r\n");
  app_.Startup("Deskband 4096");
  shell::MenusWindow menus(app_);
  menus.Form_Load();
  EXPECT_FALSE(Shell().tray_shown());
  EXPECT_THAT(Captions(Sub(menus.mnuRightClick(), "mnuLoadSkin")),
              ElementsAre("Default", "Refresh Skin List"));  // the design entry only
}

TEST_F(ShellTest, OptionsShowTheirDefaultsAndSaveTheOptionFile) {
  Start();
  bool escaped_once = false;
  platform_.windows().QueueDialogScript([&](ui::Dialog& d) {
    EXPECT_EQ(d.caption(), "Options");
    EXPECT_TRUE(d.control("chkCloseiTunes").checked);
    EXPECT_TRUE(d.control("chkOpenWithItunes").checked);
    EXPECT_TRUE(d.control("chkQuaveroIcon").checked);
    EXPECT_EQ(d.control("txtLyrics").text, "APPPATH\\Lyrics\\");
    EXPECT_EQ(d.control("cmdSave").caption, "Save Settings");
    EXPECT_EQ(d.control("Label1").caption,
              "For this feature, Quavero must be in the directory: Program Files\\Quavero\\");
    escaped_once = true;  // Escape: nothing saved
  });
  Choose("mnuOptions");
  RightClick(*Window(0));
  EXPECT_TRUE(escaped_once);
  EXPECT_FALSE(Exists("openwithitunes.opt"));
  EXPECT_EQ(Setting("OpenQuaveroWithiTunes"), "<missing>");

  platform_.windows().QueueDialogScript([](ui::Dialog& d) {
    d.control("chkOpenWithItunes").checked = false;
    d.control("txtLyrics").text = "D:\\Lyrics\\";
    d.OnClick("cmdSave");
    EXPECT_TRUE(d.closed());
  });
  Choose("mnuOptions");
  RightClick(*Window(0));
  EXPECT_EQ(ReadFile("openwithitunes.opt"), "0\r\n");
  EXPECT_EQ(Setting("OpenQuaveroWithiTunes"), "0");
  EXPECT_EQ(Setting("CloseiTunesOnExit"), "1");
  EXPECT_EQ(Setting("QuaveroTrayIcon"), "1");
  EXPECT_EQ(Setting("CantixPath"), "D:\\Lyrics\\");
}

TEST_F(ShellTest, AnOptionFileThatCannotBeWrittenIsReportedAndTheWindowStays) {
  Start();
  std::filesystem::create_directories(root_ / "openwithitunes.opt");  // a folder in its way
  platform_.windows().QueueDialogScript([](ui::Dialog& d) {
    d.control("chkCloseiTunes").checked = false;
    d.OnClick("cmdSave");
    EXPECT_FALSE(d.closed());
    EXPECT_FALSE(d.control("chkCloseiTunes").checked);  // the user's choice is still there
  });
  Choose("mnuOptions");
  RightClick(*Window(0));
  ASSERT_EQ(messages().size(), 1u);
  EXPECT_NE(messages()[0].text.find("could not be written"), std::string::npos);
  EXPECT_EQ(Setting("CloseiTunesOnExit"), "<missing>");
}

TEST_F(ShellTest, TheIconHidesWhenTurnedOffButNeverLeavesTheProgramUnreachable) {
  platform_.settings().Save("Quavero", "Options", "QuaveroTrayIcon", "0");
  Start();
  EXPECT_FALSE(Shell().tray_shown());  // a skin window is open: its menu is there
  platform_.settings().Save("Quavero", "Options", "QuaveroTrayIcon", "1");
  platform_.windows().QueueDialogScript([](ui::Dialog& d) { d.OnClick("cmdSave"); });
  Choose("mnuOptions");
  RightClick(*Window(0));
  EXPECT_TRUE(Shell().tray_shown());
}

}  // namespace
}  // namespace quavero::test
