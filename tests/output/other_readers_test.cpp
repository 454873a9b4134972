// Other programs open what the exporter writes, as users open it: each
// export, saved through the save path, is converted to PNG by LibreOffice and
// by Inkscape and must show every boundary, each prefecture in its class
// colour (or its class's hatch) at its anchor, and the title with each
// character in its own cell; LibreOffice shows every text of the EMF where it
// was drawn; Qt's SVG renderer draws the SVG. A reader that is not installed
// fails the test with the reason.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <map>

#include "base/text_encoding.h"
#include "gdi/metafile_player.h"
#include "gdi/recording_device_context.h"
#include "model/test_support.h"
#include "output/map_exporter.h"
#include "render/classification.h"
#include "render/map_frame.h"
#include "render/map_painter.h"
#include "render/paint_context.h"
#include "sample_map.h"

namespace kartela::output {
namespace {

constexpr int kPrefectures = 47;

bool HasProgram(std::string_view name) {
  return std::system(("command -v " + std::string(name) + " >/dev/null 2>&1").c_str()) == 0;
}

// Runs `command` in the folder of `file`, with that folder as the home of the
// reader's profile, and reads the PNG it wrote to `png`; a null image when it
// failed or did not finish in two minutes (a reader that hangs).
QImage RunConverter(const std::filesystem::path& file, const std::string& command,
                    const std::filesystem::path& png) {
  const std::string dir = file.parent_path().string();
  const std::string line =
      "cd '" + dir + "' && HOME='" + dir + "' timeout 120 " + command + " >/dev/null 2>&1";
  if (std::system(line.c_str()) != 0) return QImage();
  return QImage(QString::fromStdString(png.string())).convertToFormat(QImage::Format_RGB32);
}

std::filesystem::path WithExtension(std::filesystem::path file, const char* extension) {
  return file.replace_extension(extension);
}

// Converts `file` with LibreOffice; the PNG (the picture on a page), or a
// null image. `width` sets the page's pixels across (A4 proportions).
QImage ConvertedBySoffice(const std::filesystem::path& file, int width = 0) {
  std::string target = "png";
  if (width > 0) {
    target = "'png:draw_png_Export:{\"PixelWidth\":{\"type\":\"long\",\"value\":\"" +
             std::to_string(width) + "\"},\"PixelHeight\":{\"type\":\"long\",\"value\":\"" +
             std::to_string(width * 297 / 210) + "\"}}'";
  }
  return RunConverter(
      file, "soffice --headless --convert-to " + target + " '" + file.filename().string() + "'",
      WithExtension(file, ".png"));
}

// Converts `file` with Inkscape at `dpi`; the PNG, or a null image.
QImage ConvertedByInkscape(const std::filesystem::path& file, int dpi) {
  const std::filesystem::path png = WithExtension(file, ".inkscape.png");
  return RunConverter(file,
                      "inkscape --export-type=png --export-background=white "
                      "--export-background-opacity=1 --export-dpi=" +
                          std::to_string(dpi) + " --export-filename='" + png.filename().string() +
                          "' '" + file.filename().string() + "'",
                      png);
}

QImage RenderedByQtSvg(const std::string& svg, QSize size) {
  QSvgRenderer renderer(QByteArray::fromStdString(svg));
  QImage image(size, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  renderer.render(&painter);
  return image;
}

int Distance(QRgb a, QRgb b) {
  return std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) +
         std::abs(qBlue(a) - qBlue(b));
}

// The smallest rectangle holding every pixel that is not nearly white.
QRectF InkBounds(const QImage& image) {
  int left = image.width(), top = image.height(), right = -1, bottom = -1;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (Distance(image.pixel(x, y), qRgb(255, 255, 255)) < 60) continue;
      left = std::min(left, x);
      right = std::max(right, x);
      top = std::min(top, y);
      bottom = std::max(bottom, y);
    }
  }
  return QRectF(QPointF(left, top), QPointF(right + 1, bottom + 1));
}

