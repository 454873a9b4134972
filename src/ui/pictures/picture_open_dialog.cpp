#include "ui/pictures/picture_open_dialog.h"

#include <QGridLayout>
#include <QLabel>

#include "ui/pictures/metafile_preview.h"
#include "ui/widgets/file_dialogs.h"
#include "ui/widgets/qt_text.h"

namespace kartela {
namespace {

constexpr QSize kPreviewSize{160, 160};

}  // namespace

TPictureOpenDialog::TPictureOpenDialog(QWidget* parent)
    : QFileDialog(parent), preview_(new QLabel(this)) {
  // The platform's own dialog cannot carry the preview.
  PrepareFileDialog(*this);
  setAcceptMode(QFileDialog::AcceptOpen);
  setFileMode(QFileDialog::ExistingFile);
  preview_->setObjectName(QStringLiteral("Preview"));
  preview_->setFixedSize(kPreviewSize);
  preview_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  if (auto* grid = qobject_cast<QGridLayout*>(layout())) {
    grid->addWidget(preview_, 0, grid->columnCount(), grid->rowCount(), 1, Qt::AlignTop);
  }
  connect(this, &QFileDialog::currentChanged, this, &TPictureOpenDialog::ShowPreview);
}

bool TPictureOpenDialog::PreviewShown() const {
  return !preview_->pixmap().isNull();
}

void TPictureOpenDialog::ShowPreview(const QString& path) {
  const QImage image =
      MetafilePreview(PathOf(path), preview_->contentsRect().size(), QColor(Qt::white));
  if (image.isNull()) {
    preview_->clear();
    return;
  }
  preview_->setPixmap(QPixmap::fromImage(image));
}

}  // namespace kartela
