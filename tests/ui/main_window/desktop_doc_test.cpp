// docs/desktop.md leads from each menu item and speed button to its code.
// Its table must have a row for every item of the menu tables and every
// button, no row for anything the program no longer shows, and every file,
// folder, handler and dialog class it names must exist.
#include <gtest/gtest.h>

#include <QAction>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QToolBar>
#include <QWidget>
#include <set>

#include "ui/main_window/menu_commands.h"
#include "ui/main_window/speed_buttons.h"
#include "ui/widgets/undo_history.h"

namespace kartela {
namespace {

const QString kSourceDir = QStringLiteral(KARTELA_SOURCE_DIR);

QString FileText(const QString& path) {
  QFile file(path);
  EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
  return QString::fromUtf8(file.readAll());
}

// A row of the table: the screen text and the cells after it.
struct Row {
  QString screen;
  QString handler;
  QString dialog;
  QString folder;
  QString tests;
};

std::vector<Row> ScreenToCodeRows() {
  const QStringList lines = FileText(kSourceDir + "/docs/desktop.md").split('\n');
  std::vector<Row> rows;
  const auto heading = lines.indexOf(QStringLiteral("## From screen to code"));
  EXPECT_GE(heading, 0);
  bool in_table = false;
  for (qsizetype i = heading + 1; heading >= 0 && i < lines.size(); ++i) {
    const QString& line = lines[i];
    if (!line.startsWith('|')) {
      if (in_table) break;
      continue;
    }
    in_table = true;
    QStringList cells = line.split('|');
    if (cells.size() != 7) {
      ADD_FAILURE() << "a row of five cells: " << line.toStdString();
      continue;
    }
    for (QString& cell : cells)
      cell = cell.trimmed();
    if (cells[1] == "screen" || cells[1].startsWith("---")) continue;
    rows.push_back({cells[1], cells[2], cells[3], cells[4], cells[5]});
  }
  return rows;
}

// The `quoted` names of a cell.
QStringList Quoted(const QString& cell) {
  QStringList names;
  static const QRegularExpression quoted(QStringLiteral("`([^`]+)`"));
  for (const auto& match : quoted.globalMatch(cell))
    names << match.captured(1);
  return names;
}

// A caption as the menu shows it: "&F" is drawn as an underlined F.
QString Shown(const char* caption) {
  return QString::fromUtf8(caption).remove(QLatin1Char('&'));
}

QString Step(const QString& shown) {
  return QStringLiteral("「") + shown + QStringLiteral("」");
}

void AddItemScreens(std::span<const MenuEntry> lines, const QString& path,
                    std::set<QString>& screens) {
  for (const MenuEntry& line : lines) {
    if (line.kind == MenuEntry::Kind::kSubmenu) {
      AddItemScreens(line.submenu, path + Step(Shown(line.caption)) + "→", screens);
    } else if (line.kind == MenuEntry::Kind::kItem) {
      screens.insert(path + Step(Shown(line.caption)));
    }
  }
}

// What the user sees of every declared item and every button.
std::set<QString> DeclaredScreens() {
  std::set<QString> screens;
  for (const MenuDefinition& menu : MainMenus())
    AddItemScreens(menu.entries, Step(Shown(menu.caption)) + "→", screens);
  QWidget parent;
  Workspace workspace;
  UndoHistory history(workspace);
  for (const QAction* action : {history.MakeUndoAction(&parent), history.MakeRedoAction(&parent)})
    screens.insert(Step(Shown(kEditMenuCaption)) + "→" + Step(action->text().remove('&')));
  const SpeedButtonBar buttons = BuildSpeedButtons(&parent);
  for (const QString& hint : buttons.hints)
    screens.insert("button" + Step(hint));
  return screens;
}

TEST(DesktopDocTest, EveryMenuItemAndButtonHasItsRowAndEveryRowItsItem) {
  const std::vector<Row> rows = ScreenToCodeRows();
  std::set<QString> documented;
  for (const Row& row : rows)
    EXPECT_TRUE(documented.insert(row.screen).second) << "twice: " << row.screen.toStdString();
  const std::set<QString> declared = DeclaredScreens();
  for (const QString& screen : declared)
    EXPECT_TRUE(documented.contains(screen)) << "no row: " << screen.toStdString();
  // A row that names an item or a button by its text names one that exists;
  // the help menu's tools and window list are made at run time.
  static const QRegularExpression item_or_button(
      QStringLiteral("^(button)?「[^」]+」(→「[^」]+」)*$"));
  for (const QString& screen : documented) {
    if (item_or_button.match(screen).hasMatch()) {
      EXPECT_TRUE(declared.contains(screen)) << "nothing shows: " << screen.toStdString();
    }
  }
}

TEST(DesktopDocTest, EveryFileHandlerAndDialogTheTableNamesExists) {
  // Every class definition of the desktop program, by its name.
  QString headers;
  QDirIterator files(kSourceDir + "/src/ui", {QStringLiteral("*.h")}, QDir::Files,
                     QDirIterator::Subdirectories);
  while (files.hasNext())
    headers += FileText(files.next());

  const std::vector<Row> rows = ScreenToCodeRows();
  ASSERT_GT(rows.size(), kMenuItemCount);
  for (const Row& row : rows) {
    const std::string where = row.screen.toStdString();
    for (const QString& cell : {row.handler, row.folder, row.tests}) {
      for (const QString& name : Quoted(cell)) {
        if (name.contains('/')) {
          EXPECT_TRUE(QFileInfo::exists(kSourceDir + "/" + name))
              << where << ": " << name.toStdString();
        }
      }
    }
    // The handler is defined in a source file of the row's folder.
    const QStringList folder = Quoted(row.folder);
    const QStringList handler = Quoted(row.handler);
    ASSERT_EQ(folder.size(), 1) << where;
    ASSERT_EQ(handler.size(), 1) << where;
    QString sources;
    QDirIterator folder_files(kSourceDir + "/" + folder.front(), {QStringLiteral("*.cpp")},
                              QDir::Files);
    while (folder_files.hasNext())
      sources += FileText(folder_files.next());
    EXPECT_TRUE(sources.contains(handler.front() + "("))
        << where << ": " << handler.front().toStdString();
    for (const QString& dialog : Quoted(row.dialog)) {
      EXPECT_TRUE(headers.contains("class " + dialog + " : "))
          << where << ": " << dialog.toStdString();
    }
    EXPECT_FALSE(Quoted(row.tests).isEmpty()) << where << ": no test named";
  }
}

}  // namespace
}  // namespace kartela
