// frmMenus: the hidden window that owns the tray icon and the program's one pop-up menu. The
// menu opens on a skin window's right button with that window as caller, and on the tray
// icon's with the skin window the user activated last; its commands switch, reload, close and
// move skins, open the options window and the help documents, and quit.
#pragma once

#include <memory>
#include <string>

#include "app/application.h"
#include "ui/menu.h"

namespace quavero::shell {

class MenusWindow : public app::TrayWindow, public std::enable_shared_from_this<MenusWindow> {
 public:
  explicit MenusWindow(app::Application& app);
  // Loading the window: the skin list and the tray icon; in desk band mode nothing at all.
  void Form_Load();

  void ShowMenu(const std::string& text, std::shared_ptr<skin::SkinWindow> caller) override;
  void SkinWindowsChanged() override;
  void Unload() override;
  bool unloaded() const override { return unloaded_; }

  static std::string GetFile(const std::string& path);
  void LoadSysTray();
  // A mouse message on the tray icon.
  void PicSysTray_MouseMove(int message);

  // The menu as it would pop up now.
  const ui::MenuEntry& mnuRightClick() const { return menu_; }
  std::shared_ptr<skin::SkinWindow> caller() const { return caller_.lock(); }

  // Handlers.
  void mnuDocHelp_Click();
  void mnuDocChanges_Click();
  void mnuSKinCreate_Click();
  void mnuReload_Click();
  void mnuSKin_Click(int Index);
  void mnuRefreshList_Click();
  void mnuMoveSkin_Click();
  void mnuKeyboard_Click();
  void mnuEditSkin_Click();
  void mnuOptions_Click();
  void mnuCloseSkin_Click();
  void mnuQuit_Click();

 private:
  void LoadSkinList();
  void Choose(const ui::MenuChoice& choice);
  // The commands that act on a skin window are greyed while there is none to act on.
  void GreyCallerCommands(bool has_caller);
  ui::MenuEntry& Entry(const std::string& name);

  app::Application& app_;
  ui::MenuEntry menu_;
  std::weak_ptr<skin::SkinWindow> caller_;
  bool tray_loaded_ = false;
  bool unloaded_ = false;
};

// The factory start-up uses to load the tray and menu window.
std::shared_ptr<app::TrayWindow> LoadMenusWindow(app::Application& app);

}  // namespace quavero::shell
