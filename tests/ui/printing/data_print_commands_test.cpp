#include "ui/printing/data_print_commands.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QImage>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMainWindow>
#include <QMouseEvent>
#include <QPrinter>
#include <QTimer>
#include <filesystem>
#include <functional>

#include "model/test_support.h"
#include "output/sample_map.h"
#include "render/drawing_resources.h"
#include "ui/map/full_screen_view.h"
#include "ui/printing/current_printer.h"

namespace kartela {
namespace {

void Type(QDialog& dialog, const char* box, const QString& text) {
  auto* edit = dialog.findChild<QLineEdit*>(box);
  ASSERT_NE(edit, nullptr) << box;
  edit->setText(text);
}

QString Text(QDialog& dialog, const char* box) {
  return dialog.findChild<QLineEdit*>(box)->text();
}

// The command over the sample data, printing to a PDF file. Each time the
// dialog shows, the next of `answers_` fills it in and ends it.
class DataPrintCommandsTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(test::LoadSamplePaintMap(workspace_));
    QPrinter& printer = printer_.printer();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(pdf_.string()));
    commands_.SetDialogRunner([this](QDialog& dialog) {
      const std::size_t shown = shown_++;
      if (shown >= answers_.size()) return static_cast<int>(QDialog::Rejected);
      return answers_[shown](dialog);
    });
  }

  Workspace workspace_;
  test::RecordingReporter reporter_;
  AppContext context_{workspace_, ProgramPaths{}, reporter_, TextMetrics{}};
  CurrentPrinter printer_;
  DataPrintCommands commands_{context_, printer_};
  test::ScratchDir dir_;
  std::filesystem::path pdf_ = dir_.path() / "data.pdf";
  std::vector<std::function<int(QDialog&)>> answers_;
  std::size_t shown_ = 0;
};

TEST_F(DataPrintCommandsTest, TheDialogShowsAndKeepsTheSharedChoices) {
  workspace_.print.DataLineSpacing = 1.84;
  answers_.push_back([](QDialog& dialog) {
    EXPECT_EQ(dialog.windowTitle(), "データの印刷");
    EXPECT_EQ(Text(dialog, "leftmg"), "20");
    EXPECT_EQ(Text(dialog, "topmg"), "25");
    EXPECT_EQ(Text(dialog, "column"), "3");
    EXPECT_EQ(Text(dialog, "Linterval"), "1.8");
    EXPECT_EQ(dialog.findChild<QComboBox*>("FontType")->currentText(), "ＭＳ 明朝");
    EXPECT_EQ(dialog.findChild<QComboBox*>("FontSize")->currentText(), "10");
    Type(dialog, "leftmg", "15mm");  // the leading integer counts
    Type(dialog, "column", "2");
    Type(dialog, "copies", "2");
    Type(dialog, "Linterval", "1.5");
    dialog.findChild<QComboBox*>("FontSize")->setEditText("12");
    return static_cast<int>(QDialog::Accepted);
  });
  commands_.PrintDataClick();
  EXPECT_EQ(shown_, 1u);
  EXPECT_TRUE(reporter_.messages.empty());
  EXPECT_EQ(workspace_.print.MarginLeft, 15);
  EXPECT_EQ(workspace_.print.DataColumns, 2);
  EXPECT_EQ(workspace_.print.Copies, 2);
  EXPECT_DOUBLE_EQ(workspace_.print.DataLineSpacing, 1.5);
  // The font chosen applies to this print only.
  EXPECT_EQ(workspace_.print.DataFontSize, 10);
  EXPECT_TRUE(std::filesystem::exists(pdf_));

  // Cancel prints nothing and keeps the choices.
  std::filesystem::remove(pdf_);
  answers_.assign(1, [](QDialog& dialog) {
    Type(dialog, "column", "7");
    return static_cast<int>(QDialog::Rejected);
  });
  shown_ = 0;
  commands_.PrintDataClick();
  EXPECT_EQ(workspace_.print.DataColumns, 2);
  EXPECT_FALSE(std::filesystem::exists(pdf_));
}

TEST_F(DataPrintCommandsTest, ARefusalSaysWhyAndShowsTheDialogAgain) {
  answers_.push_back([](QDialog& dialog) {
    Type(dialog, "column", "0");
    return static_cast<int>(QDialog::Accepted);
  });
  answers_.push_back([](QDialog& dialog) {
    EXPECT_EQ(Text(dialog, "column"), "0");  // as typed, to be corrected
    return static_cast<int>(QDialog::Rejected);
  });
  commands_.PrintDataClick();
  EXPECT_EQ(shown_, 2u);
  ASSERT_EQ(reporter_.messages.size(), 1u);
  EXPECT_EQ(reporter_.messages[0].title, "警告");
  EXPECT_FALSE(std::filesystem::exists(pdf_));
}

