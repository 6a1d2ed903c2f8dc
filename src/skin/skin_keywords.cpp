// What each keyword of the program's skin files does: the keywords every skin window shares
// (element_keywords.cpp) and the program's own, one function each; the table at the end is
// the program's whole vocabulary.
#include <algorithm>
#include <array>

#include "app/application.h"
#include "base/values.h"
#include "skin/element_keywords.h"
#include "skin/skin_line.h"
#include "skin/skin_window.h"

namespace quavero::skin {
namespace {

using values::LeadingNumber;
constexpr double kTwips = ui::kTwipsPerPixel;

// "r" followed by pixels counts from the right (or bottom) screen edge.
double EdgeTwips(const std::string& value, int screen_pixels) {
  if (!value.empty() && value[0] == 'r')
    return screen_pixels * kTwips - LeadingNumber(value.substr(1)) * kTwips;
  return LeadingNumber(value) * kTwips;
}

void SkinName(SkinWindow& w, const SkinLine& l) { w.form().SetTag(l.value); }

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

void Image(SkinWindow& w, const SkinLine& l) {
  ui::Image& image = keywords::NewImage(w, l);
  const int index = image.index();
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

void OnTop(SkinWindow& w, const SkinLine& l) { w.OnTop = values::ToFlag(l.value); }

void RoundWindow(SkinWindow& w, const SkinLine& l) { w.RoundAmount = values::ShortValue(l.p(0)); }
void RememberPos(SkinWindow& w, const SkinLine& l) { w.RememberPos = values::ToFlag(l.p(0)); }

void Transparency(SkinWindow& w, const SkinLine& l) {
  w.TransparencyLevel = values::ShortValue(l.value);
}

void OnDesktop(SkinWindow& w, const SkinLine& l) { w.OnDesktop = values::ToFlag(l.p(0)); }
void Glassify(SkinWindow& w, const SkinLine& l) { w.GlassifyWindow = values::ToFlag(l.p(0)); }
void ShowAction(SkinWindow& w, const SkinLine& l) { w.ShowAction = l.value; }
void OnlyOneInstance(SkinWindow& w, const SkinLine&) { w.OnlyOneInstance = true; }

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

using keywords::Shared;

constexpr keywords::Keyword<SkinWindow> kKeywords[] = {
    {"skinname", SkinName},
    {"backgroundcolor", Shared<keywords::BackgroundColor>},
    {"left", Left},
    {"top", Top},
    {"width", Width},
    {"height", Height},
    {"backgroundpicture", BackgroundPicture},
    {"label", Shared<keywords::Label>},
    {"image", Image},
    {"labelfont", Shared<keywords::LabelFont>},
    {"labelcenter", Shared<keywords::LabelCenter>},
    {"labelcolor", Shared<keywords::LabelColor>},
    {"ontop", OnTop},
    {"scrolltimer", Shared<keywords::ScrollTimer>},
    {"borders", Shared<keywords::Borders>},
    {"roundwindow", RoundWindow},
    {"rememberpos", RememberPos},
    {"transparency", Transparency},
    {"ondesktop", OnDesktop},
    {"glassify", Glassify},
    {"event", Shared<keywords::Event>},
    {"timerevent", Shared<keywords::TimerEvent>},
    {"runcode", Shared<keywords::RunCodeLine>},
    {"showaction", ShowAction},
    {"formclick", Shared<keywords::FormClick>},
    {"onlyoneinstance", OnlyOneInstance},
    {"ratingscontrol", Shared<keywords::RatingsControl>},
    {"progresscontrol", Shared<keywords::ProgressControl>},
    {"anyinteraction", Shared<keywords::AnyInteraction>},
    {"keyboardshortcut", Shared<keywords::KeyboardShortcut>},
    {"autoresize", AutoResize},
    {"disablelabelscroll", DisableLabelScroll},
    {"lyrics", Lyrics},
};

}  // namespace

KeywordAction FindKeyword(std::string_view keyword) { return keywords::Find(kKeywords, keyword); }

}  // namespace quavero::skin
