// quavero-skincheck [--json] [--deskband] [--app-folder DIR] [--screen WxH] SKINFOLDER
// Loads a skin as the program would and prints every message a user would have seen, and a
// warning for a skin file whose lines the program would not split as its author meant.
// Exit status: 0 nothing reported, 1 messages or warnings, 2 wrong arguments or no such folder.
#include <iostream>

#include "skin_check.h"

int main(int argc, char** argv) {
  using namespace quavero::skincheck;
  Options options;
  std::vector<std::string> args(argv + 1, argv + argc);
  if (auto error = ParseArguments(args, options)) {
    std::cerr << "quavero-skincheck: " << *error << "\n"
              << "usage: quavero-skincheck [--json] [--deskband] [--app-folder DIR] [--screen WxH] SKINFOLDER\n";
    return 2;
  }
  try {
    Result result = CheckSkin(options);
    std::cout << result.text;
    return result.message_count == 0 && result.warnings.empty() ? 0 : 1;
  } catch (const std::exception& e) {
    std::cerr << "quavero-skincheck: " << e.what() << "\n";
    return 2;
  }
}
