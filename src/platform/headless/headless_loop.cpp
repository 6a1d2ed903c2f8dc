#include "platform/headless/headless_loop.h"

#include <algorithm>

namespace quavero::platform::headless {
namespace {

// Windows sets a timer of less than USER_TIMER_MINIMUM (10 ms) to 10 ms.
constexpr int32_t kShortestTimerMs = 10;

uint64_t IntervalOf(const ui::Timer& timer) { return std::max(timer.interval(), kShortestTimerMs); }

}  // namespace

void HeadlessLoop::Sleep(int ms) {
  if (ms <= 0) return;
  now_ += ms;
  slept_ += ms;
}

void HeadlessLoop::DoEvents() {
  RunPosted();
  RunScheduled();
  FireDueTimers();
}

void HeadlessLoop::RunPosted() {
  for (size_t n = posted_.size(); n > 0 && !posted_.empty(); --n) {
    auto work = std::move(posted_.front());
    posted_.pop_front();
    work();
  }
}

void HeadlessLoop::RunScheduled() {
  while (true) {
    auto due = std::find_if(scheduled_.begin(), scheduled_.end(),
                            [this](const Scheduled& s) { return s.time <= now_; });
    if (due == scheduled_.end()) return;
    auto action = std::move(due->action);
    scheduled_.erase(due);
    action();
  }
}

void HeadlessLoop::FireDueTimers() {
  // Each timer that is due fires once, the earliest first; one that is re-armed meanwhile waits.
  std::vector<Armed> due;
  for (const auto& [timer, armed] : timers_)
    if (armed.due <= now_ && MayFire(armed.due)) due.push_back(armed);
  std::sort(due.begin(), due.end(), [](const Armed& a, const Armed& b) {
    return a.due != b.due ? a.due < b.due : a.order < b.order;
  });
  for (const Armed& d : due) {
    if (!MayFire(d.due)) return;  // the budget spent, also by firings this one let through
    auto it = timers_.find(d.timer);
    if (it == timers_.end() || it->second.due > now_) continue;  // disarmed or restarted meanwhile
    it->second.due = now_ + IntervalOf(*d.timer);
    --firings_left_;
    if (auto* events = d.timer->form().events()) events->OnTimer(*d.timer);
  }
}

bool HeadlessLoop::NextEventTime(uint64_t& time) const {
  bool any = false;
  for (const auto& [timer, armed] : timers_)
    if (MayFire(armed.due) && (!any || armed.due < time)) time = armed.due, any = true;
  for (const auto& s : scheduled_)
    if (!any || s.time < time) time = s.time, any = true;
  return any;
}

void HeadlessLoop::Advance(int ms) {
  uint64_t target = now_ + std::max(ms, 0);
  RunPosted();
  uint64_t next;
  while (!quitting_ && NextEventTime(next) && next <= target) {
    now_ = std::max(now_, next);
    DoEvents();
  }
  now_ = std::max(now_, target);
  DoEvents();
}

void HeadlessLoop::At(uint64_t time_ms, std::function<void()> action) {
  scheduled_.push_back({time_ms, std::move(action)});
}

void HeadlessLoop::Arm(ui::Timer& timer) {
  Disarm(timer);
  if (timer.running()) timers_[&timer] = {&timer, now_ + IntervalOf(timer), ++armed_so_far_};
}

void HeadlessLoop::Disarm(const ui::Timer& timer) { timers_.erase(&timer); }

void HeadlessLoop::DisarmAll(const ui::Form& form) {
  std::erase_if(timers_, [&](const auto& entry) { return &entry.first->form() == &form; });
}

bool HeadlessLoop::IsArmed(const ui::Timer& timer) const { return timers_.contains(&timer); }

}  // namespace quavero::platform::headless
