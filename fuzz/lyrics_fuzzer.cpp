// A lyrics file for the playing track, read by a skin's lyrics pane and stepped through while
// the track plays.
#include "fuzz_support.h"
#include "skin/skin_window.h"

using namespace quavero;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::Session s({{"Skins/Fuzz/skin.ini", "skinname=Fuzz\r\nlabel=0;0;200;14;[Title]\r\nlyrics=1\r\n"},
                   {"Lyrics/Artist One/One.lyr", fuzz::Text(data, size)}});
  auto itunes = fuzz::PlayingITunes(s.platform);
  auto window = s.app.OpenSkinWindow(fuzz::kSkin, app::kKeepPosition, app::kKeepPosition, false);
  for (int step = 0; step < 30; ++step) s.platform.loop().Advance(500);
  window->Unload();
  return 0;
}
