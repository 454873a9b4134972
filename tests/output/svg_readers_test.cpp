// The SVG writer's brushes and pens drawn by librsvg and Inkscape as the
// screen draws them; and the SVG of each map kind of the sample, as they
// draw it:
// around the anchor of each prefecture the picture shows what the screen
// shows there (the class colour, the hatch lines, the circle, the
// pictogram), the outlines are dark where the screen's are, and the document
// has the groups a person editing it finds: a layer per part, an area group
// per prefecture with its id and its name and value as the title.
#include <gtest/gtest.h>

#include <QImage>
#include <QXmlStreamReader>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <map>
#include <set>

#include "base/text_encoding.h"
#include "gdi/qt/painter_device_context.h"
#include "gdi/svg_writer.h"
#include "model/test_support.h"
#include "output/map_exporter.h"
#include "render/circle_map.h"
#include "render/circle_settings_check.h"
#include "render/classification.h"
#include "render/map_frame.h"
#include "render/metafile_picture.h"
#include "render/paint_context.h"
#include "render/pictograms.h"
#include "render/picture_graph.h"
#include "sample_map.h"

namespace kartela::output {
namespace {

constexpr int kPrefectures = 47;
constexpr int kWindow = 7;  // half the side of the square checked at an anchor

enum class Kind { kHatchedPaint, kCircle, kPicture, kWhite };

struct Reader {
  const char* name;
  const char* program;
  const char* package;  // the Debian package that installs it
  // The command that draws `svg` into `png`.
  std::string (*command)(const std::string& svg, const std::string& png);
};

const Reader kReaders[] = {
    {"librsvg", "rsvg-convert", "librsvg2-bin",
     [](const std::string& svg, const std::string& png) {
       return "rsvg-convert '" + svg + "' -o '" + png + "'";
     }},
    {"Inkscape", "inkscape", "inkscape",
     [](const std::string& svg, const std::string& png) {
       return "inkscape --export-type=png --export-filename='" + png + "' '" + svg + "'";
     }},
};

// Whether `reader` is installed; a failure that says how to install it when
// not.
bool Available(const Reader& reader) {
  const std::string probe = "command -v " + std::string(reader.program) + " >/dev/null 2>&1";
  if (std::system(probe.c_str()) == 0) return true;
  ADD_FAILURE() << reader.program << " is not installed (" << reader.package
                << "; scripts/setup.sh --with-test-tools installs it)";
  return false;
}

// The picture `reader` makes of the file `svg`, or a null image.
QImage DrawnBy(const Reader& reader, const std::filesystem::path& svg) {
  std::filesystem::path png = svg;
  png.replace_extension(std::string(".") + reader.program + ".png");
  const std::string command = "HOME='" + svg.parent_path().string() + "' " +
                              reader.command(svg.string(), png.string()) + " >/dev/null 2>&1";
  if (std::system(command.c_str()) != 0) return QImage();
  QImage image(QString::fromStdString(png.string()));
  if (image.isNull()) return image;
  // Transparent pixels are the page's white.
  QImage flat(image.size(), QImage::Format_RGB32);
  flat.fill(Qt::white);
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const QColor c = image.pixelColor(x, y);
      const double a = c.alphaF();
      flat.setPixel(x, y,
                    qRgb(static_cast<int>(c.red() * a + 255 * (1 - a)),
                         static_cast<int>(c.green() * a + 255 * (1 - a)),
                         static_cast<int>(c.blue() * a + 255 * (1 - a))));
    }
  }
  return flat;
}

int Distance(QRgb a, QRgb b) {
  return std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) +
         std::abs(qBlue(a) - qBlue(b));
}

bool Paper(QRgb pixel) {
  return Distance(pixel, qRgb(255, 255, 255)) < 60;
}

// Whether the reader drew a pixel of colour `want` at `at` or beside it:
// readers smooth edges and may place them half a pixel off.
bool NearbyLike(const QImage& drawn, QPoint at, QRgb want) {
  for (int dy = -1; dy <= 1; ++dy) {
    for (int dx = -1; dx <= 1; ++dx) {
      const QPoint p = at + QPoint(dx, dy);
      if (drawn.rect().contains(p) && Distance(drawn.pixel(p), want) < 120) return true;
    }
  }
  return false;
}

