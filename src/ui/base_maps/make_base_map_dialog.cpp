#include "ui/base_maps/make_base_map_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>

#include "geodata/gdal_plugin/gdal_services.h"
#include "ui/widgets/file_dialogs.h"
#include "ui/widgets/problem_text.h"
#include "ui/widgets/qt_text.h"

namespace kartela {
namespace {

constexpr const char* kFileFilter =
    "境界データ (*.shp *.gpkg *.geojson *.json *.fgb *.kml *.gml);;すべてのファイル (*)";
constexpr const char* kNoField = "（なし）";

QComboBox* NamedCombo(const char* name, QWidget* parent) {
  auto* combo = new QComboBox(parent);
  combo->setObjectName(name);
  combo->setMinimumContentsLength(40);
  return combo;
}

QString EncodingText(TextEncoding encoding) {
  return encoding == TextEncoding::kCp932 ? "文字コード：Shift-JIS（CP932）" : "文字コード：UTF-8";
}

// "FIELD（value、value、…）", the field's name kept as the item's data; only
// numeric fields when `numeric`.
void FillFields(QComboBox& combo, const std::vector<basemap::SourceField>& fields, bool optional,
                bool numeric = false) {
  combo.clear();
  if (optional) combo.addItem(kNoField, QString());
  for (const basemap::SourceField& field : fields) {
    if (numeric && !field.numeric) continue;
    QStringList samples;
    for (const std::string& sample : field.samples)
      samples << (sample.empty() ? QString("（空）") : Utf8Text(sample));
    combo.addItem(Utf8Text(field.name) + "（" + samples.join("、") + "）", Utf8Text(field.name));
  }
}

std::string ChosenField(const QComboBox& combo) {
  return combo.currentData().toString().toStdString();
}

// The field that most likely names the areas: the first text field whose
// values differ, else the first text field, else the first.
int NameFieldIndex(const std::vector<basemap::SourceField>& fields) {
  for (const bool need_distinct : {true, false}) {
    for (std::size_t i = 0; i < fields.size(); ++i) {
      if (fields[i].text && (fields[i].distinct || !need_distinct)) return static_cast<int>(i);
    }
  }
  return 0;
}

// The local file a drag carries, if it carries exactly one.
QString DroppedFile(const QMimeData* data) {
  if (data == nullptr || data->urls().size() != 1 || !data->urls()[0].isLocalFile()) return {};
  return data->urls()[0].toLocalFile();
}

}  // namespace

TMakeBaseMapDialog::TMakeBaseMapDialog(QWidget* parent)
    : QDialog(parent),
      file_(new QLineEdit(this)),
      layer_(NamedCombo("Layer", this)),
      name_field_(NamedCombo("NameField", this)),
      group_field_(NamedCombo("GroupField", this)),
      order_field_(NamedCombo("OrderField", this)),
      value_field_(NamedCombo("ValueField", this)),
      source_system_(new QLineEdit(this)),
      planar_(new QCheckBox("平面座標としてそのまま使う", this)),
      title_(new QLineEdit(this)),
      status_(new QLabel(this)),
      buttons_(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this)) {
  setObjectName("TMakeBaseMapDialog");
  setWindowTitle("基本地図の作成");
  file_->setObjectName("SourceFile");
  file_->setPlaceholderText("パスの入力かドロップでも可");
  file_->installEventFilter(this);
  source_system_->setObjectName("SourceSystem");
  source_system_->setPlaceholderText("ファイルが示すもの（例：EPSG:6677）");
  planar_->setObjectName("Planar");
  title_->setObjectName("Title");
  status_->setObjectName("Status");
  status_->setTextFormat(Qt::PlainText);
  status_->setWordWrap(true);
  auto* browse = new QPushButton("参照...", this);
  auto* file_row = new QHBoxLayout;
  file_row->addWidget(file_);
  file_row->addWidget(browse);
  auto* form = new QFormLayout(this);
  form->addRow("ファイル：", file_row);
  form->addRow("レイヤー：", layer_);
  form->addRow("名前の列：", name_field_);
  form->addRow("まとめる列：", group_field_);
  form->addRow("並べる列：", order_field_);
  form->addRow("値の列：", value_field_);
  form->addRow("座標系：", source_system_);
  form->addRow(planar_);
  form->addRow("表題：", title_);
  form->addRow(status_);
  form->addRow(buttons_);
  connect(browse, &QPushButton::clicked, this, &TMakeBaseMapDialog::ChooseFile);
  connect(file_, &QLineEdit::editingFinished, this, &TMakeBaseMapDialog::TakeTypedFile);
  connect(planar_, &QCheckBox::toggled, source_system_, &QWidget::setDisabled);
  connect(layer_, &QComboBox::textActivated, this, &TMakeBaseMapDialog::ShowLayer);
  connect(buttons_, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);
  UpdateOk();
}

