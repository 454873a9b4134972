// Text conversions of the metafile writers and players: the model keeps
// Shift-JIS, EMF stores UTF-16, WMF stores bytes of the font's code page.
#pragma once

#include <string>
#include <string_view>

namespace kartela::gdi {

// Shift-JIS to UTF-16; undefined bytes become U+FFFD.
std::u16string Utf16FromShiftJis(std::string_view text);

// UTF-16 to Shift-JIS; a character Shift-JIS cannot hold (or a broken
// surrogate) becomes "?".
std::string ShiftJisFromUtf16(std::u16string_view text);

// Latin-1 (the ANSI character set of a foreign WMF) to Shift-JIS, "?" for
// what Shift-JIS cannot hold.
std::string ShiftJisFromLatin1(std::string_view text);

}  // namespace kartela::gdi
