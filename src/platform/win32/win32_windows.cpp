#include "platform/win32/win32_windows.h"

#include <windows.h>

#include <functional>
#include <memory>
#undef IsMinimized

#include "platform/win32/form_window.h"
#include "platform/win32/module.h"
#include "platform/win32/wide.h"
#include "shell/win32/shell_win32.h"

namespace quavero::platform::win32 {

void Win32Windows::Realise(ui::Form& form) {
  form.Attach(std::make_unique<FormWindow>(form, painter_));
}

std::vector<PixelRect> Win32Windows::WorkAreas() {
  std::vector<PixelRect> areas;
  EnumDisplayMonitors(
      nullptr, nullptr,
      [](HMONITOR monitor, HDC, LPRECT, LPARAM data) -> BOOL {
        MONITORINFO info{};
        info.cbSize = sizeof info;
        if (GetMonitorInfoW(monitor, &info)) {
          const RECT& r = info.rcWork;
          reinterpret_cast<std::vector<PixelRect>*>(data)->push_back({r.left, r.top, r.right, r.bottom});
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&areas));
  if (areas.empty()) {
    PixelSize screen = ScreenSize();
    areas.push_back({0, 0, screen.width, screen.height});
  }
  return areas;
}

PixelSize Win32Windows::ScreenSize() {
  return {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

PixelPoint Win32Windows::CursorPos() {
  POINT p{};
  GetCursorPos(&p);
  return {p.x, p.y};
}

bool Win32Windows::KeyState(int virtual_key) { return GetAsyncKeyState(virtual_key) != 0; }

Answer Win32Windows::ShowMessageBox(const std::string& text, const std::string& title, Icon icon,
                                Buttons buttons) {
  UINT flags = MB_TASKMODAL | MB_SETFOREGROUND;
  switch (icon) {
    case Icon::kCritical: flags |= MB_ICONSTOP; break;
    case Icon::kQuestion: flags |= MB_ICONQUESTION; break;
    case Icon::kExclamation: flags |= MB_ICONEXCLAMATION; break;
    case Icon::kInformation: flags |= MB_ICONINFORMATION; break;
    case Icon::kNone: break;
  }
  switch (buttons) {
    case Buttons::kOk: flags |= MB_OK; break;
    case Buttons::kOkCancel: flags |= MB_OKCANCEL; break;
    case Buttons::kYesNo: flags |= MB_YESNO; break;
    case Buttons::kYesNoCancel: flags |= MB_YESNOCANCEL; break;
  }
  switch (MessageBoxW(nullptr, Wide(text).c_str(), Wide(title).c_str(), flags)) {
    case IDCANCEL: return Answer::kCancel;
    case IDYES: return Answer::kYes;
    case IDNO: return Answer::kNo;
    default: return Answer::kOk;
  }
}

namespace {

constexpr wchar_t kListenerClass[] = L"QuaveroCommunicate";

using TextHandler = std::function<void(const std::string&)>;

TextHandler* HandlerOf(HWND hwnd) {
  return reinterpret_cast<TextHandler*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

// The listening window: a text set on it is handed on once the setter has its answer.
LRESULT CALLBACK ListenerProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_SETTEXT && lp) {
    TextHandler* handler = HandlerOf(hwnd);
    if (handler && *handler) {
      std::string text = Utf8(reinterpret_cast<const wchar_t*>(lp));
      PostMessageW(hwnd, WM_APP, 0, reinterpret_cast<LPARAM>(new std::string(std::move(text))));
    }
  } else if (msg == WM_APP) {
    std::unique_ptr<std::string> text(reinterpret_cast<std::string*>(lp));
    TextHandler* handler = HandlerOf(hwnd);
    if (handler && *handler) (*handler)(*text);
    return 0;
  } else if (msg == WM_NCDESTROY) {
    delete HandlerOf(hwnd);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

}  // namespace

ui::WindowHandle Win32Windows::ListenForText(std::function<void(const std::string&)> handler) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = ListenerProc;
  wc.lpszClassName = kListenerClass;
  RegisterModuleClass(wc);
  HWND hwnd = CreateWindowExW(WS_EX_TOOLWINDOW, kListenerClass, L"Quavero", WS_POPUP, 0, 0, 0, 0,
                              nullptr, nullptr, ThisModule(), nullptr);
  if (!hwnd) return 0;
  SetWindowLongPtrW(hwnd, GWLP_USERDATA,
                    reinterpret_cast<LONG_PTR>(new TextHandler(std::move(handler))));
  return reinterpret_cast<ui::WindowHandle>(hwnd);
}

bool Win32Windows::SendTextToListener(ui::WindowHandle listener, const std::string& text) {
  HWND hwnd = reinterpret_cast<HWND>(listener);
  wchar_t name[64];
  if (!IsWindow(hwnd) || !GetClassNameW(hwnd, name, 64) || lstrcmpW(name, kListenerClass) != 0)
    return false;
  DWORD_PTR answer = 0;
  return SendMessageTimeoutW(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Wide(text).c_str()),
                             SMTO_ABORTIFHUNG, 5000, &answer) != 0;
}

void Win32Windows::Beep() {
  MessageBeep(MB_OK);
  OutputDebugStringA("Quavero: beep\n");  // seen by debuggers (and Wine's debugstr channel)
}

void Win32Windows::SetWaitCursor(bool waiting) {
  SetCursor(LoadCursorW(nullptr, waiting ? IDC_WAIT : IDC_ARROW));
}

Win32Windows::~Win32Windows() {
  if (measure_dc_) DeleteDC(measure_dc_);
}

std::vector<int> Win32Windows::MeasurePrefixes(const ui::Font& font, const std::string& text) {
  std::wstring wide = Wide(text);
  std::vector<int> units(wide.size());
  if (wide.empty()) return {};
  if (!measure_dc_) measure_dc_ = CreateCompatibleDC(nullptr);
  HDC dc = measure_dc_;
  HGDIOBJ old = SelectObject(dc, painter_.Font(font));
  SIZE size{};
  int fit = 0;
  GetTextExtentExPointW(dc, wide.c_str(), static_cast<int>(wide.size()), 0, &fit, units.data(),
                        &size);
  SelectObject(dc, old);
  // One width per character: the second half of a surrogate pair ends the same character.
  std::vector<int> widths;
  for (size_t i = 0; i < wide.size(); ++i)
    if (!(wide[i] >= 0xDC00 && wide[i] <= 0xDFFF)) widths.push_back(units[i]);
    else if (!widths.empty()) widths.back() = units[i];
  return widths;
}

std::optional<ui::MenuChoice> Win32Windows::PopUpMenu(const ui::MenuEntry& menu) {
  return shell::win32::PopUpMenuAtPointer(menu);
}

void Win32Windows::ShowModal(ui::Dialog& dialog) { shell::win32::ShowModalDialog(dialog); }

void Win32Windows::ShowModeless(std::shared_ptr<ui::Dialog> dialog) {
  shell::win32::ShowModelessDialog(std::move(dialog));
}

std::shared_ptr<ui::Dialog> Win32Windows::OpenDialog(const std::string& caption) {
  return shell::win32::OpenModelessDialog(caption);
}

}  // namespace quavero::platform::win32
