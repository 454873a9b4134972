#include "model/map_document_format.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "base/numbers.h"
#include "base/real48.h"
#include "base/text_encoding.h"

namespace kartela::map_document {
namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// The number of a line without its blanks and a leading "+"; nullopt for a
// "+" followed by another sign.
std::optional<std::string_view> NumberText(std::string_view line) {
  std::string_view text = Trim(line, Blanks::kSpace);
  if (text.empty() || text.front() != '+') return text;
  text.remove_prefix(1);
  if (!text.empty() && text.front() == '-') return std::nullopt;
  return text;
}

}  // namespace

std::string FormatReal(double value) {
  if (std::isnan(value) || value == 0) value = 0;  // no "-0" and no NaN in a file
  if (std::isinf(value)) value = std::copysign(kReal48Max, value);
  // "%.14E" gives d.ddddddddddddddE+xx with at least two exponent digits.
  char printed[32];
  std::snprintf(printed, sizeof printed, "%.14E", std::fabs(value));
  const std::string_view text(printed);
  const std::size_t e = text.find('E');
  const int exponent = std::atoi(printed + e + 1);
  char real[kRealTextBytes + 1];
  std::snprintf(real, sizeof real, "%c%.*sE%c%04d", value < 0 ? '-' : ' ', static_cast<int>(e),
                printed, exponent < 0 ? '-' : '+', std::abs(exponent));
  return real;
}

std::optional<double> ParseReal(std::string_view line) {
  const auto number = NumberText(line);
  if (!number) return std::nullopt;
  const std::string_view text = *number;
  const std::size_t first = !text.empty() && text.front() == '-' ? 1 : 0;
  if (text.size() <= first || (!IsDigit(text[first]) && text[first] != '.')) return std::nullopt;
  double value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  if (!(std::fabs(value) <= kReal48Max)) return std::nullopt;
  return RoundToReal48(value);
}

std::optional<std::int32_t> ParseInteger(std::string_view line, std::int32_t low,
                                         std::int32_t high) {
  const auto number = NumberText(line);
  if (!number) return std::nullopt;
  return ParseWholeInt(*number, low, high);
}

}  // namespace kartela::map_document
