// Plays WMF records, placeable or not. Each record's size is checked against
// the bytes left and by libUEMF's record checks before libUEMF reads its
// fields; the counts and strings it points at are checked against the
// record's end.
#include <uwmf.h>

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

constexpr std::uint32_t kPlaceableKey = 0x9AC6CDD7;
constexpr std::size_t kRecordHeaderSize = U_SIZE_METARECORD;
constexpr std::size_t kFontFixedSize = offsetof(U_FONT, FaceName);
constexpr std::size_t kMaxFaceBytes = 32;

struct WmfHeader {
  bool placeable = false;
  U_WMRPLACEABLE placeable_header{};
  U_WMRHEADER header{};
  std::size_t records_at = 0;  // offset of the first record
  std::size_t length = 0;      // of the file, as the header gives it
};

StatusOr<WmfHeader> ReadHeader(std::string_view bytes) {
  WmfHeader result;
  std::uint32_t key = 0;
  if (bytes.size() >= sizeof key) std::memcpy(&key, bytes.data(), sizeof key);
  result.placeable = key == kPlaceableKey;
  const std::size_t needed = (result.placeable ? U_SIZE_WMRPLACEABLE : 0) + U_SIZE_WMRHEADER;
  if (bytes.size() < needed) return BadFormat(0, "WMF の見出しより短いファイルです");
  const int size = wmfheader_get(bytes.data(), bytes.data() + bytes.size(),
                                 &result.placeable_header, &result.header);
  if (size <= 0 || static_cast<std::size_t>(size) != needed ||
      result.header.Size16w != U_SIZE_WMRHEADER / 2 ||
      (result.header.iType != U_MEMORYMETAFILE && result.header.iType != U_DISKMETAFILE)) {
    return BadFormat(0, "WMF ではありません");
  }
  if (result.placeable && (result.placeable_header.Inch == 0 ||
                           result.placeable_header.Dst.right == result.placeable_header.Dst.left ||
                           result.placeable_header.Dst.bottom == result.placeable_header.Dst.top)) {
    return BadFormat(0, "プレースアブル見出しに絵の大きさがありません");
  }
  result.records_at = result.placeable ? U_SIZE_WMRPLACEABLE : 0;
  const std::uint64_t words =
      result.header.Sizew[0] | (static_cast<std::uint64_t>(result.header.Sizew[1]) << 16);
  const std::uint64_t length = result.records_at + 2 * words;
  if (2 * words < U_SIZE_WMRHEADER) {
    return BadFormat(0, "見出しが示すファイルの長さが見出しより短いです");
  }
  if (2 * words > bytes.size() - result.records_at) {
    return BadFormat(0, "ファイルが途中で切れています (見出しでは " + std::to_string(length) +
                            " バイト、実際は " + std::to_string(bytes.size()) + " バイト)");
  }
  result.length = static_cast<std::size_t>(length);
  result.records_at += U_SIZE_WMRHEADER;
  return result;
}

// The one field of a record, read by libUEMF's getter.
template <typename Field>
Field FieldOf(const RecordBytes& record, int (*get)(const char*, Field*)) {
  Field value{};
  get(record.data(), &value);
  return value;
}

class WmfPlayer {
 public:
  static constexpr std::size_t kHeadSize = U_SIZE_METARECORD;
  static RecordHead Head(std::string_view bytes);
  static std::string SizeFault(std::uint64_t size);
  static bool Safe(std::string_view record) {
    return U_WMRRECSAFE_get(record.data(), record.data() + record.size()) != 0;
  }
  static const RecordTable<WmfPlayer, U_WMR_MAX + 1> kRecords;

  WmfPlayer(const WmfHeader& header, DeviceContext& dc, const Rect& target)
      : playback_(dc, target) {
    if (header.placeable) {
      const U_RECT16& box = header.placeable_header.Dst;
      window_ = {box.left, box.top, box.right, box.bottom};
      playback_.SetPicture(window_);
    }
    playback_.SetTableSize(0, header.header.nObjects);
  }
  bool ended() const { return ended_; }

 private:
  DeviceContext& dc() { return playback_.dc(); }
  // The offset of a pointer libUEMF returned into `record`.
  static std::uint64_t OffsetIn(const RecordBytes& record, const void* field) {
    return static_cast<std::uint64_t>(static_cast<const char*>(field) - record.data());
  }
  Point MapPoint(U_POINT16 point) const { return playback_.Map(point.x, point.y); }
  Rect MapRect(U_RECT16 rect) const {
    return playback_.MapRect(rect.left, rect.top, rect.right, rect.bottom);
  }
  std::vector<Point> Points(const RecordBytes& record, std::uint64_t offset,
                            std::uint64_t count) const;
  template <int (*kGet)(const char*, std::uint16_t*, const char**), bool kClosed>
  void Poly(const RecordBytes& record);
  void SetWindow(std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height);
  void SetWindowExtent(U_POINT16 extent);
  void Text(const RecordBytes& record, U_POINT16 where, std::int16_t length, const char* string);
  void TextOut(const RecordBytes& record);
  void ExtTextOut(const RecordBytes& record);
  void CreatePen(const RecordBytes& record);
  void CreateFont(const RecordBytes& record);
  void CreateBrush(const RecordBytes& record);
  void CreatePatternBrush(const RecordBytes& record);
  void PolyPolygon(const RecordBytes& record);

