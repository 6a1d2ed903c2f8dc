// frmKeyboardShortcut: the shortcuts of a skin (its skin.ini) and the user's own (personal.ini,
// which every skin loads) side by side, each list with fields for the combination and the
// code, modifier boxes and a key list that build the combination, a list of ready-made
// commands, and buttons to add, delete and send entries to the other list. Beside each entry
// it shows what became of that shortcut: active, in conflict, refused by the system, or not
// loaded yet. "Save and Reload" rewrites both files and reloads the skin.
#pragma once

#include <memory>
#include <string>

#include "app/application.h"
#include "platform/platform.h"
#include "ui/dialog.h"

namespace quavero::shell {

inline constexpr char kShortcutMarker[] = "'Keyboard Shortcuts below added by Keyboard Manager";

class KeyboardShortcutWindow : public ui::Dialog,
                               public std::enable_shared_from_this<KeyboardShortcutWindow> {
 public:
  static constexpr char kCaption[] = "Manage Keyboard Shortcuts";
  // The controls of one frame, by role.
  struct Frame {
    const char* list;
    const char* keys;
    const char* code;
    const char* alt;
    const char* ctrl;
    const char* shift;
    const char* win;
    const char* key;
    const char* run_code;
    const char* add;
    const char* remove;
    const char* send;
    const char* other_list;
  };
  static const Frame kSkinFrame, kPersonalFrame;

  explicit KeyboardShortcutWindow(app::Application& app);

  // Fills both lists from the skin file and personal.ini and shows the window.
  void LoadAll(const std::string& skin_file);
  // Rewrites the skin file, then personal.ini; false (the user told why) when one could not be.
  bool SaveAll();
  void ProcessSAllKey() { ProcessAllKey(kSkinFrame); }
  void ProcesspAllKey() { ProcessAllKey(kPersonalFrame); }

  void OnClick(const std::string& control) override;
  void OnChange(const std::string& control) override;
  // The remarks beside the entries follow every edit.
  void AfterUserAction() override { ShowStates(); }

  void cmdCancel_Click() { Close(); }
  void cmdReload_Click();
  void cmdSave_Click();

  // The frame a control belongs to, or none.
  static const Frame* FrameOf(const std::string& control);

 private:
  void BuildNotation(const Frame& f);
  void RunCode_Click(const Frame& f);
  void Keys_Change(const Frame& f);
  void Code_Change(const Frame& f);
  void Shortcuts_Click(const Frame& f);
  void Add_Click(const Frame& f);
  void Delete_Click(const Frame& f);
  void Send_Click(const Frame& f);
  void ProcessAllKey(const Frame& f);
  void WriteBack(const Frame& f);
  void AddShortcutsOf(const std::string& file, const char* list);
  void SaveShortcuts(const std::string& file, const char* list);
  // The remark beside each entry: what the open skin windows made of it.
  void ShowStates();

  app::Application& app_;
  std::string skin_file_;
  bool selecting_ = false;
  bool updating_ = false;
};

}  // namespace quavero::shell
