#include "ui/drawing/draw_size_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>
#include <cmath>

#include "base/numbers.h"
#include "base/real48.h"
#include "ui/widgets/text_boxes.h"

namespace kartela {
namespace {

constexpr const char* kMapWindowMap = "現在、地図ｳｨﾝﾄﾞｳに描画されている地図情報";
constexpr const char* kDataWindowMap = "現在、ﾃﾞｰﾀｳｨﾝﾄﾞｳに選択されている地図情報";

QLabel* PlainLabel(const QString& text, QWidget* parent, const char* object_name = "") {
  auto* label = new QLabel(text, parent);
  label->setObjectName(object_name);
  label->setTextFormat(Qt::PlainText);
  return label;
}

QLineEdit* MagnificationBox(QWidget* parent, const char* object_name) {
  auto* box = new QLineEdit(parent);
  box->setObjectName(object_name);
  box->setAlignment(Qt::AlignRight);
  box->setInputMethodHints(Qt::ImhFormattedNumbersOnly);
  return box;
}

QString Formatted(double magnification) {
  return QString::fromStdString(FormatFixed(magnification, 3, 2));
}

void StoreMagnification(const QLineEdit& box, double& magnification) {
  if (const auto value = MagnificationOfText(box.text())) magnification = *value;
}

}  // namespace

std::optional<double> MagnificationOfText(const QString& text) {
  bool ok = false;
  const double value = text.trimmed().toDouble(&ok);
  if (!ok || !std::isfinite(value) || std::fabs(value) > kReal48Max) return std::nullopt;
  return RoundToReal48(value);
}

QString MagnificationRange() {
  return QString("%1～%2 の数値").arg(-kReal48Max, 0, 'G', 2).arg(kReal48Max, 0, 'G', 2);
}

TDrawSizeDialog::TDrawSizeDialog(Reporter& reporter, QWidget* parent)
    : CheckedDialog(reporter, parent),
      last_map_(PlainLabel("", this, "LastMap")),
      last_res_(PlainLabel("", this, "LastRes")),
      x_res_(MagnificationBox(this, "XRes")),
      y_res_(MagnificationBox(this, "YRes")) {
  setObjectName("TDrawSizeDialog");
  setWindowTitle("地図の描画倍率");
  auto* layout = new QVBoxLayout(this);
  // The reference reads as one sentence over two lines.
  auto* reference = new QHBoxLayout;
  reference->setSpacing(0);
  reference->addWidget(PlainLabel("参考：", this));
  reference->addWidget(last_map_);
  reference->addWidget(PlainLabel("の大きさは、", this));
  reference->addStretch();
  layout->addLayout(reference);
  auto* size = new QHBoxLayout;
  size->setSpacing(0);
  size->addSpacing(fontMetrics().horizontalAdvance("参考："));
  size->addWidget(last_res_);
  size->addWidget(PlainLabel("です。", this));
  size->addStretch();
  layout->addLayout(size);
  layout->addWidget(PlainLabel("描画倍率を指定してください。", this));
  auto* boxes = new QFormLayout;
  boxes->addRow("横方向..", x_res_);
  boxes->addRow("縦方向..", y_res_);
  const QString range = MagnificationRange();
  const auto converts = [](const QString& text) { return MagnificationOfText(text).has_value(); };
  CheckNumberBox(*x_res_, "横方向", range, converts);
  CheckNumberBox(*y_res_, "縦方向", range, converts);
  layout->addLayout(boxes);
  layout->addWidget(OkCancelButtons(*this));
}

void TDrawSizeDialog::Load(double res_x, double res_y, bool map_drawn, MapSize resolution) {
  last_map_->setText(map_drawn ? kMapWindowMap : kDataWindowMap);
  last_res_->setText(QString("%1×%2").arg(resolution.width).arg(resolution.height));
  x_res_->setText(Formatted(res_x));
  y_res_->setText(Formatted(res_y));
  x_res_->setFocus();
  x_res_->selectAll();
}

void TDrawSizeDialog::StoreInto(double& res_x, double& res_y) const {
  StoreMagnification(*x_res_, res_x);
  StoreMagnification(*y_res_, res_y);
}

}  // namespace kartela
