#include "platform/win32/form_window.h"
#include "platform/win32/module.h"

#include <algorithm>

#include <shellapi.h>
#include <windowsx.h>
#undef IsMinimized

#include <cmath>
#include <string>
#include <vector>

#include "platform/win32/wide.h"

namespace quavero::platform::win32 {
namespace {

constexpr wchar_t kClassName[] = L"QuaveroSkinWindow";

int Px(double twips) { return static_cast<int>(std::lround(twips / ui::kTwipsPerPixel)); }

int ShiftState(WPARAM wp) {
  int shift = 0;
  if (wp & MK_SHIFT) shift |= ui::keys::kShift;
  if (wp & MK_CONTROL) shift |= ui::keys::kCtrl;
  if (GetKeyState(VK_MENU) < 0) shift |= ui::keys::kAlt;
  return shift;
}

int KeyShiftState() {
  int shift = 0;
  if (GetKeyState(VK_SHIFT) < 0) shift |= ui::keys::kShift;
  if (GetKeyState(VK_CONTROL) < 0) shift |= ui::keys::kCtrl;
  if (GetKeyState(VK_MENU) < 0) shift |= ui::keys::kAlt;
  return shift;
}

int HeldButtons(WPARAM wp) {
  int buttons = 0;
  if (wp & MK_LBUTTON) buttons |= ui::mouse::kLeft;
  if (wp & MK_RBUTTON) buttons |= ui::mouse::kRight;
  if (wp & MK_MBUTTON) buttons |= ui::mouse::kMiddle;
  return buttons;
}

}  // namespace

void FormWindow::RegisterClass() {
  static bool registered = false;
  if (registered) return;
  WNDCLASSW wc{};
  wc.lpfnWndProc = WindowProc;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hIcon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1));  // the program's
  wc.lpszClassName = kClassName;
  RegisterModuleClass(wc);
  registered = true;
}

FormWindow::FormWindow(ui::Form& form, Painter& painter) : form_(form), painter_(painter) {
  RegisterClass();
  // The window is made once the form is complete: edges the form was given win over the
  // place the system chose; the others are read back into the form at the end.
  creating_ = true;
  hwnd_ = CreateWindowExW(WS_EX_TOOLWINDOW, kClassName, L"Quavero", WS_POPUP, CW_USEDEFAULT,
                          CW_USEDEFAULT, Px(form.width()), Px(form.height()), nullptr, nullptr,
                          ThisModule(), this);
  RECT r{};
  GetWindowRect(hwnd_, &r);
  int left = form.left_given() ? Px(form.left()) : r.left;
  int top = form.top_given() ? Px(form.top()) : r.top;
  SetWindowPos(hwnd_, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  creating_ = false;
  PositionFromWindow();
  for (const auto& c : form_.controls())
    if (c->kind() == ui::ControlKind::kTimer) TimerChanged(static_cast<ui::Timer&>(*c));
  RememberWhereControlsAre();
}

FormWindow::~FormWindow() {
  if (!hwnd_) return;
  for (auto& [id, timer] : timers_) KillTimer(hwnd_, id);
  StopTakingDrops();
  FreeBuffer();
  SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
  DestroyWindow(hwnd_);
}

LRESULT CALLBACK FormWindow::WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lp);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    static_cast<FormWindow*>(create->lpCreateParams)->hwnd_ = hwnd;
  }
  auto* self = reinterpret_cast<FormWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!self) return DefWindowProcW(hwnd, msg, wp, lp);
  try {
    return self->Handle(msg, wp, lp);
  } catch (...) {
    return 0;  // nothing escapes a window procedure
  }
}