// How much of the square around `at` the reader drew as the screen did: the
// share of the screen's inked pixels and of its white ones (hatch lines and
// gaps, circle and ground) that are near in colour, the smaller of the two.
double Agreement(const QImage& screen, const QImage& drawn, QPoint at) {
  int ink = 0, ink_same = 0, paper = 0, paper_same = 0;
  for (int dy = -kWindow; dy <= kWindow; ++dy) {
    for (int dx = -kWindow; dx <= kWindow; ++dx) {
      const QPoint p = at + QPoint(dx, dy);
      if (!screen.rect().contains(p) || !drawn.rect().contains(p)) continue;
      const QRgb want = screen.pixel(p);
      const bool same = NearbyLike(drawn, p, want);
      (Paper(want) ? paper : ink) += 1;
      (Paper(want) ? paper_same : ink_same) += same ? 1 : 0;
    }
  }
  const double inked = ink == 0 ? 1.0 : static_cast<double>(ink_same) / ink;
  const double white = paper == 0 ? 1.0 : static_cast<double>(paper_same) / paper;
  return std::min(inked, white);
}

// The share of the screen's dark pixels (outlines) that the reader drew
// as dark.
double DarkKept(const QImage& screen, const QImage& drawn) {
  int dark = 0, kept = 0;
  for (int y = 0; y < std::min(screen.height(), drawn.height()); ++y) {
    for (int x = 0; x < std::min(screen.width(), drawn.width()); ++x) {
      if (qGray(screen.pixel(x, y)) >= 60) continue;
      ++dark;
      if (NearbyLike(drawn, QPoint(x, y), screen.pixel(x, y))) ++kept;
    }
  }
  return dark == 0 ? 0.0 : static_cast<double>(kept) / dark;
}

// What a real XML reader finds in the document.
struct Structure {
  std::string error;
  std::set<std::string> layers;
  std::map<std::string, std::string> area_titles;  // id: title
  std::map<std::string, std::string> area_labels;  // id: Inkscape's label
  std::set<std::string> patterns;
  std::set<std::string> pattern_uses;
  std::vector<std::string> texts;
};

constexpr char kInkscape[] = "http://www.inkscape.org/namespaces/inkscape";

Structure ReadStructure(const std::string& svg) {
  Structure found;
  QXmlStreamReader xml(QByteArray::fromStdString(svg));
  std::vector<std::string> groups;
  std::string label;  // of the last group opened
  while (!xml.atEnd()) {
    xml.readNext();
    if (xml.isEndElement() && xml.name() == u"g") groups.pop_back();
    if (!xml.isStartElement()) continue;
    const QXmlStreamAttributes attributes = xml.attributes();
    const std::string id = attributes.value("id").toString().toStdString();
    const QStringView fill = attributes.value("fill");
    if (fill.startsWith(u"url(#"))
      found.pattern_uses.insert(fill.mid(5, fill.size() - 6).toString().toStdString());
    if (xml.name() == u"g") {
      groups.push_back(id);
      label = attributes.value(kInkscape, "label").toString().toStdString();
      if (attributes.value(kInkscape, "groupmode") == u"layer") found.layers.insert(id);
    } else if (xml.name() == u"pattern") {
      found.patterns.insert(id);
    } else if (xml.name() == u"title" && !groups.empty()) {
      found.area_labels[groups.back()] = label;
      found.area_titles[groups.back()] = xml.readElementText().toStdString();
    } else if (xml.name() == u"text") {
      found.texts.push_back(xml.readElementText().toStdString());
    }
  }
  if (xml.hasError()) found.error = xml.errorString().toStdString();
  return found;
}

class SvgReadersTest : public testing::Test {
 protected:
  // The sample as the map of `kind`.
  void Prepare(Kind kind) {
    ws_ = Workspace();
    ASSERT_TRUE(test::LoadSamplePaintMap(ws_));
    switch (kind) {
      case Kind::kHatchedPaint:
        // The five classes in the five hatches.
        ws_.settings.PatternOrder[3] = {34, 35, 36, 37, 38, 0, 0, 0};
        break;
      case Kind::kCircle: {
        const SymbolDataStats stats =
            ScanSymbolData(ws_.data, ws_.area_list.AreaCount(), ws_.class_tables.NumericValues);
        ASSERT_EQ(ApplyCircleFields(InitialCircleFields(ws_.symbols, stats), ws_.symbols), 0);
        StartCircleMap(ws_);
        break;
      }
      case Kind::kPicture: {
        ASSERT_EQ(
            ApplyPictureFields(InitialPictureFields(ws_.symbols, ws_.class_tables), ws_.symbols),
            0);
        auto pictograms = pictograms::MakePictograms();
        ASSERT_TRUE(pictograms.ok());
        auto picture = MetafilePicture::FromBytes(pictograms->front().bytes);
        ASSERT_TRUE(picture.ok());
        StartPictureGraph(ws_, sjis::FromUtf8(pictograms->front().file_name).value(),
                          std::move(picture).value());
        break;
      }
      case Kind::kWhite:
        ws_.view.Kind = MapKind::kWhiteMap;
        break;
    }
  }

