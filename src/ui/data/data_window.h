// TDataWindow: the data grid. The window paints the title row and one row
// per area itself and moves two one-line edit boxes over it.
#pragma once

#include <QWidget>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/widgets/app_context.h"

class QLineEdit;
class QScrollBar;

namespace kartela {

// Where the grid puts its rows and boxes. Vertical positions are in content
// pixels: the window shows them less the scroll position.
class DataGridGeometry {
 public:
  DataGridGeometry(const TextMetrics& metrics, int item_length);

  // The row at window y with the grid scrolled by `scroll`; 0 is the title row.
  int RowAt(int y, int scroll) const;
  int RowTop(int row) const;
  int ContentHeight(int area_count) const { return m_.RowH * (area_count + 1); }

  static constexpr int kNameLeft = 5;
  int TitleLabelTop() const { return m_.RowH - m_.FontH; }
  int ValueLeft() const { return (item_length_ + 1) * m_.CharW + 5; }
  int ValueWidth() const { return 10 * m_.CharW; }
  int ValueHeight() const { return m_.FontH; }
  int TitleLeft() const { return 10 * m_.CharW + 5; }
  int TitleTop() const { return (m_.RowH - m_.FontH + 1) / 2; }
  int TitleWidth(int client_width) const { return client_width - TitleLeft() - m_.CharW / 3; }
  int TitleHeight() const { return m_.RowH; }

  // An area name as drawn: at most ItemLength bytes, never ending inside a
  // double-byte character.
  std::string_view CutName(std::string_view name) const;
  // The leader from the end of a drawn name to the value column; none when
  // the name fills the column. `row_top` is the row's top on the window.
  struct Leader {
    int x1 = 0;
    int x2 = 0;
    int y = 0;
  };
  std::optional<Leader> LeaderAfter(std::string_view cut_name, int row_top) const;

  const TextMetrics& metrics() const { return m_; }

 private:
  TextMetrics m_;
  int item_length_;
};

// The current area number as shown in the main window: right-aligned in
// seven byte columns with full-width spaces, then one full-width space
// (UTF-8). Row 0, the title, shows blanks.
std::string RowNumberText(int row);

class TDataWindow : public QWidget {
  Q_OBJECT

 public:
  explicit TDataWindow(AppContext& context, QWidget* parent = nullptr);
  ~TDataWindow() override;

  // Operations the commands call; each acts on the workspace's data set.
  void CommitEdits();     // takes the edit-box texts into the data set
  void LoadEdits();       // puts the data set into the edit boxes
  bool ConfirmDiscard();  // asks before modified data would be lost
  void ClearDataSet();
  bool NewDataForBaseMap();
  bool NewDataForFile(const std::filesystem::path& base_map);
  void SetDataFileName(const std::filesystem::path& path);
  bool OpenDataFile(const std::filesystem::path& path);
  // Shows the data set as a read leaves it: the boxes loaded, the grid at its
  // top, the window active and the title box focused.
  void ShowDataSet();
  // Replaces the data set with `data`, a new data set of the same areas that
  // no file holds yet (a calculated one): modified, without a file name,
  // shown as a read shows it; the map is cleared.
  void ReplaceDataSet(DataSet data);
  // Writes the data file and reports the outcome: the notice, or message 5
  // with its cause.
  Status SaveDataFile(const std::filesystem::path& path);
  // Moves to the next area from `start_row` whose name matches `text`
  // (Shift-JIS): "*x" finds names containing x, "x*" and "x" names beginning
  // with x. The search wraps round to the first area.
  void FindArea(std::string_view text, int start_row);
  // The text of the last search, cut to 21 bytes (Shift-JIS).
  const std::string& LastSearchText() const { return last_search_text_; }
  // Repaints the grid from the data set after another command changed it.
  void Refresh();

  // The keys Enter and Down, and Up: commit the focused box and move it.
  void MoveToNextRow();
  void MoveToPreviousRow();
  void ShowRowNumber(int row);
  // The area row under the value box (1 or more).
  int ValueRow() const { return value_row_; }
  // Whether the value box has the keyboard focus.
  bool ValueBoxFocused() const;
  const DataGridGeometry& Geometry() const { return geometry_; }

 signals:
  // The map window is to be cleared; `keep_background` keeps its picture.
  void ClearMapRequested(bool keep_background);
  // The number of the current area, aligned for the main window's corner.
  void RowNumberChanged(const QString& text);
  // A typed character was refused because Shift-JIS cannot hold it.
  void InputRefused(const QString& message);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;

 private:
  enum class Box { kNone, kTitle, kValue };

  QLineEdit* MakeEdit(const char* name, std::size_t max_bytes);
  void RefuseInput(QLineEdit& edit, const QString& character);
  Box FocusedBox() const;
  void CommitTitle();
  void CommitValue();
  void TakePreedit() const;
  void CommitFocusedBox();
  void MoveBy(Box from, int step);
  void PlaceValueEdit(int row);
  void FocusTitle();
  void FocusValue(int row);
  void ScrollIntoView(int row, bool moving_up);
  void ScrollTo(int position);
  void UpdateScrollRange();
  void PositionEdits();
  int ClientWidth() const;
  int ScrollPosition() const;
  int AreaCount() const;
  void PaintRows(QPainter& painter);
  // The light band behind the name and the value of the current row.
  QColor CurrentRowColour() const;
  void MarkCurrentRow(QPainter& painter, int y);
  void SetCaption(const QString& file_name);
  void ActivateWindow();
  std::optional<std::string> BaseMapReference(const std::filesystem::path& base_map) const;
  // Reads the area list of `path` under the hourglass; message 3 naming
  // `shown_name` when it cannot be read or there is no path.
  bool ReadAreaList(const std::optional<std::filesystem::path>& path,
                    const std::string& shown_name);

  AppContext& context_;
  DataGridGeometry geometry_;
  QScrollBar* scroll_bar_;
  QLineEdit* title_edit_;
  QLineEdit* value_edit_;
  int value_row_ = 1;
  std::string last_search_text_;
};

}  // namespace kartela
