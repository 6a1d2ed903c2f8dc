// The server's class factory: it makes Deskbar objects and keeps the server loaded while the
// shell holds a lock on it.
#pragma once

#include <windows.h>
#include <ole2.h>

namespace quavero::deskband::win32 {

class ClassFactory : public IClassFactory {
 public:
  ClassFactory();
  virtual ~ClassFactory();

  STDMETHODIMP QueryInterface(REFIID riid, void** out) override;
  STDMETHODIMP_(ULONG) AddRef() override;
  STDMETHODIMP_(ULONG) Release() override;
  STDMETHODIMP CreateInstance(IUnknown* outer, REFIID riid, void** out) override;
  STDMETHODIMP LockServer(BOOL lock) override;

 private:
  LONG references_ = 1;
};

}  // namespace quavero::deskband::win32
