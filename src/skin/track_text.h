// Time and text helpers of the track information: m:ss times, two-digit numbers, seconds of
// an m:ss text, and a prefix test.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <map>
#include <span>
#include <string>
#include <string_view>

#include "itunes/itunes.h"
#include "platform/platform.h"

namespace quavero::skin {

// Milliseconds -> "m:ss"; 64 bits, so that a stream playing for weeks still shows its time.
std::string ConvertToTime(int64_t Time, bool RoundOther = false);
// Seconds (of an m:ss text, so any number) as whole milliseconds, held within 64 bits.
int64_t Milliseconds(double seconds);
std::string MakeNum(int64_t ANum);                                  // 7 -> "07"
double Seconds(std::string_view MMSS);                              // "3:07" -> 187
bool IsLeft(std::string_view MainString, std::string_view CheckString, int CompareType = 0);
// Replaces every occurrence of a placeholder, letter case ignored.
std::string ReplaceNoCase(std::string_view text, std::string_view placeholder,
                          std::string_view value);
// A number as the system prints it in text (2.5, 3, 0.5), with the user's decimal separator.
std::string NumberText(double value, std::string_view decimal_separator = ".");

// The facts of the current track and playlist, each read from iTunes when first needed and
// at most once a refresh; the playlist itself only when a template names one of its facts.
class TrackFacts {
 public:
  using PlaylistSource = std::function<itunes::PlaylistPtr()>;
  TrackFacts(itunes::Track& track, PlaylistSource playlist, platform::Locale& locale)
      : track_(track), playlist_source_(std::move(playlist)), locale_(locale) {}
  bool has_playlist();
  const std::string& Get(const std::string& placeholder);

 private:
  std::string Read(const std::string& placeholder);

  itunes::Track& track_;
  PlaylistSource playlist_source_;
  std::optional<itunes::PlaylistPtr> playlist_;
  platform::Locale& locale_;
  std::map<std::string, std::string> values_;
};

// A label's template with every placeholder of the list replaced, in the list's order, letter
// case ignored. The playlist's placeholders are left as written when there is no playlist.
std::string FillTemplate(const std::string& templ, std::span<const char* const> placeholders,
                         TrackFacts& facts);

}  // namespace quavero::skin
