#include "base/real48.h"

#include <cmath>
#include <limits>

namespace kartela {
namespace {

constexpr int kSignificandBits = 40;
constexpr long double kSmallestReal48 = 0x1p-128L;

std::int64_t Saturate(long double whole) {
  if (std::isnan(whole)) return 0;
  constexpr auto kMin = std::numeric_limits<std::int64_t>::min();
  constexpr auto kMax = std::numeric_limits<std::int64_t>::max();
  if (whole <= static_cast<long double>(kMin)) return kMin;
  if (whole >= static_cast<long double>(kMax)) return kMax;
  return static_cast<std::int64_t>(whole);
}

}  // namespace

double RoundToReal48(long double value) {
  if (value == 0 || std::isnan(value)) return 0;
  int exponent = 0;
  const long double fraction = std::frexp(value, &exponent);  // 0.5 <= |fraction| < 1
  const long double significand = std::nearbyint(std::ldexp(fraction, kSignificandBits));
  const long double rounded = std::ldexp(significand, exponent - kSignificandBits);
  if (std::fabs(rounded) < kSmallestReal48) return 0;
  if (std::fabs(rounded) > kReal48Max) return std::copysign(kReal48Max, static_cast<double>(value));
  return static_cast<double>(rounded);
}

std::int64_t RoundHalfEven(long double value) {
  return Saturate(std::nearbyint(value));
}

std::int64_t TruncTowardZero(long double value) {
  return Saturate(std::trunc(value));
}

}  // namespace kartela
