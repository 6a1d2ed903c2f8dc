// Windows-1252, the code page of Western European Windows systems.
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/headless/headless_files.h"

namespace quavero::platform::headless {
namespace {

// Code points of the bytes 0x80..0x9F; the five undefined ones map to the C1 controls.
constexpr char16_t kHigh[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void AppendUtf8(std::string& out, uint32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

// Decodes one UTF-8 sequence; malformed bytes read as U+FFFD.
uint32_t NextCodePoint(std::string_view s, size_t& i) {
  auto b = static_cast<unsigned char>(s[i++]);
  if (b < 0x80) return b;
  int extra = b >= 0xF0 ? 3 : b >= 0xE0 ? 2 : b >= 0xC0 ? 1 : -1;
  if (extra < 0) return 0xFFFD;
  uint32_t cp = b & (0x3F >> extra);
  for (int k = 0; k < extra; ++k) {
    if (i >= s.size() || (static_cast<unsigned char>(s[i]) & 0xC0) != 0x80) return 0xFFFD;
    cp = (cp << 6) | (static_cast<unsigned char>(s[i++]) & 0x3F);
  }
  return cp;
}

}  // namespace

std::string CodePageToUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (char c : bytes) {
    auto b = static_cast<unsigned char>(c);
    AppendUtf8(out, b >= 0x80 && b < 0xA0 ? kHigh[b - 0x80] : b);
  }
  return out;
}

bool Utf8ToCodePage(std::string_view utf8, std::string& bytes) {
  bytes.clear();
  for (size_t i = 0; i < utf8.size();) {
    uint32_t cp = NextCodePoint(utf8, i);
    if (cp < 0x80 || (cp >= 0xA0 && cp < 0x100)) {
      bytes += static_cast<char>(cp);
      continue;
    }
    int found = -1;
    for (int k = 0; k < 32; ++k)
      if (kHigh[k] == cp) found = k;
    if (found < 0) return false;
    bytes += static_cast<char>(0x80 + found);
  }
  return true;
}

}  // namespace quavero::platform::headless
