// The settings record: every value that persists between runs, with its
// defaults, and the mask of values changed during the run.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "model/log_font.h"

namespace kartela {

// Bits of ChangedMask and SaveMask: which persisted value changed, and which
// changes are written back at shutdown.
inline constexpr std::uint16_t kChangedItemLength = 0x0001;  // area-name length or save mask
inline constexpr std::uint16_t kChangedWindow = 0x0002;
inline constexpr std::uint16_t kChangedDataDir = 0x0004;
inline constexpr std::uint16_t kChangedDataExt = 0x0008;
inline constexpr std::uint16_t kChangedBaseMap = 0x0010;
inline constexpr std::uint16_t kChangedPrintSize = 0x0020;
inline constexpr std::uint16_t kChangedDrawSize = 0x0040;
inline constexpr std::uint16_t kChangedDrawPosition = 0x0080;
inline constexpr std::uint16_t kChangedDivision = 0x0100;
inline constexpr std::uint16_t kChangedPattern = 0x0200;
inline constexpr std::uint16_t kChangedTitleFont = 0x0400;
inline constexpr std::uint16_t kChangedIndexFont = 0x0800;
inline constexpr std::uint16_t kChangedFancyFont = 0x1000;
inline constexpr std::uint16_t kChangedAreaFont = 0x2000;
inline constexpr std::uint16_t kChangedLineWidth = 0x4000;
inline constexpr std::uint16_t kChangedColorChange = 0x8000;
// Changes of the keys added later. SaveMask has no box of their own: the
// legend options are saved with the legend font, the colour scheme with the
// pattern order (SaveBitOf), so that existing save masks keep them.
inline constexpr std::uint32_t kChangedLegendOptions = 0x10000;
inline constexpr std::uint32_t kChangedColorScheme = 0x20000;
// The legend heading and the source line, saved with the legend font.
inline constexpr std::uint32_t kChangedLegendHeading = 0x40000;
inline constexpr std::uint32_t kChangedSource = 0x80000;
inline constexpr std::uint32_t kChangedPrintOrientation = 0x100000;  // saved with PrintSize
// The last folders of the file dialogs, saved with the data directory.
inline constexpr std::uint32_t kChangedLastFolders = 0x200000;

// The kinds of file whose dialogs each open where the last one was left.
enum class FolderKind : std::uint8_t {
  kData,      // data files
  kDocument,  // map documents
  kPicture,   // metafiles read as pictures
  kExport,    // pictures written from the map
};
inline constexpr std::size_t kFolderKindCount = 4;

// Slots of RawSettingLines: the value text of each key as read, so that an
// unchanged or unsaved value passes through a rewrite unaltered.
enum RawSlot : std::size_t {
  kRawPosition = 0,
  kRawDataDir = 1,
  kRawDataExt = 2,
  kRawBaseMap = 3,
  kRawPrintSize = 4,
  kRawDrawSize = 5,
  kRawDrawPosition = 6,
  kRawDivision = 7,
  kRawPattern = 8,
  kRawTitleFont = 9,
  kRawIndexFont = 10,
  kRawFancyFont = 11,
  kRawAreaFont = 12,
  kRawLineWidth = 13,
  kRawColorChange = 14,
  kRawBreakMethod = 15,
  kRawLegendOptions = 16,
  kRawColorScheme = 17,
  kRawLegendHeading = 18,
  kRawSource = 19,
  kRawPrintOrientation = 20,
  kRawLastFolders = 21,  // kFolderKindCount slots, in FolderKind order
  kRawSlotCount = kRawLastFolders + kFolderKindCount,
};

// Window left values that stand for a window state rather than a position.
inline constexpr std::int32_t kWindowLeftMaximum = 32767;
inline constexpr std::int32_t kWindowLeftIcon = 32766;
// Longest WindowState kept, in bytes.
inline constexpr std::size_t kMaxWindowStateBytes = 33;

// Class counts that have a row in PatternOrder: row r serves r + 2 classes.
inline constexpr int kMinClassCount = 2;
inline constexpr int kMaxClassCount = 8;
using PatternOrderTable = std::array<std::array<std::uint8_t, 8>, 7>;

// Values of PrintOrientation: the paper of a map print; kPrintAutoOrientation
// (with a print size that fits the page) the one in which the map is larger.
inline constexpr std::uint8_t kPrintPortrait = 0;
inline constexpr std::uint8_t kPrintLandscape = 1;
inline constexpr std::uint8_t kPrintAutoOrientation = 2;

// Bits of LegendOptions: what a paint map's legend adds, all off by default.
inline constexpr std::uint8_t kLegendMissingRow = 0x01;  // "データなし" when areas lack a value
inline constexpr std::uint8_t kLegendCounts = 0x02;      // "（12）": the areas of each class
inline constexpr std::uint8_t kLegendThousands = 0x04;   // "1,234,567"
inline constexpr std::uint8_t kLegendBoundWords = 0x08;  // "10以上 20未満" rather than "10 ～ 20"
inline constexpr std::uint8_t kLegendOptionMask = 0x0F;

// Longest legend heading and source line, in Shift-JIS bytes.
inline constexpr std::size_t kMaxFurnitureTextBytes = 80;

// The source line as the settings file and map documents store it: its text
// after "R," when it stands at the lower right, and after "L," when it stands
// at the lower left but itself begins with one of the two marks.
struct SourceLine {
  bool right = false;
  std::string_view text;
};
SourceLine SplitSourceLine(std::string_view stored);
std::string JoinSourceLine(bool right, std::string_view text);

// The sizes offered by every font dialog.
inline constexpr std::array<std::string_view, 10> FontSizeChoices = {"4",  "6",  "8",  "10", "12",
                                                                     "16", "20", "24", "32", "48"};

struct Settings {
  std::int32_t WindowLeft = 10;
  std::int32_t WindowTop = 10;
  std::int32_t WindowWidth = 620;
  std::int32_t WindowHeight = 380;
  std::string WindowState;  // "MAX" or empty; upper case, at most kMaxWindowStateBytes

