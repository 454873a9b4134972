// TAreaFindDialog: the area name to search for.
#pragma once

#include <QDialog>
#include <cstddef>
#include <string>

class QLineEdit;

namespace kartela {

class Reporter;

class TAreaFindDialog : public QDialog {
  Q_OBJECT

 public:
  explicit TAreaFindDialog(Reporter& reporter, QWidget* parent = nullptr);

  // The text offered in SearchName, Shift-JIS.
  void SetSearchText(const std::string& text);
  // After OK: the text of SearchName, Shift-JIS, at most kMaxSearchBytes.
  const std::string& SearchText() const { return search_text_; }

  // OK takes the text only when Shift-JIS holds it within the limit;
  // otherwise it says why and the dialog stays open.
  void done(int result) override;

  static constexpr std::size_t kMaxSearchBytes = 21;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  bool TakeSearchText();

  Reporter& reporter_;
  QLineEdit* search_name_;
  std::string search_text_;
};

}  // namespace kartela
