// Hostile skins: huge, deep, binary or self-opening skin files load with the program's
// messages (or its usual behaviour), in bounded time and memory, and never crash it.
#include <random>

#include "itunes/simulated_itunes.h"
#include "skin_fixture.h"

namespace quavero::test {
namespace {

class HostileSkinTest : public SkinFixture {
 protected:
  HostileSkinTest() : itunes_(SimulatedITunes()) {
    itunes::TrackData t;
    t.name = "Song";
    t.artist = "Band";
    itunes_->AddLibraryTrack(t);
    itunes_->Select(0, 0);
    itunes_->Play();
  }
  std::shared_ptr<skin::SkinWindow> LoadText(const std::string& text) {
    WriteFile("Skins/Test/skin.ini", text);
    return Open("Test");
  }
  // How many times the user was told there is no room for another skin window.
  int NoRoomSaid() {
    int n = 0;
    for (const auto& text : MessageTexts()) n += text.find(app::Application::NoRoomText()) != std::string::npos;
    return n;
  }
  // Fades from 0 up, each run whole before the next begins; the last may have been cut short.
  static void ExpectFadesOneAfterAnother(const std::vector<int>& steps) {
    for (size_t i = 0; i < steps.size(); ++i) ASSERT_EQ(steps[i], static_cast<int>(i % 256)) << i;
  }
  std::shared_ptr<itunes::SimulatedITunes> itunes_;
};

TEST_F(HostileSkinTest, HugeLinesAndManyLinesLoad) {
  auto w = LoadText("skinname=" + std::string(1 << 20, 'x') + "\r\nwidth=100\r\n");
  EXPECT_EQ(w->form().PixelWidth(), 100);
  w->Unload();
  std::string many;
  for (int i = 0; i < 100000; ++i) many += "left=" + std::to_string(i % 500) + "\r\n";
  w = LoadText(many);
  EXPECT_EQ(w->form().left(), (99999 % 500) * 15);
  w->Unload();
  std::string widths;
  for (int i = 0; i < 10000; ++i) widths += "width=" + std::to_string(i) + "\r\n";
  EXPECT_EQ(LoadText(widths)->form().PixelWidth(), 9999);
  EXPECT_TRUE(messages().empty());
}

TEST_F(HostileSkinTest, RandomBytesNulsAndBrokenUtf8LoadWithLineMessagesOnly) {
  std::mt19937 random(7);
  std::string bytes(10 << 20, '\0');
  for (auto& b : bytes) b = static_cast<char>(random());
  auto w = LoadText(bytes);
  EXPECT_FALSE(w->unloaded());
  w->Unload();
  w = LoadText(std::string("skinname=a\0b\r\nwidth=1\0" "00\r\n", 22));
  EXPECT_EQ(w->form().PixelWidth(), 1);
  w->Unload();
  w = LoadText("\xEF\xBB\xBFskinname=\xC3\x28\xFF\xFE\r\nlabel=0;0;100;14;\xE2\x82\r\n");
  EXPECT_FALSE(w->unloaded());
}

TEST_F(HostileSkinTest, ElementsByTheThousandAndPlaceholdersByTheHundredThousand) {
  std::string labels;
  for (int i = 0; i < 10000; ++i) labels += "label=0;" + std::to_string(i) + ";50;14;[Title]\r\n";
  auto w = LoadText(labels);
  EXPECT_EQ(w->lblInfo(10000).caption().substr(0, 4), "Song");
  w->Unload();
  std::string placeholders;
  for (int i = 0; i < 100000; ++i) placeholders += "[Artist]";
  w = LoadText("label=0;0;100;14;" + placeholders + "\r\n");
  EXPECT_EQ(w->LabelText.at(1).substr(0, 8), "BandBand");
  w->Unload();
  w = LoadText("label=0;0;60;14;" + std::string(800 << 10, 'z') + "\r\nscrolltimer=50\r\n");
  platform_.loop().Advance(2000);  // forty scroll ticks over 800 KB
  EXPECT_FALSE(w->unloaded());
}

TEST_F(HostileSkinTest, CodesNestedTenThousandDeepRun) {
  auto w = LoadText("skinname=T\r\n");
  w->RunCode(std::string(10000, '{') + "nexttrack" + std::string(10000, '}'));
  EXPECT_FALSE(w->unloaded());
}

TEST_F(HostileSkinTest, PicturesThatAreNoPicturesAreReportedPerLine) {
  WriteFile("Skins/Test/text.png", "not a picture");
  WriteFile("Skins/Test/cut.png", PngBytes(20, 20).substr(0, 30));
  WriteFile("Skins/Test/huge.png", PngBytes(30000, 30000));
  auto w = LoadText("image=0;0;10;10;;text.png\r\nimage=0;0;10;10;;cut.png\r\n"
                    "image=0;0;10;10;;huge.png\r\nbackgroundpicture=huge.png\r\n");
  EXPECT_EQ(messages().size(), 4u);
  EXPECT_FALSE(w->unloaded());
}

TEST_F(HostileSkinTest, GiantFontsPositionsAndSizesAreKeptWithinWhatWindowsTakes) {
  auto w = LoadText("label=1000000000;1000000000;1000000000;1000000000;[Title]\r\n"
                    "labelfont=1;Tahoma;1000000000\r\nleft=1000000000\r\nwidth=1000000000\r\n");
  EXPECT_LE(w->form().PixelWidth(), 32767);
  EXPECT_LE(w->lblInfo(1).font().size, 1638);
}

TEST_F(HostileSkinTest, ASkinFileThatIsAFolderIsReported) {
  std::filesystem::create_directories(root_ / "Skins/Test/skin.ini");
  auto w = Open("Test");
  ASSERT_EQ(messages().size(), 1u);
  EXPECT_NE(messages()[0].text.find("There was an error in LoadSkin"), std::string::npos);
}

TEST_F(HostileSkinTest, ASkinThatOpensItselfWhileLoadingStopsWithAMessage) {
  LoadText("skinname=Again\r\nrunCode=showskin=..\\Test\\\r\n");
  EXPECT_EQ(app_.CountSkinWindows(), 1);
  ASSERT_EQ(messages().size(), 1u);
  EXPECT_NE(messages()[0].text.find("is still loading"), std::string::npos) << messages()[0].text;
}

TEST_F(HostileSkinTest, ASkinThatOpensItselfOnATimerStopsAtTheWindowLimit) {
  LoadText("skinname=Again\r\ntimerevent=2000;showskin=..\\Test\\\r\n");
  for (int i = 0; i < 12; ++i) platform_.loop().Advance(2000);  // without a limit: 4096 windows
  EXPECT_EQ(app_.CountSkinWindows(), app::Application::kMaxSkinWindows);
  EXPECT_EQ(NoRoomSaid(), 1);  // once, not at every tick of every window
  app_.SkinWindows().back()->Unload();
  for (int i = 0; i < 3; ++i) platform_.loop().Advance(2000);
  EXPECT_EQ(app_.CountSkinWindows(), app::Application::kMaxSkinWindows);
  EXPECT_EQ(NoRoomSaid(), 2);  // said again after a window closed and the limit came back
}

TEST_F(HostileSkinTest, ASkinThatOpensItselfAndTogglesPlayKeepsEveryWindowShowingTheSong) {
  // Each toggle reaches all 32 windows, and each refreshes its label and reads its lyrics again:
  // bounded by the window limit, said once, and every window still shows what plays.
  WriteFile("Lyrics/Band/Song.lyr", LyricsFile("[0]Sung\r\n"));
  LoadText("skinname=Again\r\nlabel=0;0;200;14;[Title]\r\nlabel=0;14;200;14;\r\nlyrics=2\r\n"
           "timerevent=10;showskin=..\\Test\\\r\ntimerevent=10;playpause\r\n");
  platform_.loop().Advance(200);
  ASSERT_EQ(app_.CountSkinWindows(), app::Application::kMaxSkinWindows);
  EXPECT_EQ(NoRoomSaid(), 1);
  for (const auto& w : app_.SkinWindows()) {
    EXPECT_EQ(w->lblInfo(1).caption(), "Song");
    // read again at every toggle, the lyrics show the file's default until the next step
    const std::string lyrics = w->lblInfo(2).caption();
    EXPECT_TRUE(lyrics == "Ready" || lyrics == "Sung") << lyrics;
  }
}

TEST_F(HostileSkinTest, TimersStopAfterTheLoopsBudgetOfFiringsWhileTheClockGoesOn) {
  // The fuzzers' budget of work: three firings in all, of the timers of every window, each
  // opening one more window, in two seconds of the program's time.
  LoadText("skinname=Again\r\ntimerevent=10;showskin=..\\Test\\\r\n");
  const uint64_t started = platform_.loop().now();
  platform_.loop().StopTimersAfter(3);
  platform_.loop().Advance(2000);
  EXPECT_EQ(app_.CountSkinWindows(), 1 + 3);
  EXPECT_EQ(platform_.loop().now(), started + 2000);
}

TEST_F(HostileSkinTest, TimersStopAtTheLoopsBudgetWhileTheClockAndFadesGoOn) {
  // The skin-file fuzzer's budget: a skin whose timer fades it again and again, stopped after
  // one second of the program's time; the fade that runs then ends, and the clock moves on.
  auto w = LoadText("skinname=T\r\ntimerevent=10;fadein\r\n");
  const auto& steps = platform_.windows().record(w->form()).alpha_steps;
  platform_.loop().StopTimersAt(platform_.loop().now() + 1000);
  platform_.loop().Advance(1000);
  ASSERT_GE(steps.size(), 256u);
  EXPECT_EQ(steps.size() % 256, 0u);
  const size_t so_far = steps.size();
  const uint64_t before = platform_.loop().now();
  platform_.loop().Advance(5000);
  EXPECT_EQ(steps.size(), so_far);
  EXPECT_EQ(platform_.loop().now(), before + 5000);
}

TEST_F(HostileSkinTest, ATimerWhoseCodeFadesDoesNotStartAgainWhileItRuns) {
  // A 10 ms timer fading the window in: the fade lets messages through for most of a second, in
  // which the timer is due seventy times. Started again from within, it nested without end.
  auto w = LoadText("skinname=T\r\ntimerevent=10;fadein\r\n");
  const auto& steps = platform_.windows().record(w->form()).alpha_steps;
  platform_.loop().Advance(10);
  ASSERT_GE(steps.size(), 256u);
  EXPECT_EQ(steps.size() % 256, 0u);  // whole fades, 0 to 255: its ticks during one left out
  ExpectFadesOneAfterAnother(steps);
  // Due again when its fade ends, it fades again at once, for as long as the window is open.
  const size_t so_far = steps.size();
  platform_.loop().Advance(10);
  EXPECT_GT(steps.size(), so_far);
  EXPECT_EQ(steps.size() % 256, 0u);
  ExpectFadesOneAfterAnother(steps);
}

TEST_F(HostileSkinTest, TenThousandTimersFadingRunTheirCodesOneAtATime) {
  // Each fade would let every other timer start its own inside it, 10,000 fades deep, and the
  // window would never be seen at a level it reached. As it is, one fade follows another for as
  // long as the window is open (every timer is due again when a fade ends), until it is closed.
  std::string text = "skinname=T\r\n";
  for (int i = 0; i < 10000; ++i) text += "timerevent=10;fadein\r\n";
  auto w = LoadText(text);
  const auto& steps = platform_.windows().record(w->form()).alpha_steps;
  auto& loop = platform_.loop();
  const int fade_ms = 256 * 3;
  loop.At(loop.now() + 10 + fade_ms + fade_ms / 2, [&] { w->Unload(); });  // in the second fade
  loop.Advance(10);
  EXPECT_GT(steps.size(), 256u);
  EXPECT_LT(steps.size(), 2 * 256u);  // closing the window ended the fade going on
  ExpectFadesOneAfterAnother(steps);
  const size_t when_closed = steps.size();
  loop.Advance(1000);
  EXPECT_EQ(steps.size(), when_closed);  // closed: no timer ticks
}

TEST_F(HostileSkinTest, TimersOfTwoWindowsFadingRunTheirCodesOneAtATime) {
  // One window's fade lets the other's timer through, whose fade lets the first one's through
  // at each of its steps: with two windows, 256 fades of the one inside each fade of the other,
  // and with three for hours. A timer's code does not start while another's runs, in any window.
  auto a = LoadText("skinname=T\r\ntimerevent=10;fadein\r\n");
  auto b = Open("Test");
  const auto& a_steps = platform_.windows().record(a->form()).alpha_steps;
  const auto& b_steps = platform_.windows().record(b->form()).alpha_steps;
  platform_.loop().Advance(10);
  EXPECT_GE(a_steps.size(), 256u);  // whole fades, in turn
  EXPECT_GE(b_steps.size(), 256u);
  EXPECT_LE(a_steps.size() + b_steps.size(), 4 * 256u);  // nested: 197,120 steps
  ExpectFadesOneAfterAnother(a_steps);
  ExpectFadesOneAfterAnother(b_steps);
  // Closing the one leaves the other's timer going.
  a->Unload();
  const size_t b_before = b_steps.size();
  platform_.loop().Advance(10);
  EXPECT_GE(b_steps.size() - b_before, 256u);
  ExpectFadesOneAfterAnother(b_steps);
  b->Unload();
}

TEST_F(HostileSkinTest, ATimerOfOneMillisecondTicksEveryTenMillisecondsAsOnWindows) {
  // Windows sets a timer below 10 ms to 10 ms. Stepped every millisecond, six 1 ms timers that
  // open skins kept a window that fades in busy for seconds, ten times what Windows runs.
  auto w = LoadText("skinname=T\r\ntimerevent=1;reloadtimer=99\r\n");
  const size_t before = messages().size();
  platform_.loop().Advance(1000);
  EXPECT_EQ(messages().size() - before, 100u);  // a failing code a tick: a box a tick
  w->Unload();
}

TEST_F(HostileSkinTest, FailuresOfTimersNeverStackMessageBoxes) {
  // A timer whose code fails every half second; the user takes five seconds to answer a box,
  // while the box's own message loop lets ten more ticks through (left out: the timer's code
  // is still running, waiting for the box).
  auto w = LoadText("skinname=T\r\ntimerevent=500;reloadtimer=99\r\n");
  platform_.windows().SetMessageBoxDwell(5000);
  platform_.loop().Advance(500);
  EXPECT_EQ(messages().size(), 1u);  // one box, not eleven nested ones
  platform_.windows().SetMessageBoxDwell(0);
  platform_.loop().Advance(500);
  EXPECT_EQ(messages().size(), 2u);  // once answered, the next failure shows again
}

}  // namespace
}  // namespace quavero::test
