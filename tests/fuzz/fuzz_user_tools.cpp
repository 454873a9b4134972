// Feeds arbitrary bytes to the user-tools reader. The reader must accept
// anything within its limits, and the tools it gives, written back as a file
// whose lines fit, must read again to the same tools.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "base/text_encoding.h"
#include "lines_fit.h"
#include "model/user_tools.h"

namespace {

constexpr std::string_view kProgramDir = "/opt/kartela/";

void Require(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const auto tools = kartela::ParseUserTools(bytes, kProgramDir);
  Require(tools.size() <= static_cast<std::size_t>(kartela::kMaxUserTools));
  std::string text;
  for (const kartela::UserTool& tool : tools) {
    Require(tool.command.size() <= kartela::kMaxToolCommandBytes);
    Require(tool.caption.find_first_of("=\r\n") == std::string::npos);
    text += tool.caption + "=" + tool.command + "\r\n";
  }
  // What the reader gave reads back the same, in whatever form is written.
  const auto written = kartela::EncodeFileText(text);
  if (!written || !kartela::fuzz::AllLinesFit(text)) return 0;
  const auto again = kartela::ParseUserTools(*written, kProgramDir);
  Require(again.size() == tools.size());
  for (std::size_t i = 0; i < tools.size(); ++i) {
    Require(again[i].caption == tools[i].caption);
    Require(again[i].command == tools[i].command);
  }
  return 0;
}
