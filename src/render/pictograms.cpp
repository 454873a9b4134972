#include "render/pictograms.h"

#include <initializer_list>
#include <utility>

#include "gdi/emf_writer.h"

namespace kartela::pictograms {
namespace {

using gdi::Color;
using gdi::Point;
using gdi::Rect;

constexpr Color kOutline{60, 60, 60};

class Sketch {
 public:
  explicit Sketch(gdi::Size size) : writer_(Options(size)) {
    writer_.SelectPen(gdi::Pen{gdi::PenStyle::kSolid, 0, kOutline});
  }

  Sketch& Fill(Color colour) {
    writer_.SelectBrush(gdi::Brush{gdi::BrushKind::kSolid, colour});
    return *this;
  }
  Sketch& Shape(std::initializer_list<Point> points) {
    writer_.Polygon(points);
    return *this;
  }
  Sketch& Box(const Rect& r) {
    writer_.Rectangle(r);
    return *this;
  }
  Sketch& Round(const Rect& r) {
    writer_.Ellipse(r);
    return *this;
  }
  StatusOr<std::string> Finish() { return writer_.Finish(); }

 private:
  static gdi::MetafileOptions Options(gdi::Size size) {
    gdi::MetafileOptions options;
    options.picture = size;
    return options;
  }

  gdi::EmfWriter writer_;
};

StatusOr<std::string> Person() {
  return Sketch({32, 64})
      .Fill({40, 80, 160})
      .Round({9, 1, 23, 15})
      .Shape({{4, 18},
              {28, 18},
              {31, 40},
              {25, 40},
              {23, 26},
              {23, 63},
              {17, 63},
              {16, 44},
              {15, 63},
              {9, 63},
              {9, 26},
              {7, 40},
              {1, 40}})
      .Finish();
}

StatusOr<std::string> House() {
  return Sketch({64, 60})
      .Fill({200, 50, 40})
      .Shape({{32, 1}, {63, 28}, {1, 28}})
      .Fill({240, 220, 170})
      .Box({8, 28, 56, 59})
      .Fill({120, 70, 30})
      .Box({26, 38, 38, 59})
      .Finish();
}

StatusOr<std::string> Factory() {
  return Sketch({72, 56})
      .Fill({110, 110, 120})
      .Box({52, 2, 60, 30})
      .Fill({150, 150, 160})
      .Shape({{1, 55},
              {1, 22},
              {17, 12},
              {17, 22},
              {33, 12},
              {33, 22},
              {49, 12},
              {49, 22},
              {71, 22},
              {71, 55}})
      .Fill({250, 220, 90})
      .Box({8, 32, 18, 42})
      .Box({26, 32, 36, 42})
      .Box({44, 32, 54, 42})
      .Finish();
}

StatusOr<std::string> Car() {
  return Sketch({80, 44})
      .Fill({210, 40, 40})
      .Shape({{2, 32}, {2, 20}, {16, 18}, {26, 4}, {56, 4}, {66, 18}, {78, 22}, {78, 32}})
      .Fill({190, 225, 245})
      .Shape({{29, 8}, {40, 8}, {40, 18}, {22, 18}})
      .Shape({{44, 8}, {54, 8}, {61, 18}, {44, 18}})
      .Fill({30, 30, 30})
      .Round({10, 24, 28, 42})
      .Round({52, 24, 70, 42})
      .Finish();
}

StatusOr<std::string> Tree() {
  return Sketch({48, 64})
      .Fill({120, 75, 35})
      .Box({19, 38, 29, 63})
      .Fill({50, 150, 60})
      .Round({2, 1, 46, 46})
      .Finish();
}

StatusOr<std::string> RiceBowl() {
  return Sketch({64, 52})
      .Fill({120, 80, 40})
      .Shape({{40, 2}, {60, 26}, {58, 27}})
      .Shape({{46, 1}, {63, 25}, {61, 26}})
      .Fill({250, 250, 245})
      .Round({10, 10, 54, 34})
      .Fill({40, 60, 150})
      .Shape({{2, 24}, {62, 24}, {56, 38}, {44, 46}, {40, 51}, {24, 51}, {20, 46}, {8, 38}})
      .Finish();
}

}  // namespace

StatusOr<std::vector<Pictogram>> MakePictograms() {
  const std::pair<const char*, StatusOr<std::string> (*)()> makers[] = {
      {"人.emf", Person},  {"家.emf", House}, {"工場.emf", Factory},
      {"自動車.emf", Car}, {"木.emf", Tree},  {"ご飯.emf", RiceBowl}};
  std::vector<Pictogram> pictograms;
  for (const auto& [file_name, make] : makers) {
    StatusOr<std::string> bytes = make();
    if (!bytes.ok()) return bytes.status();
    pictograms.push_back({file_name, std::move(bytes).value()});
  }
  return pictograms;
}

}  // namespace kartela::pictograms
