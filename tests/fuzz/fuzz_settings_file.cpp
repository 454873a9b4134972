// Feeds arbitrary bytes to the settings reader and formats what it made of
// them. The reader must accept anything without crashing or hanging, and a
// file it writes must read back to the same values.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "lines_fit.h"
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

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string first =
      WrittenAfterReading(std::string_view(reinterpret_cast<const char*>(data), size));
  if (!kartela::fuzz::AllLinesFit(first)) return 0;
  // The first write may round a value ("-0.003" is written "-0.00" and reads
  // back as 0); from then on a written file must read back unchanged.
  const std::string second = WrittenAfterReading(first);
  if (WrittenAfterReading(second) != second) __builtin_trap();
  return 0;
}
