#include "geodata/import_problem.h"

#include <system_error>

namespace kartela::geodata {
namespace {

std::string Row(const ImportProblem& problem) {
  return "row " + std::to_string(problem.row);
}

// Another party's message after what it concerns, when there is one.
std::string Reported(const std::string& text) {
  return text.empty() ? "" : " (" + text + ")";
}

std::string Number(long long value) {
  return std::to_string(value);
}

// "a, b, c", each in double quotes when `quoted`; "none" for no item.
std::string Listed(const std::vector<std::string>& items, bool quoted) {
  std::string list;
  for (const std::string& item : items)
    list += (list.empty() ? "" : ", ") + (quoted ? Quoted(item) : item);
  return list.empty() ? "none" : list;
}

StatusCode CodeOf(ProblemCode code) {
  switch (code) {
    case ProblemCode::kPluginNotFound:
    case ProblemCode::kFileNotFound:
      return StatusCode::kNotFound;
    case ProblemCode::kFileNotOpened:
      return StatusCode::kIoError;
    case ProblemCode::kNotVectorFile:
    case ProblemCode::kTableUnreadable:
    case ProblemCode::kNotAWorkbook:
      return StatusCode::kBadFormat;
    case ProblemCode::kPluginNotLoadable:
    case ProblemCode::kPluginWithoutEntry:
    case ProblemCode::kPluginVersion:
    case ProblemCode::kPluginLayout:
    case ProblemCode::kNotATable:
      return StatusCode::kUnsupported;
    case ProblemCode::kTooManyAreas:
    case ProblemCode::kTooManyPoints:
      return StatusCode::kTooLarge;
    case ProblemCode::kCancelled:
      return StatusCode::kCancelled;
    default:
      return StatusCode::kRefused;
  }
}

}  // namespace

bool IsMissingFile(const std::filesystem::path& path) {
  std::error_code error;
  return !path.native().starts_with("/vsi") && !std::filesystem::exists(path, error) && !error;
}

std::string Quoted(std::string_view text) {
  return "\"" + std::string(text) + "\"";
}

std::string MoreProblems(std::size_t more) {
  return "(" + std::to_string(more) + " more)";
}

std::string Describe(const ImportProblem& p) {
  switch (p.code) {
    case ProblemCode::kPluginNotFound:
      return "GDAL plugin " + p.text + " could not be loaded (not found beside the program)";
    case ProblemCode::kPluginNotLoadable:
      return "GDAL plugin " + p.name + " could not be loaded: " + p.text;
    case ProblemCode::kPluginWithoutEntry:
      return "GDAL plugin " + p.name + " exports no " + p.text +
             "; it is older than this program or not its plugin";
    case ProblemCode::kPluginVersion:
      return "GDAL plugin " + p.name + " is of version " + Number(p.count) +
             "; this program needs version " + Number(p.limit);
    case ProblemCode::kPluginLayout:
      return "GDAL plugin " + p.name + " has a function table of " + Number(p.count) +
             " bytes; this program's has " + Number(p.limit);
    case ProblemCode::kFileNotFound:
      return "no such file";
    case ProblemCode::kFileNotOpened:
      return "cannot be opened";
    case ProblemCode::kNotVectorFile:
      return "not a vector file GDAL reads" + Reported(p.text);
    case ProblemCode::kNoLayer:
      return "holds no layer";
    case ProblemCode::kLayerNotFound:
      return "has no layer " + Quoted(p.name) + "; its layers are " + Listed(p.choices, false);
    case ProblemCode::kNotPolygons:
      return "layer " + Quoted(p.name) + " holds " + p.text +
             " geometries, not polygons; a base map needs areas";
    case ProblemCode::kNoNameField:
      return "a name field is needed";
    case ProblemCode::kFieldNotFound:
      return "layer " + Quoted(p.text) + " has no field " + Quoted(p.name) + "; its fields are " +
             Listed(p.choices, false);
    case ProblemCode::kValueNotNumeric:
      return "field " + Quoted(p.name) + " is not numeric";
    case ProblemCode::kNoCoordinateSystem:
      return "layer " + Quoted(p.name) +
             " states no coordinate system and is not in longitude and latitude";
    case ProblemCode::kNoLongitudeLatitude:
      return "the coordinate system of layer " + Quoted(p.name) +
             " cannot be turned into longitude and latitude";
    case ProblemCode::kValueTooLong:
      return Row(p) + ": the value is longer than a data value may be";
    case ProblemCode::kNameNotInEncoding:
      return Row(p) + ": the name is not valid " + p.text;
    case ProblemCode::kUnholdableName:
      return Row(p) + ": the name " + Quoted(p.text) + " has a character Shift-JIS cannot hold";
    case ProblemCode::kEmptyName:
      return Row(p) + ": the name is empty";
    case ProblemCode::kNameTooLong:
      return Row(p) + ": the name " + Quoted(p.text) + " is longer than " + Number(p.limit) +
             " Shift-JIS bytes";
    case ProblemCode::kNamesCollide:
      return Row(p) + ": the name " + Quoted(p.name) + " would become " + Quoted(p.text) +
             ", as the name " + Quoted(p.choices.empty() ? "" : p.choices[0]) + " of row " +
             Number(p.count) + " does";
    case ProblemCode::kBadSourceSystem:
      return "the coordinate system " + Quoted(p.name) + " is not one GDAL knows" +
             Reported(p.text);
    case ProblemCode::kNameTransliterated:
    case ProblemCode::kNameCut:
      return Row(p) + ": " + Quoted(p.name) + " → " + Quoted(p.text);
    case ProblemCode::kTakenAsLongitudeLatitude:
      return "layer " + Quoted(p.name) +
             " states no coordinate system; its numbers are taken as longitude and latitude";
    case ProblemCode::kNoGeometry:
      return Row(p) + ": no geometry; left out";
    case ProblemCode::kNotMoved:
      return Row(p) + ": cannot be moved to longitude and latitude; left out";
    case ProblemCode::kGeometryRepaired:
      return Row(p) + ": invalid geometry repaired";
    case ProblemCode::kGeometryNotRepaired:
      return Row(p) + ": invalid geometry that cannot be repaired; left out";
    case ProblemCode::kNoPolygon:
      return Row(p) + ": no polygon (a line or a point); left out";
    case ProblemCode::kNoRegionName:
      return Row(p) + (p.count > 0 ? " and " + Number(p.count) + " more rows" : "") +
             ": no name; left out";
    case ProblemCode::kAreaWithoutPolygon:
      return Row(p) + ": area " + Quoted(p.name) + " has no polygon; left out";
    case ProblemCode::kNoAreaLeft:
      return "no area with a polygon is left to make a map of";
    case ProblemCode::kTooManyAreas:
      return Number(p.count) + " areas are more than a base map holds (" + Number(p.limit) + ")";
    case ProblemCode::kTooManyPoints:
      return Number(p.count) + " point records are more than a base map holds (" + Number(p.limit) +
             ")";
    case ProblemCode::kUnholdableTitle:
      return "the title " + Quoted(p.text) + " has a character Shift-JIS cannot hold";
    case ProblemCode::kTitleTooLong:
      return "the title " + Quoted(p.text) + " does not fit one header line of " + Number(p.limit) +
             " Shift-JIS bytes";
    case ProblemCode::kBadProjection:
    case ProblemCode::kMapNotBuilt:
      return p.text;
    case ProblemCode::kNotATable:
      return "not a table this program reads (.csv, .txt, .tsv, .xlsx, .ods)";
    case ProblemCode::kTableUnreadable:
      return "cannot be read" + Reported(p.text);
    case ProblemCode::kNotAWorkbook:
      return "not a workbook GDAL reads" + Reported(p.text);
    case ProblemCode::kNoSheet:
      return "holds no sheet";
    case ProblemCode::kSheetNotFound:
      return "has no sheet " + Quoted(p.name) + "; its sheets are " + Listed(p.choices, true);
    case ProblemCode::kRowNotInEncoding:
      return Row(p) + " is not valid " + p.text + " text";
    case ProblemCode::kNoHeaderRow:
      return "header row " + Number(p.row) + " is not in the table (rows 1-" + Number(p.count) +
             ")";
    case ProblemCode::kColumnNotFound:
      return "no column " + Quoted(p.name) + " in header row " + Number(p.row) +
             "; its columns are " + Listed(p.choices, true);
    case ProblemCode::kCancelled:
      return "cancelled";
  }
  return "unknown problem";
}

Status StatusOf(const ImportProblems& problems) {
  if (problems.empty()) return Status(StatusCode::kRefused, "");
  return Status(CodeOf(problems.front().code), ListProblems(problems, Describe, MoreProblems));
}

}  // namespace kartela::geodata
