#include "ui/settings/settings_commands.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileSystemModel>
#include <QLabel>
#include <QLineEdit>
#include <QTreeView>
#include <functional>
#include <memory>

#include "model/settings_file.h"
#include "ui/data/data_window.h"
#include "ui/data_test_support.h"
#include "ui/settings/dir_select_dialog.h"
#include "ui/settings/ini_emb_dialog.h"

namespace kartela {
namespace {

using test::DataTestBed;
using test::Sjis;

QString Text(const std::filesystem::path& path) {
  return QString::fromStdString(DisplayPath(path));
}

template <typename Child>
Child& Find(QDialog& dialog, const char* name) {
  auto* child = dialog.findChild<Child*>(name);
  EXPECT_NE(child, nullptr) << name;
  return *child;
}

// The settings the four commands change, to compare before and after.
struct Snapshot {
  std::string DataDir;
  std::string DataExt;
  std::int16_t ItemLength;
  std::int16_t NextItemLength;
  std::int32_t SaveMask;
  std::uint32_t ChangedMask;
  bool operator==(const Snapshot&) const = default;
};

Snapshot SnapshotOf(const Settings& s) {
  return {s.DataDir, s.DataExt, s.ItemLength, s.NextItemLength, s.SaveMask, s.ChangedMask};
}

// The settings commands over a scratch program directory whose DataDir is
// the program directory. Each dialog runs `fill_`, then ends with `result_`.
class SettingsCommandsTest : public testing::Test {
 protected:
  SettingsCommandsTest() {
    settings().DataDir = Sjis(DataDirText());
    window_ = std::make_unique<TDataWindow>(bed_.context);
    commands_ = std::make_unique<SettingsCommands>(bed_.context, *window_);
    commands_->SetDialogRunner([this](QDialog& dialog) {
      ++dialogs_run_;
      if (fill_) fill_(dialog);
      dialog.done(result_);
      return dialog.result();
    });
  }

  Settings& settings() { return bed_.workspace.settings; }
  const std::filesystem::path& Dir() const { return bed_.program_dir.path(); }
  std::string DataDirText() const { return DisplayPath(Dir()) + "/"; }
  std::vector<int> Messages() const { return bed_.reporter.Numbers(); }

  // The next dialog ends with OK (or Cancel) after `fill`.
  void Respond(std::function<void(QDialog&)> fill, int result = QDialog::Accepted) {
    fill_ = std::move(fill);
    result_ = result;
  }
  // The next dialog ends with `result` after `text` went into its box `box`.
  void Type(const char* box, const QString& text, int result = QDialog::Accepted) {
    Respond([box, text](QDialog& dialog) { Find<QLineEdit>(dialog, box).setText(text); }, result);
  }
  void ChooseDirectory(const QString& directory) { Type("DirectoryName", directory); }
  void TypeExtension(const QString& ext) {
    Type("NewExt", ext);
    commands_->DefDataExtClick();
  }
  void TypeLength(const QString& length) {
    Type("ILen", length);
    commands_->DefAreaLengthClick();
  }