// Handlers may close the form, which destroys this object: after calling into the engine,
// return at once.
LRESULT FormWindow::Handle(UINT msg, WPARAM wp, LPARAM lp) {
  HWND hwnd = hwnd_;
  ui::FormEvents* events = form_.events();
  switch (msg) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
      Paint();
      return 0;
    case WM_LBUTTONDOWN: case WM_RBUTTONDOWN: case WM_MBUTTONDOWN:
    case WM_LBUTTONUP: case WM_RBUTTONUP: case WM_MBUTTONUP: case WM_MOUSEMOVE:
      Mouse(msg, wp, lp);
      return 0;
    case WM_CAPTURECHANGED:
      captured_ = nullptr;
      return 0;
    case WM_KEYDOWN: case WM_SYSKEYDOWN:
      if (events) events->OnKeyDown(static_cast<int>(wp), KeyShiftState());
      break;
    case WM_KEYUP: case WM_SYSKEYUP:
      if (events) events->OnKeyUp(static_cast<int>(wp), KeyShiftState());
      break;
    case WM_ACTIVATE:
      // The default handling gives the activated window the keyboard focus.
      if (LOWORD(wp) != WA_INACTIVE && events) events->OnActivate();
      break;
    case WM_MOVE:
      if (!creating_) PositionFromWindow();
      return 0;
    case WM_SIZE:
      // Sized from outside (the window that holds a desk band): the model follows.
      if (!creating_ && wp != SIZE_MINIMIZED) SizeFromWindow(LOWORD(lp), HIWORD(lp));
      return 0;
    case WM_TIMER: {
      auto it = timers_.find(wp);
      if (it != timers_.end() && events) events->OnTimer(*it->second);
      return 0;
    }
    case WM_CLOSE:
      if (events) events->OnCloseRequested();
      return 0;
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

void FormWindow::Mouse(UINT msg, WPARAM wp, LPARAM lp) {
  double x = GET_X_LPARAM(lp), y = GET_Y_LPARAM(lp);
  ui::FormEvents* events = form_.events();
  int button = (msg == WM_LBUTTONDOWN || msg == WM_LBUTTONUP)   ? ui::mouse::kLeft
               : (msg == WM_RBUTTONDOWN || msg == WM_RBUTTONUP) ? ui::mouse::kRight
                                                                : ui::mouse::kMiddle;
  ui::Control* element = captured_ ? captured_ : form_.HitTest(x, y);
  double ex = element ? x - element->left() : x, ey = element ? y - element->top() : y;
  if (!events) return;
  switch (msg) {
    case WM_MOUSEMOVE:
      events->OnMouseMove(element, HeldButtons(wp), ShiftState(wp), ex, ey);
      return;
    case WM_LBUTTONDOWN: case WM_RBUTTONDOWN: case WM_MBUTTONDOWN:
      captured_ = element;
      SetCapture(hwnd_);
      events->OnMouseDown(element, button, ShiftState(wp), ex, ey);
      return;
    default:
      captured_ = nullptr;
      if (GetCapture() == hwnd_) ReleaseCapture();
      events->OnMouseUp(element, button, ShiftState(wp), ex, ey);
      return;
  }
}

void FormWindow::Invalidate() {
  TakeDropsWhileAnImageDoes();
  RememberWhereControlsAre();
  InvalidateRect(hwnd_, nullptr, FALSE);
}

void FormWindow::RememberWhereControlsAre() {
  drawn_.clear();
  for (const auto& c : form_.controls())
    if (c->kind() != ui::ControlKind::kTimer) drawn_[c.get()] = BoundsOf(*c);
}

void FormWindow::ControlChanged(const ui::Control& control) {
  if (control.kind() == ui::ControlKind::kTimer) return;
  // Whether the window still takes drops is looked at again only when this image says
  // otherwise than the window does.
  if (control.kind() == ui::ControlKind::kImage &&
      static_cast<const ui::Image&>(control).accepts_files() != (drop_target_ != nullptr))
    TakeDropsWhileAnImageDoes();
  RECT now = BoundsOf(control);
  auto [it, first] = drawn_.try_emplace(&control, now);
  if (!first) {
    InvalidateRect(hwnd_, &it->second, FALSE);
    it->second = now;
  }
  InvalidateRect(hwnd_, &now, FALSE);
}

// A window is a drop target while one of its images takes dropped files.
void FormWindow::TakeDropsWhileAnImageDoes() {
  bool accepts = false;
  for (const auto& c : form_.controls())
    if (c->kind() == ui::ControlKind::kImage && static_cast<ui::Image&>(*c).accepts_files())
      accepts = true;
  if (accepts == (drop_target_ != nullptr)) return;
  if (accepts) {
    auto* target = new DropTarget(hwnd_, form_);
    if (RegisterDragDrop(hwnd_, target) == S_OK) drop_target_ = target;
    else target->Release();
  } else {
    StopTakingDrops();
  }
}

void FormWindow::StopTakingDrops() {
  if (!drop_target_) return;
  drop_target_->Detach();
  RevokeDragDrop(hwnd_);
  drop_target_->Release();
  drop_target_ = nullptr;
}

void FormWindow::Paint() {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd_, &ps);
  RECT client;
  GetClientRect(hwnd_, &client);
  int w = client.right, h = client.bottom;
  if (w > 0 && h > 0) {
    RECT area = ps.rcPaint;
    if (!buffer_dc_ || w != buffer_width_ || h != buffer_height_) {
      FreeBuffer();  // a new size: a new buffer, painted whole
      buffer_dc_ = CreateCompatibleDC(dc);
      buffer_ = CreateCompatibleBitmap(dc, w, h);
      buffer_old_ = SelectObject(buffer_dc_, buffer_);
      buffer_width_ = w;
      buffer_height_ = h;
      area = client;
    }
    painter_.Paint(form_, buffer_dc_, area);
    BitBlt(dc, ps.rcPaint.left, ps.rcPaint.top, ps.rcPaint.right - ps.rcPaint.left,
           ps.rcPaint.bottom - ps.rcPaint.top, buffer_dc_, ps.rcPaint.left, ps.rcPaint.top,
           SRCCOPY);
  }
  EndPaint(hwnd_, &ps);
}

