// A skin file loaded as the program opens a skin window, then a second of its timers, a
// refresh and closing.
#include "fuzz_support.h"
#include "skin/skin_window.h"

using namespace quavero;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::Session s({{"Skins/Fuzz/skin.ini", fuzz::Text(data, size)}});
  auto itunes = fuzz::PlayingITunes(s.platform);
  try {
    auto window = s.app.OpenSkinWindow(fuzz::kSkin, app::kKeepPosition, app::kKeepPosition, false);
    s.platform.loop().Advance(1000);
    if (!window->unloaded()) window->Unload();
  } catch (const Failure&) {
    // opening refused (a skin still loading): the program reports it where it opens
  }
  return 0;
}
