// The commands that work on the iTunes library rather than on the player: playing or filling a
// playlist named in a code, setting any tag of the current track by name, and deleting the
// current track from the library (and its file to the recycle bin).
#include "app/application.h"
#include "base/failure.h"
#include "base/text.h"
#include "commands/commands.h"
#include "skin/skin_window.h"

namespace quavero::commands {

// Every playlist of every source, in order; the first whose name equals, letter case aside.
itunes::PlaylistPtr FindPlaylist(itunes::Application& app, const std::string& PlayListName) {
  auto sources = app.Sources();
  for (int s = 1, sources_count = itunes::Existing(sources).Count(); s <= sources_count; ++s) {
    auto source = sources->Item(s);
    auto playlists = itunes::Existing(source).Playlists();
    for (int p = 1, count = itunes::Existing(playlists).Count(); p <= count; ++p) {
      auto playlist = playlists->Item(p);
      if (text::EqualsNoCaseLatin(itunes::Existing(playlist).Name(), PlayListName)) return playlist;
    }
  }
  return nullptr;
}

void PlayPlaylist(skin::SkinWindow& w, const std::string& PlayListName) {
  if (auto playlist = FindPlaylist(w.iTunes(), PlayListName)) playlist->PlayFirstTrack();
}

// A playlist that takes no tracks (the library, a smart playlist) fails here, and RunCode
// reports it.
void AddToPlaylist(skin::SkinWindow& w, const std::string& PlayListName) {
  if (auto playlist = FindPlaylist(w.iTunes(), PlayListName))
    playlist->AddTrack(CurrentTrackOf(w.iTunes()));
}

// edittag=Name=Value: the eight characters of "edittag=" are skipped whatever they are, and
// a further "=" ends the value. Every failure has its own message here.
void EditTag(skin::SkinWindow& w, const std::string& TheCode) {
  try {
    auto fields = text::Split(TheCode.size() > 8 ? TheCode.substr(8) : "", '=');
    if (fields.size() < 2) throw Failure(errors::kSubscriptOutOfRange);
    CurrentTrackOf(w.iTunes())->SetProperty(fields[0], fields[1]);
  } catch (const Failure& failure) {
    w.iTunesFailed(failure);
    w.app().ReportFailure(
        "There was an error in the runcode, Edit Tag. The input was:\r\n" + TheCode +
            "\r\nThe error caused was: " + failure.description() +
            "\r\nPlease make sure that the code is correct, and that the tag you are trying to "
            "access is available.",
        "Error!", platform::Icon::kInformation);
  }
}

// The library is searched for the current track's artist, name and album, and the hit that
// is the current track is deleted from the library and every playlist. True when it was.
bool DeleteCurrentTrack(skin::SkinWindow& w) {
  auto playing = CurrentTrackOf(w.GlobaliTunes());
  std::string what = playing->Artist() + " " + playing->Name() + " " + playing->Album();
  auto library = w.GlobaliTunes().LibraryPlaylist();
  auto hits = itunes::Existing(library).Search(what, 0);
  int32_t id = CurrentTrackOf(w.iTunes())->TrackDatabaseID();
  for (int i = 1, count = itunes::Existing(hits).Count(); i <= count; ++i) {
    auto hit = hits->Item(i);
    if (itunes::Existing(hit).TrackDatabaseID() != id) continue;
    hit->Delete();
    return true;  // the hits may have shifted: the current track is gone, that is enough
  }
  return false;
}

}  // namespace quavero::commands
