// The band's command interpreter: the codes a band can run, and showing a skin of the program
// from the band. A failure inside a command is ignored: no message, no beep, in the shell.
#include <exception>

#include "base/failure.h"
#include "base/lines.h"
#include "base/text.h"
#include "base/values.h"
#include "commands/commands.h"
#include "commands/shared_commands.h"
#include "deskband/band_window.h"

namespace quavero::deskband {
namespace {

// The note of where the track's file was, the track deleted from iTunes, then the file deleted
// for good (the band does not use the recycle bin).
void DeleteCompletely(BandWindow& w) {
  auto track = commands::CurrentTrackOf(*w.iTunesR);
  std::string file = track->Location();
  track->Delete();
  w.platform().loop().DoEvents();
  if (!file.empty()) w.platform().files().Delete(file);
}

void ShowITunes(BandWindow& w) { w.RunFile("itunes", "1"); }

void EjectIPod(BandWindow& w) {
  auto& windows = w.platform().windows();
  windows.SetWaitCursor(true);
  w.RunFile(w.AppFolder() + "\\Unmounter.exe", "");
  w.platform().loop().DoEvents();
  windows.SetWaitCursor(false);
}

void Show(BandWindow& w) { w.form().Show(false); }

struct BandCommand {
  std::string_view word;
  void (*run)(BandWindow&);
};

// Besides the commands that only drive iTunes.
constexpr BandCommand kBandCommands[] = {
    {"deletecompletely", DeleteCompletely},
    {"showitunes", ShowITunes},
    {"ejectipod", EjectIPod},
    {"show", Show},
};

bool RunExactCommand(BandWindow& w, const std::string& word) {
  if (commands::PlayerCommand player = commands::FindPlayerCommand(word)) {
    player(*w.iTunesR);
    return true;
  }
  for (const BandCommand& command : kBandCommands) {
    if (!text::EqualsNoCase(command.word, word)) continue;
    command.run(w);
    return true;
  }
  return false;
}

// Each test runs on the unchanged code, one after the other; a failing one ends the code.
void RunPrefixCommands(BandWindow& w, const std::string& code) {
  if (commands::EndsWithStar(code)) w.imgRatings_Click(values::ShortValue(code.substr(0, 1)) - 1);
  if (text::StartsWithNoCase(code, "showskin")) w.ShowSkinCode(code);
  if (text::StartsWithNoCase(code, "skip")) commands::Skip(*w.iTunesR, code);
  if (text::StartsWithNoCase(code, "reloadtimer")) commands::ReloadTimer(w, code);
}

}  // namespace

void BandWindow::RunCode(std::string& TheCode) {
  if (TheCode.empty()) return;
  commands::RunGroupPieces(TheCode, [this](std::string& piece) {
    RunCode(piece);
    return !closed_;
  });
  try {
    if (!CheckItunes()) return;
    if (!RunExactCommand(*this, TheCode)) RunPrefixCommands(*this, TheCode);
  } catch (const std::exception&) {
    // Ignored, as every failure of a band's command.
  }
}

void BandWindow::imgRatings_Click(int Index) {
  auto global = link_.GlobaliTunes();
  if (!global) return;
  auto track = global->CurrentTrack();
  if (track) track->SetRating((Index + 1) * 20);
}

// showskin=name|dx|dy: the program opens the skin name from the band's skin folder, dx and dy
// pixels from the band's top-left corner (without them, where the skin says).
void BandWindow::ShowSkinCode(const std::string& TheCode) {
  ui::Point origin = form_.ScreenOrigin();
  auto after = text::Split(TheCode, '=');
  std::string value = after.size() > 1 ? after[1] : "";
  auto fields = text::Split(value, '|');
  int16_t left = kNoFixedSize, top = kNoFixedSize;
  if (fields.size() > 1) {
    auto field = [&](size_t i) { return i < fields.size() ? fields[i] : std::string(); };
    left = values::ToShort((origin.x + values::LeadingNumber(field(1))) * 15);
    top = values::ToShort((origin.y + values::LeadingNumber(field(2))) * 15);
  }
  ShowSkin(CurPath + (fields.empty() ? "" : fields[0]), left, top);
}

// The program publishes its window's handle in communicate.hwnd and opens the skin that a
// text set on that window names. When the program is not running (no file, or one a program
// that ended left behind), the band starts it with the same three fields on its command line,
// which opens the skin as it starts.
void BandWindow::ShowSkin(const std::string& Skin, int16_t Left, int16_t Top) {
  try {
    auto& files = platform_.files();
    const std::string handle_file = AppFolder() + "\\communicate.hwnd";
    const std::string request = Skin + "|" + std::to_string(Left) + "|" + std::to_string(Top);
    if (files.FileExists(handle_file)) {
      auto lines = lines::SplitLines(files.ReadText(handle_file).text);
      double handle = values::LeadingNumber(lines.empty() ? "" : lines[0]);
      bool names_a_window = handle >= 1 && handle < 9007199254740992.0;
      if (names_a_window &&
          platform_.windows().SendTextToListener(static_cast<ui::WindowHandle>(handle), request))
        return;
    }
    RunFile(AppFolder() + "\\Quavero.exe", "\"" + request + "\"");
  } catch (const std::exception&) {
  }
}

}  // namespace quavero::deskband
