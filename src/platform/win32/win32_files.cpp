#include "platform/win32/win32_files.h"
#include "platform/win32/module.h"

#include <windows.h>

#include <algorithm>

#include "base/failure.h"
#include "base/text.h"
#include "platform/win32/wide.h"

namespace quavero::platform::win32 {
namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";

DWORD Attributes(const std::string& path) { return GetFileAttributesW(Wide(path).c_str()); }

[[noreturn]] void FailFor(DWORD error, const std::string& path) {
  switch (error) {
    case ERROR_FILE_NOT_FOUND: throw Failure(errors::kFileNotFound);
    case ERROR_PATH_NOT_FOUND: throw Failure(errors::kPathNotFound);
    case ERROR_INVALID_NAME: throw Failure(errors::kBadFileName);
    case ERROR_ACCESS_DENIED: {
      DWORD a = Attributes(path);
      if (a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY))
        throw Failure(errors::kPathFileAccess);
      throw Failure(errors::kPermissionDenied);
    }
    case ERROR_SHARING_VIOLATION: throw Failure(errors::kPermissionDenied);
    default: throw Failure(errors::kPathFileAccess);
  }
}

std::string CodePageToUtf8(std::string_view bytes) {
  if (bytes.empty()) return {};
  int n = MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
  std::wstring wide(n, L'\0');
  MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), wide.data(), n);
  return Utf8(wide);
}

// False when the code page cannot hold every character of the text.
bool Utf8ToCodePage(std::string_view utf8, std::string& bytes) {
  std::wstring wide = Wide(utf8);
  if (wide.empty()) return bytes.clear(), true;
  BOOL lossy = FALSE;
  int n = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(),
                              static_cast<int>(wide.size()), nullptr, 0, nullptr, &lossy);
  bytes.assign(n, '\0');
  WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), static_cast<int>(wide.size()),
                      bytes.data(), n, nullptr, &lossy);
  return !lossy;
}

}  // namespace

std::string ReadFileBytes(const std::string& path) {
  DWORD a = Attributes(path);
  if (a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY))
    throw Failure(errors::kPathFileAccess);
  HANDLE file = CreateFileW(Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) FailFor(GetLastError(), path);
  std::string bytes;
  char buffer[65536];
  DWORD got = 0;
  while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) bytes.append(buffer, got);
  CloseHandle(file);
  return bytes;
}

TextFile Win32Files::ReadText(const std::string& path) {
  std::string bytes = ReadFileBytes(path);
  if (text::StartsWith(bytes, kBom)) return {bytes.substr(kBom.size()), Encoding::kUtf8Bom};
  return {CodePageToUtf8(bytes), Encoding::kCodePage};
}

void Win32Files::WriteText(const std::string& path, const TextFile& file) {
  std::string bytes;
  if (file.encoding == Encoding::kUtf8Bom || !Utf8ToCodePage(file.text, bytes))
    bytes = std::string(kBom) + file.text;
  std::wstring target = Wide(path);
  std::wstring temporary = target + L".quavero-new";
  HANDLE out = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
  if (out == INVALID_HANDLE_VALUE) FailFor(GetLastError(), path);
  DWORD written = 0;
  bool ok = WriteFile(out, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
            written == bytes.size() && FlushFileBuffers(out);
  CloseHandle(out);
  if (!ok || !MoveFileExW(temporary.c_str(), target.c_str(),
                          MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    DeleteFileW(temporary.c_str());
    throw Failure(errors::kPathFileAccess);
  }
}

bool Win32Files::FileExists(const std::string& path) {
  DWORD a = Attributes(path);
  return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool Win32Files::FolderExists(const std::string& path) {
  DWORD a = Attributes(path);
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

std::vector<std::string> Win32Files::Entries(const std::string& folder, bool folders) {
  std::vector<std::string> names;
  std::string pattern = folder;
  if (!pattern.empty() && pattern.back() != '\\') pattern += '\\';
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW(Wide(pattern + "*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    std::wstring name = found.cFileName;
    if (name == L"." || name == L"..") continue;
    if (((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) == folders)
      names.push_back(Utf8(name));
  } while (FindNextFileW(search, &found));
  FindClose(search);
  text::SortNoCase(names);
  return names;
}

std::vector<std::string> Win32Files::FilesIn(const std::string& folder) {
  return Entries(folder, false);
}

std::vector<std::string> Win32Files::FoldersIn(const std::string& folder) {
  return Entries(folder, true);
}

void Win32Files::Delete(const std::string& path) {
  if (!DeleteFileW(Wide(path).c_str())) FailFor(GetLastError(), path);
}

std::string Win32Files::ApplicationFolder() {
  wchar_t buffer[32768];
  DWORD n = GetModuleFileNameW(ThisModule(), buffer, 32768);  // the program's, or the band's
  std::wstring path(buffer, n);
  return Utf8(path.substr(0, path.find_last_of(L'\\')));
}

std::string Win32Files::TempPath() {
  wchar_t buffer[MAX_PATH + 1];
  DWORD n = GetTempPathW(MAX_PATH + 1, buffer);
  return Utf8(std::wstring(buffer, n));
}

}  // namespace quavero::platform::win32
