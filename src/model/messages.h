// The numbered message catalogue and the questions shared by every command.
// Texts here are UTF-8: they exist only to be shown.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "base/status.h"

namespace kartela {

class Reporter;

enum class MessageIcon { kStop = 0x10, kWarning = 0x30, kInformation = 0x40 };

struct CatalogueMessage {
  int number = 0;
  std::string text;
  std::string title;
  MessageIcon icon = MessageIcon::kWarning;
};

// The numbers of the catalogue entries, one name each.
inline constexpr int kMsgBaseMapNotReadable = 1;  // 基本地図：… が読めません！
inline constexpr int kMsgNoBaseMap = 2;           // 基本地図が指定されていません。
inline constexpr int kMsgIdtReadFailed = 3;  // ＩＤＴファイル：… の読み込みに失敗しました！
inline constexpr int kMsgFileReadFailed = 4;  // ファイル：… の読み込みに失敗しました。
inline constexpr int kMsgSaveFailed = 5;   // 保存に失敗しました。
inline constexpr int kMsgBadFileName = 6;  // ファイル指定エラーです。
inline constexpr int kMsgNotABitmap = 7;  // … ビットマップファイルではありません。
inline constexpr int kMsgBitmapFailed = 8;  // ビットマップの展開に失敗しました。
inline constexpr int kMsgExponentData = 9;  // 指数表示形式(例 2.0E15)のデータがあります。
inline constexpr int kMsgNoData = 10;        // データがありません
inline constexpr int kMsgNegativeData = 11;  // マイナスデータがあります。
inline constexpr int kMsgTooFewData = 12;    // データが少なすぎます。
inline constexpr int kMsgBadSetting = 13;    // 設定データに誤りがあります。
inline constexpr int kMsgDecorationsFull = 14;  // 修飾能力オーバー。これ以上、描けません。
inline constexpr int kMsgNoDataMap = 15;  // データに基づく地図が描かれていません。
inline constexpr int kMsgNoMapToSave = 16;  // 地図が描かれていないので保存できません。
inline constexpr int kMsgSearchNotFound = 17;    // 検索文字列がみつかりません。
inline constexpr int kMsgTooManyInstances = 18;  // 既に多くの … が開いています。
inline constexpr int kMsgReservedExtension = 19;  // 拡張子 … はシステムが使っているので駄目です。
inline constexpr int kMsgNoPicture = 20;  // 適切に絵が選ばれていません。

// A path as UTF-8 text, the form in which messages name files.
std::string DisplayPath(const std::filesystem::path& path);

// Entry `number` (1..20) with `text` inserted between prefix and suffix for
// the entries that take one (1, 3, 4, 19); nullopt for 0 and numbers above 20.
std::optional<CatalogueMessage> ComposeMessage(int number, std::string_view text = {});

// Shows entry `number` through `reporter`; 0 and numbers above 20 show nothing.
void ShowMessage(Reporter& reporter, int number, std::string_view text = {});

// ShowMessage with a second line that says why, such as the reason a reader
// gave for refusing a file; an empty `reason` adds nothing.
void ShowMessageWithReason(Reporter& reporter, int number, std::string_view text,
                           std::string_view reason);

// Why a save, an export or a copy failed, in the user's words: the line
// shown under message 5. A refusal (kRefused) is its own reason, the detail;
// any other code says what it means for the user, such as
// 「ディスクの空き容量が足りません」 for a full disk. Empty for success and for
// kCancelled, which the user chose.
std::string FailureCause(const Status& status);

// Message 5 with FailureCause on its second line; nothing for success and
// for kCancelled.
void ShowSaveFailure(Reporter& reporter, const Status& status);

// A message outside the catalogue, such as a refused input: `text` with the
// title "警告", the warning icon and the OK button.
void ShowWarning(Reporter& reporter, std::string_view text);

// A failure the platform reported while a command ran, such as a printer
// that refused a page: `text` with the title "エラー", the stop icon and OK.
void ShowError(Reporter& reporter, std::string_view text);

// The question asked before a save replaces `path`: its file name and
// extension directly followed by "...同名ファイルがあります。上書きしますか？".
std::string OverwriteQuestion(const std::filesystem::path& path);

// True without asking when nothing exists at `path`; otherwise asks the
// overwrite question (title "確認") and returns true only for OK.
bool ConfirmOverwrite(Reporter& reporter, const std::filesystem::path& path);

// The title of a message box in which the program names itself, whatever
// its executable is called.
inline constexpr std::string_view kProgramTitle = "Kartela";

// The text of the notice shown after every successful save, and its caption.
inline constexpr std::string_view kSavedNotice = "保存しました。";
inline constexpr std::string_view kNoticeCaption = "メッセージ";

}  // namespace kartela
