// Where the headless platform keeps its files: folders of the real file system (tests, the skin
// checker) or a tree in memory (the fuzzers, which load a skin hundreds of times a second and
// must not leave one input's files to the next). Paths are the store's own, "/"-separated;
// HeadlessFiles maps Windows paths onto them and gives them Windows' rules and failures.
#pragma once

#include <filesystem>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace quavero::platform::headless {

class FileStore {
 public:
  enum class Entry { kNothing, kFile, kFolder };

  virtual ~FileStore() = default;
  virtual Entry At(const std::filesystem::path& path) = 0;
  // The file's bytes; nothing when it cannot be opened.
  virtual std::optional<std::string> Read(const std::filesystem::path& path) = 0;
  // Replaces the file as a whole (a reader sees the old bytes or the new ones); false on failure.
  virtual bool Replace(const std::filesystem::path& path, const std::string& bytes) = 0;
  // The names in a folder, each with what it is.
  virtual std::vector<std::pair<std::string, Entry>> List(const std::filesystem::path& folder) = 0;
  // Removes a file or an empty folder; false when there was none.
  virtual bool Remove(const std::filesystem::path& path) = 0;
};

class DiskStore : public FileStore {
 public:
  Entry At(const std::filesystem::path& path) override;
  std::optional<std::string> Read(const std::filesystem::path& path) override;
  bool Replace(const std::filesystem::path& path, const std::string& bytes) override;
  std::vector<std::pair<std::string, Entry>> List(const std::filesystem::path& folder) override;
  bool Remove(const std::filesystem::path& path) override;
};

class MemoryStore : public FileStore {
 public:
  MemoryStore() { folders_.insert("/"); }

  // Puts a file there, with every folder above it, as a test's setup does.
  void Put(const std::filesystem::path& path, std::string bytes);
  void MakeFolders(const std::filesystem::path& folder);

  Entry At(const std::filesystem::path& path) override;
  std::optional<std::string> Read(const std::filesystem::path& path) override;
  bool Replace(const std::filesystem::path& path, const std::string& bytes) override;
  std::vector<std::pair<std::string, Entry>> List(const std::filesystem::path& folder) override;
  bool Remove(const std::filesystem::path& path) override;

 private:
  std::map<std::string, std::string> files_;
  std::set<std::string> folders_;
};

}  // namespace quavero::platform::headless
