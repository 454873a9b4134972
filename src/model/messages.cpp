#include "model/messages.h"

#include <array>
#include <system_error>

#include "model/reporter.h"

namespace kartela {
namespace {

constexpr std::string_view kWarningTitle = "警告";
constexpr std::string_view kErrorTitle = "エラー";
constexpr std::string_view kSearchTitle = "検索";
constexpr std::string_view kConfirmTitle = "確認";
constexpr std::string_view kOverwriteQuestionTail = "...同名ファイルがあります。上書きしますか？";

constexpr MessageIcon kWarning = MessageIcon::kWarning;
constexpr MessageIcon kInformation = MessageIcon::kInformation;

// A catalogue entry. An entry that takes the caller's text has a suffix; the
// caller's text goes between `text` and `suffix` with no blank added.
struct Entry {
  std::string_view text;
  std::string_view suffix;
  MessageIcon icon;
  std::string_view title = kWarningTitle;
};

constexpr std::array<Entry, 20> kCatalogue = {{
    {"基本地図：", " が読めません！", kWarning},
    {"基本地図が指定されていません。", {}, kInformation},
    {"ＩＤＴファイル：", " の読み込みに失敗しました！", kWarning},
    {"ファイル：", " の読み込みに失敗しました。", kWarning},
    {"保存に失敗しました。", {}, kWarning},
    {"ファイル指定エラーです。", {}, kWarning},
    {"Windows 3 以降のビットマップファイルではありません。", {}, kWarning},
    {"ビットマップの展開に失敗しました。", {}, kWarning},
    {"指数表示形式(例 2.0E15)のデータがあります。", {}, kInformation},
    {"データがありません", {}, kInformation},
    {"マイナスデータがあります。", {}, kInformation},
    {"データが少なすぎます。", {}, kInformation},
    {"設定データに誤りがあります。", {}, kWarning},
    {"修飾能力オーバー。これ以上、描けません。", {}, kWarning},
    {"データに基づく地図が描かれていません。", {}, kInformation},
    {"地図が描かれていないので保存できません。", {}, kInformation},
    {"検索文字列がみつかりません。", {}, kInformation, kSearchTitle},
    {"既に多くの Kartela2 が開いています。", {}, kWarning},
    {"拡張子 ", " はシステムが使っているので駄目です。", kWarning},
    {"適切に絵が選ばれていません。", {}, kInformation},
}};

}  // namespace

std::string DisplayPath(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return {reinterpret_cast<const char*>(text.data()), text.size()};
}

std::optional<CatalogueMessage> ComposeMessage(int number, std::string_view text) {
  if (number < 1 || number > static_cast<int>(kCatalogue.size())) return std::nullopt;
  const Entry& entry = kCatalogue[static_cast<std::size_t>(number - 1)];
  CatalogueMessage message{number, std::string(entry.text), std::string(entry.title), entry.icon};
  if (!entry.suffix.empty()) message.text.append(text).append(entry.suffix);
  return message;
}

void ShowMessage(Reporter& reporter, int number, std::string_view text) {
  if (const auto message = ComposeMessage(number, text)) reporter.Show(*message);
}

void ShowMessageWithReason(Reporter& reporter, int number, std::string_view text,
                           std::string_view reason) {
  auto message = ComposeMessage(number, text);
  if (!message) return;
  if (!reason.empty()) message->text.append("\n").append(reason);
  reporter.Show(*message);
}

std::string FailureCause(const Status& status) {
  switch (status.code()) {
    case StatusCode::kOk:
    case StatusCode::kCancelled:
      return {};
    case StatusCode::kRefused:
      return status.detail();
    case StatusCode::kNotFound:
      return "フォルダーが見つかりません";
    case StatusCode::kPermissionDenied:
      return "書き込みが許可されていません";
    case StatusCode::kNoSpace:
      return "ディスクの空き容量が足りません";
    case StatusCode::kTooLarge:
      return "この形式には大きすぎます";
    case StatusCode::kUnsupported:
      return "画像を作れませんでした";
    case StatusCode::kIoError:
    case StatusCode::kBadFormat:
      break;
  }
  return "ファイルに書き込めませんでした";
}

void ShowSaveFailure(Reporter& reporter, const Status& status) {
  if (status.ok() || status.code() == StatusCode::kCancelled) return;
  ShowMessageWithReason(reporter, kMsgSaveFailed, {}, FailureCause(status));
}

void ShowWarning(Reporter& reporter, std::string_view text) {
  reporter.Show({0, std::string(text), std::string(kWarningTitle), kWarning});
}

void ShowError(Reporter& reporter, std::string_view text) {
  reporter.Show({0, std::string(text), std::string(kErrorTitle), MessageIcon::kStop});
}

std::string OverwriteQuestion(const std::filesystem::path& path) {
  return DisplayPath(path.filename()).append(kOverwriteQuestionTail);
}

bool ConfirmOverwrite(Reporter& reporter, const std::filesystem::path& path) {
  // A dangling link or an entry we may not inspect still counts as present:
  // only a path that is certainly free is written without asking.
  std::error_code error;
  if (std::filesystem::symlink_status(path, error).type() ==
      std::filesystem::file_type::not_found) {
    return true;
  }
  return reporter.AskOkCancel(OverwriteQuestion(path), kConfirmTitle);
}

}  // namespace kartela
