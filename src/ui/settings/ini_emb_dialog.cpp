#include "ui/settings/ini_emb_dialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "ui/widgets/text_boxes.h"

namespace kartela {
namespace {

// In the order of kSaveMaskBoxBits.
constexpr std::array<const char*, kSaveMaskBoxBits.size()> kCaptions = {
    "ＫＡＲＴＥＬＡの位置・サイズ",
    "データディレクトリ",
    "データファイル拡張子",
    "基本地図",
    "印刷倍率",
    "描画倍率",
    "描画位置",
    "塗り分け区分数",
    "塗り分け模様",
    "タイトル位置・フォント",
    "インデックス設定・フォント",
    "修飾フォント",
    "区域名描画・フォント",
    "境界線の設定",
    "保存・コピー時の(境界線)色変換"};

// The boxes stand in two columns, the first one the longer.
constexpr int kRowsPerColumn = 8;

}  // namespace

TIniEmbDialog::TIniEmbDialog(QWidget* parent) : QDialog(parent) {
  setObjectName("TIniEmbDialog");
  setWindowTitle("初期化ファイルの設定");
  auto* comment = new QLabel(
      "変更があった場合、プログラム終了時に、初期化ファイルに保存する項目を指定してください。",
      this);
  comment->setWordWrap(true);
  auto* boxes = new QGridLayout;
  for (std::size_t i = 0; i < check_boxes_.size(); ++i) {
    auto* box = new QCheckBox(kCaptions[i], this);
    box->setObjectName(QStringLiteral("CheckBox%1").arg(i + 1));
    const int position = static_cast<int>(i);
    boxes->addWidget(box, position % kRowsPerColumn, position / kRowsPerColumn);
    check_boxes_[i] = box;
  }
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(comment);
  layout->addLayout(boxes);
  layout->addWidget(OkCancelButtons(*this));
}

void TIniEmbDialog::Load(const SaveMaskChecks& checks) {
  for (std::size_t i = 0; i < check_boxes_.size(); ++i)
    check_boxes_[i]->setChecked(checks[i]);
}

SaveMaskChecks TIniEmbDialog::Checks() const {
  SaveMaskChecks checks{};
  for (std::size_t i = 0; i < check_boxes_.size(); ++i)
    checks[i] = check_boxes_[i]->isChecked();
  return checks;
}

void TIniEmbDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  check_boxes_.front()->setFocus();
}

}  // namespace kartela
