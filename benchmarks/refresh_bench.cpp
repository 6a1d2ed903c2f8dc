// What a refresh of the track text and a scroll tick cost, against the plain way:
//  - calls that reach iTunes in one refresh of a skin with 10 labels (each a cross-process
//    call with the real iTunes or the stand-in);
//  - text measurements in one scroll tick of 10 long labels.
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
  Setup() : root(fs::temp_directory_path() / "quavero-refresh-bench"), platform(root), app(platform) {
    fs::create_directories(root / "Skins/Bench");
    std::ofstream skin(root / "Skins/Bench/skin.ini", std::ios::binary);
    skin << "skinname=Bench\r\nscrolltimer=150\r\n";
    for (const char* t : kTemplates) skin << "label=0;0;60;14;" << t << " and then some more\r\n";
    skin.close();
    itunes = std::make_shared<quavero::itunes::SimulatedITunes>(platform.loop());
    quavero::itunes::TrackData track;
    track.name = "A title long enough to scroll";
    track.artist = "An artist";
    itunes->AddLibraryTrack(track);
    itunes->Select(0, 0);
    platform.itunes = itunes;
    platform.processes().Start(1, "C:\\Program Files\\iTunes\\iTunes.exe");
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

void RefreshInfo(benchmark::State& state) {
  Setup s;
  long calls = 0, refreshes = 0;
  for (auto _ : state) {
    long before = s.itunes->calls();
    s.window->RefreshInfo();
    calls += s.itunes->calls() - before;
    ++refreshes;
  }
  state.counters["itunes_calls_per_refresh"] = static_cast<double>(calls) / refreshes;
}

void PlainRefreshInfo(benchmark::State& state) {
  Setup s;
  long calls = 0, refreshes = 0;
  for (auto _ : state) {
    long before = s.itunes->calls();
    PlainRefresh(*s.itunes, 10);
    calls += s.itunes->calls() - before;
    ++refreshes;
  }
  state.counters["itunes_calls_per_refresh"] = static_cast<double>(calls) / refreshes;
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
BENCHMARK(ScrollTick);
BENCHMARK(PlainScrollTick);

}  // namespace

BENCHMARK_MAIN();
