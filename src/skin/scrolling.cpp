// Label scrolling and the progress display: the scroll tick runs long texts leftwards one
// character a tick; the progress tick fills the time labels and sizes the bar; the bar and
// "position" images seek.
#include <cmath>

#include "app/application.h"
#include "base/text.h"
#include "base/values.h"
#include "skin/skin_window.h"
#include "skin/track_text.h"

namespace quavero::skin {
void SkinWindow::tmrScroll_Timer() {
  if (Unloading) return Unload();
  ScrollStep(true);
}

void SkinWindow::ScrollStep(bool rotate) {
  bool any_scrolls = false;
  for (int i = 1; i <= lblInfo.UBound(); ++i) {
    if (scrollWidth(i).tag() == "noscroll") continue;
    if (NoScrollLabels.find("[" + std::to_string(i) + "]") != std::string::npos) continue;
    any_scrolls = true;
    ScrollText& scroll = LabelScroll[i];
    const size_t n = scroll.advances.size();
    if (rotate && n > 0) scroll.first = (scroll.first + 1) % n;
    // The label shows the longest start of the turned text that fits strictly.
    const double room = lblInfo(i).width();
    int width = 0;
    size_t fits = 0;
    while (fits < n && width + scroll.advances[(scroll.first + fits) % n] < room)
      width += scroll.advances[(scroll.first + fits++) % n];
    const std::string& text = LabelText[i];
    auto at = [&](size_t k) { return k < n ? scroll.starts[k] : text.size(); };
    size_t from = at(scroll.first), to = scroll.first + fits;
    std::string shown = text.substr(from, to <= n ? at(to) - from : std::string::npos);
    if (to > n) shown.append(text, 0, at(to - n));  // turned past the end: the start follows
    lblInfo(i).SetCaption(std::move(shown));
  }
  // After a refresh or a new lyrics line: the scroll timer ticks only while a label scrolls,
  // so that a skin whose texts fit costs nothing between tracks.
  if (!rotate) tmrScroll.SetEnabled(any_scrolls);
}

std::string SkinWindow::ScrolledText(int index) const {
  const std::string& text = LabelText.at(index);
  const ScrollText& scroll = LabelScroll.at(index);
  if (scroll.first == 0 || scroll.first >= scroll.starts.size()) return text;
  size_t cut = scroll.starts[scroll.first];
  return text.substr(cut) + text.substr(0, cut);
}

void SkinWindow::ProgressStep() {
  try {
    // The connection; the track's length as the refresh read it (or once, when it is not
    // known), so that a tick asks iTunes for the position alone.
    if (iTunesIsNothing()) return;
    auto& app = iTunes();
    if (!KnownLength) {
      auto track = app.CurrentTrack();
      if (!track) return;
      KnownLength = Seconds(track->Time());
    }
    const double length = *KnownLength;
    int32_t position = app.PlayerPosition();
    if (ProgressLabels) {
      for (int i = 1; i <= lblInfo.UBound(); ++i) {
        ui::Label& label = lblInfo(i);
        const std::string& templ = label.tag();
        if (text::ContainsNoCase(templ, "[CurrentPosition]"))
          label.SetCaption(text::ReplaceAll(templ, "[CurrentPosition]",
                                            ConvertToTime(int64_t{position} * 1000)));
        if (text::ContainsNoCase(templ, "[CurrentRemaining]")) {
          label.SetCaption(text::ReplaceAll(templ, "[CurrentRemaining]",
                                            ConvertToTime(Milliseconds(length - position))));
        }
      }
    }
    double full = values::LeadingNumber(imgProgress.tag());
    imgProgress.SetWidth(length == 0 ? 0 : full * (position / length));
  } catch (const std::exception& failure) {
    iTunesFailed(failure);  // the next tick tries again
  }
}

void SkinWindow::SeekTo(double x, double width) {
  if (width <= 0 || iTunesIsNothing()) return;
  auto track = iTunes().CurrentTrack();
  if (!track) return;
  double length = Seconds(track->Time());
  iTunes().SetPlayerPosition(values::ToLong(std::round(x) / width * length));
}

void SkinWindow::imgProgress_MouseDown(int Button, int Shift, double X, double Y) {
  RunInterActionCode();
  imgProgress_MouseMove(Button, Shift, X, Y);
}

void SkinWindow::imgProgress_MouseMove(int Button, int, double X, double) {
  if (!(Button & ui::mouse::kLeft)) return;
  try {
    SeekTo(X, values::LeadingNumber(imgProgress.tag()));
  } catch (const std::exception& failure) {
    iTunesFailed(failure);  // seeking does nothing when iTunes cannot take it
  }
}

}  // namespace quavero::skin
