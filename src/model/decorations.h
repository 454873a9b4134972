// The decorations a user adds on top of a map: shapes and texts, kept in two
// lists of fixed capacity, in map-window pixels at scale 1.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace kartela {

class Reporter;

// Records each list holds.
inline constexpr int kMaxDecorations = 240;
// Longest decoration text, in Shift-JIS bytes (the field holds one more for the NUL).
inline constexpr std::size_t kMaxDecorationTextBytes = 81;

// Shape kinds. A filled shape's kind is its base plus the fill (0..9); any
// other kind value draws nothing.
inline constexpr std::uint8_t kShapeLine = 1;
inline constexpr std::uint8_t kShapeDottedLine = 2;
inline constexpr std::uint8_t kShapeRectangle = 3;
// A line with an arrowhead at its end, and a north arrow centred on its
// first point whose height is the distance to its second, straight below.
// Readers that do not know a kind draw nothing for it.
inline constexpr std::uint8_t kShapeArrow = 4;
inline constexpr std::uint8_t kShapeNorthArrow = 5;
inline constexpr std::uint8_t kShapeCircle = 16;
inline constexpr std::uint8_t kShapeSquare = 32;
inline constexpr std::uint8_t kShapeTriangle = 48;
inline constexpr std::uint8_t kShapeCross = 64;
inline constexpr std::uint8_t kFillCount = 10;
inline constexpr std::uint8_t kFillHollow = 9;        // the outline only
inline constexpr std::int16_t kDefaultShapeFill = 6;  // blue
inline constexpr std::int16_t kDefaultShapeSize = 2;

// The tool of the left mouse button on the map window, numbered 0..9 in
// the order of the decoration menu: none, the two text tools, then the
// shapes; the arrow and the north arrow came later.
enum class DecorationMode : std::uint8_t {
  kNone,
  kTextCleared,
  kTextTransparent,
  kLine,
  kDottedLine,
  kRectangle,
  kCircle,
  kSquare,
  kTriangle,
  kCross,
  kArrow,
  kNorthArrow,  // placed by a click
};

// A shape kind as the tool that places it, with the fill of a filled shape.
struct ShapeKindParts {
  DecorationMode mode = DecorationMode::kNone;  // kNone: the kind draws nothing
  std::uint8_t fill = 0;                        // 0..9 for the filled shapes
};

// Kinds 1, 2, 3 and the four bases plus a fill of 0..9; kNone for any other.
ShapeKindParts SplitShapeKind(std::uint8_t kind);

struct ShapeDecoration {
  std::int16_t X1 = 0;  // where the drag started; the centre of a filled shape
  std::int16_t Y1 = 0;
  std::int16_t X2 = 0;  // where the drag ended
  std::int16_t Y2 = 0;
  std::uint8_t Kind = 0;
};

// Background of a text decoration.
inline constexpr std::int16_t kTextCleared = 1;
inline constexpr std::int16_t kTextTransparent = 2;

struct TextDecoration {
  std::int16_t X = 0;  // top-left corner of the text
  std::int16_t Y = 0;
  std::int16_t Style = kTextCleared;
  std::string Text;  // Shift-JIS, at most kMaxDecorationTextBytes
};

bool IsTextMode(DecorationMode mode);
bool IsShapeMode(DecorationMode mode);

// The current tool with the fill of each filled shape and the size of the
// last one placed, which the next drag starts from. Kept until the program
// ends; not saved.
struct DecorationTools {
  DecorationMode Mode = DecorationMode::kNone;
  std::int16_t CircleFill = kDefaultShapeFill;
  std::int16_t SquareFill = kDefaultShapeFill;
  std::int16_t TriangleFill = kDefaultShapeFill;
  std::int16_t CrossFill = kDefaultShapeFill;
  std::int16_t LastCircleSize = kDefaultShapeSize;
  std::int16_t LastSquareSize = kDefaultShapeSize;
  std::int16_t LastTriangleSize = kDefaultShapeSize;
  std::int16_t LastCrossSize = kDefaultShapeSize;
};

// The kind of the shape `tools` place in `mode`: 1, 2, 3 for the lines and
// the rectangle, a base plus the shape's fill for the filled shapes; 0 in
// the text modes and mode 0. A fill outside 0..9 places an unfilled shape.
std::uint8_t ShapeKindFor(const DecorationTools& tools, DecorationMode mode);

// Keeps `size`, returned by the shape routine, as the last size of the
// filled shape of `mode`; other modes keep nothing.
void RememberShapeSize(DecorationTools& tools, DecorationMode mode, int size);

struct DecorationLists {
  std::array<ShapeDecoration, kMaxDecorations> ShapeDecorations{};
  std::int16_t ShapeCount = 0;
  std::array<TextDecoration, kMaxDecorations> TextDecorations{};
  std::int16_t TextDecorationCount = 0;

  // The records in use; a count out of range is taken as the nearest valid one.
  std::span<const ShapeDecoration> Shapes() const {
    return std::span(ShapeDecorations).first(InUse(ShapeCount));
  }
  std::span<const TextDecoration> Texts() const {
    return std::span(TextDecorations).first(InUse(TextDecorationCount));
  }

  static std::size_t InUse(std::int16_t count) {
    return static_cast<std::size_t>(std::clamp<int>(count, 0, kMaxDecorations));
  }
};

// Whether the next shape or text would exceed the list (message 14).
bool ShapeListFull(const DecorationLists& lists);
bool TextListFull(const DecorationLists& lists);

// Appends `shape`; false, with the list unchanged, when it is full.
bool AddShapeDecoration(DecorationLists& lists, const ShapeDecoration& shape);

enum class AddTextResult {
  kAdded,
  kEmpty,    // nothing to add
  kFull,     // the list holds kMaxDecorations texts (message 14)
  kTooLong,  // more bytes than the record holds; refused rather than cut
};

// Appends `text` unless it is empty, too long or the list is full.
AddTextResult AddTextDecoration(DecorationLists& lists, const TextDecoration& text);

// Removes the last text in the text modes and the last shape in the shape
// modes, whatever its kind; true when one was removed.
bool RemoveLastDecoration(DecorationLists& lists, DecorationMode mode);

bool HasDecorations(const DecorationLists& lists);
void ClearDecorations(DecorationLists& lists);

// Asked before a new map empties lists that hold decorations: they were drawn
// by hand and cannot be brought back.
inline constexpr std::string_view kClearDecorationsQuestion = "修飾を消去してもよろしいですか？";
inline constexpr std::string_view kClearDecorationsTitle = "確認";

// True without asking when the lists are empty; otherwise asks
// kClearDecorationsQuestion and returns true only for OK.
bool ConfirmClearDecorations(Reporter& reporter, const DecorationLists& lists);

}  // namespace kartela
