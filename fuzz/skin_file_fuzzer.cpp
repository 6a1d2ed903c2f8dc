// A skin file loaded as the program opens a skin window, then a second of its timers, a
// refresh and closing. Its timers fire for 4 s of the program's time at most: fades (0.77 s)
// and slides (up to 2.3 s) let timers through, and a skin that opens itself on a 1 ms timer
// while it fades in nests 32 fading windows in one another, 24 s of the program's time that
// would be judged by its wall time as a hang. The fades under way still run to their end.
// And no more than fuzz::kTimerFirings fire, in all the windows an input opens.
#include "fuzz_support.h"
#include "skin/skin_window.h"

using namespace quavero;

constexpr uint64_t kTimersForMs = 4000;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::Session s({{"Skins/Fuzz/skin.ini", fuzz::Text(data, size)}});
  auto itunes = fuzz::PlayingITunes(s.platform);
  s.platform.loop().StopTimersAt(s.platform.loop().now() + kTimersForMs);
  s.platform.loop().StopTimersAfter(fuzz::kTimerFirings);
  try {
    auto window = s.app.OpenSkinWindow(fuzz::kSkin, app::kKeepPosition, app::kKeepPosition, false);
    s.platform.loop().Advance(1000);
    if (!window->unloaded()) window->Unload();
  } catch (const Failure&) {
    // opening refused (a skin still loading): the program reports it where it opens
  }
  return 0;
}
