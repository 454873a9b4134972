#include "model/value_syntax.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <optional>
#include <string>

#include "base/numbers.h"
#include "base/real48.h"
#include "base/text_encoding.h"
#include "model/messages.h"
#include "model/reporter.h"

namespace kartela {
namespace {

// `text` with its full-width digits, signs, points and commas in ASCII;
// nothing when it holds any other double-byte character.
std::optional<std::string> HalfWidth(std::string_view text) {
  std::string ascii;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    if (!sjis::IsLeadByte(byte)) {
      ascii.push_back(text[i]);
      continue;
    }
    if (i + 1 >= text.size()) return std::nullopt;
    const char converted = sjis::AsciiOfFullWidth(byte, static_cast<unsigned char>(text[++i]),
                                                  sjis::FullWidthSet::kNumber);
    if (converted == 0) return std::nullopt;
    ascii.push_back(converted);
  }
  return ascii;
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// Whether the commas of `text` group the digits before the point by three:
// one to three digits, then groups of a comma and three digits, and no comma
// after the point.
bool CommasGroupByThree(std::string_view text) {
  text.remove_prefix(std::min(text.find_first_not_of(' '), text.size()));
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) text.remove_prefix(1);
  const std::string_view whole = text.substr(0, text.find('.'));
  if (text.substr(whole.size()).find(',') != std::string_view::npos) return false;
  const std::size_t first_comma = whole.find(',');
  if (first_comma == 0 || first_comma > 3 || (whole.size() - first_comma) % 4 != 0) return false;
  for (std::size_t i = 0; i < whole.size(); ++i) {
    const bool comma_place = i >= first_comma && (i - first_comma) % 4 == 0;
    if (comma_place ? whole[i] != ',' : !IsDigit(whole[i])) return false;
  }
  return true;
}

}  // namespace

bool HasExponentLetter(std::string_view text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    if (sjis::IsLeadByte(byte)) {
      ++i;  // skip the trail byte
    } else if (byte == 'E' || byte == 'e') {
      return true;
    }
  }
  return false;
}

double ConvertValueText(std::string_view text) {
  const auto number = ParseDataValue(text);
  return number ? RoundToReal48(*number) : kMissingValue;
}

std::string NormalizeTypedNumber(std::string_view text) {
  std::optional<std::string> ascii = HalfWidth(text);
  if (!ascii) return std::string(text);
  if (ascii->find(',') != std::string::npos) {
    if (!CommasGroupByThree(*ascii)) return std::string(text);
    std::erase(*ascii, ',');
  }
  if (!ParseDataValue(*ascii)) return std::string(text);
  return std::move(*ascii);
}

std::string WithoutTrailingZeros(std::string_view number) {
  std::string text(number);
  if (text.find('.') == std::string::npos) return text;
  while (text.ends_with('0'))
    text.pop_back();
  if (text.ends_with('.')) text.pop_back();
  if (text.empty() || text.back() == '-' || text.back() == '+' || text.back() == ' ') text += '0';
  return text;
}

std::optional<std::string> FittingValueText(long double number, int decimals) {
  for (int places = decimals; places >= 0; --places) {
    std::array<char, 64> buffer{};
    std::snprintf(buffer.data(), buffer.size(), "%.*Lf", places, number);
    if (std::string_view(buffer.data()).size() <= kMaxValueBytes) return std::string(buffer.data());
  }
  return std::nullopt;
}

ValueSyntaxReport ValueSyntax(const DataSet& data, int area_count) {
  ValueSyntaxReport report;
  const int checked = std::clamp(area_count, 0, static_cast<int>(data.DataValues.size()));
  for (int i = 0; i < checked; ++i) {
    const std::string& text = data.DataValues[static_cast<std::size_t>(i)];
    if (HasExponentLetter(text)) {
      report.result = ValueSyntaxResult::kExponentNotation;
      return report;
    }
    ++(ParseDataValue(text) ? report.converted : report.missing);
  }
  if (report.converted == 0) {
    report.result = ValueSyntaxResult::kNoData;
  } else if (report.converted == 1) {
    report.result = ValueSyntaxResult::kTooFewData;
  }
  return report;
}

int MessageNumberFor(ValueSyntaxResult result) {
  switch (result) {
    case ValueSyntaxResult::kExponentNotation:
      return 9;
    case ValueSyntaxResult::kNoData:
      return 10;
    case ValueSyntaxResult::kTooFewData:
      return 12;
    case ValueSyntaxResult::kOk:
      break;
  }
  return 0;
}

std::string AreaOfRow(const AreaList& areas, std::size_t index) {
  const std::string name =
      index < areas.AreaNames.size() ? sjis::ToUtf8Lossy(areas.AreaNames[index]) : std::string();
  return "区域 " + std::to_string(index + 1) + "（" + name + "）";
}

void ShowDataMessage(Reporter& reporter, int number, const DataSet& data, const AreaList& areas) {
  std::string reason;
  if (number == MessageNumberFor(ValueSyntaxResult::kExponentNotation)) {
    const std::size_t count =
        std::min(data.DataValues.size(), static_cast<std::size_t>(std::max(areas.AreaCount(), 0)));
    for (std::size_t i = 0; i < count && reason.empty(); ++i) {
      const std::string& text = data.DataValues[i];
      if (HasExponentLetter(text))
        reason = AreaOfRow(areas, i) + "の値「" + sjis::ToUtf8Lossy(text) + "」";
    }
  }
  ShowMessageWithReason(reporter, number, {}, reason);
}

}  // namespace kartela
