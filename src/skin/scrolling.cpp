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
namespace {

// The text without its first character (a whole UTF-8 sequence), that character at its end.
std::string Rotated(const std::string& s) {
  if (s.empty()) return s;
  size_t n = 1;
  while (n < s.size() && (static_cast<unsigned char>(s[n]) & 0xC0) == 0x80) ++n;
  return s.substr(n) + s.substr(0, n);
}

// The length in bytes of the first `characters` characters of a UTF-8 text.
size_t BytesOf(const std::string& s, size_t characters) {
  size_t i = 0;
  for (size_t c = 0; c < characters && i < s.size(); ++c) {
    ++i;
    while (i < s.size() && (static_cast<unsigned char>(s[i]) & 0xC0) == 0x80) ++i;
  }
  return i;
}

}  // namespace

void SkinWindow::tmrScroll_Timer() {
  if (Unloading) return Unload();
  for (int i = 1; i <= lblInfo.UBound(); ++i) {
    if (scrollWidth(i).tag() == "noscroll") continue;
    if (NoScrollLabels.find("[" + std::to_string(i) + "]") != std::string::npos) continue;
    ui::Label& label = lblInfo(i);
    LabelText[i] = Rotated(LabelText[i]);
    // One measurement gives every prefix; the label shows the longest that fits strictly.
    auto widths = app_.platform().windows().MeasurePrefixes(scrollWidth(i).font(), LabelText[i]);
    size_t fits = widths.size();
    while (fits > 0 && widths[fits - 1] >= label.width()) --fits;
    label.SetCaption(LabelText[i].substr(0, BytesOf(LabelText[i], fits)));
  }
}

void SkinWindow::ProgressStep() {
  try {
    // The connection, then its current track: asked once, not once more for the check.
    if (iTunesIsNothing()) return;
    auto& app = iTunes();
    auto track = app.CurrentTrack();
    if (!track) return;
    int32_t position = app.PlayerPosition();
    std::string length_text = track->Time();
    double length = Seconds(length_text);
    if (ProgressLabels) {
      for (int i = 1; i <= lblInfo.UBound(); ++i) {
        ui::Label& label = lblInfo(i);
        const std::string& templ = label.tag();
        if (text::ContainsNoCase(templ, "[CurrentPosition]"))
          label.SetCaption(text::ReplaceAll(templ, "[CurrentPosition]",
                                            ConvertToTime(position * 1000)));
        if (text::ContainsNoCase(templ, "[CurrentRemaining]")) {
          auto remaining = static_cast<int32_t>((length - position) * 1000);
          label.SetCaption(text::ReplaceAll(templ, "[CurrentRemaining]", ConvertToTime(remaining)));
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
