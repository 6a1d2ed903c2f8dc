#include <gtest/gtest.h>

#include "base/failure.h"
#include "base/lines.h"
#include "base/text.h"
#include "base/values.h"

namespace quavero {
namespace {

using values::LeadingNumber;

TEST(LeadingNumber, ReadsThePrefixThatFormsANumber) {
  EXPECT_EQ(LeadingNumber("120"), 120);
  EXPECT_EQ(LeadingNumber("  -7.5px"), -7.5);
  EXPECT_EQ(LeadingNumber("1 2"), 12);  // blanks inside the number are skipped
  EXPECT_EQ(LeadingNumber("1\t2\n3"), 123);
  EXPECT_EQ(LeadingNumber("1.5E2x"), 150);
  EXPECT_EQ(LeadingNumber("2D3"), 2000);
  EXPECT_EQ(LeadingNumber("1e"), 1);
  EXPECT_EQ(LeadingNumber(".5"), 0.5);
  EXPECT_EQ(LeadingNumber("1,5"), 1);  // the decimal separator is always "."
  EXPECT_EQ(LeadingNumber("abc"), 0);
  EXPECT_EQ(LeadingNumber(""), 0);
  EXPECT_EQ(LeadingNumber("R50"), 0);
}

TEST(LeadingNumber, ReadsHexadecimalAndOctalAsUnsignedWholeNumbers) {
  EXPECT_EQ(LeadingNumber("&HFF0000"), 0xFF0000);
  EXPECT_EQ(LeadingNumber("&hff"), 255);
  EXPECT_EQ(LeadingNumber("&HFFFF"), 65535);  // not -1: yellow stays yellow
  EXPECT_EQ(LeadingNumber("&HFF00"), 0xFF00);
  EXPECT_EQ(LeadingNumber("&O17"), 15);
  EXPECT_EQ(LeadingNumber("&HZZ"), 0);
  EXPECT_EQ(LeadingNumber("&X1"), 0);
}

TEST(WholeNumbers, RoundHalvesToEvenAndFailWithOverflowOutOfRange) {
  EXPECT_EQ(values::ToShort(2.5), 2);
  EXPECT_EQ(values::ToShort(3.5), 4);
  EXPECT_EQ(values::ToShort(-2.5), -2);
  EXPECT_EQ(values::ToShort(32767), 32767);
  EXPECT_EQ(values::ToShort(-32768), -32768);
  EXPECT_EQ(values::ToLong(2147483647.0), 2147483647);
  try {
    values::ToShort(32768);
    FAIL() << "no overflow";
  } catch (const Failure& f) {
    EXPECT_EQ(f.number(), 6);
    EXPECT_EQ(f.description(), "Overflow");
  }
  EXPECT_THROW(values::ToShort(-32769), Failure);
  EXPECT_THROW(values::ToLong(2147483648.0), Failure);
  EXPECT_THROW(values::LongValue("&HFFFFFFFF"), Failure);
  EXPECT_EQ(values::ColourValue("&HFFFFFF"), 0xFFFFFF);
}

TEST(Flags, AcceptWordsAndNumbersAndRejectEverythingElse) {
  EXPECT_TRUE(values::ToFlag("true"));
  EXPECT_TRUE(values::ToFlag("TRUE"));
  EXPECT_FALSE(values::ToFlag("False"));
  EXPECT_TRUE(values::ToFlag("1"));
  EXPECT_TRUE(values::ToFlag(" 1"));
  EXPECT_TRUE(values::ToFlag("-3.5"));
  EXPECT_FALSE(values::ToFlag("0"));
  EXPECT_TRUE(values::ToFlag("&H10"));
  for (const char* bad : {"yes", "", "1x", " true", "t"}) {
    try {
      values::ToFlag(bad);
      ADD_FAILURE() << "accepted \"" << bad << "\"";
    } catch (const Failure& f) {
      EXPECT_EQ(f.number(), 13);
      EXPECT_EQ(f.description(), "Type mismatch");
    }
  }
}

TEST(Numeric, IsACompleteDecimalNumberWithBlanksAround) {
  EXPECT_TRUE(values::IsNumeric("12"));
  EXPECT_TRUE(values::IsNumeric(" 7 "));
  EXPECT_TRUE(values::IsNumeric("-1.5E3"));
  EXPECT_FALSE(values::IsNumeric("F5"));
  EXPECT_FALSE(values::IsNumeric(""));
  EXPECT_FALSE(values::IsNumeric("1e"));
  EXPECT_FALSE(values::IsNumeric("."));
}

TEST(FormatSingle, PrintsLikeTheOriginalPlatform) {
  EXPECT_EQ(values::FormatSingle(13560), " 13560");
  EXPECT_EQ(values::FormatSingle(-1500), "-1500");
  EXPECT_EQ(values::FormatSingle(0), " 0");
  EXPECT_EQ(values::FormatSingle(0.5), " .5");
  EXPECT_EQ(values::FormatSingle(157.5), " 157.5");
  EXPECT_EQ(values::FormatSingle(1.0 / 3), " .3333333");
}

TEST(Split, KeepsEmptyPartsAndGivesNothingForEmptyText) {
  using V = std::vector<std::string>;
  EXPECT_EQ(text::Split("", ';'), V{});
  EXPECT_EQ(text::Split("a", ';'), V{"a"});
  EXPECT_EQ(text::Split("a;", ';'), (V{"a", ""}));
  EXPECT_EQ(text::Split(";;", ';'), (V{"", "", ""}));
  EXPECT_EQ(text::Split(" a ; b", ';'), (V{" a ", " b"}));
}

TEST(Text, ComparesAsciiWithoutRegardToCase) {
  EXPECT_TRUE(text::EqualsNoCase("SkinName", "skinname"));
  EXPECT_FALSE(text::EqualsNoCase("skin", "skins"));
  EXPECT_TRUE(text::StartsWithNoCase("tmrScroll", "TMR"));
  EXPECT_TRUE(text::ContainsNoCase("C:\\Program Files\\iTunes\\iTunes.exe", "itunes"));
  EXPECT_TRUE(text::ContainsNoCase("[Artist] - [CURRENTPOSITION]", "[CurrentPosition]"));
  EXPECT_TRUE(text::ContainsNoCase("abc", ""));
  EXPECT_TRUE(text::ContainsNoCase("", ""));
  EXPECT_FALSE(text::ContainsNoCase("", "a"));
  EXPECT_FALSE(text::ContainsNoCase("[Time", "[time]"));
  EXPECT_TRUE(text::ContainsNoCase("[[[tiME]", "[time]"));  // a start that fails, then one that matches
  EXPECT_TRUE(text::ContainsNoCase("a [b] - ", " - "));
  EXPECT_FALSE(text::ContainsNoCase("x\xC3\x89T", "\xC3\xA9t"));  // ASCII letters only
  EXPECT_EQ(text::ReplaceAll("a--b--", "--", "+"), "a+b+");
}

TEST(Lines, EndAtCrLfOrLoneCrButNotAtLoneLf) {
  using V = std::vector<std::string>;
  EXPECT_EQ(lines::SplitLines("a\r\nb\rc"), (V{"a", "b", "c"}));
  EXPECT_EQ(lines::SplitLines("a\nb\nc"), V{"a\nb\nc"});
  EXPECT_EQ(lines::SplitLines("a\r\n"), V{"a"});
  EXPECT_EQ(lines::SplitLines("a\r\n\r\n"), (V{"a", ""}));
  EXPECT_EQ(lines::SplitLines("\r\r"), (V{"", ""}));
  EXPECT_EQ(lines::SplitLines(""), V{});
  EXPECT_EQ(lines::JoinLines({"a", "b"}), "a\r\nb\r\n");
}

TEST(Failure, CarriesNumberAndTheDescriptionUsersKnow) {
  Failure f(53);
  EXPECT_EQ(f.number(), 53);
  EXPECT_EQ(f.description(), "File not found");
  EXPECT_EQ(NoSuchElement(9).description(), "Control array element '9' doesn't exist");
  EXPECT_EQ(NoSuchElement(9).number(), 340);
}

}  // namespace
}  // namespace quavero
