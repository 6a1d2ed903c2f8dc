#include "registration.h"

#include <cstdio>

namespace quavero::standin {
namespace {

constexpr wchar_t kClassId[] = L"{DC0C2640-1415-4644-875C-6F4D769839BA}";
constexpr wchar_t kOptionsKey[] = L"Software\\Quavero\\iTunes Stand-in";
constexpr wchar_t kAppPath[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\iTunes.exe";
// Windows finds "iTunes" under iTunes.exe; Wine's shell looks the name up as it is given.
constexpr wchar_t kAppPathBare[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\iTunes";

bool UnderWine() {
  HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

HKEY Root() { return UnderWine() ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER; }

std::wstring Exe() {
  wchar_t path[MAX_PATH];
  DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
  return std::wstring(path, n);
}

bool SetValue(HKEY root, const std::wstring& key, const wchar_t* name, const std::wstring& value) {
  HKEY h;
  if (RegCreateKeyExW(root, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &h, nullptr) !=
      ERROR_SUCCESS)
    return false;
  LONG r = RegSetValueExW(h, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                          static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(h);
  return r == ERROR_SUCCESS;
}

std::wstring GetValue(HKEY root, const std::wstring& key, const wchar_t* name) {
  wchar_t buffer[1024];
  DWORD size = sizeof buffer;
  if (RegGetValueW(root, key.c_str(), name, RRF_RT_REG_SZ, nullptr, buffer, &size) != ERROR_SUCCESS)
    return {};
  return buffer;
}

std::wstring ClassesKey(const std::wstring& rest) {
  return std::wstring(L"Software\\Classes\\") + rest;
}

// The server registered for the class now, wherever it is registered.
std::wstring RegisteredServer() {
  std::wstring key = ClassesKey(std::wstring(L"CLSID\\") + kClassId + L"\\LocalServer32");
  std::wstring server = GetValue(HKEY_CURRENT_USER, key, nullptr);
  if (server.empty()) server = GetValue(HKEY_LOCAL_MACHINE, key, nullptr);
  return server;
}

bool IsOurs(const std::wstring& server) {
  return server.find(L"iTunesStandIn") != std::wstring::npos;
}

}  // namespace

Options ReadRememberedOptions() {
  return {GetValue(HKEY_CURRENT_USER, kOptionsKey, L"Journal"),
          GetValue(HKEY_CURRENT_USER, kOptionsKey, L"Library")};
}

int Register(const Options& options) {
  std::wstring server = RegisteredServer();
  if (!server.empty() && !IsOurs(server))
    std::fwprintf(stderr, L"iTunesStandIn: warning: a real iTunes is registered (%ls); the "
                          L"stand-in takes its place until --unregister\n", server.c_str());
  HKEY root = Root();
  std::wstring exe = Exe();
  std::wstring clsid = std::wstring(L"CLSID\\") + kClassId;
  bool ok = SetValue(root, ClassesKey(L"iTunes.Application"), nullptr, L"iTunesApp Class") &&
            SetValue(root, ClassesKey(L"iTunes.Application\\CLSID"), nullptr, kClassId) &&
            SetValue(root, ClassesKey(L"iTunes.Application.1\\CLSID"), nullptr, kClassId) &&
            SetValue(root, ClassesKey(clsid), nullptr, L"iTunesApp Class") &&
            SetValue(root, ClassesKey(clsid + L"\\LocalServer32"), nullptr, L"\"" + exe + L"\"") &&
            SetValue(root, ClassesKey(clsid + L"\\ProgID"), nullptr, L"iTunes.Application.1") &&
            SetValue(root, ClassesKey(clsid + L"\\VersionIndependentProgID"), nullptr,
                     L"iTunes.Application") &&
            SetValue(root, kAppPath, nullptr, exe) && SetValue(root, kAppPathBare, nullptr, exe);
  SetValue(HKEY_CURRENT_USER, kOptionsKey, L"Journal", options.journal);
  SetValue(HKEY_CURRENT_USER, kOptionsKey, L"Library", options.library);
  if (!ok) {
    std::fprintf(stderr, "iTunesStandIn: the registration could not be written\n");
    return 1;
  }
  std::fwprintf(stdout, L"iTunesStandIn: registered %ls as iTunes.Application%ls\n", exe.c_str(),
                UnderWine() ? L" (for the machine, as Wine reads it)" : L" (for this user)");
  return 0;
}

int Unregister() {
  HKEY root = Root();
  if (!IsOurs(GetValue(root, ClassesKey(std::wstring(L"CLSID\\") + kClassId + L"\\LocalServer32"),
                       nullptr))) {
    std::fprintf(stderr, "iTunesStandIn: the registered iTunes is not the stand-in; left alone\n");
    return 1;
  }
  RegDeleteTreeW(root, ClassesKey(std::wstring(L"CLSID\\") + kClassId).c_str());
  RegDeleteTreeW(root, ClassesKey(L"iTunes.Application").c_str());
  RegDeleteTreeW(root, ClassesKey(L"iTunes.Application.1").c_str());
  for (const wchar_t* key : {kAppPath, kAppPathBare})
    if (IsOurs(GetValue(root, key, nullptr))) RegDeleteTreeW(root, key);
  RegDeleteTreeW(HKEY_CURRENT_USER, kOptionsKey);
  std::printf("iTunesStandIn: unregistered\n");
  return 0;
}

}  // namespace quavero::standin
