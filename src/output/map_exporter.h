// The one exporter of the map: every picture that leaves the program (files,
// and the clipboard and printer pictures built on it) is drawn here by the
// paint routine from (0, 0), with the drawing extent as its size. Raster
// and PDF targets draw through QPainter; the metafiles and the SVG go
// through the Qt-free writers, measured by a QPainter device context so that
// their texts are laid out as on screen.
#pragma once

#include <QImage>
#include <QPainter>
#include <filesystem>
#include <optional>
#include <string>

#include "base/status.h"
#include "gdi/metafile_options.h"
#include "output/export_settings.h"
#include "output/metafile_export.h"
#include "render/drawing_resources.h"
#include "render/workspace.h"

namespace kartela::output {

class MapExporter {
 public:
  // Draws `workspace` with drawing objects made from its settings. Needs a
  // QGuiApplication (fonts).
  explicit MapExporter(const Workspace& workspace);
  // Draws with the map window's own drawing objects.
  MapExporter(const Workspace& workspace, const DrawingResources& resources);
  MapExporter(const MapExporter&) = delete;
  MapExporter& operator=(const MapExporter&) = delete;

  // The picture's size in pixels at scale 1.
  gdi::Size Extent() const;
  // The picture's size in pixels at `scale` (at least 1 by 1).
  QSize SizeAt(double scale) const;

  // The map on `painter`, whose device is `size` pixels (SizeAt(scale)),
  // after filling it with `background`.
  void PaintOn(QPainter& painter, QSize size, QColor background, std::uint8_t paint_flags,
               double scale) const;
  // The map on `painter` as it stands, moved by -`origin` after scaling: a
  // page that shows the map at a margin.
  void PaintAt(QPainter& painter, std::uint8_t paint_flags, double scale, gdi::Point origin) const;

  QImage Bitmap(const BitmapSettings& settings) const;
  // The files' bytes, or why the picture could not be made (kUnsupported
  // when an encoder fails, kTooLarge for a map a WMF cannot hold).
  StatusOr<std::string> Png(const BitmapSettings& settings) const;
  StatusOr<std::string> Svg(const SvgSettings& settings) const;
  StatusOr<std::string> Pdf(const PdfSettings& settings) const;
  StatusOr<std::string> Emf(const EmfSettings& settings) const;
  StatusOr<std::string> Wmf(const WmfSettings& settings) const;
  // A metafile laid out by `options`, for the clipboard's forms.
  StatusOr<std::string> Metafile(MetafileKind kind, const gdi::MetafileOptions& options,
                                 std::uint8_t paint_flags) const;
  StatusOr<std::string> Encode(const FileSettings& settings) const;

  // Writes the file beside `path` and renames it over `path`, so a failure
  // leaves no partial file and keeps an existing file as it was. The status
  // says why the picture was not made or the file not written.
  Status Save(const FileSettings& settings, const std::filesystem::path& path) const;

 private:
  // The background of a raster picture: white for black lines on white,
  // otherwise the screen's.
  QColor BackgroundOf(std::uint8_t paint_flags) const;

  const Workspace& workspace_;
  std::optional<DrawingResources> own_resources_;
  const DrawingResources& resources_;
};

}  // namespace kartela::output
