// The band object (Deskbar): the COM object the shell creates for a desk band. It makes the
// band's skin window (deskband::BandWindow), places it in the window the shell's site gives,
// answers the band's sizes and title, shows and hides it, and adds two entries to the band's
// context menu. It lives in the shell's process: every method catches everything and answers
// with an HRESULT.
#pragma once

#include <windows.h>
#include <ole2.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <memory>

#include "deskband/band_window.h"
#include "itunes/link.h"
#include "platform/win32/win32_platform.h"

namespace quavero::deskband::win32 {

// The identity of the server.
extern const CLSID kClsidDeskbar;
extern const IID kIidDeskbarDispatch;
extern const GUID kTypeLibId;
inline constexpr wchar_t kProgId[] = L"QuaveroDeskband.Deskbar";

// The class's own dispatch interface, _Deskbar.
struct DeskbarDispatch : public IDispatch {
  virtual HRESULT STDMETHODCALLTYPE LoadDBSkin(BSTR Path) = 0;
};

// What every band of the process shares: the platform and the band's iTunes object. Made with
// the first band, gone with the last object of the server.
struct BandModule {
  platform::win32::Win32Platform platform;
  itunes::Link link{platform};
};

// The server's live objects and locks, for DllCanUnloadNow.
void ObjectCreated();
void ObjectDestroyed();
void Lock(bool lock);
bool CanUnload();
BandModule& Module();

class Deskbar : public IDeskBand,
                public IObjectWithSite,
                public IInputObject,
                public IContextMenu,
                public IPersist,
                public DeskbarDispatch {
 public:
  Deskbar();
  virtual ~Deskbar();

  // IUnknown.
  STDMETHODIMP QueryInterface(REFIID riid, void** out) override;
  STDMETHODIMP_(ULONG) AddRef() override;
  STDMETHODIMP_(ULONG) Release() override;

  // IOleWindow, IDockingWindow, IDeskBand.
  STDMETHODIMP GetWindow(HWND* window) override;
  STDMETHODIMP ContextSensitiveHelp(BOOL enter) override;
  STDMETHODIMP ShowDW(BOOL show) override;
  STDMETHODIMP CloseDW(DWORD reserved) override;
  STDMETHODIMP ResizeBorderDW(LPCRECT border, IUnknown* site, BOOL reserved) override;
  STDMETHODIMP GetBandInfo(DWORD band_id, DWORD view_mode, DESKBANDINFO* info) override;

  // IObjectWithSite.
  STDMETHODIMP SetSite(IUnknown* site) override;
  STDMETHODIMP GetSite(REFIID riid, void** out) override;

  // IInputObject.
  STDMETHODIMP UIActivateIO(BOOL activate, MSG* msg) override;
  STDMETHODIMP HasFocusIO() override;
  STDMETHODIMP TranslateAcceleratorIO(MSG* msg) override;

  // IContextMenu.
  STDMETHODIMP QueryContextMenu(HMENU menu, UINT index, UINT first, UINT last,
                                UINT flags) override;
  STDMETHODIMP InvokeCommand(CMINVOKECOMMANDINFO* info) override;
  STDMETHODIMP GetCommandString(UINT_PTR command, UINT type, UINT* reserved, CHAR* name,
                                UINT size) override;

  // IPersist.
  STDMETHODIMP GetClassID(CLSID* id) override;

  // IDispatch and _Deskbar.
  STDMETHODIMP GetTypeInfoCount(UINT* count) override;
  STDMETHODIMP GetTypeInfo(UINT index, LCID lcid, ITypeInfo** info) override;
  STDMETHODIMP GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID lcid,
                             DISPID* ids) override;
  STDMETHODIMP Invoke(DISPID id, REFIID riid, LCID lcid, WORD flags, DISPPARAMS* params,
                      VARIANT* result, EXCEPINFO* exception, UINT* arg_error) override;
  STDMETHODIMP LoadDBSkin(BSTR Path) override;

 private:
  // The skin window, made on first use; nullptr when it cannot be made.
  BandWindow* Band();
  HWND BandHwnd();
  ITypeInfo* TypeInfo();

  LONG references_ = 1;
  IUnknown* site_ = nullptr;
  HWND parent_ = nullptr;
  HWND band_hwnd_ = nullptr;
  std::unique_ptr<BandWindow> band_;
  ITypeInfo* type_info_ = nullptr;
};

}  // namespace quavero::deskband::win32
