#include "model/map_document.h"

#include <algorithm>
#include <limits>
#include <optional>
#include <utility>

#include "base/text_encoding.h"
#include "model/settings.h"

namespace kartela {
namespace {

using map_document::Kind;

constexpr std::int32_t kInt16Min = std::numeric_limits<std::int16_t>::min();
constexpr std::int32_t kInt16Max = std::numeric_limits<std::int16_t>::max();
constexpr std::int32_t kMaxShapeKind = std::numeric_limits<std::uint8_t>::max();
constexpr std::int32_t kLastCircleColour = kCircleColourCount - 1;
// How much of an unknown first line a reason quotes.
constexpr std::size_t kQuotedTagBytes = 16;

// Thrown by the reader's steps and caught once, by ParseMapDocument.
struct Refusal {
  Status status;
};

// The lines of a document in order. Each step takes the next line and
// checks it, or refuses the document naming that line.
class LineSource {
 public:
  explicit LineSource(std::string_view bytes) : bytes_(bytes) {}

  // The next line without its ending (CR LF, LF or a lone CR).
  std::string_view Next() {
    ++line_;  // a missing line is named too
    line_start_ = offset_;
    if (offset_ >= bytes_.size()) Refuse("ファイルが途中で終わっています");
    const std::string_view rest = bytes_.substr(offset_);
    const std::size_t end = std::min(rest.find_first_of("\r\n"), rest.size());
    std::size_t ending = 0;
    if (end < rest.size()) ending = rest.compare(end, 2, "\r\n") == 0 ? 2 : 1;
    offset_ += end + ending;
    return rest.substr(0, end);
  }

  std::string Text(std::size_t max_bytes, std::string_view what) {
    const std::string_view line = Next();
    if (line.size() > max_bytes) {
      Refuse(std::string(what) + "が " + std::to_string(max_bytes) + " バイトを超えています");
    }
    return std::string(line);
  }

  std::int32_t Integer(std::int32_t low, std::int32_t high, std::string_view what) {
    const auto value = map_document::ParseInteger(Next(), low, high);
    if (!value) {
      Refuse(std::string(what) + "が " + std::to_string(low) + "～" + std::to_string(high) +
             " の整数ではありません");
    }
    return *value;
  }

  std::int16_t Int16(std::string_view what) {
    return static_cast<std::int16_t>(Integer(kInt16Min, kInt16Max, what));
  }

  double Real(std::string_view what) {
    const auto value = map_document::ParseReal(Next());
    if (!value) Refuse(std::string(what) + "が数値ではありません");
    return *value;
  }

  // Passes each line before the one that opens the body to `extra`, and
  // takes that one too.
  template <typename Extra>
  void SkipToBody(Extra extra) {
    for (std::string_view line = Next(); line != map_document::kBodyMarker; line = Next())
      extra(line);
  }

  [[noreturn]] void Refuse(std::string_view reason) const {
    throw Refusal{{StatusCode::kBadFormat, std::to_string(line_) + " 行目：" + std::string(reason),
                   line_start_}};
  }

