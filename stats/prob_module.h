// The chi-square probability of the Calculate run.
#pragma once

namespace ProbModule {

// x2prob(x, df): upper-tail probability of the chi-square distribution, Q = 1 - P(a, y) with
// a = df / 2 and y = x / 2, P being the regularized lower incomplete gamma function.
//
// Method. df is truncated toward zero to a whole number n and a = n / 2.
//   y up to a + 1 (x up to df + 2): P(a, y) from its power series,
//       P(a, y) = y^a e^-y / Gamma(a + 1) * (1 + y/(a+1) + y^2/((a+1)(a+2)) + ...),
//     summed until a term no longer changes the sum in double precision (at most 65 passes for
//     df up to 81), with ln Gamma(a + 1) from a six-term Lanczos-type series (gamma 5, relative
//     error near 2e-10); p = 1 - P, capped at 0.9999 and never below 0.
//   y beyond a + 1: Q(a, y) directly, from its continued fraction (modified Lentz, under 60
//     passes for df up to 81), scaled in logarithms with the library's ln Gamma(a). There P
//     nears 1, so 1 - P would keep few of the tail's digits and for large statistics none (with
//     df 1, from x of about 69 on, it rounds to 0 or below); further on the series sum
//     overflows and its scale underflows.
// The switch at a + 1 is measured: moved up, the series' relative error grows (3.1e-9 at
// a + 2); moved down, the continued fraction needs more passes (about 140 at a) and below a it
// does not converge. No fused operations, one fixed order: results repeat to the bit.
//
// Accuracy, measured against the exact upper tail (computed in long double) over x from 0 to
// 1,400 in steps of 0.01 and every df from 1 to 81; a test sweeps that same grid and holds
// these figures:
//   absolute error  at most 7.5e-11, the largest at x = 3 with df 1, where the series ends;
//   relative error  at most 9e-10, in the same place; both come from the ln Gamma series;
//   x beyond df + 2 relative error at most 1.9e-13 (every tail below 0.083 lies there), growing
//                   with x as the logarithms of the scale grow, the largest near x = 1,390.
// Where the exact tail is above 0.9999 (x near 0) the cap holds p up to 1e-4 below it. Shown to
// four decimals, every p is the exact tail rounded (.9999 at most), unless that tail lies within
// 7.5e-11 of a boundary between two shown values.
//
// Edge cases.
//   x = 0           0.9999 for every df of 1 or more (the series is skipped, then the cap).
//   x = NaN         NaN.
//   x = +infinity   0.
//   x very large    the tail: below 1e-300 from x of about 1,374 (df 1) to 1,698 (df 81) on,
//                   0 once it underflows (from about 1,483 to 1,812).
//   x below 0       NaN (the logarithm of a negative y).
//   df = 0          x = 0 gives NaN (0 x ln 0); x up to 2 about 1e-10 (the ln Gamma series'
//                   error), larger x 0.
//   df below 0      not a distribution; the steps run all the same and give NaN or a number
//                   without meaning.
// The callers pass whole df from 1 to 81 and x of 0 or more. With df of 2^53 or more each pass
// adds nothing to the series' divisor, and for y near a the series may not end in any useful
// time. No state, no allocation.
double x2prob(double x, double df);

}  // namespace ProbModule
