// UTF-8 (the engine's text) to and from UTF-16 (the wide-character Windows API).
#pragma once

#include <string>
#include <string_view>

namespace quavero::platform::win32 {

std::wstring Wide(std::string_view utf8);
std::string Utf8(std::wstring_view wide);

}  // namespace quavero::platform::win32
