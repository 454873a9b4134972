#include "model/data_clipboard.h"

#include <algorithm>

#include "base/numbers.h"
#include "base/text_encoding.h"
#include "model/value_syntax.h"

namespace kartela {
namespace {

bool IsControl(char byte) {
  return static_cast<unsigned char>(byte) < 0x20;
}

bool IsDigit(char byte) {
  return byte >= '0' && byte <= '9';
}

// Where an item's text lies in the pasted text, and where scanning goes on.
struct ItemRun {
  std::size_t begin = 0;
  std::size_t end = 0;
  std::size_t next = 0;  // at the separator that ends the item, if any
};

std::size_t FindEnd(std::string_view text, std::size_t from, bool commas_end) {
  std::size_t at = from;
  while (at < text.size() && !IsControl(text[at]) && !(commas_end && text[at] == ','))
    ++at;
  return at;
}

// A quoted item runs to the closing quote. Without one it stops at the line
// end rather than take the line end into the value.
ItemRun QuotedRun(std::string_view text, std::size_t quote) {
  const std::size_t begin = quote + 1;
  std::size_t end = begin;
  while (end < text.size() && text[end] != '"' && !IsControl(text[end]))
    ++end;
  const bool closed = end < text.size() && text[end] == '"';
  return {begin, end, closed ? end + 1 : end};
}

ItemRun NextRun(std::string_view text, std::size_t at, PasteSeparator separator) {
  if (separator == PasteSeparator::kComma && text[at] == '"') return QuotedRun(text, at);
  const std::size_t end = FindEnd(text, at, separator == PasteSeparator::kComma);
  return {at, end, end};
}

// Skips the separator at `at`; a CR LF pair counts as one.
std::size_t SkipSeparator(std::string_view text, std::size_t at) {
  if (at >= text.size()) return at;
  const char separator = text[at++];
  if (separator == '\r' && at < text.size() && text[at] == '\n') ++at;
  return at;
}

bool IsExponent(std::string_view text) {
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) text.remove_prefix(1);
  return !text.empty() && std::all_of(text.begin(), text.end(), IsDigit);
}

bool IsQuoted(std::string_view text) {
  return text.size() >= 2 && text.front() == '"' && text.back() == '"';
}

// The first character of `utf8` that CP932 cannot hold; empty when the
// first that fails is not valid UTF-8.
std::string FirstUnrepresentable(std::string_view utf8) {
  for (std::size_t at = 0; at < utf8.size();) {
    const std::size_t length = Utf8SequenceLength(utf8, at);
    if (length == 0) return {};
    const std::string_view character = utf8.substr(at, length);
    if (!sjis::FromUtf8(character)) return std::string(character);
    at += length;
  }
  return {};
}

}  // namespace

std::string DataClipText(const AreaList& areas, const DataSet& data, DataClipOptions options) {
  std::string text;
  if (options.with_title) text.append(data.DataTitle).append(kClipLineEnd);
  const auto longest = static_cast<std::size_t>(std::max<int>(areas.LongestAreaName, 0));
  for (std::size_t i = 0; i < areas.AreaNames.size(); ++i) {
    if (options.with_names) {
      const std::string& name = areas.AreaNames[i];
      text.append(name).append(longest > name.size() ? longest - name.size() : 0, ' ');
      text.push_back('\t');
    }
    if (i < data.DataValues.size()) text.append(data.DataValues[i]);
    text.append(kClipLineEnd);
  }
  return text;
}

PasteSeparator ChooseSeparator(std::string_view text) {
  if (text.find(',') == std::string_view::npos) return PasteSeparator::kLine;
  const auto controls =
      static_cast<std::size_t>(std::count_if(text.begin(), text.end(), IsControl));
  if (controls > 2) return PasteSeparator::kLine;
  const bool controls_last =
      std::all_of(text.end() - static_cast<std::ptrdiff_t>(controls), text.end(), IsControl);
  return controls_last ? PasteSeparator::kComma : PasteSeparator::kLine;
}