  // The anchor of each prefecture on the picture.
  std::vector<QPoint> Anchors() const {
    const MapFrame frame = FrameOf(ws_.settings, 1.0, {});
    std::vector<QPoint> anchors;
    for (int area = 1; area <= kPrefectures; ++area) {
      const gdi::Point p =
          MapToDevice(frame, ws_.base_map.AreaAnchors[static_cast<std::size_t>(area - 1)][0]);
      anchors.emplace_back(p.x, p.y);
    }
    return anchors;
  }

  Workspace ws_;
};

TEST_F(SvgReadersTest, EachMapKindIsDrawnAsOnTheScreenAndKeepsItsStructure) {
  struct Case {
    const char* name;
    Kind kind;
    std::set<std::string> layers;  // without texts: no title, no names
    std::size_t patterns;
  };
  const Case cases[] = {
      // The special lines go over the legend, in a layer of their own.
      {"hatched paint map",
       Kind::kHatchedPaint,
       {"areas", "boundaries", "legend", "boundaries-2"},
       5},
      {"circle map", Kind::kCircle, {"areas", "boundaries", "symbols", "legend"}, 0},
      {"picture graph", Kind::kPicture, {"areas", "boundaries", "symbols", "legend"}, 0},
      {"white map", Kind::kWhite, {"areas", "boundaries"}, 0},
  };
  for (const Case& c : cases) {
    Prepare(c.kind);
    const MapExporter exporter(ws_);
    const test::ScratchDir dir;
    const std::filesystem::path file = dir.path() / "map.svg";
    ASSERT_TRUE(exporter.Save(SvgSettings{kPaintNoText}, file).ok()) << c.name;
    const StatusOr<std::string> svg = exporter.Svg(SvgSettings{kPaintNoText});
    ASSERT_TRUE(svg) << c.name;

    Structure structure = ReadStructure(*svg);
    EXPECT_EQ(structure.error, "") << c.name;
    EXPECT_EQ(structure.layers, c.layers) << c.name;
    EXPECT_EQ(structure.patterns.size(), c.patterns) << c.name;
    EXPECT_EQ(structure.pattern_uses, structure.patterns) << c.name;
    EXPECT_EQ(structure.area_titles.size(), static_cast<std::size_t>(kPrefectures)) << c.name;
    EXPECT_EQ(structure.area_titles["area-13"], "東京都 14047594") << c.name;
    EXPECT_EQ(structure.area_labels, structure.area_titles) << c.name;

    const QImage screen = exporter.Bitmap(BitmapSettings{kPaintNoText});
    for (const Reader& reader : kReaders) {
      if (!Available(reader)) continue;
      const QImage drawn = DrawnBy(reader, file);
      std::filesystem::create_directories("/tmp/s6svg_dbg");
      std::filesystem::copy_file(file, std::string("/tmp/s6svg_dbg/") + c.name + ".svg",
                                 std::filesystem::copy_options::overwrite_existing);
      drawn.save(
          QString::fromStdString(std::string("/tmp/s6svg_dbg/") + c.name + reader.name + ".png"));
      screen.save(QString::fromStdString(std::string("/tmp/s6svg_dbg/") + c.name + "screen.png"));
      ASSERT_FALSE(drawn.isNull()) << c.name << " in " << reader.name;
      EXPECT_EQ(drawn.size(), screen.size()) << c.name << " in " << reader.name;
      std::vector<std::string> unlike;
      const std::vector<QPoint> anchors = Anchors();
      for (std::size_t i = 0; i < anchors.size(); ++i) {
        if (Agreement(screen, drawn, anchors[i]) < 0.8)
          unlike.push_back(sjis::ToUtf8Lossy(ws_.base_map.MapAreaNames[i]));
      }
      EXPECT_EQ(unlike, std::vector<std::string>{}) << c.name << " in " << reader.name;
      EXPECT_GT(DarkKept(screen, drawn), 0.9) << c.name << " in " << reader.name;
    }
  }
}

