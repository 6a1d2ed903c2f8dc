#include "shell/options_window.h"

#include "app/settings.h"
#include "base/failure.h"

namespace quavero::shell {
namespace {

using ui::DialogControlKind;

constexpr char kOptionFile[] = "\\openwithitunes.opt";

std::string State(bool checked) { return checked ? "1" : "0"; }

}  // namespace

OptionsWindow::OptionsWindow(app::Application& app) : ui::Dialog("Options", 186, 124), app_(app) {
  auto ticked = [&](const char* key) { return app_.GetSetting(key, "1") == "1"; };
  Add("chkCloseiTunes", DialogControlKind::kCheckBox, "Close iTunes On Exit", 10, 8, 166, 12)
      .checked = ticked(app::settings::kCloseiTunesOnExit);
  Add("chkOpenWithItunes", DialogControlKind::kCheckBox, "Open Quavero with iTunes", 10, 22, 166,
      12)
      .checked = ticked(app::settings::kOpenQuaveroWithiTunes);
  Add("Label1", DialogControlKind::kLabel,
      "For this feature, Quavero must be in the directory: Program Files\\Quavero\\", 22, 36, 154,
      18);
  Add("chkQuaveroIcon", DialogControlKind::kCheckBox, "Quavero Tray Icon", 10, 58, 166, 12)
      .checked = ticked(app::settings::kQuaveroTrayIcon);
  Add("Label2", DialogControlKind::kLabel, "Lyrics Path:", 10, 78, 44, 10);
  Add("txtLyrics", DialogControlKind::kTextBox, "", 56, 76, 120, 13).text =
      app_.GetSetting(kCantixPath, kCantixPathDefault);
  Add("cmdSave", DialogControlKind::kButton, "Save Settings", 106, 100, 70, 15).default_button =
      true;
}

void OptionsWindow::OnClick(const std::string& control) {
  if (control == "cmdSave") cmdSave_Click();
}

// The option file is written first: when it cannot be, the user hears why, nothing is saved
// and the window stays open with the choices made.
void OptionsWindow::cmdSave_Click() {
  bool open_with_itunes = control("chkOpenWithItunes").checked;
  try {
    app_.platform().files().WriteText(app_.AppFolder() + kOptionFile,
                                      {State(open_with_itunes) + "\r\n"});
  } catch (const Failure& failure) {
    app_.platform().windows().ShowMessageBox(
        "The option file " + app_.AppFolder() + kOptionFile + " could not be written: " +
            failure.description(),
        "Options", platform::Icon::kExclamation, platform::Buttons::kOk);
    return;
  }
  app_.SaveSetting(app::settings::kCloseiTunesOnExit, State(control("chkCloseiTunes").checked));
  app_.SaveSetting(app::settings::kOpenQuaveroWithiTunes, State(open_with_itunes));
  app_.SaveSetting(app::settings::kQuaveroTrayIcon, State(control("chkQuaveroIcon").checked));
  app_.SaveSetting(kCantixPath, control("txtLyrics").text);
  Close();
}

}  // namespace quavero::shell
