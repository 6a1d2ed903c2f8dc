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
#include "skin/element_keywords.h"
#include "skin/skin_line.h"
#include "skin/skin_window.h"

namespace quavero::skin {

void SkinWindow::ProcessLine(const std::string& Line, const std::string& Path) {
  auto split = SplitKeywordLine(Line);
  if (!split) return;
  const KeywordAction action = FindKeyword(split->keyword);
  if (action == nullptr) return;
  SkinLine line{split->value, Path};
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
