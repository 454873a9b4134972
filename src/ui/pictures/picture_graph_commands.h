// The commands that draw with metafiles: the picture graph (絵グラフ) and
// reading a metafile as the background picture (WMF形式 読み込み).
#pragma once

#include <QPointer>
#include <filesystem>

#include "ui/widgets/app_context.h"
#include "ui/widgets/dialog_runner.h"

namespace kartela {

class MapCommands;
class TDataWindow;
class TDrawWindow;
class TGlyphInfoDialog;

class PictureGraphCommands {
 public:
  PictureGraphCommands(AppContext& context, TDataWindow& data_window, TDrawWindow& draw_window,
                       MapCommands& map_commands);

  void MeGlyphMapClick();
  void WMetaLoadClick();

  // Reads `path` as the background picture and repaints; message 4 with the
  // reason when the file is refused.
  void LoadBackground(const std::filesystem::path& path);

  // Replaces how the commands run their modal dialogs.
  void SetDialogRunner(DialogRunner runner);

 private:
  // The statistics and the dialog; false when the command stops.
  bool ChoosePictureGraph();
  // Stores the dialog's picture and draws the graph; message 20 when no
  // picture is chosen, message 4 when it cannot be read.
  void StartWithChosenPicture();

  AppContext& context_;
  TDataWindow& data_window_;
  TDrawWindow& draw_window_;
  MapCommands& map_commands_;
  QPointer<TGlyphInfoDialog> dialog_;
  DialogRunner run_dialog_ = ExecModal;
};

}  // namespace kartela
