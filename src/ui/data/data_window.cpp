#include "ui/data/data_window.h"

#include <QGuiApplication>
#include <QInputMethod>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QToolTip>
#include <algorithm>
#include <utility>

#include "base/text_encoding.h"
#include "gdi/qt/font_substitution.h"
#include "model/base_map_file.h"
#include "model/base_map_reference.h"
#include "model/data_file.h"
#include "model/messages.h"
#include "model/value_syntax.h"
#include "ui/widgets/qt_text.h"
#include "ui/widgets/sjis_validator.h"
#include "ui/widgets/undo_history.h"
#include "ui/widgets/wait_cursor.h"

namespace kartela {
namespace {

constexpr std::size_t kValueEditBytes = 10;
constexpr std::size_t kMaxSearchBytes = 21;
constexpr int kRowNumberColumns = 7;

// "ＭＳ ゴシック" in Shift-JIS.
constexpr std::string_view kGridFace = "\x82\x6c\x82\x72\x20\x83\x53\x83\x56\x83\x62\x83\x4e";
constexpr std::string_view kFullWidthSpace = "\u3000";
constexpr char kDiscardQuestion[] = "現在のデータを破棄してもよいですか？";
constexpr char kConfirmTitle[] = "確認";
// The undo step of a typed title or value.
constexpr char kTypingStep[] = "データの入力";
// Only a text loaded with bytes Shift-JIS does not define can fail to convert
// once typed; it is not taken rather than taken with characters lost.
constexpr char kUnconvertibleText[] =
    "シフト JIS で表せない文字があるため、この欄の文字はデータに取り込めません。";

// A search text split into what a name must hold: "*x" finds x anywhere,
// "x*" and "x" find names beginning with x.
struct AreaPattern {
  std::string_view text;
  bool anywhere = false;
};

AreaPattern ParseSearchText(std::string_view text) {
  if (!text.empty() && text.front() == '*') return {text.substr(1), true};
  return {text.substr(0, text.find('*')), false};
}

// Whether `name` holds `pattern` starting at a character boundary, so that a
// match never pairs the trail byte of one character with the next.
bool ContainsAtCharacter(std::string_view name, std::string_view pattern) {
  for (std::size_t i = 0; i + pattern.size() <= name.size();
       i += sjis::IsLeadByte(static_cast<unsigned char>(name[i])) ? 2 : 1) {
    if (name.compare(i, pattern.size(), pattern) == 0) return true;
  }
  return false;
}

bool Matches(std::string_view name, const AreaPattern& pattern) {
  if (pattern.anywhere) return ContainsAtCharacter(name, pattern.text);
  return name.starts_with(pattern.text);
}

std::optional<int> FindMatch(const std::vector<std::string>& names, const AreaPattern& pattern,
                             int first_row, int last_row) {
  for (int row = first_row; row <= last_row; ++row) {
    if (Matches(names[static_cast<std::size_t>(row - 1)], pattern)) return row;
  }
  return std::nullopt;
}

std::string Repeat(std::string_view text, int count) {
  std::string repeated;
  for (int i = 0; i < count; ++i)
    repeated += text;
  return repeated;
}

}  // namespace

DataGridGeometry::DataGridGeometry(const TextMetrics& metrics, int item_length)
    : m_(metrics), item_length_(std::max(item_length, 0)) {}

int DataGridGeometry::RowAt(int y, int scroll) const {
  return (y + scroll - m_.RowH + m_.FontH) / m_.RowH;
}

int DataGridGeometry::RowTop(int row) const {
  return row * m_.RowH + m_.RowH - m_.FontH;
}

std::string_view DataGridGeometry::CutName(std::string_view name) const {
  return sjis::CutToBytes(name, static_cast<std::size_t>(item_length_));
}

std::optional<DataGridGeometry::Leader> DataGridGeometry::LeaderAfter(std::string_view cut_name,
                                                                      int row_top) const {
  const int length = static_cast<int>(cut_name.size());
  if (length >= item_length_) return std::nullopt;
  const int y = row_top + m_.FontH - 3;
  return Leader{length * m_.CharW + 7, item_length_ * m_.CharW + 7, y};
}

std::string RowNumberText(int row) {
  // The width counts Shift-JIS bytes: a full-width space takes two columns.
  const std::string text = row == 0 ? Repeat(kFullWidthSpace, 3) + " " : std::to_string(row);
  const int length = row == 0 ? kRowNumberColumns : static_cast<int>(text.size());
  const int pad = std::max(kRowNumberColumns - length, 0);
  return Repeat(kFullWidthSpace, pad / 2) + (pad % 2 == 1 ? " " : "") + text +
         std::string(kFullWidthSpace);
}

TDataWindow::TDataWindow(AppContext& context, QWidget* parent)
    : QWidget(parent),
      context_(context),
      geometry_(context.metrics, context.workspace.settings.ItemLength),
      scroll_bar_(new QScrollBar(Qt::Vertical, this)) {
  LogFont grid_font;
  grid_font.Height = context.metrics.FontH;
  grid_font.FaceName = std::string(kGridFace);
  setFont(gdi::MakeQFont(grid_font, 1.0, gdi::InstalledFamilies()));
  setCursor(Qt::IBeamCursor);
  setAttribute(Qt::WA_OpaquePaintEvent);
  SetCaption({});

  scroll_bar_->setSingleStep(context.metrics.RowH);
  scroll_bar_->setCursor(Qt::ArrowCursor);
  connect(scroll_bar_, &QScrollBar::valueChanged, this, [this] {
    PositionEdits();
    update();
  });

  title_edit_ = MakeEdit("TitleEdit", kMaxTitleBytes);
  value_edit_ = MakeEdit("ValueEdit", kValueEditBytes);
  value_edit_->setFrame(false);
  // The value box sits on the current row and shows its band.
  QPalette value_palette = value_edit_->palette();
  value_palette.setColor(QPalette::Base, CurrentRowColour());
  value_edit_->setPalette(value_palette);
  LoadEdits();
}

TDataWindow::~TDataWindow() {
  // The boxes outlive this part of the window; their last focus change must
  // not reach the data set.
  title_edit_->removeEventFilter(this);
  value_edit_->removeEventFilter(this);
}

QLineEdit* TDataWindow::MakeEdit(const char* name, std::size_t max_bytes) {
  auto* edit = new QLineEdit(this);
  edit->setObjectName(QString::fromLatin1(name));
  edit->setFocusPolicy(Qt::ClickFocus);  // moved by the grid's keys, not by Tab
  edit->setCursor(Qt::IBeamCursor);
  // The value box (the one of kValueEditBytes) measures a number as committed.
  auto* validator = new SjisValidator(max_bytes, max_bytes == kValueEditBytes, edit);
  edit->setValidator(validator);
  edit->installEventFilter(this);
  connect(edit, &QLineEdit::inputRejected, this,
          [this, edit, validator] { RefuseInput(*edit, validator->RefusalMessage()); });
  // Typing not yet taken can be undone as well.
  connect(edit, &QLineEdit::textEdited, this, [this] {
    if (context_.undo != nullptr) context_.undo->NotePendingEdits();
  });
  return edit;
}

void TDataWindow::RefuseInput(QLineEdit& edit, const QString& message) {
  emit InputRefused(message);
  if (edit.isVisible())
    QToolTip::showText(edit.mapToGlobal(QPoint(0, edit.height())), message, &edit);
}

int TDataWindow::AreaCount() const {
  return context_.workspace.area_list.AreaCount();
}

int TDataWindow::ScrollPosition() const {
  return scroll_bar_->value();
}

int TDataWindow::ClientWidth() const {
  return width() - scroll_bar_->width();
}

TDataWindow::Box TDataWindow::FocusedBox() const {
  if (title_edit_->hasFocus()) return Box::kTitle;
  if (value_edit_->hasFocus()) return Box::kValue;
  return Box::kNone;
}

bool TDataWindow::ValueBoxFocused() const {
  return FocusedBox() == Box::kValue;
}

// --- Taking the boxes into the data set ---

void TDataWindow::CommitTitle() {
  DataSet& data = context_.workspace.data;
  const QString text = title_edit_->text();
  const auto title = SjisText(text);
  if (!title) {
    // Only a title loaded with bytes Shift-JIS does not define gets here.
    if (text != ShownText(data.DataTitle)) RefuseInput(*title_edit_, kUnconvertibleText);
    return;
  }
  std::string cut(sjis::CutToBytes(*title, kMaxTitleBytes));
  if (cut == data.DataTitle) return;
  RecordChange(context_.undo, kTypingStep, kPartData, [&] {
    data.DataTitle = std::move(cut);
    data.DataModified = true;
  });
}

void TDataWindow::CommitValue() {
  DataSet& data = context_.workspace.data;
  const auto index = static_cast<std::size_t>(value_row_ - 1);
  if (index >= data.DataValues.size()) return;
  std::string& stored = data.DataValues[index];
  const QString text = value_edit_->text();
  auto value = SjisText(text);
  if (!value) {
    if (text != ShownText(stored)) RefuseInput(*value_edit_, kUnconvertibleText);
    return;
  }
  TrimComment(*value);  // "12 ; remark" is the value 12
  *value = NormalizeTypedNumber(*value);
  std::string cut(sjis::CutToBytes(*value, kMaxValueBytes));
  if (cut == stored) return;
  RecordChange(context_.undo, kTypingStep, kPartData, [&] {
    data.DataValues[index] = std::move(cut);
    data.DataModified = true;
  });
}

void TDataWindow::TakePreedit() const {
  // A text still being composed in an input method belongs to what is typed.
  if (FocusedBox() != Box::kNone) QGuiApplication::inputMethod()->commit();
}

void TDataWindow::CommitFocusedBox() {
  TakePreedit();
  switch (FocusedBox()) {
    case Box::kTitle:
      CommitTitle();
      break;
    case Box::kValue:
      CommitValue();
      break;
    case Box::kNone:
      break;
  }
}

void TDataWindow::CommitEdits() {
  TakePreedit();
  CommitTitle();
  CommitValue();
}

void TDataWindow::LoadEdits() {
  title_edit_->setText(ShownText(context_.workspace.data.DataTitle));
  // Data with fewer areas than the row the box was on start it on the first.
  PlaceValueEdit(value_row_ > AreaCount() ? 1 : value_row_);
  value_edit_->setVisible(AreaCount() > 0);
}

void TDataWindow::PlaceValueEdit(int row) {
  value_row_ = std::max(row, 1);
  const auto& values = context_.workspace.data.DataValues;
  const auto index = static_cast<std::size_t>(value_row_ - 1);
  value_edit_->setText(index < values.size() ? ShownText(values[index]) : QString());
  PositionEdits();
  update();  // the band follows the row
}

void TDataWindow::PositionEdits() {
  const int scroll = ScrollPosition();
  title_edit_->setGeometry(geometry_.TitleLeft(), geometry_.TitleTop() - scroll,
                           std::max(geometry_.TitleWidth(ClientWidth()), 0),
                           geometry_.TitleHeight());
  value_edit_->setGeometry(geometry_.ValueLeft(), geometry_.RowTop(value_row_) - scroll,
                           geometry_.ValueWidth(), geometry_.ValueHeight());
}

void TDataWindow::FocusTitle() {
  title_edit_->setFocus(Qt::OtherFocusReason);
  ShowRowNumber(0);
}

void TDataWindow::FocusValue(int row) {
  value_edit_->setFocus(Qt::OtherFocusReason);
  ShowRowNumber(row);
}

// --- Scrolling ---

void TDataWindow::UpdateScrollRange() {
  const int client_height = height();
  scroll_bar_->setRange(0, std::max(geometry_.ContentHeight(AreaCount()) - client_height, 0));
  scroll_bar_->setPageStep(std::max(client_height, 1));
}

void TDataWindow::ScrollTo(int position) {
  scroll_bar_->setValue(position);
}

// One row step at a time: down while the row is below the last visible row,
// up while it is above the first. Each loop moves one way only and stops at
// its end of the range. In a grid shorter than one row the two rules
// overlap: the loop in the direction of the move runs first, the other one
// then steps back once, so the row is in view and nothing swings.
void TDataWindow::ScrollIntoView(int row, bool moving_up) {
  const int row_h = context_.metrics.RowH;
  const int top = scroll_bar_->minimum();
  const int bottom = scroll_bar_->maximum();
  const auto first_visible = [&](int scroll) {
    return scroll / row_h + (moving_up && scroll % row_h != 0 ? 1 : 0);
  };
  const auto last_visible = [&](int scroll) {
    return first_visible(scroll) + height() / row_h - 1;
  };
  int scroll = ScrollPosition();
  const auto scroll_down = [&] {
    while (row > last_visible(scroll) && scroll < bottom)
      scroll = std::min(scroll + row_h, bottom);
  };
  const auto scroll_up = [&] {
    while (row < first_visible(scroll) && scroll > top)
      scroll = std::max(scroll - row_h, top);
  };
  if (moving_up) {
    scroll_up();
    scroll_down();
  } else {
    scroll_down();
    scroll_up();
  }
  ScrollTo(scroll);
}

void TDataWindow::Refresh() {
  UpdateScrollRange();
  PositionEdits();
  update();
}

// --- Moving between rows ---

void TDataWindow::MoveToNextRow() {
  MoveBy(FocusedBox(), 1);
}

void TDataWindow::MoveToPreviousRow() {
  MoveBy(FocusedBox(), -1);
}

void TDataWindow::MoveBy(Box from, int step) {
  if (AreaCount() == 0 || from == Box::kNone) return;
  CommitFocusedBox();
  const int row = from == Box::kTitle ? 0 : value_row_;
  const int target = std::clamp(row + step, 0, AreaCount());
  ScrollIntoView(target, step < 0);
  if (target == 0) {
    title_edit_->setText(ShownText(context_.workspace.data.DataTitle));
    FocusTitle();
  } else {
    PlaceValueEdit(target);
    FocusValue(target);
  }
}

void TDataWindow::ShowRowNumber(int row) {
  emit RowNumberChanged(QString::fromStdString(RowNumberText(row)));
}

// --- Data-set operations ---

bool TDataWindow::ConfirmDiscard() {
  CommitEdits();
  DataSet& data = context_.workspace.data;
  const auto values_end =
      data.DataValues.begin() + std::min<std::ptrdiff_t>(AreaCount(), data.DataValues.size());
  // A title alone is never worth the question.
  if (std::all_of(data.DataValues.begin(), values_end, [](const auto& v) { return v.empty(); })) {
    data.DataModified = false;
  }
  if (!data.DataModified) return true;
  return context_.reporter.AskOkCancel(kDiscardQuestion, kConfirmTitle);
}

void TDataWindow::ClearDataSet() {
  DataSet& data = context_.workspace.data;
  data.DataTitle.clear();
  data.DataValues.assign(kMaxAreas, std::string());
  data.DataNotes.clear();
  LoadEdits();
  data.DataModified = false;
  data.DataFileName.clear();
  data.DataReadAsUtf8 = false;
  ForgetHistory(context_.undo);  // new data: nothing before them comes back
  emit ClearMapRequested(false);
  ScrollTo(0);
  Refresh();
  SetCaption({});
  FocusTitle();
}

bool TDataWindow::NewDataForBaseMap() {
  const std::string& base_map = context_.workspace.settings.BaseMapFile;
  AreaList& areas = context_.workspace.area_list;
  if (areas.CurrentBaseMapFile != base_map) {
    const auto found = FindBaseMap(base_map, context_.paths.ProgramDir);
    const auto path = found ? std::optional(found->path) : std::nullopt;
    if (!ReadAreaList(path, sjis::ToUtf8Lossy(base_map))) return false;
  }
  areas.CurrentBaseMapFile = base_map;
  ClearDataSet();
  return true;
}

bool TDataWindow::NewDataForFile(const std::filesystem::path& base_map) {
  const auto reference = BaseMapReference(base_map);
  const auto readable = reference ? std::optional(base_map) : std::nullopt;
  if (!ReadAreaList(readable, DisplayPath(base_map))) return false;
  context_.workspace.area_list.CurrentBaseMapFile = *reference;
  ClearDataSet();
  return true;
}

std::optional<std::string> TDataWindow::BaseMapReference(
    const std::filesystem::path& base_map) const {
  // A base map beside the program is named by its file name, as the default
  // base map is, so the reference reads the same wherever the program lies.
  const auto in_directory = (base_map.parent_path() / "").lexically_normal();
  const auto program_dir = (context_.paths.ProgramDir / "").lexically_normal();
  return sjis::FromUtf8(DisplayPath(in_directory == program_dir ? base_map.filename() : base_map));
}

bool TDataWindow::ReadAreaList(const std::optional<std::filesystem::path>& path,
                               const std::string& shown_name) {
  // No path: no file was found, or its name has no form the file system takes.
  Status read{StatusCode::kNotFound, std::string(kBaseMapNotFoundReason)};
  if (path) {
    WaitCursor wait;
    read = ReadBaseMapHeader(*path, context_.workspace.area_list);
  }
  if (read.ok()) return true;
  ShowMessageWithReason(context_.reporter, kMsgIdtReadFailed, shown_name, read.detail());
  return false;
}

void TDataWindow::SetDataFileName(const std::filesystem::path& path) {
  LoadEdits();
  context_.workspace.data.DataModified = false;
  context_.workspace.data.DataFileName = path;
  SetCaption(QString::fromStdString(DisplayPath(path.filename())));
}

bool TDataWindow::OpenDataFile(const std::filesystem::path& path) {
  bool ok;
  {
    WaitCursor wait;
    Workspace& workspace = context_.workspace;
    ok = ReadDataFile(path, context_.paths.ProgramDir, workspace.area_list, workspace.data,
                      context_.reporter);
  }
  if (ok) SetDataFileName(path);
  ForgetHistory(context_.undo);
  emit ClearMapRequested(false);
  ShowDataSet();
  return ok;
}

void TDataWindow::ShowDataSet() {
  LoadEdits();
  ScrollTo(0);
  Refresh();
  ActivateWindow();
  FocusTitle();
}

void TDataWindow::ReplaceDataSet(DataSet data) {
  data.DataFileName.clear();
  data.DataModified = true;
  data.DataReadAsUtf8 = false;
  context_.workspace.data = std::move(data);
  SetCaption({});
  emit ClearMapRequested(false);
  ShowDataSet();
}

Status TDataWindow::SaveDataFile(const std::filesystem::path& path) {
  CommitEdits();
  Status written;
  {
    WaitCursor wait;
    written = WriteDataFile(path, context_.workspace.area_list, context_.workspace.data);
  }
  if (!written.ok()) {
    ShowSaveFailure(context_.reporter, written);
    return written;
  }
  SetDataFileName(path);
  context_.reporter.ShowNotice(
      DataSavedNotice(context_.workspace.area_list, context_.workspace.data));
  context_.workspace.data.DataReadAsUtf8 = false;
  return written;
}

void TDataWindow::FindArea(std::string_view text, int start_row) {
  last_search_text_ = std::string(sjis::CutToBytes(text, kMaxSearchBytes));
  const AreaPattern pattern = ParseSearchText(text);
  if (pattern.text.empty()) return;
  const auto& names = context_.workspace.area_list.AreaNames;
  const int count = AreaCount();
  auto row = FindMatch(names, pattern, std::max(start_row, 1), count);
  if (!row) row = FindMatch(names, pattern, 1, count);
  if (!row) {
    ShowMessage(context_.reporter, kMsgSearchNotFound);
    return;
  }
  CommitEdits();  // the box leaves its row: keep what was typed there
  ScrollIntoView(*row, false);
  PlaceValueEdit(*row);
  FocusValue(*row);
}

void TDataWindow::SetCaption(const QString& file_name) {
  setWindowTitle(file_name.isEmpty() ? QStringLiteral("データ")
                                     : QStringLiteral("データ ") + file_name);
}

void TDataWindow::ActivateWindow() {
  auto* frame = qobject_cast<QMdiSubWindow*>(parentWidget());
  if (frame != nullptr && frame->mdiArea() != nullptr) frame->mdiArea()->setActiveSubWindow(frame);
}

// --- Events ---

bool TDataWindow::eventFilter(QObject* watched, QEvent* event) {
  const Box box = watched == title_edit_   ? Box::kTitle
                  : watched == value_edit_ ? Box::kValue
                                           : Box::kNone;
  if (box == Box::kNone) return QWidget::eventFilter(watched, event);
  const bool key_event =
      event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress;
  if (key_event && context_.undo != nullptr && IsHistoryKey(*static_cast<QKeyEvent*>(event))) {
    // The history's undo, which takes what was typed first, rather than the
    // box's own: the shortcut when the window is active, the key otherwise.
    if (event->type() == QEvent::KeyPress) context_.undo->RunKey(*static_cast<QKeyEvent*>(event));
    return true;
  }
  if (event->type() == QEvent::KeyPress) {
    switch (static_cast<QKeyEvent*>(event)->key()) {
      case Qt::Key_Return:
      case Qt::Key_Enter:
      case Qt::Key_Down:
        MoveBy(box, 1);
        return true;
      case Qt::Key_Up:
        MoveBy(box, -1);
        return true;
      default:
        break;
    }
  } else if (event->type() == QEvent::FocusOut) {
    // Reads the committed text only: a preedit string stays in the box.
    box == Box::kTitle ? CommitTitle() : CommitValue();
  }
  return QWidget::eventFilter(watched, event);
}

void TDataWindow::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  painter.fillRect(rect(), palette().color(QPalette::Base));
  if (context_.layout_pending) return;  // the main window repaints after its layout
  painter.setPen(palette().color(QPalette::WindowText));
  painter.setFont(font());
  const int ascent = painter.fontMetrics().ascent();
  painter.drawText(DataGridGeometry::kNameLeft,
                   geometry_.TitleLabelTop() - ScrollPosition() + ascent,
                   QStringLiteral("タイトル："));
  PaintRows(painter);
}

