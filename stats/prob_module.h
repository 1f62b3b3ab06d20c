// The chi-square probability of the Calculate run.
#pragma once

namespace ProbModule {

// x2prob(x, df): upper-tail probability of the chi-square distribution, Q = 1 - P(a, y) with
// a = df / 2 and y = x / 2, P being the regularized lower incomplete gamma function.
//
// Method. df is truncated toward zero to a whole number n and a = n / 2. P(a, y) comes from its
// power series,
//     P(a, y) = y^a e^-y / Gamma(a + 1) * (1 + y/(a+1) + y^2/((a+1)(a+2)) + ...),
// summed until a term falls to 1e-6 of the sum or below. ln Gamma(a + 1) comes from a
// six-term Lanczos-type series (gamma 5, relative error near 2e-10). The result is capped at
// 0.9999. Every operation is one IEEE 754 double rounding, in a fixed order, so results repeat
// to the bit.
//
// Accuracy. The stopping rule leaves out the tail of the series, and the more so the larger y
// is, so p lies above the exact upper tail. Measured against the exact tail (computed to full
// long-double precision) over x from 0 to 1,400 in steps of 0.01 and every df from 1 to 81, p
// exceeds it by at most 5.6e-6, near x = 1,400. The excess stays below 3.2e-7
// for x below 10, 1.3e-6 below 100 and 2e-6 below x of about 213, and passes 2e-6 from there on.
// Where the exact tail is above 0.9999 (x near 0) the cap holds p up to 1e-4 below it. So p for
// large statistics stays near 1e-6 to 6e-6 instead of falling towards 0 (100 with df 1 gives
// 1.0087e-6), and the smallest results, near 2.8e-7, come at x about 32 with df 1. Shown to four
// decimals, as the results are, all of this is .0000.
//
// Very large statistics. Once y passes about 710 (more for larger df) the series sum overflows;
// further on the scale factor y^a e^-y / Gamma(a + 1) underflows to 0. Either way the series
// says nothing about the tail.
// There (with df 1: from x about 1,421.75; with df 81: from about 1,738.5) the upper tail is
// taken instead from the continued fraction of the upper incomplete gamma function, evaluated
// in logarithms. It is below 1e-300 there, often 0 after underflow.
//
// Edge cases.
//   x = 0           0.9999 for every df of 1 or more (the series is skipped, then the cap).
//   x = NaN         NaN.
//   x = +infinity   0.
//   x below 0       NaN (the logarithm of a negative y).
//   df = 0          x = 0 gives NaN (0 x ln 0); other x give about 0, within the 1e-6.
//   df below 0      not a distribution; the steps run all the same and give NaN or a number
//                   without meaning.
// The callers pass whole df from 1 to 81 and x of 0 or more. The series makes about
// y + a few sqrt(y) passes when y is large and a few dozen for ordinary statistics; with df of
// 2^53 or more each pass adds nothing to its divisor and the series may take very long.
// No state, no allocation.
double x2prob(double x, double df);

}  // namespace ProbModule
