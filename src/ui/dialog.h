// A dialog window as a view-model: its caption, its controls with the system's names (labels,
// frames, check boxes, text fields, lists, key lists, buttons) laid out in dialog units, and
// its handlers. Events are raised as the system raises them: a click for a button, a check
// box, or a pick in a list; a change for a text field, whether the user typed it or a handler
// set it; a scroll when a list's top row moves. The platform shows a dialog modally (until it
// is closed) or beside the other windows (until it closes itself or the user closes it), and
// after every event shows the controls as the handlers left them. The close box closes a
// dialog without any handler (nothing is saved), so does Escape in a modal one; beside the
// windows, Escape presses a "cmdCancel" button if there is one. Enter presses the default
// button.
#pragma once

#include <string>
#include <vector>

namespace quavero::ui {

enum class DialogControlKind { kLabel, kFrame, kCheckBox, kTextBox, kListBox, kComboBox, kButton };

struct DialogControl {
  std::string name;
  DialogControlKind kind = DialogControlKind::kLabel;
  std::string caption;  // labels, frames, check boxes and buttons
  int left = 0, top = 0, width = 0, height = 0;  // dialog units
  bool checked = false;       // check boxes
  std::string text;           // text fields; what a key list shows
  bool default_button = false;
  std::vector<std::string> items;  // lists and key lists
  std::vector<std::string> notes;  // lists: a remark shown beside item i, when there is one
  int list_index = -1;             // the selected item, -1 for none
  int top_index = 0;               // lists: the first row in view
  bool editable = false;           // key lists: the user may type a key the list lacks
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

  // A button, a check box, a list or a key list was clicked.
  virtual void OnClick(const std::string& control) {}
  // A text field's text changed.
  virtual void OnChange(const std::string& control) {}
  // A list's top row moved.
  virtual void OnScroll(const std::string& control) {}
  // Whatever the user did has been handled, with every event it raised.
  virtual void AfterUserAction() {}
  void Close() { closed_ = true; }
  bool closed() const { return closed_; }
  void Reopen() { closed_ = false; }

  // What the user does; the platform and tests call these. Each changes the control as the
  // user did, raises the control's event, then lets the dialog follow up once.
  void UserClicks(const std::string& button);
  void UserTicks(const std::string& check_box);  // toggles it
  void UserTypes(const std::string& text_box, const std::string& text);
  // Picks item i of a list or a key list (its text shows in the key list).
  void UserPicks(const std::string& list, int index);
  void UserScrolls(const std::string& list, int top_index);
  // Types into a key list's own field: its text changes, nothing is raised.
  void UserEditsKey(const std::string& key_list, const std::string& text);

 protected:
  // The next control in Tab order, at its place in dialog units.
  DialogControl& Add(std::string name, DialogControlKind kind, std::string caption, int left,
                     int top, int width, int height);

  // What handlers do, with the events the system raises for it: setting a different text
  // raises the field's change; ticking or clearing a check box, or selecting another item,
  // raises its click.
  void SetText(const std::string& text_box, const std::string& text);
  void SetChecked(const std::string& check_box, bool checked);
  void SetListIndex(const std::string& list, int index);
  // A key list shows the item that is the text without regard to case, else the text itself.
  void SetKeyText(const std::string& key_list, const std::string& text);
  void SetTopIndex(const std::string& list, int top_index);
  void RemoveItem(const std::string& list, int index);  // the selection goes with it
  void ClearItems(const std::string& list);

 private:
  std::string caption_;
  int width_, height_;
  std::vector<DialogControl> controls_;
  bool closed_ = false;
};

}  // namespace quavero::ui
