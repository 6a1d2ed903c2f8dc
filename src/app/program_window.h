// Any window of the program that "close every window" closes: skin windows, the tray window,
// dialogs.
#pragma once

#include <memory>
#include <string>

namespace quavero::skin {
class SkinWindow;
}

namespace quavero::app {

class ProgramWindow {
 public:
  virtual ~ProgramWindow() = default;
  virtual void Unload() = 0;
  virtual bool unloaded() const = 0;
};

// The hidden tray-and-menu window: the program's one pop-up menu, on behalf of a skin window.
class TrayWindow : public ProgramWindow {
 public:
  virtual void ShowMenu(const std::string& text, std::shared_ptr<skin::SkinWindow> caller) = 0;
  // Skin windows opened or closed (the tray icon may show or hide with them).
  virtual void SkinWindowsChanged() {}
};

}  // namespace quavero::app
