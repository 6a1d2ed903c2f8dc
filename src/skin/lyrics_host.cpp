// The skin window as host of the lyrics pane: a lyrics line names the label that shows the
// current line; the pane starts when the window is shown, steps on the window's 100 ms timer,
// hears iTunes' events through the window, and stops when the window closes.
#include "app/application.h"
#include "shell/options_window.h"
#include "skin/skin_window.h"

namespace quavero::skin {

void SkinWindow::StartLyricsPane() {
  if (LyricsLabel == 0 || CantixPane.started()) return;
  std::string folder = LyricsFolder.empty()
                           ? app_.GetSetting(shell::kCantixPath, shell::kCantixPathDefault)
                           : LyricsFolder;
  CantixPane.StartLyrics(folder);
  tmrLyrics.SetEnabled(true);
}

void SkinWindow::tmrLyrics_Timer() {
  if (Unloading) return;
  CantixPane.Step();
}

// The label's template becomes the current line, which scrolls as any text too long for it.
void SkinWindow::CantixPane_NewLyrics() {
  if (!lblInfo.Exists(LyricsLabel) || Unloading) return;
  ui::Label& label = lblInfo(LyricsLabel);
  label.SetTag(CantixPane.current_line());
  label.SetCaption(label.tag());
  FitLabel(LyricsLabel);
  ScrollStep(false);
}

}  // namespace quavero::skin
