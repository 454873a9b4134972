#include "ui/base_maps/make_base_map_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
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

// "FIELD（value、value、…）", the field's name kept as the item's data.
void FillFields(QComboBox& combo, const std::vector<basemap::SourceField>& fields, bool optional) {
  combo.clear();
  if (optional) combo.addItem(kNoField, QString());
  for (const basemap::SourceField& field : fields) {
    QStringList samples;
    for (const std::string& sample : field.samples)
      samples << Utf8Text(sample);
    combo.addItem(Utf8Text(field.name) + "（" + samples.join("、") + "）", Utf8Text(field.name));
  }
}

std::string ChosenField(const QComboBox& combo) {
  return combo.currentData().toString().toStdString();
}

}  // namespace

TMakeBaseMapDialog::TMakeBaseMapDialog(QWidget* parent)
    : QDialog(parent),
      file_(new QLineEdit(this)),
      layer_(NamedCombo("Layer", this)),
      name_field_(NamedCombo("NameField", this)),
      group_field_(NamedCombo("GroupField", this)),
      order_field_(NamedCombo("OrderField", this)),
      title_(new QLineEdit(this)),
      status_(new QLabel(this)),
      buttons_(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this)) {
  setObjectName("TMakeBaseMapDialog");
  setWindowTitle("基本地図の作成");
  file_->setObjectName("SourceFile");
  file_->setReadOnly(true);
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
  form->addRow("表題：", title_);
  form->addRow(status_);
  form->addRow(buttons_);
  connect(browse, &QPushButton::clicked, this, &TMakeBaseMapDialog::ChooseFile);
  connect(layer_, &QComboBox::textActivated, this, &TMakeBaseMapDialog::ShowLayer);
  connect(buttons_, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);
  UpdateOk();
}

void TMakeBaseMapDialog::ChooseFile() {
  const QString chosen = ChooseExistingFile(this, "境界データを開く", file_->text(), kFileFilter);
  if (!chosen.isEmpty()) SetSource(PathOf(chosen));
}

void TMakeBaseMapDialog::SetSource(const std::filesystem::path& path) {
  file_->setText(PathText(path));
  if (title_->text().isEmpty()) title_->setText(PathText(path.stem()));
  layer_->clear();
  ShowLayer(QString());
}

void TMakeBaseMapDialog::ShowLayer(const QString& layer) {
  const auto info = gdal::InspectSource(PathOf(file_->text()), layer.toStdString());
  if (!info.ok()) {
    for (QComboBox* combo : {name_field_, group_field_, order_field_})
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
  options.title = title_->text().toStdString();
  return options;
}

}  // namespace kartela