  DataTestBed bed_;
  std::unique_ptr<TDataWindow> window_;
  std::unique_ptr<SettingsCommands> commands_;
  std::function<void(QDialog&)> fill_;
  int result_ = QDialog::Accepted;
  int dialogs_run_ = 0;
};

TEST(SettingsRules, ChosenDirectoriesAreAbsoluteAndCleanAndStoredWithASeparator) {
  EXPECT_EQ(ChosenDirectory("/tmp/data/"), "/tmp/data");
  EXPECT_EQ(ChosenDirectory("/tmp//x/../data"), "/tmp/data");
  EXPECT_EQ(ChosenDirectory("/"), "/");
  EXPECT_EQ(ChosenDirectory("  "), "");
  EXPECT_EQ(ChosenDirectory("Data"), QDir::current().absoluteFilePath("Data"));
  EXPECT_EQ(WithTrailingSeparator("/tmp/Data"), "/tmp/Data/");
  EXPECT_EQ(WithTrailingSeparator("/"), "/");
  const QStringList mounts{"/", "/media/usb", "/media/usb2"};
  EXPECT_EQ(MountPointOf("/media/usb/maps", mounts), "/media/usb");
  EXPECT_EQ(MountPointOf("/media/usb2", mounts), "/media/usb2");
  EXPECT_EQ(MountPointOf("/media/usbx", mounts), "/");
}

TEST_F(SettingsCommandsTest, CancelLeavesEverySettingUntouched) {
  const std::filesystem::path other = Dir() / "other";
  std::filesystem::create_directory(other);
  const Snapshot before = SnapshotOf(settings());
  Type("DirectoryName", Text(other), QDialog::Rejected);
  commands_->DefDataDirClick();
  Type("NewExt", "txt", QDialog::Rejected);
  commands_->DefDataExtClick();
  Type("ILen", "10", QDialog::Rejected);
  commands_->DefAreaLengthClick();
  Respond([](QDialog& dialog) { Find<QCheckBox>(dialog, "CheckBox3").setChecked(false); },
          QDialog::Rejected);
  commands_->DefINIFileClick();
  EXPECT_EQ(dialogs_run_, 4);
  EXPECT_EQ(SnapshotOf(settings()), before);
  EXPECT_TRUE(Messages().empty());
  EXPECT_TRUE(bed_.reporter.questions.empty());
}

TEST_F(SettingsCommandsTest, DataDirectoryDialogShowsTheCurrentOneAndStoresTheChosenOne) {
  const std::filesystem::path chosen = Dir() / "Daten";  // letter case kept
  std::filesystem::create_directory(chosen);
  QString shown;
  Respond([&](QDialog& dialog) {
    shown = Find<QLineEdit>(dialog, "DirectoryName").text();
    Find<QLineEdit>(dialog, "DirectoryName").setText(Text(chosen) + "/");
  });
  commands_->DefDataDirClick();
  EXPECT_EQ(shown, Text(Dir()));
  EXPECT_EQ(settings().DataDir, DisplayPath(chosen) + "/");
  EXPECT_EQ(settings().ChangedMask, kChangedDataDir);
  EXPECT_TRUE(bed_.reporter.questions.empty());
}

TEST_F(SettingsCommandsTest, PickingInTheTreeWritesTheDirectoryName) {
  const std::filesystem::path sub = Dir() / "sub";
  std::filesystem::create_directory(sub);
  Respond([&](QDialog& dialog) {
    auto& tree = Find<QTreeView>(dialog, "DirectoryListBox");
    auto* model = qobject_cast<QFileSystemModel*>(tree.model());
    EXPECT_EQ(model->filePath(tree.currentIndex()), Text(Dir()));
    tree.setCurrentIndex(model->index(Text(sub)));
  });
  commands_->DefDataDirClick();
  EXPECT_EQ(settings().DataDir, DisplayPath(sub) + "/");
}

// The tree lists and sorts in the background; the chosen directory must be
// in view once that is done, not left below the first screen of "/".
TEST(TDirSelectDialogTest, TheChosenDirectoryComesIntoView) {
  test::ScratchDir scratch;
  const std::filesystem::path deep = scratch.path() / "a" / "b";
  std::filesystem::create_directories(deep);
  TDirSelectDialog dialog;
  auto& tree = Find<QTreeView>(dialog, "DirectoryListBox");
  bool parent_listed = false;
  QObject::connect(qobject_cast<QFileSystemModel*>(tree.model()),
                   &QFileSystemModel::directoryLoaded, [&](const QString& path) {
                     parent_listed = parent_listed || path == Text(deep.parent_path());
                   });
  dialog.adjustSize();  // as placing it does
  dialog.SetDirectory(Text(deep));
  dialog.show();
  QDeadlineTimer deadline(5000);
  while (!deadline.hasExpired() && !parent_listed)
    QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
  QDeadlineTimer settled(300);  // the sort that follows each listing
  while (!settled.hasExpired())
    QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
  EXPECT_TRUE(parent_listed);
  EXPECT_TRUE(tree.viewport()->rect().contains(tree.visualRect(tree.currentIndex())));
  EXPECT_EQ(Find<QLineEdit>(dialog, "DirectoryName").text(), Text(deep));
}

TEST_F(SettingsCommandsTest, AMissingDirectoryIsCreatedOnlyOnYes) {
  const std::filesystem::path missing = Dir() / "neu";
  bed_.reporter.yes_no_answer = kartela::Answer::kNo;
  ChooseDirectory(Text(missing));
  commands_->DefDataDirClick();
  ASSERT_EQ(bed_.reporter.questions.size(), 1U);
  EXPECT_EQ(bed_.reporter.questions[0],
            "ﾃﾞｨﾚｸﾄﾘ " + DisplayPath(missing) + " がありません。作成しますか？");
  EXPECT_FALSE(std::filesystem::exists(missing));
  EXPECT_EQ(settings().DataDir, DataDirText());
  EXPECT_EQ(settings().ChangedMask, 0);

  bed_.reporter.yes_no_answer = kartela::Answer::kYes;
  commands_->DefDataDirClick();
  EXPECT_TRUE(std::filesystem::is_directory(missing));
  EXPECT_EQ(settings().DataDir, DisplayPath(missing) + "/");
  EXPECT_EQ(settings().ChangedMask, kChangedDataDir);
}

TEST_F(SettingsCommandsTest, UnusableDirectoriesAreRefusedAndChangeNothing) {
  const Snapshot before = SnapshotOf(settings());
  // Only the last directory is made: one whose parent is missing fails.
  ChooseDirectory(Text(Dir() / "a" / "b"));
  commands_->DefDataDirClick();
  ASSERT_EQ(bed_.reporter.messages.size(), 1U);
  EXPECT_NE(bed_.reporter.messages[0].text.find("を作成できませんでした"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(Dir() / "a"));
  ChooseDirectory("   ");
  commands_->DefDataDirClick();
  // A name Shift-JIS cannot hold is refused before anything is asked or made.
  ChooseDirectory(Text(Dir()) + QString::fromUtf8("/\xF0\x9F\x98\x80"));
  commands_->DefDataDirClick();
  // The settings file would cut a name with ";" at the comment.
  std::filesystem::create_directory(Dir() / "a;b");
  ChooseDirectory(Text(Dir() / "a;b"));
  commands_->DefDataDirClick();
  EXPECT_EQ(Messages(), (std::vector<int>{0, 13, 0, 13}));
  EXPECT_NE(bed_.reporter.messages[3].text.find("\n"), std::string::npos);
  EXPECT_NE(bed_.reporter.messages[3].text.find("「;」"), std::string::npos);
  EXPECT_EQ(bed_.reporter.questions.size(), 1U);
  EXPECT_EQ(SnapshotOf(settings()), before);
}

TEST_F(SettingsCommandsTest, ExtensionDialogStoresTheNormalisedExtension) {
  settings().DataExt = ".DAT";
  QString current;
  QString preset;
  Respond([&](QDialog& dialog) {
    current = Find<QLabel>(dialog, "CurExt").text();
    preset = Find<QLineEdit>(dialog, "NewExt").text();
    Find<QLineEdit>(dialog, "NewExt").setText("txt");
  });
  commands_->DefDataExtClick();
  EXPECT_EQ(current, ".DAT");
  EXPECT_EQ(preset, ".DAT");
  EXPECT_EQ(settings().DataExt, ".TXT");
  EXPECT_EQ(settings().ChangedMask, kChangedDataExt);
  EXPECT_TRUE(Messages().empty());
}

TEST_F(SettingsCommandsTest, ExtensionRefusalsChangeNothing) {
  const Snapshot before = SnapshotOf(settings());
  TypeExtension("wmf");
  ASSERT_EQ(Messages(), std::vector<int>{19});
  EXPECT_EQ(bed_.reporter.messages[0].text, "拡張子 .WMF はシステムが使っているので駄目です。");
  TypeExtension("a b");
  TypeExtension(QString::fromUtf8("\xC3\xA9"));  // é: no Shift-JIS form
  TypeExtension("");                             // keeps the extension without a word
  EXPECT_EQ(Messages(), (std::vector<int>{19, 13, 0}));
  EXPECT_EQ(SnapshotOf(settings()), before);
}

TEST_F(SettingsCommandsTest, AreaLengthTakesEffectAtTheNextStart) {
  settings().NextItemLength = 20;  // pending from an earlier change
  QString shown;
  Respond([&](QDialog& dialog) {
    shown = Find<QLineEdit>(dialog, "ILen").text();
    Find<QLineEdit>(dialog, "ILen").setText("36");
  });
  commands_->DefAreaLengthClick();
  EXPECT_EQ(shown, "26");
  EXPECT_EQ(settings().ItemLength, 26);
  EXPECT_EQ(settings().NextItemLength, 36);
  EXPECT_EQ(settings().ChangedMask, kChangedItemLength);
  ASSERT_EQ(bed_.reporter.messages.size(), 1U);
  EXPECT_EQ(bed_.reporter.messages[0].text, "この設定は、次回の起動から有効になります。");
  EXPECT_EQ(bed_.reporter.messages[0].title, "注意");
  EXPECT_EQ(bed_.reporter.messages[0].icon, MessageIcon::kInformation);
  TypeLength(QString::fromUtf8("１２"));  // full-width digits from an input method
  EXPECT_EQ(settings().NextItemLength, 12);
}

TEST_F(SettingsCommandsTest, AreaLengthRefusalsShowMessage13AndChangeNothing) {
  const Snapshot before = SnapshotOf(settings());
  for (const char* length : {"37", "1", "x", ""})
    TypeLength(length);
  EXPECT_EQ(Messages(), (std::vector<int>{13, 13, 13, 13}));
  EXPECT_EQ(SnapshotOf(settings()), before);
}

TEST_F(SettingsCommandsTest, SettingsFileDialogShowsAndStoresTheMask) {
  settings().SaveMask = 0x0001 | kChangedDataDir | kChangedColorChange;
  std::vector<bool> shown;
  Respond([&](QDialog& dialog) {
    for (int i = 1; i <= 15; ++i) {
      auto& box =
          Find<QCheckBox>(dialog, QStringLiteral("CheckBox%1").arg(i).toLatin1().constData());
      shown.push_back(box.isChecked());
      box.setChecked(i == 1 || i == 9);
    }
  });
  commands_->DefINIFileClick();
  std::vector<bool> expected(15, false);
  expected[1] = expected[14] = true;
  EXPECT_EQ(shown, expected);
  EXPECT_EQ(settings().SaveMask, 0x0001 | kChangedWindow | kChangedPattern);
  EXPECT_EQ(settings().ChangedMask, kChangedItemLength);
}

TEST_F(SettingsCommandsTest, QuitWritesOnlyTheChangesTheMaskKeeps) {
  const std::filesystem::path file = bed_.context.paths.SettingsFile();
  bed_.program_dir.Write(file.filename().string(),
                         "ItemLength=26\r\nEmbiroment=65503\r\nDataDir=/old/\r\nDataExt=.OLD\r\n");
  ReadSettings(file, settings());
  const std::filesystem::path chosen = Dir() / "Data";
  std::filesystem::create_directory(chosen);

  Respond([](QDialog& dialog) { Find<QCheckBox>(dialog, "CheckBox3").setChecked(false); });
  commands_->DefINIFileClick();
  TypeExtension("txt");
  ChooseDirectory(Text(chosen));
  commands_->DefDataDirClick();
  ASSERT_TRUE(WriteSettings(file, settings()).ok());
  EXPECT_EQ(bed_.program_dir.Read(file.filename().string()),
            "ItemLength    = 26\r\nEmbiroment    = 65495\r\nDataDir       = " +
                DisplayPath(chosen) + "/\r\nDataExt       = .OLD\r\n");
}

TEST_F(SettingsCommandsTest, NoBoxCheckedStillWritesLengthAndMask) {
  Respond([](QDialog& dialog) {
    for (QCheckBox* box : dialog.findChildren<QCheckBox*>())
      box->setChecked(false);
  });
  commands_->DefINIFileClick();
  const std::filesystem::path file = bed_.context.paths.SettingsFile();
  ASSERT_TRUE(WriteSettings(file, settings()).ok());
  EXPECT_EQ(bed_.program_dir.Read(file.filename().string()),
            "ItemLength    = 26\r\nEmbiroment    = 1\r\n");
}

}  // namespace
}  // namespace kartela
