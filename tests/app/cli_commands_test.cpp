#include "app/cli_commands.h"

#include <gtest/gtest.h>

#include <QImage>
#include <nlohmann/json.hpp>
#include <sstream>
#include <utility>

#include "base/unwritable_dir.h"
#include "gdi/emf_writer.h"
#include "gdi/wmf_writer.h"
#include "model/messages.h"
#include "model/test_support.h"

namespace kartela {
namespace {

using Json = nlohmann::json;
using test::RecordingReporter;
using test::ScratchDir;
using test::Sjis;

// A base map of three areas, two with outlines (the first two of them).
std::string ThreeAreaMap() {
  std::string bytes = Sjis("試験地図\r\n北海道=10,10/30,5\r\n沖縄県=20,20\r\n空\r\n") +
                      "@RESOLUTION=100,80\r\n@INDEXPOSITION=70,60\r\n@STARTOFPOINTS\r\n";
  const std::int16_t records[] = {0, 0,  5, 5, 10, 5,  10, 10, 0,  0, 30,
                                  5, 31, 5, 0, 0,  20, 20, 21, 20, 0, 0};
  bytes.append(reinterpret_cast<const char*>(records), sizeof records);
  return bytes;
}

// Two 30 x 30 squares side by side, each one area, on a 100 x 80 map.
std::string FilledSquaresMap() {
  std::string bytes =
      "SQUARES\r\nWEST=25,25\r\nEAST=65,25\r\n@RESOLUTION=100,80\r\n@INDEXPOSITION=0,60\r\n@"
      "STARTOFPOINTS\r\n";
  const std::int16_t records[] = {0, 0, 10, 10, 40, 10, 40, 40, 10, 40,  //
                                  0, 0, 50, 10, 80, 10, 80, 40, 50, 40, 0, 0};
  bytes.append(reinterpret_cast<const char*>(records), sizeof records);
  return bytes;
}

class CliCommandsTest : public testing::Test {
 protected:
  // Runs a command and returns its exit status; its JSON is in `result_`.
  int Run(int (*command)(const CliContext&, const std::vector<std::string>&),
          std::vector<std::string> arguments) {
    std::ostringstream out;
    const CliContext context{dir_.path(), reporter_, out};
    const int status = command(context, arguments);
    result_ = out.str().empty() ? Json() : Json::parse(out.str());
    return status;
  }

  std::string InDir(std::string_view name) const { return (dir_.path() / name).string(); }

