#include "hotkeys/win32/win32_hotkeys.h"

#include <windows.h>

#include <map>

#include "platform/win32/wide.h"

namespace quavero::hotkeys::win32 {
namespace {

struct Hooked {
  WNDPROC previous = nullptr;
  platform::Hotkeys::Procedure procedure;
};

// The hooked windows of the program; all on its one user-interface thread.
std::map<HWND, Hooked>& HookedWindows() {
  static std::map<HWND, Hooked> windows;
  return windows;
}

// Every message of a hooked window passes the engine's procedure first, then goes on to the
// window's own procedure. Nothing escapes into the system.
LRESULT CALLBACK HotkeyWindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  auto& windows = HookedWindows();
  auto it = windows.find(hwnd);
  if (it == windows.end()) return DefWindowProcW(hwnd, message, wparam, lparam);
  WNDPROC previous = it->second.previous;
  auto procedure = it->second.procedure;  // the procedure may unhook the window
  try {
    procedure(reinterpret_cast<ui::WindowHandle>(hwnd), message, wparam, lparam);
  } catch (...) {
  }
  if (message == WM_NCDESTROY) {
    auto again = windows.find(hwnd);
    if (again != windows.end()) {
      SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
      windows.erase(again);
    }
  }
  if (!previous || !IsWindow(hwnd)) return DefWindowProcW(hwnd, message, wparam, lparam);
  return CallWindowProcW(previous, hwnd, message, wparam, lparam);
}

std::string SystemMessage(DWORD code) {
  char* text = nullptr;
  DWORD n = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                               FORMAT_MESSAGE_IGNORE_INSERTS,
                           nullptr, code, 0, reinterpret_cast<char*>(&text), 0, nullptr);
  std::string message = n && text ? std::string(text, n) : std::string();
  if (text) LocalFree(text);
  return message;
}

HWND Hwnd(ui::WindowHandle window) { return reinterpret_cast<HWND>(window); }

}  // namespace

uint16_t Win32Hotkeys::NewAtom(const std::string& name) {
  return ::GlobalAddAtomA(name.c_str());
}

void Win32Hotkeys::FreeAtom(uint16_t atom) { ::GlobalDeleteAtom(atom); }

std::string Win32Hotkeys::AtomText(uint16_t atom) {
  char name[256];
  UINT n = ::GlobalGetAtomNameA(atom, name, 256);
  return std::string(name, n);
}

platform::Hotkeys::Registration Win32Hotkeys::RegisterHotKey(ui::WindowHandle window, int id,
                                                             uint32_t modifiers, uint32_t key) {
  SetLastError(0);
  Registration r;
  r.registered = ::RegisterHotKey(Hwnd(window), id, modifiers, key) != FALSE;
  r.error = r.registered ? 0 : GetLastError();
  if (r.error) r.message = SystemMessage(r.error);
  return r;
}

void Win32Hotkeys::UnregisterHotKey(ui::WindowHandle window, int id) {
  ::UnregisterHotKey(Hwnd(window), id);
}

bool Win32Hotkeys::HookWindow(ui::WindowHandle window, Procedure procedure) {
  HWND hwnd = Hwnd(window);
  if (!IsWindow(hwnd)) return false;
  auto& windows = HookedWindows();
  if (windows.count(hwnd)) return false;  // one hook a window
  auto previous = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(
      hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&HotkeyWindowProc)));
  if (!previous) return false;
  windows[hwnd] = {previous, std::move(procedure)};
  return true;
}

void Win32Hotkeys::UnhookWindow(ui::WindowHandle window) {
  HWND hwnd = Hwnd(window);
  auto& windows = HookedWindows();
  auto it = windows.find(hwnd);
  if (it == windows.end()) return;
  if (IsWindow(hwnd))
    SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(it->second.previous));
  windows.erase(it);
}

}  // namespace quavero::hotkeys::win32
