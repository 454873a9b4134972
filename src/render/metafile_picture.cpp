#include "render/metafile_picture.h"

#include "base/file_io.h"

namespace kartela {
namespace {

std::string Where(const gdi::MetafileError& error) {
  return error.reason + " (offset " + std::to_string(error.offset) + ")";
}

}  // namespace

std::variant<std::shared_ptr<const MetafilePicture>, std::string> MetafilePicture::FromBytes(
    std::string bytes) {
  const auto inspected = gdi::InspectMetafile(bytes);
  if (const auto* error = std::get_if<gdi::MetafileError>(&inspected)) return Where(*error);
  const gdi::MetafileInfo& info = std::get<gdi::MetafileInfo>(inspected);
  if (info.size.cx <= 0 || info.size.cy <= 0) return std::string("大きさのない絵です");
  if (const auto error = gdi::CheckMetafile(bytes)) return Where(*error);
  return std::shared_ptr<const MetafilePicture>(new MetafilePicture(std::move(bytes), info));
}

std::variant<std::shared_ptr<const MetafilePicture>, std::string> MetafilePicture::Read(
    const std::filesystem::path& path) {
  FileBytes file = ReadFileUpTo(path, kMaxMetafileBytes);
  if (file.status == FileReadStatus::kTooLarge) return std::string(kFileTooLargeReason);
  if (file.status != FileReadStatus::kOk) return std::string("ファイルが読めません");
  return FromBytes(std::move(file.bytes));
}

void MetafilePicture::PlayInto(gdi::DeviceContext& dc, const gdi::Rect& rect) const {
  if (rect.left == rect.right || rect.top == rect.bottom) return;
  // Checked when read: a refusal here cannot happen, and would only cut
  // the picture short.
  gdi::PlayMetafile(bytes_, dc, rect);
}

}  // namespace kartela
