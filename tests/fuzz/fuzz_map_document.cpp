// Feeds arbitrary bytes to the map-document reader. A document it takes
// must write back to bytes that read again to the same bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "model/map_document.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const auto read = kartela::ParseMapDocument(bytes);
  if (!read.ok()) return 0;
  const std::string written = kartela::FormatMapDocument(*read);
  const auto again = kartela::ParseMapDocument(written);
  if (!again.ok() || kartela::FormatMapDocument(*again) != written) std::abort();
  return 0;
}
