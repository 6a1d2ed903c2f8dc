// A pop-up menu as the engine sees it: entries with the system's names and captions, entry
// arrays by index (mnuSKin), greyed entries, and submenus.
#pragma once

#include <string>
#include <vector>

namespace quavero::ui {

struct MenuEntry {
  std::string name;
  int index = -1;  // the element of an entry array, -1 for a single entry
  std::string caption;
  bool enabled = true;
  std::vector<MenuEntry> entries;  // a submenu when not empty
};

// The entry a user chose.
struct MenuChoice {
  std::string name;
  int index = -1;
  bool operator==(const MenuChoice&) const = default;
};

}  // namespace quavero::ui
