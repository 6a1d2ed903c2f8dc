// The skin checker: loads a skin on the headless platform exactly as the program opens a skin
// window (without iTunes) and reports what a user would have seen.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

namespace quavero::skincheck {

struct Options {
  bool json = false;
  bool deskband = false;  // with the desk band's rules
  std::optional<std::filesystem::path> app_folder;
  int screen_width = 1024;
  int screen_height = 768;
  std::filesystem::path skin_folder;
};

// Reads the command line; an error text when it is wrong.
std::optional<std::string> ParseArguments(const std::vector<std::string>& args, Options& options);

struct Result {
  int message_count = 0;
  // What the checker sees in the files that the program shows no message for.
  std::vector<std::string> warnings;
  std::string text;  // the report as printed
};

// Loads the skin and reports; throws std::runtime_error when the skin folder does not exist.
Result CheckSkin(const Options& options);

}  // namespace quavero::skincheck
