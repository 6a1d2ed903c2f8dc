// The desk band's skin window: its own keywords, skin choice, shortcuts polled from the
// keyboard, the moving-start scroll, scaling with the band, the reduced commands that fail in
// silence, showing a program skin through the handle file, switching skins and the picker.
#include "deskband/band_window.h"
#include "deskband/new_skin_window.h"
#include "skin_fixture.h"

namespace quavero::test {
namespace {

using deskband::BandWindow;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

class BandTest : public SkinFixture {
 protected:
  BandTest() {
    WriteBandSkin("Default", {"label=2;2;300;16;[Artist] - [Title]"});
  }

  void WriteBandSkin(const std::string& name, const std::vector<std::string>& lines) {
    WriteFile("DeskBand/" + name + "/skin.ini", lines::JoinLines(lines));
  }
  static std::string BandFolder(const std::string& name) {
    return "C:\\Quavero\\DeskBand\\" + name + "\\";
  }
  void ChooseSkin(const std::string& name) {
    platform_.settings().Save("QuaveroDeskband", "Options", "CurrentDeskBandSkin", name);
  }
  // A band showing the skin written under that name.
  std::unique_ptr<BandWindow> Band(const std::string& name, const std::vector<std::string>& lines) {
    WriteBandSkin(name, lines);
    ChooseSkin(name);
    return std::make_unique<BandWindow>(platform_, app_.itunes());
  }
  // A simulated iTunes playing the first of three tracks.
  std::shared_ptr<itunes::SimulatedITunes> Playing() {
    auto itunes = SimulatedITunes();
    for (const char* name : {"One", "Two", "Three"}) {
      itunes::TrackData t;
      t.name = name;
      t.artist = "Artist";
      t.location = std::string("C:\\Music\\") + name + ".mp3";
      ids_.push_back(itunes->AddLibraryTrack(t));
    }
    itunes->Select(0, 0);
    itunes->Play();
    return itunes;
  }
  int Count(BandWindow& band, const std::string& name) {
    int n = 0;
    for (const auto& c : band.form().controls()) n += c->name() == name;
    return n;
  }
  // What a label shows after each of a number of scroll steps.
  std::vector<std::string> Scroll(BandWindow& band, int steps) {
    std::vector<std::string> shown;
    for (int i = 0; i < steps; ++i) {
      band.tmrScroll_Timer();
      shown.push_back(band.lblInfo(1).caption());
    }
    return shown;
  }

