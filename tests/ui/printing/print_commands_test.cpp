// The map print command through its dialog, answered by the test as a user
// would: a magnification, copies or margins that cannot be printed are refused with
// the dialog left open, the preview comes and goes, OK prints the copies on
// the current printer and keeps the values; and the warning about the
// program's own fill patterns.
#include "ui/printing/print_commands.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <deque>
#include <functional>

#include "base/file_io.h"
#include "output/sample_map.h"
#include "render/classification.h"
#include "ui/data_test_support.h"
#include "ui/printing/current_printer.h"
#include "ui/printing/map_print_dialog.h"

namespace kartela {
namespace {

using test::DataTestBed;

class PrintCommandsTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(test::LoadSamplePaintMap(bed_.workspace));
    QPrinter& printer = current_.printer();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(File().string()));
    printer.setPageSize(QPageSize(QPageSize::A4));
    commands_.SetDialogRunner([this](QDialog& dialog) {
      shown_.push_back(dialog.objectName().toStdString());
      dialog.show();
      if (!steps_.empty()) {
        const auto step = steps_.front();
        steps_.pop_front();
        step(dialog);
      }
      return dialog.isVisible() ? static_cast<int>(QDialog::Rejected) : dialog.result();
    });
  }

  std::filesystem::path File() const { return bed_.program_dir.path() / "printed.pdf"; }

  static void Type(QDialog& dialog, const char* box, const QString& text) {
    if (auto* edit = dialog.findChild<QLineEdit*>(box)) edit->setText(text);
    if (auto* combo = dialog.findChild<QComboBox*>(box)) combo->setCurrentText(text);
  }
  static void Press(QDialog& dialog, const char* button) {
    dialog.findChild<QPushButton*>(button)->click();
  }
  std::vector<std::string> Messages() const {
    std::vector<std::string> texts;
    for (const CatalogueMessage& m : bed_.reporter.messages)
      texts.push_back(m.text);
    return texts;
  }

  DataTestBed bed_;
  CurrentPrinter current_;
  PrintCommands commands_{bed_.context, current_};
  std::deque<std::function<void(QDialog&)>> steps_;
  std::vector<std::string> shown_;
};

TEST_F(PrintCommandsTest, RefusesWhatCannotPrintThenPreviewsAndPrintsTheCopies) {
  steps_ = {
      [this](QDialog& dialog) {
        EXPECT_EQ(dialog.findChild<QComboBox*>("PrintSize")->currentText(), "自動調整");
        Type(dialog, "PrintSize", "2,0");
        Press(dialog, "OKBtn");
        EXPECT_TRUE(dialog.isVisible()) << "a bad magnification keeps the dialog open";
        Type(dialog, "PrintSize", "2.0");
        Type(dialog, "copies", "0");
        Press(dialog, "BitBtn1");
        EXPECT_TRUE(dialog.isVisible()) << "no copy keeps the dialog open for the preview too";
        Type(dialog, "copies", "1");
        Type(dialog, "leftmg", "120");
        Type(dialog, "rightmg", "100");
        Press(dialog, "OKBtn");
        EXPECT_TRUE(dialog.isVisible()) << "no printable area keeps the dialog open";
        EXPECT_EQ(
            Messages(),
            (std::vector<std::string>{
                "設定データに誤りがあります。\n「倍率」には 「自動調整」か "
                "-1.7E+38～1.7E+38 の数値を入力してください。",
                "設定データに誤りがあります。\n「部数」には 1～999 の整数を入力してください。",
                "余白が大きすぎて、印刷できる範囲がありません。"}));
        Type(dialog, "leftmg", "10");
        Type(dialog, "copies", "2");
        Press(dialog, "BitBtn1");
      },
      [](QDialog& preview) {
        const QPixmap page = preview.findChild<QLabel*>("Image")->pixmap();
        EXPECT_GT(page.height(), page.width()) << "an A4 portrait sheet";
        QKeyEvent key(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier);
        QApplication::sendEvent(&preview, &key);
        EXPECT_FALSE(preview.isVisible()) << "any key closes the preview";
      },
      [](QDialog& dialog) { Press(dialog, "OKBtn"); },
  };
  commands_.PrintMapClick();
  EXPECT_EQ(shown_,
            (std::vector<std::string>{"TMapPrintDialog", "TPreviewDialog", "TMapPrintDialog"}));
  const Workspace& ws = bed_.workspace;
  EXPECT_EQ(ws.print.MarginLeft, 10);
  EXPECT_EQ(ws.print.MarginRight, 100);
  EXPECT_EQ(ws.print.Copies, 2);
  EXPECT_EQ(ws.settings.PrintSize, 2.0);
  EXPECT_NE(ws.settings.ChangedMask & kChangedPrintSize, 0);
  const std::string pdf = ReadFileBytes(File()).value_or("");
  EXPECT_NE(pdf.find("/Count 2"), std::string::npos) << "two copies, two pages";
  EXPECT_EQ(bed_.reporter.messages.size(), 3u) << "no error";

  // The same magnification again is no change; Cancel keeps the values.
  bed_.workspace.settings.ChangedMask = 0;
  steps_ = {[](QDialog& dialog) {
    EXPECT_EQ(dialog.findChild<QComboBox*>("PrintSize")->currentText(), "2.0");
    Press(dialog, "OKBtn");
  }};
  commands_.PrintMapClick();
  EXPECT_EQ(ws.settings.ChangedMask & kChangedPrintSize, 0);
  steps_ = {[](QDialog& dialog) {
    Type(dialog, "copies", "7");
    Press(dialog, "CancelBtn");
  }};
  commands_.PrintMapClick();
  EXPECT_EQ(ws.print.Copies, 2);
}

