// What each target of the exporter is given. Every picture is the whole map
// drawn by the one paint routine from (0, 0); the targets differ only in the
// device they draw on and in what the settings below choose. The clipboard
// and the printer take settings structs of their own beside these.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <variant>

namespace kartela::output {

// Raster image (a PNG file, the clipboard's bitmap): the drawing extent times
// `scale` pixels, on the screen's background colour (white for a monochrome
// picture).
struct BitmapSettings {
  std::uint8_t paint_flags = 0;  // kPaintMonochrome, kPaintNoText
  double scale = 1.0;
};

// SVG and PDF: vector pictures whose texts stay texts (fonts named in the
// SVG, embedded in the PDF), sized as the bitmap of the same scale at 96
// pixels per inch.
struct SvgSettings {
  std::uint8_t paint_flags = 0;
  double scale = 1.0;
};

struct PdfSettings {
  std::uint8_t paint_flags = 0;
  double scale = 1.0;
};

// Metafile files as the save command writes them; the physical size follows
// the reference screen's resolution.
struct EmfSettings {
  std::uint8_t paint_flags = 0;
  std::int32_t pixels_per_inch = 96;
};

struct WmfSettings {
  std::uint8_t paint_flags = 0;
  std::int32_t pixels_per_inch = 96;
};

// The printer: one page per copy, the map from the top-left margin. A
// magnification below 0 fits the map into the printable area; the line
// width is in printer pixels.
struct PrintMargins {
  std::int32_t left = 20, right = 20, top = 25, bottom = 25;  // millimetres
};

// kAuto takes the orientation in which the map fits larger.
enum class PageOrientation : std::uint8_t { kPortrait, kLandscape, kAuto };

struct PrinterSettings {
  PrintMargins margins;
  std::int32_t copies = 1;
  double magnification = -1.0;
  std::int16_t line_width = 2;
  PageOrientation orientation = PageOrientation::kPortrait;
};

using FileSettings =
    std::variant<BitmapSettings, SvgSettings, PdfSettings, EmfSettings, WmfSettings>;

// The settings for the file type of `path`'s extension (.png, .svg, .pdf,
// .emf, .wmf, any letter case), with `paint_flags`; nothing for another
// extension.
std::optional<FileSettings> FileSettingsFor(const std::filesystem::path& path,
                                            std::uint8_t paint_flags);

}  // namespace kartela::output