void TDataWindow::PaintRows(QPainter& painter) {
  const int scroll = ScrollPosition();
  const int ascent = painter.fontMetrics().ascent();
  const auto& names = context_.workspace.area_list.AreaNames;
  const auto& values = context_.workspace.data.DataValues;
  const int first = std::max(geometry_.RowAt(0, scroll), 1);
  const int last = std::min(geometry_.RowAt(height(), scroll) + 1, AreaCount());
  for (int row = first; row <= last; ++row) {
    const auto index = static_cast<std::size_t>(row - 1);
    const int top = geometry_.RowTop(row);
    const int y = top - scroll;
    if (row == value_row_) MarkCurrentRow(painter, y);
    const std::string_view name = geometry_.CutName(names[index]);
    painter.drawText(DataGridGeometry::kNameLeft, y + ascent, ShownText(name));
    if (const auto leader = geometry_.LeaderAfter(name, y)) {
      // The end point is not drawn, as a GDI line leaves it.
      painter.drawLine(leader->x1, leader->y, leader->x2 - 1, leader->y);
    }
    if (index < values.size())
      painter.drawText(geometry_.ValueLeft(), y + ascent, ShownText(values[index]));
  }
}

QColor TDataWindow::CurrentRowColour() const {
  const QColor base = palette().color(QPalette::Base);
  const QColor highlight = palette().color(QPalette::Highlight);
  // One part highlight to four parts background: light enough for black text.
  const auto mix = [](int b, int h) { return (4 * b + h) / 5; };
  return QColor(mix(base.red(), highlight.red()), mix(base.green(), highlight.green()),
                mix(base.blue(), highlight.blue()));
}

