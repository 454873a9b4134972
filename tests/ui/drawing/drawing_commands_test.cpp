#include "ui/drawing/drawing_commands.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QRadioButton>
#include <cmath>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "base/real48.h"
#include "model/test_support.h"
#include "render/drawing_resources.h"
#include "ui/drawing/border_style_dialog.h"
#include "ui/drawing/brush_swatches.h"
#include "ui/drawing/draw_size_dialog.h"
#include "ui/drawing/pattern_dialog.h"
#include "ui/map/draw_window.h"
#include "ui/map/fill_color_dialog.h"

namespace kartela {
namespace {

template <typename Widget>
Widget& Child(QDialog& dialog, const QString& name) {
  auto* widget = dialog.findChild<Widget*>(name);
  EXPECT_NE(widget, nullptr) << name.toStdString();
  return *widget;
}

void Type(QDialog& dialog, const QString& box, const QString& text) {
  Child<QLineEdit>(dialog, box).setText(text);
}

void Check(QDialog& dialog, const QString& button) {
  Child<QRadioButton>(dialog, button).setChecked(true);
}

// What the drawing commands may change.
auto DrawingSettings(const Settings& s) {
  return std::make_tuple(s.DrawResX, s.DrawResY, s.DrawPosX, s.DrawPosY, s.ClassCount,
                         s.PatternOrder, s.UsePalette, s.BorderStyle, s.ChangedMask);
}

QColor Rgb(gdi::Color c) {
  return QColor(c.r, c.g, c.b);
}

// The drawing commands over a fresh workspace. Dialogs answer at once: the
// runner lets `edit_` fill in the dialog, then ends it with `result_`.
class DrawingCommandsTest : public testing::Test {
 protected:
  DrawingCommandsTest() {
    workspace_.area_list.HeaderResolution = {300, 200};
    workspace_.base_map.Resolution = {500, 250};
    workspace_.view.ScrollReset = false;
    commands_.SetDialogRunner([this](QDialog& dialog) {
      shown_ = &dialog;
      dialog.setResult(QDialog::Rejected);  // as exec() starts
      if (edit_) edit_(dialog);
      dialog.done(result_);
      return dialog.result();
    });
  }

  // Runs `command` with `edit` applied to its dialog, ending with `result`.
  void Run(void (DrawingCommands::*command)(), std::function<void(QDialog&)> edit,
           int result = QDialog::Accepted) {
    edit_ = std::move(edit);
    result_ = result;
    (commands_.*command)();
  }

  QString Text(const QString& box) { return Child<QLineEdit>(*shown_, box).text(); }

  Settings& settings() { return workspace_.settings; }

  Workspace workspace_;
  test::RecordingReporter reporter_;
  AppContext context_{workspace_, ProgramPaths{}, reporter_, TextMetrics{}};
  TDrawWindow draw_window_{context_};
  DrawingCommands commands_{context_, draw_window_};

