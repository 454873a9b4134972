#include "ui/base_maps/base_map_commands.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QStatusBar>
#include <filesystem>
#include <optional>
#include <vector>

#include "model/settings_file.h"
#include "model/startup.h"
#include "model/test_support.h"
#include "ui/base_maps/about_base_map_dialog.h"
#include "ui/base_maps/idt_select_dialog.h"
#include "ui/data_test_support.h"

namespace kartela {
namespace {

using test::Sjis;

constexpr const char* kCurrentMap = "全国.IDT";
constexpr const char* kOtherMap = "県.IDT";

// The base-map commands over a program directory with two base maps and a
// data file. The chooser answers at once with `chosen_name_` (OK), or
// cancels when there is none; the about box notes what it shows.
class BaseMapCommandsTest : public testing::Test {
 protected:
  BaseMapCommandsTest() {
    dir_.Write(kCurrentMap, test::BaseMapBytes({"北海道", "青森県"}));
    dir_.Write(kOtherMap, test::BaseMapBytes({"東", "西"}));
    dir_.Write("人口.DAT", "not a map");
    workspace_.settings.BaseMapFile = Sjis(kCurrentMap);
    workspace_.area_list.CurrentBaseMapFile = Sjis("データの地図.IDT");
    commands_.SetDialogRunner([this](QDialog& dialog) {
      if (auto* chooser = qobject_cast<TIdtSelectDialog*>(&dialog)) return Choose(*chooser);
      about_labels_.clear();
      for (const QLabel* label : dialog.findChildren<QLabel*>())
        about_labels_.push_back(label->text());
      about_base_name_ = dialog.findChild<QLabel*>("BaseName")->text();
      about_caption_ = dialog.windowTitle();
      dialog.done(QDialog::Accepted);
      return dialog.result();
    });
  }

  int Choose(TIdtSelectDialog& chooser) {
    chooser_caption_ = chooser.windowTitle();
    chooser.show();  // lists the directory
    chooser_preset_ = chooser.findChild<QLineEdit*>("IdtName")->text();
    chooser_list_.clear();
    const auto* list = chooser.findChild<QListWidget*>("FileListBox");
    for (int i = 0; i < list->count(); ++i)
      chooser_list_.push_back(list->item(i)->text());
    if (chosen_name_) chooser.findChild<QLineEdit*>("IdtName")->setText(*chosen_name_);
    chooser.done(chosen_name_ ? QDialog::Accepted : QDialog::Rejected);
    return chooser.result();
  }

  const std::string& BaseMapFile() const { return workspace_.settings.BaseMapFile; }
  std::uint16_t ChangedMask() const { return workspace_.settings.ChangedMask; }

  test::ScratchDir dir_;
  Workspace workspace_;
  test::RecordingReporter reporter_;
  AppContext context_{workspace_, ProgramPaths{dir_.path(), "kartela"}, reporter_, TextMetrics{}};
  BaseMapCommands commands_{context_};

  std::optional<QString> chosen_name_;
  QString chooser_caption_;
  QString chooser_preset_;
  std::vector<QString> chooser_list_;
  std::vector<QString> about_labels_;
  QString about_base_name_;
  QString about_caption_;
};

TEST_F(BaseMapCommandsTest, ChoosingAMapMakesItTheBaseMap) {
  chosen_name_ = kOtherMap;
  commands_.SelectBaseClick();
  EXPECT_EQ(chooser_caption_, "基本地図の選択");
  EXPECT_EQ(chooser_preset_, kCurrentMap);
  EXPECT_EQ(chooser_list_.size(), 2u) << "only the base maps are listed";
  EXPECT_EQ(BaseMapFile(), Sjis(kOtherMap));
  EXPECT_EQ(ChangedMask(), kChangedBaseMap);
  EXPECT_EQ(workspace_.area_list.CurrentBaseMapFile, Sjis("データの地図.IDT"))
      << "the data keep their map";
  EXPECT_TRUE(reporter_.messages.empty());
}

// Double-clicking an entry chooses it, as Enter does, and the status bar
// then names the new base map.
TEST_F(BaseMapCommandsTest, ADoubleClickChoosesAnEntryThatTheStatusBarThenNames) {
  QStatusBar status_bar;
  commands_.ShowBaseMapIn(status_bar);
  const auto* shown = status_bar.findChild<QLabel*>("BaseMapStatus");
  ASSERT_NE(shown, nullptr);
  EXPECT_EQ(shown->text(), QString("基本地図：") + kCurrentMap);

  commands_.SetDialogRunner([](QDialog& dialog) {
    dialog.show();
    auto* list = dialog.findChild<QListWidget*>("FileListBox");
    const QList<QListWidgetItem*> found = list->findItems(kOtherMap, Qt::MatchExactly);
    if (found.isEmpty()) return static_cast<int>(QDialog::Rejected);
    const QPointF at = list->visualItemRect(found.front()).center();
    for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease,
                                    QEvent::MouseButtonDblClick, QEvent::MouseButtonRelease}) {
      QMouseEvent event(type, at, list->viewport()->mapToGlobal(at), Qt::LeftButton,
                        type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                        Qt::NoModifier);
      QApplication::sendEvent(list->viewport(), &event);
    }
    return dialog.isVisible() ? static_cast<int>(QDialog::Rejected) : dialog.result();
  });
  commands_.SelectBaseClick();
  EXPECT_EQ(BaseMapFile(), Sjis(kOtherMap));
  EXPECT_EQ(shown->text(), QString("基本地図：") + kOtherMap);
}

