// Text helpers for the skin vocabulary, which is ASCII and compared without regard to ASCII case.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quavero::text {

std::string ToLowerAscii(std::string_view s);
bool EqualsNoCase(std::string_view a, std::string_view b);
// UTF-8 texts equal without regard to case for ASCII and the Latin-1 letters ("É" is "é"),
// as names users give (playlists) are compared.
bool EqualsNoCaseLatin(std::string_view a, std::string_view b);
bool StartsWith(std::string_view s, std::string_view prefix);
bool StartsWithNoCase(std::string_view s, std::string_view prefix);
bool ContainsNoCase(std::string_view haystack, std::string_view needle);

// Splits at every separator: an empty text gives an empty list, "a;" gives "a" and "".
std::vector<std::string> Split(std::string_view s, char separator);
std::vector<std::string> Split(std::string_view s, std::string_view separator);

// Sorts names as Windows lists them: without regard to ASCII case.
void SortNoCase(std::vector<std::string>& names);

std::string ReplaceAll(std::string_view s, std::string_view from, std::string_view to);

// A Windows path with its "." and ".." parts resolved as Windows resolves them: ".." never
// climbs above the drive ("C:\a\..\..\b" is "C:\b"); a trailing backslash stays.
std::string CollapseDots(std::string_view path);
// The folder of a Windows path, ending with its backslash; empty when there is none.
std::string FolderOf(std::string_view path);

}  // namespace quavero::text
