#include "gdi/svg_writer.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdlib>

#include "base/text_encoding.h"

namespace kartela::gdi {
namespace {

constexpr int kTile = 8;
// Where the IPA and Noto faces put the baseline and the bottom of the cell,
// in ems: their cells are one em high.
constexpr double kAscent = 0.88;
constexpr double kDescent = 0.12;
constexpr std::int32_t kDefaultEm = 12;

// Each element moves by half a pixel (see the header).
constexpr std::string_view kShift = " transform=\"translate(.5 .5)\"";

struct LayerNames {
  std::string_view id;
  std::string_view label;  // as Inkscape shows it
};

LayerNames NamesOf(Layer layer) {
  switch (layer) {
    case Layer::kBackground:
      return {"background", "背景画像"};
    case Layer::kAreas:
      return {"areas", "地域"};
    case Layer::kBoundaries:
      return {"boundaries", "境界線"};
    case Layer::kSymbols:
      return {"symbols", "記号"};
    case Layer::kNames:
      return {"names", "地域名"};
    case Layer::kLegend:
      return {"legend", "凡例"};
    case Layer::kTitle:
      return {"title", "タイトル"};
    case Layer::kDecorations:
      return {"decorations", "装飾"};
  }
  return {"layer", "レイヤー"};
}

void AppendInt(std::string& out, std::int64_t value) {
  std::array<char, 24> buffer{};
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
  out.append(buffer.data(), result.ptr);
}

void AppendColor(std::string& out, Color color) {
  constexpr char kHex[] = "0123456789abcdef";
  out += '#';
  for (const std::uint8_t channel : {color.r, color.g, color.b}) {
    out += kHex[channel >> 4];
    out += kHex[channel & 15];
  }
}

// UTF-8 text as XML character data or an attribute value; control
// characters XML cannot hold are left out.
void AppendEscaped(std::string& out, std::string_view text) {
  for (const char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      default:
        if (static_cast<unsigned char>(c) >= 0x20 || c == '\t' || c == '\n' || c == '\r') out += c;
    }
  }
}

std::string_view TrimBlanks(std::string_view text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// Whether a face (UTF-8) is a sans-serif one, by the words of its name.
bool IsGothicFace(std::string_view face) {
  std::string lower(face);
  std::transform(lower.begin(), lower.end(), lower.begin(), [](char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
  });
  constexpr std::string_view kWords[] = {"ゴシック", "角ゴ",      "メイリオ", "gothic", "sans",
                                         "arial",    "helvetica", "verdana",  "tahoma", "meiryo"};
  return std::any_of(std::begin(kWords), std::end(kWords),
                     [&](std::string_view word) { return lower.find(word) != std::string::npos; });
}

std::int32_t EmOf(const LogFont& font) {
  if (font.Height == 0) return kDefaultEm;
  return std::max<std::int32_t>(1, std::abs(font.Height));
}

// A text's width when nothing measures it: full-width characters an em wide,
// others half an em.
std::int64_t GuessedWidth(std::string_view text, std::int32_t em) {
  std::int64_t width = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const bool wide = sjis::IsLeadByte(static_cast<unsigned char>(text[i]));
    width += wide ? em : em / 2;
    if (wide) ++i;
  }
  return width;
}

void AppendReal(std::string& out, double value) {
  std::array<char, 32> buffer{};
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                    std::chars_format::fixed, 2);
  std::string_view text(buffer.data(), static_cast<std::size_t>(result.ptr - buffer.data()));
  // Without the zeros of the fraction: "12.50" as "12.5", "12.00" as "12".
  while (text.ends_with('0'))
    text.remove_suffix(1);
  if (text.ends_with('.')) text.remove_suffix(1);
  if (text == "-0") text = "0";
  out += text;
}

