// The library commands: playlists looked up by name over every source, tags set by name with
// their own message, and deleting the current track from the library and its file to the
// recycle bin.
#include "itunes/simulated_itunes.h"
#include "skin_fixture.h"

namespace quavero::test {
namespace {

using ::testing::ElementsAre;

class LibraryCommandsTest : public SkinFixture {
 protected:
  LibraryCommandsTest() : itunes_(SimulatedITunes()) {
    for (const char* name : {"One", "Two", "Three", "Four"}) {
      itunes::TrackData t;
      t.name = name;
      t.artist = std::string("Artist ") + name;
      t.album = "Album";
      t.location = std::string("C:\\Music\\") + name + ".mp3";
      ids_.push_back(itunes_->AddLibraryTrack(t));
    }
    ipod_ = itunes_->AddSource("iPod");
    road_ = itunes_->AddPlaylist("Road");
    smart_ = itunes_->AddPlaylist("Top Rated", itunes::PlaylistKind::kUser, true);
    itunes_->AddToPlaylist(road_, ids_[1]);
    itunes_->AddToPlaylist(road_, ids_[0]);
    ipod_party_ = itunes_->AddPlaylist("Party", itunes::PlaylistKind::kUser, false, ipod_);
    itunes_->AddToPlaylist(ipod_party_, ids_[3]);
    itunes_->Select(0, 0);
    WriteSkin("Test", {"skinname=T"});
    w_ = Open("Test");
  }
  void Run(const std::string& code) {
    w_->RunCode(code);
    platform_.loop().DoEvents();
  }
  std::string CurrentName() { return itunes_->CurrentTrack()->Name(); }
  itunes::TrackData& Track(int i) { return *itunes_->FindTrack(ids_[i]); }
  std::string EditTagMessage(const std::string& code, const std::string& description) {
    return "There was an error in the runcode, Edit Tag. The input was:\r\n" + code +
           "\r\nThe error caused was: " + description +
           "\r\nPlease make sure that the code is correct, and that the tag you are trying to "
           "access is available.";
  }

