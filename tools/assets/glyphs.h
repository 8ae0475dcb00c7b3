// The digits and signs every drawing writes with, as centre lines to stroke, and the
// round pen they are stroked with.
#pragma once

#include <QColor>
#include <QPainterPath>
#include <QPen>

namespace sumbrook::tools {

// A glyph's box is kGlyphWidth wide and 1 high.
inline constexpr double kGlyphWidth = 0.6;

// '0'…'9', '+', '-', '=', 'x' (times) and '/' (the division sign); any other character
// gives an empty path.
QPainterPath glyph(char c);

QPen roundPen(const QColor& colour, double width);

} // namespace sumbrook::tools
