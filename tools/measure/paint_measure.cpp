// quavero-measure-paint: how long a skin window takes to show an image's hover picture and its
// own picture again (what a hover does), as the program paints it (where the image was and is)
// and as it painted before (the whole window, every element).
//   quavero-measure-paint SKINFOLDER [ROUNDS]   prints min/median/max milliseconds of each way
// The window shows at the skin's place; the first image of the skin changes to its hover
// picture and back. "Before" is today's painter with the whole window invalidated on every
// change, as the program did then (the back buffer, made anew each paint then, is kept).
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/application.h"
#include "base/text.h"
#include "platform/win32/win32_platform.h"
#include "skin/skin_window.h"

namespace {

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to) {
  LARGE_INTEGER f;
  QueryPerformanceFrequency(&f);
  return static_cast<double>(to.QuadPart - from.QuadPart) * 1000.0 / static_cast<double>(f.QuadPart);
}

void LetMessagesRun() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: quavero-measure-paint SKINFOLDER [ROUNDS]\n");
    return 2;
  }
  std::string folder = argv[1];
  if (folder.back() != '\\') folder += '\\';
  const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 50;
  quavero::platform::win32::Win32Platform platform;
  quavero::app::Application app(platform);
  auto window = app.OpenSkinWindow(folder, quavero::app::kKeepPosition,
                                   quavero::app::kKeepPosition, false);
  const auto entries = window && window->ImagePictures.size() > 1
                           ? quavero::text::Split(window->ImagePictures[1], '|')
                           : std::vector<std::string>{};
  if (entries.size() < 2) {
    std::fprintf(stderr, "the skin's first image needs a hover picture\n");
    return 1;
  }
  HWND hwnd = reinterpret_cast<HWND>(window->form().handle());
  LetMessagesRun();
  UpdateWindow(hwnd);
  quavero::ui::Image& image = window->img(1);
  const quavero::ui::Picture own = image.picture();
  const quavero::ui::Picture other = platform.pictures().Load(folder + entries[1]);

  for (bool whole : {false, true}) {
    std::vector<double> times;
    for (int r = 0; r < rounds; ++r) {
      LARGE_INTEGER a, b;
      QueryPerformanceCounter(&a);
      for (const auto& picture : {other, own}) {
        image.SetPicture(picture);
        if (whole) InvalidateRect(hwnd, nullptr, FALSE);
        UpdateWindow(hwnd);
      }
      QueryPerformanceCounter(&b);
      times.push_back(Milliseconds(a, b) / 2);
      LetMessagesRun();
    }
    std::sort(times.begin(), times.end());
    std::printf("%-40s %6.2f / %6.2f / %6.2f ms (min/median/max of %d)\n",
                whole ? "the whole window repainted (as before):" : "painting what changed:",
                times.front(), times[times.size() / 2], times.back(), rounds);
  }
  window->Unload();
  return 0;
}
