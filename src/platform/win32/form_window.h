// The Win32 window of a form: a borderless pop-up with no taskbar button. Controls are
// windowless: the window paints them from the model into a back buffer it keeps, and asks the
// model which one is under the pointer; the element pressed keeps the mouse until release. A
// control that changes repaints only where it was and where it is.
#pragma once

#include <windows.h>
#undef IsMinimized  // winuser.h makes it a macro; the form model has a member of that name

#include <shellapi.h>

#include <map>
#include <unordered_map>

#include "platform/win32/drop_target.h"
#include "platform/win32/painter.h"
#include "ui/form.h"

namespace quavero::platform::win32 {

class FormWindow : public ui::FormPeer {
 public:
  FormWindow(ui::Form& form, Painter& painter);
  ~FormWindow() override;

  static void RegisterClass();
  HWND hwnd() const { return hwnd_; }

  ui::WindowHandle handle() const override { return reinterpret_cast<ui::WindowHandle>(hwnd_); }
  void Show(bool activate) override;
  void Hide() override;
  void BringToTop() override;
  ui::Point ClientOrigin() const override;
  void BoundsChanged() override;
  void Invalidate() override;
  void ControlChanged(const ui::Control& control) override;
  bool SetLayeredAlpha(int alpha) override;
  void SetRegion(const ui::Region& region) override;
  void SetTopmost(bool topmost) override;
  void AttachToDesktop() override;
  void SetParentWindow(ui::WindowHandle parent) override;
  void StartSystemDrag() override;
  void TimerChanged(ui::Timer& timer) override;
  void ControlRemoved(const ui::Control& control) override;
  bool IsMinimized() const override;

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp);
  void Paint();
  void Mouse(UINT msg, WPARAM wp, LPARAM lp);
  void PositionFromWindow();
  void SizeFromWindow(int width, int height);
  void TakeDropsWhileAnImageDoes();
  void RememberWhereControlsAre();
  void FreeBuffer();
  void StopTakingDrops();
  RECT PixelBounds() const;

  ui::Form& form_;
  Painter& painter_;
  HWND hwnd_ = nullptr;
  ui::Control* captured_ = nullptr;
  bool syncing_ = false;
  bool creating_ = false;  // the window's own place is not the form's yet
  DropTarget* drop_target_ = nullptr;  // registered while an image takes dropped files
  // Where each control was when it last changed, so that a change repaints that place too.
  std::unordered_map<const ui::Control*, RECT> drawn_;
  // The back buffer, kept from paint to paint: only the area a paint asks for is painted again.
  HDC buffer_dc_ = nullptr;
  HBITMAP buffer_ = nullptr;
  HGDIOBJ buffer_old_ = nullptr;
  int buffer_width_ = 0, buffer_height_ = 0;
  std::map<UINT_PTR, ui::Timer*> timers_;
  std::map<ui::Timer*, UINT_PTR> timer_ids_;
  UINT_PTR next_timer_id_ = 1;
};

}  // namespace quavero::platform::win32
