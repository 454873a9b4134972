#include "ui/widgets/text_boxes.h"

#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>
#include <cmath>
#include <limits>

#include "base/numbers.h"
#include "base/real48.h"
#include "base/text_encoding.h"
#include "gdi/qt/font_substitution.h"
#include "model/reporter.h"
#include "model/settings.h"
#include "model/settings_file.h"
#include "model/symbol_settings.h"
#include "ui/widgets/qt_text.h"

namespace kartela {
namespace {

// The faces the font records of the settings and map documents name.
constexpr const char* kWindowsJapaneseFaces[] = {"ＭＳ 明朝", "ＭＳ ゴシック", "ＭＳ Ｐ明朝",
                                                 "ＭＳ Ｐゴシック"};

// A combo box that takes typed text besides its choices, without adding
// what is typed to them.
QComboBox* EditableChoices(QDialog& dialog, const QString& object_name, const QStringList& items) {
  auto* box = new QComboBox(&dialog);
  box->setObjectName(object_name);
  box->setEditable(true);
  box->setInsertPolicy(QComboBox::NoInsert);
  box->addItems(items);
  return box;
}

// Selects the choice `text`, or shows it typed when it is none of them.
void SelectOrType(QComboBox& box, const QString& text) {
  const int index = box.findText(text);
  if (index >= 0) {
    box.setCurrentIndex(index);
  } else {
    box.setEditText(text);
  }
}

QLineEdit* OffsetBox(QDialog& dialog, const QString& object_name) {
  auto* box = new QLineEdit(&dialog);
  box->setObjectName(object_name);
  box->setAlignment(Qt::AlignRight);
  return box;
}

void StoreOffset(const QLineEdit& box, std::int16_t& offset) {
  if (const auto value = OffsetOfText(box.text())) offset = *value;
}

}  // namespace

QStringList SizeChoices() {
  QStringList sizes;
  for (const std::string_view size : FontSizeChoices)
    sizes << QString::fromLatin1(size.data(), static_cast<qsizetype>(size.size()));
  return sizes;
}

QStringList FontFaceChoices(std::span<const std::string> installed) {
  QStringList faces;
  const auto offer = [&faces](const QString& face) {
    if (!faces.contains(face) && FaceRefusal(face).isEmpty()) faces << face;
  };
  for (const char* face : kWindowsJapaneseFaces)
    offer(QString::fromUtf8(face));
  for (const std::string& family : installed)
    offer(QString::fromStdString(family));
  return faces;
}

QString SettingCharacterName(char character) {
  switch (character) {
    case ' ':
    case '\t':
      return "先頭や末尾の空白";
    case '\r':
    case '\n':
      return "改行";
    default:
      return QString("「%1」").arg(QLatin1Char(character));
  }
}

QString FaceRefusal(const QString& text) {
  const std::optional<std::string> face = sjis::FromUtf8(text.toStdString());
  if (!face) return QString("フォント名「%1」には Shift-JIS で表せない文字があります。").arg(text);
  if (const char stop = UnstorableSettingCharacter(*face, SettingText::kFaceName)) {
    return QString("フォント名「%1」は%2を含むため、設定ファイルに保存できません。")
        .arg(text, SettingCharacterName(stop));
  }
  if (face->size() > kMaxFaceNameBytes) {
    return QString("フォント名「%1」が長すぎます。Shift-JIS で %2 バイトまでです。")
        .arg(text)
        .arg(kMaxFaceNameBytes);
  }
  return {};
}

std::optional<std::int32_t> FontHeightOfSize(const QString& text) {
  bool ok = false;
  const double size = text.trimmed().toDouble(&ok);
  if (!ok || !std::isfinite(size) || std::fabs(size) > kMaxFontSize) return std::nullopt;
  return static_cast<std::int32_t>(-RoundHalfEven(size));
}

std::optional<std::int16_t> OffsetOfText(const QString& text) {
  bool ok = false;
  const int value = text.trimmed().toInt(&ok, 10);
  if (!ok || value < std::numeric_limits<std::int16_t>::min() ||
      value > std::numeric_limits<std::int16_t>::max()) {
    return std::nullopt;
  }
  return static_cast<std::int16_t>(value);
}

void CheckLeadingWholeNumber(CheckedDialog& dialog, QLineEdit& box, const QString& label,
                             std::int32_t low, std::int32_t high) {
  dialog.CheckNumberBox(box, label, WholeNumberRange(low, high), [low, high](const QString& text) {
    const std::optional<std::int32_t> value = FindLeadingInt(text.toStdString());
    return value && *value >= low && *value <= high;
  });
}

void CheckMarginBoxes(CheckedDialog& dialog, std::span<QLineEdit* const, 4> margins) {
  constexpr const char* kSides[] = {"左", "右", "上", "下"};
  for (std::size_t i = 0; i < margins.size(); ++i) {
    CheckLeadingWholeNumber(dialog, *margins[i], QString("余白（%1）").arg(kSides[i]), 0,
                            kMaxMarginMillimetres);
  }
}

QString ReferenceValueRange() {
  return QString("0 でも基底値でもない数値（%1 バイトまで）").arg(kMaxRefValueTextBytes);
}

QDialogButtonBox* OkCancelButtons(QDialog& dialog) {
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
  buttons->button(QDialogButtonBox::Ok)->setDefault(true);
  buttons->button(QDialogButtonBox::Cancel)->setText("キャンセル");
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  return buttons;
}

FontBoxes::FontBoxes(CheckedDialog& dialog, QFormLayout& form)
    : font_type_(EditableChoices(dialog, "FontType", FontFaceChoices(gdi::InstalledFamilies()))),
      font_size_(EditableChoices(dialog, "FontSize", SizeChoices())) {
  form.addRow("フォント：", font_type_);
  form.addRow("サイズ：", font_size_);
  dialog.CheckNumberBox(*font_size_->lineEdit(), "サイズ",
                        QString("%1～%2 の数値").arg(-kMaxFontSize).arg(kMaxFontSize),
                        [](const QString& text) { return FontHeightOfSize(text).has_value(); });
}

void FontBoxes::Load(const LogFont& font) {
  SelectOrType(*font_type_, ShownText(font.FaceName));
  SelectOrType(*font_size_, QString::number(-static_cast<std::int64_t>(font.Height)));
}

bool FontBoxes::AcceptFace(Reporter& reporter) const {
  const QString refusal = FaceRefusal(font_type_->currentText());
  if (refusal.isEmpty()) return true;
  ShowWarning(reporter, refusal.toStdString());
  font_type_->setFocus();
  return false;
}

void FontBoxes::StoreInto(LogFont& font) const {
  const std::optional<std::string> face = sjis::FromUtf8(font_type_->currentText().toStdString());
  if (face && face->size() <= kMaxFaceNameBytes) font.FaceName = *face;
  if (const auto height = FontHeightOfSize(font_size_->currentText())) {
    font.Height = *height;
    font.Width = 0;
  }
}

OffsetBoxes::OffsetBoxes(CheckedDialog& dialog, QFormLayout& form, const QString& x_label,
                         const QString& y_label)
    : x_pos_(OffsetBox(dialog, "XPos")), y_pos_(OffsetBox(dialog, "YPos")) {
  form.addRow(x_label, x_pos_);
  form.addRow(y_label, y_pos_);
  const QString range = WholeNumberRange(std::numeric_limits<std::int16_t>::min(),
                                         std::numeric_limits<std::int16_t>::max());
  const auto converts = [](const QString& text) { return OffsetOfText(text).has_value(); };
  dialog.CheckNumberBox(*x_pos_, x_label, range, converts);
  dialog.CheckNumberBox(*y_pos_, y_label, range, converts);
}

void OffsetBoxes::Load(std::int16_t x, std::int16_t y) {
  x_pos_->setText(QString::number(x));
  y_pos_->setText(QString::number(y));
}

void OffsetBoxes::FocusX() {
  x_pos_->setFocus();
  x_pos_->selectAll();
}

void OffsetBoxes::StoreInto(std::int16_t& x, std::int16_t& y) const {
  StoreOffset(*x_pos_, x);
  StoreOffset(*y_pos_, y);
}

FontSettingsDialog::FontSettingsDialog(Reporter& reporter, const char* object_name,
                                       const char* caption, QWidget* parent)
    : CheckedDialog(reporter, parent) {
  setObjectName(object_name);
  setWindowTitle(caption);
}

FontSettingsDialog::~FontSettingsDialog() = default;

void FontSettingsDialog::AddFontBoxes(QFormLayout& form) {
  font_ = std::make_unique<FontBoxes>(*this, form);
}

void FontSettingsDialog::done(int result) {
  if (result == Accepted && !font_->AcceptFace(reporter())) return;
  CheckedDialog::done(result);
}

void KeepCaptionWhole(QDialog& dialog) {
  // The room the title bar takes beside the caption: icon and frame buttons.
  constexpr int kCaptionMargin = 160;
  dialog.setMinimumWidth(
      std::max(dialog.minimumWidth(),
               dialog.fontMetrics().horizontalAdvance(dialog.windowTitle()) + kCaptionMargin));
}

}  // namespace kartela
