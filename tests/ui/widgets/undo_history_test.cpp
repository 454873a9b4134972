#include "ui/widgets/undo_history.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QElapsedTimer>
#include <QImage>
#include <QLineEdit>
#include <QMouseEvent>
#include <QRadioButton>
#include <QScrollBar>
#include <functional>
#include <memory>
#include <string>

#include "model/settings_file.h"
#include "model/test_support.h"
#include "ui/data/data_exchange_commands.h"
#include "ui/data/data_window.h"
#include "ui/drawing/drawing_commands.h"
#include "ui/drawing/text_commands.h"
#include "ui/main_window/map_main.h"
#include "ui/map/draw_window.h"
#include "ui/map/map_commands.h"
#include "ui/pictures/picture_commands.h"
#include "ui/square_map.h"

namespace kartela {
namespace {

using test::Sjis;

constexpr WorkspaceParts kAllParts = kPartData | kPartDecorations | kPartSettings | kPartMap;

// Everything undo may touch, with the settings file shutdown would write.
struct Snapshot {
  WorkspaceState state;
  std::string settings_file;
  bool writes_settings = false;

  bool operator==(const Snapshot& other) const {
    return ChangedParts(state, other.state) == 0 && settings_file == other.settings_file &&
           writes_settings == other.writes_settings;
  }
};

Snapshot SnapshotOf(const Workspace& workspace) {
  return {CaptureState(workspace, kAllParts), FormatSettings(workspace.settings),
          ShouldWriteSettings(workspace.settings)};
}

// Changes whatever a dialog offers: each box to "3", each list to its next
// choice, each unchecked radio button checked (the last of a group wins),
// each check box the other way.
void ChangeEverything(QDialog& dialog) {
  for (auto* box : dialog.findChildren<QLineEdit*>()) {
    if (qobject_cast<QComboBox*>(box->parentWidget()) == nullptr) box->setText("3");
  }
  for (auto* list : dialog.findChildren<QComboBox*>()) {
    if (list->count() > 1) list->setCurrentIndex((list->currentIndex() + 1) % list->count());
  }
  for (auto* button : dialog.findChildren<QRadioButton*>()) {
    if (!button->isChecked()) button->setChecked(true);
  }
  for (auto* box : dialog.findChildren<QCheckBox*>())
    box->setChecked(!box->isChecked());
}

// The main window on a program directory whose default base map is three
// squares, with values for every map. Dialogs are answered at once: `edit_`
// changes them, then they end with `answer_`.
class UndoBed {
 public:
  UndoBed() {
    dir_.Write("全国２.IDT", test::SquaresIdt({"一", "二", "三", "四", "五", "六"}));
    window_ = std::make_unique<TMapMain>(context_, std::vector<std::string>{});
    const DialogRunner runner = [this](QDialog& dialog) {
      if (edit_) edit_(dialog);
      dialog.done(answer_);
      return dialog.result();
    };
    MenuCommands& commands = window_->Commands();
    commands.map->SetDialogRunner(runner);
    commands.drawing->SetDialogRunner(runner);
    commands.text->SetDialogRunner(runner);
    commands.data_exchange->SetDialogRunner(runner);
    commands.pictures->SetDialogRunner(runner);
    for (int i = 0; i < 6; ++i)
      workspace_->data.DataValues[i] = std::to_string(5 + 10 * i);
    window_->DataWindow().LoadEdits();
    window_->resize(900, 500);
    window_->show();
    // The windows paint once the main window has laid them out.
    QElapsedTimer waited;
    waited.start();
    while (context_.layout_pending && waited.elapsed() < 3000)
      QApplication::processEvents(QEventLoop::AllEvents, 10);
  }

  QAction& Action(const char* name) const {
    return *window_->findChild<QAction*>(QString::fromLatin1(name));
  }
  void Trigger(const char* name) { Action(name).trigger(); }
  QImage Render() { return window_->DrawWindow().viewport()->grab().toImage(); }

