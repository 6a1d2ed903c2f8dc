// The keywords every skin window reads the same way, whichever program shows it. A variant's
// own keyword table names these beside its own actions.
#pragma once

#include <algorithm>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>

#include "skin/skin_elements.h"
#include "skin/skin_line.h"

namespace quavero::skin {

// A line's lower-case keyword and its value; none for a comment or a line without a keyword.
struct KeywordLine {
  std::string keyword;
  std::string_view value;
};
std::optional<KeywordLine> SplitKeywordLine(std::string_view line);

namespace keywords {

void BackgroundColor(SkinElements& w, const SkinLine& l);
void Label(SkinElements& w, const SkinLine& l);
// Creates the next image at p0..p3 with the code p4 and keeps its picture entries p5; what the
// entries show is the variant's.
ui::Image& NewImage(SkinElements& w, const SkinLine& l);
void LabelFont(SkinElements& w, const SkinLine& l);
void LabelCenter(SkinElements& w, const SkinLine& l);
void LabelColor(SkinElements& w, const SkinLine& l);
void ScrollTimer(SkinElements& w, const SkinLine& l);
void Borders(SkinElements& w, const SkinLine& l);
void Event(SkinElements& w, const SkinLine& l);
void TimerEvent(SkinElements& w, const SkinLine& l);
void RunCodeLine(SkinElements& w, const SkinLine& l);
void FormClick(SkinElements& w, const SkinLine& l);
void RatingsControl(SkinElements& w, const SkinLine& l);
void ProgressControl(SkinElements& w, const SkinLine& l);
void AnyInteraction(SkinElements& w, const SkinLine& l);
void KeyboardShortcut(SkinElements& w, const SkinLine& l);

// A shared action in a variant's table.
template <void (*Action)(SkinElements&, const SkinLine&), typename Window>
void Shared(Window& w, const SkinLine& l) {
  Action(w, l);
}

template <typename Window>
struct Keyword {
  std::string_view name;
  void (*action)(Window& window, const SkinLine& line);
};

// The action of a lower-case keyword in a table, nullptr when the table lacks it.
template <typename Window, size_t N>
auto Find(const Keyword<Window> (&table)[N], std::string_view keyword)
    -> void (*)(Window&, const SkinLine&) {
  auto it = std::find_if(std::begin(table), std::end(table),
                         [&](const Keyword<Window>& k) { return k.name == keyword; });
  return it == std::end(table) ? nullptr : it->action;
}

}  // namespace keywords
}  // namespace quavero::skin
