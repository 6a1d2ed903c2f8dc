// A skin file loaded as the desk band loads its skin, then a second of its steps (shortcuts
// polled with every key down), a resize that scales it, a switch to the same skin and closing.
#include "deskband/band_window.h"
#include "fuzz_support.h"

using namespace quavero;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::Session s({{"DeskBand/Fuzz/skin.ini", fuzz::Text(data, size)}});
  auto itunes = fuzz::PlayingITunes(s.platform);
  s.platform.settings().Save(deskband::kBandApplication, "Options", deskband::kCurrentSkinKey,
                             "Fuzz");
  for (int key : {16, 17, 18, 92, 112, 116, 160, 80}) s.platform.windows().SetKeyDown(key, true);
  deskband::BandWindow band(s.platform, s.app.itunes());
  band.form().Show();
  s.platform.loop().Advance(1000);
  band.form().SetWidth(300 * 15);
  band.form().SetHeight(40 * 15);
  band.CloseAndReloadSkin("Fuzz");
  s.platform.loop().Advance(300);
  band.Form_Unload();
  return 0;
}
