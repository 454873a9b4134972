// The picture-file commands through their dialogs, with the dialogs answered
// by the test: the boundary-colour rule, the names the files get, the
// metafile form chosen by extension or asked, the picture-only save, the
// refusals, and a failed save that leaves the old file as it was.
#include "ui/pictures/picture_commands.h"

#include <gtest/gtest.h>

#include <QDialog>
#include <deque>

#include "base/file_io.h"
#include "base/unwritable_dir.h"
#include "gdi/metafile_player.h"
#include "gdi/recording_device_context.h"
#include "model/base_map_file.h"
#include "model/messages.h"
#include "render/paint_context.h"
#include "ui/data/data_clip_dialog.h"
#include "ui/data_test_support.h"
#include "ui/pictures/line_col_change_dialog.h"
#include "ui/pictures/meta_save_dialog.h"
#include "ui/square_map.h"
#include "ui/widgets/choice_buttons.h"

namespace kartela {
namespace {

// Dialogs of a few buttons are still wide enough for their whole caption
// beside the title bar's icon and buttons.
TEST(CaptionTest, ShortDialogsKeepTheirCaptionWhole) {
  TMetaSaveDialog meta_save;
  TDataClipDialog data_clip;
  for (QDialog* dialog : std::initializer_list<QDialog*>{&meta_save, &data_clip}) {
    SCOPED_TRACE(dialog->windowTitle().toStdString());
    dialog->adjustSize();
    EXPECT_GE(dialog->width(),
              dialog->fontMetrics().horizontalAdvance(dialog->windowTitle()) + 150);
  }
}

using test::DataTestBed;

TEST(LineColourRuleTest, AsksOrConvertsAsColorChangeSays) {
  const gdi::Color grey{128, 128, 128};
  struct Case {
    std::int16_t color_change;
    gdi::Color line;
    LineColourQuestion question;
    std::uint8_t flags;
  };
  const Case cases[] = {
      {1, gdi::kBlack, LineColourQuestion::kNone, 0},
      {1, grey, LineColourQuestion::kAsk, 0},
      {1, gdi::kWhite, LineColourQuestion::kAsk, 0},
      {2, grey, LineColourQuestion::kNone, 0},
      {2, gdi::kWhite, LineColourQuestion::kAsk, 0},
      {3, gdi::kWhite, LineColourQuestion::kNone, 0},
      {3, grey, LineColourQuestion::kNone, 0},
      {4, gdi::kBlack, LineColourQuestion::kNone, kPaintMonochrome},
      {4, gdi::kWhite, LineColourQuestion::kNone, kPaintMonochrome},
  };
  for (const Case& c : cases) {
    const LineColourRule rule = LineColourRuleFor(c.color_change, c.line);
    EXPECT_EQ(rule.question, c.question) << c.color_change;
    EXPECT_EQ(rule.flags, c.flags) << c.color_change;
  }
}

TEST(PictureExtensionTest, NamesWithoutTheExtensionGetIt) {
  EXPECT_EQ(WithPictureExtension("/d/MAP", {".emf", ".wmf"}, ".wmf"), "/d/MAP.wmf");
  EXPECT_EQ(WithPictureExtension("/d/MAP.TXT", {".emf", ".wmf"}, ".wmf"), "/d/MAP.wmf");
  EXPECT_EQ(WithPictureExtension("/d/MAP.EMF", {".emf", ".wmf"}, ".wmf"), "/d/MAP.EMF");
  EXPECT_EQ(WithPictureExtension("/d/map.v2", {".svg"}, ".svg"), "/d/map.svg");
}

// A square white map drawn; dialogs answered from `answers_` in order, the
// save dialog with `chosen_`.
class PictureCommandsTest : public testing::Test {
 protected:
  PictureCommandsTest() {
    const auto map = bed_.program_dir.Write("SQ.IDT", test::SquaresIdt({"A", "B"}));
    EXPECT_TRUE(ReadBaseMap(map, bed_.workspace.base_map).ok());
    bed_.workspace.view.Kind = MapKind::kWhiteMap;
    commands_.SetDialogRunner([this](QDialog& dialog) {
      dialogs_.push_back(dialog.objectName().toStdString());
      if (answers_.empty()) return static_cast<int>(QDialog::Rejected);
      const int answer = answers_.front();
      answers_.pop_front();
      return answer;
    });
    commands_.SetSaveDialog([this](const FileDialogSetup& setup) -> std::optional<QString> {
      filters_.push_back(setup.filter.toStdString());
      if (chosen_.empty()) return std::nullopt;
      return QString::fromStdString((bed_.program_dir.path() / chosen_).string());
    });
  }

