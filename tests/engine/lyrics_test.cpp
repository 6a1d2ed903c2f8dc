// Timed lyrics: the file format, the stepping on the virtual clock, the file of a track, and a
// skin's lyrics line showing the current line in a label.
#include "itunes/simulated_itunes.h"
#include "lyrics/cantix_pane.h"
#include "skin_fixture.h"

namespace quavero::test {
namespace {

class LyricsTest : public SkinFixture {
 protected:
  LyricsTest() : itunes_(SimulatedITunes()) {
    itunes::TrackData t;
    t.artist = "Band";
    t.name = "Song";
    t.duration = 300;
    itunes_->AddLibraryTrack(t);
    itunes::TrackData other;
    other.artist = "Band";
    other.name = "Other";
    itunes_->AddLibraryTrack(other);
    itunes_->Select(0, 0);
  }
  // A skin whose label 1 shows the lyrics, from the default folder.
  std::shared_ptr<skin::SkinWindow> Start(const std::string& lyrics) {
    WriteFile("Lyrics/Band/Song.lyr", lyrics);
    auto w = Load({"skinname=L", "label=0;0;400;14;[Title]", "lyrics=1"});
    w->CantixPane.NewLyrics = [this, w = w.get()] {
      ++raised_;
      w->CantixPane_NewLyrics();
    };
    return w;
  }
  void At(double seconds) {  // the clock moves on to that playing position
    platform_.loop().Advance(static_cast<int>(seconds * 1000) - played_);
    played_ = static_cast<int>(seconds * 1000);
  }
  std::string Shown(skin::SkinWindow& w) { return w.lblInfo(1).caption(); }

