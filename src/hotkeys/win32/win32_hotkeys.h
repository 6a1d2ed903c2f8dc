// System-wide hotkeys on Win32: global atoms, RegisterHotKey, the system's text for a refused
// registration, and a window procedure put in front of a window's own.
#pragma once

#include "platform/platform.h"

namespace quavero::hotkeys::win32 {

class Win32Hotkeys : public platform::Hotkeys {
 public:
  uint16_t NewAtom(const std::string& name) override;
  void FreeAtom(uint16_t atom) override;
  std::string AtomText(uint16_t atom) override;
  Registration RegisterHotKey(ui::WindowHandle window, int id, uint32_t modifiers,
                              uint32_t key) override;
  void UnregisterHotKey(ui::WindowHandle window, int id) override;
  bool HookWindow(ui::WindowHandle window, Procedure procedure) override;
  void UnhookWindow(ui::WindowHandle window) override;
};

}  // namespace quavero::hotkeys::win32
