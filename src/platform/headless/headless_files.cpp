#include "platform/headless/headless_files.h"

#include <algorithm>

#include "base/failure.h"
#include "base/text.h"

namespace quavero::platform::headless {
namespace fs = std::filesystem;
namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";

std::string TrimBackslash(std::string s) {
  while (!s.empty() && s.back() == '\\') s.pop_back();
  return s;
}

}  // namespace

HeadlessFiles::HeadlessFiles(std::string app_folder, fs::path app_root,
                             std::shared_ptr<FileStore> store)
    : store_(store ? std::move(store) : std::make_shared<DiskStore>()),
      app_folder_(TrimBackslash(std::move(app_folder))) {
  Mount(app_folder_, std::move(app_root));
}

// The entry of a folder whose name matches without regard to case.
fs::path HeadlessFiles::Resolve(const fs::path& folder, const std::string& name) const {
  fs::path exact = folder / name;
  if (store_->At(exact) != FileStore::Entry::kNothing) return exact;
  for (const auto& [entry, what] : store_->List(folder))
    if (text::EqualsNoCase(entry, name)) return folder / entry;
  return exact;
}

void HeadlessFiles::Mount(std::string windows_folder, fs::path real_folder) {
  mounts_.push_back({TrimBackslash(std::move(windows_folder)), std::move(real_folder)});
  std::stable_sort(mounts_.begin(), mounts_.end(), [](const auto& a, const auto& b) {
    return a.windows_folder.size() > b.windows_folder.size();
  });
}

// The path resolves its "." and ".." parts first, as Windows does, so that no path leads out
// of the folders mounted in the sandbox.
fs::path HeadlessFiles::RealPath(const std::string& path) const {
  const std::string windows_path = text::CollapseDots(path);
  for (const auto& m : mounts_) {
    const std::string& prefix = m.windows_folder;
    if (!text::StartsWithNoCase(windows_path, prefix)) continue;
    if (windows_path.size() > prefix.size() && windows_path[prefix.size()] != '\\') continue;
    fs::path real = m.real_folder;
    for (const auto& part : text::Split(std::string_view(windows_path).substr(prefix.size()), '\\'))
      if (!part.empty()) real = Resolve(real, part);
    return real;
  }
  return fs::path("/nonexistent-drive") / windows_path;  // outside every mount: nothing there
}

std::string HeadlessFiles::ReadBytes(const std::string& path) {
  fs::path real = RealPath(path);
  switch (store_->At(real)) {
    case FileStore::Entry::kFolder: throw Failure(errors::kPathFileAccess);
    case FileStore::Entry::kNothing:
      throw Failure(store_->At(real.parent_path()) == FileStore::Entry::kFolder
                        ? errors::kFileNotFound
                        : errors::kPathNotFound);
    case FileStore::Entry::kFile: break;
  }
  auto bytes = store_->Read(real);
  if (!bytes) throw Failure(errors::kPermissionDenied);
  return std::move(*bytes);
}

TextFile HeadlessFiles::ReadText(const std::string& path) {
  std::string bytes = ReadBytes(path);
  if (text::StartsWith(bytes, kBom)) return {bytes.substr(kBom.size()), Encoding::kUtf8Bom};
  return {CodePageToUtf8(bytes), Encoding::kCodePage};
}

void HeadlessFiles::WriteText(const std::string& path, const TextFile& file) {
  std::string bytes;
  if (file.encoding == Encoding::kUtf8Bom || !Utf8ToCodePage(file.text, bytes))
    bytes = std::string(kBom) + file.text;
  fs::path real = RealPath(path);
  if (store_->At(real) == FileStore::Entry::kFolder) throw Failure(errors::kPathFileAccess);
  if (store_->At(real.parent_path()) != FileStore::Entry::kFolder) throw Failure(errors::kPathNotFound);
  if (!store_->Replace(real, bytes)) throw Failure(errors::kPathFileAccess);
}

bool HeadlessFiles::FileExists(const std::string& path) {
  return store_->At(RealPath(path)) == FileStore::Entry::kFile;
}

bool HeadlessFiles::FolderExists(const std::string& path) {
  return store_->At(RealPath(path)) == FileStore::Entry::kFolder;
}

std::vector<std::string> HeadlessFiles::Entries(const std::string& folder, bool folders) {
  const auto wanted = folders ? FileStore::Entry::kFolder : FileStore::Entry::kFile;
  std::vector<std::string> names;
  for (auto& [name, what] : store_->List(RealPath(folder)))
    if (what == wanted) names.push_back(std::move(name));
  text::SortNoCase(names);
  return names;
}

std::vector<std::string> HeadlessFiles::FilesIn(const std::string& folder) {
  return Entries(folder, false);
}

std::vector<std::string> HeadlessFiles::FoldersIn(const std::string& folder) {
  return Entries(folder, true);
}

void HeadlessFiles::Delete(const std::string& path) {
  if (!store_->Remove(RealPath(path))) throw Failure(errors::kFileNotFound);
}

}  // namespace quavero::platform::headless
