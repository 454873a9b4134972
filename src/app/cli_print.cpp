// kartela-cli print and print-data: the map, or the data list, printed by the
// desktop program's print jobs, to a PDF file or a CUPS queue, for handouts
// made in batches.
#include <QPageSize>
#include <QPrinter>
#include <QPrinterInfo>
#include <cmath>
#include <nlohmann/json.hpp>
#include <optional>

#include "app/cli_commands.h"
#include "app/cli_map_input.h"
#include "app/cli_options.h"
#include "base/numbers.h"
#include "base/text_helpers.h"
#include "model/data_file.h"
#include "model/messages.h"
#include "model/reporter.h"
#include "output/data_list_print.h"
#include "output/map_print.h"

namespace kartela {
namespace {

constexpr std::string_view kPrintUsage =
    "print INPUT (--out FILE.pdf | --printer QUEUE) [--magnification auto|M]\n"
    "       [--margins L,T,R,B] [--copies N] [--orientation portrait|landscape|auto]\n"
    "       [--line-width W] [the options of render that choose the map]";
constexpr std::string_view kPrintDataUsage =
    "print-data FILE.DAT (--out FILE.pdf | --printer QUEUE) [--columns N] [--size PT]\n"
    "       [--spacing S] [--copies N] [--margins L,T,R,B]";

constexpr int kMaxCopies = 999;
constexpr int kMaxMillimetres = 999;
constexpr int kMaxColumns = 99;
constexpr int kMaxPoints = 999;
constexpr double kMaxSpacing = 100;
constexpr double kMaxMagnification = 100;

// A whole number from `low` to `high`, written out in full.
std::optional<int> WholeNumber(std::string_view text, int low, int high) {
  return ParseWholeInt(text, low, high);
}

// A real number above 0 and up to `high`.
std::optional<double> PositiveReal(std::string_view text, double high) {
  const auto value = ParseDataValue(text);
  if (!value || !(*value > 0) || *value > high) return std::nullopt;
  return static_cast<double>(*value);
}

// Reads option `name` with `read` into `target` when it is given; false,
// with a message saying what it takes, when it does not convert.
template <typename T, typename Read>
bool ReadOption(const CliContext& context, const CliArguments& arguments, std::string_view name,
                std::string_view expected, const Read& read, T& target) {
  const auto text = arguments.Value(name);
  if (!text) return true;
  const auto value = read(*text);
  if (!value) {
    ShowWarning(context.reporter, "「--" + std::string(name) + " " + *text + "」は使えません。" +
                                      std::string(expected) + "を指定してください。");
    return false;
  }
  target = static_cast<T>(*value);
  return true;
}

// --margins L,T,R,B in millimetres.
std::optional<output::PrintMargins> MarginsOf(std::string_view text) {
  std::array<int, 4> values{};
  std::string_view rest = text;
  for (std::size_t i = 0; i < values.size(); ++i) {
    const std::size_t comma = rest.find(',');
    if ((comma == std::string_view::npos) != (i + 1 == values.size())) return std::nullopt;
    const auto value = WholeNumber(rest.substr(0, comma), 0, kMaxMillimetres);
    if (!value) return std::nullopt;
    values[i] = *value;
    rest = comma == std::string_view::npos ? std::string_view() : rest.substr(comma + 1);
  }
  return output::PrintMargins{values[0], values[2], values[1], values[3]};
}

std::optional<output::PageOrientation> OrientationOf(std::string_view text) {
  if (text == "portrait") return output::PageOrientation::kPortrait;
  if (text == "landscape") return output::PageOrientation::kLandscape;
  if (text == "auto") return output::PageOrientation::kAuto;
  return std::nullopt;
}

std::optional<double> MagnificationOf(std::string_view text) {
  if (text == "auto") return -1.0;
  return PositiveReal(text, kMaxMagnification);
}

std::optional<std::int16_t> LineWidthOf(std::string_view text) {
  const auto value = ParseDataValue(text);
  if (!value || std::abs(*value) > INT16_MAX) return std::nullopt;
  return static_cast<std::int16_t>(std::nearbyint(static_cast<double>(*value)));
}

// The printer of --out (a PDF file on A4) or --printer (a CUPS queue);
// nothing, with a message, for a queue the system does not have.
std::unique_ptr<QPrinter> PrinterOf(const CliContext& context, const CliArguments& arguments) {
  auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
  printer->setDocName(QStringLiteral("Kartela"));
  if (const auto out = arguments.Value("out")) {
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(QString::fromStdString(*out));
    printer->setPageSize(QPageSize(QPageSize::A4));
    return printer;
  }
  const QString queue = QString::fromStdString(*arguments.Value("printer"));
  if (QPrinterInfo::printerInfo(queue).isNull()) {
    ShowWarning(context.reporter, "プリンター「" + queue.toStdString() + "」が見つかりません。");
    return nullptr;
  }
  printer->setPrinterName(queue);
  return printer;
}

// Exactly one of --out and --printer.
bool OneTarget(const CliArguments& arguments) {
  return arguments.Value("out").has_value() != arguments.Value("printer").has_value();
}

// The end of a job: a refusal as a warning, a failure as an error.
int Finish(const CliContext& context, const Status& status, nlohmann::ordered_json result) {
  if (status.ok()) {
    context.out << result.dump(2) << '\n';
    return kExitOk;
  }
  if (status.code() == StatusCode::kRefused) {
    ShowWarning(context.reporter, status.detail());
  } else {
    ShowError(context.reporter, status.detail());
  }
  return kExitFailure;
}

// The print values of the desktop program's defaults (or --settings), with
// the options typed over them.
bool ReadPrintOptions(const CliContext& context, const CliArguments& arguments,
                      output::PrinterSettings& values) {
  return ReadOption(context, arguments, "magnification", "「auto」か 100 以下の正の数",
                    MagnificationOf, values.magnification) &&
         ReadOption(context, arguments, "margins", "0～999 の整数 4 つ（左,上,右,下 mm）",
                    MarginsOf, values.margins) &&
         ReadOption(
             context, arguments, "copies", "1～999 の整数",
             [](std::string_view t) { return WholeNumber(t, 1, kMaxCopies); }, values.copies) &&
         ReadOption(context, arguments, "orientation", "portrait、landscape、auto のどれか",
                    OrientationOf, values.orientation) &&
         ReadOption(context, arguments, "line-width", "-32767～32767 の数値", LineWidthOf,
                    values.line_width);
}

}  // namespace

int RunPrintCommand(const CliContext& context, const std::vector<std::string>& arguments) {
  const auto parsed =
      ParseCliArguments(arguments, {"out", "printer", "magnification", "margins", "copies",
                                    "orientation", "line-width", "map", "classes", "breaks",
                                    "method", "settings", "ref-radius", "ref-value", "base-value",
                                    "plus-colour", "minus-colour", "picture", "background"});
  if (!parsed || parsed->files.size() != 1 || !OneTarget(*parsed)) return UsageError(kPrintUsage);
  const auto gui = StartGui();
  Workspace workspace;
  if (!LoadMapInput(context, *parsed, workspace)) return kExitFailure;
  output::PrinterSettings values;
  values.magnification = workspace.settings.PrintSize;
  values.line_width = workspace.PrintLineWidth;
  if (!ReadPrintOptions(context, *parsed, values)) return kExitFailure;
  const std::unique_ptr<QPrinter> printer = PrinterOf(context, *parsed);
  if (!printer) return kExitFailure;
  const output::PrintLayout layout = output::LayoutOnPrinter(values, *printer, workspace);
  const output::PrintResult printed =
      output::PrintMap(workspace, values, *printer, [] { return false; });
  const bool landscape = layout.page.width() > layout.page.height();
  return Finish(context, printed.status,
                {{"pages", printed.pages},
                 {"scale", layout.scale},
                 {"orientation", landscape ? "landscape" : "portrait"}});
}

int RunPrintDataCommand(const CliContext& context, const std::vector<std::string>& arguments) {
  const auto parsed = ParseCliArguments(
      arguments, {"out", "printer", "columns", "size", "spacing", "copies", "margins"});
  if (!parsed || parsed->files.size() != 1 || !OneTarget(*parsed))
    return UsageError(kPrintDataUsage);
  const auto gui = StartGui();
  Workspace workspace;
  if (!ReadDataFile(std::filesystem::path(parsed->files[0]), context.program_dir,
                    workspace.area_list, workspace.data, context.reporter)) {
    return kExitFailure;
  }
  PrintSettings& print = workspace.print;
  output::DataListFont font{print.DataFontName, print.DataFontSize};
  output::PrintMargins margins{print.MarginLeft, print.MarginRight, print.MarginTop,
                               print.MarginBottom};
  const bool read =
      ReadOption(
          context, *parsed, "columns", "1～99 の整数",
          [](std::string_view t) { return WholeNumber(t, 1, kMaxColumns); }, print.DataColumns) &&
      ReadOption(
          context, *parsed, "size", "1～999 の整数（ポイント）",
          [](std::string_view t) { return WholeNumber(t, 1, kMaxPoints); }, font.size) &&
      ReadOption(
          context, *parsed, "spacing", "100 以下の正の数",
          [](std::string_view t) { return PositiveReal(t, kMaxSpacing); }, print.DataLineSpacing) &&
      ReadOption(
          context, *parsed, "copies", "1～999 の整数",
          [](std::string_view t) { return WholeNumber(t, 1, kMaxCopies); }, print.Copies) &&
      ReadOption(context, *parsed, "margins", "0～999 の整数 4 つ（左,上,右,下 mm）", MarginsOf,
                 margins);
  if (!read) return kExitFailure;
  print.MarginLeft = margins.left;
  print.MarginRight = margins.right;
  print.MarginTop = margins.top;
  print.MarginBottom = margins.bottom;
  const std::unique_ptr<QPrinter> printer = PrinterOf(context, *parsed);
  if (!printer) return kExitFailure;
  const output::DataListPlan plan =
      output::PlanDataList(output::DataListRequestFor(*printer, workspace, font));
  const Status printed = output::PrintDataList(*printer, workspace, font, [] { return false; });
  return Finish(context, printed,
                {{"pages", plan.layout.pages * print.Copies},
                 {"columns", plan.layout.columns},
                 {"rows", plan.layout.rows}});
}

}  // namespace kartela
