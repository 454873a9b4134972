#include "geodata/basemap/import_command.h"

#include <filesystem>
#include <map>
#include <optional>

#include "base/file_io.h"
#include "base/numbers.h"
#include "geodata/basemap/importer.h"
#include "geodata/command_line_text.h"

namespace kartela::basemap {
namespace {

namespace fs = std::filesystem;

constexpr const char* kUsage =
    "usage: kartela-basemap import SOURCE [--layer L] --name-field F [--group-field G]\n"
    "  [--order-field O] [--encoding auto|cp932|utf-8] [--source-crs CRS | --planar]\n"
    "  [--projection PROJ] [--title T] [--inset-below-lat LAT] [--tolerance PX] [--strict-names]\n"
    "  [--data-out X.DAT] [--value-field V] --out X.IDT\n";

// The options that take no value.
constexpr const char* kFlags[] = {"--planar", "--strict-names"};

struct Command {
  ImportOptions options;
  fs::path out;
  fs::path data_out;
};

// The option values as given; "" for the source.
std::optional<std::map<std::string, std::string>> SplitOptions(
    const std::vector<std::string>& args) {
  static const char* const kOptions[] = {
      "--layer",    "--name-field", "--group-field", "--order-field", "--value-field",
      "--encoding", "--projection", "--title",       "--tolerance",   "--inset-below-lat",
      "--out",      "--data-out",   "--source-crs"};
  std::map<std::string, std::string> values;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const bool known =
        std::find(std::begin(kOptions), std::end(kOptions), args[i]) != std::end(kOptions);
    const bool flag = std::find(std::begin(kFlags), std::end(kFlags), args[i]) != std::end(kFlags);
    if (flag && !values.contains(args[i])) {
      values[args[i]] = "";
    } else if (known && i + 1 < args.size() && !values.contains(args[i])) {
      values[args[i]] = args[i + 1];
      ++i;
    } else if (!args[i].starts_with("--") && !values.contains("")) {
      values[""] = args[i];
    } else {
      return std::nullopt;
    }
  }
  return values;
}

StatusOr<Command> ParseCommand(const std::vector<std::string>& args) {
  auto values = SplitOptions(args);
  if (!values || !values->contains("") || !values->contains("--name-field") ||
      !values->contains("--out")) {
    return Status(StatusCode::kRefused, kUsage);
  }
  auto value = [&](const char* key) { return values->contains(key) ? values->at(key) : ""; };
  Command command;
  SourceRequest& source = command.options.source;
  source.path = value("");
  source.layer = value("--layer");
  source.name_field = value("--name-field");
  source.group_field = value("--group-field");
  source.order_field = value("--order-field");
  source.value_field = value("--value-field");
  const auto encoding =
      ParseEncodingName(values->contains("--encoding") ? value("--encoding") : "auto");
  if (!encoding) return Status(StatusCode::kRefused, "--encoding takes auto, cp932 or utf-8");
  source.encoding = *encoding;
  source.source_system = value("--source-crs");
  source.planar = values->contains("--planar");
  source.strict_names = values->contains("--strict-names");
  if (source.planar && (values->contains("--source-crs") || values->contains("--projection") ||
                        values->contains("--inset-below-lat"))) {
    return Status(StatusCode::kRefused,
                  "--planar keeps the source's plane: it takes no --source-crs, --projection "
                  "or --inset-below-lat");
  }
  command.options.projection = value("--projection");
  command.options.title = value("--title");
  if (values->contains("--tolerance")) {
    const auto tolerance = ParseWholeReal(value("--tolerance"));
    if (!tolerance || !(*tolerance > 0 && *tolerance <= 100)) {
      return Status(StatusCode::kRefused, "--tolerance takes pixels above 0, at most 100");
    }
    command.options.tolerance = *tolerance;
  }
  if (values->contains("--inset-below-lat")) {
    const auto latitude = ParseWholeReal(value("--inset-below-lat"));
    if (!latitude || *latitude < -90 || *latitude > 90) {
      return Status(StatusCode::kRefused, "--inset-below-lat takes a latitude in degrees");
    }
    command.options.inset_below_lat = *latitude;
  }
  command.out = value("--out");
  command.data_out = value("--data-out");
  // A value field alone makes the data file beside the map.
  if (!source.value_field.empty() && command.data_out.empty())
    command.data_out = fs::path(command.out).replace_extension(".DAT");
  command.options.map_file_name = command.out.filename().string();
  command.options.with_data = !command.data_out.empty();
  return command;
}

bool Write(const fs::path& path, const std::string& bytes, std::FILE* err) {
  if (WriteFileAtomically(path, bytes).ok()) return true;
  std::fprintf(err, "%s: cannot be written\n", path.c_str());
  return false;
}

bool IsRenaming(const geodata::ImportProblem& note) {
  return note.code == geodata::ProblemCode::kNameTransliterated ||
         note.code == geodata::ProblemCode::kNameCut;
}

// The names changed, the first of them listed, then the other notes.
void PrintNotes(const geodata::ImportProblems& notes, std::FILE* err) {
  geodata::ImportProblems renamed, others;
  for (const geodata::ImportProblem& note : notes)
    (IsRenaming(note) ? renamed : others).push_back(note);
  if (!renamed.empty()) {
    std::fprintf(err, "%zu names changed to fit a base map (--strict-names refuses them):\n%s\n",
                 renamed.size(), geodata::CommandLineText(renamed).c_str());
  }
  for (const geodata::ImportProblem& note : others)
    std::fprintf(err, "note: %s\n", geodata::CommandLineText(note).c_str());
}

}  // namespace

int RunImportCommand(const std::vector<std::string>& args, std::FILE* out, std::FILE* err) {
  const auto command = ParseCommand(args);
  if (!command.ok()) {
    std::fprintf(err, "%s\n", command.status().detail().c_str());
    return 2;
  }
  const auto imported = ImportBaseMap(command->options);
  if (!imported.ok()) {
    std::fprintf(err, "%s: %s\n", command->options.source.path.c_str(),
                 geodata::CommandLineText(imported.problems()).c_str());
    return 1;
  }
  PrintNotes(imported->notes, err);
  if (!Write(command->out, imported->map_bytes, err)) return 1;
  if (command->options.with_data && !Write(command->data_out, imported->data_bytes, err)) return 1;
  std::fprintf(out, "%s: %d areas, texts read as %s, projection %s\n", command->out.c_str(),
               imported->areas, EncodingName(imported->encoding), imported->projection.c_str());
  if (command->options.with_data)
    std::fprintf(out, "%s: the data file\n", command->data_out.c_str());
  return 0;
}

}  // namespace kartela::basemap
