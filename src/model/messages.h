// The numbered message catalogue and the questions shared by every command.
// Texts here are UTF-8: they exist only to be shown.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace kartela {

class Reporter;

enum class MessageIcon { kWarning = 0x30, kInformation = 0x40 };

struct CatalogueMessage {
  int number = 0;
  std::string text;
  std::string title;
  MessageIcon icon = MessageIcon::kWarning;
};

// A path as UTF-8 text, the form in which messages name files.
std::string DisplayPath(const std::filesystem::path& path);

// Entry `number` (1..20) with `text` inserted between prefix and suffix for
// the entries that take one (1, 3, 4, 19); nullopt for 0 and numbers above 20.
std::optional<CatalogueMessage> ComposeMessage(int number, std::string_view text = {});

// Shows entry `number` through `reporter`; 0 and numbers above 20 show nothing.
void ShowMessage(Reporter& reporter, int number, std::string_view text = {});

// The question asked before a save replaces `path`: its file name and
// extension directly followed by "...同名ファイルがあります。上書きしますか？".
std::string OverwriteQuestion(const std::filesystem::path& path);

// True without asking when nothing exists at `path`; otherwise asks the
// overwrite question (title "確認") and returns true only for OK.
bool ConfirmOverwrite(Reporter& reporter, const std::filesystem::path& path);

// The text of the notice shown after every successful save, and its caption.
inline constexpr std::string_view kSavedNotice = "保存しました。";
inline constexpr std::string_view kNoticeCaption = "メッセージ";

}  // namespace kartela
