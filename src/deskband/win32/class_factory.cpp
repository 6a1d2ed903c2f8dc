#include "deskband/win32/class_factory.h"

#include <new>

#include "deskband/win32/deskbar.h"

namespace quavero::deskband::win32 {

ClassFactory::ClassFactory() { ObjectCreated(); }
ClassFactory::~ClassFactory() { ObjectDestroyed(); }

STDMETHODIMP ClassFactory::QueryInterface(REFIID riid, void** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (riid != IID_IUnknown && riid != IID_IClassFactory) return E_NOINTERFACE;
  *out = static_cast<IClassFactory*>(this);
  AddRef();
  return S_OK;
}

STDMETHODIMP_(ULONG) ClassFactory::AddRef() { return InterlockedIncrement(&references_); }

STDMETHODIMP_(ULONG) ClassFactory::Release() {
  LONG left = InterlockedDecrement(&references_);
  if (left == 0) delete this;
  return left;
}

STDMETHODIMP ClassFactory::CreateInstance(IUnknown* outer, REFIID riid, void** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (outer) return CLASS_E_NOAGGREGATION;
  auto* band = new (std::nothrow) Deskbar();
  if (!band) return E_OUTOFMEMORY;
  HRESULT hr = band->QueryInterface(riid, out);
  band->Release();
  return hr;
}

STDMETHODIMP ClassFactory::LockServer(BOOL lock) {
  Lock(lock != FALSE);
  return S_OK;
}

}  // namespace quavero::deskband::win32
