// Decoding of the text files the program reads (data files, base-map
// headers, settings, user tools). They are Shift-JIS, but a file typed in a
// Linux editor is UTF-8; both are read into the model's CP932 bytes.
#pragma once

#include <string>
#include <string_view>

namespace kartela {

enum class TextEncoding { kShiftJis, kUtf8 };

// UTF-8 when `bytes` start with the UTF-8 byte-order mark, or are valid UTF-8
// holding non-ASCII text (Shift-JIS Japanese text is practically never valid
// UTF-8); Shift-JIS otherwise, which includes plain ASCII.
TextEncoding DetectTextEncoding(std::string_view bytes);

struct DecodedText {
  TextEncoding encoding = TextEncoding::kShiftJis;
  std::string bytes;   // CP932, without a byte-order mark
  std::string reason;  // why a UTF-8 text could not be fully converted
};

// The text of a file as CP932 bytes. Shift-JIS stays as it is. A UTF-8 line
// holding a character that CP932 lacks is kept unconverted, and `reason`
// names the first such line.
DecodedText DecodeFileText(std::string_view bytes);

}  // namespace kartela
