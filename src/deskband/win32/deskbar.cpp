#include "deskband/win32/deskbar.h"

#include <exception>
#include <string>

#include "deskband/new_skin_window.h"
#include "platform/win32/module.h"

namespace quavero::deskband::win32 {

const CLSID kClsidDeskbar = {0x054C4812, 0x1E87, 0x4624,
                             {0xAF, 0x3E, 0x6B, 0xAA, 0xDB, 0x87, 0xC7, 0x71}};
const IID kIidDeskbarDispatch = {0x1645C794, 0xA08D, 0x4EAB,
                                 {0xB9, 0xF0, 0xD1, 0x8D, 0xAB, 0x1D, 0xA0, 0x33}};
const GUID kTypeLibId = {0xE245316F, 0x367D, 0x47DC,
                         {0x9C, 0xF9, 0x9C, 0xF0, 0xFF, 0x63, 0x61, 0x5F}};

namespace {

constexpr int kMinSize = 20;
constexpr POINTL kIdealSize = {150, 20};
constexpr DWORD kVariableHeight = 8;  // DBIMF_VARIABLEHEIGHT
constexpr wchar_t kTitle[] = L"Quavero";
constexpr char kNoConfiguration[] =
    "Sorry. but this feature is not yet available for DeskBar. Please suggest any configuration "
    "options you would like to:";

LONG objects = 0;
LONG locks = 0;
std::unique_ptr<BandModule> module;

// Runs a method's work; whatever it throws becomes E_UNEXPECTED, never the shell's problem.
template <typename Work>
HRESULT Guarded(Work work) {
  try {
    return work();
  } catch (...) {
    return E_UNEXPECTED;
  }
}

}  // namespace

void ObjectCreated() { InterlockedIncrement(&objects); }

void ObjectDestroyed() {
  if (InterlockedDecrement(&objects) == 0) module.reset();
}

void Lock(bool lock) {
  if (lock) InterlockedIncrement(&locks);
  else InterlockedDecrement(&locks);
}

bool CanUnload() { return objects == 0 && locks == 0; }

BandModule& Module() {
  if (!module) module = std::make_unique<BandModule>();
  return *module;
}

Deskbar::Deskbar() { ObjectCreated(); }

Deskbar::~Deskbar() {
  try {
    if (band_) band_->Form_Unload();
    band_.reset();
  } catch (...) {
  }
  if (site_) site_->Release();
  if (type_info_) type_info_->Release();
  ObjectDestroyed();
}

STDMETHODIMP Deskbar::QueryInterface(REFIID riid, void** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (riid == IID_IUnknown || riid == IID_IOleWindow || riid == IID_IDockingWindow ||
      riid == IID_IDeskBand)
    *out = static_cast<IDeskBand*>(this);
  else if (riid == IID_IObjectWithSite)
    *out = static_cast<IObjectWithSite*>(this);
  else if (riid == IID_IInputObject)
    *out = static_cast<IInputObject*>(this);
  else if (riid == IID_IContextMenu)
    *out = static_cast<IContextMenu*>(this);
  else if (riid == IID_IPersist)
    *out = static_cast<IPersist*>(this);
  else if (riid == IID_IDispatch || riid == kIidDeskbarDispatch)
    *out = static_cast<DeskbarDispatch*>(this);
  else
    return E_NOINTERFACE;
  AddRef();
  return S_OK;
}

STDMETHODIMP_(ULONG) Deskbar::AddRef() { return InterlockedIncrement(&references_); }

STDMETHODIMP_(ULONG) Deskbar::Release() {
  LONG left = InterlockedDecrement(&references_);
  if (left == 0) delete this;
  return left;
}

BandWindow* Deskbar::Band() {
  if (!band_) {
    BandModule& m = Module();
    // Made while the shell may be starting: its start-up shows no message.
    band_ = std::make_unique<BandWindow>(m.platform, m.link, true);
  }
  return band_.get();
}

HWND Deskbar::BandHwnd() {
  BandWindow* band = Band();
  return band ? reinterpret_cast<HWND>(band->form().RealisedHandle()) : nullptr;
}

STDMETHODIMP Deskbar::GetWindow(HWND* window) {
  if (!window) return E_POINTER;
  *window = band_hwnd_;
  return S_OK;
}

STDMETHODIMP Deskbar::ContextSensitiveHelp(BOOL) { return E_NOTIMPL; }

STDMETHODIMP Deskbar::ShowDW(BOOL show) {
  return Guarded([&] {
    BandWindow* band = Band();
    if (show) {
      band->form().Show(false);
    } else {
      band->form().Hide();
      if (band_hwnd_) ShowWindow(band_hwnd_, SW_HIDE);
    }
    return S_OK;
  });
}

STDMETHODIMP Deskbar::CloseDW(DWORD) {
  return Guarded([&] {
    if (band_) band_->Form_Unload();
    band_.reset();
    band_hwnd_ = nullptr;
    return S_OK;
  });
}

STDMETHODIMP Deskbar::ResizeBorderDW(LPCRECT, IUnknown*, BOOL) { return E_NOTIMPL; }

STDMETHODIMP Deskbar::GetBandInfo(DWORD, DWORD, DESKBANDINFO* info) {
  return Guarded([&] {
    BandWindow* band = Band();
    if (!info) return S_OK;
    DESKBANDINFO copy = *info;
    if (copy.dwMask & DBIM_MINSIZE) copy.ptMinSize = {kMinSize, kMinSize};
    if (copy.dwMask & DBIM_MAXSIZE) copy.ptMaxSize = {-1, -1};
    // A skin with a fixed size has it whatever the shell asked for.
    if (band->NoResizeX != kNoFixedSize || band->NoResizeY != kNoFixedSize) {
      copy.ptMinSize = {band->NoResizeX, band->NoResizeY};
      copy.ptMaxSize = {band->NoResizeX, band->NoResizeY};
    }
    if (copy.dwMask & DBIM_INTEGRAL) copy.ptIntegral = {1, 1};
    if (copy.dwMask & DBIM_ACTUAL) copy.ptActual = kIdealSize;
    if (copy.dwMask & DBIM_TITLE) lstrcpynW(copy.wszTitle, kTitle, ARRAYSIZE(copy.wszTitle));
    if (copy.dwMask & DBIM_MODEFLAGS) copy.dwModeFlags = kVariableHeight;
    *info = copy;
    return S_OK;
  });
}

STDMETHODIMP Deskbar::SetSite(IUnknown* site) {
  return Guarded([&]() -> HRESULT {
    if (!site) {
      if (site_) site_->Release();
      site_ = nullptr;
      return S_OK;
    }
    site->AddRef();  // before the old one goes: the shell may give the same site again
    if (site_) site_->Release();
    site_ = site;
    IOleWindow* ole_window = nullptr;
    HRESULT hr = site_->QueryInterface(IID_IOleWindow, reinterpret_cast<void**>(&ole_window));
    if (FAILED(hr)) return hr;
    IInputObjectSite* input_site = nullptr;
    hr = site_->QueryInterface(IID_IInputObjectSite, reinterpret_cast<void**>(&input_site));
    if (FAILED(hr)) {
      ole_window->Release();
      return hr;
    }
    input_site->Release();
    HWND parent = nullptr;
    hr = ole_window->GetWindow(&parent);
    ole_window->Release();
    if (FAILED(hr)) return hr;
    parent_ = parent;
    band_hwnd_ = BandHwnd();
    if (!band_hwnd_) return E_FAIL;
    // A child of the site's window: it moves, shows and goes with the taskbar.
    LONG_PTR style = GetWindowLongPtrW(band_hwnd_, GWL_STYLE);
    SetWindowLongPtrW(band_hwnd_, GWL_STYLE, (style & ~WS_POPUP) | WS_CHILD | WS_CLIPSIBLINGS);
    band_->form().SetParentWindow(reinterpret_cast<ui::WindowHandle>(parent_));
    return S_OK;
  });
}

STDMETHODIMP Deskbar::GetSite(REFIID riid, void** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (!site_) return E_FAIL;
  return site_->QueryInterface(riid, out);
}

STDMETHODIMP Deskbar::UIActivateIO(BOOL activate, MSG*) {
  if (activate && band_hwnd_) SetFocus(band_hwnd_);
  return S_OK;
}

STDMETHODIMP Deskbar::HasFocusIO() { return E_NOTIMPL; }
STDMETHODIMP Deskbar::TranslateAcceleratorIO(MSG*) { return E_NOTIMPL; }

STDMETHODIMP Deskbar::QueryContextMenu(HMENU menu, UINT index, UINT first, UINT, UINT) {
  if (!IsMenu(menu)) return E_INVALIDARG;
  InsertMenuW(menu, index, MF_BYPOSITION | MF_STRING, first, L"Quavero Configuration");
  InsertMenuW(menu, index + 1, MF_BYPOSITION | MF_STRING, first + 1, L"Load Deskbar Quavero");
  return MAKE_HRESULT(SEVERITY_SUCCESS, 0, 2);
}

// The verb is an offset from the first identifier the menu was given; a verb given as text
// names no entry of the band's.
STDMETHODIMP Deskbar::InvokeCommand(CMINVOKECOMMANDINFO* info) {
  if (!info) return E_POINTER;
  if (HIWORD(reinterpret_cast<UINT_PTR>(info->lpVerb)) != 0) return S_OK;
  return Guarded([&] {
    switch (LOWORD(reinterpret_cast<UINT_PTR>(info->lpVerb))) {
      case 0:
        Module().platform.windows().ShowMessageBox(kNoConfiguration, "No Configuration Available",
                                                   platform::Icon::kInformation,
                                                   platform::Buttons::kOk);
        break;
      case 1: {
        BandWindow* band = Band();
        NewSkinWindow picker(*band);
        Module().platform.windows().ShowModal(picker);
        break;
      }
      default:
        break;
    }
    return S_OK;
  });
}

STDMETHODIMP Deskbar::GetCommandString(UINT_PTR, UINT, UINT*, CHAR*, UINT) { return E_NOTIMPL; }

STDMETHODIMP Deskbar::GetClassID(CLSID* id) {
  if (!id) return E_POINTER;
  *id = kClsidDeskbar;
  return S_OK;
}

ITypeInfo* Deskbar::TypeInfo() {
  if (type_info_) return type_info_;
  wchar_t path[MAX_PATH];
  GetModuleFileNameW(platform::win32::ThisModule(), path, MAX_PATH);
  ITypeLib* library = nullptr;
  if (FAILED(LoadTypeLibEx(path, REGKIND_NONE, &library))) return nullptr;
  library->GetTypeInfoOfGuid(kIidDeskbarDispatch, &type_info_);
  library->Release();
  return type_info_;
}

STDMETHODIMP Deskbar::GetTypeInfoCount(UINT* count) {
  if (!count) return E_POINTER;
  *count = 1;
  return S_OK;
}

STDMETHODIMP Deskbar::GetTypeInfo(UINT index, LCID, ITypeInfo** info) {
  if (!info) return E_POINTER;
  *info = nullptr;
  if (index != 0) return DISP_E_BADINDEX;
  ITypeInfo* type_info = TypeInfo();
  if (!type_info) return TYPE_E_CANTLOADLIBRARY;
  type_info->AddRef();
  *info = type_info;
  return S_OK;
}

STDMETHODIMP Deskbar::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
  ITypeInfo* type_info = TypeInfo();
  if (!type_info) return TYPE_E_CANTLOADLIBRARY;
  return DispGetIDsOfNames(type_info, names, count, ids);
}

STDMETHODIMP Deskbar::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params,
                             VARIANT* result, EXCEPINFO* exception, UINT* arg_error) {
  ITypeInfo* type_info = TypeInfo();
  if (!type_info) return TYPE_E_CANTLOADLIBRARY;
  return DispInvoke(static_cast<DeskbarDispatch*>(this), type_info, id, flags, params, result,
                    exception, arg_error);
}

STDMETHODIMP Deskbar::LoadDBSkin(BSTR) { return S_OK; }

}  // namespace quavero::deskband::win32
