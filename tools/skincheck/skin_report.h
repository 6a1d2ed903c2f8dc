// The checker's two report forms: message boxes as text, and the window after loading (the
// program's or the desk band's) as JSON.
#pragma once

#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "platform/headless/headless_windows.h"
#include "deskband/band_window.h"
#include "skin/skin_window.h"

namespace quavero::skincheck {

// The messages, then the checker's own warnings, then their count ("ok" when there are none).
std::string MessagesAsText(const std::vector<platform::headless::MessageRecord>& messages,
                           const std::vector<std::string>& warnings = {});
nlohmann::json MessagesAsJson(const std::vector<platform::headless::MessageRecord>& messages);
nlohmann::json WindowAsJson(const skin::SkinWindow& window);
nlohmann::json BandWindowAsJson(const deskband::BandWindow& window);

}  // namespace quavero::skincheck
