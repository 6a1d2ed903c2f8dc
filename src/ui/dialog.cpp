#include "ui/dialog.h"

#include <algorithm>
#include <stdexcept>

#include "base/text.h"

namespace quavero::ui {
namespace {

int Clamped(const DialogControl& list, int index) {
  int count = static_cast<int>(list.items.size());
  return index < 0 || index >= count ? -1 : index;
}

}  // namespace

DialogControl& Dialog::control(const std::string& name) {
  for (auto& c : controls_)
    if (c.name == name) return c;
  throw std::logic_error("no control " + name + " in " + caption_);
}

DialogControl& Dialog::Add(std::string name, DialogControlKind kind, std::string caption,
                           int left, int top, int width, int height) {
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

void Dialog::UserClicks(const std::string& button) {
  OnClick(button);
  AfterUserAction();
}

void Dialog::UserTicks(const std::string& check_box) {
  DialogControl& c = control(check_box);
  c.checked = !c.checked;
  OnClick(check_box);
  AfterUserAction();
}

void Dialog::UserTypes(const std::string& text_box, const std::string& text) {
  control(text_box).text = text;
  OnChange(text_box);
  AfterUserAction();
}

void Dialog::UserPicks(const std::string& list, int index) {
  DialogControl& c = control(list);
  c.list_index = Clamped(c, index);
  if (c.kind == DialogControlKind::kComboBox && c.list_index >= 0)
    c.text = c.items[static_cast<size_t>(c.list_index)];
  OnClick(list);
  AfterUserAction();
}

void Dialog::UserScrolls(const std::string& list, int top_index) {
  DialogControl& c = control(list);
  if (c.top_index == top_index) return;
  c.top_index = top_index;
  OnScroll(list);
  AfterUserAction();
}

void Dialog::UserEditsKey(const std::string& key_list, const std::string& text) {
  DialogControl& c = control(key_list);
  c.text = text;
  c.list_index = -1;
  for (size_t i = 0; i < c.items.size(); ++i)
    if (c.items[i] == text) c.list_index = static_cast<int>(i);
}

void Dialog::SetText(const std::string& text_box, const std::string& text) {
  DialogControl& c = control(text_box);
  if (c.text == text) return;
  c.text = text;
  OnChange(text_box);
}

void Dialog::SetChecked(const std::string& check_box, bool checked) {
  DialogControl& c = control(check_box);
  if (c.checked == checked) return;
  c.checked = checked;
  OnClick(check_box);
}

void Dialog::SetListIndex(const std::string& list, int index) {
  DialogControl& c = control(list);
  index = Clamped(c, index);
  if (c.list_index == index) return;
  c.list_index = index;
  if (c.kind == DialogControlKind::kComboBox && index >= 0)
    c.text = c.items[static_cast<size_t>(index)];
  OnClick(list);
}

void Dialog::SetKeyText(const std::string& key_list, const std::string& text) {
  DialogControl& c = control(key_list);
  auto it = std::find_if(c.items.begin(), c.items.end(),
                         [&](const std::string& item) { return text::EqualsNoCase(item, text); });
  c.list_index = it == c.items.end() ? -1 : static_cast<int>(it - c.items.begin());
  c.text = it == c.items.end() ? text : *it;
}

void Dialog::SetTopIndex(const std::string& list, int top_index) {
  control(list).top_index = std::max(0, top_index);
}

void Dialog::RemoveItem(const std::string& list, int index) {
  DialogControl& c = control(list);
  if (Clamped(c, index) < 0) return;
  c.items.erase(c.items.begin() + index);
  if (index < static_cast<int>(c.notes.size())) c.notes.erase(c.notes.begin() + index);
  c.list_index = -1;
  c.top_index = std::min(c.top_index, std::max(0, static_cast<int>(c.items.size()) - 1));
}

void Dialog::ClearItems(const std::string& list) {
  DialogControl& c = control(list);
  c.items.clear();
  c.notes.clear();
  c.list_index = -1;
  c.top_index = 0;
}

}  // namespace quavero::ui
