#include "framework/text.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

struct ValCase {
  const char* text;
  double value;
};

// Values are compared for exact equality: the reading must be correctly rounded.
const ValCase kValCases[] = {
    {"12", 12},
    {" 12", 12},
    {"\t 12", 12},
    {"3.9", 3.9},
    {"-3.9", -3.9},
    {"+7", 7},
    {"1e3", 1000},
    {"1E3", 1000},
    {"1e+3", 1000},
    {"25e-1", 2.5},
    {"12abc", 12},
    {"1.5.", 1.5},
    {"abc", 0},
    {"", 0},
    {".", 0},
    {"-", 0},
    {"+.", 0},
    {"9e99", 9e99},
    {".5", 0.5},
    {"5.", 5},
    {"5.e1", 50},
    {"-.5", -0.5},
    {"1e", 1},
    {"1e+", 1},
    {"1e-", 1},
    {"1ex", 1},
    {"e5", 0},
    {".e5", 0},
    {"- 5", 0},
    {"+-5", 0},
    {"--5", 0},
    {"12 34", 12},
    {"12\n", 12},
    {"\n12", 0},  // only space and tab are blanks
    {"1,5", 1},
    {"0x1A", 0},
    {"inf", 0},
    {"-inf", 0},
    {"nan", 0},
    {"Infinity", 0},
    {"007", 7},
    {"0.1", 0.1},
    {"1e400", kInf},
    {"-1e400", -kInf},
    {"1e99999999999999999999", kInf},
    {"0.0001e309", 1e305},
    {"1000e-310", 1e-307},
    {"1e-400", 0},
    {"0e99999", 0},
    {"4.9e-324", std::numeric_limits<double>::denorm_min()},
    {"1.7976931348623157e308", std::numeric_limits<double>::max()},
    {"1.7976931348623159e308", kInf},
    // 2^53 + 1 lies halfway between two doubles: to even.
    {"9007199254740993", 9007199254740992.0},
    // Just either side of the halfway point between 0.3 and the next double up.
    {"0.30000000000000001665334536937734810635447502136230468751", 0.1 + 0.2},
    {"0.30000000000000001665334536937734810635447502136230468749", 0.3},
};

TEST(Val, ReadsTheNumberTheTextSpells) {
  for (const auto& c : kValCases) {
    EXPECT_EQ(fw::Val(c.text), c.value) << '"' << c.text << '"';
  }
}

TEST(Val, KeepsTheSignOfZero) {
  EXPECT_TRUE(std::signbit(fw::Val("-0")));
  EXPECT_FALSE(std::signbit(fw::Val("-abc")));  // no number at all
}

TEST(Val, ReadsOnlyWhatTheViewHolds) {
  const std::string text = "12345";
  EXPECT_EQ(fw::Val(std::string_view(text).substr(0, 2)), 12);
}

struct FormatCase {
  double value;
  const char* mask;
  const char* text;
};

const FormatCase kFormatCases[] = {
    // The masks of the result lines.
    {25, "###", "25"},
    {100, "###", "100"},
    {100.0 / 3.0, "###", "33"},
    {500.0 / 6.0, "###", "83"},
    {45, "####.000", "45.000"},
    {0.5, "####.000", ".500"},
    {50.0 / 63.0, "####.000", ".794"},
    {0, "####.000", ".000"},
    {1600, "####.000", "1600.000"},
    {0.9999, ".0000", ".9999"},
    {0.0000004, ".0000", ".0000"},
    {0.372998, ".0000", ".3730"},
    {-0.25, "-.000", "-.250"},
    {0.5, "-.000", ".500"},
    {-0.0869565, "-.000", "-.087"},
    {0.5, ".000", ".500"},
    // Integer digits beyond the mask's places are all shown.
    {10000, "####.000", "10000.000"},
    {123456789, "###", "123456789"},
    {1, ".000", "1.000"},
    {1, "-.000", "1.000"},
    {-1, "-.000", "-1.000"},
    {0.99996, ".000", "1.000"},
    {1e20, "###", "100000000000000000000"},
    // Ties, taken from the double's exact value, go away from zero; printf would give the
    // even neighbour (12, 2, .062, .12, -2).
    {12.5, "###", "13"},
    {2.5, "###", "3"},
    {0.0625, ".000", ".063"},
    {0.125, ".00", ".13"},
    {-2.5, "###", "-3"},
    {2251799813685248.5, "###", "2251799813685249"},
    {9.5, "###", "10"},
    {0.9995, ".000", "1.000"},     // not a tie: 0.9995 is a little above its decimal
    {0.0005, "####.000", ".001"},  // nor this, a little above
    {0.0045, ".000", ".004"},      // this one lies a little below
    {1.0005, ".000", "1.000"},
    // The sign: shown for every negative value under every mask, never for -0.0.
    {-0.25, ".000", "-.250"},
    {-45, "####.000", "-45.000"},
    {-0.0, "-.000", ".000"},
    {-0.0, "###", "0"},
    // Other forms of the grammar.
    {0, "###", "0"},
    {0.4, "###", "0"},
    {5, "000", "005"},
    {1234, "00", "1234"},
    {0.5, "0.00", "0.50"},
    {1.5, "#.##", "1.5"},
    {1, "#.##", "1."},
    {1.25, "0.0#", "1.25"},
    {1.2, "0.0#", "1.2"},
    {1.2, "0.#0", "1.20"},
    {7, "", "7"},
    // Values that are not finite.
    {kNaN, "####.000", "NaN"},
    {kNaN, ".0000", "NaN"},
    {kNaN, "-.000", "NaN"},
    {-kNaN, "###", "NaN"},
    {kInf, "####.000", "INF"},
    {kInf, ".000", "INF"},
    {-kInf, "-.000", "-INF"},
    {-kInf, ".0000", "-INF"},
};

