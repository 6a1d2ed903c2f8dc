#include "itunes/process_checker.h"

#include "base/text.h"

namespace quavero::itunes {

bool ProcessChecker::Walk(const std::string& name, Known& known) {
  known.walked = true;
  known.walked_at = loop_.TickCount();
  known.id = 0;
  std::set<uint32_t> still_ignored;
  for (const auto& p : processes_.List()) {
    if (!text::ContainsNoCase(p.path, name)) continue;
    if (known.ignored.count(p.id)) {
      still_ignored.insert(p.id);
    } else if (known.id == 0) {
      known.id = p.id;
    }
  }
  known.ignored = std::move(still_ignored);
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
  for (const auto& p : processes_.List())
    if (text::ContainsNoCase(p.path, name)) known.ignored.insert(p.id);
  known.id = 0;
  known.walked = false;
}

}  // namespace quavero::itunes
