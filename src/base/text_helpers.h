// Line helpers shared by the text readers, and the path splitter. Trimming
// and comments are in base/text_encoding.h.
#pragma once

#include <string>
#include <string_view>
#include <utility>

namespace kartela {

// Text before the first `separator` and the text after it; with no
// separator, the whole line and an empty tail. The separators in use (=, ;
// , /) never occur as the second byte of a Shift-JIS character.
std::pair<std::string, std::string> SplitAt(char separator, std::string_view line);

// Upper-case ASCII only, byte for byte; for keys and extensions, which are
// plain ASCII. Shift-JIS text goes through sjis::ToUpper.
std::string ToUpperAscii(std::string_view text);

// The parts of a path in Shift-JIS text: the directory with its trailing
// separator (empty for a bare name), the file name without extension, and the
// extension with its dot (empty when there is none). Both "/" and "\" separate
// directories, so references written on Windows split too; a "\" that is the
// second byte of a double-byte character does not.
struct PathParts {
  std::string dir;
  std::string name;
  std::string ext;
};
PathParts SplitPath(std::string_view path);

}  // namespace kartela
