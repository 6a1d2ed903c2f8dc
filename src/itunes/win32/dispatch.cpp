#include "itunes/win32/dispatch.h"

#include <cstdio>

#include "base/failure.h"

namespace quavero::itunes::win32 {
namespace {

std::string SystemMessage(HRESULT hr) {
  wchar_t* text = nullptr;
  DWORD n = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                               FORMAT_MESSAGE_IGNORE_INSERTS,
                           nullptr, static_cast<DWORD>(hr), 0, reinterpret_cast<LPWSTR>(&text), 0,
                           nullptr);
  std::string message;
  if (n && text) message = platform::win32::Utf8(std::wstring_view(text, n));
  if (text) LocalFree(text);
  while (!message.empty() && (message.back() == '\n' || message.back() == '\r' ||
                              message.back() == ' '))
    message.pop_back();
  if (message.empty()) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "Error 0x%08lX", static_cast<unsigned long>(hr));
    message = buffer;
  }
  return message;
}

}  // namespace

std::string Utf8(BSTR text) {
  return text ? platform::win32::Utf8(std::wstring_view(text, SysStringLen(text))) : std::string();
}

void ThrowFor(HRESULT hr, const EXCEPINFO* info) {
  std::string description;
  if (info) {
    EXCEPINFO filled = *info;
    if (filled.pfnDeferredFillIn) filled.pfnDeferredFillIn(&filled);
    if (filled.bstrDescription) description = Utf8(filled.bstrDescription);
    if (filled.scode) hr = filled.scode;
  }
  if (description.empty()) description = SystemMessage(hr);
  throw Failure(static_cast<int>(hr), description);
}

DISPID Dispatch::Id(const wchar_t* name) {
  auto it = names_.find(name);
  if (it != names_.end()) return it->second;
  DISPID id = DISPID_UNKNOWN;
  LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
  HRESULT hr = object_->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
  if (hr == DISP_E_UNKNOWNNAME) throw Failure(errors::kNoSuchMember);
  if (FAILED(hr)) ThrowFor(hr);
  names_[name] = id;  // only names that resolved are kept
  return id;
}

void Dispatch::Invoke(const wchar_t* name, WORD kind, std::vector<VARIANT> args, VARIANT* result) {
  if (!object_) throw Failure(errors::kObjectNotSet);
  DISPID id = Id(name);
  std::vector<VARIANT> reversed(args.rbegin(), args.rend());  // the last argument comes first
  DISPPARAMS params{reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
  DISPID put = DISPID_PROPERTYPUT;
  if (kind & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) {
    params.rgdispidNamedArgs = &put;
    params.cNamedArgs = 1;
  }
  EXCEPINFO info{};
  UINT bad_arg = 0;
  HRESULT hr = object_->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, kind, &params, result, &info,
                               &bad_arg);
  if (FAILED(hr)) {
    bool exception = hr == DISP_E_EXCEPTION;
    ThrowFor(hr, exception ? &info : nullptr);
  }
}

void Dispatch::Call(const wchar_t* name, std::vector<VARIANT> args) {
  Variant result;
  Invoke(name, DISPATCH_METHOD, std::move(args), result.put());
}

long Dispatch::GetLong(const wchar_t* name) {
  Variant v;
  Invoke(name, DISPATCH_PROPERTYGET, {}, v.put());
  Variant converted;
  HRESULT hr = VariantChangeType(converted.put(), &v.get(), 0, VT_I4);
  if (FAILED(hr)) ThrowFor(hr);
  return converted.get().lVal;
}

bool Dispatch::GetBool(const wchar_t* name) {
  Variant v;
  Invoke(name, DISPATCH_PROPERTYGET, {}, v.put());
  Variant converted;
  HRESULT hr = VariantChangeType(converted.put(), &v.get(), 0, VT_BOOL);
  if (FAILED(hr)) ThrowFor(hr);
  return converted.get().boolVal != VARIANT_FALSE;
}

std::string Dispatch::GetText(const wchar_t* name) {
  Variant v;
  Invoke(name, DISPATCH_PROPERTYGET, {}, v.put());
  Variant converted;
  HRESULT hr = VariantChangeType(converted.put(), &v.get(), 0, VT_BSTR);
  if (FAILED(hr)) ThrowFor(hr);
  return Utf8(converted.get().bstrVal);
}

ComPtr<IDispatch> Dispatch::GetObject(const wchar_t* name, std::vector<VARIANT> args) {
  Variant v;
  Invoke(name, args.empty() ? DISPATCH_PROPERTYGET : (DISPATCH_METHOD | DISPATCH_PROPERTYGET),
         std::move(args), v.put());
  if (v.get().vt == VT_DISPATCH && v.get().pdispVal) return ComPtr<IDispatch>(v.get().pdispVal);
  if (v.get().vt == VT_UNKNOWN && v.get().punkVal) {
    ComPtr<IDispatch> d;
    v.get().punkVal->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(d.put()));
    return d;
  }
  return {};  // Nothing
}

void Dispatch::Put(const wchar_t* name, VARIANT value) {
  Invoke(name, DISPATCH_PROPERTYPUT, {value}, nullptr);
}

void Dispatch::PutLong(const wchar_t* name, long value) {
  VARIANT v;
  v.vt = VT_I4;
  v.lVal = value;
  Put(name, v);
}

void Dispatch::PutBool(const wchar_t* name, bool value) {
  VARIANT v;
  v.vt = VT_BOOL;
  v.boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
  Put(name, v);
}

void Dispatch::PutText(const wchar_t* name, const std::string& value) {
  Variant v;
  v.get().vt = VT_BSTR;
  v.get().bstrVal = SysAllocString(Wide(value).c_str());
  Put(name, v.get());
}

}  // namespace quavero::itunes::win32
