// quavero-measure-liveness: the cost of one liveness check on the real process list, against
// the plain walk, as the program makes it under Windows or Wine.
//   quavero-measure-liveness [N]   prints both figures and their ratio
//   quavero-measure-liveness --idle SECONDS   just waits (a stand-in process to be found)
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "itunes/process_checker.h"
#include "platform/win32/win32_platform.h"

namespace {

double Seconds(LARGE_INTEGER from, LARGE_INTEGER to) {
  LARGE_INTEGER f;
  QueryPerformanceFrequency(&f);
  return static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(f.QuadPart);
}

template <typename F>
double MicrosecondsPerCall(int n, F&& call) {
  LARGE_INTEGER a, b;
  QueryPerformanceCounter(&a);
  for (int i = 0; i < n; ++i) call();
  QueryPerformanceCounter(&b);
  return Seconds(a, b) * 1e6 / n;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 2 && std::strcmp(argv[1], "--idle") == 0) {
    Sleep(static_cast<DWORD>(std::atoi(argv[2]) * 1000));
    return 0;
  }
  int n = argc > 1 ? std::atoi(argv[1]) : 200;
  quavero::platform::win32::Win32Platform platform;
  quavero::itunes::ProcessChecker checker(platform.processes(), platform.loop());
  size_t processes = platform.processes().List().size();
  bool running = checker.IsProcessRunning("iTunes");
  double checked = MicrosecondsPerCall(n, [&] { checker.IsProcessRunning("iTunes"); });
  double walk = MicrosecondsPerCall(n, [&] { checker.WalkFor("iTunes"); });
  std::printf("processes: %zu, iTunes %s\n", processes, running ? "running" : "absent");
  std::printf("IsiTunesDead, checked: %.2f us per call\n", checked);
  std::printf("IsiTunesDead, plain walk: %.2f us per call\n", walk);
  std::printf("the check is %.0f times cheaper than the plain walk\n", walk / checked);
  return 0;
}
