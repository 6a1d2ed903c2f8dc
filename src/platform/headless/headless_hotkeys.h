// Hotkeys without a system: an atom table, the registered combinations, the hooked windows'
// procedures; tests say which combinations another program holds and press combinations.
#pragma once

#include <map>
#include <set>
#include <string>
#include <utility>

#include "platform/platform.h"

namespace quavero::platform::headless {

class HeadlessHotkeys : public Hotkeys {
 public:
  uint16_t NewAtom(const std::string& name) override;
  void FreeAtom(uint16_t atom) override;
  std::string AtomText(uint16_t atom) override;
  Registration RegisterHotKey(ui::WindowHandle window, int id, uint32_t modifiers,
                              uint32_t key) override;
  void UnregisterHotKey(ui::WindowHandle window, int id) override;
  bool HookWindow(ui::WindowHandle window, Procedure procedure) override;
  void UnhookWindow(ui::WindowHandle window) override;

  // Another program holds the combination: registering it fails as Windows refuses it.
  void HoldElsewhere(uint32_t modifiers, uint32_t key) { elsewhere_.insert({modifiers, key}); }
  // The user presses a combination: the hotkey message goes to the window that registered it,
  // through its hook. False when no window of the program has it.
  bool Press(uint32_t modifiers, uint32_t key);
  size_t registered() const { return registered_.size(); }
  size_t atoms() const { return atoms_.size(); }
  bool hooked(ui::WindowHandle window) const { return hooks_.count(window) != 0; }
  int unhooks() const { return unhooks_; }

 private:
  struct Atom {
    std::string name;
    int references = 0;
  };
  std::map<uint16_t, Atom> atoms_;
  std::map<std::pair<uint32_t, uint32_t>, std::pair<ui::WindowHandle, int>> registered_;
  std::set<std::pair<uint32_t, uint32_t>> elsewhere_;
  std::map<ui::WindowHandle, Procedure> hooks_;
  int unhooks_ = 0;
};

}  // namespace quavero::platform::headless
