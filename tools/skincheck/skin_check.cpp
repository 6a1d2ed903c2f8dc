#include "skin_check.h"

#include <fstream>
#include <functional>
#include <iterator>
#include <stdexcept>

#include "app/application.h"
#include "base/text.h"
#include "deskband/band_window.h"
#include "itunes/simulated_itunes.h"
#include "platform/headless/headless_platform.h"
#include "skin_report.h"

namespace quavero::skincheck {
namespace fs = std::filesystem;
namespace {

constexpr char kAppFolder[] = "C:\\Quavero";
constexpr char kOutsideSkinFolder[] = "D:\\Skin";

bool ParseScreen(const std::string& text, int& width, int& height) {
  auto parts = text::Split(text, 'x');
  if (parts.size() != 2) return false;
  try {
    size_t used_w = 0, used_h = 0;
    width = std::stoi(parts[0], &used_w);
    height = std::stoi(parts[1], &used_h);
    return used_w == parts[0].size() && used_h == parts[1].size() && width > 0 && height > 0;
  } catch (const std::exception&) {
    return false;
  }
}

// An empty application folder of the checker's own, removed when the check ends.
class ScratchFolder {
 public:
  ScratchFolder() {
    path_ = fs::temp_directory_path() / ("quavero-skincheck-" + std::to_string(
                                             reinterpret_cast<std::uintptr_t>(this)));
    fs::create_directories(path_);
  }
  ~ScratchFolder() {
    std::error_code ec;
    fs::remove_all(path_, ec);
  }
  const fs::path& path() const { return path_; }

 private:
  fs::path path_;
};

// The Windows path of the skin folder below the application folder, or "" when outside it.
std::string PathBelow(const fs::path& folder, const fs::path& app_folder) {
  fs::path relative = folder.lexically_relative(app_folder);
  if (relative.empty() || *relative.begin() == "..") return "";
  std::string path = kAppFolder;
  for (const auto& part : relative)
    if (part != ".") path += "\\" + part.string();
  return path + "\\";
}

// A file name as UTF-8 (on Windows a name need not fit the ANSI code page).
std::string NameOf(const fs::path& path) {
  auto name = path.filename().u8string();
  return std::string(name.begin(), name.end());
}

// The skin file of a folder, whatever the case of its name.
std::optional<fs::path> SkinFile(const fs::path& folder) {
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(folder, ec))
    if (text::EqualsNoCase(NameOf(entry.path()), "skin.ini") && entry.is_regular_file(ec))
      return entry.path();
  return std::nullopt;
}

// A line fed without a carriage return does not end a line for the program: a file written with
// Unix line ends is read as one long line, and the skin shows nothing without a message.
std::vector<std::string> LineEndWarnings(const fs::path& folder) {
  auto file = SkinFile(folder);
  if (!file) return {};
  std::ifstream in(*file, std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  int bare = 0;
  for (size_t i = 0; i < bytes.size(); ++i)
    if (bytes[i] == '\n' && (i == 0 || bytes[i - 1] != '\r')) ++bare;
  if (bare == 0) return {};
  return {NameOf(*file) + " has " + std::to_string(bare) +
          " line feed" + (bare == 1 ? "" : "s") + " without a carriage return before " +
          (bare == 1 ? "it" : "them") + ": Quavero ends a line only at CR LF (or CR), so " +
          "what they separate is read as one line. Save the file with Windows line ends."};
}

}  // namespace

std::optional<std::string> ParseArguments(const std::vector<std::string>& args, Options& options) {
  std::vector<std::string> folders;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--json") {
      options.json = true;
    } else if (a == "--deskband") {
      options.deskband = true;
    } else if (a == "--app-folder" || a == "--screen") {
      if (i + 1 >= args.size()) return a + " needs a value";
      const std::string& value = args[++i];
      if (a == "--app-folder") options.app_folder = value;
      else if (!ParseScreen(value, options.screen_width, options.screen_height))
        return "--screen takes WIDTHxHEIGHT in pixels, for example 1024x768";
    } else if (!a.empty() && a[0] == '-' && a.size() > 1) {
      return "unknown option " + a;
    } else {
      folders.push_back(a);
    }
  }
  if (folders.size() != 1) return "give exactly one skin folder";
  options.skin_folder = folders[0];
  return std::nullopt;
}

// The window is described only for a JSON report: a skin of 10,000 labels makes a large one.
Result Report(const Options& options, platform::headless::HeadlessPlatform& platform,
              const fs::path& skin, const std::function<nlohmann::json()>& window) {
  const auto& messages = platform.windows().messages();
  Result result;
  result.message_count = static_cast<int>(messages.size());
  result.warnings = LineEndWarnings(skin);
  if (options.json) {
    nlohmann::json report = {{"messages", MessagesAsJson(messages)},
                             {"warnings", result.warnings}, {"window", window()}};
    // Text the skin file holds is written as it is; bytes that are no UTF-8 become U+FFFD.
    result.text = report.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) + "\n";
  } else {
    result.text = MessagesAsText(messages, result.warnings);
  }
  return result;
}

// The band takes its skin by name from DeskBand\ under its folder: a skin elsewhere is placed
// there under its own name. An iTunes that plays nothing answers the band's check.
Result CheckBandSkin(const Options& options, platform::headless::HeadlessPlatform& platform,
                     const fs::path& skin, const fs::path& app_folder) {
  std::string name = skin.filename().string();
  std::string band_folder = std::string(kAppFolder) + "\\DeskBand\\" + name;
  if (PathBelow(skin, app_folder).empty()) platform.files().Mount(band_folder, skin);
  platform.settings().Save(deskband::kBandApplication, "Options", deskband::kCurrentSkinKey, name);
  auto itunes = std::make_shared<itunes::SimulatedITunes>(platform.loop());
  platform.itunes = itunes;
  itunes::Link link(platform);
  deskband::BandWindow band(platform, link);
  return Report(options, platform, skin, [&] { return BandWindowAsJson(band); });
}

Result CheckSkin(const Options& options) {
  std::error_code ec;
  fs::path skin = fs::weakly_canonical(fs::absolute(options.skin_folder), ec);
  if (ec || !fs::is_directory(skin)) throw std::runtime_error("no such skin folder: " +
                                                              options.skin_folder.string());
  std::optional<ScratchFolder> scratch;
  fs::path app_folder;
  if (options.app_folder) {
    app_folder = fs::weakly_canonical(fs::absolute(*options.app_folder), ec);
    if (ec || !fs::is_directory(app_folder))
      throw std::runtime_error("no such application folder: " + options.app_folder->string());
  } else if (text::EqualsNoCase(skin.parent_path().filename().string(),
                                options.deskband ? "DeskBand" : "Skins")) {
    app_folder = skin.parent_path().parent_path();
  } else {
    scratch.emplace();
    app_folder = scratch->path();
  }

  platform::headless::HeadlessPlatform platform(app_folder, kAppFolder);
  platform.windows().SetScreenSize(options.screen_width, options.screen_height);
  if (options.deskband) return CheckBandSkin(options, platform, skin, app_folder);
  std::string skin_path = PathBelow(skin, app_folder);
  if (skin_path.empty()) {
    platform.files().Mount(kOutsideSkinFolder, skin);
    skin_path = std::string(kOutsideSkinFolder) + "\\";
  }

  app::Application app(platform);
  auto window = app.OpenSkinWindow(skin_path, app::kKeepPosition, app::kKeepPosition, false);
  return Report(options, platform, skin, [&] { return WindowAsJson(*window); });
}

}  // namespace quavero::skincheck
