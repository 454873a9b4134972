#include "ui/data/data_commands.h"

#include <gtest/gtest.h>

#include <QAbstractProxyModel>
#include <QDate>
#include <QDialogButtonBox>
#include <QEventLoop>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <chrono>
#include <ctime>
#include <memory>

#include "base/unwritable_dir.h"
#include "ui/base_maps/idt_select_dialog.h"
#include "ui/data/data_window.h"
#include "ui/data/my_open_dialog.h"
#include "ui/data_test_support.h"

namespace kartela {
namespace {

using test::DataTestBed;
using test::ScratchDir;
using test::Sjis;

QString Text(const std::filesystem::path& path) {
  return QString::fromStdString(DisplayPath(path));
}

// A dialog that answers with `answer` and remembers how it was set up.
struct FakeDialog {
  std::optional<QString> answer;
  std::vector<FileDialogSetup> setups;

  std::function<std::optional<QString>(const FileDialogSetup&)> Function() {
    return [this](const FileDialogSetup& setup) {
      setups.push_back(setup);
      return answer;
    };
  }
};

class DataCommandsTest : public testing::Test {
 protected:
  void SetUp() override {
    bed_.UseBaseMap("T.IDT", {"北海道", "青森", "岩手"});
    window_ = std::make_unique<TDataWindow>(bed_.context);
    commands_ = std::make_unique<DataCommands>(bed_.context, *window_);
    commands_->SetDialogs({open_.Function(), save_.Function(), select_.Function()});
  }

  DataSet& data() { return bed_.workspace.data; }
  void Values(const std::vector<std::string>& values) {
    for (std::size_t i = 0; i < values.size(); ++i)
      data().DataValues[i] = values[i];
    window_->LoadEdits();
  }
  QString InDataDir(const char* name) const { return Text(data_dir_.path() / name); }

