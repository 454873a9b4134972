// kartela-cli render: a map drawn by the paint routine of the map window,
// written by the exporter as a PNG, SVG, PDF, EMF or WMF file.
#include <sys/stat.h>
#include <unistd.h>

#include <QGuiApplication>
#include <memory>

#include "app/cli_commands.h"
#include "app/cli_map_input.h"
#include "app/cli_options.h"
#include "base/numbers.h"
#include "base/real48.h"
#include "base/text_encoding.h"
#include "base/text_helpers.h"
#include "model/base_map_file.h"
#include "model/base_map_reference.h"
#include "model/data_file.h"
#include "model/messages.h"
#include "model/reporter.h"
#include "model/settings_file.h"
#include "model/value_syntax.h"
#include "output/map_exporter.h"
#include "render/background_picture.h"
#include "render/circle_settings_check.h"
#include "render/map_document_state.h"
#include "render/map_frame.h"
#include "render/map_painter.h"
#include "render/metafile_picture.h"
#include "render/picture_graph.h"

namespace kartela {
namespace {

constexpr std::string_view kUsage =
    "render INPUT --out FILE.png|.svg|.pdf|.emf|.wmf|.ktd [--map paint|white|circle|picture] "
    "[--scale "
    "S]\n"
    "       [--classes K] [--breaks B1,B2,...] [--method 1|2] [--settings FILE.INI]\n"
    "       [--ref-radius R] [--ref-value TEXT] [--base-value V] [--plus-colour I]\n"
    "       [--minus-colour I] [--picture FILE.wmf|.emf] [--background FILE.wmf|.emf]\n"
    "       [--mono] [--no-text] [--legend-heading TEXT] [--source TEXT] [--source-right]\n"
    "       [--circle-legend single|nested]";

bool HasExtension(const std::filesystem::path& path, std::string_view upper_ext) {
  return ToUpperAscii(path.extension().string()) == upper_ext;
}

bool IsBaseMapFile(const std::filesystem::path& path) {
  return HasExtension(path, ".IDT");
}

bool IsMapDocument(const std::filesystem::path& path) {
  return HasExtension(path, ".KTD");
}

// The settings the map is drawn with: the defaults, or those of --settings.
bool LoadSettings(const CliContext& context, const CliArguments& arguments, Settings& settings) {
  settings = DefaultSettings({});
  const auto file = arguments.Value("settings");
  if (!file) return true;
  if (!std::filesystem::is_regular_file(*file)) {
    ShowMessage(context.reporter, kMsgBadFileName);
    return false;
  }
  ReadSettings(*file, settings);
  return true;
}

// Reads the base map at `path`; `shown` names it in a failure message.
bool LoadBaseMapAt(const CliContext& context, const std::filesystem::path& path,
                   const std::string& shown, Workspace& workspace) {
  const Status read = ReadBaseMap(path, workspace.base_map);
  if (!read.ok()) {
    ShowMessageWithReason(context.reporter, kMsgIdtReadFailed, shown, read.detail());
    return false;
  }
  return true;
}

// The base map of the data, as the data file reader found it.
bool LoadDataBaseMap(const CliContext& context, Workspace& workspace) {
  const std::string& reference = workspace.area_list.CurrentBaseMapFile;
  const std::string shown = sjis::ToUtf8Lossy(reference);
  const auto found = FindBaseMap(reference, context.program_dir);
  if (!found) {
    ShowMessageWithReason(context.reporter, kMsgIdtReadFailed, shown, kBaseMapNotFoundReason);
    return false;
  }
  if (!LoadBaseMapAt(context, found->path, shown, workspace)) return false;
  workspace.base_map.LoadedMapFile = reference;
  return true;
}

// --breaks B1,B2,... or the proposed boundaries become the boundaries in force.
void ChooseBoundaries(const CliArguments& arguments, ClassTables& tables) {
  const auto breaks = arguments.Value("breaks");
  if (!breaks) {
    tables.ClassBreaks = tables.ProposedBreaks;
    return;
  }
  tables.ClassBreaks = {};
  std::string rest = *breaks;
  for (std::string& entry : tables.ClassBreaks) {
    if (rest.empty()) break;
    auto [head, tail] = SplitAt(',', rest);
    entry = SlotText(head);
    rest = tail;
  }
}

// Classifies the data as the paint map command does, without its dialog.
bool Classify(const CliContext& context, const CliArguments& arguments, Workspace& workspace) {
  int class_count = workspace.settings.ClassCount;
  if (const auto classes = arguments.Value("classes")) {
    const auto count = ParseClassCount(*classes);
    if (!count) {
      ShowMessage(context.reporter, kMsgBadSetting);
      return false;
    }
    class_count = *count;
  }
  const std::string method = arguments.Value("method").value_or("1");
  if (method != "1" && method != "2") {
    ShowMessage(context.reporter, kMsgBadSetting);
    return false;
  }
  ClassTables& tables = workspace.class_tables;
  tables.DivisionMethod = static_cast<std::int16_t>(method == "2" ? 2 : 1);
  const ValueSyntaxResult result =
      ComputeDataStatistics(workspace.data, workspace.area_list.AreaCount(), class_count, tables);
  if (result != ValueSyntaxResult::kOk) {
    ShowDataMessage(context.reporter, MessageNumberFor(result), workspace.data,
                    workspace.area_list);
    return false;
  }
  ChooseBoundaries(arguments, tables);
  return true;
}

// A colour option: one digit from 0 to 8, the dialog's buttons in order.
std::optional<std::int16_t> ColourOf(const std::string& text) {
  if (text.size() != 1 || text[0] < '0' || text[0] >= '0' + kCircleColourCount) {
    return std::nullopt;
  }
  return static_cast<std::int16_t>(text[0] - '0');
}

// The dialog's texts with the options typed over them; false for a
// reference value the dialog could not hold.
bool ReadSymbolOptions(const CliArguments& arguments, SymbolFields& fields) {
  if (const auto radius = arguments.Value("ref-radius")) fields.Radius = *radius;
  if (const auto base = arguments.Value("base-value")) fields.BaseValue = *base;
  if (const auto ref = arguments.Value("ref-value")) {
    const auto text = sjis::FromUtf8(*ref);
    if (!text) return false;
    fields.RefValue = *text;
  }
  return true;
}

// Shows the catalogue message `message` unless it is 0 (no refusal); true
// when it showed one.
bool Refused(const CliContext& context, int message) {
  if (message == 0) return false;
  ShowMessage(context.reporter, message);
  return true;
}

// The circle dialog's fields with the options typed over them; false for a
// colour or a reference value the dialog could not hold.
bool ReadCircleOptions(const CliArguments& arguments, CircleFields& fields) {
  if (!ReadSymbolOptions(arguments, fields)) return false;
  for (const auto& [name, colour] : {std::pair{"plus-colour", &fields.PlusColour},
                                     std::pair{"minus-colour", &fields.MinusColour}}) {
    const auto text = arguments.Value(name);
    if (!text) continue;
    const auto index = ColourOf(*text);
    if (!index) return false;
    *colour = *index;
  }
  return true;
}

// The circle map command without its dialog: the same checks and messages,
// the options in place of what the user would type.
bool PrepareCircleMap(const CliContext& context, const CliArguments& arguments,
                      Workspace& workspace) {
  const SymbolDataStats stats = ScanSymbolData(workspace.data, workspace.area_list.AreaCount(),
                                               workspace.class_tables.NumericValues);
  if (Refused(context, CircleDataMessage(stats))) return false;
  CircleFields fields = InitialCircleFields(workspace.symbols, stats);
  return !Refused(context, ReadCircleOptions(arguments, fields)
                               ? ApplyCircleFields(fields, workspace.symbols)
                               : kMsgBadSetting);
}

// --picture FILE: the path as given, or else the name in the program
// directory, where the desktop program looks for pictures.
std::filesystem::path PicturePath(const CliContext& context, const std::string& file) {
  const std::filesystem::path given(file);
  std::error_code error;
  if (given.is_absolute() || std::filesystem::exists(given, error)) return given;
  return context.program_dir / given;
}

// The picture graph command without its dialog: the same checks and
// messages, the options in place of what the user would type.
bool PreparePictureGraph(const CliContext& context, const CliArguments& arguments,
                         Workspace& workspace) {
  ClassTables& tables = workspace.class_tables;
  const ValueSyntaxResult result = ComputeDataStatistics(
      workspace.data, workspace.area_list.AreaCount(), workspace.settings.ClassCount, tables);
  if (Refused(context, PictureDataMessage(result, tables))) return false;
  PictureFields fields = InitialPictureFields(workspace.symbols, tables);
  if (Refused(context, ReadSymbolOptions(arguments, fields)
                           ? ApplyPictureFields(fields, workspace.symbols)
                           : kMsgBadSetting)) {
    return false;
  }
  const auto file = arguments.Value("picture");
  if (!file) {
    ShowMessage(context.reporter, kMsgNoPicture);
    return false;
  }
  const std::filesystem::path path = PicturePath(context, *file);
  auto read = MetafilePicture::Read(path);
  if (!read.ok()) {
    ShowMessageWithReason(context.reporter, kMsgFileReadFailed, DisplayPath(path),
                          PictureRefusalText(read.status()));
    return false;
  }
  const std::string name = path.filename().string();
  StartPictureGraph(workspace, sjis::FromUtf8(name).value_or(name), std::move(read).value());
  return true;
}

// --background FILE: the picture under the map.
bool LoadBackground(const CliContext& context, const CliArguments& arguments,
                    Workspace& workspace) {
  const auto file = arguments.Value("background");
  if (!file) return true;
  const Status loaded = LoadBackgroundPicture(*file, workspace);
  if (loaded.ok()) return true;
  ShowMessageWithReason(context.reporter, kMsgFileReadFailed, *file, loaded.detail());
  return false;
}

// A text option as Shift-JIS within the length of its line, or why it
// cannot be held.
StatusOr<std::string> FurnitureText(std::string_view option, const std::string& utf8) {
  const auto text = sjis::FromUtf8(utf8);
  const std::string named = "--" + std::string(option) + " の「" + utf8 + "」";
  if (!text) return Status(StatusCode::kRefused, named + "には Shift-JIS で表せない文字があります");
  if (text->size() > kMaxFurnitureTextBytes) {
    return Status(
        StatusCode::kRefused,
        named + "は長すぎます（" + std::to_string(kMaxFurnitureTextBytes) + " バイトまで）");
  }
  return *text;
}

// --legend-heading, --source, --source-right and --circle-legend over what
// the settings or the document say.
bool ApplyFurnitureOptions(const CliContext& context, const CliArguments& arguments,
                           Workspace& workspace) {
  Settings& settings = workspace.settings;
  for (const auto& [name, target] : {std::pair{"legend-heading", &settings.LegendHeading},
                                     std::pair{"source", &settings.SourceText}}) {
    const auto value = arguments.Value(name);
    if (!value) continue;
    const auto text = FurnitureText(name, *value);
    if (!text.ok()) {
      ShowMessageWithReason(context.reporter, kMsgBadSetting, {}, text.status().detail());
      return false;
    }
    *target = *text;
  }
  if (arguments.Flag("source-right")) settings.SourceAtRight = 1;
  if (const auto legend = arguments.Value("circle-legend")) {
    if (*legend != "single" && *legend != "nested") return !Refused(context, kMsgBadSetting);
    workspace.symbols.NestedLegend = *legend == "nested";
  }
  return true;
}

MapKind MapKindOf(const std::string& kind) {
  if (kind == "paint") return MapKind::kPaintMap;
  if (kind == "circle") return MapKind::kCircleGraph;
  if (kind == "white") return MapKind::kWhiteMap;
  if (kind == "picture") return MapKind::kPictureGraph;
  return MapKind::kNone;
}

// Fills the workspace with the map to draw: the white map of a base map, or
// the paint, circle or white map of a data file.
bool LoadMap(const CliContext& context, const CliArguments& arguments, Workspace& workspace) {
  const std::filesystem::path input(arguments.files[0]);
  // A document is drawn as the map window draws it after loading it.
  if (IsMapDocument(input))
    return LoadMapDocument(input, context.program_dir, workspace, context.reporter);
  const MapKind kind =
      MapKindOf(arguments.Value("map").value_or(IsBaseMapFile(input) ? "white" : "paint"));
  if (kind == MapKind::kNone) {
    ShowMessage(context.reporter, kMsgBadSetting);
    return false;
  }
  if (IsBaseMapFile(input)) {
    if (kind != MapKind::kWhiteMap) {
      ShowMessage(context.reporter, kMsgNoData);
      return false;
    }
    // Opened by its path as given; a name without a Shift-JIS form is only
    // remembered in another form, which no data file refers to anyway.
    workspace.view.Kind = MapKind::kWhiteMap;
    if (!LoadBaseMapAt(context, input, DisplayPath(input), workspace)) return false;
    const std::string full = std::filesystem::absolute(input).string();
    workspace.base_map.LoadedMapFile = sjis::FromUtf8(full).value_or(full);
    return true;
  }
  if (!ReadDataFile(input, context.program_dir, workspace.area_list, workspace.data,
                    context.reporter)) {
    return false;
  }
  if (kind == MapKind::kPaintMap && !Classify(context, arguments, workspace)) return false;
  if (kind == MapKind::kCircleGraph && !PrepareCircleMap(context, arguments, workspace)) {
    return false;
  }
  if (kind == MapKind::kPictureGraph && !PreparePictureGraph(context, arguments, workspace)) {
    return false;
  }
  workspace.view.Kind = kind;
  return LoadDataBaseMap(context, workspace);
}

std::uint8_t PaintFlagsOf(const CliArguments& arguments) {
  std::uint8_t flags = 0;
  if (arguments.Flag("mono")) flags |= kPaintMonochrome;
  if (arguments.Flag("no-text")) flags |= kPaintNoText;
  return flags;
}

// The file settings for --out: its extension, the flags and the scale, which
// metafiles do not take (they are sized as the save command sizes them, by
// the drawing scale of the settings); kRefused with the reason otherwise.
StatusOr<output::FileSettings> FileSettingsOf(const CliArguments& arguments) {
  const auto text = arguments.Value("scale");
  const auto scale = text ? ParseDataValue(*text) : std::optional<long double>(1.0L);
  if (!scale || *scale <= 0 || *scale > 100) {
    return Status(StatusCode::kRefused, "--scale は 0 より大きく 100 までの数です");
  }
  auto settings = output::FileSettingsFor(*arguments.Value("out"), PaintFlagsOf(arguments));
  if (!settings) {
    return Status(StatusCode::kRefused,
                  "--out の拡張子は .png .svg .pdf .emf .wmf .ktd のどれかです");
  }
  const bool scaled = std::visit(
      [rounded = RoundToReal48(*scale)](auto& target) {
        if constexpr (requires { target.scale; }) {
          target.scale = rounded;
          return true;
        }
        return false;
      },
      *settings);
  if (!scaled && *scale != 1.0) {
    return Status(StatusCode::kRefused,
                  "EMF と WMF は --scale を取りません。大きさは設定の描画倍率 (--settings の "
                  "DrawSize) で決まります");
  }
  return *settings;
}

// Without XDG_RUNTIME_DIR Qt warns on standard error and uses a folder of its
// own in the temporary directory; a tool that scripts run prints nothing but
// its messages, so such a folder, private to the user, is named beforehand.
void NameRuntimeDirectory() {
  if (!qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) return;
  const std::filesystem::path dir =
      std::filesystem::temp_directory_path() / ("runtime-kartela-" + std::to_string(::getuid()));
  ::mkdir(dir.c_str(), 0700);  // an existing one is checked by Qt (owner, mode)
  qputenv("XDG_RUNTIME_DIR", QByteArray::fromStdString(dir.string()));
}

// --out FILE.KTD: the document of the map that would be drawn. A document
// names its base map in Shift-JIS: a white map of a base map whose path has
// no Shift-JIS form is refused, as the desktop program refuses that base map,
// rather than written with a name no one can open.
int SaveDocument(const CliContext& context, const std::filesystem::path& out,
                 const std::filesystem::path& input, const Workspace& workspace) {
  if (IsBaseMapFile(input) && !sjis::FromUtf8(std::filesystem::absolute(input).string())) {
    ShowMessageWithReason(context.reporter, kMsgSaveFailed, {},
                          "基本地図「" + DisplayPath(input) +
                              "」のパスには Shift-JIS で表せない文字があるため、文書に書けません");
    return kExitFailure;
  }
  const Status saved = SaveMapDocument(out, workspace);
  if (saved.ok()) return kExitOk;
  ShowSaveFailure(context.reporter, saved);
  return kExitFailure;
}

}  // namespace

// The platform plugin for drawing without a display, unless one is chosen.
std::unique_ptr<QGuiApplication> StartGui() {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  NameRuntimeDirectory();
  if (QGuiApplication::instance() != nullptr) return nullptr;
  static int argc = 1;
  static char name[] = "kartela-cli";
  static char* argv[] = {name, nullptr};
  return std::make_unique<QGuiApplication>(argc, argv);
}

bool LoadMapInput(const CliContext& context, const CliArguments& arguments, Workspace& workspace) {
  return LoadSettings(context, arguments, workspace.settings) &&
         LoadMap(context, arguments, workspace) && LoadBackground(context, arguments, workspace);
}

int RunRenderCommand(const CliContext& context, const std::vector<std::string>& arguments) {
  const auto parsed =
      ParseCliArguments(arguments,
                        {"out", "map", "scale", "classes", "breaks", "method", "settings",
                         "ref-radius", "ref-value", "base-value", "plus-colour", "minus-colour",
                         "picture", "background", "legend-heading", "source", "circle-legend"},
                        {"mono", "no-text", "source-right"});
  if (!parsed || parsed->files.size() != 1 || !parsed->Value("out")) return UsageError(kUsage);
  const std::filesystem::path out(*parsed->Value("out"));
  const auto settings = FileSettingsOf(*parsed);
  if (!settings.ok() && !IsMapDocument(out)) {
    ShowMessageWithReason(context.reporter, kMsgBadSetting, {}, settings.status().detail());
    return kExitFailure;
  }
  const auto gui = StartGui();
  Workspace workspace;
  if (!LoadMapInput(context, *parsed, workspace) ||
      !ApplyFurnitureOptions(context, *parsed, workspace)) {
    return kExitFailure;
  }
  if (IsMapDocument(out)) {
    return SaveDocument(context, out, std::filesystem::path(parsed->files[0]), workspace);
  }
  const output::MapExporter exporter(workspace);
  if (const Status saved = exporter.Save(*settings, out); !saved.ok()) {
    ShowSaveFailure(context.reporter, saved);
    return kExitFailure;
  }
  return kExitOk;
}

}  // namespace kartela