// The pixels of `draw` on a small picture: cells, gaps, dots and frames
// where the screen has them.
TEST(SvgWriterTest, BrushesAndPensAreDrawnAsOnTheScreen) {
  using gdi::DeviceContext;
  constexpr gdi::Color kRed{220, 0, 0}, kSky{60, 160, 255}, kYellow{255, 240, 0};
  const gdi::Pen none{gdi::PenStyle::kNull, 0, {}};
  struct Case {
    const char* name;
    std::function<void(DeviceContext&)> draw;
  };
  const Case cases[] = {
      {"hatch with opaque gaps",
       [&](DeviceContext& dc) {
         dc.SetBackgroundColor(kSky);
         dc.SelectPen(none);
         dc.SelectBrush({gdi::BrushKind::kHatch, kRed, gdi::HatchStyle::kCross});
         dc.Rectangle({3, 3, 60, 40});
       }},
      {"hatch with transparent gaps over a fill",
       [&](DeviceContext& dc) {
         dc.SelectBrush({gdi::BrushKind::kSolid, kYellow});
         dc.Rectangle({2, 2, 40, 30});
         dc.SetBackgroundMode(gdi::BackgroundMode::kTransparent);
         dc.SelectBrush({gdi::BrushKind::kHatch, gdi::kBlack, gdi::HatchStyle::kForwardDiagonal});
         dc.Rectangle({20, 10, 62, 46});
       }},
      {"8x8 pattern in a framed polygon",
       [&](DeviceContext& dc) {
         gdi::Brush brush{gdi::BrushKind::kPattern, gdi::Color{0, 0, 200}};
         brush.pattern = {0xF0, 0xF0, 0x00, 0x00, 0x0F, 0x0F, 0x81, 0x18};
         dc.SelectBrush(brush);
         const gdi::Point points[] = {{4, 4}, {58, 4}, {58, 44}, {4, 44}};
         dc.Polygon(points);
       }},
      {"dotted pen with opaque gaps, wide pen, ellipse",
       [&](DeviceContext& dc) {
         dc.SetBackgroundColor(kYellow);
         dc.SelectPen({gdi::PenStyle::kDot, 0, kRed});
         const gdi::Point line[] = {{2, 5}, {60, 5}, {60, 20}};
         dc.Polyline(line);
         dc.SelectPen({gdi::PenStyle::kSolid, 4, gdi::kBlack});
         dc.MoveTo({4, 40});
         dc.LineTo({40, 40});
         dc.SelectPen({gdi::PenStyle::kSolid, 0, gdi::kBlack});
         dc.SelectBrush({gdi::BrushKind::kSolid, kSky});
         dc.Ellipse({10, 10, 40, 34});
       }},
  };
  const test::ScratchDir dir;
  const QSize size(64, 48);
  for (const Case& c : cases) {
    QImage screen(size, QImage::Format_RGB32);
    screen.fill(Qt::white);
    {
      QPainter painter(&screen);
      gdi::PainterDeviceContext dc(painter);
      c.draw(dc);
    }
    gdi::SvgWriter writer({size.width(), size.height()}, gdi::kWhite, nullptr);
    c.draw(writer);
    const std::filesystem::path file = dir.path() / "drawing.svg";
    std::ofstream(file, std::ios::binary) << writer.Finish();
    for (const Reader& reader : kReaders) {
      if (!Available(reader)) continue;
      const QImage drawn = DrawnBy(reader, file);
      ASSERT_EQ(drawn.size(), size) << c.name << " in " << reader.name;
      int unlike = 0;
      for (int y = 0; y < size.height(); ++y) {
        for (int x = 0; x < size.width(); ++x) {
          if (!NearbyLike(drawn, QPoint(x, y), screen.pixel(x, y))) ++unlike;
        }
      }
      EXPECT_LE(unlike, size.width() * size.height() / 200) << c.name << " in " << reader.name;
    }
  }
}

// Texts and titles keep the characters XML gives a meaning, and leave out
// the control characters it cannot hold.
TEST(SvgWriterTest, TextsAndTitlesReadBackAsWritten) {
  gdi::SvgWriter writer({100, 40}, gdi::kWhite, nullptr);
  writer.BeginLayer(gdi::Layer::kNames);
  writer.BeginArea(7, sjis::FromUtf8("A&B <県>").value(), "  12\x01 ");
  writer.Polygon(std::vector<gdi::Point>{{1, 1}, {9, 1}, {9, 9}});
  writer.EndArea();
  writer.TextOut({2, 2}, sjis::FromUtf8("  \"東京\" & <1>").value());
  writer.EndLayer();
  Structure structure = ReadStructure(writer.Finish());
  EXPECT_EQ(structure.error, "");
  EXPECT_EQ(structure.area_titles["area-7"], "A&B <県> 12");
  EXPECT_EQ(structure.area_labels["area-7"], "A&B <県> 12");
  EXPECT_EQ(structure.texts, std::vector<std::string>{"  \"東京\" & <1>"});
  EXPECT_EQ(structure.layers, std::set<std::string>{"names"});
}

}  // namespace
}  // namespace kartela::output
