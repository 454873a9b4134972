// The EMF and WMF writers and the metafile player, through their real paths:
// a scene drawn straight into a recording device context must come back the
// same after writer -> bytes -> player; damaged files must be refused with
// the offset and the reason.
#include <uemf.h>
#include <uwmf.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <variant>
#include <vector>

#include "gdi/emf_writer.h"
#include "gdi/metafile_player.h"
#include "gdi/recording_device_context.h"
#include "gdi/wmf_writer.h"
#include "model/test_support.h"

namespace kartela::gdi {
namespace {

using test::Sjis;

constexpr Size kPicture{640, 400};
constexpr Rect kWholePicture{0, 0, 640, 400};

// Polygons, a polyline, a rectangle, an ellipse, lines and Japanese texts
// with solid, hatched, pattern and hollow brushes and solid, dotted and wide
// pens.
void DrawScene(DeviceContext& dc) {
  LogFont mincho;
  mincho.Height = -16;
  mincho.CharSet = 128;
  dc.SelectFont(mincho);
  const Point square[] = {{10, 10}, {110, 10}, {110, 90}, {10, 90}};
  const Point triangle[] = {{200, 20}, {300, 20}, {250, 120}};
  const Point zigzag[] = {{20, 300}, {60, 260}, {100, 300}, {140, 260}};
  dc.SelectPen({PenStyle::kSolid, 0, {10, 20, 30}});
  dc.SelectBrush({BrushKind::kSolid, {200, 100, 50}});
  dc.Polygon(square);
  dc.SetBackgroundMode(BackgroundMode::kTransparent);
  dc.SelectBrush({BrushKind::kHatch, {0, 0, 255}, HatchStyle::kDiagonalCross});
  dc.Polygon(triangle);
  dc.SelectBrush({BrushKind::kHatch, {0, 128, 0}, HatchStyle::kBackwardDiagonal});
  dc.SetFillMode(FillMode::kWinding);
  dc.Polygon(square);
  dc.SelectBrush({BrushKind::kPattern,
                  {90, 0, 90},
                  HatchStyle::kHorizontal,
                  {0x81, 0x42, 0x24, 0x18, 0x18, 0x24, 0x42, 0x81}});
  dc.Rectangle({320, 40, 420, 140});
  dc.SelectPen({PenStyle::kDot, 0, {0, 0, 255}});
  dc.Polyline(zigzag);
  dc.SelectPen({PenStyle::kSolid, 3, {255, 0, 0}});
  dc.SelectBrush(Brush{});  // hollow
  dc.Ellipse({450, 200, 600, 330});
  dc.SetRasterOp(RasterOp::kNotXorPen);
  dc.MoveTo({5, 390});
  dc.LineTo({630, 390});
  dc.SetRasterOp(RasterOp::kCopyPen);
  dc.SetTextColor({0, 0, 128});
  dc.SetBackgroundColor({255, 255, 200});
  dc.SetTextAlign(kAlignCenter | kAlignBaseline);
  dc.TextOut({320, 200}, Sjis("東京都 人口 2020"));
  LogFont gothic = mincho;
  gothic.FaceName = Sjis("ＭＳ ゴシック");
  gothic.Weight = 700;
  gothic.Height = -12;
  dc.SelectFont(gothic);
  dc.SetTextAlign(kAlignLeft | kAlignTop);
  dc.SetBackgroundMode(BackgroundMode::kOpaque);
  dc.TextOut({20, 350}, Sjis("凡例 ～ 100"));
}

std::string Describe(const Pen& pen) {
  std::ostringstream out;
  out << "pen " << int(pen.style) << "/" << pen.width << "/" << int(pen.color.r) << ","
      << int(pen.color.g) << "," << int(pen.color.b);
  return out.str();
}

std::string Describe(const Brush& brush) {
  std::ostringstream out;
  out << "brush " << int(brush.kind) << "/" << int(brush.color.r) << "," << int(brush.color.g)
      << "," << int(brush.color.b);
  if (brush.kind == BrushKind::kHatch) out << "/hatch " << int(brush.hatch);
  if (brush.kind == BrushKind::kPattern) {
    for (const std::uint8_t row : brush.pattern)
      out << " " << int(row);
  }
  return out.str();
}

// Each drawing call with what it drew and the state it drew with.
std::vector<std::string> DrawingCalls(const RecordingDeviceContext& dc) {
  std::vector<std::string> described;
  for (const RecordedCall& call : dc.calls()) {
    if (call.kind < CallKind::kMoveTo || call.kind == CallKind::kTextExtent) continue;
    std::ostringstream out;
    out << "call " << int(call.kind) << ":";
    for (const Point& p : call.points)
      out << " (" << p.x << "," << p.y << ")";
    out << " rect " << call.rect.left << "," << call.rect.top << "," << call.rect.right << ","
        << call.rect.bottom << " text '" << call.text << "' " << Describe(call.state.pen) << " "
        << Describe(call.state.brush) << " font " << call.state.font.Height << "/"
        << call.state.font.Weight << "/" << int(call.state.font.CharSet) << "/'"
        << call.state.font.FaceName << "' colours " << int(call.state.text_color.b) << ","
        << int(call.state.background_color.b) << " modes " << int(call.state.background_mode) << ","
        << call.state.text_align << "," << int(call.state.fill_mode) << ","
        << int(call.state.raster_op);
    described.push_back(out.str());
  }
  return described;
}

std::string Write(MetafileWriter&& writer) {
  DrawScene(writer);
  return writer.Finish().value();
}

std::string WriteEmf(const MetafileOptions& options) {
  return Write(EmfWriter(options));
}
std::string WriteWmf(const MetafileOptions& options) {
  return Write(WmfWriter(options));
}

// A plain WMF: the placeable header taken off.
std::string WithoutPlaceableHeader(const std::string& wmf) {
  return wmf.substr(U_SIZE_WMRPLACEABLE);
}

MetafileOptions OneToOne() {
  MetafileOptions options;
  options.picture = kPicture;
  return options;
}

struct RoundTrip {
  const char* name;
  std::function<std::string()> write;
};

void PrintTo(const RoundTrip& trip, std::ostream* out) {
  *out << trip.name;
}

class MetafileRoundTripTest : public testing::TestWithParam<RoundTrip> {};

TEST_P(MetafileRoundTripTest, PlaysBackWhatWasDrawn) {
  RecordingDeviceContext direct;
  DrawScene(direct);
  const std::string bytes = GetParam().write();
  RecordingDeviceContext played;
  const Status status = PlayMetafile(bytes, played, kWholePicture);
  ASSERT_TRUE(status.ok()) << status.offset().value_or(0) << ": " << status.detail();
  const std::vector<std::string> want = DrawingCalls(direct);
  const std::vector<std::string> got = DrawingCalls(played);
  ASSERT_EQ(got.size(), want.size());
  for (std::size_t i = 0; i < want.size(); ++i)
    EXPECT_EQ(got[i], want[i]) << "call " << i;
}

INSTANTIATE_TEST_SUITE_P(
    Targets, MetafileRoundTripTest,
    testing::Values(
        RoundTrip{"EmfFile", [] { return WriteEmf(EmfFileOptions(kPicture, 96)); }},
        RoundTrip{"EmfFileAt120Dpi", [] { return WriteEmf(EmfFileOptions(kPicture, 120)); }},
        RoundTrip{"EnhancedCopy",
                  [] {
                    return WriteEmf(EnhancedMetafileCopyOptions(kPicture, {kBlack, kWhite}));
                  }},
        RoundTrip{"PlaceableWmf", [] { return WriteWmf(OneToOne()); }},
        RoundTrip{"PlainWmf", [] { return WithoutPlaceableHeader(WriteWmf(OneToOne())); }},
        RoundTrip{"WmfWithPalette",
                  [] {
                    MetafileOptions options = OneToOne();
                    options.palette = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}};
                    return WriteWmf(options);
                  }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(MetafileWriterTest, FaceNamesAndTextsAreStoredAsTheSettingsHoldThem) {
  const std::string emf = WriteEmf(EmfFileOptions(kPicture, 96));
  const std::u16string mincho = u"ＭＳ 明朝";
  const std::u16string text = u"東京都 人口 2020";
  const auto contains = [&](const std::u16string& wanted) {
    return emf.find(std::string(reinterpret_cast<const char*>(wanted.data()), wanted.size() * 2)) !=
           std::string::npos;
  };
  EXPECT_TRUE(contains(mincho));
  EXPECT_TRUE(contains(text));
  const std::string wmf = WriteWmf(OneToOne());
  EXPECT_NE(wmf.find(Sjis("ＭＳ 明朝")), std::string::npos);
  EXPECT_NE(wmf.find(Sjis("凡例 ～ 100")), std::string::npos);
}

TEST(MetafileWriterTest, PlaceableHeaderGivesTheBoxAtNinetySixUnitsPerInchWithItsChecksum) {
  const std::string wmf = WriteWmf(WmfFileOptions(kPicture, 120));
  std::uint16_t words[11];
  std::memcpy(words, wmf.data(), sizeof words);
  EXPECT_EQ(words[0] | (words[1] << 16), 0x9AC6CDD7u);
  EXPECT_EQ(words[5], 640 * 96 / 120);  // right
  EXPECT_EQ(words[6], 400 * 96 / 120);  // bottom
  EXPECT_EQ(words[7], 96);
  std::uint16_t checksum = 0;
  for (int i = 0; i < 10; ++i)
    checksum ^= words[i];
  EXPECT_EQ(words[10], checksum);
  const MetafileInfo info = InspectMetafile(wmf).value();
  EXPECT_EQ(info.format, MetafileFormat::kPlaceableWmf);
  EXPECT_EQ(info.bounds, (Rect{0, 0, 512, 320}));
}

// A WMF holds coordinates and extents of at most 32767 units: a picture whose
// bounding box (at 96 units to the inch) or window would be larger is refused
// rather than written with a header or window cut to 16 bits, and the
// drawing calls after the refusal change nothing.
TEST(MetafileWriterTest, AWmfLargerThanItsUnitsHoldIsRefused) {
  struct Case {
    const char* what;
    MetafileOptions options;
    bool written;
  };
  const Case cases[] = {
      {"as wide as a WMF holds", WmfFileOptions({32767, 100}, 96), true},
      {"one unit wider", WmfFileOptions({32768, 100}, 96), false},
      {"too tall", WmfFileOptions({100, 40000}, 96), false},
      {"box within, window not", WmfFileOptions({40000, 100}, 120), false},
      {"a copy's picture within", MetafilePictureOptions({32000, 100}, {}), true},
      {"a copy's picture too wide", MetafilePictureOptions({40000, 100}, {}), false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    WmfWriter writer(c.options);
    DrawScene(writer);
    const StatusOr<std::string> wmf = writer.Finish();
    EXPECT_EQ(wmf.ok(), c.written);
    if (c.written) {
      const Status checked = CheckMetafile(*wmf);
      EXPECT_TRUE(checked.ok()) << checked.detail();
    } else {
      EXPECT_EQ(wmf.status().code(), StatusCode::kTooLarge);
      EXPECT_NE(wmf.status().detail().find("32767"), std::string::npos) << wmf.status().detail();
    }
  }
  // An EMF holds 32-bit coordinates: the same picture is written.
  EXPECT_TRUE(EmfWriter(WmfFileOptions({40000, 40000}, 96)).Finish().ok());
}

// A WMF poly record holds at most 32767 points and a text at most 32767
// bytes: a longer line is written as several records that draw it whole; a
// longer polygon or text, which cannot be split, refuses the file.
TEST(MetafileWriterTest, AWmfRecordLongerThanItHoldsIsSplitOrRefused) {
  const auto zigzag = [](std::size_t count) {
    std::vector<Point> points;
    for (std::size_t i = 0; i < count; ++i)
      points.push_back({static_cast<std::int32_t>(i % 500), static_cast<std::int32_t>(i % 2)});
    return points;
  };
  const std::vector<Point> long_line = zigzag(150000);
  WmfWriter line_writer(WmfFileOptions({600, 100}, 96));
  line_writer.Polyline(long_line);
  const StatusOr<std::string> wmf = line_writer.Finish();
  ASSERT_TRUE(wmf.ok()) << wmf.status().detail();
  RecordingDeviceContext played;
  const Status play = PlayMetafile(*wmf, played, {0, 0, 600, 100});
  ASSERT_TRUE(play.ok()) << play.detail() << " at " << play.offset().value_or(0);
  std::size_t drawn = 0;
  int runs = 0;
  for (const RecordedCall& call : played.calls())
    if (call.kind == CallKind::kPolyline) {
      drawn += call.points.size();
      ++runs;
    }
  EXPECT_EQ(runs, 5);
  EXPECT_EQ(drawn, long_line.size() + 4);  // each later run repeats the point it starts at

  WmfWriter polygon_writer(WmfFileOptions({600, 100}, 96));
  polygon_writer.Polygon(zigzag(32768));
  EXPECT_EQ(polygon_writer.Finish().status().code(), StatusCode::kTooLarge);
  WmfWriter text_writer(WmfFileOptions({600, 100}, 96));
  text_writer.TextOut({0, 0}, std::string(40000, 'a'));
  EXPECT_EQ(text_writer.Finish().status().code(), StatusCode::kTooLarge);
}

// The record types of a metafile in order, after its header: EMF types, or
// the low byte of each WMF record's function.
std::vector<std::uint32_t> RecordTypes(const std::string& bytes, bool emf) {
  std::vector<std::uint32_t> types;
  std::size_t at = emf ? 0 : U_SIZE_WMRPLACEABLE + U_SIZE_WMRHEADER;
  while (at < bytes.size()) {
    std::uint32_t size = 0;
    if (emf) {
      U_EMR record;
      std::memcpy(&record, bytes.data() + at, sizeof record);
      types.push_back(record.iType);
      size = record.nSize;
    } else {
      const auto* record = reinterpret_cast<const U_METARECORD*>(bytes.data() + at);
      types.push_back(record->iType);
      size = U_wmr_size(record);
    }
    if (size == 0) break;
    at += size;
  }
  if (emf && !types.empty()) types.erase(types.begin());
  return types;
}

// A reader's own defaults differ (some draw no outline or fill nothing until
// a pen or a brush is selected): a file selects a pen and a brush of its own
// before it draws, even when the drawing keeps a fresh device context's.
TEST(MetafileWriterTest, AFileSelectsItsOwnPenAndBrushBeforeItDraws) {
  const Point triangle[] = {{10, 10}, {100, 10}, {50, 80}};
  struct Case {
    bool emf;
    std::vector<std::uint32_t> before_drawing;
    std::uint32_t polygon;
  };
  const Case cases[] = {
      {true,
       {U_EMR_CREATEPEN, U_EMR_SELECTOBJECT, U_EMR_CREATEBRUSHINDIRECT, U_EMR_SELECTOBJECT},
       U_EMR_POLYGON16},
      {false,
       {U_WMR_CREATEPENINDIRECT, U_WMR_SELECTOBJECT, U_WMR_CREATEBRUSHINDIRECT, U_WMR_SELECTOBJECT},
       U_WMR_POLYGON},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.emf ? "EMF" : "WMF");
    std::unique_ptr<MetafileWriter> writer;
    if (c.emf) {
      writer = std::make_unique<EmfWriter>(EmfFileOptions(kPicture, 96));
    } else {
      writer = std::make_unique<WmfWriter>(OneToOne());
    }
    writer->Polygon(triangle);
    const std::vector<std::uint32_t> types = RecordTypes(writer->Finish().value(), c.emf);
    const auto drawn = std::find(types.begin(), types.end(), c.polygon);
    ASSERT_NE(drawn, types.end());
    std::vector<std::uint32_t> objects;
    for (auto type = types.begin(); type != drawn; ++type) {
      if (std::find(c.before_drawing.begin(), c.before_drawing.end(), *type) !=
          c.before_drawing.end())
        objects.push_back(*type);
    }
    // The font follows, selected before the first text.
    objects.resize(std::min(objects.size(), c.before_drawing.size()));
    EXPECT_EQ(objects, c.before_drawing);
  }
}

// A WMF text carries its spacing array, one entry per byte: a double-byte
// character's advance on its lead byte, 0 on its trail byte. Without a
// measurer a full-width character advances by the font's height and a
// half-width one by half of it.
TEST(MetafileWriterTest, AWmfTextCarriesTheAdvanceOfEachCharacter) {
  WmfWriter writer(OneToOne());
  LogFont font;
  font.Height = -12;
  writer.SelectFont(font);
  const std::string text = Sjis("人口（20)");
  writer.TextOut({5, 5}, text);
  const std::string wmf = writer.Finish().value();
  std::size_t at = U_SIZE_WMRPLACEABLE + U_SIZE_WMRHEADER;
  const U_METARECORD* record = nullptr;
  while (at < wmf.size()) {
    record = reinterpret_cast<const U_METARECORD*>(wmf.data() + at);
    if (record->iType == U_WMR_EXTTEXTOUT) break;
    at += U_wmr_size(record);
  }
  ASSERT_LT(at, wmf.size());
  U_POINT16 where;
  std::int16_t length = 0;
  std::uint16_t options = 0;
  const char* string = nullptr;
  const std::int16_t* dx = nullptr;
  U_RECT16 rect;
  ASSERT_GT(U_WMREXTTEXTOUT_get(wmf.data() + at, &where, &length, &options, &string, &dx, &rect),
            0);
  ASSERT_EQ(length, static_cast<std::int16_t>(text.size()));
  ASSERT_NE(dx, nullptr);
  std::vector<std::int16_t> spacing(static_cast<std::size_t>(length));
  std::memcpy(spacing.data(), dx, spacing.size() * sizeof(std::int16_t));
  EXPECT_EQ(spacing, (std::vector<std::int16_t>{12, 0, 12, 0, 12, 0, 6, 6, 6}));
}

TEST(MetafileWriterTest, EmfHeaderGivesThePictureSizeAndDeviceBounds) {
  const MetafileInfo info =
      InspectMetafile(WriteEmf(EnhancedMetafileCopyOptions(kPicture, {}))).value();
  EXPECT_EQ(info.format, MetafileFormat::kEmf);
  EXPECT_EQ(info.size, kPicture);
  EXPECT_EQ(info.bounds, (Rect{0, 0, 639, 399}));
}

TEST(MetafileWriterTest, WmfTargetsEnlargeThePictureSlightlyInsideItsBox) {
  const Point corner[] = {{600, 300}, {600, 300}, {600, 300}};
  for (const MetafileOptions& options :
       {WmfFileOptions(kPicture, 96), MetafilePictureOptions(kPicture, {})}) {
    WmfWriter writer(options);
    writer.Polygon(corner);
    RecordingDeviceContext played;
    ASSERT_TRUE(PlayMetafile(writer.Finish().value(), played, kWholePicture).ok());
    const Point p = played.Polygons().at(0).points[0];
    const double across = double(options.viewport_extent.cx) / options.window_extent.cx;
    const double down = double(options.viewport_extent.cy) / options.window_extent.cy;
    EXPECT_NEAR(p.x, 600 * across, 1.0);
    EXPECT_NEAR(p.y, 300 * down, 1.0);
  }
  EXPECT_EQ(MetafilePictureExtent({640, 400}), (Size{9600, 6000}));
}

TEST(MetafilePlayerTest, ScalesThePictureIntoTheTarget) {
  const Point corner[] = {{320, 200}, {640, 400}, {0, 400}};
  for (const bool emf : {true, false}) {
    std::unique_ptr<MetafileWriter> writer;
    if (emf) {
      writer = std::make_unique<EmfWriter>(OneToOne());
    } else {
      writer = std::make_unique<WmfWriter>(OneToOne());
    }
    writer->SelectPen({PenStyle::kSolid, 2, kBlack});
    writer->Polygon(corner);
    RecordingDeviceContext played;
    ASSERT_TRUE(PlayMetafile(writer->Finish().value(), played, {100, 50, 420, 250}).ok());
    const RecordedCall polygon = played.Polygons().at(0);
    EXPECT_EQ(polygon.points, (std::vector<Point>{{260, 150}, {420, 250}, {100, 250}}));
    EXPECT_EQ(polygon.state.pen.width, 1);
  }
}

TEST(MetafileWriterTest, MeasuresTextsWithTheGivenMeasurer) {
  RecordingDeviceContext measurer;
  EmfWriter measuring(OneToOne(), &measurer);
  EXPECT_EQ(measuring.TextExtent("abcd"), (Size{24, 12}));
  EmfWriter blind(OneToOne());
  EXPECT_FALSE(blind.TextExtent("abcd"));
}

// Damaged files: each is refused at the record at fault, with a reason.

// Offsets of the records of an EMF or (after its headers) a WMF.
std::vector<std::size_t> EmfRecordOffsets(const std::string& emf) {
  std::vector<std::size_t> offsets;
  for (std::size_t at = 0; at + 8 <= emf.size();) {
    offsets.push_back(at);
    std::uint32_t size;
    std::memcpy(&size, emf.data() + at + 4, 4);
    at += size;
  }
  return offsets;
}

std::size_t FindEmfRecord(const std::string& emf, std::uint32_t type) {
  for (const std::size_t at : EmfRecordOffsets(emf)) {
    std::uint32_t found;
    std::memcpy(&found, emf.data() + at, 4);
    if (found == type) return at;
  }
  ADD_FAILURE() << "no record " << type;
  return 0;
}

std::size_t FindWmfRecord(const std::string& wmf, std::uint16_t function) {
  for (std::size_t at = U_SIZE_WMRPLACEABLE + U_SIZE_WMRHEADER; at + 6 <= wmf.size();) {
    std::uint32_t words;
    std::uint16_t found;
    std::memcpy(&words, wmf.data() + at, 4);
    std::memcpy(&found, wmf.data() + at + 4, 2);
    if (found == function) return at;
    at += 2 * words;
  }
  ADD_FAILURE() << "no record " << function;
  return 0;
}

template <typename Value>
std::string Patched(std::string bytes, std::size_t at, Value value) {
  std::memcpy(bytes.data() + at, &value, sizeof value);
  return bytes;
}

template <typename Value>
Value ReadAt(const std::string& bytes, std::size_t at) {
  Value value{};
  std::memcpy(&value, bytes.data() + at, sizeof value);
  return value;
}

// Readers such as LibreOffice take the text record's layout as fixed: the
// rectangle always present, the Dx offset at 72. Texts whose bytes happened
// to land there as a small number (" 959502") were drawn with garbage
// spacing, off the picture. The record must keep that layout.
TEST(MetafileWriterTest, TextRecordsKeepTheRectangleSoTheDxOffsetIsWhereReadersLook) {
  RecordingDeviceContext measurer;
  for (const std::string& text : {std::string(" 959502"), std::string(" 1324473"), Sjis("凡例")}) {
    EmfWriter writer(OneToOne(), &measurer);
    LogFont font;
    font.Height = -12;
    writer.SelectFont(font);
    writer.TextOut({30, 40}, text);
    const std::string emf = writer.Finish().value();
    const std::size_t at = FindEmfRecord(emf, U_EMR_EXTTEXTOUTW);
    const auto size = ReadAt<std::uint32_t>(emf, at + 4);
    const auto chars = ReadAt<std::uint32_t>(emf, at + 44);
    const auto options = ReadAt<std::uint32_t>(emf, at + 52);
    const auto off_dx = ReadAt<std::uint32_t>(emf, at + 72);
    EXPECT_EQ(options & U_ETO_NO_RECT, 0u) << text;
    EXPECT_EQ(ReadAt<std::uint32_t>(emf, at + 48), 76u) << text;  // the string after it
    ASSERT_LE(off_dx + 4 * chars, size) << text;
    std::int32_t width = 0;
    for (std::uint32_t i = 0; i < chars; ++i)
      width += ReadAt<std::int32_t>(emf, at + off_dx + 4 * i);
    EXPECT_EQ(width, measurer.TextExtent(text)->cx) << text;
  }
}

struct Damage {
  const char* name;
  std::function<std::string()> bytes;
  // The offset of the record at fault (SIZE_MAX: any) and a part of the reason.
  std::function<std::size_t(const std::string&)> offset;
  const char* reason;
  StatusCode code = StatusCode::kBadFormat;
};

std::string Emf() {
  return WriteEmf(EmfFileOptions(kPicture, 96));
}
std::string Wmf() {
  return WriteWmf(OneToOne());
}

std::size_t AtStart(const std::string&) {
  return 0;
}

std::string RandomBytes(std::uint32_t seed, std::uint8_t first) {
  std::mt19937 random(seed);
  std::string bytes(4096, '\0');
  for (char& byte : bytes)
    byte = static_cast<char>(random());
  const std::uint32_t type = first;
  std::memcpy(bytes.data(), &type, sizeof type);
  return bytes;
}

// The header again before the end-of-file record, the file's length and
// record count grown to match.
std::string WithSecondHeader(const std::string& emf) {
  const auto header_size = ReadAt<std::uint32_t>(emf, 4);
  std::string bytes = emf;
  bytes.insert(FindEmfRecord(emf, U_EMR_EOF), emf.substr(0, header_size));
  bytes = Patched(bytes, 48, static_cast<std::uint32_t>(bytes.size()));
  return Patched(bytes, 52, ReadAt<std::uint32_t>(emf, 52) + 1);
}

void PrintTo(const Damage& damage, std::ostream* out) {
  *out << damage.name;
}

class MetafileDamageTest : public testing::TestWithParam<Damage> {};

TEST_P(MetafileDamageTest, IsRefusedWithTheOffsetAndTheReason) {
  const std::string bytes = GetParam().bytes();
  RecordingDeviceContext played;
  const Status status = PlayMetafile(bytes, played, kWholePicture);
  ASSERT_FALSE(status.ok());
  EXPECT_EQ(status.offset(), GetParam().offset(bytes));
  EXPECT_NE(status.detail().find(GetParam().reason), std::string::npos) << status.detail();
  EXPECT_EQ(status.code(), GetParam().code);
  EXPECT_FALSE(CheckMetafile(bytes).ok());
}

INSTANTIATE_TEST_SUITE_P(
    Files, MetafileDamageTest,
    testing::Values(
        Damage{"EmptyFile", [] { return std::string(); }, AtStart, "短い"},
        Damage{"TruncatedEmf", [] { return Emf().substr(0, 700); }, AtStart, "途中で切れています"},
        Damage{
            "EmfRecordLongerThanTheFile",
            [] { return Patched(Emf(), FindEmfRecord(Emf(), U_EMR_POLYGON16) + 4, 0x7FFFFFF0u); },
            [](const std::string& b) { return FindEmfRecord(b, U_EMR_POLYGON16); }, "残りは"},
        Damage{"EmfRecordSizeNotAMultipleOfFour",
               [] { return Patched(Emf(), FindEmfRecord(Emf(), U_EMR_POLYGON16) + 4, 30u); },
               [](const std::string& b) { return FindEmfRecord(b, U_EMR_POLYGON16); }, "4 の倍数"},
        Damage{"EmfPointCountPastTheRecord",
               [] { return Patched(Emf(), FindEmfRecord(Emf(), U_EMR_POLYGON16) + 24, 100000u); },
               [](const std::string& b) { return FindEmfRecord(b, U_EMR_POLYGON16); }, ""},
        Damage{"EmfSelectsAnObjectNeverCreated",
               [] { return Patched(Emf(), FindEmfRecord(Emf(), U_EMR_SELECTOBJECT) + 8, 60u); },
               [](const std::string& b) { return FindEmfRecord(b, U_EMR_SELECTOBJECT); },
               "がありません"},
        Damage{"EmfCreatesAnObjectOutsideTheTable",
               [] { return Patched(Emf(), FindEmfRecord(Emf(), U_EMR_CREATEPEN) + 8, 5000u); },
               [](const std::string& b) { return FindEmfRecord(b, U_EMR_CREATEPEN); },
               "が表の外です"},
        Damage{"EmfZeroWindowExtent",
               [] {
                 const std::string emf = WriteEmf(MetafilePictureOptions(kPicture, {}));
                 return Patched(emf, FindEmfRecord(emf, U_EMR_SETWINDOWEXTEX) + 8, 0u);
               },
               [](const std::string& b) { return FindEmfRecord(b, U_EMR_SETWINDOWEXTEX); },
               "ウィンドウの広さが 0"},
        Damage{"EmfWithoutEndRecord",
               [] {
                 const std::string emf = Emf();
                 const std::size_t end = FindEmfRecord(emf, U_EMR_EOF);
                 return Patched(emf.substr(0, end), 48, static_cast<std::uint32_t>(end));
               },
               [](const std::string& b) { return b.size(); }, "終わりのレコードがありません"},
        Damage{"EmfSecondHeader", [] { return WithSecondHeader(Emf()); },
               [](const std::string& b) {
                 return FindEmfRecord(b, U_EMR_EOF) - ReadAt<std::uint32_t>(b, 4);
               },
               "二つ目の見出し"},
        Damage{"TruncatedWmf", [] { return Wmf().substr(0, 400); }, AtStart, "途中で切れています"},
        Damage{"WmfRecordLongerThanTheFile",
               [] { return Patched(Wmf(), FindWmfRecord(Wmf(), 0x0324), 0x00FFFFFFu); },
               [](const std::string& b) { return FindWmfRecord(b, 0x0324); }, "残りは"},
        Damage{"WmfSelectsAnObjectNeverCreated",
               [] { return Patched(Wmf(), FindWmfRecord(Wmf(), 0x012D) + 6, std::uint16_t{40}); },
               [](const std::string& b) { return FindWmfRecord(b, 0x012D); }, "がありません"},
        Damage{"WmfPointCountPastTheRecord",
               [] { return Patched(Wmf(), FindWmfRecord(Wmf(), 0x0324) + 6, std::uint16_t{9000}); },
               [](const std::string& b) { return FindWmfRecord(b, 0x0324); }, ""},
        Damage{"PlainWmfWithoutWindow",
               [] {
                 const std::string wmf = Wmf();
                 const std::size_t window = FindWmfRecord(wmf, 0x020C);
                 // Turn the window extent into a record no player knows.
                 return WithoutPlaceableHeader(Patched(wmf, window + 4, std::uint16_t{0x00F8}));
               },
               [](const std::string& b) {
                 return FindWmfRecord(std::string(U_SIZE_WMRPLACEABLE, '\0') + b, 0x0324) -
                        U_SIZE_WMRPLACEABLE;
               },
               "絵の大きさが決まる前", StatusCode::kUnsupported},
        Damage{"RandomBytes", [] { return RandomBytes(1, 0x55); }, AtStart, "WMF ではありません"},
        Damage{"RandomBytesWithAnEmfType", [] { return RandomBytes(2, 0x01); }, AtStart,
               "EMF ではありません"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(MetafilePlayerTest, RandomDamageNeverCrashesOrHangs) {
  const std::string files[] = {Emf(), Wmf()};
  std::mt19937 random(7);
  for (const std::string& file : files) {
    for (int round = 0; round < 300; ++round) {
      std::string bytes = file;
      for (int k = 0; k < 4; ++k)
        bytes[random() % bytes.size()] = static_cast<char>(random());
      RecordingDeviceContext played;
      (void)PlayMetafile(bytes, played, kWholePicture);  // must return, drawn or refused
    }
  }
}

}  // namespace
}  // namespace kartela::gdi