// The stroke attributes of `pen` in `color`.
void AppendStroke(std::string& out, const Pen& pen, Color color) {
  if (pen.style == PenStyle::kNull) {
    out += " stroke=\"none\"";
    return;
  }
  out += " stroke=\"";
  AppendColor(out, color);
  out += '"';
  // Widths below 2 are one pixel, as on the screen.
  const bool wide = pen.width >= 2;
  if (wide) {
    out += " stroke-width=\"";
    AppendInt(out, pen.width);
    out += '"';
  }
  if (pen.style == PenStyle::kDot) {
    // 3 pixels on and off for a thin pen, square dots for a wide one.
    out += " stroke-dasharray=\"";
    const std::int32_t dash = wide ? pen.width : 3;
    AppendInt(out, dash);
    out += ' ';
    AppendInt(out, dash);
    out += '"';
  } else if (wide) {
    out += " stroke-linecap=\"round\" stroke-linejoin=\"round\"";
  }
}

}  // namespace

SvgWriter::SvgWriter(Size size, Color background, DeviceContext* measurer)
    : size_(size), measurer_(measurer) {
  body_ += "<rect id=\"paper\" inkscape:label=\"地色\" width=\"";
  AppendInt(body_, size.cx);
  body_ += "\" height=\"";
  AppendInt(body_, size.cy);
  body_ += "\" fill=\"";
  AppendColor(body_, background);
  body_ += "\"/>\n";
}

void SvgWriter::AppendPoints(std::span<const Point> points) {
  char command = 'M';
  for (const Point p : points) {
    geometry_ += command;
    AppendInt(geometry_, p.x);
    geometry_ += ' ';
    AppendInt(geometry_, p.y);
    command = command == 'M' ? 'L' : ' ';
  }
}

void SvgWriter::OpenGroupTag(const std::string& tag) {
  const std::size_t start = body_.size();
  body_ += tag;
  groups_.push_back({start, body_.size()});
}

void SvgWriter::CloseGroup() {
  if (groups_.empty()) return;
  const OpenGroup group = groups_.back();
  groups_.pop_back();
  if (body_.size() == group.content) {
    body_.resize(group.start);
  } else {
    body_ += "</g>\n";
  }
}

void SvgWriter::EnsureGroup() {
  if (groups_.empty()) OpenGroupTag("<g" + std::string(kShift) + ">\n");
}

std::string SvgWriter::UniqueId(std::string_view base, std::string_view separator) {
  const int seen = ++used_ids_[std::string(base)];
  std::string id(base);
  if (seen > 1) {
    id += separator;
    AppendInt(id, seen);
  }
  return id;
}

void SvgWriter::BeginLayer(Layer layer) {
  while (!groups_.empty())
    CloseGroup();
  // A layer drawn again (the special lines over the legend) is "境界線 2".
  const LayerNames names = NamesOf(layer);
  std::string tag = "<g id=\"" + UniqueId(names.id) + "\" inkscape:groupmode=\"layer\"";
  tag += " inkscape:label=\"" + UniqueId(names.label, " ") + '"';
  tag += kShift;
  tag += ">\n";
  OpenGroupTag(tag);
}

void SvgWriter::EndLayer() {
  while (!groups_.empty())
    CloseGroup();
}

void SvgWriter::BeginArea(int number, std::string_view name, std::string_view value) {
  EnsureGroup();
  std::string title;
  AppendEscaped(title, sjis::ToUtf8Lossy(name));
  if (const std::string_view shown = TrimBlanks(value); !shown.empty()) {
    title += ' ';
    AppendEscaped(title, sjis::ToUtf8Lossy(shown));
  }
  // The label names the group in Inkscape's objects panel, the title in a
  // browser's tooltip.
  OpenGroupTag("<g id=\"" + UniqueId("area-" + std::to_string(number)) + "\" inkscape:label=\"" +
               title + "\"><title>" + title + "</title>\n");
}

void SvgWriter::EndArea() {
  // The layer's (or the plain) group stays open.
  if (groups_.size() > 1) CloseGroup();
}

