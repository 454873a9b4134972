#include "geodata/table/table_source.h"

#include <cpl_conv.h>
#include <cpl_csv.h>
#include <cpl_error.h>
#include <cpl_vsi.h>
#include <gdal_priv.h>
#include <ogrsf_frmts.h>

#include <algorithm>
#include <memory>
#include <mutex>
#include <system_error>

namespace kartela::table {
namespace {

using geodata::ImportProblem;
using geodata::ProblemCode;

constexpr std::size_t kMaxLineBytes = 1 << 20;

// While a table is open: every workbook cell is a string and no row is taken
// for field names (the header row is the user's choice), and GDAL's messages
// are kept for the problem they explain instead of printed.
class ReadingScope {
 public:
  ReadingScope() {
    static std::once_flag registered;
    std::call_once(registered, [] { GDALAllRegister(); });
    for (const char* driver : {"XLSX", "ODS"}) {
      CPLSetThreadLocalConfigOption(Option(driver, "HEADERS").c_str(), "DISABLE");
      CPLSetThreadLocalConfigOption(Option(driver, "FIELD_TYPES").c_str(), "STRING");
    }
    CPLPushErrorHandler(CPLQuietErrorHandler);
    CPLErrorReset();
  }
  ~ReadingScope() {
    CPLPopErrorHandler();
    for (const char* driver : {"XLSX", "ODS"}) {
      CPLSetThreadLocalConfigOption(Option(driver, "HEADERS").c_str(), nullptr);
      CPLSetThreadLocalConfigOption(Option(driver, "FIELD_TYPES").c_str(), nullptr);
    }
  }
  ReadingScope(const ReadingScope&) = delete;
  ReadingScope& operator=(const ReadingScope&) = delete;

 private:
  static std::string Option(const char* driver, const char* name) {
    return std::string("OGR_") + driver + "_" + name;
  }
};

std::string LowerExtension(const std::filesystem::path& path) {
  std::string extension = path.extension().string();
  std::ranges::transform(extension, extension.begin(),
                         [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return extension;
}

void DropTrailingBlankCells(std::vector<std::string>& row) {
  while (!row.empty() && row.back().empty())
    row.pop_back();
}

struct VsiFileCloser {
  void operator()(VSILFILE* file) const { VSIFCloseL(file); }
};

bool StartsWithUtf8Mark(VSILFILE* file) {
  unsigned char head[3] = {};
  const bool marked =
      VSIFReadL(head, 1, 3, file) == 3 && head[0] == 0xEF && head[1] == 0xBB && head[2] == 0xBF;
  VSIFSeekL(file, 0, SEEK_SET);
  return marked;
}

ImportStatusOr<Table> DecodedTable(std::vector<std::vector<std::string>> raw,
                                   TextEncoding encoding) {
  if (encoding == TextEncoding::kAuto) {
    std::vector<std::string> cells;
    for (const auto& row : raw)
      cells.insert(cells.end(), row.begin(), row.end());
    encoding = GuessEncoding(cells);
  }
  Table table;
  table.encoding = encoding;
  for (std::size_t r = 0; r < raw.size(); ++r) {
    for (std::string& cell : raw[r]) {
      auto text = DecodeText(cell, encoding);
      if (!text) {
        return ImportProblem{.code = ProblemCode::kRowNotInEncoding,
                             .row = static_cast<long long>(r + 1),
                             .text = EncodingName(encoding)};
      }
      cell = std::move(*text);
    }
  }
  table.rows = std::move(raw);
  return table;
}

ImportStatusOr<Table> ReadTextTable(const TableRequest& request, const char* delimiter) {
  const ReadingScope scope;
  // A folder opens like a file and reads as an empty table.
  std::error_code error;
  std::unique_ptr<VSILFILE, VsiFileCloser> file(std::filesystem::is_directory(request.path, error)
                                                    ? nullptr
                                                    : VSIFOpenL(request.path.c_str(), "rb"));
  if (!file) {
    return ImportProblem{.code = geodata::IsMissingFile(request.path)
                                     ? ProblemCode::kFileNotFound
                                     : ProblemCode::kFileNotOpened};
  }
  TextEncoding encoding = request.encoding;
  if (encoding == TextEncoding::kAuto && StartsWithUtf8Mark(file.get()))
    encoding = TextEncoding::kUtf8;
  std::vector<std::vector<std::string>> raw;
  while (char** fields =
             CSVReadParseLine3L(file.get(), kMaxLineBytes, delimiter, true, false, false, true)) {
    std::vector<std::string>& row = raw.emplace_back();
    for (int i = 0; fields[i] != nullptr; ++i)
      row.emplace_back(fields[i]);
    CSLDestroy(fields);
    DropTrailingBlankCells(row);
  }
  if (CPLGetLastErrorType() == CE_Failure) {
    return ImportProblem{.code = ProblemCode::kTableUnreadable, .text = CPLGetLastErrorMsg()};
  }
  return DecodedTable(std::move(raw), encoding);
}

std::vector<std::string> CellsOf(const OGRFeature& feature) {
  std::vector<std::string> row;
  for (int i = 0; i < feature.GetFieldCount(); ++i)
    row.emplace_back(feature.IsFieldSetAndNotNull(i) ? feature.GetFieldAsString(i) : "");
  DropTrailingBlankCells(row);
  return row;
}

ImportStatusOr<Table> ReadWorkbook(const TableRequest& request, const char* driver) {
  const ReadingScope scope;
  const char* const drivers[] = {driver, nullptr};
  GDALDatasetUniquePtr dataset(
      GDALDataset::Open(request.path.c_str(), GDAL_OF_VECTOR | GDAL_OF_READONLY, drivers));
  if (!dataset) {
    if (geodata::IsMissingFile(request.path))
      return ImportProblem{.code = ProblemCode::kFileNotFound};
    return ImportProblem{.code = ProblemCode::kNotAWorkbook, .text = CPLGetLastErrorMsg()};
  }
  Table table;
  for (OGRLayer* layer : dataset->GetLayers())
    table.sheets.emplace_back(layer->GetName());
  if (table.sheets.empty()) return ImportProblem{.code = ProblemCode::kNoSheet};
  OGRLayer* layer =
      request.sheet.empty() ? dataset->GetLayer(0) : dataset->GetLayerByName(request.sheet.c_str());
  if (layer == nullptr) {
    return ImportProblem{
        .code = ProblemCode::kSheetNotFound, .name = request.sheet, .choices = table.sheets};
  }
  table.sheet = layer->GetName();
  // The feature number is the sheet's row number; blank rows the driver
  // leaves out come back as empty rows, so that row numbers stay the sheet's.
  for (const auto& feature : *layer) {
    const GIntBig row_number = feature->GetFID();
    while (row_number > 0 && static_cast<GIntBig>(table.rows.size()) + 1 < row_number)
      table.rows.emplace_back();
    table.rows.push_back(CellsOf(*feature));
  }
  return table;
}

}  // namespace

ImportStatusOr<Table> ReadTable(const TableRequest& request) {
  const std::string extension = LowerExtension(request.path);
  if (extension == ".csv") return ReadTextTable(request, ",");
  if (extension == ".txt" || extension == ".tsv") return ReadTextTable(request, "\t");
  if (extension == ".xlsx") return ReadWorkbook(request, "XLSX");
  if (extension == ".ods") return ReadWorkbook(request, "ODS");
  return ImportProblem{.code = ProblemCode::kNotATable};
}

}  // namespace kartela::table
