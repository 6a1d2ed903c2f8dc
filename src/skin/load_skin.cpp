// Reading a skin into its window: the skin file line by line, the remembered position, the
// personal shortcuts of the first window, then the first look at iTunes.
#include <exception>

#include "app/application.h"
#include "base/failure.h"
#include "base/lines.h"
#include "base/values.h"
#include "skin/skin_window.h"

namespace quavero::skin {

void SkinWindow::LoadSkin(const std::string& SkinFile, std::string Path) {
  // Each step that fails shows the LoadSkin message and loading goes on with the next step.
  auto step = [this](auto&& work) {
    try {
      work();
    } catch (const std::exception& failure) {
      LoadSkinFailed(failure);
    }
  };
  std::vector<std::string> lines;
  step([&] { lines = lines::SplitLines(app_.platform().files().ReadText(SkinFile).text); });
  form_.SetTag("loadedbyskin");
  CurPath = Path;
  for (const auto& line : lines) ProcessLine(line, Path);
  step([&] { ReadPosition(); });
  step([&] { CheckStartPersonal(); });
  step([&] { LoadSong(); });
  step([&] { ProcessKeyShortcuts(); });
  step([&] { tmrProgress_Timer(); });
}

void SkinWindow::ReadPosition() {
  std::string file = CurPath + "position.ini";
  if (!RememberPos || !app_.platform().files().FileExists(file)) return;
  const double own_left = form_.left(), own_top = form_.top();
  try {
    auto lines = lines::SplitLines(app_.platform().files().ReadText(file).text);
    if (lines.empty()) throw Failure(errors::kInputPastEnd);
    form_.SetLeft(values::LeadingNumber(lines[0]));
    if (lines.size() < 2) throw Failure(errors::kInputPastEnd);
    form_.SetTop(values::LeadingNumber(lines[1]));
  } catch (const std::exception&) {
    KeepReachable(own_left, own_top);
    throw;
  }
  KeepReachable(own_left, own_top);
}

int16_t SkinWindow::FrmMainCount() const { return static_cast<int16_t>(app_.CountSkinWindows()); }

// The first skin window alone reads personal.ini, line by line as a line of its skin. A
// missing personal.ini holds no shortcuts: a first start has none and says nothing.
void SkinWindow::CheckStartPersonal() {
  if (FrmMainCount() != 1) return;
  std::string file = app_.AppFolder() + "\\personal.ini";
  auto& files = app_.platform().files();
  if (!files.FileExists(file) && !files.FolderExists(file)) return;
  for (const auto& line : lines::SplitLines(files.ReadText(file).text)) ProcessLine(line, CurPath);
}

void SkinWindow::LoadSkinFailed(const std::exception& failure) {
  int number = errors::kInvalidCall;
  std::string description = failure.what();
  if (auto* f = dynamic_cast<const Failure*>(&failure)) {
    number = f->number();
    description = f->description();
  }
  app_.ReportFailure(
      "There was an error in LoadSkin\r\nErr " + std::to_string(number) + ": " + description,
      "Error!", platform::Icon::kCritical);
}

void SkinWindow::LoadSong() {
  if (form_.peer()) form_.peer()->Invalidate();
  if (!iTunesIsNothing(true)) RefreshInfo();
}

}  // namespace quavero::skin
