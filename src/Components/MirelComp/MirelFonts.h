#pragma once
// Fonts of the terminal. The layouts name the Korean Windows fonts; on this
// system they are substituted by the Nanum families once at start-up, so a
// QFont("굴림") draws Hangul in NanumGothic instead of a Latin fallback.

#include <QFont>
#include <QString>

namespace mirel {

// Registers the substitutions (proportional faces to NanumGothic, fixed-pitch
// faces to NanumGothicCoding). Safe to call more than once.
void installFontSubstitutions();

// A font as the layouts describe it: a negative height is a pixel size
// (the character height), a positive height the cell height in pixels.
QFont makeFont(const QString &family, int height, bool bold = false);

// Size of the font in points, also for a font given in pixels (96 dpi),
// never below 1.
int fontPointSize(const QFont &font);

} // namespace mirel
