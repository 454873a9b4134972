#include "output/map_exporter.h"

#include <QBuffer>
#include <QPageSize>
#include <QPdfWriter>
#include <algorithm>
#include <cmath>

#include "base/file_io.h"
#include "gdi/qt/painter_device_context.h"
#include "output/png_encoder.h"
#include "output/svg_export.h"
#include "render/map_frame.h"
#include "render/map_painter.h"

namespace kartela::output {
namespace {

// Vector pictures are sized at the screen's nominal resolution.
constexpr int kScreenDpi = 96;

QColor ToQColor(gdi::Color color) {
  return QColor(color.r, color.g, color.b);
}

// A QPainter device context on a one-pixel image: measures texts for the
// metafile writers with a face of the pitch the font record names, the face
// other programs draw the record with ("ＭＳ 明朝" fixed, "ＭＳ Ｐ明朝"
// proportional), so that the advances the writers give match the glyphs.
class TextMeasurer {
 public:
  TextMeasurer()
      : image_(1, 1, QImage::Format_RGB32),
        painter_(&image_),
        dc_(painter_, gdi::FacePitch::kOfTheFace) {}
  gdi::DeviceContext& dc() { return dc_; }

 private:
  QImage image_;
  QPainter painter_;
  gdi::PainterDeviceContext dc_;
};

QByteArray* OpenBuffer(QBuffer& buffer) {
  buffer.open(QIODevice::WriteOnly);
  return &buffer.buffer();
}

}  // namespace

MapExporter::MapExporter(const Workspace& workspace)
    : workspace_(workspace),
      own_resources_(CreateDrawingResources(workspace.settings, workspace.screen_colors,
                                            workspace.PrintLineWidth)),
      resources_(*own_resources_) {}

MapExporter::MapExporter(const Workspace& workspace, const DrawingResources& resources)
    : workspace_(workspace), resources_(resources) {}

gdi::Size MapExporter::Extent() const {
  return DrawingExtent(workspace_);
}

QSize MapExporter::SizeAt(double scale) const {
  const gdi::Size extent = Extent();
  return QSize(std::max(1, static_cast<int>(std::lround(extent.cx * scale))),
               std::max(1, static_cast<int>(std::lround(extent.cy * scale))));
}

QColor MapExporter::BackgroundOf(std::uint8_t paint_flags) const {
  if ((paint_flags & kPaintMonochrome) != 0) return Qt::white;
  return ToQColor(resources_.screen.window);
}

void MapExporter::PaintOn(QPainter& painter, QSize size, QColor background,
                          std::uint8_t paint_flags, double scale) const {
  painter.fillRect(QRect(QPoint(0, 0), size), background);
  PaintAt(painter, paint_flags, scale, gdi::Point{});
}

void MapExporter::PaintAt(QPainter& painter, std::uint8_t paint_flags, double scale,
                          gdi::Point origin) const {
  gdi::PainterDeviceContext dc(painter);
  PaintParams params;
  params.PaintFlags = paint_flags;
  params.PaintScale = scale;
  params.PaintOrigin = origin;
  PaintMap(workspace_, resources_, dc, params);
}

QImage MapExporter::Bitmap(const BitmapSettings& settings) const {
  QImage image(SizeAt(settings.scale), QImage::Format_RGB32);
  QPainter painter(&image);
  PaintOn(painter, image.size(), BackgroundOf(settings.paint_flags), settings.paint_flags,
          settings.scale);
  painter.end();
  return image;
}

StatusOr<std::string> MapExporter::Png(const BitmapSettings& settings) const {
  return EncodePng(Bitmap(settings));
}

StatusOr<std::string> MapExporter::Svg(const SvgSettings& settings) const {
  const QSize size = SizeAt(settings.scale);
  TextMeasurer measurer;
  return SvgFile(workspace_, resources_, settings, gdi::Size{size.width(), size.height()},
                 &measurer.dc());
}

StatusOr<std::string> MapExporter::Pdf(const PdfSettings& settings) const {
  const QSize size = SizeAt(settings.scale);
  QBuffer buffer;
  OpenBuffer(buffer);
  {
    QPdfWriter pdf(&buffer);
    pdf.setResolution(kScreenDpi);
    pdf.setPageMargins(QMarginsF());
    pdf.setPageSize(QPageSize(QSizeF(size) * 72.0 / kScreenDpi, QPageSize::Point));
    QPainter painter(&pdf);
    PaintOn(painter, size, Qt::white, settings.paint_flags, settings.scale);
    if (!painter.end()) return Status(StatusCode::kUnsupported, "PDF: the painter failed");
  }
  return buffer.buffer().toStdString();
}

StatusOr<std::string> MapExporter::Emf(const EmfSettings& settings) const {
  TextMeasurer measurer;
  return EmfFile(workspace_, resources_, settings, &measurer.dc());
}

StatusOr<std::string> MapExporter::Wmf(const WmfSettings& settings) const {
  TextMeasurer measurer;
  return WmfFile(workspace_, resources_, settings, &measurer.dc());
}

StatusOr<std::string> MapExporter::Metafile(MetafileKind kind, const gdi::MetafileOptions& options,
                                            std::uint8_t paint_flags) const {
  TextMeasurer measurer;
  return PaintMetafile(workspace_, resources_, kind, options, paint_flags, &measurer.dc());
}

StatusOr<std::string> MapExporter::Encode(const FileSettings& settings) const {
  struct Visitor {
    const MapExporter& exporter;
    StatusOr<std::string> operator()(const BitmapSettings& s) const { return exporter.Png(s); }
    StatusOr<std::string> operator()(const SvgSettings& s) const { return exporter.Svg(s); }
    StatusOr<std::string> operator()(const PdfSettings& s) const { return exporter.Pdf(s); }
    StatusOr<std::string> operator()(const EmfSettings& s) const { return exporter.Emf(s); }
    StatusOr<std::string> operator()(const WmfSettings& s) const { return exporter.Wmf(s); }
  };
  return std::visit(Visitor{*this}, settings);
}

Status MapExporter::Save(const FileSettings& settings, const std::filesystem::path& path) const {
  const StatusOr<std::string> bytes = Encode(settings);
  if (!bytes.ok()) return bytes.status();
  return WriteFileAtomically(path, *bytes);
}

}  // namespace kartela::output
