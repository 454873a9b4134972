#include "model/settings_rules.h"

#include <cstring>
#include <utility>
#include "base/numbers.h"

#include "base/text_encoding.h"

namespace kartela {
namespace {

// Characters an extension cannot carry: they would split or reach outside
// the file name, or act as wildcards and separators in the name filters.
constexpr const char* kUnsafeExtensionCharacters = " ./\\*?[]:;\"<>|()";

// Whether a character of `name` (Shift-JIS) is one an extension cannot carry;
// the trail bytes of double-byte characters are no characters of their own.
bool HasUnsafeCharacter(std::string_view name) {
  for (std::size_t i = 0; i < name.size(); ++i) {
    const auto byte = static_cast<unsigned char>(name[i]);
    if (sjis::IsLeadByte(byte)) {
      ++i;
      continue;
    }
    if (byte < 0x20 || byte == 0x7F || std::strchr(kUnsafeExtensionCharacters, byte) != nullptr)
      return true;
  }
  return false;
}

}  // namespace

DataExtCheck CheckDataExt(std::string_view typed) {
  if (typed.empty()) return {DataExtVerdict::kEmpty, {}};
  const std::string dotted = typed.starts_with('.') ? std::string(typed) : "." + std::string(typed);
  std::string ext = sjis::ToUpper(sjis::CutToBytes(dotted, kMaxDataExtBytes));
  // A substring test: "." and ".E" are refused as well as ".EXE".
  if (kReservedExtensions.find(ext) != std::string_view::npos)
    return {DataExtVerdict::kReserved, std::move(ext)};
  if (HasUnsafeCharacter(std::string_view(ext).substr(1)))
    return {DataExtVerdict::kMalformed, std::move(ext)};
  return {DataExtVerdict::kAccepted, std::move(ext)};
}

std::optional<std::int16_t> ParseItemLength(std::string_view text) {
  text = Trim(text, Blanks::kSpaceTab);
  if (text.starts_with('+')) text.remove_prefix(1);
  const auto value = ParseWholeInt(text, kMinItemLength, kMaxItemLength);
  if (!value) return std::nullopt;
  return static_cast<std::int16_t>(*value);
}

SaveMaskChecks ChecksOfSaveMask(std::int32_t save_mask) {
  SaveMaskChecks checks{};
  for (std::size_t i = 0; i < checks.size(); ++i)
    checks[i] = (save_mask & kSaveMaskBoxBits[i]) != 0;
  return checks;
}

std::int32_t SaveMaskOfChecks(const SaveMaskChecks& checks) {
  std::int32_t mask = kChangedItemLength;
  for (std::size_t i = 0; i < checks.size(); ++i) {
    if (checks[i]) mask |= kSaveMaskBoxBits[i];
  }
  return mask;
}

}  // namespace kartela
