#include "ui/drawing/pattern_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>
#include <optional>
#include <string>

#include "base/text_encoding.h"
#include "model/color_schemes.h"
#include "model/messages.h"
#include "model/reporter.h"
#include "render/drawing_resources.h"
#include "ui/drawing/brush_swatches.h"
#include "ui/widgets/text_boxes.h"

namespace kartela {
namespace {

constexpr int kSystemBrushes = kFirstPatternBrush;  // solid and hatched: 0..39
constexpr int kPatternBrushes = kHollowBrush - kFirstPatternBrush;
constexpr const char* kClassLabels[kOrderBoxCount] = {"２つ", "３つ", "４つ", "５つ",
                                                      "６つ", "７つ", "８つ"};
constexpr const char* kRefusedOrder =
    "模様順位に Shift-JIS で表せない文字があります。記号で指定してください。";

constexpr int kSwatchWidth = 12;
constexpr int kSwatchHeight = 12;
constexpr int kSwatchClasses = 5;  // the row a scheme's icon shows

// The colours of a scheme's row, side by side.
QIcon SchemeSwatch(const ColorScheme& scheme) {
  QPixmap pixmap(kSwatchClasses * kSwatchWidth, kSwatchHeight);
  QPainter painter(&pixmap);
  for (int j = 0; j < kSwatchClasses; ++j) {
    painter.fillRect(j * kSwatchWidth, 0, kSwatchWidth, kSwatchHeight,
                     QColor::fromRgb(SchemeColour(scheme, kSwatchClasses, j)));
  }
  return QIcon(pixmap);
}

std::optional<std::string> SjisOf(const QLineEdit& box) {
  return sjis::FromUtf8(box.text().toStdString());
}

}  // namespace

TPatternDialog::TPatternDialog(Reporter& reporter, QWidget* parent)
    : QDialog(parent), reporter_(reporter) {
  setObjectName("TPatternDialog");
  setWindowTitle("塗り分け模様の設定");
  auto* layout = new QGridLayout(this);
  layout->addWidget(BuildPictures(), 0, 0, 2, 1);
  layout->addWidget(BuildOrders(), 0, 1);
  layout->addWidget(BuildPalette(), 1, 1, Qt::AlignBottom);
  layout->addWidget(BuildSchemes(), 2, 0, 1, 2);
  layout->addWidget(OkCancelButtons(*this), 3, 0, 1, 2);
}

QWidget* TPatternDialog::BuildPictures() {
  auto* pictures = new QWidget(this);
  auto* column = new QVBoxLayout(pictures);
  column->setContentsMargins(0, 0, 0, 0);
  column->addWidget(new QLabel("ｼｽﾃﾑｽﾀｲﾙ", pictures));
  auto* system = new BrushSwatches(0, kSystemBrushes, pictures);
  system->setObjectName("SystemStyle");
  column->addWidget(system);
  column->addWidget(new QLabel("Kartelaｽﾀｲﾙ", pictures));
  auto* patterns = new BrushSwatches(kFirstPatternBrush, kPatternBrushes, pictures);
  patterns->setObjectName("KartelaStyle");
  column->addWidget(patterns);
  column->addStretch();
  for (BrushSwatches* swatches : {system, patterns}) {
    swatches->setToolTip("クリックすると、選んでいる区分の模様になります。");
    connect(swatches, &BrushSwatches::BrushClicked, this, &TPatternDialog::PickBrush);
  }
  return pictures;
}

QWidget* TPatternDialog::BuildOrders() {
  auto* orders = new QWidget(this);
  auto* grid = new QGridLayout(orders);
  grid->setContentsMargins(0, 0, 0, 0);
  grid->addWidget(new QLabel("区分数", orders), 0, 0);
  grid->addWidget(new QLabel("模様順位", orders), 0, 1);
  for (int i = 0; i < kOrderBoxCount; ++i) {
    auto* box = new QLineEdit(orders);
    box->setObjectName(QString("Order%1").arg(i + kMinClassCount));
    box->setInputMethodHints(Qt::ImhLatinOnly | Qt::ImhNoPredictiveText);
    orders_[static_cast<std::size_t>(i)] = box;
    box->installEventFilter(this);
    grid->addWidget(new QLabel(kClassLabels[i], orders), i + 1, 0);
    grid->addWidget(box, i + 1, 1);
  }
  grid->addWidget(new QLabel("＊模様順位を記号で指定してください。", orders), kOrderBoxCount + 1, 0,
                  1, 2);
  return orders;
}

QWidget* TPatternDialog::BuildPalette() {
  auto* palette = new QGroupBox("256色ﾊﾟﾚｯﾄを", this);
  auto* row = new QHBoxLayout(palette);
  use_palette_ = new QRadioButton("使う", palette);
  use_palette_->setObjectName("RBtnPal1");
  no_palette_ = new QRadioButton("使わない", palette);
  no_palette_->setObjectName("RBtnPal2");
  row->addWidget(use_palette_);
  row->addWidget(no_palette_);
  return palette;
}

QWidget* TPatternDialog::BuildSchemes() {
  auto* schemes = new QWidget(this);
  auto* row = new QHBoxLayout(schemes);
  row->setContentsMargins(0, 0, 0, 0);
  row->addWidget(new QLabel("配色：", schemes));
  scheme_ = new QComboBox(schemes);
  scheme_->setObjectName("ColorScheme");
  scheme_->setIconSize(QSize(kSwatchClasses * kSwatchWidth, kSwatchHeight));
  scheme_->setToolTip(
      "色覚の違いがあっても見分けやすい、順序のある配色 (ColorBrewer)。"
      "選ぶと区分の色になります。白黒印刷には模様順位をお使いください。");
  scheme_->addItem("なし（模様順位）", QString());
  for (const ColorScheme& scheme : ColorSchemes()) {
    const char* kind = scheme.kind == SchemeKind::kSequential ? "（順序）" : "（二方向）";
    const QString name = QString::fromLatin1(scheme.name.data(), scheme.name.size());
    scheme_->addItem(SchemeSwatch(scheme), name + kind, name);
  }
  row->addWidget(scheme_, 1);
  return schemes;
}

void TPatternDialog::LoadScheme(std::string_view name) {
  const int index = scheme_->findData(QString::fromStdString(std::string(name)));
  scheme_->setCurrentIndex(index < 0 ? 0 : index);
}

std::string TPatternDialog::SchemeName() const {
  return scheme_->currentData().toString().toStdString();
}

void TPatternDialog::Load(const PatternOrderTable& order, bool use_palette, int class_count) {
  for (std::size_t i = 0; i < orders_.size(); ++i) {
    const int k = static_cast<int>(i) + kMinClassCount;
    orders_[i]->setText(QString::fromStdString(FormatPatternOrder(order[i], k)));
  }
  use_palette_->setChecked(use_palette);
  no_palette_->setChecked(!use_palette);
  const bool has_box = class_count >= kMinClassCount && class_count <= kMaxClassCount;
  QLineEdit* focus_box = orders_[has_box ? static_cast<std::size_t>(class_count - kMinClassCount)
                                         : orders_.size() - 1];
  focus_box->setFocus();
  focus_box->selectAll();
  picking_ = focus_box;
}

bool TPatternDialog::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::FocusIn) {
    for (QLineEdit* box : orders_) {
      if (box == watched) picking_ = box;
    }
  }
  return QDialog::eventFilter(watched, event);
}

