// The data set as clipboard text, and clipboard text read back as a title
// and values. Texts here are Shift-JIS except where UTF-8 is named: the
// clipboard of the platform holds UTF-8.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/area_list.h"
#include "model/data_set.h"

namespace kartela {

// Line end of the copied text: LF, the form Linux programs (LibreOffice Calc,
// editors, terminals) expect on their clipboard. Pasting accepts LF, CR LF
// and CR alike.
inline constexpr std::string_view kClipLineEnd = "\n";

// An item of a pasted text is at most this many bytes; a longer run is cut.
inline constexpr std::size_t kMaxPasteItemBytes = 255;

// What the copy puts before each value.
struct DataClipOptions {
  bool with_title = true;   // the title as the first line
  bool with_names = false;  // each area name, padded to the longest name, and a TAB
};

// The copied text: the title line (with_title), then one line per area of
// `areas`: its name padded with blanks to LongestAreaName bytes and a TAB
// (with_names), then its value text. Every line ends with kClipLineEnd.
std::string DataClipText(const AreaList& areas, const DataSet& data, DataClipOptions options);

// How a pasted text is cut into items.
enum class PasteSeparator {
  kComma,  // one line of comma-separated items; "…" quotes an item
  kLine,   // every control character (line end, TAB) ends an item
};

// Comma mode when the text has a comma and is a single line: no control
// character, or only one or two of them as its last bytes.
PasteSeparator ChooseSeparator(std::string_view text);

// The items of `text` in order. An empty line of a LF-only text is an empty
// item, as it is with CR LF: it stands for an area without a value.
std::vector<std::string> CutPasteItems(std::string_view text, PasteSeparator separator);

// Whether a pasted item reads as a number: leading blanks, then a decimal
// number with an optional exponent ("1.5E3"). Anything else is a heading.
bool IsPasteNumber(std::string_view item);

struct PastedData {
  std::optional<std::string> title;  // the first item when it is not a number
  // The value items, comments and blanks trimmed, numbers in their ASCII
  // form (NormalizeTypedNumber).
  std::vector<std::string> values;
};

// Reads a pasted text for data of `area_count` areas: separator, items, title
// and values. An empty first item is an empty title only when the text has
// more items than there are areas; otherwise it is the first area's value.
PastedData ParsePastedText(std::string_view text, int area_count);

// The first value that would be stored in areas first_area..area_count but is
// longer than a value may be (kMaxValueBytes); cutting it would change a
// number silently. Nothing when every such value fits.
std::optional<std::string> OverlongPastedValue(const PastedData& pasted, int first_area,
                                               int area_count);

// Stores the title and the values from area `first_area` on, up to
// `area_count`; surplus values are dropped. Sets DataModified even when
// nothing changed. Call only when OverlongPastedValue found nothing.
void StorePastedData(const PastedData& pasted, int first_area, int area_count, DataSet& data);

// The Shift-JIS form of a text taken from the clipboard (UTF-8), or, in
// `refused`, the first character Shift-JIS cannot hold (empty when the text
// is not valid UTF-8).
struct PastedSjisText {
  std::optional<std::string> text;
  std::string refused;
};
PastedSjisText PastedTextToSjis(std::string_view utf8);

// The UTF-8 form of a text to be copied (Shift-JIS), or, in `refused_line`,
// the number (from 1) of the first line holding bytes Shift-JIS does not
// define.
struct CopiedUtf8Text {
  std::optional<std::string> text;
  std::size_t refused_line = 0;
};
CopiedUtf8Text CopiedTextToUtf8(std::string_view sjis_text);

}  // namespace kartela
