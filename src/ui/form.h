// A form: a window of the system as the engine sees it. Geometry is in twips, 15 to the pixel;
// the controls' geometry is in pixels. The platform realises the form as a real window (a
// FormPeer) and reads the model back when it paints and hit-tests.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/failure.h"
#include "ui/controls.h"
#include "ui/form_peer.h"
#include "ui/picture.h"

namespace quavero::ui {

inline constexpr int kTwipsPerPixel = 15;
inline constexpr int32_t kMagenta = 0xFF00FF;

class Form {
 public:
  explicit Form(std::string name);
  ~Form();
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;

  const std::string& name() const { return name_; }
  const std::string& tag() const { return tag_; }
  void SetTag(std::string tag) { tag_ = std::move(tag); }
  const std::string& caption() const { return caption_; }
  void SetCaption(std::string caption) { caption_ = std::move(caption); }

  double left() const { return left_; }
  double top() const { return top_; }
  double width() const { return width_; }
  double height() const { return height_; }
  void SetLeft(double twips);
  void SetTop(double twips);
  void SetWidth(double twips);
  void SetHeight(double twips);
  // Pixel size of the client area (the whole window: skin windows have no border).
  int PixelWidth() const;
  int PixelHeight() const;

  int32_t back_color() const { return back_color_; }
  void SetBackColor(int32_t colour);
  const Picture& picture() const { return picture_; }
  void SetPicture(Picture picture);

  bool visible() const { return visible_; }
  void Show(bool activate = false);
  void Hide();
  void BringToTop();
  // The client area's top-left corner in screen pixels.
  Point ScreenOrigin() const;

  // Opacity with the layered style; nullopt while the window has no layered style.
  std::optional<int> alpha() const { return alpha_; }
  bool SetLayeredAlpha(int alpha);
  const std::optional<Region>& region() const { return region_; }
  void SetRegion(Region region);
  bool topmost() const { return topmost_; }
  void SetTopmost(bool topmost);
  bool on_desktop() const { return on_desktop_; }
  void AttachToDesktop();
  WindowHandle parent() const { return parent_; }
  void SetParentWindow(WindowHandle parent);
  void StartSystemDrag();
  bool IsMinimized() const;

  // Controls, in creation order.
  template <typename T, typename... Args>
  T& Add(Args&&... args) {
    auto control = std::make_unique<T>(*this, std::forward<Args>(args)...);
    T& ref = *control;
    controls_.push_back(std::move(control));
    paint_order_.reset();
    return ref;
  }
  const std::vector<std::unique_ptr<Control>>& controls() const { return controls_; }
  // Destroys a control of this form; a timer stops first.
  void Remove(Control& control);
  // Visible controls that are drawn, bottom to top; kept until a control is added, removed,
  // shown or hidden (a paint and every pointer move ask for it).
  const std::vector<const Control*>& PaintOrder() const;
  // The topmost visible label or image at a point in client pixels, nullptr for the background.
  Control* HitTest(double x, double y) const;

  // The platform's window; null until realised and after the form was closed. The window is
  // made when the form first needs one (shown, made translucent, shaped, placed in another
  // window): until then every change, however many, stays in the model.
  void SetRealiser(std::function<void(Form&)> realiser) { realiser_ = std::move(realiser); }
  void Attach(std::unique_ptr<FormPeer> peer);
  FormPeer* peer() const { return peer_.get(); }
  // The window's handle, making the window now when the form has none yet (0 once closed).
  WindowHandle RealisedHandle() {
    Window();
    return handle();
  }
  // Whether a left or top edge was given; a window made without one is placed by the system.
  bool left_given() const { return left_given_; }
  bool top_given() const { return top_given_; }
  WindowHandle handle() const { return peer_ ? peer_->handle() : 0; }
  void Close();  // destroys the platform's window; the model stays readable
  bool closed() const { return closed_; }

  FormEvents* events() const { return events_; }
  void SetEvents(FormEvents* events) { events_ = events; }

  // Called by controls.
  void ControlChanged(const Control& control);
  void VisibilityChanged() { paint_order_.reset(); }
  void TimerChanged(Timer& timer);

 private:
  void BoundsChanged(bool resized);
  FormPeer* Window();

  std::string name_;
  std::string tag_;
  std::string caption_;
  double left_ = 0, top_ = 0;
  double width_ = 258 * kTwipsPerPixel, height_ = 21 * kTwipsPerPixel;
  int32_t back_color_ = kMagenta;
  Picture picture_;
  bool visible_ = false;
  std::optional<int> alpha_;
  std::optional<Region> region_;
  bool topmost_ = false;
  bool on_desktop_ = false;
  WindowHandle parent_ = 0;
  std::vector<std::unique_ptr<Control>> controls_;
  mutable std::optional<std::vector<const Control*>> paint_order_;
  std::unique_ptr<FormPeer> peer_;
  std::function<void(Form&)> realiser_;
  bool left_given_ = false;
  bool top_given_ = false;
  FormEvents* events_ = nullptr;
  bool closed_ = false;
};

// An indexed element array of one form: index 0 is the template, Load adds the next index.
template <typename T>
class ControlArray {
 public:
  ControlArray(Form& form, std::string name, Layer layer) : form_(form), name_(std::move(name)),
                                                           layer_(layer) {}

  T& Load(int index) {
    T& control = Make(index);
    elements_[index] = &control;
    return control;
  }
  bool Exists(int index) const { return elements_.count(index) != 0; }
  // Removes the element of that index from the form, as if it had never been loaded.
  void Unload(int index) {
    auto it = elements_.find(index);
    if (it == elements_.end()) throw NoSuchElement(index);
    T* control = it->second;
    elements_.erase(it);
    form_.Remove(*control);
  }
  T& operator()(int index) const {
    auto it = elements_.find(index);
    if (it == elements_.end()) throw NoSuchElement(index);
    return *it->second;
  }
  int UBound() const { return elements_.empty() ? -1 : elements_.rbegin()->first; }
  int Next() const { return UBound() + 1; }
  const std::map<int, T*>& elements() const { return elements_; }
  const std::string& name() const { return name_; }

 private:
  T& Make(int index) {
    if constexpr (std::is_same_v<T, Timer>) return form_.Add<T>(name_, index);
    else return form_.Add<T>(name_, index, layer_);
  }
  Form& form_;
  std::string name_;
  Layer layer_;
  std::map<int, T*> elements_;
};

}  // namespace quavero::ui
