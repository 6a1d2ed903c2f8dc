#include <windows.h>
#include <shellapi.h>

#include "platform/win32/wide.h"
#include "shell/win32/shell_win32.h"

namespace quavero::shell::win32 {
namespace {

constexpr UINT kTrayMessage = WM_APP + 7;
constexpr UINT kIconId = 1;

struct TrayState {
  std::wstring tip;
  std::function<void(int)> handler;
};

UINT TaskbarCreated() {
  static UINT message = RegisterWindowMessageW(L"TaskbarCreated");
  return message;
}

NOTIFYICONDATAW IconData(HWND window, const std::wstring& tip) {
  NOTIFYICONDATAW data{};
  data.cbSize = NOTIFYICONDATAW_V1_SIZE;
  data.hWnd = window;
  data.uID = kIconId;
  data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  data.uCallbackMessage = kTrayMessage;
  data.hIcon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1));
  if (!data.hIcon) data.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
  lstrcpynW(data.szTip, tip.c_str(), 64);
  return data;
}

LRESULT CALLBACK TrayProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  auto* state = reinterpret_cast<TrayState*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (state && message == kTrayMessage) {
    try {
      if (state->handler) state->handler(static_cast<int>(LOWORD(lparam)));
    } catch (...) {
    }
    return 0;
  }
  if (state && message == TaskbarCreated()) {  // the taskbar was made anew: the icon too
    NOTIFYICONDATAW data = IconData(hwnd, state->tip);
    Shell_NotifyIconW(NIM_ADD, &data);
    return 0;
  }
  return DefWindowProcW(hwnd, message, wparam, lparam);
}

}  // namespace

TrayIcon::~TrayIcon() {
  Remove();
  if (window_) {
    HWND hwnd = static_cast<HWND>(window_);
    delete reinterpret_cast<TrayState*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    DestroyWindow(hwnd);
  }
}

void TrayIcon::Add(const std::string& tip, std::function<void(int)> handler) {
  if (!window_) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = TrayProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"QuaveroTray";
    RegisterClassW(&wc);
    HWND hwnd = CreateWindowExW(0, wc.lpszClassName, L"Quavero", WS_POPUP, 0, 0, 0, 0, nullptr,
                                nullptr, wc.hInstance, nullptr);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(new TrayState));
    window_ = hwnd;
  }
  HWND hwnd = static_cast<HWND>(window_);
  auto* state = reinterpret_cast<TrayState*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  state->tip = platform::win32::Wide(tip);
  state->handler = std::move(handler);
  if (shown_) return;
  NOTIFYICONDATAW data = IconData(hwnd, state->tip);
  shown_ = Shell_NotifyIconW(NIM_ADD, &data) != FALSE;
}

void TrayIcon::Remove() {
  if (!shown_ || !window_) return;
  NOTIFYICONDATAW data = IconData(static_cast<HWND>(window_), L"");
  Shell_NotifyIconW(NIM_DELETE, &data);
  shown_ = false;
}

}  // namespace quavero::shell::win32
