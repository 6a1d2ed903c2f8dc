// The shell's windows on Win32: a menu popped up at the pointer, a modal dialog built from a
// dialog view-model (standard controls in its Tab order, the system's dialog font, Enter for
// the default button, Escape to close without a handler), dialogs beside the other windows,
// and the program's tray icon.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "ui/dialog.h"
#include "ui/menu.h"

namespace quavero::shell::win32 {

std::optional<ui::MenuChoice> PopUpMenuAtPointer(const ui::MenuEntry& menu);
void ShowModalDialog(ui::Dialog& dialog);
// Shows a dialog beside the other windows until it closes; again while open, brings it forward.
void ShowModelessDialog(std::shared_ptr<ui::Dialog> dialog);
// The dialog beside the windows with that caption that is open now, or none.
std::shared_ptr<ui::Dialog> OpenModelessDialog(const std::string& caption);
// Keyboard navigation in the open dialogs: true when the message was theirs.
bool RouteDialogMessage(MSG& message);

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
