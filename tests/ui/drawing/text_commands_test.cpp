#include "ui/drawing/text_commands.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QRadioButton>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "model/messages.h"
#include "model/test_support.h"
#include "ui/map/draw_window.h"
#include "ui/widgets/text_boxes.h"

namespace kartela {
namespace {

using test::Sjis;

template <typename Widget>
Widget& Child(QDialog& dialog, const char* name) {
  auto* widget = dialog.findChild<Widget*>(name);
  EXPECT_NE(widget, nullptr) << name;
  return *widget;
}

// What the three text commands may change.
auto TextSettings(const Settings& s) {
  return std::make_tuple(s.TitleOffsetX, s.TitleOffsetY, s.TitleFont, s.LegendOffsetX,
                         s.LegendOffsetY, s.LegendStyle, s.IndexFont, s.AreaNameFlags, s.AreaFont,
                         s.FancyFont, s.ChangedMask);
}

// --- conversions of the typed values ------------------------------------------

TEST(TextBoxesTest, SizeBecomesTheNegatedRoundedHeight) {
  const struct {
    const char* text;
    std::optional<std::int32_t> height;
  } cases[] = {
      {"12", -12}, {" 20 ", -20},   {"10.5", -10}, {"11.5", -12},  // ties to even
      {"-15", 15}, {"4096", -4096}, {"4097", {}},  {"1e9", {}},   {"", {}},
      {"abc", {}}, {"12pt", {}},    {"inf", {}},   {"nan", {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(FontHeightOfSize(c.text), c.height);
  }
}

TEST(TextBoxesTest, OffsetConvertsOnlyAsAWholeNumberOfSixteenBits) {
  const struct {
    const char* text;
    std::optional<std::int16_t> offset;
  } cases[] = {
      {"0", 0},      {"-30", -30}, {" 7 ", 7}, {"32767", 32767}, {"-32768", -32768},
      {"32768", {}}, {"1.5", {}},  {"", {}},   {"x1", {}},       {"１２", {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(OffsetOfText(c.text), c.offset);
  }
}

TEST(TextBoxesTest, FaceChoicesOfferTheWindowsFacesThenWhatARecordCanHold) {
  const std::vector<std::string> installed = {"IPAexMincho", "ＭＳ 明朝", "Noto Sans CJK JP",
                                              std::string(32, 'A'), "\xF0\x9F\x98\x80 Emoji"};
  const QStringList expected = {"ＭＳ 明朝",       "ＭＳ ゴシック", "ＭＳ Ｐ明朝",
                                "ＭＳ Ｐゴシック", "IPAexMincho",   "Noto Sans CJK JP"};
  EXPECT_EQ(FontFaceChoices(installed), expected);
}

TEST(TextBoxesTest, FaceIsRefusedWhenShiftJisCannotHoldItOrItIsTooLong) {
  EXPECT_TRUE(FaceRefusal("ＭＳ Ｐゴシック").isEmpty());
  EXPECT_TRUE(FaceRefusal(QString(31, 'A')).isEmpty());
  EXPECT_TRUE(FaceRefusal(QString(15, QChar(0x3042))).isEmpty()) << "30 bytes";
  EXPECT_FALSE(FaceRefusal(QString(32, 'A')).isEmpty());
  EXPECT_FALSE(FaceRefusal(QString(16, QChar(0x3042))).isEmpty()) << "32 bytes";
  EXPECT_FALSE(FaceRefusal("\xF0\xA0\xAE\xB7野家").isEmpty()) << "U+20BB7 has no CP932 form";
  // The settings file ends a face at a comma and cuts a line at a semicolon.
  EXPECT_TRUE(FaceRefusal("Noto Sans, Bold").contains("「,」"));
  EXPECT_TRUE(FaceRefusal("A;B").contains("「;」"));
}

// --- the commands --------------------------------------------------------------

// The text commands over a map window. Dialogs answer at once: `edit_` fills
// the boxes, then the dialog ends with `result_`.
class TextCommandsTest : public testing::Test {
 protected:
  TextCommandsTest() {
    Settings& s = workspace_.settings;
    s.TitleOffsetX = 5;
    s.TitleOffsetY = 6;
    s.LegendOffsetX = -7;
    s.LegendOffsetY = 8;
    s.LegendStyle = 1;
    s.AreaNameFlags = 0;
    s.TitleFont.Width = 9;  // a width the size box resets
    draw_window_ = std::make_unique<TDrawWindow>(context_);
    commands_ = std::make_unique<TextCommands>(context_, *draw_window_);
    commands_->SetDialogRunner([this](QDialog& dialog) {
      ++dialogs_run_;
      if (edit_) edit_(dialog);
      dialog.done(result_);
      return dialog.result();
    });
  }

  Settings& settings() { return workspace_.settings; }

  test::ScratchDir dir_;
  Workspace workspace_;
  test::RecordingReporter reporter_;
  AppContext context_{workspace_, ProgramPaths{dir_.path(), "kartela"}, reporter_, TextMetrics{}};
  std::unique_ptr<TDrawWindow> draw_window_;
  std::unique_ptr<TextCommands> commands_;
  std::function<void(QDialog&)> edit_;
  int result_ = QDialog::Accepted;
  int dialogs_run_ = 0;
};

// Types something different into every box of whichever dialog is shown.
void ChangeEverything(QDialog& dialog) {
  for (auto* box : dialog.findChildren<QLineEdit*>()) {
    if (box->objectName() == "XPos" || box->objectName() == "YPos") box->setText("99");
  }
  Child<QComboBox>(dialog, "FontType").setCurrentText("ＭＳ ゴシック");
  Child<QComboBox>(dialog, "FontSize").setCurrentText("32");
  for (auto* button : dialog.findChildren<QRadioButton*>()) {
    if (!button->isChecked()) button->setChecked(true);
  }
}

TEST_F(TextCommandsTest, CancelLeavesEverySettingAsItWas) {
  const auto before = TextSettings(settings());
  const LogFont title_font = draw_window_->resources().fonts[kFontTitle];
  edit_ = ChangeEverything;
  result_ = QDialog::Rejected;
  commands_->DefTitleClick();
  commands_->DefIndexClick();
  commands_->DefAreaNameClick();
  commands_->DefDecorClick();
  EXPECT_EQ(dialogs_run_, 4);
  EXPECT_TRUE(TextSettings(settings()) == before);
  EXPECT_EQ(draw_window_->resources().fonts[kFontTitle], title_font);
  EXPECT_TRUE(reporter_.messages.empty());
}

TEST_F(TextCommandsTest, TitleDialogShowsTheSettingsAndOkStoresThem) {
  settings().TitleFont.Height = -16;
  edit_ = [](QDialog& dialog) {
    EXPECT_EQ(dialog.windowTitle(), "タイトルの位置・フォント");
    EXPECT_EQ(Child<QLineEdit>(dialog, "XPos").text(), "5");
    EXPECT_EQ(Child<QLineEdit>(dialog, "YPos").text(), "6");
    EXPECT_EQ(Child<QComboBox>(dialog, "FontType").currentText(), "ＭＳ 明朝");
    EXPECT_EQ(Child<QComboBox>(dialog, "FontSize").currentText(), "16");
    EXPECT_GE(Child<QComboBox>(dialog, "FontSize").findText("48"), 0) << "the size choices";
    Child<QLineEdit>(dialog, "XPos").setText("-30");
    Child<QLineEdit>(dialog, "YPos").setText("15");
    Child<QComboBox>(dialog, "FontType").setCurrentText("ＭＳ Ｐゴシック");
    Child<QComboBox>(dialog, "FontSize").setCurrentText("20.5");
  };
  commands_->DefTitleClick();
  EXPECT_EQ(settings().TitleOffsetX, -30);
  EXPECT_EQ(settings().TitleOffsetY, 15);
  EXPECT_EQ(settings().TitleFont.FaceName, Sjis("ＭＳ Ｐゴシック"));
  EXPECT_EQ(settings().TitleFont.Height, -20);
  EXPECT_EQ(settings().TitleFont.Width, 0);
  EXPECT_EQ(settings().ChangedMask, kChangedTitleFont);
  EXPECT_EQ(draw_window_->resources().fonts[kFontTitle], settings().TitleFont)
      << "the map draws with the new font";
}

// The legend items dialog: the source line proposed from the data's notes
// while the map has none; each text stored with its own change bit, and only
// when it changed; a text the settings file cannot hold refused, naming its
// box, with the dialog left open.
TEST_F(TextCommandsTest, LegendItemsDialogProposesTheSourceAndStoresTheTexts) {
  workspace_.data.DataNotes = {"", Sjis("注：推計"), Sjis("出典：総務省「国勢調査」")};
  edit_ = [](QDialog& dialog) {
    EXPECT_EQ(dialog.windowTitle(), "凡例の表示項目");
    EXPECT_EQ(Child<QLineEdit>(dialog, "SourceText").text(), "出典：総務省「国勢調査」");
    EXPECT_EQ(Child<QLineEdit>(dialog, "LegendHeading").text(), "");
    Child<QLineEdit>(dialog, "LegendHeading").setText("単位：人");
  };
  commands_->DefLegendOptionsClick();
  EXPECT_EQ(settings().LegendHeading, Sjis("単位：人"));
  EXPECT_EQ(settings().SourceText, Sjis("出典：総務省「国勢調査」"));
  EXPECT_EQ(settings().ChangedMask, kChangedLegendHeading | kChangedSource);

  settings().ChangedMask = 0;
  edit_ = [](QDialog& dialog) {
    EXPECT_EQ(Child<QLineEdit>(dialog, "LegendHeading").text(), "単位：人");
  };
  commands_->DefLegendOptionsClick();
  EXPECT_EQ(settings().ChangedMask, 0u) << "nothing changed, nothing to write";

  edit_ = [](QDialog& dialog) { Child<QLineEdit>(dialog, "SourceText").setText("a;b"); };
  commands_->DefLegendOptionsClick();
  EXPECT_EQ(settings().SourceText, Sjis("出典：総務省「国勢調査」"));
  ASSERT_EQ(reporter_.Numbers(), std::vector<int>{kMsgBadSetting});
  EXPECT_NE(reporter_.messages[0].text.find("出典"), std::string::npos);
}

TEST_F(TextCommandsTest, ValuesThatDoNotConvertAreRefusedAndNothingIsStored) {
  const auto before = TextSettings(settings());
  edit_ = [](QDialog& dialog) {
    Child<QLineEdit>(dialog, "XPos").setText("abc");
    Child<QLineEdit>(dialog, "YPos").setText("40000");
    Child<QComboBox>(dialog, "FontSize").setCurrentText("大きく");
  };
  commands_->DefTitleClick();
  EXPECT_TRUE(TextSettings(settings()) == before) << "the dialog stayed open";
  ASSERT_EQ(reporter_.Numbers(), std::vector{kMsgBadSetting});
  EXPECT_NE(reporter_.messages[0].text.find("「Ｘ座標」"), std::string::npos) << "the first box";
}

TEST_F(TextCommandsTest, TheFaceAndSizeOfTheRecordAreTheSelectedChoices) {
  settings().IndexFont.FaceName = Sjis("ＭＳ Ｐ明朝");
  settings().IndexFont.Height = -24;
  edit_ = [](QDialog& dialog) {
    const auto& face = Child<QComboBox>(dialog, "FontType");
    EXPECT_EQ(face.currentIndex(), face.findText("ＭＳ Ｐ明朝"));
    const auto& size = Child<QComboBox>(dialog, "FontSize");
    EXPECT_EQ(size.currentIndex(), size.findText("24"));
  };
  commands_->DefIndexClick();
  EXPECT_EQ(settings().IndexFont.FaceName, Sjis("ＭＳ Ｐ明朝"));
  EXPECT_EQ(settings().IndexFont.Height, -24);
}

TEST_F(TextCommandsTest, AFaceNotInstalledIsShownAndKept) {
  settings().IndexFont.FaceName = "Helvetica Neue";
  edit_ = [](QDialog& dialog) {
    EXPECT_EQ(Child<QComboBox>(dialog, "FontType").currentText(), "Helvetica Neue");
  };
  commands_->DefIndexClick();
  EXPECT_EQ(settings().IndexFont.FaceName, "Helvetica Neue");
}

TEST_F(TextCommandsTest, OkRefusesAFaceARecordCannotHold) {
  // The last two would read back cut or shifted from the settings file.
  for (const QString& face :
       {QString("\xF0\xA0\xAE\xB7野家"), QString(32, 'A'), QString("Foo, Bar"), QString("A;B")}) {
    SCOPED_TRACE(face.toStdString());
    reporter_.messages.clear();
    const auto before = TextSettings(settings());
    edit_ = [&face](QDialog& dialog) {
      Child<QComboBox>(dialog, "FontType").setCurrentText(face);
      Child<QComboBox>(dialog, "FontSize").setCurrentText("24");
    };
    commands_->DefAreaNameClick();
    ASSERT_EQ(reporter_.messages.size(), 1u);
    EXPECT_EQ(reporter_.messages[0].title, "警告");
    EXPECT_TRUE(TextSettings(settings()) == before) << "the dialog stayed open; nothing stored";
  }
}

TEST_F(TextCommandsTest, LegendStyleComesFromTheCheckedButtons) {
  const struct {
    const char* display;
    const char* range;
    std::int16_t style;
  } cases[] = {
      {"RadioButton1", "RadioButton4", 1}, {"RadioButton2", "RadioButton4", 2},
      {"RadioButton3", "RadioButton4", 3}, {"RadioButton1", "RadioButton5", 5},
      {"RadioButton2", "RadioButton5", 6}, {"RadioButton3", "RadioButton5", 7},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.style);
    settings().ChangedMask = 0;
    edit_ = [&c](QDialog& dialog) {
      Child<QRadioButton>(dialog, c.display).setChecked(true);
      Child<QRadioButton>(dialog, c.range).setChecked(true);
      Child<QLineEdit>(dialog, "XPos").setText("12");
    };
    commands_->DefIndexClick();
    EXPECT_EQ(settings().LegendStyle, c.style);
    EXPECT_EQ(settings().LegendOffsetX, 12);
    EXPECT_EQ(settings().LegendOffsetY, 8);
    EXPECT_EQ(settings().ChangedMask, kChangedIndexFont);
  }
}

TEST_F(TextCommandsTest, LegendButtonsShowTheStyle) {
  const struct {
    std::int16_t style;
    const char* display;
    const char* range;
  } cases[] = {
      {1, "RadioButton1", "RadioButton4"}, {6, "RadioButton2", "RadioButton5"},
      {7, "RadioButton3", "RadioButton5"}, {0, "RadioButton3", "RadioButton4"},  // 0 is hidden
      {4, "RadioButton3", "RadioButton5"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.style);
    settings().LegendStyle = c.style;
    edit_ = [&c](QDialog& dialog) {
      EXPECT_TRUE(Child<QRadioButton>(dialog, c.display).isChecked());
      EXPECT_TRUE(Child<QRadioButton>(dialog, c.range).isChecked());
    };
    result_ = QDialog::Rejected;
    commands_->DefIndexClick();
  }
}

// The groups in order: write, background, abbreviation, order, areas,
// names apart.
TEST_F(TextCommandsTest, AreaNameFlagsAreTheSumOfTheSixGroups) {
  const struct {
    std::vector<const char*> checked;
    std::int16_t flags;
  } cases[] = {
      {{"WriteSW1", "BackSW1", "PrefSW1", "OrderSW1", "AreaSW1", "ApartSW1"}, 0},
      {{"WriteSW2", "BackSW1", "PrefSW2", "OrderSW1", "AreaSW2", "ApartSW1"}, 1 + 8 + 32},
      {{"WriteSW3", "BackSW2", "PrefSW1", "OrderSW2", "AreaSW1", "ApartSW2"}, 3 + 4 + 16 + 64},
      {{"WriteSW3", "BackSW2", "PrefSW2", "OrderSW2", "AreaSW2", "ApartSW1"}, 63},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.flags);
    settings().ChangedMask = 0;
    edit_ = [&c](QDialog& dialog) {
      for (const char* name : c.checked)
        Child<QRadioButton>(dialog, name).setChecked(true);
    };
    commands_->DefAreaNameClick();
    EXPECT_EQ(settings().AreaNameFlags, c.flags);
    EXPECT_EQ(settings().ChangedMask, kChangedAreaFont);

    // Shown again, the buttons come back as they were checked.
    edit_ = [&c](QDialog& dialog) {
      for (const char* name : c.checked)
        EXPECT_TRUE(Child<QRadioButton>(dialog, name).isChecked()) << name;
    };
    commands_->DefAreaNameClick();
    EXPECT_EQ(settings().AreaNameFlags, c.flags) << "OK without changes keeps the flags";
  }
}

TEST_F(TextCommandsTest, AreaNameFlagsAreRebuiltFromZero) {
  settings().AreaNameFlags = 2 + 128;  // bits no button stands for
  edit_ = [](QDialog& dialog) { EXPECT_TRUE(Child<QRadioButton>(dialog, "WriteSW1").isChecked()); };
  commands_->DefAreaNameClick();
  EXPECT_EQ(settings().AreaNameFlags, 0);
}

TEST_F(TextCommandsTest, EachDialogChangesOnlyItsOwnFont) {
  edit_ = [](QDialog& dialog) {
    Child<QComboBox>(dialog, "FontType").setCurrentText("ＭＳ ゴシック");
    Child<QComboBox>(dialog, "FontSize").setCurrentText("8");
  };
  commands_->DefIndexClick();
  EXPECT_EQ(settings().IndexFont.Height, -8);
  EXPECT_EQ(settings().IndexFont.FaceName, Sjis("ＭＳ ゴシック"));
  LogFont untouched_title;
  untouched_title.Width = 9;
  EXPECT_EQ(settings().TitleFont, untouched_title);
  EXPECT_EQ(settings().AreaFont, LogFont{});
  commands_->DefAreaNameClick();
  EXPECT_EQ(settings().AreaFont.Height, -8);
  EXPECT_EQ(draw_window_->resources().fonts[kFontAreaName], settings().AreaFont);
  EXPECT_EQ(settings().ChangedMask, kChangedIndexFont | kChangedAreaFont);
  EXPECT_EQ(settings().FancyFont, LogFont{});
}

// The decoration font: a size that is no number changes only the face.
TEST_F(TextCommandsTest, DecorationFontTakesTheFaceAndANumericSize) {
  settings().FancyFont.Height = -12;
  settings().FancyFont.Width = 5;
  edit_ = [](QDialog& dialog) {
    EXPECT_EQ(dialog.windowTitle(), "修飾フォント");
    EXPECT_EQ(Child<QComboBox>(dialog, "FontSize").currentText(), "12");
    Child<QComboBox>(dialog, "FontType").setCurrentText("ＭＳ ゴシック");
    Child<QComboBox>(dialog, "FontSize").setCurrentText("大");
  };
  commands_->DefDecorClick();
  EXPECT_EQ(reporter_.Numbers(), std::vector{kMsgBadSetting}) << "a size that is no number";
  EXPECT_EQ(settings().FancyFont.Height, -12);
  EXPECT_EQ(settings().FancyFont.Width, 5);
  EXPECT_EQ(settings().ChangedMask, 0);

  edit_ = [](QDialog& dialog) {
    Child<QComboBox>(dialog, "FontType").setCurrentText("ＭＳ ゴシック");
    Child<QComboBox>(dialog, "FontSize").setCurrentText("20.5");
  };
  commands_->DefDecorClick();
  EXPECT_EQ(settings().FancyFont.FaceName, Sjis("ＭＳ ゴシック"));
  EXPECT_EQ(settings().ChangedMask, kChangedFancyFont);
  EXPECT_EQ(settings().FancyFont.Height, -20) << "rounded half to even";
  EXPECT_EQ(settings().FancyFont.Width, 0);
  EXPECT_EQ(draw_window_->resources().fonts[kFontDecoration], settings().FancyFont);
}

}  // namespace
}  // namespace kartela
