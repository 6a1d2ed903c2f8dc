// quavero-bandhost: loads Quavero's desk band as the shell does and shows it in a strip of its
// own, for Windows 11 (whose taskbar hosts no desk bands) and for tests.
//   quavero-bandhost            the band in a strip window; a right click on its grip opens the
//                               band's menu (the default on Windows 11 is --dock)
//   quavero-bandhost --dock     the strip sits on the taskbar's edge, above it, and follows it
//   quavero-bandhost --window   the strip as a normal window, wherever Windows runs
//   quavero-bandhost --report   prints what the band answers, closes it and exits
//   quavero-bandhost --invoke N creates the band, runs its menu entry N, then shows it
// The band must be registered (regsvr32 QuaveroDeskBand.dll).
#include <windows.h>
#include <ole2.h>
#include <shellapi.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <algorithm>
#include <cstdio>
#include <string>

namespace {

const CLSID kClsidDeskbar = {0x054C4812, 0x1E87, 0x4624,
                             {0xAF, 0x3E, 0x6B, 0xAA, 0xDB, 0x87, 0xC7, 0x71}};
constexpr int kGrip = 8;              // the strip's handle at its left, as the taskbar's
constexpr UINT kFirstMenuId = 100;
constexpr UINT_PTR kFollowTimer = 1;  // the dock looks where the taskbar is, once a second
constexpr wchar_t kSettingsKey[] = L"Software\\Quavero\\BandHost";

std::string Describe(HRESULT hr) {
  char hex[16];
  std::snprintf(hex, sizeof hex, "0x%08lX", static_cast<unsigned long>(hr));
  if (SUCCEEDED(hr) && hr != S_OK) return hex;  // a success with a code of its own
  wchar_t* text = nullptr;
  FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                     FORMAT_MESSAGE_IGNORE_INSERTS,
                 nullptr, static_cast<DWORD>(hr), 0, reinterpret_cast<LPWSTR>(&text), 0, nullptr);
  std::string meaning;
  if (text) {
    for (wchar_t* c = text; *c; ++c)
      if (*c != L'\r' && *c != L'\n') meaning += *c < 128 ? static_cast<char>(*c) : '?';
    LocalFree(text);
  }
  return std::string(hex) + (meaning.empty() ? "" : " (" + meaning + ")");
}

// The band's site: the window that holds it, as the taskbar's band site is.
class Site : public IOleWindow, public IInputObjectSite {
 public:
  explicit Site(HWND window) : window_(window) {}
  STDMETHODIMP QueryInterface(REFIID riid, void** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (riid == IID_IUnknown || riid == IID_IOleWindow) *out = static_cast<IOleWindow*>(this);
    else if (riid == IID_IInputObjectSite) *out = static_cast<IInputObjectSite*>(this);
    else return E_NOINTERFACE;
    AddRef();
    return S_OK;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return ++references_; }
  STDMETHODIMP_(ULONG) Release() override { return --references_; }  // lives on the stack
  STDMETHODIMP GetWindow(HWND* window) override {
    if (!window) return E_POINTER;
    *window = window_;
    return S_OK;
  }
  STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
  STDMETHODIMP OnFocusChangeIS(IUnknown*, BOOL) override { return S_OK; }

 private:
  HWND window_;
  ULONG references_ = 1;
};

// A site that lacks IOleWindow: the band must refuse it and go on living.
class BareSite : public IUnknown {
 public:
  STDMETHODIMP QueryInterface(REFIID riid, void** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (riid != IID_IUnknown) return E_NOINTERFACE;
    *out = this;
    return S_OK;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return 2; }
  STDMETHODIMP_(ULONG) Release() override { return 1; }
};

struct Host {
  IDeskBand* band = nullptr;
  IContextMenu* menu = nullptr;
  HWND strip = nullptr;
  HWND band_window = nullptr;
  bool dock = false;
  SIZE size{150, 20};
};
Host host;

// Where the taskbar is; false when there is none to find.
bool TaskbarRect(RECT& r) {
  HWND taskbar = FindWindowW(L"Shell_TrayWnd", nullptr);
  if (taskbar && IsWindowVisible(taskbar) && GetWindowRect(taskbar, &r)) return true;
  APPBARDATA data{sizeof data};
  if (!SHAppBarMessage(ABM_GETTASKBARPOS, &data) || IsRectEmpty(&data.rc)) return false;
  r = data.rc;
  return true;
}