// 縦／横 in the dialog, and with "自動調整" the automatic choice, which takes
// landscape for the wide map of Japan; the choice is kept as the setting and
// marked changed, and the printer prints on paper turned that way.
TEST_F(PrintCommandsTest, TheOrientationIsChosenInTheDialogAndKept) {
  const auto radio = [](QDialog& dialog, const char* name) {
    return dialog.findChild<QRadioButton*>(name);
  };
  steps_ = {[&](QDialog& dialog) {
    auto* automatic = dialog.findChild<QCheckBox*>("AutoOrientation");
    EXPECT_TRUE(radio(dialog, "Portrait")->isChecked());
    EXPECT_TRUE(automatic->isEnabled()) << "自動調整 is the default";
    EXPECT_FALSE(automatic->isChecked());
    Type(dialog, "PrintSize", "2.0");
    EXPECT_FALSE(automatic->isEnabled()) << "a fixed magnification has no automatic choice";
    Type(dialog, "PrintSize", "自動調整");
    automatic->setChecked(true);
    EXPECT_FALSE(radio(dialog, "Landscape")->isEnabled());
    Press(dialog, "OKBtn");
  }};
  commands_.PrintMapClick();
  Workspace& ws = bed_.workspace;
  EXPECT_EQ(ws.settings.PrintOrientation, kPrintAutoOrientation);
  EXPECT_NE(ws.settings.ChangedMask & kChangedPrintOrientation, 0);
  EXPECT_EQ(current_.printer().pageLayout().orientation(), QPageLayout::Landscape);

  ws.settings.ChangedMask = 0;

  steps_ = {[&](QDialog& dialog) {
    EXPECT_TRUE(dialog.findChild<QCheckBox*>("AutoOrientation")->isChecked());
    Type(dialog, "PrintSize", "1.0");
    radio(dialog, "Portrait")->setChecked(true);
    Press(dialog, "OKBtn");
  }};
  commands_.PrintMapClick();
  EXPECT_EQ(current_.printer().pageLayout().orientation(), QPageLayout::Portrait);
  EXPECT_EQ(ws.settings.PrintOrientation, kPrintPortrait);
  EXPECT_NE(ws.settings.ChangedMask & kChangedPrintOrientation, 0);
  EXPECT_TRUE(bed_.reporter.messages.empty());
}

// "印刷中止" pressed while the copies print: the job is aborted and nothing at
// all reaches the printer, not even the copies drawn before the press.
TEST_F(PrintCommandsTest, AnAbortedJobSendsNothing) {
  bed_.workspace.print.Copies = 5;
  int passes = 0;
  QTimer presser;  // fires once each time the job lets events run
  QObject::connect(&presser, &QTimer::timeout, [&passes] {
    // The first pass shows the form, the second asks before the first copy.
    if (++passes != 3) return;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
      if (widget->objectName() == "TAbortForm" && widget->isVisible())
        widget->findChild<QPushButton*>("AbortBtn")->click();
    }
  });
  presser.start(0);
  steps_ = {[](QDialog& dialog) { Press(dialog, "OKBtn"); }};
  commands_.PrintMapClick();
  presser.stop();
  EXPECT_GE(passes, 3) << "the abort button was pressed";
  EXPECT_FALSE(std::filesystem::exists(File())) << "no page sent";
  EXPECT_TRUE(bed_.reporter.messages.empty()) << "an abort is no error";
}

TEST_F(PrintCommandsTest, APrinterErrorIsShownInTheErrorBox) {
  current_.printer().setOutputFileName(
      QString::fromStdString((bed_.program_dir.path() / "gone" / "x.pdf").string()));
  steps_ = {[](QDialog& dialog) { Press(dialog, "OKBtn"); }};
  commands_.PrintMapClick();
  ASSERT_EQ(bed_.reporter.messages.size(), 1u);
  EXPECT_EQ(bed_.reporter.messages[0].title, "エラー");
  EXPECT_EQ(bed_.reporter.messages[0].icon, MessageIcon::kStop);
}

TEST_F(PrintCommandsTest, WarnsOnlyOfTheProgramsOwnPatternsInUse) {
  Workspace& ws = bed_.workspace;
  EXPECT_FALSE(UsesOwnPatterns(ws)) << "the default patterns are below 40";
  const int k = BuildClassThresholds(ws.class_tables.ClassBreaks).EffectiveClassCount;
  ASSERT_GE(k, 2);
  auto& row = ws.settings.PatternOrder[static_cast<std::size_t>(k - 2)];
  row[static_cast<std::size_t>(k)] = 45;  // past the classes in use
  EXPECT_FALSE(UsesOwnPatterns(ws));
  row[0] = 40;
  EXPECT_TRUE(UsesOwnPatterns(ws));
  steps_ = {
      [](QDialog& dialog) { EXPECT_TRUE(dialog.findChild<QLabel*>("WarningPanel")->isVisible()); }};
  commands_.PrintMapClick();
  ws.view.Kind = MapKind::kWhiteMap;
  EXPECT_FALSE(UsesOwnPatterns(ws));
}

}  // namespace
}  // namespace kartela
