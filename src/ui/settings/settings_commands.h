// The settings commands: data directory, data-file extension, area-name
// length and what the settings file keeps. Each changes the settings and
// their ChangedMask bit only when its dialog ends with OK.
#pragma once

#include <QPointer>
#include <QString>
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "model/settings.h"
#include "ui/widgets/app_context.h"
#include "ui/widgets/dialog_runner.h"

class QDialog;
class QWidget;

namespace kartela {

class TDataExtDialog;
class TDataWindow;
class TDirSelectDialog;
class TIniEmbDialog;
class TItemLenDialog;

// --- The data directory (UTF-8 path text; "/" separates directories) ---

// The typed directory as an absolute, clean path without a trailing
// separator (the root keeps its own); a relative name is taken from the
// current directory. Empty for a blank text.
QString ChosenDirectory(const QString& typed);
// `directory` ending in one separator, as DataDir is stored.
QString WithTrailingSeparator(const QString& directory);

// --- The data-file extension (Shift-JIS) ---

// Extensions that the program's own files use: a new data extension must
// not occur anywhere inside this text.
inline constexpr std::string_view kReservedExtensions = ".KTD .WMF .EXE .INI";
inline constexpr std::size_t kMaxDataExtBytes = 4;  // with the dot

enum class DataExtVerdict {
  kAccepted,
  kEmpty,      // nothing typed: the extension stays
  kReserved,   // message 19 with the extension
  kMalformed,  // a character a file name or a name filter cannot take
};

struct DataExtCheck {
  DataExtVerdict verdict = DataExtVerdict::kEmpty;
  std::string ext;  // the normalised extension: dot first, at most 4 bytes, upper case
};

// Normalises the typed extension `typed` (Shift-JIS) and judges it: a dot is
// put in front when missing, the text is cut to 4 bytes (never inside a
// double-byte character) and upper-cased; then it is refused when it occurs
// in kReservedExtensions, or when a character after the dot is a blank, a
// control character, a dot, a path separator, or one of * ? [ ] : ; " < > | ( ).
DataExtCheck CheckDataExt(std::string_view typed);

// --- The area-name length ---

inline constexpr int kMinItemLength = 2;
inline constexpr int kMaxItemLength = 36;

// The typed length: a whole decimal number (blanks around it and a sign
// allowed) from 2 to 36; nothing otherwise.
std::optional<std::int16_t> ParseItemLength(std::string_view text);
// ParseItemLength on the text of the length box, where full-width digits
// count as digits.
std::optional<std::int16_t> ItemLengthOfText(const QString& typed);

// --- What the settings file keeps ---

// The SaveMask bit of each of the fifteen check boxes, in their order.
inline constexpr std::array<std::uint16_t, 15> kSaveMaskBoxBits = {
    kChangedWindow,    kChangedDataDir,   kChangedDataExt,      kChangedBaseMap,
    kChangedPrintSize, kChangedDrawSize,  kChangedDrawPosition, kChangedDivision,
    kChangedPattern,   kChangedTitleFont, kChangedIndexFont,    kChangedFancyFont,
    kChangedAreaFont,  kChangedLineWidth, kChangedColorChange};
using SaveMaskChecks = std::array<bool, kSaveMaskBoxBits.size()>;

// Which boxes show checked for `save_mask`.
SaveMaskChecks ChecksOfSaveMask(std::int32_t save_mask);
// The mask of the checked boxes, plus bit 0x0001, which is always saved.
std::int32_t SaveMaskOfChecks(const SaveMaskChecks& checks);

class SettingsCommands {
 public:
  SettingsCommands(AppContext& context, TDataWindow& data_window);
  ~SettingsCommands();

  void DefDataDirClick();
  void DefDataExtClick();
  void DefAreaLengthClick();
  void DefINIFileClick();

  // Replaces how the commands run their modal dialogs.
  void SetDialogRunner(DialogRunner runner);

 private:
  // The parent of the dialogs: the main window, or the data window without one.
  // Places `dialog` at the given offsets and shows it; true when it ended with OK.
  bool PlacedAndAccepted(QDialog& dialog, int columns, int rows);
  // Asks to create the missing `directory` and creates it on Yes; false when
  // declined or when it cannot be made (then said so).
  bool CreateMissingDirectory(const QString& directory);
  // Shows a refusal that has no catalogue entry.
  void ShowRefusal(const QString& text);

  AppContext& context_;
  TDataWindow& data_window_;
  DialogRunner run_dialog_ = ExecModal;
  // Created at first use and kept, so each shows its last contents again.
  QPointer<TDirSelectDialog> dir_select_dialog_;
  QPointer<TDataExtDialog> data_ext_dialog_;
  QPointer<TItemLenDialog> item_len_dialog_;
  QPointer<TIniEmbDialog> ini_emb_dialog_;
};

}  // namespace kartela
