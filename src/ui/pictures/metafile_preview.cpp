#include "ui/pictures/metafile_preview.h"

#include <QPainter>
#include <cmath>
#include <variant>

#include "gdi/qt/painter_device_context.h"
#include "render/metafile_picture.h"

namespace kartela {
namespace {

// The picture's rectangle: as wide as the box when the picture is wider in
// proportion, otherwise as high.
gdi::Rect FittedRect(const gdi::Size& picture, QSize box) {
  const double across = static_cast<double>(picture.cx) / picture.cy;
  if (across > static_cast<double>(box.width()) / box.height()) {
    return gdi::Rect{0, 0, box.width(),
                     static_cast<std::int32_t>(std::lround(box.width() / across))};
  }
  return gdi::Rect{0, 0, static_cast<std::int32_t>(std::lround(box.height() * across)),
                   box.height()};
}

}  // namespace

QImage MetafilePreview(const std::filesystem::path& path, QSize box, const QColor& background) {
  if (box.isEmpty()) return {};
  const auto read = MetafilePicture::Read(path);
  if (!read.ok()) return {};
  const auto* picture = &*read;
  QImage image(box, QImage::Format_RGB32);
  image.fill(background);
  QPainter painter(&image);
  {
    gdi::PainterDeviceContext dc(painter);
    (*picture)->PlayInto(dc, FittedRect((*picture)->info().size, box));
  }
  painter.end();
  return image;
}

}  // namespace kartela
