#include "base/values.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "base/failure.h"

namespace quavero::values {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int DigitValue(char c, int base) {
  int d = -1;
  if (c >= '0' && c <= '9') d = c - '0';
  else if (c >= 'a' && c <= 'f') d = c - 'a' + 10;
  else if (c >= 'A' && c <= 'F') d = c - 'A' + 10;
  return d < base ? d : -1;
}

// Reads characters of s one by one, skipping blanks, the way the conversion sees them.
class Reader {
 public:
  explicit Reader(std::string_view s) : s_(s) {}
  char Peek() {
    while (pos_ < s_.size() && IsBlank(s_[pos_])) ++pos_;
    return pos_ < s_.size() ? s_[pos_] : '\0';
  }
  void Next() { ++pos_; }

 private:
  std::string_view s_;
  size_t pos_ = 0;
};

// Beyond 32 bits a hexadecimal or octal number is out of range.
double ReadRadix(Reader& r, int base) {
  double value = 0;
  for (int d; (d = DigitValue(r.Peek(), base)) >= 0; r.Next()) {
    value = value * base + d;
    if (value > 4294967295.0) throw Failure(errors::kOverflow);
  }
  return value;
}

double ReadDecimal(Reader& r) {
  std::string number;
  if (r.Peek() == '+' || r.Peek() == '-') {
    number += r.Peek();
    r.Next();
  }
  for (; IsDigit(r.Peek()); r.Next()) number += r.Peek();
  if (r.Peek() == '.') {
    number += '.';
    r.Next();
    for (; IsDigit(r.Peek()); r.Next()) number += r.Peek();
  }
  char e = r.Peek();
  if (e == 'e' || e == 'E' || e == 'd' || e == 'D') {
    r.Next();
    std::string exponent = "e";
    if (r.Peek() == '+' || r.Peek() == '-') {
      exponent += r.Peek();
      r.Next();
    }
    bool digits = false;
    for (; IsDigit(r.Peek()); r.Next()) {
      exponent += r.Peek();
      digits = true;
    }
    if (digits) number += exponent;
  }
  // A number beyond the range of a double (1e400) is out of range; one too small is 0.
  double value = std::strtod(number.c_str(), nullptr);
  if (std::isinf(value)) throw Failure(errors::kOverflow);
  return value;
}

template <typename T>
T ToWhole(double v, double low, double high) {
  double rounded = std::nearbyint(v);  // the default rounding mode rounds halves to even
  if (!(rounded >= low && rounded <= high)) throw Failure(errors::kOverflow);
  return static_cast<T>(rounded);
}

std::string_view TrimBlanks(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

bool IsRadixNumber(std::string_view s) {
  if (s.size() < 3 || s[0] != '&') return false;
  int base = (s[1] == 'h' || s[1] == 'H') ? 16 : (s[1] == 'o' || s[1] == 'O') ? 8 : 0;
  if (base == 0) return false;
  for (char c : s.substr(2))
    if (DigitValue(c, base) < 0) return false;
  return true;
}

}  // namespace

double LeadingNumber(std::string_view s) {
  Reader r(s);
  if (r.Peek() == '&') {
    r.Next();
    char kind = r.Peek();
    if (kind == 'h' || kind == 'H') {
      r.Next();
      return ReadRadix(r, 16);
    }
    if (kind == 'o' || kind == 'O') {
      r.Next();
      return ReadRadix(r, 8);
    }
    return 0;
  }
  return ReadDecimal(r);
}

int16_t ToShort(double v) { return ToWhole<int16_t>(v, -32768.0, 32767.0); }
int32_t ToLong(double v) { return ToWhole<int32_t>(v, -2147483648.0, 2147483647.0); }
int16_t ShortValue(std::string_view s) { return ToShort(LeadingNumber(s)); }
int32_t LongValue(std::string_view s) { return ToLong(LeadingNumber(s)); }
int32_t ColourValue(std::string_view s) { return LongValue(s); }

bool IsNumeric(std::string_view s) {
  s = TrimBlanks(s);
  size_t i = 0;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
  bool digits = false;
  for (; i < s.size() && IsDigit(s[i]); ++i) digits = true;
  if (i < s.size() && s[i] == '.')
    for (++i; i < s.size() && IsDigit(s[i]); ++i) digits = true;
  if (!digits) return false;
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E' || s[i] == 'd' || s[i] == 'D')) {
    ++i;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    bool exponent = false;
    for (; i < s.size() && IsDigit(s[i]); ++i) exponent = true;
    if (!exponent) return false;
  }
  return i == s.size();
}

bool ToFlag(std::string_view s) {
  if (s.size() == 4 && (s[0] | 0x20) == 't' && (s[1] | 0x20) == 'r' && (s[2] | 0x20) == 'u' &&
      (s[3] | 0x20) == 'e')
    return true;
  if (s.size() == 5 && (s[0] | 0x20) == 'f' && (s[1] | 0x20) == 'a' && (s[2] | 0x20) == 'l' &&
      (s[3] | 0x20) == 's' && (s[4] | 0x20) == 'e')
    return false;
  if (IsNumeric(s) || IsRadixNumber(TrimBlanks(s))) return LeadingNumber(s) != 0;
  throw Failure(errors::kTypeMismatch);
}

std::string FormatSingle(double v) {
  float f = static_cast<float>(v);
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%.7G", static_cast<double>(f));
  std::string digits = buffer;
  std::string sign = " ";
  if (digits[0] == '-') {
    sign = "-";
    digits.erase(0, 1);
  }
  if (digits.size() > 1 && digits[0] == '0' && digits[1] == '.') digits.erase(0, 1);
  return sign + digits;
}

}  // namespace quavero::values
