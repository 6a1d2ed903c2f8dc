// The port: every operating-system service the engine uses. The engine never sleeps, reads a
// clock, opens a file, shows a message box or beeps except through these interfaces. There are
// two implementations: headless/ (in memory, virtual clock) and win32/ (the real thing).
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <optional>

#include "itunes/itunes.h"
#include "ui/dialog.h"
#include "ui/form.h"
#include "ui/menu.h"
#include "ui/picture.h"

namespace quavero::platform {

// The message loop of the one user-interface thread, and time.
class Loop {
 public:
  virtual ~Loop() = default;
  virtual uint32_t TickCount() = 0;  // milliseconds, wraps; compare by signed difference
  virtual void Sleep(int ms) = 0;
  virtual void DoEvents() = 0;       // lets pending window messages and timers run
  virtual void Post(std::function<void()> work) = 0;  // runs later on this thread
  virtual void Quit() = 0;           // the program ends
  virtual bool quitting() const = 0;
};

enum class Icon { kNone, kCritical, kQuestion, kExclamation, kInformation };
enum class Buttons { kOk, kOkCancel, kYesNo, kYesNoCancel };
enum class Answer { kOk, kCancel, kYes, kNo };

struct PixelSize {
  int width = 0, height = 0;
};
struct PixelPoint {
  int x = 0, y = 0;
};
struct PixelRect {
  int left = 0, top = 0, right = 0, bottom = 0;
};

// Windows, the screen, the pointer and the keyboard, message boxes and the beep.
class Windows {
 public:
  virtual ~Windows() = default;
  // Makes the platform's window for a form: hidden, at a position the system chooses.
  virtual void Realise(ui::Form& form) = 0;
  virtual PixelSize ScreenSize() = 0;
  // The work area of every monitor (without the taskbar), in virtual-screen pixels.
  virtual std::vector<PixelRect> WorkAreas() = 0;
  virtual PixelPoint CursorPos() = 0;
  virtual bool KeyState(int virtual_key) = 0;  // down, or pressed since the last query
  virtual Answer ShowMessageBox(const std::string& text, const std::string& title, Icon icon,
                            Buttons buttons) = 0;
  virtual void Beep() = 0;
  // The hourglass pointer while the program waits for something it started.
  virtual void SetWaitCursor(bool waiting) = 0;
  // The width in pixels of every prefix of a text (its first 1, 2, ... characters) in a font.
  virtual std::vector<int> MeasurePrefixes(const ui::Font& font, const std::string& text) = 0;
  // Pops a menu up at the pointer and waits for the user: the entry chosen, or none.
  virtual std::optional<ui::MenuChoice> PopUpMenu(const ui::MenuEntry& menu) = 0;
  // Shows a dialog modally until it is closed (by a handler, or by Escape).
  virtual void ShowModal(ui::Dialog& dialog) = 0;
  // Shows a dialog beside the other windows and keeps it until it is closed (by a handler, by
  // Escape or its close box); showing it again while it is open brings it forward.
  virtual void ShowModeless(std::shared_ptr<ui::Dialog> dialog) = 0;
  // Sets the text of a window that ListenForText made, in this program or another; false when
  // the handle names no such window (a program that has ended, another window since).
  virtual bool SendTextToListener(ui::WindowHandle listener, const std::string& text) = 0;
  // Makes a hidden window of the program whose text another program sets to ask something of
  // it; the handler receives each text, after the setter has been answered. Its handle, 0 when
  // none could be made.
  virtual ui::WindowHandle ListenForText(std::function<void(const std::string&)> handler) = 0;
  // The dialog shown beside the windows with that caption that is open now, or none.
  virtual std::shared_ptr<ui::Dialog> OpenDialog(const std::string& caption) = 0;
  int MeasureText(const ui::Font& font, const std::string& text) {
    auto widths = MeasurePrefixes(font, text);
    return widths.empty() ? 0 : widths.back();
  }
};

// How a text file was stored; a file is written back the way it was read.
enum class Encoding { kCodePage, kUtf8Bom };

struct TextFile {
  std::string text;  // UTF-8
  Encoding encoding = Encoding::kCodePage;
};

// Files, by Windows path. Failures carry the numbers users know (53 file not found, 75 a
// folder where a file is expected, 76 path not found, 70 permission denied).
class Files {
 public:
  virtual ~Files() = default;
  virtual TextFile ReadText(const std::string& path) = 0;
  // Rewrites the file whole: a temporary file beside it replaces it in one step.
  virtual void WriteText(const std::string& path, const TextFile& file) = 0;
  virtual bool FileExists(const std::string& path) = 0;
  virtual bool FolderExists(const std::string& path) = 0;
  virtual std::vector<std::string> FilesIn(const std::string& folder) = 0;  // names, sorted
  virtual std::vector<std::string> FoldersIn(const std::string& folder) = 0;
  virtual void Delete(const std::string& path) = 0;
  virtual std::string ApplicationFolder() = 0;  // without a trailing backslash
  virtual std::string TempPath() = 0;           // as the system answers it
};

// The per-user settings store: application, section, key, text value.
class Settings {
 public:
  virtual ~Settings() = default;
  virtual std::string Get(const std::string& app, const std::string& section,
                          const std::string& key, const std::string& fallback) = 0;
  virtual void Save(const std::string& app, const std::string& section, const std::string& key,
                    const std::string& value) = 0;
};

class Pictures {
 public:
  virtual ~Pictures() = default;
  // The picture in a file; failure 5 "Cannot load file" when it cannot be read.
  virtual ui::Picture Load(const std::string& path) = 0;
};

class Shell {
 public:
  virtual ~Shell() = default;
  // Asks the shell to "open" the file with the parameters in a normal window.
  virtual void Open(const std::string& file, const std::string& parameters) = 0;
  // The program's icon in the notification area, with its tip; the handler receives the mouse
  // messages on it (515 left double-click, 517 right button up, ...). Adding it again while it
  // is there changes nothing.
  virtual void AddTrayIcon(const std::string& tip, std::function<void(int message)> handler) = 0;
  virtual void RemoveTrayIcon() = 0;
  // Moves a file to the recycle bin, where the user can restore it; the system may ask first,
  // in a window owned by the given one. Nothing is reported: a file the user kept stays.
  virtual void SendToRecycleBin(const std::string& path, ui::WindowHandle owner) = 0;
};

// The program's single-instance rule.
class Instance {
 public:
  virtual ~Instance() = default;
  // Claims the program's instance for as long as the program runs; false when another
  // instance already holds it (a later start sees this one either way).
  virtual bool Claim() = 0;
};

// System-wide hotkeys: global atoms name them, the system registers them for a window, and a
// procedure put in front of the window's own sees every message (the hotkey message among
// them) before the window's own procedure gets it.
class Hotkeys {
 public:
  virtual ~Hotkeys() = default;
  virtual uint16_t NewAtom(const std::string& name) = 0;
  virtual void FreeAtom(uint16_t atom) = 0;
  virtual std::string AtomText(uint16_t atom) = 0;  // at most 255 characters
  struct Registration {
    bool registered = false;
    uint32_t error = 0;   // the system's error code after the call, 0 for none
    std::string message;  // the system's text for it
  };
  virtual Registration RegisterHotKey(ui::WindowHandle window, int id, uint32_t modifiers,
                                      uint32_t key) = 0;
  virtual void UnregisterHotKey(ui::WindowHandle window, int id) = 0;
  using Procedure = std::function<void(ui::WindowHandle window, uint32_t message,
                                       uint64_t wparam, int64_t lparam)>;
  // Puts the procedure in front of the window's own; false when it cannot (no such window).
  virtual bool HookWindow(ui::WindowHandle window, Procedure procedure) = 0;
  // Gives the window back its own procedure.
  virtual void UnhookWindow(ui::WindowHandle window) = 0;
};

// The user's regional settings.
class Locale {
 public:
  virtual ~Locale() = default;
  // What separates a number's whole part from its fraction in text the system prints.
  virtual std::string DecimalSeparator() = 0;
};

struct ProcessInfo {
  uint32_t id = 0;
  std::string path;  // the full path of its main module
};

// The running processes.
class Processes {
 public:
  virtual ~Processes() = default;
  // Every process whose main module could be read, with that module's path.
  virtual std::vector<ProcessInfo> List() = 0;
  // Whether a process that List gave has not ended since.
  virtual bool Alive(uint32_t id) = 0;
};

class Platform {
 public:
  virtual ~Platform() = default;
  virtual Loop& loop() = 0;
  virtual Windows& windows() = 0;
  virtual Files& files() = 0;
  virtual Settings& settings() = 0;
  virtual Pictures& pictures() = 0;
  virtual Shell& shell() = 0;
  virtual Instance& instance() = 0;
  virtual Processes& processes() = 0;
  virtual Locale& locale() = 0;
  virtual Hotkeys& hotkeys() = 0;
  // A new connection to the iTunes application object; nullptr when none can be made.
  virtual itunes::ApplicationPtr CreateITunesApplication() = 0;
};

}  // namespace quavero::platform
