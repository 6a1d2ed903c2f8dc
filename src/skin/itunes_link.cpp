// The skin window's connection to iTunes: connecting (at creation, or on the first check after
// iTunes starts), the liveness answer, the events iTunes raises, and what happens when iTunes
// refuses calls or quits.
#include <algorithm>
#include <exception>
#include <optional>
#include <utility>

#include "app/application.h"
#include "base/failure.h"
#include "base/text.h"
#include "skin/skin_window.h"

namespace quavero::skin {

bool SkinWindow::IsiTunesDead() { return !app_.itunes().IsiTunesRunning() || DeskbarLetDie; }

void SkinWindow::ConnectToiTunes() {
  if (closing_) return;  // a window that is closing never connects again
  iTunesR = app_.itunes().GlobaliTunes();
  if (!iTunesR) return;
  events_subscribed_ = iTunesR->Subscribe(this);
  polled_.reset();
  ForgetTrack();
}

void SkinWindow::StopHearingiTunes() {
  if (iTunesR && events_subscribed_) {
    try {
      iTunesR->Unsubscribe(this);
    } catch (const std::exception&) {
    }
  }
  events_subscribed_ = false;
}

void SkinWindow::ReleaseiTunes() {
  ForgetTrack();
  StopHearingiTunes();
  iTunesR.reset();
}

bool SkinWindow::iTunesIsNothing(bool CareForTrack) {
  try {
    if (IsiTunesDead()) {
      // An iTunes that went away without quitting (killed, crashed) leaves references that
      // can never answer again; let go of them, so that a new iTunes is connected.
      if (iTunesR) {
        ReleaseiTunes();
        app_.itunes().Release();
      }
      return true;
    }
    if (!iTunesR) ConnectToiTunes();
    if (!iTunesR) return true;
    return CareForTrack && iTunesR->CurrentTrack() == nullptr;
  } catch (const std::exception& failure) {
    iTunesFailed(failure);
    return true;
  }
}

// A call that fails because the server behind the objects has gone (killed or crashed, while
// the liveness check may still see iTunesHelper.exe in the iTunes folder) makes every window
// let go of that iTunes at once; the next check connects to a new one as usual.
void SkinWindow::iTunesFailed(const std::exception& failure) {
  ForgetTrack();
  auto* f = dynamic_cast<const Failure*>(&failure);
  if (f && itunes::ServerGone(f->number())) app_.LetGoOfiTunes();
}

// A connection whose events do not come (iTunes refused the subscription) compares what
// plays with what it saw last, and raises the events the window would have heard.
void SkinWindow::PolliTunesEvents() {
  if (!iTunesR || events_subscribed_ || closing_) return;
  auto now = ReadPlaying();
  if (!now) return;
  std::optional<Playing> before = std::exchange(polled_, now);
  if (!before) return;  // the first look only remembers what plays
  if (now->playing && !before->playing) iTunesR_OnPlayerPlayEvent();
  else if (now->playing && now->track != before->track) iTunesR_OnPlayerPlayingTrackChangedEvent();
  else if (!now->playing && before->playing) iTunesR_OnPlayerStopEvent();
}

itunes::Application& SkinWindow::iTunes() {
  if (!iTunesR) throw Failure(errors::kObjectNotSet);
  return *iTunesR;
}

itunes::Application& SkinWindow::GlobaliTunes() {
  auto global = app_.itunes().GlobaliTunes();
  if (!global) throw Failure(errors::kObjectNotSet);
  return *global;
}

void SkinWindow::iTunesR_OnPlayerPlayEvent() {
  auto keep_alive = weak_from_this().lock();
  RaiseSkinEvent("newsong");
  LoadSong();
  if (CantixPane.started()) CantixPane.LoadLyrics();
}

void SkinWindow::iTunesR_OnPlayerPlayingTrackChangedEvent() { iTunesR_OnPlayerPlayEvent(); }

void SkinWindow::iTunesR_OnPlayerStopEvent() {
  auto keep_alive = weak_from_this().lock();
  RaiseSkinEvent("stopsong");
  if (CantixPane.started()) CantixPane.OnPlayerStopEvent();
}

void SkinWindow::iTunesR_OnDatabaseChangedEvent() {
  auto keep_alive = weak_from_this().lock();
  RaiseSkinEvent("databasechanged");
  LoadSong();
}

// The codes of a skin event talk to iTunes, and iTunes answers with events of its own: the
// newsong code {pause}{play} makes iTunes raise a play event, which would raise newsong again,
// for ever. So while the codes of a skin event may still be answered (kEchoMs after they ran),
// an iTunes event does not raise that same skin event again as long as iTunes plays what it
// played when the skin event was raised (the codes changed nothing a skin could show), and no
// skin event at all once such answers have chained kMaxEchoDepth events deep. Everything else
// an event does (loading the song) still happens; another track, or a user's own press in
// iTunes a moment later, raises the event as always.
void SkinWindow::RaiseSkinEvent(const std::string& name) {
  auto& loop = app_.platform().loop();
  uint32_t now = loop.TickCount();
  std::erase_if(echoes_, [now](const Echo& e) { return static_cast<int32_t>(now - e.until) >= 0; });
  if (!HasEventCode(name)) return;
  Playing playing = ReadPlaying().value_or(Playing{-1, false});  // unknown: nothing seen
  int depth = 0;
  for (const Echo& e : echoes_) {
    if (text::EqualsNoCase(e.event, name) && e.playing == playing) return;
    depth = std::max(depth, e.depth + 1);
  }
  if (depth > kMaxEchoDepth) return;
  CheckEvent(name);
  echoes_.push_back({name, playing, loop.TickCount() + kEchoMs, depth});
}

std::optional<SkinWindow::Playing> SkinWindow::ReadPlaying() {
  if (!iTunesR) return std::nullopt;
  try {
    auto track = iTunesR->CurrentTrack();
    return Playing{track ? track->TrackDatabaseID() : 0,
                   iTunesR->GetPlayerState() != itunes::PlayerState::kStopped};
  } catch (const std::exception& failure) {
    iTunesFailed(failure);
    return std::nullopt;
  }
}

bool SkinWindow::HasEventCode(const std::string& name) const {
  return std::any_of(EventList.begin(), EventList.end(),
                     [&](const EventRecord& e) { return text::EqualsNoCase(e.name, name); });
}

void SkinWindow::iTunesR_OnQuittingEvent() {
  auto keep_alive = weak_from_this().lock();
  if (!IsDeskbar) {
    ReleaseiTunes();
    app_.CloseAllWindows();
    Unload();
    return;
  }
  DeskbarLetDie = true;
  tmrDeskbarLetDie.SetEnabled(true);
  ReleaseiTunes();
  app_.itunes().Release();
}

void SkinWindow::iTunesR_OnAboutToPromptUserToQuitEvent() {
  auto keep_alive = weak_from_this().lock();
  app_.ReleaseAlliTunes();
  iTunesR_OnQuittingEvent();
}

}  // namespace quavero::skin
