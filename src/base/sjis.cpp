#include "base/sjis.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <memory>
#include <type_traits>

namespace kartela::sjis {
namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";  // U+FFFD in UTF-8

struct IconvCloser {
  void operator()(iconv_t cd) const { iconv_close(cd); }
};
using IconvHandle = std::unique_ptr<std::remove_pointer_t<iconv_t>, IconvCloser>;

IconvHandle OpenConverter(const char* to, const char* from) {
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return nullptr;
  return IconvHandle(cd);
}

// Converts `text`; on an undefined or incomplete sequence either fails or,
// with `lossy`, writes the replacement and skips one byte.
std::optional<std::string> Convert(const char* to, const char* from, std::string_view text,
                                   bool lossy) {
  IconvHandle converter = OpenConverter(to, from);
  if (!converter) return std::nullopt;
  std::string out;
  char buffer[256];
  auto* in_ptr = const_cast<char*>(text.data());
  std::size_t in_left = text.size();
  while (in_left > 0) {
    char* out_ptr = buffer;
    std::size_t out_left = sizeof buffer;
    const std::size_t result = iconv(converter.get(), &in_ptr, &in_left, &out_ptr, &out_left);
    out.append(buffer, static_cast<std::size_t>(out_ptr - buffer));
    if (result != static_cast<std::size_t>(-1) || errno == E2BIG) continue;
    if (!lossy) return std::nullopt;
    out.append(kReplacement);
    ++in_ptr;
    --in_left;
  }
  return out;
}

}  // namespace

bool IsLeadByte(unsigned char byte) {
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

std::string_view CutToBytes(std::string_view text, std::size_t max_bytes) {
  std::size_t end = 0;
  while (end < text.size()) {
    const std::size_t width = IsLeadByte(static_cast<unsigned char>(text[end])) ? 2 : 1;
    if (end + width > max_bytes) break;
    end += width;
  }
  return text.substr(0, std::min(end, text.size()));
}

std::string ToUpper(std::string_view text) {
  std::string upper(text);
  for (std::size_t i = 0; i < upper.size(); ++i) {
    const auto byte = static_cast<unsigned char>(upper[i]);
    if (IsLeadByte(byte)) {
      ++i;  // the trail byte is part of the character, not a letter
    } else if (byte >= 'a' && byte <= 'z') {
      upper[i] = static_cast<char>(byte - 'a' + 'A');
    }
  }
  return upper;
}

std::optional<std::string> ToUtf8(std::string_view text) {
  return Convert("UTF-8", "CP932", text, false);
}

std::string ToUtf8Lossy(std::string_view text) {
  return Convert("UTF-8", "CP932", text, true).value_or(std::string());
}

std::optional<std::string> FromUtf8(std::string_view text) {
  return Convert("CP932", "UTF-8", text, false);
}

}  // namespace kartela::sjis
