// Any window of the program that "close every window" closes: skin windows, the tray window,
// dialogs.
#pragma once

namespace quavero::app {

class ProgramWindow {
 public:
  virtual ~ProgramWindow() = default;
  virtual void Unload() = 0;
  virtual bool unloaded() const = 0;
};

}  // namespace quavero::app
