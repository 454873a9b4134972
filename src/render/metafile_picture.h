// A metafile held in memory for drawing: the background picture and the
// picture graph's picture. It is checked whole when read, so that every
// later paint plays a file known to be sound.
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

#include "base/status.h"
#include "gdi/metafile_player.h"
#include "render/workspace.h"

namespace kartela {

// The largest metafile read: far above any map, far below the memory.
inline constexpr std::uintmax_t kMaxMetafileBytes = 64u << 20;

// Why a picture was refused, as shown under a message: the reason, and the
// offset of the record at fault where there is one.
std::string PictureRefusalText(const Status& status);

class MetafilePicture final : public BackgroundPicture {
 public:
  // The picture of `bytes`, or why they are refused: a header or a record
  // the player cannot use, or a picture without width or height.
  static StatusOr<std::shared_ptr<const MetafilePicture>> FromBytes(std::string bytes);
  // The same for the file at `path`; also refused when it cannot be read, is
  // larger than kMaxMetafileBytes, or is named ".emf" but is no EMF.
  static StatusOr<std::shared_ptr<const MetafilePicture>> Read(const std::filesystem::path& path);

  const gdi::MetafileInfo& info() const { return info_; }
  const std::string& bytes() const { return bytes_; }

  // Draws the picture stretched into `rect`; an empty rectangle draws nothing.
  void PlayInto(gdi::DeviceContext& dc, const gdi::Rect& rect) const override;

 private:
  MetafilePicture(std::string bytes, const gdi::MetafileInfo& info)
      : bytes_(std::move(bytes)), info_(info) {}

  std::string bytes_;
  gdi::MetafileInfo info_;
};

}  // namespace kartela
