// The skin editor's line rules: a file read into rows, lines typed over rows, rows added and
// removed, and the file written back. The first half of the input is the file, the second the
// user's lines, one per line break.
#include "base/lines.h"
#include "fuzz_support.h"
#include "shell/skin_editor_window.h"

using namespace quavero;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string all = fuzz::Text(data, size);
  fuzz::Session s({{"Skins/Fuzz/skin.ini", std::string_view(all).substr(0, all.size() / 2)}});
  auto editor = std::make_shared<shell::SkinEditorWindow>(s.app);
  editor->LoadSkin(std::string(fuzz::kSkin) + "skin.ini");
  int row = 0;
  for (const auto& line : lines::SplitLines(all.substr(all.size() / 2))) {
    int rows = editor->rows();
    if (!line.empty() && line[0] == '+') editor->UserClicks("cmdAdd");
    else if (!line.empty() && line[0] == '-') editor->UserClicks("cmdRemvoe");
    else if (rows > 0) editor->UserPicks(row++ % 2 ? "lstParams" : "lstCommands", static_cast<int>(line.size()) % rows);
    editor->UserTypes("txtLine", line);
  }
  editor->UserClicks("cmdReload");
  return 0;
}
