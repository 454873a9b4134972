// Feeds arbitrary bytes to the settings reader and formats what it made of
// them. The reader must accept anything without crashing or hanging, and a
// file it writes must read back to the same values.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "base/line_reader.h"
#include "model/settings.h"
#include "model/settings_file.h"

namespace {

// Every value read from `bytes`, as the writer formats it.
std::string WrittenAfterReading(std::string_view bytes) {
  kartela::Settings settings = kartela::DefaultSettings("/opt/kartela/");
  kartela::ParseSettings(bytes, settings);
  settings.ChangedMask = 0xFFFF;
  settings.SaveMask = 0xFFFF;
  return kartela::FormatSettings(settings);
}

// A value longer than a line (a very long directory) is cut when read back.
bool AllLinesFit(std::string_view text) {
  kartela::LineReader reader(text);
  std::string line;
  while (reader.Next(line)) {
    if (reader.LastLineWasCut()) return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string first =
      WrittenAfterReading(std::string_view(reinterpret_cast<const char*>(data), size));
  if (!AllLinesFit(first)) return 0;
  // The first write may round a value ("-0.003" is written "-0.00" and reads
  // back as 0); from then on a written file must read back unchanged.
  const std::string second = WrittenAfterReading(first);
  if (WrittenAfterReading(second) != second) __builtin_trap();
  return 0;
}
