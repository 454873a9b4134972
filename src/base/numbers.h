// Reading and writing numbers with the rules of the settings file, the
// base-map header and the data values.
#pragma once

#include <concepts>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace kartela {

// `value` brought into the range of the integer type To: below it the least
// To, above it the greatest, for the fixed-size fields of files and the
// coordinates of the device context.
template <std::integral To, std::integral From>
constexpr To ClampTo(From value) {
  if (std::cmp_less(value, std::numeric_limits<To>::min())) return std::numeric_limits<To>::min();
  if (std::cmp_greater(value, std::numeric_limits<To>::max()))
    return std::numeric_limits<To>::max();
  return static_cast<To>(value);
}

// Integer of a settings or header text: leading blanks and tabs skipped, an
// optional sign, decimal digits or "$" and hexadecimal digits. Reading stops
// at the first character that does not belong to the number and keeps the
// value read so far, so "12abc" is 12 and "" is 0. Values beyond the 32-bit
// range saturate.
std::int32_t ReadLeadingInt(std::string_view text);

// ReadLeadingInt clamped into the range of a 16-bit field.
std::int16_t ReadLeadingInt16(std::string_view text);

// Real of a settings text: leading blanks and tabs, sign, digits, an optional
// point and fraction, an optional exponent; like ReadLeadingInt it keeps
// what was read before the first bad character ("1.5x" is 1.5, "" is 0).
// The result is stored as a 48-bit real.
double ReadLeadingReal(std::string_view text);

// ReadLeadingInt and ReadLeadingReal where a number leads `text` (after the
// blanks, tabs and a sign: a digit, "$" and a hexadecimal digit for the
// integer, a point and a digit for the real); nullopt where the readers
// would read 0 for want of one, as in "", "abc" or "-".
std::optional<std::int32_t> FindLeadingInt(std::string_view text);
std::optional<double> FindLeadingReal(std::string_view text);

// The whole of `text` as a real in the C form (sign, digits, point,
// exponent), as option values and attribute codes are written; nullopt when
// anything is left over or nothing converts.
std::optional<double> ParseWholeReal(std::string_view text);

// The whole of `text` as an integer from `low` to `high` (an optional minus
// sign and digits, nothing else); nullopt otherwise.
std::optional<std::int32_t> ParseWholeInt(std::string_view text, std::int32_t low,
                                          std::int32_t high);

// A data value: leading spaces (not tabs), an optional sign, digits with an
// optional point where the digits on either side may be absent (but not
// both). The whole text must be consumed: no exponent, no trailing blank.
// Computed in extended precision; nullopt when the text does not convert.
std::optional<long double> ParseDataValue(std::string_view text);

// `value` with `decimals` digits after the point, right-aligned with leading
// blanks to at least `width` characters and never cut.
std::string FormatFixed(long double value, int width, int decimals);

}  // namespace kartela
