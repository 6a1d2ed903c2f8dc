// One line of a skin file as its keyword's action sees it, and the table of keywords.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "base/failure.h"
#include "base/text.h"

namespace quavero::skin {

class SkinWindow;

struct SkinLine {
  SkinLine(std::string_view value, const std::string& path)
      : value(value), params(text::Split(value, ';')), path(path) {}

  // Parameter i; a missing one fails with the subscript failure, "Expected parameter missing!".
  const std::string& p(size_t i) const {
    if (i >= params.size()) throw Failure(errors::kSubscriptOutOfRange);
    return params[i];
  }

  std::string value;  // the whole value, for keywords that read it whole
  std::vector<std::string> params;
  const std::string& path;  // the skin folder, ending with a backslash
};

using KeywordAction = void (*)(SkinWindow& window, const SkinLine& line);

// The action of a lower-case keyword, nullptr for a keyword the skin format does not know.
KeywordAction FindKeyword(std::string_view keyword);

}  // namespace quavero::skin
