#include "ui/main_window/menu_commands.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QStringList>
#include <set>
#include <string>

#include "ui/data_test_support.h"
#include "ui/main_window/map_main.h"

namespace kartela {
namespace {

// The lines of a table as names, "-" for a separator and the submenu's lines
// in brackets after its name.
QStringList DeclaredLayout(std::span<const MenuEntry> lines) {
  QStringList layout;
  for (const MenuEntry& line : lines) {
    switch (line.kind) {
      case MenuEntry::Kind::kSeparator:
        layout << QStringLiteral("-");
        break;
      case MenuEntry::Kind::kSubmenu:
        layout << QString::fromLatin1(line.name) + "[" + DeclaredLayout(line.submenu).join(' ') +
                      "]";
        break;
      case MenuEntry::Kind::kItem:
        layout << QString::fromLatin1(line.name);
        break;
    }
  }
  return layout;
}

// The same for a menu as the window built it.
QStringList BuiltLayout(const QMenu& menu) {
  QStringList layout;
  for (const QAction* action : menu.actions()) {
    if (action->isSeparator()) {
      layout << QStringLiteral("-");
    } else if (const QMenu* submenu = action->menu()) {
      layout << submenu->objectName() + "[" + BuiltLayout(*submenu).join(' ') + "]";
    } else {
      layout << action->objectName();
    }
  }
  return layout;
}

// Every item of the tables once, by the name it is found by, with its
// caption, check mark and handler, each menu in table order.
TEST(MenuTablesTest, TheWindowMakesEveryDeclaredItemOnceInItsPlace) {
  test::DataTestBed bed;
  TMapMain window(bed.context, {});
  std::set<MenuItem> items;
  for (const MenuDefinition& definition : MainMenus()) {
    const auto* menu = window.findChild<QMenu*>(QString::fromLatin1(definition.name));
    ASSERT_NE(menu, nullptr) << definition.name;
    EXPECT_EQ(menu->title(), QString::fromUtf8(definition.caption));
    EXPECT_EQ(BuiltLayout(*menu), DeclaredLayout(definition.entries)) << definition.name;
  }
  for (std::size_t i = 0; i < kMenuItemCount; ++i) {
    const MenuEntry& entry = EntryOf(static_cast<MenuItem>(i));
    ASSERT_EQ(entry.kind, MenuEntry::Kind::kItem);
    EXPECT_EQ(IndexOf(entry.item), i);
    EXPECT_NE(entry.handler, nullptr) << entry.name;
    EXPECT_TRUE(items.insert(entry.item).second) << entry.name;
    const auto found = window.findChildren<QAction*>(QString::fromLatin1(entry.name));
    ASSERT_EQ(found.size(), 1) << entry.name;
    EXPECT_EQ(found.front()->text(), QString::fromUtf8(entry.caption)) << entry.name;
    // The decoration tools carry the mark of the tool in use as well.
    const bool tool = entry.item >= MenuItem::kDecChar1 && entry.item <= MenuItem::kDecNorth;
    EXPECT_EQ(found.front()->isCheckable(), entry.checkable || tool) << entry.name;
    const char* keys = ShortcutOf(entry);
    EXPECT_EQ(found.front()->shortcut(),
              keys != nullptr ? QKeySequence(QString::fromLatin1(keys)) : QKeySequence())
        << entry.name;
  }
}

// The speed buttons run the handlers of the menu items that do the same;
// the others have their own.
TEST(MenuTablesTest, SpeedButtonsShareTheHandlersOfTheirMenuItems) {
  const std::pair<SpeedButton, MenuItem> shared[] = {
      {kSpeedNewData, MenuItem::kNewDataSel},    {kSpeedDataCopy, MenuItem::kCopyData},
      {kSpeedDataPaste, MenuItem::kPasteData},   {kSpeedMapCopyBitmap, MenuItem::kBMapCopy},
      {kSpeedMapPrint, MenuItem::kPrintMap},     {kSpeedPaintMap, MenuItem::kMePaintMap},
      {kSpeedCircleMap, MenuItem::kMeCircleMap}, {kSpeedGlyphMap, MenuItem::kMeGlyphMap},
      {kSpeedWhiteMap, MenuItem::kWhiteDataMap}, {kSpeedFitWholeMap, MenuItem::kFitWholeMap},
      {kSpeedNorthArrow, MenuItem::kDecNorth},   {kSpeedArrow, MenuItem::kDecArrow},
  };
  std::set<SpeedButton> sharing;
  for (const auto& [button, item] : shared) {
    EXPECT_EQ(SpeedButtonHandler(button), EntryOf(item).handler) << button;
    sharing.insert(button);
  }
  for (std::size_t i = 0; i < kSpeedButtonCount; ++i) {
    const auto button = static_cast<SpeedButton>(i);
    EXPECT_NE(SpeedButtonHandler(button), nullptr) << i;
    if (sharing.contains(button)) continue;
    for (std::size_t j = 0; j < kMenuItemCount; ++j)
      EXPECT_NE(SpeedButtonHandler(button), EntryOf(static_cast<MenuItem>(j)).handler) << i;
  }
}

}  // namespace
}  // namespace kartela
