#include "platform/win32/win32_platform.h"

#include <windows.h>
#include <shellapi.h>

#include "platform/win32/wide.h"

namespace quavero::platform::win32 {

void Win32Shell::Open(const std::string& file, const std::string& parameters) {
  ShellExecuteW(nullptr, L"open", Wide(file).c_str(),
                parameters.empty() ? nullptr : Wide(parameters).c_str(), nullptr, SW_SHOWNORMAL);
}

Win32Instance::~Win32Instance() {
  if (mutex_) CloseHandle(mutex_);
}

bool Win32Instance::Claim() {
  HANDLE mutex = CreateMutexW(nullptr, FALSE, L"Local\\Quavero.SingleInstance");
  if (!mutex) return true;
  if (GetLastError() == ERROR_ALREADY_EXISTS) {
    CloseHandle(mutex);
    return false;
  }
  mutex_ = mutex;
  return true;
}

}  // namespace quavero::platform::win32