DWORD SavedOffset() {
  DWORD offset = 0, size = sizeof offset;
  RegGetValueW(HKEY_CURRENT_USER, kSettingsKey, L"DockOffset", RRF_RT_REG_DWORD, nullptr, &offset,
               &size);
  return offset;
}

void SaveOffset(DWORD offset) {
  RegSetKeyValueW(HKEY_CURRENT_USER, kSettingsKey, L"DockOffset", REG_DWORD, &offset,
                  sizeof offset);
}

// On the taskbar's inner edge (above a bottom taskbar, beside a side one), its remembered
// distance from the end of that edge; without a taskbar, on the bottom of the screen.
void Dock() {
  RECT bar;
  int screen_w = GetSystemMetrics(SM_CXSCREEN), screen_h = GetSystemMetrics(SM_CYSCREEN);
  if (!TaskbarRect(bar)) bar = {0, screen_h, screen_w, screen_h};
  const int w = host.size.cx + kGrip, h = host.size.cy;
  const int offset = static_cast<int>(SavedOffset());
  int x, y;
  if (bar.top > 0) {  // at the bottom
    x = bar.right - w - offset;
    y = bar.top - h;
  } else if (bar.left > 0) {  // at the right
    x = bar.left - w;
    y = bar.bottom - h - offset;
  } else if (bar.right - bar.left >= bar.bottom - bar.top) {  // at the top
    x = bar.right - w - offset;
    y = bar.bottom;
  } else {  // at the left
    x = bar.right;
    y = bar.bottom - h - offset;
  }
  SetWindowPos(host.strip, HWND_TOPMOST, x, y, w, h, SWP_NOACTIVATE);
}

void ShowBandMenu(POINT at) {
  if (!host.menu) return;
  HMENU menu = CreatePopupMenu();
  host.menu->QueryContextMenu(menu, 0, kFirstMenuId, kFirstMenuId + 10, CMF_NORMAL);
  SetForegroundWindow(host.strip);
  UINT chosen = TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x, at.y, 0, host.strip,
                               nullptr);
  DestroyMenu(menu);
  if (chosen < kFirstMenuId) return;
  CMINVOKECOMMANDINFO info{sizeof info};
  info.hwnd = host.strip;
  info.lpVerb = MAKEINTRESOURCEA(chosen - kFirstMenuId);
  info.nShow = SW_SHOWNORMAL;
  host.menu->InvokeCommand(&info);
}

LRESULT CALLBACK StripProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_SIZE:
      if (host.band_window)
        MoveWindow(host.band_window, kGrip, 0, LOWORD(lp) - kGrip, HIWORD(lp), TRUE);
      return 0;
    case WM_NCHITTEST: {  // the grip moves the strip
      POINT p{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
      ScreenToClient(hwnd, &p);
      return p.x < kGrip ? HTCAPTION : HTCLIENT;
    }
    case WM_CONTEXTMENU: {
      POINT at{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
      ShowBandMenu(at);
      return 0;
    }
    case WM_EXITSIZEMOVE:
      if (host.dock) {
        RECT r, bar;
        GetWindowRect(hwnd, &r);
        if (TaskbarRect(bar) && bar.top > 0) SaveOffset(static_cast<DWORD>(std::max(0L, bar.right - r.right)));
        Dock();
      }
      return 0;
    case WM_TIMER:
    case WM_DISPLAYCHANGE:
    case WM_SETTINGCHANGE:
      if (host.dock) Dock();
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd, &ps);
      RECT grip{0, 0, kGrip, host.size.cy};
      FillRect(dc, &grip, GetSysColorBrush(COLOR_BTNSHADOW));
      EndPaint(hwnd, &ps);
      return 0;
    }
    case WM_CLOSE:
      DestroyWindow(hwnd);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

}  // namespace

