// A remembered position (position.ini) read by a skin that remembers its place, and written
// back when the window closes.
#include "fuzz_support.h"
#include "skin/skin_window.h"

using namespace quavero;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::Session s({{"Skins/Fuzz/skin.ini", "skinname=Fuzz\r\nrememberpos=1\r\nwidth=100\r\nheight=40\r\n"},
                   {"Skins/Fuzz/position.ini", fuzz::Text(data, size)}});
  auto window = s.app.OpenSkinWindow(fuzz::kSkin, app::kKeepPosition, app::kKeepPosition, false);
  window->Unload();
  return 0;
}
