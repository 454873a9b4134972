#include "model/decorations.h"

#include <optional>

#include "model/reporter.h"

namespace kartela {
namespace {

constexpr std::uint8_t kFilledShapeSpan = 16;  // kinds per filled shape: a base and 16 fills

// The kind base and fill setting of a filled-shape mode.
struct FilledTool {
  std::uint8_t base = 0;
  std::int16_t fill = 0;
};

std::optional<FilledTool> FilledToolOf(const DecorationTools& tools, DecorationMode mode) {
  switch (mode) {
    case DecorationMode::kCircle:
      return FilledTool{kShapeCircle, tools.CircleFill};
    case DecorationMode::kSquare:
      return FilledTool{kShapeSquare, tools.SquareFill};
    case DecorationMode::kTriangle:
      return FilledTool{kShapeTriangle, tools.TriangleFill};
    case DecorationMode::kCross:
      return FilledTool{kShapeCross, tools.CrossFill};
    default:
      return std::nullopt;
  }
}

std::int16_t* LastSizeSetting(DecorationTools& tools, DecorationMode mode) {
  switch (mode) {
    case DecorationMode::kCircle:
      return &tools.LastCircleSize;
    case DecorationMode::kSquare:
      return &tools.LastSquareSize;
    case DecorationMode::kTriangle:
      return &tools.LastTriangleSize;
    case DecorationMode::kCross:
      return &tools.LastCrossSize;
    default:
      return nullptr;
  }
}

std::int16_t NextCount(std::int16_t count) {
  return static_cast<std::int16_t>(DecorationLists::InUse(count) + 1);
}

bool RemoveLast(std::int16_t& count) {
  const std::size_t in_use = DecorationLists::InUse(count);
  if (in_use == 0) return false;
  count = static_cast<std::int16_t>(in_use - 1);
  return true;
}

}  // namespace

ShapeKindParts SplitShapeKind(std::uint8_t kind) {
  switch (kind) {
    case kShapeLine:
      return {DecorationMode::kLine, 0};
    case kShapeDottedLine:
      return {DecorationMode::kDottedLine, 0};
    case kShapeRectangle:
      return {DecorationMode::kRectangle, 0};
    case kShapeArrow:
      return {DecorationMode::kArrow, 0};
    case kShapeNorthArrow:
      return {DecorationMode::kNorthArrow, 0};
    default:
      break;
  }
  const auto fill = static_cast<std::uint8_t>(kind % kFilledShapeSpan);
  if (fill >= kFillCount) return {};
  switch (kind - fill) {
    case kShapeCircle:
      return {DecorationMode::kCircle, fill};
    case kShapeSquare:
      return {DecorationMode::kSquare, fill};
    case kShapeTriangle:
      return {DecorationMode::kTriangle, fill};
    case kShapeCross:
      return {DecorationMode::kCross, fill};
    default:
      return {};
  }
}

bool IsTextMode(DecorationMode mode) {
  return mode == DecorationMode::kTextCleared || mode == DecorationMode::kTextTransparent;
}

bool IsShapeMode(DecorationMode mode) {
  return mode >= DecorationMode::kLine && mode <= DecorationMode::kNorthArrow;
}

std::uint8_t ShapeKindFor(const DecorationTools& tools, DecorationMode mode) {
  switch (mode) {
    case DecorationMode::kLine:
      return kShapeLine;
    case DecorationMode::kDottedLine:
      return kShapeDottedLine;
    case DecorationMode::kRectangle:
      return kShapeRectangle;
    case DecorationMode::kArrow:
      return kShapeArrow;
    case DecorationMode::kNorthArrow:
      return kShapeNorthArrow;
    default:
      break;
  }
  const std::optional<FilledTool> tool = FilledToolOf(tools, mode);
  if (!tool) return 0;
  const bool known = tool->fill >= 0 && tool->fill < kFillCount;
  return static_cast<std::uint8_t>(tool->base + (known ? tool->fill : kFillHollow));
}

void RememberShapeSize(DecorationTools& tools, DecorationMode mode, int size) {
  if (std::int16_t* last = LastSizeSetting(tools, mode))
    *last = static_cast<std::int16_t>(std::clamp(size, 0, 32767));
}

bool ShapeListFull(const DecorationLists& lists) {
  return DecorationLists::InUse(lists.ShapeCount) >= kMaxDecorations;
}

bool TextListFull(const DecorationLists& lists) {
  return DecorationLists::InUse(lists.TextDecorationCount) >= kMaxDecorations;
}

bool AddShapeDecoration(DecorationLists& lists, const ShapeDecoration& shape) {
  if (ShapeListFull(lists)) return false;
  lists.ShapeDecorations[DecorationLists::InUse(lists.ShapeCount)] = shape;
  lists.ShapeCount = NextCount(lists.ShapeCount);
  return true;
}

AddTextResult AddTextDecoration(DecorationLists& lists, const TextDecoration& text) {
  if (text.Text.empty()) return AddTextResult::kEmpty;
  if (text.Text.size() > kMaxDecorationTextBytes) return AddTextResult::kTooLong;
  if (TextListFull(lists)) return AddTextResult::kFull;
  lists.TextDecorations[DecorationLists::InUse(lists.TextDecorationCount)] = text;
  lists.TextDecorationCount = NextCount(lists.TextDecorationCount);
  return AddTextResult::kAdded;
}

bool RemoveLastDecoration(DecorationLists& lists, DecorationMode mode) {
  if (IsTextMode(mode)) return RemoveLast(lists.TextDecorationCount);
  if (IsShapeMode(mode)) return RemoveLast(lists.ShapeCount);
  return false;
}

bool HasDecorations(const DecorationLists& lists) {
  return !lists.Shapes().empty() || !lists.Texts().empty();
}

void ClearDecorations(DecorationLists& lists) {
  lists.ShapeCount = 0;
  lists.TextDecorationCount = 0;
}

bool ConfirmClearDecorations(Reporter& reporter, const DecorationLists& lists) {
  return !HasDecorations(lists) ||
         reporter.AskOkCancel(kClearDecorationsQuestion, kClearDecorationsTitle);
}

}  // namespace kartela
