#include "render/decoration_tool.h"

#include <cmath>
#include <utility>

#include "base/numbers.h"
#include "base/real48.h"
#include "model/messages.h"
#include "render/decoration_painter.h"

namespace kartela {

gdi::Point FirstBandOffset(const DecorationTools& tools, DecorationMode mode) {
  switch (mode) {
    case DecorationMode::kCircle:
      return gdi::Point{tools.LastCircleSize, 0};
    case DecorationMode::kSquare:
      return gdi::Point{tools.LastSquareSize, tools.LastSquareSize};
    case DecorationMode::kTriangle: {  // the lower-right corner
      const long double size = tools.LastTriangleSize;
      return gdi::Point{static_cast<std::int32_t>(RoundHalfEven(size * 0.5L * std::sqrt(3.0L))),
                        static_cast<std::int32_t>(RoundHalfEven(size * 0.5L))};
    }
    case DecorationMode::kCross:
      return gdi::Point{tools.LastCrossSize, tools.LastCrossSize};
    default:
      return gdi::Point{};
  }
}

DecorationTool::DecorationTool(Workspace& workspace, Reporter& reporter)
    : workspace_(workspace), reporter_(reporter) {}

ToolResult DecorationTool::LeftDown(gdi::Point canvas) {
  const DecorationMode mode = Mode();
  ToolResult result;
  if (mode == DecorationMode::kNone) {
    furniture_.Press(canvas);
  } else if (IsTextMode(mode)) {
    start_ = canvas;
  } else if (IsShapeMode(mode)) {
    if (ShapeListFull(workspace_.decorations)) {
      ShowMessage(reporter_, kMsgDecorationsFull);
    } else if (mode == DecorationMode::kNorthArrow) {
      result = PlaceNorthArrow(canvas);
    } else if (!start_) {  // a press while one is pending changes nothing
      start_ = canvas;
      result.pointer_move = FirstBandOffset(workspace_.decoration_tools, mode);
    }
  }
  return result;
}

void DecorationTool::Move(gdi::Point canvas) {
  if (furniture_.Dragging()) {
    furniture_.Move(canvas);
  } else if (start_ && IsShapeMode(Mode())) {
    end_ = canvas;
  }
}

ToolResult DecorationTool::LeftUp(gdi::Point canvas, const TextPrompt& prompt) {
  ToolResult result;
  if (furniture_.Dragging() || furniture_.Cancelled()) {
    // After a cancelled drag the move cursor may come back.
    result.cursor_changed = furniture_.Cancelled();
    result.repaint = furniture_.Release(canvas, workspace_.settings);
    return result;
  }
  const DecorationMode mode = Mode();
  if (IsTextMode(mode)) return PlaceText(canvas, prompt);
  if (IsShapeMode(mode)) {
    if (start_ && end_) result = AddDraggedShape(mode);
    start_.reset();
    end_.reset();
  }
  return result;
}

ToolResult DecorationTool::PlaceText(gdi::Point canvas, const TextPrompt& prompt) {
  DecorationLists& lists = workspace_.decorations;
  std::optional<std::string> text;
  if (TextListFull(lists)) {
    ShowMessage(reporter_, kMsgDecorationsFull);
  } else {
    text = prompt();
  }
  start_.reset();
  ToolResult result;
  if (!text) return result;
  const TextDecoration decoration{
      ClampTo<std::int16_t>(canvas.x), ClampTo<std::int16_t>(canvas.y),
      Mode() == DecorationMode::kTextCleared ? kTextCleared : kTextTransparent, std::move(*text)};
  // An empty text is left out; a longer one than a record holds is refused.
  result.repaint = AddTextDecoration(lists, decoration) == AddTextResult::kAdded;
  return result;
}

ToolResult DecorationTool::AddDraggedShape(DecorationMode mode) {
  const ShapeDecoration shape{ClampTo<std::int16_t>(start_->x), ClampTo<std::int16_t>(start_->y),
                              ClampTo<std::int16_t>(end_->x), ClampTo<std::int16_t>(end_->y),
                              ShapeKindFor(workspace_.decoration_tools, mode)};
  return AddShape(shape, mode);
}

// Centred on the click, as tall as the decoration font asks now; kept with
// its height, so that a later font leaves it as it is.
ToolResult DecorationTool::PlaceNorthArrow(gdi::Point canvas) {
  const std::int16_t x = ClampTo<std::int16_t>(canvas.x);
  const std::int16_t y = ClampTo<std::int16_t>(canvas.y);
  const std::int16_t height = NorthArrowHeight(workspace_.settings.FancyFont);
  return AddShape(
      ShapeDecoration{x, y, x, ClampTo<std::int16_t>(std::int32_t{y} + height), kShapeNorthArrow},
      DecorationMode::kNorthArrow);
}

ToolResult DecorationTool::AddShape(const ShapeDecoration& shape, DecorationMode mode) {
  ToolResult result;
  if (!AddShapeDecoration(workspace_.decorations, shape)) return result;
  RememberShapeSize(
      workspace_.decoration_tools, mode,
      ShapeSize(shape.Kind, gdi::Point{shape.X1, shape.Y1}, gdi::Point{shape.X2, shape.Y2}));
  // Texts lie above shapes: with texts the map is painted again.
  if (workspace_.decorations.Texts().empty()) {
    result.drawn = shape;
  } else {
    result.repaint = true;
  }
  return result;
}

ToolResult DecorationTool::RightDown() {
  ToolResult result;
  result.repaint = RemoveLastDecoration(workspace_.decorations, Mode());
  return result;
}

bool DecorationTool::Escape() {
  return furniture_.Cancel();
}

ToolOverlay DecorationTool::Overlay() const {
  using enum ToolOverlay::Kind;
  if (const std::optional<gdi::Rect> frame = furniture_.Frame())
    return ToolOverlay{kFrame, DecorationMode::kNone, {}, {}, *frame};
  if (!start_) return ToolOverlay{};
  const DecorationMode mode = Mode();
  if (IsTextMode(mode)) return ToolOverlay{kTextMark, mode, *start_, {}, {}};
  if (!end_ || !IsShapeMode(mode)) return ToolOverlay{};
  return ToolOverlay{kBand, mode, *start_, *end_, {}};
}

bool DecorationTool::MoveCursorAt(gdi::Point canvas) const {
  return Mode() == DecorationMode::kNone && furniture_.CanMoveAt(canvas);
}

}  // namespace kartela
