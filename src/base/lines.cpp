#include "base/lines.h"

namespace quavero::lines {

std::vector<std::string> SplitLines(std::string_view text) {
  std::vector<std::string> out;
  size_t start = 0;
  while (start < text.size()) {
    size_t cr = text.find('\r', start);
    if (cr == std::string_view::npos) {
      out.emplace_back(text.substr(start));
      break;
    }
    out.emplace_back(text.substr(start, cr - start));
    start = cr + 1;
    if (start < text.size() && text[start] == '\n') ++start;
  }
  return out;
}

std::string JoinLines(const std::vector<std::string>& lines) {
  std::string out;
  for (const auto& line : lines) out.append(line).append("\r\n");
  return out;
}

}  // namespace quavero::lines
