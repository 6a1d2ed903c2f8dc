// quavero-measure-lyrics: the CPU the lyrics clock costs while iTunes (the stand-in) plays,
// the way the lyrics pane was first written (a loop that reads the position, lets messages
// run and sleeps 1 ms, for ever) against the program's 100 ms timer step.
//   quavero-measure-lyrics loop|timer SECONDS
// prints the seconds of CPU this process used, and the position reads it made.
#include <windows.h>
#include <ole2.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "itunes/win32/com_itunes.h"
#include "lyrics/cantix_pane.h"
#include "platform/win32/win32_platform.h"

namespace {

double CpuSeconds() {
  FILETIME created, ended, kernel, user;
  GetProcessTimes(GetCurrentProcess(), &created, &ended, &kernel, &user);
  auto seconds = [](FILETIME t) {
    return (static_cast<double>(t.dwHighDateTime) * 4294967296.0 + t.dwLowDateTime) / 1e7;
  };
  return seconds(kernel) + seconds(user);
}

void LetMessagesRun() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: quavero-measure-lyrics loop|timer SECONDS\n");
    return 2;
  }
  bool loop = std::strcmp(argv[1], "loop") == 0;
  DWORD seconds = static_cast<DWORD>(std::atoi(argv[2]));
  OleInitialize(nullptr);
  long reads = 0;
  {
    quavero::platform::win32::Win32Platform platform;
    auto itunes = quavero::itunes::win32::ConnectToITunes();
    quavero::lyrics::CantixPane pane(platform, [&] {
      ++reads;
      return itunes.get();
    });
    pane.StartLyrics("APPPATH\\Lyrics\\");
    double start = CpuSeconds();
    DWORD until = GetTickCount() + seconds * 1000;
    if (loop) {
      // The first way: every pass reads the position, lets messages run and sleeps 1 ms.
      DWORD base = GetTickCount();
      while (static_cast<int32_t>(GetTickCount() - until) < 0) {
        if (static_cast<int32_t>(GetTickCount() - base) >= 100) base = GetTickCount();
        LetMessagesRun();
        ++reads;
        itunes->PlayerPosition();
        pane.CheckLyrics();
        Sleep(1);
      }
    } else {
      SetTimer(nullptr, 1, 100, nullptr);
      MSG msg;
      while (static_cast<int32_t>(GetTickCount() - until) < 0 && GetMessageW(&msg, nullptr, 0, 0)) {
        if (msg.message == WM_TIMER) pane.Step();
        else DispatchMessageW(&msg);
      }
    }
    std::printf("%s: %.2f s of CPU in %lu s, %ld position reads\n", loop ? "loop" : "timer",
                CpuSeconds() - start, static_cast<unsigned long>(seconds), reads);
  }
  return 0;
}
