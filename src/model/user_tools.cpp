#include "model/user_tools.h"

#include "base/file_io.h"
#include "base/line_reader.h"
#include "base/text_encoding.h"
#include "base/text_helpers.h"
#include "model/settings_file.h"

namespace kartela {
namespace {

// Whether the command names its program without a directory: no "\" and
// no ":" anywhere in it, and no "/" in its first word, the program. The
// second byte of a double-byte character (表 ends in the code of "\") is
// not a separator.
bool IsBareProgramName(std::string_view command) {
  bool in_program = true;
  for (std::size_t i = 0; i < command.size(); ++i) {
    const char byte = command[i];
    if (sjis::IsLeadByte(static_cast<unsigned char>(byte))) {
      ++i;
      continue;
    }
    if (byte == ' ' || byte == '\t') in_program = false;
    if (byte == '\\' || byte == ':' || (in_program && byte == '/')) return false;
  }
  return true;
}

// The program directory as a command-line prefix: quoted when it holds
// blanks, so that splitting the command line keeps it one word.
std::string ProgramDirPrefix(std::string_view program_dir) {
  if (program_dir.find_first_of(" \t") == std::string_view::npos) return std::string(program_dir);
  return "\"" + std::string(program_dir) + "\"";
}

}  // namespace

std::vector<UserTool> ParseUserTools(std::string_view bytes, std::string_view program_dir) {
  std::vector<UserTool> tools;
  const DecodedText text = DecodeFileText(bytes);
  LineReader reader(text.bytes);
  std::string line;
  while (reader.Next(line)) {
    if (line.starts_with(';') || tools.size() >= kMaxUserTools) continue;
    auto [caption, command] = SplitAt('=', line);
    TrimComment(caption);
    TrimComment(command);
    if (command.empty()) continue;
    if (IsBareProgramName(command)) command = ProgramDirPrefix(program_dir) + command;
    command = std::string(sjis::CutToBytes(command, kMaxToolCommandBytes));
    tools.push_back({std::move(caption), std::move(command)});
  }
  return tools;
}

std::vector<UserTool> ReadUserTools(const std::filesystem::path& path,
                                    std::string_view program_dir) {
  const StatusOr<std::string> read = ReadFileUpTo(path, kMaxSettingsFileBytes);
  if (!read.ok()) return {};
  return ParseUserTools(*read, program_dir);
}

}  // namespace kartela
