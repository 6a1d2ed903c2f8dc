#include "dispatch_object.h"

#include <cwctype>

#include "base/failure.h"

namespace quavero::standin {
namespace {

LONG live_objects = 0;

bool SameName(const std::wstring& a, const wchar_t* b) {
  size_t n = wcslen(b);
  if (a.size() != n) return false;
  for (size_t i = 0; i < n; ++i)
    if (std::towlower(a[i]) != std::towlower(b[i])) return false;
  return true;
}

const char* KindText(WORD flags) {
  if (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) return "put";
  if ((flags & DISPATCH_PROPERTYGET) && !(flags & DISPATCH_METHOD)) return "get";
  return "call";
}

}  // namespace

LONG LiveObjects() { return live_objects; }

DispatchObject::DispatchObject(Journal& journal, const wchar_t* kind)
    : journal_(journal), kind_(kind) {
  InterlockedIncrement(&live_objects);
}

DispatchObject::~DispatchObject() { InterlockedDecrement(&live_objects); }

HRESULT DispatchObject::QueryInterface(REFIID riid, void** out) {
  if (!out) return E_POINTER;
  if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch)) {
    *out = static_cast<IDispatch*>(this);
    AddRef();
    return S_OK;
  }
  *out = nullptr;
  return QueryOther(riid, out);
}

ULONG DispatchObject::AddRef() { return static_cast<ULONG>(InterlockedIncrement(&refs_)); }

ULONG DispatchObject::Release() {
  LONG n = InterlockedDecrement(&refs_);
  if (n == 0) delete this;
  return static_cast<ULONG>(n);
}

HRESULT DispatchObject::GetTypeInfoCount(UINT* n) {
  if (n) *n = 0;
  return S_OK;
}

HRESULT DispatchObject::GetTypeInfo(UINT, LCID, ITypeInfo**) { return E_NOTIMPL; }

HRESULT DispatchObject::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
  if (count == 0) return E_INVALIDARG;
  const auto& table = Names();
  for (UINT k = 0; k < count; ++k) ids[k] = DISPID_UNKNOWN;
  for (size_t i = 0; i < table.size(); ++i) {
    if (SameName(table[i], names[0])) {
      ids[0] = table[i] == L"Item" ? DISPID_VALUE : static_cast<DISPID>(i + 1);
      return S_OK;
    }
  }
  return DISP_E_UNKNOWNNAME;
}

HRESULT DispatchObject::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params,
                               VARIANT* result, EXCEPINFO* info, UINT*) {
  const auto& table = Names();
  std::wstring name;
  if (id == DISPID_VALUE) name = L"Item";
  else if (id >= 1 && static_cast<size_t>(id) <= table.size()) name = table[id - 1];
  else return DISP_E_MEMBERNOTFOUND;

  std::vector<VARIANT*> args;  // declaration order: the last argument comes first
  UINT positional = params ? params->cArgs : 0;
  for (UINT i = positional; i > 0; --i) {
    VARIANT* v = &params->rgvarg[i - 1];
    while (v->vt == (VT_VARIANT | VT_BYREF) && v->pvarVal) v = v->pvarVal;
    args.push_back(v);
  }
  Kind kind = (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) ? Kind::kPut
              : (flags & DISPATCH_METHOD)                                 ? Kind::kCall
                                                                          : Kind::kGet;
  std::string line = Utf8(kind_) + Identity() + "." + Utf8(name) + " " + KindText(flags);
  for (VARIANT* a : args) line += " " + Describe(*a);
  VARIANT local;
  VariantInit(&local);
  VARIANT* out = result ? result : &local;
  try {
    Handle(name, kind, args, out);
    journal_.Write(line + (kind == Kind::kGet || (result && out->vt != VT_EMPTY)
                               ? " -> " + Describe(*out) : " -> ok"));
    VariantClear(&local);
    return S_OK;
  } catch (const Failure& f) {
    journal_.Write(line + " -> failure " + std::to_string(f.number()) + " " + f.description());
    VariantClear(&local);
    HRESULT hr = f.number() < 0 ? static_cast<HRESULT>(f.number())
                                : static_cast<HRESULT>(0x800A0000 | (f.number() & 0xFFFF));
    if (info) {
      *info = EXCEPINFO{};
      info->bstrSource = SysAllocString(L"iTunes");
      info->bstrDescription = SysAllocString(Wide(f.description()).c_str());
      info->scode = hr;
      return DISP_E_EXCEPTION;
    }
    return hr;
  }
}

void Return(VARIANT* result, long value) {
  result->vt = VT_I4;
  result->lVal = value;
}

void Return(VARIANT* result, bool value) {
  result->vt = VT_BOOL;
  result->boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
}

void Return(VARIANT* result, const std::string& value) {
  result->vt = VT_BSTR;
  result->bstrVal = SysAllocString(Wide(value).c_str());
}

void Return(VARIANT* result, IDispatch* object) {
  result->vt = VT_DISPATCH;
  result->pdispVal = object;
}

namespace {

VARIANT Converted(const std::vector<VARIANT*>& args, size_t i, VARTYPE type) {
  if (i >= args.size()) throw Failure(static_cast<int>(DISP_E_BADPARAMCOUNT), "Invalid number of parameters.");
  VARIANT v;
  VariantInit(&v);
  if (FAILED(VariantChangeType(&v, args[i], 0, type)))
    throw Failure(static_cast<int>(DISP_E_TYPEMISMATCH), "Type mismatch.");
  return v;
}

}  // namespace

long ArgLong(const std::vector<VARIANT*>& args, size_t i) {
  return Converted(args, i, VT_I4).lVal;
}

bool ArgBool(const std::vector<VARIANT*>& args, size_t i) {
  return Converted(args, i, VT_BOOL).boolVal != VARIANT_FALSE;
}

std::string ArgText(const std::vector<VARIANT*>& args, size_t i) {
  VARIANT v = Converted(args, i, VT_BSTR);
  std::string text = v.bstrVal ? Utf8(std::wstring(v.bstrVal, SysStringLen(v.bstrVal))) : "";
  VariantClear(&v);
  return text;
}

IDispatch* ArgObject(const std::vector<VARIANT*>& args, size_t i) {
  if (i >= args.size()) throw Failure(static_cast<int>(DISP_E_BADPARAMCOUNT), "Invalid number of parameters.");
  const VARIANT* v = args[i];
  if (v->vt == VT_DISPATCH) return v->pdispVal;
  if (v->vt == (VT_DISPATCH | VT_BYREF) && v->ppdispVal) return *v->ppdispVal;
  throw Failure(static_cast<int>(DISP_E_TYPEMISMATCH), "Type mismatch.");
}

std::string Describe(const VARIANT& v) {
  switch (v.vt) {
    case VT_EMPTY: return "(nothing)";
    case VT_I4: return std::to_string(v.lVal);
    case VT_I2: return std::to_string(v.iVal);
    case VT_BOOL: return v.boolVal ? "true" : "false";
    case VT_BSTR:
      return "\"" + (v.bstrVal ? Utf8(std::wstring(v.bstrVal, SysStringLen(v.bstrVal))) : "") + "\"";
    case VT_DISPATCH: return v.pdispVal ? "(object)" : "(Nothing)";
    default: {
      VARIANT text;
      VariantInit(&text);
      std::string out = "(value)";
      if (SUCCEEDED(VariantChangeType(&text, const_cast<VARIANT*>(&v), 0, VT_BSTR)) && text.bstrVal)
        out = Utf8(std::wstring(text.bstrVal, SysStringLen(text.bstrVal)));
      VariantClear(&text);
      return out;
    }
  }
}

}  // namespace quavero::standin
