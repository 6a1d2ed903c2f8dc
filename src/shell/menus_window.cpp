#include "shell/menus_window.h"

#include <algorithm>

#include "app/settings.h"
#include "shell/keyboard_shortcut_window.h"
#include "shell/options_window.h"
#include "shell/skin_editor_window.h"
#include "skin/skin_window.h"

namespace quavero::shell {
namespace {

constexpr int kTrayDoubleClick = 515;  // left button double-click
constexpr int kTrayRightUp = 517;      // right button up

ui::MenuEntry Item(std::string name, std::string caption) {
  return ui::MenuEntry{std::move(name), -1, std::move(caption), true, {}};
}

// The menu tree, names and captions as the program has always had them.
ui::MenuEntry MenuTree() {
  ui::MenuEntry help = Item("mnuHelp", "Help Documents");
  help.entries = {Item("mnuDocHelp", "Quavero Help"), Item("mnuDocChanges", "Quavero Changes"),
                  Item("mnuSKinCreate", "Skin Creation Guide")};
  ui::MenuEntry load = Item("mnuLoadSkin", "Load Skin");
  load.entries = {ui::MenuEntry{"mnuSKin", 0, "Default", true, {}},
                  Item("mnuRefreshList", "Refresh Skin List")};
  ui::MenuEntry root = Item("mnuRightClick", "Right Menu");
  root.entries = {help,
                  Item("mnuReload", "Reload"),
                  load,
                  Item("mnuMoveSkin", "Move Skin"),
                  Item("mnuKeyboard", "Manage Keyboard Shortcuts"),
                  Item("mnuEditSkin", "Skin Configuration"),
                  Item("mnuOptions", "Options"),
                  Item("mnuCloseSkin", "Close Skin"),
                  Item("mnuQuit", "Quit")};
  return root;
}

}  // namespace

MenusWindow::MenusWindow(app::Application& app) : app_(app), menu_(MenuTree()) {}

void MenusWindow::Form_Load() {
  if (app_.DeskbandMode()) return;
  LoadSkinList();
  LoadSysTray();
}

std::shared_ptr<app::TrayWindow> LoadMenusWindow(app::Application& app) {
  auto window = std::make_shared<MenusWindow>(app);
  window->Form_Load();
  return window;
}

std::string MenusWindow::GetFile(const std::string& path) {
  size_t slash = path.rfind('\\');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

ui::MenuEntry& MenusWindow::Entry(const std::string& name) {
  auto it = std::find_if(menu_.entries.begin(), menu_.entries.end(),
                         [&](const ui::MenuEntry& e) { return e.name == name; });
  return *it;
}

// Entry 0 of the skin list is captioned with the first folder, one entry for each further
// folder, then "Refresh Skin List".
void MenusWindow::LoadSkinList() {
  std::string skins = app_.AppFolder() + "\\Skins\\";
  auto folders = app_.platform().files().FoldersIn(skins);
  auto& list = Entry("mnuLoadSkin").entries;
  ui::MenuEntry refresh = list.back();
  list.resize(1);
  if (!folders.empty()) list[0].caption = GetFile(skins + folders[0]);
  for (size_t i = 1; i < folders.size(); ++i)
    list.push_back(ui::MenuEntry{"mnuSKin", static_cast<int>(i), GetFile(skins + folders[i]), true, {}});
  list.push_back(refresh);
}

// The icon shows unless the user turned it off while a skin window is open: with no skin
// window it shows anyway, so that the program can always be reached.
void MenusWindow::LoadSysTray() {
  if (app_.DeskbandMode() || unloaded_) return;
  bool wanted = app_.GetSetting(app::settings::kQuaveroTrayIcon, "1") != "0" ||
                app_.CountSkinWindows() == 0;
  auto& shell = app_.platform().shell();
  if (!wanted) {
    if (tray_loaded_) shell.RemoveTrayIcon();
    tray_loaded_ = false;
    return;
  }
  std::weak_ptr<MenusWindow> self = weak_from_this();
  shell.AddTrayIcon("Quavero", [self](int message) {
    if (auto window = self.lock()) window->PicSysTray_MouseMove(message);
  });
  tray_loaded_ = true;
}

void MenusWindow::SkinWindowsChanged() { LoadSysTray(); }

void MenusWindow::PicSysTray_MouseMove(int message) {
  if (message == kTrayDoubleClick) {
    app_.platform().windows().ShowMessageBox("show quavero prefs?", "Quavero",
                                             platform::Icon::kNone, platform::Buttons::kOk);
  } else if (message == kTrayRightUp) {
    ShowMenu("", app_.LastActiveSkinWindow());
  }
}

void MenusWindow::GreyCallerCommands(bool has_caller) {
  for (const char* name : {"mnuMoveSkin", "mnuKeyboard", "mnuEditSkin", "mnuCloseSkin"})
    Entry(name).enabled = has_caller;
}

void MenusWindow::ShowMenu(const std::string& /*text*/, std::shared_ptr<skin::SkinWindow> caller) {
  if (unloaded_) return;
  auto keep_alive = shared_from_this();
  caller_ = caller;
  GreyCallerCommands(caller != nullptr);
  if (auto choice = app_.platform().windows().PopUpMenu(menu_)) Choose(*choice);
}

void MenusWindow::Choose(const ui::MenuChoice& c) {
  struct Handler {
    const char* entry;
    void (MenusWindow::*click)();
  };
  static constexpr Handler kHandlers[] = {
      {"mnuDocHelp", &MenusWindow::mnuDocHelp_Click},
      {"mnuDocChanges", &MenusWindow::mnuDocChanges_Click},
      {"mnuSKinCreate", &MenusWindow::mnuSKinCreate_Click},
      {"mnuReload", &MenusWindow::mnuReload_Click},
      {"mnuRefreshList", &MenusWindow::mnuRefreshList_Click},
      {"mnuMoveSkin", &MenusWindow::mnuMoveSkin_Click},
      {"mnuKeyboard", &MenusWindow::mnuKeyboard_Click},
      {"mnuEditSkin", &MenusWindow::mnuEditSkin_Click},
      {"mnuOptions", &MenusWindow::mnuOptions_Click},
      {"mnuCloseSkin", &MenusWindow::mnuCloseSkin_Click},
      {"mnuQuit", &MenusWindow::mnuQuit_Click},
  };
  if (c.name == "mnuSKin") return mnuSKin_Click(c.index);
  for (const auto& handler : kHandlers)
    if (c.name == handler.entry) return (this->*handler.click)();
}

void MenusWindow::mnuDocHelp_Click() { app_.ShellOpen(app_.AppFolder() + "\\Quavero Help.doc", ""); }

void MenusWindow::mnuDocChanges_Click() {
  app_.ShellOpen(app_.AppFolder() + "\\Quavero Changes.doc", "");
}

void MenusWindow::mnuSKinCreate_Click() {
  app_.ShellOpen(app_.AppFolder() + "\\Quavero Creation.doc", "");
}

void MenusWindow::mnuReload_Click() {
  app_.SwitchSkin(app_.GetSetting(app::settings::kCurrentSkin, app::settings::kCurrentSkinDefault));
}

void MenusWindow::mnuSKin_Click(int Index) {
  for (const auto& entry : Entry("mnuLoadSkin").entries)
    if (entry.name == "mnuSKin" && entry.index == Index) return app_.SwitchSkin(entry.caption);
}

void MenusWindow::mnuRefreshList_Click() {
  LoadSkinList();
  LoadSysTray();
}

void MenusWindow::mnuMoveSkin_Click() {
  if (auto caller = caller_.lock(); caller && !caller->unloaded()) caller->StartMoveWindow();
}

// The shortcut manager and the skin editor exist once: choosing one while it is open brings it
// forward with its lists as they are, whatever skin it was opened for.
void MenusWindow::mnuKeyboard_Click() {
  auto caller = caller_.lock();
  if (!caller || caller->unloaded()) return;
  if (auto open = app_.OpenDialog(KeyboardShortcutWindow::kCaption)) return app_.ShowDialog(open);
  std::make_shared<KeyboardShortcutWindow>(app_)->LoadAll(caller->CurPath + "skin.ini");
}

void MenusWindow::mnuEditSkin_Click() {
  auto caller = caller_.lock();
  if (!caller || caller->unloaded()) return;
  if (auto open = app_.OpenDialog(SkinEditorWindow::kCaption)) return app_.ShowDialog(open);
  std::make_shared<SkinEditorWindow>(app_)->LoadSkin(caller->CurPath + "skin.ini");
}

void MenusWindow::mnuOptions_Click() {
  OptionsWindow options(app_);
  app_.platform().windows().ShowModal(options);
  LoadSysTray();  // the icon follows the option
}

void MenusWindow::mnuCloseSkin_Click() {
  if (auto caller = caller_.lock()) caller->Unload();
}

void MenusWindow::mnuQuit_Click() { app_.CloseAllWindows(); }

void MenusWindow::Unload() {
  if (unloaded_) return;
  unloaded_ = true;
  if (tray_loaded_) app_.platform().shell().RemoveTrayIcon();
  tray_loaded_ = false;
}

}  // namespace quavero::shell