  Playback playback_;
  Rect window_;
  bool ended_ = false;
};

RecordHead WmfPlayer::Head(std::string_view bytes) {
  U_METARECORD head;
  std::memcpy(&head, bytes.data(), kRecordHeaderSize);
  const std::uint64_t size =
      2 * (head.Size16_4[0] | (static_cast<std::uint64_t>(head.Size16_4[1]) << 16));
  const bool known =
      U_wmr_values(head.iType) == static_cast<std::uint32_t>(head.iType | (head.xb << 8));
  return {head.iType, size, known};
}

std::string WmfPlayer::SizeFault(std::uint64_t size) {
  if (size >= kRecordHeaderSize) return {};
  return "レコードの大きさ " + std::to_string(size) + " が 6 バイト未満です";
}

std::vector<Point> WmfPlayer::Points(const RecordBytes& record, std::uint64_t offset,
                                     std::uint64_t count) const {
  const auto points = record.Array<U_POINT16>(offset, count);
  std::vector<Point> mapped;
  mapped.reserve(points.size());
  for (const U_POINT16& p : points)
    mapped.push_back(MapPoint(p));
  return mapped;
}

template <int (*kGet)(const char*, std::uint16_t*, const char**), bool kClosed>
void WmfPlayer::Poly(const RecordBytes& record) {
  std::uint16_t count = 0;
  const char* data = nullptr;
  kGet(record.data(), &count, &data);
  const std::vector<Point> points = Points(record, OffsetIn(record, data), count);
  kClosed ? dc().Polygon(points) : dc().Polyline(points);
}

void WmfPlayer::SetWindow(std::int32_t left, std::int32_t top, std::int32_t width,
                          std::int32_t height) {
  window_ = {left, top, left + width, top + height};
  if (width != 0 && height != 0) playback_.SetPicture(window_);
}

void WmfPlayer::SetWindowExtent(U_POINT16 extent) {
  if (extent.x == 0 || extent.y == 0) throw Refusal{"ウィンドウの広さが 0 です"};
  SetWindow(window_.left, window_.top, extent.x, extent.y);
}

void WmfPlayer::Text(const RecordBytes& record, U_POINT16 where, std::int16_t length,
                     const char* string) {
  if (length < 0) throw Refusal{"文字列の長さが負です"};
  const std::string_view bytes = record.Slice(OffsetIn(record, string), length);
  const bool ansi = playback_.state().font.CharSet == U_ANSI_CHARSET;
  dc().TextOut(MapPoint(where), ansi ? sjis::FromLatin1Lossy(bytes) : std::string(bytes));
}

void WmfPlayer::TextOut(const RecordBytes& record) {
  U_POINT16 where{};
  std::int16_t length = 0;
  const char* string = nullptr;
  U_WMRTEXTOUT_get(record.data(), &where, &length, &string);
  Text(record, where, length, string);
}

void WmfPlayer::ExtTextOut(const RecordBytes& record) {
  U_POINT16 where{};
  std::int16_t length = 0;
  std::uint16_t options = 0;
  const char* string = nullptr;
  const std::int16_t* dx = nullptr;
  U_RECT16 rect{};
  U_WMREXTTEXTOUT_get(record.data(), &where, &length, &options, &string, &dx, &rect);
  Text(record, where, length, string);
}

void WmfPlayer::CreatePen(const RecordBytes& record) {
  const U_PEN pen = FieldOf(record, U_WMRCREATEPENINDIRECT_get);
  GdiObject object{
      ObjectKind::kPen, PenFrom(pen.Style, pen.Widthw[0], FromColorRef(pen.Color)), {}, {}};
  object.pen.width = ScaleLength(object.pen.width, playback_.ScaleX());
  playback_.CreateInFreeSlot(object);
}

