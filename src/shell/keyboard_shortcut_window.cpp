#include "shell/keyboard_shortcut_window.h"

#include <algorithm>
#include <set>
#include <utility>

#include "app/application.h"
#include "base/failure.h"
#include "base/lines.h"
#include "base/raised_flag.h"
#include "base/text.h"
#include "skin/skin_window.h"

namespace quavero::shell {
namespace {

using ui::DialogControlKind;

const char* const kKeys[] = {
    "0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "A", "B", "Backspace", "C", "D",
    "DownArrow", "E", "F", "F1", "F10", "F11", "F12", "F2", "F3", "F4", "F5", "F6", "F7", "F8",
    "F9", "G", "H", "I", "J", "K", "L", "LeftArrow", "M", "N", "Numpad0", "Numpad1", "Numpad2",
    "Numpad3", "Numpad4", "Numpad5", "Numpad6", "Numpad7", "Numpad8", "Numpad9", "O", "P",
    "PageDown", "PageUp", "Q", "R", "RightArrow", "S", "T", "Tab", "U", "UpArrow", "V", "W", "X",
    "Y", "Z"};

const char* const kCommands[] = {
    "1star", "2star", "3star", "4star", "5star", "addtoplaylist=", "addtovolume=", "closeskin",
    "ejectipod", "fadeclose", "nexttrack", "pause", "play", "playpause", "playplaylist=",
    "previoustrack", "quit", "reloadtimer=", "repeat=", "setasend", "setasstart", "show",
    "showitunes", "showskin=", "shuffle=", "skip=", "stop", "swapartistandalbum",
    "swapartistandtitle", "updateipod", "volumedown", "volumeup"};

constexpr char kShortcutKeyword[] = "keyboardshortcut";

bool IsShortcutLine(const std::string& line) {
  return app::Application::StartsWithText(line, kShortcutKeyword, app::Compare::kText);
}

std::string StateText(hotkeys::HotkeyState state, const std::string& refusal) {
  switch (state) {
    case hotkeys::HotkeyState::kActive: return "active";
    case hotkeys::HotkeyState::kConflict: return "in conflict";
    case hotkeys::HotkeyState::kRefused: return "refused: " + refusal;
    case hotkeys::HotkeyState::kIdle: break;
  }
  return "not active";
}

}  // namespace

const KeyboardShortcutWindow::Frame KeyboardShortcutWindow::kSkinFrame = {
    "lstSShortcuts", "txtSKeys",  "txtSCode", "chkAltS",    "chkCtrlS",   "chkShiftS", "chkWinS",
    "cmbKeyS",       "cmbRunCodeS", "cmdsAdd", "cmdSDelete", "cmdSendToP", "lstPShortcuts"};
const KeyboardShortcutWindow::Frame KeyboardShortcutWindow::kPersonalFrame = {
    "lstPShortcuts", "txtPKeys",    "txtPCode", "chkAltP",    "chkCtrlP",      "chkShiftP",
    "chkWinP",       "cmbkeyP",     "cmbRunCodeP", "cmdpAdd", "cmdPDelete", "cmdSendToSkin",
    "lstSShortcuts"};

KeyboardShortcutWindow::KeyboardShortcutWindow(app::Application& app)
    : ui::Dialog(kCaption, 420, 268), app_(app) {
  struct Layout {
    const Frame& f;
    const char *frame, *caption, *note_name, *note, *keys_label, *code_label, *send;
    int x;
  };
  const Layout layouts[] = {
      {kSkinFrame, "fraSkin", "Skin Shortcuts", "lblSNote",
       "These shortcuts are defined in the skin and they are skin dependant.", "lblSKeys",
       "lblSCode", "Send To Personal", 7},
      {kPersonalFrame, "fraPersonal", "Personal Shortcuts", "lblPNote",
       "These shortcuts do not depend on which skin you have loaded, so every skin will have "
       "these shortcuts automatically.",
       "lblPKeys", "lblPCode", "Send To Skin", 213},
  };
  for (const auto& l : layouts) {
    int x = l.x + 7;
    Add(l.frame, DialogControlKind::kFrame, l.caption, l.x, 7, 200, 203);
    Add(l.note_name, DialogControlKind::kLabel, l.note, x, 18, 186, 26);
    Add(l.f.list, DialogControlKind::kListBox, "", x, 46, 186, 72);
    Add(l.keys_label, DialogControlKind::kLabel, "Keys:", x, 124, 24, 10);
    Add(l.f.keys, DialogControlKind::kTextBox, "", x + 26, 122, 160, 13);
    Add(l.code_label, DialogControlKind::kLabel, "Code:", x, 140, 24, 10);
    Add(l.f.code, DialogControlKind::kTextBox, "", x + 26, 138, 160, 13);
    Add(l.f.alt, DialogControlKind::kCheckBox, "Alt", x, 156, 30, 10);
    Add(l.f.ctrl, DialogControlKind::kCheckBox, "Ctrl", x + 34, 156, 32, 10);
    Add(l.f.shift, DialogControlKind::kCheckBox, "Shift", x + 70, 156, 34, 10);
    Add(l.f.win, DialogControlKind::kCheckBox, "Win", x + 108, 156, 30, 10);
    Add(l.f.key, DialogControlKind::kComboBox, "", x, 170, 90, 120).editable = true;
    Add(l.f.run_code, DialogControlKind::kComboBox, "", x + 94, 170, 92, 120);
    Add(l.f.add, DialogControlKind::kButton, "Add New", x, 189, 52, 14);
    Add(l.f.remove, DialogControlKind::kButton, "Delete", x + 56, 189, 52, 14);
    Add(l.f.send, DialogControlKind::kButton, l.send, x + 112, 189, 74, 14);
  }
  Add("Label6", DialogControlKind::kLabel,
      "You may configure all the shortcuts for Quavero here. Please remember that shortcuts for "
      "Quavero are global so they will be accessible anywhere. You must make sure shortcuts "
      "always have a key such as Win or Shift, and also make sure that the shortcuts do not "
      "interfere with other programs.",
      7, 215, 406, 26);
  Add("cmdCancel", DialogControlKind::kButton, "Cancel", 7, 246, 60, 15);
  Add("cmdReload", DialogControlKind::kButton, "Reload Shortcuts", 253, 246, 76, 15);
  Add("cmdSave", DialogControlKind::kButton, "Save and Reload", 333, 246, 80, 15);

  // The personal frame's lists are copies of the skin frame's; both key lists start on their
  // first item.
  for (const Frame* f : {&kSkinFrame, &kPersonalFrame}) {
    auto& keys = control(f->key);
    keys.items.assign(std::begin(kKeys), std::end(kKeys));
    keys.list_index = 0;
    keys.text = keys.items[0];
    control(f->run_code).items.assign(std::begin(kCommands), std::end(kCommands));
  }
}

const KeyboardShortcutWindow::Frame* KeyboardShortcutWindow::FrameOf(const std::string& c) {
  for (const Frame* f : {&kSkinFrame, &kPersonalFrame})
    for (const char* name : {f->list, f->keys, f->code, f->alt, f->ctrl, f->shift, f->win,
                             f->key, f->run_code, f->add, f->remove, f->send})
      if (c == name) return f;
  return nullptr;
}

void KeyboardShortcutWindow::LoadAll(const std::string& skin_file) {
  skin_file_ = skin_file;
  AddShortcutsOf(skin_file, kSkinFrame.list);
  AddShortcutsOf(app_.AppFolder() + "\\personal.ini", kPersonalFrame.list);
  ShowStates();
  app_.ShowDialog(shared_from_this());
}

// A personal.ini that is not there yet holds no shortcuts; any other failure to read a file is
// reported, and its list stays as it is.
void KeyboardShortcutWindow::AddShortcutsOf(const std::string& file, const char* list) {
  auto& files = app_.platform().files();
  if (list == kPersonalFrame.list && !files.FileExists(file) && !files.FolderExists(file)) return;
  try {
    for (const auto& line : lines::SplitLines(files.ReadText(file).text)) {
      size_t equals = line.find('=');
      if (IsShortcutLine(line) && equals != std::string::npos)
        control(list).items.push_back(line.substr(equals + 1));
    }
  } catch (const Failure& failure) {
    app_.platform().windows().ShowMessageBox(
        "The shortcuts in " + file + " could not be read: " + failure.description(), kCaption,
        platform::Icon::kExclamation, platform::Buttons::kOk);
  }
}

void KeyboardShortcutWindow::OnClick(const std::string& name) {
  if (name == "cmdCancel") return cmdCancel_Click();
  if (name == "cmdReload") return cmdReload_Click();
  if (name == "cmdSave") return cmdSave_Click();
  const Frame* f = FrameOf(name);
  if (!f) return;
  if (name == f->run_code) RunCode_Click(*f);
  else if (name == f->list) Shortcuts_Click(*f);
  else if (name == f->add) Add_Click(*f);
  else if (name == f->remove) Delete_Click(*f);
  else if (name == f->send) Send_Click(*f);
  else if (name == f->alt || name == f->ctrl || name == f->shift || name == f->win ||
           name == f->key)
    BuildNotation(*f);
}

void KeyboardShortcutWindow::OnChange(const std::string& name) {
  const Frame* f = FrameOf(name);
  if (!f) return;
  if (name == f->keys) Keys_Change(*f);
  else if (name == f->code) Code_Change(*f);
}

// Shift+Control+Alt+Win+ in that order, then the key.
void KeyboardShortcutWindow::BuildNotation(const Frame& f) {
  if (updating_) return;
  std::string notation = control(f.key).text;
  if (control(f.win).checked) notation = "Win+" + notation;
  if (control(f.alt).checked) notation = "Alt+" + notation;
  if (control(f.ctrl).checked) notation = "Control+" + notation;
  if (control(f.shift).checked) notation = "Shift+" + notation;
  SetText(f.keys, notation);
}

void KeyboardShortcutWindow::RunCode_Click(const Frame& f) {
  const auto& commands = control(f.run_code);
  if (commands.list_index >= 0) SetText(f.code, commands.items[static_cast<size_t>(commands.list_index)]);
}

void KeyboardShortcutWindow::Keys_Change(const Frame& f) {
  if (control(f.list).list_index < 0) return;
  {
    RaisedFlag updating(updating_);
    ProcessAllKey(f);
  }
  if (!selecting_) WriteBack(f);
}

void KeyboardShortcutWindow::Code_Change(const Frame& f) {
  if (control(f.list).list_index >= 0 && !selecting_) WriteBack(f);
}

void KeyboardShortcutWindow::WriteBack(const Frame& f) {
  RaisedFlag updating(updating_);
  auto& list = control(f.list);
  list.items[static_cast<size_t>(list.list_index)] = control(f.keys).text + ";" + control(f.code).text;
}

void KeyboardShortcutWindow::ProcessAllKey(const Frame& f) {
  for (const char* box : {f.alt, f.ctrl, f.shift, f.win}) SetChecked(box, false);
  SetListIndex(f.key, 0);
  for (const auto& word : text::Split(control(f.keys).text, '+')) {
    if (text::EqualsNoCase(word, "WIN")) SetChecked(f.win, true);
    else if (text::EqualsNoCase(word, "ALT")) SetChecked(f.alt, true);
    else if (text::EqualsNoCase(word, "CONTROL")) SetChecked(f.ctrl, true);
    else if (text::EqualsNoCase(word, "SHIFT")) SetChecked(f.shift, true);
    else SetKeyText(f.key, word);
  }
}

void KeyboardShortcutWindow::Shortcuts_Click(const Frame& f) {
  if (updating_) return;
  const auto& list = control(f.list);
  if (list.list_index < 0) return;
  RaisedFlag selecting(selecting_);
  auto parts = text::Split(list.items[static_cast<size_t>(list.list_index)], ';');
  SetText(f.keys, "");
  SetText(f.code, "");
  if (!parts.empty()) SetText(f.keys, parts[0]);
  if (parts.size() > 1) SetText(f.code, parts[1]);
}

void KeyboardShortcutWindow::Add_Click(const Frame& f) {
  auto& list = control(f.list);
  const std::string& keys = control(f.keys).text;
  if (list.list_index >= 0) {
    list.items.push_back(list.items[static_cast<size_t>(list.list_index)]);
  } else if (!keys.empty() && keys != "0") {
    if (control(f.code).text.empty()) SetText(f.code, "PlayPause");
    list.items.push_back(keys + ";" + control(f.code).text);
  } else {
    list.items.push_back("WIN+P;PlayPause");
  }
  SetListIndex(f.list, static_cast<int>(list.items.size()) - 1);
}

void KeyboardShortcutWindow::Delete_Click(const Frame& f) {
  RemoveItem(f.list, control(f.list).list_index);
}

void KeyboardShortcutWindow::Send_Click(const Frame& f) {
  const auto& list = control(f.list);
  if (list.list_index < 0) return;
  control(f.other_list).items.push_back(list.items[static_cast<size_t>(list.list_index)]);
  Delete_Click(f);
}

void KeyboardShortcutWindow::cmdReload_Click() {
  ClearItems(kSkinFrame.list);
  ClearItems(kPersonalFrame.list);
  LoadAll(skin_file_);
}

void KeyboardShortcutWindow::cmdSave_Click() {
  if (!SaveAll()) return;
  app_.ReloadEditedSkin(text::FolderOf(skin_file_));
  Close();
}

bool KeyboardShortcutWindow::SaveAll() {
  std::string file;
  try {
    file = skin_file_;
    SaveShortcuts(file, kSkinFrame.list);
    file = app_.AppFolder() + "\\personal.ini";
    SaveShortcuts(file, kPersonalFrame.list);
  } catch (const Failure& failure) {
    app_.platform().windows().ShowMessageBox(
        "The shortcuts could not be saved in " + file + ": " + failure.description() +
            "\r\nYour changes are still in this window.",
        kCaption, platform::Icon::kExclamation, platform::Buttons::kOk);
    return false;
  }
  return true;
}

// Every other line keeps its place; the shortcuts follow under the marker line. The file is
// replaced whole in one step and keeps the encoding it was read in.
void KeyboardShortcutWindow::SaveShortcuts(const std::string& file, const char* list) {
  auto& files = app_.platform().files();
  platform::TextFile old;
  if (files.FileExists(file) || files.FolderExists(file)) old = files.ReadText(file);
  std::string kept;
  bool first = true;
  for (const auto& line : lines::SplitLines(old.text)) {
    if (IsShortcutLine(line) && line.find('=') != std::string::npos) continue;
    if (line == kShortcutMarker) continue;
    kept += (first ? "" : "\r\n") + line;
    first = false;
  }
  std::string block = kShortcutMarker;
  for (const auto& entry : control(list).items) block += "\r\nkeyboardshortcut=" + entry;
  files.WriteText(file, {kept + "\r\n" + block + "\r\n", old.encoding});
}

// Each entry is matched with a shortcut the open skin windows loaded from the same text, the
// caller's skin first; an entry edited or added since shows as not loaded until the reload.
void KeyboardShortcutWindow::ShowStates() {
  std::set<std::pair<const skin::SkinWindow*, size_t>> claimed;
  auto windows = app_.SkinWindows();
  for (const Frame* f : {&kSkinFrame, &kPersonalFrame}) {
    auto& list = control(f->list);
    list.notes.clear();
    for (const auto& entry : list.items) {
      auto parts = text::Split(entry, ';');
      parts.resize(std::max<size_t>(parts.size(), 2));
      std::string note = "not loaded";
      for (const auto& w : windows) {
        for (size_t i = 0; i + 1 < w->KeyShortcuts.size() && note == "not loaded"; ++i) {
          const auto& s = w->KeyShortcuts[i];
          if (s.keys != parts[0] || s.code != parts[1]) continue;
          if (!claimed.insert({w.get(), i}).second) continue;
          note = StateText(w->ShortcutState(static_cast<int>(i)), w->ShortcutRefusal(static_cast<int>(i)));
        }
      }
      list.notes.push_back(note);
    }
  }
}

}  // namespace quavero::shell