  std::shared_ptr<itunes::SimulatedITunes> itunes_;
  int raised_ = 0;
  int played_ = 0;
};

TEST_F(LyricsTest, LinesBecomeCurrentAtTheirTimesAndTheDefaultTextEndsThem) {
  auto w = Start(LyricsFile("[5]First line\r\n\r\n[7.5]Second line\r\n"));
  EXPECT_EQ(Shown(*w), "Ready");  // the default text until the first line's time
  itunes_->Play();
  std::vector<std::pair<std::string, int>> shown;  // each line and when it came, in ms played
  for (played_ = 0; played_ <= 20000; played_ += 50) {
    if (shown.empty() || shown.back().first != Shown(*w)) shown.push_back({Shown(*w), played_});
    platform_.loop().Advance(50);
  }
  ASSERT_EQ(shown.size(), 4u);
  EXPECT_EQ(shown[1].first, "First line");
  EXPECT_GE(shown[1].second, 5000);
  EXPECT_LE(shown[1].second, 5150);  // within about a tenth of its time
  EXPECT_EQ(shown[2].first, "Second line");
  EXPECT_GE(shown[2].second, 7500);
  EXPECT_LE(shown[2].second, 7650);
  EXPECT_EQ(shown[3].first, "Ready");  // [EndLyrics]: the default text, then nothing more
  EXPECT_EQ(w->CantixPane.creator(), "Ann");
  EXPECT_EQ(w->lblInfo(1).tag(), "Ready");  // the template follows the lyrics
}

TEST_F(LyricsTest, AnOffsetDelaysEveryLine) {
  auto w = Start(LyricsFile("[5]First line\r\n[60]Later\r\n", "1", "2"));
  itunes_->Play();
  At(6.8);
  EXPECT_EQ(Shown(*w), "Ready");
  At(7.3);
  EXPECT_EQ(Shown(*w), "First line");
}

TEST_F(LyricsTest, AFileWithoutItsHeaderHasNoLyrics) {
  for (const char* header : {"0", ""}) {
    auto w = Start(LyricsFile("[1]Never\r\n", header));
    itunes_->Play();
    At(played_ / 1000.0 + 3);
    EXPECT_EQ(Shown(*w), "") << header;
    EXPECT_EQ(w->CantixPane.line_count(), 0);
    w->Unload();
    itunes_->Stop();
  }
}

TEST_F(LyricsTest, MovingBackRestartsAndMovingForwardCatchesUpALineAStep) {
  auto w = Start(LyricsFile("[2]One\r\n[3]Two\r\n[4]Three\r\n[5]Four\r\n"));
  itunes_->Play();
  At(3.5);
  EXPECT_EQ(Shown(*w), "Two");
  itunes_->SetPlayerPosition(1);  // back before the current line
  At(3.65);
  EXPECT_EQ(Shown(*w), "Ready");
  int raised = raised_;
  itunes_->SetPlayerPosition(10);  // forward past every line
  At(3.75);
  EXPECT_EQ(Shown(*w), "One");
  At(3.85);
  EXPECT_EQ(Shown(*w), "Two");  // one line a step
  At(4.25);
  EXPECT_EQ(raised_ - raised, 5);  // One, Two, Three, Four, then the default text
}

TEST_F(LyricsTest, StoppingShowsNoSongPlayingWithoutNewLyrics) {
  auto w = Start(LyricsFile("[1]One\r\n"));
  itunes_->Play();
  At(1.5);
  int raised = raised_;
  itunes_->Stop();
  platform_.loop().DoEvents();
  EXPECT_EQ(w->CantixPane.current_line(), "No Song Playing!");
  EXPECT_EQ(raised_, raised);
  EXPECT_EQ(lyrics::CantixPane::getVersion(), "1");
}

TEST_F(LyricsTest, TimesUseTheUsersDecimalSeparatorAndLinesWithoutATimeAreSkipped) {
  platform_.locale().decimal_separator = ",";
  auto w = Start(LyricsFile("[1.5]Dotted\r\nno time\r\n[]Empty\r\n[2,5]Comma\r\n[60]Later\r\n"));
  itunes_->Play();
  At(2.8);
  EXPECT_EQ(Shown(*w), "Comma");
}

TEST_F(LyricsTest, AnotherTrackWithoutAFileShowsTheEmptyDefaultAndClearsTheOldState) {
  auto w = Start(LyricsFile("[1]One\r\n[50]Late\r\n"));
  itunes_->Play();
  At(1.5);
  EXPECT_EQ(Shown(*w), "One");
  itunes_->NextTrack();  // "Other" has no file
  At(1.7);
  EXPECT_EQ(Shown(*w), "");
  At(60);
  EXPECT_EQ(Shown(*w), "");  // nothing of the old file is stepped
}

TEST_F(LyricsTest, TheFileOfATrackIsCleanedAndLiesInTheLyricsFolder) {
  itunes_->FindTrack(1001)->artist = "AC/DC";
  itunes_->FindTrack(1001)->name = "Why?\\\\Not";
  auto w = Load({"skinname=L", "label=0;0;400;14;x", "lyrics=1;D:\\Songs\\"});
  EXPECT_EQ(w->CantixPane.GetFileName(), "ACDC\\Why\\Not.lyr");
  EXPECT_EQ(w->CantixPane.GetCurFileName(), "D:\\Songs\\ACDC\\Why\\Not.lyr");
  auto v = Load({"skinname=L", "label=0;0;400;14;x", "lyrics=1"});
  EXPECT_EQ(v->CantixPane.GetCurFileName(), "C:\\Quavero\\Lyrics\\ACDC\\Why\\Not.lyr");
}

TEST_F(LyricsTest, ReadingStopsAfter10001LinesAndWritingReplacesAFile) {
  std::string many;
  for (int i = 0; i < 10100; ++i) many += "line " + std::to_string(i) + "\r\n";
  WriteFile("many.txt", many);
  lyrics::CantixPane pane(platform_, [] { return nullptr; });
  std::string text = pane.ReadToString("C:\\Quavero\\many.txt");
  EXPECT_EQ(pane.line_count(), 10001);
  EXPECT_TRUE(text.ends_with("line 10000"));

  WriteFile("new.lyr", "something much longer that was there before\r\n");
  pane.WriteLyricsFile("C:\\Quavero\\new.lyr", "[1]a\r\n[2]b", "Hi", "Me");
  EXPECT_EQ(ReadFile("new.lyr"),
            "[CantixSyncFile]1\r\n[Timing] Normal\r\n[Creator]Me\r\n[DefaultLyrics]Hi\r\n"
            "[TimeOffset]0\r\n[Lyrics]\r\n[1]a\r\n[2]b\r\n[EndLyrics]\r\n\r\n");
  EXPECT_EQ(lyrics::CantixPane::GetCommandPart(true, " [ 7.5 ] Text "), "7.5");
  EXPECT_EQ(lyrics::CantixPane::GetCommandPart(false, " [ 7.5 ] Text "), "Text");
  EXPECT_EQ(lyrics::CantixPane::GetCommandPart(true, ""), "0");
}

TEST_F(LyricsTest, ClosingTheWindowStopsTheClockAndTheProgramGoesOn) {
  auto keep = Load({"skinname=K"});
  auto w = Start(LyricsFile("[1]One\r\n"));
  itunes_->Play();
  At(0.5);
  w->Unload();
  EXPECT_FALSE(w->CantixPane.started());
  EXPECT_FALSE(app_.ended());
  At(2);
  EXPECT_EQ(w->CantixPane.current_line(), "Ready");
}

TEST_F(LyricsTest, ALyricsLineNeedsALabel) {
  auto w = Load({"skinname=L", "lyrics=3", "lyrics="});
  EXPECT_THAT(MessageTexts(),
              ::testing::ElementsAre(
                  LineError("Unknown Error: Control array element '3' doesn't exist", "lyrics=3"),
                  LineError("Expected parameter missing!", "lyrics=")));
  EXPECT_FALSE(w->CantixPane.started());
}

}  // namespace
}  // namespace quavero::test
