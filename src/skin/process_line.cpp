// The skin file's line interpreter. A line is "keyword=value"; the value is split at ";" into
// parameters p0, p1, ... Comments start with "//", two backslashes or an apostrophe. Keywords
// are compared without regard to case; unknown ones are ignored. Each line fails on its own
// with a message, and loading goes on.
#include <exception>
#include <string_view>

#include "app/application.h"
#include "base/failure.h"
#include "base/text.h"
#include "base/values.h"
#include "skin/skin_line.h"
#include "skin/skin_window.h"

namespace quavero::skin {
namespace {

bool IsComment(std::string_view line) {
  return line.empty() || text::StartsWith(line, "//") || text::StartsWith(line, "\\\\") ||
         line.front() == '\'';
}

}  // namespace

void SkinWindow::ProcessLine(const std::string& Line, const std::string& Path) {
  if (IsComment(Line)) return;
  size_t equals = Line.find('=');
  if (equals == std::string::npos || equals == 0) return;
  std::string keyword = text::ToLowerAscii(std::string_view(Line).substr(0, equals));
  const KeywordAction action = FindKeyword(keyword);
  if (action == nullptr) return;
  SkinLine line{std::string_view(Line).substr(equals + 1), Path};
  try {
    action(*this, line);
  } catch (const std::exception& failure) {
    std::string detail;
    auto* f = dynamic_cast<const Failure*>(&failure);
    if (f && f->number() == errors::kSubscriptOutOfRange)
      detail = "Expected parameter missing!";
    else
      detail = "Unknown Error: " + std::string(f ? f->description() : failure.what());
    app_.ReportFailure("There was an error while loading the skin:\r\n" + detail + "\r\n" + Line,
                       "Error!", platform::Icon::kCritical);
  }
}

}  // namespace quavero::skin
