// A dialog window as a view-model: its caption, its controls with the system's names (check
// boxes, labels, text fields, buttons) laid out in dialog units, and its handlers. The
// platform shows it modally: it writes what the user typed and ticked back into the controls
// before a button's handler runs, and closes the dialog once a handler asked for it. Escape
// closes it without any handler (nothing is saved); Enter presses the default button.
#pragma once

#include <string>
#include <vector>

namespace quavero::ui {

enum class DialogControlKind { kLabel, kCheckBox, kTextBox, kButton };

struct DialogControl {
  std::string name;
  DialogControlKind kind = DialogControlKind::kLabel;
  std::string caption;  // labels, check boxes and buttons
  int left = 0, top = 0, width = 0, height = 0;  // dialog units
  bool checked = false;       // check boxes
  std::string text;           // text fields
  bool default_button = false;
};

class Dialog {
 public:
  Dialog(std::string caption, int width, int height)
      : caption_(std::move(caption)), width_(width), height_(height) {}
  virtual ~Dialog() = default;

  const std::string& caption() const { return caption_; }
  int width() const { return width_; }
  int height() const { return height_; }
  // Controls in Tab order.
  std::vector<DialogControl>& controls() { return controls_; }
  DialogControl& control(const std::string& name);

  // A button was pressed.
  virtual void OnClick(const std::string& control) {}
  void Close() { closed_ = true; }
  bool closed() const { return closed_; }
  void Reopen() { closed_ = false; }

 protected:
  // The next control in Tab order, at its place in dialog units.
  DialogControl& Add(std::string name, DialogControlKind kind, std::string caption, int left,
                     int top, int width, int height) {
    DialogControl& c = controls_.emplace_back();
    c.name = std::move(name);
    c.kind = kind;
    c.caption = std::move(caption);
    c.left = left;
    c.top = top;
    c.width = width;
    c.height = height;
    return c;
  }

 private:
  std::string caption_;
  int width_, height_;
  std::vector<DialogControl> controls_;
  bool closed_ = false;
};

}  // namespace quavero::ui
