#include "gdi/emf_writer.h"

#include <algorithm>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <memory>
#include <numeric>
#include <vector>

#include "base/text_encoding.h"
#include "gdi/uemf_support.h"

namespace kartela::gdi {
namespace {

static_assert(std::endian::native == std::endian::little,
              "libUEMF builds records in host order; EMF is little-endian");

// The reference device: 254 mm square at the screen's resolution, so that
// millimetres and pixels convert exactly.
constexpr std::int32_t kReferenceMillimetres = 254;

// Empty bounds: "not given".
constexpr U_RECTL kNoBounds{0, 0, -1, -1};

// ExtTextOut options: neither opaque nor clipped, rectangle present.
constexpr std::uint32_t kNoTextOptions = 0;

U_POINTL ToPointL(Point p) {
  return point32_set(p.x, p.y);
}

U_RECTL ToRectL(const Rect& r) {
  return {r.left, r.top, r.right, r.bottom};
}

U_RECTL BoundsOf(std::span<const Point> points) {
  if (points.empty()) return kNoBounds;
  U_RECTL bounds{points[0].x, points[0].y, points[0].x, points[0].y};
  for (const Point& p : points) {
    bounds.left = std::min(bounds.left, p.x);
    bounds.top = std::min(bounds.top, p.y);
    bounds.right = std::max(bounds.right, p.x);
    bounds.bottom = std::max(bounds.bottom, p.y);
  }
  return bounds;
}

bool FitsInShort(std::span<const Point> points) {
  constexpr std::int32_t kMin = std::numeric_limits<std::int16_t>::min();
  constexpr std::int32_t kMax = std::numeric_limits<std::int16_t>::max();
  return std::all_of(points.begin(), points.end(), [](const Point& p) {
    return p.x >= kMin && p.x <= kMax && p.y >= kMin && p.y <= kMax;
  });
}

std::vector<U_POINT16> ToPoints16(std::span<const Point> points) {
  std::vector<U_POINT16> out;
  out.reserve(points.size());
  for (const Point& p : points) {
    out.push_back(point16_set(static_cast<std::int16_t>(p.x), static_cast<std::int16_t>(p.y)));
  }
  return out;
}

std::vector<U_POINTL> ToPointsL(std::span<const Point> points) {
  std::vector<U_POINTL> out;
  out.reserve(points.size());
  for (const Point& p : points)
    out.push_back(ToPointL(p));
  return out;
}

// Polygons and polylines in the short form when every point fits.
template <typename Short, typename Long>
char* PolyRecord(std::span<const Point> points, Short make_short, Long make_long) {
  const auto count = static_cast<std::uint32_t>(points.size());
  if (FitsInShort(points)) return make_short(BoundsOf(points), count, ToPoints16(points).data());
  return make_long(BoundsOf(points), count, ToPointsL(points).data());
}

// The picture's frame in 0.01 mm, inclusive.
U_RECTL FrameOf(const MetafileOptions& options) {
  if (options.frame) return {0, 0, options.frame->cx - 1, options.frame->cy - 1};
  const auto hundredths = [&](std::int32_t pixels) {
    const std::int64_t scaled = static_cast<std::int64_t>(pixels) * 2540;
    return static_cast<std::int32_t>((scaled + options.pixels_per_inch / 2) /
                                     options.pixels_per_inch) -
           1;
  };
  return {0, 0, hundredths(options.picture.cx), hundredths(options.picture.cy)};
}

// The reference device's size in pixels and in millimetres: players take
// its millimetres per pixel to place the frame on the picture's pixels.
struct ReferenceDevice {
  U_SIZEL pixels;
  U_SIZEL millimetres;
};

// Per axis, `pixels` covering `hundredths` of a millimetre, in small whole
// numbers of at least kReferenceMillimetres millimetres.
void ScaleAxis(std::int32_t pixels, std::int32_t hundredths, std::int32_t& device,
               std::int32_t& millimetres) {
  const std::int64_t device_units = 100LL * std::max(pixels, 1);
  const std::int64_t common =
      std::gcd(device_units, static_cast<std::int64_t>(std::max(hundredths, 1)));
  const std::int64_t mm = std::max(hundredths, 1) / common;
  const std::int64_t times = (kReferenceMillimetres + mm - 1) / mm;
  device = static_cast<std::int32_t>(device_units / common * times);
  millimetres = static_cast<std::int32_t>(mm * times);
}

ReferenceDevice ReferenceDeviceOf(const MetafileOptions& options) {
  if (!options.frame) {
    const std::int32_t device = kReferenceMillimetres * options.pixels_per_inch * 10 / 254;
    return {sizel_set(device, device), sizel_set(kReferenceMillimetres, kReferenceMillimetres)};
  }
  ReferenceDevice reference{};
  ScaleAxis(options.picture.cx, options.frame->cx, reference.pixels.cx, reference.millimetres.cx);
  ScaleAxis(options.picture.cy, options.frame->cy, reference.pixels.cy, reference.millimetres.cy);
  return reference;
}

U_LOGFONT ToLogFont(const LogFont& font) {
  std::u16string face = sjis::ToUtf16Lossy(font.FaceName);
  face.resize(std::min<std::size_t>(face.size(), U_LF_FACESIZE - 1));
  std::vector<std::uint16_t> face_units(face.begin(), face.end());
  face_units.push_back(0);
  return logfont_set(font.Height, font.Width, font.Escapement, font.Orientation, font.Weight,
                     font.Italic, font.Underline, font.StrikeOut, font.CharSet, font.OutPrecision,
                     font.ClipPrecision, font.Quality, font.PitchAndFamily, face_units.data());
}

}  // namespace

EmfWriter::EmfWriter(const MetafileOptions& options, DeviceContext* measurer)
    : MetafileWriter(measurer), options_(options) {
  WriteHeader();
  WriteMapping();
  WritePalette();
  SelectStartingObjects();
}

void EmfWriter::Append(char* record) {
  const std::unique_ptr<char, FreeDeleter> owned(record);
  if (failed()) return;
  if (!record) {
    Fail({StatusCode::kUnsupported,
          "EMF record " + std::to_string(records_ + 1) + " could not be made"});
    return;
  }
  U_EMR emr;
  std::memcpy(&emr, record, sizeof emr);
  bytes_.append(record, emr.nSize);
  ++records_;
}

void EmfWriter::WriteHeader() {
  const ReferenceDevice reference = ReferenceDeviceOf(options_);
  const U_RECTL bounds{0, 0, options_.picture.cx - 1, options_.picture.cy - 1};
  Append(U_EMRHEADER_set(bounds, FrameOf(options_), nullptr, 0, nullptr, reference.pixels,
                         reference.millimetres, 0));
}

void EmfWriter::WriteMapping() {
  if (options_.map_mode == MapMode::kText) return;
  Append(U_EMRSETMAPMODE_set(static_cast<std::uint32_t>(options_.map_mode)));
  Append(U_EMRSETWINDOWEXTEX_set(sizel_set(options_.window_extent.cx, options_.window_extent.cy)));
  Append(U_EMRSETVIEWPORTEXTEX_set(
      sizel_set(options_.viewport_extent.cx, options_.viewport_extent.cy)));
}

// Built from libUEMF's record structure rather than U_EMRCREATEPALETTE_set,
// which takes the palette by value and so copies entries past its one-entry
// array.
void EmfWriter::WritePalette() {
  if (options_.palette.empty()) return;
  constexpr std::size_t kEntriesAt =
      offsetof(U_EMRCREATEPALETTE, lgpl) + offsetof(U_LOGPALETTE, palPalEntry);
  const std::size_t count = std::min<std::size_t>(options_.palette.size(), 256);
  std::vector<char> record(kEntriesAt + count * sizeof(U_LOGPLTNTRY));
  U_EMRCREATEPALETTE head{};
  head.emr.iType = U_EMR_CREATEPALETTE;
  head.emr.nSize = static_cast<std::uint32_t>(record.size());
  head.ihPal = slots_.Take();
  head.lgpl.palVersion = 0x0300;
  head.lgpl.palNumEntries = static_cast<std::uint16_t>(count);
  std::memcpy(record.data(), &head, kEntriesAt);
  for (std::size_t i = 0; i < count; ++i) {
    const Color& color = options_.palette[i];
    const U_LOGPLTNTRY entry = logpltntry_set(0, color.r, color.g, color.b);
    std::memcpy(record.data() + kEntriesAt + i * sizeof entry, &entry, sizeof entry);
  }
  if (failed()) return;
  bytes_.append(record.data(), record.size());
  ++records_;
  Append(U_EMRSELECTPALETTE_set(head.ihPal));
  Append(U_EMRREALIZEPALETTE_set());
}

void EmfWriter::Replace(std::uint32_t* current, std::uint32_t index) {
  Append(U_EMRSELECTOBJECT_set(index));
  if (*current != 0) {
    Append(U_EMRDELETEOBJECT_set(*current));
    slots_.Release(*current);
  }
  *current = index;
}

void EmfWriter::WritePen(const Pen& pen) {
  const std::uint32_t index = slots_.Take();
  U_POINT width{pen.width, 0};
  Append(U_EMRCREATEPEN_set(
      index, logpen_set(static_cast<std::uint32_t>(pen.style), width, ToColorRef(pen.color))));
  Replace(&pen_, index);
}

void EmfWriter::WriteBrush(const Brush& brush) {
  const std::uint32_t index = slots_.Take();
  if (brush.kind == BrushKind::kPattern) {
    const PatternDib dib = MakePatternDib(brush);
    Append(U_EMRCREATEDIBPATTERNBRUSHPT_set(index, U_DIB_RGB_COLORS, dib.info.get(),
                                            dib.bits_size(), dib.bits.data()));
  } else {
    const std::uint32_t style = brush.kind == BrushKind::kSolid   ? U_BS_SOLID
                                : brush.kind == BrushKind::kHatch ? U_BS_HATCHED
                                                                  : U_BS_NULL;
    Append(U_EMRCREATEBRUSHINDIRECT_set(
        index,
        logbrush_set(style, ToColorRef(brush.color), static_cast<std::int32_t>(brush.hatch))));
  }
  Replace(&brush_, index);
}

void EmfWriter::WriteFont(const LogFont& font) {
  const std::uint32_t index = slots_.Take();
  const U_LOGFONT record = ToLogFont(font);
  Append(U_EMREXTCREATEFONTINDIRECTW_set(index, reinterpret_cast<const char*>(&record), nullptr));
  Replace(&font_, index);
}

void EmfWriter::WriteTextColor(Color color) {
  Append(U_EMRSETTEXTCOLOR_set(ToColorRef(color)));
}

void EmfWriter::WriteBackgroundColor(Color color) {
  Append(U_EMRSETBKCOLOR_set(ToColorRef(color)));
}

void EmfWriter::WriteBackgroundMode(BackgroundMode mode) {
  Append(U_EMRSETBKMODE_set(static_cast<std::uint32_t>(mode)));
}

void EmfWriter::WriteTextAlign(std::uint32_t align) {
  Append(U_EMRSETTEXTALIGN_set(align));
}

void EmfWriter::WriteFillMode(FillMode mode) {
  Append(U_EMRSETPOLYFILLMODE_set(static_cast<std::uint32_t>(mode)));
}

void EmfWriter::WriteRasterOp(RasterOp op) {
  Append(U_EMRSETROP2_set(static_cast<std::uint32_t>(op)));
}

void EmfWriter::MoveTo(Point p) {
  SyncState();
  Append(U_EMRMOVETOEX_set(ToPointL(p)));
}

void EmfWriter::LineTo(Point p) {
  SyncState();
  Append(U_EMRLINETO_set(ToPointL(p)));
}

void EmfWriter::Polyline(std::span<const Point> points) {
  SyncState();
  Append(PolyRecord(points, U_EMRPOLYLINE16_set, U_EMRPOLYLINE_set));
}

void EmfWriter::Polygon(std::span<const Point> points) {
  SyncState();
  Append(PolyRecord(points, U_EMRPOLYGON16_set, U_EMRPOLYGON_set));
}

void EmfWriter::Rectangle(const Rect& r) {
  SyncState();
  Append(U_EMRRECTANGLE_set(ToRectL(r)));
}

void EmfWriter::Ellipse(const Rect& r) {
  SyncState();
  Append(U_EMRELLIPSE_set(ToRectL(r)));
}

void EmfWriter::TextOut(Point p, std::string_view text) {
  // An empty text draws nothing, and libUEMF cannot lay out a record for it.
  if (text.empty()) return;
  SyncState();
  std::u16string units = sjis::ToUtf16Lossy(text);
  std::vector<std::int32_t> advances = CharacterAdvances(text);
  // One advance per UTF-16 unit: Shift-JIS characters are never surrogate
  // pairs, so the two counts agree; guard against a stray byte anyway.
  advances.resize(units.size(), 0);
  std::vector<std::uint32_t> dx(advances.begin(), advances.end());
  std::int64_t width = 0;
  for (const std::int32_t advance : advances)
    width += advance;
  const U_RECTL bounds{p.x, p.y, static_cast<std::int32_t>(p.x + width),
                       p.y + std::abs(wanted().font.Height)};
  // The rectangle stays in the record although no option uses it: readers
  // such as LibreOffice ignore ETO_NO_RECT and always skip a rectangle before
  // the Dx offset, so without it they take text bytes for that offset.
  const std::unique_ptr<char, FreeDeleter> emr_text(
      emrtext_set(ToPointL(p), static_cast<std::uint32_t>(units.size()), 2, units.data(),
                  kNoTextOptions, kNoBounds, dx.data()));
  Append(U_EMREXTTEXTOUTW_set(bounds, U_GM_COMPATIBLE, 1.0F, 1.0F,
                              reinterpret_cast<PU_EMRTEXT>(emr_text.get())));
}

std::string EmfWriter::EndFile() {
  EMFTRACK track{};
  Append(U_EMREOF_set(0, nullptr, &track));
  U_EMRHEADER header;
  std::memcpy(&header, bytes_.data(), sizeof header);
  header.nBytes = static_cast<std::uint32_t>(bytes_.size());
  header.nRecords = records_;
  header.nHandles = static_cast<std::uint16_t>(slots_.End());
  std::memcpy(bytes_.data(), &header, sizeof header);
  return std::move(bytes_);
}

}  // namespace kartela::gdi
