// Feeds arbitrary bytes to the metafile player (EMF and WMF, placeable or
// not): it must refuse or play, never crash or hang, and checking a file
// must agree with playing it.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "gdi/metafile_player.h"
#include "gdi/recording_device_context.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  kartela::gdi::RecordingDeviceContext dc;
  const auto played = kartela::gdi::PlayMetafile(bytes, dc, {10, 20, 650, 420});
  const auto checked = kartela::gdi::CheckMetafile(bytes);
  if (played.ok() != checked.ok()) std::abort();
  (void)kartela::gdi::InspectMetafile(bytes);
  return 0;
}
