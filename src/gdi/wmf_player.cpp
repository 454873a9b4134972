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
#include "gdi/uemf_support.h"

namespace kartela::gdi {
namespace {

constexpr std::uint32_t kPlaceableKey = 0x9AC6CDD7;
constexpr std::uint8_t kAnsiCharSet = 0;
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
  if (bytes.size() < needed) return BadFormat(0, "too short for a WMF header");
  const int size = wmfheader_get(bytes.data(), bytes.data() + bytes.size(),
                                 &result.placeable_header, &result.header);
  if (size <= 0 || static_cast<std::size_t>(size) != needed || result.header.Size16w != 9 ||
      (result.header.iType != 1 && result.header.iType != 2)) {
    return BadFormat(0, "not a WMF");
  }
  if (result.placeable && (result.placeable_header.Inch == 0 ||
                           result.placeable_header.Dst.right == result.placeable_header.Dst.left ||
                           result.placeable_header.Dst.bottom == result.placeable_header.Dst.top)) {
    return BadFormat(0, "the placeable header gives no picture size");
  }
  result.records_at = result.placeable ? U_SIZE_WMRPLACEABLE : 0;
  const std::uint64_t words =
      result.header.Sizew[0] | (static_cast<std::uint64_t>(result.header.Sizew[1]) << 16);
  const std::uint64_t length = result.records_at + 2 * words;
  if (2 * words < U_SIZE_WMRHEADER) {
    return BadFormat(0, "the header gives a file shorter than itself");
  }
  if (length > bytes.size()) {
    return BadFormat(0, "file cut off: the header gives " + std::to_string(length) + " bytes, " +
                            std::to_string(bytes.size()) + " present");
  }
  result.length = static_cast<std::size_t>(length);
  result.records_at += U_SIZE_WMRHEADER;
  return result;
}

class WmfPlayer {
 public:
  WmfPlayer(const WmfHeader& header, DeviceContext& dc, const Rect& target)
      : playback_(dc, target) {
    if (header.placeable) {
      const U_RECT16& box = header.placeable_header.Dst;
      window_ = {box.left, box.top, box.right, box.bottom};
      playback_.SetPicture(window_);
    }
    playback_.SetTableSize(0, header.header.nObjects);
  }

  // Plays one record; true at the end-of-file record.
  bool Play(std::uint8_t type, const RecordBytes& record, const char* at);

 private:
  // The offset of a pointer libUEMF returned into the record at `at`.
  static std::uint64_t OffsetIn(const char* at, const void* field) {
    return static_cast<std::uint64_t>(static_cast<const char*>(field) - at);
  }
  std::vector<Point> Points(const RecordBytes& record, std::uint64_t offset,
                            std::uint64_t count) const;
  void SetWindow(std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height);
  void Text(const RecordBytes& record, const char* at, U_POINT16 where, std::int16_t length,
            const char* string);
  void CreateFont(const RecordBytes& record, const char* at);
  void CreateBrush(const RecordBytes& record, const char* at);
  void CreatePatternBrush(const RecordBytes& record, const char* at);
  void PolyPolygon(const RecordBytes& record, const char* at);

