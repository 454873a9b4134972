#include "geodata/basemap/preview.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <vector>

#include "geodata/basemap/map_runs.h"
#include "output/png_file.h"

namespace kartela::basemap {
namespace {

using Colour = std::array<std::uint8_t, 3>;

constexpr std::array<Colour, 6> kFills = {{{253, 226, 180},
                                           {205, 230, 190},
                                           {200, 215, 240},
                                           {240, 200, 210},
                                           {225, 225, 170},
                                           {210, 200, 235}}};
constexpr Colour kBlack = {0, 0, 0};
constexpr Colour kOutline = {90, 90, 90};
constexpr Colour kGrey = {150, 150, 150};
constexpr Colour kRed = {210, 30, 30};
constexpr Colour kBlue = {30, 60, 220};
constexpr Colour kMagenta = {200, 0, 200};
// A legend of eight classes in the default font: rows 14 pixels apart,
// about 150 pixels wide.
constexpr int kLegendWidth = 150;
constexpr int kLegendHeight = 8 * 14;

class Raster {
 public:
  Raster(int width, int height)
      : width_(width), height_(height), rgb_(static_cast<std::size_t>(width) * height * 3, 255) {}

  void Set(int x, int y, const Colour& c) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
    std::copy(c.begin(), c.end(), rgb_.begin() + (static_cast<std::size_t>(y) * width_ + x) * 3);
  }

  void Line(MapPoint a, MapPoint b, const Colour& c) {
    const int dx = std::abs(b.x - a.x), dy = -std::abs(b.y - a.y);
    const int sx = a.x < b.x ? 1 : -1, sy = a.y < b.y ? 1 : -1;
    int x = a.x, y = a.y, error = dx + dy;
    while (true) {
      Set(x, y, c);
      if (x == b.x && y == b.y) return;
      const int e2 = 2 * error;
      if (e2 >= dy) error += dy, x += sx;
      if (e2 <= dx) error += dx, y += sy;
    }
  }

  void Polyline(const std::vector<MapPoint>& points, const Colour& c, bool closed) {
    for (std::size_t i = 1; i < points.size(); ++i)
      Line(points[i - 1], points[i], c);
    if (closed && points.size() > 2) Line(points.back(), points.front(), c);
  }

  // Non-zero winding fill, sampled at pixel centres.
  void Fill(const std::vector<MapPoint>& ring, const Colour& c) {
    const auto [low, high] = std::minmax_element(ring.begin(), ring.end(),
                                                 [](MapPoint p, MapPoint q) { return p.y < q.y; });
    for (int y = std::max(0, int{low->y}); y < std::min(height_, int{high->y} + 1); ++y) {
      const double yc = y + 0.5;
      std::vector<std::pair<double, int>> crossings;
      for (std::size_t i = 0, j = ring.size() - 1; i < ring.size(); j = i++) {
        const MapPoint &p = ring[j], &q = ring[i];
        if ((p.y <= yc) == (q.y <= yc)) continue;
        crossings.emplace_back(p.x + (yc - p.y) * (q.x - p.x) / double(q.y - p.y),
                               q.y > p.y ? 1 : -1);
      }
      std::sort(crossings.begin(), crossings.end());
      int winding = 0;
      for (std::size_t k = 0; k + 1 < crossings.size(); ++k) {
        winding += crossings[k].second;
        if (winding == 0) continue;
        for (int x = static_cast<int>(std::ceil(crossings[k].first - 0.5));
             x + 0.5 < crossings[k + 1].first; ++x) {
          Set(x, y, c);
        }
      }
    }
  }

  void Dot(MapPoint p, const Colour& c) {
    for (int dy = -1; dy <= 1; ++dy) {
      for (int dx = -1; dx <= 1; ++dx)
        Set(p.x + dx, p.y + dy, c);
    }
  }

  StatusOr<std::string> Png() const {
    return output::RgbPng({static_cast<std::uint32_t>(width_), static_cast<std::uint32_t>(height_),
                           rgb_, static_cast<std::size_t>(width_) * 3});
  }

 private:
  int width_, height_;
  std::vector<std::uint8_t> rgb_;
};

Colour LineColour(std::int16_t code) {
  if (code == -1) return kRed;
  if (code == -9) return kBlue;
  return kBlack;
}

void DrawLegendBox(Raster& raster, MapPoint at) {
  const auto x1 = static_cast<std::int16_t>(at.x + kLegendWidth);
  const auto y1 = static_cast<std::int16_t>(at.y + kLegendHeight);
  raster.Polyline({at, {x1, at.y}, {x1, y1}, {at.x, y1}}, kMagenta, true);
}

}  // namespace

StatusOr<std::string> RenderPreview(const BaseMap& map) {
  Raster raster(std::max<int>(map.Resolution.width, 1), std::max<int>(map.Resolution.height, 1));
  const std::vector<MapRun> runs = WalkRuns(map);
  for (const MapRun& run : runs) {
    if (run.area >= 0 && run.points.size() > 2)
      raster.Fill(run.points, kFills[run.area % kFills.size()]);
  }
  for (const MapRun& run : runs) {
    if (run.area >= 0) {
      raster.Polyline(run.points, kOutline, true);
    } else {
      raster.Polyline(run.points, LineColour(run.code), false);
    }
  }
  for (int a = 0; a < map.MapAreaCount(); ++a) {
    for (int k = 0; k < kMaxAnchors && map.AreaAnchors[a][k].x >= 1; ++k) {
      raster.Dot(map.AreaAnchors[a][k], k == 0 ? kBlack : kGrey);
    }
  }
  DrawLegendBox(raster, map.IndexPosition);
  return raster.Png();
}

}  // namespace kartela::basemap
