// The band window's start-up, loading, switching skins, resizing and closing.
#include "deskband/band_window.h"

#include <exception>

#include "base/failure.h"
#include "base/lines.h"
#include "base/raised_flag.h"
#include "base/text.h"

namespace quavero::deskband {
namespace {

constexpr int32_t kProgressInterval = 100;

}  // namespace

BandWindow::BandWindow(platform::Platform& platform, itunes::Link& link, bool quiet_start)
    : SkinElements(platform, "frmMain"),
      picBack(form_.Add<ui::PictureBox>("picBack", -1, ui::Layer::kHidden)),
      link_(link),
      quiet_(quiet_start) {
  form_.SetBackColor(0);
  tmrProgress.SetInterval(kProgressInterval);
  form_.SetRealiser([&windows = platform_.windows()](ui::Form& f) { windows.Realise(f); });
  form_.SetEvents(this);
  Form_Load();
  quiet_ = false;
}

BandWindow::~BandWindow() {
  form_.SetEvents(nullptr);
  DropiTunes();  // no event may reach a window that is gone
}

void BandWindow::Form_Load() {
  NoResizeX = kNoFixedSize;
  NoResizeY = kNoFixedSize;
  RunFile("itunes", "1");
  platform_.loop().DoEvents();
  const std::string name = ChosenSkin();
  EventList.clear();
  KeyShortcuts.assign(1, skin::KeyShortcut{});
  ScrollStart.clear();
  // The stars are there before the skin loads: its first refresh draws them.
  for (int i = 1; i <= 4; ++i) imgRatings.Load(i).SetVisible(false);
  LoadSkin(SkinFolder(name) + "skin.ini", SkinFolder(name));
  try {
    RecordDesignGeometry();
  } catch (const std::exception& failure) {
    ShowMessage(DescriptionOf(failure), platform::Icon::kNone, kBandApplication);
  }
}

// "Default" when the marker file says so, or when the folder of the skin picked last is
// missing or empty (or cannot be read).
std::string BandWindow::ChosenSkin() {
  auto& files = platform_.files();
  try {
    if (files.FileExists(AppFolder() + "\\normalskin")) return "Default";
    std::string name =
        platform_.settings().Get(kBandApplication, "Options", kCurrentSkinKey, "Default");
    return files.FilesIn(SkinFolder(name)).empty() ? "Default" : name;
  } catch (const std::exception&) {
    return "Default";
  }
}

// Every failure, also one inside a line, shows the LoadSkin message; the line is abandoned
// and loading goes on with the next.
void BandWindow::LoadSkin(const std::string& SkinFile, const std::string& Path) {
  std::vector<std::string> lines;
  try {
    lines = lines::SplitLines(platform_.files().ReadText(SkinFile).text);
  } catch (const std::exception& failure) {
    LoadSkinFailed(failure);
  }
  form_.SetTag("loadedbyskin");
  CurPath = Path;
  for (const auto& line : lines) {
    try {
      ProcessLine(line, Path);
    } catch (const std::exception& failure) {
      LoadSkinFailed(failure);
    }
  }
  try {
    LoadSong();
  } catch (const std::exception& failure) {
    LoadSkinFailed(failure);
  }
}

void BandWindow::LoadSkinFailed(const std::exception& failure) {
  ShowMessage("There was an error in LoadSkin\r\nErr " + std::to_string(NumberOf(failure)) +
                  ": " + DescriptionOf(failure),
              platform::Icon::kCritical, "Error!");
}

// The band runs inside the shell: a box open there already stands for every failure that
// follows while it is open, so boxes never stack up.
void BandWindow::ShowMessage(const std::string& text, platform::Icon icon,
                             const std::string& title) {
  if (showing_message_ || quiet_) return;
  RaisedFlag open(showing_message_);
  platform_.windows().ShowMessageBox(text, title, icon, platform::Buttons::kOk);
}

void BandWindow::RunFile(const std::string& File, const std::string& Params) {
  platform_.shell().Open(File, Params);
}

void BandWindow::RemoveCreatedElements() {
  for (int i = lblInfo.UBound(); i >= 1; --i) {
    lblInfo.Unload(i);
    scrollWidth.Unload(i);
  }
  for (int i = img.UBound(); i >= 1; --i) img.Unload(i);
  for (int i = imgRatings.UBound(); i >= 1; --i) imgRatings.Unload(i);
  for (int i = tmr.UBound(); i >= 1; --i) tmr.Unload(i);
}

void BandWindow::CloseAndReloadSkin(const std::string& SkinName) {
  RemoveCreatedElements();
  EventList.clear();
  InteractionCodes.clear();
  InteractionCount = 0;
  LabelText.assign(1, "");
  LabelScroll.resize(1);
  ImagePictures.assign(1, "");
  RatingsSpec.clear();
  imgRatings(0).SetVisible(false);
  imgProgress.SetVisible(false);
  DesignGeometry.clear();
  platform_.settings().Save(kBandApplication, "Options", kCurrentSkinKey, SkinName);
  Form_Load();
  Form_Resize();
}

void BandWindow::Form_Resize() {
  if (form_.IsMinimized()) return;
  double w = form_.PixelWidth(), h = form_.PixelHeight();
  picBack.SetWidth(w);
  picBack.SetHeight(h);
  lnRight.SetEnds(w - 2, 0, w - 2, h);
  lnBottom.SetEnds(0, h - 2, w, h - 2);
  lnLeft.SetEnds(0, 0, 0, h);
  lnTop.SetEnds(0, 0, w, 0);
  if (!AutoResize) return;
  ResizeElements();
  // The labels have another width now: how much of their text fits is measured again.
  if (iTunesR) LoadSong();
}

void BandWindow::Form_Unload() {
  if (closed_) return;
  for (const auto& control : form_.controls())
    if (control->kind() == ui::ControlKind::kTimer && text::StartsWithNoCase(control->name(), "tmr"))
      static_cast<ui::Timer&>(*control).SetEnabled(false);
  Closing = true;
  closed_ = true;
  DropiTunes();
  form_.Close();
}

void BandWindow::OnTimer(ui::Timer& timer) {
  if (closed_) return;
  if (&timer == &tmrProgress) return tmrProgress_Timer();
  if (&timer == &tmrScroll) return tmrScroll_Timer();
  if (timer.name() != "tmr") return;
  if (Closing) return Form_Unload();
  try {
    RunTimerCode(timer);
  } catch (const std::exception&) {
    // Nothing escapes into the shell.
  }
}

}  // namespace quavero::deskband