std::string SvgWriter::PatternId(const PatternRows& rows, Color ink, const Color* paper) {
  std::string key(rows.begin(), rows.end());
  for (const Color c : {ink, paper != nullptr ? *paper : Color{}})
    key.append({static_cast<char>(c.r), static_cast<char>(c.g), static_cast<char>(c.b)});
  key += paper != nullptr ? 'o' : 't';
  const auto found = std::find(pattern_keys_.begin(), pattern_keys_.end(), key);
  std::string id = "pattern-" + std::to_string(found - pattern_keys_.begin() + 1);
  if (found != pattern_keys_.end()) return id;
  pattern_keys_.push_back(key);
  defs_ += "<pattern id=\"" + id +
           "\" width=\"8\" height=\"8\" x=\"-.5\" y=\"-.5\" patternUnits=\"userSpaceOnUse\""
           " shape-rendering=\"crispEdges\">\n";
  if (paper != nullptr) {
    defs_ += "<rect width=\"8\" height=\"8\" fill=\"";
    AppendColor(defs_, *paper);
    defs_ += "\"/>\n";
  }
  // One rectangle per run of ink in a row; bit 7 is the leftmost pixel.
  defs_ += "<path fill=\"";
  AppendColor(defs_, ink);
  defs_ += "\" d=\"";
  for (int y = 0; y < kTile; ++y) {
    const auto bits = rows[static_cast<std::size_t>(y)];
    for (int x = 0; x < kTile;) {
      if (((bits >> (kTile - 1 - x)) & 1) == 0) {
        ++x;
        continue;
      }
      int end = x;
      while (end < kTile && ((bits >> (kTile - 1 - end)) & 1) != 0)
        ++end;
      defs_ += 'M';
      AppendInt(defs_, x);
      defs_ += ' ';
      AppendInt(defs_, y);
      defs_ += 'h';
      AppendInt(defs_, end - x);
      defs_ += "v1h-";
      AppendInt(defs_, end - x);
      defs_ += 'z';
      x = end;
    }
  }
  defs_ += "\"/>\n</pattern>\n";
  return id;
}

void SvgWriter::AppendFill() {
  const Brush& brush = state_.brush;
  std::string url;
  switch (brush.kind) {
    case BrushKind::kSolid:
      geometry_ += " fill=\"";
      AppendColor(geometry_, brush.color);
      geometry_ += '"';
      break;
    case BrushKind::kHatch: {
      // The gaps take the background colour in opaque mode only.
      const bool opaque = state_.background_mode == BackgroundMode::kOpaque;
      url = PatternId(HatchRows(brush.hatch), brush.color,
                      opaque ? &state_.background_color : nullptr);
      break;
    }
    case BrushKind::kPattern:
      url = PatternId(brush.pattern, brush.color, &kWhite);
      break;
    case BrushKind::kHollow:
      geometry_ += " fill=\"none\"";
      break;
  }
  if (!url.empty()) geometry_ += " fill=\"url(#" + url + ")\"";
  if (state_.fill_mode == FillMode::kAlternate && brush.kind != BrushKind::kHollow)
    geometry_ += " fill-rule=\"evenodd\"";
}

void SvgWriter::WriteShape(bool filled) {
  EnsureGroup();
  const Pen& pen = state_.pen;
  // The gaps of a dotted pen take the background colour in opaque mode.
  if (pen.style == PenStyle::kDot && state_.background_mode == BackgroundMode::kOpaque) {
    body_ += geometry_;
    body_ += " fill=\"none\"";
    AppendStroke(body_, Pen{PenStyle::kSolid, pen.width, pen.color}, state_.background_color);
    body_ += "/>\n";
  }
  const std::size_t shape_end = geometry_.size();
  if (filled) {
    AppendFill();
  } else {
    geometry_ += " fill=\"none\"";
  }
  AppendStroke(geometry_, pen, pen.color);
  geometry_ += "/>\n";
  body_ += geometry_;
  geometry_.resize(shape_end);
}

void SvgWriter::LineTo(Point p) {
  const Point line[] = {state_.position, p};
  state_.position = p;
  geometry_ = "<path d=\"";
  AppendPoints(line);
  geometry_ += '"';
  WriteShape(false);
}