  ScratchDir dir_;
  RecordingReporter reporter_;
  Json result_;
};

TEST_F(CliCommandsTest, InfoDescribesTheWholeBaseMap) {
  dir_.Write("MAP.IDT", ThreeAreaMap());
  ASSERT_EQ(Run(RunInfoCommand, {InDir("MAP.IDT")}), kExitOk);
  EXPECT_EQ(result_["title"], "試験地図");
  EXPECT_EQ(result_["resolution"], Json::parse("[100, 80]"));
  EXPECT_EQ(result_["indexPosition"], Json::parse("[70, 60]"));
  EXPECT_EQ(result_["longestAreaName"], 6);
  EXPECT_EQ(result_["points"], 11);
  ASSERT_EQ(result_["areas"].size(), 3u);
  EXPECT_EQ(result_["areas"][0]["name"], "北海道");
  EXPECT_EQ(result_["areas"][0]["anchors"], Json::parse("[[10, 10], [30, 5]]"));
  EXPECT_EQ(result_["areas"][2]["anchors"], Json::array());
}

TEST_F(CliCommandsTest, InfoReportsAnUnreadableMapWithMessage3AndTheReason) {
  dir_.Write("OPEN.IDT", Sjis("試験地図\r\n北海道\r\n"));
  const std::string whole = ThreeAreaMap();
  dir_.Write("CUT.IDT", whole.substr(0, whole.size() - 7 * 4));  // after the first outline
  const std::pair<const char*, std::string> cases[] = {
      {"NONE.IDT", "ファイルを開けません"},
      {"OPEN.IDT", "@STARTOFPOINTS がありません"},
      {"CUT.IDT", "点データが途中で終わっています（地域 1「北海道」から後の輪郭がありません）"},
  };
  for (const auto& [name, reason] : cases) {
    SCOPED_TRACE(name);
    reporter_.messages.clear();
    EXPECT_EQ(Run(RunInfoCommand, {InDir(name)}), kExitFailure);
    EXPECT_EQ(reporter_.Numbers(), std::vector<int>{3});
    EXPECT_EQ(reporter_.messages.at(0).text,
              "ＩＤＴファイル：" + InDir(name) + " の読み込みに失敗しました！\n" + reason);
  }
  EXPECT_EQ(Run(RunInfoCommand, {}), kExitUsage);
}

TEST_F(CliCommandsTest, DataListsOneValuePerAreaOfTheBaseMap) {
  dir_.Write("MAP.IDT", ThreeAreaMap());
  dir_.Write("x.DAT", Sjis("MAP.IDT\r\n人口\r\n 12\r\n\r\n"));
  ASSERT_EQ(Run(RunDataCommand, {InDir("x.DAT")}), kExitOk);
  EXPECT_EQ(result_["baseMap"], "MAP.IDT");
  EXPECT_EQ(result_["title"], "人口");
  EXPECT_EQ(result_["areaCount"], 3);
  EXPECT_EQ(result_["values"], Json::parse(R"([" 12", "", ""])"));
  EXPECT_EQ(Run(RunDataCommand, {InDir("missing.DAT")}), kExitFailure);
  EXPECT_EQ(reporter_.Numbers(), std::vector<int>{6});
}

TEST_F(CliCommandsTest, StatsPrintsTheDialogTextsWithTheirBlanks) {
  dir_.Write("MAP.IDT", ThreeAreaMap());
  dir_.Write("x.DAT", "MAP.IDT\r\nT\r\n12.5\r\n3\r\nx\r\n");
  ASSERT_EQ(Run(RunStatsCommand, {InDir("x.DAT"), "--classes", "2"}), kExitOk);
  EXPECT_EQ(result_["result"], 0);
  EXPECT_EQ(result_["valueWidth"], 4);
  EXPECT_EQ(result_["stats"][0], "2");
  EXPECT_EQ(result_["stats"][3], " 3.0");
  EXPECT_EQ(result_["stats"][8], "1");
  EXPECT_EQ(result_["proposedBreaks"][0], "12.5");
  EXPECT_EQ(result_["proposedBreaks"][1], "");
  EXPECT_TRUE(reporter_.messages.empty());
}

TEST_F(CliCommandsTest, StatsProposesByTheMethodAsked) {
  dir_.Write("MAP.IDT", ThreeAreaMap());
  dir_.Write("x.DAT", "MAP.IDT\r\nT\r\n12\r\n13\r\n51\r\n");
  const std::vector<std::pair<std::vector<std::string>, Json>> cases = {
      {{}, Json::parse(R"([" 13", "", ""])")},
      {{"--method", "equal-interval"}, Json::parse(R"([" 32", "", ""])")},
      {{"--method", "jenks"}, Json::parse(R"([" 51", "", ""])")},
      {{"--method", "jenks", "--round"}, Json::parse(R"([" 50", "", ""])")},
  };
  for (const auto& [options, breaks] : cases) {
    std::vector<std::string> arguments = {InDir("x.DAT"), "--classes", "2"};
    arguments.insert(arguments.end(), options.begin(), options.end());
    ASSERT_EQ(Run(RunStatsCommand, arguments), kExitOk);
    EXPECT_EQ(Json(std::vector<Json>(result_["proposedBreaks"].begin(),
                                     result_["proposedBreaks"].begin() + 3)),
              breaks)
        << result_["method"];
  }
  EXPECT_EQ(result_["method"], "jenks");
  EXPECT_EQ(result_["round"], true);
  EXPECT_EQ(Run(RunStatsCommand, {InDir("x.DAT"), "--method", "quantile"}), kExitUsage);
}

TEST_F(CliCommandsTest, StatsReportsTooFewDataButSucceeds) {
  dir_.Write("MAP.IDT", ThreeAreaMap());
  dir_.Write("x.DAT", "MAP.IDT\r\nT\r\n1\r\n\r\n\r\n");
  ASSERT_EQ(Run(RunStatsCommand, {InDir("x.DAT")}), kExitOk);
  EXPECT_EQ(result_["result"], 3);
  EXPECT_EQ(result_["stats"], Json::array());
  EXPECT_EQ(reporter_.Numbers(), std::vector<int>{12});
}

TEST_F(CliCommandsTest, StatsRefusesABadClassCount) {
  dir_.Write("x.DAT", "MAP.IDT\r\nT\r\n");
  EXPECT_EQ(Run(RunStatsCommand, {InDir("x.DAT"), "--classes", "9"}), kExitFailure);
  EXPECT_EQ(reporter_.Numbers(), std::vector<int>{13});
  EXPECT_EQ(Run(RunStatsCommand, {InDir("x.DAT"), "--classes"}), kExitUsage);
  EXPECT_EQ(Run(RunStatsCommand, {InDir("x.DAT"), "--colour", "2"}), kExitUsage);
}

TEST_F(CliCommandsTest, RenderPaintsEachAreaWithTheBrushOfItsClass) {
  dir_.Write("MAP.IDT", FilledSquaresMap());
  dir_.Write("x.DAT", "MAP.IDT\r\nT\r\n10\r\n20\r\n");
  const std::string out = InDir("map.png");
  ASSERT_EQ(Run(RunRenderCommand, {InDir("x.DAT"), "--out", out, "--classes", "2", "--no-text"}),
            kExitOk);
  const QImage image(QString::fromStdString(out));
  ASSERT_EQ(image.size(), QSize(100, 80));
  // Default pattern order for two classes: white, then yellow.
  EXPECT_EQ(image.pixelColor(30, 30), QColor(255, 255, 255));
  EXPECT_EQ(image.pixelColor(70, 30), QColor(255, 255, 0));
  EXPECT_EQ(image.pixelColor(10, 25), QColor(0, 0, 0));  // the outline
  // The second legend box, the legend moved up to lie whole on the picture
  // (from y = 60 its two rows would reach y = 88).
  EXPECT_EQ(image.pixelColor(5, 72), QColor(255, 255, 0));
  EXPECT_EQ(image.pixelColor(5, 79), QColor(255, 255, 255));
}

TEST_F(CliCommandsTest, RenderWritesDocumentsThatDrawTheSameMap) {
  dir_.Write("MAP.IDT", FilledSquaresMap());
  dir_.Write("x.DAT", "MAP.IDT\r\nT\r\n100\r\n-50\r\n");
  for (const char* kind : {"paint", "circle", "white"}) {
    SCOPED_TRACE(kind);
    const std::vector<std::string> options = {"--map", kind, "--classes", "2"};
    const auto render = [&](const std::string& input, const std::string& out) {
      std::vector<std::string> arguments = {input, "--out", out};
      arguments.insert(arguments.end(), options.begin(), options.end());
      return Run(RunRenderCommand, arguments);
    };
    ASSERT_EQ(render(InDir("x.DAT"), InDir("map.KTD")), kExitOk);
    ASSERT_EQ(render(InDir("x.DAT"), InDir("direct.png")), kExitOk);
    ASSERT_EQ(Run(RunRenderCommand, {InDir("map.KTD"), "--out", InDir("document.png")}), kExitOk);
    EXPECT_EQ(QImage(QString::fromStdString(InDir("document.png"))),
              QImage(QString::fromStdString(InDir("direct.png"))));
  }
  EXPECT_TRUE(reporter_.messages.empty());
  dir_.Write("bad.KTD", "@X\r\n");
  EXPECT_EQ(Run(RunRenderCommand, {InDir("bad.KTD"), "--out", InDir("bad.png")}), kExitFailure);
  EXPECT_EQ(reporter_.Numbers(), std::vector<int>{kMsgFileReadFailed});
}

// The heading and the source line from the options: drawn inside the
// picture, which grows by the source's line, and kept by the document.
TEST_F(CliCommandsTest, RenderWithLegendHeadingAndSource) {
  dir_.Write("MAP.IDT", FilledSquaresMap());
  dir_.Write("x.DAT", "MAP.IDT\r\nT\r\n10\r\n20\r\n");
  const std::vector<std::string> texts = {"--legend-heading",         "単位：人",        "--source",
                                          "出典：総務省「国勢調査」", "--circle-legend", "nested"};
  const auto render = [&](const std::string& out, std::vector<std::string> more) {
    std::vector<std::string> arguments = {InDir("x.DAT"), "--out", out, "--classes", "2"};
    arguments.insert(arguments.end(), more.begin(), more.end());
    return Run(RunRenderCommand, arguments);
  };
  ASSERT_EQ(render(InDir("plain.png"), {}), kExitOk);
  ASSERT_EQ(render(InDir("map.png"), texts), kExitOk);
  ASSERT_EQ(render(InDir("map.KTD"), texts), kExitOk);
  const QImage plain(QString::fromStdString(InDir("plain.png")));
  const QImage image(QString::fromStdString(InDir("map.png")));
  EXPECT_EQ(plain.size(), QSize(100, 80));
  EXPECT_EQ(image.width(), 100);
  EXPECT_GT(image.height(), 80);
  // The source's ink at the lower left, below the map.
  bool ink = false;
  for (int y = 80; y < image.height(); ++y) {
    for (int x = 0; x < 40; ++x)
      ink = ink || image.pixelColor(x, y).lightness() < 128;
  }
  EXPECT_TRUE(ink);
  const std::string document = dir_.Read("map.KTD");
  EXPECT_NE(document.find("LegendHeading=" + Sjis("単位：人")), std::string::npos);
  EXPECT_NE(document.find("Source=" + Sjis("出典：総務省「国勢調査」")), std::string::npos);
  ASSERT_EQ(Run(RunRenderCommand, {InDir("map.KTD"), "--out", InDir("document.png")}), kExitOk);
  EXPECT_EQ(QImage(QString::fromStdString(InDir("document.png"))), image);
  EXPECT_TRUE(reporter_.messages.empty());
  EXPECT_EQ(render(InDir("bad.png"), {"--circle-legend", "pie"}), kExitFailure);
  EXPECT_EQ(render(InDir("bad.png"), {"--source", std::string(81, 'a')}), kExitFailure);
  EXPECT_EQ(render(InDir("bad.png"), {"--legend-heading", "人/km²"}), kExitFailure);
  EXPECT_EQ(reporter_.Numbers(),
            (std::vector<int>{kMsgBadSetting, kMsgBadSetting, kMsgBadSetting}));
  // The refusals of a text say which option and why.
  EXPECT_NE(reporter_.messages[1].text.find("--source"), std::string::npos);
  EXPECT_NE(reporter_.messages[1].text.find("80"), std::string::npos);
  EXPECT_NE(reporter_.messages[2].text.find("Shift-JIS"), std::string::npos);
}

TEST_F(CliCommandsTest, RenderOpensABaseMapWhoseNameHasNoShiftJisForm) {
  const char* name = "\xF0\xA0\xAE\xB7.IDT";  // U+20BB7 has no Shift-JIS form
  dir_.Write(name, FilledSquaresMap());
  const std::string out = InDir("white.png");
  ASSERT_EQ(Run(RunRenderCommand, {InDir(name), "--out", out, "--no-text"}), kExitOk);
  EXPECT_EQ(QImage(QString::fromStdString(out)).size(), QSize(100, 80));
  EXPECT_TRUE(reporter_.messages.empty());
}

// A document names its base map in Shift-JIS: the white map of a base map
// whose path has none is refused under message 5 with the reason, and no
// document is written.
TEST_F(CliCommandsTest, RenderRefusesADocumentOfABaseMapWhosePathHasNoShiftJisForm) {
  const char* name = "\xF0\xA0\xAE\xB7.IDT";  // U+20BB7 has no Shift-JIS form
  dir_.Write(name, FilledSquaresMap());
  const std::string out = InDir("white.KTD");
  EXPECT_EQ(Run(RunRenderCommand, {InDir(name), "--out", out}), kExitFailure);
  ASSERT_EQ(reporter_.Numbers(), std::vector<int>{kMsgSaveFailed});
  EXPECT_NE(reporter_.messages[0].text.find("Shift-JIS で表せない文字があるため、文書に書けません"),
            std::string::npos)
      << reporter_.messages[0].text;
  EXPECT_FALSE(std::filesystem::exists(out));
}

// A render that cannot be written says why under message 5, for the picture
// and the document alike, and leaves nothing behind.
TEST_F(CliCommandsTest, RenderThatCannotBeWrittenSaysWhy) {
  dir_.Write("MAP.IDT", FilledSquaresMap());
  dir_.Write("x.DAT", "MAP.IDT\r\nT\r\n10\r\n20\r\n");
  test::ForEachUnwritablePlace(dir_.path(), [this](const test::UnwritablePlace& place,
                                                   const std::filesystem::path& dir) {
    for (const char* name : {"map.png", "map.KTD"}) {
      SCOPED_TRACE(dir / name);
      reporter_.messages.clear();
      const std::string out = (dir / name).string();
      EXPECT_EQ(Run(RunRenderCommand, {InDir("x.DAT"), "--out", out}), kExitFailure);
      ASSERT_EQ(reporter_.Numbers(), std::vector<int>{kMsgSaveFailed});
      EXPECT_EQ(reporter_.messages[0].text, "保存に失敗しました。\n" + std::string(place.cause));
      EXPECT_FALSE(std::filesystem::exists(out));
    }
  });
}

// A WMF holds at most 32767 units each way: a map drawn larger (描画倍率
// 400 on a 100 x 80 map) is refused under message 5 with why and what
// helps, and nothing is written; the EMF of the same map is written.
TEST_F(CliCommandsTest, RenderRefusesAWmfLargerThanItHoldsAndSaysWhatHelps) {
  dir_.Write("MAP.IDT", FilledSquaresMap());
  dir_.Write("x.DAT", "MAP.IDT\r\nT\r\n10\r\n20\r\n");
  dir_.Write("LARGE.INI", "DrawSize=400,400\r\n");
  const auto render = [&](const char* out) {
    return Run(RunRenderCommand, {InDir("x.DAT"), "--out", InDir(out), "--settings",
                                  InDir("LARGE.INI"), "--no-text"});
  };
  EXPECT_EQ(render("large.wmf"), kExitFailure);
  ASSERT_EQ(reporter_.Numbers(), std::vector<int>{kMsgSaveFailed});
  EXPECT_EQ(reporter_.messages[0].text,
            "保存に失敗しました。\nWMF の大きさは 32767 までですが、この地図は 40000 × 32000 "
            "です。描画倍率を下げてください");
  EXPECT_FALSE(std::filesystem::exists(InDir("large.wmf")));
  EXPECT_EQ(render("large.emf"), kExitOk);
}

// --out and --scale that cannot be used are refused under message 13 with
// the reason: a metafile is sized by the drawing scale, not by --scale.
TEST_F(CliCommandsTest, RenderSaysWhyItRefusesItsOutputOptions) {
  dir_.Write("MAP.IDT", FilledSquaresMap());
  dir_.Write("x.DAT", "MAP.IDT\r\nT\r\n10\r\n20\r\n");
  struct Case {
    const char* out;
    const char* scale;
    const char* reason;
  };
  const Case cases[] = {
      {"map.emf", "2", "EMF と WMF は --scale を取りません"},
      {"map.wmf", "0.5", "EMF と WMF は --scale を取りません"},
      {"map.png", "0", "--scale は 0 より大きく 100 までの数です"},
      {"map.gif", "1", "--out の拡張子は .png .svg .pdf .emf .wmf .ktd のどれかです"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.out);
    reporter_.messages.clear();
    EXPECT_EQ(Run(RunRenderCommand, {InDir("x.DAT"), "--out", InDir(c.out), "--scale", c.scale}),
              kExitFailure);
    ASSERT_EQ(reporter_.Numbers(), std::vector<int>{kMsgBadSetting});
    EXPECT_NE(reporter_.messages[0].text.find(c.reason), std::string::npos)
        << reporter_.messages[0].text;
    EXPECT_FALSE(std::filesystem::exists(InDir(c.out)));
  }
  // A scale of 1 is what a metafile is drawn at anyway.
  EXPECT_EQ(Run(RunRenderCommand, {InDir("x.DAT"), "--out", InDir("one.emf"), "--scale", "1"}),
            kExitOk);
}

TEST_F(CliCommandsTest, RenderRefusesBadInput) {
  dir_.Write("MAP.IDT", FilledSquaresMap());
  dir_.Write("x.DAT", "MAP.IDT\r\nT\r\n10\r\n20\r\n");
  const std::string out = InDir("map.png");
  EXPECT_EQ(Run(RunRenderCommand, {InDir("x.DAT"), "--out", out, "--scale", "x"}), kExitFailure);
  EXPECT_EQ(Run(RunRenderCommand, {InDir("x.DAT"), "--out", out, "--method", "3"}), kExitFailure);
  EXPECT_EQ(Run(RunRenderCommand, {InDir("none.DAT"), "--out", out}), kExitFailure);
  EXPECT_EQ(reporter_.Numbers(), (std::vector<int>{13, 13, 6}));
  EXPECT_EQ(Run(RunRenderCommand, {InDir("x.DAT")}), kExitUsage);
}

TEST_F(CliCommandsTest, RenderCircleMapWithItsOptions) {
  dir_.Write("MAP.IDT", FilledSquaresMap());
  dir_.Write("x.DAT", "MAP.IDT\r\nT\r\n100\r\n-50\r\n");
  const std::string out = InDir("map.png");
  const auto pixel = [&](int x, int y) {
    return QImage(QString::fromStdString(out)).pixelColor(x, y);
  };
  ASSERT_EQ(Run(RunRenderCommand, {InDir("x.DAT"), "--out", out, "--map", "circle", "--ref-value",
                                   "100", "--ref-radius", "10", "--no-text"}),
            kExitOk);
  EXPECT_EQ(pixel(25, 25), QColor(0, 0, 255));  // 100 above the base 0: blue, radius 10
  EXPECT_EQ(pixel(33, 25), QColor(0, 0, 255));
  EXPECT_EQ(pixel(65, 25), QColor(255, 255, 0));  // -50 below it: yellow, radius 7
  EXPECT_EQ(pixel(74, 25), QColor(255, 255, 255));
  EXPECT_EQ(pixel(10, 70), QColor(0, 0, 255));  // the reference circle at the legend corner

  // The suggested reference value 75 by default; the colours by number.
  ASSERT_EQ(
      Run(RunRenderCommand, {InDir("x.DAT"), "--out", out, "--map", "circle", "--plus-colour", "5",
                             "--minus-colour", "3", "--base-value", "-200", "--no-text"}),
      kExitOk);
  EXPECT_EQ(pixel(25, 25), QColor(255, 0, 0));
  EXPECT_EQ(pixel(65, 25), QColor(255, 0, 0));  // -50 is above the base -200
  EXPECT_TRUE(reporter_.messages.empty());
}

TEST_F(CliCommandsTest, RenderCircleMapRefusesWhatTheCommandRefuses) {
  dir_.Write("MAP.IDT", FilledSquaresMap());
  dir_.Write("x.DAT", "MAP.IDT\r\nT\r\n100\r\n-50\r\n");
  dir_.Write("zero.DAT", "MAP.IDT\r\nT\r\n0\r\n\r\n");
  const std::string out = InDir("map.png");
  const auto render = [&](std::string input, std::vector<std::string> options) {
    std::vector<std::string> arguments = {InDir(input), "--out", out, "--map", "circle"};
    arguments.insert(arguments.end(), options.begin(), options.end());
    return Run(RunRenderCommand, arguments);
  };
  EXPECT_EQ(render("zero.DAT", {}), kExitFailure);
  EXPECT_EQ(render("MAP.IDT", {}), kExitFailure);
  EXPECT_EQ(render("x.DAT", {"--ref-value", "0"}), kExitFailure);
  EXPECT_EQ(render("x.DAT", {"--ref-value", "abc"}), kExitFailure);
  EXPECT_EQ(render("x.DAT", {"--ref-value", "5", "--base-value", "5.0"}), kExitFailure);
  EXPECT_EQ(render("x.DAT", {"--plus-colour", "9"}), kExitFailure);
  EXPECT_EQ(render("x.DAT", {"--minus-colour", "-1"}), kExitFailure);
  EXPECT_EQ(render("x.DAT", {"--map", "pie"}), kExitFailure);
  EXPECT_EQ(reporter_.Numbers(), (std::vector<int>{10, 10, 13, 13, 13, 13, 13, 13}));
  EXPECT_FALSE(std::filesystem::exists(out));
  EXPECT_EQ(render("x.DAT", {"--ref-radius"}), kExitUsage);
}

// A picture of one rectangle in `colour` filling it.
template <typename Writer>
std::string FilledPicture(const gdi::MetafileOptions& options, gdi::Color colour) {
  Writer writer(options);
  writer.SelectPen(gdi::Pen{gdi::PenStyle::kNull, 0, colour});
  writer.SelectBrush(gdi::Brush{gdi::BrushKind::kSolid, colour});
  writer.Rectangle(gdi::Rect{0, 0, options.picture.cx, options.picture.cy});
  return writer.Finish().value();
}

TEST_F(CliCommandsTest, RenderPictureGraphAndBackgroundPicture) {
  dir_.Write("MAP.IDT", FilledSquaresMap());
  dir_.Write("x.DAT", "MAP.IDT\r\nT\r\n100\r\n50\r\n");
  gdi::MetafileOptions wide;
  wide.picture = gdi::Size{20, 10};
  dir_.Write("red.emf", FilledPicture<gdi::EmfWriter>(wide, gdi::Color{255, 0, 0}));
  const std::string out = InDir("map.png");
  const auto pixel = [&](int x, int y) {
    return QImage(QString::fromStdString(out)).pixelColor(x, y);
  };
  // The picture by its name in the program directory: 100, the reference,
  // half as high as the reference height 10 and twice as wide; 50 smaller.
  ASSERT_EQ(
      Run(RunRenderCommand, {InDir("x.DAT"), "--out", out, "--map", "picture", "--picture",
                             "red.emf", "--ref-value", "100", "--ref-radius", "10", "--no-text"}),
      kExitOk);
  const QColor red(255, 0, 0);
  EXPECT_EQ(pixel(7, 25), red);
  EXPECT_EQ(pixel(25, 17), red);
  EXPECT_NE(pixel(25, 13), red);
  EXPECT_EQ(pixel(65, 25), red);
  EXPECT_NE(pixel(65, 34), red);
  EXPECT_EQ(pixel(35, 70), red);  // the legend picture at the legend corner

  // A saved WMF under the white map, at the origin with its stored size.
  dir_.Write("under.wmf", FilledPicture<gdi::WmfWriter>(gdi::WmfFileOptions({60, 50}, 96),
                                                        gdi::Color{0, 200, 0}));
  ASSERT_EQ(
      Run(RunRenderCommand, {InDir("MAP.IDT"), "--out", out, "--background", InDir("under.wmf")}),
      kExitOk);
  EXPECT_EQ(pixel(5, 5), QColor(0, 200, 0));
  EXPECT_EQ(pixel(57, 47), QColor(0, 200, 0));
  EXPECT_EQ(pixel(65, 55), QColor(255, 255, 255));
  EXPECT_TRUE(reporter_.messages.empty());

  // No picture, a picture that is gone, a background that is no metafile.
  dir_.Write("noise.wmf", std::string(200, 'x'));
  EXPECT_EQ(Run(RunRenderCommand, {InDir("x.DAT"), "--out", out, "--map", "picture"}),
            kExitFailure);
  EXPECT_EQ(Run(RunRenderCommand,
                {InDir("x.DAT"), "--out", out, "--map", "picture", "--picture", "gone.emf"}),
            kExitFailure);
  EXPECT_EQ(
      Run(RunRenderCommand, {InDir("MAP.IDT"), "--out", out, "--background", InDir("noise.wmf")}),
      kExitFailure);
  EXPECT_EQ(reporter_.Numbers(), (std::vector<int>{20, 4, 4}));
  EXPECT_NE(reporter_.messages[2].text.find('\n'), std::string::npos);  // with the reason
}

}  // namespace
}  // namespace kartela
