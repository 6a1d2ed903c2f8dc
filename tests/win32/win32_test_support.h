// Helpers of the Win32 tests: a scratch folder in the Windows temporary folder.
#pragma once

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace quavero::test {

class ScratchFolder {
 public:
  ScratchFolder() {
    static int counter = 0;
    path_ = std::filesystem::temp_directory_path() /
            ("quavero-win32-" + std::to_string(GetCurrentProcessId()) + "-" +
             std::to_string(++counter));
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
  }
  ~ScratchFolder() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  // The Windows path of a file in the folder, as the engine writes paths (UTF-8).
  std::string operator/(const std::string& name) const { return Text(path_ / name); }
  std::string folder() const { return Text(path_) + "\\"; }
  static std::string Text(const std::filesystem::path& p) {
    auto u8 = p.u8string();
    return std::string(u8.begin(), u8.end());
  }
  void Write(const std::string& name, const std::string& bytes) const {
    std::ofstream(path_ / name, std::ios::binary) << bytes;
  }
  std::string Read(const std::string& name) const {
    std::ifstream in(path_ / name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

}  // namespace quavero::test
