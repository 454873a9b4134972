#include "render/picture_graph.h"

#include <algorithm>
#include <cmath>
#include <variant>

#include "base/numbers.h"
#include "base/text_encoding.h"
#include "model/messages.h"
#include "render/circle_map.h"
#include "render/legend.h"
#include "render/map_furniture.h"
#include "render/map_painter.h"
#include "render/metafile_picture.h"

namespace kartela {
namespace {

// The picture's half width for half height `half_height`, keeping the
// picture's proportions.
std::int32_t HalfWidth(const gdi::MetafileInfo& info, long double half_height) {
  return RoundedRadius(info.size.cx * half_height / info.size.cy);
}

// One copy per area with a positive value, in area order.
void DrawAreaPictures(const PaintContext& context, const MetafilePicture& picture) {
  ForEachAreaSymbol(context, [&](const AreaSymbol& symbol) {
    if (!(symbol.value > 0) || symbol.value == kMissingValue || symbol.anchor.x < 1) return;
    picture.PlayInto(context.dc,
                     SymbolBox(symbol.centre, HalfWidth(picture.info(), symbol.half_size),
                               RoundedRadius(symbol.half_size)));
  });
}

// The reference picture with its top-left corner at the legend corner, and
// its value beside it.
void DrawReferencePicture(const PaintContext& context, const MetafilePicture& picture) {
  const Workspace& ws = context.workspace;
  if (!LegendShown(ws.settings.LegendStyle)) return;
  const gdi::Point corner = LegendAnchor(context.frame, ws.settings, ws.base_map.IndexPosition);
  const long double half_height = ws.symbols.RefRadius *
                                  static_cast<long double>(context.frame.DrawResX) *
                                  context.params.PaintScale;
  const std::int32_t h = RoundedRadius(half_height);
  const std::int32_t w = HalfWidth(picture.info(), half_height);
  const gdi::Rect at_corner = SymbolBox(gdi::Point{corner.x + w, corner.y + h}, w, h);
  const gdi::Rect box = Moved(
      at_corner, PlaceReferenceSymbol(context, at_corner, ReferenceLabel(ws.symbols.RefValueText)));
  picture.PlayInto(context.dc, box);
  PrepareCircleDrawing(context);  // the picture may have left its own colours
  DrawReferenceLabel(context, gdi::Point{box.right, box.top + h});
}

}  // namespace

int PictureDataMessage(ValueSyntaxResult result, const ClassTables& tables) {
  switch (result) {
    case ValueSyntaxResult::kExponentNotation:
      return kMsgExponentData;
    case ValueSyntaxResult::kNoData:
      return kMsgNoData;
    case ValueSyntaxResult::kOk:
    case ValueSyntaxResult::kTooFewData:
      break;
  }
  if (tables.DataMin < 0) return kMsgNegativeData;
  if (tables.DataMax == 0) return kMsgNoData;
  return 0;
}

PictureFields InitialPictureFields(const SymbolSettings& settings, const ClassTables& tables) {
  return InitialSymbolFields(settings, tables.DataMax, tables.DataMin, tables.ValueWidth,
                             tables.DecimalDigits);
}

int ApplyPictureFields(const PictureFields& fields, SymbolSettings& settings) {
  const double ref = SymbolValueOf(fields.RefValue);
  if (ref == 0 || fields.RefValue.size() > kMaxRefValueTextBytes) return kMsgBadSetting;
  settings.RefRadius = ReadLeadingInt16(fields.Radius);
  settings.BaseValue = SymbolValueOf(fields.BaseValue);
  if (settings.BaseValue == ref) return kMsgBadSetting;
  settings.RefValueText = fields.RefValue;
  return 0;
}

void StartPictureGraph(Workspace& workspace, std::string file_name,
                       std::shared_ptr<const MetafilePicture> picture) {
  MapView& view = workspace.view;
  view.GlyphPictureFile = std::move(file_name);
  view.GlyphPicture = std::move(picture);
  view.Kind = MapKind::kPictureGraph;
  view.ScrollReset = true;
  ClearDecorations(workspace.decorations);
}

std::optional<std::string> RefreshGlyphPicture(MapView& view,
                                               const std::filesystem::path& program_dir) {
  if (view.Kind != MapKind::kPictureGraph || view.GlyphPictureFile.empty()) return std::nullopt;
  const std::filesystem::path path =
      program_dir / std::filesystem::path(sjis::ToUtf8Lossy(view.GlyphPictureFile));
  auto read = MetafilePicture::Read(path);
  if (read.ok()) {
    view.GlyphPicture = std::move(read).value();
    view.GlyphPictureGone = false;
    return std::nullopt;
  }
  view.GlyphPicture.reset();
  if (view.GlyphPictureGone) return std::nullopt;
  view.GlyphPictureGone = true;
  return sjis::ToUtf8Lossy(view.GlyphPictureFile);
}

void DrawPictureGraph(const PaintContext& context) {
  const MapView& view = context.workspace.view;
  if (view.GlyphPictureFile.empty() || !view.GlyphPicture) return;
  const MetafilePicture& picture = *view.GlyphPicture;
  PaintParams outline_params = context.params;
  outline_params.PaintFlags |= kPaintOutlineOnly;
  PaintWhiteMap(PaintContext(context.workspace, context.resources, context.dc, outline_params));
  PrepareCircleDrawing(context);
  gdi::DeviceContext& dc = context.dc;
  InLayer(dc, gdi::Layer::kSymbols, [&] { DrawAreaPictures(context, picture); });
  PrepareCircleDrawing(context);
  InLayer(dc, gdi::Layer::kTitle, [&] { DrawTitle(context); });
  InLayer(dc, gdi::Layer::kLegend, [&] { DrawReferencePicture(context, picture); });
  InLayer(dc, gdi::Layer::kNames, [&] { DrawAreaNames(context); });
}

}  // namespace kartela
