#include "model/messages.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "test_support.h"

namespace kartela {
namespace {

using test::RecordingReporter;
using test::ScratchDir;

// Also keeps the titles of the questions asked.
class TitleRecorder : public RecordingReporter {
 public:
  bool AskOkCancel(std::string_view text, std::string_view title) override {
    titles.emplace_back(title);
    return RecordingReporter::AskOkCancel(text, title);
  }
  std::vector<std::string> titles;
};

TEST(ComposeMessageTest, InsertsTheCallersTextWithoutExtraBlanks) {
  EXPECT_EQ(ComposeMessage(1, "全国.IDT")->text, "基本地図：全国.IDT が読めません！");
  EXPECT_EQ(ComposeMessage(3, "TOKYO.IDT")->text,
            "ＩＤＴファイル：TOKYO.IDT の読み込みに失敗しました！");
  EXPECT_EQ(ComposeMessage(4, "/data/a.DAT")->text,
            "ファイル：/data/a.DAT の読み込みに失敗しました。");
  EXPECT_EQ(ComposeMessage(19, ".KTD")->text, "拡張子 .KTD はシステムが使っているので駄目です。");
}

TEST(ComposeMessageTest, FixedTextsIgnoreTheCallersText) {
  EXPECT_EQ(ComposeMessage(10, "ignored")->text, "データがありません");
  EXPECT_EQ(ComposeMessage(18)->text, "既に多くの Kartela2 が開いています。");
}

TEST(ComposeMessageTest, TitlesAndIcons) {
  for (int number = 1; number <= 20; ++number) {
    const auto message = ComposeMessage(number);
    ASSERT_TRUE(message) << number;
    EXPECT_EQ(message->number, number);
    EXPECT_EQ(message->title, number == 17 ? "検索" : "警告") << number;
  }
  const std::vector<int> information = {2, 9, 10, 11, 12, 15, 16, 17, 20};
  for (int number = 1; number <= 20; ++number) {
    const bool is_information =
        std::find(information.begin(), information.end(), number) != information.end();
    EXPECT_EQ(static_cast<int>(ComposeMessage(number)->icon), is_information ? 0x40 : 0x30)
        << number;
  }
}

TEST(ShowMessageTest, ShowsTheEntryAndNothingOutsideTheCatalogue) {
  RecordingReporter reporter;
  ShowMessage(reporter, 0);
  ShowMessage(reporter, 21);
  ShowMessage(reporter, -1);
  EXPECT_TRUE(reporter.messages.empty());

  ShowMessage(reporter, 17);
  ASSERT_EQ(reporter.Numbers(), std::vector<int>{17});
  EXPECT_EQ(reporter.messages[0].text, "検索文字列がみつかりません。");
  EXPECT_EQ(reporter.messages[0].title, "検索");
  EXPECT_EQ(reporter.messages[0].icon, MessageIcon::kInformation);
}

TEST(ConfirmOverwriteTest, MissingPathNeedsNoQuestion) {
  ScratchDir dir;
  RecordingReporter reporter;
  reporter.ok_answer = false;
  EXPECT_TRUE(ConfirmOverwrite(reporter, dir.path() / "TOKYO.DAT"));
  EXPECT_TRUE(reporter.questions.empty());
}

TEST(ConfirmOverwriteTest, ExistingFileAsksWithItsNameOnly) {
  ScratchDir dir;
  const auto path = dir.Write("TOKYO.DAT", "x");
  TitleRecorder reporter;
  EXPECT_TRUE(ConfirmOverwrite(reporter, path));
  reporter.ok_answer = false;
  EXPECT_FALSE(ConfirmOverwrite(reporter, path));
  const std::string question = "TOKYO.DAT...同名ファイルがあります。上書きしますか？";
  EXPECT_EQ(reporter.questions, (std::vector<std::string>{question, question}));
  EXPECT_EQ(reporter.titles, (std::vector<std::string>{"確認", "確認"}));
}

TEST(ConfirmOverwriteTest, JapaneseFileName) {
  EXPECT_EQ(OverwriteQuestion(std::filesystem::path("/tmp/データ") / "東京.DAT"),
            "東京.DAT...同名ファイルがあります。上書きしますか？");
}

}  // namespace
}  // namespace kartela
