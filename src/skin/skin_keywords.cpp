// What each keyword of the skin file does. One function per keyword; the table at the end is
// the whole vocabulary. Element keywords create the element first and then set its properties
// one by one in the order of their parameters, so a line that fails half-way leaves what it
// already did.
#include <algorithm>
#include <array>

#include "app/application.h"
#include "base/values.h"
#include "skin/skin_line.h"
#include "skin/skin_window.h"

namespace quavero::skin {
namespace {

using values::LeadingNumber;
constexpr double kTwips = ui::kTwipsPerPixel;

void Grow(std::vector<std::string>& list, int index) {
  if (static_cast<int>(list.size()) <= index) list.resize(index + 1);
}

// "r" followed by pixels counts from the right (or bottom) screen edge.
double EdgeTwips(const std::string& value, int screen_pixels) {
  if (!value.empty() && value[0] == 'r')
    return screen_pixels * kTwips - LeadingNumber(value.substr(1)) * kTwips;
  return LeadingNumber(value) * kTwips;
}

void SkinName(SkinWindow& w, const SkinLine& l) { w.form().SetTag(l.value); }

void BackgroundColor(SkinWindow& w, const SkinLine& l) {
  w.form().SetBackColor(values::ColourValue(l.value));
}

void Left(SkinWindow& w, const SkinLine& l) {
  w.form().SetLeft(EdgeTwips(l.value, w.app().platform().windows().ScreenSize().width));
}

void Top(SkinWindow& w, const SkinLine& l) {
  w.form().SetTop(EdgeTwips(l.value, w.app().platform().windows().ScreenSize().height));
}

void Width(SkinWindow& w, const SkinLine& l) { w.form().SetWidth(LeadingNumber(l.value) * kTwips); }

void Height(SkinWindow& w, const SkinLine& l) {
  w.form().SetHeight(LeadingNumber(l.value) * kTwips);
}

void BackgroundPicture(SkinWindow& w, const SkinLine& l) {
  if (l.value == "[TransparentBackground]") return;
  w.form().SetPicture(w.app().LoadPictureFile(l.path + l.value));
}

void Label(SkinWindow& w, const SkinLine& l) {
  int index = w.lblInfo.Next();
  ui::Label& label = w.lblInfo.Load(index);
  ui::PictureBox& box = w.scrollWidth.Load(index);
  box.SetVisible(false);
  box.SetTag("noscroll");  // nothing to scroll until the track information fills the label
  Grow(w.LabelText, index);
  if (static_cast<int>(w.LabelScroll.size()) <= index) w.LabelScroll.resize(index + 1);
  label.SetVisible(true);
  label.SetLeft(LeadingNumber(l.p(0)));
  label.SetTop(LeadingNumber(l.p(1)));
  label.SetWidth(LeadingNumber(l.p(2)));
  label.SetHeight(LeadingNumber(l.p(3)));
  label.SetTag(l.p(4));
  label.SetCaption(label.tag());  // shown as written until the track information replaces it
}

void Image(SkinWindow& w, const SkinLine& l) {
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
  auto entries = text::Split(w.ImagePictures[index], '|');
  if (entries.empty()) throw Failure(errors::kSubscriptOutOfRange);
  const std::string& normal = entries[0];
  if (text::EqualsNoCase(normal, "NONE")) return;
  if (text::EqualsNoCase(normal, "ARTWORK")) {
    w.HasArtworkImage = true;
    image.SetAcceptsFiles(true);
    return;
  }
  image.SetPicture(w.app().LoadPictureFile(l.path + normal));
}

void LabelFont(SkinWindow& w, const SkinLine& l) {
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

void LabelCenter(SkinWindow& w, const SkinLine& l) {
  ui::Label& label = w.lblInfo(values::ShortValue(l.p(0)));
  bool centred = l.params.size() < 2 || values::ToFlag(l.p(1));
  label.SetAlignment(centred ? ui::Alignment::kCenter : ui::Alignment::kLeft);
}

void LabelColor(SkinWindow& w, const SkinLine& l) {
  ui::Label& label = w.lblInfo(values::ShortValue(l.p(0)));
  label.SetForeColor(values::ColourValue(l.p(1)));
}

void OnTop(SkinWindow& w, const SkinLine& l) { w.OnTop = values::ToFlag(l.value); }

void ScrollTimer(SkinWindow& w, const SkinLine& l) {
  int32_t interval = values::LongValue(l.value);
  if (interval < 0) throw Failure(errors::kInvalidPropertyValue);
  w.tmrScroll.SetInterval(interval);
}

void Borders(SkinWindow& w, const SkinLine& l) {
  bool visible = values::ToFlag(l.p(0));
  std::array<ui::Line*, 4> lines = {&w.lnTop, &w.lnBottom, &w.lnLeft, &w.lnRight};
  for (ui::Line* line : lines) line->SetVisible(visible);
  int32_t colour = values::ColourValue(l.p(1));
  for (ui::Line* line : lines) line->SetColor(colour);
}

void RoundWindow(SkinWindow& w, const SkinLine& l) { w.RoundAmount = values::ShortValue(l.p(0)); }
void RememberPos(SkinWindow& w, const SkinLine& l) { w.RememberPos = values::ToFlag(l.p(0)); }

void Transparency(SkinWindow& w, const SkinLine& l) {
  w.TransparencyLevel = values::ShortValue(l.value);
}

void OnDesktop(SkinWindow& w, const SkinLine& l) { w.OnDesktop = values::ToFlag(l.p(0)); }
void Glassify(SkinWindow& w, const SkinLine& l) { w.GlassifyWindow = values::ToFlag(l.p(0)); }
void Event(SkinWindow& w, const SkinLine& l) { w.NewEvent(l.value); }

void TimerEvent(SkinWindow& w, const SkinLine& l) {
  ui::Timer& timer = w.tmr.Load(w.tmr.Next());
  timer.SetEnabled(true);
  timer.SetInterval(values::LongValue(l.p(0)));
  timer.SetTag(l.p(1));
}

void RunCodeLine(SkinWindow& w, const SkinLine& l) { w.RunCode(l.value); }
void ShowAction(SkinWindow& w, const SkinLine& l) { w.ShowAction = l.value; }
void FormClick(SkinWindow& w, const SkinLine& l) { w.FormClickCode = l.value; }
void OnlyOneInstance(SkinWindow& w, const SkinLine&) { w.OnlyOneInstance = true; }
void RatingsControl(SkinWindow& w, const SkinLine& l) { w.RatingsSpec = l.value; }

void ProgressControl(SkinWindow& w, const SkinLine& l) {
  ui::Image& bar = w.imgProgress;
  bar.SetVisible(true);
  bar.SetLeft(LeadingNumber(l.p(0)));
  bar.SetTop(LeadingNumber(l.p(1)));
  bar.SetHeight(LeadingNumber(l.p(3)));
  bar.SetPicture(w.app().LoadPictureFile(l.path + l.p(4)));
  bar.SetTag(l.p(2));
}

void AnyInteraction(SkinWindow& w, const SkinLine& l) {
  w.InteractionCodes.push_back(l.value);
  w.InteractionCount = static_cast<int16_t>(w.InteractionCodes.size());
}

void KeyboardShortcut(SkinWindow& w, const SkinLine& l) {
  KeyShortcut& last = w.KeyShortcuts.back();
  last.keys = l.p(0);
  last.code = l.p(1);
  w.KeyShortcuts.emplace_back();
}

void AutoResize(SkinWindow&, const SkinLine&) {}

// lyrics=label[;folder]: the lyrics pane shows its current line in that label.
void Lyrics(SkinWindow& w, const SkinLine& l) {
  int16_t index = values::ShortValue(l.p(0));
  w.lblInfo(index);  // a label that no label line created fails here
  if (index == 0) throw NoSuchElement(0);
  w.LyricsLabel = index;
  w.LyricsFolder = l.params.size() > 1 ? l.p(1) : "";
}

void DisableLabelScroll(SkinWindow& w, const SkinLine& l) {
  w.NoScrollLabels += "[" + l.p(0) + "]";
}

struct Keyword {
  std::string_view name;
  KeywordAction action;
};

constexpr Keyword kKeywords[] = {
    {"skinname", SkinName},
    {"backgroundcolor", BackgroundColor},
    {"left", Left},
    {"top", Top},
    {"width", Width},
    {"height", Height},
    {"backgroundpicture", BackgroundPicture},
    {"label", Label},
    {"image", Image},
    {"labelfont", LabelFont},
    {"labelcenter", LabelCenter},
    {"labelcolor", LabelColor},
    {"ontop", OnTop},
    {"scrolltimer", ScrollTimer},
    {"borders", Borders},
    {"roundwindow", RoundWindow},
    {"rememberpos", RememberPos},
    {"transparency", Transparency},
    {"ondesktop", OnDesktop},
    {"glassify", Glassify},
    {"event", Event},
    {"timerevent", TimerEvent},
    {"runcode", RunCodeLine},
    {"showaction", ShowAction},
    {"formclick", FormClick},
    {"onlyoneinstance", OnlyOneInstance},
    {"ratingscontrol", RatingsControl},
    {"progresscontrol", ProgressControl},
    {"anyinteraction", AnyInteraction},
    {"keyboardshortcut", KeyboardShortcut},
    {"autoresize", AutoResize},
    {"disablelabelscroll", DisableLabelScroll},
    {"lyrics", Lyrics},
};

}  // namespace

KeywordAction FindKeyword(std::string_view keyword) {
  auto it = std::find_if(std::begin(kKeywords), std::end(kKeywords),
                         [&](const Keyword& k) { return k.name == keyword; });
  return it == std::end(kKeywords) ? nullptr : it->action;
}

}  // namespace quavero::skin
