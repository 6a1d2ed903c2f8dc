// Start-up, the command line, switching skins and the shared operations of the start-up module.
#include "app/settings.h"
#include "skin_fixture.h"

namespace quavero::test {
namespace {

class StartupTest : public SkinFixture {
 protected:
  StartupTest() {
    WriteSkin("Default", {"skinname=Default"});
    WriteSkin("Other", {"skinname=Other"});
  }
  std::vector<std::string> OpenTags() {
    std::vector<std::string> tags;
    for (const auto& w : app_.SkinWindows()) tags.push_back(w->form().tag());
    return tags;
  }
  void SaveSetting(const std::string& key, const std::string& value) {
    platform_.settings().Save("Quavero", "Options", key, value);
  }
};

TEST_F(StartupTest, FirstStartCountsOneStartsITunesAndOpensDefault) {
  app_.Startup("");
  EXPECT_EQ(Setting("RunCount"), "1");
  ASSERT_EQ(platform_.shell().opened().size(), 1u);
  EXPECT_EQ(platform_.shell().opened()[0].file, "iTunes");
  EXPECT_EQ(platform_.shell().opened()[0].parameters, "1");
  EXPECT_THAT(OpenTags(), ::testing::ElementsAre("Default"));
  EXPECT_TRUE(app_.SkinWindows()[0]->form().visible());
  EXPECT_FALSE(app_.ended());
}

// The desk band names a skin by setting the text of the window communicate.hwnd names.
TEST_F(StartupTest, TheProgramPublishesItsHandleAndOpensTheSkinsTheBandAsksFor) {
  app_.Startup("");
  EXPECT_EQ(ReadFile("communicate.hwnd"), "4711\r\n");
  WriteFile("DeskBand/Default/Small/skin.ini", "skinname=Small\r\n");
  platform_.windows().SendText("C:\\Quavero\\DeskBand\\Default\\Small|12150|0");
  EXPECT_THAT(OpenTags(), ::testing::ElementsAre("Default", "Small"));
  EXPECT_EQ(app_.SkinWindows()[1]->form().left(), 12150);
  platform_.windows().SendText("not a request");
  EXPECT_EQ(OpenTags().size(), 2u);
  app_.CloseAllWindows();
  EXPECT_TRUE(app_.ended());
  EXPECT_FALSE(Exists("communicate.hwnd"));
}

TEST_F(StartupTest, RunCountGrowsAndTextCountsAsZero) {
  SaveSetting("RunCount", "41");
  app_.Startup("");
  EXPECT_EQ(Setting("RunCount"), "42");
  SaveSetting("RunCount", "many");
  platform_.instance().another_running = false;  // the first has ended
  app::Application second(platform_);
  second.Startup("");
  EXPECT_EQ(Setting("RunCount"), "1");
}

TEST_F(StartupTest, TheCurrentSkinOpensAndAMissingOneFallsBackToDefault) {
  SaveSetting("CurrentSkin", "Other");
  app_.Startup("");
  EXPECT_THAT(OpenTags(), ::testing::ElementsAre("Other"));

  platform_.instance().another_running = false;  // the first has ended
  app::Application again(platform_);
  SaveSetting("CurrentSkin", "Deleted");
  again.Startup("");
  ASSERT_EQ(again.SkinWindows().size(), 1u);
  EXPECT_EQ(again.SkinWindows()[0]->form().tag(), "Default");
  EXPECT_EQ(Setting("CurrentSkin"), "Deleted");
}

TEST_F(StartupTest, CommandLineDefaultOpensDefaultWithoutChangingTheCurrentSkin) {
  SaveSetting("CurrentSkin", "Other");
  app_.Startup("DEFAULT");
  EXPECT_THAT(OpenTags(), ::testing::ElementsAre("Default"));
  EXPECT_EQ(Setting("CurrentSkin"), "Other");
  EXPECT_EQ(platform_.shell().opened().size(), 1u);
}

TEST_F(StartupTest, AFolderWithAPositionOpensThatSkinThereWithoutStartingITunes) {
  app_.Startup("\"" + Folder("Other") + "\"|120|240");
  ASSERT_EQ(app_.SkinWindows().size(), 1u);
  auto w = app_.SkinWindows()[0];
  EXPECT_EQ(w->form().tag(), "Other");
  EXPECT_EQ(w->form().left(), 120);
  EXPECT_EQ(w->form().top(), 240);
  EXPECT_TRUE(platform_.shell().opened().empty());
  EXPECT_EQ(Setting("RunCount"), "1");
}

TEST_F(StartupTest, AMalformedCommandLineOpensNothingSilently) {
  app_.Startup(Folder("Other"));
  EXPECT_TRUE(app_.SkinWindows().empty());
  EXPECT_TRUE(messages().empty());
  EXPECT_TRUE(app_.ended());

  app::Application overflow(platform_);
  overflow.Startup(Folder("Other") + "|99999|0");
  EXPECT_TRUE(overflow.SkinWindows().empty());
  EXPECT_TRUE(messages().empty());
}

TEST_F(StartupTest, ASecondInstanceEndsAtOnceAndChangesNothing) {
  platform_.instance().another_running = true;
  app_.Startup("");
  EXPECT_TRUE(app_.ended());
  EXPECT_EQ(Setting("RunCount"), "<missing>");
  EXPECT_TRUE(platform_.shell().opened().empty());
  EXPECT_TRUE(app_.SkinWindows().empty());
}

TEST_F(StartupTest, DeskbandModeAlwaysStartsAndOpensTheDeskbandSkinInTheGivenWindow) {
  platform_.instance().another_running = true;
  WriteFile("Deskband/Default/skin.ini", "skinname=Band\r\n");
  app_.Startup("Deskband 65552");
  EXPECT_TRUE(app_.DeskbandMode());
  ASSERT_EQ(app_.SkinWindows().size(), 1u);
  auto w = app_.SkinWindows()[0];
  EXPECT_TRUE(w->IsDeskbar);
  EXPECT_EQ(w->form().parent(), 65552);
  EXPECT_EQ(w->form().left(), 0);
  EXPECT_EQ(Setting("RunCount"), "<missing>");
  EXPECT_TRUE(platform_.shell().opened().empty());
}

TEST_F(StartupTest, ANormalStartEndsAtOnceWhileTheProgramRunsInDeskbandMode) {
  WriteFile("Deskband/Default/skin.ini", "skinname=Band\r\n");
  app_.Startup("Deskband 65552");
  app::Application second(platform_);
  second.Startup("");
  EXPECT_TRUE(second.ended());
  EXPECT_TRUE(second.SkinWindows().empty());
  EXPECT_EQ(Setting("RunCount"), "<missing>");
}

TEST_F(StartupTest, AnyNumberAfterDeskbandIsReadAsAHandleOrNone) {
  WriteFile("Deskband/Default/skin.ini", "skinname=Band\r\n");
  const std::pair<const char*, ui::WindowHandle> cases[] = {
      {"Deskband 1e30", 0}, {"Deskband -1e300", 0}, {"Deskband 1e400", 0},
      {"Deskband 12.5", 0}, {"Deskband &HFFFFFFFF", 4294967295}, {"Deskband x", 0},
      {"Deskband 4096", 4096}};
  for (const auto& [line, handle] : cases) {
    app::Application band(platform_);
    band.Startup(line);
    ASSERT_EQ(band.SkinWindows().size(), 1u) << line;
    EXPECT_EQ(band.SkinWindows()[0]->form().parent(), handle) << line;
  }
}

TEST_F(StartupTest, TheTrayWindowIsLoadedAtStartAndClosedWithTheLastSkinWindow) {
  struct Tray : app::TrayWindow {
    void ShowMenu(const std::string&, std::shared_ptr<skin::SkinWindow>) override {}
    void Unload() override { gone = true; }
    bool unloaded() const override { return gone; }
    bool gone = false;
  };
  int loads = 0;
  std::shared_ptr<Tray> last;
  app_.SetTrayWindowFactory([&](app::Application&) {
    ++loads;
    last = std::make_shared<Tray>();
    return last;
  });
  app_.Startup("");
  EXPECT_EQ(loads, 1);
  app_.SkinWindows()[0]->Unload();
  EXPECT_TRUE(last->gone);
  EXPECT_TRUE(app_.ended());
}

TEST_F(StartupTest, SwitchSkinReopensEverythingWithTheNewSkin) {
  app_.Startup("");
  auto old = app_.SkinWindows()[0];
  app_.SwitchSkin("Other");
  EXPECT_TRUE(old->unloaded());
  EXPECT_THAT(OpenTags(), ::testing::ElementsAre("Other"));
  EXPECT_EQ(Setting("CurrentSkin"), "Other");
  EXPECT_FALSE(app_.ended());
  EXPECT_FALSE(app_.SwitchingSkin());
}

TEST_F(StartupTest, ClosingTheLastWindowWithCloseiTunesOnExitEndsTheProgramButASwitchDoesNot) {
  SaveSetting("CloseiTunesOnExit", "1");
  app_.Startup("");
  app_.SwitchSkin("Other");
  EXPECT_FALSE(app_.ended());
  app_.SkinWindows()[0]->Unload();
  EXPECT_TRUE(app_.ended());
}

TEST_F(StartupTest, CloseAllWindowsEndsTheProgram) {
  app_.Startup("");
  Open("Other");
  app_.CloseAllWindows();
  EXPECT_TRUE(app_.SkinWindows().empty());
  EXPECT_TRUE(app_.ended());
}

TEST_F(StartupTest, SharedOperations) {
  EXPECT_EQ(app_.GetTempFolder(), "C:\\Temp");
  platform_.windows().SetCursorPos(10, 10);
  EXPECT_TRUE(app_.CursorInRect(9, 9, 2, 2));
  EXPECT_FALSE(app_.CursorInRect(10, 9, 5, 5));  // on the edge counts as outside
  EXPECT_FALSE(app_.CursorInRect(5, 5, 5, 5));
  using app::Compare;
  EXPECT_TRUE(app::Application::StartsWithText("Ctrl+Alt+P", "ctrl", Compare::kText));
  EXPECT_FALSE(app::Application::StartsWithText("Ctrl+Alt+P", "ctrl", Compare::kBinary));
  EXPECT_TRUE(app::Application::StartsWithText("Ctrl", "Ctrl", Compare::kBinary));
  EXPECT_FALSE(app::Application::StartsWithText("Ct", "Ctrl", Compare::kText));
  WritePicture("a.png");
  EXPECT_EQ(app_.LoadPictureFile("C:\\Quavero\\A.PNG")->width, 16);
  try {
    app_.LoadPictureFile("C:\\Quavero\\none.png");
    ADD_FAILURE();
  } catch (const Failure& f) {
    EXPECT_EQ(f.number(), 5);
    EXPECT_EQ(f.description(), "Cannot load file");
  }
}

}  // namespace
}  // namespace quavero::test