void FormWindow::FreeBuffer() {
  if (!buffer_dc_) return;
  SelectObject(buffer_dc_, buffer_old_);
  DeleteObject(buffer_);
  DeleteDC(buffer_dc_);
  buffer_dc_ = nullptr;
  buffer_ = nullptr;
}

RECT FormWindow::PixelBounds() const {
  int left = Px(form_.left()), top = Px(form_.top());
  return {left, top, left + Px(form_.width()), top + Px(form_.height())};
}

void FormWindow::PositionFromWindow() {
  RECT r;
  if (!GetWindowRect(hwnd_, &r)) return;
  if (GetParent(hwnd_)) MapWindowPoints(nullptr, GetParent(hwnd_), reinterpret_cast<POINT*>(&r), 2);
  syncing_ = true;
  // Keep the model's finer twips while the window stands where the model says.
  if (r.left != Px(form_.left())) form_.SetLeft(r.left * ui::kTwipsPerPixel);
  if (r.top != Px(form_.top())) form_.SetTop(r.top * ui::kTwipsPerPixel);
  syncing_ = false;
}

void FormWindow::SizeFromWindow(int width, int height) {
  syncing_ = true;
  if (width != Px(form_.width())) form_.SetWidth(width * ui::kTwipsPerPixel);
  if (height != Px(form_.height())) form_.SetHeight(height * ui::kTwipsPerPixel);
  syncing_ = false;
  InvalidateRect(hwnd_, nullptr, FALSE);
}

void FormWindow::Show(bool activate) { ShowWindow(hwnd_, activate ? SW_SHOW : SW_SHOWNOACTIVATE); }

void FormWindow::Hide() { ShowWindow(hwnd_, SW_HIDE); }

