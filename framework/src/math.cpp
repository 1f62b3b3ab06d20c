#include "framework/math.h"

#include <cmath>
#include <limits>

namespace fw {

double Sqrt(double v) {
  return std::sqrt(v);
}

double Pow(double base, double exponent) {
  // A square is one correctly rounded multiplication; a general pow is only promised to be
  // faithful, and the statistics square every deviation.
  if (exponent == 2.0) return base * base;
  return std::pow(base, exponent);
}

double Abs(double v) {
  return std::fabs(v);
}

double Log(double v) {
  return std::log(v);
}

double Exp(double v) {
  return std::exp(v);
}

std::int64_t ToInt64(double v) {
  // -2^63 is a double; 2^63 is the first double past the top of the range.
  constexpr double kTop = 9223372036854775808.0;
  if (std::isnan(v)) return 0;
  if (v >= kTop) return std::numeric_limits<std::int64_t>::max();
  if (v < -kTop) return std::numeric_limits<std::int64_t>::min();
  return static_cast<std::int64_t>(v);
}

}  // namespace fw
