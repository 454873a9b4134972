// Helpers shared by the model tests: a reporter that records, and a scratch
// directory that is removed afterwards.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "model/reporter.h"

namespace kartela::test {

class RecordingReporter : public Reporter {
 public:
  void Show(const CatalogueMessage& message) override { messages.push_back(message); }
  bool AskOkCancel(std::string_view text, std::string_view title) override;
  Answer AskYesNoCancel(std::string_view text, std::string_view title) override;
  void ShowNotice(std::string_view text) override { notices.emplace_back(text); }

  // Numbers of the catalogue messages shown, in order.
  std::vector<int> Numbers() const;

  std::vector<CatalogueMessage> messages;
  std::vector<std::string> questions;  // texts of the questions asked
  std::vector<std::string> question_titles;
  std::vector<std::string> notices;
  bool ok_answer = true;                // the answer to AskOkCancel
  Answer yes_no_answer = Answer::kYes;  // the answer to AskYesNoCancel
};

// A fresh directory under the system's temporary directory, removed with
// everything in it when the object goes.
class ScratchDir {
 public:
  ScratchDir();
  ~ScratchDir();
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;

  const std::filesystem::path& path() const { return path_; }
  // Writes `bytes` to the file `name` in the directory and returns its path.
  std::filesystem::path Write(std::string_view name, std::string_view bytes) const;
  // The bytes of the file `name`, or "<missing>".
  std::string Read(std::string_view name) const;

 private:
  std::filesystem::path path_;
};

// Text literals of the tests are UTF-8; the model works in Shift-JIS.
std::string Sjis(std::string_view utf8);

}  // namespace kartela::test
