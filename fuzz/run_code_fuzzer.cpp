// Codes run by a loaded skin window with iTunes playing, as images, events and shortcuts run
// them; then the time the code's effects take, with no more than fuzz::kTimerFirings timer
// firings in all the windows a code opens.
#include "fuzz_support.h"
#include "skin/skin_window.h"

using namespace quavero;

namespace {

constexpr char kSkinLines[] =
    "skinname=Fuzz\r\nleft=10\r\ntop=10\r\nwidth=200\r\nheight=60\r\n"
    "label=0;0;200;14;[Artist] - [Title] [Rating]\r\nlabel=0;20;60;14;[CurrentPosition]\r\n"
    "image=0;40;20;20;playpause;NONE\r\nimage=30;40;40;20;position;ARTWORK\r\n"
    "ratingscontrol=80;40;12;12;NONE;NONE\r\nprogresscontrol=100;50;90;4;NONE\r\n"
    "timerevent=500;nexttrack\r\nevent=newsong;{stop}{play}\r\n";

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::Session s({{"Skins/Fuzz/skin.ini", kSkinLines}, {"Skins/Fuzz/sub/skin.ini", "skinname=Sub\r\n"}});
  auto itunes = fuzz::PlayingITunes(s.platform);
  s.platform.loop().StopTimersAfter(fuzz::kTimerFirings);
  auto window = s.app.OpenSkinWindow(fuzz::kSkin, app::kKeepPosition, app::kKeepPosition, false);
  std::string code = fuzz::Text(data, size);
  window->RunCode(code);
  s.platform.loop().Advance(3000);
  for (auto& w : s.app.SkinWindows()) w->Unload();
  return 0;
}
