#include "ui/widgets/file_dialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QIdentityProxyModel>
#include <QLocale>
#include <QTreeView>
#include <filesystem>
#include <system_error>
#include <utility>

#include "base/text_encoding.h"
#include "ui/widgets/qt_text.h"

namespace kartela {
namespace {

// Columns of the file system model behind the dialog.
constexpr int kNameColumn = 0;
constexpr int kSizeColumn = 1;
constexpr int kDateColumn = 3;

constexpr int kTypeColumn = 2;

// Samples of the widest texts each column shows, and the room left beside
// the list for the side bar and a panel the dialog may add.
constexpr const char16_t* kNameSample = u"都道府県別人口（2020年国勢調査）.DAT";
constexpr const char16_t* kSizeSample = u"1023.99 KiB";
constexpr const char16_t* kTypeSample = u"平文テキストドキュメント";
constexpr const char16_t* kDateSample = u"2026/12/31 23:59";
constexpr const char16_t* kBesideSample = u"コンピュータ コメント：ＭＭＭＭＭＭＭＭ";
constexpr int kDialogLines = 28;

// Shows sizes and dates as a Japanese user reads them: the file system model
// formats them in the system locale, which under LANG=C is English
// ("6 bytes", "7 Dec 2026").
class JapaneseFileColumns : public QIdentityProxyModel {
 public:
  using QIdentityProxyModel::QIdentityProxyModel;

  QVariant data(const QModelIndex& index, int role) const override {
    const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
    if (role != Qt::DisplayRole || files == nullptr) return QIdentityProxyModel::data(index, role);
    const QModelIndex source = mapToSource(index);
    if (index.column() == kSizeColumn && !files->isDir(source))
      return japanese_.formattedDataSize(files->size(source));
    if (index.column() == kDateColumn)
      return japanese_.toString(files->lastModified(source), QLocale::ShortFormat);
    return QIdentityProxyModel::data(index, role);
  }

 private:
  const QLocale japanese_{QLocale::Japanese, QLocale::Japan};
};

}  // namespace

void PrepareFileDialog(QFileDialog& dialog) {
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setProxyModel(new JapaneseFileColumns(&dialog));
  dialog.setViewMode(QFileDialog::Detail);
  const QFontMetrics metrics = dialog.fontMetrics();
  const int padding = metrics.horizontalAdvance(QStringLiteral("MM"));
  const auto width = [&](const char16_t* sample) {
    return metrics.horizontalAdvance(QString::fromUtf16(sample)) + padding;
  };
  int list_width = 0;
  if (auto* list = dialog.findChild<QTreeView*>(QStringLiteral("treeView"))) {
    const std::pair<int, const char16_t*> columns[] = {{kNameColumn, kNameSample},
                                                       {kSizeColumn, kSizeSample},
                                                       {kTypeColumn, kTypeSample},
                                                       {kDateColumn, kDateSample}};
    for (const auto& [column, sample] : columns) {
      list->header()->resizeSection(column, width(sample));
      list_width += width(sample);
    }
  }
  dialog.resize(dialog.size().expandedTo(
      QSize(list_width + width(kBesideSample), metrics.height() * kDialogLines)));
}

QString ChooseExistingFile(QWidget* parent, const QString& caption, const QString& start,
                           const QString& filter) {
  QFileDialog dialog(parent, caption, start, filter);
  dialog.setFileMode(QFileDialog::ExistingFile);
  PrepareFileDialog(dialog);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return QString();
  return dialog.selectedFiles().front();
}

QString StartFolder(const Settings& settings, FolderKind kind, const QString& fallback) {
  const std::string& last = settings.LastFolders[static_cast<std::size_t>(kind)];
  const std::optional<std::string> utf8 = sjis::ToUtf8(last);
  std::error_code error;
  if (last.empty() || !utf8 || !std::filesystem::is_directory(*utf8, error)) return fallback;
  return QDir::cleanPath(QString::fromStdString(*utf8));  // without the trailing separator
}

void RememberFolder(Settings& settings, FolderKind kind, const QString& chosen) {
  const std::filesystem::path folder = (PathOf(chosen).parent_path() / "").lexically_normal();
  const std::optional<std::string> text = sjis::FromUtf8(PathText(folder).toStdString());
  std::string& last = settings.LastFolders[static_cast<std::size_t>(kind)];
  if (!text || text->empty() || *text == last) return;
  last = *text;
  settings.ChangedMask |= kChangedLastFolders;
}

}  // namespace kartela
