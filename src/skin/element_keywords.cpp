// The keywords every skin window reads the same way. Element keywords create the element
// first and then set its properties one by one in the order of their parameters, so a line
// that fails half-way leaves what it already did.
#include "skin/element_keywords.h"

#include <array>

#include "base/failure.h"
#include "base/text.h"
#include "base/values.h"

namespace quavero::skin {

std::optional<KeywordLine> SplitKeywordLine(std::string_view line) {
  // Comments start with "//", two backslashes or an apostrophe.
  if (line.empty() || text::StartsWith(line, "//") || text::StartsWith(line, "\\\\") ||
      line.front() == '\'')
    return std::nullopt;
  size_t equals = line.find('=');
  if (equals == std::string_view::npos || equals == 0) return std::nullopt;
  return KeywordLine{text::ToLowerAscii(line.substr(0, equals)), line.substr(equals + 1)};
}

namespace keywords {
namespace {

using values::LeadingNumber;

template <typename T>
void Grow(std::vector<T>& list, int index) {
  if (static_cast<int>(list.size()) <= index) list.resize(index + 1);
}

}  // namespace

void BackgroundColor(SkinElements& w, const SkinLine& l) {
  w.form().SetBackColor(values::ColourValue(l.value));
}

void Label(SkinElements& w, const SkinLine& l) {
  int index = w.lblInfo.Next();
  ui::Label& label = w.lblInfo.Load(index);
  ui::PictureBox& box = w.scrollWidth.Load(index);
  box.SetVisible(false);
  box.SetTag("noscroll");  // nothing to scroll until the track information fills the label
  Grow(w.LabelText, index);
  Grow(w.LabelScroll, index);
  label.SetVisible(true);
  label.SetLeft(LeadingNumber(l.p(0)));
  label.SetTop(LeadingNumber(l.p(1)));
  label.SetWidth(LeadingNumber(l.p(2)));
  label.SetHeight(LeadingNumber(l.p(3)));
  label.SetTag(l.p(4));
  label.SetCaption(label.tag());  // shown as written until the track information replaces it
}

ui::Image& NewImage(SkinElements& w, const SkinLine& l) {
  int index = w.img.Next();
  ui::Image& image = w.img.Load(index);
  Grow(w.ImagePictures, index);
  image.SetVisible(true);
  image.SetLeft(LeadingNumber(l.p(0)));
  image.SetTop(LeadingNumber(l.p(1)));
  image.SetWidth(LeadingNumber(l.p(2)));
  image.SetHeight(LeadingNumber(l.p(3)));
  image.SetTag(l.p(4));
  w.ImagePictures[index] = l.p(5);
  return image;
}

void LabelFont(SkinElements& w, const SkinLine& l) {
  int index = values::ShortValue(l.p(0));
  ui::Label& label = w.lblInfo(index);
  label.SetFontName(l.p(1));
  w.scrollWidth(index).SetFontName(l.p(1));
  double size = LeadingNumber(l.p(2));
  if (size > 0) {
    label.SetFontSize(size);
    w.scrollWidth(index).SetFontSize(size);
  }
}

void LabelCenter(SkinElements& w, const SkinLine& l) {
  ui::Label& label = w.lblInfo(values::ShortValue(l.p(0)));
  bool centred = l.params.size() < 2 || values::ToFlag(l.p(1));
  label.SetAlignment(centred ? ui::Alignment::kCenter : ui::Alignment::kLeft);
}

void LabelColor(SkinElements& w, const SkinLine& l) {
  ui::Label& label = w.lblInfo(values::ShortValue(l.p(0)));
  label.SetForeColor(values::ColourValue(l.p(1)));
}

void ScrollTimer(SkinElements& w, const SkinLine& l) {
  int32_t interval = values::LongValue(l.value);
  if (interval < 0) throw Failure(errors::kInvalidPropertyValue);
  w.tmrScroll.SetInterval(interval);
}

void Borders(SkinElements& w, const SkinLine& l) {
  bool visible = values::ToFlag(l.p(0));
  std::array<ui::Line*, 4> lines = {&w.lnTop, &w.lnBottom, &w.lnLeft, &w.lnRight};
  for (ui::Line* line : lines) line->SetVisible(visible);
  int32_t colour = values::ColourValue(l.p(1));
  for (ui::Line* line : lines) line->SetColor(colour);
}

void Event(SkinElements& w, const SkinLine& l) { w.NewEvent(l.value); }

void TimerEvent(SkinElements& w, const SkinLine& l) {
  ui::Timer& timer = w.tmr.Load(w.tmr.Next());
  timer.SetEnabled(true);
  timer.SetInterval(values::LongValue(l.p(0)));
  timer.SetTag(l.p(1));
}

void RunCodeLine(SkinElements& w, const SkinLine& l) { w.RunCode(l.value); }
void FormClick(SkinElements& w, const SkinLine& l) { w.FormClickCode = l.value; }
void RatingsControl(SkinElements& w, const SkinLine& l) { w.RatingsSpec = l.value; }

void ProgressControl(SkinElements& w, const SkinLine& l) {
  ui::Image& bar = w.imgProgress;
  bar.SetVisible(true);
  bar.SetLeft(LeadingNumber(l.p(0)));
  bar.SetTop(LeadingNumber(l.p(1)));
  bar.SetHeight(LeadingNumber(l.p(3)));
  bar.SetPicture(w.platform().pictures().Load(l.path + l.p(4)));
  bar.SetTag(l.p(2));
}

void AnyInteraction(SkinElements& w, const SkinLine& l) {
  w.InteractionCodes.push_back(l.value);
  w.InteractionCount = static_cast<int16_t>(w.InteractionCodes.size());
}

void KeyboardShortcut(SkinElements& w, const SkinLine& l) {
  KeyShortcut& last = w.KeyShortcuts.back();
  last.keys = l.p(0);
  last.code = l.p(1);
  w.KeyShortcuts.emplace_back();
}

}  // namespace keywords
}  // namespace quavero::skin
