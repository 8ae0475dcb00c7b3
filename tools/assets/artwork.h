// The pictures themselves, one source file each (about_picture.cpp, calculator_icon.cpp,
// hand_cursor.cpp; the digits and signs they share in glyphs.cpp). Everything is drawn
// from shapes (no fonts, no randomness) so that the same build always produces the same
// pixels.
#pragma once

#include <QImage>
#include <QPoint>

namespace sumbrook::tools {

inline constexpr int kAboutWidth = 227;
inline constexpr int kAboutHeight = 278;
inline constexpr int kCursorSize = 32;
inline constexpr QPoint kHandHotSpot{6, 0}; // the tip of the raised finger

// The About picture: sky, sun, hills and two little sums, kAboutWidth x kAboutHeight
// times `scale` (2 for screens of twice the density).
QImage drawAboutPicture(int scale = 1);

// The program icon, a pocket calculator, laid out afresh for each size so that
// small sizes stay crisp. Transparent background.
QImage drawCalculatorIcon(int size);

// The pointing-hand cursor: black outline, white inside, transparent around.
QImage drawHandCursor();

} // namespace sumbrook::tools