  std::int16_t ItemLength = 26;      // area-name length shown in this run
  std::int16_t NextItemLength = 26;  // area-name length written back
  std::int32_t SaveMask = 0xFFDF;    // which changes are written back

  std::string DataDir;                // Shift-JIS, with a trailing separator
  std::string DataExt = ".DAT";       // with its dot
  std::string BaseMapFile;            // Shift-JIS file name, looked up in the program directory
  double PrintSize = -1.0;            // below 0: fit to the page
  std::uint8_t PrintOrientation = 0;  // kPrint... below
  double DrawResX = 1.0;
  double DrawResY = 1.0;
  std::int16_t DrawPosX = 0;
  std::int16_t DrawPosY = 0;
  std::int16_t ClassCount = 5;
  // How boundaries are proposed, kept with the class count (its change bit):
  // a method id, empty until the user chooses one, and whether the
  // boundaries are rounded to round numbers.
  std::string BreakMethod;
  std::uint8_t RoundBreaks = 0;
  PatternOrderTable PatternOrder{};  // row r, entry i: brush of class i of r + 2 classes
  std::uint8_t UsePalette = 1;

  LogFont TitleFont;
  std::int16_t TitleOffsetX = 0;
  std::int16_t TitleOffsetY = 2;
  LogFont IndexFont;
  std::int16_t LegendOffsetX = 0;
  std::int16_t LegendOffsetY = 0;
  std::int16_t LegendStyle = 1;
  LogFont FancyFont;
  LogFont AreaFont;
  std::int16_t AreaNameFlags = 0;
  std::int16_t BorderStyle = 0;
  std::int16_t ColorChange = 1;
  std::int32_t ShowHint = 1;  // 0 off, 1 on; 2 and 3 the same, changed in this run
  std::uint8_t EmfMode = 0;   // low two bits the mode; 5, 7, 8 set by a switch in this run

  std::uint8_t LegendOptions = 0;  // kLegend... bits
  std::string ColorScheme;         // a name of ColorSchemes(); empty: the pattern order
  // A line above the legend ("単位：人") and one at the lower left of the
  // drawing, or the lower right ("出典：…"); Shift-JIS, empty: none.
  std::string LegendHeading;
  std::string SourceText;
  std::uint8_t SourceAtRight = 0;
  // Shift-JIS, with a trailing separator; empty until a dialog of the kind
  // was used. Indexed by FolderKind.
  std::array<std::string, kFolderKindCount> LastFolders;

  std::uint32_t ChangedMask = 0;
  std::array<std::string, kRawSlotCount> RawSettingLines;
};

// The SaveMask bit that decides whether the change `changed_bit` is written
// back: its own for the first sixteen, the kin key's for the later ones.
std::uint32_t SaveBitOf(std::uint32_t changed_bit);

// The default PatternOrder: in row r, entry i is 24 + i for the r + 2 classes
// of the row and 0 after them.
PatternOrderTable DefaultPatternOrder();

// The settings of a fresh installation. `program_dir` is the program
// directory as Shift-JIS text with its trailing separator.
Settings DefaultSettings(std::string_view program_dir);

}  // namespace kartela
