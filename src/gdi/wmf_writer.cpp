#include "gdi/wmf_writer.h"

#include <uwmf.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <memory>
#include <vector>

#include "base/text_encoding.h"
#include "gdi/uemf_support.h"

namespace kartela::gdi {
namespace {

static_assert(std::endian::native == std::endian::little,
              "libUEMF builds records in host order; WMF is little-endian");

constexpr std::uint8_t kDefaultCharSet = 1;
constexpr std::uint8_t kShiftJisCharSet = 128;
// The placeable header's resolution: the bounding box is in 1/96 inch.
constexpr unsigned kUnitsPerInch = 96;

// WMF coordinates are 16-bit; the drawing code stays far inside.
std::int16_t Short(std::int64_t value) {
  return static_cast<std::int16_t>(std::clamp<std::int64_t>(
      value, std::numeric_limits<std::int16_t>::min(), std::numeric_limits<std::int16_t>::max()));
}

U_POINT16 ToPoint16(Point p) {
  return point16_set(Short(p.x), Short(p.y));
}

U_RECT16 ToRect16(const Rect& r) {
  return {Short(r.left), Short(r.top), Short(r.right), Short(r.bottom)};
}

std::vector<U_POINT16> ToPoints16(std::span<const Point> points) {
  std::vector<U_POINT16> out;
  out.reserve(points.size());
  for (const Point& p : points)
    out.push_back(ToPoint16(p));
  return out;
}

// The picture's size in inches: from its pixels at the reference
// resolution, or from the size given in 0.01 mm (2540 to the inch).
U_PAIRF InchesOf(const MetafileOptions& options) {
  if (options.frame) {
    return {static_cast<float>(options.frame->cx) / 2540.0F,
            static_cast<float>(options.frame->cy) / 2540.0F};
  }
  const auto inches = [&](std::int32_t pixels) {
    return static_cast<float>(pixels) / static_cast<float>(options.pixels_per_inch);
  };
  return {inches(options.picture.cx), inches(options.picture.cy)};
}

std::int64_t Units(float inches) {
  return std::llround(static_cast<double>(inches) * kUnitsPerInch);
}

// The logical extent of the picture, which the window covers.
WmfUnits WindowOf(const MetafileOptions& options) {
  if (options.map_mode == MapMode::kText) return {options.picture.cx, options.picture.cy};
  const auto window = [](std::int32_t picture, std::int32_t window, std::int32_t viewport) {
    if (viewport == 0) return static_cast<std::int64_t>(picture);
    return (static_cast<std::int64_t>(picture) * window + viewport / 2) / viewport;
  };
  const Size& w = options.window_extent;
  const Size& v = options.viewport_extent;
  return {window(options.picture.cx, w.cx, v.cx), window(options.picture.cy, w.cy, v.cy)};
}

// The points of a WMF poly record: its count is 16-bit, and libUEMF counts
// the record's 16-bit words in 16 bits as well, two per point, so that a
// longer run would be written with a size that cuts it.
constexpr std::size_t kMaxRecordPoints = std::numeric_limits<std::int16_t>::max();

// The spacing array of a WMF text: one entry per byte, a double-byte
// character's advance on its lead byte and 0 on its trail byte, so that a
// reader adding up the entries of a character (or taking them byte by byte)
// places every character where it was measured.
std::vector<std::int16_t> ByteAdvances(std::string_view text,
                                       const std::vector<std::int32_t>& advances) {
  std::vector<std::int16_t> dx;
  dx.reserve(text.size());
  std::size_t character = 0;
  for (std::size_t at = 0; at < text.size(); ++character) {
    const bool wide =
        sjis::IsLeadByte(static_cast<unsigned char>(text[at])) && at + 1 < text.size();
    dx.push_back(Short(character < advances.size() ? advances[character] : 0));
    if (wide) dx.push_back(0);
    at += wide ? 2 : 1;
  }
  return dx;
}

}  // namespace

WmfUnits WmfUnitsOf(const MetafileOptions& options) {
  const U_PAIRF inches = InchesOf(options);
  const WmfUnits window = WindowOf(options);
  return {std::max(Units(inches.x), window.across), std::max(Units(inches.y), window.down)};
}

std::uint8_t WmfCharSet(std::uint8_t char_set) {
  return char_set == kDefaultCharSet ? kShiftJisCharSet : char_set;
}

WmfWriter::WmfWriter(const MetafileOptions& options, DeviceContext* measurer)
    : MetafileWriter(measurer), options_(options) {
  WriteHeader();
  WriteMapping();
  WritePalette();
  SelectStartingObjects();
}

void WmfWriter::Append(char* record) {
  const std::unique_ptr<char, FreeDeleter> owned(record);
  if (failed()) return;
  if (!record) {
    Fail({StatusCode::kUnsupported,
          "WMF record at byte " + std::to_string(bytes_.size()) + " could not be made"});
    return;
  }
  const std::uint32_t size = U_wmr_size(reinterpret_cast<const U_METARECORD*>(record));
  bytes_.append(record, size);
  largest_record_ = std::max(largest_record_, size / 2);
}

void WmfWriter::WriteHeader() {
  const U_PAIRF size = InchesOf(options_);
  const WmfUnits box{Units(size.x), Units(size.y)};
  if (box.across > kWmfMaxUnits || box.down > kWmfMaxUnits) {
    Fail({StatusCode::kTooLarge, "WMF of " + std::to_string(box.across) + " x " +
                                     std::to_string(box.down) +
                                     " units: its bounding box holds at most 32767"});
    return;
  }
  U_PAIRF inches = size;
  const std::unique_ptr<char, FreeDeleter> header(U_WMRHEADER_set(&inches, kUnitsPerInch));
  if (!header) {
    Fail({StatusCode::kUnsupported, "WMF header could not be made"});
    return;
  }
  bytes_.append(header.get(), U_SIZE_WMRPLACEABLE + U_SIZE_WMRHEADER);
}

// The window covers the logical extent of the picture, so that logical
// units times viewport / window extent fill the bounding box.
void WmfWriter::WriteMapping() {
  const WmfUnits window = WindowOf(options_);
  // A larger window would be cut to 16 bits and stretch the picture.
  if (window.across > kWmfMaxUnits || window.down > kWmfMaxUnits) {
    Fail({StatusCode::kTooLarge, "WMF window of " + std::to_string(window.across) + " x " +
                                     std::to_string(window.down) + " units: at most 32767"});
    return;
  }
  Append(U_WMRSETMAPMODE_set(U_MM_ANISOTROPIC));
  Append(U_WMRSETWINDOWORG_set(point16_set(0, 0)));
  Append(U_WMRSETWINDOWEXT_set(point16_set(Short(window.across), Short(window.down))));
}

void WmfWriter::WritePalette() {
  if (options_.palette.empty()) return;
  std::vector<U_PLTNTRY> entries;
  for (const Color& color : options_.palette) {
    entries.push_back(U_PLTNTRY_set(ToColorRef(color)));
  }
  entries.resize(std::min<std::size_t>(entries.size(), 256));
  const std::unique_ptr<U_PALETTE, FreeDeleter> palette(
      U_PLTENTRY_set(0x0300, static_cast<std::uint16_t>(entries.size()), entries.data()));
  const std::uint32_t index = slots_.Take();
  Append(U_WMRCREATEPALETTE_set(palette.get()));
  Append(U_WMRSELECTPALETTE_set(static_cast<std::uint16_t>(index)));
  Append(U_WMRREALIZEPALETTE_set());
}

void WmfWriter::Replace(std::optional<std::uint32_t>* current, std::uint32_t index) {
  Append(U_WMRSELECTOBJECT_set(static_cast<std::uint16_t>(index)));
  if (*current) {
    Append(U_WMRDELETEOBJECT_set(static_cast<std::uint16_t>(**current)));
    slots_.Release(**current);
  }
  *current = index;
}

void WmfWriter::WritePen(const Pen& pen) {
  const std::uint32_t index = slots_.Take();
  Append(U_WMRCREATEPENINDIRECT_set(U_PEN_set(static_cast<std::uint16_t>(pen.style),
                                              static_cast<std::uint16_t>(Short(pen.width)),
                                              ToColorRef(pen.color))));
  Replace(&pen_, index);
}

void WmfWriter::WriteBrush(const Brush& brush) {
  const std::uint32_t index = slots_.Take();
  if (brush.kind == BrushKind::kPattern) {
    const PatternDib dib = MakePatternDib(brush);
    Append(U_WMRDIBCREATEPATTERNBRUSH_set(U_BS_DIBPATTERNPT, U_DIB_RGB_COLORS, dib.info.get(),
                                          dib.bits_size(), dib.bits.data(), nullptr));
  } else {
    const std::uint16_t style = brush.kind == BrushKind::kSolid   ? U_BS_SOLID
                                : brush.kind == BrushKind::kHatch ? U_BS_HATCHED
                                                                  : U_BS_NULL;
    Append(U_WMRCREATEBRUSHINDIRECT_set(
        U_WLOGBRUSH_set(style, ToColorRef(brush.color), static_cast<std::uint16_t>(brush.hatch))));
  }
  Replace(&brush_, index);
}

void WmfWriter::WriteFont(const LogFont& font) {
  const std::uint32_t index = slots_.Take();
  std::string face = font.FaceName;
  const std::unique_ptr<U_FONT, FreeDeleter> record(U_FONT_set(
      Short(font.Height), Short(font.Width), Short(font.Escapement), Short(font.Orientation),
      Short(font.Weight), font.Italic, font.Underline, font.StrikeOut, WmfCharSet(font.CharSet),
      font.OutPrecision, font.ClipPrecision, font.Quality, font.PitchAndFamily, face.data()));
  Append(U_WMRCREATEFONTINDIRECT_set(record.get()));
  Replace(&font_, index);
}

void WmfWriter::WriteTextColor(Color color) {
  Append(U_WMRSETTEXTCOLOR_set(ToColorRef(color)));
}

void WmfWriter::WriteBackgroundColor(Color color) {
  Append(U_WMRSETBKCOLOR_set(ToColorRef(color)));
}

void WmfWriter::WriteBackgroundMode(BackgroundMode mode) {
  Append(U_WMRSETBKMODE_set(static_cast<std::uint16_t>(mode)));
}

void WmfWriter::WriteTextAlign(std::uint32_t align) {
  Append(U_WMRSETTEXTALIGN_set(static_cast<std::uint16_t>(align)));
}

void WmfWriter::WriteFillMode(FillMode mode) {
  Append(U_WMRSETPOLYFILLMODE_set(static_cast<std::uint16_t>(mode)));
}

void WmfWriter::WriteRasterOp(RasterOp op) {
  Append(U_WMRSETROP2_set(static_cast<std::uint16_t>(op)));
}

void WmfWriter::MoveTo(Point p) {
  SyncState();
  Append(U_WMRMOVETO_set(ToPoint16(p)));
}

void WmfWriter::LineTo(Point p) {
  SyncState();
  Append(U_WMRLINETO_set(ToPoint16(p)));
}

// A longer line is drawn as several records, each starting where the last
// ended, which draws the same line.
void WmfWriter::Polyline(std::span<const Point> points) {
  SyncState();
  while (points.size() > kMaxRecordPoints) {
    const std::span<const Point> run = points.first(kMaxRecordPoints);
    Append(U_WMRPOLYLINE_set(kMaxRecordPoints, ToPoints16(run).data()));
    points = points.subspan(kMaxRecordPoints - 1);
  }
  Append(U_WMRPOLYLINE_set(static_cast<std::uint16_t>(points.size()), ToPoints16(points).data()));
}

// A polygon cannot be split without changing its fill: a longer one is
// refused rather than written cut short.
void WmfWriter::Polygon(std::span<const Point> points) {
  if (points.size() > kMaxRecordPoints) {
    Fail({StatusCode::kTooLarge, "WMF polygon of " + std::to_string(points.size()) +
                                     " points: a record holds at most 32767"});
    return;
  }
  SyncState();
  Append(U_WMRPOLYGON_set(static_cast<std::uint16_t>(points.size()), ToPoints16(points).data()));
}

void WmfWriter::Rectangle(const Rect& r) {
  SyncState();
  Append(U_WMRRECTANGLE_set(ToRect16(r)));
}

void WmfWriter::Ellipse(const Rect& r) {
  SyncState();
  Append(U_WMRELLIPSE_set(ToRect16(r)));
}

void WmfWriter::TextOut(Point p, std::string_view text) {
  if (text.empty()) return;  // draws nothing, as in the EMF
  if (text.size() > static_cast<std::size_t>(std::numeric_limits<std::int16_t>::max())) {
    Fail({StatusCode::kTooLarge,
          "WMF text of " + std::to_string(text.size()) + " bytes: a record holds at most 32767"});
    return;
  }
  SyncState();
  const std::string bytes(text);
  std::vector<std::int16_t> dx = ByteAdvances(text, CharacterAdvances(text));
  Append(U_WMREXTTEXTOUT_set(ToPoint16(p), static_cast<std::int16_t>(bytes.size()), 0, bytes.data(),
                             dx.data(), U_RECT16{}));
}

std::string WmfWriter::EndFile() {
  Append(U_WMREOF_set());
  U_WMRHEADER header{};
  char* at = bytes_.data() + U_SIZE_WMRPLACEABLE;
  std::memcpy(&header, at, U_SIZE_WMRHEADER);
  const auto words = static_cast<std::uint32_t>((bytes_.size() - U_SIZE_WMRPLACEABLE) / 2);
  header.Sizew[0] = static_cast<std::uint16_t>(words);
  header.Sizew[1] = static_cast<std::uint16_t>(words >> 16);
  header.nObjects = static_cast<std::uint16_t>(slots_.End());
  header.maxSize = largest_record_;
  std::memcpy(at, &header, U_SIZE_WMRHEADER);
  return std::move(bytes_);
}

}  // namespace kartela::gdi
