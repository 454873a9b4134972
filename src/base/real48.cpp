#include "base/real48.h"

#include <cmath>
#include <cstring>
#include <limits>

namespace kartela {
namespace {

constexpr int kDroppedBits = 64 - 40;  // of the x87 extended significand
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

// Rounds the 64-bit significand of the x87 extended value to its top 40 bits,
// ties to even, working on the bits: frexp, ldexp and nearbyint on long double
// cost tens of nanoseconds each, and every map coordinate passes here twice.
double RoundToReal48(long double value) {
  if (value == 0 || std::isnan(value)) return 0;
  static_assert(std::numeric_limits<long double>::digits == 64, "x87 extended precision");
  struct Extended {
    std::uint64_t significand;
    std::uint16_t sign_exponent;
  } bits{};
  std::memcpy(&bits, &value, 10);
  constexpr std::uint64_t kDroppedMask = (std::uint64_t{1} << kDroppedBits) - 1;
  constexpr std::uint64_t kHalf = std::uint64_t{1} << (kDroppedBits - 1);
  const std::uint64_t dropped = bits.significand & kDroppedMask;
  std::uint64_t kept = bits.significand & ~kDroppedMask;
  const bool odd = (kept >> kDroppedBits) & 1;
  long double rounded;
  if (dropped > kHalf || (dropped == kHalf && odd)) {
    kept += std::uint64_t{1} << kDroppedBits;
    if (kept == 0) {  // carried out of the significand: the next power of two
      kept = std::uint64_t{1} << 63;
      ++bits.sign_exponent;
    }
  }
  bits.significand = kept;
  std::memcpy(&rounded, &bits, 10);
  if (std::fabs(rounded) < kSmallestReal48) return 0;
  if (std::fabs(rounded) > kReal48Max) return std::copysign(kReal48Max, static_cast<double>(value));
  return static_cast<double>(rounded);
}

std::int64_t RoundHalfEven(long double value) {
  return Saturate(std::rint(value));
}

std::int64_t TruncTowardZero(long double value) {
  return Saturate(std::trunc(value));
}

}  // namespace kartela
