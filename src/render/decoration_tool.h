// The mouse on the map window as a state machine without the window: the
// current decoration tool turns presses, moves and releases into the rubber
// band or text mark to show and the decoration to add, the right button
// removes the last decoration of the tool's kind, and with no tool chosen the
// left button drags the title and the legend. Points are canvas pixels
// (window pixels plus the scroll position), where decorations are stored.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "gdi/gdi_types.h"
#include "model/decorations.h"
#include "model/reporter.h"
#include "render/furniture_drag.h"
#include "render/workspace.h"

namespace kartela {

// How far a press in `mode` moves the pointer so that the first rubber band
// already has the size of the last shape of its kind; none for other modes.
gdi::Point FirstBandOffset(const DecorationTools& tools, DecorationMode mode);

// What the window draws over the last paint of the map.
struct ToolOverlay {
  enum class Kind {
    kNone,
    kTextMark,  // where a text will go: a bar along its top and one down its left
    kBand,      // the rubber band of a shape drag
    kFrame,     // where the dragged title or legend would go
  };
  Kind kind = Kind::kNone;
  DecorationMode mode = DecorationMode::kNone;  // the tool of the mark or band
  gdi::Point start{};                           // the text's corner, or the band's press
  gdi::Point end{};                             // the band's end
  gdi::Rect frame{};
  bool operator==(const ToolOverlay&) const = default;
};

// What the window does after an event.
struct ToolResult {
  bool repaint = false;  // the map changed: paint it all again
  // A shape was added and nothing lies above it: drawn over the last paint,
  // the map needs no new paint.
  std::optional<ShapeDecoration> drawn;
  gdi::Point pointer_move{};    // move the pointer by this
  bool cursor_changed = false;  // the pointer may show another cursor where it is
};

// Asks for a decoration text (Shift-JIS); none when the user cancels.
using TextPrompt = std::function<std::optional<std::string>()>;

class DecorationTool {
 public:
  // The tool, the lists and the title and legend offsets are `workspace`'s;
  // a full list is refused with message 14 through `reporter`.
  DecorationTool(Workspace& workspace, Reporter& reporter);

  // A shape tool starts its drag, unless a press is pending; the north
  // arrow is placed at once; a text tool shows its mark; no tool takes the
  // title or legend under the pointer.
  ToolResult LeftDown(gdi::Point canvas);
  void Move(gdi::Point canvas);
  // A shape drag adds its shape from the press to the last move (not the
  // release), when the pointer moved; a text tool asks `prompt` for the
  // text and adds it at the release; a title or legend drag moves it.
  ToolResult LeftUp(gdi::Point canvas, const TextPrompt& prompt);
  // Removes the last text with a text tool, the last shape of any kind with
  // a shape tool.
  ToolResult RightDown();
  // Cancels a title or legend drag; false when none was going on, and the
  // key is not the tool's.
  bool Escape();

  ToolOverlay Overlay() const;
  // Whether the pointer at `canvas` shows the move cursor (no tool chosen,
  // over the title or the legend or dragging one).
  bool MoveCursorAt(gdi::Point canvas) const;

  FurnitureDrag& furniture() { return furniture_; }
  const FurnitureDrag& furniture() const { return furniture_; }

 private:
  DecorationMode Mode() const { return workspace_.decoration_tools.Mode; }
  ToolResult AddDraggedShape(DecorationMode mode);
  ToolResult PlaceNorthArrow(gdi::Point canvas);
  ToolResult AddShape(const ShapeDecoration& shape, DecorationMode mode);
  ToolResult PlaceText(gdi::Point canvas, const TextPrompt& prompt);

  Workspace& workspace_;
  Reporter& reporter_;
  // The press of a shape or text tool, and the last position seen while
  // dragging a shape.
  std::optional<gdi::Point> start_;
  std::optional<gdi::Point> end_;
  FurnitureDrag furniture_;
};

}  // namespace kartela
