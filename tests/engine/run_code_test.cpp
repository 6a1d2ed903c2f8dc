// The command interpreter: grouping, exact and prefix commands, parameters, and failures.
#include "itunes/simulated_itunes.h"
#include "skin_fixture.h"

namespace quavero::test {
namespace {

using ::testing::ElementsAre;

class RunCodeTest : public SkinFixture {
 protected:
  RunCodeTest() : itunes_(SimulatedITunes()) {
    for (const char* name : {"One", "Two", "Three"}) {
      itunes::TrackData t;
      t.name = name;
      t.artist = std::string("Artist ") + name;
      t.album = std::string("Album ") + name;
      t.duration = 200;
      ids_.push_back(itunes_->AddLibraryTrack(t));
    }
    itunes_->Select(0, 0);
    WriteSkin("Test", {"skinname=T", "timerevent=1000;x", "transparency=120"});
    w_ = Open("Test");
  }
  void Run(const std::string& code) {
    std::string text = code;
    w_->RunCode(text);
    platform_.loop().DoEvents();
  }
  itunes::TrackData& Current() { return *itunes_->FindTrack(itunes_->CurrentTrack()->TrackDatabaseID()); }
  std::string ErrorFor(const std::string& code, const std::string& description) {
    return "There was an error in the RunCode procedure: \r\nRunCode: " + code + "\r\n" + description;
  }