TEST(Format, WritesTheValueUnderTheMask) {
  for (const auto& c : kFormatCases) {
    EXPECT_EQ(fw::Format(c.value, c.mask), c.text) << c.value << " under \"" << c.mask << '"';
  }
}

TEST(Format, ShowsEveryDigitOfTheLargestDoubles) {
  const std::string max = fw::Format(std::numeric_limits<double>::max(), "####.000");
  EXPECT_EQ(max.size(), 309u + 4u);
  EXPECT_EQ(max.substr(0, 17), "17976931348623157");
  EXPECT_EQ(max.substr(309), ".000");
  // The exact value of the double nearest 1e300, not a rounded rendering of it.
  EXPECT_EQ(fw::Format(1e300, "###").substr(0, 20), "10000000000000000525");
}

TEST(Format, RoundsTheSmallestDoublesToZero) {
  EXPECT_EQ(fw::Format(std::numeric_limits<double>::denorm_min(), ".0000"), ".0000");
  EXPECT_EQ(fw::Format(1e-310, "####.000"), ".000");
}

TEST(TextAndNumbers, IgnoreTheProcessLocale) {
  // A comma locale: strtod would stop at the point and printf would write a comma.
  const char* previous = std::setlocale(LC_ALL, nullptr);
  const std::string saved = previous ? previous : "C";
  ASSERT_NE(std::setlocale(LC_ALL, "de_DE.UTF-8"), nullptr) << "the de_DE.UTF-8 locale is missing";
  ASSERT_STREQ(std::localeconv()->decimal_point, ",");

  EXPECT_EQ(fw::Val("3.9"), 3.9);
  EXPECT_EQ(fw::Val("3,9"), 3);
  EXPECT_EQ(fw::Val(" -1.5e2"), -150);
  EXPECT_EQ(fw::Val("0.30000000000000001665334536937734810635447502136230468751"), 0.1 + 0.2);
  EXPECT_EQ(fw::Format(50.0 / 63.0, "####.000"), ".794");
  EXPECT_EQ(fw::Format(12.5, "###"), "13");
  EXPECT_EQ(fw::Format(-0.25, "-.000"), "-.250");
  EXPECT_EQ(fw::Format(10000, "####.000"), "10000.000");
  EXPECT_EQ(fw::Str(-1234567), "-1234567");

  std::setlocale(LC_ALL, saved.c_str());
}

TEST(Str, WritesDecimalDigits) {
  const struct {
    std::int64_t value;
    const char* text;
  } cases[] = {
      {0, "0"},
      {7, "7"},
      {-1, "-1"},
      {1234567890123, "1234567890123"},
      {std::numeric_limits<std::int64_t>::max(), "9223372036854775807"},
      {std::numeric_limits<std::int64_t>::min(), "-9223372036854775808"},
  };
  for (const auto& c : cases) EXPECT_EQ(fw::Str(c.value), c.text);
}

TEST(Characters, LenAndAscReadUtf8) {
  const struct {
    const char* text;
    std::int64_t length;
    std::int64_t first;
  } cases[] = {
      {"", 0, 0},
      {" ", 1, 32},
      {"12", 2, '1'},
      {"\t", 1, 9},
      {"\xC3\xA9t\xC3\xA9", 3, 0xE9},     // été
      {"\xE2\x82\xAC", 1, 0x20AC},        // euro sign
      {"\xF0\x9D\x84\x9E!", 2, 0x1D11E},  // musical G clef, then "!"
      {"\xEF\xBB\xBF", 1, 0xFEFF},        // a byte-order mark is a character too
      // A byte that starts no well-formed sequence is one character of its own.
      {"a\xFF"
       "b",
       3, 'a'},
      {"\xFF", 1, 0xFFFD},
      {"\xE2\x82", 2, 0xFFFD},          // cut short
      {"\xC0\xAF", 2, 0xFFFD},          // overlong
      {"\xED\xA0\x80", 3, 0xFFFD},      // a surrogate
      {"\xF4\x90\x80\x80", 4, 0xFFFD},  // beyond U+10FFFF
      {"\x80", 1, 0xFFFD},              // a lone continuation byte
  };
  for (const auto& c : cases) {
    EXPECT_EQ(fw::Len(c.text), c.length) << c.text;
    EXPECT_EQ(fw::Asc(c.text), c.first) << c.text;
  }
  EXPECT_EQ(fw::Len(std::string_view("a\0b", 3)), 3);  // NUL is a character
}

TEST(RuntimeStringCompare, OrdersByCharacterCode) {
  const struct {
    const char* a;
    const char* b;
    int sign;
  } cases[] = {
      {"a", "b", -1},
      {"b", "a", 1},
      {"abc", "abc", 0},
      {"", "", 0},
      {"", "a", -1},
      {"ab", "a", 1},
      {"A", "a", -1},                            // 65 before 97
      {"z", "\xC3\xA9", -1},                     // 122 before 233 (é)
      {"\xC3\xBF", "\xC4\x80", -1},              // U+00FF before U+0100
      {"\xEF\xBF\xBD", "\xF0\x90\x80\x80", -1},  // U+FFFD before U+10000
  };
  for (const auto& c : cases) {
    const int order = fw::RuntimeStringCompare(c.a, c.b);
    EXPECT_EQ((order > 0) - (order < 0), c.sign) << '"' << c.a << "\" vs \"" << c.b << '"';
  }
}

}  // namespace
