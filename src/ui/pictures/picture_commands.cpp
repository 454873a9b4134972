#include "ui/pictures/picture_commands.h"

#include <QFileDialog>
#include <QGuiApplication>
#include <QScreen>
#include <cmath>

#include "model/messages.h"
#include "output/map_exporter.h"
#include "render/paint_context.h"
#include "ui/pictures/line_col_change_dialog.h"
#include "ui/pictures/meta_save_dialog.h"
#include "ui/pictures/png_scale_dialog.h"
#include "ui/pictures/selx_mf_dialog.h"
#include "ui/widgets/choice_buttons.h"
#include "ui/widgets/file_dialogs.h"
#include "ui/widgets/place_dialog.h"
#include "ui/widgets/qt_text.h"
#include "ui/widgets/wait_cursor.h"

namespace kartela {
namespace {

constexpr std::string_view kLineColourQuestion = "境界線の色を黒に変えて保存(複写)しますか？";
constexpr std::string_view kSaved = "保存しました。";
constexpr std::string_view kEmf = ".emf";
constexpr std::string_view kWmf = ".wmf";
constexpr int kDefaultScreenDpi = 96;

bool OffersEmf(const Settings& settings) {
  return (settings.EmfMode & 1) != 0;
}

std::int32_t ScreenPixelsPerInch() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (screen == nullptr) return kDefaultScreenDpi;
  return std::max(1, static_cast<int>(std::lround(screen->logicalDotsPerInch())));
}

std::string LowerExtension(const std::filesystem::path& path) {
  std::string extension = path.extension().string();
  for (char& c : extension)
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return extension;
}

std::optional<QString> RunSaveDialog(AppContext& context, const FileDialogSetup& setup) {
  QFileDialog dialog(context.main_window, setup.title, setup.directory, setup.filter);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setOption(QFileDialog::DontConfirmOverwrite);  // asked once the extension is settled
  PrepareFileDialog(dialog);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return dialog.selectedFiles().front();
}

}  // namespace

LineColourRule LineColourRuleFor(std::int16_t color_change, gdi::Color line_colour) {
  switch (color_change) {
    case 1:
      if (line_colour != gdi::kBlack) return {LineColourQuestion::kAsk};
      return {};
    case 2:
      if (line_colour == gdi::kWhite) return {LineColourQuestion::kAsk};
      return {};
    case 4:
      return {LineColourQuestion::kNone, kPaintMonochrome};
    default:
      return {};
  }
}

std::filesystem::path WithPictureExtension(const std::filesystem::path& chosen,
                                           std::initializer_list<std::string_view> accepted,
                                           std::string_view fallback) {
  const std::string extension = LowerExtension(chosen);
  for (const std::string_view wanted : accepted) {
    if (extension == wanted) return chosen;
  }
  std::filesystem::path path = chosen;
  path.replace_extension();
  path += std::string(fallback);
  return path;
}

PictureCommands::PictureCommands(AppContext& context)
    : context_(context), save_dialog_([&context](const FileDialogSetup& setup) {
        return RunSaveDialog(context, setup);
      }) {}

int PictureCommands::AskLineColour() {
  const Workspace& workspace = context_.workspace;
  const LineColourRule rule =
      LineColourRuleFor(workspace.settings.ColorChange, workspace.screen_colors.window_text);
  if (rule.question == LineColourQuestion::kNone) return rule.flags;
  switch (context_.reporter.AskYesNoCancel(kLineColourQuestion, "確認")) {
    case Answer::kYes:
      return kPaintMonochrome;
    case Answer::kNo:
      return 0;
    case Answer::kCancel:
      break;
  }
  return -1;
}

bool PictureCommands::MapDrawn() {
  if (context_.workspace.view.Kind != MapKind::kNone) return true;
  ShowMessage(context_.reporter, kMsgNoMapToSave);
  return false;
}

std::optional<std::filesystem::path> PictureCommands::ChooseFile(const QString& title,
                                                                 const QString& filter) {
  Settings& settings = context_.workspace.settings;
  const QString folder =
      StartFolder(settings, FolderKind::kExport, InitialDirectory(settings.DataDir));
  const auto name = save_dialog_({title, folder, filter, {}});
  if (!name || name->isEmpty() || HasWildcard(*name)) return std::nullopt;
  RememberFolder(settings, FolderKind::kExport, *name);
  return PathOf(*name);
}

std::optional<std::string_view> PictureCommands::MetafileExtension() {
  if (!OffersEmf(context_.workspace.settings)) return kWmf;
  TSelxMFDialog dialog(DialogOwner(context_));
  switch (run_dialog_(dialog)) {
    case QDialog::Accepted:
      return kEmf;
    case kResultYes:
      return kWmf;
    default:
      return std::nullopt;
  }
}