  std::shared_ptr<itunes::SimulatedITunes> itunes_;
  std::vector<int32_t> ids_;
  std::shared_ptr<skin::SkinWindow> w_;
};

TEST_F(RunCodeTest, ExactCommandsIgnoreLetterCaseButNotBlanks) {
  Run("PlayPause");
  EXPECT_EQ(itunes_->GetPlayerState(), itunes::PlayerState::kPlaying);
  Run("PLAYPAUSE");
  EXPECT_EQ(itunes_->GetPlayerState(), itunes::PlayerState::kStopped);
  Run("playpause ");
  EXPECT_EQ(itunes_->GetPlayerState(), itunes::PlayerState::kStopped);
  Run("SwapArtistAndAlbum");  // a window's own command as well as iTunes' ones
  EXPECT_EQ(Current().artist, "Album One");
  Run("SWAPARTISTANDALBUM ");
  EXPECT_EQ(Current().artist, "Album One");
  EXPECT_TRUE(messages().empty());
}

TEST_F(RunCodeTest, AGroupRunsEachPieceAndThenTheWholeText) {
  Run("{play}{nexttrack}");
  EXPECT_EQ(itunes_->GetPlayerState(), itunes::PlayerState::kPlaying);
  EXPECT_EQ(Current().name, "Two");
  EXPECT_TRUE(messages().empty());  // "play}nexttrack}" matches nothing and says nothing
}

TEST_F(RunCodeTest, TheCallersTextLosesItsOpeningBraces) {
  std::string code = "{play}";
  w_->RunCode(code);
  EXPECT_EQ(code, "play}");
}

TEST_F(RunCodeTest, SkipInAGroupIsAppliedTwice) {
  itunes_->Play();
  itunes_->SetPlayerPosition(20);
  Run("{skip=5}");
  EXPECT_EQ(itunes_->PlayerPosition(), 30);
  Run("skip=-8");
  EXPECT_EQ(itunes_->PlayerPosition(), 22);
}

TEST_F(RunCodeTest, StarsTakeOnlyTheFirstCharacter) {
  Run("3star");
  EXPECT_EQ(Current().rating, 60);
  Run("15star");
  EXPECT_EQ(Current().rating, 20);
  Run("0star");
  EXPECT_EQ(Current().rating, 0);
  Run("5STAR");
  EXPECT_EQ(Current().rating, 100);
  EXPECT_TRUE(messages().empty());
}

TEST_F(RunCodeTest, NineStarsAreRefusedByITunesAndReported) {
  Run("9star");
  EXPECT_THAT(MessageTexts(), ElementsAre(ErrorFor("9star", "The parameter is incorrect.")));
  EXPECT_EQ(messages()[0].title, "Error!");
}

TEST_F(RunCodeTest, SkipFiveStarIsBothARatingAndASkip) {
  Current().rating = 80;
  itunes_->Play();
  itunes_->SetPlayerPosition(10);
  Run("skip=5star");
  EXPECT_EQ(Current().rating, 0);
  EXPECT_EQ(itunes_->PlayerPosition(), 15);
}

TEST_F(RunCodeTest, RepeatAndShuffleTakeTheirParameterInAnyCase) {
  Run("repeat=ONE");
  EXPECT_EQ(itunes_->playlist(0).repeat, 1);
  Run("repeat=switch");
  EXPECT_EQ(itunes_->playlist(0).repeat, 2);
  Run("repeat=switch");
  EXPECT_EQ(itunes_->playlist(0).repeat, 0);
  Run("repeat=sometimes");
  EXPECT_EQ(itunes_->playlist(0).repeat, 0);
  Run("shuffle=on");
  EXPECT_TRUE(itunes_->playlist(0).shuffle);
  Run("shuffle=switch");
  EXPECT_FALSE(itunes_->playlist(0).shuffle);
  EXPECT_TRUE(messages().empty());
  Run("repeat");
  EXPECT_THAT(MessageTexts(), ElementsAre(ErrorFor("repeat", "Subscript out of range")));
}

TEST_F(RunCodeTest, VolumeStaysWithinItsBounds) {
  itunes_->SetSoundVolume(100);
  Run("volumeup");
  EXPECT_EQ(itunes_->SoundVolume(), 100);
  Run("volumedown");
  EXPECT_EQ(itunes_->SoundVolume(), 99);
  itunes_->SetSoundVolume(1);
  Run("volumedown");
  EXPECT_EQ(itunes_->SoundVolume(), 1);
  Run("addtovolume=-30.6");
  EXPECT_EQ(Current().volume_adjustment, -31);
}

TEST_F(RunCodeTest, TrackCommandsChangeTheCurrentTrack) {
  Run("swapartistandalbum");
  EXPECT_EQ(Current().artist, "Album One");
  EXPECT_EQ(Current().album, "Artist One");
  Run("swapartistandtitle");
  EXPECT_EQ(Current().name, "Album One");
  EXPECT_EQ(Current().artist, "One");
  itunes_->Play();
  itunes_->SetPlayerPosition(42);
  Run("setasstart");
  EXPECT_EQ(Current().start, 42);
  Run("setasend");
  EXPECT_EQ(Current().finish, 42);
}

TEST_F(RunCodeTest, WindowCommandsActOnTheirWindow) {
  Run("normaltransparency");
  EXPECT_EQ(w_->form().alpha(), 120);
  Run("reloadtimer=1");
  EXPECT_TRUE(platform_.loop().IsArmed(w_->tmr(1)));
  Run("reloadtimer=7");
  EXPECT_EQ(messages().size(), 1u);
  Run("movewindow");
  EXPECT_EQ(platform_.windows().record(w_->form()).drags, 1);
  auto other = Open("Test");
  Run("closeskin");
  EXPECT_TRUE(w_->unloaded());
  EXPECT_FALSE(app_.ended());
}

TEST_F(RunCodeTest, CloseProgramEndsEverythingAtOnce) {
  Run("{closeprogram}{playpause}");
  EXPECT_TRUE(w_->unloaded());
  EXPECT_TRUE(app_.ended());
  EXPECT_EQ(itunes_->GetPlayerState(), itunes::PlayerState::kStopped);  // the rest never ran
  EXPECT_TRUE(messages().empty());
}

TEST_F(RunCodeTest, TheRestOfAGroupRunsAfterItsWindowClosed) {
  Run("{closeskin}{playpause}");
  EXPECT_TRUE(w_->unloaded());
  EXPECT_EQ(itunes_->GetPlayerState(), itunes::PlayerState::kPlaying);
  EXPECT_TRUE(messages().empty());
  EXPECT_EQ(platform_.windows().beeps(), 0);
  // The closed window is neither connected nor subscribed again.
  platform_.loop().Advance(2000);
  EXPECT_EQ(itunes_->listener_count(), 0);
}

TEST_F(RunCodeTest, FadeCloseThenQuitFromATimerQuitsITunes) {
  auto w = Load({"skinname=F", "timerevent=1000;{fadeclose}{quit}"});
  EXPECT_EQ(itunes_->listener_count(), 2);
  platform_.loop().Advance(1000);  // the timer's fade runs to its end and closes the window
  EXPECT_TRUE(w->unloaded());
  EXPECT_TRUE(itunes_->quit());
  EXPECT_TRUE(messages().empty());
  EXPECT_EQ(platform_.windows().beeps(), 0);
}

// Wherever the current track goes away while a command talks to iTunes, the command only
// beeps (no current track): never a crash, never a box.
TEST_F(RunCodeTest, ATrackThatGoesAwayDuringACommandOnlyBeeps) {
  for (const char* code : {"3star", "swapartistandalbum", "swapartistandtitle", "addtovolume=5",
                           "skip=5", "repeat=switch", "shuffle=switch", "setasstart", "setasend",
                           "delete", "volumeup"}) {
    for (long n = 1; n <= 6; ++n) {
      itunes_->Select(0, 0);
      itunes_->BeforeCall(n, [this] { itunes_->SelectNothing(); });
      Run(code);
    }
  }
  EXPECT_TRUE(messages().empty());
}

TEST_F(RunCodeTest, RepeatAndShuffleWithAnyOtherValueDoNothing) {
  itunes_->SelectNothing();  // no current playlist to fetch
  Run("repeat=bogus");
  Run("shuffle=maybe");
  EXPECT_EQ(platform_.windows().beeps(), 0);
  EXPECT_TRUE(messages().empty());
  itunes_->Select(0, 0);
  Run("repeat=ONE");
  EXPECT_EQ(itunes_->playlist(0).repeat, 1);
  Run("repeat");  // no "=": the parameter is missing
  EXPECT_EQ(messages().size(), 1u);
}

TEST_F(RunCodeTest, ShowBringsTheWindowToTheTop) {
  Run("show");
  const auto& operations = platform_.windows().record(w_->form()).operations;
  ASSERT_GE(operations.size(), 2u);
  EXPECT_EQ(operations[operations.size() - 2], "show-activate");
  EXPECT_EQ(operations.back(), "top");
}

TEST_F(RunCodeTest, ShellCommandsStartTheirPrograms) {
  Run("showitunes");
  Run("ejectipod");
  ASSERT_EQ(platform_.shell().opened().size(), 2u);
  EXPECT_EQ(platform_.shell().opened()[0].file, "itunes.exe");
  EXPECT_EQ(platform_.shell().opened()[0].parameters, "1");
  EXPECT_EQ(platform_.shell().opened()[1].file, "C:\\Quavero\\Unmounter.exe");
  EXPECT_THAT(platform_.windows().cursor_changes(), ElementsAre(true, false));  // the hourglass
}

TEST_F(RunCodeTest, WhileITunesRefusesCallsEveryCodeBeeps) {
  itunes_->SetCallsEnabled(false);
  platform_.loop().DoEvents();
  Run("closeskin");
  EXPECT_FALSE(w_->unloaded());
  EXPECT_EQ(platform_.windows().beeps(), 1);
  EXPECT_TRUE(messages().empty());
}

TEST_F(RunCodeTest, AFailureWithoutAUsableITunesOnlyBeeps) {
  itunes_->SelectNothing();
  Run("delete");
  EXPECT_EQ(platform_.windows().beeps(), 1);
  EXPECT_TRUE(messages().empty());
  itunes_->SetBusy(true);
  Run("playpause");
  EXPECT_EQ(platform_.windows().beeps(), 2);
}

TEST_F(RunCodeTest, RunCodeLinesRunWhileTheSkinLoads) {
  auto w = Load({"skinname=R", "runcode=play"});
  EXPECT_EQ(itunes_->GetPlayerState(), itunes::PlayerState::kPlaying);
}

TEST_F(RunCodeTest, ShowSkinOpensASecondWindowFromCode) {
  WriteFile("Skins/Test/extra/skin.ini", "skinname=Extra\r\n");
  Run("showskin=extra\\");
  ASSERT_EQ(app_.CountSkinWindows(), 2);
  itunes_->QuitNow();  // both windows hear iTunes quitting; the program ends
  EXPECT_EQ(app_.CountSkinWindows(), 0);
  EXPECT_TRUE(app_.ended());
}

}  // namespace
}  // namespace quavero::test
