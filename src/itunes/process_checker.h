// Whether a program runs: a process whose main module path contains a name, letter case
// ignored (so any program in a folder whose path contains "iTunes" counts as iTunes).
//
// The answer is asked on every progress tick of every window, so it is kept cheap: a process
// once found is only asked whether it has ended, and while none is found the process list is
// walked at most once per interval (so an iTunes that starts is seen within two seconds).
#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>

#include "platform/platform.h"

namespace quavero::itunes {

class ProcessChecker {
 public:
  static constexpr uint32_t kRewalkIntervalMs = 2000;

  ProcessChecker(platform::Processes& processes, platform::Loop& loop)
      : processes_(processes), loop_(loop) {}

  bool IsProcessRunning(const std::string& name);
  // The plain answer: one walk of the whole process list.
  bool WalkFor(const std::string& name);
  // The processes now found for the name no longer count until they have ended; one started
  // later does. (When iTunes dies, iTunesHelper.exe in its folder is not iTunes.)
  void IgnoreUntilGone(const std::string& name);

 private:
  struct Known {
    uint32_t id = 0;  // the process found, 0 for none
    std::set<uint32_t> ignored;
    uint32_t walked_at = 0;
    bool walked = false;
  };
  bool Walk(const std::string& name, Known& known);

  platform::Processes& processes_;
  platform::Loop& loop_;
  std::map<std::string, Known> known_;
};

}  // namespace quavero::itunes
