// Plays EMF records. Each record's size is checked against the bytes left
// and by libUEMF's record checks before any field is read; every field read
// stays inside the record.
#include <uemf_safe.h>

#include <algorithm>
#include <cstring>
#include <numeric>
#include <vector>

#include "base/text_encoding.h"
#include "gdi/metafile_playback.h"
#include "gdi/uemf_support.h"

namespace kartela::gdi {
namespace {

constexpr std::size_t kMinimumHeaderSize = 88;
constexpr std::uint32_t kStockObject = U_STOCK_OBJECT;

struct EmfHeader {
  U_EMRHEADER record{};
  std::size_t length = 0;  // of the file, as the header gives it
  Rect picture;            // reference-device pixels, right and bottom exclusive
};

std::int64_t ToPixels(std::int64_t hundredths, std::int32_t pixels, std::int32_t millimetres) {
  const std::int64_t scaled = hundredths * pixels;
  const std::int64_t divisor = static_cast<std::int64_t>(millimetres) * 100;
  return (scaled >= 0 ? scaled + divisor / 2 : scaled - divisor / 2) / divisor;
}

// Picture coordinates stay within 2^29, so that sizes never overflow.
std::int32_t Bounded(std::int64_t value) {
  constexpr std::int64_t kLimit = std::int64_t{1} << 29;
  return static_cast<std::int32_t>(std::clamp(value, -kLimit, kLimit));
}

// The frame maps onto the target; an empty frame falls back to the bounds.
Rect PictureOf(const U_EMRHEADER& header) {
  const U_RECTL& frame = header.rclFrame;
  const bool frame_usable = header.szlDevice.cx > 0 && header.szlDevice.cy > 0 &&
                            header.szlMillimeters.cx > 0 && header.szlMillimeters.cy > 0 &&
                            frame.right >= frame.left && frame.bottom >= frame.top;
  if (frame_usable) {
    const auto x = [&](std::int64_t v) {
      return Bounded(ToPixels(v, header.szlDevice.cx, header.szlMillimeters.cx));
    };
    const auto y = [&](std::int64_t v) {
      return Bounded(ToPixels(v, header.szlDevice.cy, header.szlMillimeters.cy));
    };
    const Rect picture{x(frame.left), y(frame.top), x(frame.right + 1LL), y(frame.bottom + 1LL)};
    if (picture.right > picture.left && picture.bottom > picture.top) return picture;
  }
  const U_RECTL& bounds = header.rclBounds;
  return {Bounded(bounds.left), Bounded(bounds.top), Bounded(bounds.right + 1LL),
          Bounded(bounds.bottom + 1LL)};
}

StatusOr<EmfHeader> ReadHeader(std::string_view bytes) {
  if (bytes.size() < kMinimumHeaderSize) return BadFormat(0, "too short for an EMF header");
  U_EMR emr;
  std::memcpy(&emr, bytes.data(), sizeof emr);
  EmfHeader header;
  const std::size_t copied = std::min<std::size_t>({emr.nSize, sizeof header.record, bytes.size()});
  std::memcpy(&header.record, bytes.data(), copied);
  if (emr.iType != U_EMR_HEADER || header.record.dSignature != U_ENHMETA_SIGNATURE) {
    return BadFormat(0, "not an EMF");
  }
  if (emr.nSize < kMinimumHeaderSize) return BadFormat(0, "header record too short");
  if (header.record.nBytes > bytes.size()) {
    return BadFormat(0, "file cut off: the header gives " + std::to_string(header.record.nBytes) +
                            " bytes, " + std::to_string(bytes.size()) + " present");
  }
  if (header.record.nBytes < emr.nSize) {
    return BadFormat(0, "the header gives a file shorter than itself");
  }
  header.length = header.record.nBytes;
  header.picture = PictureOf(header.record);
  if (header.picture.right <= header.picture.left || header.picture.bottom <= header.picture.top) {
    return BadFormat(0, "the picture has no size");
  }
  return header;
}

Pen StockPen(std::uint32_t n) {
  if (n == 6) return {PenStyle::kSolid, 0, kWhite};
  if (n == 8) return {PenStyle::kNull, 0, kBlack};
  return {};
}

Brush StockBrush(std::uint32_t n) {
  static constexpr std::uint8_t kGreys[] = {255, 192, 128, 64, 0};
  if (n == 5) return {};
  return {BrushKind::kSolid, {kGreys[n], kGreys[n], kGreys[n]}};
}

LogFont FontFrom(const U_LOGFONT& lf) {
  LogFont font;
  font.Height = lf.lfHeight;
  font.Width = lf.lfWidth;
  font.Escapement = lf.lfEscapement;
  font.Orientation = lf.lfOrientation;
  font.Weight = lf.lfWeight;
  font.Italic = lf.lfItalic;
  font.Underline = lf.lfUnderline;
  font.StrikeOut = lf.lfStrikeOut;
  font.CharSet = lf.lfCharSet;
  font.OutPrecision = lf.lfOutPrecision;
  font.ClipPrecision = lf.lfClipPrecision;
  font.Quality = lf.lfQuality;
  font.PitchAndFamily = lf.lfPitchAndFamily;
  const auto* face = std::begin(lf.lfFaceName);
  const auto* end = std::find(face, std::end(lf.lfFaceName), 0);
  font.FaceName = sjis::FromUtf16Lossy(std::u16string(face, end));
  return font;
}

// The point count of a poly record: cpts in the 16-bit forms, cptl in the
// 32-bit ones.
template <typename Record>
std::uint32_t PointCount(const Record& record) {
  if constexpr (requires { record.cpts; }) {
    return record.cpts;
  } else {
    return record.cptl;
  }
}

// The records this player reads; libUEMF checks each before it is read
// (others are skipped unread, and libUEMF does not check every type).
constexpr std::uint32_t kPlayedTypes[] = {U_EMR_EOF,
                                          U_EMR_SETMAPMODE,
                                          U_EMR_SETWINDOWEXTEX,
                                          U_EMR_SETWINDOWORGEX,
                                          U_EMR_SETVIEWPORTEXTEX,
                                          U_EMR_SETVIEWPORTORGEX,
                                          U_EMR_SETBKMODE,
                                          U_EMR_SETPOLYFILLMODE,
                                          U_EMR_SETROP2,
                                          U_EMR_SETTEXTALIGN,
                                          U_EMR_SETTEXTCOLOR,
                                          U_EMR_SETBKCOLOR,
                                          U_EMR_MOVETOEX,
                                          U_EMR_LINETO,
                                          U_EMR_SAVEDC,
                                          U_EMR_RESTOREDC,
                                          U_EMR_SELECTOBJECT,
                                          U_EMR_DELETEOBJECT,
                                          U_EMR_CREATEPEN,
                                          U_EMR_EXTCREATEPEN,
                                          U_EMR_CREATEBRUSHINDIRECT,
                                          U_EMR_CREATEDIBPATTERNBRUSHPT,
                                          U_EMR_CREATEMONOBRUSH,
                                          U_EMR_EXTCREATEFONTINDIRECTW,
                                          U_EMR_CREATEPALETTE,
                                          U_EMR_RECTANGLE,
                                          U_EMR_ELLIPSE,
                                          U_EMR_POLYGON16,
                                          U_EMR_POLYLINE16,
                                          U_EMR_POLYGON,
                                          U_EMR_POLYLINE,
                                          U_EMR_POLYPOLYGON16,
                                          U_EMR_POLYPOLYLINE16,
                                          U_EMR_POLYPOLYGON,
                                          U_EMR_POLYPOLYLINE,
                                          U_EMR_EXTTEXTOUTW};

bool Played(std::uint32_t type) {
  return std::find(std::begin(kPlayedTypes), std::end(kPlayedTypes), type) !=
         std::end(kPlayedTypes);
}

class EmfPlayer {
 public:
  EmfPlayer(const EmfHeader& header, DeviceContext& dc, const Rect& target)
      : playback_(dc, target) {
    playback_.SetPicture(header.picture);
    playback_.SetTableSize(1, std::max<std::uint32_t>(header.record.nHandles, 1) - 1);
  }

