#include "render/metafile_picture.h"

#include "base/file_io.h"
#include "base/text_helpers.h"

namespace kartela {
std::string PictureRefusalText(const Status& status) {
  if (!status.offset()) return status.detail();
  return status.detail() + " (" + std::to_string(*status.offset()) + " バイト目)";
}

StatusOr<std::shared_ptr<const MetafilePicture>> MetafilePicture::FromBytes(std::string bytes) {
  const StatusOr<gdi::MetafileInfo> inspected = gdi::InspectMetafile(bytes);
  if (!inspected.ok()) return inspected.status();
  const gdi::MetafileInfo& info = *inspected;
  if (info.size.cx <= 0 || info.size.cy <= 0)
    return Status{StatusCode::kBadFormat, "大きさのない絵です"};
  if (const Status checked = gdi::CheckMetafile(bytes); !checked.ok()) return checked;
  return std::shared_ptr<const MetafilePicture>(new MetafilePicture(std::move(bytes), info));
}

StatusOr<std::shared_ptr<const MetafilePicture>> MetafilePicture::Read(
    const std::filesystem::path& path) {
  StatusOr<std::string> file = ReadFileUpTo(path, kMaxMetafileBytes);
  if (file.status().code() == StatusCode::kTooLarge)
    return Status{StatusCode::kTooLarge, std::string(kFileTooLargeReason)};
  if (!file.ok()) return Status{file.status().code(), "ファイルが読めません"};
  // Other bytes would be read as a WMF and refused as not being one.
  if (ToUpperAscii(path.extension().string()) == ".EMF" && !gdi::LooksLikeEmf(*file))
    return Status{StatusCode::kBadFormat, "EMF ではありません", 0};
  return FromBytes(std::move(file).value());
}

void MetafilePicture::PlayInto(gdi::DeviceContext& dc, const gdi::Rect& rect) const {
  if (rect.left == rect.right || rect.top == rect.bottom) return;
  // Checked when read: a refusal here cannot happen, and would only cut
  // the picture short.
  (void)gdi::PlayMetafile(bytes_, dc, rect);
}

}  // namespace kartela
