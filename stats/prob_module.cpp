#include "stats/prob_module.h"

#include <cmath>
#include <cstdint>

#include "framework/math.h"

namespace ProbModule {

namespace {

// Q(a, y) from the continued fraction
//     Q = y^a e^-y / Gamma(a) * 1/(y+1-a- 1(1-a)/(y+3-a- 2(2-a)/(y+5-a- ...)))
// by the modified Lentz method, combined in logarithms so that nothing overflows on the way.
// Used only where y lies beyond a + 1, where it converges within a few dozen passes.
double UpperTailByContinuedFraction(double a, double y) {
  if (std::isinf(y) || a <= 0.0) return 0.0;
  constexpr double kTiny = 1e-300;
  constexpr int kMaxPasses = 1000;
  double b = y + 1.0 - a;
  double c = 1.0 / kTiny;
  double d = 1.0 / b;
  double h = d;
  for (int i = 1; i <= kMaxPasses; ++i) {
    const double an = -i * (i - a);
    b += 2.0;
    d = an * d + b;
    if (std::fabs(d) < kTiny) d = kTiny;
    c = b + an / c;
    if (std::fabs(c) < kTiny) c = kTiny;
    d = 1.0 / d;
    const double delta = d * c;
    h *= delta;
    if (std::fabs(delta - 1.0) < 1e-15) break;
  }
  return std::exp(a * std::log(y) - y - std::lgamma(a) + std::log(h));
}

}  // namespace

double x2prob(double x, double df) {
  const std::int64_t n = fw::ToInt64(df);
  const double a = 0.5 * static_cast<double>(n);
  const double y = 0.5 * x;

  // Beyond a + 1 the lower series sums to nearly 1 and 1 - sum * e keeps few of the tail's
  // digits, or none (further on the sum overflows or the scale underflows). +infinity goes
  // there too; NaN does not.
  if (y > a + 1.0) return UpperTailByContinuedFraction(a, y);

  // ln Gamma(a + 1).
  const double g = (a + 1.0) - 1.0;
  const double tmp = g + 5.5;
  const double t1 = (g + 0.5) * fw::Log(tmp) - tmp;
  double ser = 1.0;
  ser = ser + 76.18009173 / (g + 1.0);
  ser = ser + -86.50532033 / (g + 2.0);
  ser = ser + 24.01409822 / (g + 3.0);
  ser = ser + -1.231739516 / (g + 4.0);
  ser = ser + 0.00120858 / (g + 5.0);
  ser = ser + -5.364e-06 / (g + 6.0);
  const double lnG = t1 + fw::Log(2.506628275 * ser);

  const double e = fw::Exp(((a * fw::Log(y)) - lnG) - y);

  double sum = 0.0;
  if (e != 0.0) {  // a NaN scale runs the series too, and the NaN comes through
    double term = 1.0;
    sum = 1.0;
    double d = a;
    bool grew = true;
    // On until a term no longer changes the sum; a NaN sum ends it at once.
    while (grew) {
      d = 1.0 + d;
      term = (term * y) / d;
      const double next = term + sum;
      grew = next > sum;
      sum = next;
    }
  }

  double p = 1.0 - sum * e;
  if (p > 0.9999) p = 0.9999;
  if (p < 0.0) p = 0.0;  // never negative, whatever rounding does to P
  return p;
}

}  // namespace ProbModule
