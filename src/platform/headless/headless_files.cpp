#include "platform/headless/headless_files.h"

#include <algorithm>
#include <fstream>
#include <sstream>

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

// The entry of a real folder whose name matches without regard to case.
fs::path Resolve(const fs::path& folder, const std::string& name) {
  fs::path exact = folder / name;
  std::error_code ec;
  if (fs::exists(exact, ec)) return exact;
  for (const auto& entry : fs::directory_iterator(folder, ec)) {
    if (text::EqualsNoCase(entry.path().filename().string(), name)) return entry.path();
  }
  return exact;
}

}  // namespace

HeadlessFiles::HeadlessFiles(std::string app_folder, fs::path app_root)
    : app_folder_(TrimBackslash(std::move(app_folder))) {
  Mount(app_folder_, std::move(app_root));
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
  std::error_code ec;
  if (fs::is_directory(real, ec)) throw Failure(errors::kPathFileAccess);
  if (!fs::exists(real, ec)) {
    bool folder_there = fs::is_directory(real.parent_path(), ec);
    throw Failure(folder_there ? errors::kFileNotFound : errors::kPathNotFound);
  }
  std::ifstream in(real, std::ios::binary);
  if (!in) throw Failure(errors::kPermissionDenied);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
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
  std::error_code ec;
  if (fs::is_directory(real, ec)) throw Failure(errors::kPathFileAccess);
  if (!fs::is_directory(real.parent_path(), ec)) throw Failure(errors::kPathNotFound);
  fs::path temporary = real;
  temporary += ".quavero-new";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out.flush()) throw Failure(errors::kPathFileAccess);
  }
  fs::rename(temporary, real, ec);
  if (ec) {
    fs::remove(temporary, ec);
    throw Failure(errors::kPathFileAccess);
  }
}

bool HeadlessFiles::FileExists(const std::string& path) {
  std::error_code ec;
  return fs::is_regular_file(RealPath(path), ec);
}

bool HeadlessFiles::FolderExists(const std::string& path) {
  std::error_code ec;
  return fs::is_directory(RealPath(path), ec);
}

std::vector<std::string> HeadlessFiles::Entries(const std::string& folder, bool folders) {
  std::vector<std::string> names;
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(RealPath(folder), ec))
    if (entry.is_directory(ec) == folders) names.push_back(entry.path().filename().string());
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
  std::error_code ec;
  if (!fs::remove(RealPath(path), ec)) throw Failure(errors::kFileNotFound);
}

}  // namespace quavero::platform::headless
