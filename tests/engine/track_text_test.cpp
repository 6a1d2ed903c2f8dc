// What the labels show: placeholders, fitting and scrolling, the time labels and the bar,
// seeking, and the image buttons' pictures and codes.
#include "itunes/simulated_itunes.h"
#include "skin/track_text.h"
#include "skin_fixture.h"

namespace quavero::test {
namespace {

using skin::ConvertToTime;
using skin::Seconds;

TEST(TrackTextHelpers, TimesNumbersAndPrefixes) {
  EXPECT_EQ(ConvertToTime(1500, true), "0:02");
  EXPECT_EQ(ConvertToTime(1500), "0:01");
  EXPECT_EQ(ConvertToTime(0), "0:00");
  EXPECT_EQ(ConvertToTime(75000), "1:15");
  EXPECT_EQ(ConvertToTime(3725000), "62:05");
  EXPECT_EQ(skin::MakeNum(7), "07");
  EXPECT_EQ(skin::MakeNum(12), "12");
  EXPECT_EQ(Seconds("3:07"), 187);
  EXPECT_EQ(Seconds("1:02:03"), 62);
  EXPECT_EQ(Seconds("45"), 45);
  EXPECT_EQ(Seconds("1:2x"), 1);
  EXPECT_TRUE(skin::IsLeft("Ctrl+A", ""));
  EXPECT_TRUE(skin::IsLeft("Ctrl+A", "ctrl", 1));
  EXPECT_FALSE(skin::IsLeft("Ctrl+A", "ctrl"));
  EXPECT_EQ(skin::NumberText(2.5), "2.5");
  EXPECT_EQ(skin::NumberText(3), "3");
}

class TrackTextTest : public SkinFixture {
 protected:
  TrackTextTest() : itunes_(SimulatedITunes()) {
    itunes::TrackData t;
    t.name = "Song [Album]";
    t.artist = "Band";
    t.album = "Record [Artist]";
    t.duration = 200;
    t.rating = 50;
    t.compilation = true;
    t.played_count = 7;
    id_ = itunes_->AddLibraryTrack(t);
    itunes_->AddLibraryTrack(t);
    itunes_->Select(0, 0);
  }
  itunes::TrackData& Track() { return *itunes_->FindTrack(id_); }

