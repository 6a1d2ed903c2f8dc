// The skin window's connection to iTunes: connecting (at creation, or on the first check after
// iTunes starts), the liveness answer, the events iTunes raises, and what happens when iTunes
// refuses calls or quits.
#include <exception>

#include "app/application.h"
#include "base/failure.h"
#include "skin/skin_window.h"

namespace quavero::skin {

bool SkinWindow::IsiTunesDead() { return !app_.itunes().IsiTunesRunning() || DeskbarLetDie; }

void SkinWindow::ConnectToiTunes() {
  if (closing_) return;  // a window that is closing never connects again
  iTunesR = app_.itunes().GlobaliTunes();
  if (!iTunesR) return;
  events_subscribed_ = iTunesR->Subscribe(this);
  polled_ = false;
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
// let go of that iTunes at once; the next iTunes that starts is connected as usual.
void SkinWindow::iTunesFailed(const std::exception& failure) {
  auto* f = dynamic_cast<const Failure*>(&failure);
  if (f && itunes::ServerGone(f->number())) app_.ReleaseAlliTunes();
}

// A connection whose events do not come (iTunes refused the subscription) compares what
// plays with what it saw last, and raises the events the window would have heard.
void SkinWindow::PolliTunesEvents() {
  if (!iTunesR || events_subscribed_ || closing_) return;
  int32_t track = 0;
  bool playing = false;
  try {
    auto current = iTunesR->CurrentTrack();
    track = current ? current->TrackDatabaseID() : 0;
    playing = iTunesR->GetPlayerState() != itunes::PlayerState::kStopped;
  } catch (const std::exception& failure) {
    iTunesFailed(failure);
    return;
  }
  bool first = !polled_;
  bool was_playing = polled_playing_;
  bool changed = track != polled_track_;
  polled_ = true;
  polled_track_ = track;
  polled_playing_ = playing;
  if (first) return;
  if (playing && !was_playing) iTunesR_OnPlayerPlayEvent();
  else if (playing && changed) iTunesR_OnPlayerPlayingTrackChangedEvent();
  else if (!playing && was_playing) iTunesR_OnPlayerStopEvent();
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
  CheckEvent("newsong");
  LoadSong();
}

void SkinWindow::iTunesR_OnPlayerPlayingTrackChangedEvent() { iTunesR_OnPlayerPlayEvent(); }

void SkinWindow::iTunesR_OnPlayerStopEvent() {
  auto keep_alive = weak_from_this().lock();
  CheckEvent("stopsong");
}

void SkinWindow::iTunesR_OnDatabaseChangedEvent() {
  auto keep_alive = weak_from_this().lock();
  CheckEvent("databasechanged");
  LoadSong();
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
