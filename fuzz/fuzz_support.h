// What the fuzzers share: a headless platform and application whose application folder lives in
// memory, made anew for every input (nothing one input writes, a position.ini or an edited skin,
// reaches the next), and a simulated iTunes with a small library that is playing.
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <utility>

#include "app/application.h"
#include "itunes/simulated_itunes.h"
#include "platform/headless/headless_platform.h"

namespace quavero::fuzz {

inline std::string Text(const uint8_t* data, size_t size) {
  return std::string(reinterpret_cast<const char*>(data), size);
}

inline constexpr char kSkin[] = "C:\\Quavero\\Skins\\Fuzz\\";

// Timer firings an input may have, in all its windows. A second of a usual skin's timers fires a
// few dozen. A skin that opens itself on a 10 ms timer up to the window limit and toggles play on
// another refreshes all 32 windows (and reads their lyrics again) at every toggle: with 250
// firings such inputs, a fifth of skin_file's corpus, took nine tenths of its time repeating
// those refreshes. A hundred still reach the limit and toggle a few times; the hostile skin tests
// run such skins to the end.
inline constexpr uint64_t kTimerFirings = 100;

// A playing library of three tracks, one of them with artwork and a file.
inline std::shared_ptr<itunes::SimulatedITunes> PlayingITunes(platform::headless::HeadlessPlatform& platform) {
  auto itunes = std::make_shared<itunes::SimulatedITunes>(platform.loop());
  for (const char* name : {"One", "Two", "Three"}) {
    itunes::TrackData t;
    t.name = name;
    t.artist = std::string("Artist ") + name;
    t.album = "Album";
    t.location = std::string("C:\\Music\\") + name + ".mp3";
    t.duration = 200;
    itunes->AddLibraryTrack(t);
  }
  int road = itunes->AddPlaylist("Road");
  itunes->AddToPlaylist(road, 1001);
  itunes->Select(0, 0);
  itunes->Play();
  platform.itunes = itunes;
  platform.processes().Start(4242, "C:\\Program Files\\iTunes\\iTunes.exe");
  return itunes;
}

// The files of the application folder an input starts with: a path below C:\Quavero (with
// "/"), and its bytes.
using Files = std::initializer_list<std::pair<std::string_view, std::string_view>>;

inline std::shared_ptr<platform::headless::MemoryStore> Folder(Files files) {
  auto store = std::make_shared<platform::headless::MemoryStore>();
  store->MakeFolders("/Skins");
  for (const auto& [path, bytes] : files) store->Put("/" + std::string(path), std::string(bytes));
  return store;
}

// Every message box is answered with OK; time moves only when a fuzzer moves it.
struct Session {
  explicit Session(Files files) : platform("/", "C:\\Quavero", Folder(files)) {}

  platform::headless::HeadlessPlatform platform;
  app::Application app{platform};
};

}  // namespace quavero::fuzz
