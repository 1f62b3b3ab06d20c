#include "framework/text.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <system_error>

namespace fw {

namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// from_chars reports a value beyond the double range without giving it. Whether it overflowed
// or underflowed follows from the decimal exponent of the first significant digit.
bool Overflows(const char* mantissa, const char* mantissaEnd, const char* exponentEnd) {
  std::int64_t position = 0;  // index of the digit, points skipped
  std::int64_t integerDigits = 0;
  bool afterPoint = false;
  bool found = false;
  std::int64_t firstSignificant = 0;
  for (const char* p = mantissa; p != mantissaEnd; ++p) {
    if (*p == '.') {
      afterPoint = true;
      continue;
    }
    if (!afterPoint) ++integerDigits;
    if (!found && *p != '0') {
      found = true;
      firstSignificant = position;
    }
    ++position;
  }
  // Digit k (0-based, points skipped) stands for 10^(integerDigits - 1 - k).
  std::int64_t magnitude = integerDigits - 1 - firstSignificant;
  std::int64_t exponent = 0;
  const char* p = mantissaEnd;
  if (p != exponentEnd) {
    ++p;  // 'e' or 'E'
    bool negative = false;
    if (*p == '+' || *p == '-') negative = *p++ == '-';
    for (; p != exponentEnd; ++p) {
      // Far past any double's range; stop growing before the integer could overflow.
      if (exponent < 1'000'000'000) exponent = exponent * 10 + (*p - '0');
    }
    if (negative) exponent = -exponent;
  }
  return magnitude + exponent > 0;
}

// One UTF-8 character from text at i; i moves past it. A byte that does not begin a
// well-formed sequence is one character of its own, read as U+FFFD.
char32_t DecodeOne(std::string_view text, std::size_t& i) {
  const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
  const unsigned char b0 = byte(i);
  if (b0 < 0x80) {
    ++i;
    return b0;
  }
  std::size_t length = 0;
  char32_t code = 0;
  unsigned char low = 0x80, high = 0xBF;  // allowed range of the second byte
  if (b0 >= 0xC2 && b0 <= 0xDF) {
    length = 2;
    code = b0 & 0x1F;
  } else if (b0 >= 0xE0 && b0 <= 0xEF) {
    length = 3;
    code = b0 & 0x0F;
    if (b0 == 0xE0) low = 0xA0;   // overlong
    if (b0 == 0xED) high = 0x9F;  // surrogates
  } else if (b0 >= 0xF0 && b0 <= 0xF4) {
    length = 4;
    code = b0 & 0x07;
    if (b0 == 0xF0) low = 0x90;   // overlong
    if (b0 == 0xF4) high = 0x8F;  // beyond U+10FFFF
  } else {
    ++i;
    return 0xFFFD;
  }
  if (i + length > text.size()) {
    ++i;
    return 0xFFFD;
  }
  for (std::size_t k = 1; k < length; ++k) {
    const unsigned char b = byte(i + k);
    const unsigned char lo = k == 1 ? low : 0x80;
    const unsigned char hi = k == 1 ? high : 0xBF;
    if (b < lo || b > hi) {
      ++i;
      return 0xFFFD;
    }
    code = (code << 6) | (b & 0x3F);
  }
  i += length;
  return code;
}

// Whether a (finite, positive) lies exactly halfway between two neighbours with `decimals`
// fraction digits: a = m / 2^k with m odd has exactly k fraction digits, the last one a 5.
bool IsHalfway(double a, int decimals) {
  if (a == 0.0) return false;
  int exponent = 0;
  const double fraction = std::frexp(a, &exponent);
  auto mantissa = static_cast<std::uint64_t>(std::ldexp(fraction, 53));
  int binaryExponent = exponent - 53;
  while ((mantissa & 1u) == 0) {
    mantissa >>= 1;
    ++binaryExponent;
  }
  return binaryExponent == -(decimals + 1);
}

// Adds one unit in the last place to a string of decimal digits (a '.' may stand among them).
void IncrementDigits(std::string& digits) {
  for (std::size_t k = digits.size(); k-- > 0;) {
    if (digits[k] == '.') continue;
    if (digits[k] != '9') {
      ++digits[k];
      return;
    }
    digits[k] = '0';
  }
  digits.insert(digits.begin(), '1');
}

// |value| with exactly `decimals` fraction digits, rounded to nearest, ties away from zero.
std::string FixedDigits(double magnitude, int decimals) {
  const bool halfway = IsHalfway(magnitude, decimals);
  // 309 integer digits at most, the point, the decimals and one more for a halfway case.
  std::string out(static_cast<std::size_t>(decimals) + 320, '\0');
  // to_chars rounds the exact value half to even; only an exact tie can differ from ties away
  // from zero, and then the digits one place further are exact and end in 5.
  const int precision = halfway ? decimals + 1 : decimals;
  const auto result = std::to_chars(out.data(), out.data() + out.size(), magnitude,
                                    std::chars_format::fixed, precision);
  out.resize(static_cast<std::size_t>(result.ptr - out.data()));
  if (halfway) {
    out.pop_back();                     // the 5
    if (decimals == 0) out.pop_back();  // the point
    IncrementDigits(out);
  }
  return out;
}

}  // namespace

double Val(std::string_view text) {
  const char* p = text.data();
  const char* const end = p + text.size();
  while (p != end && (*p == ' ' || *p == '\t')) ++p;
  bool negative = false;
  if (p != end && (*p == '+' || *p == '-')) negative = *p++ == '-';

  const char* const mantissa = p;
  std::size_t digits = 0;
  while (p != end && IsDigit(*p)) ++p, ++digits;
  if (p != end && *p == '.') {
    ++p;
    while (p != end && IsDigit(*p)) ++p, ++digits;
  }
  if (digits == 0) return 0.0;
  const char* const mantissaEnd = p;

  // An exponent counts only with at least one digit: "1e" and "1e+" read as 1.
  if (p != end && (*p == 'e' || *p == 'E')) {
    const char* q = p + 1;
    if (q != end && (*q == '+' || *q == '-')) ++q;
    if (q != end && IsDigit(*q)) {
      while (q != end && IsDigit(*q)) ++q;
      p = q;
    }
  }

  // from_chars takes no '+', so the sign is applied here; the span holds nothing else that it
  // could read differently (no blanks, no hex, no words).
  double value = 0.0;
  const auto result = std::from_chars(mantissa, p, value, std::chars_format::general);
  if (result.ec == std::errc::result_out_of_range) {
    value = Overflows(mantissa, mantissaEnd, p) ? std::numeric_limits<double>::infinity() : 0.0;
  }
  return negative ? -value : value;
}

std::string Str(std::int64_t value) {
  char buffer[24];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

std::string Format(double value, std::string_view mask) {
  if (std::isnan(value)) return "NaN";
  if (std::isinf(value)) return value > 0 ? "INF" : "-INF";

  // Mask: an optional leading '-', integer places, an optional point, fraction places. The
  // sign of a negative value is shown under every mask, so the '-' only needs skipping.
  std::size_t i = 0;
  if (i < mask.size() && mask[i] == '-') ++i;
  std::size_t integerZeros = 0;
  bool point = false;
  for (; i < mask.size() && !point; ++i) {
    if (mask[i] == '0') ++integerZeros;
    if (mask[i] == '.') point = true;
  }
  int decimals = 0;
  int requiredDecimals = 0;  // up to the last '0' among the fraction places
  for (; i < mask.size(); ++i) {
    if (mask[i] == '0' || mask[i] == '#') ++decimals;
    if (mask[i] == '0') requiredDecimals = decimals;
  }

  const std::string digits = FixedDigits(std::fabs(value), decimals);
  const std::size_t dot = digits.find('.');
  std::string_view integerPart = std::string_view(digits).substr(0, dot);
  std::string_view fractionPart =
      dot == std::string::npos ? std::string_view() : std::string_view(digits).substr(dot + 1);
  if (integerPart == "0") integerPart = {};
  const std::size_t padding =
      integerPart.size() < integerZeros ? integerZeros - integerPart.size() : 0;
  while (fractionPart.size() > static_cast<std::size_t>(requiredDecimals) &&
         fractionPart.back() == '0') {
    fractionPart.remove_suffix(1);
  }

  std::string out;
  out.reserve(padding + integerPart.size() + fractionPart.size() + 3);
  if (value < 0) out += '-';
  // A mask of '#' alone would show nothing at all for a value that rounds to 0.
  if (padding == 0 && integerPart.empty() && fractionPart.empty()) out += '0';
  out.append(padding, '0');
  out += integerPart;
  if (point) {
    out += '.';
    out += fractionPart;
  }
  return out;
}

std::int64_t Len(std::string_view text) {
  std::int64_t count = 0;
  for (std::size_t i = 0; i < text.size(); ++count) DecodeOne(text, i);
  return count;
}

std::int64_t Asc(std::string_view text) {
  if (text.empty()) return 0;
  std::size_t i = 0;
  return DecodeOne(text, i);
}

std::int32_t RuntimeStringCompare(std::string_view a, std::string_view b) {
  // Bytes compare as unsigned, and UTF-8 byte order is code-point order.
  const int order = a.compare(b);
  return order < 0 ? -1 : (order > 0 ? 1 : 0);
}

std::string RuntimeAddString(std::string_view a, std::string_view b) {
  std::string out;
  out.reserve(a.size() + b.size());
  out += a;
  out += b;
  return out;
}

}  // namespace fw
