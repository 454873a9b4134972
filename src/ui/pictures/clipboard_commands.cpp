#include "ui/pictures/clipboard_commands.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QString>

#include "base/text_encoding.h"
#include "model/messages.h"
#include "output/map_exporter.h"
#include "render/legend_clip_text.h"
#include "render/paint_context.h"
#include "ui/pictures/copy_sel_dialog.h"
#include "ui/pictures/picture_commands.h"
#include "ui/widgets/choice_buttons.h"
#include "ui/widgets/place_dialog.h"
#include "ui/widgets/wait_cursor.h"

namespace kartela {
namespace {

constexpr std::string_view kCopyFailed = "クリップボードに複写できませんでした。";

QString MimeName(std::string_view name) {
  return QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
}

void Offer(QMimeData& mime, std::initializer_list<std::string_view> names,
           const std::string& bytes) {
  if (bytes.empty()) return;
  const QByteArray data(bytes.data(), static_cast<qsizetype>(bytes.size()));
  for (const std::string_view name : names)
    mime.setData(MimeName(name), data);
}

void PutOnClipboard(std::unique_ptr<QMimeData> mime) {
  QGuiApplication::clipboard()->setMimeData(mime.release());
}

}  // namespace

std::unique_ptr<QMimeData> PictureMimeData(const output::ClipboardPicture& picture) {
  auto mime = std::make_unique<QMimeData>();
  Offer(*mime, {kMimeOfficeEmf, kMimeEmf}, picture.emf);
  Offer(*mime, {kMimeOfficeWmf, kMimeWmf}, picture.wmf);
  Offer(*mime, {kMimeSvg}, picture.svg);
  Offer(*mime, {kMimePng}, picture.png);
  return mime;
}

std::unique_ptr<QMimeData> TextMimeData(std::string_view utf8) {
  auto mime = std::make_unique<QMimeData>();
  mime->setText(QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())));
  Offer(*mime, {kMimeUtf8Text}, std::string(utf8));
  return mime;
}

ClipboardCommands::ClipboardCommands(AppContext& context, PictureCommands& pictures)
    : context_(context), pictures_(pictures) {}

bool ClipboardCommands::HasPicture() const {
  const MapView& view = context_.workspace.view;
  return view.Kind != MapKind::kNone || view.Background != BackgroundMode::kNone;
}

void ClipboardCommands::WMetaCopyClick() {
  CopyMetafilePicture(0);
}

void ClipboardCommands::WMetaSepCopyClick() {
  TCopySelDialog dialog(DialogOwner(context_));
  PlaceDialog(context_, dialog, 14, 7);
  switch (run_dialog_(dialog)) {
    case QDialog::Accepted:
      CopyMetafilePicture(kPaintNoText);
      break;
    case kResultYes:
      CopyLegendText();
      break;
    default:
      break;
  }
}

void ClipboardCommands::BMapCopyClick() {
  CopyBitmap();
}

void ClipboardCommands::SpeedMetaCopyClick() {
  if ((context_.workspace.settings.EmfMode & 3) == 3) {
    CopyEnhancedMetafile(0);
  } else {
    CopyMetafilePicture(0);
  }
}

void ClipboardCommands::CopyMetafilePicture(std::uint8_t extra_flags) {
  CopyMetafile(output::MetafileCopyForm::kPicture, extra_flags);
}

void ClipboardCommands::CopyEnhancedMetafile(std::uint8_t extra_flags) {
  CopyMetafile(output::MetafileCopyForm::kEnhanced, extra_flags);
}

void ClipboardCommands::CopyMetafile(output::MetafileCopyForm form, std::uint8_t extra_flags) {
  if (!HasPicture()) return;
  const int colour = pictures_.AskLineColour();
  if (colour < 0) return;
  const WaitCursor wait;
  const output::MapExporter exporter(context_.workspace);
  const output::ClipboardSettings settings{form, static_cast<std::uint8_t>(colour | extra_flags)};
  PutPicture(output::MetafileCopy(exporter, context_.workspace.screen_colors, settings));
}

void ClipboardCommands::CopyBitmap() {
  if (!HasPicture()) return;
  const int colour = pictures_.AskLineColour();
  if (colour < 0) return;
  const WaitCursor wait;
  const output::MapExporter exporter(context_.workspace);
  PutPicture(output::BitmapCopy(exporter, static_cast<std::uint8_t>(colour)));
}

void ClipboardCommands::PutPicture(const StatusOr<output::ClipboardPicture>& picture) {
  if (!picture.ok()) {
    ShowWarning(context_.reporter,
                std::string(kCopyFailed) + "\n" + FailureCause(picture.status()));
    return;
  }
  PutOnClipboard(PictureMimeData(*picture));
}

void ClipboardCommands::CopyLegendText() {
  PutOnClipboard(TextMimeData(sjis::ToUtf8Lossy(LegendClipText(context_.workspace))));
}

}  // namespace kartela