 private:
  std::string_view bytes_;
  std::size_t offset_ = 0;
  std::size_t line_ = 0;
  std::size_t line_start_ = 0;  // of the line taken last
};

Kind ReadKind(LineSource& lines) {
  const std::string_view tag = lines.Next();
  for (const auto& known : map_document::kKindTags) {
    if (tag == known.tag) return known.kind;
  }
  lines.Refuse("地図の種類「" + sjis::ToUtf8Lossy(sjis::CutToBytes(tag, kQuotedTagBytes)) +
               "」を知りません");
}

void ReadPaintHeader(LineSource& lines, PaintDocumentSettings& paint) {
  paint.DataMin = lines.Real("最小値");
  paint.DataMax = lines.Real("最大値");
  paint.DivisionMethod = static_cast<std::int16_t>(lines.Integer(1, 2, "区分の方法"));
  paint.LegendStyle = lines.Int16("凡例の形式");
  for (std::string& boundary : paint.ClassBreaks)
    boundary = lines.Text(map_document::kMaxBoundaryBytes, "区分の境界");
}

// `line` without `prefix`, when it begins with it.
std::optional<std::string_view> After(std::string_view line, std::string_view prefix) {
  if (!line.starts_with(prefix)) return std::nullopt;
  return line.substr(prefix.size());
}

void ReadSourceLine(std::string_view text, MapDocument& document) {
  const SourceLine line = SplitSourceLine(text);
  document.SourceAtRight = line.right;
  document.SourceText = sjis::CutToBytes(line.text, kMaxFurnitureTextBytes);
}

// A line between the header and the body: the paint map's colour scheme,
// the legend heading, the source line, the nested circle legend, or
// something to skip.
void ReadExtraLine(std::string_view line, MapDocument& document) {
  if (const auto heading = After(line, map_document::kLegendHeadingPrefix)) {
    document.LegendHeading = sjis::CutToBytes(*heading, kMaxFurnitureTextBytes);
  } else if (const auto source = After(line, map_document::kSourcePrefix)) {
    ReadSourceLine(*source, document);
  } else if (line == map_document::kNestedCircleLegendLine) {
    document.Symbols.NestedLegend = document.Kind == Kind::kCircleGraph;
  } else if (const auto scheme = After(line, map_document::kColorSchemePrefix);
             scheme && document.Kind == Kind::kPaintMap) {
    document.Paint.ColorScheme = sjis::CutToBytes(*scheme, map_document::kMaxSchemeNameBytes);
  }
}

void ReadReference(LineSource& lines, SymbolSettings& symbols) {
  symbols.RefRadius = lines.Int16("基準の半径");
  symbols.RefValueText = lines.Text(kMaxRefValueTextBytes, "基準の値");
  symbols.BaseValue = lines.Real("基底値");
}

void ReadHeader(LineSource& lines, MapDocument& document) {
  switch (document.Kind) {
    case Kind::kWhiteMap:
      return;
    case Kind::kPaintMap:
      return ReadPaintHeader(lines, document.Paint);
    case Kind::kCircleGraph:
      ReadReference(lines, document.Symbols);
      document.Symbols.PlusColour =
          static_cast<std::int16_t>(lines.Integer(0, kLastCircleColour, "プラスの色"));
      document.Symbols.MinusColour =
          static_cast<std::int16_t>(lines.Integer(0, kLastCircleColour, "マイナスの色"));
      return;
    case Kind::kPictureGraph:
      document.GlyphPictureFile = lines.Text(map_document::kMaxPathBytes, "絵のファイル名");
      ReadReference(lines, document.Symbols);
      return;
  }
}

void ReadBody(LineSource& lines, MapDocument& document) {
  const auto value_count = lines.Integer(0, map_document::kMaxValueCount, "値の数");
  document.Values.resize(static_cast<std::size_t>(value_count));
  for (std::string& value : document.Values)
    value = lines.Text(kMaxValueBytes, "値");
  document.Shapes.resize(static_cast<std::size_t>(lines.Integer(0, kMaxDecorations, "図形の数")));
  for (ShapeDecoration& shape : document.Shapes) {
    shape.X1 = lines.Int16("図形の座標");
    shape.Y1 = lines.Int16("図形の座標");
    shape.X2 = lines.Int16("図形の座標");
    shape.Y2 = lines.Int16("図形の座標");
    shape.Kind = static_cast<std::uint8_t>(lines.Integer(0, kMaxShapeKind, "図形の種類"));
  }
  document.Texts.resize(static_cast<std::size_t>(lines.Integer(0, kMaxDecorations, "文字の数")));
  for (TextDecoration& text : document.Texts) {
    text.X = lines.Int16("文字の座標");
    text.Y = lines.Int16("文字の座標");
    text.Style = lines.Int16("文字の背景");
    text.Text = lines.Text(kMaxDecorationTextBytes, "修飾の文字");
  }
}

class DocumentWriter {
 public:
  void Line(std::string_view text) { bytes_.append(text).append(map_document::kLineEnd); }
  void Integer(std::int64_t value) { Line(std::to_string(value)); }
  void Real(double value) { Line(map_document::FormatReal(value)); }
  std::string Take() { return std::move(bytes_); }

