// Time and text helpers of the track information: m:ss times, two-digit numbers, seconds of
// an m:ss text, and a prefix test.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace quavero::skin {

std::string ConvertToTime(int32_t Time, bool RoundOther = false);  // milliseconds -> "m:ss"
std::string MakeNum(int32_t ANum);                                  // 7 -> "07"
double Seconds(std::string_view MMSS);                              // "3:07" -> 187
bool IsLeft(std::string_view MainString, std::string_view CheckString, int CompareType = 0);
// Replaces every occurrence of a placeholder, letter case ignored.
std::string ReplaceNoCase(std::string_view text, std::string_view placeholder,
                          std::string_view value);
// A number as the system prints it in text (2.5, 3, 0.5).
std::string NumberText(double value);

}  // namespace quavero::skin