  std::shared_ptr<itunes::SimulatedITunes> itunes_;
  int32_t id_ = 0;
};

TEST_F(TrackTextTest, PlaceholdersInAnyCaseInTableOrder) {
  auto w = Load({"skinname=T", "label=0;0;900;14;[artist] / [TITLE] / [Rating] / [Compilation]",
                 "label=0;0;900;14;[PlayCount]x[Time]"});
  // The title holds [Album], which the later row fills; the album's [Artist] stays as it is.
  EXPECT_EQ(w->lblInfo(1).caption(), "Band / Song Record [Artist] / 2.5 / True");
  EXPECT_EQ(w->lblInfo(2).caption(), "7x3:20");
  EXPECT_EQ(w->scrollWidth(1).tag(), "noscroll");
}

TEST_F(TrackTextTest, TheRatingIsWrittenWithTheUsersDecimalSeparator) {
  platform_.locale().decimal_separator = ",";
  auto w = Load({"skinname=T", "label=0;0;900;14;[Rating] stars"});
  EXPECT_EQ(w->lblInfo(1).caption(), "2,5 stars");
}

TEST_F(TrackTextTest, TimesOfWeeksAndOfTracksLongerThan596HoursStayRight) {
  EXPECT_EQ(ConvertToTime(int64_t{25} * 24 * 3600 * 1000), "36000:00");  // 25 days of a stream
  Track().duration = 3000000;  // 833 hours
  auto w = Load({"skinname=T", "label=0;0;99;14;[CurrentPosition]",
                 "label=0;0;99;14;[CurrentRemaining]"});
  itunes_->SetPlayerPosition(2500000);
  platform_.loop().Advance(500);
  EXPECT_EQ(w->lblInfo(1).caption(), "41666:40");
  EXPECT_EQ(w->lblInfo(2).caption(), "8333:20");
}

TEST_F(TrackTextTest, PlaylistPlaceholdersFillFromTheCurrentPlaylist) {
  auto w = Load({"skinname=T", "label=0;0;900;14;[CurrentPlaylistName] [CurrentPlaylistTracks]"});
  EXPECT_EQ(w->lblInfo(1).caption(), "Library 2");
  EXPECT_EQ(messages().size(), 0u);
}

// What a refresh asks of iTunes: the playlist only for a playlist placeholder, the rating once
// for all five stars.
TEST_F(TrackTextTest, ARefreshAsksForThePlaylistOnlyWhenATemplateNamesItAndForTheRatingOnce) {
  WritePicture("Skins/Test/on.png");
  WritePicture("Skins/Test/off.png");
  auto w = Load({"skinname=T", "label=0;0;900;14;[Title]",
                 "ratingscontrol=0;20;10;10;0;off.png;on.png"});
  long before = itunes_->calls();
  w->RefreshInfo();
  const long plain = itunes_->calls() - before;
  auto lit = [&] {
    int n = 0;
    for (int i = 0; i <= 4; ++i) n += w->imgRatings(i).picture()->file.ends_with("on.png");
    return n;
  };
  EXPECT_EQ(lit(), 3);  // 50 of 100: two and a half stars, the third lit

  auto p = Load({"skinname=T", "label=0;0;900;14;[Title] [CurrentPlaylistName]",
                 "ratingscontrol=0;20;10;10;0;off.png;on.png"});
  before = itunes_->calls();
  p->RefreshInfo();
  const long with_playlist = itunes_->calls() - before;
  EXPECT_EQ(with_playlist, plain + 2);  // the current playlist, and its name
  // The track, its name and the album its name names, its length; the position for the
  // progress step and the rating for the stars, of that same track.
  EXPECT_EQ(plain, 6);
}

// A progress tick asks for the position alone; the length comes from the last refresh until
// iTunes says anything (another track plays) or a call fails.
TEST_F(TrackTextTest, AProgressTickAsksForThePositionAloneUntilITunesSaysSomething) {
  Track().duration = 200;
  itunes::TrackData second = Track();
  second.duration = 100;
  itunes_->AddToPlaylist(0, itunes_->AddLibraryTrack(second));
  auto w = Load({"skinname=T", "label=0;0;99;14;[CurrentRemaining]"});
  itunes_->SetPlayerPosition(50);
  long before = itunes_->calls();
  platform_.loop().Advance(500);
  EXPECT_EQ(itunes_->calls() - before, 1);
  EXPECT_EQ(w->lblInfo(1).caption(), "2:30");

  // Track 2 (100 s) is played: the event forgets the length, and the refresh reads the new one.
  itunes_->Select(0, 2);
  itunes_->Play();
  // What is left of the 100 s track, as a tick shows it (the track plays on meanwhile).
  auto left_of_second = [&] { return ConvertToTime((100 - itunes_->PlayerPosition()) * 1000); };
  platform_.loop().Advance(500);
  EXPECT_EQ(w->lblInfo(1).caption(), left_of_second());
  before = itunes_->calls();
  platform_.loop().Advance(500);
  EXPECT_EQ(itunes_->calls() - before, 1);

  // A call that fails forgets it too: the next tick asks for the track and its length again.
  itunes_->SetBusy(true);
  platform_.loop().Advance(500);
  itunes_->SetBusy(false);
  before = itunes_->calls();
  platform_.loop().Advance(500);
  EXPECT_EQ(itunes_->calls() - before, 3);
  EXPECT_EQ(w->lblInfo(1).caption(), left_of_second());
}

TEST_F(TrackTextTest, ALongTextGetsTheFittingCountAndAFiveBlankGap) {
  // Headless text is 6 pixels a character at 8 points: 10 characters fit strictly in 61.
  auto w = Load({"skinname=T", "label=0;0;61;14;[Artist] and a long tail"});
  EXPECT_EQ(w->scrollWidth(1).tag(), "10");
  EXPECT_EQ(w->LabelText[1], "Band and a long tail     ");
  // The refresh shows the label from its first character, as much as fits strictly.
  EXPECT_EQ(w->lblInfo(1).caption(), "Band and a");
}

TEST_F(TrackTextTest, ScrollingRunsTheTextLeftwardsAndShowsWhatFitsStrictly) {
  auto w = Load({"skinname=T", "scrolltimer=100", "label=0;0;61;14;ABCDEFGHIJKLMNOP",
                 "label=0;0;600;14;short", "label=0;0;61;14;ABCDEFGHIJKLMNOP",
                 "disablelabelscroll=3", "label=0;0;0;14;ABCDEFGHIJKLMNOP"});
  EXPECT_EQ(w->lblInfo(1).caption(), "ABCDEFGHIJ");
  platform_.loop().Advance(100);
  EXPECT_EQ(w->lblInfo(1).caption(), "BCDEFGHIJK");
  EXPECT_EQ(w->lblInfo(2).caption(), "short");
  EXPECT_EQ(w->lblInfo(3).caption(), "ABCDEFGHIJKLMNOP     ");  // never scrolls
  EXPECT_EQ(w->lblInfo(4).caption(), "");                      // width 0: nothing fits
  for (int i = 0; i < 12; ++i) platform_.loop().Advance(100);
  EXPECT_EQ(w->lblInfo(1).caption(), "NOP     AB");  // the gap runs through, then the start
  for (int i = 0; i < 8; ++i) platform_.loop().Advance(100);
  EXPECT_EQ(w->ScrolledText(1), "ABCDEFGHIJKLMNOP     ");  // once round, gap and all
}

// The scroll timer ticks only while some label has a text too long for it.
TEST_F(TrackTextTest, TheScrollTimerRunsOnlyWhileALabelScrolls) {
  Track().name = "Short";
  auto w = Load({"skinname=T", "scrolltimer=100", "label=0;0;61;14;[Title]",
                 "label=0;0;61;14;ABCDEFGHIJKLMNOP", "disablelabelscroll=2"});
  EXPECT_FALSE(w->tmrScroll.running());  // one fits, the other never scrolls
  Track().name = "A title far too long for the label";
  itunes_->RaiseDatabaseChanged();
  platform_.loop().DoEvents();
  EXPECT_TRUE(w->tmrScroll.running());
  platform_.loop().Advance(100);
  EXPECT_EQ(w->lblInfo(1).caption(), " title far");
  Track().name = "Short";
  itunes_->RaiseDatabaseChanged();
  platform_.loop().DoEvents();
  EXPECT_FALSE(w->tmrScroll.running());
  EXPECT_EQ(w->lblInfo(1).caption(), "Short");
}

TEST_F(TrackTextTest, WithoutAScrollIntervalLabelsNeverScrollAndLoseNothing) {
  for (const char* interval : {"scrolltimer=0", "// no scrolltimer line"}) {
    auto w = Load({"skinname=T", interval, "label=0;0;61;14;ABCDEFGHIJKLMNOP"});
    EXPECT_EQ(w->lblInfo(1).caption(), "ABCDEFGHIJ");
    itunes_->RaiseDatabaseChanged();  // refreshes, each with its own scroll step
    platform_.loop().Advance(5000);
    itunes_->RaiseDatabaseChanged();
    platform_.loop().DoEvents();
    EXPECT_EQ(w->lblInfo(1).caption(), "ABCDEFGHIJ") << interval;
    w->Unload();
  }
}

TEST_F(TrackTextTest, AScrollTickMeasuresNothingHoweverLongTheText) {
  Track().artist = std::string(800000, 'x');
  auto w = Load({"skinname=T", "scrolltimer=100", "label=0;0;61;14;[Artist]"});
  int measured = platform_.windows().measurements();
  for (int i = 0; i < 50; ++i) platform_.loop().Advance(100);
  EXPECT_EQ(platform_.windows().measurements(), measured);  // measured once, at the refresh
  EXPECT_EQ(w->lblInfo(1).caption(), "xxxxxxxxxx");
}

TEST_F(TrackTextTest, WithoutITunesTheLabelsKeepTheirTemplatesAndDoNotScroll) {
  platform_.processes().End(4242);
  auto w = Load({"skinname=T", "scrolltimer=100", "label=0;0;30;14;[Artist] - [Title]"});
  platform_.loop().Advance(1000);
  EXPECT_EQ(w->lblInfo(1).caption(), "[Artist] - [Title]");
}

TEST_F(TrackTextTest, TheProgressTickFillsTheTimeLabelsAndSizesTheBar) {
  WritePicture("Skins/Test/bar.png", 100, 6);
  auto w = Load({"skinname=T", "label=0;0;99;14;[CurrentPosition]",
                 "label=0;0;99;14;[CurrentRemaining]",
                 "label=0;0;99;14;[CurrentPosition]/[CurrentRemaining]",
                 "progresscontrol=0;20;100;6;bar.png"});
  itunes_->Play();
  platform_.loop().Advance(50000);
  EXPECT_EQ(w->lblInfo(1).caption(), "0:50");
  EXPECT_EQ(w->lblInfo(2).caption(), "2:30");
  EXPECT_EQ(w->lblInfo(3).caption(), "[CurrentPosition]/2:30");
  EXPECT_EQ(w->imgProgress.width(), 25);
}

TEST_F(TrackTextTest, AStreamWithoutLengthKeepsTheBarEmpty) {
  Track().duration = 0;
  WritePicture("Skins/Test/bar.png", 100, 6);
  auto w = Load({"skinname=T", "progresscontrol=0;20;100;6;bar.png"});
  itunes_->Play();
  platform_.loop().Advance(2000);
  EXPECT_EQ(w->imgProgress.width(), 0);
}

TEST_F(TrackTextTest, DraggingOnTheBarSeeksAlsoBeyondItsFilledPart) {
  WritePicture("Skins/Test/bar.png", 100, 6);
  auto w = Load({"skinname=T", "progresscontrol=0;20;100;6;bar.png"});
  itunes_->Play();
  platform_.loop().Advance(500);
  auto& windows = platform_.windows();
  ASSERT_EQ(w->imgProgress.width(), 0);  // nothing to press on yet: start on a little bar
  w->imgProgress.SetWidth(10);
  windows.Press(w->form(), 5, 22);
  EXPECT_EQ(itunes_->PlayerPosition(), 10);  // 5 of 100 pixels of 200 seconds
  windows.Move(w->form(), 60, 22, ui::mouse::kLeft);
  EXPECT_EQ(itunes_->PlayerPosition(), 120);
  windows.Release(w->form(), 60, 22);
  windows.Move(w->form(), 90, 22, 0);
  EXPECT_EQ(itunes_->PlayerPosition(), 120);
}

class ImageButtonTest : public TrackTextTest {
 protected:
  ImageButtonTest() {
    for (const char* p : {"a.png", "a_h.png", "a_d.png", "b.png", "b_h.png"})
      WritePicture(std::string("Skins/Test/") + p);
  }
  std::string Shown(const ui::Image& image) {
    return image.picture() ? image.picture()->file.substr(Folder("Test").size()) : "(none)";
  }
};

TEST_F(ImageButtonTest, PressedThenHoverThenNormalAndTheCodeRunsOnRelease) {
  auto w = Load({"skinname=T", "image=10;10;20;20;playpause;a.png|a_h.png|a_d.png"});
  auto& windows = platform_.windows();
  windows.Press(w->form(), 15, 15);
  EXPECT_EQ(Shown(w->img(1)), "a_d.png");
  EXPECT_EQ(itunes_->GetPlayerState(), itunes::PlayerState::kStopped);
  windows.Release(w->form(), 15, 15);
  EXPECT_EQ(itunes_->GetPlayerState(), itunes::PlayerState::kPlaying);
  EXPECT_EQ(Shown(w->img(1)), "a_h.png");
  EXPECT_EQ(w->HoverIndex, 1);
}

TEST_F(ImageButtonTest, DraggingOutBeforeTheReleaseStillRunsTheCode) {
  auto w = Load({"skinname=T", "image=10;10;20;20;playpause;a.png|a_h.png|a_d.png"});
  platform_.windows().Press(w->form(), 15, 15, ui::mouse::kMiddle);
  platform_.windows().Release(w->form(), 200, 200, ui::mouse::kMiddle);
  EXPECT_EQ(itunes_->GetPlayerState(), itunes::PlayerState::kPlaying);
  EXPECT_EQ(Shown(w->img(1)), "a.png");
  EXPECT_EQ(w->HoverIndex, -1);
}

TEST_F(ImageButtonTest, TheRightButtonShowsThePressedPictureButRunsNoCode) {
  auto w = Load({"skinname=T", "image=10;10;20;20;playpause;a.png|a_h.png|a_d.png"});
  platform_.windows().Press(w->form(), 15, 15, ui::mouse::kRight);
  EXPECT_EQ(Shown(w->img(1)), "a_d.png");
  platform_.windows().Release(w->form(), 15, 15, ui::mouse::kRight);
  EXPECT_EQ(itunes_->GetPlayerState(), itunes::PlayerState::kStopped);
}

TEST_F(ImageButtonTest, HoverMovesToAnotherImageOnlyAfterTheFirstIsRestored) {
  auto w = Load({"skinname=T", "left=100", "top=100", "image=0;0;20;20;x;a.png|a_h.png",
                 "image=20;0;20;20;y;b.png|b_h.png", "image=40;0;20;20;z;b.png"});
  auto& windows = platform_.windows();
  windows.SetCursorPos(110, 110);
  windows.Move(w->form(), 10, 10);
  EXPECT_EQ(Shown(w->img(1)), "a_h.png");
  windows.SetCursorPos(130, 110);
  windows.Move(w->form(), 30, 10);
  EXPECT_EQ(Shown(w->img(2)), "b.png");  // image 1 still holds the hover
  platform_.loop().Advance(50);
  EXPECT_EQ(Shown(w->img(1)), "a.png");
  EXPECT_EQ(w->HoverIndex, -1);
  EXPECT_FALSE(w->tmrTrackImage.enabled());
  windows.Move(w->form(), 31, 10);
  EXPECT_EQ(Shown(w->img(2)), "b_h.png");
  windows.SetCursorPos(150, 110);
  windows.Move(w->form(), 50, 10);
  EXPECT_EQ(w->HoverIndex, 2);  // an image with a normal entry only never hovers
}

TEST_F(ImageButtonTest, HoverRestoreLooksAtTheScreenAlsoForAWindowInsideAnother) {
  auto w = Load({"skinname=T", "left=10", "top=10", "image=0;0;20;20;x;a.png|a_h.png"});
  auto& windows = platform_.windows();
  windows.SetOrigin(0x7000, 500, 400);  // a host window's client area on the screen
  w->form().SetParentWindow(0x7000);
  windows.SetCursorPos(525, 425);  // over the image: host origin + window + image
  windows.Move(w->form(), 15, 15);
  platform_.loop().Advance(200);
  EXPECT_EQ(Shown(w->img(1)), "a_h.png");
  EXPECT_EQ(w->HoverIndex, 1);
  windows.SetCursorPos(25, 25);  // where the image would be if the window were on its own
  platform_.loop().Advance(50);
  EXPECT_EQ(Shown(w->img(1)), "a.png");
}

TEST_F(ImageButtonTest, APositionImageSeeksAndOneOfWidthZeroIgnoresPresses) {
  auto w = Load({"skinname=T", "image=0;0;100;10;position;NONE", "image=0;20;0;10;position;NONE"});
  itunes_->Play();
  platform_.windows().Press(w->form(), 50, 5);
  EXPECT_EQ(itunes_->PlayerPosition(), 100);
  platform_.windows().Release(w->form(), 50, 5);
  itunes_->SetPlayerPosition(30);
  w->img_MouseDown(2, ui::mouse::kLeft, 0, 0, 5);  // nothing to hit on screen: straight in
  w->img_MouseMove(2, ui::mouse::kLeft, 0, 0, 5);
  EXPECT_EQ(itunes_->PlayerPosition(), 30);
}

TEST_F(ImageButtonTest, StarsShowTheRatingAndAClickRatesTheTrack) {
  WritePicture("Skins/Test/off.png");
  WritePicture("Skins/Test/on.png");
  auto w = Load({"skinname=T", "ratingscontrol=10;5;12;12;2;off.png;on.png"});
  std::vector<std::string> shown;
  for (int i = 0; i < 5; ++i) shown.push_back(Shown(w->imgRatings(i)));
  EXPECT_THAT(shown, ::testing::ElementsAre("on.png", "on.png", "on.png", "off.png", "off.png"));
  EXPECT_EQ(w->imgRatings(2).left(), 2 * 2 + 2 * 12 + 10);
  auto& windows = platform_.windows();
  const double x = 10 + 4 * 14 + 3, y = 8;  // the fifth star
  windows.Press(w->form(), x, y);
  windows.Release(w->form(), 200, 200);  // released elsewhere: no click
  windows.Click(w->form(), x, y, ui::mouse::kMiddle);
  windows.Click(w->form(), x, y, ui::mouse::kRight);
  EXPECT_EQ(Track().rating, 50);
  windows.Click(w->form(), x, y);
  EXPECT_EQ(Track().rating, 100);
}

TEST_F(ImageButtonTest, ArtworkIsSavedOncePerTrackAndShown) {
  int copies = 0;
  auto art = std::make_shared<itunes::SimulatedITunes>(
      platform_.loop(), [&](const std::string&, const std::string& to) {
        ++copies;
        WriteFile("Temp/tempart.jpg", PngBytes(4, 4));
        EXPECT_EQ(to, "C:\\Temp\\tempart.jpg");
      });
  platform_.files().Mount("C:\\Temp", root_ / "Temp");
  platform_.itunes = art;
  itunes::TrackData t;
  t.artwork = {"C:\\covers\\one.png"};
  art->AddLibraryTrack(t);
  art->AddLibraryTrack(itunes::TrackData{});
  art->Select(0, 0);
  auto w = Load({"skinname=T", "image=0;0;40;40;x;ARTWORK", "image=50;0;40;40;x;ARTWORK"});
  EXPECT_EQ(copies, 1);
  ASSERT_TRUE(w->img(1).picture());
  EXPECT_EQ(w->img(1).picture()->file, "C:\\Temp\\tempart.jpg");
  ASSERT_TRUE(w->img(2).picture());
  art->Play();
  art->NextTrack();  // a track without artwork clears the images
  platform_.loop().DoEvents();
  EXPECT_FALSE(w->img(1).picture());
}

TEST_F(ImageButtonTest, APictureDroppedOnAnArtworkImageBecomesTheTracksArtwork) {
  auto art = std::make_shared<itunes::SimulatedITunes>(
      platform_.loop(), [&](const std::string&, const std::string&) {
        WriteFile("Temp/tempart.jpg", PngBytes(4, 4));
      });
  platform_.files().Mount("C:\\Temp", root_ / "Temp");
  platform_.itunes = art;
  art->AddLibraryTrack({});
  art->Select(0, 0);
  auto Track = [&]() -> itunes::TrackData& { return *art->FindTrack(1001); };
  auto w = Load({"skinname=T", "image=0;0;40;40;x;ARTWORK", "image=50;0;40;40;x;a.png"});
  platform_.windows().DropFiles(w->form(), 10, 10, {"C:\\pics\\one.png", "C:\\pics\\two.png"});
  ASSERT_EQ(Track().artwork.size(), 1u);
  EXPECT_EQ(Track().artwork[0], "C:\\pics\\one.png");  // only the first file
  platform_.windows().DropFiles(w->form(), 60, 10, {"C:\\pics\\three.png"});
  EXPECT_EQ(Track().artwork.size(), 1u);  // that image takes no files
  EXPECT_TRUE(messages().empty());
  platform_.windows().DropFiles(w->form(), 10, 10, {""});
  ASSERT_EQ(messages().size(), 1u);
  EXPECT_EQ(messages()[0].text,
            "Error on add artwork on OLE Drop: The file could not be added as artwork");
}

TEST_F(ImageButtonTest, ADropWhoseArtworkCannotBeShownIsReportedAtTheDrop) {
  auto w = Load({"skinname=T", "image=0;0;40;40;x;ARTWORK"});
  platform_.windows().DropFiles(w->form(), 10, 10, {"C:\\pics\\one.png"});
  EXPECT_EQ(Track().artwork.size(), 1u);
  // iTunes took the picture but cannot save it back: said now, not at the next refresh.
  EXPECT_THAT(MessageTexts(),
              ::testing::ElementsAre("Error on add artwork on OLE Drop: Catastrophic failure"));
}

// iTunes may answer Nothing for the current track at any call (it changes tracks between two
// calls of a client): wherever that happens during a refresh, it is reported, never a crash.
TEST_F(TrackTextTest, ATrackThatGoesAwayDuringARefreshIsReportedWhereverItGoes) {
  WritePicture("Skins/Test/off.png");
  WritePicture("Skins/Test/on.png");
  WritePicture("Skins/Test/bar.png", 100, 6);
  auto w = Load({"skinname=T", "label=0;0;99;14;[Artist] [CurrentPlaylistTracks]",
                 "label=0;0;99;14;[CurrentPosition]", "image=0;0;40;40;x;ARTWORK",
                 "progresscontrol=0;20;100;6;bar.png", "ratingscontrol=0;30;9;9;1;off.png;on.png"});
  ASSERT_TRUE(messages().empty());
  for (long n = 1; n <= 40; ++n) {
    itunes_->Select(0, 0);
    platform_.windows().ClearMessages();
    itunes_->BeforeCall(n, [this] { itunes_->SelectNothing(); });
    w->RefreshInfo();
    for (const auto& m : messages())
      EXPECT_EQ(m.text, "Error in RefreshInfo: Object variable or With block variable not set")
          << "when the track went away at call " << n;
  }
}

TEST_F(TrackTextTest, AFailureDuringARefreshIsReportedOnce) {
  auto w = Load({"skinname=T", "label=0;0;99;14;[Artist]"});
  itunes_->SetBusy(true);
  w->RefreshInfo();
  ASSERT_EQ(messages().size(), 1u);
  EXPECT_EQ(messages()[0].text, "Error in RefreshInfo: Call was rejected by callee.");
  EXPECT_EQ(messages()[0].title, "Quavero");
}

}  // namespace
}  // namespace quavero::test
