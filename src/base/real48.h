// The 48-bit real of stored values and the rounding rules of the arithmetic.
//
// A stored real has a 40-bit significand (39 fraction bits and the hidden
// bit) and an 8-bit exponent with bias 129. Values are kept in `double`
// rounded to that precision, ties to even, wherever a value is stored;
// arithmetic runs in `long double` (x86 80-bit extended).
#pragma once

#include <cstdint>

namespace kartela {

// Largest magnitude a 48-bit real holds: (2 - 2^-39) * 2^126, about 1.7e38.
inline constexpr double kReal48Max = 0x1.FFFFFFFFFEp+126;

// `value` rounded to the 48-bit real's precision, ties to even. Magnitudes
// below the smallest normal 48-bit real (2^-128) become 0; magnitudes above
// kReal48Max saturate to it, keeping the sign.
double RoundToReal48(long double value);

// Round to nearest, ties to even, saturating at the 64-bit range.
std::int64_t RoundHalfEven(long double value);

// Toward zero, saturating at the 64-bit range.
std::int64_t TruncTowardZero(long double value);

}  // namespace kartela
