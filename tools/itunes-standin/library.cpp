// The stand-in's library: a demo of its own, or a JSON file.
//   {"tracks": [{"name": "...", "artist": "...", "album": "...", "duration": 200,
//                "rating": 60, "location": "C:\\Music\\a.mp3", "artwork": "cover.png", ...}],
//    "playlists": [{"name": "Road", "smart": false, "tracks": [1, 2]},  (1-based track numbers)
//                  {"name": "Party", "source": "iPod", "tracks": [3]}], (another source)
//    "current": {"playlist": 0, "track": 0, "playing": true}}          (0 is the library)
#include "library.h"

#include <filesystem>
#include <fstream>
#include <stdexcept>

#include <nlohmann/json.hpp>

namespace quavero::standin {
namespace {

struct Demo {
  const char* name;
  const char* artist;
  const char* album;
  int duration;
  int rating;
};

constexpr Demo kDemo[] = {
    {"Harbour Lights", "The Tidewater Band", "Low Tide", 214, 80},
    {"Paper Planes at Dawn", "Mira Solvang", "Northbound", 187, 60},
    {"Copper Sky", "The Tidewater Band", "Low Tide", 245, 100},
    {"Late Tram", "Jonas Ekberg Trio", "Night Lines", 302, 40},
    {"Sundial", "Mira Solvang", "Northbound", 198, 80},
    {"Glasshouse", "Kite & Kettle", "Small Weather", 176, 20},
    {"The Long Way Round", "Jonas Ekberg Trio", "Night Lines", 389, 60},
    {"Orchard Road", "Kite & Kettle", "Small Weather", 203, 0},
    {"Static Bloom", "Neon Fjord", "Signal", 231, 80},
    {"Lanterns", "Neon Fjord", "Signal", 257, 100},
    {"Slow Rivers", "Ada Moreau", "Estuary", 274, 60},
    {"Last Light on Main Street", "Ada Moreau", "Estuary", 221, 40},
};

}  // namespace

void LoadDemoLibrary(itunes::SimulatedITunes& itunes, const std::string& art_folder) {
  int number = 0;
  std::vector<int32_t> ids;
  for (const Demo& d : kDemo) {
    itunes::TrackData t;
    t.name = d.name;
    t.artist = d.artist;
    t.album = d.album;
    t.duration = d.duration;
    t.rating = d.rating;
    t.genre = "Demo";
    t.year = 2026;
    t.track_number = ++number;
    t.bit_rate = 256;
    t.location = "C:\\Music\\Demo\\" + std::string(d.name) + ".m4a";
    char cover[32];
    std::snprintf(cover, sizeof cover, "\\cover%02d.png", number);
    t.artwork.push_back(art_folder + cover);
    ids.push_back(itunes.AddLibraryTrack(t));
  }
  int favourites = itunes.AddPlaylist("Favourites");
  for (size_t i = 0; i < ids.size(); i += 3) itunes.AddToPlaylist(favourites, ids[i]);
  int top = itunes.AddPlaylist("Top Rated", itunes::PlaylistKind::kUser, true);
  for (size_t i = 0; i < ids.size(); ++i)
    if (kDemo[i].rating >= 80) itunes.AddToPlaylist(top, ids[i]);
  itunes.Select(0, 0);
  itunes.Play();
}

void LoadLibraryFile(itunes::SimulatedITunes& itunes, const std::wstring& file,
                     const std::string& folder) {
  std::ifstream in{std::filesystem::path(file)};
  if (!in) throw std::runtime_error("the file cannot be opened");
  auto doc = nlohmann::json::parse(in);
  std::vector<int32_t> ids;
  for (const auto& j : doc.value("tracks", nlohmann::json::array())) {
    itunes::TrackData t;
    t.name = j.value("name", "");
    t.artist = j.value("artist", "");
    t.album = j.value("album", "");
    t.comment = j.value("comment", "");
    t.composer = j.value("composer", "");
    t.genre = j.value("genre", "");
    t.location = j.value("location", "");
    t.bit_rate = j.value("bitRate", 256);
    t.bpm = j.value("bpm", 0);
    t.played_count = j.value("playedCount", 0);
    t.track_number = j.value("trackNumber", 0);
    t.year = j.value("year", 0);
    t.duration = j.value("duration", 180);
    t.rating = j.value("rating", 0);
    t.volume_adjustment = j.value("volumeAdjustment", 0);
    t.compilation = j.value("compilation", false);
    t.file_track = j.value("fileTrack", true);
    if (j.contains("artwork")) {
      std::string art = j["artwork"];
      bool absolute = art.size() > 1 && (art[1] == ':' || art[0] == '\\');
      t.artwork.push_back(absolute ? art : folder + "\\" + art);
    }
    ids.push_back(itunes.AddLibraryTrack(t));
  }
  for (const auto& p : doc.value("playlists", nlohmann::json::array())) {
    int source = 0;
    if (std::string name = p.value("source", "Library"); name != "Library") {
      for (source = 1; source < itunes.source_count() && itunes.source_name(source) != name; ++source) {}
      if (source == itunes.source_count()) source = itunes.AddSource(name);
    }
    int index = itunes.AddPlaylist(p.value("name", ""), itunes::PlaylistKind::kUser,
                                   p.value("smart", false), source);
    for (int n : p.value("tracks", std::vector<int>{}))
      if (n >= 1 && n <= static_cast<int>(ids.size())) itunes.AddToPlaylist(index, ids[n - 1]);
  }
  if (doc.contains("current")) {
    const auto& c = doc["current"];
    itunes.Select(c.value("playlist", 0), c.value("track", 0));
    if (c.value("playing", false)) itunes.Play();
  }
}

}  // namespace quavero::standin
