#include "render/map_document_state.h"

#include <algorithm>
#include <memory>
#include <optional>
#include <utility>
#include <variant>

#include "base/file_io.h"
#include "base/text_encoding.h"
#include "model/base_map_file.h"
#include "model/base_map_reference.h"
#include "model/messages.h"
#include "model/reporter.h"
#include "render/classification.h"
#include "render/metafile_picture.h"

namespace kartela {
namespace {

using map_document::Kind;

Kind DocumentKindOf(MapKind kind) {
  return kind == MapKind::kNone ? Kind::kWhiteMap : static_cast<Kind>(kind);
}

bool HasData(Kind kind) {
  return kind != Kind::kWhiteMap;
}

PaintDocumentSettings PaintSettingsOf(const Workspace& workspace) {
  const ClassTables& tables = workspace.class_tables;
  PaintDocumentSettings paint{tables.DataMin,
                              tables.DataMax,
                              tables.DivisionMethod,
                              workspace.settings.LegendStyle,
                              {},
                              workspace.settings.ColorScheme};
  std::copy_n(tables.ClassBreaks.begin(), paint.ClassBreaks.size(), paint.ClassBreaks.begin());
  return paint;
}

// The base map, and for the kinds with data its area list, of `document`;
// the reason in the detail when it is not found or does not read.
Status ReadBaseMapOf(const std::filesystem::path& path, const std::filesystem::path& program_dir,
                     LoadedDocument& loaded) {
  const std::string& reference = loaded.document.BaseMapFile;
  const std::string named = "基本地図 " + sjis::ToUtf8Lossy(reference) + "：";
  const auto found = FindBaseMap(reference, program_dir, path.parent_path());
  if (!found) return {StatusCode::kNotFound, named + std::string(kBaseMapNotFoundReason)};
  if (const Status read = ReadBaseMap(found->path, loaded.base_map); !read.ok())
    return {read.code(), named + read.detail()};
  loaded.base_map.LoadedMapFile = found->reference;
  if (!HasData(loaded.document.Kind)) return {};
  if (const Status read = ReadBaseMapHeader(found->path, loaded.areas); !read.ok())
    return {read.code(), named + read.detail()};
  loaded.areas.CurrentBaseMapFile = found->reference;
  const std::size_t area_count = loaded.areas.AreaNames.size();
  if (loaded.document.Values.size() > area_count) {
    return {StatusCode::kBadFormat, "値の数 " + std::to_string(loaded.document.Values.size()) +
                                        " が基本地図の区域の数 " + std::to_string(area_count) +
                                        " を超えています"};
  }
  return {};
}

// The picture graph's picture, looked up by its file name in the program
// directory; null, after message 4 naming it, when it cannot be read.
std::shared_ptr<const MetafilePicture> ReadGlyphPicture(const std::string& file_name,
                                                        const std::filesystem::path& program_dir,
                                                        Reporter& reporter) {
  const auto utf8 = sjis::ToUtf8(file_name);
  std::filesystem::path path = program_dir / std::filesystem::path(utf8.value_or("")).filename();
  if (const auto found = FindFileIgnoringCase(path)) path = *found;
  auto read = MetafilePicture::Read(path);
  if (!read.ok()) {
    ShowMessageWithReason(reporter, kMsgFileReadFailed, DisplayPath(path),
                          PictureRefusalText(read.status()));
    return nullptr;
  }
  return std::move(read).value();
}

void ApplyData(const MapDocument& document, AreaList areas, Workspace& workspace) {
  workspace.area_list = std::move(areas);
  DataSet& data = workspace.data;
  data.DataTitle = document.DataTitle;
  data.DataValues.assign(kMaxAreas, {});
  std::copy(document.Values.begin(), document.Values.end(), data.DataValues.begin());
  data.DataNotes.clear();
  data.DataFileName.clear();
  data.DataReadAsUtf8 = false;
  data.DataModified = false;
}

void ApplyKindSettings(const MapDocument& document, Workspace& workspace) {
  ClassTables& tables = workspace.class_tables;
  SymbolSettings& symbols = workspace.symbols;
  switch (document.Kind) {
    case Kind::kWhiteMap:
      return;
    case Kind::kPaintMap:
      tables.DivisionMethod = document.Paint.DivisionMethod;
      workspace.settings.LegendStyle = document.Paint.LegendStyle;
      // A document without a scheme is drawn as the settings say, as before.
      if (!document.Paint.ColorScheme.empty())
        workspace.settings.ColorScheme = document.Paint.ColorScheme;
      tables.ClassBreaks = {};
      std::copy(document.Paint.ClassBreaks.begin(), document.Paint.ClassBreaks.end(),
                tables.ClassBreaks.begin());
      return;
    case Kind::kCircleGraph:
      symbols = document.Symbols;
      return;
    case Kind::kPictureGraph:
      // The colours belong to the circle map.
      symbols.RefRadius = document.Symbols.RefRadius;
      symbols.RefValueText = document.Symbols.RefValueText;
      symbols.BaseValue = document.Symbols.BaseValue;
      return;
  }
}

// The statistics the map command would have left: the widths the legend
// uses, then every value converted in area order and the extremes from them.
void RecomputeStatistics(Workspace& workspace) {
  const int area_count = workspace.area_list.AreaCount();
  ComputeDataStatistics(workspace.data, area_count, workspace.settings.ClassCount,
                        workspace.class_tables);
  ConvertDataValues(workspace.data, area_count, workspace.class_tables);
}

// A document's heading and source line are shown with it; one without them
// is drawn with those of the settings, as before they were kept.
void ApplyFurnitureTexts(const MapDocument& document, Settings& settings) {
  if (!document.LegendHeading.empty()) settings.LegendHeading = document.LegendHeading;
  if (!document.SourceText.empty()) {
    settings.SourceText = document.SourceText;
    settings.SourceAtRight = document.SourceAtRight ? 1 : 0;
  }
}

void ApplyDecorations(const MapDocument& document, DecorationLists& lists) {
  ClearDecorations(lists);
  std::copy(document.Shapes.begin(), document.Shapes.end(), lists.ShapeDecorations.begin());
  std::copy(document.Texts.begin(), document.Texts.end(), lists.TextDecorations.begin());
  lists.ShapeCount = static_cast<std::int16_t>(document.Shapes.size());
  lists.TextDecorationCount = static_cast<std::int16_t>(document.Texts.size());
}

}  // namespace

void ApplyMapDocument(LoadedDocument loaded, Workspace& workspace) {
  const MapDocument& document = loaded.document;
  workspace.base_map = std::move(loaded.base_map);
  if (HasData(document.Kind)) {
    ApplyData(document, std::move(loaded.areas), workspace);
    ApplyKindSettings(document, workspace);
    RecomputeStatistics(workspace);
  }
  if (document.Kind == Kind::kPictureGraph) {
    workspace.view.GlyphPictureFile = document.GlyphPictureFile;
    workspace.view.GlyphPicture = std::move(loaded.picture);
  }
  ApplyDecorations(document, workspace.decorations);
  ApplyFurnitureTexts(document, workspace.settings);
  workspace.view.Kind = static_cast<MapKind>(document.Kind);
  workspace.view.ScrollReset = true;
}

namespace {

// The document at `path` with all it names, or why it is refused, the
// reason in the detail.
StatusOr<LoadedDocument> ReadDocument(const std::filesystem::path& path,
                                      const std::filesystem::path& program_dir) {
  const StatusOr<std::string> file = ReadFileUpTo(path, map_document::kMaxFileBytes);
  if (file.status().code() == StatusCode::kTooLarge)
    return Status(StatusCode::kTooLarge, std::string(kFileTooLargeReason));
  if (!file.ok()) return Status(file.status().code(), "ファイルを開けません");
  StatusOr<MapDocument> parsed = ParseMapDocument(*file);
  if (!parsed.ok()) return parsed.status();
  LoadedDocument loaded{std::move(parsed).value(), {}, {}, nullptr};
  if (Status read = ReadBaseMapOf(path, program_dir, loaded); !read.ok()) return read;
  return loaded;
}

}  // namespace

MapDocument DocumentOf(const Workspace& workspace) {
  MapDocument document;
  document.Kind = DocumentKindOf(workspace.view.Kind);
  const auto shapes = workspace.decorations.Shapes();
  const auto texts = workspace.decorations.Texts();
  document.Shapes.assign(shapes.begin(), shapes.end());
  document.Texts.assign(texts.begin(), texts.end());
  document.LegendHeading = workspace.settings.LegendHeading;
  document.SourceText = workspace.settings.SourceText;
  document.SourceAtRight = workspace.settings.SourceAtRight != 0;
  if (!HasData(document.Kind)) {
    document.BaseMapFile = workspace.base_map.LoadedMapFile;
    return document;
  }
  document.DataTitle = workspace.data.DataTitle;
  document.BaseMapFile = workspace.area_list.CurrentBaseMapFile;
  const std::size_t value_count = std::min(
      static_cast<std::size_t>(workspace.area_list.AreaCount()), workspace.data.DataValues.size());
  document.Values.assign(
      workspace.data.DataValues.begin(),
      workspace.data.DataValues.begin() + static_cast<std::ptrdiff_t>(value_count));
  if (document.Kind == Kind::kPaintMap) document.Paint = PaintSettingsOf(workspace);
  document.Symbols = workspace.symbols;
  if (document.Kind == Kind::kPictureGraph)
    document.GlyphPictureFile = workspace.view.GlyphPictureFile;
  return document;
}

Status SaveMapDocument(const std::filesystem::path& path, const Workspace& workspace) {
  const MapDocument document = DocumentOf(workspace);
  std::string refusal = MapDocumentWriteRefusal(document);
  if (!refusal.empty()) return {StatusCode::kRefused, std::move(refusal)};
  return WriteFileAtomically(path, FormatMapDocument(document));
}

std::optional<LoadedDocument> ReadMapDocument(const std::filesystem::path& path,
                                              const std::filesystem::path& program_dir,
                                              Reporter& reporter) {
  StatusOr<LoadedDocument> read = ReadDocument(path, program_dir);
  if (!read.ok()) {
    ShowMessageWithReason(reporter, kMsgFileReadFailed, DisplayPath(path), read.status().detail());
    return std::nullopt;
  }
  LoadedDocument& loaded = *read;
  if (loaded.document.Kind == Kind::kPictureGraph) {
    loaded.picture = ReadGlyphPicture(loaded.document.GlyphPictureFile, program_dir, reporter);
  }
  return std::move(loaded);
}

bool LoadMapDocument(const std::filesystem::path& path, const std::filesystem::path& program_dir,
                     Workspace& workspace, Reporter& reporter) {
  auto loaded = ReadMapDocument(path, program_dir, reporter);
  if (!loaded) return false;
  ApplyMapDocument(std::move(*loaded), workspace);
  return true;
}

}  // namespace kartela
