// Texts between the model (Shift-JIS), the file system (UTF-8 paths) and Qt.
#pragma once

#include <QString>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "base/text_encoding.h"

namespace kartela {

// A model text for display: bytes Shift-JIS does not define show as U+FFFD.
inline QString ShownText(std::string_view sjis_text) {
  return QString::fromStdString(sjis::ToUtf8Lossy(sjis_text));
}

// A typed text as a model text; nullopt when Shift-JIS cannot hold it.
inline std::optional<std::string> SjisText(const QString& text) {
  return sjis::FromUtf8(text.toStdString());
}

inline QString Utf8Text(std::string_view utf8) {
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

inline QString PathText(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return QString::fromUtf8(reinterpret_cast<const char*>(text.data()),
                           static_cast<qsizetype>(text.size()));
}

inline std::filesystem::path PathOf(const QString& text) {
  const QByteArray utf8 = text.toUtf8();
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

// A chosen file name that still holds a wildcard names no file.
inline bool HasWildcard(const QString& name) {
  return name.contains('*') || name.contains('?');
}

}  // namespace kartela
