#include "skin/skin_window.h"

#include "app/application.h"
#include "app/settings.h"
#include "base/text.h"
#include "base/values.h"

namespace quavero::skin {
namespace {

constexpr int32_t kMoveOverlayBack = 0x202020;
constexpr int32_t kMoveOverlayText = 0xFFFFFF;

}  // namespace

SkinWindow::SkinWindow(app::Application& app)
    : SkinElements(app.platform(), "frmMain"),
      lblMove(form_.Add<ui::Label>("lblMove", -1, ui::Layer::kOverlay)),
      tmrTrackImage(form_.Add<ui::Timer>("tmrTrackImage", -1)),
      tmrDeskbarLetDie(form_.Add<ui::Timer>("tmrDeskbarLetDie", -1)),
      tmrLyrics(form_.Add<ui::Timer>("tmrLyrics", -1)),
      CantixPane(app.platform(), [this] { return iTunesR.get(); }),
      app_(app) {
  // The window's own design, before any skin line applies.
  lblMove.SetCaption("Move Window");
  lblMove.SetVisible(false);
  lblMove.SetOpaque(true);
  lblMove.SetBackColor(kMoveOverlayBack);
  lblMove.SetForeColor(kMoveOverlayText);
  lblMove.SetAlignment(ui::Alignment::kCenter);
  tmrProgress.SetInterval(500);
  tmrTrackImage.SetInterval(50);
  tmrTrackImage.SetEnabled(false);
  tmrDeskbarLetDie.SetInterval(5000);
  tmrLyrics.SetInterval(100);
  tmrLyrics.SetEnabled(false);
  CantixPane.NewLyrics = [this] { CantixPane_NewLyrics(); };

  // The window is made when the skin is shown: loading only changes the model.
  form_.SetRealiser([&windows = app_.platform().windows()](ui::Form& f) { windows.Realise(f); });
  form_.SetEvents(this);
  Form_Resize();
  LoadStep();
  ShowMeInDeskbar();
}

SkinWindow::~SkinWindow() {
  form_.SetEvents(nullptr);
  ReleaseiTunes();  // no event may reach a window that is gone
}

void SkinWindow::LoadStep() {
  ComCallsEnabled = true;
  const ui::Image& star0 = imgRatings(0);
  for (int i = 1; i <= 4; ++i) {
    ui::Image& star = imgRatings.Load(i);
    star.SetVisible(false);
    star.SetLeft(star0.left() + i * star0.width());
    star.SetTop(star0.top());
    star.SetWidth(star0.width());
    star.SetHeight(star0.height());
  }
  hkHotkey.push_back(std::make_unique<hotkeys::VBHotkey>(app_.hotkey_subclass(), app_.platform()));
  HoverIndex = -1;
  try {
    if (!IsiTunesDead()) ConnectToiTunes();
  } catch (const std::exception&) {
    // A window that cannot connect now connects on a later check.
  }
}

void SkinWindow::Form_Activate() {
  if (form_.tag().empty()) return Unload();
  app_.NoteActive(*this);
}

void SkinWindow::Form_Resize() {
  if (form_.IsMinimized()) return;
  double w = form_.PixelWidth(), h = form_.PixelHeight();
  lnRight.SetEnds(w - 2, 0, w - 2, h);
  lnLeft.SetEnds(0, 0, 0, h);
  lnBottom.SetEnds(0, h - 2, w, h - 2);
  lnTop.SetEnds(0, 0, w, 0);
}

void SkinWindow::Unload() {
  if (unloaded_ || closing_) return;
  closing_ = true;
  auto keep_alive = weak_from_this().lock();
  Form_Unload();
  unloaded_ = true;
  form_.Close();
  app_.WindowUnloaded();
}

void SkinWindow::Form_Unload() {
  AbortEffect = true;
  CloseAllHotkeys();
  if (RememberPos) {
    try {
      std::string position = values::FormatSingle(form_.left()) + "\r\n" +
                             values::FormatSingle(form_.top()) + "\r\n";
      app_.platform().files().WriteText(CurPath + "position.ini", {position});
    } catch (const Failure&) {
      // The old position.ini stays as it was; the window closes all the same.
    }
  }
  for (const auto& control : form_.controls())
    if (control->kind() == ui::ControlKind::kTimer && text::StartsWithNoCase(control->name(), "tmr"))
      static_cast<ui::Timer&>(*control).SetEnabled(false);
  Unloading = true;
  CantixPane.CloseLyrics();
  if (app_.CountSkinWindows() == 1) {
    app_.CloseTrayWindow();
    bool close_itunes = values::LeadingNumber(app_.GetSetting(
                            app::settings::kCloseiTunesOnExit,
                            app::settings::kCloseiTunesOnExitDefault)) == 1;
    if (close_itunes && !app_.SwitchingSkin()) {
      if (iTunesR) {
        try {
          iTunesR->Quit();
        } catch (const std::exception&) {
        }
      }
      app_.EndProgram();
    }
  }
  // iTunes' events stop here; the reference itself stays until the window is gone, so that
  // code still running in it (the rest of {fadeclose}{quit}) reaches iTunes.
  StopHearingiTunes();
}

void SkinWindow::Form_KeyDown(int /*KeyCode*/, int Shift) {
  if (Shift != 0) StartMoveWindow();
}

void SkinWindow::Form_KeyUp(int /*KeyCode*/, int /*Shift*/) {
  if (lblMove.visible()) lblMove.SetVisible(false);
}

void SkinWindow::lblMove_MouseDown(int, int, double, double) {
  MoveWindow();
  lblMove.SetVisible(false);
}

void SkinWindow::OnTimer(ui::Timer& timer) {
  auto keep_alive = weak_from_this().lock();
  if (&timer == &tmrProgress) return tmrProgress_Timer();
  if (&timer == &tmrScroll) return tmrScroll_Timer();
  if (&timer == &tmrTrackImage) return tmrTrackImage_Timer();
  if (&timer == &tmrDeskbarLetDie) return tmrDeskbarLetDie_Timer();
  if (&timer == &tmrLyrics) return tmrLyrics_Timer();
  if (timer.name() == "tmr") return tmr_Timer(timer.index());
}

void SkinWindow::tmr_Timer(int Index) {
  if (Unloading) return Unload();
  RunTimerCode(tmr(Index));
}

void SkinWindow::tmrProgress_Timer() {
  if (Unloading) return Unload();
  ProgressStep();  // also connects when iTunes has started since the last tick
  PolliTunesEvents();
}

void SkinWindow::tmrDeskbarLetDie_Timer() {
  DeskbarLetDie = false;
  tmrDeskbarLetDie.SetEnabled(false);
}

}  // namespace quavero::skin
