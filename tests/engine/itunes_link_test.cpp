// Each window's connection to iTunes: when it connects, the liveness answer, calls refused,
// iTunes quitting, desk band windows surviving it, and iTunes closing with the program.
#include "itunes/simulated_itunes.h"
#include "skin_fixture.h"

namespace quavero::test {
namespace {

constexpr uint32_t kITunesProcess = 4242;
constexpr char kITunesPath[] = "C:\\Program Files\\iTunes\\iTunes.exe";

class ITunesLinkTest : public SkinFixture {
 protected:
  ITunesLinkTest() : itunes_(SimulatedITunes(false)) {
    platform_.processes().Start(100, "C:\\Windows\\explorer.exe");
    itunes::TrackData song;
    song.name = "Song";
    song.artist = "Artist";
    first_ = itunes_->AddLibraryTrack(song);
    itunes_->AddLibraryTrack(song);
    WriteSkin("Test", {"skinname=T"});
  }
  void StartITunes(uint32_t id = kITunesProcess) { platform_.processes().Start(id, kITunesPath); }
  void SaveSetting(const std::string& key, const std::string& value) {
    platform_.settings().Save("Quavero", "Options", key, value);
  }

  std::shared_ptr<itunes::SimulatedITunes> itunes_;
  int32_t first_ = 0;
};

TEST_F(ITunesLinkTest, AWindowConnectsWhenItIsCreatedWhileITunesRuns) {
  StartITunes();
  auto w = Open("Test");
  EXPECT_EQ(w->iTunesR, itunes_);
  EXPECT_TRUE(w->iTunesEventsHeard());
  EXPECT_EQ(itunes_->listener_count(), 1);
  EXPECT_FALSE(w->iTunesIsNothing());
}

TEST_F(ITunesLinkTest, WithoutITunesTheWindowWaitsAndConnectsOnTheFirstCheckAfterItStarts) {
  auto w = Open("Test");
  EXPECT_EQ(w->iTunesR, nullptr);
  EXPECT_EQ(platform_.itunes_creations, 0);  // nothing starts iTunes
  EXPECT_TRUE(w->iTunesIsNothing());
  EXPECT_EQ(w->lblInfo.UBound(), 0);
  StartITunes();
  // The liveness walk is not repeated within its interval.
  platform_.loop().Advance(itunes::ProcessChecker::kRewalkIntervalMs + 100);
  EXPECT_FALSE(w->iTunesIsNothing());
  EXPECT_EQ(w->iTunesR, itunes_);
  EXPECT_EQ(platform_.itunes_creations, 1);
}

TEST_F(ITunesLinkTest, WindowsShareOneApplicationObject) {
  StartITunes();
  auto a = Open("Test");
  auto b = Open("Test");
  EXPECT_EQ(a->iTunesR, b->iTunesR);
  EXPECT_EQ(platform_.itunes_creations, 1);
  EXPECT_EQ(itunes_->listener_count(), 2);
}

TEST_F(ITunesLinkTest, AnyProgramInAFolderNamedITunesCountsAsITunes) {
  platform_.processes().Start(77, "D:\\Tools\\ITUNES helpers\\helper.exe");
  auto w = Open("Test");
  EXPECT_NE(w->iTunesR, nullptr);
}

TEST_F(ITunesLinkTest, CareForTrackAsksForACurrentTrack) {
  StartITunes();
  auto w = Open("Test");
  EXPECT_FALSE(w->iTunesIsNothing(false));
  EXPECT_TRUE(w->iTunesIsNothing(true));  // running, but nothing selected
  itunes_->Select(0, 0);
  EXPECT_FALSE(w->iTunesIsNothing(true));
}

TEST_F(ITunesLinkTest, AFailingITunesIsNothingAndNeverAnError) {
  StartITunes();
  auto w = Open("Test");
  itunes_->Select(0, 0);
  itunes_->SetBusy(true);
  EXPECT_TRUE(w->iTunesIsNothing(true));
  itunes_->SetBusy(false);
  itunes_->Vanish();  // killed in the middle of a session
  platform_.processes().End(kITunesProcess);
  EXPECT_TRUE(w->iTunesIsNothing(true));
  platform_.loop().Advance(3000);
  EXPECT_TRUE(messages().empty());
  EXPECT_FALSE(w->unloaded());
}

TEST_F(ITunesLinkTest, AfterITunesWasKilledTheWindowConnectsToTheNextOne) {
  StartITunes();
  auto w = Open("Test");
  itunes_->Vanish();
  platform_.processes().End(kITunesProcess);
  platform_.loop().Advance(1000);
  EXPECT_EQ(w->iTunesR, nullptr);
  auto fresh = std::make_shared<itunes::SimulatedITunes>(platform_.loop());
  platform_.itunes = fresh;
  StartITunes(6060);
  platform_.loop().Advance(itunes::ProcessChecker::kRewalkIntervalMs + 500);
  EXPECT_EQ(w->iTunesR, fresh);
  EXPECT_EQ(fresh->listener_count(), 1);
}

// On a real installation iTunesHelper.exe keeps running from the iTunes folder, so the
// liveness check goes on saying "running" after iTunes was killed: the failing calls tell.
TEST_F(ITunesLinkTest, AKilledITunesIsLetGoOfWhileItsHelperStillRuns) {
  for (int32_t failure : {itunes::hresult::kServerUnavailable, itunes::hresult::kServerDied,
                          itunes::hresult::kDisconnected, itunes::hresult::kNotConnected}) {
    auto dying = std::make_shared<itunes::SimulatedITunes>(platform_.loop());
    dying->AddLibraryTrack({});
    dying->Select(0, 0);
    platform_.itunes = dying;
    StartITunes();
    platform_.processes().Start(4343, "C:\\Program Files\\iTunes\\iTunesHelper.exe");
    auto a = Open("Test");
    auto b = Open("Test");
    ASSERT_EQ(a->iTunesR, dying);
    dying->Vanish(failure);
    platform_.processes().End(kITunesProcess);
    platform_.loop().Advance(600);  // a progress tick meets the dead server
    EXPECT_EQ(a->iTunesR, nullptr);
    EXPECT_EQ(b->iTunesR, nullptr);
    EXPECT_FALSE(app_.itunes().connected());
    int beeps = platform_.windows().beeps();
    a->RunCode(std::string("playpause"));
    EXPECT_EQ(platform_.windows().beeps(), beeps + 1);  // no iTunes: a beep, not a box
    EXPECT_TRUE(messages().empty());

    // The next check makes a new application object, which starts the next iTunes.
    auto next = std::make_shared<itunes::SimulatedITunes>(platform_.loop());
    platform_.itunes = next;
    StartITunes(6060);
    platform_.loop().Advance(600);
    EXPECT_EQ(a->iTunesR, next);
    EXPECT_EQ(b->iTunesR, next);
    EXPECT_EQ(next->listener_count(), 2);
    a->Unload();
    b->Unload();
    app_.itunes().Release();
    platform_.processes().End(6060);
    platform_.processes().End(4343);
  }
}

TEST_F(ITunesLinkTest, CallsDisabledAndEnabledFollowITunes) {
  StartITunes();
  auto w = Open("Test");
  itunes_->SetCallsEnabled(false);
  platform_.loop().DoEvents();
  EXPECT_FALSE(w->ComCallsEnabled);
  itunes_->SetCallsEnabled(true);
  platform_.loop().DoEvents();
  EXPECT_TRUE(w->ComCallsEnabled);
}

TEST_F(ITunesLinkTest, QuittingITunesClosesEveryWindowAndLetsGoOfEverything) {
  StartITunes();
  auto a = Open("Test");
  auto b = Open("Test");
  itunes_->QuitNow();
  EXPECT_TRUE(a->unloaded());
  EXPECT_TRUE(b->unloaded());
  EXPECT_TRUE(app_.ended());
  EXPECT_EQ(itunes_->listener_count(), 0);
  EXPECT_FALSE(app_.itunes().connected());
  EXPECT_EQ(a->iTunesR, nullptr);
  EXPECT_EQ(b->iTunesR, nullptr);
}

TEST_F(ITunesLinkTest, ADeskBandWindowSurvivesITunesQuittingAndReconnectsToANewOne) {
  StartITunes();
  auto band = app_.OpenSkinWindow(Folder("Test"), 0, 0, true);
  band->iTunesR_OnQuittingEvent();
  EXPECT_FALSE(band->unloaded());
  EXPECT_TRUE(band->DeskbarLetDie);
  EXPECT_EQ(band->iTunesR, nullptr);
  EXPECT_FALSE(app_.itunes().connected());
  EXPECT_TRUE(band->IsiTunesDead());  // although the process still runs
  EXPECT_TRUE(band->iTunesIsNothing());
  platform_.loop().Advance(5000);
  EXPECT_FALSE(band->DeskbarLetDie);
  EXPECT_FALSE(band->iTunesIsNothing());
  EXPECT_EQ(platform_.itunes_creations, 2);
}

TEST_F(ITunesLinkTest, AfterTheQuitWarningNothingReconnectsUntilThatITunesHasGone) {
  StartITunes();
  auto band = app_.OpenSkinWindow(Folder("Test"), 0, 0, true);
  itunes_->QuitNow();
  EXPECT_FALSE(band->unloaded());
  platform_.loop().Advance(6000);
  EXPECT_TRUE(band->iTunesIsNothing());  // the quitting process is still listed
  platform_.processes().End(kITunesProcess);
  auto fresh = std::make_shared<itunes::SimulatedITunes>(platform_.loop());
  platform_.itunes = fresh;
  StartITunes(5151);
  platform_.loop().Advance(600);
  EXPECT_FALSE(band->iTunesIsNothing());
  EXPECT_EQ(band->iTunesR, fresh);
}

TEST_F(ITunesLinkTest, ClosingTheLastWindowQuitsITunesWhenAskedButASkinSwitchDoesNot) {
  StartITunes();
  SaveSetting("CloseiTunesOnExit", "1");
  WriteSkin("Default", {"skinname=D"});
  app_.Startup("");
  app_.SwitchSkin("Test");
  EXPECT_FALSE(itunes_->quit());
  app_.SkinWindows()[0]->Unload();
  EXPECT_TRUE(itunes_->quit());
  EXPECT_TRUE(app_.ended());
}

TEST_F(ITunesLinkTest, ClosingTheLastWindowLeavesITunesAloneByDefault) {
  StartITunes();
  auto w = Open("Test");
  w->Unload();
  EXPECT_FALSE(itunes_->quit());
  EXPECT_EQ(itunes_->listener_count(), 0);  // the window let go of its events
}

TEST_F(ITunesLinkTest, WithoutEventsTheProgressTickNoticesWhatChanged) {
  itunes_->SetEventsOff(true);
  StartITunes();
  WriteSkin("Events", {"skinname=E", "event=newsong;volumeup", "event=stopsong;volumedown"});
  auto w = Open("Events");
  ASSERT_NE(w->iTunesR, nullptr);
  EXPECT_FALSE(w->iTunesEventsHeard());
  itunes_->SetSoundVolume(50);
  itunes_->Select(0, 0);
  platform_.loop().Advance(500);  // the first look remembers what plays
  itunes_->Play();
  platform_.loop().Advance(500);  // it plays now: newsong
  EXPECT_EQ(itunes_->SoundVolume(), 51);
  itunes_->NextTrack();
  platform_.loop().Advance(500);  // another track: newsong
  EXPECT_EQ(itunes_->SoundVolume(), 52);
  platform_.loop().Advance(1500);  // nothing changed: nothing raised
  EXPECT_EQ(itunes_->SoundVolume(), 52);
  itunes_->Pause();
  platform_.loop().Advance(500);  // stopped: stopsong
  EXPECT_EQ(itunes_->SoundVolume(), 51);
}

TEST_F(ITunesLinkTest, EventsRunTheirCodesInFileOrderBeforeTheSongLoads) {
  StartITunes();
  WriteSkin("Events", {"skinname=E", "label=0;0;300;14;[Title]", "event=NewSong;volumeup",
                       "event=newsong;{volumeup}", "event=databasechanged;volumedown"});
  auto w = Open("Events");
  itunes_->SetSoundVolume(50);
  itunes_->Select(0, 0);
  itunes_->Play();
  platform_.loop().DoEvents();
  EXPECT_EQ(itunes_->SoundVolume(), 52);  // both records; "volumeup}" alone matches nothing
  EXPECT_EQ(w->lblInfo(1).caption(), "Song");
  itunes_->RaiseDatabaseChanged();
  platform_.loop().DoEvents();
  EXPECT_EQ(itunes_->SoundVolume(), 51);
}

// A newsong code that pauses and plays makes iTunes raise the events that would run it again.
TEST_F(ITunesLinkTest, ANewsongCodeThatPlaysDoesNotRaiseItselfAgain) {
  StartITunes();
  WriteSkin("Events", {"skinname=E", "label=0;0;300;14;[Title]",
                       "event=newsong;{volumeup}{pause}{play}", "event=newsong;{pause}{play}"});
  auto w = Open("Events");
  itunes_->SetSoundVolume(50);
  itunes_->Select(0, 0);
  itunes_->Play();  // the user plays in iTunes
  platform_.loop().Advance(5000);
  EXPECT_EQ(itunes_->SoundVolume(), 51);  // the code ran once, not for ever
  EXPECT_EQ(itunes_->GetPlayerState(), itunes::PlayerState::kPlaying);
  EXPECT_EQ(w->lblInfo(1).caption(), "Song");
  itunes_->Pause();  // later, the user pauses and plays again: a new newsong
  itunes_->Play();
  platform_.loop().Advance(5000);
  EXPECT_EQ(itunes_->SoundVolume(), 52);
  itunes_->NextTrack();  // another track at once after the codes ran still raises it
  platform_.loop().Advance(10);
  itunes_->NextTrack();
  platform_.loop().Advance(5000);
  EXPECT_EQ(itunes_->SoundVolume(), 54);
}

TEST_F(ITunesLinkTest, CodesOfTwoEventsThatRaiseEachOtherEndAfterAFewRounds) {
  StartITunes();
  WriteSkin("Events", {"skinname=E", "event=newsong;{volumeup}{pause}", "event=stopsong;play"});
  auto w = Open("Events");
  itunes_->SetSoundVolume(50);
  itunes_->Select(0, 0);
  itunes_->Play();
  platform_.loop().Advance(10000);
  int32_t volume = itunes_->SoundVolume();
  EXPECT_LE(volume, 50 + 1 + skin::SkinWindow::kMaxEchoDepth);
  platform_.loop().Advance(10000);
  EXPECT_EQ(itunes_->SoundVolume(), volume);  // it has ended
}

TEST_F(ITunesLinkTest, TheLivenessCheckWalksTheProcessListOnlyWhenItMust) {
  auto& processes = platform_.processes();
  itunes::ProcessChecker checker(processes, platform_.loop());
  int walks = processes.walks;
  for (int i = 0; i < 100; ++i) EXPECT_FALSE(checker.IsProcessRunning("iTunes"));
  EXPECT_EQ(processes.walks - walks, 1);  // absent: at most one walk per interval
  constexpr uint32_t interval = itunes::ProcessChecker::kRewalkIntervalMs;
  EXPECT_GE(interval, 2000u);  // while iTunes is absent, a walk every two seconds at most
  platform_.loop().Advance(interval - 10);
  EXPECT_FALSE(checker.IsProcessRunning("iTunes"));
  EXPECT_EQ(processes.walks - walks, 1);
  platform_.loop().Advance(10);
  EXPECT_FALSE(checker.IsProcessRunning("iTunes"));
  EXPECT_EQ(processes.walks - walks, 2);

  StartITunes();
  platform_.loop().Advance(interval);
  for (int i = 0; i < 100; ++i) EXPECT_TRUE(checker.IsProcessRunning("itunes"));
  EXPECT_EQ(processes.walks - walks, 3);  // found once, then only asked whether it ended
  processes.End(kITunesProcess);
  EXPECT_FALSE(checker.IsProcessRunning("iTunes"));
  EXPECT_TRUE(checker.WalkFor("explorer"));
}

}  // namespace
}  // namespace quavero::test
