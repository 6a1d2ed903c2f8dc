// The boundary between a form of the engine and the window that the platform makes of it.
// The platform implements FormPeer; the engine implements FormEvents.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace quavero::ui {

class Control;
class Timer;

struct Rect {
  int left = 0, top = 0, right = 0, bottom = 0;  // pixels, right and bottom exclusive
  bool operator==(const Rect&) const = default;
};

struct Point {
  int x = 0, y = 0;  // pixels
  bool operator==(const Point&) const = default;
};

// A window region: a union of rectangles, or a rectangle with round corners.
struct Region {
  std::vector<Rect> rects;
  int corner_width = 0;  // > 0: one round-cornered rectangle, rects[0], with this ellipse
  int corner_height = 0;
  bool operator==(const Region&) const = default;
};

// Mouse buttons and modifier keys, as the handlers receive them.
namespace mouse {
inline constexpr int kLeft = 1;
inline constexpr int kRight = 2;
inline constexpr int kMiddle = 4;
}  // namespace mouse
namespace keys {
inline constexpr int kShift = 1;
inline constexpr int kCtrl = 2;
inline constexpr int kAlt = 4;
}  // namespace keys

using WindowHandle = std::intptr_t;

class FormPeer {
 public:
  virtual ~FormPeer() = default;

  virtual WindowHandle handle() const = 0;
  virtual void Show(bool activate) = 0;
  virtual void Hide() = 0;
  virtual void BringToTop() = 0;  // to the top of the z-order (of its band, when topmost)
  virtual void BoundsChanged() = 0;  // the form's left, top, width or height changed
  virtual void Invalidate() = 0;     // something drawn changed: repaint from the model
  // One control changed (its place, size, look or visibility): repaint where it was and is.
  virtual void ControlChanged(const Control& control) { Invalidate(); }
  virtual bool SetLayeredAlpha(int alpha) = 0;  // false when the layered style cannot be set
  virtual void SetRegion(const Region& region) = 0;
  virtual void SetTopmost(bool topmost) = 0;
  virtual void AttachToDesktop() = 0;
  virtual void SetParentWindow(WindowHandle parent) = 0;
  virtual void StartSystemDrag() = 0;  // returns when the mouse button is released
  virtual void TimerChanged(Timer& timer) = 0;
  // The control is about to be destroyed: the window forgets it (its timer, its press).
  virtual void ControlRemoved(const Control& control) = 0;
  virtual bool IsMinimized() const = 0;
  // Where the client area's top-left corner is on the screen, also for a window that lives
  // inside another (on the desktop, in a desk band).
  virtual Point ClientOrigin() const = 0;
};

// Handlers of a form. The element is the control under the pointer (or the one that kept the
// mouse since the press), nullptr for the form's background; x and y are pixels relative to it.
class FormEvents {
 public:
  virtual ~FormEvents() = default;
  virtual void OnMouseDown(Control* element, int button, int shift, double x, double y) {}
  virtual void OnMouseMove(Control* element, int buttons, int shift, double x, double y) {}
  virtual void OnMouseUp(Control* element, int button, int shift, double x, double y) {}
  virtual void OnKeyDown(int key, int shift) {}
  virtual void OnKeyUp(int key, int shift) {}
  virtual void OnActivate() {}
  virtual void OnResize() {}
  virtual void OnTimer(Timer& timer) {}
  virtual void OnFilesDropped(Control* element, const std::vector<std::string>& files) {}
  virtual void OnCloseRequested() {}
};

}  // namespace quavero::ui
