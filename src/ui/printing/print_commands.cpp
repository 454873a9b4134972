#include "ui/printing/print_commands.h"

#include <QApplication>
#include <QPrinter>
#include <QStyle>
#include <algorithm>

#include "model/messages.h"
#include "output/map_print.h"
#include "render/classification.h"
#include "ui/printing/abort_form.h"
#include "ui/printing/current_printer.h"
#include "ui/printing/map_print_dialog.h"
#include "ui/printing/preview_dialog.h"
#include "ui/widgets/place_dialog.h"
#include "ui/widgets/wait_cursor.h"

namespace kartela {
namespace {

// Where the preview goes when there is no main window.
constexpr QSize kFallbackClient(1024, 768);
constexpr int kOwnPatternsFrom = 40;

// The stored orientation is the printer's.
static_assert(static_cast<int>(output::PageOrientation::kPortrait) == kPrintPortrait);
static_assert(static_cast<int>(output::PageOrientation::kLandscape) == kPrintLandscape);
static_assert(static_cast<int>(output::PageOrientation::kAuto) == kPrintAutoOrientation);

}  // namespace

bool UsesOwnPatterns(const Workspace& workspace) {
  if (workspace.view.Kind != MapKind::kPaintMap) return false;
  const int k = BuildClassThresholds(workspace.class_tables.ClassBreaks).EffectiveClassCount;
  const auto& row = workspace.settings.PatternOrder[static_cast<std::size_t>(std::max(k, 2) - 2)];
  return std::any_of(row.begin(), row.begin() + std::clamp<int>(k, 1, row.size()),
                     [](std::uint8_t brush) { return brush >= kOwnPatternsFrom; });
}

output::PrinterSettings PrintValuesOf(const Workspace& workspace) {
  const PrintSettings& print = workspace.print;
  output::PrinterSettings values;
  values.margins = {print.MarginLeft, print.MarginRight, print.MarginTop, print.MarginBottom};
  values.copies = print.Copies;
  values.magnification = workspace.settings.PrintSize;
  values.line_width = workspace.PrintLineWidth;
  values.orientation = static_cast<output::PageOrientation>(
      std::min<int>(workspace.settings.PrintOrientation, kPrintAutoOrientation));
  return values;
}

void StorePrintValues(const output::PrinterSettings& values, Workspace& workspace) {
  PrintSettings& print = workspace.print;
  print.MarginLeft = values.margins.left;
  print.MarginRight = values.margins.right;
  print.MarginTop = values.margins.top;
  print.MarginBottom = values.margins.bottom;
  print.Copies = values.copies;
  workspace.PrintLineWidth = values.line_width;
  const auto orientation = static_cast<std::uint8_t>(values.orientation);
  if (orientation != workspace.settings.PrintOrientation) {
    workspace.settings.PrintOrientation = orientation;
    workspace.settings.ChangedMask |= kChangedPrintOrientation;
  }
  if (values.magnification != workspace.settings.PrintSize) {
    workspace.settings.PrintSize = values.magnification;
    workspace.settings.ChangedMask |= kChangedPrintSize;
  }
}

PrintCommands::PrintCommands(AppContext& context, CurrentPrinter& printer)
    : context_(context), printer_(printer) {}

void PrintCommands::PrintMapClick() {
  Workspace& workspace = context_.workspace;
  if (workspace.view.Kind == MapKind::kNone && workspace.view.Background == BackgroundMode::kNone)
    return;
  TMapPrintDialog dialog(context_.reporter, DialogOwner(context_));
  dialog.Load(PrintValuesOf(workspace), UsesOwnPatterns(workspace));
  dialog.SetPrinterSetup([this, &dialog] { printer_.Choose(&dialog); });
  dialog.SetAreaCheck([this, &workspace](const output::PrinterSettings& values) {
    return output::LayoutOnPrinter(values, printer_.printer(), workspace).Printable();
  });
  PlaceDialog(context_, dialog, 10, 7);
  for (;;) {
    const int result = run_dialog_(dialog);
    if (result == TMapPrintDialog::kPreview) {
      ShowPreview(dialog.Values());
      continue;
    }
    if (result != QDialog::Accepted) return;
    StorePrintValues(dialog.Values(), workspace);
    // A failure has been shown; the command ends either way.
    static_cast<void>(Print(dialog.Values()));
    return;
  }
}

void PrintCommands::ShowPreview(const output::PrinterSettings& values) {
  const output::PrintLayout layout =
      output::LayoutOnPrinter(values, printer_.printer(), context_.workspace);
  QWidget* owner = DialogOwner(context_);
  const QStyle* style = QApplication::style();
  const int frame = style->pixelMetric(QStyle::PM_DefaultFrameWidth);
  const int caption = style->pixelMetric(QStyle::PM_TitleBarHeight);
  const QSize client = owner != nullptr ? owner->contentsRect().size() : kFallbackClient;
  const QRect place = PreviewFrame(client, layout.page, frame, caption);
  QImage page;
  {
    WaitCursor wait;
    page = output::PreviewPage(context_.workspace, layout, place.width() - 2 * frame);
  }
  TPreviewDialog preview(page, owner);
  const QPoint origin = owner != nullptr ? owner->mapToGlobal(place.topLeft()) : place.topLeft();
  preview.move(origin);
  run_dialog_(preview);
}

Status PrintCommands::Print(const output::PrinterSettings& values) {
  TAbortForm abort_form(DialogOwner(context_));
  abort_form.Start();
  const output::PrintResult result =
      output::PrintMap(context_.workspace, values, printer_.printer(),
                       [&abort_form] { return abort_form.Aborted(); });
  abort_form.hide();
  if (!result.status.ok() && result.status.code() != StatusCode::kCancelled)
    ShowError(context_.reporter, result.status.detail());
  return result.status;
}

}  // namespace kartela
