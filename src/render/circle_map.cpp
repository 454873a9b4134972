#include "render/circle_map.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <limits>

#include "base/numbers.h"
#include "base/real48.h"
#include "model/messages.h"
#include "model/value_syntax.h"
#include "render/classification.h"
#include "render/legend.h"
#include "render/map_painter.h"

namespace kartela {
namespace {

constexpr int kFirstCircleColourBrush = 24;
constexpr std::uint32_t kLeftTopAlign = gdi::kAlignLeft | gdi::kAlignTop;
// Far beyond any picture; keeps an absurd ratio of values from overflowing
// the device coordinates.
constexpr long double kMaxRadius = 1 << 24;

const gdi::Brush& CircleColour(std::int16_t index) {
  return BrushAt(index >= 0 && index < kCircleColourCount ? kFirstCircleColourBrush + index
                                                          : kHollowBrush);
}

bool ValidColour(std::int16_t index) {
  return index >= 0 && index < kCircleColourCount;
}

// One circle per area, in area order, so that a later circle covers an
// earlier one. A value equal to the base value selects no brush: it keeps
// the previous circle's.
void DrawAreaCircles(const PaintContext& context) {
  const SymbolSettings& symbols = context.workspace.symbols;
  const long double base = symbols.BaseValue;
  ForEachAreaSymbol(context, [&](const AreaSymbol& symbol) {
    const double v = symbol.value;
    if (v - base > 0) context.dc.SelectBrush(CircleColour(symbols.PlusColour));
    if (v - base < 0) context.dc.SelectBrush(CircleColour(symbols.MinusColour));
    if (v == 0 || v == kMissingValue || symbol.anchor.x <= 0) return;
    const std::int32_t r = RoundedRadius(symbol.half_size);
    context.dc.Ellipse(SymbolBox(symbol.centre, r, r));
  });
}

// The reference circle with its top-left corner at the legend corner, and
// its value half a character right of it, centred on it.
void DrawReferenceCircle(const PaintContext& context) {
  const Workspace& ws = context.workspace;
  if (!LegendShown(ws.settings.LegendStyle)) return;
  const SymbolSettings& symbols = ws.symbols;
  gdi::DeviceContext& dc = context.dc;
  const gdi::Point corner = LegendAnchor(context.frame, ws.settings, ws.base_map.IndexPosition);
  const std::int32_t r =
      RoundedRadius(symbols.RefRadius * static_cast<long double>(context.frame.DrawResX) *
                    context.params.PaintScale);
  const double ref = SymbolValueOf(symbols.RefValueText);
  if (ref > 0) dc.SelectBrush(CircleColour(symbols.PlusColour));
  if (ref < 0) dc.SelectBrush(CircleColour(symbols.MinusColour));
  const gdi::Rect circle{corner.x, corner.y, corner.x + 2 * r, corner.y + 2 * r};
  dc.Ellipse(circle);
  context.NoteLegendPlace(circle);
  DrawReferenceLabel(context, gdi::Point{corner.x + 2 * r, corner.y + r});
}

// "=" then the text when it begins with a blank, otherwise "= " then the text.
std::string ReferenceLabel(const std::string& ref_value_text) {
  return (ref_value_text.starts_with(' ') ? "=" : "= ") + ref_value_text;
}

}  // namespace

gdi::Rect SymbolBox(gdi::Point centre, std::int32_t half_width, std::int32_t half_height) {
  const auto at = [](std::int64_t v) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(
        v, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
  };
  return gdi::Rect{
      at(std::int64_t{centre.x} - half_width), at(std::int64_t{centre.y} - half_height),
      at(std::int64_t{centre.x} + half_width), at(std::int64_t{centre.y} + half_height)};
}

void ForEachAreaSymbol(const PaintContext& context,
                       const std::function<void(const AreaSymbol&)>& draw) {
  const Workspace& ws = context.workspace;
  const SymbolSettings& symbols = ws.symbols;
  const long double base = symbols.BaseValue;
  const long double spread = SymbolValueOf(symbols.RefValueText) - base;
  if (spread == 0) return;  // every symbol would be infinite
  const long double scale = symbols.RefRadius * static_cast<long double>(context.frame.DrawResX) *
                            context.params.PaintScale;
  const std::vector<double>& values = ws.class_tables.NumericValues;
  const int count = std::min(
      {ws.area_list.AreaCount(), ws.base_map.MapAreaCount(), static_cast<int>(values.size())});
  for (int i = 0; i < count; ++i) {
    const double v = values[static_cast<std::size_t>(i)];
    const MapPoint anchor = ws.base_map.AreaAnchors[static_cast<std::size_t>(i)][0];
    draw(AreaSymbol{v, anchor, MapToDevice(context.frame, anchor),
                    scale * std::sqrt(std::fabs((v - base) / spread))});
  }
}

std::int32_t RoundedRadius(long double radius) {
  if (!(radius <= kMaxRadius)) radius = kMaxRadius;  // also catches NaN
  return static_cast<std::int32_t>(RoundHalfEven(std::max(radius, -kMaxRadius)));
}

void PrepareCircleDrawing(const PaintContext& context) {
  gdi::DeviceContext& dc = context.dc;
  dc.SetBackgroundMode(gdi::BackgroundMode::kTransparent);
  dc.SelectPen(context.Pen(kPenLegend));
  dc.SetBackgroundColor(context.BackgroundColor());
  dc.SetTextColor(context.TextColor());
}

void DrawReferenceLabel(const PaintContext& context, gdi::Point symbol_right) {
  if (context.no_text()) return;
  const LogFont font = ScaledFont(context.resources.fonts[kFontLegend], context.params.PaintScale);
  const std::int32_t f = font.Height / 2;
  context.dc.SelectFont(font);
  context.dc.SetTextAlign(kLeftTopAlign);
  context.dc.TextOut(gdi::Point{symbol_right.x - f, symbol_right.y + f},
                     ReferenceLabel(context.workspace.symbols.RefValueText));
}

SymbolDataStats ScanSymbolData(const DataSet& data, int area_count,
                               std::vector<double>& numeric_values) {
  SymbolDataStats stats;
  const int count = std::min({area_count, static_cast<int>(data.DataValues.size()),
                              static_cast<int>(numeric_values.size())});
  for (int i = 0; i < count; ++i) {
    const std::string& text = data.DataValues[static_cast<std::size_t>(i)];
    const double v = ConvertValueText(text);
    numeric_values[static_cast<std::size_t>(i)] = v;
    if (v == kMissingValue) continue;
    const double magnitude = std::fabs(v);
    stats.AbsMax = stats.Found ? std::max(stats.AbsMax, magnitude) : magnitude;
    stats.AbsMin = stats.Found ? std::min(stats.AbsMin, magnitude) : magnitude;
    stats.Found = true;
    ++stats.ValidCount;
    MeasureValueText(text, stats.IntWidth, stats.DecimalDigits);
  }
  stats.ValueWidth = static_cast<std::uint16_t>(stats.IntWidth + stats.DecimalDigits + 1);
  return stats;
}

std::string SuggestRefValue(double max, double min, int value_width, int decimal_digits) {
  const long double mid = (static_cast<long double>(max) + min) * 0.5L;
  long double ref = 0;
  if (mid > 0 && std::isfinite(mid)) {
    const auto e = static_cast<int>(TruncTowardZero(std::log10(mid)));
    const int d = max == min ? 0
                             : static_cast<int>(TruncTowardZero(
                                   std::log10(std::fabs(static_cast<long double>(max) - min))));
    const long double digits = std::pow(10.0L, e - d + 1);
    const long double magnitude = std::pow(10.0L, e);
    ref = std::trunc(mid / magnitude * digits) / digits * magnitude;
  }
  std::string text = FormatFixed(ref, value_width + 1, decimal_digits + 1);
  if (text.find('.') != std::string::npos && text.ends_with('0')) {
    text.pop_back();
    if (text.ends_with('.')) text.pop_back();
  }
  text.erase(0, text.find_first_not_of(' '));
  return text;
}

int CircleDataMessage(const SymbolDataStats& stats) {
  return !stats.Found || stats.AbsMax == 0 ? kMsgNoData : 0;
}

SymbolFields InitialSymbolFields(const SymbolSettings& settings, double max, double min,
                                 int value_width, int decimal_digits) {
  SymbolFields fields;
  fields.MaxText = FormatFixed(max, value_width, decimal_digits);
  fields.MinText = FormatFixed(min, value_width, decimal_digits);
  fields.Radius = std::to_string(settings.RefRadius);
  fields.RefValue = SuggestRefValue(max, min, value_width, decimal_digits);
  fields.BaseValue = FormatFixed(settings.BaseValue, value_width, decimal_digits);
  fields.BaseValue.erase(0, fields.BaseValue.find_first_not_of(' '));
  return fields;
}

CircleFields InitialCircleFields(const SymbolSettings& settings, const SymbolDataStats& stats) {
  CircleFields fields;
  static_cast<SymbolFields&>(fields) = InitialSymbolFields(settings, stats.AbsMax, stats.AbsMin,
                                                           stats.ValueWidth, stats.DecimalDigits);
  fields.PlusColour = settings.PlusColour;
  fields.MinusColour = settings.MinusColour;
  return fields;
}

double SymbolValueOf(std::string_view text) {
  const auto value = ParseDataValue(text);
  return value ? RoundToReal48(*value) : 0;
}

int ApplyCircleFields(const CircleFields& fields, SymbolSettings& settings) {
  const double ref = SymbolValueOf(fields.RefValue);
  const double base = SymbolValueOf(fields.BaseValue);
  if (ref == 0 || ref == base || fields.RefValue.size() > kMaxRefValueTextBytes ||
      !ValidColour(fields.PlusColour) || !ValidColour(fields.MinusColour)) {
    return kMsgBadSetting;
  }
  settings.RefRadius = ReadLeadingInt16(fields.Radius);
  settings.BaseValue = base;
  settings.RefValueText = fields.RefValue;
  settings.PlusColour = fields.PlusColour;
  settings.MinusColour = fields.MinusColour;
  return 0;
}

void StartCircleMap(Workspace& workspace) {
  workspace.view.Kind = MapKind::kCircleGraph;
  workspace.view.ScrollReset = true;
  ClearDecorations(workspace.decorations);
}

void DrawCircleMap(const PaintContext& context) {
  PaintParams outline_params = context.params;
  outline_params.PaintFlags |= kPaintOutlineOnly;
  PaintWhiteMap(PaintContext(context.workspace, context.resources, context.dc, outline_params));
  PrepareCircleDrawing(context);
  DrawAreaCircles(context);
  DrawTitle(context);
  DrawReferenceCircle(context);
  DrawAreaNames(context);
}

}  // namespace kartela
