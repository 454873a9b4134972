#include "base/numbers.h"

#include <algorithm>
#include <charconv>
#include <limits>

#include "base/real48.h"

namespace kartela {
namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

int HexDigitValue(char c) {
  if (IsDigit(c)) return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Position of the first character after the leading blanks and tabs.
std::size_t SkipBlanks(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
    ++i;
  return i;
}

std::size_t SkipDigits(std::string_view text, std::size_t i) {
  while (i < text.size() && IsDigit(text[i]))
    ++i;
  return i;
}

// The value of `text`, which holds only an optional "-" and the characters
// from_chars accepts in `format`.
long double ConvertChars(std::string_view text, std::chars_format format) {
  long double value = 0;
  const auto result = std::from_chars(text.data(), text.data() + text.size(), value, format);
  if (result.ec == std::errc::result_out_of_range) {
    // Only an exponent leaves the range: a negative one gives zero, a positive
    // one saturates.
    if (text.find("e-") != std::string_view::npos || text.find("E-") != std::string_view::npos) {
      return 0;
    }
    const long double huge = std::numeric_limits<long double>::max();
    return text.front() == '-' ? -huge : huge;
  }
  return value;
}

// "-" for a minus sign, "" for a plus sign or none; advances `i` past it.
std::string_view TakeSign(std::string_view text, std::size_t& i) {
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) return text[i++] == '-' ? "-" : "";
  return "";
}

}  // namespace

std::int32_t ReadLeadingInt(std::string_view text) {
  std::size_t i = SkipBlanks(text);
  const bool negative = TakeSign(text, i) == "-";
  const bool hexadecimal = i < text.size() && text[i] == '$';
  if (hexadecimal) ++i;
  const int base = hexadecimal ? 16 : 10;
  constexpr std::int64_t kLimit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
  std::int64_t magnitude = 0;
  for (; i < text.size(); ++i) {
    const int digit =
        hexadecimal ? HexDigitValue(text[i]) : (IsDigit(text[i]) ? text[i] - '0' : -1);
    if (digit < 0) break;
    magnitude = std::min(magnitude * base + digit, kLimit);
  }
  const std::int64_t value = negative ? -magnitude : std::min(magnitude, kLimit - 1);
  return static_cast<std::int32_t>(value);
}

std::int16_t ReadLeadingInt16(std::string_view text) {
  return ClampTo<std::int16_t>(ReadLeadingInt(text));
}

double ReadLeadingReal(std::string_view text) {
  std::size_t i = SkipBlanks(text);
  const std::string_view sign = TakeSign(text, i);
  const std::size_t begin = i;
  i = SkipDigits(text, i);
  std::size_t digits = i - begin;
  if (i < text.size() && text[i] == '.') {
    const std::size_t fraction_end = SkipDigits(text, i + 1);
    digits += fraction_end - (i + 1);
    i = fraction_end;
  }
  if (digits == 0) return 0;
  std::size_t end = i;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    std::size_t exponent = i + 1;
    TakeSign(text, exponent);
    const std::size_t exponent_end = SkipDigits(text, exponent);
    if (exponent_end > exponent) end = exponent_end;  // an exponent without digits is not read
  }
  std::string number(sign);
  number.append(text.substr(begin, end - begin));
  return RoundToReal48(ConvertChars(number, std::chars_format::general));
}

std::optional<std::int32_t> FindLeadingInt(std::string_view text) {
  std::size_t i = SkipBlanks(text);
  TakeSign(text, i);
  if (i < text.size() && text[i] == '$') {
    if (i + 1 >= text.size() || HexDigitValue(text[i + 1]) < 0) return std::nullopt;
  } else if (i >= text.size() || !IsDigit(text[i])) {
    return std::nullopt;
  }
  return ReadLeadingInt(text);
}

std::optional<double> FindLeadingReal(std::string_view text) {
  std::size_t i = SkipBlanks(text);
  TakeSign(text, i);
  if (i < text.size() && text[i] == '.') ++i;
  if (i >= text.size() || !IsDigit(text[i])) return std::nullopt;
  return ReadLeadingReal(text);
}

std::optional<double> ParseWholeReal(std::string_view text) {
  double value = 0;
  const auto [end, status] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (status != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

std::optional<std::int32_t> ParseWholeInt(std::string_view text, std::int32_t low,
                                          std::int32_t high) {
  std::int64_t value = 0;
  const auto [end, status] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (status != std::errc() || end != text.data() + text.size()) return std::nullopt;
  if (value < low || value > high) return std::nullopt;
  return static_cast<std::int32_t>(value);
}

std::optional<long double> ParseDataValue(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && text[i] == ' ')
    ++i;
  const std::string_view sign = TakeSign(text, i);
  const std::size_t begin = i;
  std::size_t end = SkipDigits(text, i);
  std::size_t digits = end - begin;
  if (end < text.size() && text[end] == '.') {
    const std::size_t fraction_end = SkipDigits(text, end + 1);
    digits += fraction_end - (end + 1);
    end = fraction_end;
  }
  if (digits == 0 || end != text.size()) return std::nullopt;
  std::string number(sign);
  number.append(text.substr(begin));
  return ConvertChars(number, std::chars_format::fixed);
}

std::string FormatFixed(long double value, int width, int decimals) {
  char buffer[128];
  // Values beyond the buffer cannot arise from stored reals (at most 39 digits).
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed,
                                    std::max(decimals, 0));
  std::string text(buffer, result.ec == std::errc() ? result.ptr : buffer);
  if (static_cast<int>(text.size()) < width) text.insert(0, width - text.size(), ' ');
  return text;
}

}  // namespace kartela
