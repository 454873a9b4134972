#include "model/settings_file.h"

#include <algorithm>
#include <array>
#include <initializer_list>
#include <limits>

#include "base/file_io.h"
#include "base/line_reader.h"
#include "base/numbers.h"
#include "base/text_encoding.h"
#include "base/text_helpers.h"

namespace kartela {
namespace {

constexpr std::size_t kLabelWidth = 14;
constexpr std::string_view kLineEnd = "\r\n";
constexpr std::int32_t kMaxItemLength = 36;
constexpr std::size_t kMaxBreakMethodBytes = 32;

// ---- Reading ---------------------------------------------------------------

// Cuts the next comma-separated piece off the front of `rest`.
std::string TakeField(std::string& rest) {
  auto [head, tail] = SplitAt(',', rest);
  rest = std::move(tail);
  return head;
}

// Values arrive with their comment cut (ApplyLine); blanks and tabs are
// trimmed.
std::string Trimmed(std::string_view text) {
  return std::string(Trim(text, Blanks::kSpaceTab));
}

// At most `max_bytes` of `text` without blanks at either end; trimmed again
// after the cut, so that the kept text reads back the same from a file.
std::string TrimmedPrefix(std::string_view text, std::size_t max_bytes) {
  return Trimmed(sjis::CutToBytes(Trim(text, Blanks::kSpaceTab), max_bytes));
}

// The face and height that begin the value of every font key.
void ReadFontFace(std::string& rest, LogFont& font) {
  font.FaceName = TrimmedPrefix(TakeField(rest), kMaxFaceNameBytes);
  font.Height = ReadLeadingInt(TakeField(rest));
}

void ReadPosition(std::string_view value, Settings& settings) {
  const std::string upper = sjis::ToUpper(value);
  if (upper == "MAXIMUM") {
    settings.WindowLeft = kWindowLeftMaximum;
    return;
  }
  if (upper == "ICON") {
    settings.WindowLeft = kWindowLeftIcon;
    return;
  }
  std::string rest(value);
  settings.WindowLeft = ReadLeadingInt(TakeField(rest));
  settings.WindowTop = ReadLeadingInt(TakeField(rest));
  settings.WindowWidth = ReadLeadingInt(TakeField(rest));
  settings.WindowHeight = ReadLeadingInt(TakeField(rest));
  settings.WindowState = TrimmedPrefix(sjis::ToUpper(rest), kMaxWindowStateBytes);
}

void ReadBaseMap(std::string_view value, Settings& settings) {
  // Base maps are always looked up in the program directory, under ".IDT".
  const std::string name = Trimmed(SplitPath(value).name);
  if (!name.empty()) settings.BaseMapFile = name + ".IDT";
}

void ReadDataDir(std::string_view value, Settings& settings) {
  settings.DataDir = value;
}

void ReadDataExt(std::string_view value, Settings& settings) {
  settings.DataExt = value;
}

void ReadPrintSize(std::string_view value, Settings& settings) {
  settings.PrintSize = ReadLeadingReal(value);
}

void ReadDrawSize(std::string_view value, Settings& settings) {
  std::string rest(value);
  settings.DrawResX = ReadLeadingReal(TakeField(rest));
  settings.DrawResY = ReadLeadingReal(rest);
}

void ReadDrawPosition(std::string_view value, Settings& settings) {
  std::string rest(value);
  settings.DrawPosX = ReadLeadingInt16(TakeField(rest));
  settings.DrawPosY = ReadLeadingInt16(rest);
}

void ReadDivision(std::string_view value, Settings& settings) {
  // Only class counts with a PatternOrder row can be drawn.
  settings.ClassCount = static_cast<std::int16_t>(
      std::clamp<std::int32_t>(ReadLeadingInt(value), kMinClassCount, kMaxClassCount));
}

// The id is checked where it is used: an unknown one proposes by equal counts.
void ReadBreakMethod(std::string_view value, Settings& settings) {
  std::string rest(value);
  settings.BreakMethod = TrimmedPrefix(TakeField(rest), kMaxBreakMethodBytes);
  settings.RoundBreaks = ReadLeadingInt(rest) != 0 ? 1 : 0;
}

void ReadPattern(std::string_view value, Settings& settings) {
  std::string rest(value);
  for (auto& row : settings.PatternOrder) {
    for (auto& entry : row) {
      entry = static_cast<std::uint8_t>(std::clamp(ReadLeadingInt(TakeField(rest)), 0, 255));
    }
  }
  settings.UsePalette = ReadLeadingInt(rest) != 0 ? 1 : 0;
}

void ReadTitleFont(std::string_view value, Settings& settings) {
  std::string rest(value);
  ReadFontFace(rest, settings.TitleFont);
  settings.TitleOffsetX = ReadLeadingInt16(TakeField(rest));
  settings.TitleOffsetY = ReadLeadingInt16(TakeField(rest));
}

void ReadIndexFont(std::string_view value, Settings& settings) {
  std::string rest(value);
  ReadFontFace(rest, settings.IndexFont);
  settings.LegendOffsetX = ReadLeadingInt16(TakeField(rest));
  settings.LegendOffsetY = ReadLeadingInt16(TakeField(rest));
  settings.LegendStyle = ReadLeadingInt16(TakeField(rest));
}

void ReadFancyFont(std::string_view value, Settings& settings) {
  std::string rest(value);
  ReadFontFace(rest, settings.FancyFont);
}

void ReadAreaFont(std::string_view value, Settings& settings) {
  std::string rest(value);
  ReadFontFace(rest, settings.AreaFont);
  settings.AreaNameFlags = ReadLeadingInt16(TakeField(rest));
}

void ReadLineWidth(std::string_view value, Settings& settings) {
  settings.BorderStyle = ReadLeadingInt16(value);
}

void ReadColorChange(std::string_view value, Settings& settings) {
  settings.ColorChange = ReadLeadingInt16(value);
}

void ReadLegendOptions(std::string_view value, Settings& settings) {
  settings.LegendOptions =
      static_cast<std::uint8_t>(ReadLeadingInt(value) & static_cast<int>(kLegendOptionMask));
}

void ReadPrintOrientation(std::string_view value, Settings& settings) {
  const std::int32_t orientation = ReadLeadingInt(value);
  settings.PrintOrientation = orientation == kPrintLandscape || orientation == kPrintAutoOrientation
                                  ? static_cast<std::uint8_t>(orientation)
                                  : kPrintPortrait;
}

void ReadColorScheme(std::string_view value, Settings& settings) {
  settings.ColorScheme = Trimmed(value);
}

void ReadLegendHeading(std::string_view value, Settings& settings) {
  settings.LegendHeading = TrimmedPrefix(value, kMaxFurnitureTextBytes);
}

// "R," before the text puts the line at the lower right.

void ReadSource(std::string_view value, Settings& settings) {
  const std::string text = Trimmed(value);
  const SourceLine line = SplitSourceLine(text);
  settings.SourceAtRight = line.right ? 1 : 0;
  settings.SourceText = TrimmedPrefix(line.text, kMaxFurnitureTextBytes);
}

void ReadItemLength(std::string_view value, Settings& settings) {
  // Longer names than 36 bytes do not fit the data window; there is no lower limit.
  const std::int32_t length = std::clamp<std::int32_t>(
      ReadLeadingInt(value), std::numeric_limits<std::int16_t>::min(), kMaxItemLength);
  settings.ItemLength = static_cast<std::int16_t>(length);
  settings.NextItemLength = settings.ItemLength;
}

void ReadSaveMask(std::string_view value, Settings& settings) {
  settings.SaveMask = ReadLeadingInt(value);
}

void ReadShowHint(std::string_view value, Settings& settings) {
  settings.ShowHint = ReadLeadingInt(value) != 0 ? 1 : 0;
}

void ReadZflag(std::string_view value, Settings& settings) {
  // A value that does not fit the byte is ignored rather than wrapped.
  const std::int32_t mode = ReadLeadingInt(value);
  if (mode >= 0 && mode <= 255) settings.EmfMode = static_cast<std::uint8_t>(mode);
}

// ---- Writing ---------------------------------------------------------------

std::string Joined(std::initializer_list<std::string> fields) {
  std::string text;
  for (const auto& field : fields) {
    if (&field != fields.begin()) text += ',';
    text += field;
  }
  return text;
}

std::string Int(std::int64_t value) {
  return std::to_string(value);
}

// Two decimals, no padding: 1.0 is "1.00", -1.0 is "-1.00".
std::string Real(double value) {
  return FormatFixed(value, 0, 2);
}

std::string Face(const LogFont& font) {
  return std::string(sjis::CutToBytes(font.FaceName, kMaxFaceNameBytes));
}

std::string FormatPosition(const Settings& s) {
  std::string text =
      Joined({Int(s.WindowLeft), Int(s.WindowTop), Int(s.WindowWidth), Int(s.WindowHeight)});
  if (!s.WindowState.empty()) text += "," + s.WindowState;
  return text;
}

std::string FormatBaseMap(const Settings& s) {
  return s.BaseMapFile;
}
std::string FormatDataDir(const Settings& s) {
  return s.DataDir;
}
std::string FormatDataExt(const Settings& s) {
  return s.DataExt;
}
std::string FormatPrintSize(const Settings& s) {
  return Real(s.PrintSize);
}
std::string FormatDrawSize(const Settings& s) {
  return Joined({Real(s.DrawResX), Real(s.DrawResY)});
}
std::string FormatDrawPosition(const Settings& s) {
  return Joined({Int(s.DrawPosX), Int(s.DrawPosY)});
}
std::string FormatDivision(const Settings& s) {
  return Int(s.ClassCount);
}

std::string FormatBreakMethod(const Settings& s) {
  return Joined({s.BreakMethod, Int(s.RoundBreaks)});
}
bool BreakMethodChosen(const Settings& s) {
  return !s.BreakMethod.empty();
}

std::string FormatPattern(const Settings& s) {
  std::string text;
  for (const auto& row : s.PatternOrder) {
    for (const std::uint8_t entry : row) {
      text += Int(entry) + ",";
    }
  }
  return text + (s.UsePalette != 0 ? "1" : "0");
}

std::string FormatTitleFont(const Settings& s) {
  return Joined(
      {Face(s.TitleFont), Int(s.TitleFont.Height), Int(s.TitleOffsetX), Int(s.TitleOffsetY)});
}

std::string FormatIndexFont(const Settings& s) {
  return Joined({Face(s.IndexFont), Int(s.IndexFont.Height), Int(s.LegendOffsetX),
                 Int(s.LegendOffsetY), Int(s.LegendStyle)});
}

std::string FormatFancyFont(const Settings& s) {
  return Joined({Face(s.FancyFont), Int(s.FancyFont.Height)});
}

std::string FormatAreaFont(const Settings& s) {
  return Joined({Face(s.AreaFont), Int(s.AreaFont.Height), Int(s.AreaNameFlags)});
}

std::string FormatLineWidth(const Settings& s) {
  return Int(s.BorderStyle);
}
std::string FormatColorChange(const Settings& s) {
  return Int(s.ColorChange);
}
std::string FormatLegendOptions(const Settings& s) {
  return Int(s.LegendOptions);
}
std::string FormatPrintOrientation(const Settings& s) {
  return Int(s.PrintOrientation);
}
std::string FormatColorScheme(const Settings& s) {
  return s.ColorScheme;
}
std::string FormatLegendHeading(const Settings& s) {
  return s.LegendHeading;
}
std::string FormatSource(const Settings& s) {
  return JoinSourceLine(s.SourceAtRight != 0, s.SourceText);
}

template <FolderKind kind>
void ReadLastFolder(std::string_view value, Settings& s) {
  s.LastFolders[static_cast<std::size_t>(kind)] = std::string(value);
}
template <FolderKind kind>
std::string FormatLastFolder(const Settings& s) {
  return s.LastFolders[static_cast<std::size_t>(kind)];
}
// Written once a dialog of the kind was used, and only when it reads back.
template <FolderKind kind>
bool LastFolderChosen(const Settings& s) {
  const std::string& folder = s.LastFolders[static_cast<std::size_t>(kind)];
  return !folder.empty() && UnstorableSettingCharacter(folder, SettingText::kDataDir) == 0;
}

// ---- The keys ----------------------------------------------------------------

// A key whose value text is kept as read and written back unless a saved
// change replaces it. In the order of the file.
struct KeptKey {
  std::string_view name;
  std::uint32_t changed_bit;
  RawSlot slot;
  void (*read)(std::string_view value, Settings& settings);
  std::string (*format)(const Settings& settings);
  // The text the value holds whole (DataDir) or the font whose face it
  // starts with; each must read back as it is written.
  std::string Settings::*whole_text = nullptr;
  LogFont Settings::*font = nullptr;
  // For a key written only once its value was chosen: whether it was.
  bool (*chosen)(const Settings& settings) = nullptr;
};

template <FolderKind kind>
constexpr KeptKey LastFolderKey(std::string_view name) {
  return {name,
          kChangedLastFolders,
          static_cast<RawSlot>(kRawLastFolders + static_cast<std::size_t>(kind)),
          ReadLastFolder<kind>,
          FormatLastFolder<kind>,
          nullptr,
          nullptr,
          LastFolderChosen<kind>};
}

constexpr std::array<KeptKey, 21 + kFolderKindCount> kKeptKeys = {{
    {"Position", kChangedWindow, kRawPosition, ReadPosition, FormatPosition},
    {"BaseMap", kChangedBaseMap, kRawBaseMap, ReadBaseMap, FormatBaseMap},
    {"DataDir", kChangedDataDir, kRawDataDir, ReadDataDir, FormatDataDir, &Settings::DataDir},
    {"DataExt", kChangedDataExt, kRawDataExt, ReadDataExt, FormatDataExt},
    {"PrintSize", kChangedPrintSize, kRawPrintSize, ReadPrintSize, FormatPrintSize},
    {"DrawSize", kChangedDrawSize, kRawDrawSize, ReadDrawSize, FormatDrawSize},
    {"DrawPosition", kChangedDrawPosition, kRawDrawPosition, ReadDrawPosition, FormatDrawPosition},
    {"Division", kChangedDivision, kRawDivision, ReadDivision, FormatDivision},
    {"BreakMethod", kChangedDivision, kRawBreakMethod, ReadBreakMethod, FormatBreakMethod, nullptr,
     nullptr, BreakMethodChosen},
    {"Pattern", kChangedPattern, kRawPattern, ReadPattern, FormatPattern},
    {"TitleFont", kChangedTitleFont, kRawTitleFont, ReadTitleFont, FormatTitleFont, nullptr,
     &Settings::TitleFont},
    {"IndexFont", kChangedIndexFont, kRawIndexFont, ReadIndexFont, FormatIndexFont, nullptr,
     &Settings::IndexFont},
    {"FancyFont", kChangedFancyFont, kRawFancyFont, ReadFancyFont, FormatFancyFont, nullptr,
     &Settings::FancyFont},
    {"AreaFont", kChangedAreaFont, kRawAreaFont, ReadAreaFont, FormatAreaFont, nullptr,
     &Settings::AreaFont},
    {"LineWidth", kChangedLineWidth, kRawLineWidth, ReadLineWidth, FormatLineWidth},
    {"ColorChange", kChangedColorChange, kRawColorChange, ReadColorChange, FormatColorChange},
    // Written only once set: a file that never had them stays as it was.
    {"LegendOptions", kChangedLegendOptions, kRawLegendOptions, ReadLegendOptions,
     FormatLegendOptions},
    {"ColorScheme", kChangedColorScheme, kRawColorScheme, ReadColorScheme, FormatColorScheme,
     &Settings::ColorScheme},
    {"LegendHeading", kChangedLegendHeading, kRawLegendHeading, ReadLegendHeading,
     FormatLegendHeading, &Settings::LegendHeading},
    {"Source", kChangedSource, kRawSource, ReadSource, FormatSource, &Settings::SourceText},
    {"PrintOrientation", kChangedPrintOrientation, kRawPrintOrientation, ReadPrintOrientation,
     FormatPrintOrientation},
    LastFolderKey<FolderKind::kData>("LastDataFolder"),
    LastFolderKey<FolderKind::kDocument>("LastDocumentFolder"),
    LastFolderKey<FolderKind::kPicture>("LastPictureFolder"),
    LastFolderKey<FolderKind::kExport>("LastExportFolder"),
}};

// Keys written from the current values only.
struct PlainKey {
  std::string_view name;
  void (*read)(std::string_view value, Settings& settings);
};

constexpr std::array<PlainKey, 4> kPlainKeys = {{
    {"ItemLength", ReadItemLength},
    {"Embiroment", ReadSaveMask},
    {"ShowHint", ReadShowHint},
    {"Zflag", ReadZflag},
}};

// Whether the current value of `key` is written: it was chosen, for a key
// that waits for a choice, and it reads back as it is written.
bool Storable(const KeptKey& key, const Settings& settings) {
  if (key.chosen != nullptr && !key.chosen(settings)) return false;
  if (key.whole_text != nullptr)
    return UnstorableSettingCharacter(settings.*key.whole_text, SettingText::kDataDir) == 0;
  if (key.font != nullptr)
    return UnstorableSettingCharacter((settings.*key.font).FaceName, SettingText::kFaceName) == 0;
  return true;
}

// The changes SaveMask keeps, each later key by its kin's bit.
std::uint32_t SavedChanges(const Settings& settings) {
  const auto save_mask = static_cast<std::uint32_t>(settings.SaveMask);
  std::uint32_t saved = 0;
  for (const auto& kept : kKeptKeys) {
    if ((settings.ChangedMask & kept.changed_bit) != 0 &&
        (save_mask & SaveBitOf(kept.changed_bit)) != 0)
      saved |= kept.changed_bit;
  }
  return saved | (settings.ChangedMask & save_mask & kChangedItemLength);
}

bool SameKey(std::string_view upper_key, std::string_view name) {
  return upper_key == ToUpperAscii(name);
}

void ApplyLine(std::string line, Settings& settings) {
  // The comment is cut first, so a "=" inside a comment never starts a value.
  TrimComment(line);
  auto [key, value] = SplitAt('=', line);
  key = ToUpperAscii(Trim(key, Blanks::kSpaceTab));
  TrimComment(value);
  // Extensions are compared in upper case; the kept text is the upper-cased one.
  if (SameKey(key, "DataExt")) value = sjis::ToUpper(value);
  for (const auto& kept : kKeptKeys) {
    if (!SameKey(key, kept.name)) continue;
    settings.RawSettingLines[kept.slot] = value;
    kept.read(value, settings);
    return;
  }
  for (const auto& plain : kPlainKeys) {
    if (SameKey(key, plain.name)) {
      plain.read(value, settings);
      return;
    }
  }
}

std::string Line(std::string_view name, std::string_view value) {
  std::string line(name);
  line.resize(std::max(kLabelWidth, line.size()), ' ');
  line += "= ";
  line += value;
  line += kLineEnd;
  return line;
}

// A hint state is written when it changed in this run, and also when it is
// off, so that a rewrite for another reason does not turn the hints back on.
bool ShouldWriteShowHint(const Settings& settings) {
  return settings.ShowHint >= 2 || settings.ShowHint % 2 == 0;
}

}  // namespace

char UnstorableSettingCharacter(std::string_view text, SettingText kind) {
  const std::string_view ends = " \t";
  if (!text.empty() && ends.find(text.front()) != std::string_view::npos) return text.front();
  if (!text.empty() && ends.find(text.back()) != std::string_view::npos) return text.back();
  // Trail bytes of double-byte characters are 0x40 or above: none of these.
  const std::string_view stops = kind == SettingText::kFaceName ? ";,\r\n" : ";\r\n";
  const std::size_t stop = text.find_first_of(stops);
  return stop == std::string_view::npos ? '\0' : text[stop];
}

void ParseSettings(std::string_view bytes, Settings& settings) {
  const DecodedText text = DecodeFileText(bytes);
  LineReader reader(text.bytes);
  std::string line;
  while (reader.Next(line)) {
    ApplyLine(std::move(line), settings);
  }
}

void ReadSettings(const std::filesystem::path& path, Settings& settings) {
  const StatusOr<std::string> read = ReadFileUpTo(path, kMaxSettingsFileBytes);
  if (read.ok()) ParseSettings(*read, settings);
}

bool ShouldWriteSettings(const Settings& settings) {
  return SavedChanges(settings) != 0 || settings.ShowHint >= 2 || settings.EmfMode >= 4;
}

std::string FormatSettings(const Settings& settings) {
  std::string text = Line("ItemLength", Int(settings.NextItemLength));
  text += Line("Embiroment", Int(settings.SaveMask));
  const auto saved_changes = SavedChanges(settings);
  for (const auto& kept : kKeptKeys) {
    // A value that would read back differently keeps the line as read.
    if ((saved_changes & kept.changed_bit) != 0 && Storable(kept, settings)) {
      text += Line(kept.name, kept.format(settings));
    } else if (const auto& raw = settings.RawSettingLines[kept.slot]; !raw.empty()) {
      text += Line(kept.name, raw);
    }
  }
  if (ShouldWriteShowHint(settings)) text += Line("ShowHint", Int(settings.ShowHint % 2));
  if (const int mode = settings.EmfMode & 3; mode == 1 || mode == 3) {
    text += Line("Zflag", Int(mode));
  }
  return EncodeFileText(text).value_or(std::move(text));
}

Status WriteSettings(const std::filesystem::path& path, const Settings& settings) {
  if (!ShouldWriteSettings(settings)) return {};
  return WriteFileAtomically(path, FormatSettings(settings));
}

}  // namespace kartela
