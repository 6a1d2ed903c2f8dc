// Files in a sandbox that stands for Windows paths: each mount maps a Windows folder (such as
// C:\Quavero) onto a folder of the store (real folders, or memory); names are matched without
// regard to case, as Windows does. Text is stored in the system code page (Windows-1252 here) unless it
// starts with a UTF-8 byte-order mark.
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "platform/headless/file_store.h"
#include "platform/platform.h"

namespace quavero::platform::headless {

class HeadlessFiles : public Files {
 public:
  // The application folder stands for app_root in the store, the real file system by default.
  HeadlessFiles(std::string app_folder, std::filesystem::path app_root,
                std::shared_ptr<FileStore> store = nullptr);

  // Makes a Windows folder stand for a folder of the store.
  void Mount(std::string windows_folder, std::filesystem::path real_folder);
  // The store's file a Windows path stands for.
  std::filesystem::path RealPath(const std::string& windows_path) const;

  TextFile ReadText(const std::string& path) override;
  void WriteText(const std::string& path, const TextFile& file) override;
  bool FileExists(const std::string& path) override;
  bool FolderExists(const std::string& path) override;
  std::vector<std::string> FilesIn(const std::string& folder) override;
  std::vector<std::string> FoldersIn(const std::string& folder) override;
  void Delete(const std::string& path) override;
  std::string ApplicationFolder() override { return app_folder_; }
  std::string TempPath() override { return "C:\\Temp\\"; }

  std::string ReadBytes(const std::string& path);

 private:
  struct MountPoint {
    std::string windows_folder;
    std::filesystem::path real_folder;
  };
  std::vector<std::string> Entries(const std::string& folder, bool folders);
  std::filesystem::path Resolve(const std::filesystem::path& folder, const std::string& name) const;

  std::shared_ptr<FileStore> store_;
  std::string app_folder_;
  std::vector<MountPoint> mounts_;
};

// Windows-1252 to and from UTF-8.
std::string CodePageToUtf8(std::string_view bytes);
// False when the text holds a character the code page cannot store.
bool Utf8ToCodePage(std::string_view utf8, std::string& bytes);

}  // namespace quavero::platform::headless