  std::filesystem::path Dir() const { return bed_.program_dir.path(); }

  DataTestBed bed_;
  PictureCommands commands_{bed_.context};
  std::deque<int> answers_;
  std::vector<std::string> dialogs_;
  std::vector<std::string> filters_;
  std::string chosen_;
};

TEST_F(PictureCommandsTest, MetafileSaveNamesTheFileAndChoosesItsForm) {
  struct Case {
    std::uint8_t emf_mode;
    std::string chosen;
    std::deque<int> answers;  // option dialog, then format dialog
    std::string saved;
    gdi::MetafileFormat format;
  };
  const Case cases[] = {
      {0, "MAP", {kResultAll}, "MAP.wmf", gdi::MetafileFormat::kPlaceableWmf},
      {0, "MAP.TXT", {kResultAll}, "MAP.wmf", gdi::MetafileFormat::kPlaceableWmf},
      {0, "M.emf", {kResultAll}, "M.emf", gdi::MetafileFormat::kEmf},
      {1, "ASK", {kResultAll, QDialog::Accepted}, "ASK.emf", gdi::MetafileFormat::kEmf},
      {1, "ASK2.txt", {kResultYes, kResultYes}, "ASK2.wmf", gdi::MetafileFormat::kPlaceableWmf},
  };
  for (const Case& c : cases) {
    bed_.workspace.settings.EmfMode = c.emf_mode;
    answers_ = c.answers;
    chosen_ = c.chosen;
    commands_.WMetaSaveClick();
    const auto bytes = ReadFileBytes(Dir() / c.saved);
    ASSERT_TRUE(bytes) << c.saved;
    const auto info = gdi::InspectMetafile(*bytes);
    ASSERT_TRUE(info.ok()) << c.saved;
    EXPECT_EQ(info->format, c.format) << c.saved;
    EXPECT_EQ(bed_.reporter.notices.back(), "保存しました。");
  }
  EXPECT_EQ(filters_.front(), "WMFﾌｧｲﾙ(*.wmf);;全ファイル(*.*)");
  EXPECT_EQ(filters_.back(), "ﾒﾀﾌｧｲﾙ(*.emf *.wmf);;全ファイル(*.*)");
  EXPECT_TRUE(bed_.reporter.Numbers().empty());
}

// The EMF save writes an EMF whatever EmfMode offers, under the name given
// or with ".emf" put in place of another extension, with the same notice as
// every save.
TEST_F(PictureCommandsTest, EmfSaveWritesAnEmfWhateverTheModeOffers) {
  for (const char* chosen : {"E", "E2.wmf", "E3.EMF"}) {
    SCOPED_TRACE(chosen);
    bed_.reporter.notices.clear();
    answers_ = {kResultAll};
    chosen_ = chosen;
    commands_.EmfSaveClick();
    std::filesystem::path saved = Dir() / chosen;
    if (saved.extension() != ".EMF") saved.replace_extension(".emf");
    const auto bytes = ReadFileBytes(saved);
    ASSERT_TRUE(bytes) << saved;
    EXPECT_EQ(gdi::InspectMetafile(*bytes)->format, gdi::MetafileFormat::kEmf);
    EXPECT_EQ(bed_.reporter.notices, std::vector<std::string>{"保存しました。"});
  }
  EXPECT_EQ(filters_.back(), "EMFﾌｧｲﾙ(*.emf);;全ファイル(*.*)");
  EXPECT_EQ(dialogs_.back(), "TMetaSaveDialog");
  EXPECT_TRUE(bed_.reporter.Numbers().empty());
}

// PNG, SVG and PDF saves end with the notice the metafile save shows.
TEST_F(PictureCommandsTest, EverySaveEndsWithTheSameNotice) {
  const struct {
    void (PictureCommands::*save)();
    const char* name;
    int answer;  // to the dialog before the file's
  } saves[] = {
      {&PictureCommands::PngSaveClick, "N.png", QDialog::Accepted},
      {&PictureCommands::SvgSaveClick, "N.svg", QDialog::Rejected},
      {&PictureCommands::PdfSaveClick, "N.pdf", QDialog::Rejected},
      {&PictureCommands::WMetaSaveClick, "N.wmf", kResultAll},
  };
  for (const auto& [save, name, answer] : saves) {
    SCOPED_TRACE(name);
    bed_.reporter.notices.clear();
    answers_ = {answer};
    chosen_ = name;
    (commands_.*save)();
    EXPECT_TRUE(std::filesystem::exists(Dir() / name));
    EXPECT_EQ(bed_.reporter.notices, std::vector<std::string>{"保存しました。"});
  }
}

TEST_F(PictureCommandsTest, PictureOnlyDropsTheTexts) {
  bed_.workspace.settings.AreaNameFlags = 1;
  for (const int choice : {kResultAll, kResultYes}) {
    answers_ = {choice};
    chosen_ = "T.emf";
    commands_.WMetaSaveClick();
    gdi::RecordingDeviceContext played;
    const auto bytes = ReadFileBytes(Dir() / "T.emf");
    ASSERT_TRUE(bytes);
    ASSERT_TRUE(gdi::PlayMetafile(*bytes, played, {0, 0, 100, 100}).ok());
    EXPECT_EQ(played.CallsOf(gdi::CallKind::kTextOut).empty(), choice == kResultYes);
    EXPECT_FALSE(played.CallsOf(gdi::CallKind::kPolygon).empty());
  }
}

TEST_F(PictureCommandsTest, NothingIsSavedWhenRefusedOrCancelled) {
  bed_.workspace.view.Kind = MapKind::kNone;
  commands_.WMetaSaveClick();
  commands_.SvgSaveClick();
  EXPECT_EQ(bed_.reporter.Numbers(), (std::vector<int>{kMsgNoMapToSave, kMsgNoMapToSave}));
  bed_.workspace.view.Kind = MapKind::kWhiteMap;
  // The colour question cancelled, the option dialog cancelled, a wildcard.
  bed_.workspace.screen_colors.window_text = gdi::Color{1, 2, 3};
  bed_.reporter.yes_no_answer = Answer::kCancel;
  chosen_ = "X";
  commands_.WMetaSaveClick();
  EXPECT_TRUE(dialogs_.empty());
  bed_.reporter.yes_no_answer = Answer::kYes;
  answers_ = {QDialog::Rejected};
  commands_.WMetaSaveClick();
  answers_ = {kResultAll};
  chosen_ = "X*.wmf";
  commands_.WMetaSaveClick();
  EXPECT_FALSE(std::filesystem::exists(Dir() / "X.wmf"));
  EXPECT_FALSE(std::filesystem::exists(Dir() / "X*.wmf"));
}

// ColorChange 4 converts without asking: the file's lines are black though
// the screen's are not; 3 never asks and keeps them.
TEST_F(PictureCommandsTest, ColorChangeThreeKeepsAndFourConvertsWithoutAsking) {
  const gdi::Color screen_line{200, 0, 0};
  bed_.workspace.screen_colors.window_text = screen_line;
  for (const std::int16_t color_change : {3, 4}) {
    bed_.workspace.settings.ColorChange = color_change;
    answers_ = {kResultAll};
    chosen_ = "C" + std::to_string(color_change) + ".wmf";
    commands_.WMetaSaveClick();
    gdi::RecordingDeviceContext played;
    const auto bytes = ReadFileBytes(Dir() / chosen_);
    ASSERT_TRUE(bytes);
    ASSERT_TRUE(gdi::PlayMetafile(*bytes, played, {0, 0, 100, 100}).ok());
    const auto polygons = played.CallsOf(gdi::CallKind::kPolygon);
    ASSERT_FALSE(polygons.empty());
    EXPECT_EQ(polygons.front().state.pen.color, color_change == 4 ? gdi::kBlack : screen_line);
  }
  EXPECT_TRUE(bed_.reporter.questions.empty());
}

// A picture that cannot be written says why under message 5: the place, or a
// map wider than a WMF can hold (which an EMF still takes).
TEST_F(PictureCommandsTest, ASaveThatCannotBeWrittenSaysWhy) {
  test::ForEachUnwritablePlace(Dir(), [this](const test::UnwritablePlace& place,
                                             const std::filesystem::path& dir) {
    SCOPED_TRACE(dir);
    bed_.reporter.messages.clear();
    answers_ = {QDialog::Accepted};
    chosen_ = (dir / "map").string();
    commands_.PngSaveClick();
    ASSERT_EQ(bed_.reporter.Numbers(), std::vector<int>{kMsgSaveFailed});
    EXPECT_EQ(bed_.reporter.messages[0].text, "保存に失敗しました。\n" + std::string(place.cause));
    EXPECT_FALSE(std::filesystem::exists(dir / "map.png"));
  });
  EXPECT_TRUE(bed_.reporter.notices.empty());

  bed_.reporter.messages.clear();
  bed_.workspace.settings.DrawPosX = 20000;  // the map far to the right, twice its size
  bed_.workspace.settings.DrawResX = 2.0;
  for (const char* name : {"wide.wmf", "wide.emf"}) {
    answers_ = {kResultAll};
    chosen_ = name;
    commands_.WMetaSaveClick();
  }
  ASSERT_EQ(bed_.reporter.Numbers(), std::vector<int>{kMsgSaveFailed});
  const std::string& text = bed_.reporter.messages[0].text;
  EXPECT_TRUE(
      text.starts_with("保存に失敗しました。\nWMF の大きさは 32767 までですが、この地図は "))
      << text;
  EXPECT_TRUE(text.ends_with(" です。描画倍率を下げてください")) << text;
  EXPECT_FALSE(std::filesystem::exists(Dir() / "wide.wmf"));
  EXPECT_TRUE(std::filesystem::exists(Dir() / "wide.emf"));
}

TEST_F(PictureCommandsTest, FailedSaveReportsAndKeepsTheOldFile) {
  bed_.program_dir.Write("OLD.svg", "old");
  std::filesystem::create_directory(Dir() / "DIR.svg");
  chosen_ = "DIR.svg";
  commands_.SvgSaveClick();
  EXPECT_EQ(bed_.reporter.Numbers(), (std::vector<int>{kMsgSaveFailed}));
  EXPECT_TRUE(std::filesystem::is_directory(Dir() / "DIR.svg"));
  bed_.reporter.ok_answer = false;  // overwrite refused
  chosen_ = "OLD.svg";
  commands_.SvgSaveClick();
  EXPECT_EQ(bed_.program_dir.Read("OLD.svg"), "old");
  bed_.reporter.ok_answer = true;
  answers_ = {QDialog::Accepted};
  chosen_ = "P";
  commands_.PngSaveClick();
  EXPECT_TRUE(std::filesystem::exists(Dir() / "P.png"));
  EXPECT_EQ(dialogs_.back(), "TPngScaleDialog");
}

TEST_F(PictureCommandsTest, LineColourChoiceIsStoredOnOkWithItsChangeBit) {
  bed_.workspace.settings.ColorChange = 2;
  commands_.SetDialogRunner([](QDialog& dialog) {
    auto& choice = static_cast<TLineColChangeDialog&>(dialog);
    EXPECT_EQ(choice.Choice(), 2);
    choice.SetChoice(4);
    return static_cast<int>(QDialog::Accepted);
  });
  commands_.LineColorChangeClick();
  EXPECT_EQ(bed_.workspace.settings.ColorChange, 4);
  EXPECT_NE(bed_.workspace.settings.ChangedMask & kChangedColorChange, 0);
}

}  // namespace
}  // namespace kartela
