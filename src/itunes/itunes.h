// The iTunes scripting interface as the engine sees it: the application, tracks, playlists,
// sources, artwork, 1-based collections and the events. Every call may fail with a
// quavero::Failure carrying iTunes' error number and description.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "base/failure.h"

namespace quavero::itunes {

class Track;
class Playlist;
class Source;
class Artwork;
using TrackPtr = std::shared_ptr<Track>;
using PlaylistPtr = std::shared_ptr<Playlist>;
using SourcePtr = std::shared_ptr<Source>;
using ArtworkPtr = std::shared_ptr<Artwork>;

// Failure numbers real clients meet.
namespace hresult {
inline constexpr int32_t kCallRejected = static_cast<int32_t>(0x80010001);  // iTunes is busy
inline constexpr int32_t kServerUnavailable = static_cast<int32_t>(0x800706BA);  // iTunes gone
inline constexpr int32_t kObjectDeleted = static_cast<int32_t>(0xA0040202);
inline constexpr int32_t kUnexpected = static_cast<int32_t>(0x8000FFFF);
inline constexpr int32_t kFail = static_cast<int32_t>(0x80004005);
// The server has gone: killed, crashed, or quit while its objects were held.
inline constexpr int32_t kServerDied = static_cast<int32_t>(0x80010007);     // RPC_E_SERVERDIED
inline constexpr int32_t kDisconnected = static_cast<int32_t>(0x80010108);   // RPC_E_DISCONNECTED
inline constexpr int32_t kNotConnected = static_cast<int32_t>(0x800401FD);   // CO_E_OBJNOTCONNECTED
}  // namespace hresult

// Whether a failed call says that the iTunes behind the objects has gone for good, so every
// object of it is dead and only a new application object can reach the next iTunes.
inline bool ServerGone(int32_t number) {
  return number == hresult::kServerUnavailable || number == hresult::kServerDied ||
         number == hresult::kDisconnected || number == hresult::kNotConnected;
}

// An object that iTunes returned; failure 91 when it returned Nothing, as it can for any
// object (the current track may go away between two calls).
template <typename T>
T& Existing(const std::shared_ptr<T>& object) {
  if (!object) throw Failure(errors::kObjectNotSet);
  return *object;
}

// A 1-based collection: Item(1) .. Item(Count()).
template <typename T>
class Collection {
 public:
  virtual ~Collection() = default;
  virtual int Count() = 0;
  virtual std::shared_ptr<T> Item(int index) = 0;
};

class Artwork {
 public:
  virtual ~Artwork() = default;
  virtual void SaveArtworkToFile(const std::string& path) = 0;
  virtual int Format() = 0;  // 1 JPEG, 2 PNG, 3 BMP
};

using ArtworkCollection = Collection<Artwork>;

enum class PlayerState { kStopped = 0, kPlaying = 1, kFastForward = 2, kRewind = 3 };
enum class PlaylistKind { kUnknown = 0, kLibrary = 1, kUser = 2, kCD = 3, kDevice = 4, kRadio = 5 };

class Track {
 public:
  virtual ~Track() = default;
  virtual std::string Name() = 0;
  virtual void SetName(const std::string& name) = 0;
  virtual int32_t TrackDatabaseID() = 0;
  virtual std::string Artist() = 0;
  virtual void SetArtist(const std::string& artist) = 0;
  virtual std::string Album() = 0;
  virtual void SetAlbum(const std::string& album) = 0;
  virtual std::string Comment() = 0;
  virtual std::string Composer() = 0;
  virtual std::string Genre() = 0;
  virtual int32_t BitRate() = 0;       // kbps
  virtual int32_t BPM() = 0;
  virtual int32_t PlayedCount() = 0;
  virtual int32_t TrackNumber() = 0;
  virtual int32_t Year() = 0;
  virtual bool Compilation() = 0;
  virtual std::string Time() = 0;      // "m:ss"
  virtual int32_t Duration() = 0;      // seconds
  virtual int32_t Rating() = 0;        // 0..100, 20 a star
  virtual void SetRating(int32_t rating) = 0;
  virtual void SetStart(int32_t seconds) = 0;
  virtual void SetFinish(int32_t seconds) = 0;
  virtual int32_t VolumeAdjustment() = 0;  // -100..100
  virtual void SetVolumeAdjustment(int32_t adjustment) = 0;
  virtual void Delete() = 0;
  virtual void AddArtworkFromFile(const std::string& path) = 0;
  virtual std::shared_ptr<ArtworkCollection> Artwork() = 0;
  // Only file and CD tracks have one; other tracks fail.
  virtual std::string Location() = 0;
  // Sets a writable property by its scripting name; fails for unknown or read-only names.
  virtual void SetProperty(const std::string& name, const std::string& value) = 0;
};

class Playlist {
 public:
  virtual ~Playlist() = default;
  virtual std::string Name() = 0;
  virtual void SetName(const std::string& name) = 0;
  virtual PlaylistKind Kind() = 0;
  virtual void PlayFirstTrack() = 0;
  // Tracks matching the text in all fields; nullptr when none match.
  virtual std::shared_ptr<Collection<Track>> Search(const std::string& text, int field) = 0;
  virtual int32_t Duration() = 0;  // seconds
  virtual std::shared_ptr<Collection<Track>> Tracks() = 0;
  virtual bool Shuffle() = 0;
  virtual void SetShuffle(bool shuffle) = 0;
  virtual int32_t SongRepeat() = 0;  // 0 off, 1 one, 2 all
  virtual void SetSongRepeat(int32_t repeat) = 0;
  // Only user playlists take tracks; others fail.
  virtual void AddTrack(const TrackPtr& track) = 0;
};

class Source {
 public:
  virtual ~Source() = default;
  virtual std::string Name() = 0;
  virtual std::shared_ptr<Collection<Playlist>> Playlists() = 0;
};

// The seven events the system listens to, and the warning iTunes gives before it asks the user
// whether to quit while scripting clients hold its objects.
class Events {
 public:
  virtual ~Events() = default;
  virtual void OnDatabaseChangedEvent() {}
  virtual void OnPlayerPlayEvent() {}
  virtual void OnPlayerPlayingTrackChangedEvent() {}
  virtual void OnPlayerStopEvent() {}
  virtual void OnCOMCallsDisabledEvent() {}
  virtual void OnCOMCallsEnabledEvent() {}
  virtual void OnQuittingEvent() {}
  virtual void OnAboutToPromptUserToQuitEvent() {}
};

class Application {
 public:
  virtual ~Application() = default;
  virtual void PlayPause() = 0;
  virtual void Play() = 0;
  virtual void Pause() = 0;
  virtual void Stop() = 0;
  virtual void PreviousTrack() = 0;
  virtual void NextTrack() = 0;
  virtual void UpdateIPod() = 0;
  virtual void Quit() = 0;
  virtual int32_t SoundVolume() = 0;  // 0..100
  virtual void SetSoundVolume(int32_t volume) = 0;
  virtual int32_t PlayerPosition() = 0;  // whole seconds into the current track
  virtual void SetPlayerPosition(int32_t seconds) = 0;
  virtual PlayerState GetPlayerState() = 0;
  virtual TrackPtr CurrentTrack() = 0;        // nullptr when there is none
  virtual PlaylistPtr CurrentPlaylist() = 0;  // nullptr when there is none
  virtual PlaylistPtr LibraryPlaylist() = 0;
  virtual std::shared_ptr<Collection<Source>> Sources() = 0;

  // Events reach the listener on the user-interface thread until it unsubscribes. False when
  // iTunes refuses the subscription; calls still work then, but no event will come.
  virtual bool Subscribe(Events* listener) = 0;
  virtual void Unsubscribe(Events* listener) = 0;
};

using ApplicationPtr = std::shared_ptr<Application>;

}  // namespace quavero::itunes