  std::function<void(QDialog&)> edit_;
  int result_ = QDialog::Accepted;
  QDialog* shown_ = nullptr;
};

// --- every dialog --------------------------------------------------------------

TEST_F(DrawingCommandsTest, CancelLeavesEveryDrawingSettingUntouched) {
  const struct {
    void (DrawingCommands::*command)();
    std::function<void(QDialog&)> edit;
  } cases[] = {
      {&DrawingCommands::DefDrawSizeClick,
       [](QDialog& d) {
         Type(d, "XRes", "2");
         Type(d, "YRes", "3");
       }},
      {&DrawingCommands::DefDrawPositionClick,
       [](QDialog& d) {
         Type(d, "XPos", "10");
         Type(d, "YPos", "20");
       }},
      {&DrawingCommands::DefSepNumberClick, [](QDialog& d) { Type(d, "Num", "3"); }},
      {&DrawingCommands::DefSepNumberClick, [](QDialog& d) { Type(d, "Num", "9"); }},
      {&DrawingCommands::DefPaintStyleClick,
       [](QDialog& d) {
         Type(d, "Order5", "0-1-2-3-4");
         Check(d, "RBtnPal2");
       }},
      {&DrawingCommands::LineWidthClick,
       [](QDialog& d) {
         Check(d, "RadioButton2");
         Check(d, "RadioButtonA");
       }},
  };
  const auto before = DrawingSettings(settings());
  const PatternOrderTable drawn_order = draw_window_.resources().pattern_order;
  for (const auto& c : cases) {
    Run(c.command, c.edit, QDialog::Rejected);
    EXPECT_EQ(DrawingSettings(settings()), before);
  }
  EXPECT_TRUE(reporter_.messages.empty());
  EXPECT_FALSE(workspace_.view.ScrollReset);
  EXPECT_EQ(draw_window_.resources().pattern_order, drawn_order);
}

// --- magnification and position --------------------------------------------------

TEST_F(DrawingCommandsTest, SizeDialogShowsTheMagnificationsAndTheSizeOfTheMapMeant) {
  settings().DrawResX = 1.0;
  settings().DrawResY = 0.5;
  Run(&DrawingCommands::DefDrawSizeClick, {}, QDialog::Rejected);
  EXPECT_EQ(Text("XRes"), "1.00");
  EXPECT_EQ(Text("YRes"), "0.50");
  EXPECT_EQ(Child<QLabel>(*shown_, "LastMap").text(), "現在、ﾃﾞｰﾀｳｨﾝﾄﾞｳに選択されている地図情報");
  EXPECT_EQ(Child<QLabel>(*shown_, "LastRes").text(), "300×200");

  workspace_.view.Kind = MapKind::kPaintMap;
  Run(&DrawingCommands::DefDrawSizeClick, {}, QDialog::Rejected);
  EXPECT_EQ(Child<QLabel>(*shown_, "LastMap").text(), "現在、地図ｳｨﾝﾄﾞｳに描画されている地図情報");
  EXPECT_EQ(Child<QLabel>(*shown_, "LastRes").text(), "500×250");
}

// OK takes both boxes when both convert; otherwise the dialog stays open
// with message 13 and nothing is stored.
TEST_F(DrawingCommandsTest, SizeBoxesAreTakenOnlyWhenBothConvert) {
  const struct {
    const char* x;
    const char* y;
    bool taken;
    double res_x;
    double res_y;
  } cases[] = {
      {"1e2", " 2.5 ", true, 100.0, 2.5}, {"0", "-1.5", true, 0.0, -1.5},
      {"abc", " 2.5 ", false, 1.0, 1.0},  {"0", "", false, 1.0, 1.0},
      {"-1.5", "1e400", false, 1.0, 1.0}, {"inf", "1", false, 1.0, 1.0},
      {"2,5", "3x", false, 1.0, 1.0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.x) + " / " + c.y);
    settings().DrawResX = settings().DrawResY = 1.0;
    settings().ChangedMask = 0;
    workspace_.view.ScrollReset = false;
    reporter_.messages.clear();
    Run(&DrawingCommands::DefDrawSizeClick, [&c](QDialog& d) {
      Type(d, "XRes", c.x);
      Type(d, "YRes", c.y);
    });
    EXPECT_EQ(settings().DrawResX, c.res_x);
    EXPECT_EQ(settings().DrawResY, c.res_y);
    EXPECT_EQ(settings().ChangedMask, c.taken ? kChangedDrawSize : 0);
    EXPECT_EQ(workspace_.view.ScrollReset, c.taken);
    EXPECT_EQ(reporter_.Numbers(), c.taken ? std::vector<int>{} : std::vector{kMsgBadSetting});
  }
}

TEST_F(DrawingCommandsTest, TypedMagnificationIsStoredAsA48BitReal) {
  EXPECT_EQ(MagnificationOfText("1.1"), RoundToReal48(1.1));
  EXPECT_EQ(MagnificationOfText("1e38"), RoundToReal48(1e38));
  EXPECT_EQ(MagnificationOfText("2e38"), std::nullopt);  // beyond what the real holds
  EXPECT_EQ(MagnificationOfText("nan"), std::nullopt);
}

TEST_F(DrawingCommandsTest, PositionBoxesAreTakenOnlyWhenBothConvert) {
  settings().DrawPosX = 5;
  settings().DrawPosY = 6;
  // Not a whole number, and beyond 16 bits (it would otherwise wrap around).
  for (const auto& typed : {std::pair{"1.5", "-20"}, std::pair{"-300", "40000"}}) {
    const char* x = typed.first;
    const char* y = typed.second;
    reporter_.messages.clear();
    Run(&DrawingCommands::DefDrawPositionClick, [this, x, y](QDialog& d) {
      EXPECT_EQ(Text("XPos"), "5");
      EXPECT_EQ(Text("YPos"), "6");
      Type(d, "XPos", x);
      Type(d, "YPos", y);
    });
    EXPECT_EQ(reporter_.Numbers(), std::vector{kMsgBadSetting});
    EXPECT_EQ(settings().DrawPosX, 5);
    EXPECT_EQ(settings().DrawPosY, 6);
    EXPECT_EQ(settings().ChangedMask, 0);
  }

  Run(&DrawingCommands::DefDrawPositionClick, [](QDialog& d) {
    Type(d, "XPos", "-300");
    Type(d, "YPos", "-20");
  });
  EXPECT_EQ(settings().DrawPosX, -300);
  EXPECT_EQ(settings().DrawPosY, -20);
  EXPECT_EQ(settings().ChangedMask, kChangedDrawPosition);
  EXPECT_FALSE(workspace_.view.ScrollReset);  // the position keeps the scroll
}

TEST_F(DrawingCommandsTest, ZoomInThenOutComesBackWithoutMarkingTheSetting) {
  settings().DrawResX = 1.0;
  settings().DrawResY = 2.0;
  commands_.ZoomIn();
  EXPECT_EQ(settings().DrawResX, RoundToReal48(1.1L));
  EXPECT_EQ(settings().DrawResY, RoundToReal48(2.2L));
  commands_.ZoomIn();
  commands_.ZoomOut();
  commands_.ZoomOut();
  EXPECT_NEAR(settings().DrawResX, 1.0, 1e-11);
  EXPECT_NEAR(settings().DrawResY, 2.0, 1e-11);
  EXPECT_EQ(settings().ChangedMask, 0);
  EXPECT_FALSE(workspace_.view.ScrollReset);
}

// --- class count ----------------------------------------------------------------

TEST_F(DrawingCommandsTest, ClassCountOutsideTwoToEightIsRefusedWithMessage13) {
  for (const char* text : {"9", "1", "", "x", "4.0", "-3"}) {
    SCOPED_TRACE(text);
    reporter_.messages.clear();
    Run(&DrawingCommands::DefSepNumberClick, [text](QDialog& d) { Type(d, "Num", text); });
    EXPECT_EQ(reporter_.Numbers(), std::vector<int>{13});
    EXPECT_EQ(settings().ClassCount, 5);
    EXPECT_EQ(settings().ChangedMask, 0);
  }
}

TEST_F(DrawingCommandsTest, ClassCountIsShownAndStoredOnOk) {
  Run(&DrawingCommands::DefSepNumberClick, [this](QDialog& d) {
    EXPECT_EQ(Text("Num"), "5");
    Type(d, "Num", " 8 ");
  });
  EXPECT_EQ(settings().ClassCount, 8);
  Run(&DrawingCommands::DefSepNumberClick, [](QDialog& d) { Type(d, "Num", "2"); });
  EXPECT_EQ(settings().ClassCount, 2);
  EXPECT_EQ(settings().ChangedMask, kChangedDivision);
  EXPECT_TRUE(reporter_.messages.empty());
}

// --- paint style ------------------------------------------------------------------

TEST_F(DrawingCommandsTest, PatternDialogShowsEachOrderAndFocusesTheCurrentCount) {
  settings().ClassCount = 3;
  settings().UsePalette = 0;
  Run(
      &DrawingCommands::DefPaintStyleClick,
      [this](QDialog& d) {
        EXPECT_EQ(Text("Order2"), "o-p");
        EXPECT_EQ(Text("Order5"), "o-p-q-r-s");
        EXPECT_EQ(Text("Order8"), "o-p-q-r-s-t-u-v");
        EXPECT_EQ(d.focusWidget(), &Child<QLineEdit>(d, "Order3"));
        EXPECT_TRUE(Child<QRadioButton>(d, "RBtnPal2").isChecked());
      },
      QDialog::Rejected);

  settings().ClassCount = 9;  // a count without a box of its own
  settings().UsePalette = 1;
  Run(
      &DrawingCommands::DefPaintStyleClick,
      [](QDialog& d) {
        EXPECT_EQ(d.focusWidget(), &Child<QLineEdit>(d, "Order8"));
        EXPECT_TRUE(Child<QRadioButton>(d, "RBtnPal1").isChecked());
      },
      QDialog::Rejected);
}

TEST_F(DrawingCommandsTest, PatternOrderIsReadFromTheBoxesOnOk) {
  using Row = std::array<std::uint8_t, 8>;
  Run(&DrawingCommands::DefPaintStyleClick, [](QDialog& d) {
    Type(d, "Order2", "T-U");                  // T is the last pattern, U no symbol
    Type(d, "Order3", "U V W X Y Z 9");        // only 9 is a symbol
    Type(d, "Order5", "0-1-2");                // fewer symbols than classes
    Type(d, "Order6", "----------------a-b");  // only 17 characters are read
    Type(d, "Order7", "ＡＢ-A");               // full-width letters are no symbols
    Type(d, "Order8", "abcdefghijklmnopqrs");  // at most 8 entries
    Check(d, "RBtnPal2");
  });
  const PatternOrderTable& order = settings().PatternOrder;
  EXPECT_EQ(order[0], (Row{55, 25, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(order[1], (Row{9, 25, 26, 0, 0, 0, 0, 0}));
  EXPECT_EQ(order[3], (Row{0, 1, 2, 27, 28, 0, 0, 0}));
  EXPECT_EQ(order[4], (Row{10, 25, 26, 27, 28, 29, 0, 0}));
  EXPECT_EQ(order[5], (Row{36, 25, 26, 27, 28, 29, 30, 0}));
  EXPECT_EQ(order[6], (Row{10, 11, 12, 13, 14, 15, 16, 17}));
  EXPECT_EQ(settings().UsePalette, 0);
  EXPECT_EQ(settings().ChangedMask, kChangedPattern);
  EXPECT_EQ(draw_window_.resources().pattern_order, order);  // the map draws with them

  Run(&DrawingCommands::DefPaintStyleClick, [](QDialog& d) { Check(d, "RBtnPal1"); });
  EXPECT_EQ(settings().UsePalette, 1);
  EXPECT_EQ(settings().PatternOrder, order);  // the boxes showed the order as it was
}

// A click on a swatch puts its brush in the order box last focused, for the
// class under the cursor, then moves on: clicks fill the classes in turn.
TEST_F(DrawingCommandsTest, SwatchesClickedFillTheClassesOfTheFocusedBox) {
  settings().ClassCount = 3;
  Run(&DrawingCommands::DefPaintStyleClick, [](QDialog& d) {
    auto& system = Child<BrushSwatches>(d, "SystemStyle");
    auto& patterns = Child<BrushSwatches>(d, "KartelaStyle");
    const auto click = [](BrushSwatches& swatches, int brush) {
      QMouseEvent press(QEvent::MouseButtonPress, swatches.SwatchRect(brush).center(),
                        swatches.mapToGlobal(swatches.SwatchRect(brush).center()), Qt::LeftButton,
                        Qt::LeftButton, Qt::NoModifier);
      QApplication::sendEvent(&swatches, &press);
    };
    // The 3-class box has the focus, its text selected: the first class.
    click(system, 29);
    EXPECT_EQ(Child<QLineEdit>(d, "Order3").text(), "t-p-q");
    click(patterns, 40);
    click(system, 1);
    EXPECT_EQ(Child<QLineEdit>(d, "Order3").text(), "t-E-1") << "in turn";
    click(system, 2);
    EXPECT_EQ(Child<QLineEdit>(d, "Order3").text(), "t-E-2") << "the last class stays";
    auto& five = Child<QLineEdit>(d, "Order5");
    QFocusEvent focus_in(QEvent::FocusIn, Qt::MouseFocusReason);  // the user clicks the box
    QApplication::sendEvent(&five, &focus_in);
    five.setCursorPosition(4);  // "o-p-|q-r-s": the third class
    click(system, 0);
    EXPECT_EQ(five.text(), "o-p-0-r-s");
  });
  const PatternOrderTable& order = settings().PatternOrder;
  using Row = std::array<std::uint8_t, 8>;
  EXPECT_EQ(order[1], (Row{29, 40, 2, 0, 0, 0, 0, 0}));
  EXPECT_EQ(order[3], (Row{24, 25, 0, 27, 28, 0, 0, 0}));
}

// A scheme is kept, with its own change bit, only when the user changes it,
// and the map draws with it; "なし" returns to the pattern order.
TEST_F(DrawingCommandsTest, ColourSchemeIsChosenBesideThePatternOrders) {
  const auto choose = [](const char* name) {
    return [name](QDialog& d) {
      auto& box = Child<QComboBox>(d, "ColorScheme");
      box.setCurrentIndex(box.findData(QString(name)));
    };
  };
  Run(&DrawingCommands::DefPaintStyleClick, choose("Blues"));
  EXPECT_EQ(settings().ColorScheme, "Blues");
  EXPECT_EQ(settings().ChangedMask, kChangedPattern | kChangedColorScheme);
  ASSERT_NE(draw_window_.resources().scheme, nullptr);
  EXPECT_EQ(draw_window_.resources().scheme->name, "Blues");

  settings().ChangedMask = 0;
  Run(&DrawingCommands::DefPaintStyleClick, [](QDialog& d) {
    EXPECT_EQ(Child<QComboBox>(d, "ColorScheme").currentData().toString(), "Blues");
  });
  EXPECT_EQ(settings().ChangedMask, kChangedPattern);  // shown, not changed

  Run(&DrawingCommands::DefPaintStyleClick, choose(""));
  EXPECT_EQ(settings().ColorScheme, "");
  EXPECT_EQ(draw_window_.resources().scheme, nullptr);
}

TEST_F(DrawingCommandsTest, PatternOrderThatShiftJisCannotHoldIsRefused) {
  const PatternOrderTable before = settings().PatternOrder;
  Run(&DrawingCommands::DefPaintStyleClick, [this](QDialog& d) {
    Type(d, "Order4", "a-b-\xF0\x9F\x98\x80");
    d.done(QDialog::Accepted);  // refused: the dialog stays open
    EXPECT_EQ(reporter_.messages.size(), 1u);
    EXPECT_EQ(d.focusWidget(), &Child<QLineEdit>(d, "Order4"));
    result_ = QDialog::Rejected;  // the user gives up
  });
  EXPECT_EQ(settings().PatternOrder, before);
  EXPECT_EQ(settings().ChangedMask, 0);
}

TEST_F(DrawingCommandsTest, ReferencePicturesPaintTheMapsOwnBrushes) {
  Run(&DrawingCommands::DefPaintStyleClick, {}, QDialog::Rejected);
  auto& system = Child<BrushSwatches>(*shown_, "SystemStyle");
  auto& patterns = Child<BrushSwatches>(*shown_, "KartelaStyle");
  system.resize(system.sizeHint());  // laid out as when shown
  patterns.resize(patterns.sizeHint());
  const QImage system_image = system.grab().toImage();
  const QImage pattern_image = patterns.grab().toImage();
  const auto colours_in = [](const QImage& image, const QRect& swatch) {
    std::set<QRgb> colours;
    for (int y = swatch.top() + 1; y < swatch.bottom(); ++y)
      for (int x = swatch.left() + 1; x < swatch.right(); ++x)
        colours.insert(image.pixel(x, y) & RGB_MASK);
    return colours;
  };
  const auto only = [](QColor colour) { return std::set<QRgb>{colour.rgb() & RGB_MASK}; };
  const auto ink_and_white = [](QColor ink) {
    return std::set<QRgb>{ink.rgb() & RGB_MASK, QColor(Qt::white).rgb() & RGB_MASK};
  };
  EXPECT_EQ(colours_in(system_image, system.SwatchRect(0)), only(Rgb(Brushes()[0].color)));
  EXPECT_EQ(colours_in(system_image, system.SwatchRect(29)), only(Qt::red));
  EXPECT_EQ(colours_in(system_image, system.SwatchRect(34)), ink_and_white(Qt::red));
  EXPECT_EQ(colours_in(pattern_image, patterns.SwatchRect(40)), ink_and_white(QColor(0, 0, 128)));
  EXPECT_EQ(colours_in(pattern_image, patterns.SwatchRect(55)), ink_and_white(QColor(0, 255, 0)));
  // The symbol is written under its swatch.
  const QRect swatch = patterns.SwatchRect(55);
  const QRect under(swatch.left(), swatch.bottom() + 1, swatch.width(), 14);
  ASSERT_TRUE(pattern_image.rect().contains(under));
  EXPECT_TRUE(colours_in(pattern_image, under).contains(QColor(Qt::black).rgb() & RGB_MASK));
}

// --- border lines -------------------------------------------------------------------

TEST_F(DrawingCommandsTest, BorderStyleIsTheSumOfTheCheckedButtonsForEveryCombination) {
  const std::pair<const char*, int> normal[] = {
      {"RadioButton1", 0}, {"RadioButton2", 1}, {"RadioButton3", 2}};
  const std::pair<const char*, int> second[] = {
      {"RadioButton4", 0}, {"RadioButton5", 4}, {"RadioButton6", 8}};
  const std::pair<const char*, int> auxiliary[] = {
      {"RadioButton7", 0}, {"RadioButton8", 16}, {"RadioButton9", 32}, {"RadioButtonA", 48}};
  for (const auto& n : normal) {
    for (const auto& s : second) {
      for (const auto& a : auxiliary) {
        const int sum = n.second + s.second + a.second;
        const char* n_button = n.first;  // plain locals: lambdas capture them
        const char* s_button = s.first;
        const char* a_button = a.first;
        SCOPED_TRACE(sum);
        settings().BorderStyle = 0;
        Run(&DrawingCommands::LineWidthClick, [&](QDialog& d) {
          Check(d, n_button);
          Check(d, s_button);
          Check(d, a_button);
        });
        EXPECT_EQ(settings().BorderStyle, sum);
        // Opened again, the dialog checks the same buttons.
        Run(
            &DrawingCommands::LineWidthClick,
            [&](QDialog& d) {
              for (const char* button : {n_button, s_button, a_button})
                EXPECT_TRUE(Child<QRadioButton>(d, button).isChecked()) << button;
            },
            QDialog::Rejected);
      }
    }
  }
  EXPECT_EQ(settings().ChangedMask, kChangedLineWidth);
}

TEST_F(DrawingCommandsTest, BorderStyleOnOkMakesThePensAgain) {
  Run(&DrawingCommands::LineWidthClick, [](QDialog& d) {
    Check(d, "RadioButton2");
    Check(d, "RadioButton6");
  });
  const DrawingResources& resources = draw_window_.resources();
  EXPECT_EQ(resources.pens[kPenBorder].width, 2);
  EXPECT_EQ(resources.pens[kPenSecondBorder].style, gdi::PenStyle::kDot);
}

TEST_F(DrawingCommandsTest, BorderFieldWithoutAButtonShowsTheFirstOne) {
  settings().BorderStyle = 3 + 12;  // normal and second border fields of 3
  Run(
      &DrawingCommands::LineWidthClick,
      [](QDialog& d) {
        EXPECT_TRUE(Child<QRadioButton>(d, "RadioButton1").isChecked());
        EXPECT_TRUE(Child<QRadioButton>(d, "RadioButton4").isChecked());
      },
      QDialog::Rejected);
}

// --- fill colour ----------------------------------------------------------------------

TEST(FillColorDialogTest, ChecksItsChoiceWhenShownAndKeepsTheCheckedOneWhenClosed) {
  TFillColorDialog dialog;
  EXPECT_EQ(dialog.windowTitle(), "色の設定");
  const char* buttons[] = {"B1", "B2", "B3", "B4", "B5", "B6", "B7", "B8", "B9", "B0"};
  for (int choice = 0; choice < kFillChoiceCount; ++choice) {
    dialog.SetChoice(choice);
    dialog.show();
    EXPECT_TRUE(Child<QRadioButton>(dialog, buttons[choice]).isChecked()) << choice;
    dialog.done(QDialog::Accepted);
    EXPECT_EQ(dialog.Choice(), choice);
  }
  dialog.SetChoice(2);
  dialog.show();
  Check(dialog, "B0");
  dialog.done(QDialog::Rejected);  // the caller ignores the choice after Cancel
  EXPECT_EQ(dialog.Choice(), 9);
}

TEST(FillColorDialogTest, ChoiceWithoutAButtonChecksNoneAndSurvivesTheClose) {
  TFillColorDialog dialog;
  dialog.SetChoice(4);
  dialog.show();
  dialog.done(QDialog::Accepted);
  dialog.SetChoice(12);
  dialog.show();
  for (QRadioButton* button : dialog.findChildren<QRadioButton*>())
    EXPECT_FALSE(button->isChecked()) << button->objectName().toStdString();
  dialog.done(QDialog::Accepted);
  EXPECT_EQ(dialog.Choice(), 12);
}

}  // namespace
}  // namespace kartela
