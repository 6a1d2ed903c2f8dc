#include "platform/headless/file_store.h"

#include <fstream>
#include <sstream>

namespace quavero::platform::headless {
namespace fs = std::filesystem;

FileStore::Entry DiskStore::At(const fs::path& path) {
  std::error_code ec;
  auto status = fs::status(path, ec);
  if (fs::is_directory(status)) return Entry::kFolder;
  return fs::exists(status) ? Entry::kFile : Entry::kNothing;
}

std::optional<std::string> DiskStore::Read(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

// Written beside the file and renamed over it, so that a save cut off leaves the old file.
bool DiskStore::Replace(const fs::path& path, const std::string& bytes) {
  fs::path temporary = path;
  temporary += ".quavero-new";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out.flush()) return false;
  }
  std::error_code ec;
  fs::rename(temporary, path, ec);
  if (ec) fs::remove(temporary, ec);
  return !ec;
}

std::vector<std::pair<std::string, FileStore::Entry>> DiskStore::List(const fs::path& folder) {
  std::vector<std::pair<std::string, Entry>> names;
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(folder, ec))
    names.emplace_back(entry.path().filename().string(),
                       entry.is_directory(ec) ? Entry::kFolder : Entry::kFile);
  return names;
}

bool DiskStore::Remove(const fs::path& path) {
  std::error_code ec;
  return fs::remove(path, ec);
}

namespace {

// One spelling for each place: absolute, "/"-separated, no empty parts and no trailing
// separator. (The sandbox resolves "." and ".." before it asks the store.)
std::string Key(const fs::path& path) {
  std::string key = "/";
  for (char c : path.generic_string()) {
    if (c == '/' && key.back() == '/') continue;
    key += c;
  }
  if (key.size() > 1 && key.back() == '/') key.pop_back();
  return key;
}

const std::string& KeyOf(const std::string& key) { return key; }
const std::string& KeyOf(const std::pair<const std::string, std::string>& file) { return file.first; }

std::string ParentKey(const std::string& key) {
  auto slash = key.rfind('/');
  return slash == 0 ? "/" : key.substr(0, slash);
}

}  // namespace

void MemoryStore::MakeFolders(const fs::path& folder) {
  for (std::string key = Key(folder); folders_.insert(key).second; key = ParentKey(key)) {
  }
}

void MemoryStore::Put(const fs::path& path, std::string bytes) {
  std::string key = Key(path);
  MakeFolders(ParentKey(key));
  files_[key] = std::move(bytes);
}

FileStore::Entry MemoryStore::At(const fs::path& path) {
  std::string key = Key(path);
  if (folders_.count(key)) return Entry::kFolder;
  return files_.count(key) ? Entry::kFile : Entry::kNothing;
}

std::optional<std::string> MemoryStore::Read(const fs::path& path) {
  auto it = files_.find(Key(path));
  if (it == files_.end()) return std::nullopt;
  return it->second;
}

bool MemoryStore::Replace(const fs::path& path, const std::string& bytes) {
  std::string key = Key(path);
  if (folders_.count(key) || !folders_.count(ParentKey(key))) return false;
  files_[key] = bytes;
  return true;
}

std::vector<std::pair<std::string, FileStore::Entry>> MemoryStore::List(const fs::path& folder) {
  std::string key = Key(folder);
  std::string prefix = key == "/" ? key : key + "/";
  std::vector<std::pair<std::string, Entry>> names;
  auto add = [&](const auto& keys, Entry what) {
    for (auto it = keys.lower_bound(prefix); it != keys.end(); ++it) {
      const std::string& k = KeyOf(*it);
      if (k.compare(0, prefix.size(), prefix) != 0) break;
      std::string name = k.substr(prefix.size());
      if (!name.empty() && name.find('/') == std::string::npos) names.emplace_back(name, what);
    }
  };
  add(folders_, Entry::kFolder);
  add(files_, Entry::kFile);
  return names;
}

bool MemoryStore::Remove(const fs::path& path) {
  std::string key = Key(path);
  if (files_.erase(key)) return true;
  if (key == "/" || !folders_.count(key) || !List(key).empty()) return false;
  folders_.erase(key);
  return true;
}

}  // namespace quavero::platform::headless