// The box a text drawn by `call` covers, its leading blanks left out, with
// the recording context's measure (half the font height a byte); empty for
// a blank text.
QRect InkedBoxOf(const gdi::RecordedCall& call) {
  const std::size_t blanks = std::min(call.text.find_first_not_of(' '), call.text.size());
  const int height = std::abs(call.state.font.Height);
  const int width = static_cast<int>(call.text.size() - blanks) * height / 2;
  int left = call.at().x + static_cast<int>(blanks) * height / 2;
  if ((call.state.text_align & gdi::kAlignCenter) == gdi::kAlignCenter) {
    left -= static_cast<int>(call.text.size()) * height / 4;
  } else if (call.state.text_align & gdi::kAlignRight) {
    left -= static_cast<int>(call.text.size()) * height / 2;
  }
  return QRect(left, call.at().y, width, height);
}

bool HasDarkPixel(const QImage& image, const QRect& box) {
  for (int y = box.top(); y <= box.bottom(); ++y) {
    for (int x = box.left(); x <= box.right(); ++x) {
      if (image.rect().contains(x, y) && qGray(image.pixel(x, y)) < 160) return true;
    }
  }
  return false;
}

// Whether `box` of `image` holds a pixel of a black line (darker than any
// class colour or hatch).
bool HasLinePixel(const QImage& image, const QRect& box) {
  for (int y = box.top(); y <= box.bottom(); ++y) {
    for (int x = box.left(); x <= box.right(); ++x) {
      if (image.rect().contains(x, y) && Distance(image.pixel(x, y), qRgb(0, 0, 0)) < 100)
        return true;
    }
  }
  return false;
}

// Maps points of the picture as painted onto `shown`, another program's
// rendering of it at some place and size (LibreOffice puts a picture on a
// page): the bounds of the ink in both give the scale and the offset.
class Placement {
 public:
  Placement(const QImage& painted, const QImage& shown)
      : from_(InkBounds(painted)), to_(InkBounds(shown)) {}
  // `units` of the painted picture in pixels of the shown one, at least 1.
  int Pixels(int units) const {
    return std::max(1, static_cast<int>(std::lround(units * to_.width() / from_.width())));
  }
  QPoint Map(gdi::Point p) const {
    return QPoint(
        static_cast<int>(to_.left() + (p.x - from_.left()) * to_.width() / from_.width()),
        static_cast<int>(to_.top() + (p.y - from_.top()) * to_.height() / from_.height()));
  }

 private:
  QRectF from_;
  QRectF to_;
};

// The character cells of a text drawn by `call`: a double-byte character
// as wide as the font is high, a single byte half as wide, as the face of a
// fixed pitch lays them out (the faces the records name).
std::vector<QRect> CharacterCellsOf(const gdi::RecordedCall& call) {
  const QRect box = InkedBoxOf(call);
  const int height = std::abs(call.state.font.Height);
  std::vector<QRect> cells;
  int left = box.left();
  for (std::size_t at = 0; at < call.text.size();) {
    const bool wide = sjis::IsLeadByte(static_cast<unsigned char>(call.text[at]));
    const int width = wide ? height : height / 2;
    cells.emplace_back(left, box.top(), width, height);
    left += width;
    at += wide ? 2 : 1;
  }
  return cells;
}

class OtherReadersTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(test::LoadSamplePaintMap(ws_));
    resources_ = CreateDrawingResources(ws_.settings, ws_.screen_colors, ws_.PrintLineWidth);
  }

  // The colour of each class and the index of each prefecture's class.
  std::vector<QRgb> ClassColours(int count) const {
    std::vector<QRgb> colours;
    for (int c = 0; c < count; ++c) {
      const gdi::Color color = BrushForClass(resources_.pattern_order, count, c).color;
      colours.push_back(qRgb(color.r, color.g, color.b));
    }
    return colours;
  }

  // For each prefecture, whether most pixels within `radius` of its anchor
  // are nearest to its class colour (lines, white and other classes
  // excluded), and with `hatched` whether white gaps show between them; the
  // names of the prefectures that are not. With `painted` (the picture as
  // this program paints it), a prefecture whose anchor has a line within
  // `radius` there is left out, and `checked` counts the others.
  std::vector<std::string> WrongPrefectures(const QImage& image, const Placement& placement,
                                            int radius = 2, bool hatched = false,
                                            const QImage* painted = nullptr,
                                            int* checked = nullptr) const {
    const ClassTables& tables = ws_.class_tables;
    const PaintClasses classes = BuildClassThresholds(tables.ClassBreaks);
    const std::vector<QRgb> colours = ClassColours(classes.EffectiveClassCount);
    const MapFrame frame = FrameOf(ws_.settings, 1.0, {});
    std::vector<std::string> wrong;
    for (int area = 1; area <= kPrefectures; ++area) {
      const auto index = static_cast<std::size_t>(area - 1);
      const auto cls = ClassOfValue(tables.NumericValues[index], classes, tables.DivisionMethod);
      const gdi::Point p = MapToDevice(frame, ws_.base_map.AreaAnchors[index][0]);
      if (painted != nullptr) {
        const int units = std::max(1, radius * 1000 / placement.Pixels(1000));
        if (HasLinePixel(*painted, QRect(p.x - units, p.y - units, 2 * units + 1, 2 * units + 1)))
          continue;
        ++*checked;
      }
      std::map<int, int> votes;
      int gaps = 0;
      for (int dy = -radius; dy <= radius; ++dy) {
        for (int dx = -radius; dx <= radius; ++dx) {
          const QPoint at = placement.Map(p) + QPoint(dx, dy);
          if (!image.rect().contains(at)) continue;
          const QRgb pixel = image.pixel(at);
          int nearest = -1;
          int best = Distance(pixel, qRgb(0, 0, 0));  // a line
          if (hatched && Distance(pixel, qRgb(255, 255, 255)) < best) {
            best = Distance(pixel, qRgb(255, 255, 255));
            nearest = -2;  // a gap between the hatch lines
          }
          for (std::size_t c = 0; c < colours.size(); ++c) {
            if (Distance(pixel, colours[c]) < best) {
              best = Distance(pixel, colours[c]);
              nearest = static_cast<int>(c);
            }
          }
          if (nearest == -2) ++gaps;
          if (nearest >= 0) ++votes[nearest];
        }
      }
      int winner = -1;
      int most = 0;
      for (const auto& [c, n] : votes) {
        if (n > most) {
          most = n;
          winner = c;
        }
      }
      if (!cls || winner != *cls || (hatched && gaps == 0))
        wrong.push_back(sjis::ToUtf8Lossy(ws_.base_map.MapAreaNames[index]));
    }
    return wrong;
  }

  Workspace ws_;
  DrawingResources resources_;
};

// What the table below combines. A format is a file the save command writes;
// a reader converts it to a PNG at about twice the picture's size (so that a
// character of the 12-pixel title spans some 20 pixels), or gives a null
// image; a map kind prepares the sample.
struct ExportFormat {
  const char* name;  // also the file's extension
  FileSettings settings;
};

struct Reader {
  const char* name;
  const char* program;  // must be installed
  QImage (*convert)(const std::filesystem::path& file);
  // LibreOffice 7.4 fills the hatched areas of an EMF or a WMF solid in the
  // hatch's colour: its own limit (README, export), not the file's.
  bool draws_hatches;
  // Whether it places each character by the file's spacing; Inkscape 1.2
  // lays EMF texts out with the metrics of its own face instead.
  bool spaces_by_the_file;
};

struct MapVariant {
  const char* name;
  void (*prepare)(Workspace& workspace);
  bool hatched;
};

const ExportFormat kEmf{"emf", EmfSettings{}};
const ExportFormat kWmf{"wmf", WmfSettings{}};

