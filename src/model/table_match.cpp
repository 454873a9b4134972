#include "model/table_match.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <map>
#include <set>

#include "base/numbers.h"
#include "base/text_encoding.h"
#include "model/data_set.h"
#include "model/value_syntax.h"

namespace kartela {
namespace {

std::string SjisOf(std::string_view utf8) {
  return sjis::FromUtf8(utf8).value_or(std::string());
}

// Half-width katakana 0xA1-0xDF and the full-width characters they stand for.
const std::string& FullWidthKana() {
  static const std::string kana = SjisOf(
      "。「」、・ヲァィゥェォャュョッーアイウエオカキクケコサシスセソタチツテトナニヌネノハヒフヘ"
      "ホマミムメモヤユヨラリルレロワン゛゜");
  return kana;
}

constexpr unsigned char kHalfVoiced = 0xDE;      // ﾞ
constexpr unsigned char kHalfSemiVoiced = 0xDF;  // ﾟ

// The blanks trimmed from a cell and dropped from a name, line ends included.
constexpr Blanks kCellBlanks = Blanks::kSpaceTabCrLf;

// How far the full-width form of half-width `kana` moves with a following
// voicing mark `mark`; 0 when the pair is not one character. In Shift-JIS
// ガ follows カ and バ, パ follow ハ, so the trail byte moves by one or two.
int VoicingStep(unsigned char kana, unsigned char mark) {
  const bool voiceable = (kana >= 0xB6 && kana <= 0xC4) || (kana >= 0xCA && kana <= 0xCE);
  if (mark == kHalfVoiced && voiceable) return 1;
  if (mark == kHalfSemiVoiced && kana >= 0xCA && kana <= 0xCE) return 2;
  return 0;
}

void AppendHalfWidthKana(std::string_view text, std::size_t& i, std::string& out) {
  const auto kana = static_cast<unsigned char>(text[i]);
  std::string full = FullWidthKana().substr(static_cast<std::size_t>(kana - 0xA1) * 2, 2);
  const auto next = i + 1 < text.size() ? static_cast<unsigned char>(text[i + 1]) : 0;
  if (kana == 0xB3 && next == kHalfVoiced) {  // ｳﾞ
    full = SjisOf("ヴ");
    ++i;
  } else if (const int step = VoicingStep(kana, next); step != 0) {
    full[1] = static_cast<char>(static_cast<unsigned char>(full[1]) + step);
    ++i;
  }
  out += full;
}

// The byte where the last character of `text` starts.
std::size_t LastCharacterStart(std::string_view text) {
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    start = i;
    if (sjis::IsLeadByte(static_cast<unsigned char>(text[i]))) ++i;
  }
  return start;
}

// `name` without a trailing 都, 府 or 県 (東京都 and 東京 are one area).
std::string WithoutPrefectureSuffix(const std::string& name) {
  static const std::array<std::string, 3> suffixes = {SjisOf("都"), SjisOf("府"), SjisOf("県")};
  const std::size_t last = LastCharacterStart(name);
  if (last == 0) return name;
  const std::string_view tail = std::string_view(name).substr(last);
  const bool is_suffix = std::ranges::find(suffixes, tail) != suffixes.end();
  return is_suffix ? name.substr(0, last) : name;
}

char UpperCase(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool AllDigits(std::string_view text) {
  return !text.empty() && std::ranges::all_of(text, [](char c) { return c >= '0' && c <= '9'; });
}

// Finds the areas a row stands for, by name or by number.
class AreaIndex {
 public:
  AreaIndex(const std::vector<std::string>& area_names, TableKeyKind kind)
      : kind_(kind), area_count_(static_cast<int>(area_names.size())) {
    if (kind_ != TableKeyKind::kName) return;
    for (int area = 1; area <= area_count_; ++area) {
      const std::string name = NormalizeAreaName(area_names[static_cast<std::size_t>(area - 1)]);
      by_name_[name].push_back(area);
      by_short_name_[WithoutPrefectureSuffix(name)].push_back(area);
    }
  }

  // The areas the key names: the areas of that exact name when there are
  // any, else those that differ only in the prefecture suffix.
  std::vector<int> AreasOf(std::string_view key) const {
    if (kind_ == TableKeyKind::kCode) {
      const auto number = AreaNumberOfCode(key);
      if (number && *number <= area_count_) return {*number};
      return {};
    }
    const std::string name = NormalizeAreaName(key);
    if (const auto exact = by_name_.find(name); exact != by_name_.end()) return exact->second;
    const std::string short_name = WithoutPrefectureSuffix(name);
    std::set<int> areas;
    Collect(by_name_, short_name, areas);
    Collect(by_short_name_, name, areas);
    Collect(by_short_name_, short_name, areas);
    return {areas.begin(), areas.end()};
  }

 private:
  using Index = std::map<std::string, std::vector<int>, std::less<>>;
  static void Collect(const Index& index, const std::string& name, std::set<int>& areas) {
    if (const auto found = index.find(name); found != index.end())
      areas.insert(found->second.begin(), found->second.end());
  }

  TableKeyKind kind_;
  int area_count_;
  Index by_name_;
  Index by_short_name_;
};

void TakeValue(const TableRow& row, std::string& value, TableMatch& match) {
  CellValue cell = CellToValue(row.value);
  value = std::move(cell.text);
  switch (cell.fit) {
    case CellValueFit::kAsWritten:
      break;
    case CellValueFit::kRounded:
      match.rounded_values.push_back(row);
      break;
    case CellValueFit::kNotANumber:
      if (!Trim(row.value, kCellBlanks).empty()) match.emptied_values.push_back(row);
      break;
    case CellValueFit::kTooLong:
      match.too_long_values.push_back(row);
      break;
  }
}

}  // namespace

std::string NormalizeAreaName(std::string_view sjis_name) {
  std::string out;
  for (std::size_t i = 0; i < sjis_name.size(); ++i) {
    const auto byte = static_cast<unsigned char>(sjis_name[i]);
    if (sjis::IsLeadByte(byte) && i + 1 < sjis_name.size()) {
      const auto trail = static_cast<unsigned char>(sjis_name[++i]);
      if (byte == 0x81 && trail == 0x40) continue;  // full-width blank
      const char ascii = sjis::AsciiOfFullWidth(byte, trail, sjis::FullWidthSet::kAlphanumeric);
      if (ascii != 0) {
        out.push_back(UpperCase(ascii));
      } else {
        out.push_back(static_cast<char>(byte));
        out.push_back(static_cast<char>(trail));
      }
    } else if (byte >= 0xA1 && byte <= 0xDF) {
      AppendHalfWidthKana(sjis_name, i, out);
    } else if (!IsBlank(sjis_name[i], kCellBlanks)) {
      out.push_back(UpperCase(sjis_name[i]));
    }
  }
  return out;
}

std::optional<int> AreaNumberOfCode(std::string_view sjis_code) {
  const std::string digits = NormalizeAreaName(sjis_code);
  if (!AllDigits(digits) || digits.size() > 5) return std::nullopt;
  std::string_view number = digits;
  if (digits.size() == 5) {
    if (!digits.ends_with("000")) return std::nullopt;
    number = number.substr(0, 2);
  }
  const int value = std::stoi(std::string(number));
  if (value == 0) return std::nullopt;
  return value;
}

CellValue CellToValue(std::string_view sjis_text) {
  const std::string typed = NormalizeTypedNumber(Trim(sjis_text, kCellBlanks));
  const auto number = ParseDataValue(typed);
  if (!number) return {{}, CellValueFit::kNotANumber};
  // Zeros that end a fraction say nothing: "1.000000000000000" is 1.
  const std::string normal = WithoutTrailingZeros(typed);
  if (normal.size() <= kMaxValueBytes) return {normal, CellValueFit::kAsWritten};
  const std::size_t point = normal.find('.');
  const int decimals = point == std::string::npos ? 0 : static_cast<int>(normal.size() - point - 1);
  const auto fitting = FittingValueText(*number, decimals);
  if (!fitting) return {{}, CellValueFit::kTooLong};
  return {WithoutTrailingZeros(*fitting), CellValueFit::kRounded};
}

TableMatch MatchTable(const std::vector<std::string>& area_names, const std::vector<TableRow>& rows,
                      TableKeyKind kind) {
  const AreaIndex index(area_names, kind);
  TableMatch match;
  match.values.resize(area_names.size());
  std::vector<const TableRow*> row_of_area(area_names.size(), nullptr);
  for (const TableRow& row : rows) {
    if (Trim(row.key, kCellBlanks).empty()) continue;
    const std::vector<int> areas = index.AreasOf(row.key);
    if (areas.size() > 1) {
      match.ambiguous_rows.push_back(row);
      continue;
    }
    if (areas.empty()) {
      match.unmatched_rows.push_back(row);
      continue;
    }
    const auto slot = static_cast<std::size_t>(areas.front() - 1);
    if (row_of_area[slot] != nullptr) {
      match.conflicts.push_back({areas.front(), *row_of_area[slot], row});
      continue;
    }
    row_of_area[slot] = &row;
    ++match.matched;
    TakeValue(row, match.values[slot], match);
  }
  for (std::size_t slot = 0; slot < row_of_area.size(); ++slot) {
    if (row_of_area[slot] == nullptr) match.areas_without_row.push_back(static_cast<int>(slot) + 1);
  }
  return match;
}

}  // namespace kartela
