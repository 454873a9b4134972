#include "render/legend.h"

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <span>

#include "base/numbers.h"
#include "base/real48.h"
#include "base/text_encoding.h"
#include "render/area_sizes.h"
#include "render/class_counts.h"
#include "render/map_furniture.h"

namespace kartela {
namespace {

// " ～" and " ~": the range separator for a double-byte face and for others.
constexpr std::string_view kWideSeparator = " \x81\x60";
constexpr std::string_view kNarrowSeparator = " ~";
constexpr std::uint32_t kCentreTopAlign = gdi::kAlignCenter | gdi::kAlignTop;
// The words of the legend options, in Shift-JIS.
constexpr std::string_view kFromWord = "\x88\xc8\x8f\xe3";   // 以上
constexpr std::string_view kBelowWord = "\x96\xa2\x96\x9e";  // 未満
constexpr std::string_view kAboveWord = "\x92\xb4";          // 超
constexpr std::string_view kUpToWord = "\x88\xc8\x89\xba";   // 以下
constexpr std::string_view kOpenCount = "\x81\x69";          // （
constexpr std::string_view kCloseCount = "\x81\x6a";         // ）
constexpr std::string_view kDigits = "0123456789";
// Space between a legend box and its texts.
constexpr std::int32_t kTextGap = 3;
// "(", "（" and the suffixes an abbreviated name loses, in the order tried.
constexpr std::string_view kOpenParen = "(";
constexpr std::string_view kWideOpenParen = "\x81\x69";
constexpr std::array<std::string_view, 6> kNameSuffixes = {
    "\x93\x73", "\x95\x7b", "\x8c\xa7", "\x8e\x73", "\x92\xac", "\x91\xba"};  // 都府県市町村

bool HasDoubleByte(std::string_view face) {
  return std::any_of(face.begin(), face.end(),
                     [](char c) { return static_cast<unsigned char>(c) >= 0x81; });
}

// Trimmed, with one leading space unless it begins with "-", so that positive
// and negative numbers line up; a normalised text stays as it is.
void NormaliseBreak(std::string& text) {
  TrimComment(text);
  if (text.empty() || (text.front() != ' ' && text.front() != '-')) text.insert(0, 1, ' ');
  text = SlotText(text);
}

// 1.0 times 0.1 `decimals` times, each product stored at 48 bits.
double OneUnit(int decimals) {
  double unit = 1.0;
  for (int i = 0; i < decimals && unit != 0; ++i)
    unit = RoundToReal48(unit * 0.1L);
  return unit;
}

std::string RowText(std::string_view text) {
  return std::string(sjis::CutToBytes(text, kLegendTextBytes));
}

// A boundary moved by one unit, at least as long as the boundary's text.
std::string AdjustedText(long double value, const ClassTables& tables, std::size_t length) {
  std::string text = FormatFixed(value, tables.ValueWidth, tables.DecimalDigits);
  if (text.size() < length) text.insert(0, length - text.size(), ' ');
  return RowText(text);
}

// Normalises the first `count` entries of `breaks`.
void NormaliseBreaks(BreakTexts& breaks, int count) {
  for (std::size_t e = 0; e < static_cast<std::size_t>(count); ++e)
    NormaliseBreak(breaks[e]);
}

// Writes boundary `b` (between classes b and b + 1), whose normalised text
// is `boundary`, into the rows.
void SetBoundary(LegendTexts& texts, const ClassTables& tables, const PaintClasses& classes, int b,
                 const std::string& boundary, std::int16_t legend_style) {
  const int k = texts.row_count;
  const bool descending = LegendDescending(legend_style);
  auto row_of = [&](int cls) -> LegendRow& {
    return texts.rows[static_cast<std::size_t>(descending ? k - 1 - cls : cls)];
  };
  row_of(b).upper = RowText(boundary);
  row_of(b + 1).lower = RowText(boundary);
  if (!LegendAdjusted(legend_style)) return;
  const long double value = classes.ClassThresholds[static_cast<std::size_t>(b + 1)];
  const long double unit = OneUnit(tables.DecimalDigits);
  if (tables.DivisionMethod == 2) {
    row_of(b + 1).lower = AdjustedText(value + unit, tables, boundary.size());
  } else {
    row_of(b).upper = AdjustedText(value - unit, tables, boundary.size());
  }
}

bool IsBlank(std::string_view text) {
  return text.find_first_not_of(' ') == std::string_view::npos;
}

// Each end that is not open gets the word saying on which side of it the
// class lies; the words replace the separator.
void AddBoundWords(LegendTexts& texts, int division_method, bool adjusted) {
  const BoundWords words = BoundWordsFor(division_method, adjusted);
  for (LegendRow& row : std::span(texts.rows).first(static_cast<std::size_t>(texts.row_count))) {
    if (!IsBlank(row.lower)) row.lower.append(words.lower);
    if (!IsBlank(row.upper)) row.upper.append(words.upper);
  }
  texts.separator = " ";
  texts.width_template.append(kFromWord);  // every word is at most this wide
}

void GroupThousands(LegendTexts& texts) {
  for (LegendRow& row : std::span(texts.rows).first(static_cast<std::size_t>(texts.row_count))) {
    row.lower = WithThousands(row.lower);
    row.upper = WithThousands(row.upper);
  }
  texts.width_template = WithThousands(texts.width_template);
}

// Box and row sizes from the legend font height at the paint's scale.
struct LegendGeometry {
  std::int32_t box_width = 0;
  std::int32_t box_height = 0;
  std::int32_t row_step = 0;
};

LegendGeometry GeometryOf(const LogFont& font, double scale) {
  const long double h = RoundToReal48(static_cast<long double>(font.Height) * scale);
  const std::int64_t rounded = RoundHalfEven(h);
  return LegendGeometry{static_cast<std::int32_t>(std::abs(2 * rounded)),
                        static_cast<std::int32_t>(std::abs(rounded)),
                        static_cast<std::int32_t>(std::abs(RoundHalfEven(1.2L * h)))};
}

void DrawBox(gdi::DeviceContext& dc, gdi::Point corner, const LegendGeometry& g) {
  const std::int32_t right = corner.x + g.box_width;
  const std::int32_t bottom = corner.y + g.box_height - 1;
  const std::array<gdi::Point, 5> box = {corner, gdi::Point{right, corner.y},
                                         gdi::Point{right, bottom}, gdi::Point{corner.x, bottom},
                                         corner};
  dc.Polygon(box);
}

// Both numbers right-aligned in columns as wide as the template.
void DrawRowTexts(const PaintContext& context, const LegendTexts& texts, const LegendRow& row,
                  gdi::Point at, TextMeasure& measure) {
  const std::int32_t tw = measure.Width(texts.width_template);
  const std::int32_t sw = measure.Width(texts.separator);
  const std::int32_t lw = measure.Width(row.lower);
  const std::int32_t uw = measure.Width(row.upper);
  gdi::DeviceContext& dc = context.dc;
  dc.TextOut(gdi::Point{at.x + tw - lw, at.y}, row.lower);
  dc.TextOut(gdi::Point{at.x + tw, at.y}, texts.separator);
  dc.TextOut(gdi::Point{at.x + tw + sw + tw - uw, at.y}, row.upper);
  if (!row.count.empty()) dc.TextOut(gdi::Point{at.x + tw + sw + tw, at.y}, row.count);
}

// How much wider than the plain legend the options made the texts.
std::int32_t Widening(const LegendTexts& texts, TextMeasure& measure) {
  if (texts.plain_template.empty()) return 0;
  const auto columns = [&](std::string_view width_template, std::string_view separator) {
    return 2 * measure.Width(width_template) + measure.Width(separator);
  };
  const std::int32_t ranges = columns(texts.width_template, texts.separator);
  std::int32_t widest = std::max(ranges, measure.Width(texts.missing));
  for (const LegendRow& row :
       std::span(texts.rows).first(static_cast<std::size_t>(texts.row_count)))
    widest = std::max(widest, ranges + measure.Width(row.count));
  return std::max(0, widest - columns(texts.plain_template, texts.plain_separator));
}

// The position of the first character `c` (one or two bytes) in `text`.
std::size_t FindCharacter(std::string_view text, std::string_view c) {
  for (std::size_t i = 0; i < text.size();) {
    if (text.substr(i, c.size()) == c) return i;
    const bool wide = sjis::IsLeadByte(static_cast<unsigned char>(text[i]));
    i += wide && i + 1 < text.size() ? 2 : 1;
  }
  return std::string_view::npos;
}

// True when the last character of `text` is the double-byte `c`.
bool EndsWithCharacter(std::string_view text, std::string_view c) {
  std::size_t last = 0;
  for (std::size_t i = 0; i < text.size();) {
    last = i;
    const bool wide = sjis::IsLeadByte(static_cast<unsigned char>(text[i]));
    i += wide && i + 1 < text.size() ? 2 : 1;
  }
  return text.size() >= c.size() && last == text.size() - c.size() && text.ends_with(c);
}

std::string_view CutAt(std::string_view text, std::string_view c) {
  return text.substr(0, FindCharacter(text, c));
}

// The box the title covers, centred on `anchor` with its top there.
gdi::Rect TitleBox(gdi::Point anchor, std::int32_t width, const LogFont& font) {
  const std::int32_t left = anchor.x - width / 2;
  return gdi::Rect{left, anchor.y, left + width, anchor.y + CellHeight(font)};
}

// The width of the legend's texts with the gap before them; 0 without texts.
std::int32_t LegendTextWidth(const PaintContext& context, const LegendTexts& texts,
                             TextMeasure& measure) {
  if (context.no_text()) return 0;
  const std::int32_t ranges =
      2 * measure.Width(texts.width_template) + measure.Width(texts.separator);
  std::int32_t text_width = measure.Width(texts.missing);
  for (const LegendRow& row :
       std::span(texts.rows).first(static_cast<std::size_t>(texts.row_count)))
    text_width = std::max(text_width, ranges + measure.Width(row.count));
  return text_width + kTextGap;
}

// The box the legend covers: from its heading, or the corner of its first
// box, to the end of its widest text and the bottom of its last row.
gdi::Rect LegendBox(const PaintContext& context, const LegendTexts& texts, TextMeasure& measure,
                    gdi::Point corner, const LegendGeometry& geometry, const LogFont& font) {
  const int rows = texts.row_count + (texts.missing.empty() ? 0 : 1);
  std::int32_t width = geometry.box_width + LegendTextWidth(context, texts, measure);
  const std::int32_t heading = LegendHeadingHeight(context, font);
  if (heading > 0) width = std::max(width, measure.Width(context.workspace.settings.LegendHeading));
  return gdi::Rect{corner.x, corner.y - heading, corner.x + width,
                   corner.y + rows * geometry.row_step};
}

bool AreaSkippedForData(const PaintContext& context, int area) {
  const Workspace& ws = context.workspace;
  const std::int16_t flags = ws.settings.AreaNameFlags;
  if ((flags & kNamesOnlyWithData) == 0) return false;
  if (ws.base_map.LoadedMapFile != ws.area_list.CurrentBaseMapFile) return false;
  const auto index = static_cast<std::size_t>(area - 1);
  return index >= ws.data.DataValues.size() || ws.data.DataValues[index].empty();
}

// The name area `area` is written with, or none when it gets no name.
std::optional<std::string> AreaNameText(const PaintContext& context, int area) {
  const BaseMap& map = context.workspace.base_map;
  const auto index = static_cast<std::size_t>(area - 1);
  if (index >= map.AreaAnchors.size() || AreaSkippedForData(context, area)) return std::nullopt;
  if (map.AreaAnchors[index][0].x == 0) return std::nullopt;
  const std::string& full_name = map.MapAreaNames[index];
  const bool abbreviated = (context.workspace.settings.AreaNameFlags & kNamesAbbreviated) != 0;
  return abbreviated ? AbbreviatedAreaName(full_name) : full_name;
}

// Calls `write(top_centre)` for each place of the area's name: the first
// anchor, or every anchor with enclaves.
template <typename Write>
void ForEachNamePlace(const PaintContext& context, int area, Write write) {
  const auto& anchors = context.workspace.base_map.AreaAnchors[static_cast<std::size_t>(area - 1)];
  // Centred on the anchor at scale 1: the unscaled (negative) height.
  const std::int32_t lift = context.resources.fonts[kFontAreaName].Height / 2;
  const bool every_anchor =
      (context.workspace.settings.AreaNameFlags & kNamesAtEveryAnchor) == kNamesAtEveryAnchor;
  for (std::size_t c = 0; c < anchors.size() && anchors[c].x != 0; ++c) {
    const gdi::Point p = MapToDevice(context.frame, anchors[c]);
    write(gdi::Point{p.x, p.y + lift});
    if (!every_anchor) break;
  }
}

void DrawAreaName(const PaintContext& context, int area) {
  const std::optional<std::string> name = AreaNameText(context, area);
  if (!name) return;
  ForEachNamePlace(context, area, [&](gdi::Point at) { context.dc.TextOut(at, *name); });
}

bool Overlap(const gdi::Rect& a, const gdi::Rect& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// A solid fill darker than middle grey; hatches and patterns are mostly
// white.
bool IsDarkFill(const gdi::Brush& brush) {
  if (brush.kind != gdi::BrushKind::kSolid) return false;
  const gdi::Color c = brush.color;
  return 299 * c.r + 587 * c.g + 114 * c.b < 128 * 1000;
}

constexpr gdi::Color kHaloColour{32, 32, 32};

// White over a dark halo: the name drawn dark around its place first.
void DrawHaloName(const PaintContext& context, gdi::Point at, std::string_view name) {
  gdi::DeviceContext& dc = context.dc;
  const auto step = static_cast<std::int32_t>(std::max<std::int64_t>(
      1, RoundHalfEven(static_cast<long double>(context.params.PaintScale))));
  dc.SetTextColor(kHaloColour);
  for (const std::int32_t dy : {-step, 0, step}) {
    for (const std::int32_t dx : {-step, 0, step}) {
      if (dx != 0 || dy != 0) dc.TextOut(gdi::Point{at.x + dx, at.y + dy}, name);
    }
  }
  dc.SetTextColor(gdi::kWhite);
  dc.TextOut(at, name);
  dc.SetTextColor(context.TextColor());
}

// Larger areas first; a name whose box would overlap a name already written
// is left out.
void DrawAreaNamesApart(const PaintContext& context, const LogFont& font, const AreaFill& fill) {
  const bool halo_allowed = !context.monochrome() && fill &&
                            (context.workspace.settings.AreaNameFlags & kNamesTransparent) != 0;
  TextMeasure measure(context, font);
  const std::int32_t height = CellHeight(font);
  std::vector<gdi::Rect> written;
  for (const int area : AreasLargestFirst(context.workspace.base_map)) {
    const std::optional<std::string> name = AreaNameText(context, area);
    if (!name) continue;
    const std::int32_t width = measure.Width(*name);
    const bool halo = halo_allowed && IsDarkFill(fill(area));
    ForEachNamePlace(context, area, [&](gdi::Point at) {
      const std::int32_t left = at.x - width / 2;
      const gdi::Rect box{left, at.y, left + width, at.y + height};
      if (std::any_of(written.begin(), written.end(),
                      [&box](const gdi::Rect& other) { return Overlap(box, other); }))
        return;
      written.push_back(box);
      if (halo) {
        DrawHaloName(context, at, *name);
      } else {
        context.dc.TextOut(at, *name);
      }
    });
  }
}

}  // namespace

bool LegendShown(std::int16_t legend_style) {
  const int display = legend_style % 4;
  return display == 1 || display == 2;
}

bool LegendDescending(std::int16_t legend_style) {
  return legend_style % 4 == 2;
}

bool LegendAdjusted(std::int16_t legend_style) {
  return legend_style >= 4;
}

void NormaliseClassBreaks(ClassTables& tables) {
  const PaintClasses classes = BuildClassThresholds(tables.ClassBreaks);
  tables.ClassBreaks.back().clear();
  NormaliseBreaks(tables.ClassBreaks, std::clamp(classes.EffectiveClassCount, 1, kMaxClassCount));
}

LegendTexts PrepareLegendTexts(const ClassTables& tables, const PaintClasses& classes,
                               std::int16_t legend_style, std::string_view legend_face) {
  LegendTexts texts;
  texts.row_count = std::clamp(classes.EffectiveClassCount, 1, kMaxClassCount);
  const auto k = static_cast<std::size_t>(texts.row_count);
  BreakTexts breaks = tables.ClassBreaks;
  NormaliseBreaks(breaks, texts.row_count);
  std::size_t longest = 1;
  for (std::size_t e = 0; e < k; ++e)
    longest = std::max(longest, breaks[e].size());
  const bool point = breaks[k - 1].find('.') != std::string::npos;
  texts.width_template = std::string(1, point ? '.' : ' ') + std::string(longest - 1, '9');
  for (int b = 0; b + 1 < texts.row_count; ++b)
    SetBoundary(texts, tables, classes, b, breaks[static_cast<std::size_t>(b)], legend_style);
  texts.separator = HasDoubleByte(legend_face) ? kWideSeparator : kNarrowSeparator;
  return texts;
}

void ApplyLegendOptions(LegendTexts& texts, const ClassTables& tables, const PaintClasses& classes,
                        std::int16_t legend_style, std::uint8_t options, int area_count) {
  if ((options & kLegendOptionMask) == 0) return;
  texts.plain_template = texts.width_template;
  texts.plain_separator = texts.separator;
  const bool thousands = (options & kLegendThousands) != 0;
  if (thousands) GroupThousands(texts);
  if ((options & kLegendBoundWords) != 0)
    AddBoundWords(texts, tables.DivisionMethod, LegendAdjusted(legend_style));
  const bool counted = (options & kLegendCounts) != 0;
  if (!counted && (options & kLegendMissingRow) == 0) return;
  const std::size_t areas =
      std::min(static_cast<std::size_t>(std::max(area_count, 0)), tables.NumericValues.size());
  const ClassCounts counts = CountAreasPerClass(std::span(tables.NumericValues).first(areas),
                                                classes, tables.DivisionMethod);
  const int k = texts.row_count;
  for (int cls = 0; counted && cls < k; ++cls) {
    const int row = LegendDescending(legend_style) ? k - 1 - cls : cls;
    texts.rows[static_cast<std::size_t>(row)].count =
        LegendCountText(counts.per_class[static_cast<std::size_t>(cls)], thousands);
  }
  if ((options & kLegendMissingRow) != 0 && counts.missing > 0) {
    texts.missing = std::string(kLegendMissingText);
    if (counted) texts.missing += LegendCountText(counts.missing, thousands);
  }
}

std::string WithThousands(std::string_view text) {
  const std::size_t first = text.find_first_of(kDigits);
  // Digits after a point are a fraction: nothing to group.
  if (first == std::string_view::npos || (first > 0 && text[first - 1] == '.'))
    return std::string(text);
  const std::size_t end = std::min(text.find_first_not_of(kDigits, first), text.size());
  std::string grouped(text.substr(0, first));
  for (std::size_t i = first; i < end; ++i) {
    grouped += text[i];
    if (const std::size_t left = end - i - 1; left > 0 && left % 3 == 0) grouped += ',';
  }
  grouped.append(text.substr(end));
  return grouped;
}

BoundWords BoundWordsFor(int division_method, bool adjusted) {
  const bool upper_included = division_method == 2;
  return BoundWords{upper_included && !adjusted ? kAboveWord : kFromWord,
                    upper_included || adjusted ? kUpToWord : kBelowWord};
}

std::string LegendCountText(int count, bool thousands) {
  const std::string digits = std::to_string(count);
  return std::string(kOpenCount) + (thousands ? WithThousands(digits) : digits) +
         std::string(kCloseCount);
}

void DrawTitle(const PaintContext& context) {
  if (context.no_text()) return;
  const Workspace& ws = context.workspace;
  gdi::DeviceContext& dc = context.dc;
  const LogFont font = ScaledFont(context.resources.fonts[kFontTitle], context.params.PaintScale);
  dc.SelectFont(font);
  dc.SetTextAlign(kCentreTopAlign);
  gdi::Point anchor = TitleAnchor(context.frame, ws.settings, ws.base_map.Resolution);
  TextMeasure measure(context, font);
  const gdi::Rect box = TitleBox(anchor, measure.Width(ws.data.DataTitle), font);
  const gdi::Point shift = ShiftInto(box, DrawingArea(context));
  anchor = Moved(anchor, shift);
  dc.TextOut(anchor, ws.data.DataTitle);
  dc.SetTextAlign(kAlignLeftTop);
  if (!ws.data.DataTitle.empty()) context.NoteTitlePlace(Moved(box, shift), shift);
}

void DrawLegend(const PaintContext& context, const LegendTexts& texts) {
  const Workspace& ws = context.workspace;
  const std::int16_t style = ws.settings.LegendStyle;
  if (!LegendShown(style)) return;
  gdi::DeviceContext& dc = context.dc;
  dc.SelectPen(context.Pen(kPenLegend));
  const LogFont font = ScaledFont(context.resources.fonts[kFontLegend], context.params.PaintScale);
  const LegendGeometry geometry =
      GeometryOf(context.resources.fonts[kFontLegend], context.params.PaintScale);
  if (!context.no_text()) dc.SelectFont(font);
  TextMeasure measure(context, font);
  gdi::Point corner = LegendAnchor(context.frame, ws.settings, ws.base_map.IndexPosition);
  // Wider texts grow leftwards to keep the right edge, but never off the
  // drawing: there the legend keeps its left edge and grows to the right.
  const std::optional<gdi::Rect> area = DrawingArea(context);
  const std::int32_t widening = Widening(texts, measure);
  if (!area || corner.x - widening >= area->left) corner.x -= widening;
  const gdi::Rect box = LegendBox(context, texts, measure, corner, geometry, font);
  const gdi::Point shift = ShiftInto(box, area);
  corner = Moved(corner, shift);
  DrawLegendHeading(context, gdi::Point{corner.x, box.top + shift.y});
  const int k = texts.row_count;
  for (int r = 0; r < k; ++r) {
    const int cls = LegendDescending(style) ? k - 1 - r : r;
    dc.SelectBrush(context.resources.ClassBrush(k, cls));
    DrawBox(dc, corner, geometry);
    if (!context.no_text()) {
      DrawRowTexts(context, texts, texts.rows[static_cast<std::size_t>(r)],
                   gdi::Point{corner.x + geometry.box_width + kTextGap, corner.y}, measure);
    }
    corner.y += geometry.row_step;
  }
  if (!texts.missing.empty()) {
    dc.SelectBrush(BrushAt(kHollowBrush));  // as the map leaves such areas
    DrawBox(dc, corner, geometry);
    if (!context.no_text())
      dc.TextOut(gdi::Point{corner.x + geometry.box_width + kTextGap, corner.y}, texts.missing);
  }
  context.NoteLegendPlace(Moved(box, shift), shift);
}

void DrawAreaNames(const PaintContext& context, const AreaFill& fill) {
  const std::int16_t flags = context.workspace.settings.AreaNameFlags;
  if ((flags & kNamesShown) == 0 || context.no_text()) return;
  gdi::DeviceContext& dc = context.dc;
  dc.SetTextColor(context.TextColor());
  dc.SetBackgroundColor(context.BackgroundColor());
  dc.SetBackgroundMode((flags & kNamesTransparent) != 0 ? gdi::BackgroundMode::kTransparent
                                                        : gdi::BackgroundMode::kOpaque);
  const LogFont font =
      ScaledFont(context.resources.fonts[kFontAreaName], context.params.PaintScale);
  dc.SelectFont(font);
  dc.SetTextAlign(kCentreTopAlign);
  if ((flags & kNamesApart) != 0) {
    DrawAreaNamesApart(context, font, fill);
    dc.SetTextAlign(kAlignLeftTop);
    return;
  }
  const int count = context.workspace.base_map.MapAreaCount();
  const bool backwards = (flags & kNamesBackwards) != 0;
  for (int i = 0; i < count; ++i)
    DrawAreaName(context, backwards ? count - i : i + 1);
  dc.SetTextAlign(kAlignLeftTop);
}

std::string AbbreviatedAreaName(std::string_view name) {
  std::string_view cut = CutAt(CutAt(name, kOpenParen), kWideOpenParen);
  for (const std::string_view suffix : kNameSuffixes) {
    if (EndsWithCharacter(cut, suffix)) {
      cut.remove_suffix(suffix.size());
      break;
    }
  }
  return std::string(cut);
}

bool ClassifyAsPaintMap(Workspace& workspace) {
  ClassTables& tables = workspace.class_tables;
  if (ComputeDataStatistics(workspace.data, workspace.area_list.AreaCount(),
                            workspace.settings.ClassCount, tables) != ValueSyntaxResult::kOk) {
    return false;
  }
  tables.ClassBreaks = tables.ProposedBreaks;
  NormaliseClassBreaks(tables);
  workspace.view.Kind = MapKind::kPaintMap;
  return true;
}

}  // namespace kartela