  // A mouse event on the map window at client point `at`.
  void Mouse(QEvent::Type type, Qt::MouseButton button, QPoint at) {
    QWidget* viewport = window_->DrawWindow().viewport();
    const Qt::MouseButtons held =
        type == QEvent::MouseButtonRelease ? Qt::MouseButtons() : Qt::MouseButtons(button);
    QMouseEvent event(type, QPointF(at), viewport->mapToGlobal(QPointF(at)), button, held,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(viewport, &event);
  }
  // Where the title was drawn, in map-window pixels.
  QPoint TitleCentre() {
    const TDrawWindow& map = window_->DrawWindow();
    return map.TitleBox().center() -
           QPoint(map.horizontalScrollBar()->value(), map.verticalScrollBar()->value());
  }
  void Drag(QPoint from, QPoint to) {
    Mouse(QEvent::MouseButtonPress, Qt::LeftButton, from);
    Mouse(QEvent::MouseMove, Qt::NoButton, to);
    Mouse(QEvent::MouseButtonRelease, Qt::LeftButton, to);
  }
  void RightClick() {
    Mouse(QEvent::MouseButtonPress, Qt::RightButton, QPoint(5, 5));
    Mouse(QEvent::MouseButtonRelease, Qt::RightButton, QPoint(5, 5));
  }
  void TypeValue(const QString& text) {
    window_->findChild<QLineEdit*>(QStringLiteral("ValueEdit"))->setText(text);
    window_->DataWindow().CommitEdits();
  }
  void SetTitle(const char* title) {
    workspace_->data.DataTitle = Sjis(title);
    window_->DataWindow().LoadEdits();
  }
  void DrawPaintMap() {
    Trigger("MePaintMap");
    Render();
  }

  test::ScratchDir dir_;
  std::unique_ptr<Workspace> workspace_ = std::make_unique<Workspace>();
  test::RecordingReporter reporter_;
  AppContext context_{*workspace_, ProgramPathsOf(dir_.path() / "kartela"), reporter_, {}};
  std::unique_ptr<TMapMain> window_;
  std::function<void(QDialog&)> edit_;
  int answer_ = QDialog::Accepted;
};

struct Case {
  const char* step;                       // the name the undo item shows
  std::function<void(UndoBed&)> prepare;  // before the change, not recorded
  std::function<void(UndoBed&)> make;     // the change, as the user makes it
};

void NoPreparation(UndoBed& /*test*/) {}

// Each kind of change through the real handlers: undo gives the workspace
// and the settings file exactly as before, redo exactly as after.
TEST(UndoTest, EachChangeGoesBackAndForthExactly) {
  const auto dialog_change = [](const char* item) {
    return [item](UndoBed& t) {
      t.edit_ = ChangeEverything;
      t.Trigger(item);
      t.edit_ = nullptr;
    };
  };
  const auto with_map = [](UndoBed& t) { t.DrawPaintMap(); };
  const Case cases[] = {
      {"データの入力", NoPreparation, [](UndoBed& t) { t.TypeValue("42"); }},
      {"貼付け（←ｸﾘｯﾌﾟﾎﾞｰﾄﾞ）",
       [](UndoBed&) { QGuiApplication::clipboard()->setText("面積\n7\n8\n9\n"); },
       [](UndoBed& t) { t.Trigger("PasteData"); }},
      {"描画倍率", NoPreparation, dialog_change("DefDrawSize")},
      {"描画位置", NoPreparation, dialog_change("DefDrawPosition")},
      {"塗り分け区分数", NoPreparation, dialog_change("DefSepNumber")},
      {"塗り分け模様", NoPreparation, dialog_change("DefPaintStyle")},
      {"タイトル位置/フォント", NoPreparation, dialog_change("DefTitle")},
      {"インデックス設定/フォント", NoPreparation, dialog_change("DefIndex")},
      {"凡例の表示項目", NoPreparation, dialog_change("DefLegendOptions")},
      {"修飾フォント", NoPreparation, dialog_change("DefDecor")},
      {"区域名の記入/フォント", NoPreparation, dialog_change("DefAreaName")},
      {"境界線の設定", NoPreparation, dialog_change("LineWidth")},
      {"保存･コピー時の(境界線)色変換", NoPreparation, dialog_change("LineColorChange")},
      {"塗り分け地図", NoPreparation, [](UndoBed& t) { t.Trigger("MePaintMap"); }},
      {"円(面積)グラフ", with_map, [](UndoBed& t) { t.Trigger("MeCircleMap"); }},
      {"白地図(データ領域)", with_map, [](UndoBed& t) { t.Trigger("WhiteDataMap"); }},
      {"再描画",
       [](UndoBed& t) {
         t.DrawPaintMap();
         t.TypeValue("42");
       },
       [](UndoBed& t) { t.Trigger("RedrawMap"); }},
      {"修飾の追加",
       [](UndoBed& t) {
         t.DrawPaintMap();
         t.Trigger("DecLine");
       },
       [](UndoBed& t) { t.Drag(QPoint(20, 30), QPoint(80, 60)); }},
      {"修飾の削除",
       [](UndoBed& t) {
         t.DrawPaintMap();
         t.Trigger("DecRect");
         t.Drag(QPoint(20, 30), QPoint(80, 60));
       },
       [](UndoBed& t) { t.RightClick(); }},
      {"クリア",
       [](UndoBed& t) {
         t.DrawPaintMap();
         t.Trigger("DecLine");
         t.Drag(QPoint(20, 30), QPoint(80, 60));
       },
       [](UndoBed& t) { t.Trigger("ClearMap"); }},
      {"タイトルの移動",
       [](UndoBed& t) {
         t.SetTitle("人口");
         t.DrawPaintMap();
       },
       [](UndoBed& t) {
         const QPoint title = t.TitleCentre();
         t.Drag(title, title + QPoint(30, 40));
       }},
  };
  for (const Case& change : cases) {
    SCOPED_TRACE(change.step);
    UndoBed t;
    change.prepare(t);
    t.window_->History().Clear();
    const Snapshot before = SnapshotOf(*t.workspace_);
    change.make(t);
    const Snapshot after = SnapshotOf(*t.workspace_);
    ASSERT_FALSE(after == before) << "the change changed nothing";
    EXPECT_TRUE(t.reporter_.messages.empty()) << t.reporter_.messages.front().text;
    EXPECT_EQ(t.window_->History().Stack().count(), 1);
    EXPECT_EQ(t.Action("EditUndo").text(),
              QStringLiteral("元に戻す（%1） (&U)").arg(QString::fromUtf8(change.step)));

    t.Trigger("EditUndo");
    EXPECT_TRUE(SnapshotOf(*t.workspace_) == before);
    EXPECT_EQ(FormatSettings(t.workspace_->settings), before.settings_file);
    EXPECT_FALSE(t.Action("EditUndo").isEnabled());
    EXPECT_EQ(t.Action("EditRedo").text(),
              QStringLiteral("やり直し（%1） (&R)").arg(QString::fromUtf8(change.step)));

    t.Trigger("EditRedo");
    EXPECT_TRUE(SnapshotOf(*t.workspace_) == after);
    EXPECT_EQ(FormatSettings(t.workspace_->settings), after.settings_file);
  }
}

// A session as a user has it: six changes of four kinds and a redraw that
// shows the new values, then seven undos bring back the first map exactly,
// pixel for pixel, and seven redos the last.
TEST(UndoTest, SixUndosBringBackTheFirstMapAndSixRedosTheLast) {
  UndoBed t;
  t.SetTitle("人口");
  t.DrawPaintMap();
  const Snapshot first = SnapshotOf(*t.workspace_);
  const QImage first_map = t.Render();

  const QPoint title = t.TitleCentre();
  ASSERT_FALSE(t.window_->DrawWindow().TitleBox().isEmpty());
  t.Drag(title, title + QPoint(20, 30));
  t.Trigger("DecLine");
  t.Drag(QPoint(20, 30), QPoint(80, 60));
  t.Trigger("DecRect");
  t.Drag(QPoint(30, 40), QPoint(90, 80));
  t.Trigger("DecLine");
  t.Drag(QPoint(10, 90), QPoint(120, 100));
  t.Trigger("DecFree");
  t.TypeValue("40");
  QGuiApplication::clipboard()->setText("面積\n7\n8\n9\n");
  t.Trigger("PasteData");
  t.Trigger("RedrawMap");
  const Snapshot last = SnapshotOf(*t.workspace_);
  const QImage last_map = t.Render();
  ASSERT_EQ(t.window_->History().Stack().count(), 8) << "the first map, six changes, a redraw";
  ASSERT_NE(last_map, first_map);

  for (int i = 0; i < 7; ++i)
    t.Trigger("EditUndo");
  EXPECT_TRUE(SnapshotOf(*t.workspace_) == first);
  EXPECT_EQ(t.Render(), first_map);
  for (int i = 0; i < 7; ++i)
    t.Trigger("EditRedo");
  EXPECT_TRUE(SnapshotOf(*t.workspace_) == last);
  EXPECT_EQ(t.Render(), last_map);
}

// Undo with a value typed but not yet taken takes it first, then takes it
// back: the value and its box are as before the typing.
TEST(UndoTest, UndoTakesBackWhatIsStillInTheValueBox) {
  UndoBed t;
  auto* box = t.window_->findChild<QLineEdit*>(QStringLiteral("ValueEdit"));
  box->selectAll();
  for (const char digit : {'9', '9'}) {
    QKeyEvent key(QEvent::KeyPress, Qt::Key_9, Qt::NoModifier, QString(QChar(digit)));
    QCoreApplication::sendEvent(box, &key);
  }
  ASSERT_EQ(box->text(), QStringLiteral("99"));
  EXPECT_TRUE(t.Action("EditUndo").isEnabled()) << "typing not yet taken can be undone";
  t.Trigger("EditUndo");
  EXPECT_EQ(t.workspace_->data.DataValues[0], "5");
  EXPECT_EQ(box->text(), QStringLiteral("5"));
  t.Trigger("EditRedo");
  EXPECT_EQ(t.workspace_->data.DataValues[0], "99");
  EXPECT_EQ(box->text(), QStringLiteral("99"));
  // The box leaves the keys to the history rather than undoing its own text:
  // to the shortcut, or, when the window is not the active one, it runs them.
  QKeyEvent override_event(QEvent::ShortcutOverride, Qt::Key_Z, Qt::ControlModifier);
  override_event.ignore();
  QCoreApplication::sendEvent(box, &override_event);
  EXPECT_FALSE(override_event.isAccepted());
  QKeyEvent undo_key(QEvent::KeyPress, Qt::Key_Z, Qt::ControlModifier);
  QCoreApplication::sendEvent(box, &undo_key);
  EXPECT_EQ(t.workspace_->data.DataValues[0], "5");
  EXPECT_EQ(box->text(), QStringLiteral("5"));
  QKeyEvent redo_key(QEvent::KeyPress, Qt::Key_Y, Qt::ControlModifier);
  QCoreApplication::sendEvent(box, &redo_key);
  EXPECT_EQ(t.workspace_->data.DataValues[0], "99");
}

// New data, another data file or another base map start a new history;
// commands that change nothing add no step.
TEST(UndoTest, NewDataOrAnotherBaseMapClearTheHistory) {
  UndoBed t;
  t.Trigger("MePaintMap");
  ASSERT_EQ(t.workspace_->view.Kind, MapKind::kPaintMap);
  t.TypeValue("40");
  ASSERT_EQ(t.window_->History().Stack().count(), 2);
  t.Trigger("RedrawMap");
  EXPECT_EQ(t.window_->History().Stack().count(), 3);
  t.Trigger("RedrawMap");
  t.Trigger("DecFree");
  t.answer_ = QDialog::Rejected;
  t.Trigger("MePaintMap");
  EXPECT_EQ(t.window_->History().Stack().count(), 3) << "nothing changed";
  t.answer_ = QDialog::Accepted;
  t.Trigger("NewDataBas");
  EXPECT_EQ(t.window_->History().Stack().count(), 0);
  EXPECT_FALSE(t.Action("EditUndo").isEnabled());

  t.TypeValue("1");
  ASSERT_EQ(t.window_->History().Stack().count(), 1);
  t.dir_.Write("x.DAT", Sjis("全国２.IDT\r\n面積\r\n1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n"));
  ASSERT_TRUE(t.window_->DataWindow().OpenDataFile(t.dir_.path() / "x.DAT"));
  EXPECT_EQ(t.window_->History().Stack().count(), 0);

  t.TypeValue("77");
  ASSERT_EQ(t.window_->History().Stack().count(), 1);
  t.dir_.Write("other.idt", test::SquaresIdt({"北", "南"}));
  t.workspace_->settings.BaseMapFile = "other.idt";  // as the base map chooser sets it
  t.Trigger("WhiteBaseMap");
  EXPECT_EQ(t.workspace_->view.Kind, MapKind::kWhiteMap);
  EXPECT_EQ(t.window_->History().Stack().count(), 0);
}

TEST(UndoTest, AStepIsNamedAfterItsMenuItem) {
  EXPECT_EQ(StepNameOfCaption("表から読み込み... (&B)"), QStringLiteral("表から読み込み"));
  EXPECT_EQ(StepNameOfCaption("境界線の設定(&T)"), QStringLiteral("境界線の設定"));
  EXPECT_EQ(StepNameOfCaption("白地図(データ領域)  (&B)"), QStringLiteral("白地図(データ領域)"));
}

}  // namespace
}  // namespace kartela
