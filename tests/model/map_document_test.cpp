#include "model/map_document.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/real48.h"
#include "test_support.h"

namespace kartela {
namespace {

using map_document::Kind;
using test::Sjis;

MapDocument WithDecorations(MapDocument document) {
  document.Shapes = {{10, 20, 30, 40, kShapeLine}, {-5, 7, 100, 90, kShapeCircle + 9}};
  document.Texts = {{12, 34, kTextCleared, Sjis("東京")}, {0, 0, kTextTransparent, " x "}};
  return document;
}

MapDocument PaintDocument() {
  MapDocument document;
  document.Kind = Kind::kPaintMap;
  document.DataTitle = "@P";  // a title equal to a kind tag stays a title
  document.BaseMapFile = "JAPAN.IDT";
  document.Paint = {1.5, 250.25, 2, 5, {"  10", "20", "", "", "", "", ""}, ""};
  document.Values = {"12", " 3.5", "", Sjis("不明"), "-7"};
  return WithDecorations(document);
}

MapDocument CircleDocument() {
  MapDocument document;
  document.Kind = Kind::kCircleGraph;
  document.DataTitle = Sjis("人口");
  document.BaseMapFile = "/maps/US.IDT";
  document.Symbols = {25, RoundToReal48(0.1L), " 3400", 3, 8};
  document.Values = {"1", "2"};
  return WithDecorations(document);
}

MapDocument PictureDocument() {
  MapDocument document;
  document.Kind = Kind::kPictureGraph;
  document.DataTitle = "t";
  document.BaseMapFile = "JAPAN.IDT";
  document.GlyphPictureFile = "PERSON.EMF";
  document.Symbols = {-3, RoundToReal48(-1e-5L), "100", 6, 1};
  document.Values = {"5"};
  return document;
}

TEST(MapDocumentTest, RealsAreWrittenInTheFixedFormAndReadInAnyNotation) {
  const struct {
    double value;
    const char* text;
  } written[] = {{0, " 0.00000000000000E+0000"},
                 {1.5, " 1.50000000000000E+0000"},
                 {-1.7e38, "-1.70000000000000E+0038"},
                 {1e-5, " 1.00000000000000E-0005"}};
  for (const auto& row : written) {
    EXPECT_EQ(map_document::FormatReal(row.value), row.text);
    EXPECT_EQ(map_document::FormatReal(row.value).size(), map_document::kRealTextBytes);
    EXPECT_EQ(map_document::ParseReal(row.text), RoundToReal48(row.value)) << row.text;
  }
  const struct {
    const char* text;
    double value;
  } read[] = {{"1.5", 1.5}, {"  -2 ", -2}, {"1e3", 1000},
              {"+.5", 0.5}, {"5.", 5},     {"-2.5E-1", -0.25}};
  for (const auto& row : read)
    EXPECT_EQ(map_document::ParseReal(row.text), row.value) << row.text;
  for (const char* bad : {"", " ", "abc", "1.5x", "inf", "nan", "+-1", "1e39", "1,5", "0x10"})
    EXPECT_EQ(map_document::ParseReal(bad), std::nullopt) << bad;
}

TEST(MapDocumentTest, WhiteMapDocumentHasItsExactBytes) {
  MapDocument document;
  document.BaseMapFile = "C:\\MAPS\\JAPAN.IDT";
  EXPECT_EQ(FormatMapDocument(document), "@W\r\n\r\nC:\\MAPS\\JAPAN.IDT\r\n#\r\n0\r\n0\r\n0\r\n");
}

TEST(MapDocumentTest, EachKindReadsBackAndWritesAgainByteForByte) {
  for (const MapDocument& document :
       {PaintDocument(), CircleDocument(), PictureDocument(), WithDecorations(MapDocument{})}) {
    const std::string bytes = FormatMapDocument(document);
    EXPECT_EQ(MapDocumentWriteRefusal(document), "");
    const StatusOr<MapDocument> read = ParseMapDocument(bytes);
    ASSERT_TRUE(read.ok()) << read.status().detail();
    const MapDocument& again = *read;
    EXPECT_EQ(FormatMapDocument(again), bytes);
    EXPECT_EQ(again.Kind, document.Kind);
    EXPECT_EQ(again.DataTitle, document.DataTitle);
    EXPECT_EQ(again.Values, document.Values);
    ASSERT_EQ(again.Texts.size(), document.Texts.size());
    for (std::size_t i = 0; i < again.Texts.size(); ++i)
      EXPECT_EQ(again.Texts[i].Text, document.Texts[i].Text);
  }
  const auto paint = ParseMapDocument(FormatMapDocument(PaintDocument())).value();
  EXPECT_EQ(paint.Paint.ClassBreaks[0], "  10");
  EXPECT_EQ(paint.Paint.DataMax, 250.25);
  const auto circle = ParseMapDocument(FormatMapDocument(CircleDocument())).value();
  EXPECT_EQ(circle.Symbols.RefValueText, " 3400");
  EXPECT_EQ(circle.Symbols.MinusColour, 8);
  EXPECT_EQ(circle.Shapes[1].Kind, kShapeCircle + 9);
}

TEST(MapDocumentTest, HeaderLinesBeforeTheBodyAreSkippedAndLfEndingsRead) {
  const auto read = ParseMapDocument("@W\n\nA.IDT\nextra\r\n#\n0\n1\n1\n2\n3\n4\n16\n0\n");
  ASSERT_TRUE(read.ok()) << read.status().detail();
  EXPECT_EQ(read->Shapes.at(0).Kind, 16);
}

// A scheme adds one line after the paint header; without one the bytes are
// those of a document from before schemes, and other kinds ignore the line.
TEST(MapDocumentTest, ColorSchemeLineOnlyWhenChosen) {
  MapDocument schemed = PaintDocument();
  schemed.Paint.ColorScheme = "Blues";
  const std::string plain = FormatMapDocument(PaintDocument());
  const std::string bytes = FormatMapDocument(schemed);
  const std::size_t body = plain.find("\r\n#\r\n");
  EXPECT_EQ(bytes, plain.substr(0, body) + "\r\nColorScheme=Blues" + plain.substr(body));
  EXPECT_EQ(ParseMapDocument(bytes).value().Paint.ColorScheme, "Blues");
  EXPECT_EQ(ParseMapDocument(plain).value().Paint.ColorScheme, "");
  const auto white =
      ParseMapDocument("@W\r\n\r\nA.IDT\r\nColorScheme=RdBu\r\n#\r\n0\r\n0\r\n0\r\n");
  EXPECT_EQ(white.value().Paint.ColorScheme, "");
  schemed.Paint.ColorScheme = "Blues\nx";
  EXPECT_NE(MapDocumentWriteRefusal(schemed), "");
}

// The heading, the source line and the nested legend add lines before the
// body only when set, which readers that do not know them skip; the arrows
// are shapes of two new kinds.
TEST(MapDocumentTest, FurnitureLinesAndArrowsRoundTrip) {
  MapDocument circle = CircleDocument();
  const std::string plain = FormatMapDocument(circle);
  EXPECT_EQ(plain.find("LegendHeading"), std::string::npos);
  EXPECT_EQ(plain.find("Source="), std::string::npos);
  EXPECT_EQ(plain.find("CircleLegend"), std::string::npos);
  circle.LegendHeading = Sjis("単位：人");
  circle.SourceText = Sjis("出典：総務省「国勢調査」");
  circle.SourceAtRight = true;
  circle.Symbols.NestedLegend = true;
  circle.Shapes.push_back({50, 60, 90, 20, kShapeArrow});
  circle.Shapes.push_back({200, 100, 200, 136, kShapeNorthArrow});
  const std::string bytes = FormatMapDocument(circle);
  EXPECT_EQ(MapDocumentWriteRefusal(circle), "");
  const MapDocument read = ParseMapDocument(bytes).value();
  EXPECT_EQ(read.LegendHeading, circle.LegendHeading);
  EXPECT_EQ(read.SourceText, circle.SourceText);
  EXPECT_TRUE(read.SourceAtRight);
  EXPECT_TRUE(read.Symbols.NestedLegend);
  ASSERT_EQ(read.Shapes.size(), 4u);
  EXPECT_EQ(read.Shapes[2].Kind, kShapeArrow);
  EXPECT_EQ(read.Shapes[3].Y2, 136);
  EXPECT_EQ(SplitShapeKind(read.Shapes[3].Kind).mode, DecorationMode::kNorthArrow);
  // The nested legend belongs to circle maps; a paint map ignores the line.
  MapDocument paint = PaintDocument();
  paint.SourceText = "x";
  const std::string paint_bytes = FormatMapDocument(paint);
  const std::size_t body = paint_bytes.find("\r\n#\r\n");
  const auto other = ParseMapDocument(paint_bytes.substr(0, body) + "\r\nCircleLegend=nested" +
                                      paint_bytes.substr(body));
  EXPECT_FALSE(other.value().Symbols.NestedLegend);
  EXPECT_EQ(other.value().SourceText, "x");
  EXPECT_FALSE(other.value().SourceAtRight);
  // A source whose own text begins like a position mark reads back as written.
  for (const bool right : {false, true}) {
    for (const char* text : {"R,x", "L,y", "R"}) {
      paint.SourceText = text;
      paint.SourceAtRight = right;
      const auto marked = ParseMapDocument(FormatMapDocument(paint));
      EXPECT_EQ(marked.value().SourceText, text) << right;
      EXPECT_EQ(marked.value().SourceAtRight, right) << text;
    }
  }
  paint.LegendHeading = "a\nb";
  EXPECT_NE(MapDocumentWriteRefusal(paint), "");
}

// Where the `n`-th line (1 and more) of `bytes` begins; its end for a line
// after the last.
std::size_t LineStart(const std::string& bytes, std::size_t n) {
  std::size_t begin = 0;
  for (std::size_t i = 1; i < n && begin < bytes.size(); ++i)
    begin = std::min(bytes.find("\r\n", begin), bytes.size() - 2) + 2;
  return begin;
}

// Replaces the `n`-th line (1 and more) of `bytes` by `line`.
std::string WithLine(const std::string& bytes, std::size_t n, const std::string& line) {
  const std::size_t begin = LineStart(bytes, n);
  return bytes.substr(0, begin) + line + bytes.substr(bytes.find("\r\n", begin));
}

TEST(MapDocumentTest, RefusesWhatTheLayoutCannotHoldAndSaysWhere) {
  const std::string paint = FormatMapDocument(PaintDocument());
  // Lines of the paint document: 4..7 numbers, 8..14 boundaries, 15 "#",
  // 16 the value count, 17..21 values, 22 the shape count.
  const std::size_t text_count_line = 22 + 1 + 2 * 5;
  const struct {
    const char* name;
    std::string bytes;
    std::size_t line;
    const char* reason;
  } rows[] = {
      {"unknown tag", WithLine(paint, 1, "@X"), 1, "を知りません"},
      {"long value", WithLine(paint, 17, "123456789012"), 17, "11 バイト"},
      {"long boundary", WithLine(paint, 8, std::string(23, '1')), 8, "22 バイト"},
      {"value count", WithLine(paint, 16, "3441"), 16, "値の数"},
      {"shape count", WithLine(paint, 22, "241"), 22, "図形の数"},
      {"text count", WithLine(paint, text_count_line, "241"), text_count_line, "文字の数"},
      {"bad real", WithLine(paint, 4, "1.5.0"), 4, "数値ではありません"},
      {"bad method", WithLine(paint, 6, "3"), 6, "区分の方法"},
      {"cut short", paint.substr(0, paint.size() - 5), text_count_line + 8, "途中で終わっています"},
      {"no body", "@W\r\n\r\nA.IDT\r\n", 4, "途中で終わっています"},
      {"too large", std::string(map_document::kMaxFileBytes + 1, '#'), 0, "大きさを超えて"},
  };
  for (const auto& row : rows) {
    const StatusOr<MapDocument> read = ParseMapDocument(row.bytes);
    ASSERT_FALSE(read.ok()) << row.name;
    const Status& fault = read.status();
    EXPECT_NE(fault.detail().find(row.reason), std::string::npos)
        << row.name << ": " << fault.detail();
    if (row.line == 0) {  // the whole file
      EXPECT_EQ(fault.code(), StatusCode::kTooLarge) << row.name;
      continue;
    }
    EXPECT_EQ(fault.code(), StatusCode::kBadFormat) << row.name;
    EXPECT_TRUE(fault.detail().starts_with(std::to_string(row.line) + " 行目："))
        << row.name << ": " << fault.detail();
    EXPECT_EQ(fault.offset(), LineStart(row.bytes, row.line)) << row.name;
  }
}

TEST(MapDocumentTest, WriterRefusesTextsTheReaderWouldNotTakeBack) {
  MapDocument broken = PaintDocument();
  broken.DataTitle = "a\r\nb";
  EXPECT_NE(MapDocumentWriteRefusal(broken), "");
  broken = PaintDocument();
  broken.Values[0] = "123456789012";
  EXPECT_NE(MapDocumentWriteRefusal(broken).find("11 バイト"), std::string::npos);
}

}  // namespace
}  // namespace kartela
