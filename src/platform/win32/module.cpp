#include "platform/win32/module.h"

#include <string>
#include <vector>

namespace quavero::platform::win32 {
namespace {

std::vector<std::wstring>& Registered() {
  static std::vector<std::wstring> names;
  return names;
}

}  // namespace

HINSTANCE ThisModule() {
  HMODULE module = nullptr;
  GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                         GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<LPCWSTR>(&ThisModule), &module);
  return module;
}

bool RegisterModuleClass(WNDCLASSW wc) {
  wc.hInstance = ThisModule();
  if (!RegisterClassW(&wc)) return GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
  Registered().push_back(wc.lpszClassName);
  return true;
}

void UnregisterModuleClasses() {
  for (const std::wstring& name : Registered()) UnregisterClassW(name.c_str(), ThisModule());
  Registered().clear();
}

}  // namespace quavero::platform::win32
