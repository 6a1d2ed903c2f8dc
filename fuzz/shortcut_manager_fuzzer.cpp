// The keyboard shortcut manager over a skin file and personal.ini: both read into their lists,
// entries picked, typed over, built from the boxes and key lists, added, deleted and sent
// across, then both files saved and the skin reloaded. The input's first third is the skin
// file, the second personal.ini, the last the user's actions, one a line: its first character
// says which, and whether on the skin's list or the personal one.
#include <array>

#include "base/lines.h"
#include "fuzz_support.h"
#include "shell/keyboard_shortcut_window.h"
#include "skin/skin_window.h"

using namespace quavero;
using shell::KeyboardShortcutWindow;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view all(reinterpret_cast<const char*>(data), size);
  const size_t third = size / 3;
  fuzz::Session s({{"Skins/Fuzz/skin.ini", all.substr(0, third)},
                   {"personal.ini", all.substr(third, third)}});
  auto itunes = fuzz::PlayingITunes(s.platform);
  s.platform.loop().StopTimersAfter(fuzz::kTimerFirings);
  s.app.OpenSkinWindow(fuzz::kSkin, app::kKeepPosition, app::kKeepPosition, false);
  auto manager = std::make_shared<KeyboardShortcutWindow>(s.app);
  manager->LoadAll(std::string(fuzz::kSkin) + "skin.ini");
  for (const auto& line : lines::SplitLines(std::string(all.substr(2 * third)))) {
    if (line.empty() || manager->closed()) continue;
    const auto& f = line.size() % 2 ? KeyboardShortcutWindow::kSkinFrame
                                    : KeyboardShortcutWindow::kPersonalFrame;
    const std::string rest = line.substr(1);
    const int n = static_cast<int>(rest.size());
    switch (static_cast<unsigned char>(line[0]) % 9) {
      case 0: manager->UserClicks(f.add); break;
      case 1: manager->UserClicks(f.remove); break;
      case 2: manager->UserClicks(f.send); break;
      case 3: manager->UserTypes(f.keys, rest); break;
      case 4: manager->UserTypes(f.code, rest); break;
      case 5: manager->UserPicks(f.list, n); break;
      case 6: manager->UserTicks(std::array{f.alt, f.ctrl, f.shift, f.win}[n % 4]); break;
      case 7: manager->UserPicks(f.key, n); break;
      case 8: manager->UserPicks(f.run_code, n); break;
    }
  }
  manager->UserClicks("cmdSave");
  s.platform.loop().Advance(500);
  for (auto& w : s.app.SkinWindows()) w->Unload();
  return 0;
}
