// The boxes the settings dialogs share: the font face and size of a font
// record, the two offsets of a position, and the OK and Cancel buttons; with
// the conversions of what the user types into them.
#pragma once

#include <QDialog>
#include <QDialogButtonBox>  // callers add the buttons as a widget
#include <QString>
#include <QStringList>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>

#include "model/log_font.h"
#include "ui/widgets/checked_dialog.h"

class QComboBox;
class QFormLayout;
class QLineEdit;

namespace kartela {

class Reporter;
struct Settings;

// The largest size the size box takes: the largest character the drawing makes.
inline constexpr double kMaxFontSize = 4096;

// The faces the face box offers: first the Windows Japanese faces the font
// records use (drawn with an installed substitute), then the `installed`
// families (UTF-8); each once, and only those a record can hold.
QStringList FontFaceChoices(std::span<const std::string> installed);

// The ten sizes the size boxes offer.
QStringList SizeChoices();

// How a message names the character UnstorableSettingCharacter found:
// "「;」", "「,」", "先頭や末尾の空白", "改行".
QString SettingCharacterName(char character);

// Why the typed face `text` cannot go into a font record (no Shift-JIS form,
// a character the settings file cannot hold in a face name, or longer than
// kMaxFaceNameBytes); empty when it can.
QString FaceRefusal(const QString& text);

// The font height of the typed size `text`: −Round(s) for a real s of at most
// kMaxFontSize either side of 0; nothing when the text does not convert.
std::optional<std::int32_t> FontHeightOfSize(const QString& text);

// The typed offset `text` as a whole number in the 16-bit range of the
// settings; nothing when it does not convert.
std::optional<std::int16_t> OffsetOfText(const QString& text);

// The largest margin (millimetres) and copy count the print dialogs take.
inline constexpr std::int32_t kMaxMarginMillimetres = 999;
inline constexpr std::int32_t kMaxCopies = 999;

// Has `dialog` check `box`, read by its leading whole number ("15mm" is 15)
// as the print values always were, for a number from `low` to `high`.
void CheckLeadingWholeNumber(CheckedDialog& dialog, QLineEdit& box, const QString& label,
                             std::int32_t low, std::int32_t high);

// Has `dialog` check the four margin boxes of a print dialog (left, right,
// top, bottom), named "余白（左）" and so on.
void CheckMarginBoxes(CheckedDialog& dialog, std::span<QLineEdit* const, 4> margins);

// What the reference value box of the circle map and the picture graph takes.
QString ReferenceValueRange();

// OK (the default button, also taken by Enter) and Cancel, wired to accept
// and reject `dialog`.
QDialogButtonBox* OkCancelButtons(QDialog& dialog);

// Makes `dialog` at least wide enough for its whole caption beside the title
// bar's icon and buttons; a dialog of a few buttons would cut it.
void KeepCaptionWhole(QDialog& dialog);

// The face box `FontType` and the size box `FontSize`, each on a row of
// `form` under the labels "フォント：" and "サイズ："; `dialog` refuses a size
// that does not convert.
class FontBoxes {
 public:
  FontBoxes(CheckedDialog& dialog, QFormLayout& form);

  // Shows the face and the size (the negated height) of `font`.
  void Load(const LogFont& font);
  // True when the typed face can be stored; otherwise shows why, puts the
  // focus on the face box and returns false.
  bool AcceptFace(Reporter& reporter) const;
  // The face, when it can be stored, and the size, when it converts
  // (height −Round(s), width 0).
  void StoreInto(LogFont& font) const;

 private:
  QComboBox* font_type_;
  QComboBox* font_size_;
};

// The offset boxes `XPos` and `YPos` on two rows of `form`; `dialog` refuses
// an offset that does not convert.
class OffsetBoxes {
 public:
  OffsetBoxes(CheckedDialog& dialog, QFormLayout& form, const QString& x_label,
              const QString& y_label);

  void Load(std::int16_t x, std::int16_t y);
  // Each offset whose box converts; a box that does not keeps its value.
  void StoreInto(std::int16_t& x, std::int16_t& y) const;
  // Focuses the x box with its text selected, so that typing replaces it.
  void FocusX();

 private:
  QLineEdit* x_pos_;
  QLineEdit* y_pos_;
};

// A settings dialog with the face and size boxes of one font record. It shows
// the settings it edits on Load and gives them back on StoreInto; OK refuses
// a face the font record cannot hold, with a message.
class FontSettingsDialog : public CheckedDialog {
  Q_OBJECT

 public:
  ~FontSettingsDialog() override;

  virtual void Load(const Settings& settings) = 0;
  // Stores what the boxes hold; a value that does not convert keeps its
  // setting.
  virtual void StoreInto(Settings& settings) const = 0;

  void done(int result) override;

 protected:
  FontSettingsDialog(Reporter& reporter, const char* object_name, const char* caption,
                     QWidget* parent);
  // Puts the face and size boxes on two rows of `form`.
  void AddFontBoxes(QFormLayout& form);
  FontBoxes& font() const { return *font_; }

 private:
  std::unique_ptr<FontBoxes> font_;
};

}  // namespace kartela
