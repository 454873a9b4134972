#include "render/background_picture.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "base/numbers.h"
#include "base/text_helpers.h"
#include "render/metafile_picture.h"

namespace kartela {
namespace {

// The placeable header's words: the low half of its key, the bounding box
// and the units per inch.
constexpr std::uint16_t kPlaceableKeyLow = 0xCDD7;
constexpr std::size_t kBoxLeft = 3;
constexpr std::size_t kBoxTop = 4;
constexpr std::size_t kBoxRight = 5;
constexpr std::size_t kBoxBottom = 6;
constexpr std::size_t kUnitsPerInch = 7;
// The first words of the file searched for an EMF carried inside ("WMFC"),
// from the first word after the placeable header.
constexpr std::size_t kHeadWords = 80;
constexpr std::size_t kFirstRecordWord = 11;
constexpr std::uint16_t kWmfcLow = 0x4D57;   // "WM"
constexpr std::uint16_t kWmfcHigh = 0x4346;  // "FC"
constexpr std::int64_t kScreenUnitsPerInch = 96;

using HeadWords = std::array<std::uint16_t, kHeadWords>;

// Words past the end of the file count as 0.
HeadWords ReadHeadWords(const std::string& bytes) {
  HeadWords words{};
  const std::size_t count = std::min(kHeadWords, bytes.size() / 2);
  for (std::size_t i = 0; i < count; ++i) {
    words[i] = static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                          static_cast<unsigned char>(bytes[2 * i + 1]) << 8);
  }
  return words;
}

bool CarriesEmf(const HeadWords& words) {
  for (std::size_t i = kFirstRecordWord; i + 1 < words.size(); ++i) {
    if (words[i] == kWmfcLow && words[i + 1] == kWmfcHigh) return true;
  }
  return false;
}

// A bounding-box coordinate in screen pixels.
std::int32_t BoxPixels(const HeadWords& words, std::size_t index) {
  const auto value = static_cast<std::int16_t>(words[index]);
  return static_cast<std::int32_t>(value * kScreenUnitsPerInch / words[kUnitsPerInch]);
}

std::uint16_t SizeField(std::int64_t value) {
  return ClampTo<std::uint16_t>(value);
}

void Show(Workspace& workspace, std::shared_ptr<const MetafilePicture> picture, BackgroundMode mode,
          PictureSize size, PictureBounds bounds) {
  MapView& view = workspace.view;
  view.Picture = std::move(picture);
  view.Background = mode;
  view.BackgroundSize = size;
  view.BackgroundBounds = bounds;
}

}  // namespace

Status LoadBackgroundPicture(const std::filesystem::path& path, Workspace& workspace) {
  auto read = MetafilePicture::Read(path);
  if (!read.ok()) return {read.status().code(), PictureRefusalText(read.status())};
  auto picture = std::move(read).value();
  const gdi::MetafileInfo& info = picture->info();
  // A file named ".emf" is an EMF here: MetafilePicture::Read refuses others.
  if (ToUpperAscii(path.extension().string()) == ".EMF") {
    const PictureSize size{SizeField(info.size.cx), SizeField(info.size.cy)};
    workspace.settings.UsePalette = 1;
    Show(workspace, std::move(picture), BackgroundMode::kSize, size, {});
    return {};
  }
  const HeadWords words = ReadHeadWords(picture->bytes());
  if (words[0] != kPlaceableKeyLow || info.format != gdi::MetafileFormat::kPlaceableWmf ||
      words[kUnitsPerInch] == 0) {
    return {StatusCode::kBadFormat, "プレースブルメタファイルではありません"};
  }
  const PictureBounds bounds{BoxPixels(words, kBoxLeft), BoxPixels(words, kBoxTop),
                             BoxPixels(words, kBoxRight), BoxPixels(words, kBoxBottom)};
  const PictureSize size{SizeField(bounds.right), SizeField(bounds.bottom)};
  Show(workspace, std::move(picture),
       CarriesEmf(words) ? BackgroundMode::kSize : BackgroundMode::kBounds, size, bounds);
  return {};
}

}  // namespace kartela
