#include "platform/picture_header.h"

#include <array>
#include <cstdint>
#include <cstdlib>

namespace quavero::platform {
namespace {

unsigned Byte(std::string_view b, size_t i) { return static_cast<unsigned char>(b[i]); }
unsigned Le16(std::string_view b, size_t i) { return Byte(b, i) | Byte(b, i + 1) << 8; }
unsigned Be16(std::string_view b, size_t i) { return Byte(b, i) << 8 | Byte(b, i + 1); }
uint32_t Le32(std::string_view b, size_t i) { return Le16(b, i) | Le16(b, i + 2) << 16; }
uint32_t Be32(std::string_view b, size_t i) { return Be16(b, i) << 16 | Be16(b, i + 2); }

constexpr std::string_view kPngSignature = "\x89PNG\r\n\x1A\n";

bool IsJpegFrame(unsigned marker) {
  return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

// Walks a JPEG's segments from its start marker; calls visit(marker, at) for each until it
// returns false; false when the segments run past the end of the file.
template <typename Visit>
bool WalkJpeg(std::string_view b, Visit visit) {
  size_t i = 2;
  while (i + 4 <= b.size()) {
    if (Byte(b, i) != 0xFF) return false;
    unsigned marker = Byte(b, i + 1);
    if (marker == 0xFF) {
      ++i;
      continue;
    }
    if (!visit(marker, i)) return true;
    i += 2 + Be16(b, i + 2);
  }
  return false;
}

std::optional<PictureHeader> JpegHeader(std::string_view b) {
  std::optional<PictureHeader> header;
  WalkJpeg(b, [&](unsigned marker, size_t at) {
    if (!IsJpegFrame(marker)) return true;
    if (at + 9 <= b.size())
      header = PictureHeader{PictureFormat::kJpeg, static_cast<int>(Be16(b, at + 7)),
                             static_cast<int>(Be16(b, at + 5))};
    return false;
  });
  return header;
}

}  // namespace

uint32_t Crc32(std::string_view data) {
  static const std::array<uint32_t, 256> table = [] {
    std::array<uint32_t, 256> t{};
    for (uint32_t n = 0; n < 256; ++n) {
      uint32_t c = n;
      for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      t[n] = c;
    }
    return t;
  }();
  uint32_t c = 0xFFFFFFFFu;
  for (unsigned char byte : data) c = table[(c ^ byte) & 0xFF] ^ (c >> 8);
  return c ^ 0xFFFFFFFFu;
}

namespace {

bool PngIsWhole(std::string_view b) {
  size_t i = kPngSignature.size();
  bool image_data = false;
  while (i + 12 <= b.size()) {
    uint32_t length = Be32(b, i);
    if (length > b.size() - i - 12) return false;
    std::string_view type = b.substr(i + 4, 4);
    if (Crc32(b.substr(i + 4, 4 + length)) != Be32(b, i + 8 + length)) return false;
    if (type == "IDAT") image_data = true;
    if (type == "IEND") return image_data;
    i += 12 + length;
  }
  return false;
}

bool JpegIsWhole(std::string_view b) {
  bool scan = false;
  bool inside = WalkJpeg(b, [&](unsigned marker, size_t at) {
    scan = marker == 0xDA && at + 4 <= b.size() && at + 2 + Be16(b, at + 2) < b.size();
    return !scan;
  });
  return inside && scan;
}

bool BmpIsWhole(std::string_view b, const PictureHeader& h) {
  if (b.size() < 34) return false;
  uint32_t compression = Le32(b, 30);
  if (compression != 0 && compression != 3) return true;  // packed rows: left to the decoder
  uint64_t bits = Le16(b, 28);
  uint64_t row = (static_cast<uint64_t>(h.width) * bits + 31) / 32 * 4;
  return Le32(b, 10) + row * static_cast<uint64_t>(h.height) <= b.size();
}

}  // namespace

std::optional<PictureHeader> ReadPictureHeader(std::string_view b) {
  if (b.size() >= 26 && b.substr(0, 2) == "BM") {
    int32_t width = static_cast<int32_t>(Le32(b, 18));
    int64_t height = std::abs(static_cast<int64_t>(static_cast<int32_t>(Le32(b, 22))));
    if (width <= 0 || height <= 0 || height > INT32_MAX) return std::nullopt;
    return PictureHeader{PictureFormat::kBmp, width, static_cast<int>(height)};
  }
  if (b.size() >= 24 && b.substr(0, 8) == kPngSignature) {
    uint32_t width = Be32(b, 16), height = Be32(b, 20);
    if (width == 0 || height == 0 || width > INT32_MAX || height > INT32_MAX) return std::nullopt;
    return PictureHeader{PictureFormat::kPng, static_cast<int>(width), static_cast<int>(height)};
  }
  if (b.size() >= 10 && b.substr(0, 4) == "GIF8")
    return PictureHeader{PictureFormat::kGif, static_cast<int>(Le16(b, 6)),
                         static_cast<int>(Le16(b, 8))};
  if (b.size() >= 4 && Byte(b, 0) == 0xFF && Byte(b, 1) == 0xD8) return JpegHeader(b);
  if (b.size() >= 22 && b.substr(0, 4) == std::string_view("\0\0\1\0", 4) && Le16(b, 4) > 0)
    return PictureHeader{PictureFormat::kIcon, Byte(b, 6) ? static_cast<int>(Byte(b, 6)) : 256,
                         Byte(b, 7) ? static_cast<int>(Byte(b, 7)) : 256};
  if (b.size() >= 8 &&
      (b.substr(0, 4) == std::string_view("II*\0", 4) || b.substr(0, 4) == std::string_view("MM\0*", 4)))
    return PictureHeader{PictureFormat::kTiff, 0, 0};
  return std::nullopt;
}

bool WithinPictureLimits(const PictureHeader& h) {
  return h.width <= kMaxPictureSide && h.height <= kMaxPictureSide &&
         static_cast<long long>(h.width) * h.height <= kMaxPicturePixels;
}

bool PictureIsWhole(std::string_view b, const PictureHeader& h) {
  switch (h.format) {
    case PictureFormat::kPng: return PngIsWhole(b);
    case PictureFormat::kJpeg: return JpegIsWhole(b);
    case PictureFormat::kBmp: return BmpIsWhole(b, h);
    default: return true;
  }
}

}  // namespace quavero::platform