  std::shared_ptr<itunes::SimulatedITunes> itunes_;
  std::vector<int32_t> ids_;
  int ipod_, road_, smart_, ipod_party_;
  std::shared_ptr<skin::SkinWindow> w_;
};

TEST_F(LibraryCommandsTest, PlayPlaylistTakesTheFirstPlaylistOfThatNameInAnyLetterCase) {
  Run("playplaylist=PARTY");
  EXPECT_EQ(itunes_->current_playlist(), ipod_party_);
  EXPECT_EQ(CurrentName(), "Four");
  EXPECT_EQ(itunes_->GetPlayerState(), itunes::PlayerState::kPlaying);

  // The same name earlier, in the library's source: that one wins.
  int library_party = itunes_->AddPlaylist("party");
  itunes_->AddToPlaylist(library_party, ids_[2]);
  Run("playplaylist=Party");
  EXPECT_EQ(itunes_->current_playlist(), library_party);
  EXPECT_EQ(CurrentName(), "Three");

  int accented = itunes_->AddPlaylist("\xC3\x89t\xC3\xA9");  // "Été"
  itunes_->AddToPlaylist(accented, ids_[1]);
  Run("playplaylist=\xC3\xA9T\xC3\x89");  // "éTÉ"
  EXPECT_EQ(itunes_->current_playlist(), accented);
  EXPECT_TRUE(messages().empty());
}

TEST_F(LibraryCommandsTest, APlaylistNoOneHasDoesNothingAndSaysNothing) {
  Run("playplaylist=Nowhere");
  Run("addtoplaylist=Nowhere");
  EXPECT_EQ(itunes_->current_playlist(), 0);
  EXPECT_EQ(itunes_->GetPlayerState(), itunes::PlayerState::kStopped);
  EXPECT_TRUE(messages().empty());
  EXPECT_EQ(platform_.windows().beeps(), 0);
}

TEST_F(LibraryCommandsTest, AddToPlaylistAddsTheCurrentTrackToAUserPlaylistOnly) {
  itunes_->Select(0, 2);
  Run("addtoplaylist=road");
  EXPECT_THAT(itunes_->playlist(road_).tracks, ElementsAre(ids_[1], ids_[0], ids_[2]));
  Run("addtoplaylist=Top Rated");
  EXPECT_TRUE(itunes_->playlist(smart_).tracks.empty());
  ASSERT_EQ(messages().size(), 1u);
  EXPECT_EQ(messages()[0].title, "Error!");
  EXPECT_EQ(messages()[0].icon, platform::Icon::kCritical);
  EXPECT_EQ(messages()[0].text.rfind("There was an error in the RunCode procedure: \r\nRunCode: addtoplaylist=Top Rated\r\n", 0), 0u);
  Run("addtoplaylist=Library");  // the library playlist takes no tracks either
  EXPECT_EQ(messages().size(), 2u);
}

TEST_F(LibraryCommandsTest, EditTagSetsAnyTagByNameAndTheValueEndsAtTheNextEquals) {
  Run("edittag=Artist=AC=DC");
  EXPECT_EQ(Track(0).artist, "AC");
  Run("EDITTAG=comment=live version");
  EXPECT_EQ(Track(0).comment, "live version");
  Run("edittag:Rating=80");  // the eighth character is skipped whatever it is
  EXPECT_EQ(Track(0).rating, 80);
  EXPECT_TRUE(messages().empty());
}

TEST_F(LibraryCommandsTest, EditTagFailuresShowTheirOwnMessage) {
  struct Case {
    const char* code;
    const char* description;
  };
  const Case cases[] = {
      {"edittag=Foo=1", "Object doesn't support this property or method"},
      {"edittag=Rating=x", "Type mismatch."},
      {"edittag=Rating=120", "The parameter is incorrect."},
      {"edittag=Duration=5", "Property 'Duration' is read-only"},
      {"edittag=Comment", "Subscript out of range"},
  };
  for (const auto& c : cases) {
    platform_.windows().ClearMessages();
    Run(c.code);
    ASSERT_EQ(messages().size(), 1u) << c.code;
    EXPECT_EQ(messages()[0].title, "Error!");
    EXPECT_EQ(messages()[0].icon, platform::Icon::kInformation);
    EXPECT_EQ(messages()[0].text, EditTagMessage(c.code, c.description));
  }
  EXPECT_EQ(Track(0).rating, 0);
}

TEST_F(LibraryCommandsTest, DeleteCompletelyRemovesTheTrackEverywhereThenRecyclesItsFile) {
  itunes_->Select(road_, 1);  // "One", in Road and in the library
  Run("deletecompletely");
  EXPECT_EQ(itunes_->FindTrack(ids_[0]), nullptr);
  EXPECT_THAT(itunes_->playlist(0).tracks, ElementsAre(ids_[1], ids_[2], ids_[3]));
  EXPECT_THAT(itunes_->playlist(road_).tracks, ElementsAre(ids_[1]));
  EXPECT_THAT(platform_.shell().recycled(), ElementsAre("C:\\Music\\One.mp3"));
  EXPECT_TRUE(messages().empty());
}

TEST_F(LibraryCommandsTest, AFileIsRecycledOnlyWhenITunesDeletedItsTrack) {
  // Another track with the same artist, name and album comes first in the search: only the
  // current one is deleted.
  itunes::TrackData twin = Track(1);
  twin.location = "C:\\Music\\Twin.mp3";
  int32_t twin_id = itunes_->AddLibraryTrack(twin);
  itunes_->Select(0, 1);
  Run("deletecompletely");
  EXPECT_EQ(itunes_->FindTrack(ids_[1]), nullptr);
  EXPECT_NE(itunes_->FindTrack(twin_id), nullptr);
  EXPECT_THAT(platform_.shell().recycled(), ElementsAre("C:\\Music\\Two.mp3"));

  // iTunes refuses the deletion: the file stays where it is, and the user hears why.
  itunes_->Select(0, 0);
  itunes_->RefuseDeletes(true);
  Run("deletecompletely");
  EXPECT_NE(itunes_->FindTrack(ids_[0]), nullptr);
  EXPECT_EQ(platform_.shell().recycled().size(), 1u);
  ASSERT_EQ(messages().size(), 1u);
  EXPECT_EQ(messages()[0].text, "There was an error in the RunCode procedure: \r\nRunCode: deletecompletely\r\nThe track cannot be deleted.");
}

TEST_F(LibraryCommandsTest, ATrackThatIsNoFileIsNotDeletedCompletely) {
  Track(0).file_track = false;
  Run("deletecompletely");
  EXPECT_NE(itunes_->FindTrack(ids_[0]), nullptr);
  EXPECT_TRUE(platform_.shell().recycled().empty());
  ASSERT_EQ(messages().size(), 1u);
  EXPECT_EQ(messages()[0].text, "There was an error in the RunCode procedure: \r\nRunCode: deletecompletely\r\nObject doesn't support this property or method");
}

TEST_F(LibraryCommandsTest, DeleteTakesTheTrackOutOfThePlaylistItIsIn) {
  itunes_->Select(road_, 0);  // "Two" in Road
  Run("delete");
  EXPECT_THAT(itunes_->playlist(road_).tracks, ElementsAre(ids_[0]));
  EXPECT_NE(itunes_->FindTrack(ids_[1]), nullptr);
  EXPECT_TRUE(platform_.shell().recycled().empty());
}

}  // namespace
}  // namespace quavero::test
