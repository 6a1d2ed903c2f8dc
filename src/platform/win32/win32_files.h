// Files by Windows path: text in the system code page unless it starts with a UTF-8
// byte-order mark; every rewrite goes to a temporary file that then replaces the target.
#pragma once

#include "platform/platform.h"

namespace quavero::platform::win32 {

// The bytes of a file; failures as ReadText's.
std::string ReadFileBytes(const std::string& path);

class Win32Files : public Files {
 public:
  TextFile ReadText(const std::string& path) override;
  void WriteText(const std::string& path, const TextFile& file) override;
  bool FileExists(const std::string& path) override;
  bool FolderExists(const std::string& path) override;
  std::vector<std::string> FilesIn(const std::string& folder) override;
  std::vector<std::string> FoldersIn(const std::string& folder) override;
  void Delete(const std::string& path) override;
  std::string ApplicationFolder() override;
  std::string TempPath() override;

 private:
  std::vector<std::string> Entries(const std::string& folder, bool folders);
};

}  // namespace quavero::platform::win32
