#include "platform/win32/win32_settings.h"

#include <windows.h>

#include "platform/win32/wide.h"

namespace quavero::platform::win32 {
namespace {

std::wstring KeyPath(const std::string& app, const std::string& section) {
  return L"Software\\VB and VBA Program Settings\\" + Wide(app) + L"\\" + Wide(section);
}

}  // namespace

std::string Win32Settings::Get(const std::string& app, const std::string& section,
                               const std::string& key, const std::string& fallback) {
  HKEY hkey;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, KeyPath(app, section).c_str(), 0, KEY_READ, &hkey) !=
      ERROR_SUCCESS)
    return fallback;
  std::wstring name = Wide(key);
  DWORD type = 0, size = 0;
  std::string result = fallback;
  if (RegQueryValueExW(hkey, name.c_str(), nullptr, &type, nullptr, &size) == ERROR_SUCCESS &&
      (type == REG_SZ || type == REG_EXPAND_SZ)) {
    std::wstring value(size / sizeof(wchar_t) + 1, L'\0');
    if (RegQueryValueExW(hkey, name.c_str(), nullptr, &type,
                         reinterpret_cast<BYTE*>(value.data()), &size) == ERROR_SUCCESS) {
      value.resize(size / sizeof(wchar_t));
      while (!value.empty() && value.back() == L'\0') value.pop_back();
      result = Utf8(value);
    }
  }
  RegCloseKey(hkey);
  return result;
}

void Win32Settings::Save(const std::string& app, const std::string& section,
                         const std::string& key, const std::string& value) {
  HKEY hkey;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, KeyPath(app, section).c_str(), 0, nullptr, 0,
                      KEY_WRITE, nullptr, &hkey, nullptr) != ERROR_SUCCESS)
    return;
  std::wstring data = Wide(value);
  RegSetValueExW(hkey, Wide(key).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                 static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(hkey);
}

}  // namespace quavero::platform::win32
