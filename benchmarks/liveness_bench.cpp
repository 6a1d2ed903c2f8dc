// The cost of one liveness check (is iTunes running?) against the plain walk of the process
// list, on the headless platform with a list of 200 processes.
#include <benchmark/benchmark.h>

#include "itunes/process_checker.h"
#include "platform/headless/headless_platform.h"

namespace {

using quavero::itunes::ProcessChecker;
using quavero::platform::headless::HeadlessPlatform;

void FillProcessList(HeadlessPlatform& p, bool with_itunes) {
  const char* folders[] = {"C:\\Windows\\System32\\", "C:\\Program Files\\Common Files\\",
                           "C:\\Program Files (x86)\\Vendor Tools\\", "C:\\Users\\me\\AppData\\"};
  for (uint32_t id = 1; id <= 200; ++id) {
    std::string path = std::string(folders[id % 4]) + "service" + std::to_string(id) + ".exe";
    if (with_itunes && id == 150) path = "C:\\Program Files\\iTunes\\iTunes.exe";
    p.processes().Start(id * 4, path);
  }
}

void CheckedIsRunning(benchmark::State& state, bool with_itunes) {
  HeadlessPlatform p("/nonexistent");
  FillProcessList(p, with_itunes);
  ProcessChecker checker(p.processes(), p.loop());
  for (auto _ : state) {
    benchmark::DoNotOptimize(checker.IsProcessRunning("iTunes"));
    p.loop().Sleep(1);  // a millisecond between checks, as between ticks of several windows
  }
}

void PlainWalk(benchmark::State& state, bool with_itunes) {
  HeadlessPlatform p("/nonexistent");
  FillProcessList(p, with_itunes);
  ProcessChecker checker(p.processes(), p.loop());
  for (auto _ : state) benchmark::DoNotOptimize(checker.WalkFor("iTunes"));
}

BENCHMARK_CAPTURE(CheckedIsRunning, running, true);
BENCHMARK_CAPTURE(PlainWalk, running, true);
BENCHMARK_CAPTURE(CheckedIsRunning, absent, false);
BENCHMARK_CAPTURE(PlainWalk, absent, false);

}  // namespace

BENCHMARK_MAIN();