  Playback playback_;
  Rect window_;
};

std::vector<Point> WmfPlayer::Points(const RecordBytes& record, std::uint64_t offset,
                                     std::uint64_t count) const {
  const auto points = record.Array<U_POINT16>(offset, count);
  std::vector<Point> mapped;
  mapped.reserve(points.size());
  for (const U_POINT16& p : points)
    mapped.push_back(playback_.Map(p.x, p.y));
  return mapped;
}

void WmfPlayer::SetWindow(std::int32_t left, std::int32_t top, std::int32_t width,
                          std::int32_t height) {
  window_ = {left, top, left + width, top + height};
  if (width != 0 && height != 0) playback_.SetPicture(window_);
}

void WmfPlayer::Text(const RecordBytes& record, const char* at, U_POINT16 where,
                     std::int16_t length, const char* string) {
  if (length < 0) throw Refusal{"negative text length"};
  const std::string_view bytes = record.Slice(OffsetIn(at, string), length);
  const bool ansi = playback_.state().font.CharSet == kAnsiCharSet;
  playback_.dc().TextOut(playback_.Map(where.x, where.y),
                         ansi ? sjis::FromLatin1Lossy(bytes) : std::string(bytes));
}

void WmfPlayer::CreateFont(const RecordBytes& record, const char* at) {
  const char* data = nullptr;
  U_WMRCREATEFONTINDIRECT_get(at, &data);
  const std::uint64_t offset = OffsetIn(at, data);
  U_FONT fixed{};
  const std::string_view stored = record.Slice(offset, kFontFixedSize);
  std::memcpy(&fixed, stored.data(), kFontFixedSize);
  const std::string_view rest = record.Rest(offset + kFontFixedSize);
  const std::string_view face = rest.substr(0, std::min(rest.size(), kMaxFaceBytes));
  GdiObject object{ObjectKind::kFont, {}, {}, {}};
  LogFont& font = object.font;
  font.Height = ScaleLength(fixed.Height, playback_.ScaleY());
  font.Width = ScaleLength(fixed.Width, playback_.ScaleX());
  font.Escapement = fixed.Escapement;
  font.Orientation = fixed.Orientation;
  font.Weight = fixed.Weight;
  font.Italic = fixed.Italic;
  font.Underline = fixed.Underline;
  font.StrikeOut = fixed.StrikeOut;
  font.CharSet = fixed.CharSet;
  font.OutPrecision = fixed.OutPrecision;
  font.ClipPrecision = fixed.ClipPrecision;
  font.Quality = fixed.Quality;
  font.PitchAndFamily = fixed.PitchAndFamily;
  font.FaceName = std::string(face.substr(0, face.find('\0')));
  if (font.CharSet == kAnsiCharSet) font.FaceName = sjis::FromLatin1Lossy(font.FaceName);
  playback_.CreateInFreeSlot(std::move(object));
}

void WmfPlayer::CreateBrush(const RecordBytes& record, const char* at) {
  const char* data = nullptr;
  U_WMRCREATEBRUSHINDIRECT_get(at, &data);
  U_WLOGBRUSH brush;
  std::memcpy(&brush, record.Slice(OffsetIn(at, data), U_SIZE_WLOGBRUSH).data(), U_SIZE_WLOGBRUSH);
  playback_.CreateInFreeSlot(
      {ObjectKind::kBrush, {}, BrushFrom(brush.Style, FromColorRef(brush.Color), brush.Hatch), {}});
}

void WmfPlayer::CreatePatternBrush(const RecordBytes& record, const char* at) {
  std::uint16_t style = 0;
  std::uint16_t usage = 0;
  const char* bitmap16 = nullptr;
  const char* dib = nullptr;
  U_WMRDIBCREATEPATTERNBRUSH_get(at, &style, &usage, &bitmap16, &dib);
  GdiObject object{ObjectKind::kBrush, {}, PatternBrushFromPackedDib({}), {}};
  if (dib != nullptr) {
    object.brush = PatternBrushFromPackedDib(record.Rest(OffsetIn(at, dib)));
  }
  playback_.CreateInFreeSlot(object);
}

void WmfPlayer::PolyPolygon(const RecordBytes& record, const char* at) {
  std::uint16_t polygons = 0;
  const std::uint16_t* counts_at = nullptr;
  const char* points_at = nullptr;
  U_WMRPOLYPOLYGON_get(at, &polygons, &counts_at, &points_at);
  const auto counts = record.Array<std::uint16_t>(OffsetIn(at, counts_at), polygons);
  const std::uint64_t total = std::accumulate(counts.begin(), counts.end(), std::uint64_t{0});
  const std::vector<Point> points = Points(record, OffsetIn(at, points_at), total);
  std::size_t start = 0;
  for (const std::uint16_t count : counts) {
    playback_.dc().Polygon(std::span<const Point>(points).subspan(start, count));
    start += count;
  }
}

bool WmfPlayer::Play(std::uint8_t type, const RecordBytes& record, const char* at) {
  DeviceContext& dc = playback_.dc();
  std::uint16_t mode = 0;
  U_COLORREF color{};
  U_POINT16 point{};
  U_RECT16 rect{};
  switch (type) {
    case U_WMR_EOF:
      return true;
    case U_WMR_SETBKCOLOR:
      U_WMRSETBKCOLOR_get(at, &color);
      playback_.SetBackgroundColor(FromColorRef(color));
      break;
    case U_WMR_SETTEXTCOLOR:
      U_WMRSETTEXTCOLOR_get(at, &color);
      playback_.SetTextColor(FromColorRef(color));
      break;
    case U_WMR_SETBKMODE:
      U_WMRSETBKMODE_get(at, &mode);
      playback_.SetBackgroundMode(mode);
      break;
    case U_WMR_SETROP2:
      U_WMRSETROP2_get(at, &mode);
      playback_.SetRasterOp(mode);
      break;
    case U_WMR_SETPOLYFILLMODE:
      U_WMRSETPOLYFILLMODE_get(at, &mode);
      playback_.SetFillMode(mode);
      break;
    case U_WMR_SETTEXTALIGN:
      U_WMRSETTEXTALIGN_get(at, &mode);
      playback_.SetTextAlign(mode);
      break;
    case U_WMR_SETWINDOWORG:
      U_WMRSETWINDOWORG_get(at, &point);
      SetWindow(point.x, point.y, window_.right - window_.left, window_.bottom - window_.top);
      break;
    case U_WMR_SETWINDOWEXT:
      U_WMRSETWINDOWEXT_get(at, &point);
      if (point.x == 0 || point.y == 0) throw Refusal{"zero window extent"};
      SetWindow(window_.left, window_.top, point.x, point.y);
      break;
    case U_WMR_MOVETO:
      U_WMRMOVETO_get(at, &point);
      dc.MoveTo(playback_.Map(point.x, point.y));
      break;
    case U_WMR_LINETO:
      U_WMRLINETO_get(at, &point);
      dc.LineTo(playback_.Map(point.x, point.y));
      break;
    case U_WMR_RECTANGLE:
    case U_WMR_ELLIPSE: {
      type == U_WMR_RECTANGLE ? U_WMRRECTANGLE_get(at, &rect) : U_WMRELLIPSE_get(at, &rect);
      const Rect mapped = playback_.MapRect(rect.left, rect.top, rect.right, rect.bottom);
      type == U_WMR_RECTANGLE ? dc.Rectangle(mapped) : dc.Ellipse(mapped);
      break;
    }
    case U_WMR_POLYGON:
    case U_WMR_POLYLINE: {
      std::uint16_t count = 0;
      const char* data = nullptr;
      type == U_WMR_POLYGON ? U_WMRPOLYGON_get(at, &count, &data)
                            : U_WMRPOLYLINE_get(at, &count, &data);
      const std::vector<Point> points = Points(record, OffsetIn(at, data), count);
      type == U_WMR_POLYGON ? dc.Polygon(points) : dc.Polyline(points);
      break;
    }
    case U_WMR_POLYPOLYGON:
      PolyPolygon(record, at);
      break;
    case U_WMR_TEXTOUT: {
      std::int16_t length = 0;
      const char* string = nullptr;
      U_WMRTEXTOUT_get(at, &point, &length, &string);
      Text(record, at, point, length, string);
      break;
    }
    case U_WMR_EXTTEXTOUT: {
      std::int16_t length = 0;
      std::uint16_t options = 0;
      const char* string = nullptr;
      const std::int16_t* dx = nullptr;
      U_WMREXTTEXTOUT_get(at, &point, &length, &options, &string, &dx, &rect);
      Text(record, at, point, length, string);
      break;
    }
    case U_WMR_SAVEDC:
      playback_.Save();
      break;
    case U_WMR_RESTOREDC: {
      std::int16_t level = 0;
      U_WMRRESTOREDC_get(at, &level);
      playback_.Restore(level);
      break;
    }
    case U_WMR_SELECTOBJECT:
      U_WMRSELECTOBJECT_get(at, &mode);
      playback_.Select(mode);
      break;
    case U_WMR_SELECTPALETTE:
      break;
    case U_WMR_DELETEOBJECT:
      U_WMRDELETEOBJECT_get(at, &mode);
      playback_.Delete(mode);
      break;
    case U_WMR_CREATEPENINDIRECT: {
      U_PEN pen{};
      U_WMRCREATEPENINDIRECT_get(at, &pen);
      GdiObject object{
          ObjectKind::kPen, PenFrom(pen.Style, pen.Widthw[0], FromColorRef(pen.Color)), {}, {}};
      object.pen.width = ScaleLength(object.pen.width, playback_.ScaleX());
      playback_.CreateInFreeSlot(object);
      break;
    }
    case U_WMR_CREATEBRUSHINDIRECT:
      CreateBrush(record, at);
      break;
    case U_WMR_DIBCREATEPATTERNBRUSH:
      CreatePatternBrush(record, at);
      break;
    case U_WMR_CREATEFONTINDIRECT:
      CreateFont(record, at);
      break;
    case U_WMR_CREATEPALETTE:
      playback_.CreateInFreeSlot({ObjectKind::kPalette, {}, {}, {}});
      break;
    case U_WMR_CREATEPATTERNBRUSH:
      playback_.CreateInFreeSlot({ObjectKind::kBrush, {}, PatternBrushFromPackedDib({}), {}});
      break;
    case U_WMR_CREATEREGION:
      playback_.CreateInFreeSlot({ObjectKind::kOther, {}, {}, {}});
      break;
    default:
      break;  // records that do not draw on a map, or that this player leaves out
  }
  return false;
}

Status PlayRecords(std::string_view bytes, const WmfHeader& header, DeviceContext& dc,
                   const Rect& target) {
  const std::string_view data = bytes.substr(0, header.length);
  std::size_t offset = header.records_at;
  try {
    WmfPlayer player(header, dc, target);
    while (true) {
      const std::size_t left = data.size() - offset;
      if (left == 0) return BadFormat(offset, "no end-of-file record");
      if (left < kRecordHeaderSize) return BadFormat(offset, "record header cut off");
      U_METARECORD head;
      std::memcpy(&head, data.data() + offset, kRecordHeaderSize);
      const std::uint64_t size =
          2 * (head.Size16_4[0] | (static_cast<std::uint64_t>(head.Size16_4[1]) << 16));
      if (size < kRecordHeaderSize) {
        return BadFormat(offset, "record size " + std::to_string(size) + " below 6 bytes");
      }
      if (size > left) {
        return BadFormat(offset, "record of " + std::to_string(size) + " bytes, only " +
                                     std::to_string(left) + " left");
      }
      const char* at = data.data() + offset;
      const bool known =
          U_wmr_values(head.iType) == static_cast<std::uint32_t>(head.iType | (head.xb << 8));
      if (known && U_WMRRECSAFE_get(at, at + size) == 0) {
        return BadFormat(offset, "record type " + std::to_string(head.iType) + " is damaged");
      }
      try {
        const RecordBytes record(std::string_view(at, static_cast<std::size_t>(size)));
        if (known && player.Play(head.iType, record, at)) break;
      } catch (const Refusal& refusal) {
        return Status(refusal.code, refusal.reason, offset);
      }
      offset += static_cast<std::size_t>(size);
    }
  } catch (const Refusal& refusal) {
    return Status(refusal.code, refusal.reason, header.records_at);
  }
  return {};
}

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
  return PlayRecords(bytes, *header, dc, target);
}

}  // namespace kartela::gdi
