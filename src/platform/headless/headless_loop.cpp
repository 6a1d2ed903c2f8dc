#include "platform/headless/headless_loop.h"

#include <algorithm>
#include <utility>

namespace quavero::platform::headless {

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
  // Few are due at a time: they are put in order by insertion, which keeps the order of arming
  // among timers due at once and allocates nothing beyond the list.
  std::vector<Armed> due;
  for (const auto& a : timers_)
    if (a.due <= now_) due.push_back(a);
  for (size_t i = 1; i < due.size(); ++i)
    for (size_t j = i; j > 0 && due[j - 1].due > due[j].due; --j) std::swap(due[j - 1], due[j]);
  for (const Armed& d : due) {
    ui::Timer* timer = d.timer;
    auto it = std::find_if(timers_.begin(), timers_.end(),
                           [timer](const Armed& a) { return a.timer == timer; });
    if (it == timers_.end() || it->due > now_) continue;  // disarmed or restarted meanwhile
    it->due = now_ + timer->interval();
    if (auto* events = timer->form().events()) events->OnTimer(*timer);
  }
}

bool HeadlessLoop::NextEventTime(uint64_t& time) const {
  bool any = false;
  for (const auto& a : timers_)
    if (!any || a.due < time) time = a.due, any = true;
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
  if (timer.running()) timers_.push_back({&timer, now_ + timer.interval()});
}

void HeadlessLoop::Disarm(const ui::Timer& timer) {
  std::erase_if(timers_, [&](const Armed& a) { return a.timer == &timer; });
}

void HeadlessLoop::DisarmAll(const ui::Form& form) {
  std::erase_if(timers_, [&](const Armed& a) { return &a.timer->form() == &form; });
}

bool HeadlessLoop::IsArmed(const ui::Timer& timer) const {
  return std::any_of(timers_.begin(), timers_.end(),
                     [&](const Armed& a) { return a.timer == &timer; });
}

}  // namespace quavero::platform::headless
