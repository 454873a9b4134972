#include "ui/pictures/glyph_info_dialog.h"

#include <QDir>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>

#include "base/numbers.h"
#include "ui/pictures/metafile_preview.h"
#include "ui/widgets/qt_text.h"
#include "ui/widgets/text_boxes.h"

namespace kartela {
namespace {

constexpr QSize kPreviewSize{96, 96};

constexpr const char* kHeightLabel = "基準絵の高さ";
constexpr const char* kReferenceLabel = "基準のデータ値";
constexpr const char* kBaseLabel = "データの基底値";

// An empty base value is 0, as it always was.
bool BaseValueConverts(const QString& text) {
  const std::optional<std::string> base = SjisText(text);
  return base && (base->empty() || ParseDataValue(*base).has_value());
}

QLineEdit* Edit(QWidget* parent, const char* name) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(QString::fromLatin1(name));
  return edit;
}

QLabel* Label(QWidget* parent, const char* name) {
  auto* label = new QLabel(parent);
  label->setObjectName(QString::fromLatin1(name));
  return label;
}

}  // namespace

TGlyphInfoDialog::TGlyphInfoDialog(Reporter& reporter, std::filesystem::path program_dir,
                                   QWidget* parent)
    : CheckedDialog(reporter, parent),
      program_dir_(std::move(program_dir)),
      max_(Label(this, "Max")),
      min_(Label(this, "Min")),
      file_name_(Label(this, "GlyphFName")),
      rad_(Edit(this, "Rad")),
      dat_(Edit(this, "Dat")),
      bas_(Edit(this, "Bas")),
      image_(nullptr),
      file_list_(new QListWidget(this)) {
  setObjectName(QStringLiteral("TGlyphInfoDialog"));
  setWindowTitle(QStringLiteral("絵グラフの設定"));
  auto* values = new QGridLayout;
  values->addWidget(new QLabel(QStringLiteral("（参考）"), this), 0, 0);
  values->addWidget(new QLabel(QStringLiteral("最大値"), this), 1, 0);
  values->addWidget(max_, 1, 1);
  values->addWidget(new QLabel(QStringLiteral("最小値"), this), 2, 0);
  values->addWidget(min_, 2, 1);
  values->addWidget(new QLabel(QString(kHeightLabel) + "　：", this), 3, 0);
  values->addWidget(rad_, 3, 1);
  values->addWidget(new QLabel(QString(kReferenceLabel) + "：", this), 4, 0);
  values->addWidget(dat_, 4, 1);
  values->addWidget(new QLabel(QString(kBaseLabel) + "：", this), 5, 0);
  values->addWidget(bas_, 5, 1);
  // The height is a 16-bit whole number, as the offsets are.
  CheckNumberBox(*rad_, kHeightLabel,
                 WholeNumberRange(std::numeric_limits<std::int16_t>::min(),
                                  std::numeric_limits<std::int16_t>::max()),
                 [](const QString& text) { return OffsetOfText(text).has_value(); });
  CheckNumberBox(*dat_, kReferenceLabel, ReferenceValueRange(),
                 [this](const QString&) { return ReferenceValueTaken(); });
  CheckNumberBox(*bas_, kBaseLabel, "数値", BaseValueConverts);

  auto* panel = new QGroupBox(QStringLiteral("プレビュー"), this);
  panel->setObjectName(QStringLiteral("Panel1"));
  image_ = Label(panel, "Image1");
  image_->setFixedSize(kPreviewSize);
  auto* panel_layout = new QVBoxLayout(panel);
  panel_layout->addWidget(image_);
  auto* choose = new QPushButton(QStringLiteral("絵"), this);
  choose->setObjectName(QStringLiteral("SelGlyphBtn"));
  auto* picture = new QVBoxLayout;
  picture->addWidget(panel);
  picture->addWidget(file_name_);
  picture->addWidget(choose);

  auto* ok = new QPushButton(QStringLiteral("OK"), this);
  ok->setObjectName(QStringLiteral("OkBtn"));
  ok->setDefault(true);
  auto* cancel = new QPushButton(QStringLiteral("キャンセル"), this);
  cancel->setObjectName(QStringLiteral("CancelBtn"));
  auto* buttons = new QVBoxLayout;
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  buttons->addStretch();

  auto* top = new QHBoxLayout;
  top->addLayout(values);
  top->addLayout(picture);
  top->addLayout(buttons);
  file_list_->setObjectName(QStringLiteral("FileListBox"));
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(file_list_);

  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(choose, &QPushButton::clicked, this, &TGlyphInfoDialog::ShowFileList);
  connect(file_list_, &QListWidget::itemClicked, this, &TGlyphInfoDialog::FileListBoxClick);
  connect(file_list_, &QListWidget::currentItemChanged, this,
          [this](QListWidgetItem* item) { FileListBoxClick(item); });
  panel->installEventFilter(this);
  image_->installEventFilter(this);
}

void TGlyphInfoDialog::SetFields(const PictureFields& fields) {
  max_->setText(ShownText(fields.MaxText));
  min_->setText(ShownText(fields.MinText));
  rad_->setText(ShownText(fields.Radius));
  dat_->setText(ShownText(fields.RefValue));
  bas_->setText(ShownText(fields.BaseValue));
}

PictureFields TGlyphInfoDialog::Fields() const {
  PictureFields fields;
  fields.Radius = SjisText(rad_->text()).value_or("");
  fields.RefValue = SjisText(dat_->text()).value_or("");
  fields.BaseValue = SjisText(bas_->text()).value_or("");
  return fields;
}

bool TGlyphInfoDialog::ReferenceValueTaken() const {
  if (!SjisText(dat_->text())) return false;
  SymbolSettings scratch;
  return ApplyPictureFields(Fields(), scratch) == 0;
}

void TGlyphInfoDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  Init();
}

void TGlyphInfoDialog::Init() {
  image_->hide();
  file_name_->clear();
  file_list_->blockSignals(true);
  file_list_->clear();
  const QDir dir(PathText(program_dir_));
  file_list_->addItems(dir.entryList({QStringLiteral("*.wmf"), QStringLiteral("*.emf")},
                                     QDir::Files, QDir::Name | QDir::IgnoreCase));
  file_list_->blockSignals(false);
  file_list_->hide();
  adjustSize();
  if (selected_.isEmpty()) return;
  selected_ = dir.filePath(QFileInfo(selected_).fileName());
  if (Preview(selected_)) file_name_->setText(QFileInfo(selected_).fileName());
}

void TGlyphInfoDialog::ShowFileList() {
  file_list_->show();
  adjustSize();
}

bool TGlyphInfoDialog::FileListShown() const {
  return file_list_->isVisible();
}

void TGlyphInfoDialog::FileListBoxClick(QListWidgetItem* item) {
  if (item == nullptr) return;
  selected_ = QDir(PathText(program_dir_)).filePath(item->text());
  file_name_->setText(item->text());
  Preview(selected_);
}

bool TGlyphInfoDialog::Preview(const QString& path) {
  const QImage image =
      MetafilePreview(PathOf(path), image_->size(), palette().color(QPalette::Window));
  if (image.isNull()) return false;
  image_->setPixmap(QPixmap::fromImage(image));
  image_->show();
  return true;
}

bool TGlyphInfoDialog::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonRelease) ShowFileList();
  return QDialog::eventFilter(watched, event);
}

}  // namespace kartela