void SvgWriter::Polyline(std::span<const Point> points) {
  if (points.size() < 2) return;
  geometry_ = "<path d=\"";
  AppendPoints(points);
  geometry_ += '"';
  WriteShape(false);
}

void SvgWriter::Polygon(std::span<const Point> points) {
  if (points.size() < 2) return;
  geometry_ = "<path d=\"";
  AppendPoints(points);
  geometry_ += "z\"";
  WriteShape(true);
}

void SvgWriter::Rectangle(const Rect& r) {
  const std::int32_t left = std::min(r.left, r.right);
  const std::int32_t top = std::min(r.top, r.bottom);
  const std::int32_t right = std::max(r.left, r.right);
  const std::int32_t bottom = std::max(r.top, r.bottom);
  if (left == right || top == bottom) return;
  // The frame runs through the last pixels inside the box; without a pen
  // the fill stops a pixel short of the box, as in GDI.
  const double inset = state_.pen.style == PenStyle::kNull ? -0.5 : 0.0;
  geometry_ = "<path d=\"M";
  AppendReal(geometry_, left + inset);
  geometry_ += ' ';
  AppendReal(geometry_, top + inset);
  geometry_ += 'H';
  AppendReal(geometry_, right - 1 + inset);
  geometry_ += 'V';
  AppendReal(geometry_, bottom - 1 + inset);
  geometry_ += 'H';
  AppendReal(geometry_, left + inset);
  geometry_ += "z\"";
  WriteShape(true);
}

void SvgWriter::Ellipse(const Rect& r) {
  const std::int32_t left = std::min(r.left, r.right);
  const std::int32_t top = std::min(r.top, r.bottom);
  const double width = std::abs(std::int64_t{r.right} - r.left) - 1;
  const double height = std::abs(std::int64_t{r.bottom} - r.top) - 1;
  if (width < 0 || height < 0) return;
  geometry_ = "<ellipse cx=\"";
  AppendReal(geometry_, left + width / 2);
  geometry_ += "\" cy=\"";
  AppendReal(geometry_, top + height / 2);
  geometry_ += "\" rx=\"";
  AppendReal(geometry_, width / 2);
  geometry_ += "\" ry=\"";
  AppendReal(geometry_, height / 2);
  geometry_ += '"';
  WriteShape(true);
}

std::optional<Size> SvgWriter::TextExtent(std::string_view text) {
  if (measurer_ == nullptr) return std::nullopt;
  measurer_->SelectFont(state_.font);
  return measurer_->TextExtent(text);
}

const std::string& SvgWriter::FontFamilies() {
  // A view of the record's own string: substr of the string itself would
  // view a temporary.
  const std::string_view face =
      std::string_view(state_.font.FaceName).substr(0, state_.font.FaceName.find('\0'));
  if (!families_.empty() && face == family_face_) return families_;
  family_face_ = face;
  std::string name = sjis::ToUtf8Lossy(face.empty() ? kDefaultFaceName : face);
  // Quotes and backslashes would end the name in the list.
  std::erase_if(name, [](char c) { return c == '\'' || c == '"' || c == '\\'; });
  families_.clear();
  if (!name.empty()) {
    families_ += '\'';
    AppendEscaped(families_, name);
    families_ += "', ";
  }
  families_ += IsGothicFace(name) ? "'IPAPGothic', 'IPAexGothic', 'Noto Sans CJK JP', "
                                    "'IPAGothic', sans-serif"
                                  : "'IPAPMincho', 'IPAexMincho', 'Noto Serif CJK JP', "
                                    "'IPAMincho', serif";
  return families_;
}

void SvgWriter::WriteTextCell(double left, double top, std::int64_t width, std::int32_t em) {
  body_ += "<rect x=\"";
  AppendReal(body_, left - 0.5);
  body_ += "\" y=\"";
  AppendReal(body_, top - 0.5);
  body_ += "\" width=\"";
  AppendInt(body_, width);
  body_ += "\" height=\"";
  AppendInt(body_, em);
  body_ += "\" fill=\"";
  AppendColor(body_, state_.background_color);
  body_ += "\"/>\n";
}

