#include "platform/headless/headless_hotkeys.h"

#include "base/text.h"

namespace quavero::platform::headless {
namespace {

constexpr uint32_t kAlreadyRegistered = 1409;
constexpr char kAlreadyRegisteredText[] = "Hot key is already registered.\r\n";
constexpr uint32_t kHotkeyMessage = 0x312;

}  // namespace

uint16_t HeadlessHotkeys::NewAtom(const std::string& name) {
  for (auto& [atom, entry] : atoms_) {
    if (text::EqualsNoCase(entry.name, name)) {
      ++entry.references;
      return atom;
    }
  }
  uint16_t atom = static_cast<uint16_t>(0xC000 + atoms_.size());
  while (atoms_.count(atom)) ++atom;
  atoms_[atom] = {name, 1};
  return atom;
}

void HeadlessHotkeys::FreeAtom(uint16_t atom) {
  auto it = atoms_.find(atom);
  if (it != atoms_.end() && --it->second.references == 0) atoms_.erase(it);
}

std::string HeadlessHotkeys::AtomText(uint16_t atom) {
  auto it = atoms_.find(atom);
  return it == atoms_.end() ? std::string() : it->second.name.substr(0, 255);
}

Hotkeys::Registration HeadlessHotkeys::RegisterHotKey(ui::WindowHandle window, int id,
                                                      uint32_t modifiers, uint32_t key) {
  auto combination = std::make_pair(modifiers, key);
  if (elsewhere_.count(combination) || registered_.count(combination))
    return {false, kAlreadyRegistered, kAlreadyRegisteredText};
  registered_[combination] = {window, id};
  return {true, 0, ""};
}

void HeadlessHotkeys::UnregisterHotKey(ui::WindowHandle window, int id) {
  std::erase_if(registered_, [&](const auto& entry) {
    return entry.second == std::make_pair(window, id);
  });
}

bool HeadlessHotkeys::HookWindow(ui::WindowHandle window, Procedure procedure) {
  if (window == 0 || hooks_.count(window)) return false;
  hooks_[window] = std::move(procedure);
  return true;
}

void HeadlessHotkeys::UnhookWindow(ui::WindowHandle window) {
  if (hooks_.erase(window)) ++unhooks_;
}

bool HeadlessHotkeys::Press(uint32_t modifiers, uint32_t key) {
  auto it = registered_.find({modifiers, key});
  if (it == registered_.end()) return false;
  auto [window, id] = it->second;
  auto hook = hooks_.find(window);
  if (hook == hooks_.end()) return false;
  Procedure procedure = hook->second;
  procedure(window, kHotkeyMessage, static_cast<uint64_t>(id),
            static_cast<int64_t>(key << 16 | modifiers));
  return true;
}

}  // namespace quavero::platform::headless
