// The framework's math on IEEE 754 doubles, and the one safe road from a double to a count.
#pragma once

#include <cstdint>

namespace fw {

double Sqrt(double v);
// Pow(v, 2.0) is the correctly rounded square v * v.
double Pow(double base, double exponent);
double Abs(double v);
double Log(double v);  // natural logarithm; Log(0) is -infinity
double Exp(double v);  // underflows to 0

// Truncation toward zero to a 64-bit integer without undefined behaviour: NaN gives 0,
// values beyond the range saturate at its limits.
std::int64_t ToInt64(double v);

}  // namespace fw
