// quavero-probe: prints what Windows knows of every Quavero skin window, one line each, as
// key=value pairs. The end-to-end checks read it; it also helps when a skin looks wrong.
// quavero-probe --close asks every skin window to close, as the system's close command does.
// quavero-probe --answer TITLE ok|yes|no waits up to ten seconds for a dialog or message box
// with that title and presses that button, as a user would; prints what the box said.
// quavero-probe --pick TITLE ITEM waits up to ten seconds for a dialog with that title, selects
// ITEM in its list as a click on it does, and presses the dialog's default button.
// quavero-probe --hold FILE SECONDS keeps a file open without sharing it, as an editor or a
// virus scanner may, and prints "holding" once it does.
// quavero-probe --taskbar SECONDS shows a taskbar (a window of the shell's taskbar class) 40
// pixels high along the bottom of the screen, and moves it to the top half-way through.
#include <windows.h>

#include <cstdio>
#include <cstdlib>

namespace {

void Describe(HWND hwnd) {
  RECT r{};
  GetWindowRect(hwnd, &r);
  LONG_PTR style = GetWindowLongPtrW(hwnd, GWL_STYLE);
  LONG_PTR ex = GetWindowLongPtrW(hwnd, GWL_EXSTYLE);
  BYTE alpha = 255;
  DWORD flags = 0;
  bool layered = (ex & WS_EX_LAYERED) != 0;
  if (layered) GetLayeredWindowAttributes(hwnd, nullptr, &alpha, &flags);
  HRGN rgn = CreateRectRgn(0, 0, 0, 0);
  int kind = GetWindowRgn(hwnd, rgn);
  const char* region = kind == SIMPLEREGION ? "simple" : kind == COMPLEXREGION ? "complex" : "none";
  int w = r.right - r.left, h = r.bottom - r.top;
  bool corner = kind == ERROR ? true : PtInRegion(rgn, 0, 0);
  bool middle = kind == ERROR ? true : PtInRegion(rgn, w / 2, h / 2);
  DeleteObject(rgn);
  std::printf("hwnd=%llu left=%ld top=%ld width=%d height=%d visible=%d topmost=%d toolwindow=%d "
              "popup=%d caption=%d layered=%d alpha=%u region=%s corner=%d middle=%d parent=%llu\n",
              static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(hwnd)), r.left, r.top, w,
              h, IsWindowVisible(hwnd) ? 1 : 0, (ex & WS_EX_TOPMOST) ? 1 : 0,
              (ex & WS_EX_TOOLWINDOW) ? 1 : 0, (style & WS_POPUP) ? 1 : 0,
              (style & WS_CAPTION) == WS_CAPTION ? 1 : 0, layered ? 1 : 0,
              static_cast<unsigned>(alpha), region, corner ? 1 : 0, middle ? 1 : 0,
              static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(GetParent(hwnd))));
}

BOOL CALLBACK Visit(HWND hwnd, LPARAM close) {
  wchar_t name[64];
  if (GetClassNameW(hwnd, name, 64) && lstrcmpW(name, L"QuaveroSkinWindow") == 0) {
    if (close) PostMessageW(hwnd, WM_CLOSE, 0, 0);
    else Describe(hwnd);
  }
  return TRUE;
}

}  // namespace

int Hold(const char* file, int seconds) {
  HANDLE h = CreateFileA(file, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return 1;
  std::printf("holding\n");
  std::fflush(stdout);
  Sleep(static_cast<DWORD>(seconds) * 1000);
  CloseHandle(h);
  return 0;
}

int Answer(const char* title, const char* button) {
  int id = lstrcmpiA(button, "yes") == 0 ? IDYES : lstrcmpiA(button, "no") == 0 ? IDNO : IDOK;
  for (int tries = 0; tries < 100; ++tries) {
    HWND box = FindWindowA("#32770", title);
    if (box && IsWindowVisible(box)) {
      char text[1024] = "";
      GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
      std::printf("answered %s: %s\n", button, text);
      std::fflush(stdout);
      PostMessageA(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
      return 0;
    }
    Sleep(100);
  }
  std::printf("no box %s\n", title);
  return 1;
}

int Pick(const char* title, const char* item) {
  for (int tries = 0; tries < 100; ++tries, Sleep(100)) {
    HWND box = FindWindowA("#32770", title);
    HWND list = box ? FindWindowExA(box, nullptr, "ListBox", nullptr) : nullptr;
    if (!list || !IsWindowVisible(box)) continue;
    LRESULT index = SendMessageA(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                 reinterpret_cast<LPARAM>(item));
    if (index == LB_ERR) continue;  // the list may still be filling
    SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageA(box, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(list));
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(box, IDOK)));
    std::printf("picked %s\n", item);
    return 0;
  }
  std::printf("no %s in %s\n", item, title);
  return 1;
}

// Wine's desktop has no taskbar: this one stands in for the shell's, where the band host
// looks for it.
int Taskbar(int seconds) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = DefWindowProcA;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hbrBackground = CreateSolidBrush(RGB(32, 48, 72));
  wc.lpszClassName = "Shell_TrayWnd";
  RegisterClassA(&wc);
  const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
  HWND bar = CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, wc.lpszClassName, "", WS_POPUP,
                             0, height - 40, width, 40, nullptr, nullptr, wc.hInstance, nullptr);
  ShowWindow(bar, SW_SHOWNOACTIVATE);
  std::printf("taskbar at the bottom\n");
  std::fflush(stdout);
  DWORD start = GetTickCount();
  bool moved = false;
  MSG msg;
  while (GetTickCount() - start < static_cast<DWORD>(seconds) * 1000) {
    if (!moved && GetTickCount() - start >= static_cast<DWORD>(seconds) * 500) {
      SetWindowPos(bar, nullptr, 0, 0, width, 40, SWP_NOZORDER | SWP_NOACTIVATE);
      std::printf("taskbar at the top\n");
      std::fflush(stdout);
      moved = true;
    }
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    Sleep(50);
  }
  DestroyWindow(bar);
  return 0;
}

int main(int argc, char** argv) {
  if (argc > 2 && lstrcmpA(argv[1], "--taskbar") == 0) return Taskbar(std::atoi(argv[2]));
  if (argc > 3 && lstrcmpA(argv[1], "--answer") == 0) return Answer(argv[2], argv[3]);
  if (argc > 3 && lstrcmpA(argv[1], "--pick") == 0) return Pick(argv[2], argv[3]);
  if (argc > 3 && lstrcmpA(argv[1], "--hold") == 0) return Hold(argv[2], std::atoi(argv[3]));
  bool close = argc > 1 && lstrcmpA(argv[1], "--close") == 0;
  EnumWindows(Visit, close ? 1 : 0);
  std::fflush(stdout);
  return 0;
}