void TMakeBaseMapDialog::ChooseFile() {
  const QString chosen = ChooseExistingFile(this, "境界データを開く", file_->text(), kFileFilter);
  if (!chosen.isEmpty()) SetSource(PathOf(chosen));
}

void TMakeBaseMapDialog::TakeTypedFile() {
  const QString typed = file_->text().trimmed();
  if (!typed.isEmpty() && typed != shown_file_) SetSource(PathOf(typed));
}

bool TMakeBaseMapDialog::eventFilter(QObject* watched, QEvent* event) {
  // Enter in the file box reads the file typed; it does not also press OK.
  if (watched == file_ && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      TakeTypedFile();
      return true;
    }
  }
  if (watched == file_ && event->type() == QEvent::DragEnter) {
    auto* drag = static_cast<QDragEnterEvent*>(event);
    if (DroppedFile(drag->mimeData()).isEmpty()) return false;
    drag->acceptProposedAction();
    return true;
  }
  if (watched == file_ && event->type() == QEvent::Drop) {
    auto* drop = static_cast<QDropEvent*>(event);
    const QString file = DroppedFile(drop->mimeData());
    if (file.isEmpty()) return false;
    drop->acceptProposedAction();
    SetSource(PathOf(file));
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

void TMakeBaseMapDialog::SetSource(const std::filesystem::path& path) {
  file_->setText(PathText(path));
  shown_file_ = file_->text();
  if (title_->text().isEmpty()) title_->setText(PathText(path.stem()));
  layer_->clear();
  ShowLayer(QString());
}

void TMakeBaseMapDialog::ShowLayer(const QString& layer) {
  const auto info = gdal::InspectSource(PathOf(file_->text()), layer.toStdString());
  if (!info.ok()) {
    for (QComboBox* combo : {name_field_, group_field_, order_field_, value_field_})
      combo->clear();
    status_->setText(Utf8Text(ProblemText(info.problems())));
    UpdateOk();
    return;
  }
  if (layer_->count() == 0) {
    for (const std::string& name : info->layers)
      layer_->addItem(Utf8Text(name));
  }
  FillFields(*name_field_, info->fields, false);
  FillFields(*group_field_, info->fields, true);
  FillFields(*order_field_, info->fields, true);
  FillFields(*value_field_, info->fields, true, true);
  name_field_->setCurrentIndex(NameFieldIndex(info->fields));
  status_->setText(EncodingText(info->encoding));
  UpdateOk();
}

void TMakeBaseMapDialog::UpdateOk() {
  buttons_->button(QDialogButtonBox::Ok)->setEnabled(name_field_->count() > 0);
}

basemap::ImportOptions TMakeBaseMapDialog::Options() const {
  basemap::ImportOptions options;
  options.source.path = PathOf(file_->text());
  options.source.layer = layer_->currentText().toStdString();
  options.source.name_field = ChosenField(*name_field_);
  options.source.group_field = ChosenField(*group_field_);
  options.source.order_field = ChosenField(*order_field_);
  options.source.value_field = ChosenField(*value_field_);
  options.source.planar = planar_->isChecked();
  if (!options.source.planar)
    options.source.source_system = source_system_->text().trimmed().toStdString();
  options.with_data = !options.source.value_field.empty();
  options.title = title_->text().toStdString();
  return options;
}

void TMakeBaseMapDialog::ShowRefusal(const QString& reason) {
  status_->setText("基本地図を作成できません。\n" + reason);
}

}  // namespace kartela
