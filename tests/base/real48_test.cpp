#include "base/real48.h"

#include <gtest/gtest.h>

#include <cmath>

namespace kartela {
namespace {

TEST(RoundToReal48Test, KeepsFortyBitsAndRoundsTiesToEven) {
  EXPECT_EQ(RoundToReal48(1.0L), 1.0);
  EXPECT_EQ(RoundToReal48(-3.75L), -3.75);
  const long double ulp = std::ldexp(1.0L, -39);  // one unit in the last place at 1.0
  EXPECT_EQ(RoundToReal48(1.0L + ulp), static_cast<double>(1.0L + ulp));
  // Exactly half an ulp: ties go to the even significand.
  EXPECT_EQ(RoundToReal48(1.0L + ulp / 2), 1.0);
  EXPECT_EQ(RoundToReal48(1.0L + ulp + ulp / 2), static_cast<double>(1.0L + 2 * ulp));
  // Just above half rounds up.
  EXPECT_EQ(RoundToReal48(1.0L + ulp / 2 + ulp / 1024), static_cast<double>(1.0L + ulp));
}

TEST(RoundToReal48Test, DiffersFromDoubleWhereTheSignificandIsLonger) {
  const double third = RoundToReal48(1.0L / 3);
  EXPECT_NE(third, 1.0 / 3);
  EXPECT_NEAR(third, 1.0 / 3, 1e-12);
  // The stored value is its own rounding.
  EXPECT_EQ(RoundToReal48(third), third);
}

TEST(RoundToReal48Test, RangeLimits) {
  EXPECT_EQ(RoundToReal48(0.0L), 0.0);
  EXPECT_EQ(RoundToReal48(std::ldexp(1.0L, -129)), 0.0);
  EXPECT_EQ(RoundToReal48(std::ldexp(1.0L, -128)), std::ldexp(1.0, -128));
  EXPECT_EQ(RoundToReal48(1e39L), kReal48Max);
  EXPECT_EQ(RoundToReal48(-1e39L), -kReal48Max);
  // The missing-value marker lies inside the range.
  EXPECT_GT(RoundToReal48(-1.7e38L), -kReal48Max);
  EXPECT_NEAR(RoundToReal48(-1.7e38L), -1.7e38, 1e27);
  EXPECT_EQ(kReal48Max, std::ldexp(2.0 - std::ldexp(1.0, -39), 126));
}

TEST(RoundingTest, RoundIsHalfToEvenAndTruncIsTowardZero) {
  EXPECT_EQ(RoundHalfEven(0.5L), 0);
  EXPECT_EQ(RoundHalfEven(1.5L), 2);
  EXPECT_EQ(RoundHalfEven(2.5L), 2);
  EXPECT_EQ(RoundHalfEven(-2.5L), -2);
  EXPECT_EQ(RoundHalfEven(-2.6L), -3);
  EXPECT_EQ(TruncTowardZero(-2.9L), -2);
  EXPECT_EQ(TruncTowardZero(2.9L), 2);
  EXPECT_EQ(RoundHalfEven(1e30L), INT64_MAX);
  EXPECT_EQ(TruncTowardZero(-1e30L), INT64_MIN);
}

}  // namespace
}  // namespace kartela