std::vector<std::string> CutPasteItems(std::string_view text, PasteSeparator separator) {
  std::vector<std::string> items;
  std::size_t at = 0;
  while (at < text.size()) {
    const ItemRun run = NextRun(text, at, separator);
    const std::string_view whole = text.substr(run.begin, run.end - run.begin);
    const std::string_view item = sjis::CutToBytes(whole, kMaxPasteItemBytes);
    items.emplace_back(item);
    // The rest of a run that was cut starts the next item.
    at = item.size() < whole.size() ? run.begin + item.size() : SkipSeparator(text, run.next);
  }
  return items;
}

bool IsPasteNumber(std::string_view item) {
  const std::size_t exponent = item.find_first_of("Ee");
  if (exponent != std::string_view::npos && !IsExponent(item.substr(exponent + 1))) return false;
  return ParseDataValue(item.substr(0, exponent)).has_value();
}

namespace {

// A heading is a first item that is not a number. An empty first item is the
// empty cell of a first area as often as an empty heading: it is taken as the
// heading only when there are more items than areas to hold them.
// A number typed in full width or with separators is a value, not a heading.
bool IsHeading(const std::vector<std::string>& items, int area_count) {
  if (items.empty() || IsPasteNumber(NormalizeTypedNumber(items.front()))) return false;
  return !items.front().empty() || items.size() > static_cast<std::size_t>(std::max(area_count, 0));
}

}  // namespace

PastedData ParsePastedText(std::string_view text, int area_count) {
  text = text.substr(0, text.find('\0'));  // the text ends at a NUL, as it did in C
  const PasteSeparator separator = ChooseSeparator(text);
  std::vector<std::string> items = CutPasteItems(text, separator);
  PastedData pasted;
  auto item = items.begin();
  if (IsHeading(items, area_count)) {
    std::string title = std::move(*item++);
    if (separator == PasteSeparator::kLine && IsQuoted(title))
      title = title.substr(1, title.size() - 2);
    pasted.title = std::move(title);
  }
  for (; item != items.end(); ++item) {
    TrimComment(*item);
    pasted.values.push_back(NormalizeTypedNumber(*item));
  }
  return pasted;
}

std::optional<std::string> OverlongPastedValue(const PastedData& pasted, int first_area,
                                               int area_count) {
  const int room = std::max(area_count - std::max(first_area, 1) + 1, 0);
  const auto stored = std::min(pasted.values.size(), static_cast<std::size_t>(room));
  for (std::size_t i = 0; i < stored; ++i) {
    if (pasted.values[i].size() > kMaxValueBytes) return pasted.values[i];
  }
  return std::nullopt;
}

void StorePastedData(const PastedData& pasted, int first_area, int area_count, DataSet& data) {
  if (pasted.title) data.DataTitle = *pasted.title;
  const auto first = static_cast<std::size_t>(std::max(first_area, 1) - 1);
  const auto last =
      std::min(static_cast<std::size_t>(std::max(area_count, 0)), data.DataValues.size());
  for (std::size_t i = 0; i < pasted.values.size() && first + i < last; ++i)
    data.DataValues[first + i] = pasted.values[i];
  data.DataModified = true;
}

PastedSjisText PastedTextToSjis(std::string_view utf8) {
  if (auto text = sjis::FromUtf8(utf8)) return {std::move(text), {}};
  return {std::nullopt, FirstUnrepresentable(utf8)};
}

CopiedUtf8Text CopiedTextToUtf8(std::string_view sjis_text) {
  if (auto text = sjis::ToUtf8(sjis_text)) return {std::move(text), 0};
  std::size_t line = 1;
  for (std::size_t at = 0; at < sjis_text.size(); ++line) {
    const std::size_t end = std::min(sjis_text.find(kClipLineEnd, at), sjis_text.size());
    if (!sjis::ToUtf8(sjis_text.substr(at, end - at))) break;
    at = end + kClipLineEnd.size();
  }
  return {std::nullopt, line};
}

}  // namespace kartela
