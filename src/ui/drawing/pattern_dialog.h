// TPatternDialog: the brush order of each class count, typed as pattern
// symbols beside two reference pictures of the brushes, and the palette
// option; beside the orders, the colour scheme that fills the classes
// instead of them.
#pragma once

#include <QDialog>
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "model/settings.h"

class QComboBox;
class QLineEdit;
class QRadioButton;

namespace kartela {

class Reporter;

// One order box for each class count 2..8.
inline constexpr int kOrderBoxCount = kMaxClassCount - kMinClassCount + 1;

class TPatternDialog : public QDialog {
  Q_OBJECT

 public:
  explicit TPatternDialog(Reporter& reporter, QWidget* parent = nullptr);

  // Shows each row of `order` as symbols joined by "-", the palette option,
  // and puts the focus on the box of `class_count` (the 8-class box for a
  // count without one).
  void Load(const PatternOrderTable& order, bool use_palette, int class_count);
  // Reads each box into its row of `order`: up to 17 characters are scanned,
  // characters that are no symbol skipped, and entries not reached keep
  // their values.
  void StoreInto(PatternOrderTable& order, std::uint8_t& use_palette) const;

  // The colour scheme stored as `name` is chosen; an empty or unknown name
  // chooses none (the pattern orders fill the classes).
  void LoadScheme(std::string_view name);
  // The name of the chosen scheme, empty for none.
  std::string SchemeName() const;

  // OK refuses a box that Shift-JIS cannot hold, with a message.
  void done(int result) override;

  // Puts brush `brush` in the order box last focused, for the class under
  // its cursor (the first class when the whole text is selected), and moves
  // the cursor on to the next class: clicking swatches one after another
  // fills the classes in turn.
  void PickBrush(int brush);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget* BuildPictures();
  QWidget* BuildOrders();
  QWidget* BuildPalette();
  QWidget* BuildSchemes();
  // The first box whose text has no Shift-JIS form, or nullptr.
  QLineEdit* UnencodableBox() const;

  Reporter& reporter_;
  std::array<QLineEdit*, kOrderBoxCount> orders_{};
  QLineEdit* picking_ = nullptr;  // the order box a clicked swatch goes to
  QRadioButton* use_palette_ = nullptr;
  QRadioButton* no_palette_ = nullptr;
  QComboBox* scheme_ = nullptr;
};

}  // namespace kartela
