#include "gdi/qt/font_substitution.h"

#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <QFontInfo>
#include <QFontMetrics>

#include "model/test_support.h"
#include "qt_test_app.h"

namespace kartela::gdi {
namespace {

using test::Sjis;

const std::vector<std::string> kIpaFonts = {"DejaVu Sans", "IPAGothic",  "IPAMincho",
                                            "IPAPGothic",  "IPAPMincho", "C059 [urw]"};
const std::vector<std::string> kNotoFonts = {"DejaVu Serif", "Noto Sans CJK JP",
                                             "Noto Sans Mono CJK JP", "Noto Serif CJK JP"};

std::string Substitute(std::string_view utf8_face, const std::vector<std::string>& installed) {
  return SubstituteFaceName(Sjis(utf8_face), installed);
}

TEST(FontSubstitutionTest, WindowsJapaneseFacesBecomeIpaFontsOfTheSameStyleAndPitch) {
  EXPECT_EQ(Substitute("ＭＳ 明朝", kIpaFonts), "IPAMincho");
  EXPECT_EQ(Substitute("ＭＳ Ｐ明朝", kIpaFonts), "IPAPMincho");
  EXPECT_EQ(Substitute("ＭＳ ゴシック", kIpaFonts), "IPAGothic");
  EXPECT_EQ(Substitute("ＭＳ Ｐゴシック", kIpaFonts), "IPAPGothic");
  EXPECT_EQ(Substitute("MS PGothic", kIpaFonts), "IPAPGothic");
  EXPECT_EQ(Substitute("ＭＳ ＵＩ Gothic", kIpaFonts), "IPAPGothic");
  // Half-width kana, as some old files spell the face.
  EXPECT_EQ(Substitute("ＭＳ ｺﾞｼｯｸ", kIpaFonts), "IPAGothic");
  // Map texts take the proportional variant of every substituted face.
  EXPECT_EQ(SubstituteFaceName(Sjis("ＭＳ 明朝"), kIpaFonts, FacePitch::kProportional),
            "IPAPMincho");
  EXPECT_EQ(SubstituteFaceName(Sjis("ＭＳ ゴシック"), kNotoFonts, FacePitch::kProportional),
            "Noto Sans CJK JP");
  EXPECT_EQ(SubstituteFaceName(Sjis("IPAMincho"), kIpaFonts, FacePitch::kProportional), "IPAMincho")
      << "an installed face as it is";
}

TEST(FontSubstitutionTest, WindowsJapaneseFacesBecomeNotoFontsWhenNoIpaFontIsInstalled) {
  EXPECT_EQ(Substitute("ＭＳ 明朝", kNotoFonts), "Noto Serif CJK JP");
  EXPECT_EQ(Substitute("ＭＳ Ｐ明朝", kNotoFonts), "Noto Serif CJK JP");
  EXPECT_EQ(Substitute("ＭＳ ゴシック", kNotoFonts), "Noto Sans Mono CJK JP");
  EXPECT_EQ(Substitute("ＭＳ Ｐゴシック", kNotoFonts), "Noto Sans CJK JP");
}

TEST(FontSubstitutionTest, InstalledFaceIsUsedAsItIs) {
  EXPECT_EQ(Substitute("DejaVu Sans", kIpaFonts), "DejaVu Sans");
  EXPECT_EQ(Substitute("dejavu sans", kIpaFonts), "DejaVu Sans");
  EXPECT_EQ(Substitute("C059", kIpaFonts), "C059 [urw]");
  EXPECT_EQ(Substitute("IPAPMincho", kIpaFonts), "IPAPMincho");
}

TEST(FontSubstitutionTest, OtherFacesFallBackToAJapaneseFontOfTheirStyle) {
  EXPECT_EQ(Substitute("Arial", kIpaFonts), "IPAPGothic");
  EXPECT_EQ(Substitute("メイリオ", kIpaFonts), "IPAPGothic");
  EXPECT_EQ(Substitute("HG丸ｺﾞｼｯｸM-PRO", kIpaFonts), "IPAGothic");
  EXPECT_EQ(Substitute("Times New Roman", kIpaFonts), "IPAPMincho");
  EXPECT_EQ(Substitute("HG正楷書体-PRO", kIpaFonts), "IPAPMincho");
  // A Gothic face with only Mincho fonts installed still gets a Japanese font.
  EXPECT_EQ(Substitute("ＭＳ ゴシック", {"IPAMincho"}), "IPAMincho");
}

TEST(FontSubstitutionTest, FaceEndsAtItsTerminatorAndBadBytesDoNotMatter) {
  EXPECT_EQ(SubstituteFaceName(std::string("DejaVu Sans\0junk", 16), kIpaFonts), "DejaVu Sans");
  // An empty face is the default face.
  EXPECT_EQ(SubstituteFaceName(std::string("\0junk", 5), kIpaFonts), "IPAMincho");
  EXPECT_EQ(SubstituteFaceName("\x82\xff\xa0", kIpaFonts), "IPAPMincho");
}

TEST(FontSubstitutionTest, WithoutJapaneseFontsTheGenericFamilyOfTheStyleIsUsed) {
  const std::vector<std::string> western = {"DejaVu Sans"};
  EXPECT_EQ(Substitute("ＭＳ 明朝", western), "Serif");
  EXPECT_EQ(Substitute("ＭＳ ゴシック", western), "Sans Serif");
  EXPECT_EQ(Substitute("ＭＳ 明朝", {}), "Serif");
}

class MakeQFontTest : public testing::Test {
 protected:
  static LogFont Record(std::int32_t height, std::string_view utf8_face = "ＭＳ 明朝") {
    LogFont record;
    record.Height = height;
    record.FaceName = Sjis(utf8_face);
    return record;
  }

