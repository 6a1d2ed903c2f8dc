// The per-user settings store in the registry, where the program has always kept its settings:
// HKEY_CURRENT_USER\Software\VB and VBA Program Settings\<application>\<section>, text values.
#pragma once

#include "platform/platform.h"

namespace quavero::platform::win32 {

class Win32Settings : public Settings {
 public:
  std::string Get(const std::string& app, const std::string& section, const std::string& key,
                  const std::string& fallback) override;
  void Save(const std::string& app, const std::string& section, const std::string& key,
            const std::string& value) override;
};

}  // namespace quavero::platform::win32