void SvgWriter::AppendFontAttributes(std::int32_t em) {
  const LogFont& font = state_.font;
  body_ += " font-family=\"" + FontFamilies() + "\" font-size=\"";
  AppendInt(body_, em);
  body_ += '"';
  if (font.Weight >= 600) body_ += " font-weight=\"bold\"";
  if (font.Italic != 0) body_ += " font-style=\"italic\"";
  if (font.Underline != 0 || font.StrikeOut != 0) {
    body_ += " text-decoration=\"";
    body_ += font.Underline != 0 ? "underline" : "";
    body_ += font.Underline != 0 && font.StrikeOut != 0 ? " " : "";
    body_ += font.StrikeOut != 0 ? "line-through" : "";
    body_ += '"';
  }
}

void SvgWriter::TextOut(Point p, std::string_view text) {
  if (text.empty()) return;
  EnsureGroup();
  const std::int32_t em = EmOf(state_.font);
  const std::optional<Size> measured = TextExtent(text);
  const std::int64_t width = measured ? measured->cx : GuessedWidth(text, em);
  const std::uint32_t horizontal = state_.text_align & kAlignCenter;
  const std::uint32_t vertical = state_.text_align & kAlignBaseline;
  const double left = horizontal == kAlignCenter  ? p.x - width / 2.0
                      : horizontal == kAlignRight ? static_cast<double>(p.x - width)
                                                  : p.x;
  const double baseline = vertical == kAlignBaseline ? p.y
                          : vertical == kAlignBottom ? p.y - kDescent * em
                                                     : p.y + kAscent * em;
  // Escapement is in tenths of a degree, counter-clockwise.
  const bool turned = state_.font.Escapement != 0;
  if (turned) {
    body_ += "<g transform=\"rotate(";
    AppendReal(body_, -state_.font.Escapement / 10.0);
    body_ += ' ';
    AppendInt(body_, p.x);
    body_ += ' ';
    AppendInt(body_, p.y);
    body_ += ")\">\n";
  }
  if (state_.background_mode == BackgroundMode::kOpaque)
    WriteTextCell(left, baseline - kAscent * em, width, em);
  body_ += "<text xml:space=\"preserve\" x=\"";
  if (measured) {
    // Placed and stretched to the screen's width, whatever face the reader
    // finds.
    AppendReal(body_, left);
    if (width > 0) {
      body_ += "\" textLength=\"";
      AppendInt(body_, width);
    }
  } else {
    // Aligned by the reader, which alone knows the width.
    AppendInt(body_, p.x);
    body_ += horizontal == kAlignCenter  ? "\" text-anchor=\"middle"
             : horizontal == kAlignRight ? "\" text-anchor=\"end"
                                         : "";
  }
  body_ += "\" y=\"";
  AppendReal(body_, baseline);
  body_ += '"';
  AppendFontAttributes(em);
  body_ += " fill=\"";
  AppendColor(body_, state_.text_color);
  body_ += "\">";
  AppendEscaped(body_, sjis::ToUtf8Lossy(text));
  body_ += "</text>\n";
  if (turned) body_ += "</g>\n";
}

std::string SvgWriter::Finish() {
  EndLayer();
  std::string document =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<svg xmlns=\"http://www.w3.org/2000/svg\""
      " xmlns:inkscape=\"http://www.inkscape.org/namespaces/inkscape\" version=\"1.1\" width=\"";
  AppendInt(document, size_.cx);
  document += "\" height=\"";
  AppendInt(document, size_.cy);
  document += "\" viewBox=\"0 0 ";
  AppendInt(document, size_.cx);
  document += ' ';
  AppendInt(document, size_.cy);
  document += "\">\n";
  if (!defs_.empty()) document += "<defs>\n" + defs_ + "</defs>\n";
  document += body_;
  document += "</svg>\n";
  return document;
}

}  // namespace kartela::gdi