  DataTestBed bed_;
  ScratchDir data_dir_;
  std::unique_ptr<TDataWindow> window_;
  std::unique_ptr<DataCommands> commands_;
  FakeDialog open_;
  FakeDialog save_;
  FakeDialog select_;
};

TEST_F(DataCommandsTest, SavedDataReadsBackThroughTheCommands) {
  data().DataTitle = Sjis("人口");
  Values({"12", "", " 3.5"});
  save_.answer = InDataDir("out");  // the extension is added
  ASSERT_TRUE(commands_->SaveDataClick());
  const FileDialogSetup& setup = save_.setups.at(0);
  EXPECT_EQ(setup.title, "データ保存");
  EXPECT_EQ(setup.file_name, "");  // the filter shows the extension
  EXPECT_EQ(setup.filter, "ﾃﾞｰﾀﾌｧｲﾙ(*.DAT);;全ファイル(*.*)");
  EXPECT_EQ(data_dir_.Read("out.DAT"), "T.IDT\r\n" + Sjis("人口") + "\r\n12\r\n\r\n 3.5\r\n");
  EXPECT_EQ(bed_.reporter.notices, std::vector<std::string>{"保存しました。"});
  EXPECT_EQ(data().DataFileName, data_dir_.path() / "out.DAT");
  EXPECT_EQ(window_->windowTitle(), "データ out.DAT");

  window_->ClearDataSet();
  open_.answer = InDataDir("out");  // found with the extension added
  ASSERT_TRUE(commands_->ReadDataFileClick());
  EXPECT_EQ(open_.setups.at(0).title, "データ読み込み");
  EXPECT_EQ(data().DataTitle, Sjis("人口"));
  EXPECT_EQ(data().DataValues[0], "12");
  EXPECT_EQ(data().DataValues[2], " 3.5");
  EXPECT_FALSE(data().DataModified);
  EXPECT_EQ(data().DataFileName, data_dir_.path() / "out.DAT");
  EXPECT_TRUE(bed_.reporter.messages.empty());
}

TEST_F(DataCommandsTest, DataWithoutANumberIsNotSaved) {
  Values({"abc", "", "1,5"});
  EXPECT_FALSE(commands_->SaveDataClick());
  EXPECT_FALSE(commands_->SaveOverClick());
  EXPECT_EQ(bed_.reporter.Numbers(), (std::vector<int>{10, 10}));
  EXPECT_TRUE(save_.setups.empty());
}

TEST_F(DataCommandsTest, SavingOverAnotherFileAsksFirst) {
  Values({"1"});
  data_dir_.Write("old.DAT", "keep");
  save_.answer = InDataDir("old.DAT");
  bed_.reporter.ok_answer = false;
  EXPECT_FALSE(commands_->SaveDataClick());
  EXPECT_EQ(bed_.reporter.questions,
            std::vector<std::string>{"old.DAT...同名ファイルがあります。上書きしますか？"});
  EXPECT_EQ(data_dir_.Read("old.DAT"), "keep");

  bed_.reporter.ok_answer = true;
  EXPECT_TRUE(commands_->SaveDataClick());
  EXPECT_NE(data_dir_.Read("old.DAT"), "keep");
}

TEST_F(DataCommandsTest, SaveOverWritesBackItsFileAndNamesNewDataFirst) {
  Values({"1"});
  save_.answer = InDataDir("new");
  ASSERT_TRUE(commands_->SaveOverClick());  // new data: as "save as"
  EXPECT_EQ(save_.setups.size(), 1u);

  Values({"2"});
  ASSERT_TRUE(commands_->SaveOverClick());
  EXPECT_EQ(save_.setups.size(), 1u);
  EXPECT_TRUE(bed_.reporter.questions.empty());
  EXPECT_EQ(data_dir_.Read("new.DAT"), "T.IDT\r\n\r\n2\r\n\r\n\r\n");
}

TEST_F(DataCommandsTest, FailuresReportAndKeepTheData) {
  Values({"1"});
  save_.answer = InDataDir("gone/x.DAT");
  EXPECT_FALSE(commands_->SaveDataClick());
  EXPECT_TRUE(data().DataFileName.empty());

  data_dir_.Write("other.DAT", "NONE.IDT\r\ntitle\r\n5\r\n");
  open_.answer = InDataDir("other.DAT");
  EXPECT_FALSE(commands_->ReadDataFileClick());
  EXPECT_EQ(bed_.reporter.Numbers(), (std::vector<int>{5, 3}));
  EXPECT_EQ(data().DataValues[0], "1");
  EXPECT_EQ(bed_.workspace.area_list.CurrentBaseMapFile, "T.IDT");
  EXPECT_EQ(window_->windowTitle(), "データ");
}

// The data dialogs open in the data directory until one was used; then
// where the last one was left, while that folder exists.
TEST_F(DataCommandsTest, DataDialogsOpenWhereTheLastOneWasLeft) {
  Settings& settings = bed_.workspace.settings;
  settings.DataDir = bed_.program_dir.path().string() + "/";
  ASSERT_FALSE(commands_->ReadDataFileClick());  // cancelled: nothing kept
  EXPECT_EQ(open_.setups.at(0).directory, Text(bed_.program_dir.path()));
  EXPECT_EQ(settings.ChangedMask & kChangedLastFolders, 0u);

  data().DataTitle = Sjis("人口");
  Values({"12"});
  save_.answer = InDataDir("out");
  ASSERT_TRUE(commands_->SaveDataClick());
  EXPECT_EQ(settings.LastFolders[0], data_dir_.path().string() + "/");
  EXPECT_NE(settings.ChangedMask & kChangedLastFolders, 0u);
  ASSERT_FALSE(commands_->ReadDataFileClick());
  EXPECT_EQ(open_.setups.at(1).directory, Text(data_dir_.path())) << "the folder saved to";

  settings.LastFolders[0] = "/no/such/folder/";
  ASSERT_FALSE(commands_->ReadDataFileClick());
  EXPECT_EQ(open_.setups.at(2).directory, Text(bed_.program_dir.path())) << "gone: as before";
}

TEST_F(DataCommandsTest, ReadingNeedsAnExistingFile) {
  open_.answer = InDataDir("none.CSV");
  EXPECT_FALSE(commands_->ReadDataFileClick());
  open_.answer = InDataDir("none");
  EXPECT_FALSE(commands_->ReadDataFileClick());
  EXPECT_EQ(bed_.reporter.Numbers(), (std::vector<int>{6, 6}));

  open_.answer = InDataDir("*.DAT");
  EXPECT_FALSE(commands_->ReadDataFileClick());
  open_.answer.reset();  // cancelled
  EXPECT_FALSE(commands_->ReadDataFileClick());
  EXPECT_EQ(bed_.reporter.messages.size(), 2u);
}

// Typed into the save dialog the user sees: what is typed is the name, and
// a name typed after the extension the box once preset is taken without it.
TEST_F(DataCommandsTest, ANameTypedIntoTheSaveDialogGetsTheExtensionAfterIt) {
  bed_.workspace.settings.DataDir = DisplayPath(data_dir_.path());
  DataCommands commands(bed_.context, *window_);  // the real dialogs
  Values({"1"});
  test::TypeIntoNextFileDialog("tokyo");
  ASSERT_TRUE(commands.SaveDataClick());
  EXPECT_EQ(data().DataFileName, data_dir_.path() / "tokyo.DAT");

  for (const char* typed : {".DATosaka", ".DATosaka.DAT"}) {
    save_.answer = InDataDir(typed);
    ASSERT_TRUE(commands_->SaveDataClick()) << typed;
    EXPECT_EQ(data().DataFileName, data_dir_.path() / "osaka.DAT") << typed;
  }
  save_.answer = InDataDir(".DAT");  // nothing typed
  EXPECT_FALSE(commands_->SaveDataClick());
  EXPECT_FALSE(std::filesystem::exists(data_dir_.path() / ".DAT.DAT"));
  EXPECT_EQ(bed_.reporter.questions.size(), 1u);  // osaka.DAT, the second time
}

// A save that cannot be written says why under message 5; the data keep no
// file name and stay to be saved elsewhere.
TEST_F(DataCommandsTest, ASaveThatCannotBeWrittenSaysWhy) {
  Values({"12"});
  test::ForEachUnwritablePlace(data_dir_.path(), [this](const test::UnwritablePlace& place,
                                                        const std::filesystem::path& dir) {
    SCOPED_TRACE(dir);
    bed_.reporter.messages.clear();
    save_.answer = Text(dir / "out");
    EXPECT_FALSE(commands_->SaveDataClick());
    ASSERT_EQ(bed_.reporter.Numbers(), std::vector<int>{kMsgSaveFailed});
    EXPECT_EQ(bed_.reporter.messages[0].text, "保存に失敗しました。\n" + std::string(place.cause));
    EXPECT_TRUE(data().DataFileName.empty());
    EXPECT_FALSE(std::filesystem::exists(dir / "out.DAT"));
  });
  EXPECT_TRUE(bed_.reporter.notices.empty());
}

TEST_F(DataCommandsTest, MapDocumentsAndMetafilesAreRefusedWithAReason) {
  Values({"1"});
  for (const char* name : {"map.KTD", "pic.wmf", "pic.Emf"}) {
    data_dir_.Write(name, "T.IDT\r\n\r\n1\r\n");
    open_.answer = InDataDir(name);
    EXPECT_FALSE(commands_->ReadDataFileClick()) << name;
    save_.answer = InDataDir(name);
    EXPECT_FALSE(commands_->SaveDataClick()) << name;
  }
  ASSERT_EQ(bed_.reporter.messages.size(), 6u);
  EXPECT_EQ(bed_.reporter.messages[0].number, 4);
  EXPECT_EQ(bed_.reporter.messages[0].text,
            "ファイル：" + DisplayPath(data_dir_.path() / "map.KTD") +
                " の読み込みに失敗しました。\nデータファイルではありません（地図ファイルと画像は「"
                "画像」メニューから開きます）");
  EXPECT_EQ(bed_.reporter.messages[1].text,
            "保存に失敗しました。\nデータファイルとしては保存できません（地図ファイルと画像は「画像"
            "」メニューから保存します）");
  EXPECT_TRUE(bed_.reporter.questions.empty());
  EXPECT_TRUE(data().DataFileName.empty());
}

TEST_F(DataCommandsTest, ReplacingModifiedDataAsksFirst) {
  Values({"1"});
  data().DataModified = true;
  bed_.reporter.ok_answer = false;
  EXPECT_FALSE(commands_->ReadDataFileClick());
  EXPECT_FALSE(commands_->NewDataSelClick());
  EXPECT_TRUE(open_.setups.empty());
  EXPECT_TRUE(select_.setups.empty());
  EXPECT_EQ(bed_.reporter.questions.size(), 2u);
  EXPECT_EQ(data().DataValues[0], "1");
}

TEST_F(DataCommandsTest, NewDataOnTheBaseMapNeedsOneToBeSet) {
  bed_.workspace.settings.BaseMapFile.clear();
  EXPECT_FALSE(commands_->NewDataBasClick());
  EXPECT_EQ(bed_.reporter.Numbers(), std::vector<int>{2});

  bed_.program_dir.Write("U.IDT", test::BaseMapBytes({"東", "西"}));
  bed_.workspace.settings.BaseMapFile = "U.IDT";
  Values({"1"});
  ASSERT_TRUE(commands_->NewDataBasClick());
  EXPECT_EQ(bed_.workspace.area_list.AreaCount(), 2);
  EXPECT_TRUE(data().DataValues[0].empty());
}

TEST_F(DataCommandsTest, NewDataOnAChosenMapTakesAFileOfTheProgramDirectory) {
  bed_.program_dir.Write("U.IDT", test::BaseMapBytes({"東", "西"}));
  bed_.workspace.settings.BaseMapFile = "T.IDT";
  select_.answer = "U.IDT";
  ASSERT_TRUE(commands_->NewDataSelClick());
  const FileDialogSetup& setup = select_.setups.at(0);
  EXPECT_EQ(setup.title, "新規データ･･地図選択");
  EXPECT_EQ(setup.filter, "*.idt");
  EXPECT_EQ(setup.file_name, "T.IDT");
  EXPECT_EQ(setup.directory, Text(bed_.program_dir.path()));
  EXPECT_EQ(bed_.workspace.area_list.CurrentBaseMapFile, "U.IDT");

  for (const char* name : {"NONE.IDT", "*.IDT", ""}) {
    select_.answer = name;
    EXPECT_FALSE(commands_->NewDataSelClick()) << name;
  }
  EXPECT_TRUE(bed_.reporter.messages.empty());  // ignored without a message
}

TEST(DataDialogSetupTest, DirectoriesLoseTheirTrailingSeparatorAndMustExist) {
  const ScratchDir dir;
  const std::string text = DisplayPath(dir.path());
  EXPECT_EQ(InitialDirectory(text + "/"), QString::fromStdString(text));
  EXPECT_EQ(InitialDirectory("/"), "/");
  EXPECT_EQ(InitialDirectory(text + "/gone/"), "");
  EXPECT_EQ(DataFileFilter(".CSV"), "ﾃﾞｰﾀﾌｧｲﾙ(*.CSV);;全ファイル(*.*)");
}

// --- The two dialogs ---

void SetLocalTime(const std::filesystem::path& file, int day, int hour, int minute, int second) {
  std::tm time{};
  time.tm_year = 2021 - 1900;
  time.tm_mon = 4;
  time.tm_mday = day;
  time.tm_hour = hour;
  time.tm_min = minute;
  time.tm_sec = second;
  time.tm_isdst = -1;
  const auto when = std::chrono::system_clock::from_time_t(std::mktime(&time));
  std::filesystem::last_write_time(file, std::chrono::file_clock::from_sys(when));
}

TEST(IdtSelectDialogTest, ListsBaseMapsByTheTimeOfDayOfTheirStamps) {
  const ScratchDir dir;
  SetLocalTime(dir.Write("C.IDT", ""), 1, 9, 0, 3);
  SetLocalTime(dir.Write("A.IDT", ""), 2, 9, 0, 1);
  SetLocalTime(dir.Write("B.idt", ""), 3, 9, 0, 2);
  SetLocalTime(dir.Write("b2.IDT", ""), 9, 8, 0, 0);
  SetLocalTime(dir.Write("a2.IDT", ""), 4, 8, 0, 0);
  SetLocalTime(dir.Write("NOTE.TXT", ""), 4, 7, 0, 0);
  EXPECT_EQ(ListByTimeOfDay(dir.path(), "*.idt"),
            (QStringList{"a2.IDT", "b2.IDT", "A.IDT", "B.idt", "C.IDT"}));
}

// The program's base maps, then the user's own: a name listed once, its
// title and file taken from the first directory that holds it.
TEST(IdtSelectDialogTest, AClickShowsTheTitleAndOkTakesTheName) {
  const ScratchDir dir;
  const ScratchDir user;
  dir.Write("U.IDT", test::BaseMapBytes({"東"}));
  user.Write("U.IDT", "user's copy\r\n");
  user.Write("V.IDT", Sjis("九州") + "\r\n@STARTOFPOINTS\r\n");
  test::RecordingReporter reporter;
  TIdtSelectDialog dialog(reporter);
  dialog.SetDirectories({dir.path(), user.path()});
  dialog.SetSelectedName("PRESET.IDT");
  dialog.show();
  auto* list = dialog.findChild<QListWidget*>("FileListBox");
  ASSERT_EQ(list->count(), 2);
  EXPECT_EQ(dialog.findChild<QLineEdit*>("IdtName")->text(), "PRESET.IDT");

  const std::pair<const char*, const char*> entries[] = {{"U.IDT", "テスト地図"},
                                                         {"V.IDT", "九州"}};
  for (const auto& [name, title] : entries) {
    SCOPED_TRACE(name);
    const QList<QListWidgetItem*> found = list->findItems(name, Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1);
    list->clearSelection();
    found.front()->setSelected(true);
    EXPECT_EQ(dialog.findChild<QLineEdit*>("IdtName")->text(), name);
    EXPECT_EQ(dialog.findChild<QLabel*>("IdtComment")->text(), title);
  }
  dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(dialog.SelectedName(), "V.IDT");
  EXPECT_EQ(dialog.SelectedPath(), user.path() / "V.IDT");
  EXPECT_TRUE(reporter.messages.empty());
}

// Whatever the locale, sizes and dates read as a Japanese user reads them,
// and the dialog is wide enough for name, size, type and date.
TEST(MyOpenDialogTest, SizesAndDatesAreJapaneseInADialogThatShowsEveryColumn) {
  const QLocale previous;
  QLocale::setDefault(QLocale::c());
  const ScratchDir dir;
  const auto file = dir.Write("D.DAT", "T.IDT\r\n");
  TMyOpenDialog dialog;
  auto* files = dialog.findChild<QFileSystemModel*>();
  ASSERT_NE(files, nullptr);
  QEventLoop loading;
  QObject::connect(files, &QFileSystemModel::directoryLoaded, &loading, &QEventLoop::quit);
  QTimer::singleShot(5000, &loading, &QEventLoop::quit);
  dialog.setDirectory(Text(dir.path()));
  loading.exec();
  const QAbstractItemModel& shown = *dialog.proxyModel();
  const QModelIndex row = dialog.proxyModel()->mapFromSource(files->index(Text(file)));
  EXPECT_EQ(shown.index(row.row(), 1, row.parent()).data().toString(), "7 バイト");
  const QString written = QLocale(QLocale::Japanese, QLocale::Japan)
                              .toString(QFileInfo(Text(file)).lastModified(), QLocale::ShortFormat);
  EXPECT_EQ(shown.index(row.row(), 3, row.parent()).data().toString(), written);
  EXPECT_TRUE(written.startsWith(QString::number(QDate::currentDate().year()) + "/"));
  EXPECT_GE(dialog.width(), dialog.fontMetrics().averageCharWidth() * 100);
  QLocale::setDefault(previous);
}

TEST(MyOpenDialogTest, TheCommentShowsThePreviewLineOfTheSelectedFile) {
  const ScratchDir dir;
  const auto file = dir.Write("D.DAT", "T.IDT\r\n" + Sjis("人口の推移") + "\r\n1\r\n");
  EXPECT_EQ(ReadTextLine(file, 2).text, Sjis("人口の推移"));
  const auto typed_as_utf8 = dir.Write("U.DAT", "T.IDT\n人口の推移\n1\n");
  EXPECT_EQ(ReadTextLine(typed_as_utf8, 2).text, Sjis("人口の推移"));
  EXPECT_TRUE(ReadTextLine(file, 9).ok);
  EXPECT_TRUE(ReadTextLine(file, 9).text.empty());
  EXPECT_FALSE(ReadTextLine(dir.path() / "none", 1).ok);
  EXPECT_FALSE(ReadTextLine(dir.path(), 1).error.empty());

  TMyOpenDialog dialog;
  dialog.SetPreviewLine(2);
  emit dialog.currentChanged(Text(file));
  EXPECT_EQ(dialog.Comment(), "人口の推移");
  emit dialog.currentChanged(Text(dir.path()));
  EXPECT_TRUE(dialog.Comment().isEmpty());
}

}  // namespace
}  // namespace kartela
