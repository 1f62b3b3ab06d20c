// The exact upper tail of the chi-square distribution, the reference for x2prob and for the p
// that a Calculate run shows.
#pragma once

#include <cmath>

namespace stats_test {

// Q(a, y) with a = df / 2, y = x / 2, in long double: by the power series of P below y = a + 1
// and the continued fraction of Q above it, each run to full precision.
inline long double ExactUpperTail(double x, int df) {
  const long double a = df / 2.0L, y = x / 2.0L;
  if (y == 0) return 1;
  const long double scale = std::exp(a * std::log(y) - y - std::lgamma(a));
  if (y < a + 1) {
    long double term = 1 / a, sum = term, d = a;
    while (term > sum * 1e-20L) {
      d += 1;
      term *= y / d;
      sum += term;
    }
    return 1 - sum * scale;
  }
  const long double tiny = 1e-300L;
  long double b = y + 1 - a, c = 1 / tiny, d = 1 / b, h = d;
  for (int i = 1; i < 10000; ++i) {
    const long double an = -i * (i - a);
    b += 2;
    d = an * d + b;
    if (std::fabs(d) < tiny) d = tiny;
    c = b + an / c;
    if (std::fabs(c) < tiny) c = tiny;
    d = 1 / d;
    h *= d * c;
    if (std::fabs(d * c - 1) < 1e-20L) break;
  }
  return scale * h;
}

}  // namespace stats_test
