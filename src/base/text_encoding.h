// Text encodings: telling which one a text is in, converting between CP932
// (the Windows form of Shift-JIS), UTF-8, UTF-16LE and Latin-1, and the
// byte-level helpers of Shift-JIS text (lead bytes, cutting, upper case,
// full-width folding, trimming).
//
// Texts of the model stay CP932 bytes so that every byte limit is a plain
// length check and files round-trip byte for byte; conversion to Unicode
// happens only at the user interface, the clipboard, the file system and the
// metafiles. Every conversion goes through iconv's "CP932", which holds the
// NEC and IBM extensions that Japanese files contain.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kartela {

// The encodings the program reads. kAuto asks a reader to tell from the bytes.
enum class TextEncoding { kAuto, kCp932, kUtf8 };

// ---- Names ------------------------------------------------------------------

// "auto", "cp932" (also "sjis", "shift_jis") or "utf-8" (also "utf8"); letter
// case, blanks, "-" and "_" do not count.
std::optional<TextEncoding> ParseEncodingName(std::string_view name);
const char* EncodingName(TextEncoding encoding);

// The encoding a code-page file (the .cpg beside a shapefile) names; nullopt
// for one this program does not read.
std::optional<TextEncoding> EncodingOfCodePageFile(std::string_view contents);

// ---- UTF-8 ------------------------------------------------------------------

// The length of the UTF-8 character that starts at `at` (1 for ASCII), or 0
// when no valid one does: a stray or cut sequence, an overlong form, a
// surrogate or a value beyond U+10FFFF.
std::size_t Utf8SequenceLength(std::string_view text, std::size_t at);

bool IsValidUtf8(std::string_view text);

// ---- Telling the encoding ---------------------------------------------------

// The encoding of a text file the program reads (data files, base-map
// headers, settings, user tools): UTF-8 when `bytes` start with the UTF-8
// byte-order mark, or are valid UTF-8 holding non-ASCII text (Shift-JIS
// Japanese text is practically never valid UTF-8); CP932 otherwise, which
// includes plain ASCII.
TextEncoding DetectTextEncoding(std::string_view bytes);

// The encoding of the texts of a table or an attribute table: UTF-8 when
// every value is valid UTF-8 (plain ASCII included), else CP932.
TextEncoding GuessEncoding(const std::vector<std::string>& values);

struct DecodedText {
  TextEncoding encoding = TextEncoding::kCp932;
  std::string bytes;   // CP932, without a byte-order mark
  std::string reason;  // why a UTF-8 text could not be fully converted
};

// The text of a file as CP932 bytes. Shift-JIS stays as it is. A UTF-8 line
// holding a character that CP932 lacks is kept unconverted, and `reason`
// names the first such line.
DecodedText DecodeFileText(std::string_view bytes);

// The bytes to write for a file whose text is `text` (CP932), such that
// DecodeFileText reads them back as `text`: the text itself, unless it would
// be taken for UTF-8 (half-width katakana and some double-byte pairs form
// valid UTF-8); then the same characters as UTF-8 after a byte-order mark.
// nullopt when it would be taken for UTF-8 but holds bytes that are no CP932
// character, so that no form reads back the same.
std::optional<std::string> EncodeFileText(std::string_view text);

// `text` in `encoding` (kAuto counts as UTF-8) as UTF-8; nullopt when it is
// not valid in it.
std::optional<std::string> DecodeText(std::string_view text, TextEncoding encoding);

namespace sjis {

// ---- Shift-JIS bytes --------------------------------------------------------

// True for the first byte of a double-byte character (0x81-0x9F, 0xE0-0xFC).
bool IsLeadByte(unsigned char byte);

// The longest prefix of `text` of at most `max_bytes` bytes that does not end
// in the middle of a double-byte character.
std::string_view CutToBytes(std::string_view text, std::size_t max_bytes);

// Upper-cases the ASCII letters of `text`, leaving the trail bytes of
// double-byte characters alone (0x61-0x7A are valid trail bytes).
std::string ToUpper(std::string_view text);

// The full-width characters that fold to ASCII, named by what reads them.
enum class FullWidthSet {
  kNumber,        // digits, "+", "-", "." and "," (a typed number)
  kAlphanumeric,  // digits and Latin letters, their case kept (area names and codes)
};

// The ASCII form of the double-byte character `lead` `trail` when it is in
// `set`; 0 otherwise.
char AsciiOfFullWidth(unsigned char lead, unsigned char trail, FullWidthSet set);

// ---- Conversion -------------------------------------------------------------
// The strict forms fail on anything they cannot convert. The lossy forms
// write U+FFFD for each byte CP932 does not define, or "?" for each character
// CP932 cannot hold and each broken sequence of the source.

// CP932 to UTF-8; nullopt when `text` holds a byte sequence CP932 does not
// define.
std::optional<std::string> ToUtf8(std::string_view text);
std::string ToUtf8Lossy(std::string_view text);

// CP932 to UTF-16 (the text of EMF records).
std::u16string ToUtf16Lossy(std::string_view text);

// UTF-8 to CP932; nullopt when a character has no CP932 form or `text` is
// not valid UTF-8.
std::optional<std::string> FromUtf8(std::string_view text);
// A broken sequence is its first byte and the continuation bytes after it.
std::string FromUtf8Lossy(std::string_view text);

// UTF-8 to CP932 with each character CP932 lacks written as the nearest
// letters it holds: accents dropped ("Côte" to "Cote", combining marks
// too), ligatures spelt out ("Œ" to "OE", "ß" to "ss"), a few signs in
// words ("©" to "(C)"). The same result in every locale. nullopt when a
// character has no such form (an emoji, Thai) or `text` is not valid UTF-8.
std::optional<std::string> FromUtf8Transliterated(std::string_view text);

// UTF-16 to CP932; a surrogate without its partner is a broken sequence.
std::string FromUtf16Lossy(std::u16string_view text);

// Latin-1 (the ANSI character set of a foreign WMF) to CP932.
std::string FromLatin1Lossy(std::string_view text);

}  // namespace sjis

// ---- Trimming ---------------------------------------------------------------

// The sets of blanks the readers trim, named so that each reader says which
// it trims.
enum class Blanks {
  kSpace,         // " "
  kSpaceTab,      // " " and tab
  kSpaceTabCr,    // " ", tab and CR: lines split at LF only
  kSpaceTabCrLf,  // " ", tab, CR and LF
};

bool IsBlank(char c, Blanks blanks);

// `text` without the blanks of `blanks` at either end.
std::string_view Trim(std::string_view text, Blanks blanks);

// `line` before its first ";", which starts a comment in the program's text
// files. The ";" never occurs as the second byte of a Shift-JIS character.
std::string_view CutComment(std::string_view line);

// In place: cuts the comment, then trims blanks and tabs (Blanks::kSpaceTab).
void TrimComment(std::string& line);

}  // namespace kartela