std::optional<std::uint8_t> PictureCommands::MetafilePaintFlags() {
  if (!MapDrawn()) return std::nullopt;
  const int colour = AskLineColour();
  if (colour < 0) return std::nullopt;
  auto flags = static_cast<std::uint8_t>(colour);
  TMetaSaveDialog dialog(DialogOwner(context_));
  PlaceDialog(context_, dialog, 13, 4);
  const int choice = run_dialog_(dialog);
  if (choice != kResultAll && choice != kResultYes) return std::nullopt;
  if (choice == kResultYes) flags |= kPaintNoText;
  return flags;
}

void PictureCommands::WMetaSaveClick() {
  const auto flags = MetafilePaintFlags();
  if (!flags) return;
  const bool emf = OffersEmf(context_.workspace.settings);
  const auto chosen = ChooseFile(QStringLiteral("メタファイル形式 保存"),
                                 emf ? QStringLiteral("ﾒﾀﾌｧｲﾙ(*.emf *.wmf);;全ファイル(*.*)")
                                     : QStringLiteral("WMFﾌｧｲﾙ(*.wmf);;全ファイル(*.*)"));
  if (!chosen) return;
  std::filesystem::path path = *chosen;
  const std::string extension = LowerExtension(path);
  if (extension != kEmf && extension != kWmf) {
    const auto wanted = MetafileExtension();
    if (!wanted) return;
    path = WithPictureExtension(path, {}, *wanted);
  }
  if (!ConfirmOverwrite(context_.reporter, path)) return;
  Report(SaveMetafile(path, *flags));
}

// The enhanced metafile whatever EmfMode says, for the programs that draw an
// EMF better than a WMF (its coordinates are not limited to 16 bits).
void PictureCommands::EmfSaveClick() {
  const auto flags = MetafilePaintFlags();
  if (!flags) return;
  const auto chosen =
      ChooseFile(QStringLiteral("EMF形式 保存"), QStringLiteral("EMFﾌｧｲﾙ(*.emf);;全ファイル(*.*)"));
  if (!chosen) return;
  const std::filesystem::path path = WithPictureExtension(*chosen, {kEmf}, kEmf);
  if (!ConfirmOverwrite(context_.reporter, path)) return;
  Report(SaveMetafile(path, *flags));
}

Status PictureCommands::SaveMetafile(const std::filesystem::path& path, std::uint8_t paint_flags) {
  const std::int32_t dpi = ScreenPixelsPerInch();
  if (LowerExtension(path) == kEmf) return Write(output::EmfSettings{paint_flags, dpi}, path);
  return Write(output::WmfSettings{paint_flags, dpi}, path);
}

Status PictureCommands::Write(const output::FileSettings& settings,
                              const std::filesystem::path& path) {
  const WaitCursor wait;
  const output::MapExporter exporter(context_.workspace);
  return exporter.Save(settings, path);
}

void PictureCommands::Report(const Status& saved) {
  if (saved.ok()) {
    context_.reporter.ShowNotice(kSaved);
  } else {
    ShowSaveFailure(context_.reporter, saved);
  }
}

void PictureCommands::SavePicture(const QString& title, const QString& filter,
                                  std::string_view extension, output::FileSettings settings) {
  const int colour = AskLineColour();
  if (colour < 0) return;
  std::visit([colour](auto& target) { target.paint_flags = static_cast<std::uint8_t>(colour); },
             settings);
  const auto chosen = ChooseFile(title, filter);
  if (!chosen) return;
  const std::filesystem::path path = WithPictureExtension(*chosen, {extension}, extension);
  if (!ConfirmOverwrite(context_.reporter, path)) return;
  Report(Write(settings, path));
}

void PictureCommands::SvgSaveClick() {
  if (!MapDrawn()) return;
  SavePicture(QStringLiteral("SVG形式 保存"), QStringLiteral("SVGﾌｧｲﾙ(*.svg);;全ファイル(*.*)"),
              ".svg", output::SvgSettings{});
}

void PictureCommands::PdfSaveClick() {
  if (!MapDrawn()) return;
  SavePicture(QStringLiteral("PDF形式 保存"), QStringLiteral("PDFﾌｧｲﾙ(*.pdf);;全ファイル(*.*)"),
              ".pdf", output::PdfSettings{});
}

void PictureCommands::PngSaveClick() {
  if (!MapDrawn()) return;
  TPngScaleDialog dialog(DialogOwner(context_));
  dialog.SetScale(png_scale_);
  if (run_dialog_(dialog) != QDialog::Accepted) return;
  png_scale_ = dialog.Scale();
  output::BitmapSettings settings;
  settings.scale = png_scale_;
  SavePicture(QStringLiteral("PNG形式 保存"), QStringLiteral("PNGﾌｧｲﾙ(*.png);;全ファイル(*.*)"),
              ".png", settings);
}

void PictureCommands::LineColorChangeClick() {
  Settings& settings = context_.workspace.settings;
  TLineColChangeDialog dialog(DialogOwner(context_));
  PlaceDialog(context_, dialog, 10, 8);
  dialog.SetChoice(settings.ColorChange);
  if (run_dialog_(dialog) != QDialog::Accepted) return;
  settings.ColorChange = dialog.Choice();
  settings.ChangedMask |= kChangedColorChange;
}

}  // namespace kartela
