#include "base/failure.h"
#include "commands/commands.h"

namespace quavero::commands {

itunes::TrackPtr CurrentTrackOf(itunes::Application& app) {
  auto track = app.CurrentTrack();
  if (!track) throw Failure(errors::kObjectNotSet);
  return track;
}

itunes::PlaylistPtr CurrentPlaylistOf(itunes::Application& app) {
  auto playlist = app.CurrentPlaylist();
  if (!playlist) throw Failure(errors::kObjectNotSet);
  return playlist;
}

}  // namespace quavero::commands
