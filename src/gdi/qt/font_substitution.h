// Fonts for the QPainter backend: font records name Windows faces such as
// "ＭＳ 明朝" (kept as they are in settings and documents); drawing uses an
// installed Japanese font of the same style instead.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include <QFont>

#include "model/log_font.h"

namespace kartela::gdi {

// Which pitch a substituted Japanese face takes. The fixed-pitch IPA faces
// centre narrow Latin glyphs in half-em cells, so a Latin name looks spaced
// wide; the proportional ones draw Latin letters at their own widths, wider
// than half an em for most capitals. Texts laid out by their byte count (the
// data window, whose leaders start a fixed step per byte after the name) need
// the fixed pitch; texts placed by their measured extent (the map) read
// better proportional.
enum class FacePitch {
  kOfTheFace,  // fixed for "ＭＳ 明朝" and "ＭＳ ゴシック", proportional for the others
  kProportional,  // proportional for every substituted face
};

// The family to draw the Shift-JIS face name `face` with, given the installed
// families (UTF-8, as Qt lists them). An installed face (compared without
// letter case) is used as it is. Any other face maps to an installed Japanese
// family: Gothic (sans) when the name says so (ゴシック, Gothic, Sans, Arial,
// メイリオ, ...), otherwise Mincho (serif), the style of the default face;
// its pitch as `pitch` says: with kOfTheFace fixed pitch for the fixed-pitch
// Japanese faces ("ＭＳ 明朝", "ＭＳ ゴシック"), proportional for the "Ｐ" faces
// and for western faces. IPA fonts come first, then Noto CJK; with no
// Japanese font at all, the generic "Serif" or "Sans Serif". An empty face is
// the default face.
std::string SubstituteFaceName(std::string_view face, std::span<const std::string> installed,
                               FacePitch pitch = FacePitch::kOfTheFace);

// The families Qt can draw with, in UTF-8. Needs a QGuiApplication.
std::vector<std::string> InstalledFamilies();

// The font for `record` drawn at `scale` device pixels per logical unit: a
// negative height is the em size, a positive one the cell height (ascent plus
// descent), 0 the default 12; the em is kept to 1..4096 pixels. Weight 0 is
// normal; a non-zero width sets the average character width. Text is drawn
// antialiased in grey levels (the substituted faces have no usable
// monochrome forms at 12 pixels: a capital M becomes a black block) and
// without kerning, as GDI places it.
QFont MakeQFont(const LogFont& record, double scale, std::span<const std::string> installed,
                FacePitch pitch = FacePitch::kOfTheFace);

}  // namespace kartela::gdi