const Reader kLibreOffice{
    "LibreOffice", "soffice",
    [](const std::filesystem::path& file) { return ConvertedBySoffice(file, 2400); }, false, true};
const Reader kInkscape{
    "Inkscape", "inkscape",
    [](const std::filesystem::path& file) { return ConvertedByInkscape(file, 192); }, true, false};

// The sample as shipped: five solid colours.
const MapVariant kColours{"colours", [](Workspace&) {}, false};
// The five classes drawn with the hatches 34 to 38.
const MapVariant kHatches{"hatches",
                          [](Workspace& workspace) {
                            auto& row = workspace.settings.PatternOrder[5 - kMinClassCount];
                            for (std::uint8_t c = 0; c < 5; ++c)
                              row[c] = static_cast<std::uint8_t>(34 + c);
                          },
                          true};

struct ReaderCase {
  ExportFormat format;
  Reader reader;
  MapVariant map;
};

void PrintTo(const ReaderCase& c, std::ostream* out) {
  *out << c.format.name << " in " << c.reader.name << ", " << c.map.name;
}

// Points along every outline the map draws (area boundaries, the inset
// frame, the legend boxes) where `image` shows no dark pixel within two
// pixels; with the number of points looked at.
std::pair<std::vector<gdi::Point>, int> OutlinesMissing(const gdi::RecordingDeviceContext& drawn,
                                                        const QImage& image,
                                                        const Placement& placement) {
  std::vector<gdi::Point> missing;
  int looked = 0;
  const auto look = [&](gdi::Point p) {
    ++looked;
    const QPoint at = placement.Map(p);
    if (!HasDarkPixel(image, QRect(at - QPoint(2, 2), at + QPoint(2, 2)))) missing.push_back(p);
  };
  for (const gdi::RecordedCall& call : drawn.calls()) {
    if (call.state.pen.style == gdi::PenStyle::kNull) continue;
    if (call.kind == gdi::CallKind::kPolygon) {
      const std::size_t step = std::max<std::size_t>(1, call.points.size() / 12);
      for (std::size_t i = 0; i < call.points.size(); i += step)
        look(call.points[i]);
    } else if (call.kind == gdi::CallKind::kRectangle) {
      const gdi::Rect& r = call.rect;
      look({(r.left + r.right) / 2, r.top});
      look({(r.left + r.right) / 2, r.bottom - 1});
      look({r.left, (r.top + r.bottom) / 2});
      look({r.right - 1, (r.top + r.bottom) / 2});
    }
  }
  return {missing, looked};
}

// The characters of the text drawn by `call` for which `fails` holds, given
// the character and its cell in picture pixels.
template <typename Fails>
std::vector<std::string> CharactersWhere(const gdi::RecordedCall& call, Fails fails) {
  std::vector<std::string> found;
  const std::u16string characters = sjis::ToUtf16Lossy(call.text);
  const std::vector<QRect> cells = CharacterCellsOf(call);
  for (std::size_t i = 0; i < cells.size() && i < characters.size(); ++i) {
    if (fails(characters[i], cells[i]))
      found.push_back(sjis::ToUtf8Lossy(sjis::FromUtf16Lossy(characters.substr(i, 1))));
  }
  return found;
}

// Whether the ink of a full-width bracket in `cell` (shown pixels) runs out
// of the cell or is joined by a neighbour's, as when a reader draws the next
// character over it: within the cell's rows, each run of inked columns that
// meets the cell must lie inside it (one pixel either way) and be a
// bracket's stroke, narrower than a third of the cell.
bool BracketOutOfItsCell(const QImage& image, const QRect& cell) {
  const int width = cell.width();
  const auto inked = [&](int x) {
    return HasDarkPixel(image, QRect(QPoint(x, cell.top()), QPoint(x, cell.bottom())));
  };
  for (int x = cell.left() - width; x <= cell.right() + width; ++x) {
    if (!inked(x)) continue;
    const int start = x;
    while (x < cell.right() + 2 * width && inked(x + 1))
      ++x;
    const bool meets = start <= cell.right() && x >= cell.left();
    if (meets && (start < cell.left() - 1 || x > cell.right() + 1 || 3 * (x - start + 1) > width))
      return true;
  }
  return false;
}

