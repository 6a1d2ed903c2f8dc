// What a refresh of the track text, a progress tick and a scroll tick cost, against the plain
// way:
//  - calls that reach iTunes in one refresh of a skin with 10 labels, and of the shipped
//    Default skin (each a cross-process call with the real iTunes or the stand-in);
//  - calls in one progress tick of the Default skin (twice a second, all day long);
//  - text measurements in one scroll tick of 10 long labels.
// scripts/measure also builds this file against the engine of an earlier commit, so that the
// same figures of the earlier way print beside today's.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>

#include "app/application.h"
#include "itunes/simulated_itunes.h"
#include "platform/headless/headless_platform.h"
#include "skin/skin_window.h"

namespace {

namespace fs = std::filesystem;
using quavero::platform::headless::HeadlessPlatform;

const char* kTemplates[] = {"[Artist] - [Title]", "[Album] ([Year])", "[Time]", "[Genre]",
                            "[Rating] stars", "[PlayCount] plays", "[BitRate] kbps",
                            "[Composer]", "[TrackNumber]. [Title]", "[CurrentPlaylistName]"};

struct Setup {
  // The bench skin with 10 labels, or a shipped skin by its folder name.
  explicit Setup(const char* shipped = nullptr, bool itunes_running = true)
      : root(fs::temp_directory_path() / "quavero-refresh-bench"), platform(root), app(platform) {
    fs::remove_all(root);
    fs::create_directories(root / "Skins/Bench");
    if (shipped) {
      fs::copy(fs::path(QUAVERO_SKINS_DIR) / shipped, root / "Skins/Bench",
               fs::copy_options::recursive | fs::copy_options::overwrite_existing);
    } else {
      std::ofstream skin(root / "Skins/Bench/skin.ini", std::ios::binary);
      skin << "skinname=Bench\r\nscrolltimer=150\r\n";
      for (const char* t : kTemplates) skin << "label=0;0;60;14;" << t << " and then some more\r\n";
    }
    itunes = std::make_shared<quavero::itunes::SimulatedITunes>(platform.loop());
    quavero::itunes::TrackData track;
    track.name = "A title long enough to scroll";
    track.artist = "An artist";
    track.duration = 215;
    track.rating = 60;
    itunes->AddLibraryTrack(track);
    itunes->Select(0, 0);
    platform.itunes = itunes;
    if (itunes_running) platform.processes().Start(1, "C:\\Program Files\\iTunes\\iTunes.exe");
    window = app.OpenSkinWindow("C:\\Quavero\\Skins\\Bench\\", -99, -99, false);
  }
  ~Setup() { fs::remove_all(root); }
  fs::path root;
  HeadlessPlatform platform;
  quavero::app::Application app;
  std::shared_ptr<quavero::itunes::SimulatedITunes> itunes;
  std::shared_ptr<quavero::skin::SkinWindow> window;
};

// The plain way: every value fetched anew for every label and every placeholder.
void PlainRefresh(quavero::itunes::Application& app, int labels) {
  for (int i = 0; i < labels; ++i) {
    auto t = [&] { return app.CurrentTrack(); };
    t()->Artist(), t()->Name(), t()->Album(), t()->Time(), t()->PlayedCount(), t()->BitRate();
    t()->BPM(), t()->Comment(), t()->Compilation(), t()->Composer(), t()->Genre(), t()->Rating();
    t()->TrackNumber(), t()->Year();
    if (auto p = app.CurrentPlaylist()) {
      app.CurrentPlaylist()->Name();
      app.CurrentPlaylist()->Tracks()->Count();
      app.CurrentPlaylist()->Duration();
    }
  }
}

// Runs the action once an iteration and reports the calls that reached iTunes per run.
template <typename Action>
void CountCalls(benchmark::State& state, Setup& s, const char* counter, Action action) {
  long calls = 0, runs = 0;
  for (auto _ : state) {
    long before = s.itunes->calls();
    action();
    calls += s.itunes->calls() - before;
    ++runs;
  }
  state.counters[counter] = static_cast<double>(calls) / runs;
}

void RefreshInfo(benchmark::State& state) {
  Setup s;
  CountCalls(state, s, "itunes_calls_per_refresh", [&] { s.window->RefreshInfo(); });
}

void PlainRefreshInfo(benchmark::State& state) {
  Setup s;
  CountCalls(state, s, "itunes_calls_per_refresh", [&] { PlainRefresh(*s.itunes, 10); });
}

void DefaultSkinRefresh(benchmark::State& state) {
  Setup s("Default");
  CountCalls(state, s, "itunes_calls_per_refresh", [&] { s.window->RefreshInfo(); });
}

void ProgressTick(benchmark::State& state) {
  Setup s("Default");
  CountCalls(state, s, "itunes_calls_per_tick", [&] { s.window->tmrProgress_Timer(); });
}

// The plain way: the track, the position and the track's length asked anew every tick.
void PlainProgressTick(benchmark::State& state) {
  Setup s("Default");
  CountCalls(state, s, "itunes_calls_per_tick", [&] {
    auto track = s.itunes->CurrentTrack();
    benchmark::DoNotOptimize(s.itunes->PlayerPosition());
    benchmark::DoNotOptimize(track->Time());
  });
}

// The program with the Default skin open and iTunes not running, for a minute of its clock:
// how often its timers walk the process list to find iTunes.
void WalksWhileITunesIsAbsent(benchmark::State& state) {
  Setup s("Default", false);
  long walks = 0, seconds = 0;
  for (auto _ : state) {
    int before = s.platform.processes().walks;
    s.platform.loop().Advance(60000);
    walks += s.platform.processes().walks - before;
    seconds += 60;
  }
  state.counters["walks_per_second"] = static_cast<double>(walks) / seconds;
}

void ScrollTick(benchmark::State& state) {
  Setup s;
  int before = s.platform.windows().measurements();
  long ticks = 0;
  for (auto _ : state) {
    s.window->tmrScroll_Timer();
    ++ticks;
  }
  state.counters["measurements_per_tick"] =
      static_cast<double>(s.platform.windows().measurements() - before) / ticks;
}

// The plain way: the text measured again after every character cut from its end.
void PlainScrollTick(benchmark::State& state) {
  Setup s;
  auto& windows = s.platform.windows();
  int before = windows.measurements();
  long ticks = 0;
  for (auto _ : state) {
    for (int i = 1; i <= s.window->lblInfo.UBound(); ++i) {
      std::string text = s.window->LabelText[i];
      while (!text.empty() &&
             windows.MeasureText(s.window->scrollWidth(i).font(), text) >= s.window->lblInfo(i).width())
        text.pop_back();
    }
    ++ticks;
  }
  state.counters["measurements_per_tick"] =
      static_cast<double>(windows.measurements() - before) / ticks;
}

BENCHMARK(RefreshInfo);
BENCHMARK(PlainRefreshInfo);
BENCHMARK(DefaultSkinRefresh);
BENCHMARK(ProgressTick);
BENCHMARK(PlainProgressTick);
BENCHMARK(WalksWhileITunesIsAbsent)->Iterations(3);
BENCHMARK(ScrollTick);
BENCHMARK(PlainScrollTick);

}  // namespace

BENCHMARK_MAIN();
