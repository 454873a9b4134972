#include "ui/data/data_exchange_commands.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMimeData>

#include "base/text_encoding.h"
#include "model/data_file.h"
#include "model/messages.h"
#include "ui/data/area_find_dialog.h"
#include "ui/data/data_calc_dialog.h"
#include "ui/data/data_clip_dialog.h"
#include "ui/data/data_commands.h"
#include "ui/data/data_paste_dialog.h"
#include "ui/data/data_window.h"
#include "ui/data/table_read_dialog.h"
#include "ui/widgets/place_dialog.h"
#include "ui/widgets/qt_text.h"
#include "ui/widgets/wait_cursor.h"

namespace kartela {
namespace {

// "U+D55C" for a character the screen's fonts may not show.
QString CodePoint(const QString& character) {
  const QList<uint> code = character.toUcs4();
  return code.isEmpty() ? QString()
                        : QString("U+%1").arg(code.front(), 4, 16, QLatin1Char('0')).toUpper();
}

}  // namespace

DataExchangeCommands::DataExchangeCommands(AppContext& context, TDataWindow& data_window)
    : context_(context),
      data_window_(data_window),
      clip_dialog_(new TDataClipDialog(DialogOwner(context, &data_window_))),
      paste_dialog_(new TDataPasteDialog(DialogOwner(context, &data_window_))),
      find_dialog_(new TAreaFindDialog(context.reporter, DialogOwner(context, &data_window_))),
      table_dialog_(
          new TTableReadDialog(context.workspace.area_list, DialogOwner(context, &data_window_))),
      calc_dialog_(new TDataCalcDialog(context, DialogOwner(context, &data_window_))) {}

DataExchangeCommands::~DataExchangeCommands() = default;

void DataExchangeCommands::SetDialogRunner(DialogRunner runner) {
  run_dialog_ = std::move(runner);
}

void DataExchangeCommands::Refuse(const QString& text) {
  ShowWarning(context_.reporter, text.toStdString());
}

// --- Copy ---

void DataExchangeCommands::CopyDataClick() {
  if (clip_dialog_.isNull()) return;
  PlaceDialog(context_, *clip_dialog_, 15, 8);
  if (run_dialog_(*clip_dialog_) != QDialog::Accepted) return;
  const DataClipOptions options = clip_dialog_->Options();
  data_window_.CommitEdits();
  CopiedUtf8Text text;
  {
    const WaitCursor wait;
    // Any size is copied: 3,440 areas with names exceed the 64 KiB a 16-bit
    // counter could count.
    text = CopiedTextToUtf8(
        DataClipText(context_.workspace.area_list, context_.workspace.data, options));
  }
  if (!text.text) {
    Refuse(QString("%1にシフト JIS として正しくない文字があるため、"
                   "クリップボードへ複写できません。")
               .arg(Utf8Text(RefusedCopyPlace(text.refused_line, options.with_title))));
    return;
  }
  QGuiApplication::clipboard()->setText(Utf8Text(*text.text));
}

// "タイトル" or "区域 n（name）の行" for line `line` of the copied text.
std::string DataExchangeCommands::RefusedCopyPlace(std::size_t line, bool with_title) const {
  if (with_title && line == 1) return "タイトル";
  const std::size_t area = line - (with_title ? 1 : 0);
  const auto& names = context_.workspace.area_list.AreaNames;
  const std::string name =
      area >= 1 && area <= names.size() ? sjis::ToUtf8Lossy(names[area - 1]) : std::string();
  return "区域 " + std::to_string(area) + "（" + name + "）の行";
}

// --- Paste ---

void DataExchangeCommands::PasteDataClick() {
  const std::optional<std::string> text = ClipboardText();
  if (!text) return;
  const int area_count = context_.workspace.area_list.AreaCount();
  const PastedData pasted = ParsePastedText(*text, area_count);
  const std::optional<int> first_area = FirstPastedArea(pasted);
  if (!first_area) return;
  if (const auto overlong = OverlongPastedValue(pasted, *first_area, area_count)) {
    Refuse(QString("値「%1」は %2 バイトを超えるため、貼り付けできません。"
                   "データは変更していません。")
               .arg(ShownText(*overlong))
               .arg(kMaxValueBytes));
    return;
  }
  data_window_.CommitEdits();  // what was typed before counts, LoadEdits replaces it
  StorePastedData(pasted, *first_area, area_count, context_.workspace.data);
  data_window_.LoadEdits();
  data_window_.Refresh();
}

std::optional<std::string> DataExchangeCommands::ClipboardText() {
  const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
  if (mime == nullptr || !mime->hasText() || mime->text().isEmpty()) return std::nullopt;
  PastedSjisText text = PastedTextToSjis(mime->text().toStdString());
  if (text.text) return std::move(text.text);
  Refuse(text.refused.empty()
             ? QString("クリップボードのテキストをシフト JIS に変換できないため、"
                       "貼り付けできません。")
             : QString("クリップボードのテキストにシフト JIS で表せない文字「%1」(%2) が"
                       "あるため、貼り付けできません。")
                   .arg(Utf8Text(text.refused), CodePoint(Utf8Text(text.refused))));
  return std::nullopt;
}

std::optional<int> DataExchangeCommands::FirstPastedArea(const PastedData& pasted) {
  if (pasted.title) return 1;
  if (paste_dialog_.isNull()) return std::nullopt;
  // The dialog centres itself on the screen.
  switch (run_dialog_(*paste_dialog_)) {
    case TDataPasteDialog::kTopArea:
      return 1;
    case TDataPasteDialog::kFocusArea:
      return data_window_.ValueRow();
    default:
      return std::nullopt;
  }
}

// --- Search ---

void DataExchangeCommands::FindAreaClick() {
  if (find_dialog_.isNull()) return;
  const int start_row = SearchStartRow();
  find_dialog_->SetSearchText(data_window_.LastSearchText());
  PlaceDialog(context_, *find_dialog_, 15, 8);
  if (run_dialog_(*find_dialog_) != QDialog::Accepted) return;
  data_window_.FindArea(find_dialog_->SearchText(), start_row);
}

int DataExchangeCommands::SearchStartRow() const {
  if (!data_window_.ValueBoxFocused()) return 1;
  const int next = data_window_.ValueRow() + 1;
  return next > context_.workspace.area_list.AreaCount() ? 1 : next;
}

// --- Table ---

void DataExchangeCommands::ReadTableClick() {
  if (table_dialog_.isNull()) return;
  if (context_.workspace.area_list.AreaCount() == 0) {
    ShowMessage(context_.reporter, kMsgNoBaseMap);
    return;
  }
  table_dialog_->UpdateMatch();
  if (run_dialog_(*table_dialog_) != QDialog::Accepted) return;
  const table::TableReading* reading = table_dialog_->Reading();
  if (reading == nullptr) return;
  const std::optional<std::string> title = SjisText(table_dialog_->Title());
  if (!title) {
    Refuse("表題にシフト JIS で表せない文字があるため、読み込めません。データは変更していません。");
    return;
  }
  data_window_.CommitEdits();
  DataSet& data = context_.workspace.data;
  data.DataTitle = std::string(sjis::CutToBytes(*title, kMaxTitleBytes));
  std::ranges::copy(table_dialog_->Values(), data.DataValues.begin());
  const std::string table_name = table_dialog_->TablePath().filename().string();
  data.DataNotes.assign(1, SourceNoteOf(sjis::FromUtf8(table_name).value_or(table_name)));
  data.DataModified = true;
  data_window_.LoadEdits();
  data_window_.Refresh();
}

// --- Calculation ---

void DataExchangeCommands::CalcDataClick() {
  if (calc_dialog_.isNull()) return;
  if (context_.workspace.area_list.AreaCount() == 0) {
    ShowMessage(context_.reporter, kMsgNoBaseMap);
    return;
  }
  data_window_.CommitEdits();
  {
    WaitCursor wait;
    const Settings& settings = context_.workspace.settings;
    calc_dialog_->Prepare(InitialDirectory(settings.DataDir), DataFileFilter(settings.DataExt));
  }
  if (run_dialog_(*calc_dialog_) != QDialog::Accepted) return;
  std::optional<DataDivision> result = calc_dialog_->Result();
  if (!result || !data_window_.ConfirmDiscard()) return;
  data_window_.ReplaceDataSet(std::move(result->data));
}

}  // namespace kartela
