// kartela-cli calc: one data file divided by another on the same base map
// (a population by the land area, for the density), written as a data file.
#include <nlohmann/json.hpp>

#include "app/cli_commands.h"
#include "app/cli_division.h"
#include "base/text_encoding.h"
#include "model/data_file.h"
#include "model/messages.h"

namespace kartela {
namespace {

using Json = nlohmann::ordered_json;

const std::string kCalcUsage =
    "calc A.DAT --divide B.DAT " + std::string(kDivisionUsage) + " [--title T] --out C.DAT";

struct DataFile {
  AreaList areas;
  DataSet data;
};

std::optional<DataFile> ReadData(const CliContext& context, const std::string& file) {
  DataFile read;
  if (!ReadDataFile(std::filesystem::path(file), context.program_dir, read.areas, read.data,
                    context.reporter)) {
    return std::nullopt;
  }
  return read;
}

}  // namespace

int RunCalcCommand(const CliContext& context, const std::vector<std::string>& arguments) {
  const auto parsed = ParseCliArguments(arguments, {"divide", "times", "decimals", "title", "out"});
  if (!parsed || parsed->files.size() != 1 || !parsed->Value("divide") || !parsed->Value("out"))
    return UsageError(kCalcUsage);
  const auto division = DivisionOf(*parsed);
  if (!division) return UsageError(kCalcUsage);
  const auto title = sjis::FromUtf8(parsed->Value("title").value_or(""));
  if (!title) {
    ShowWarning(context.reporter, "タイトルに Shift-JIS で表せない文字があります");
    return kExitFailure;
  }
  const auto dividend = ReadData(context, parsed->files[0]);
  const std::string divisor_file = *parsed->Value("divide");
  const auto divisor = dividend ? ReadData(context, divisor_file) : std::nullopt;
  if (!divisor) return kExitFailure;
  if (const std::string refusal = DivisorAreasRefusal(dividend->areas, divisor->areas);
      !refusal.empty()) {
    ShowMessageWithReason(context.reporter, kMsgFileReadFailed, divisor_file, refusal);
    return kExitFailure;
  }
  DataDivision result = DivideDataSet(dividend->areas, dividend->data, divisor->data, *division);
  if (!title->empty())
    result.data.DataTitle = std::string(sjis::CutToBytes(*title, kMaxTitleBytes));
  Json description = {{"baseMap", sjis::ToUtf8Lossy(dividend->areas.CurrentBaseMapFile)},
                      {"title", sjis::ToUtf8Lossy(result.data.DataTitle)},
                      {"areaCount", dividend->areas.AreaCount()}};
  description.update(DescribeDivision(dividend->areas, result.report));
  context.out << description.dump(2) << '\n';
  if (result.report.LeftEmpty() == static_cast<std::size_t>(dividend->areas.AreaCount())) {
    ShowMessage(context.reporter, kMsgNoData);
    return kExitFailure;
  }
  if (const Status written = WriteDataFile(*parsed->Value("out"), dividend->areas, result.data);
      !written.ok()) {
    ShowSaveFailure(context.reporter, written);
    return kExitFailure;
  }
  return kExitOk;
}

}  // namespace kartela
