#include "ui/main_window/speed_buttons.h"

#include <QAction>
#include <QIcon>
#include <QToolBar>
#include <QToolButton>

namespace kartela {
namespace {

constexpr int kButtonSize = 27;
constexpr int kIconSize = 20;
constexpr int kBarHeight = 37;

struct ButtonDefinition {
  const char* name;
  const char* hint;
  const char* icon;
  bool group_end;  // a gap follows the button
};

constexpr std::array<ButtonDefinition, kSpeedButtonCount> kButtons = {{
    {"SpeedNewDataBtn", "新規データ", "new_data", false},
    {"SpeedOpenBtn", "ﾃﾞｰﾀﾌｧｲﾙを開く", "open", false},
    {"SpeedSaveBtn", "データ保存", "save", true},
    {"SpeedDCopyBtn", "データのコピー", "data_copy", false},
    {"SpeedDPasteBtn", "データの貼り付け", "data_paste", true},
    {"SpeedMCopyBtn", "地図ｺﾋﾟｰ（ﾒﾀﾌｧｲﾙ）", "map_copy_metafile", false},
    {"SpeedBCopyBtn", "地図ｺﾋﾟｰ（ﾋﾞｯﾄﾏｯﾌﾟ）", "map_copy_bitmap", false},
    {"SpeedMapPrintBtn", "地図の印刷", "map_print", true},
    {"SpeedPMapBtn", "塗り分け地図", "paint_map", false},
    {"SpeedCMapBtn", "円面積グラフ", "circle_map", false},
    {"SpeedGMapBtn", "絵グラフ", "glyph_map", false},
    {"SpeedWMapBtn", "白地図", "white_map", true},
    {"SpeedExLargeBtn", "拡 大", "zoom_in", false},
    {"SpeedExSmallBtn", "縮 小", "zoom_out", false},
    {"SpeedFitBtn", "全体表示", "fit_whole_map", true},
    {"SpeedNorthBtn", "方位記号", "north_arrow", false},
    {"SpeedArrowBtn", "矢印", "arrow", false},
}};

QAction* AddButton(QToolBar& bar, const ButtonDefinition& definition) {
  const QString hint = QString::fromUtf8(definition.hint);
  auto* action =
      new QAction(QIcon(QStringLiteral(":/icons/%1.svg").arg(definition.icon)), QString(), &bar);
  action->setObjectName(QString::fromLatin1(definition.name));
  bar.addAction(action);
  QWidget* button = bar.widgetForAction(action);
  button->setFixedSize(kButtonSize, kButtonSize);
  button->setAccessibleName(hint);
  return action;
}

}  // namespace

SpeedButtonBar BuildSpeedButtons(QWidget* parent) {
  SpeedButtonBar buttons;
  buttons.bar = new QToolBar(parent);
  buttons.bar->setObjectName(QStringLiteral("Panel1"));
  buttons.bar->setMovable(false);
  buttons.bar->setFloatable(false);
  buttons.bar->setContextMenuPolicy(Qt::PreventContextMenu);
  buttons.bar->setIconSize(QSize(kIconSize, kIconSize));
  buttons.bar->setFixedHeight(kBarHeight);
  for (std::size_t i = 0; i < kSpeedButtonCount; ++i) {
    buttons.actions[i] = AddButton(*buttons.bar, kButtons[i]);
    buttons.hints[i] = QString::fromUtf8(kButtons[i].hint);
    if (kButtons[i].group_end) buttons.bar->addSeparator();
  }
  return buttons;
}

// An action without text shows no tooltip unless one is set, so clearing the
// tooltip turns the hint off.
void ApplyHints(const SpeedButtonBar& buttons, bool show) {
  for (std::size_t i = 0; i < kSpeedButtonCount; ++i) {
    buttons.actions[i]->setToolTip(show ? buttons.hints[i] : QString());
  }
}

}  // namespace kartela
