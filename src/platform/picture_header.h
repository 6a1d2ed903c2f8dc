// What a picture file says of itself before anything decodes it: its format, the size its
// header declares, and whether the file holds all of what the header announces. Both
// platforms read a picture's header first, so that a file declaring 30,000 x 30,000 pixels is
// refused before a decoder tries to allocate it.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace quavero::platform {

enum class PictureFormat { kBmp, kPng, kGif, kJpeg, kIcon, kTiff };

struct PictureHeader {
  PictureFormat format;
  int width = 0;  // 0 when the format keeps its size where the header reader does not look
  int height = 0;
};

// The largest picture the program shows: 16,384 pixels a side, 64 megapixels in all.
inline constexpr int kMaxPictureSide = 16384;
inline constexpr long long kMaxPicturePixels = 64LL * 1024 * 1024;

// The header of a picture file in a format GDI+ reads; nullopt for anything else.
std::optional<PictureHeader> ReadPictureHeader(std::string_view bytes);

// Whether the declared size is one the program shows.
bool WithinPictureLimits(const PictureHeader& header);

// Whether the file holds the whole picture its header announces: a PNG's chunks through IEND
// with sound lengths and checksums, a JPEG's segments up to its scan, a BMP's pixel rows.
// Formats the reader cannot follow count as whole.
bool PictureIsWhole(std::string_view bytes, const PictureHeader& header);

// The CRC-32 that PNG chunks carry.
uint32_t Crc32(std::string_view data);

}  // namespace quavero::platform