void WmfPlayer::CreateFont(const RecordBytes& record) {
  const char* data = nullptr;
  U_WMRCREATEFONTINDIRECT_get(record.data(), &data);
  const std::uint64_t offset = OffsetIn(record, data);
  U_FONT stored{};
  std::memcpy(&stored, record.Slice(offset, kFontFixedSize).data(), kFontFixedSize);
  const std::string_view rest = record.Rest(offset + kFontFixedSize);
  const std::string_view face = rest.substr(0, std::min(rest.size(), kMaxFaceBytes));
  std::string face_name(face.substr(0, face.find('\0')));
  if (stored.CharSet == U_ANSI_CHARSET) face_name = sjis::FromLatin1Lossy(face_name);
  playback_.CreateInFreeSlot(
      {ObjectKind::kFont, {}, {}, playback_.Font(stored, std::move(face_name))});
}

void WmfPlayer::CreateBrush(const RecordBytes& record) {
  const char* data = nullptr;
  U_WMRCREATEBRUSHINDIRECT_get(record.data(), &data);
  U_WLOGBRUSH brush;
  std::memcpy(&brush, record.Slice(OffsetIn(record, data), U_SIZE_WLOGBRUSH).data(),
              U_SIZE_WLOGBRUSH);
  playback_.CreateInFreeSlot(
      {ObjectKind::kBrush, {}, BrushFrom(brush.Style, FromColorRef(brush.Color), brush.Hatch), {}});
}

void WmfPlayer::CreatePatternBrush(const RecordBytes& record) {
  std::uint16_t style = 0;
  std::uint16_t usage = 0;
  const char* bitmap16 = nullptr;
  const char* dib = nullptr;
  U_WMRDIBCREATEPATTERNBRUSH_get(record.data(), &style, &usage, &bitmap16, &dib);
  GdiObject object{ObjectKind::kBrush, {}, PatternBrushFromPackedDib({}), {}};
  if (dib != nullptr) {
    object.brush = PatternBrushFromPackedDib(record.Rest(OffsetIn(record, dib)));
  }
  playback_.CreateInFreeSlot(object);
}

void WmfPlayer::PolyPolygon(const RecordBytes& record) {
  std::uint16_t polygons = 0;
  const std::uint16_t* counts_at = nullptr;
  const char* points_at = nullptr;
  U_WMRPOLYPOLYGON_get(record.data(), &polygons, &counts_at, &points_at);
  const auto counts = record.Array<std::uint16_t>(OffsetIn(record, counts_at), polygons);
  const std::uint64_t total = std::accumulate(counts.begin(), counts.end(), std::uint64_t{0});
  const std::vector<Point> points = Points(record, OffsetIn(record, points_at), total);
  std::size_t start = 0;
  for (const std::uint16_t count : counts) {
    dc().Polygon(std::span<const Point>(points).subspan(start, count));
    start += count;
  }
}

