// The program's one reference to the iTunes application object (GlobaliTunes), created the
// first time it is used while empty, and the liveness check every window asks.
#pragma once

#include "itunes/itunes.h"
#include "itunes/process_checker.h"
#include "platform/platform.h"

namespace quavero::itunes {

class Link {
 public:
  explicit Link(platform::Platform& platform)
      : platform_(platform), checker_(platform.processes(), platform.loop()) {}

  ProcessChecker& checker() { return checker_; }
  bool IsiTunesRunning() { return checker_.IsProcessRunning("iTunes"); }

  // GlobaliTunes, created when empty; nullptr when no connection can be made.
  ApplicationPtr GlobaliTunes();
  void Release() { global_.reset(); }
  bool connected() const { return global_ != nullptr; }

 private:
  platform::Platform& platform_;
  ProcessChecker checker_;
  ApplicationPtr global_;
};

}  // namespace quavero::itunes
