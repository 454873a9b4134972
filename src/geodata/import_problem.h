// What the GDAL code found wrong, as data: a code and the names, rows and
// texts it concerns. The GDAL code does not word it for anyone; each front
// end says it in its own language (the desktop's dialogs in Japanese, the
// command-line tools in English naming their options).
//
// The types here cross the plugin's boundary: a change to them is a change
// of the plugin's version (gdal_plugin/gdal_services.h).
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "base/status.h"

namespace kartela::geodata {

// What each code fills in besides itself is noted with it.
enum class ProblemCode : std::uint8_t {
  // Loading the plugin; `name` is the candidate's path.
  kPluginNotFound,      // no candidate exists; text: the plugin's file name
  kPluginNotLoadable,   // the system's loader refused it; text: its reason
  kPluginWithoutEntry,  // it exports no entry; text: the entry's symbol
  kPluginVersion,       // built for another version; count: its version, limit: ours
  kPluginLayout,        // the same version, another table; count: its size, limit: ours
  // A boundary file.
  kFileNotFound,         // the file is not there
  kFileNotOpened,        // the file is there but cannot be opened
  kNotVectorFile,        // text: GDAL's message
  kNoLayer,              // the file holds no layer
  kLayerNotFound,        // name: the layer asked for; choices: the file's layers
  kNotPolygons,          // name: the layer; text: its geometry type
  kNoNameField,          // no field was chosen for the names
  kFieldNotFound,        // name: the field; text: the layer; choices: the layer's fields
  kValueNotNumeric,      // name: the value field
  kNoCoordinateSystem,   // name: the layer, which states none and is not in degrees
  kNoLongitudeLatitude,  // name: the layer, whose system has no longitude and latitude
  kValueTooLong,         // row
  kNameNotInEncoding,    // row; text: the encoding's name (EncodingName)
  kUnholdableName,       // row; text: the name, which Shift-JIS cannot hold
  kEmptyName,            // row
  kNameTooLong,          // row; text: the name; limit: the most Shift-JIS bytes
  kNamesCollide,         // row; name: its name; text: what it was to become; count: the
                         // row of the other name, choices: that name
  kBadSourceSystem,      // name: the coordinate system given for the source; text: GDAL's
                         // message
  // Notes: what the import changed or left out and went on.
  kNameTransliterated,        // row; name: the name read; text: the name written
  kNameCut,                   // row; name: the name read; text: the name written; limit: bytes
  kTakenAsLongitudeLatitude,  // name: the layer, which states no system
  kNoGeometry,                // row: left out
  kNotMoved,                  // row: could not be moved to longitude and latitude; left out
  kGeometryRepaired,          // row
  kGeometryNotRepaired,       // row: invalid and left out
  kNoPolygon,                 // row: a line or a point; left out
  kNoRegionName,              // row; count: the rows after it of the same group; left out
  kAreaWithoutPolygon,        // row; name: the area; left out
  // The map made of it.
  kNoAreaLeft,       // no area with a polygon is left
  kTooManyAreas,     // count: the areas; limit: the most a base map holds
  kTooManyPoints,    // count: the point records; limit: the most; text: the tolerance
  kUnholdableTitle,  // text: the title, which Shift-JIS cannot hold
  kTitleTooLong,     // text: the title; limit: the most Shift-JIS bytes of one line
  kBadProjection,    // name: the projection; text: PROJ's reason
  kMapNotBuilt,      // text: the builder's reason, in English
  // A statistics table.
  kNotATable,         // the file's extension is none of the tables read
  kTableUnreadable,   // text: GDAL's message
  kNotAWorkbook,      // text: GDAL's message
  kNoSheet,           // the workbook holds no sheet
  kSheetNotFound,     // name: the sheet asked for; choices: the workbook's sheets
  kRowNotInEncoding,  // row; text: the encoding's name (EncodingName)
  kNoHeaderRow,       // row: the header row asked for; count: the table's rows
  kColumnNotFound,    // name: the column asked for; row: the header row; choices: its cells
  // Either.
  kCancelled,  // the user stopped it
};
inline constexpr int kProblemCodeCount = static_cast<int>(ProblemCode::kCancelled) + 1;

struct ImportProblem {
  ProblemCode code = ProblemCode::kCancelled;
  std::string name{};  // UTF-8: what the user named (a layer, field, sheet, column, projection)
  long long row = 0;   // 1-based row of the layer or table, 0 for none
  std::string text{};  // UTF-8: the text at fault, or another party's message
  std::vector<std::string> choices{};  // UTF-8: what could have been named instead
  long long count = 0;                 // a number found
  long long limit = 0;                 // the most that is allowed, or what was expected
};

using ImportProblems = std::vector<ImportProblem>;

// A front end lists this many problems and says how many more there are.
inline constexpr std::size_t kListedProblems = 10;

// The problems worded by `word`, one a line, the first kListedProblems of
// them and then `more(count)` for the rest.
template <typename Word, typename More>
std::string ListProblems(const ImportProblems& problems, Word word, More more) {
  std::string text;
  for (std::size_t i = 0; i < problems.size() && i < kListedProblems; ++i)
    text += (i > 0 ? "\n" : "") + word(problems[i]);
  if (problems.size() > kListedProblems) text += "\n" + more(problems.size() - kListedProblems);
  return text;
}

// "(n more)", after the problems listed in English.
std::string MoreProblems(std::size_t more);

// The problem in plain English, naming no front end's controls: the detail
// of its status, for logs and for the recipes of the base-map builder.
std::string Describe(const ImportProblem& problem);

// The status of `problems` (at least one): the code of the first, and the
// problems described as its detail.
Status StatusOf(const ImportProblems& problems);

// Whether `path` names a file of the file system that is not there; GDAL's
// virtual paths (/vsizip/ and the like) are never missing here.
bool IsMissingFile(const std::filesystem::path& path);

// `text` in double quotes, as the English texts quote names.
std::string Quoted(std::string_view text);

// A value, or the status and the problems that say why there is none.
template <typename T>
class [[nodiscard]] ImportStatusOr : public StatusOr<T> {
 public:
  // Implicit, so that a function can return a value, a problem or the
  // problems of a step it took.
  ImportStatusOr(T value) : StatusOr<T>(std::move(value)) {}
  ImportStatusOr(ImportProblem problem) : ImportStatusOr(ImportProblems{std::move(problem)}) {}
  ImportStatusOr(ImportProblems problems)
      : StatusOr<T>(StatusOf(problems)), problems_(std::move(problems)) {}

  // What failed, in the order found; empty on success.
  const ImportProblems& problems() const { return problems_; }

 private:
  ImportProblems problems_;
};

}  // namespace kartela::geodata
