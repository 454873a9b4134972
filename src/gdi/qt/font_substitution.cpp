#include "gdi/qt/font_substitution.h"

#include <algorithm>
#include <cmath>

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QString>
#include <QStringList>

#include "base/text_encoding.h"

namespace kartela::gdi {
namespace {

constexpr int kDefaultEm = 12;
constexpr int kMaxEm = 4096;
constexpr int kProbeEm = 100;

// Installed families in order of preference for each style.
const char* const kMinchoFixed[] = {"IPAMincho", "IPAexMincho", "Noto Serif CJK JP", "IPAPMincho"};
const char* const kMinchoProportional[] = {"IPAPMincho", "Noto Serif CJK JP", "IPAexMincho",
                                           "IPAMincho"};
const char* const kGothicFixed[] = {"IPAGothic", "Noto Sans Mono CJK JP", "IPAexGothic",
                                    "Noto Sans CJK JP", "IPAPGothic"};
const char* const kGothicProportional[] = {"IPAPGothic", "Noto Sans CJK JP", "IPAexGothic",
                                           "IPAGothic", "Noto Sans Mono CJK JP"};

// Words of a face name (compatibility-folded, upper case, without blanks)
// that mark a sans-serif face; "P" before the style word marks the
// proportional variant of a Japanese face.
const char* const kGothicWords[] = {"ゴシック",  "角ゴ",    "GOTHIC", "SANS",   "ARIAL",
                                    "HELVETICA", "VERDANA", "TAHOMA", "MEIRYO", "メイリオ"};
const char* const kJapaneseStyleWords[] = {"明朝", "MINCHO", "ゴシック", "GOTHIC"};
const char* const kProportionalWords[] = {"P明朝",   "PMINCHO",    "Pゴシック",
                                          "PGOTHIC", "UIゴシック", "UIGOTHIC"};

struct FaceStyle {
  bool gothic = false;
  bool proportional = false;
};

// Full-width letters and half-width kana become their plain forms, so that
// "ＭＳ Ｐゴシック" reads as "MSPゴシック".
QString FoldedKey(const std::string& face_utf8) {
  QString key =
      QString::fromStdString(face_utf8).normalized(QString::NormalizationForm_KC).toUpper();
  key.remove(QLatin1Char(' '));
  return key;
}

template <std::size_t N>
bool ContainsAny(const QString& key, const char* const (&words)[N]) {
  return std::any_of(std::begin(words), std::end(words),
                     [&key](const char* word) { return key.contains(QString::fromUtf8(word)); });
}

FaceStyle ClassifyFace(const QString& key) {
  FaceStyle style;
  style.gothic = ContainsAny(key, kGothicWords);
  style.proportional =
      ContainsAny(key, kProportionalWords) || !ContainsAny(key, kJapaneseStyleWords);
  return style;
}

// The listed name without Qt's " [foundry]" suffix.
std::string_view BareFamily(std::string_view family) {
  const auto bracket = family.find(" [");
  return bracket == std::string_view::npos ? family : family.substr(0, bracket);
}

const std::string* FindInstalled(std::string_view family, std::span<const std::string> installed) {
  const QString wanted = QString::fromUtf8(family.data(), static_cast<qsizetype>(family.size()));
  for (const std::string& candidate : installed) {
    const std::string_view bare = BareFamily(candidate);
    const QString name = QString::fromUtf8(bare.data(), static_cast<qsizetype>(bare.size()));
    if (name.compare(wanted, Qt::CaseInsensitive) == 0) return &candidate;
  }
  return nullptr;
}

template <std::size_t N>
const std::string* FirstInstalled(const char* const (&families)[N],
                                  std::span<const std::string> installed) {
  for (const char* family : families) {
    if (const std::string* found = FindInstalled(family, installed)) return found;
  }
  return nullptr;
}

const std::string* JapaneseFamily(bool gothic, bool proportional,
                                  std::span<const std::string> installed) {
  if (gothic) {
    return proportional ? FirstInstalled(kGothicProportional, installed)
                        : FirstInstalled(kGothicFixed, installed);
  }
  return proportional ? FirstInstalled(kMinchoProportional, installed)
                      : FirstInstalled(kMinchoFixed, installed);
}

int ClampEm(double em) {
  if (!(em >= 1.0)) return 1;  // also NaN
  return static_cast<int>(std::lround(std::min(em, static_cast<double>(kMaxEm))));
}

// The em size whose ascent plus descent is `cell_height` in this face.
int EmForCellHeight(QFont font, double cell_height) {
  font.setPixelSize(kProbeEm);
  const QFontMetricsF metrics(font);
  const double cell_per_em = (metrics.ascent() + metrics.descent()) / kProbeEm;
  return ClampEm(cell_per_em > 0 ? cell_height / cell_per_em : cell_height);
}

int EmSize(const QFont& font, std::int32_t record_height, double scale) {
  const double height = static_cast<double>(record_height) * scale;
  if (record_height < 0) return ClampEm(-height);
  if (record_height > 0) return EmForCellHeight(font, height);
  return ClampEm(kDefaultEm * scale);
}

void ApplyWidth(QFont& font, std::int32_t record_width, double scale) {
  if (record_width == 0) return;
  const double natural = QFontMetricsF(font).averageCharWidth();
  if (!(natural > 0)) return;
  const double wanted = std::abs(static_cast<double>(record_width)) * scale;
  font.setStretch(static_cast<int>(std::clamp(std::round(100 * wanted / natural), 1.0, 4000.0)));
}

}  // namespace

std::string SubstituteFaceName(std::string_view face, std::span<const std::string> installed,
                               FacePitch pitch) {
  // The record keeps the face in a zero-terminated slot.
  const std::string face_utf8 = sjis::ToUtf8Lossy(face.substr(0, face.find('\0')));
  if (face_utf8.empty()) return SubstituteFaceName(kDefaultFaceName, installed, pitch);
  if (const std::string* found = FindInstalled(face_utf8, installed)) return *found;
  FaceStyle style = ClassifyFace(FoldedKey(face_utf8));
  if (pitch == FacePitch::kProportional) style.proportional = true;
  if (const std::string* found = JapaneseFamily(style.gothic, style.proportional, installed)) {
    return *found;
  }
  if (const std::string* found = JapaneseFamily(!style.gothic, style.proportional, installed)) {
    return *found;
  }
  return style.gothic ? "Sans Serif" : "Serif";
}

std::vector<std::string> InstalledFamilies() {
  std::vector<std::string> families;
  for (const QString& family : QFontDatabase::families())
    families.push_back(family.toStdString());
  return families;
}

QFont MakeQFont(const LogFont& record, double scale, std::span<const std::string> installed,
                FacePitch pitch) {
  QFont font(QString::fromStdString(SubstituteFaceName(record.FaceName, installed, pitch)));
  font.setStyleStrategy(QFont::StyleStrategy(QFont::PreferAntialias | QFont::NoSubpixelAntialias));
  font.setKerning(false);
  font.setWeight(record.Weight == 0
                     ? QFont::Normal
                     : static_cast<QFont::Weight>(std::clamp(record.Weight, 1, 1000)));
  font.setItalic(record.Italic != 0);
  font.setUnderline(record.Underline != 0);
  font.setStrikeOut(record.StrikeOut != 0);
  font.setPixelSize(EmSize(font, record.Height, scale));
  ApplyWidth(font, record.Width, scale);
  return font;
}

}  // namespace kartela::gdi
