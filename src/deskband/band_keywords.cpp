// The band's keywords: those every skin window shares, and the band's own. Keywords of the
// program's skins that place or shape a window of its own (skinname, left, top, width,
// height, ontop, roundwindow, rememberpos, transparency, ondesktop, glassify, showaction,
// disablelabelscroll) mean nothing in the taskbar: the band ignores such lines.
#include "base/failure.h"
#include "base/text.h"
#include "base/values.h"
#include "deskband/band_window.h"
#include "skin/element_keywords.h"

namespace quavero::deskband {
namespace {

using skin::SkinLine;
using skin::keywords::Shared;
namespace shared = skin::keywords;

// picBack fills the window, so its picture is the window's: the whole value names the file
// ("[TransparentBackground]" is a file name like any other here).
void BackgroundPicture(BandWindow& w, const SkinLine& l) {
  w.form().SetPicture(w.platform().pictures().Load(l.path + l.value));
}

// One picture, or exactly "NONE" for none: no hover or pressed pictures, no artwork.
void Image(BandWindow& w, const SkinLine& l) {
  ui::Image& image = shared::NewImage(w, l);
  const std::string& file = w.ImagePictures[image.index()];
  if (file == "NONE") return;
  image.SetPicture(w.platform().pictures().Load(l.path + file));
}

// Timer elements wait for "reloadtimer" to start them.
void TimerEvent(BandWindow& w, const SkinLine& l) {
  shared::TimerEvent(w, l);
  w.tmr(w.tmr.UBound()).SetEnabled(false);
}

void AutoResize(BandWindow& w, const SkinLine& l) {
  int16_t width = values::ShortValue(l.p(0));
  int16_t height = values::ShortValue(l.p(1));
  w.DesignWidth = width;
  w.DesignHeight = height;
  w.AutoResize = true;
}

void NoResizeX(BandWindow& w, const SkinLine& l) { w.NoResizeX = values::ShortValue(l.value); }
void NoResizeY(BandWindow& w, const SkinLine& l) { w.NoResizeY = values::ShortValue(l.value); }
void OnlyOneInstance(BandWindow&, const SkinLine&) {}  // the band has a single window

constexpr skin::keywords::Keyword<BandWindow> kKeywords[] = {
    {"backgroundcolor", Shared<shared::BackgroundColor>},
    {"backgroundpicture", BackgroundPicture},
    {"label", Shared<shared::Label>},
    {"image", Image},
    {"labelfont", Shared<shared::LabelFont>},
    {"labelcenter", Shared<shared::LabelCenter>},
    {"labelcolor", Shared<shared::LabelColor>},
    {"scrolltimer", Shared<shared::ScrollTimer>},
    {"borders", Shared<shared::Borders>},
    {"event", Shared<shared::Event>},
    {"timerevent", TimerEvent},
    {"runcode", Shared<shared::RunCodeLine>},
    {"formclick", Shared<shared::FormClick>},
    {"onlyoneinstance", OnlyOneInstance},
    {"ratingscontrol", Shared<shared::RatingsControl>},
    {"progresscontrol", Shared<shared::ProgressControl>},
    {"anyinteraction", Shared<shared::AnyInteraction>},
    {"keyboardshortcut", Shared<shared::KeyboardShortcut>},
    {"autoresize", AutoResize},
    {"noresizex", NoResizeX},
    {"noresizey", NoResizeY},
};

}  // namespace

// A failing line fails to LoadSkin, which shows its message: the band has no message per line.
void BandWindow::ProcessLine(const std::string& Line, const std::string& Path) {
  auto split = skin::SplitKeywordLine(Line);
  if (!split) return;
  auto action = skin::keywords::Find(kKeywords, split->keyword);
  if (action == nullptr) return;
  action(*this, SkinLine{split->value, Path});
}

}  // namespace quavero::deskband
