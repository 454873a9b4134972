// The copies of the map to the clipboard: as a metafile picture or an
// enhanced metafile (offered at once as EMF, WMF, SVG and PNG), as a bitmap,
// and in two halves: the picture without texts, or the title and legend as
// text. Every picture is drawn by the exporter.
#pragma once

#include <QMimeData>
#include <cstdint>
#include <memory>
#include <string_view>

#include "output/clipboard_export.h"
#include "ui/widgets/app_context.h"
#include "ui/widgets/dialog_runner.h"

namespace kartela {

class PictureCommands;

// The names a picture is offered by: LibreOffice pastes the first two of
// each metafile as an editable picture, Inkscape takes image/x-emf and SVG,
// image viewers and chat programs PNG.
inline constexpr std::string_view kMimeOfficeEmf =
    "application/x-openoffice-emf;windows_formatname=\"Image EMF\"";
inline constexpr std::string_view kMimeOfficeWmf =
    "application/x-openoffice-wmf;windows_formatname=\"Image WMF\"";
inline constexpr std::string_view kMimeEmf = "image/x-emf";
inline constexpr std::string_view kMimeWmf = "image/x-wmf";
inline constexpr std::string_view kMimeSvg = "image/svg+xml";
inline constexpr std::string_view kMimePng = "image/png";
inline constexpr std::string_view kMimeUtf8Text = "text/plain;charset=utf-8";

// Each non-empty form of `picture` under all of its names.
std::unique_ptr<QMimeData> PictureMimeData(const output::ClipboardPicture& picture);
// `utf8` as plain text.
std::unique_ptr<QMimeData> TextMimeData(std::string_view utf8);

class ClipboardCommands {
 public:
  // `pictures` asks how boundary lines are drawn, as for the saves.
  ClipboardCommands(AppContext& context, PictureCommands& pictures);

  void WMetaCopyClick();
  void WMetaSepCopyClick();
  void BMapCopyClick();
  // The metafile copy button: the enhanced metafile when the low two bits
  // of EmfMode are set, else the metafile picture.
  void SpeedMetaCopyClick();

  // `extra_flags` is added to the answer about the boundary lines
  // (kPaintNoText for the picture without texts).
  void CopyMetafilePicture(std::uint8_t extra_flags);
  void CopyEnhancedMetafile(std::uint8_t extra_flags);
  void CopyBitmap();
  void CopyLegendText();

  // Replace how the dialog is shown: tests answer without blocking.
  void SetDialogRunner(DialogRunner runner) { run_dialog_ = std::move(runner); }

 private:
  // A map or a background picture is on the map window.
  bool HasPicture() const;
  void CopyMetafile(output::MetafileCopyForm form, std::uint8_t extra_flags);
  // Puts the picture on the clipboard, or says why it could not be made.
  void PutPicture(const StatusOr<output::ClipboardPicture>& picture);

  AppContext& context_;
  PictureCommands& pictures_;
  DialogRunner run_dialog_ = ExecModal;
};

}  // namespace kartela
