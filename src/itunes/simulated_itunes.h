// A simulated iTunes: a library of sources, playlists and tracks, and a player whose position
// advances with the port's tick count while it plays. Events reach listeners on the user-
// interface loop. Failures come on demand: calls refused while iTunes "shows a dialog", busy,
// gone after quitting, subscriptions refused. Engine tests use it directly; the stand-in
// serves it over COM.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "itunes/itunes.h"
#include "platform/platform.h"

namespace quavero::itunes {

struct TrackData {
  int32_t database_id = 0;  // given by the library
  std::string name, artist, album, comment, composer, genre, location;
  int32_t bit_rate = 256, bpm = 0, played_count = 0, track_number = 0, year = 0;
  int32_t duration = 180, rating = 0, start = 0, finish = 0, volume_adjustment = 0;
  bool compilation = false;
  bool file_track = true;  // file tracks have a Location
  std::vector<std::string> artwork;  // picture files, first is item 1
};

struct PlaylistData {
  std::string name;
  PlaylistKind kind = PlaylistKind::kUser;
  bool smart = false;  // smart playlists are user playlists that take no tracks
  std::vector<int32_t> tracks;  // database IDs in order
  int source = 0;               // index of its source; 0 is the library
  bool shuffle = false;
  int32_t repeat = 0;
};

class SimulatedITunes : public Application, public std::enable_shared_from_this<SimulatedITunes> {
 public:
  // copy_file saves artwork (from, to); without one, saving artwork fails as iTunes can.
  using CopyFile = std::function<void(const std::string& from, const std::string& to)>;
  SimulatedITunes(platform::Loop& loop, CopyFile copy_file = nullptr);

  // Building the library. The library playlist is playlist 0 of source 0, "Library"; other
  // sources (an iPod) come after it, each with playlists of its own.
  int32_t AddLibraryTrack(TrackData track);
  int AddSource(const std::string& name);
  int AddPlaylist(const std::string& name, PlaylistKind kind = PlaylistKind::kUser,
                  bool smart = false, int source = 0);
  const std::string& source_name(int index) const { return sources_.at(index); }
  int source_count() const { return static_cast<int>(sources_.size()); }
  void AddToPlaylist(int playlist, int32_t database_id);
  TrackData* FindTrack(int32_t database_id);
  PlaylistData& playlist(int index) { return playlists_.at(index); }
  int playlist_count() const { return static_cast<int>(playlists_.size()); }

  // The player, from outside (tests, the stand-in's --send).
  void Select(int playlist, int position);  // makes a track current, stopped at 0
  void SelectNothing();
  int current_playlist() const { return current_playlist_; }

  // Failures and events on demand.
  void SetCallsEnabled(bool enabled);  // raises OnCOMCallsDisabled/EnabledEvent
  void SetBusy(bool busy);             // calls fail with "call rejected"
  void SetEventsOff(bool off);         // subscriptions fail and no events are sent
  void RefuseDeletes(bool refuse) { refuse_deletes_ = refuse; }  // Delete fails, as on a locked iPod
  bool refuses_deletes() const { return refuse_deletes_; }
  void RaiseDatabaseChanged();
  // Quits like iTunes: warns listeners first, then says it quits; afterwards every call fails.
  void QuitNow();
  // The process was killed: no event, every call fails from now on with the failure a client
  // of a dead server meets.
  void Vanish(int32_t failure = hresult::kServerUnavailable) {
    quit_ = true;
    gone_failure_ = failure;
  }
  bool quit() const { return quit_; }
  int listener_count() const { return static_cast<int>(listeners_.size()); }
  // How many calls reached "iTunes", for measurements.
  long calls() const { return calls_; }
  // Runs an action as the n-th call from now reaches "iTunes", before that call is answered:
  // what changes in iTunes between two calls of a client.
  void BeforeCall(long n, std::function<void()> action) {
    trigger_at_ = calls_ + n;
    trigger_ = std::move(action);
  }

  // Application.
  void PlayPause() override;
  void Play() override;
  void Pause() override;
  void Stop() override;
  void PreviousTrack() override;
  void NextTrack() override;
  void UpdateIPod() override;
  void Quit() override;
  int32_t SoundVolume() override;
  void SetSoundVolume(int32_t volume) override;
  int32_t PlayerPosition() override;
  void SetPlayerPosition(int32_t seconds) override;
  PlayerState GetPlayerState() override;
  TrackPtr CurrentTrack() override;
  PlaylistPtr CurrentPlaylist() override;
  PlaylistPtr LibraryPlaylist() override;
  std::shared_ptr<Collection<Source>> Sources() override;
  bool Subscribe(Events* listener) override;
  void Unsubscribe(Events* listener) override;

  // Used by the simulated objects.
  void Check();  // counts the call and fails it when iTunes cannot take calls
  TrackData& TrackOrFail(int32_t database_id);
  TrackPtr MakeTrack(int32_t database_id, int playlist);
  PlaylistPtr MakePlaylist(int index);
  void RemoveTrack(int32_t database_id, int playlist);
  void PlayFrom(int playlist, int position);
  void SaveArtwork(const std::string& from, const std::string& to);
  platform::Loop& loop() { return loop_; }

 private:
  void Raise(void (Events::*event)());
  void StartPlaying();
  void PauseNow();
  void MoveTo(int position, bool raise_change);
  void FollowPlayback();  // a track that played to its end gives way to the next one
  int64_t PositionMs();

  platform::Loop& loop_;
  CopyFile copy_file_;
  std::vector<TrackData> tracks_;
  std::vector<PlaylistData> playlists_;
  std::vector<std::string> sources_{"Library"};
  std::vector<Events*> listeners_;
  int32_t next_id_ = 1001;
  int current_playlist_ = -1;
  int current_position_ = -1;  // index into the current playlist's tracks
  bool playing_ = false;
  int64_t position_ms_ = 0;     // while stopped; while playing, at play_started_
  uint32_t play_started_ = 0;
  int32_t volume_ = 80;
  bool calls_enabled_ = true;
  bool busy_ = false;
  bool events_off_ = false;
  bool refuse_deletes_ = false;
  bool quit_ = false;
  int32_t gone_failure_ = hresult::kServerUnavailable;
  long calls_ = 0;
  long trigger_at_ = 0;
  std::function<void()> trigger_;
};

}  // namespace quavero::itunes