 private:
  std::string bytes_;
};

std::string_view TagOf(Kind kind) {
  for (const auto& known : map_document::kKindTags) {
    if (known.kind == kind) return known.tag;
  }
  return {};
}

void WriteReference(DocumentWriter& out, const SymbolSettings& symbols) {
  out.Integer(symbols.RefRadius);
  out.Line(symbols.RefValueText);
  out.Real(symbols.BaseValue);
}

void WriteHeader(DocumentWriter& out, const MapDocument& document) {
  switch (document.Kind) {
    case Kind::kWhiteMap:
      return;
    case Kind::kPaintMap:
      out.Real(document.Paint.DataMin);
      out.Real(document.Paint.DataMax);
      out.Integer(document.Paint.DivisionMethod);
      out.Integer(document.Paint.LegendStyle);
      for (const std::string& boundary : document.Paint.ClassBreaks)
        out.Line(boundary);
      if (!document.Paint.ColorScheme.empty())
        out.Line(std::string(map_document::kColorSchemePrefix) + document.Paint.ColorScheme);
      return;
    case Kind::kCircleGraph:
      WriteReference(out, document.Symbols);
      out.Integer(document.Symbols.PlusColour);
      out.Integer(document.Symbols.MinusColour);
      if (document.Symbols.NestedLegend) out.Line(map_document::kNestedCircleLegendLine);
      return;
    case Kind::kPictureGraph:
      out.Line(document.GlyphPictureFile);
      WriteReference(out, document.Symbols);
      return;
  }
}

// The lines any kind has only when they are set, which older readers skip.
void WriteFurnitureLines(DocumentWriter& out, const MapDocument& document) {
  if (!document.LegendHeading.empty())
    out.Line(std::string(map_document::kLegendHeadingPrefix) + document.LegendHeading);
  if (!document.SourceText.empty()) {
    out.Line(std::string(map_document::kSourcePrefix) +
             JoinSourceLine(document.SourceAtRight, document.SourceText));
  }
}

void WriteBody(DocumentWriter& out, const MapDocument& document) {
  out.Line(map_document::kBodyMarker);
  out.Integer(static_cast<std::int64_t>(document.Values.size()));
  for (const std::string& value : document.Values)
    out.Line(value);
  out.Integer(static_cast<std::int64_t>(document.Shapes.size()));
  for (const ShapeDecoration& shape : document.Shapes) {
    for (const int coordinate : {shape.X1, shape.Y1, shape.X2, shape.Y2})
      out.Integer(coordinate);
    out.Integer(shape.Kind);
  }
  out.Integer(static_cast<std::int64_t>(document.Texts.size()));
  for (const TextDecoration& text : document.Texts) {
    out.Integer(text.X);
    out.Integer(text.Y);
    out.Integer(text.Style);
    out.Line(text.Text);
  }
}

bool HasLineBreak(std::string_view text) {
  return text.find_first_of("\r\n") != std::string_view::npos;
}

bool HasLineBreak(const MapDocument& document) {
  std::vector<std::string_view> texts = {document.DataTitle,         document.BaseMapFile,
                                         document.GlyphPictureFile,  document.Symbols.RefValueText,
                                         document.Paint.ColorScheme, document.LegendHeading,
                                         document.SourceText};
  texts.insert(texts.end(), document.Paint.ClassBreaks.begin(), document.Paint.ClassBreaks.end());
  texts.insert(texts.end(), document.Values.begin(), document.Values.end());
  for (const TextDecoration& text : document.Texts)
    texts.push_back(text.Text);
  return std::any_of(texts.begin(), texts.end(),
                     [](std::string_view text) { return HasLineBreak(text); });
}

}  // namespace

StatusOr<MapDocument> ParseMapDocument(std::string_view bytes) {
  if (bytes.size() > map_document::kMaxFileBytes) {
    return Status(StatusCode::kTooLarge, "文書の形式が持てる大きさを超えています");
  }
  LineSource lines(bytes);
  MapDocument document;
  try {
    document.Kind = ReadKind(lines);
    document.DataTitle = lines.Text(kMaxTitleBytes, "タイトル");
    document.BaseMapFile = lines.Text(map_document::kMaxPathBytes, "基本地図の名前");
    ReadHeader(lines, document);
    lines.SkipToBody([&](std::string_view line) { ReadExtraLine(line, document); });
    ReadBody(lines, document);
  } catch (Refusal& refusal) {
    return std::move(refusal.status);
  }
  return document;
}

std::string FormatMapDocument(const MapDocument& document) {
  DocumentWriter out;
  out.Line(TagOf(document.Kind));
  out.Line(document.DataTitle);
  out.Line(document.BaseMapFile);
  WriteHeader(out, document);
  WriteFurnitureLines(out, document);
  WriteBody(out, document);
  return out.Take();
}

std::string MapDocumentWriteRefusal(const MapDocument& document) {
  if (HasLineBreak(document)) return "文字に改行があります";
  const std::string bytes = FormatMapDocument(document);
  const StatusOr<MapDocument> read = ParseMapDocument(bytes);
  if (!read.ok()) return read.status().detail();
  return {};
}

}  // namespace kartela
