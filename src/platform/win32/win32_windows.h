// Windows, the screen, the pointer, message boxes and the beep, on Win32.
#pragma once

#include "platform/platform.h"
#include "platform/win32/painter.h"

namespace quavero::platform::win32 {

class Win32Windows : public Windows {
 public:
  void Realise(ui::Form& form) override;
  PixelSize ScreenSize() override;
  std::vector<PixelRect> WorkAreas() override;
  PixelPoint CursorPos() override;
  bool KeyState(int virtual_key) override;
  Answer ShowMessageBox(const std::string& text, const std::string& title, Icon icon,
                    Buttons buttons) override;
  void Beep() override;
  bool SendTextToListener(ui::WindowHandle listener, const std::string& text) override;
  void SetWaitCursor(bool waiting) override;
  std::vector<int> MeasurePrefixes(const ui::Font& font, const std::string& text) override;
  std::optional<ui::MenuChoice> PopUpMenu(const ui::MenuEntry& menu) override;
  void ShowModal(ui::Dialog& dialog) override;
  void ShowModeless(std::shared_ptr<ui::Dialog> dialog) override;
  std::shared_ptr<ui::Dialog> OpenDialog(const std::string& caption) override;
  ui::WindowHandle ListenForText(std::function<void(const std::string&)> handler) override;

 public:
  ~Win32Windows() override;

 private:
  Painter painter_;
  HDC measure_dc_ = nullptr;  // one device context for every text measured, made once
};

}  // namespace quavero::platform::win32
