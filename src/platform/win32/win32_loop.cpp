#include "platform/win32/win32_loop.h"
#include "platform/win32/module.h"

#include <windows.h>

#include "shell/win32/shell_win32.h"

namespace quavero::platform::win32 {
namespace {

constexpr UINT kRunPosted = WM_APP + 1;
constexpr wchar_t kClassName[] = L"QuaveroLoop";

LRESULT CALLBACK LoopProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == kRunPosted) {
    auto* loop = reinterpret_cast<Win32Loop*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (loop) loop->RunPosted();
    return 0;
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

}  // namespace

Win32Loop::Win32Loop() {
  WNDCLASSW wc{};
  wc.lpfnWndProc = LoopProc;
  wc.lpszClassName = kClassName;
  RegisterModuleClass(wc);
  HWND hwnd = CreateWindowExW(0, kClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                              ThisModule(), nullptr);
  SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  window_ = hwnd;
}

Win32Loop::~Win32Loop() {
  if (window_) DestroyWindow(static_cast<HWND>(window_));
}

uint32_t Win32Loop::TickCount() { return GetTickCount(); }

void Win32Loop::Sleep(int ms) { ::Sleep(ms > 0 ? static_cast<DWORD>(ms) : 0); }

void Win32Loop::DoEvents() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));  // the outer loop ends the program
      return;
    }
    if (shell::win32::RouteDialogMessage(msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

void Win32Loop::Post(std::function<void()> work) {
  posted_.push_back(std::move(work));
  PostMessageW(static_cast<HWND>(window_), kRunPosted, 0, 0);
}

void Win32Loop::RunPosted() {
  for (size_t n = posted_.size(); n > 0 && !posted_.empty(); --n) {
    auto work = std::move(posted_.front());
    posted_.pop_front();
    work();
  }
}

void Win32Loop::Quit() {
  if (quitting_) return;
  quitting_ = true;
  PostQuitMessage(0);
}

// Ends once a handler has asked to quit, also when the quit message itself was taken by a
// modal loop (COM's, while a call to iTunes was under way) and never reaches this one.
int Win32Loop::Run() {
  MSG msg;
  while (!quitting_) {
    BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got <= 0) return got == 0 ? static_cast<int>(msg.wParam) : 1;
    if (shell::win32::RouteDialogMessage(msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return 0;
}

}  // namespace quavero::platform::win32
