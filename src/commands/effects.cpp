// Showing a loaded skin and the window effects: fades, the slide-up, the glass region, move
// mode and opening a further skin beside this one. Effects are loops on the user-interface
// thread that let pending messages run between steps, so a press can stop a fade.
#include <cmath>

#include "app/application.h"
#include "base/text.h"
#include "base/values.h"
#include "skin/skin_window.h"

namespace quavero::skin {
namespace {

constexpr int kFadeStepMs = 3;
constexpr int kSlideStepMs = 3;
constexpr int kPixel = ui::kTwipsPerPixel;

int Pixels(double v) { return static_cast<int>(std::lround(v)); }

// The opacity a transparency level gives: a level above 255 counts with its low eight bits, so
// a fade to or from it runs once over the opacities instead of round them again and again.
int OpacityOf(int level) { return level > 255 ? level & 0xFF : level; }

}  // namespace

void SkinWindow::SetAlpha(int alpha) { app_.SetWindowAlpha(form_, alpha); }

void SkinWindow::RunAfter() {
  if (OnlyOneInstance) {
    for (const auto& other : app_.SkinWindows()) {
      if (other.get() != this && other->form().tag() == form_.tag()) {
        Unload();
        return;
      }
    }
  }
  AlwaysOnTop(OnTop);
  if (TransparencyLevel > 0) SetAlpha(TransparencyLevel);
  if (RoundAmount > 0) CreateRoundRectFromWindow(RoundAmount);
  if (GlassifyWindow) GlassifyMe();
  if (ShowAction == "fadein") {
    FadeIn();
  } else if (ShowAction == "slideup") {
    SlideUp();
  } else {
    form_.Show(false);
    if (OnDesktop) app_.AttachToDesktop(form_);
  }
  if (!unloaded_) StartLyricsPane();  // shown windows are seldom activated: start it now
}

bool SkinWindow::Fade(int from, int to, int step) {
  auto& loop = app_.platform().loop();
  for (int a = from; step > 0 ? a <= to : a >= to; a += step) {
    SetAlpha(a);
    loop.DoEvents();
    if (AbortEffect) {
      AbortEffect = false;  // the press that stopped this fade is used up
      return false;
    }
    loop.Sleep(kFadeStepMs);
  }
  return true;
}

void SkinWindow::FadeIn() {
  auto keep_alive = weak_from_this().lock();
  if (TransparencyLevel == 0) TransparencyLevel = 255;
  form_.Hide();
  form_.Show(false);
  if (!Fade(0, OpacityOf(TransparencyLevel), +1)) return;
  if (GlassifyWindow) GlassifyMe();
  form_.Show(false);
  if (OnDesktop) app_.AttachToDesktop(form_);
}

void SkinWindow::FadeClose() {
  auto keep_alive = weak_from_this().lock();
  if (TransparencyLevel == 0) TransparencyLevel = 255;
  if (!Fade(OpacityOf(TransparencyLevel), 0, -1)) return;
  form_.Hide();
  Unload();
}

void SkinWindow::SlideUp() {
  auto keep_alive = weak_from_this().lock();
  auto& loop = app_.platform().loop();
  form_.Show(false);
  const long height = std::lround(form_.height());
  const long top = std::lround(form_.top());
  // The steps while the rising edge is still below the screen show nothing: a window taller
  // than the screen starts at the screen's bottom edge, so no slide takes longer than one
  // step per pixel of the screen.
  const long screen_bottom = app_.platform().windows().ScreenSize().height * kPixel;
  const long start = std::min(top + height, std::max(top, screen_bottom));
  form_.SetHeight(height - (start - top));
  form_.SetTop(start);
  while (std::lround(form_.top()) > top && !unloaded_) {
    long next_top = std::max(top, std::lround(form_.top()) - kPixel);
    form_.SetTop(next_top);
    form_.SetHeight(height - (next_top - top));
    loop.DoEvents();
    loop.Sleep(kSlideStepMs);
  }
}

void SkinWindow::GlassifyMe() {
  if (form_.IsMinimized()) return;
  // Skin windows have no border or caption, so the region is the union of the visible elements.
  ui::Region region;
  for (const auto& c : form_.controls()) {
    if (!c->visible() || c->kind() == ui::ControlKind::kTimer) continue;
    if (text::StartsWithNoCase(c->name(), "tmr") || text::StartsWithNoCase(c->name(), "ln"))
      continue;
    if (c->tag() == "NoResize" || c->kind() == ui::ControlKind::kPictureBox) continue;
    region.rects.push_back({Pixels(c->left()), Pixels(c->top()),
                            Pixels(c->left() + c->width()), Pixels(c->top() + c->height())});
  }
  form_.SetRegion(region);
}

void SkinWindow::StartMoveWindow() {
  lblMove.SetLeft(0);
  lblMove.SetTop(0);
  lblMove.SetWidth(form_.PixelWidth());
  lblMove.SetHeight(form_.PixelHeight());
  lblMove.SetVisible(true);
}

void SkinWindow::ShowSkinCode(const std::string& TheCode) {
  auto halves = text::Split(TheCode, '=');
  if (halves.size() < 2) throw Failure(errors::kSubscriptOutOfRange);
  auto fields = text::Split(halves[1], '|');
  if (fields.empty()) throw Failure(errors::kSubscriptOutOfRange);
  int16_t left = app::kKeepPosition, top = app::kKeepPosition;
  if (fields.size() > 1) {
    if (fields.size() < 3) throw Failure(errors::kSubscriptOutOfRange);
    left = values::ToShort(form_.left() + values::LeadingNumber(fields[1]) * kPixel);
    top = values::ToShort(form_.top() + values::LeadingNumber(fields[2]) * kPixel);
  }
  switch (app_.RoomForSkinWindow()) {
    case app::Application::Room::kFree: break;
    case app::Application::Room::kFullNotSaid: throw Failure(errors::kInvalidCall, app::Application::NoRoomText());
    case app::Application::Room::kFull: return;  // the user was told once
  }
  app_.OpenSkinWindow(CurPath + fields[0], left, top, false);
}

}  // namespace quavero::skin
