#include "ui/pictures/picture_graph_commands.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <functional>
#include <memory>

#include "gdi/emf_writer.h"
#include "gdi/wmf_writer.h"
#include "model/base_map_file.h"
#include "model/test_support.h"
#include "render/metafile_picture.h"
#include "ui/data/data_window.h"
#include "ui/map/draw_window.h"
#include "ui/map/map_commands.h"
#include "ui/pictures/glyph_info_dialog.h"
#include "ui/pictures/picture_open_dialog.h"
#include "ui/square_map.h"

namespace kartela {
namespace {

using test::Sjis;

std::string WidePicture() {
  gdi::MetafileOptions options;
  options.picture = gdi::Size{40, 20};
  gdi::EmfWriter writer(options);
  writer.Rectangle(gdi::Rect{0, 0, 40, 20});
  return writer.Finish().value();
}

// The picture graph over three squares. The settings dialog picks
// `list_choice_` from its file list (when set), types `ref_value_` and ends
// with `dialog_result_`; the open dialog picks `open_choice_`.
class PictureGraphCommandsTest : public testing::Test {
 protected:
  PictureGraphCommandsTest() {
    dir_.Write("MAP.IDT", test::SquaresIdt({"東", "中", "西"}));
    dir_.Write("wide.emf", WidePicture());
    dir_.Write("bad.emf", WidePicture().substr(0, 100));
    dir_.Write("note.txt", "not a picture");
    EXPECT_TRUE(ReadBaseMapHeader(dir_.path() / "MAP.IDT", workspace_.area_list).ok());
    workspace_.area_list.CurrentBaseMapFile = "MAP.IDT";
    SetValues({"100", "50", ""});
    data_window_ = std::make_unique<TDataWindow>(context_);
    data_window_->LoadEdits();
    draw_window_ = std::make_unique<TDrawWindow>(context_);
    map_commands_ = std::make_unique<MapCommands>(context_, *data_window_, *draw_window_);
    commands_ = std::make_unique<PictureGraphCommands>(context_, *data_window_, *draw_window_,
                                                       *map_commands_);
    commands_->SetDialogRunner([this](QDialog& dialog) {
      if (auto* open = qobject_cast<TPictureOpenDialog*>(&dialog)) {
        open->selectFile(QString::fromStdString((dir_.path() / open_choice_).string()));
        static_cast<QDialog*>(open)->done(QDialog::Accepted);
        return open->result();
      }
      auto& glyph = dynamic_cast<TGlyphInfoDialog&>(dialog);
      ++dialogs_run_;
      glyph.show();
      Answer(glyph);
      glyph.done(dialog_result_);
      if (glyph.isVisible()) glyph.done(QDialog::Rejected);  // refused: the user gives up
      return glyph.result();
    });
  }

  void SetValues(const std::vector<std::string>& values) {
    for (std::size_t i = 0; i < values.size(); ++i)
      workspace_.data.DataValues[i] = values[i];
    if (data_window_) data_window_->LoadEdits();
  }

  void Answer(TGlyphInfoDialog& dialog) {
    file_list_.clear();
    auto* list = dialog.findChild<QListWidget*>("FileListBox");
    list_hidden_at_start_ = !dialog.FileListShown();
    for (int i = 0; i < list->count(); ++i)
      file_list_.push_back(list->item(i)->text().toStdString());
    if (list_choice_) {
      dialog.ShowFileList();
      const auto items = list->findItems(QString::fromStdString(*list_choice_), Qt::MatchExactly);
      if (!items.isEmpty()) list->setCurrentItem(items.front());
      preview_shown_ = dialog.findChild<QLabel*>("Image1")->isVisible();
    }
    if (remove_before_ok_) std::filesystem::remove(dir_.path() / *list_choice_);
    if (ref_value_) dialog.findChild<QLineEdit*>("Dat")->setText(*ref_value_);
  }

  test::ScratchDir dir_;
  Workspace workspace_;
  test::RecordingReporter reporter_;
  AppContext context_{workspace_, ProgramPaths{dir_.path(), "kartela"}, reporter_, TextMetrics{}};
  std::unique_ptr<TDataWindow> data_window_;
  std::unique_ptr<TDrawWindow> draw_window_;
  std::unique_ptr<MapCommands> map_commands_;
  std::unique_ptr<PictureGraphCommands> commands_;