// A band a row high, centred on the row's text, from the left edge to the
// end of the value column.
void TDataWindow::MarkCurrentRow(QPainter& painter, int y) {
  const TextMetrics& m = context_.metrics;
  painter.fillRect(0, y - (m.RowH - m.FontH) / 2, geometry_.ValueLeft() + geometry_.ValueWidth(),
                   m.RowH, CurrentRowColour());
}

void TDataWindow::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  const int bar_width = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, scroll_bar_);
  scroll_bar_->setGeometry(width() - bar_width, 0, bar_width, height());
  UpdateScrollRange();
  ScrollTo(0);
  PositionEdits();
}

void TDataWindow::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  CommitFocusedBox();
  const QPoint at = event->position().toPoint();
  const int row = geometry_.RowAt(at.y(), ScrollPosition());
  if (row > AreaCount()) return;
  if (row >= 1) {
    PlaceValueEdit(row);
    FocusValue(row);
    // The caret goes where the user clicked.
    const int x = std::max(at.x() - value_edit_->x(), 0);
    value_edit_->setCursorPosition(value_edit_->cursorPositionAt(QPoint(x, 0)));
  } else {
    title_edit_->setText(ShownText(context_.workspace.data.DataTitle));
    FocusTitle();
  }
}

void TDataWindow::wheelEvent(QWheelEvent* event) {
  QCoreApplication::sendEvent(scroll_bar_, event);
}

}  // namespace kartela
