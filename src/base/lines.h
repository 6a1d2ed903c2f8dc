// The line rule of the skin format and of the files read like it: a line ends at CR LF or at a
// lone CR; a lone LF stays inside the line; the last line needs no end.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quavero::lines {

std::vector<std::string> SplitLines(std::string_view text);

// Lines joined with CR LF after each, as the program writes its files.
std::string JoinLines(const std::vector<std::string>& lines);

}  // namespace quavero::lines
