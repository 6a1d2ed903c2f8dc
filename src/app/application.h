// The start-up module: how the program starts, which skin it opens, switching skins, closing
// everything, and the small operations every window shares (pictures, opacity, the desktop,
// the shell, the temporary folder).
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/program_window.h"
#include "hotkeys/hotkey_subclass.h"
#include "itunes/link.h"
#include "platform/platform.h"
#include "ui/form.h"

namespace quavero::skin {
class SkinWindow;
}

namespace quavero::app {

// Keeps the skin's own left or top edge.
inline constexpr int16_t kKeepPosition = -99;

enum class Compare { kBinary, kText };

class Application {
 public:
  using TrayWindowFactory = std::function<std::shared_ptr<TrayWindow>(Application&)>;

  explicit Application(platform::Platform& platform);
  ~Application();

  platform::Platform& platform() { return platform_; }
  itunes::Link& itunes() { return itunes_; }
  // The program's hotkey registries, shared by every window.
  hotkeys::HotkeySubclass& hotkey_subclass() { return hotkey_subclass_; }
  // iTunes is about to warn its user that scripting clients hold its objects: every window
  // lets go of iTunes at once, and nothing reconnects until that iTunes has gone.
  void ReleaseAlliTunes();
  // The iTunes behind every reference has gone (killed, crashed): every window lets go of it;
  // the next check creates a new application object, as at any time iTunes runs.
  void LetGoOfiTunes();

  // The tray and menu window is made by this factory; without one, start-up loads none.
  void SetTrayWindowFactory(TrayWindowFactory factory) { tray_factory_ = std::move(factory); }

  // Runs the start-up sequence for a command line.
  void Startup(const std::string& command_line);

  // Skins open other skins from their loading code; that chain never comes back to a skin
  // that is still loading and nests only a few deep: such an opening fails (5).
  std::shared_ptr<skin::SkinWindow> OpenSkinWindow(const std::string& folder, int16_t left,
                                                   int16_t top, bool is_desk_band);
  static constexpr size_t kMaxLoadingDepth = 4;
  // Skins that open skins on a timer would double their windows without end: no more than
  // this many are open at once. Asked before a skin opens another: whether there is room, and
  // when there is not, whether the user has been told since a window last closed.
  static constexpr int kMaxSkinWindows = 32;
  enum class Room { kFree, kFullNotSaid, kFull };
  Room RoomForSkinWindow();
  static std::string NoRoomText();
  void SwitchSkin(const std::string& name);
  // After the skin in the folder was edited: the current skin is switched to again, and the
  // edited skin, when it was open and the current skin does not open it again, reopens where
  // it was.
  void ReloadEditedSkin(const std::string& folder);
  void CloseAllWindows();
  void OpenSkinFromCommandLine();
  // "folder|left|top": the skin in the folder, at left and top in twips (-99: the skin's own).
  void OpenSkinFromText(const std::string& request);
  std::string HandleFile() { return AppFolder() + "\\communicate.hwnd"; }
  void StartInDeskBand(ui::WindowHandle parent);

  bool DeskbandMode() const { return deskband_mode_; }
  bool SwitchingSkin() const { return switching_skin_; }

  // Shared operations.
  ui::Picture LoadPictureFile(const std::string& file);
  bool SetWindowAlpha(ui::Form& form, int alpha);
  void AttachToDesktop(ui::Form& form);
  void ShellOpen(const std::string& file, const std::string& parameters);
  std::string GetTempFolder();
  bool CursorInRect(int left, int top, int height, int width);
  static bool StartsWithText(std::string_view main, std::string_view check, Compare mode);

  // Folders.
  std::string AppFolder() { return platform_.files().ApplicationFolder(); }
  std::string SkinFolder(const std::string& name) { return AppFolder() + "\\Skins\\" + name + "\\"; }

  // A failure the program's code, refreshes or skin lines report. A box's own message loop
  // runs timers, which may fail again: while one such box is open, another is not shown, so
  // boxes never stack up; the next failure after it was answered shows again.
  void ReportFailure(const std::string& text, const std::string& title, platform::Icon icon);

  // The settings of the program (application "Quavero", section "Options").
  std::string GetSetting(const std::string& key, const std::string& fallback);
  void SaveSetting(const std::string& key, const std::string& value);

  // The skin windows that are open (not yet unloaded), oldest first.
  std::vector<std::shared_ptr<skin::SkinWindow>> SkinWindows() const;
  int CountSkinWindows() const;
  bool TrayWindowLoaded() const { return tray_ && !tray_->unloaded(); }
  // The pop-up menu of the tray window for a skin window (its right button).
  void ShowMenu(skin::SkinWindow& caller);
  // The skin window the user activated last; when it has gone, the newest open one.
  void NoteActive(skin::SkinWindow& window);
  std::shared_ptr<skin::SkinWindow> LastActiveSkinWindow() const;
  void LoadTrayWindow();
  void CloseTrayWindow();
  // The windows the program has once (the skin editor, the shortcut manager): the one open
  // with that caption, or none; and showing one beside the skin windows, which the platform
  // keeps until it is closed.
  std::shared_ptr<ui::Dialog> OpenDialog(const std::string& caption);
  void ShowDialog(std::shared_ptr<ui::Dialog> dialog);

  // A window has finished unloading; the program ends when no window remains, once the code
  // that is running has ended.
  void WindowUnloaded();
  // Ends the program at once: no further code runs, not even the rest of a group.
  void EndProgram();
  bool ended() const { return ended_; }
  bool ended_at_once() const { return ended_at_once_; }
  const std::string& command_line() const { return command_line_; }

 private:
  bool NoWindowRemains() const;
  void CheckOpeningWhileLoading(const std::string& folder) const;
  // The program ends when the handler that runs now returns.
  void EndWhenIdle();
  void PublishHandle();
  void WithdrawHandle();
  void Prune();

  platform::Platform& platform_;
  itunes::Link itunes_;
  hotkeys::HotkeySubclass hotkey_subclass_;
  TrayWindowFactory tray_factory_;
  std::shared_ptr<TrayWindow> tray_;
  std::weak_ptr<skin::SkinWindow> last_active_;
  std::vector<std::shared_ptr<skin::SkinWindow>> skin_windows_;
  std::vector<std::string> loading_;  // the folders of the skins being loaded, outermost first
  std::string command_line_;
  bool deskband_mode_ = false;
  bool switching_skin_ = false;
  bool ended_ = false;
  bool ended_at_once_ = false;
  bool no_room_said_ = false;
  bool reporting_ = false;
  bool handle_published_ = false;
};

}  // namespace quavero::app
