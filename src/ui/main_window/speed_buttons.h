// The speed-button bar of the main window: seventeen 27 × 27 icon buttons
// whose hints are shown as tooltips while hints are on.
#pragma once

#include <QString>
#include <array>
#include <cstddef>

class QAction;
class QToolBar;
class QWidget;

namespace kartela {

// The buttons, left to right.
enum SpeedButton : std::size_t {
  kSpeedNewData,
  kSpeedOpen,
  kSpeedSave,
  kSpeedDataCopy,
  kSpeedDataPaste,
  kSpeedMapCopyMetafile,
  kSpeedMapCopyBitmap,
  kSpeedMapPrint,
  kSpeedPaintMap,
  kSpeedCircleMap,
  kSpeedGlyphMap,
  kSpeedWhiteMap,
  kSpeedZoomIn,
  kSpeedZoomOut,
  kSpeedFitWholeMap,
  kSpeedNorthArrow,
  kSpeedArrow,
  kSpeedButtonCount,
};

// The hint of the metafile copy button when it copies an enhanced metafile.
inline constexpr const char* kEnhancedMetafileCopyHint = "地図ｺﾋﾟｰ(拡張ﾒﾀﾌｧｲﾙ)";

struct SpeedButtonBar {
  QToolBar* bar = nullptr;
  // Each button's action, named after the button (SpeedNewDataBtn, ...).
  std::array<QAction*, kSpeedButtonCount> actions{};
  std::array<QString, kSpeedButtonCount> hints;
};

// Builds the bar with its buttons; the caller connects the actions.
SpeedButtonBar BuildSpeedButtons(QWidget* parent);

// Shows every button's hint as its tooltip when `show` is set, none otherwise.
void ApplyHints(const SpeedButtonBar& buttons, bool show);

}  // namespace kartela