// The records this player reads; others do not draw on a map, or this
// player leaves them out.
const RecordTable<WmfPlayer, U_WMR_MAX + 1> WmfPlayer::kRecords({
    {U_WMR_EOF, [](WmfPlayer& p, const RecordBytes&) { p.ended_ = true; }},
    {U_WMR_SETBKCOLOR,
     [](WmfPlayer& p, const RecordBytes& r) {
       p.playback_.SetBackgroundColor(FromColorRef(FieldOf(r, U_WMRSETBKCOLOR_get)));
     }},
    {U_WMR_SETTEXTCOLOR,
     [](WmfPlayer& p, const RecordBytes& r) {
       p.playback_.SetTextColor(FromColorRef(FieldOf(r, U_WMRSETTEXTCOLOR_get)));
     }},
    {U_WMR_SETBKMODE,
     [](WmfPlayer& p, const RecordBytes& r) {
       p.playback_.SetBackgroundMode(FieldOf(r, U_WMRSETBKMODE_get));
     }},
    {U_WMR_SETROP2,
     [](WmfPlayer& p, const RecordBytes& r) {
       p.playback_.SetRasterOp(FieldOf(r, U_WMRSETROP2_get));
     }},
    {U_WMR_SETPOLYFILLMODE,
     [](WmfPlayer& p, const RecordBytes& r) {
       p.playback_.SetFillMode(FieldOf(r, U_WMRSETPOLYFILLMODE_get));
     }},
    {U_WMR_SETTEXTALIGN,
     [](WmfPlayer& p, const RecordBytes& r) {
       p.playback_.SetTextAlign(FieldOf(r, U_WMRSETTEXTALIGN_get));
     }},
    {U_WMR_SETWINDOWORG,
     [](WmfPlayer& p, const RecordBytes& r) {
       const U_POINT16 origin = FieldOf(r, U_WMRSETWINDOWORG_get);
       p.SetWindow(origin.x, origin.y, p.window_.right - p.window_.left,
                   p.window_.bottom - p.window_.top);
     }},
    {U_WMR_SETWINDOWEXT,
     [](WmfPlayer& p, const RecordBytes& r) {
       p.SetWindowExtent(FieldOf(r, U_WMRSETWINDOWEXT_get));
     }},
    {U_WMR_MOVETO,
     [](WmfPlayer& p, const RecordBytes& r) {
       p.dc().MoveTo(p.MapPoint(FieldOf(r, U_WMRMOVETO_get)));
     }},
    {U_WMR_LINETO,
     [](WmfPlayer& p, const RecordBytes& r) {
       p.dc().LineTo(p.MapPoint(FieldOf(r, U_WMRLINETO_get)));
     }},
    {U_WMR_RECTANGLE,
     [](WmfPlayer& p, const RecordBytes& r) {
       p.dc().Rectangle(p.MapRect(FieldOf(r, U_WMRRECTANGLE_get)));
     }},
    {U_WMR_ELLIPSE,
     [](WmfPlayer& p, const RecordBytes& r) {
       p.dc().Ellipse(p.MapRect(FieldOf(r, U_WMRELLIPSE_get)));
     }},
    {U_WMR_POLYGON, [](WmfPlayer& p, const RecordBytes& r) { p.Poly<U_WMRPOLYGON_get, true>(r); }},
    {U_WMR_POLYLINE,
     [](WmfPlayer& p, const RecordBytes& r) { p.Poly<U_WMRPOLYLINE_get, false>(r); }},
    {U_WMR_POLYPOLYGON, [](WmfPlayer& p, const RecordBytes& r) { p.PolyPolygon(r); }},
    {U_WMR_TEXTOUT, [](WmfPlayer& p, const RecordBytes& r) { p.TextOut(r); }},
    {U_WMR_EXTTEXTOUT, [](WmfPlayer& p, const RecordBytes& r) { p.ExtTextOut(r); }},
    {U_WMR_SAVEDC, [](WmfPlayer& p, const RecordBytes&) { p.playback_.Save(); }},
    {U_WMR_RESTOREDC,
     [](WmfPlayer& p, const RecordBytes& r) {
       p.playback_.Restore(FieldOf(r, U_WMRRESTOREDC_get));
     }},
    {U_WMR_SELECTOBJECT,
     [](WmfPlayer& p, const RecordBytes& r) {
       p.playback_.Select(FieldOf(r, U_WMRSELECTOBJECT_get));
     }},
    {U_WMR_DELETEOBJECT,
     [](WmfPlayer& p, const RecordBytes& r) {
       p.playback_.Delete(FieldOf(r, U_WMRDELETEOBJECT_get));
     }},
    {U_WMR_CREATEPENINDIRECT, [](WmfPlayer& p, const RecordBytes& r) { p.CreatePen(r); }},
    {U_WMR_CREATEBRUSHINDIRECT, [](WmfPlayer& p, const RecordBytes& r) { p.CreateBrush(r); }},
    {U_WMR_DIBCREATEPATTERNBRUSH,
     [](WmfPlayer& p, const RecordBytes& r) { p.CreatePatternBrush(r); }},
    {U_WMR_CREATEFONTINDIRECT, [](WmfPlayer& p, const RecordBytes& r) { p.CreateFont(r); }},
    // Objects that take a slot in the table but draw nothing a map uses.
    {U_WMR_CREATEPALETTE,
     [](WmfPlayer& p, const RecordBytes&) {
       p.playback_.CreateInFreeSlot({ObjectKind::kPalette, {}, {}, {}});
     }},
    {U_WMR_CREATEPATTERNBRUSH,
     [](WmfPlayer& p, const RecordBytes&) {
       p.playback_.CreateInFreeSlot({ObjectKind::kBrush, {}, PatternBrushFromPackedDib({}), {}});
     }},
    {U_WMR_CREATEREGION,
     [](WmfPlayer& p, const RecordBytes&) {
       p.playback_.CreateInFreeSlot({ObjectKind::kOther, {}, {}, {}});
     }},
});

}  // namespace

StatusOr<MetafileInfo> InspectWmf(std::string_view bytes) {
  const StatusOr<WmfHeader> header = ReadHeader(bytes);
  if (!header.ok()) return header.status();
  const WmfHeader& h = *header;
  if (!h.placeable) return MetafileInfo{MetafileFormat::kWmf, {}, {}};
  const U_RECT16& box = h.placeable_header.Dst;
  const auto pixels = [&](std::int32_t units) { return units * 96 / h.placeable_header.Inch; };
  return MetafileInfo{MetafileFormat::kPlaceableWmf,
                      {box.left, box.top, box.right, box.bottom},
                      {pixels(box.right - box.left), pixels(box.bottom - box.top)}};
}

Status PlayWmf(std::string_view bytes, DeviceContext& dc, const Rect& target) {
  const StatusOr<WmfHeader> header = ReadHeader(bytes);
  if (!header.ok()) return header.status();
  return PlayRecords<WmfPlayer>(bytes.substr(0, header->length), header->records_at, *header, dc,
                                target);
}

}  // namespace kartela::gdi
