#include "base/text.h"

#include <algorithm>

namespace quavero::text {
namespace {

char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }
char UpperAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

}  // namespace

std::string ToLowerAscii(std::string_view s) {
  std::string out(s);
  std::transform(out.begin(), out.end(), out.begin(), LowerAscii);
  return out;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(),
                    [](char x, char y) { return LowerAscii(x) == LowerAscii(y); });
}

namespace {

// ASCII and the Latin-1 capitals À..Þ (UTF-8 C3 80..C3 9E, but not ×) in lower case.
std::string FoldLatin(std::string_view s) {
  std::string folded(s);
  for (size_t i = 0; i < folded.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(folded[i]);
    if (c == 0xC3 && i + 1 < folded.size()) {
      unsigned char next = static_cast<unsigned char>(folded[i + 1]);
      if (next >= 0x80 && next <= 0x9E && next != 0x97) folded[i + 1] = static_cast<char>(next + 0x20);
      ++i;
    } else {
      folded[i] = LowerAscii(folded[i]);
    }
  }
  return folded;
}

}  // namespace

bool EqualsNoCaseLatin(std::string_view a, std::string_view b) {
  return a.size() == b.size() && FoldLatin(a) == FoldLatin(b);
}

bool StartsWith(std::string_view s, std::string_view prefix) {
  return s.substr(0, prefix.size()) == prefix;
}

bool StartsWithNoCase(std::string_view s, std::string_view prefix) {
  return s.size() >= prefix.size() && EqualsNoCase(s.substr(0, prefix.size()), prefix);
}

bool ContainsNoCase(std::string_view haystack, std::string_view needle) {
  if (needle.empty()) return true;
  const char first = needle[0];
  if (LowerAscii(first) != UpperAscii(first)) {  // a letter: either case starts a match
    return std::search(haystack.begin(), haystack.end(), needle.begin(), needle.end(),
                       [](char x, char y) { return LowerAscii(x) == LowerAscii(y); }) !=
           haystack.end();
  }
  // A needle that starts with a sign, as every placeholder does with "[", is looked for only
  // where that sign stands.
  for (size_t at = haystack.find(first);
       at != std::string_view::npos && haystack.size() - at >= needle.size();
       at = haystack.find(first, at + 1))
    if (EqualsNoCase(haystack.substr(at, needle.size()), needle)) return true;
  return false;
}

std::vector<std::string> Split(std::string_view s, std::string_view separator) {
  std::vector<std::string> parts;
  if (s.empty()) return parts;
  size_t start = 0;
  while (true) {
    size_t at = s.find(separator, start);
    if (at == std::string_view::npos) {
      parts.emplace_back(s.substr(start));
      return parts;
    }
    parts.emplace_back(s.substr(start, at - start));
    start = at + separator.size();
  }
}

std::vector<std::string> Split(std::string_view s, char separator) {
  return Split(s, std::string_view(&separator, 1));
}

void SortNoCase(std::vector<std::string>& names) {
  std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
    return ToLowerAscii(a) < ToLowerAscii(b);
  });
}

std::string ReplaceAll(std::string_view s, std::string_view from, std::string_view to) {
  if (from.empty()) return std::string(s);
  std::string out;
  size_t start = 0;
  for (size_t at; (at = s.find(from, start)) != std::string_view::npos; start = at + from.size()) {
    out.append(s.substr(start, at - start)).append(to);
  }
  return out.append(s.substr(start));
}

std::string CollapseDots(std::string_view path) {
  auto parts = Split(path, '\\');
  std::vector<std::string> kept;
  for (size_t i = 0; i < parts.size(); ++i) {
    const std::string& part = parts[i];
    bool last = i + 1 == parts.size();
    if (part == ".") {
      if (last) kept.emplace_back();
      continue;
    }
    if (part == "..") {
      if (kept.size() > 1) kept.pop_back();  // the drive (or "" of a rooted path) stays
      if (last) kept.emplace_back();
      continue;
    }
    if (part.empty() && !kept.empty() && !last) continue;  // doubled backslashes
    kept.push_back(part);
  }
  std::string out;
  for (size_t i = 0; i < kept.size(); ++i) out += (i ? "\\" : "") + kept[i];
  return out;
}

std::string FolderOf(std::string_view path) {
  size_t slash = path.rfind('\\');
  return slash == std::string_view::npos ? std::string() : std::string(path.substr(0, slash + 1));
}

}  // namespace quavero::text
