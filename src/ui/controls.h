// The controls of a form: labels, images, lines, picture boxes and timers. Each has a name and an
// index, so element arrays keep index 0 as a template and grow by one. Element geometry is in
// pixels relative to the form's client area.
#pragma once

#include <cstdint>
#include <string>

#include "ui/picture.h"

namespace quavero::ui {

class Form;

// Windows carry positions and sizes in 16 bits in their messages: a window or element lies
// within this many pixels of the origin and is at most this large. Larger values are held at
// the limit, so that no skin can ask for what no platform can draw.
inline constexpr double kMaxPixels = 32767;
// The largest font size in points that Windows offers.
inline constexpr double kMaxFontPoints = 1638;
// A value held within [low, high]; a value that is no number is 0.
double WithinRange(double value, double low, double high);
inline double WithinPixels(double pixels) { return WithinRange(pixels, -kMaxPixels, kMaxPixels); }
inline double WithinFontSizes(double points) {
  return WithinRange(points, -kMaxFontPoints, kMaxFontPoints);
}

enum class ControlKind { kLabel, kImage, kLine, kPictureBox, kTimer };

// Paint layers, bottom to top; hit-testing goes from the top.
enum class Layer { kImages = 10, kProgress = 20, kStars = 30, kLabels = 40, kLines = 50,
                   kOverlay = 60, kHidden = 70 };

struct Font {
  std::string name = "MS Sans Serif";
  double size = 8;  // points
};

enum class Alignment { kLeft, kCenter };

class Control {
 public:
  Control(Form& form, ControlKind kind, std::string name, int index, Layer layer);
  virtual ~Control() = default;
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  Form& form() const { return form_; }
  ControlKind kind() const { return kind_; }
  const std::string& name() const { return name_; }
  int index() const { return index_; }
  Layer layer() const { return layer_; }

  const std::string& tag() const { return tag_; }
  void SetTag(std::string tag) { tag_ = std::move(tag); }

  bool visible() const { return visible_; }
  void SetVisible(bool visible);

  double left() const { return left_; }
  double top() const { return top_; }
  double width() const { return width_; }
  double height() const { return height_; }
  void SetLeft(double v) { Set(left_, WithinPixels(v)); }
  void SetTop(double v) { Set(top_, WithinPixels(v)); }
  void SetWidth(double v) { Set(width_, WithinPixels(v)); }
  void SetHeight(double v) { Set(height_, WithinPixels(v)); }

  // Whether a point in client pixels lies on this control.
  bool Contains(double x, double y) const;

 protected:
  void Changed();
  template <typename T>
  void Set(T& field, T value) {
    if (field == value) return;
    field = std::move(value);
    Changed();
  }

 private:
  Form& form_;
  ControlKind kind_;
  std::string name_;
  int index_;
  Layer layer_;
  std::string tag_;
  bool visible_ = true;
  double left_ = 0, top_ = 0, width_ = 0, height_ = 0;
};

class Label : public Control {
 public:
  Label(Form& form, std::string name, int index, Layer layer)
      : Control(form, ControlKind::kLabel, std::move(name), index, layer) {}

  const std::string& caption() const { return caption_; }
  void SetCaption(std::string caption) { Set(caption_, std::move(caption)); }
  const Font& font() const { return font_; }
  void SetFontName(std::string name) { Set(font_.name, std::move(name)); }
  void SetFontSize(double size) { Set(font_.size, WithinFontSizes(size)); }
  int32_t fore_color() const { return fore_color_; }
  void SetForeColor(int32_t colour) { Set(fore_color_, colour); }
  int32_t back_color() const { return back_color_; }
  void SetBackColor(int32_t colour) { Set(back_color_, colour); }
  bool opaque() const { return opaque_; }
  void SetOpaque(bool opaque) { Set(opaque_, opaque); }
  Alignment alignment() const { return alignment_; }
  void SetAlignment(Alignment a) { Set(alignment_, a); }

 private:
  std::string caption_;
  Font font_;
  int32_t fore_color_ = 0;      // black
  int32_t back_color_ = 0xFFFFFF;
  bool opaque_ = false;         // skin labels are transparent
  Alignment alignment_ = Alignment::kLeft;
};

class Image : public Control {
 public:
  Image(Form& form, std::string name, int index, Layer layer)
      : Control(form, ControlKind::kImage, std::move(name), index, layer) {}

  const Picture& picture() const { return picture_; }
  void SetPicture(Picture p) { Set(picture_, std::move(p)); }
  bool accepts_files() const { return accepts_files_; }
  void SetAcceptsFiles(bool accepts) { Set(accepts_files_, accepts); }

 private:
  Picture picture_;
  bool accepts_files_ = false;
};

// A line from (x1, y1) to (x2, y2), in client pixels.
class Line : public Control {
 public:
  Line(Form& form, std::string name, int index, Layer layer)
      : Control(form, ControlKind::kLine, std::move(name), index, layer) {}

  double x1() const { return x1_; }
  double y1() const { return y1_; }
  double x2() const { return x2_; }
  double y2() const { return y2_; }
  void SetEnds(double x1, double y1, double x2, double y2);
  int32_t color() const { return color_; }
  void SetColor(int32_t colour) { Set(color_, colour); }

 private:
  double x1_ = 0, y1_ = 0, x2_ = 0, y2_ = 0;
  int32_t color_ = 0;
};

// A hidden box that carries a font; the skin window measures label texts with it.
class PictureBox : public Control {
 public:
  PictureBox(Form& form, std::string name, int index, Layer layer)
      : Control(form, ControlKind::kPictureBox, std::move(name), index, layer) {}

  const Font& font() const { return font_; }
  void SetFontName(std::string name) { Set(font_.name, std::move(name)); }
  void SetFontSize(double size) { Set(font_.size, WithinFontSizes(size)); }

 private:
  Font font_;
};

// A timer ticks every interval milliseconds while enabled and the interval is above 0.
// Changing either restarts the countdown.
class Timer : public Control {
 public:
  Timer(Form& form, std::string name, int index)
      : Control(form, ControlKind::kTimer, std::move(name), index, Layer::kHidden) {}

  int32_t interval() const { return interval_; }
  void SetInterval(int32_t ms);
  bool enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  bool running() const { return enabled_ && interval_ > 0; }

 private:
  void Restart();
  int32_t interval_ = 0;
  bool enabled_ = true;
};

}  // namespace quavero::ui
