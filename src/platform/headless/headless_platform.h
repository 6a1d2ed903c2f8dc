// The headless platform: everything in memory or in a sandbox folder, on a virtual clock. Engine
// tests and the skin checker run the engine on it.
#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "platform/headless/headless_files.h"
#include "platform/headless/headless_hotkeys.h"
#include "platform/headless/headless_loop.h"
#include "platform/headless/headless_pictures.h"
#include "platform/headless/headless_windows.h"
#include "platform/platform.h"

namespace quavero::platform::headless {

class HeadlessSettings : public Settings {
 public:
  std::string Get(const std::string& app, const std::string& section, const std::string& key,
                  const std::string& fallback) override;
  void Save(const std::string& app, const std::string& section, const std::string& key,
            const std::string& value) override;
  bool Has(const std::string& app, const std::string& section, const std::string& key) const;

 private:
  std::map<std::tuple<std::string, std::string, std::string>, std::string> values_;
};

class HeadlessShell : public Shell {
 public:
  struct Opened {
    std::string file, parameters;
  };
  void Open(const std::string& file, const std::string& parameters) override {
    opened_.push_back({file, parameters});
  }
  const std::vector<Opened>& opened() const { return opened_; }

  void AddTrayIcon(const std::string& tip, std::function<void(int)> handler) override {
    if (tray_shown_) return;
    tray_shown_ = true;
    tray_tip_ = tip;
    tray_handler_ = std::move(handler);
    ++tray_adds_;
  }
  void RemoveTrayIcon() override {
    tray_shown_ = false;
    tray_handler_ = nullptr;
  }
  bool tray_shown() const { return tray_shown_; }
  const std::string& tray_tip() const { return tray_tip_; }
  int tray_adds() const { return tray_adds_; }
  // The user does something with the mouse on the tray icon.
  void TrayMessage(int message) {
    if (auto handler = tray_handler_) handler(message);
  }
  // Files sent to the recycle bin, in order.
  void SendToRecycleBin(const std::string& path, ui::WindowHandle) override {
    recycled_.push_back(path);
  }
  const std::vector<std::string>& recycled() const { return recycled_; }

 private:
  std::vector<Opened> opened_;
  std::vector<std::string> recycled_;
  bool tray_shown_ = false;
  std::string tray_tip_;
  std::function<void(int)> tray_handler_;
  int tray_adds_ = 0;
};

class HeadlessInstance : public Instance {
 public:
  bool Claim() override {
    bool free = !another_running;
    another_running = true;
    return free;
  }
  bool another_running = false;  // an instance holds the claim
};

class HeadlessLocale : public Locale {
 public:
  std::string DecimalSeparator() override { return decimal_separator; }
  std::string decimal_separator = ".";
};

// A scripted process list.
class HeadlessProcesses : public Processes {
 public:
  std::vector<ProcessInfo> List() override {
    ++walks;
    return running;
  }
  bool Alive(uint32_t id) override {
    ++alive_queries;
    for (const auto& p : running)
      if (p.id == id) return true;
    return false;
  }
  void Start(uint32_t id, std::string path) { running.push_back({id, std::move(path)}); }
  void End(uint32_t id) { std::erase_if(running, [id](const ProcessInfo& p) { return p.id == id; }); }

  std::vector<ProcessInfo> running;
  int walks = 0;
  int alive_queries = 0;
};

class HeadlessPlatform : public Platform {
 public:
  // The application folder C:\Quavero stands for the folder app_root of the store (the real file
  // system unless a store is given).
  explicit HeadlessPlatform(std::filesystem::path app_root,
                            std::string app_folder = "C:\\Quavero",
                            std::shared_ptr<FileStore> store = nullptr);

  HeadlessLoop& loop() override { return loop_; }
  HeadlessWindows& windows() override { return windows_; }
  HeadlessFiles& files() override { return files_; }
  HeadlessSettings& settings() override { return settings_; }
  HeadlessPictures& pictures() override { return pictures_; }
  HeadlessShell& shell() override { return shell_; }
  HeadlessInstance& instance() override { return instance_; }
  HeadlessProcesses& processes() override { return processes_; }
  HeadlessLocale& locale() override { return locale_; }
  HeadlessHotkeys& hotkeys() override { return hotkeys_; }
  // The application object tests give the engine, nullptr for none.
  itunes::ApplicationPtr CreateITunesApplication() override {
    ++itunes_creations;
    return itunes;
  }
  itunes::ApplicationPtr itunes;
  int itunes_creations = 0;

 private:
  HeadlessLoop loop_;
  HeadlessWindows windows_{loop_};
  HeadlessFiles files_;
  HeadlessSettings settings_;
  HeadlessPictures pictures_{files_};
  HeadlessShell shell_;
  HeadlessInstance instance_;
  HeadlessProcesses processes_;
  HeadlessLocale locale_;
  HeadlessHotkeys hotkeys_;
};

}  // namespace quavero::platform::headless