void TPatternDialog::PickBrush(int brush) {
  if (picking_ == nullptr) return;
  const auto box = static_cast<std::size_t>(std::find(orders_.begin(), orders_.end(), picking_) -
                                            orders_.begin());
  const int k = static_cast<int>(box) + kMinClassCount;
  const std::string text = SjisOf(*picking_).value_or("");
  std::array<std::uint8_t, 8> row{};
  ParsePatternOrder(text, k, row);
  // The class under the cursor: the symbols before it.
  const int cursor =
      picking_->hasSelectedText() ? picking_->selectionStart() : picking_->cursorPosition();
  const QString before = picking_->text().left(cursor);
  const int symbols = static_cast<int>(std::count_if(before.begin(), before.end(), [](QChar c) {
    return c.unicode() < 0x80 && BrushOfSymbol(static_cast<char>(c.unicode())).has_value();
  }));
  const int picked = std::min(symbols, k - 1);
  row[static_cast<std::size_t>(picked)] = static_cast<std::uint8_t>(brush);
  picking_->setText(QString::fromStdString(FormatPatternOrder(row, k)));
  picking_->setCursorPosition(2 * picked + 1);  // just after the symbol picked
  picking_->setFocus();
}

void TPatternDialog::StoreInto(PatternOrderTable& order, std::uint8_t& use_palette) const {
  for (std::size_t i = 0; i < orders_.size(); ++i) {
    // Only symbols count, and they are plain ASCII: a box that Shift-JIS
    // cannot hold (possible only when OK was not pressed) changes nothing.
    if (const auto text = SjisOf(*orders_[i])) {
      ParsePatternOrder(*text, static_cast<int>(i) + kMinClassCount, order[i]);
    }
  }
  use_palette = use_palette_->isChecked() ? 1 : 0;
}

QLineEdit* TPatternDialog::UnencodableBox() const {
  for (QLineEdit* box : orders_) {
    if (!SjisOf(*box)) return box;
  }
  return nullptr;
}

void TPatternDialog::done(int result) {
  if (result == Accepted) {
    if (QLineEdit* refused = UnencodableBox()) {
      ShowWarning(reporter_, kRefusedOrder);
      refused->setFocus();
      return;
    }
  }
  QDialog::done(result);
}

}  // namespace kartela
