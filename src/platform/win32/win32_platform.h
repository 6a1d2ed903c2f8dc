// The real platform: every port service on Win32.
#pragma once

#include <map>
#include <memory>

#include "hotkeys/win32/win32_hotkeys.h"
#include "platform/platform.h"
#include "shell/win32/shell_win32.h"
#include "platform/win32/win32_files.h"
#include "platform/win32/win32_loop.h"
#include "platform/win32/win32_pictures.h"
#include "platform/win32/win32_settings.h"
#include "platform/win32/win32_windows.h"

namespace quavero::platform::win32 {

class Win32Shell : public Shell {
 public:
  void Open(const std::string& file, const std::string& parameters) override;
  void AddTrayIcon(const std::string& tip, std::function<void(int)> handler) override {
    tray_.Add(tip, std::move(handler));
  }
  void RemoveTrayIcon() override { tray_.Remove(); }
  void SendToRecycleBin(const std::string& path, ui::WindowHandle owner) override;

 private:
  shell::win32::TrayIcon tray_;
};

// The user's regional settings (the decimal separator of the user's locale).
class Win32Locale : public Locale {
 public:
  std::string DecimalSeparator() override;
};

// A named mutex held for the program's lifetime.
class Win32Instance : public Instance {
 public:
  ~Win32Instance() override;
  bool Claim() override;

 private:
  void* mutex_ = nullptr;
};

// Processes by their main module, through the process status functions.
class Win32Processes : public Processes {
 public:
  ~Win32Processes() override;
  std::vector<ProcessInfo> List() override;
  bool Alive(uint32_t id) override;

 private:
  std::map<uint32_t, void*> watched_;  // process handles kept to ask whether they ended
};

class Win32Platform : public Platform {
 public:
  Win32Loop& loop() override { return loop_; }
  Win32Windows& windows() override { return windows_; }
  Win32Files& files() override { return files_; }
  Win32Settings& settings() override { return settings_; }
  Win32Pictures& pictures() override { return pictures_; }
  Win32Shell& shell() override { return shell_; }
  Win32Instance& instance() override { return instance_; }
  Win32Processes& processes() override { return processes_; }
  Win32Locale& locale() override { return locale_; }
  hotkeys::win32::Win32Hotkeys& hotkeys() override { return hotkeys_; }
  itunes::ApplicationPtr CreateITunesApplication() override;

 private:
  Win32Loop loop_;
  Win32Windows windows_;
  Win32Files files_;
  Win32Settings settings_;
  Win32Pictures pictures_;
  Win32Shell shell_;
  Win32Instance instance_;
  Win32Processes processes_;
  Win32Locale locale_;
  hotkeys::win32::Win32Hotkeys hotkeys_;
};

}  // namespace quavero::platform::win32
