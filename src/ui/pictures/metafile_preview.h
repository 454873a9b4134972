// A metafile drawn small for a dialog's preview.
#pragma once

#include <QColor>
#include <QImage>
#include <QSize>
#include <filesystem>

namespace kartela {

// The picture of the metafile at `path` on a `box`-sized image filled with
// `background`, stretched into the largest rectangle at the top left that
// keeps the picture's proportions; a null image when the file cannot be
// read or is no sound metafile.
QImage MetafilePreview(const std::filesystem::path& path, QSize box, const QColor& background);

}  // namespace kartela
