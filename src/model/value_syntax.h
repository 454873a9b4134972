// Reading value texts as numbers: the check run before a map is drawn and
// before the data are saved.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "model/area_list.h"
#include "model/data_set.h"

namespace kartela {

class Reporter;

// The outcome of the check; the values are the result codes of the data
// statistics.
enum class ValueSyntaxResult {
  kOk = 0,
  kExponentNotation = 1,  // a value is written with an exponent; the check stopped there
  kNoData = 2,            // no value converted
  kTooFewData = 3,        // exactly one value converted
};

struct ValueSyntaxReport {
  ValueSyntaxResult result = ValueSyntaxResult::kOk;
  int converted = 0;  // values read as numbers
  int missing = 0;    // values that did not convert, empty ones included
};

// Whether `text` holds the letter E or e. Only single-byte characters count:
// the second byte of a double-byte character may have the same code.
bool HasExponentLetter(std::string_view text);

// The number of a value text, stored as a 48-bit real; kMissingValue when the
// text does not convert (an empty text does not).
double ConvertValueText(std::string_view text);

// The ASCII form of a number as Japanese users type or copy it: full-width
// digits, sign ("＋", "－"), point ("．") and comma become ASCII, and commas
// that group the digits before the point by three ("1,237,984") are removed.
// When that form is not a number, `text` comes back unchanged: a note such as
// "－" or "１２，３" stays as typed.
std::string NormalizeTypedNumber(std::string_view text);

// A number as NormalizeTypedNumber gives it, without the zeros that end its
// fraction and without a point left bare: "1.000000" is "1", "0.2500" is
// "0.25", ".0" is "0". Texts without a point stay as they are.
std::string WithoutTrailingZeros(std::string_view number);

// `number` with the most decimals, at most `decimals`, whose text fits a
// value; nullopt when not even the whole number fits.
std::optional<std::string> FittingValueText(long double number, int decimals);

// Checks the values of areas 1..area_count in order. A text with an exponent
// letter stops the check at once: exponent notation is never accepted, even
// where it would be a valid number. The counts cover the areas checked.
ValueSyntaxReport ValueSyntax(const DataSet& data, int area_count);

// The catalogue message that reports `result` (9, 10 or 12); 0 for kOk.
int MessageNumberFor(ValueSyntaxResult result);

// "区域 n（name）" for the area at `index` (0-based) of `areas`.
std::string AreaOfRow(const AreaList& areas, std::size_t index);

// Shows catalogue message `number` about the values of `data`; message 9
// (exponent notation) names the first area whose value has an exponent, so
// that the user knows which line to correct.
void ShowDataMessage(Reporter& reporter, int number, const DataSet& data, const AreaList& areas);

}  // namespace kartela
