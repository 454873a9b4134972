#include "render/metafile_picture.h"

#include "base/file_io.h"

namespace kartela {
namespace {

std::string Where(const Status& status) {
  if (!status.offset()) return status.detail();
  return status.detail() + " (offset " + std::to_string(*status.offset()) + ")";
}

}  // namespace

std::variant<std::shared_ptr<const MetafilePicture>, std::string> MetafilePicture::FromBytes(
    std::string bytes) {
  const StatusOr<gdi::MetafileInfo> inspected = gdi::InspectMetafile(bytes);
  if (!inspected.ok()) return Where(inspected.status());
  const gdi::MetafileInfo& info = *inspected;
  if (info.size.cx <= 0 || info.size.cy <= 0) return std::string("大きさのない絵です");
  if (const Status checked = gdi::CheckMetafile(bytes); !checked.ok()) return Where(checked);
  return std::shared_ptr<const MetafilePicture>(new MetafilePicture(std::move(bytes), info));
}

std::variant<std::shared_ptr<const MetafilePicture>, std::string> MetafilePicture::Read(
    const std::filesystem::path& path) {
  StatusOr<std::string> file = ReadFileUpTo(path, kMaxMetafileBytes);
  if (file.status().code() == StatusCode::kTooLarge) return std::string(kFileTooLargeReason);
  if (!file.ok()) return std::string("ファイルが読めません");
  return FromBytes(std::move(file).value());
}

void MetafilePicture::PlayInto(gdi::DeviceContext& dc, const gdi::Rect& rect) const {
  if (rect.left == rect.right || rect.top == rect.bottom) return;
  // Checked when read: a refusal here cannot happen, and would only cut
  // the picture short.
  (void)gdi::PlayMetafile(bytes_, dc, rect);
}

}  // namespace kartela
