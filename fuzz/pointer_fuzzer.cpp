// Pointer sequences on a loaded skin: presses, moves, releases and drops anywhere (seek bars,
// drag handles, stars, the move overlay), with time passing between them. Each input is read
// as records of six bytes: what, x, y, buttons, shift, milliseconds.
#include "fuzz_support.h"
#include "skin/skin_window.h"

using namespace quavero;

namespace {

constexpr char kSkinLines[] =
    "skinname=Fuzz\r\nleft=10\r\ntop=10\r\nwidth=200\r\nheight=60\r\nscrolltimer=50\r\n"
    "label=0;0;60;14;[Artist] - [Title] [Album] scrolls on and on\r\n"
    "image=0;20;40;20;position;NONE\r\nimage=50;20;20;20;movewindow;NONE\r\n"
    "image=80;20;20;20;{nexttrack}{showskin=sub\\|5|5};NONE\r\nimage=110;20;30;30;;ARTWORK\r\n"
    "ratingscontrol=150;20;10;10;NONE;NONE\r\nprogresscontrol=0;50;200;6;NONE\r\n"
    "formclick=playpause\r\nanyinteraction=stop\r\n";

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::Session s({{"Skins/Fuzz/skin.ini", kSkinLines},
                   {"Skins/Fuzz/sub/skin.ini", "skinname=Sub\r\nwidth=20\r\n"}});
  auto itunes = fuzz::PlayingITunes(s.platform);
  auto first = s.app.OpenSkinWindow(fuzz::kSkin, app::kKeepPosition, app::kKeepPosition, false);
  auto& windows = s.platform.windows();
  for (size_t i = 0; i + 6 <= size && i < 6 * 200; i += 6) {
    auto open = s.app.SkinWindows();
    if (open.empty()) break;
    ui::Form& form = open[data[i] % open.size()]->form();
    double x = static_cast<int8_t>(data[i + 1]) * 2.0, y = static_cast<int8_t>(data[i + 2]);
    int buttons = data[i + 3] & 7, shift = data[i + 4] & 7;
    switch ((data[i] >> 4) % 6) {
      case 0: windows.Press(form, x, y, buttons ? buttons : ui::mouse::kLeft, shift); break;
      case 1: windows.Move(form, x, y, buttons, shift); break;
      case 2: windows.Release(form, x, y, buttons ? buttons : ui::mouse::kLeft, shift); break;
      case 3: windows.Click(form, x, y, buttons & 1 ? ui::mouse::kLeft : ui::mouse::kRight); break;
      case 4: windows.DropFiles(form, x, y, {"C:\\Pictures\\cover.png"}); break;
      case 5: windows.KeyDown(form, data[i + 3], shift); break;
    }
    s.platform.loop().Advance(data[i + 5] * 4);
  }
  for (auto& w : s.app.SkinWindows()) w->Unload();
  return 0;
}