  // Plays the records after the header; true at the end-of-file record.
  bool Play(std::uint32_t type, const RecordBytes& record);

 private:
  template <typename Point16>
  std::vector<Point> MapPoints(const std::vector<Point16>& points) const {
    std::vector<Point> mapped;
    mapped.reserve(points.size());
    for (const auto& p : points)
      mapped.push_back(playback_.Map(p.x, p.y));
    return mapped;
  }
  template <typename Record, typename PointType>
  void Poly(const RecordBytes& record, std::size_t fixed_size, bool closed);
  template <typename Record, typename PointType>
  void PolyPoly(const RecordBytes& record, std::size_t fixed_size, bool closed);
  void SelectObject(std::uint32_t index);
  void Text(const RecordBytes& record);
  void CreateFont(const RecordBytes& record);
  void CreatePatternBrush(const RecordBytes& record);
  Size ExtentOf(const RecordBytes& record) const;
  Point PointOf(const RecordBytes& record) const;
  std::uint32_t Value(const RecordBytes& record) const;

  Playback playback_;
};

template <typename Record, typename PointType>
void EmfPlayer::Poly(const RecordBytes& record, std::size_t fixed_size, bool closed) {
  const auto head = record.Fixed<Record>(fixed_size);
  const std::vector<Point> points =
      MapPoints(record.Array<PointType>(fixed_size, PointCount(head)));
  closed ? playback_.dc().Polygon(points) : playback_.dc().Polyline(points);
}

template <typename Record, typename PointType>
void EmfPlayer::PolyPoly(const RecordBytes& record, std::size_t fixed_size, bool closed) {
  const auto head = record.Fixed<Record>(fixed_size);
  const auto counts = record.Array<std::uint32_t>(fixed_size, head.nPolys);
  const std::uint64_t total = std::accumulate(counts.begin(), counts.end(), std::uint64_t{0});
  const std::uint64_t declared = PointCount(head);
  if (total > declared) throw Refusal{"polygon counts exceed the point count"};
  const auto points =
      record.Array<PointType>(fixed_size + std::uint64_t{4} * head.nPolys, declared);
  std::size_t start = 0;
  for (const std::uint32_t count : counts) {
    const std::vector<PointType> part(points.begin() + static_cast<std::ptrdiff_t>(start),
                                      points.begin() + static_cast<std::ptrdiff_t>(start + count));
    const std::vector<Point> mapped = MapPoints(part);
    closed ? playback_.dc().Polygon(mapped) : playback_.dc().Polyline(mapped);
    start += count;
  }
}

Size EmfPlayer::ExtentOf(const RecordBytes& record) const {
  const auto r = record.Fixed<U_EMRSETWINDOWEXTEX>();
  return {r.szlExtent.cx, r.szlExtent.cy};
}

Point EmfPlayer::PointOf(const RecordBytes& record) const {
  const auto r = record.Fixed<U_EMRMOVETOEX>();
  return {r.ptl.x, r.ptl.y};
}

std::uint32_t EmfPlayer::Value(const RecordBytes& record) const {
  return record.Fixed<U_EMRSETMAPMODE>().iMode;
}

void EmfPlayer::SelectObject(std::uint32_t index) {
  if ((index & kStockObject) == 0) return playback_.Select(index);
  const std::uint32_t n = index & ~kStockObject;
  if (n <= 5) playback_.SelectBrush(StockBrush(n));
  if (n >= 6 && n <= 8) playback_.SelectPen(StockPen(n));
}

void EmfPlayer::Text(const RecordBytes& record) {
  const auto head = record.Fixed<U_EMREXTTEXTOUTW>();
  const U_EMRTEXT& text = head.emrtext;
  const std::string_view units = record.Slice(text.offString, std::uint64_t{2} * text.nChars);
  std::u16string utf16(text.nChars, u'\0');
  std::memcpy(utf16.data(), units.data(), units.size());
  playback_.dc().TextOut(playback_.Map(text.ptlReference.x, text.ptlReference.y),
                         sjis::FromUtf16Lossy(utf16));
}

void EmfPlayer::CreateFont(const RecordBytes& record) {
  const auto head =
      record.Fixed<U_EMREXTCREATEFONTINDIRECTW>(U_SIZE_EMREXTCREATEFONTINDIRECTW_LOGFONT);
  GdiObject object{ObjectKind::kFont, {}, {}, FontFrom(head.elfw.elfLogFont)};
  object.font.Height = ScaleLength(object.font.Height, playback_.ScaleY());
  object.font.Width = ScaleLength(object.font.Width, playback_.ScaleX());
  playback_.Create(head.ihFont, std::move(object));
}

void EmfPlayer::CreatePatternBrush(const RecordBytes& record) {
  const auto head = record.Fixed<U_EMRCREATEDIBPATTERNBRUSHPT>();
  GdiObject object{ObjectKind::kBrush, {}, {}, {}};
  object.brush = PatternBrushFrom(record.Slice(head.offBmi, head.cbBmi),
                                  record.Slice(head.offBits, head.cbBits));
  playback_.Create(head.ihBrush, object);
}

bool EmfPlayer::Play(std::uint32_t type, const RecordBytes& record) {
  DeviceContext& dc = playback_.dc();
  switch (type) {
    case U_EMR_HEADER:
      throw Refusal{"a second header"};
    case U_EMR_EOF:
      return true;
    case U_EMR_SETMAPMODE:
      playback_.SetMapMode(Value(record));
      break;
    case U_EMR_SETWINDOWEXTEX:
      playback_.SetWindowExtent(ExtentOf(record));
      break;
    case U_EMR_SETWINDOWORGEX:
      playback_.SetWindowOrigin(PointOf(record));
      break;
    case U_EMR_SETVIEWPORTEXTEX:
      playback_.SetViewportExtent(ExtentOf(record));
      break;
    case U_EMR_SETVIEWPORTORGEX:
      playback_.SetViewportOrigin(PointOf(record));
      break;
    case U_EMR_SETBKMODE:
      playback_.SetBackgroundMode(Value(record));
      break;
    case U_EMR_SETPOLYFILLMODE:
      playback_.SetFillMode(Value(record));
      break;
    case U_EMR_SETROP2:
      playback_.SetRasterOp(Value(record));
      break;
    case U_EMR_SETTEXTALIGN:
      playback_.SetTextAlign(Value(record));
      break;
    case U_EMR_SETTEXTCOLOR:
      playback_.SetTextColor(FromColorRef(record.Fixed<U_EMRSETTEXTCOLOR>().crColor));
      break;
    case U_EMR_SETBKCOLOR:
      playback_.SetBackgroundColor(FromColorRef(record.Fixed<U_EMRSETBKCOLOR>().crColor));
      break;
    case U_EMR_MOVETOEX: {
      const Point p = PointOf(record);
      dc.MoveTo(playback_.Map(p.x, p.y));
      break;
    }
    case U_EMR_LINETO: {
      const Point p = PointOf(record);
      dc.LineTo(playback_.Map(p.x, p.y));
      break;
    }
    case U_EMR_SAVEDC:
      playback_.Save();
      break;
    case U_EMR_RESTOREDC:
      playback_.Restore(record.Fixed<U_EMRRESTOREDC>().iRelative);
      break;
    case U_EMR_SELECTOBJECT:
      SelectObject(record.Fixed<U_EMRSELECTOBJECT>().ihObject);
      break;
    case U_EMR_DELETEOBJECT: {
      const std::uint32_t index = record.Fixed<U_EMRDELETEOBJECT>().ihObject;
      if ((index & kStockObject) == 0) playback_.Delete(index);  // stock objects stay
      break;
    }
    case U_EMR_CREATEPEN: {
      const auto r = record.Fixed<U_EMRCREATEPEN>();
      GdiObject object{
          ObjectKind::kPen,
          PenFrom(r.lopn.lopnStyle, r.lopn.lopnWidth.x, FromColorRef(r.lopn.lopnColor)),
          {},
          {}};
      object.pen.width = ScaleLength(object.pen.width, playback_.ScaleX());
      playback_.Create(r.ihPen, object);
      break;
    }
    case U_EMR_EXTCREATEPEN: {
      const auto r = record.Fixed<U_EMREXTCREATEPEN>(offsetof(U_EMREXTCREATEPEN, elp) +
                                                     offsetof(U_EXTLOGPEN, elpStyleEntry));
      GdiObject object{ObjectKind::kPen,
                       PenFrom(r.elp.elpPenStyle, r.elp.elpWidth, FromColorRef(r.elp.elpColor)),
                       {},
                       {}};
      object.pen.width = ScaleLength(object.pen.width, playback_.ScaleX());
      playback_.Create(r.ihPen, object);
      break;
    }
    case U_EMR_CREATEBRUSHINDIRECT: {
      const auto r = record.Fixed<U_EMRCREATEBRUSHINDIRECT>();
      playback_.Create(r.ihBrush,
                       {ObjectKind::kBrush,
                        {},
                        BrushFrom(r.lb.lbStyle, FromColorRef(r.lb.lbColor), r.lb.lbHatch),
                        {}});
      break;
    }
    case U_EMR_CREATEDIBPATTERNBRUSHPT:
    case U_EMR_CREATEMONOBRUSH:
      CreatePatternBrush(record);
      break;
    case U_EMR_EXTCREATEFONTINDIRECTW:
      CreateFont(record);
      break;
    case U_EMR_CREATEPALETTE:
      playback_.Create(record.Fixed<U_EMRCREATEPALETTE>(offsetof(U_EMRCREATEPALETTE, lgpl)).ihPal,
                       {ObjectKind::kPalette, {}, {}, {}});
      break;
    case U_EMR_RECTANGLE:
    case U_EMR_ELLIPSE: {
      const U_RECTL box = record.Fixed<U_EMRELLIPSE>().rclBox;
      const Rect mapped = playback_.MapRect(box.left, box.top, box.right, box.bottom);
      type == U_EMR_RECTANGLE ? dc.Rectangle(mapped) : dc.Ellipse(mapped);
      break;
    }
    case U_EMR_POLYGON16:
    case U_EMR_POLYLINE16:
      Poly<U_EMRPOLYGON16, U_POINT16>(record, U_SIZE_EMRPOLYGON16, type == U_EMR_POLYGON16);
      break;
    case U_EMR_POLYGON:
    case U_EMR_POLYLINE:
      Poly<U_EMRPOLYGON, U_POINTL>(record, U_SIZE_EMRPOLYGON, type == U_EMR_POLYGON);
      break;
    case U_EMR_POLYPOLYGON16:
    case U_EMR_POLYPOLYLINE16:
      PolyPoly<U_EMRPOLYPOLYGON16, U_POINT16>(record, U_SIZE_EMRPOLYPOLYGON16,
                                              type == U_EMR_POLYPOLYGON16);
      break;
    case U_EMR_POLYPOLYGON:
    case U_EMR_POLYPOLYLINE:
      PolyPoly<U_EMRPOLYPOLYGON, U_POINTL>(record, U_SIZE_EMRPOLYPOLYGON,
                                           type == U_EMR_POLYPOLYGON);
      break;
    case U_EMR_EXTTEXTOUTW:
      Text(record);
      break;
    default:
      break;  // records that do not draw on a map, or that this player leaves out
  }
  return false;
}

Status PlayRecords(std::string_view bytes, const EmfHeader& header, DeviceContext& dc,
                   const Rect& target) {
  // libUEMF reads records through structure pointers: keep them aligned.
  std::vector<std::uint32_t> aligned((header.length + 3) / 4);
  std::memcpy(aligned.data(), bytes.data(), header.length);
  const std::string_view data(reinterpret_cast<const char*>(aligned.data()), header.length);
  std::size_t offset = 0;
  try {
    EmfPlayer player(header, dc, target);
    while (true) {
      const std::size_t left = data.size() - offset;
      if (left == 0) return BadFormat(offset, "no end-of-file record");
      if (left < sizeof(U_EMR)) return BadFormat(offset, "record header cut off");
      U_EMR emr;
      std::memcpy(&emr, data.data() + offset, sizeof emr);
      if (emr.nSize < sizeof(U_EMR) || emr.nSize % 4 != 0) {
        return BadFormat(offset, "record size " + std::to_string(emr.nSize) +
                                     " is not a multiple of 4 of at least 8");
      }
      if (emr.nSize > left) {
        return BadFormat(offset, "record of " + std::to_string(emr.nSize) + " bytes, only " +
                                     std::to_string(left) + " left");
      }
      const char* at = data.data() + offset;
      const bool played = offset == 0 || Played(emr.iType);
      if (played && !U_emf_record_safe(at)) {
        return BadFormat(offset, "record type " + std::to_string(emr.iType) + " is damaged");
      }
      if (offset > 0 && played) {
        try {
          if (player.Play(emr.iType, RecordBytes(std::string_view(at, emr.nSize)))) break;
        } catch (const Refusal& refusal) {
          return Status(refusal.code, refusal.reason, offset);
        }
      }
      offset += emr.nSize;
    }
  } catch (const Refusal& refusal) {
    return Status(refusal.code, refusal.reason, 0);
  }
  return {};
}

}  // namespace

StatusOr<MetafileInfo> InspectEmf(std::string_view bytes) {
  const StatusOr<EmfHeader> header = ReadHeader(bytes);
  if (!header.ok()) return header.status();
  const EmfHeader& h = *header;
  const U_RECTL& b = h.record.rclBounds;
  return MetafileInfo{MetafileFormat::kEmf,
                      {b.left, b.top, b.right, b.bottom},
                      {h.picture.right - h.picture.left, h.picture.bottom - h.picture.top}};
}

Status PlayEmf(std::string_view bytes, DeviceContext& dc, const Rect& target) {
  const StatusOr<EmfHeader> header = ReadHeader(bytes);
  if (!header.ok()) return header.status();
  return PlayRecords(bytes, *header, dc, target);
}

}  // namespace kartela::gdi
