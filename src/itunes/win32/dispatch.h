// Late-bound calls through IDispatch: member names are resolved once per kind of object and
// cached; every failed call becomes a quavero::Failure with the HRESULT and its description.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "itunes/win32/com_ptr.h"
#include "platform/win32/wide.h"

namespace quavero::itunes::win32 {

// Member identifiers of one kind of object (application, track, playlist...).
using NameCache = std::map<std::wstring, DISPID>;

[[noreturn]] void ThrowFor(HRESULT hr, const EXCEPINFO* info = nullptr);
using platform::win32::Wide;
std::string Utf8(BSTR text);

class Dispatch {
 public:
  Dispatch(ComPtr<IDispatch> object, NameCache& names) : object_(std::move(object)), names_(names) {}

  // args in the order the member declares them.
  void Invoke(const wchar_t* name, WORD kind, std::vector<VARIANT> args, VARIANT* result);
  void Call(const wchar_t* name, std::vector<VARIANT> args = {});
  long GetLong(const wchar_t* name);
  bool GetBool(const wchar_t* name);
  std::string GetText(const wchar_t* name);
  ComPtr<IDispatch> GetObject(const wchar_t* name, std::vector<VARIANT> args = {});
  void Put(const wchar_t* name, VARIANT value);
  void PutLong(const wchar_t* name, long value);
  void PutBool(const wchar_t* name, bool value);
  void PutText(const wchar_t* name, const std::string& value);

  IDispatch* get() const { return object_.get(); }

 private:
  DISPID Id(const wchar_t* name);
  ComPtr<IDispatch> object_;
  NameCache& names_;
};

}  // namespace quavero::itunes::win32
