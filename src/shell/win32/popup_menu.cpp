#include <windows.h>

#include <vector>

#include "platform/win32/wide.h"
#include "shell/win32/shell_win32.h"

namespace quavero::shell::win32 {
namespace {

constexpr UINT kFirstId = 1000;

// A hidden window owns the menu: the menu closes when the user clicks elsewhere only while
// its owner is the foreground window.
HWND MenuOwner() {
  static HWND owner = [] {
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"QuaveroMenuOwner";
    RegisterClassW(&wc);
    return CreateWindowExW(WS_EX_TOOLWINDOW, wc.lpszClassName, L"Quavero", WS_POPUP, 0, 0, 0, 0,
                           nullptr, nullptr, wc.hInstance, nullptr);
  }();
  return owner;
}

HMENU Build(const ui::MenuEntry& menu, std::vector<ui::MenuChoice>& ids) {
  HMENU handle = CreatePopupMenu();
  for (const auto& entry : menu.entries) {
    std::wstring caption = platform::win32::Wide(entry.caption);
    UINT flags = MF_STRING | (entry.enabled ? 0 : MF_GRAYED);
    if (!entry.entries.empty()) {
      AppendMenuW(handle, flags | MF_POPUP, reinterpret_cast<UINT_PTR>(Build(entry, ids)),
                  caption.c_str());
    } else {
      ids.push_back({entry.name, entry.index});
      AppendMenuW(handle, flags, kFirstId + ids.size() - 1, caption.c_str());
    }
  }
  return handle;
}

}  // namespace

std::optional<ui::MenuChoice> PopUpMenuAtPointer(const ui::MenuEntry& menu) {
  std::vector<ui::MenuChoice> ids;
  HMENU handle = Build(menu, ids);
  HWND owner = MenuOwner();
  POINT at{};
  GetCursorPos(&at);
  SetForegroundWindow(owner);
  UINT chosen = static_cast<UINT>(TrackPopupMenu(
      handle, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, at.x, at.y, 0, owner, nullptr));
  PostMessageW(owner, WM_NULL, 0, 0);
  DestroyMenu(handle);
  if (chosen < kFirstId || chosen - kFirstId >= ids.size()) return std::nullopt;
  return ids[chosen - kFirstId];
}

}  // namespace quavero::shell::win32
