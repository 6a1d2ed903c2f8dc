#include "platform/win32/win32_platform.h"

#include <windows.h>
#include <psapi.h>
#include <shellapi.h>

#include "itunes/win32/com_itunes.h"
#include "platform/win32/wide.h"

namespace quavero::platform::win32 {

void Win32Shell::Open(const std::string& file, const std::string& parameters) {
  ShellExecuteW(nullptr, L"open", Wide(file).c_str(),
                parameters.empty() ? nullptr : Wide(parameters).c_str(), nullptr, SW_SHOWNORMAL);
}

// The shell's file operation, with undo: the file lands in the recycle bin. The path list ends
// with two NUL characters.
void Win32Shell::SendToRecycleBin(const std::string& path, ui::WindowHandle owner) {
  std::wstring from = Wide(path);
  from.append(2, L'\0');
  SHFILEOPSTRUCTW operation{};
  operation.hwnd = reinterpret_cast<HWND>(owner);
  operation.wFunc = FO_DELETE;
  operation.pFrom = from.c_str();
  operation.fFlags = FOF_ALLOWUNDO;
  SHFileOperationW(&operation);
}

Win32Instance::~Win32Instance() {
  if (mutex_) CloseHandle(mutex_);
}

bool Win32Instance::Claim() {
  HANDLE mutex = CreateMutexW(nullptr, FALSE, L"Local\\Quavero.SingleInstance");
  if (!mutex) return true;
  bool first = GetLastError() != ERROR_ALREADY_EXISTS;
  if (mutex_) CloseHandle(mutex_);
  mutex_ = mutex;  // held while the program runs, so that later starts see this one
  return first;
}

std::string Win32Locale::DecimalSeparator() {
  wchar_t separator[8] = L".";
  if (GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, separator, 8) == 0) return ".";
  return Utf8(separator);
}

}  // namespace quavero::platform::win32

namespace quavero::platform::win32 {

Win32Processes::~Win32Processes() {
  for (auto& [id, handle] : watched_) CloseHandle(handle);
}

std::vector<ProcessInfo> Win32Processes::List() {
  std::vector<DWORD> ids(64);
  DWORD bytes = 0;
  // Grow the buffer for as long as the answer fills it.
  while (true) {
    if (!EnumProcesses(ids.data(), static_cast<DWORD>(ids.size() * sizeof(DWORD)), &bytes))
      return {};
    if (bytes < ids.size() * sizeof(DWORD)) break;
    ids.resize(ids.size() * 2);
  }
  ids.resize(bytes / sizeof(DWORD));
  std::vector<ProcessInfo> processes;
  for (DWORD id : ids) {
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, id);
    if (!process) continue;
    wchar_t path[MAX_PATH * 4];
    DWORD size = MAX_PATH * 4;
    if (QueryFullProcessImageNameW(process, 0, path, &size))
      processes.push_back({id, Utf8(std::wstring(path, size))});
    CloseHandle(process);
  }
  return processes;
}

bool Win32Processes::Alive(uint32_t id) {
  auto it = watched_.find(id);
  if (it == watched_.end()) {
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, id);
    if (!process) return false;
    it = watched_.emplace(id, process).first;
  }
  if (WaitForSingleObject(it->second, 0) == WAIT_TIMEOUT) return true;
  CloseHandle(it->second);
  watched_.erase(it);
  return false;
}

itunes::ApplicationPtr Win32Platform::CreateITunesApplication() {
  return itunes::win32::ConnectToITunes();
}

}  // namespace quavero::platform::win32
