// Loading a skin into its window: the file as a whole, position.ini, personal.ini, closing.
#include "skin_fixture.h"

namespace quavero::test {
namespace {

using ::testing::ElementsAre;

class LoadSkinTest : public SkinFixture {};

TEST_F(LoadSkinTest, AMissingSkinFileGivesOneMessageAndAnEmptyWindow) {
  auto w = Open("Nowhere");
  EXPECT_THAT(MessageTexts(),
              ElementsAre("There was an error in LoadSkin\r\nErr 76: Path not found"));
  EXPECT_EQ(w->form().tag(), "loadedbyskin");
  EXPECT_EQ(w->CurPath, Folder("Nowhere"));
  EXPECT_EQ(w->lblInfo.UBound(), 0);
  EXPECT_FALSE(w->unloaded());
}

TEST_F(LoadSkinTest, AFolderWithoutSkinFileIsFileNotFound) {
  WriteFile("Skins/Empty/readme.txt", "x");
  Open("Empty");
  EXPECT_THAT(MessageTexts(),
              ElementsAre("There was an error in LoadSkin\r\nErr 53: File not found"));
}

TEST_F(LoadSkinTest, ASkinFileThatIsAFolderIsAPathAccessError) {
  std::filesystem::create_directories(root_ / "Skins/Odd/skin.ini");
  Open("Odd");
  EXPECT_THAT(MessageTexts(),
              ElementsAre("There was an error in LoadSkin\r\nErr 75: Path/File access error"));
}

TEST_F(LoadSkinTest, LinesEndAtCrButNotAtLoneLf) {
  WriteFile("Skins/Test/skin.ini", "skinname=A\rwidth=10\nheight=20\r\n");
  auto w = Open("Test");
  EXPECT_EQ(w->form().tag(), "A");
  EXPECT_EQ(w->form().width(), 10 * 15);  // "10\nheight=20" reads as 10
  EXPECT_EQ(w->form().height(), 315);
}

TEST_F(LoadSkinTest, AUtf8SkinWithByteOrderMarkReadsItsText) {
  WriteFile("Skins/Test/skin.ini", "\xEF\xBB\xBFskinname=Caf\xC3\xA9\r\n");
  EXPECT_EQ(Open("Test")->form().tag(), "Caf\xC3\xA9");
}

TEST_F(LoadSkinTest, ACodePageSkinIsReadAsWindows1252) {
  WriteFile("Skins/Test/skin.ini", "skinname=Caf\xE9 \x80\r\n");
  EXPECT_EQ(Open("Test")->form().tag(), "Caf\xC3\xA9 \xE2\x82\xAC");
}

TEST_F(LoadSkinTest, RememberedPositionIsWrittenOnCloseAndReadOnLoad) {
  WriteSkin("Test", {"skinname=T", "left=10", "top=20", "rememberpos=true"});
  auto w = Open("Test");
  EXPECT_EQ(w->form().left(), 150);
  w->form().SetLeft(13560);
  w->form().SetTop(-150);
  w->Unload();
  EXPECT_EQ(ReadFile("Skins/Test/position.ini"), " 13560\r\n-150\r\n");

  auto again = Open("Test");
  EXPECT_EQ(again->form().left(), 13560);
  EXPECT_EQ(again->form().top(), -150);  // 10 pixels above the screen: the rest shows
}

TEST_F(LoadSkinTest, ARememberedPlaceNoMonitorShowsGivesWayToTheSkinsOwn) {
  WriteSkin("Test", {"skinname=T", "left=10", "top=20", "width=100", "height=40", "rememberpos=true"});
  // A second monitor on the right was removed since: the place was on it.
  WriteFile("Skins/Test/position.ini", "22500\r\n3000\r\n");
  auto w = Open("Test");
  EXPECT_EQ(w->form().left(), 150);
  EXPECT_EQ(w->form().top(), 300);

  // Still there: the place stays, on the monitor that shows it.
  w->Unload();
  platform_.windows().SetWorkAreas({{0, 0, 1024, 728}, {1024, 0, 2304, 1024}});
  WriteFile("Skins/Test/position.ini", "22500\r\n3000\r\n");
  EXPECT_EQ(Open("Test")->form().left(), 22500);
}

TEST_F(LoadSkinTest, WhenTheSkinsOwnPlaceIsOffScreenTooTheWindowMovesIntoTheNearestWorkArea) {
  WriteSkin("Test", {"skinname=T", "left=1200", "top=700", "width=100", "height=40", "rememberpos=true"});
  platform_.windows().SetWorkAreas({{0, 0, 800, 560}, {-1280, 0, 0, 1024}});
  WriteFile("Skins/Test/position.ini", "-30000\r\n30000\r\n");  // far below the left monitor
  auto w = Open("Test");
  // The skin's own place (1200, 700) is off both: the nearest is the right one's corner.
  EXPECT_EQ(w->form().left(), (800 - 100) * 15);
  EXPECT_EQ(w->form().top(), (560 - 40) * 15);
  EXPECT_TRUE(messages().empty());
}

TEST_F(LoadSkinTest, ABrokenPositionFileIsReportedAndLeavesNoWindowOffScreen) {
  WriteSkin("Test", {"skinname=T", "left=10", "top=20", "rememberpos=true"});
  WriteFile("Skins/Test/position.ini", "-90000\r\n");  // no second line
  auto w = Open("Test");
  EXPECT_EQ(messages().size(), 1u);
  EXPECT_EQ(w->form().left(), 150);
}

TEST_F(LoadSkinTest, APositionGivenByTheCallerWinsOverSkinAndPositionFile) {
  WriteSkin("Test", {"skinname=T", "left=10", "rememberpos=1"});
  WriteFile("Skins/Test/position.ini", "300\r\n400\r\n");
  auto w = Open("Test", 120, -99);
  EXPECT_EQ(w->form().left(), 120);
  EXPECT_EQ(w->form().top(), 400);
}

TEST_F(LoadSkinTest, WithoutRememberPosNoPositionFileIsReadOrWritten) {
  WriteSkin("Test", {"skinname=T", "left=10"});
  WriteFile("Skins/Test/position.ini", "300\r\n400\r\n");
  auto w = Open("Test");
  EXPECT_EQ(w->form().left(), 150);
  std::filesystem::remove(root_ / "Skins/Test/position.ini");
  w->Unload();
  EXPECT_FALSE(Exists("Skins/Test/position.ini"));
}

TEST_F(LoadSkinTest, APositionFileWithTextOrOneLineNeverCrashes) {
  WriteSkin("Test", {"skinname=T", "left=10", "rememberpos=1"});
  WriteFile("Skins/Test/position.ini", "hello\r\n");
  auto w = Open("Test");
  EXPECT_EQ(w->form().left(), 0);
  EXPECT_THAT(MessageTexts(),
              ElementsAre("There was an error in LoadSkin\r\nErr 62: Input past end of file"));
}

TEST_F(LoadSkinTest, PersonalShortcutsAreReadForTheOnlySkinWindow) {
  WriteFile("personal.ini", "keyboardshortcut=Ctrl+P;playpause\r\n");
  WriteSkin("Test", {"skinname=T"});
  auto first = Open("Test");
  auto second = Open("Test");
  ASSERT_EQ(first->KeyShortcuts.size(), 2u);
  EXPECT_EQ(first->KeyShortcuts[0].code, "playpause");
  EXPECT_EQ(second->KeyShortcuts.size(), 1u);
  EXPECT_TRUE(messages().empty());
}

TEST_F(LoadSkinTest, AMissingPersonalFileIsTreatedAsEmpty) {
  WriteSkin("Test", {"skinname=T"});
  Open("Test");
  EXPECT_TRUE(messages().empty());
}

TEST_F(LoadSkinTest, BadInputNeverCrashesOrHangs) {
  std::string garbage;
  for (int i = 0; i < 70000; ++i) garbage += static_cast<char>((i * 7919) % 256);
  WriteFile("Skins/Garbage/skin.ini", garbage);
  auto g = Open("Garbage");
  EXPECT_FALSE(g->unloaded());

  WriteFile("Skins/Long/skin.ini", "skinname=" + std::string(1 << 20, 'x') + "\r\nwidth=10");
  EXPECT_EQ(Open("Long")->form().width(), 150);

  std::string many;
  for (int i = 0; i < 100000; ++i) many += "label=1;1;1;1;x\r\n";
  auto m = Open("Many");  // missing folder first: one message, no elements
  WriteFile("Skins/Many/skin.ini", many);
  EXPECT_EQ(Open("Many")->lblInfo.UBound(), 100000);
}

// Skins that once brought the program down.
TEST_F(LoadSkinTest, ASkinThatOpensItselfWhileLoadingIsRefused) {
  for (const char* code : {"showskin=||", "showskin=.\\", "showskin=|10|10",
                           "showskin=sub\\..\\"}) {
    WriteSkin("Self", {"skinname=Self", std::string("runcode=") + code});
    int beeps = platform_.windows().beeps();
    Open("Self");
    EXPECT_EQ(app_.CountSkinWindows(), 1) << code;
    EXPECT_EQ(platform_.windows().beeps(), beeps + 1) << code;  // no iTunes: a failed code beeps
    app_.SkinWindows()[0]->Unload();
  }
  // A later opening of the same skin (not from its own loading code) is allowed.
  WriteSkin("Self", {"skinname=Self", "timerevent=1000;showskin=.\\"});
  Open("Self");
  platform_.loop().Advance(1000);
  EXPECT_EQ(app_.CountSkinWindows(), 2);
}

TEST_F(LoadSkinTest, SkinsOpenedFromLoadingCodeNestOnlyAFewDeep) {
  std::string folder = "Skins/Deep";
  for (int i = 0; i < 10; ++i, folder += "/d")
    WriteFile(folder + "/skin.ini", "skinname=D" + std::to_string(i) + "\r\nruncode=showskin=d\\\r\n");
  Open("Deep");
  EXPECT_EQ(app_.CountSkinWindows(), static_cast<int>(app::Application::kMaxLoadingDepth));
  // A cycle of two skins stops where it would come back.
  WriteFile("Skins/A/skin.ini", "skinname=A\r\nruncode=showskin=b\\\r\n");
  WriteFile("Skins/A/b/skin.ini", "skinname=B\r\nruncode=showskin=..\\\r\n");
  int before = app_.CountSkinWindows();
  Open("A");
  EXPECT_EQ(app_.CountSkinWindows(), before + 2);
}

TEST_F(LoadSkinTest, AbsurdNumbersAreHeldToWhatWindowsCanShowOrOverflow) {
  auto w = Load({"skinname=Big", "left=1e30", "top=-1e30", "width=1e300", "height=1e12",
                 "label=1e300;0;-1e300;1e20;x", "labelfont=1;Arial;2000000000", "width=1e400",
                 "transparency=&H1FFFFFFFF", "showaction=slideup"});
  EXPECT_EQ(w->form().left(), 32767 * 15);
  EXPECT_EQ(w->form().top(), -32767 * 15);
  EXPECT_EQ(w->form().width(), 32767 * 15);
  EXPECT_EQ(w->form().height(), 32767 * 15);  // and the slide-up ended
  EXPECT_EQ(w->lblInfo(1).left(), 32767);
  EXPECT_EQ(w->lblInfo(1).width(), -32767);
  EXPECT_EQ(w->lblInfo(1).font().size, 1638);
  EXPECT_EQ(w->scrollWidth(1).font().size, 1638);
  EXPECT_THAT(MessageTexts(), ElementsAre(LineError("Unknown Error: Overflow", "width=1e400"),
                                          LineError("Unknown Error: Overflow",
                                                    "transparency=&H1FFFFFFFF")));
}

TEST_F(LoadSkinTest, LoadingChangesTheModelAndTheWindowIsMadeOnceWhenShown) {
  std::vector<std::string> lines = {"skinname=Many", "left=20", "top=30"};
  for (int i = 0; i < 10000; ++i) {
    lines.push_back("width=" + std::to_string(100 + i % 50));
    lines.push_back("label=1;1;10;10;x");
  }
  auto w = Load(lines);
  const auto& record = platform_.windows().record(w->form());
  // Made at its final place and size when shown: no window operation per line.
  EXPECT_LE(record.operations.size(), 4u);
  EXPECT_EQ(record.operations.back(), "show");
  EXPECT_EQ(w->form().left(), 300);
  EXPECT_EQ(w->lblInfo.UBound(), 10000);
}

TEST_F(LoadSkinTest, AWindowClosedBeforeItWasShownIsNeverMade) {
  auto first = Load({"skinname=One", "onlyoneinstance="});
  auto second = Open("Test");
  EXPECT_TRUE(second->unloaded());
  second->RunCode(std::string("show"));  // the rest of a code must not bring it back
  EXPECT_EQ(second->form().peer(), nullptr);
}

TEST_F(LoadSkinTest, ClosingDisablesEveryTimer) {
  auto w = Load({"skinname=T", "timerevent=100;x"});
  auto other = Open("Test");
  w->Unload();
  EXPECT_TRUE(w->Unloading);
  EXPECT_TRUE(w->AbortEffect);
  EXPECT_FALSE(w->tmr(1).enabled());
  EXPECT_FALSE(w->tmrProgress.enabled());
  EXPECT_FALSE(w->tmrDeskbarLetDie.enabled());
  EXPECT_FALSE(app_.ended());
  EXPECT_EQ(app_.CountSkinWindows(), 1);
}

TEST_F(LoadSkinTest, TheProgramEndsWhenTheLastSkinWindowCloses) {
  auto a = Load({"skinname=T"});
  auto b = Open("Test");
  a->Unload();
  EXPECT_FALSE(app_.ended());
  b->Unload();
  EXPECT_TRUE(app_.ended());
  EXPECT_TRUE(platform_.loop().quitting());
}

TEST_F(LoadSkinTest, ActivationClosesAWindowWhoseTagIsEmpty) {
  auto named = Load({"skinname=T"});
  platform_.windows().Activate(named->form());
  EXPECT_FALSE(named->unloaded());
  auto empty = Load({"skinname="});
  platform_.windows().Activate(empty->form());
  EXPECT_TRUE(empty->unloaded());
}

TEST_F(LoadSkinTest, ATickOfTheProgressTimerAfterUnloadingUnloadsTheWindow) {
  auto w = Load({"skinname=T"});
  auto keep = Open("Test");
  w->Unloading = true;
  platform_.loop().Advance(600);
  EXPECT_TRUE(w->unloaded());
  EXPECT_FALSE(keep->unloaded());
}

TEST_F(LoadSkinTest, TheDeskbandGraceTimerClearsItsFlagAndStops) {
  auto w = Load({"skinname=T"});
  w->DeskbarLetDie = true;
  platform_.loop().Advance(5000);
  EXPECT_FALSE(w->DeskbarLetDie);
  EXPECT_FALSE(w->tmrDeskbarLetDie.enabled());
}

}  // namespace
}  // namespace quavero::test
