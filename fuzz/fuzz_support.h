// What the fuzzers share: a sandbox application folder on the real file system (made once per
// process, its files rewritten for every input), a headless platform and application over it,
// and a simulated iTunes with a small library that is playing.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <string_view>
#include <unistd.h>

#include "app/application.h"
#include "itunes/simulated_itunes.h"
#include "platform/headless/headless_platform.h"

namespace quavero::fuzz {

inline std::string Text(const uint8_t* data, size_t size) {
  return std::string(reinterpret_cast<const char*>(data), size);
}

// The sandbox: a folder in memory when the machine has one.
inline const std::filesystem::path& Root() {
  static const std::filesystem::path root = [] {
    std::filesystem::path base = std::filesystem::exists("/dev/shm") ? "/dev/shm" : std::filesystem::temp_directory_path();
    auto path = base / ("quavero-fuzz-" + std::to_string(::getpid()));
    std::filesystem::remove_all(path);
    std::filesystem::create_directories(path / "Skins");
    return path;
  }();
  return root;
}

inline void WriteFile(const std::string& relative, std::string_view bytes) {
  auto path = Root() / relative;
  std::filesystem::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary | std::ios::trunc).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline constexpr char kSkin[] = "C:\\Quavero\\Skins\\Fuzz\\";

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

// Every message box is answered with OK; time moves only when a fuzzer moves it.
struct Session {
  platform::headless::HeadlessPlatform platform{Root()};
  app::Application app{platform};
};

}  // namespace quavero::fuzz
