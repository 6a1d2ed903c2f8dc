// How skin text becomes numbers and flags. Every place where skin text turns into a number,
// a colour or a flag goes through these functions, so all of them read values alike.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace quavero::values {

// The leading-number conversion: blanks, tabs and line feeds are skipped anywhere, then an
// optional sign, digits, "." and digits, and an exponent (E or D); "&H" reads hexadecimal and
// "&O" octal digits. Reading stops at the first character that cannot continue the number;
// no number at all gives 0. A number beyond the range of a double, or a hexadecimal or octal
// one beyond 32 bits, fails with 6 "Overflow".
double LeadingNumber(std::string_view s);

// Rounds to the nearest whole number, halves to the even neighbour; failure 6 "Overflow"
// outside the range of a short (-32768..32767) or a long (32-bit signed) whole number.
int16_t ToShort(double v);
int32_t ToLong(double v);

// Shorthands for skin text read as a short or long whole number.
int16_t ShortValue(std::string_view s);
int32_t LongValue(std::string_view s);

// A colour in the 0x00BBGGRR layout, written in decimal or with the &H prefix.
int32_t ColourValue(std::string_view s);

// "true"/"false" in any case, or a number (0 is false); anything else fails with 13
// "Type mismatch".
bool ToFlag(std::string_view s);

// A complete decimal number, blanks around it allowed ("12", " 7 ", "-1.5E3"; not "F5").
bool IsNumeric(std::string_view s);

// Prints a number as the original platform printed a single-precision value: a blank before a
// non-negative value, a minus sign otherwise, up to seven significant digits, no trailing zeros.
std::string FormatSingle(double v);

}  // namespace quavero::values
