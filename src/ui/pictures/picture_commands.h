// The picture commands of the 画像 menu that write files: the metafile save
// (WMF or EMF) with its option and format dialogs, the EMF save, the SVG, PDF and PNG
// saves, and the choice of how boundary lines are treated on save and copy.
// Every file is drawn by the exporter and written by replacing the file
// only with a complete one.
#pragma once

#include <QString>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>

#include "output/export_settings.h"
#include "ui/data/data_commands.h"
#include "ui/widgets/app_context.h"
#include "ui/widgets/dialog_runner.h"

namespace kartela {

// The question asked before a save or copy, and its answer as PaintFlags
// bit 0: nothing asked when ColorChange is 3 (never convert) or 4 (always).
enum class LineColourQuestion { kNone, kAsk };
struct LineColourRule {
  LineColourQuestion question = LineColourQuestion::kNone;
  std::uint8_t flags = 0;  // when nothing is asked
};
// ColorChange 1 asks when the screen's line colour is not black, 2 when it
// is white; 4 converts without asking; 3 and any other value never convert.
LineColourRule LineColourRuleFor(std::int16_t color_change, gdi::Color line_colour);

// `chosen` with the extension the save gives it: kept when it is one of
// `accepted` (lower-cased), otherwise cut off and `fallback` appended.
std::filesystem::path WithPictureExtension(const std::filesystem::path& chosen,
                                           std::initializer_list<std::string_view> accepted,
                                           std::string_view fallback);

class PictureCommands {
 public:
  explicit PictureCommands(AppContext& context);

  void WMetaSaveClick();
  void EmfSaveClick();
  void SvgSaveClick();
  void PdfSaveClick();
  void PngSaveClick();
  void LineColorChangeClick();

  // PaintFlags bit 0 for the save or copy (1: black lines and texts on
  // white), or -1 when the user cancels.
  int AskLineColour();
  // Writes the metafile of the map; the form follows the extension of
  // `path` (.emf: EMF, anything else: WMF).
  Status SaveMetafile(const std::filesystem::path& path, std::uint8_t paint_flags);

  // Replace how the commands ask: tests answer without blocking.
  void SetDialogRunner(DialogRunner runner) { run_dialog_ = std::move(runner); }
  void SetSaveDialog(DataDialogs::Dialog dialog) { save_dialog_ = std::move(dialog); }

 private:
  // Message 16 when no map is drawn.
  bool MapDrawn();
  // The metafile saves' questions (line colour, picture only): their
  // PaintFlags, or nothing when no map is drawn or the user cancels.
  std::optional<std::uint8_t> MetafilePaintFlags();
  // The save dialog; nothing when cancelled or given a wildcard.
  std::optional<std::filesystem::path> ChooseFile(const QString& title, const QString& filter);
  // The metafile's extension for a name that has neither: asks when
  // enhanced metafiles are offered; nothing when cancelled.
  std::optional<std::string_view> MetafileExtension();
  // Asks the line colour, the file, the overwrite; then saves and reports.
  void SavePicture(const QString& title, const QString& filter, std::string_view extension,
                   output::FileSettings settings);
  Status Write(const output::FileSettings& settings, const std::filesystem::path& path);
  // The notice, or message 5 with the cause.
  void Report(const Status& saved);

  AppContext& context_;
  DialogRunner run_dialog_ = ExecModal;
  DataDialogs::Dialog save_dialog_;
  int png_scale_ = 1;
};

}  // namespace kartela