  int dialogs_run_ = 0;
  int dialog_result_ = QDialog::Accepted;
  std::optional<std::string> list_choice_;
  std::optional<QString> ref_value_;
  bool remove_before_ok_ = false;
  std::string open_choice_;
  std::vector<std::string> file_list_;
  bool list_hidden_at_start_ = false;
  bool preview_shown_ = false;
};

TEST_F(PictureGraphCommandsTest, ChosenPictureBecomesTheMap) {
  list_choice_ = "wide.emf";
  commands_->MeGlyphMapClick();
  EXPECT_EQ(file_list_, (std::vector<std::string>{"bad.emf", "wide.emf"}));
  EXPECT_TRUE(list_hidden_at_start_);
  EXPECT_TRUE(preview_shown_);
  EXPECT_TRUE(reporter_.messages.empty());
  EXPECT_EQ(workspace_.view.Kind, MapKind::kPictureGraph);
  EXPECT_EQ(workspace_.view.GlyphPictureFile, "wide.emf");
  EXPECT_EQ(workspace_.symbols.RefValueText, "75");  // the proposal

  // Cancelled after choosing another picture: nothing changes.
  list_choice_ = "bad.emf";
  dialog_result_ = QDialog::Rejected;
  commands_->MeGlyphMapClick();
  EXPECT_EQ(workspace_.view.GlyphPictureFile, "wide.emf");

  // The file gone at a paint of the map window: the graph draws nothing and
  // says so once, after the paint.
  std::filesystem::remove(dir_.path() / "wide.emf");
  draw_window_->viewport()->grab();
  draw_window_->viewport()->grab();
  EXPECT_TRUE(reporter_.messages.empty());
  QApplication::processEvents();
  EXPECT_EQ(workspace_.view.GlyphPicture, nullptr);
  EXPECT_EQ(reporter_.Numbers(), (std::vector<int>{4}));
  dir_.Write("wide.emf", WidePicture());  // back again: drawn again
  draw_window_->viewport()->grab();
  EXPECT_NE(workspace_.view.GlyphPicture, nullptr);
}

// Like the other maps, the picture graph asks before the decorations go,
// and the first map after a start without a stored placement is fitted.
TEST_F(PictureGraphCommandsTest, AsksBeforeTheDecorationsGoAndFitsTheFirstMap) {
  list_choice_ = "wide.emf";
  workspace_.decorations.ShapeCount = 2;
  reporter_.ok_answer = false;
  commands_->MeGlyphMapClick();
  EXPECT_EQ(reporter_.questions, std::vector<std::string>{"修飾を消去してもよろしいですか？"});
  EXPECT_EQ(dialogs_run_, 0) << "asked before the settings dialog";
  EXPECT_EQ(workspace_.decorations.ShapeCount, 2);
  EXPECT_EQ(workspace_.view.Kind, MapKind::kNone);

  reporter_.ok_answer = true;
  context_.fit_first_map = true;
  draw_window_->resize(400, 300);
  commands_->MeGlyphMapClick();
  EXPECT_EQ(workspace_.view.Kind, MapKind::kPictureGraph);
  EXPECT_EQ(workspace_.decorations.ShapeCount, 0);
  EXPECT_FALSE(context_.fit_first_map);
  EXPECT_NE(workspace_.settings.ChangedMask & kChangedDrawSize, 0u) << "fitted";
}

TEST_F(PictureGraphCommandsTest, RefusalsLeaveTheMapAsItWas) {
  const struct {
    std::vector<std::string> values;
    std::optional<std::string> choice;
    std::optional<QString> ref_value;
    bool remove_before_ok;
    int message;
    bool dialog_shown;
  } cases[] = {
      {{"100", "-5", ""}, "wide.emf", {}, false, 11, false},  // マイナスデータがあります。
      {{"0", "", "0"}, "wide.emf", {}, false, 10, false},     // データがありません
      {{"1", "2e3", ""}, "wide.emf", {}, false, 9, false},    // 指数表示形式
      {{"100", "50", ""}, "wide.emf", "0", false, 13, true},  // reference value 0, refused on OK
      {{"100", "50", ""}, {}, {}, false, 20, true},           // no picture chosen
      {{"100", "50", ""}, "wide.emf", {}, true, 20, true},    // the chosen file has gone
      {{"100", "50", ""}, "bad.emf", {}, false, 4, true},     // a damaged picture
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.message);
    dir_.Write("wide.emf", WidePicture());
    SetValues(c.values);
    list_choice_ = c.choice;
    ref_value_ = c.ref_value;
    remove_before_ok_ = c.remove_before_ok;
    reporter_.messages.clear();
    dialogs_run_ = 0;
    commands_->MeGlyphMapClick();
    EXPECT_EQ(reporter_.Numbers(), (std::vector<int>{c.message}));
    EXPECT_EQ(dialogs_run_, c.dialog_shown ? 1 : 0);
    EXPECT_EQ(workspace_.view.Kind, MapKind::kNone);
  }
  EXPECT_NE(reporter_.messages[0].text.find('\n'), std::string::npos);  // with the reason
  SetValues({"1", "2e3", ""});
  reporter_.messages.clear();
  commands_->MeGlyphMapClick();
  EXPECT_EQ(reporter_.messages.at(0).text,
            "指数表示形式(例 2.0E15)のデータがあります。\n区域 2（中）の値「2e3」");
}

TEST_F(PictureGraphCommandsTest, MetafileReadAsBackground) {
  dir_.Write("map.wmf", [] {
    gdi::WmfWriter writer(gdi::WmfFileOptions({300, 200}, 96));
    writer.Rectangle(gdi::Rect{0, 0, 300, 200});
    return writer.Finish().value();
  }());
  dir_.Write("noise.wmf", std::string(500, '\x5a'));
  open_choice_ = "noise.wmf";
  commands_->WMetaLoadClick();
  EXPECT_EQ(reporter_.Numbers(), (std::vector<int>{4}));
  EXPECT_EQ(workspace_.view.Background, BackgroundMode::kNone);
  open_choice_ = "map.wmf";
  commands_->WMetaLoadClick();
  EXPECT_EQ(reporter_.Numbers(), (std::vector<int>{4}));
  EXPECT_EQ(workspace_.view.Background, BackgroundMode::kBounds);
  EXPECT_EQ(workspace_.view.BackgroundSize.width, 300);
}

}  // namespace
}  // namespace kartela
