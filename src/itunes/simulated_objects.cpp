// The objects of the simulated iTunes: tracks, playlists, sources, artwork and collections.
// Each holds its application and an identity, and reads the library anew at every call, as
// the scripting interface does.
#include <algorithm>
#include <cstdio>
#include <map>

#include "base/failure.h"
#include "base/text.h"
#include "base/values.h"
#include "itunes/simulated_itunes.h"

namespace quavero::itunes {
namespace {

using App = std::shared_ptr<SimulatedITunes>;

// What iTunes answers a value it cannot take.
constexpr int kInvalidArgument = static_cast<int>(0x80070057);  // E_INVALIDARG
constexpr int kTypeMismatch = static_cast<int>(0x80020005);     // DISP_E_TYPEMISMATCH

template <typename T>
class VectorCollection : public Collection<T> {
 public:
  VectorCollection(App app, std::vector<std::shared_ptr<T>> items)
      : app_(std::move(app)), items_(std::move(items)) {}
  int Count() override {
    app_->Check();
    return static_cast<int>(items_.size());
  }
  std::shared_ptr<T> Item(int index) override {
    app_->Check();
    if (index < 1 || index > static_cast<int>(items_.size()))
      throw Failure(hresult::kFail, "Invalid index");
    return items_[index - 1];
  }

 private:
  App app_;
  std::vector<std::shared_ptr<T>> items_;
};

class SimArtwork : public Artwork {
 public:
  SimArtwork(App app, std::string file) : app_(std::move(app)), file_(std::move(file)) {}
  void SaveArtworkToFile(const std::string& path) override {
    app_->Check();
    app_->SaveArtwork(file_, path);
  }
  int Format() override {
    app_->Check();
    std::string lower = text::ToLowerAscii(file_);
    if (lower.size() >= 4 && lower.substr(lower.size() - 4) == ".png") return 2;
    if (lower.size() >= 4 && lower.substr(lower.size() - 4) == ".bmp") return 3;
    return 1;
  }

 private:
  App app_;
  std::string file_;
};

std::string TimeText(int32_t seconds) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%d:%02d", seconds / 60, seconds % 60);
  return buffer;
}

class SimTrack : public Track {
 public:
  SimTrack(App app, int32_t id, int playlist) : app_(std::move(app)), id_(id), playlist_(playlist) {}

  std::string Name() override { return Data().name; }
  void SetName(const std::string& v) override { Data().name = v; }
  int32_t TrackDatabaseID() override { return Data().database_id; }
  std::string Artist() override { return Data().artist; }
  void SetArtist(const std::string& v) override { Data().artist = v; }
  std::string Album() override { return Data().album; }
  void SetAlbum(const std::string& v) override { Data().album = v; }
  std::string Comment() override { return Data().comment; }
  std::string Composer() override { return Data().composer; }
  std::string Genre() override { return Data().genre; }
  int32_t BitRate() override { return Data().bit_rate; }
  int32_t BPM() override { return Data().bpm; }
  int32_t PlayedCount() override { return Data().played_count; }
  int32_t TrackNumber() override { return Data().track_number; }
  int32_t Year() override { return Data().year; }
  bool Compilation() override { return Data().compilation; }
  std::string Time() override { return TimeText(Data().duration); }
  int32_t Duration() override { return Data().duration; }
  int32_t Rating() override { return Data().rating; }
  void SetRating(int32_t v) override {
    TrackData& d = Data();
    if (v < 0 || v > 100) throw Failure(kInvalidArgument, "The parameter is incorrect.");
    d.rating = v;
  }
  void SetStart(int32_t v) override { Data().start = v; }
  void SetFinish(int32_t v) override { Data().finish = v; }
  int32_t VolumeAdjustment() override { return Data().volume_adjustment; }
  void SetVolumeAdjustment(int32_t v) override { Data().volume_adjustment = std::clamp(v, -100, 100); }
  void Delete() override {
    app_->Check();
    if (app_->refuses_deletes()) throw Failure(hresult::kFail, "The track cannot be deleted.");
    app_->RemoveTrack(id_, playlist_);
  }
  void AddArtworkFromFile(const std::string& path) override {
    TrackData& d = Data();
    if (path.empty()) throw Failure(hresult::kFail, "The file could not be added as artwork");
    d.artwork.insert(d.artwork.begin(), path);
  }
  std::shared_ptr<ArtworkCollection> Artwork() override {
    std::vector<ArtworkPtr> items;
    for (const auto& file : Data().artwork) items.push_back(std::make_shared<SimArtwork>(app_, file));
    return std::make_shared<VectorCollection<itunes::Artwork>>(app_, std::move(items));
  }
  std::string Location() override {
    TrackData& d = Data();
    if (!d.file_track) throw Failure(errors::kNoSuchMember);
    return d.location;
  }
  void SetProperty(const std::string& name, const std::string& value) override;