  std::vector<int32_t> ids_;
};

TEST_F(BandTest, KeywordsOfTheProgramsWindowAreIgnoredAndTheBandsOwnAreRead) {
  Playing();
  auto band = Band("Keys", {"skinname=Keys", "left=500", "top=r10", "width=900", "height=300",
                            "ontop=1", "transparency=100", "ondesktop=1", "onlyoneinstance=1",
                            "backgroundcolor=&HFF", "noresizex=200", "noresizey=24",
                            "label=0;0;100;20;[Title]", "timerevent=500;nexttrack"});
  EXPECT_THAT(MessageTexts(), IsEmpty());
  EXPECT_EQ(band->form().left(), 0);
  EXPECT_EQ(band->form().tag(), "loadedbyskin");
  EXPECT_EQ(band->form().back_color(), 0xFF);
  EXPECT_EQ(band->NoResizeX, 200);
  EXPECT_EQ(band->NoResizeY, 24);
  EXPECT_EQ(band->lblInfo.UBound(), 1);
  // Timer elements wait for reloadtimer.
  EXPECT_FALSE(band->tmr(1).enabled());
  band->RunCode("reloadtimer=1");
  EXPECT_TRUE(band->tmr(1).enabled());

  auto plain = Band("Plain", {"label=0;0;100;20;x"});
  EXPECT_EQ(plain->NoResizeX, deskband::kNoFixedSize);
  EXPECT_EQ(plain->NoResizeY, deskband::kNoFixedSize);
}

TEST_F(BandTest, ImagesTakeOnePictureAndOnlyUpperCaseNoneMeansNone) {
  Playing();
  WritePicture("DeskBand/Pics/play.png");
  auto band = Band("Pics", {"image=0;0;16;16;playpause;play.png", "image=20;0;16;16;x;NONE",
                            "image=40;0;16;16;x;none", "image=60;0;16;16;x;play.png|hover.png",
                            "backgroundpicture=[TransparentBackground]"});
  EXPECT_NE(band->img(1).picture(), nullptr);
  EXPECT_EQ(band->img(2).picture(), nullptr);
  EXPECT_EQ(band->img.UBound(), 4);  // each line made its image before its picture failed
  ASSERT_EQ(messages().size(), 3u);
  for (const auto& m : messages()) {
    EXPECT_EQ(m.title, "Error!");
    EXPECT_EQ(m.icon, platform::Icon::kCritical);
    EXPECT_TRUE(m.text.starts_with("There was an error in LoadSkin\r\nErr "));
  }
}

TEST_F(BandTest, AFailingLineShowsTheLoadSkinMessageAndTheNextLineIsRead) {
  Playing();
  auto band = Band("Broken", {"label=1;2", "labelcolor=7;&HFF", "label=0;0;50;10;next"});
  EXPECT_THAT(MessageTexts(),
              ElementsAre("There was an error in LoadSkin\r\nErr 9: Subscript out of range",
                          "There was an error in LoadSkin\r\nErr 340: Control array element '7' "
                          "doesn't exist"));
  EXPECT_EQ(band->lblInfo(band->lblInfo.UBound()).tag(), "next");
}

TEST_F(BandTest, TheSkinIsTheSettingsUnlessTheMarkerFileSaysDefaultOrTheFolderIsEmpty) {
  WriteBandSkin("Small", {"label=0;0;50;10;small"});
  ChooseSkin("Small");
  EXPECT_EQ(BandWindow(platform_, app_.itunes()).CurPath, BandFolder("Small"));
  // The program's own setting is not the band's.
  EXPECT_EQ(Setting("CurrentDeskBandSkin"), "<missing>");

  WriteFile("normalskin", "");
  EXPECT_EQ(BandWindow(platform_, app_.itunes()).CurPath, BandFolder("Default"));
  std::filesystem::remove(root_ / "normalskin");

  ChooseSkin("Gone");
  EXPECT_EQ(BandWindow(platform_, app_.itunes()).CurPath, BandFolder("Default"));
  std::filesystem::create_directories(root_ / "DeskBand" / "Empty");
  ChooseSkin("Empty");
  BandWindow empty(platform_, app_.itunes());
  EXPECT_EQ(empty.CurPath, BandFolder("Default"));
  EXPECT_EQ(empty.lblInfo(1).tag(), "[Artist] - [Title]");
  // Each start asks the shell to start iTunes (or bring it forward).
  EXPECT_EQ(platform_.shell().opened().back().file, "itunes");
  EXPECT_EQ(platform_.shell().opened().back().parameters, "1");
}

TEST_F(BandTest, AMissingDefaultSkinIsReportedOnceAndNoLineIsRead) {
  Playing();
  std::filesystem::remove_all(root_ / "DeskBand");
  BandWindow band(platform_, app_.itunes());
  EXPECT_THAT(MessageTexts(),
              ElementsAre("There was an error in LoadSkin\r\nErr 76: Path not found"));
  EXPECT_EQ(band.lblInfo.UBound(), 0);
}

TEST_F(BandTest, ElementsScaleInProportionToTheDesignSize) {
  auto band = Band("Scale", {"autoresize=150;20", "image=10;5;16;10;x;NONE",
                             "label=30;2;100;16;[Title]", "progresscontrol=0;18;150;2;bar.png"});
  WritePicture("DeskBand/Scale/bar.png");
  band->form().SetWidth(300 * 15);
  band->form().SetHeight(40 * 15);
  EXPECT_EQ(band->picBack.width(), 300);
  EXPECT_EQ(band->picBack.height(), 40);
  const ui::Image& image = band->img(1);
  EXPECT_EQ(image.left(), 20);
  EXPECT_EQ(image.top(), 10);
  EXPECT_EQ(image.width(), 32);
  EXPECT_EQ(image.height(), 20);
  EXPECT_EQ(band->lblInfo(1).left(), 60);
  EXPECT_EQ(band->lblInfo(1).width(), 200);
  EXPECT_EQ(band->DesignGeometry.at("img(1)"), "10;5;16;10");
  EXPECT_EQ(band->lnRight.x1(), 298);
  EXPECT_EQ(band->lnBottom.y1(), 38);

  // Without autoresize nothing moves.
  auto fixed = Band("Fixed", {"image=10;5;16;10;x;NONE"});
  fixed->form().SetWidth(300 * 15);
  EXPECT_EQ(fixed->img(1).left(), 10);

  // A design size of 0 cannot scale: the band says why, once a resize.
  auto zero = Band("Zero", {"autoresize=0;20", "image=10;5;16;10;x;NONE"});
  size_t before = messages().size();
  zero->form().SetWidth(100 * 15);
  ASSERT_EQ(messages().size(), before + 1);
  EXPECT_EQ(messages().back().text, "Division by zero");
}

TEST_F(BandTest, KeyWordsNameTheirOwnVirtualKeys) {
  const std::pair<const char*, int> table[] = {
      {"ALT", 18},      {"shift", 16}, {"LSHIFT", 160}, {"RSHIFT", 161}, {"Control", 17},
      {"WIN", 92},      {"ENTER", 13}, {"BACKSPACE", 8}, {"TAB", 9},     {"F1", 112},
      {"f12", 123},     {"F", 111},    {"0", 48},       {"9", 57},       {"P", 80},
      {"p", 80},        {"LEFTARROW", 76}};
  for (const auto& [word, code] : table) EXPECT_EQ(BandWindow::KeyCode(word), code) << word;
  EXPECT_EQ(BandWindow::KeyCode("F999"), -1);
  EXPECT_EQ(BandWindow::KeyCode(""), -1);
}

TEST_F(BandTest, AShortcutRunsWhileItsKeysAreDownAtMostOnceEvery300Ms) {
  auto itunes = Playing();
  auto band = Band("Short", {"keyboardshortcut=LSHIFT+F5;nexttrack"});
  auto& windows = platform_.windows();
  auto name = [&] { return itunes->CurrentTrack()->Name(); };

  windows.SetKeyDown(116, true);  // F5 alone
  band->tmrProgress_Timer();
  EXPECT_EQ(name(), "One");
  windows.SetKeyDown(160, true);
  band->tmrProgress_Timer();
  EXPECT_EQ(name(), "Two");
  platform_.loop().Advance(299);
  band->tmrProgress_Timer();
  EXPECT_EQ(name(), "Two");
  platform_.loop().Advance(2);
  band->tmrProgress_Timer();
  EXPECT_EQ(name(), "Three");

  // A word that is not down ends the test of its shortcut: F5 is not asked.
  windows.SetKeyDown(160, false);
  platform_.loop().Advance(400);
  size_t asked = windows.keys_asked().size();
  band->tmrProgress_Timer();
  EXPECT_THAT(std::vector<int>(windows.keys_asked().begin() + asked, windows.keys_asked().end()),
              ElementsAre(160));
}

TEST_F(BandTest, ScrollingMovesTheStartOneCharacterAStepAndWrapsRound) {
  auto itunes = Playing();
  auto band = Band("Scroll", {"label=0;0;100;16;x"});
  band->LabelText[1] = "abcdef";
  band->scrollWidth(1).SetTag("3");
  EXPECT_THAT(Scroll(*band, 7),
              ElementsAre("abc", "bcd", "cdef", "defa", "efab", "fabc", "abc"));

  // A refresh measures the text with its gap: "One - Artist" and five blanks in 30 pixels.
  auto narrow = Band("Narrow", {"label=0;0;30;16;[Title] - [Artist]"});
  EXPECT_EQ(narrow->scrollWidth(1).tag(), "4");
  EXPECT_EQ(narrow->LabelText[1], "One - Artist     ");
  EXPECT_EQ(narrow->lblInfo(1).caption(), "One ");  // the refresh's own step showed the start
  EXPECT_THAT(Scroll(*narrow, 2), ElementsAre("ne -", "e - "));

  // A band that scales measures its labels again at their new width.
  auto scaled = Band("Scaled", {"autoresize=150;20", "label=0;0;30;16;[Title] - [Artist]"});
  EXPECT_EQ(scaled->scrollWidth(1).tag(), "4");
  scaled->form().SetWidth(300 * 15);
  EXPECT_EQ(scaled->scrollWidth(1).tag(), "9");

  // Without a current track (iTunes says that something changed) the step does nothing.
  itunes->SelectNothing();
  itunes->RaiseDatabaseChanged();
  platform_.loop().DoEvents();
  EXPECT_THAT(Scroll(*narrow, 1), ElementsAre("e - "));
}

TEST_F(BandTest, TimeLabelsShowTheCurrentTimeOnEveryProgressStep) {
  auto itunes = Playing();
  auto band = Band("Time", {"label=0;0;300;16;[CurrentTime] of [Time] [CurrentPosition]",
                            "label=0;0;300;16;[Album][Year]"});
  EXPECT_EQ(band->lblInfo(1).caption(), "[CurrentTime] of 3:00 [CurrentPosition]");
  EXPECT_EQ(band->lblInfo(2).caption(), "[Year]");  // not a placeholder of the band's
  platform_.loop().Advance(65000);
  band->tmrProgress_Timer();
  EXPECT_EQ(band->lblInfo(1).caption(), "1:05 of 3:00 [CurrentPosition]");
  platform_.loop().Advance(2000);
  band->tmrProgress_Timer();
  EXPECT_EQ(band->lblInfo(1).caption(), "1:07 of 3:00 [CurrentPosition]");

  // Without [CurrentPosition] in any label, [CurrentTime] stays as written.
  auto plain = Band("Plain", {"label=0;0;300;16;[CurrentTime]"});
  plain->tmrProgress_Timer();
  EXPECT_EQ(plain->lblInfo(1).caption(), "[CurrentTime]");
}

// Ten times a second all day: a progress step asks for the position alone, a scroll step for
// nothing, until iTunes says something (the length is read again) or a step fails.
TEST_F(BandTest, StepsAskForThePositionAloneUntilITunesSaysSomething) {
  auto itunes = Playing();
  WritePicture("DeskBand/Steps/p.png");
  auto band = Band("Steps", {"label=0;0;20;16;[Artist] - [Title]", "progresscontrol=0;0;100;2;p.png"});
  long before = itunes->calls();
  band->tmrProgress_Timer();
  EXPECT_EQ(itunes->calls() - before, 1);
  before = itunes->calls();
  band->tmrScroll_Timer();
  EXPECT_EQ(itunes->calls() - before, 0);

  platform_.loop().Advance(90000);  // half of the 3:00 track
  band->tmrProgress_Timer();
  EXPECT_NEAR(band->imgProgress.width(), 50, 1);
  itunes->SetBusy(true);
  band->tmrProgress_Timer();  // refused: the length is forgotten
  itunes->SetBusy(false);
  before = itunes->calls();
  band->tmrProgress_Timer();
  EXPECT_EQ(itunes->calls() - before, 3);  // the track, its length, the position
  EXPECT_NEAR(band->imgProgress.width(), 50, 1);
}

TEST_F(BandTest, TheBandRunsItsOwnCommandsAndIgnoresTheRestInSilence) {
  auto itunes = Playing();
  auto band = Band("Codes", {"timerevent=1000;nexttrack"});
  auto name = [&] { return itunes->CurrentTrack()->Name(); };
  itunes->SetSoundVolume(50);
  band->RunCode("{volumeup}{VolumeUp}");
  EXPECT_EQ(itunes->SoundVolume(), 52);
  band->RunCode("4star");
  EXPECT_EQ(itunes->CurrentTrack()->Rating(), 80);
  band->RunCode("skip=30");
  EXPECT_EQ(itunes->PlayerPosition(), 30);
  band->RunCode("reloadtimer=1");
  EXPECT_TRUE(band->tmr(1).enabled());
  long calls = itunes->calls();
  for (const char* code : {"shuffle=on", "repeat=all", "fadeclose", "closeprogram",
                           "closeskin", "slideup", "edittag=Name;x", "playplaylist=Library"})
    band->RunCode(code);
  EXPECT_EQ(itunes->calls(), calls);  // nothing asked of iTunes
  EXPECT_FALSE(band->closed());
  band->RunCode("ejectipod");
  EXPECT_EQ(platform_.shell().opened().back().file, "C:\\Quavero\\Unmounter.exe");
  band->RunCode("showitunes");
  EXPECT_EQ(platform_.shell().opened().back().file, "itunes");
  band->RunCode("nexttrack");
  EXPECT_EQ(name(), "Two");

  // Failures are silent: no message, no beep.
  itunes->SelectNothing();
  band->RunCode("delete");
  band->RunCode("skip=x");
  band->RunCode("reloadtimer=9");
  EXPECT_THAT(MessageTexts(), IsEmpty());
  EXPECT_EQ(platform_.windows().beeps(), 0);
}

TEST_F(BandTest, DeleteCompletelyDeletesTheFileForGoodOnceTheTrackIsDeleted) {
  auto itunes = Playing();
  WriteFile("Music/One.mp3", "id3");
  itunes->FindTrack(ids_[0])->location = "C:\\Quavero\\Music\\One.mp3";
  auto band = Band("Del", {"label=0;0;50;10;x"});
  band->RunCode("deletecompletely");
  EXPECT_FALSE(Exists("Music/One.mp3"));
  EXPECT_THAT(platform_.shell().recycled(), IsEmpty());
  EXPECT_EQ(itunes->FindTrack(ids_[0]), nullptr);
}

TEST_F(BandTest, AfterITunesQuitsAPressOnAPlayPauseImageDoesNothing) {
  auto itunes = Playing();
  auto band = Band("Quit", {"image=0;0;16;16;playpause;NONE"});
  band->form().Show();
  itunes->QuitNow();
  platform_.loop().DoEvents();
  EXPECT_TRUE(band->iTunesUnavailable);
  platform_.windows().Click(band->form(), 5, 5);
  band->tmrProgress_Timer();
  EXPECT_THAT(MessageTexts(), IsEmpty());
  EXPECT_EQ(platform_.windows().beeps(), 0);
  EXPECT_FALSE(band->closed());
}

TEST_F(BandTest, PointerActionsRunCodesSeekAndRate) {
  auto itunes = Playing();
  auto band = Band("Ptr", {"image=0;0;100;10;position;NONE", "image=0;10;16;10;nexttrack;NONE",
                           "ratingscontrol=0;30;10;10;0;NONE;NONE",
                           "anyinteraction=volumeup", "formclick=previoustrack"});
  band->form().SetWidth(200 * 15);
  band->form().SetHeight(60 * 15);
  band->form().Show();
  itunes->SetSoundVolume(10);
  platform_.windows().Click(band->form(), 50, 5);  // seeks to half of 180 s
  EXPECT_EQ(itunes->PlayerPosition(), 90);
  platform_.windows().Click(band->form(), 5, 15);
  EXPECT_EQ(itunes->CurrentTrack()->Name(), "Two");
  EXPECT_EQ(itunes->SoundVolume(), 12);
  platform_.windows().Click(band->form(), 25, 35);  // the third star
  EXPECT_EQ(itunes->CurrentTrack()->Rating(), 60);
  platform_.windows().Click(band->form(), 150, 50);  // the background
  EXPECT_EQ(itunes->CurrentTrack()->Name(), "One");
  platform_.windows().Click(band->form(), 5, 15, ui::mouse::kRight);  // presses, runs no code
  EXPECT_EQ(itunes->CurrentTrack()->Name(), "One");
}

TEST_F(BandTest, ShowSkinSetsTheTextOfTheWindowInTheHandleFile) {
  auto band = Band("Show", {"label=0;0;50;10;x"});
  band->form().SetLeft(800 * 15);
  WriteFile("communicate.hwnd", "4242\r\n");
  Playing();
  band->RunCode("showskin=Small|10|0");
  ASSERT_EQ(platform_.windows().window_texts().size(), 1u);
  EXPECT_EQ(platform_.windows().window_texts()[0].window, 4242);
  EXPECT_EQ(platform_.windows().window_texts()[0].text, BandFolder("Show") + "Small|12150|0");
  band->RunCode("showskin=Small");
  EXPECT_EQ(platform_.windows().window_texts()[1].text, BandFolder("Show") + "Small|-99|-99");

  // No program answers: the band starts it with the skin on its command line.
  std::filesystem::remove(root_ / "communicate.hwnd");
  band->RunCode("showskin=Small|0|0");
  EXPECT_EQ(platform_.shell().opened().back().file, "C:\\Quavero\\Quavero.exe");
  EXPECT_EQ(platform_.shell().opened().back().parameters,
            "\"" + BandFolder("Show") + "Small|12000|0\"");
  EXPECT_EQ(platform_.windows().window_texts().size(), 2u);

  // A file that a program which ended left behind names no listening window: started again.
  WriteFile("communicate.hwnd", "4242\r\n");
  platform_.windows().ListenerGone(4242);
  size_t opened = platform_.shell().opened().size();
  band->RunCode("showskin=Small|0|0");
  ASSERT_EQ(platform_.shell().opened().size(), opened + 1);
  EXPECT_EQ(platform_.shell().opened().back().file, "C:\\Quavero\\Quavero.exe");
}

TEST_F(BandTest, SwitchingSkinsRemovesEveryCreatedElementAndSavesTheChoice) {
  Playing();
  auto band = Band("First", {"label=0;0;50;10;[Title]", "label=0;0;50;10;b",
                             "image=0;0;5;5;x;NONE", "timerevent=100;play", "event=newsong;stop",
                             "anyinteraction=stop", "ratingscontrol=0;0;5;5;0;NONE;NONE"});
  WriteBandSkin("Second", {"label=0;0;50;10;second"});
  band->CloseAndReloadSkin("Second");
  EXPECT_EQ(Count(*band, "lblInfo"), 2);  // the template and the Second's one
  EXPECT_EQ(Count(*band, "scrollWidth"), 2);
  EXPECT_EQ(Count(*band, "img"), 1);
  EXPECT_EQ(Count(*band, "tmr"), 1);
  EXPECT_EQ(Count(*band, "imgRatings"), 5);  // made anew at start-up
  EXPECT_EQ(band->lblInfo(1).tag(), "second");
  EXPECT_EQ(band->EventCount(), 0);
  EXPECT_EQ(band->InteractionCount, 0);
  EXPECT_TRUE(band->RatingsSpec.empty());
  EXPECT_EQ(platform_.settings().Get("QuaveroDeskband", "Options", "CurrentDeskBandSkin", ""),
            "Second");
  EXPECT_THAT(MessageTexts(), IsEmpty());
}

TEST_F(BandTest, ThePickerListsTheBandsSkinsAndLoadsThePickedOne) {
  WriteBandSkin("Small", {"label=0;0;50;10;small"});
  BandWindow band(platform_, app_.itunes());
  deskband::NewSkinWindow picker(band);
  EXPECT_EQ(picker.caption(), "Please pick a new skin...");
  EXPECT_THAT(picker.control("lstSkins").items, ElementsAre("Default", "Small"));
  picker.UserClicks("cmdLoad");  // nothing picked: it only closes
  EXPECT_TRUE(picker.closed());
  EXPECT_EQ(band.CurPath, BandFolder("Default"));
  deskband::NewSkinWindow again(band);
  again.UserPicks("lstSkins", 1);
  again.UserClicks("cmdLoad");
  EXPECT_EQ(band.CurPath, BandFolder("Small"));
  EXPECT_TRUE(again.closed());
}

TEST_F(BandTest, AnITunesThatCannotBeReachedIsSaidOnceUntilACheckSucceeds) {
  BandWindow band(platform_, app_.itunes());  // no iTunes at all
  for (int i = 0; i < 20; ++i) band.tmrProgress_Timer();
  EXPECT_THAT(MessageTexts(), ElementsAre("check itunes error"));
  auto itunes = Playing();
  band.tmrProgress_Timer();
  EXPECT_EQ(messages().size(), 1u);
  platform_.itunes = nullptr;
  band.iTunesR.reset();
  for (int i = 0; i < 5; ++i) band.tmrProgress_Timer();
  EXPECT_THAT(MessageTexts(), ElementsAre("check itunes error", "check itunes error"));
}

TEST_F(BandTest, ITunesEventsRunTheSkinsEventsAndRefresh) {
  auto itunes = Playing();
  auto band = Band("Ev", {"label=0;0;300;16;[Title]", "event=newsong;volumeup",
                          "event=stopsong;volumedown"});
  itunes->SetSoundVolume(10);
  itunes->NextTrack();
  platform_.loop().DoEvents();
  EXPECT_EQ(band->lblInfo(1).caption(), "Two");
  EXPECT_EQ(itunes->SoundVolume(), 11);
  itunes->Stop();
  platform_.loop().DoEvents();
  EXPECT_EQ(itunes->SoundVolume(), 10);
  band->iTunesR_OnCOMCallsDisabledEvent();
  band->RunCode("volumeup");
  EXPECT_EQ(itunes->SoundVolume(), 10);
  band->iTunesR_OnCOMCallsEnabledEvent();
  band->RunCode("volumeup");
  EXPECT_EQ(itunes->SoundVolume(), 11);
}

TEST_F(BandTest, ClosingStopsTheTimersAndLetsGoOfITunes) {
  auto itunes = Playing();
  auto band = Band("Close", {"label=0;0;50;10;x", "timerevent=100;nexttrack"});
  band->RunCode("reloadtimer=1");
  EXPECT_EQ(itunes->listener_count(), 1);
  band->Form_Unload();
  EXPECT_TRUE(band->closed());
  EXPECT_FALSE(band->tmrProgress.enabled());
  EXPECT_FALSE(band->tmr(1).enabled());
  EXPECT_EQ(itunes->listener_count(), 0);
  platform_.loop().Advance(1000);
  EXPECT_EQ(itunes->CurrentTrack()->Name(), "One");
}

}  // namespace
}  // namespace quavero::test