  std::vector<std::string> installed_ = InstalledFamilies();
};

TEST_F(MakeQFontTest, NegativeHeightIsTheEmInPixelsAtTheScale) {
  const QFont font = MakeQFont(Record(-12), 1.0, installed_);
  EXPECT_EQ(font.pixelSize(), 12);
  EXPECT_EQ(QFontInfo(font).pixelSize(), 12);
  EXPECT_EQ(MakeQFont(Record(-12), 2.5, installed_).pixelSize(), 30);
  EXPECT_EQ(MakeQFont(Record(0), 1.0, installed_).pixelSize(), 12);
}

TEST_F(MakeQFontTest, PositiveHeightIsTheCellHeight) {
  for (const std::int32_t height : {12, 20, 48}) {
    const QFontMetrics metrics(MakeQFont(Record(height), 1.0, installed_));
    EXPECT_NEAR(metrics.ascent() + metrics.descent(), height, 1) << height;
  }
}

TEST_F(MakeQFontTest, AbsurdHeightsFromFilesAreKeptWithinBounds) {
  EXPECT_EQ(MakeQFont(Record(-2'000'000'000), 1.0, installed_).pixelSize(), 4096);
  EXPECT_EQ(MakeQFont(Record(-12), 0.0, installed_).pixelSize(), 1);
}

TEST_F(MakeQFontTest, StyleFieldsOfTheRecordAreApplied) {
  LogFont record = Record(-16);
  record.Weight = 700;
  record.Italic = 1;
  record.Underline = 1;
  const QFont font = MakeQFont(record, 1.0, installed_);
  EXPECT_EQ(font.weight(), QFont::Bold);
  EXPECT_TRUE(font.italic());
  EXPECT_TRUE(font.underline());
  EXPECT_FALSE(font.strikeOut());
  EXPECT_EQ(MakeQFont(Record(-16), 1.0, installed_).weight(), QFont::Normal);
}

TEST_F(MakeQFontTest, DefaultFaceDrawsWithAnInstalledJapaneseMincho) {
  if (std::find(installed_.begin(), installed_.end(), "IPAMincho") == installed_.end()) {
    FAIL() << "IPAMincho is not installed (fonts-ipafont-mincho; scripts/setup.sh installs it)";
  }
  EXPECT_EQ(QFontInfo(MakeQFont(Record(-12), 1.0, installed_)).family(), "IPAMincho");
  EXPECT_EQ(QFontInfo(MakeQFont(Record(-12, "ＭＳ Ｐゴシック"), 1.0, installed_)).family(),
            "IPAPGothic");
}

}  // namespace
}  // namespace kartela::gdi