namespace {

HRESULT CreateBand() {
  HRESULT hr = CoCreateInstance(kClsidDeskbar, nullptr, CLSCTX_INPROC_SERVER, IID_IDeskBand,
                                reinterpret_cast<void**>(&host.band));
  if (FAILED(hr)) return hr;
  host.band->QueryInterface(IID_IContextMenu, reinterpret_cast<void**>(&host.menu));
  return S_OK;
}

void CloseBand() {
  if (!host.band) return;
  host.band->CloseDW(0);
  IObjectWithSite* with_site = nullptr;
  if (SUCCEEDED(host.band->QueryInterface(IID_IObjectWithSite, reinterpret_cast<void**>(&with_site)))) {
    with_site->SetSite(nullptr);
    with_site->Release();
  }
  if (host.menu) host.menu->Release();
  host.band->Release();
  host.band = nullptr;
  host.menu = nullptr;
}

DESKBANDINFO BandInfo() {
  DESKBANDINFO info{};
  info.dwMask = DBIM_MINSIZE | DBIM_MAXSIZE | DBIM_INTEGRAL | DBIM_ACTUAL | DBIM_TITLE |
                DBIM_MODEFLAGS | DBIM_BKCOLOR;
  info.crBkgnd = RGB(1, 2, 3);
  host.band->GetBandInfo(0, DBIF_VIEWMODE_NORMAL, &info);
  return info;
}

// Whether the band shows itself (its strip may be hidden: the report does not show it).
const char* Visible(HWND window) {
  return GetWindowLongPtrW(window, GWL_STYLE) & WS_VISIBLE ? "yes" : "no";
}

std::string Narrow(const wchar_t* text) {
  std::string out;
  for (; *text; ++text) out += *text < 128 ? static_cast<char>(*text) : '?';
  return out;
}

// What the band answers, one line a check; the band is closed at the end.
int Report(HWND strip) {
  DESKBANDINFO info = BandInfo();
  std::printf("minSize=%ldx%ld maxSize=%ldx%ld integral=%ldx%ld actual=%ldx%ld title=%s modeFlags=%lu\n",
              info.ptMinSize.x, info.ptMinSize.y, info.ptMaxSize.x, info.ptMaxSize.y,
              info.ptIntegral.x, info.ptIntegral.y, info.ptActual.x, info.ptActual.y,
              Narrow(info.wszTitle).c_str(), info.dwModeFlags);
  std::printf("background untouched: %s\n", info.crBkgnd == RGB(1, 2, 3) ? "yes" : "no");
  std::printf("GetBandInfo(null) -> %s\n", Describe(host.band->GetBandInfo(0, 0, nullptr)).c_str());
  DESKBANDINFO unknown{};
  unknown.dwMask = 0xFF00;
  unknown.ptActual = {7, 7};
  HRESULT unknown_hr = host.band->GetBandInfo(0, 0, &unknown);
  std::printf("GetBandInfo(unknown mask) -> %s, untouched: %s\n", Describe(unknown_hr).c_str(),
              unknown.ptActual.x == 7 && unknown.wszTitle[0] == 0 ? "yes" : "no");

  IObjectWithSite* with_site = nullptr;
  host.band->QueryInterface(IID_IObjectWithSite, reinterpret_cast<void**>(&with_site));
  BareSite bare;
  std::printf("SetSite(without IOleWindow) -> %s\n", Describe(with_site->SetSite(&bare)).c_str());
  Site site(strip);
  std::printf("SetSite -> %s\n", Describe(with_site->SetSite(static_cast<IOleWindow*>(&site))).c_str());
  HWND window = nullptr;
  host.band->GetWindow(&window);
  std::printf("band window child of the site: %s\n",
              window && GetParent(window) == strip && (GetWindowLongPtrW(window, GWL_STYLE) & WS_CHILD)
                  ? "yes" : "no");
  std::printf("GetWindow(null) -> %s\n", Describe(host.band->GetWindow(nullptr)).c_str());

  HMENU menu = CreatePopupMenu();
  AppendMenuW(menu, MF_STRING, 1, L"one");
  AppendMenuW(menu, MF_STRING, 2, L"two");
  AppendMenuW(menu, MF_STRING, 3, L"three");
  HRESULT hr = host.menu->QueryContextMenu(menu, 3, 100, 200, CMF_NORMAL);
  wchar_t first[64] = L"", second[64] = L"";
  GetMenuStringW(menu, 3, first, 64, MF_BYPOSITION);
  GetMenuStringW(menu, 4, second, 64, MF_BYPOSITION);
  std::printf("QueryContextMenu -> %s, code %u: %u=%s, %u=%s\n", Describe(hr).c_str(),
              HRESULT_CODE(hr), GetMenuItemID(menu, 3), Narrow(first).c_str(),
              GetMenuItemID(menu, 4), Narrow(second).c_str());
  DestroyMenu(menu);
  std::printf("QueryContextMenu(no menu) -> %s\n",
              Describe(host.menu->QueryContextMenu(nullptr, 0, 1, 2, 0)).c_str());
  CMINVOKECOMMANDINFO text_verb{sizeof text_verb};
  text_verb.lpVerb = "open";
  std::printf("InvokeCommand(\"open\") -> %s\n", Describe(host.menu->InvokeCommand(&text_verb)).c_str());
  CMINVOKECOMMANDINFO offset2{sizeof offset2};
  offset2.lpVerb = MAKEINTRESOURCEA(2);
  std::printf("InvokeCommand(2) -> %s\n", Describe(host.menu->InvokeCommand(&offset2)).c_str());
  std::printf("InvokeCommand(null) -> %s\n", Describe(host.menu->InvokeCommand(nullptr)).c_str());

  IInputObject* input = nullptr;
  host.band->QueryInterface(IID_IInputObject, reinterpret_cast<void**>(&input));
  std::printf("UIActivateIO -> %s\n", Describe(input->UIActivateIO(TRUE, nullptr)).c_str());
  std::printf("HasFocusIO -> %s\n", Describe(input->HasFocusIO()).c_str());
  std::printf("TranslateAcceleratorIO -> %s\n", Describe(input->TranslateAcceleratorIO(nullptr)).c_str());
  input->Release();
  std::printf("ResizeBorderDW -> %s\n", Describe(host.band->ResizeBorderDW(nullptr, nullptr, FALSE)).c_str());
  std::printf("ContextSensitiveHelp -> %s\n", Describe(host.band->ContextSensitiveHelp(TRUE)).c_str());
  char name[64];
  std::printf("GetCommandString -> %s\n",
              Describe(host.menu->GetCommandString(0, GCS_VERBA, nullptr, name, 64)).c_str());
  IPersist* persist = nullptr;
  host.band->QueryInterface(IID_IPersist, reinterpret_cast<void**>(&persist));
  CLSID clsid{};
  persist->GetClassID(&clsid);
  std::printf("GetClassID -> %s\n", clsid == kClsidDeskbar ? "Deskbar" : "another class");
  persist->Release();
  std::printf("ShowDW -> %s\n", Describe(host.band->ShowDW(TRUE)).c_str());
  std::printf("band window visible: %s\n", Visible(window));
  host.band->ShowDW(FALSE);
  std::printf("after ShowDW(FALSE) visible: %s\n", Visible(window));
  host.band->ShowDW(TRUE);
  std::printf("after ShowDW(TRUE) visible: %s\n", Visible(window));

  IDispatch* dispatch = nullptr;
  host.band->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch));
  LPOLESTR method = const_cast<LPOLESTR>(L"LoadDBSkin");
  DISPID id = 0;
  HRESULT named = dispatch->GetIDsOfNames(IID_NULL, &method, 1, 0, &id);
  VARIANT arg;
  VariantInit(&arg);
  arg.vt = VT_BSTR;
  arg.bstrVal = SysAllocString(L"C:\\skin");
  DISPPARAMS params{&arg, nullptr, 1, 0};
  HRESULT invoked = dispatch->Invoke(id, IID_NULL, 0, DISPATCH_METHOD, &params, nullptr, nullptr, nullptr);
  VariantClear(&arg);
  dispatch->Release();
  std::printf("LoadDBSkin by name -> %s, %s\n", Describe(named).c_str(), Describe(invoked).c_str());
  with_site->Release();
  // The server stays loaded while a band lives, and may go once the last one has.
  using CanUnloadProc = HRESULT(STDAPICALLTYPE*)();
  auto can_unload = reinterpret_cast<CanUnloadProc>(
      GetProcAddress(GetModuleHandleW(L"QuaveroDeskBand.dll"), "DllCanUnloadNow"));
  if (can_unload) std::printf("DllCanUnloadNow while a band lives -> %s\n", Describe(can_unload()).c_str());
  CloseBand();
  if (can_unload) std::printf("DllCanUnloadNow after -> %s\n", Describe(can_unload()).c_str());
  std::printf("closed\n");
  return 0;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  bool report = false, window_mode = false;
  int invoke = -1;
  host.dock = false;
  for (int i = 1; i < argc; ++i) {
    std::wstring a = argv[i];
    if (a == L"--report") report = true;
    else if (a == L"--dock") host.dock = true;
    else if (a == L"--window") window_mode = true;
    else if (a == L"--invoke" && i + 1 < argc) invoke = _wtoi(argv[++i]);
  }
  // A report goes to the console the host was started from, when there is one.
  if (report && AttachConsole(ATTACH_PARENT_PROCESS)) std::freopen("CONOUT$", "w", stdout);
  if (!window_mode && !report && !host.dock) {
    // Windows 11 (build 22000 on) hosts no desk bands in its taskbar: the strip docks there.
    using RtlGetVersionProc = LONG(WINAPI*)(OSVERSIONINFOW*);
    auto get_version = reinterpret_cast<RtlGetVersionProc>(
        GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "RtlGetVersion"));
    OSVERSIONINFOW os{sizeof os};
    host.dock = get_version && get_version(&os) == 0 && os.dwBuildNumber >= 22000;
  }
  OleInitialize(nullptr);

  WNDCLASSW wc{};
  wc.lpfnWndProc = StripProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  wc.lpszClassName = L"QuaveroBandHost";
  RegisterClassW(&wc);
  host.strip = CreateWindowExW(WS_EX_TOOLWINDOW, wc.lpszClassName, L"Quavero Band",
                               WS_POPUP | WS_BORDER | WS_CLIPCHILDREN, 200, 200,
                               host.size.cx + kGrip, host.size.cy, nullptr, nullptr, instance,
                               nullptr);
  HRESULT hr = CreateBand();
  if (FAILED(hr)) {
    std::fprintf(stderr, "quavero-bandhost: the band cannot be created: %s\n", Describe(hr).c_str());
    return 1;
  }
  if (report) return Report(host.strip);

  Site site(host.strip);
  DESKBANDINFO info = BandInfo();
  if (info.ptActual.x > 0) host.size.cx = info.ptActual.x;
  if (info.ptMinSize.x > host.size.cx) host.size.cx = info.ptMinSize.x;
  if (info.ptActual.y > 0) host.size.cy = info.ptActual.y;
  if (info.ptMinSize.y > host.size.cy) host.size.cy = info.ptMinSize.y;
  IObjectWithSite* with_site = nullptr;
  host.band->QueryInterface(IID_IObjectWithSite, reinterpret_cast<void**>(&with_site));
  hr = with_site->SetSite(static_cast<IOleWindow*>(&site));
  with_site->Release();
  if (FAILED(hr)) {
    std::fprintf(stderr, "quavero-bandhost: the band refused its site: %s\n", Describe(hr).c_str());
    CloseBand();
    return 1;
  }
  host.band->GetWindow(&host.band_window);
  SetWindowPos(host.strip, nullptr, 0, 0, host.size.cx + kGrip, host.size.cy,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  if (host.band_window)
    MoveWindow(host.band_window, kGrip, 0, host.size.cx, host.size.cy, TRUE);
  host.band->ShowDW(TRUE);
  if (host.dock) {
    Dock();
    SetTimer(host.strip, kFollowTimer, 1000, nullptr);
  }
  ShowWindow(host.strip, SW_SHOWNOACTIVATE);
  IInputObject* input = nullptr;
  if (SUCCEEDED(host.band->QueryInterface(IID_IInputObject, reinterpret_cast<void**>(&input)))) {
    input->UIActivateIO(TRUE, nullptr);
    input->Release();
  }
  if (invoke >= 0 && host.menu) {
    CMINVOKECOMMANDINFO command{sizeof command};
    command.hwnd = host.strip;
    command.lpVerb = MAKEINTRESOURCEA(invoke);
    host.menu->InvokeCommand(&command);
  }
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  CloseBand();
  return 0;
}
