#include "tools/assets/glyphs.h"

namespace sumbrook::tools {

// Digits and signs as centre lines in a box 0.6 wide and 1 high; they are
// drawn with a thick round pen, which gives friendly, rounded figures.
QPainterPath glyph(char c) {
    QPainterPath p;
    switch (c) {
    case '0':
        p.addEllipse(QPointF(0.3, 0.5), 0.25, 0.44);
        break;
    case '1':
        p.moveTo(0.12, 0.22);
        p.lineTo(0.34, 0.06);
        p.lineTo(0.34, 0.94);
        break;
    case '2':
        p.moveTo(0.07, 0.27);
        p.cubicTo(0.09, 0.0, 0.54, 0.0, 0.53, 0.3);
        p.cubicTo(0.52, 0.52, 0.14, 0.7, 0.06, 0.94);
        p.lineTo(0.56, 0.94);
        break;
    case '3':
        p.moveTo(0.07, 0.17);
        p.cubicTo(0.2, 0.0, 0.54, 0.02, 0.52, 0.26);
        p.cubicTo(0.5, 0.42, 0.36, 0.47, 0.24, 0.48);
        p.cubicTo(0.44, 0.48, 0.57, 0.58, 0.56, 0.73);
        p.cubicTo(0.54, 1.0, 0.16, 1.0, 0.05, 0.83);
        break;
    case '4':
        p.moveTo(0.42, 0.94);
        p.lineTo(0.42, 0.06);
        p.lineTo(0.04, 0.66);
        p.lineTo(0.58, 0.66);
        break;
    case '5':
        p.moveTo(0.53, 0.06);
        p.lineTo(0.13, 0.06);
        p.lineTo(0.09, 0.44);
        p.cubicTo(0.3, 0.33, 0.58, 0.4, 0.57, 0.67);
        p.cubicTo(0.56, 0.99, 0.17, 1.0, 0.04, 0.84);
        break;
    case '6':
        p.moveTo(0.5, 0.08);
        p.cubicTo(0.22, 0.1, 0.06, 0.38, 0.06, 0.66);
        p.addEllipse(QPointF(0.31, 0.69), 0.25, 0.25);
        break;
    case '7':
        p.moveTo(0.04, 0.06);
        p.lineTo(0.56, 0.06);
        p.lineTo(0.22, 0.94);
        break;
    case '8':
        p.addEllipse(QPointF(0.3, 0.27), 0.2, 0.21);
        p.addEllipse(QPointF(0.3, 0.71), 0.25, 0.23);
        break;
    case '9':
        p.addEllipse(QPointF(0.29, 0.31), 0.25, 0.25);
        p.moveTo(0.54, 0.34);
        p.cubicTo(0.54, 0.62, 0.38, 0.9, 0.1, 0.92);
        break;
    case '+':
        p.moveTo(0.3, 0.26);
        p.lineTo(0.3, 0.74);
        p.moveTo(0.06, 0.5);
        p.lineTo(0.54, 0.5);
        break;
    case '-':
        p.moveTo(0.06, 0.5);
        p.lineTo(0.54, 0.5);
        break;
    case '=':
        p.moveTo(0.06, 0.38);
        p.lineTo(0.54, 0.38);
        p.moveTo(0.06, 0.62);
        p.lineTo(0.54, 0.62);
        break;
    case 'x':
        p.moveTo(0.12, 0.32);
        p.lineTo(0.48, 0.68);
        p.moveTo(0.48, 0.32);
        p.lineTo(0.12, 0.68);
        break;
    case '/': // division sign: bar with a dot above and below
        p.moveTo(0.08, 0.5);
        p.lineTo(0.52, 0.5);
        // Zero-length strokes draw nothing, so each dot is a tiny segment.
        p.moveTo(0.3, 0.23);
        p.lineTo(0.3, 0.24);
        p.moveTo(0.3, 0.76);
        p.lineTo(0.3, 0.77);
        break;
    default:
        break;
    }
    return p;
}

QPen roundPen(const QColor& colour, double width) {
    return QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

} // namespace sumbrook::tools
