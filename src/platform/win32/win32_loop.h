// The message loop of the user-interface thread.
#pragma once

#include <deque>
#include <functional>

#include "platform/platform.h"

namespace quavero::platform::win32 {

class Win32Loop : public Loop {
 public:
  Win32Loop();
  ~Win32Loop() override;

  uint32_t TickCount() override;
  void Sleep(int ms) override;
  void DoEvents() override;
  void Post(std::function<void()> work) override;
  void Quit() override;
  bool quitting() const override { return quitting_; }

  // Runs until the program ends; returns the exit code.
  int Run();
  void RunPosted();

 private:
  void* window_ = nullptr;  // the message-only window that runs posted work
  std::deque<std::function<void()>> posted_;
  bool quitting_ = false;
};

}  // namespace quavero::platform::win32
