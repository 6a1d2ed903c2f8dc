#include "platform/headless/headless_platform.h"

#include "base/text.h"

namespace quavero::platform::headless {
namespace {

// The store compares application, section and key without regard to case, as the registry does.
std::tuple<std::string, std::string, std::string> Key(const std::string& app,
                                                      const std::string& section,
                                                      const std::string& key) {
  return {text::ToLowerAscii(app), text::ToLowerAscii(section), text::ToLowerAscii(key)};
}

}  // namespace

std::string HeadlessSettings::Get(const std::string& app, const std::string& section,
                                  const std::string& key, const std::string& fallback) {
  auto it = values_.find(Key(app, section, key));
  return it == values_.end() ? fallback : it->second;
}

void HeadlessSettings::Save(const std::string& app, const std::string& section,
                            const std::string& key, const std::string& value) {
  values_[Key(app, section, key)] = value;
}

bool HeadlessSettings::Has(const std::string& app, const std::string& section,
                           const std::string& key) const {
  return values_.count(Key(app, section, key)) != 0;
}

HeadlessPlatform::HeadlessPlatform(std::filesystem::path app_root, std::string app_folder,
                                   std::shared_ptr<FileStore> store)
    : files_(std::move(app_folder), std::move(app_root), std::move(store)) {}

}  // namespace quavero::platform::headless
