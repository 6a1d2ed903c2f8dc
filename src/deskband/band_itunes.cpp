// The band and iTunes: the check before every call, the events iTunes raises, the track
// information with its own placeholders, the scroll step with a moving start, and the 100 ms
// progress step that also polls the shortcuts. Nothing here lets a failure into the shell.
#include <algorithm>
#include <cstdint>
#include <exception>

#include "base/failure.h"
#include "base/text.h"
#include "base/values.h"
#include "deskband/band_window.h"
#include "skin/track_text.h"

namespace quavero::deskband {
namespace {

// What the band's labels can show; [CurrentPosition] stays as written and marks a time label.
constexpr const char* kBandPlaceholders[] = {
    "[Artist]", "[Title]", "[Album]", "[Time]", "[PlayCount]", "[BitRate]", "[BPM]",
    "[Comment]", "[Compilation]", "[Composer]", "[Genre]", "[Rating]", "[TrackNumber]"};

}  // namespace

// An iTunes that cannot be reached is said once, and again only after a check has succeeded
// in between: the progress step checks ten times a second, inside the shell's process.
bool BandWindow::CheckItunes() {
  if (iTunesUnavailable) return false;
  try {
    if (!iTunesR) {
      ForgetTrack();
      iTunesR = platform_.CreateITunesApplication();
      if (!iTunesR) throw Failure(errors::kObjectNotSet);
      ConnectEvents();
    }
    check_error_said_ = false;
    return true;
  } catch (const std::exception&) {
    DropiTunes();
    if (!check_error_said_) {
      check_error_said_ = true;
      ShowMessage(kCheckItunesError, platform::Icon::kNone, kBandApplication);
    }
    return false;
  }
}

void BandWindow::ConnectEvents() {
  if (Closing) return;
  events_subscribed_ = iTunesR->Subscribe(this);
}

void BandWindow::DropiTunes() {
  ForgetTrack();
  if (iTunesR && events_subscribed_) {
    try {
      iTunesR->Unsubscribe(this);
    } catch (const std::exception&) {
    }
  }
  events_subscribed_ = false;
  iTunesR.reset();
}

bool BandWindow::HasCurrentTrack() { return iTunesR->CurrentTrack() != nullptr; }

void BandWindow::iTunesR_OnDatabaseChangedEvent() {
  CheckEvent("databasechanged");
  LoadSong();
}

void BandWindow::iTunesR_OnPlayerPlayEvent() {
  CheckEvent("newsong");
  LoadSong();
}

void BandWindow::iTunesR_OnPlayerPlayingTrackChangedEvent() {
  CheckEvent("newsong");
  LoadSong();
}

void BandWindow::iTunesR_OnPlayerStopEvent() { CheckEvent("stopsong"); }

void BandWindow::LoadSong() {
  if (form_.peer()) form_.peer()->Invalidate();
  try {
    if (CheckItunes() && HasCurrentTrack()) RefreshInfo();
  } catch (const std::exception&) {
    // A track that went away meanwhile: the next event shows the next one.
  }
}

void BandWindow::RefreshInfo() {
  if (!CheckItunes()) return;
  try {
    TimeLabels = false;
    auto track = iTunesR->CurrentTrack();
    if (!track) throw Failure(errors::kObjectNotSet);
    skin::TrackFacts facts(*track, nullptr, platform_.locale());  // no playlist placeholders
    KnownLength = skin::Seconds(facts.Get("[Time]"));
    for (int i = 1; i <= lblInfo.UBound(); ++i) {
      ui::Label& label = lblInfo(i);
      label.SetCaption(skin::FillTemplate(label.tag(), kBandPlaceholders, facts));
      FitLabel(i);
      if (scrollWidth(i).tag() == "noscroll") label.SetCaption(ShownText(i));
      if (text::ContainsNoCase(label.tag(), "[CurrentPosition]")) TimeLabels = true;
    }
    ScrollStep();
    ShowRatings();
  } catch (const std::exception& failure) {
    ShowMessage("Error in RefreshInfo: " + DescriptionOf(failure), platform::Icon::kNone,
                kBandApplication);
  }
}

void BandWindow::ShowRatings() {
  DrawStars([this] { return itunes::Existing(iTunesR->CurrentTrack()).Rating(); });
}

std::string BandWindow::ShownText(int index) const {
  const std::string& text = LabelText[index];
  if (CurrentTime.empty()) return text;
  return skin::ReplaceNoCase(text, "[CurrentTime]", CurrentTime);
}

void BandWindow::tmrScroll_Timer() {
  try {
    ScrollStep();
  } catch (const std::exception&) {
    ForgetTrack();
  }
}

// Each scrolling label shows its text from a start that moves on by one character a step,
// wrapping round to the text's beginning.
void BandWindow::ScrollStep() {
  if (Closing) return Form_Unload();
  if (!CheckItunes() || (!KnownLength && !HasCurrentTrack())) return;
  if (static_cast<int>(ScrollStart.size()) <= lblInfo.UBound())
    ScrollStart.resize(lblInfo.UBound() + 1, 0);
  if (form_.peer()) form_.peer()->Invalidate();
  for (int i = 1; i <= lblInfo.UBound(); ++i) {
    const std::string& tag = scrollWidth(i).tag();
    if (tag == "noscroll") continue;
    const std::string text = ShownText(i);
    const std::vector<size_t> starts = skin::CharacterStarts(text);
    const int length = static_cast<int>(starts.size());
    const int n = std::max(0, static_cast<int>(values::LeadingNumber(tag)));
    int16_t& start = ScrollStart[i];
    if (start <= 0 || start > length) start = 1;
    auto at = [&](int k) { return k < length ? starts[k] : text.size(); };  // k counts from 0
    const int from = start - 1;
    const int r = length - start;
    std::string shown;
    if (n >= r)
      shown = text.substr(at(from)) + text.substr(0, at(std::min(n - r, length)));
    else
      shown = text.substr(at(from), at(from + n) - at(from));
    lblInfo(i).SetCaption(std::move(shown));
    start = start < INT16_MAX ? static_cast<int16_t>(start + 1) : int16_t{1};
  }
}

void BandWindow::tmrProgress_Timer() {
  if (Closing) return Form_Unload();
  try {
    ProgressStep();
  } catch (const std::exception&) {
    ForgetTrack();  // the next step asks again, for the track too
  }
}

void BandWindow::ProgressStep() {
  if (!CheckItunes()) return;
  if (!KnownLength) {
    auto track = iTunesR->CurrentTrack();
    if (!track) return;
    KnownLength = skin::Seconds(track->Time());
  }
  const double length = *KnownLength;
  const int32_t position = iTunesR->PlayerPosition();
  if (TimeLabels) {
    CurrentTime = skin::ConvertToTime(int64_t{position} * 1000);
    // Labels that do not scroll show the time now; scrolling ones at their next step.
    for (int i = 1; i <= lblInfo.UBound(); ++i)
      if (scrollWidth(i).tag() == "noscroll" &&
          text::ContainsNoCase(LabelText[i], "[CurrentTime]"))
        lblInfo(i).SetCaption(ShownText(i));
  }
  CheckKeyShortcuts();
  if (!iTunesR) return;  // a shortcut's code may have let go of iTunes
  double full = values::LeadingNumber(imgProgress.tag());
  imgProgress.SetWidth(length == 0 ? 0 : full * (position / length));
}

void BandWindow::SeekTo(double x, double width) {
  if (width <= 0 || !CheckItunes()) return;
  auto track = iTunesR->CurrentTrack();
  if (!track) return;
  double length = skin::Seconds(track->Time());
  iTunesR->SetPlayerPosition(values::ToLong(length * (x / width)));
}

}  // namespace quavero::deskband
