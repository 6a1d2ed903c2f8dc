// A late-bound COM object of the stand-in: IDispatch over a table of member names, every call
// written to the journal, failures returned as iTunes returns them (an exception with the
// HRESULT and a description). Every object counts itself, so that quitting can tell whether
// clients still hold any.
#pragma once

#include <windows.h>
#include <oaidl.h>

#include <string>
#include <vector>

#include "journal.h"
#include "platform/win32/wide.h"

namespace quavero::standin {

// The objects alive now, that clients may hold.
LONG LiveObjects();

class DispatchObject : public IDispatch {
 public:
  DispatchObject(Journal& journal, const wchar_t* kind);
  virtual ~DispatchObject();

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* n) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override;
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID,
                                          DISPID* ids) override;
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params,
                                   VARIANT* result, EXCEPINFO* info, UINT*) override;

 protected:
  enum class Kind { kGet, kPut, kCall };
  // The member names; DISPID i + 1 is names()[i], and DISPID 0 is "Item".
  virtual const std::vector<std::wstring>& Names() const = 0;
  // Carries out a member; args in declaration order. Throws quavero::Failure.
  virtual void Handle(const std::wstring& name, Kind kind, const std::vector<VARIANT*>& args,
                      VARIANT* result) = 0;
  virtual HRESULT QueryOther(REFIID, void**) { return E_NOINTERFACE; }
  // Which object of its kind this is, for the journal: "(Party in iPod)"; empty when one of
  // its kind is all there is.
  virtual std::string Identity() const { return ""; }
  Journal& journal_;

 private:
  LONG refs_ = 1;
  const wchar_t* kind_;
};

// Values to and from VARIANTs.
void Return(VARIANT* result, long value);
void Return(VARIANT* result, bool value);
void Return(VARIANT* result, const std::string& value);
void Return(VARIANT* result, IDispatch* object);  // takes over the reference; nullptr: Nothing
long ArgLong(const std::vector<VARIANT*>& args, size_t i);
bool ArgBool(const std::vector<VARIANT*>& args, size_t i);
std::string ArgText(const std::vector<VARIANT*>& args, size_t i);
IDispatch* ArgObject(const std::vector<VARIANT*>& args, size_t i);
std::string Describe(const VARIANT& v);

using platform::win32::Utf8;
using platform::win32::Wide;

}  // namespace quavero::standin
