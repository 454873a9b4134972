#include "ui/main_window/about_dialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QStyle>
#include <QVBoxLayout>

namespace kartela {
namespace {

constexpr int kIconSize = 48;

QString AboutText() {
  return QStringLiteral(
             "<p><b style='font-size:large'>Kartela</b><br>バージョン %1</p>"
             "<p>"
             "統計データの主題図（塗り分け地図・円グラフ・絵グラフ・白地図）を作るプログラムです。<"
             "/p>"
             "<p>このプログラムはフリーソフトウェアです。GNU General Public License "
             "バージョン 2 またはそれ以降のバージョン（GPL-2.0-or-later）の条件の下で、"
             "再配布および改変ができます。無保証です。</p>")
      .arg(QStringLiteral(KARTELA_VERSION));
}

}  // namespace

TAboutDialog::TAboutDialog(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("Kartela について"));
  auto* icon = new QLabel(this);
  icon->setPixmap(QIcon(QStringLiteral(":/icons/kartela.svg")).pixmap(kIconSize, kIconSize));
  icon->setAlignment(Qt::AlignTop);
  auto* text = new QLabel(AboutText(), this);
  text->setWordWrap(true);
  text->setTextFormat(Qt::RichText);
  text->setMinimumWidth(360);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

  auto* body = new QHBoxLayout;
  body->addWidget(icon);
  body->addWidget(text, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(body);
  layout->addWidget(buttons);
}

}  // namespace kartela
