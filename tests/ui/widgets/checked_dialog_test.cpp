#include "ui/widgets/checked_dialog.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <filesystem>
#include <functional>
#include <memory>
#include <span>
#include <string>

#include "model/settings.h"
#include "model/test_support.h"
#include "ui/drawing/decor_font_dialog.h"
#include "ui/drawing/draw_pos_dialog.h"
#include "ui/drawing/draw_size_dialog.h"
#include "ui/drawing/index_pos_dialog.h"
#include "ui/drawing/sep_num_dialog.h"
#include "ui/drawing/title_pos_dialog.h"
#include "ui/pictures/glyph_info_dialog.h"
#include "ui/printing/data_print_dialog.h"
#include "ui/printing/map_print_dialog.h"
#include "ui/settings/item_len_dialog.h"

namespace kartela {
namespace {

using DialogMaker = std::function<std::unique_ptr<CheckedDialog>(Reporter&)>;

// A font dialog showing the settings of a fresh installation.
template <typename Dialog>
DialogMaker FontDialog() {
  return [](Reporter& reporter) {
    auto dialog = std::make_unique<Dialog>(reporter);
    const Settings fresh;
    dialog->Load(fresh);
    return dialog;
  };
}

// The picture graph's dialog with the height 20, the reference value 75 and
// the base value 50.
DialogMaker GlyphDialog() {
  return [](Reporter& reporter) {
    auto dialog = std::make_unique<TGlyphInfoDialog>(reporter, std::filesystem::path());
    PictureFields fields;
    fields.Radius = "20";
    fields.RefValue = "75";
    fields.BaseValue = "50";
    dialog->SetFields(fields);
    return dialog;
  };
}

// The print dialogs showing the values of a fresh start.
std::unique_ptr<CheckedDialog> MapPrintDialog(Reporter& reporter) {
  auto dialog = std::make_unique<TMapPrintDialog>(reporter);
  dialog->Load(output::PrinterSettings{}, false);
  return dialog;
}
std::unique_ptr<CheckedDialog> DataPrintDialog(Reporter& reporter) {
  auto dialog = std::make_unique<TDataPrintDialog>(reporter, std::span<const std::string>());
  dialog->Load(PrintSettings{});
  return dialog;
}

// The line edit of the box `name`, which may be an editable combo box.
QLineEdit& EditOf(QDialog& dialog, const char* name) {
  if (auto* combo = dialog.findChild<QComboBox*>(name)) return *combo->lineEdit();
  auto* box = dialog.findChild<QLineEdit*>(name);
  EXPECT_NE(box, nullptr) << name;
  return *box;
}

struct RefusalCase {
  const char* box;
  const char* typed;
  const char* reason;
  const char* corrected;
  DialogMaker make;
};

// Every number box of the settings dialogs: a text that does not convert is
// refused with message 13 and a line naming the box and its range, the
// dialog stays open with the box selected, and the corrected text is taken.
TEST(CheckedDialogTest, ANumberThatDoesNotConvertIsNamedAndTheDialogStaysOpen) {
  const RefusalCase cases[] = {
      {"XPos", "abc", "「Ｘ座標」には -32768～32767 の整数を入力してください。", "-3",
       [](Reporter& reporter) {
         auto dialog = std::make_unique<TDrawPosDialog>(reporter);
         dialog->Load(0, 0);
         return dialog;
       }},
      {"YPos", "1e9", "「Ｙ方向移動量」には -32768～32767 の整数を入力してください。", "40",
       FontDialog<TIndexPosDialog>()},
      {"YPos", "40000", "「Ｙ座標」には -32768～32767 の整数を入力してください。", "4",
       FontDialog<TTitlePosDialog>()},
      {"FontSize", "大きく", "「サイズ」には -4096～4096 の数値を入力してください。", "12",
       FontDialog<TTitlePosDialog>()},
      {"FontSize", "", "「サイズ」には -4096～4096 の数値を入力してください。", "9.5",
       FontDialog<TDecorFontDialog>()},
      {"Num", "9", "「区分数」には 2～8 の整数を入力してください。", "8",
       [](Reporter& reporter) {
         auto dialog = std::make_unique<TSepNumDialog>(reporter);
         dialog->Load(5);
         return dialog;
       }},
      {"YRes", "2,5", "「縦方向」には -1.7E+38～1.7E+38 の数値を入力してください。", "2.5",
       [](Reporter& reporter) {
         auto dialog = std::make_unique<TDrawSizeDialog>(reporter);
         dialog->Load(1, 1, false, {});
         return dialog;
       }},
      {"ILen", "40", "「表示長」には 2～36 の整数を入力してください。", "３６",
       [](Reporter& reporter) {
         auto dialog = std::make_unique<TItemLenDialog>(reporter);
         dialog->Load(10);
         return dialog;
       }},
      {"Rad", "12abc", "「基準絵の高さ」には -32768～32767 の整数を入力してください。", "-30",
       GlyphDialog()},
      {"Dat", "50.0",
       "「基準のデータ値」には 0 でも基底値でもない数値（80 バイトまで）を入力してください。",
       "50.5", GlyphDialog()},
      {"Bas", "1e3", "「データの基底値」には 数値を入力してください。", "", GlyphDialog()},
      // The print values are read by their leading number, as they always were.
      {"topmg", "", "「余白（上）」には 0～999 の整数を入力してください。", "15mm", MapPrintDialog},
      {"copies", "1000", "「部数」には 1～999 の整数を入力してください。", "2", MapPrintDialog},
      {"PrintSize", "abc",
       "「倍率」には 「自動調整」か -1.7E+38～1.7E+38 の数値を入力してください。", "自動調整",
       MapPrintDialog},
      {"LineWd", "太く", "「境界線の幅」には -32767～32767 の数値を入力してください。", "2.5",
       MapPrintDialog},
      {"leftmg", "-1", "「余白（左）」には 0～999 の整数を入力してください。", "0",
       DataPrintDialog},
      {"column", "0", "「列数」には 1～99 の整数を入力してください。", "2", DataPrintDialog},
      {"FontSize", "大", "「サイズ」には 1～999 の整数を入力してください。", "10.5",
       DataPrintDialog},
      {"Linterval", ".05", "「行間」には 0.1～100 の数値を入力してください。", "1.5倍",
       DataPrintDialog},
  };
  for (const RefusalCase& c : cases) {
    SCOPED_TRACE(std::string(c.box) + " = " + c.typed);
    test::RecordingReporter reporter;
    const std::unique_ptr<CheckedDialog> dialog = c.make(reporter);
    dialog->show();
    QLineEdit& box = EditOf(*dialog, c.box);
    box.setText(c.typed);
    dialog->done(QDialog::Accepted);

    ASSERT_EQ(reporter.Numbers(), std::vector{kMsgBadSetting});
    EXPECT_EQ(reporter.messages[0].text, std::string("設定データに誤りがあります。\n") + c.reason);
    EXPECT_TRUE(dialog->isVisible());
    // The line edit of a combo box gives its focus to the combo box.
    EXPECT_EQ(dialog->focusWidget(), box.focusProxy() ? box.focusProxy() : &box);
    EXPECT_EQ(box.selectedText(), c.typed);

    box.setText(c.corrected);
    dialog->done(QDialog::Accepted);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(reporter.messages.size(), 1u);
  }
}

TEST(CheckedDialogTest, CancelIsNeverRefused) {
  test::RecordingReporter reporter;
  TDrawPosDialog dialog(reporter);
  dialog.show();
  EditOf(dialog, "XPos").setText("abc");
  dialog.done(QDialog::Rejected);
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_TRUE(reporter.messages.empty());
}

}  // namespace
}  // namespace kartela
