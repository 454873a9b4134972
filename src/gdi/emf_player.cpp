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
#include "gdi/record_loop.h"
#include "gdi/uemf_support.h"

namespace kartela::gdi {
namespace {

constexpr std::size_t kMinimumHeaderSize = 88;

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
  if (bytes.size() < kMinimumHeaderSize) return BadFormat(0, "EMF の見出しより短いファイルです");
  U_EMR emr;
  std::memcpy(&emr, bytes.data(), sizeof emr);
  EmfHeader header;
  const std::size_t copied = std::min<std::size_t>({emr.nSize, sizeof header.record, bytes.size()});
  std::memcpy(&header.record, bytes.data(), copied);
  if (emr.iType != U_EMR_HEADER || header.record.dSignature != U_ENHMETA_SIGNATURE) {
    return BadFormat(0, "EMF ではありません");
  }
  if (emr.nSize < kMinimumHeaderSize) return BadFormat(0, "見出しのレコードが短すぎます");
  if (header.record.nBytes > bytes.size()) {
    return BadFormat(0, "ファイルが途中で切れています (見出しでは " +
                            std::to_string(header.record.nBytes) + " バイト、実際は " +
                            std::to_string(bytes.size()) + " バイト)");
  }
  if (header.record.nBytes < emr.nSize) {
    return BadFormat(0, "見出しが示すファイルの長さが見出しより短いです");
  }
  header.length = header.record.nBytes;
  header.picture = PictureOf(header.record);
  if (header.picture.right <= header.picture.left || header.picture.bottom <= header.picture.top) {
    return BadFormat(0, "絵の大きさがありません");
  }
  return header;
}

Pen StockPen(std::uint32_t index) {
  if (index == U_WHITE_PEN) return {PenStyle::kSolid, 0, kWhite};
  if (index == U_NULL_PEN) return {PenStyle::kNull, 0, kBlack};
  return {};
}

Brush StockBrush(std::uint32_t index) {
  static constexpr std::uint8_t kGreys[] = {255, 192, 128, 64, 0};
  if (index == U_NULL_BRUSH) return {};
  const std::uint8_t grey = kGreys[index - U_WHITE_BRUSH];
  return {BrushKind::kSolid, {grey, grey, grey}};
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

Size ExtentOf(const RecordBytes& record) {
  const auto r = record.Fixed<U_EMRSETWINDOWEXTEX>();
  return {r.szlExtent.cx, r.szlExtent.cy};
}

Point PointOf(const RecordBytes& record) {
  const auto r = record.Fixed<U_EMRMOVETOEX>();
  return {r.ptl.x, r.ptl.y};
}

// The one value of a record that sets a mode.
std::uint32_t Value(const RecordBytes& record) {
  return record.Fixed<U_EMRSETMAPMODE>().iMode;
}

class EmfPlayer {
 public:
  static constexpr std::size_t kHeadSize = sizeof(U_EMR);
  static RecordHead Head(std::string_view bytes);
  static std::string SizeFault(std::uint64_t size);
  static bool Safe(std::string_view record) { return U_emf_record_safe(record.data()) != 0; }
  static const RecordTable<EmfPlayer, U_EMR_MAX + 1> kRecords;

  EmfPlayer(const EmfHeader& header, DeviceContext& dc, const Rect& target)
      : playback_(dc, target) {
    playback_.SetPicture(header.picture);
    playback_.SetTableSize(1, std::max<std::uint32_t>(header.record.nHandles, 1) - 1);
  }
  bool ended() const { return ended_; }

 private:
  DeviceContext& dc() { return playback_.dc(); }
  template <typename Point16>
  std::vector<Point> MapPoints(const std::vector<Point16>& points) const {
    std::vector<Point> mapped;
    mapped.reserve(points.size());
    for (const auto& p : points)
      mapped.push_back(playback_.Map(p.x, p.y));
    return mapped;
  }
  Point MapPoint(const RecordBytes& record) const {
    const Point p = PointOf(record);
    return playback_.Map(p.x, p.y);
  }
  Rect MapBox(const RecordBytes& record) const {
    const U_RECTL box = record.Fixed<U_EMRELLIPSE>().rclBox;
    return playback_.MapRect(box.left, box.top, box.right, box.bottom);
  }
  template <typename Record, typename PointType, std::size_t kFixedSize, bool kClosed>
  void Poly(const RecordBytes& record);
  template <typename Record, typename PointType, std::size_t kFixedSize, bool kClosed>
  void PolyPoly(const RecordBytes& record);
  void Header();
  void SelectObject(std::uint32_t index);
  void DeleteObject(std::uint32_t index);
  void CreatePen(const RecordBytes& record);
  void CreateExtPen(const RecordBytes& record);
  void CreateBrush(const RecordBytes& record);
  void CreatePatternBrush(const RecordBytes& record);
  void CreateFont(const RecordBytes& record);
  void Text(const RecordBytes& record);

  Playback playback_;
  bool header_seen_ = false;
  bool ended_ = false;
};

RecordHead EmfPlayer::Head(std::string_view bytes) {
  U_EMR emr;
  std::memcpy(&emr, bytes.data(), sizeof emr);
  // libUEMF does not check every type: only the played ones are read, and
  // so checked; the others are skipped unread.
  return {emr.iType, emr.nSize, kRecords.Find(emr.iType) != nullptr};
}

std::string EmfPlayer::SizeFault(std::uint64_t size) {
  if (size >= sizeof(U_EMR) && size % 4 == 0) return {};
  return "レコードの大きさ " + std::to_string(size) + " が 8 以上の 4 の倍数ではありません";
}

template <typename Record, typename PointType, std::size_t kFixedSize, bool kClosed>
void EmfPlayer::Poly(const RecordBytes& record) {
  const auto head = record.Fixed<Record>(kFixedSize);
  const std::vector<Point> points =
      MapPoints(record.Array<PointType>(kFixedSize, PointCount(head)));
  kClosed ? dc().Polygon(points) : dc().Polyline(points);
}

template <typename Record, typename PointType, std::size_t kFixedSize, bool kClosed>
void EmfPlayer::PolyPoly(const RecordBytes& record) {
  const auto head = record.Fixed<Record>(kFixedSize);
  const auto counts = record.Array<std::uint32_t>(kFixedSize, head.nPolys);
  const std::uint64_t total = std::accumulate(counts.begin(), counts.end(), std::uint64_t{0});
  const std::uint64_t declared = PointCount(head);
  if (total > declared) throw Refusal{"多角形の点数の合計が点の数を超えています"};
  const auto points =
      record.Array<PointType>(kFixedSize + std::uint64_t{4} * head.nPolys, declared);
  std::size_t start = 0;
  for (const std::uint32_t count : counts) {
    const std::vector<PointType> part(points.begin() + static_cast<std::ptrdiff_t>(start),
                                      points.begin() + static_cast<std::ptrdiff_t>(start + count));
    const std::vector<Point> mapped = MapPoints(part);
    kClosed ? dc().Polygon(mapped) : dc().Polyline(mapped);
    start += count;
  }
}

void EmfPlayer::Header() {
  if (header_seen_) throw Refusal{"二つ目の見出しがあります"};
  header_seen_ = true;
}

void EmfPlayer::SelectObject(std::uint32_t index) {
  if ((index & U_STOCK_OBJECT) == 0) return playback_.Select(index);
  if (index <= U_NULL_BRUSH) {
    playback_.SelectBrush(StockBrush(index));
  } else if (index <= U_NULL_PEN) {
    playback_.SelectPen(StockPen(index));
  }
}

void EmfPlayer::DeleteObject(std::uint32_t index) {
  if ((index & U_STOCK_OBJECT) == 0) playback_.Delete(index);  // stock objects stay
}

void EmfPlayer::CreatePen(const RecordBytes& record) {
  const auto r = record.Fixed<U_EMRCREATEPEN>();
  GdiObject object{ObjectKind::kPen,
                   PenFrom(r.lopn.lopnStyle, r.lopn.lopnWidth.x, FromColorRef(r.lopn.lopnColor)),
                   {},
                   {}};
  object.pen.width = ScaleLength(object.pen.width, playback_.ScaleX());
  playback_.Create(r.ihPen, object);
}

void EmfPlayer::CreateExtPen(const RecordBytes& record) {
  const auto r = record.Fixed<U_EMREXTCREATEPEN>(offsetof(U_EMREXTCREATEPEN, elp) +
                                                 offsetof(U_EXTLOGPEN, elpStyleEntry));
  GdiObject object{ObjectKind::kPen,
                   PenFrom(r.elp.elpPenStyle, r.elp.elpWidth, FromColorRef(r.elp.elpColor)),
                   {},
                   {}};
  object.pen.width = ScaleLength(object.pen.width, playback_.ScaleX());
  playback_.Create(r.ihPen, object);
}

void EmfPlayer::CreateBrush(const RecordBytes& record) {
  const auto r = record.Fixed<U_EMRCREATEBRUSHINDIRECT>();
  playback_.Create(r.ihBrush, {ObjectKind::kBrush,
                               {},
                               BrushFrom(r.lb.lbStyle, FromColorRef(r.lb.lbColor), r.lb.lbHatch),
                               {}});
}

void EmfPlayer::CreatePatternBrush(const RecordBytes& record) {
  const auto head = record.Fixed<U_EMRCREATEDIBPATTERNBRUSHPT>();
  GdiObject object{ObjectKind::kBrush, {}, {}, {}};
  object.brush = PatternBrushFrom(record.Slice(head.offBmi, head.cbBmi),
                                  record.Slice(head.offBits, head.cbBits));
  playback_.Create(head.ihBrush, object);
}

void EmfPlayer::CreateFont(const RecordBytes& record) {
  const auto head =
      record.Fixed<U_EMREXTCREATEFONTINDIRECTW>(U_SIZE_EMREXTCREATEFONTINDIRECTW_LOGFONT);
  const U_LOGFONT& stored = head.elfw.elfLogFont;
  const auto* face = std::begin(stored.lfFaceName);
  const auto* end = std::find(face, std::end(stored.lfFaceName), 0);
  playback_.Create(head.ihFont,
                   {ObjectKind::kFont,
                    {},
                    {},
                    playback_.Font(stored, sjis::FromUtf16Lossy(std::u16string(face, end)))});
}

void EmfPlayer::Text(const RecordBytes& record) {
  const auto head = record.Fixed<U_EMREXTTEXTOUTW>();
  const U_EMRTEXT& text = head.emrtext;
  const std::string_view units = record.Slice(text.offString, std::uint64_t{2} * text.nChars);
  std::u16string utf16(text.nChars, u'\0');
  std::memcpy(utf16.data(), units.data(), units.size());
  dc().TextOut(playback_.Map(text.ptlReference.x, text.ptlReference.y),
               sjis::FromUtf16Lossy(utf16));
}

// The records this player reads; others do not draw on a map, or this
// player leaves them out.
const RecordTable<EmfPlayer, U_EMR_MAX + 1> EmfPlayer::kRecords({
    {U_EMR_HEADER, [](EmfPlayer& p, const RecordBytes&) { p.Header(); }},
    {U_EMR_EOF, [](EmfPlayer& p, const RecordBytes&) { p.ended_ = true; }},
    {U_EMR_SETMAPMODE,
     [](EmfPlayer& p, const RecordBytes& r) { p.playback_.SetMapMode(Value(r)); }},
    {U_EMR_SETWINDOWEXTEX,
     [](EmfPlayer& p, const RecordBytes& r) { p.playback_.SetWindowExtent(ExtentOf(r)); }},
    {U_EMR_SETWINDOWORGEX,
     [](EmfPlayer& p, const RecordBytes& r) { p.playback_.SetWindowOrigin(PointOf(r)); }},
    {U_EMR_SETVIEWPORTEXTEX,
     [](EmfPlayer& p, const RecordBytes& r) { p.playback_.SetViewportExtent(ExtentOf(r)); }},
    {U_EMR_SETVIEWPORTORGEX,
     [](EmfPlayer& p, const RecordBytes& r) { p.playback_.SetViewportOrigin(PointOf(r)); }},
    {U_EMR_SETBKMODE,
     [](EmfPlayer& p, const RecordBytes& r) { p.playback_.SetBackgroundMode(Value(r)); }},
    {U_EMR_SETPOLYFILLMODE,
     [](EmfPlayer& p, const RecordBytes& r) { p.playback_.SetFillMode(Value(r)); }},
    {U_EMR_SETROP2, [](EmfPlayer& p, const RecordBytes& r) { p.playback_.SetRasterOp(Value(r)); }},
    {U_EMR_SETTEXTALIGN,
     [](EmfPlayer& p, const RecordBytes& r) { p.playback_.SetTextAlign(Value(r)); }},
    {U_EMR_SETTEXTCOLOR,
     [](EmfPlayer& p, const RecordBytes& r) {
       p.playback_.SetTextColor(FromColorRef(r.Fixed<U_EMRSETTEXTCOLOR>().crColor));
     }},
    {U_EMR_SETBKCOLOR,
     [](EmfPlayer& p, const RecordBytes& r) {
       p.playback_.SetBackgroundColor(FromColorRef(r.Fixed<U_EMRSETBKCOLOR>().crColor));
     }},
    {U_EMR_MOVETOEX, [](EmfPlayer& p, const RecordBytes& r) { p.dc().MoveTo(p.MapPoint(r)); }},
    {U_EMR_LINETO, [](EmfPlayer& p, const RecordBytes& r) { p.dc().LineTo(p.MapPoint(r)); }},
    {U_EMR_SAVEDC, [](EmfPlayer& p, const RecordBytes&) { p.playback_.Save(); }},
    {U_EMR_RESTOREDC,
     [](EmfPlayer& p, const RecordBytes& r) {
       p.playback_.Restore(r.Fixed<U_EMRRESTOREDC>().iRelative);
     }},
    {U_EMR_SELECTOBJECT,
     [](EmfPlayer& p, const RecordBytes& r) {
       p.SelectObject(r.Fixed<U_EMRSELECTOBJECT>().ihObject);
     }},
    {U_EMR_DELETEOBJECT,
     [](EmfPlayer& p, const RecordBytes& r) {
       p.DeleteObject(r.Fixed<U_EMRDELETEOBJECT>().ihObject);
     }},
    {U_EMR_CREATEPEN, [](EmfPlayer& p, const RecordBytes& r) { p.CreatePen(r); }},
    {U_EMR_EXTCREATEPEN, [](EmfPlayer& p, const RecordBytes& r) { p.CreateExtPen(r); }},
    {U_EMR_CREATEBRUSHINDIRECT, [](EmfPlayer& p, const RecordBytes& r) { p.CreateBrush(r); }},
    {U_EMR_CREATEDIBPATTERNBRUSHPT,
     [](EmfPlayer& p, const RecordBytes& r) { p.CreatePatternBrush(r); }},
    {U_EMR_CREATEMONOBRUSH, [](EmfPlayer& p, const RecordBytes& r) { p.CreatePatternBrush(r); }},
    {U_EMR_EXTCREATEFONTINDIRECTW, [](EmfPlayer& p, const RecordBytes& r) { p.CreateFont(r); }},
    {U_EMR_CREATEPALETTE,
     [](EmfPlayer& p, const RecordBytes& r) {
       p.playback_.Create(r.Fixed<U_EMRCREATEPALETTE>(offsetof(U_EMRCREATEPALETTE, lgpl)).ihPal,
                          {ObjectKind::kPalette, {}, {}, {}});
     }},
    {U_EMR_RECTANGLE, [](EmfPlayer& p, const RecordBytes& r) { p.dc().Rectangle(p.MapBox(r)); }},
    {U_EMR_ELLIPSE, [](EmfPlayer& p, const RecordBytes& r) { p.dc().Ellipse(p.MapBox(r)); }},
    {U_EMR_POLYGON16,
     [](EmfPlayer& p, const RecordBytes& r) {
       p.Poly<U_EMRPOLYGON16, U_POINT16, U_SIZE_EMRPOLYGON16, true>(r);
     }},
    {U_EMR_POLYLINE16,
     [](EmfPlayer& p, const RecordBytes& r) {
       p.Poly<U_EMRPOLYGON16, U_POINT16, U_SIZE_EMRPOLYGON16, false>(r);
     }},
    {U_EMR_POLYGON,
     [](EmfPlayer& p, const RecordBytes& r) {
       p.Poly<U_EMRPOLYGON, U_POINTL, U_SIZE_EMRPOLYGON, true>(r);
     }},
    {U_EMR_POLYLINE,
     [](EmfPlayer& p, const RecordBytes& r) {
       p.Poly<U_EMRPOLYGON, U_POINTL, U_SIZE_EMRPOLYGON, false>(r);
     }},
    {U_EMR_POLYPOLYGON16,
     [](EmfPlayer& p, const RecordBytes& r) {
       p.PolyPoly<U_EMRPOLYPOLYGON16, U_POINT16, U_SIZE_EMRPOLYPOLYGON16, true>(r);
     }},
    {U_EMR_POLYPOLYLINE16,
     [](EmfPlayer& p, const RecordBytes& r) {
       p.PolyPoly<U_EMRPOLYPOLYGON16, U_POINT16, U_SIZE_EMRPOLYPOLYGON16, false>(r);
     }},
    {U_EMR_POLYPOLYGON,
     [](EmfPlayer& p, const RecordBytes& r) {
       p.PolyPoly<U_EMRPOLYPOLYGON, U_POINTL, U_SIZE_EMRPOLYPOLYGON, true>(r);
     }},
    {U_EMR_POLYPOLYLINE,
     [](EmfPlayer& p, const RecordBytes& r) {
       p.PolyPoly<U_EMRPOLYPOLYGON, U_POINTL, U_SIZE_EMRPOLYPOLYGON, false>(r);
     }},
    {U_EMR_EXTTEXTOUTW, [](EmfPlayer& p, const RecordBytes& r) { p.Text(r); }},
});

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
  // libUEMF reads records through structure pointers: keep them aligned.
  std::vector<std::uint32_t> aligned((header->length + 3) / 4);
  std::memcpy(aligned.data(), bytes.data(), header->length);
  const std::string_view data(reinterpret_cast<const char*>(aligned.data()), header->length);
  return PlayRecords<EmfPlayer>(data, 0, *header, dc, target);
}

}  // namespace kartela::gdi
