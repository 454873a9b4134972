#include "ui/base_maps/idt_select_dialog.h"

#include <QDateTime>
#include <QDialogButtonBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "base/text_encoding.h"
#include "model/messages.h"
#include "model/reporter.h"
#include "model/startup.h"
#include "ui/data/my_open_dialog.h"
#include "ui/widgets/qt_text.h"

namespace kartela {
namespace {

// Length of "hh:mm:ss " in front of each name while sorting.
constexpr qsizetype kTimePrefix = 9;

}  // namespace

QStringList ListByTimeOfDay(const std::filesystem::path& directory, const QString& mask) {
  QDir dir(PathText(directory));
  dir.setNameFilters({mask});  // QDir compares names without letter case by default
  dir.setFilter(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
  QStringList keyed;
  for (const QFileInfo& entry : dir.entryInfoList()) {
    keyed << entry.lastModified().toString(QStringLiteral("hh:mm:ss ")) + entry.fileName();
  }
  std::sort(keyed.begin(), keyed.end(), [](const QString& a, const QString& b) {
    return QString::compare(a, b, Qt::CaseInsensitive) < 0;
  });
  QStringList names;
  for (const QString& key : keyed)
    names << key.mid(kTimePrefix);
  return names;
}

TIdtSelectDialog::TIdtSelectDialog(Reporter& reporter, QWidget* parent)
    : QDialog(parent), reporter_(reporter) {
  setWindowTitle(QStringLiteral("地図選択"));

  idt_comment_ = new QLabel(this);
  idt_comment_->setObjectName(QStringLiteral("IdtComment"));
  idt_comment_->setTextFormat(Qt::PlainText);  // file text, never markup
  idt_comment_->setAlignment(Qt::AlignCenter);

  file_list_ = new QListWidget(this);
  file_list_->setObjectName(QStringLiteral("FileListBox"));
  connect(file_list_, &QListWidget::itemSelectionChanged, this, &TIdtSelectDialog::SelectEntry);
  // A double-click chooses the entry, as Enter does.
  connect(file_list_, &QListWidget::itemDoubleClicked, this, &QDialog::accept);

  auto* name_label = new QLabel(QStringLiteral("ファイル名"), this);
  idt_name_ = new QLineEdit(this);
  idt_name_->setObjectName(QStringLiteral("IdtName"));
  idt_name_->setReadOnly(true);
  idt_name_->setFocusPolicy(Qt::NoFocus);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  buttons->button(QDialogButtonBox::Ok)->setDefault(true);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(idt_comment_);
  layout->addWidget(file_list_, 1);
  layout->addWidget(name_label);
  layout->addWidget(idt_name_);
  layout->addWidget(buttons);
}

void TIdtSelectDialog::ClearComment() {
  idt_comment_->clear();
}

void TIdtSelectDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  FillList();
}

void TIdtSelectDialog::FillList() {
  idt_name_->setText(selected_name_);
  const QSignalBlocker quiet(file_list_);
  file_list_->clear();
  QStringList listed;
  for (const std::filesystem::path& directory : directories_) {
    for (const QString& name : ListByTimeOfDay(directory, mask_)) {
      if (!listed.contains(name)) listed.append(name);
    }
  }
  file_list_->addItems(listed);
  file_list_->setFocus();
}

void TIdtSelectDialog::SelectEntry() {
  const QList<QListWidgetItem*> selected = file_list_->selectedItems();
  if (selected.isEmpty()) return;
  const QString name = selected.front()->text();
  idt_name_->setText(name);
  idt_comment_->clear();
  const TextLine title = ReadTextLine(PathOfName(name), 1);
  if (!title.ok) {
    ShowWarning(reporter_, name.toStdString() + ": " + title.error);
    return;
  }
  idt_comment_->setText(QString::fromStdString(sjis::ToUtf8Lossy(title.text)));
}

std::filesystem::path TIdtSelectDialog::PathOfName(const QString& name) const {
  const QByteArray utf8 = name.toUtf8();
  return FirstHolding(directories_, std::u8string(utf8.begin(), utf8.end()));
}

std::filesystem::path TIdtSelectDialog::SelectedPath() const {
  return PathOfName(selected_name_);
}

void TIdtSelectDialog::done(int result) {
  selected_name_ = idt_name_->text();
  QDialog::done(result);
}

}  // namespace kartela
