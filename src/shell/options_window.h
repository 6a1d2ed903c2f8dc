// frmOptions: whether iTunes closes with the program, whether the program starts with iTunes
// (the option file the iTunes plug-in reads), whether the tray icon shows, and the lyrics
// folder. Saving writes the settings and the option file; closing any other way keeps nothing.
#pragma once

#include "app/application.h"
#include "ui/dialog.h"

namespace quavero::shell {

inline constexpr char kCantixPath[] = "CantixPath";  // the lyrics folder
inline constexpr char kCantixPathDefault[] = "APPPATH\\Lyrics\\";

class OptionsWindow : public ui::Dialog {
 public:
  // Loading sets each box from its setting (ticked when the setting is missing).
  explicit OptionsWindow(app::Application& app);

  void OnClick(const std::string& control) override;
  void cmdSave_Click();

 private:
  app::Application& app_;
};

}  // namespace quavero::shell