class ReaderTableTest : public OtherReadersTest, public testing::WithParamInterface<ReaderCase> {};

// Each export, saved through the save path and converted by another
// program, shows every outline, each prefecture in its class's colour or
// hatch, and the title with the ink of each character (the full-width
// brackets too) inside that character's cell, so that no character is drawn
// over its neighbour.
TEST_P(ReaderTableTest, ShowsOutlinesClassesAndTextsInTheirPlaces) {
  const ReaderCase& c = GetParam();
  ASSERT_TRUE(HasProgram(c.reader.program))
      << c.reader.name << " (" << c.reader.program
      << ") is not installed: this test opens the exports in it";
  c.map.prepare(ws_);
  resources_ = CreateDrawingResources(ws_.settings, ws_.screen_colors, ws_.PrintLineWidth);
  // The picture without texts places the painted picture on the shown one
  // (other programs lay texts out with their own metrics, so texts would
  // move its bounds), then the same picture with texts shows them.
  const test::ScratchDir dir;
  const MapExporter exporter(ws_);
  const auto shown_by_reader = [&](const char* name, std::uint8_t paint_flags) {
    FileSettings settings = c.format.settings;
    std::visit([paint_flags](auto& target) { target.paint_flags = paint_flags; }, settings);
    const std::filesystem::path file = dir.path() / (std::string(name) + "." + c.format.name);
    const Status saved = exporter.Save(settings, file);
    EXPECT_TRUE(saved.ok()) << saved.detail();
    const QImage image = c.reader.convert(file);
    EXPECT_FALSE(image.isNull()) << c.reader.name << " did not convert " << file;
    return image;
  };
  const QImage shown = shown_by_reader("map", kPaintNoText);
  const QImage texts = shown_by_reader("texts", 0);
  ASSERT_FALSE(shown.isNull() || texts.isNull());
  const Placement placement(exporter.Bitmap(BitmapSettings{kPaintNoText}), shown);
  // Around an anchor, hatch lines and the gaps between them.
  // Small prefectures, whose outlines come near their anchors, are left
  // out there: the lines would outnumber the hatch.
  const bool hatched = c.map.hatched && c.reader.draws_hatches;
  if (hatched) {
    const QImage painted = exporter.Bitmap(BitmapSettings{kPaintNoText});
    int checked = 0;
    EXPECT_EQ(WrongPrefectures(shown, placement, placement.Pixels(4), true, &painted, &checked),
              std::vector<std::string>{});
    EXPECT_GE(checked, 35);
  } else {
    EXPECT_EQ(WrongPrefectures(shown, placement), std::vector<std::string>{});
  }

  gdi::RecordingDeviceContext drawn;
  PaintMap(ws_, resources_, drawn, PaintParams{});
  const auto [missing, looked] = OutlinesMissing(drawn, shown, placement);
  EXPECT_GE(looked, 400);
  EXPECT_LE(missing.size() * 50, static_cast<std::size_t>(looked))
      << missing.size() << " of " << looked << " outline points show no line, the first at ("
      << (missing.empty() ? 0 : missing[0].x) << ", " << (missing.empty() ? 0 : missing[0].y)
      << ")";

  const auto title =
      std::find_if(drawn.calls().begin(), drawn.calls().end(), [&](const auto& call) {
        return call.kind == gdi::CallKind::kTextOut && call.text == ws_.data.DataTitle;
      });
  ASSERT_NE(title, drawn.calls().end());
  if (!c.reader.spaces_by_the_file) return;
  const auto shown_cell = [&](const QRect& cell) {
    return QRect(placement.Map({cell.left(), cell.top()}),
                 placement.Map({cell.right() + 1, cell.bottom()}) - QPoint(1, 0));
  };
  const auto empty = [&](char16_t, const QRect& cell) {
    return !HasDarkPixel(texts, shown_cell(cell).adjusted(1, 0, 0, 0));
  };
  const auto bracket_out = [&](char16_t character, const QRect& cell) {
    return (character == u'（' || character == u'）') &&
           BracketOutOfItsCell(texts, shown_cell(cell));
  };
  EXPECT_EQ(CharactersWhere(*title, empty), std::vector<std::string>{})
      << sjis::ToUtf8Lossy(title->text);
  EXPECT_EQ(CharactersWhere(*title, bracket_out), std::vector<std::string>{})
      << sjis::ToUtf8Lossy(title->text);
}

