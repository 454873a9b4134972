#include "test_support.h"

#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>

#include "base/text_encoding.h"

namespace kartela::test {

bool RecordingReporter::AskOkCancel(std::string_view text, std::string_view title) {
  questions.emplace_back(text);
  question_titles.emplace_back(title);
  return ok_answer;
}

Answer RecordingReporter::AskYesNoCancel(std::string_view text, std::string_view title) {
  questions.emplace_back(text);
  question_titles.emplace_back(title);
  return yes_no_answer;
}

std::vector<int> RecordingReporter::Numbers() const {
  std::vector<int> numbers;
  for (const auto& message : messages)
    numbers.push_back(message.number);
  return numbers;
}

ScratchDir::ScratchDir() {
  std::random_device device;
  path_ = std::filesystem::temp_directory_path() /
          ("kartela-test-" + std::to_string(device()) + std::to_string(device()));
  std::filesystem::create_directories(path_);
}

ScratchDir::~ScratchDir() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

std::filesystem::path ScratchDir::Write(std::string_view name, std::string_view bytes) const {
  const auto file = path_ / std::filesystem::path(std::string(name));
  std::ofstream out(file, std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return file;
}

std::string ScratchDir::Read(std::string_view name) const {
  std::ifstream in(path_ / std::filesystem::path(std::string(name)), std::ios::binary);
  if (!in) return "<missing>";
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string Sjis(std::string_view utf8) {
  auto converted = sjis::FromUtf8(utf8);
  if (!converted) throw std::invalid_argument("not representable in Shift-JIS");
  return *converted;
}

}  // namespace kartela::test
