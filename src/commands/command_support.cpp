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

void NotAvailable(const std::string& command) {
  throw Failure(errors::kInvalidCall, "The command " + command + " is not available yet");
}

}  // namespace quavero::commands
