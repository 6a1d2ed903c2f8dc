// A deterministic message loop: a virtual clock that moves only when told (or by Sleep), posted
// work, timers that fire in order as the clock passes them, and actions a test schedules.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <unordered_map>
#include <vector>

#include "platform/platform.h"

namespace quavero::platform::headless {

class HeadlessLoop : public Loop {
 public:
  uint32_t TickCount() override { return static_cast<uint32_t>(now_); }
  void Sleep(int ms) override;
  void DoEvents() override;
  void Post(std::function<void()> work) override { posted_.push_back(std::move(work)); }
  void Quit() override { quitting_ = true; }
  bool quitting() const override { return quitting_; }

  // Moves the clock forward, letting everything that falls due on the way run in order.
  void Advance(int ms);
  // Runs an action inside the loop once the clock has reached the given time.
  void At(uint64_t time_ms, std::function<void()> action);
  // No timer falls due from this time on (the clock and everything else go on): a fuzzer's
  // budget of the program's time for one input.
  void StopTimersAt(uint64_t time_ms) { timers_stop_ = time_ms; }
  // No timer falls due after this many more have fired: a fuzzer's budget of work for one input,
  // for a skin whose windows multiply and whose every firing reaches all of them.
  void StopTimersAfter(uint64_t firings) { firings_left_ = firings; }
  uint64_t now() const { return now_; }
  uint64_t slept_ms() const { return slept_; }

  void Arm(ui::Timer& timer);
  void Disarm(const ui::Timer& timer);
  void DisarmAll(const ui::Form& form);
  bool IsArmed(const ui::Timer& timer) const;

 private:
  struct Armed {
    ui::Timer* timer;
    uint64_t due;
    uint64_t order;  // when it was armed: of timers due at once, the first armed fires first
  };
  struct Scheduled {
    uint64_t time;
    std::function<void()> action;
  };
  void RunPosted();
  void RunScheduled();
  void FireDueTimers();
  bool NextEventTime(uint64_t& time) const;
  // Whether a timer due at this time may fire, within both budgets.
  bool MayFire(uint64_t due) const { return due < timers_stop_ && firings_left_ > 0; }

  uint64_t now_ = 1000;
  uint64_t slept_ = 0;
  uint64_t timers_stop_ = UINT64_MAX;
  uint64_t firings_left_ = UINT64_MAX;
  bool quitting_ = false;
  std::deque<std::function<void()>> posted_;
  // By timer: a skin may have ten thousand of them.
  std::unordered_map<const ui::Timer*, Armed> timers_;
  uint64_t armed_so_far_ = 0;
  std::vector<Scheduled> scheduled_;
};

}  // namespace quavero::platform::headless