TEST_F(DataPrintCommandsTest, APrinterFailureIsShownAsAnError) {
  printer_.printer().setOutputFileName(
      QString::fromStdString((dir_.path() / "missing" / "data.pdf").string()));
  answers_.push_back([](QDialog&) { return static_cast<int>(QDialog::Accepted); });
  commands_.PrintDataClick();
  ASSERT_EQ(reporter_.messages.size(), 1u);
  EXPECT_EQ(reporter_.messages[0].title, "エラー");
  EXPECT_EQ(reporter_.messages[0].icon, MessageIcon::kStop);
  EXPECT_EQ(shown_, 1u);
}

// --- the full-screen view ------------------------------------------------------

// Pixels of `image` other than the background: the map drawn on it.
int InkPixels(const QImage& image, gdi::Color background) {
  const QRgb paper = qRgb(background.r, background.g, background.b);
  int count = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x)
      count += image.pixel(x, y) != paper ? 1 : 0;
  }
  return count;
}

TFullScreenView* ShownView() {
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    if (auto* view = qobject_cast<TFullScreenView*>(widget); view && view->isVisible()) return view;
  }
  return nullptr;
}

// On a 1920 x 1080 screen: a map is fitted and centred, smaller or larger
// than the screen; only a magnification the user chose keeps a larger map at
// scale 1 from the top-left corner.
TEST(FullScreenViewTest, TheMapIsFittedAndCentredUnlessAChosenMagnificationMakesItLarger) {
  const QSize screen(1920, 1080);
  const struct {
    gdi::Size extent;
    bool chosen;
    double scale;
    gdi::Point origin;
  } cases[] = {
      {{1000, 700}, false, 1080 / 700.0, {-189, 0}},
      {{1000, 700}, true, 1080 / 700.0, {-189, 0}},
      {{2500, 1000}, false, 1920 / 2500.0, {0, -156}},
      {{2500, 1000}, true, 1.0, {0, 0}},
      {{0, 0}, false, 1080.0, {-420, 0}},  // nothing drawn: no division by 0
  };
  for (const auto& c : cases) {
    const ScreenPlacement placement = PlaceOnScreen(c.extent, screen, c.chosen);
    EXPECT_DOUBLE_EQ(placement.scale, c.scale) << c.extent.cx << " " << c.chosen;
    EXPECT_EQ(placement.origin.x, c.origin.x) << c.extent.cx << " " << c.chosen;
    EXPECT_EQ(placement.origin.y, c.origin.y) << c.extent.cx << " " << c.chosen;
  }
}

TEST(FullScreenViewTest, AKeyOrAMouseButtonEndsItAndTheWindowIsPutBack) {
  Workspace workspace;
  ASSERT_TRUE(test::LoadSamplePaintMap(workspace));
  const DrawingResources resources =
      CreateDrawingResources(workspace.settings, workspace.screen_colors, workspace.PrintLineWidth);
  const struct {
    const char* what;
    bool maximized;
    std::function<void(QWidget&)> press;
  } cases[] = {
      {"key, normal window", false,
       [](QWidget& view) {
         QKeyEvent key(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier);
         QApplication::sendEvent(&view, &key);
       }},
      {"right button, maximised window", true,
       [](QWidget& view) {
         QMouseEvent press(QEvent::MouseButtonPress, QPointF(5, 5), view.mapToGlobal(QPointF(5, 5)),
                           Qt::RightButton, Qt::RightButton, Qt::NoModifier);
         QApplication::sendEvent(&view, &press);
       }},
  };
  for (const auto& c : cases) {
    QMainWindow main_window;
    main_window.resize(400, 300);
    if (c.maximized) {
      main_window.showMaximized();
    } else {
      main_window.show();
    }
    bool seen = false;
    bool was_maximized_meanwhile = false;
    QSize view_size;
    QImage drawn;
    QTimer::singleShot(0, [&] {
      TFullScreenView* view = ShownView();
      ASSERT_NE(view, nullptr) << c.what;
      seen = true;
      view_size = view->size();
      drawn = view->grab().toImage();
      was_maximized_meanwhile = main_window.isMaximized();
      c.press(*view);
    });
    RunFullScreenView(main_window, workspace, resources, nullptr);
    EXPECT_TRUE(seen) << c.what;
    EXPECT_EQ(view_size, main_window.screen()->geometry().size()) << c.what;
    EXPECT_TRUE(was_maximized_meanwhile) << c.what;
    EXPECT_GT(InkPixels(drawn, resources.screen.window), 10000) << c.what;
    EXPECT_EQ(main_window.isMaximized(), c.maximized) << c.what;
    EXPECT_EQ(ShownView(), nullptr) << c.what;
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr) << c.what;
  }
}

}  // namespace
}  // namespace kartela