 private:
  TrackData& Data() {
    app_->Check();
    return app_->TrackOrFail(id_);
  }
  App app_;
  int32_t id_;
  int playlist_;
};

void SimTrack::SetProperty(const std::string& name, const std::string& value) {
  TrackData& d = Data();
  using Text = std::string TrackData::*;
  using Number = int32_t TrackData::*;
  static const std::map<std::string, Text> texts = {
      {"name", &TrackData::name},       {"artist", &TrackData::artist},
      {"album", &TrackData::album},     {"comment", &TrackData::comment},
      {"composer", &TrackData::composer}, {"genre", &TrackData::genre}};
  static const std::map<std::string, Number> numbers = {
      {"bpm", &TrackData::bpm},         {"playedcount", &TrackData::played_count},
      {"tracknumber", &TrackData::track_number}, {"year", &TrackData::year},
      {"rating", &TrackData::rating},   {"start", &TrackData::start},
      {"finish", &TrackData::finish},   {"volumeadjustment", &TrackData::volume_adjustment}};
  static const char* read_only[] = {"bitrate", "time", "duration", "trackdatabaseid", "kind",
                                    "size", "samplerate", "index"};
  std::string key = text::ToLowerAscii(name);
  if (auto t = texts.find(key); t != texts.end()) {
    d.*(t->second) = value;
  } else if (auto n = numbers.find(key); n != numbers.end()) {
    if (!values::IsNumeric(value)) throw Failure(kTypeMismatch, "Type mismatch.");
    int32_t number = values::LongValue(value);
    if (key == "rating" && (number < 0 || number > 100)) throw Failure(kInvalidArgument, "The parameter is incorrect.");
    d.*(n->second) = number;
  } else if (key == "compilation") {
    d.compilation = values::ToFlag(value);
  } else if (std::find(std::begin(read_only), std::end(read_only), key) != std::end(read_only)) {
    throw Failure(hresult::kFail, "Property '" + name + "' is read-only");
  } else {
    throw Failure(errors::kNoSuchMember);
  }
}

class SimPlaylist : public Playlist {
 public:
  SimPlaylist(App app, int index) : app_(std::move(app)), index_(index) {}

  std::string Name() override { return Data().name; }
  void SetName(const std::string& v) override { Data().name = v; }
  PlaylistKind Kind() override { return Data().kind; }
  void PlayFirstTrack() override {
    if (Data().tracks.empty()) return;
    app_->PlayFrom(index_, 0);
  }
  std::shared_ptr<Collection<Track>> Search(const std::string& what, int /*field*/) override {
    // As iTunes' search box: every word of the text is in one of the track's fields.
    std::vector<std::string> words;
    for (const auto& word : text::Split(what, ' '))
      if (!word.empty()) words.push_back(word);
    std::vector<TrackPtr> found;
    for (int32_t id : Data().tracks) {
      const TrackData& t = app_->TrackOrFail(id);
      const std::string* fields[] = {&t.name, &t.artist, &t.album, &t.composer};
      auto in_a_field = [&](const std::string& word) {
        return std::any_of(std::begin(fields), std::end(fields),
                           [&](const std::string* field) { return text::ContainsNoCase(*field, word); });
      };
      if (!words.empty() && std::all_of(words.begin(), words.end(), in_a_field))
        found.push_back(app_->MakeTrack(id, index_));
    }
    if (found.empty()) return nullptr;
    return std::make_shared<VectorCollection<Track>>(app_, std::move(found));
  }
  int32_t Duration() override {
    int32_t total = 0;
    for (int32_t id : Data().tracks) total += app_->TrackOrFail(id).duration;
    return total;
  }
  std::shared_ptr<Collection<Track>> Tracks() override {
    std::vector<TrackPtr> items;
    for (int32_t id : Data().tracks) items.push_back(app_->MakeTrack(id, index_));
    return std::make_shared<VectorCollection<Track>>(app_, std::move(items));
  }
  bool Shuffle() override { return Data().shuffle; }
  void SetShuffle(bool v) override { Data().shuffle = v; }
  int32_t SongRepeat() override { return Data().repeat; }
  void SetSongRepeat(int32_t v) override { Data().repeat = std::clamp(v, 0, 2); }
  void AddTrack(const TrackPtr& track) override {
    PlaylistData& d = Data();
    if (d.kind != PlaylistKind::kUser || d.smart)
      throw Failure(errors::kNoSuchMember);  // only user playlists have AddTrack
    d.tracks.push_back(track->TrackDatabaseID());
  }

 private:
  PlaylistData& Data() {
    app_->Check();
    return app_->playlist(index_);
  }
  App app_;
  int index_;
};

class SimSource : public Source {
 public:
  SimSource(App app, int index) : app_(std::move(app)), index_(index) {}
  std::string Name() override {
    app_->Check();
    return app_->source_name(index_);
  }
  std::shared_ptr<Collection<Playlist>> Playlists() override {
    app_->Check();
    std::vector<PlaylistPtr> items;
    for (int i = 0; i < app_->playlist_count(); ++i)
      if (app_->playlist(i).source == index_) items.push_back(app_->MakePlaylist(i));
    return std::make_shared<VectorCollection<Playlist>>(app_, std::move(items));
  }

 private:
  App app_;
  int index_;
};

}  // namespace

TrackPtr SimulatedITunes::MakeTrack(int32_t database_id, int playlist) {
  return std::make_shared<SimTrack>(shared_from_this(), database_id, playlist);
}

PlaylistPtr SimulatedITunes::MakePlaylist(int index) {
  return std::make_shared<SimPlaylist>(shared_from_this(), index);
}

std::shared_ptr<Collection<Source>> SimulatedITunes::Sources() {
  Check();
  std::vector<SourcePtr> sources;
  for (int i = 0; i < source_count(); ++i) sources.push_back(std::make_shared<SimSource>(shared_from_this(), i));
  return std::make_shared<VectorCollection<Source>>(shared_from_this(), std::move(sources));
}

}  // namespace quavero::itunes
