// The vocabulary of skin code: the exact commands and the prefix commands.
#pragma once

#include <string>

#include "itunes/itunes.h"

namespace quavero::skin {
class SkinWindow;
}

namespace quavero::commands {

// Carries out the exact command of that name, in any case; false when there is none.
bool RunExactCommand(skin::SkinWindow& window, const std::string& word);
// Carries out every prefix command that applies to the text, in table order.
void RunPrefixCommands(skin::SkinWindow& window, const std::string& text);

// What commands act on; failure 91 when iTunes has none.
itunes::TrackPtr CurrentTrackOf(itunes::Application& app);
itunes::PlaylistPtr CurrentPlaylistOf(itunes::Application& app);

// The library (library_commands.cpp).
itunes::PlaylistPtr FindPlaylist(itunes::Application& app, const std::string& PlayListName);
void PlayPlaylist(skin::SkinWindow& w, const std::string& PlayListName);
void AddToPlaylist(skin::SkinWindow& w, const std::string& PlayListName);
void EditTag(skin::SkinWindow& w, const std::string& TheCode);
bool DeleteCurrentTrack(skin::SkinWindow& w);

}  // namespace quavero::commands
