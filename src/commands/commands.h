// The vocabulary of skin code: the exact commands and the prefix commands.
#pragma once

#include <string>

#include "itunes/itunes.h"

namespace quavero::skin {
class SkinWindow;
}

namespace quavero::commands {

// Carries out the exact command of that (lower-case) name; false when there is none.
bool RunExactCommand(skin::SkinWindow& window, const std::string& word);
// Carries out every prefix command that applies to the text, in table order.
void RunPrefixCommands(skin::SkinWindow& window, const std::string& text);

// What commands act on; failure 91 when iTunes has none.
itunes::TrackPtr CurrentTrackOf(itunes::Application& app);
itunes::PlaylistPtr CurrentPlaylistOf(itunes::Application& app);
// Operations whose part of the program is not built yet fail visibly, never silently.
[[noreturn]] void NotAvailable(const std::string& command);

}  // namespace quavero::commands
