// The shell's windows on Win32: a menu popped up at the pointer, a modal dialog built from a
// dialog view-model (standard controls in its Tab order, the system's dialog font, Enter for
// the default button, Escape to close without a handler), and the program's tray icon.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "ui/dialog.h"
#include "ui/menu.h"

namespace quavero::shell::win32 {

std::optional<ui::MenuChoice> PopUpMenuAtPointer(const ui::MenuEntry& menu);
void ShowModalDialog(ui::Dialog& dialog);

// The icon in the notification area, added again when the taskbar is made anew.
class TrayIcon {
 public:
  ~TrayIcon();
  void Add(const std::string& tip, std::function<void(int message)> handler);
  void Remove();

 private:
  void* window_ = nullptr;
  bool shown_ = false;
};

}  // namespace quavero::shell::win32