// The formats other programs must draw whole, with the readers people open
// them in. Inkscape is missing for the WMF: it hangs on a WMF whose face
// names are Shift-JIS, as every WMF of this program's is (README, export).
INSTANTIATE_TEST_SUITE_P(Exports, ReaderTableTest,
                         testing::Values(ReaderCase{kEmf, kLibreOffice, kColours},
                                         ReaderCase{kEmf, kLibreOffice, kHatches},
                                         ReaderCase{kEmf, kInkscape, kColours},
                                         ReaderCase{kEmf, kInkscape, kHatches},
                                         ReaderCase{kWmf, kLibreOffice, kColours},
                                         ReaderCase{kWmf, kLibreOffice, kHatches}),
                         [](const auto& info) {
                           return std::string(info.param.format.name) + "_" +
                                  info.param.reader.name + "_" + info.param.map.name;
                         });

// Texts with a leading blank, as in the legend rows, went missing once.
TEST_F(OtherReadersTest, LibreOfficeShowsEachTextOfTheEmfWhereItWasDrawn) {
  ASSERT_TRUE(HasProgram("soffice")) << "LibreOffice (soffice) is not installed: this test opens "
                                        "the EMF in it";
  const test::ScratchDir dir;
  const MapExporter exporter(ws_);
  ASSERT_TRUE(exporter.Save(EmfSettings{}, dir.path() / "texts.emf").ok());
  const QImage image = ConvertedBySoffice(dir.path() / "texts.emf");
  ASSERT_FALSE(image.isNull());
  const Placement placement(exporter.Bitmap(BitmapSettings{}), image);
  const QSize size = exporter.SizeAt(1.0);
  gdi::RecordingDeviceContext texts;
  ASSERT_TRUE(gdi::PlayMetafile(exporter.Emf(EmfSettings{}).value(), texts,
                                {0, 0, size.width(), size.height()})
                  .ok());
  int checked = 0;
  std::vector<std::string> missing;
  for (const gdi::RecordedCall& call : texts.calls()) {
    const QRect box = InkedBoxOf(call);
    if (call.kind != gdi::CallKind::kTextOut || box.isEmpty()) continue;
    ++checked;
    const QPoint top_left = placement.Map({box.left(), box.top()});
    const QPoint bottom_right = placement.Map({box.right(), box.bottom()});
    if (!HasDarkPixel(image, QRect(top_left, bottom_right)))
      missing.push_back(sjis::ToUtf8Lossy(call.text));
  }
  EXPECT_GE(checked, 10);
  EXPECT_EQ(missing, std::vector<std::string>{});
}

TEST_F(OtherReadersTest, QtSvgRendererShowsEachPrefectureInTheColourOfItsClass) {
  const MapExporter exporter(ws_);
  const StatusOr<std::string> svg = exporter.Svg(SvgSettings{kPaintNoText});
  ASSERT_TRUE(svg);
  const QImage image = RenderedByQtSvg(*svg, exporter.SizeAt(1.0));
  const Placement placement(exporter.Bitmap(BitmapSettings{kPaintNoText}), image);
  EXPECT_EQ(WrongPrefectures(image, placement), std::vector<std::string>{});
}

}  // namespace
}  // namespace kartela::output
