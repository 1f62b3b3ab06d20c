// Text and number functions of the framework. Locale-independent: '.' is the decimal point
// whatever the process locale says. Strings are UTF-8.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace fw {

// The number a text spells: leading blanks (space, tab) skipped, optional sign, digits with an
// optional point, optional exponent; reading stops at the first character that does not fit.
// No number gives 0. Correctly rounded.
double Val(std::string_view text);

// Decimal digits of a 64-bit integer, with a leading '-' for negatives.
std::string Str(std::int64_t value);

// A number under a mask: '#' a digit shown only when significant, '0' a digit always shown,
// '.' the decimal point, a leading '-' a minus sign for negatives. Rounded to nearest from the
// double's exact value, ties away from zero. NaN gives "NaN", infinities "INF" and "-INF".
std::string Format(double value, std::string_view mask);

// Number of characters (code points) of UTF-8 text.
std::int64_t Len(std::string_view text);

// Code point of the first character; 0 for the empty text.
std::int64_t Asc(std::string_view text);

// Negative, zero or positive as a sorts before, equals or sorts after b, by character code.
std::int32_t RuntimeStringCompare(std::string_view a, std::string_view b);

// Concatenation.
std::string RuntimeAddString(std::string_view a, std::string_view b);

}  // namespace fw
