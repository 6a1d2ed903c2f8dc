// The parts of the command language every skin window runs alike: splitting a group of codes,
// the commands that only drive iTunes, and the prefix commands' parameters.
#pragma once

#include <string>
#include <string_view>

#include "base/text.h"
#include "itunes/itunes.h"
#include "skin/skin_elements.h"

namespace quavero::commands {

// A code with "{" or "}" runs each piece between them first ("{fadeclose}{quit}"); then the
// whole code, its "{" removed and its "}" kept, is matched as well. run_piece answers false to
// stop before the next piece.
template <typename RunPiece>
void RunGroupPieces(std::string& TheCode, RunPiece run_piece) {
  if (TheCode.find_first_of("{}") == std::string::npos) return;
  TheCode = text::ReplaceAll(TheCode, "{", "");
  for (std::string piece : text::Split(TheCode, '}'))
    if (!run_piece(piece)) return;
}

// The commands that only drive iTunes, by their word in any case; nullptr for another word.
using PlayerCommand = void (*)(itunes::Application& app);
PlayerCommand FindPlayerCommand(std::string_view word);

// The second field of a code split at "=" (failure 9 without one).
std::string Parameter(const std::string& code);
// Codes ending in "star" (any case) rate: "3star" lights the first three stars.
bool EndsWithStar(const std::string& code);
// skip=N moves the player position by N seconds.
void Skip(itunes::Application& app, const std::string& code);
// reloadtimer=N starts timer element N afresh.
void ReloadTimer(skin::SkinElements& w, const std::string& code);

}  // namespace quavero::commands
