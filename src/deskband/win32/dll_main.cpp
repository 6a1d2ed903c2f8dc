// QuaveroDeskBand.dll: the entry points of an in-process COM server. Registering writes the
// class, its programmatic identifier, the type library and the desk band category, so the
// shell lists the band among its toolbars; unregistering removes exactly that.
#include <windows.h>
#include <comcat.h>
#include <olectl.h>
#include <ole2.h>
#include <shlguid.h>
#include <shlobj.h>

#include <string>

#include "deskband/win32/class_factory.h"
#include "deskband/win32/deskbar.h"
#include "platform/win32/module.h"

using namespace quavero::deskband::win32;

namespace {

std::wstring GuidText(const GUID& guid) {
  wchar_t text[40];
  StringFromGUID2(guid, text, 40);
  return text;
}

std::wstring ModulePath() {
  wchar_t path[MAX_PATH];
  DWORD n = GetModuleFileNameW(quavero::platform::win32::ThisModule(), path, MAX_PATH);
  return std::wstring(path, n);
}

bool SetValue(const std::wstring& key, const wchar_t* name, const std::wstring& value) {
  HKEY handle;
  if (RegCreateKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &handle,
                      nullptr) != ERROR_SUCCESS)
    return false;
  LONG result = RegSetValueExW(handle, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                               static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(handle);
  return result == ERROR_SUCCESS;
}

HRESULT Categorize(bool add) {
  ICatRegister* categories = nullptr;
  HRESULT hr = CoCreateInstance(CLSID_StdComponentCategoriesMgr, nullptr, CLSCTX_INPROC_SERVER,
                                IID_ICatRegister, reinterpret_cast<void**>(&categories));
  if (FAILED(hr)) return hr;
  CATID category = CATID_DeskBand;
  hr = add ? categories->RegisterClassImplCategories(kClsidDeskbar, 1, &category)
           : categories->UnRegisterClassImplCategories(kClsidDeskbar, 1, &category);
  categories->Release();
  return hr;
}

}  // namespace

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID reserved) {
  // Unloaded by FreeLibrary (not at process end): no window class may point into this code.
  if (reason == DLL_PROCESS_DETACH && reserved == nullptr)
    quavero::platform::win32::UnregisterModuleClasses();
  return TRUE;
}

STDAPI DllGetClassObject(REFCLSID clsid, REFIID riid, void** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (clsid != kClsidDeskbar) return CLASS_E_CLASSNOTAVAILABLE;
  auto* factory = new (std::nothrow) ClassFactory();
  if (!factory) return E_OUTOFMEMORY;
  HRESULT hr = factory->QueryInterface(riid, out);
  factory->Release();
  return hr;
}

STDAPI DllCanUnloadNow() { return CanUnload() ? S_OK : S_FALSE; }

STDAPI DllRegisterServer() {
  const std::wstring clsid = L"CLSID\\" + GuidText(kClsidDeskbar);
  const std::wstring path = ModulePath();
  bool written = SetValue(clsid, nullptr, L"Quavero") &&
                 SetValue(clsid + L"\\InprocServer32", nullptr, path) &&
                 SetValue(clsid + L"\\InprocServer32", L"ThreadingModel", L"Apartment") &&
                 SetValue(clsid + L"\\ProgID", nullptr, kProgId) &&
                 SetValue(clsid + L"\\TypeLib", nullptr, GuidText(kTypeLibId)) &&
                 SetValue(kProgId, nullptr, L"Deskbar") &&
                 SetValue(std::wstring(kProgId) + L"\\CLSID", nullptr, GuidText(kClsidDeskbar));
  if (!written) return SELFREG_E_CLASS;
  ITypeLib* library = nullptr;
  HRESULT hr = LoadTypeLibEx(path.c_str(), REGKIND_REGISTER, &library);
  if (FAILED(hr)) return SELFREG_E_TYPELIB;
  library->Release();
  return Categorize(true);
}

STDAPI DllUnregisterServer() {
  Categorize(false);
  UnRegisterTypeLib(kTypeLibId, 1, 0, LOCALE_NEUTRAL, SYS_WIN64);
  RegDeleteTreeW(HKEY_CLASSES_ROOT, (L"CLSID\\" + GuidText(kClsidDeskbar)).c_str());
  RegDeleteTreeW(HKEY_CLASSES_ROOT, kProgId);
  return S_OK;
}
