#include "model/value_syntax.h"

#include <algorithm>

#include "base/numbers.h"
#include "base/real48.h"
#include "base/sjis.h"

namespace kartela {

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

}  // namespace kartela
