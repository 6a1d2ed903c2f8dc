// The vocabulary of skin code: the exact commands and the prefix commands.
#pragma once

#include <string>

namespace quavero::skin {
class SkinWindow;
}

namespace quavero::commands {

// Carries out the exact command of that (lower-case) name; false when there is none.
bool RunExactCommand(skin::SkinWindow& window, const std::string& word);
// Carries out every prefix command that applies to the text, in table order.
void RunPrefixCommands(skin::SkinWindow& window, const std::string& text);

}  // namespace quavero::commands
