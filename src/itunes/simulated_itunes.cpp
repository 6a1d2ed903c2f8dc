#include "itunes/simulated_itunes.h"

#include <algorithm>
#include <utility>

#include "base/failure.h"

namespace quavero::itunes {

SimulatedITunes::SimulatedITunes(platform::Loop& loop, CopyFile copy_file)
    : loop_(loop), copy_file_(std::move(copy_file)) {
  AddPlaylist("Library", PlaylistKind::kLibrary);
}

// Library.

int32_t SimulatedITunes::AddLibraryTrack(TrackData track) {
  track.database_id = next_id_++;
  tracks_.push_back(std::move(track));
  playlists_[0].tracks.push_back(tracks_.back().database_id);
  return tracks_.back().database_id;
}

int SimulatedITunes::AddSource(const std::string& name) {
  sources_.push_back(name);
  return static_cast<int>(sources_.size()) - 1;
}

int SimulatedITunes::AddPlaylist(const std::string& name, PlaylistKind kind, bool smart,
                                 int source) {
  PlaylistData playlist;
  playlist.name = name;
  playlist.kind = kind;
  playlist.smart = smart;
  playlist.source = source >= 0 && source < static_cast<int>(sources_.size()) ? source : 0;
  playlists_.push_back(std::move(playlist));
  return static_cast<int>(playlists_.size()) - 1;
}

void SimulatedITunes::AddToPlaylist(int playlist, int32_t database_id) {
  playlists_.at(playlist).tracks.push_back(database_id);
}

TrackData* SimulatedITunes::FindTrack(int32_t database_id) {
  auto it = std::find_if(tracks_.begin(), tracks_.end(),
                         [&](const TrackData& t) { return t.database_id == database_id; });
  return it == tracks_.end() ? nullptr : &*it;
}

TrackData& SimulatedITunes::TrackOrFail(int32_t database_id) {
  TrackData* t = FindTrack(database_id);
  if (!t) throw Failure(hresult::kObjectDeleted, "The object has been deleted");
  return *t;
}

void SimulatedITunes::RemoveTrack(int32_t database_id, int playlist) {
  bool current = current_playlist_ >= 0 && current_position_ >= 0 &&
                 playlists_[current_playlist_].tracks[current_position_] == database_id;
  if (playlist <= 0) {
    for (auto& p : playlists_) std::erase(p.tracks, database_id);
    std::erase_if(tracks_, [&](const TrackData& t) { return t.database_id == database_id; });
  } else {
    std::erase(playlists_.at(playlist).tracks, database_id);
  }
  if (current) SelectNothing();
  Raise(&Events::OnDatabaseChangedEvent);
}

void SimulatedITunes::SaveArtwork(const std::string& from, const std::string& to) {
  if (!copy_file_) throw Failure(hresult::kUnexpected, "Catastrophic failure");
  copy_file_(from, to);
}

// Failures and events.

void SimulatedITunes::Check() {
  ++calls_;
  if (trigger_ && calls_ == trigger_at_) std::exchange(trigger_, nullptr)();
  if (quit_) throw Failure(gone_failure_, "The RPC server is unavailable.");
  if (busy_ || !calls_enabled_) throw Failure(hresult::kCallRejected, "Call was rejected by callee.");
}

void SimulatedITunes::Raise(void (Events::*event)()) {
  if (events_off_) return;
  std::weak_ptr<SimulatedITunes> weak = weak_from_this();
  loop_.Post([weak, event] {
    auto self = weak.lock();
    if (!self) return;
    auto listeners = self->listeners_;
    for (Events* l : listeners) {
      // A listener that unsubscribed while an earlier one ran hears nothing more.
      if (std::find(self->listeners_.begin(), self->listeners_.end(), l) != self->listeners_.end())
        (l->*event)();
    }
  });
}

bool SimulatedITunes::Subscribe(Events* listener) {
  Check();
  if (events_off_) return false;
  listeners_.push_back(listener);
  return true;
}

void SimulatedITunes::Unsubscribe(Events* listener) { std::erase(listeners_, listener); }

void SimulatedITunes::SetCallsEnabled(bool enabled) {
  if (calls_enabled_ == enabled) return;
  calls_enabled_ = enabled;
  Raise(enabled ? &Events::OnCOMCallsEnabledEvent : &Events::OnCOMCallsDisabledEvent);
}

void SimulatedITunes::SetBusy(bool busy) { busy_ = busy; }
void SimulatedITunes::SetEventsOff(bool off) { events_off_ = off; }
void SimulatedITunes::RaiseDatabaseChanged() { Raise(&Events::OnDatabaseChangedEvent); }

void SimulatedITunes::QuitNow() {
  if (quit_) return;
  // Listeners hear both warnings before the objects they hold become invalid.
  auto listeners = listeners_;
  for (Events* l : listeners)
    if (std::find(listeners_.begin(), listeners_.end(), l) != listeners_.end())
      l->OnAboutToPromptUserToQuitEvent();
  listeners = listeners_;
  for (Events* l : listeners)
    if (std::find(listeners_.begin(), listeners_.end(), l) != listeners_.end())
      l->OnQuittingEvent();
  quit_ = true;
  listeners_.clear();
}

// The player.

int64_t SimulatedITunes::PositionMs() {
  if (!playing_) return position_ms_;
  return position_ms_ + static_cast<uint32_t>(loop_.TickCount() - play_started_);
}

void SimulatedITunes::FollowPlayback() {
  if (!playing_ || current_playlist_ < 0) return;
  const TrackData* t = FindTrack(playlists_[current_playlist_].tracks[current_position_]);
  if (!t || t->duration <= 0 || PositionMs() < t->duration * 1000) return;  // a stream never ends
  const auto& list = playlists_[current_playlist_];
  bool last = current_position_ + 1 >= static_cast<int>(list.tracks.size());
  if (list.repeat == 1) {
    MoveTo(current_position_, true);
  } else if (!last || list.repeat == 2) {
    MoveTo(last ? 0 : current_position_ + 1, true);
  } else {
    playing_ = false;
    position_ms_ = 0;
    Raise(&Events::OnPlayerStopEvent);
  }
}

void SimulatedITunes::MoveTo(int position, bool raise_change) {
  current_position_ = position;
  position_ms_ = 0;
  play_started_ = loop_.TickCount();
  if (raise_change && playing_) Raise(&Events::OnPlayerPlayingTrackChangedEvent);
}

void SimulatedITunes::StartPlaying() {
  if (current_playlist_ < 0) {
    if (playlists_[0].tracks.empty()) return;
    current_playlist_ = 0;
    current_position_ = 0;
  }
  if (playing_) return;
  playing_ = true;
  play_started_ = loop_.TickCount();
  Raise(&Events::OnPlayerPlayEvent);
}

void SimulatedITunes::Select(int playlist, int position) {
  playing_ = false;
  current_playlist_ = playlist;
  current_position_ = position;
  position_ms_ = 0;
}

void SimulatedITunes::SelectNothing() {
  playing_ = false;
  current_playlist_ = current_position_ = -1;
  position_ms_ = 0;
}

void SimulatedITunes::PlayFrom(int playlist, int position) {
  bool was_playing = playing_;
  current_playlist_ = playlist;
  MoveTo(position, false);
  if (was_playing) Raise(&Events::OnPlayerPlayingTrackChangedEvent);
  else StartPlaying();
}

void SimulatedITunes::PlayPause() {
  Check();
  FollowPlayback();
  if (playing_) PauseNow();
  else StartPlaying();
}

void SimulatedITunes::Play() {
  Check();
  FollowPlayback();
  StartPlaying();
}

void SimulatedITunes::Pause() {
  Check();
  PauseNow();
}

void SimulatedITunes::PauseNow() {
  if (!playing_) return;
  position_ms_ = PositionMs();
  playing_ = false;
  Raise(&Events::OnPlayerStopEvent);
}

void SimulatedITunes::Stop() {
  Check();
  bool was_playing = playing_;
  playing_ = false;
  position_ms_ = 0;
  if (was_playing) Raise(&Events::OnPlayerStopEvent);
}

void SimulatedITunes::PreviousTrack() {
  Check();
  if (current_playlist_ < 0) return;
  MoveTo(std::max(0, current_position_ - 1), true);
}

void SimulatedITunes::NextTrack() {
  Check();
  if (current_playlist_ < 0) return;
  int count = static_cast<int>(playlists_[current_playlist_].tracks.size());
  MoveTo(current_position_ + 1 < count ? current_position_ + 1 : 0, true);
}

void SimulatedITunes::UpdateIPod() { Check(); }

void SimulatedITunes::Quit() {
  Check();
  QuitNow();
}

int32_t SimulatedITunes::SoundVolume() {
  Check();
  return volume_;
}

void SimulatedITunes::SetSoundVolume(int32_t volume) {
  Check();
  volume_ = std::clamp(volume, 0, 100);
}

int32_t SimulatedITunes::PlayerPosition() {
  Check();
  FollowPlayback();
  return current_playlist_ < 0 ? 0 : static_cast<int32_t>(PositionMs() / 1000);
}

void SimulatedITunes::SetPlayerPosition(int32_t seconds) {
  Check();
  if (current_playlist_ < 0) return;
  const TrackData* t = FindTrack(playlists_[current_playlist_].tracks[current_position_]);
  position_ms_ = std::clamp<int64_t>(seconds, 0, t ? t->duration : 0) * 1000;
  play_started_ = loop_.TickCount();
}

PlayerState SimulatedITunes::GetPlayerState() {
  Check();
  FollowPlayback();
  return playing_ ? PlayerState::kPlaying : PlayerState::kStopped;
}

TrackPtr SimulatedITunes::CurrentTrack() {
  Check();
  FollowPlayback();
  if (current_playlist_ < 0) return nullptr;
  return MakeTrack(playlists_[current_playlist_].tracks[current_position_], current_playlist_);
}

PlaylistPtr SimulatedITunes::CurrentPlaylist() {
  Check();
  return current_playlist_ < 0 ? nullptr : MakePlaylist(current_playlist_);
}

PlaylistPtr SimulatedITunes::LibraryPlaylist() {
  Check();
  return MakePlaylist(0);
}

}  // namespace quavero::itunes
