#include "itunes/process_checker.h"

#include "base/text.h"

namespace quavero::itunes {

bool ProcessChecker::Walk(const std::string& name, Known& known) {
  known.walked = true;
  known.walked_at = loop_.TickCount();
  known.id = 0;
  bool ignored_seen = false;
  for (const auto& p : processes_.List()) {
    if (!text::ContainsNoCase(p.path, name)) continue;
    if (p.id == known.ignored) {
      ignored_seen = true;
      continue;
    }
    known.id = p.id;
    break;
  }
  if (!ignored_seen) known.ignored = 0;
  return known.id != 0;
}

bool ProcessChecker::IsProcessRunning(const std::string& name) {
  Known& known = known_[text::ToLowerAscii(name)];
  if (known.id != 0 && processes_.Alive(known.id)) return true;
  bool recently = known.walked && known.id == 0 &&
                  static_cast<int32_t>(loop_.TickCount() - known.walked_at) <
                      static_cast<int32_t>(kRewalkIntervalMs);
  if (recently) return false;
  return Walk(name, known);
}

bool ProcessChecker::WalkFor(const std::string& name) {
  for (const auto& p : processes_.List())
    if (text::ContainsNoCase(p.path, name)) return true;
  return false;
}

void ProcessChecker::IgnoreUntilGone(const std::string& name) {
  Known& known = known_[text::ToLowerAscii(name)];
  if (known.id == 0) Walk(name, known);
  known.ignored = known.id;
  known.id = 0;
  known.walked = false;
}

}  // namespace quavero::itunes