TEST_F(BaseMapCommandsTest, AMapChosenInLowerCaseIsLoadedAtTheNextStart) {
  dir_.Write("tokyo.idt", test::BaseMapBytes({"千代田区", "港区"}));
  for (const char* typed : {"tokyo.idt", "TOKYO.IDT"}) {
    SCOPED_TRACE(typed);
    chosen_name_ = typed;
    commands_.SelectBaseClick();
    EXPECT_EQ(BaseMapFile(), "tokyo.idt") << "kept as the file is called";
  }
  ASSERT_TRUE(WriteSettings(context_.paths.SettingsFile(), workspace_.settings).ok());
  Settings settings;
  AreaList areas;
  StartUp(context_.paths, {}, settings, areas);
  EXPECT_EQ(settings.BaseMapFile, "tokyo.idt");
  EXPECT_EQ(areas.AreaCount(), 2);
}

TEST_F(BaseMapCommandsTest, ChoosingTheSameMapAgainStillMarksItChanged) {
  chosen_name_ = kCurrentMap;
  commands_.SelectBaseClick();
  EXPECT_EQ(BaseMapFile(), Sjis(kCurrentMap));
  EXPECT_EQ(ChangedMask(), kChangedBaseMap);
}

TEST_F(BaseMapCommandsTest, NamesThatAreNoMapFileChangeNothingSilently) {
  std::filesystem::create_directory(dir_.path() / "フォルダ.IDT");
  for (const char* name : {"", "*.IDT", "県?.IDT", "無い.IDT", "フォルダ.IDT"}) {
    SCOPED_TRACE(name);
    chosen_name_ = name;
    commands_.SelectBaseClick();
    EXPECT_EQ(BaseMapFile(), Sjis(kCurrentMap));
    EXPECT_EQ(ChangedMask(), 0);
  }
  EXPECT_TRUE(reporter_.messages.empty());
}

TEST_F(BaseMapCommandsTest, CancelChangesNothing) {
  chosen_name_.reset();
  commands_.SelectBaseClick();
  EXPECT_EQ(BaseMapFile(), Sjis(kCurrentMap));
  EXPECT_EQ(ChangedMask(), 0);
}

TEST_F(BaseMapCommandsTest, ANameShiftJisCannotHoldIsRefusedWithAMessage) {
  const char* name = "\xF0\xA0\xAE\xB7.IDT";  // U+20BB7 has no CP932 form
  dir_.Write(name, test::BaseMapBytes({"東"}));
  chosen_name_ = name;
  commands_.SelectBaseClick();
  EXPECT_EQ(BaseMapFile(), Sjis(kCurrentMap));
  EXPECT_EQ(ChangedMask(), 0);
  ASSERT_EQ(reporter_.messages.size(), 1u);
  EXPECT_NE(reporter_.messages[0].text.find(name), std::string::npos);
}

TEST_F(BaseMapCommandsTest, AboutBoxNamesTheBaseMap) {
  commands_.AboutBaseMapClick();
  EXPECT_EQ(about_caption_, "基本地図について");
  EXPECT_EQ(about_base_name_, kCurrentMap);
  const std::vector<QString> expected = {
      "・基本地図とは、日常的によく使う地図のことです。",
      "・現在、基本地図は、",
      kCurrentMap,
      "に指定されています。",
      "・地図ファイルは、地図名.IDT です。",
      "・地図ファイルは KARTELA 本体と同じ場所になくてはいけません。"};
  EXPECT_EQ(about_labels_, expected);

  chosen_name_ = kOtherMap;
  commands_.SelectBaseClick();
  commands_.AboutBaseMapClick();
  EXPECT_EQ(about_base_name_, kOtherMap) << "the new base map";
}

}  // namespace
}  // namespace kartela