void FormWindow::BringToTop() {
  SetWindowPos(hwnd_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

ui::Point FormWindow::ClientOrigin() const {
  POINT origin{0, 0};
  ClientToScreen(hwnd_, &origin);
  return {origin.x, origin.y};
}

void FormWindow::BoundsChanged() {
  if (syncing_) return;
  RECT r = PixelBounds();
  SetWindowPos(hwnd_, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
               SWP_NOZORDER | SWP_NOACTIVATE);
  InvalidateRect(hwnd_, nullptr, FALSE);
}


bool FormWindow::SetLayeredAlpha(int alpha) {
  LONG_PTR style = GetWindowLongPtrW(hwnd_, GWL_EXSTYLE);
  if (!(style & WS_EX_LAYERED)) {
    SetLastError(0);
    if (SetWindowLongPtrW(hwnd_, GWL_EXSTYLE, style | WS_EX_LAYERED) == 0 && GetLastError() != 0)
      return false;
  }
  SetLayeredWindowAttributes(hwnd_, 0, static_cast<BYTE>(alpha), LWA_ALPHA);
  return true;
}

void FormWindow::SetRegion(const ui::Region& region) {
  HRGN rgn;
  if (region.corner_width > 0 && !region.rects.empty()) {
    const ui::Rect& r = region.rects[0];
    rgn = CreateRoundRectRgn(r.left, r.top, r.right, r.bottom, region.corner_width,
                             region.corner_height);
  } else {
    rgn = CreateRectRgn(0, 0, 0, 0);
    for (const ui::Rect& r : region.rects) {
      HRGN part = CreateRectRgn(r.left, r.top, r.right, r.bottom);
      CombineRgn(rgn, rgn, part, RGN_OR);
      DeleteObject(part);
    }
  }
  SetWindowRgn(hwnd_, rgn, TRUE);  // the window owns the region now
}

void FormWindow::SetTopmost(bool topmost) {
  RECT r = PixelBounds();
  SetWindowPos(hwnd_, topmost ? HWND_TOPMOST : HWND_NOTOPMOST, r.left, r.top, r.right - r.left,
               r.bottom - r.top, SWP_NOACTIVATE);
}

void FormWindow::AttachToDesktop() {
  HWND desktop = FindWindowW(L"Progman", L"Program Manager");
  if (!desktop || GetParent(hwnd_) == desktop) return;
  LONG_PTR style = GetWindowLongPtrW(hwnd_, GWL_STYLE);
  SetWindowLongPtrW(hwnd_, GWL_STYLE, style | WS_CHILD | WS_POPUP);
  SetParent(hwnd_, desktop);
}

void FormWindow::SetParentWindow(ui::WindowHandle parent) {
  SetParent(hwnd_, reinterpret_cast<HWND>(parent));
}

void FormWindow::StartSystemDrag() {
  ReleaseCapture();
  SendMessageW(hwnd_, WM_NCLBUTTONDOWN, HTCAPTION, 0);
}

void FormWindow::TimerChanged(ui::Timer& timer) {
  auto it = timer_ids_.find(&timer);
  UINT_PTR id;
  if (it == timer_ids_.end()) {
    id = next_timer_id_++;
    timer_ids_[&timer] = id;
    timers_[id] = &timer;
  } else {
    id = it->second;
  }
  KillTimer(hwnd_, id);
  if (timer.running()) SetTimer(hwnd_, id, static_cast<UINT>(timer.interval()), nullptr);
}

void FormWindow::ControlRemoved(const ui::Control& control) {
  if (captured_ == &control) captured_ = nullptr;
  if (auto it = drawn_.find(&control); it != drawn_.end()) {
    InvalidateRect(hwnd_, &it->second, FALSE);
    drawn_.erase(it);
  }
  if (control.kind() != ui::ControlKind::kTimer) return;
  auto it = std::find_if(timer_ids_.begin(), timer_ids_.end(),
                         [&](const auto& entry) { return entry.first == &control; });
  if (it == timer_ids_.end()) return;
  KillTimer(hwnd_, it->second);
  timers_.erase(it->second);  // a tick already queued finds no timer
  timer_ids_.erase(it);
}

bool FormWindow::IsMinimized() const { return IsIconic(hwnd_); }

}  // namespace quavero::platform::win32
