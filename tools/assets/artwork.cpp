#include "artwork.h"

#include <QColor>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <array>
#include <cmath>
#include <cstdint>

namespace sumbrook::tools {

namespace {

constexpr double kPi = 3.14159265358979323846;

// ---------------------------------------------------------------- glyphs

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

constexpr double kGlyphWidth = 0.6;

QPen roundPen(const QColor& colour, double width) {
    return QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

// A glyph with a drop shadow, a white rim and a coloured body.
void drawBubbleGlyph(QPainter& painter, char c, QPointF topLeft, double height,
                     const QColor& colour) {
    const QPainterPath path = glyph(c);
    const double stroke = 0.17;
    const double rim = 0.085;
    painter.save();
    painter.translate(topLeft);
    painter.scale(height, height);
    painter.setBrush(Qt::NoBrush);

    painter.save();
    painter.translate(0.035, 0.045);
    painter.setPen(roundPen(QColor(20, 60, 110, 70), stroke + 2 * rim));
    painter.drawPath(path);
    painter.restore();

    painter.setPen(roundPen(Qt::white, stroke + 2 * rim));
    painter.drawPath(path);
    painter.setPen(roundPen(colour, stroke));
    painter.drawPath(path);
    painter.restore();
}

void drawBubbleLine(QPainter& painter, const char* text, double centreX, double top, double height,
                    const QColor* colours) {
    const double advance = height * (kGlyphWidth + 0.22);
    int count = 0;
    while (text[count] != '\0') {
        ++count;
    }
    const double width = advance * count - height * 0.22;
    double x = centreX - width / 2;
    for (int i = 0; i < count; ++i) {
        drawBubbleGlyph(painter, text[i], QPointF(x, top), height, colours[i]);
        x += advance;
    }
}

// ---------------------------------------------------------------- About picture

// A small linear congruential generator: the grass must look random but come
// out the same on every run.
struct Lcg {
    std::uint32_t state;
    double next() {
        state = state * 1664525u + 1013904223u;
        return static_cast<double>(state >> 8) / static_cast<double>(1u << 24);
    }
};

QPainterPath cloudPath(QPointF centre, double scale) {
    QPainterPath p;
    p.setFillRule(Qt::WindingFill);
    p.addEllipse(centre + QPointF(-18, 2) * scale, 13 * scale, 10 * scale);
    p.addEllipse(centre + QPointF(-4, -6) * scale, 15 * scale, 14 * scale);
    p.addEllipse(centre + QPointF(12, -1) * scale, 13 * scale, 11 * scale);
    p.addEllipse(centre + QPointF(24, 5) * scale, 10 * scale, 8 * scale);
    p.addRoundedRect(
        QRectF(centre.x() - 28 * scale, centre.y() + 2 * scale, 60 * scale, 11 * scale),
        5.5 * scale, 5.5 * scale);
    return p.simplified();
}

void drawCloud(QPainter& painter, QPointF centre, double scale) {
    const QPainterPath cloud = cloudPath(centre, scale);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(70, 140, 200, 45));
    painter.drawPath(cloud.translated(2, 3));
    QLinearGradient fill(centre + QPointF(0, -20 * scale), centre + QPointF(0, 14 * scale));
    fill.setColorAt(0, QColor(255, 255, 255));
    fill.setColorAt(1, QColor(226, 240, 252));
    painter.setBrush(fill);
    painter.drawPath(cloud);
}

void drawSun(QPainter& painter, QPointF centre, double radius) {
    painter.save();
    painter.translate(centre);
    painter.setPen(Qt::NoPen);

    QRadialGradient glow(QPointF(0, 0), radius * 2.1);
    glow.setColorAt(0, QColor(255, 244, 170, 150));
    glow.setColorAt(1, QColor(255, 244, 170, 0));
    painter.setBrush(glow);
    painter.drawEllipse(QPointF(0, 0), radius * 2.1, radius * 2.1);

    for (int i = 0; i < 12; ++i) {
        painter.save();
        painter.rotate(i * 30.0 + 15.0);
        QPainterPath ray;
        const double inner = radius * 1.12;
        const double outer = radius * (i % 2 == 0 ? 1.62 : 1.45);
        ray.moveTo(inner, -radius * 0.17);
        ray.quadTo(outer, 0, inner, radius * 0.17);
        ray.closeSubpath();
        painter.setBrush(QColor(255, 176, 32));
        painter.drawPath(ray);
        painter.restore();
    }

    QRadialGradient face(QPointF(-radius * 0.35, -radius * 0.4), radius * 1.5);
    face.setColorAt(0, QColor(255, 246, 150));
    face.setColorAt(0.6, QColor(255, 213, 60));
    face.setColorAt(1, QColor(255, 172, 30));
    painter.setBrush(face);
    painter.setPen(QPen(QColor(240, 150, 20), radius * 0.06));
    painter.drawEllipse(QPointF(0, 0), radius, radius);

    // A smiling face: eyes, rosy cheeks, a grin.
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 120, 100, 120));
    painter.drawEllipse(QPointF(-radius * 0.52, radius * 0.2), radius * 0.17, radius * 0.12);
    painter.drawEllipse(QPointF(radius * 0.52, radius * 0.2), radius * 0.17, radius * 0.12);
    painter.setBrush(QColor(110, 60, 20));
    painter.drawEllipse(QPointF(-radius * 0.3, -radius * 0.15), radius * 0.09, radius * 0.13);
    painter.drawEllipse(QPointF(radius * 0.3, -radius * 0.15), radius * 0.09, radius * 0.13);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(roundPen(QColor(110, 60, 20), radius * 0.09));
    painter.drawArc(QRectF(-radius * 0.4, -radius * 0.22, radius * 0.8, radius * 0.65), 200 * 16,
                    140 * 16);
    painter.restore();
}

void drawFlower(QPainter& painter, QPointF base, double height, const QColor& petals) {
    painter.setPen(roundPen(QColor(50, 130, 50), height * 0.09));
    const QPointF head = base + QPointF(0, -height);
    painter.drawLine(base, head);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(60, 150, 60));
    painter.drawEllipse(base + QPointF(height * 0.16, -height * 0.4), height * 0.16, height * 0.07);
    painter.setBrush(petals);
    const double r = height * 0.18;
    for (int i = 0; i < 5; ++i) {
        const double a = i * 2 * kPi / 5 - kPi / 2;
        painter.drawEllipse(head + QPointF(std::cos(a), std::sin(a)) * r, r * 0.78, r * 0.78);
    }
    painter.setBrush(QColor(255, 214, 60));
    painter.drawEllipse(head, r * 0.62, r * 0.62);
}

void drawGrass(QPainter& painter, const QPainterPath& hill, double top, const QColor& blade,
               std::uint32_t seed, int count) {
    Lcg random{seed};
    painter.save();
    painter.setClipPath(hill);
    for (int i = 0; i < count; ++i) {
        const double x = random.next() * kAboutWidth;
        const double y = top + random.next() * (kAboutHeight - top);
        const double h = 3.0 + random.next() * 4.0;
        const double lean = (random.next() - 0.5) * 3.0;
        QColor c = blade;
        c.setAlpha(90 + static_cast<int>(random.next() * 90));
        painter.setPen(roundPen(c, 1.1));
        painter.drawLine(QPointF(x, y), QPointF(x + lean, y - h));
    }
    painter.restore();
}

void drawStar(QPainter& painter, QPointF centre, double radius, const QColor& colour) {
    QPainterPath star;
    for (int i = 0; i < 10; ++i) {
        const double r = i % 2 == 0 ? radius : radius * 0.45;
        const double a = i * kPi / 5 - kPi / 2;
        const QPointF p = centre + QPointF(std::cos(a), std::sin(a)) * r;
        if (i == 0) {
            star.moveTo(p);
        } else {
            star.lineTo(p);
        }
    }
    star.closeSubpath();
    painter.setPen(QPen(Qt::white, radius * 0.22, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(colour);
    painter.drawPath(star);
}

void drawBird(QPainter& painter, QPointF centre, double span) {
    QPainterPath bird;
    bird.moveTo(centre + QPointF(-span, -span * 0.3));
    bird.quadTo(centre + QPointF(-span * 0.45, -span * 0.75), centre);
    bird.quadTo(centre + QPointF(span * 0.45, -span * 0.75), centre + QPointF(span, -span * 0.3));
    painter.setBrush(Qt::NoBrush);
    painter.setPen(roundPen(QColor(60, 80, 120), 1.4));
    painter.drawPath(bird);
}

void drawButterfly(QPainter& painter, QPointF centre, double size, const QColor& wings) {
    painter.save();
    painter.translate(centre);
    painter.rotate(-12);
    painter.setPen(QPen(wings.darker(150), 0.8));
    painter.setBrush(wings);
    painter.drawEllipse(QPointF(-size * 0.5, -size * 0.35), size * 0.5, size * 0.42);
    painter.drawEllipse(QPointF(size * 0.5, -size * 0.35), size * 0.5, size * 0.42);
    painter.setBrush(wings.lighter(130));
    painter.drawEllipse(QPointF(-size * 0.38, size * 0.3), size * 0.34, size * 0.3);
    painter.drawEllipse(QPointF(size * 0.38, size * 0.3), size * 0.34, size * 0.3);
    painter.setPen(roundPen(QColor(70, 50, 40), size * 0.18));
    painter.drawLine(QPointF(0, -size * 0.6), QPointF(0, size * 0.55));
    painter.restore();
}

void drawBlock(QPainter& painter, const QRectF& box, const QColor& colour, char face) {
    painter.setPen(QPen(colour.darker(140), 1.6));
    QLinearGradient fill(box.topLeft(), box.bottomRight());
    fill.setColorAt(0, colour.lighter(125));
    fill.setColorAt(1, colour);
    painter.setBrush(fill);
    painter.drawRoundedRect(box, 4, 4);
    const double h = box.height() * 0.8;
    painter.save();
    painter.translate(box.center() - QPointF(h * kGlyphWidth / 2, h / 2));
    painter.scale(h, h);
    painter.setPen(roundPen(Qt::white, 0.16));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(glyph(face));
    painter.restore();
}

// ---------------------------------------------------------------- calculator icon

struct CalculatorLayout {
    QRectF body;
    double radius;
    double outline;
    double depth; // darker band along the bottom that makes the body look thick
    QRectF display;
    double displayRadius;
    int digitCount;
    QRectF digit; // the rightmost 7-segment cell; the others sit to its left
    double digitGap;
    double segment; // stroke thickness of the display digits
    QRectF keypad;
    int columns;
    int rows;
    double keyGap;
    double keyRadius;
    double keyDepth;
    bool keyLabels; // only where a sign gets enough pixels to stay a sign
};

// Small sizes are laid out by hand on whole pixels; from 64 up one 64-pixel
// plan is scaled by whole numbers, so every edge still lands on a pixel.
CalculatorLayout layoutFor(int size) {
    // clang-format off
    switch (size) {
    case 16: return {QRectF(2, 0, 12, 16), 2, 1, 0, QRectF(4, 2, 8, 3), 0, 0, QRectF(), 0, 0,
                     QRectF(4, 6, 8, 8), 3, 3, 1, 0, 0, false};
    case 24: return {QRectF(3, 0, 18, 24), 3, 1, 1, QRectF(5, 2, 14, 7), 1, 2, QRectF(15, 3, 3, 5), 1, 1,
                     QRectF(5, 10, 14, 11), 3, 3, 1, 0, 0, false};
    case 32: return {QRectF(3, 0, 26, 32), 4, 1, 1, QRectF(5, 3, 22, 7), 1, 3, QRectF(23, 4, 3, 5), 1, 1,
                     QRectF(5, 11, 22, 18), 4, 4, 2, 0.5, 0, false};
    case 48: return {QRectF(7, 1, 34, 46), 6, 2, 2, QRectF(11, 5, 26, 10), 2, 3, QRectF(30, 7, 4, 7), 1, 1,
                     QRectF(11, 17, 26, 26), 4, 4, 2, 1, 1, false};
    default: break;
    }
    const double u = size / 64.0;
    auto rect = [u](double x, double y, double w, double h) { return QRectF(x * u, y * u, w * u, h * u); };
    return {rect(9, 1, 46, 62), 7 * u, 2 * u, 3 * u, rect(15, 6, 34, 14), 2.5 * u, 3,
            rect(41, 8.5, 5, 9), 2 * u, 1.5 * u,
            rect(15, 23, 34, 34), 4, 4, 2 * u, 1.5 * u, 1.5 * u, size >= 128};
    // clang-format on
}

// Which segments (a..g, bit 0 = a) light up for each digit.
constexpr std::array<std::uint8_t, 10> kSegments = {0x3f, 0x06, 0x5b, 0x4f, 0x66,
                                                    0x6d, 0x7d, 0x07, 0x7f, 0x6f};

void drawSevenSegment(QPainter& painter, int digit, const QRectF& cell, double t,
                      const QColor& colour) {
    const double x = cell.x();
    const double y = cell.y();
    const double w = cell.width();
    const double h = cell.height();
    const double mid = y + (h - t) / 2;
    const double half = (h + t) / 2;
    const std::array<QRectF, 7> segments = {
        QRectF(x, y, w, t),              // a
        QRectF(x + w - t, y, t, half),   // b
        QRectF(x + w - t, mid, t, half), // c
        QRectF(x, y + h - t, w, t),      // d
        QRectF(x, mid, t, half),         // e
        QRectF(x, y, t, half),           // f
        QRectF(x, mid, w, t),            // g
    };
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    for (size_t s = 0; s < segments.size(); ++s) {
        if (kSegments[static_cast<size_t>(digit)] & (1u << s)) {
            painter.drawRect(segments[s]);
        }
    }
}

struct KeyStyle {
    QColor face;
    QColor side;
    char label;
};

KeyStyle keyStyle(const CalculatorLayout& layout, int row, int column) {
    const KeyStyle number{QColor(255, 255, 255), QColor(176, 190, 214), 0};
    if (layout.columns == 3) {
        // The small icons keep a column of bright operator keys and white digits.
        static const std::array<QColor, 3> operators = {QColor(255, 95, 162), QColor(255, 159, 28),
                                                        QColor(46, 196, 110)};
        if (column == 2) {
            return {operators[static_cast<size_t>(row)], {}, 0};
        }
        return number;
    }
    static const char digitLabels[3][3] = {{'7', '8', '9'}, {'4', '5', '6'}, {'1', '2', '3'}};
    if (column == 3) {
        static const std::array<KeyStyle, 4> operators = {
            KeyStyle{QColor(167, 112, 255), QColor(110, 64, 190), '/'},
            KeyStyle{QColor(255, 95, 162), QColor(196, 48, 112), 'x'},
            KeyStyle{QColor(46, 196, 110), QColor(24, 132, 70), '-'},
            KeyStyle{QColor(255, 159, 28), QColor(200, 104, 0), '+'}};
        return operators[static_cast<size_t>(row)];
    }
    if (row == 3) {
        if (column == 2) {
            return {QColor(255, 214, 51), QColor(204, 150, 0), '='};
        }
        return {number.face, number.side, '0'};
    }
    return {number.face, number.side, digitLabels[row][column]};
}

void drawKey(QPainter& painter, const CalculatorLayout& layout, const QRectF& key,
             const KeyStyle& style) {
    painter.setPen(Qt::NoPen);
    if (layout.keyDepth > 0) {
        painter.setBrush(style.side);
        painter.drawRoundedRect(key, layout.keyRadius, layout.keyRadius);
    }
    const QRectF face = key.adjusted(0, 0, 0, -layout.keyDepth);
    if (layout.keyDepth > 0) {
        QLinearGradient gradient(face.topLeft(), face.bottomLeft());
        gradient.setColorAt(0, style.face.lighter(112));
        gradient.setColorAt(1, style.face);
        painter.setBrush(gradient);
    } else {
        painter.setBrush(style.face);
    }
    painter.drawRoundedRect(face, layout.keyRadius, layout.keyRadius);

    const bool isOperator = style.label != 0 && !(style.label >= '0' && style.label <= '9');
    if (style.label == 0 || !layout.keyLabels) {
        return;
    }
    // Signs fill less of their box than digits, so they are drawn larger.
    const double h =
        std::min(face.height(), face.width() / kGlyphWidth) * (isOperator ? 1.0 : 0.78);
    painter.save();
    painter.translate(face.center() - QPointF(h * kGlyphWidth / 2, h / 2));
    painter.scale(h, h);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(roundPen(isOperator ? QColor(255, 255, 255) : QColor(52, 72, 120),
                            isOperator ? 0.19 : 0.16));
    painter.drawPath(glyph(style.label));
    painter.restore();
}

} // namespace

QImage drawAboutPicture() {
    QImage image(kAboutWidth, kAboutHeight, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const double w = kAboutWidth;
    const double h = kAboutHeight;

    QLinearGradient sky(0, 0, 0, h * 0.78);
    sky.setColorAt(0, QColor(72, 170, 240));
    sky.setColorAt(0.55, QColor(150, 214, 250));
    sky.setColorAt(1, QColor(222, 244, 255));
    painter.fillRect(image.rect(), sky);

    // A rainbow rising behind the hills.
    const std::array<QColor, 6> bands = {QColor(255, 90, 90),  QColor(255, 165, 60),
                                         QColor(255, 225, 80), QColor(110, 210, 110),
                                         QColor(90, 170, 255), QColor(170, 120, 240)};
    painter.setBrush(Qt::NoBrush);
    for (size_t i = 0; i < bands.size(); ++i) {
        QColor c = bands[i];
        c.setAlpha(200);
        painter.setPen(QPen(c, 5.2, Qt::SolidLine, Qt::FlatCap));
        const double radius = 90 - 5 * static_cast<double>(i);
        painter.drawArc(QRectF(w / 2 - radius, 284 - radius, 2 * radius, 2 * radius), 0, 180 * 16);
    }

    drawSun(painter, QPointF(184, 42), 21);
    drawCloud(painter, QPointF(56, 36), 1.0);
    drawCloud(painter, QPointF(122, 20), 0.5);
    drawBird(painter, QPointF(106, 50), 5);
    drawBird(painter, QPointF(122, 58), 4);
    drawStar(painter, QPointF(18, 70), 7, QColor(255, 215, 60));
    drawStar(painter, QPointF(212, 124), 6, QColor(255, 140, 200));
    drawStar(painter, QPointF(14, 124), 5, QColor(120, 200, 255));
    drawStar(painter, QPointF(150, 40), 4, QColor(255, 255, 255));

    const std::array<QColor, 5> first = {QColor(255, 82, 82), QColor(255, 150, 30),
                                         QColor(60, 140, 255), QColor(255, 150, 30),
                                         QColor(40, 185, 90)};
    drawBubbleLine(painter, "2+3=5", w / 2, 78, 44, first.data());
    const std::array<QColor, 5> second = {QColor(170, 90, 240), QColor(40, 185, 90),
                                          QColor(255, 150, 30), QColor(40, 185, 90),
                                          QColor(255, 90, 160)};
    drawBubbleLine(painter, "7-4=3", w / 2, 134, 44, second.data());

    // Two rolling hills with grass and flowers.
    QPainterPath back;
    back.moveTo(0, 222);
    back.cubicTo(50, 198, 110, 204, 150, 222);
    back.cubicTo(180, 234, 205, 214, w, 206);
    back.lineTo(w, h);
    back.lineTo(0, h);
    back.closeSubpath();
    QLinearGradient backFill(0, 200, 0, h);
    backFill.setColorAt(0, QColor(150, 220, 110));
    backFill.setColorAt(1, QColor(100, 190, 80));
    painter.setPen(Qt::NoPen);
    painter.setBrush(backFill);
    painter.drawPath(back);
    drawGrass(painter, back, 200, QColor(70, 150, 60), 7u, 220);
    drawBlock(painter, QRectF(12, 194, 22, 22), QColor(255, 110, 110), '1');
    drawBlock(painter, QRectF(184, 200, 22, 22), QColor(90, 160, 255), '2');

    QPainterPath front;
    front.moveTo(0, 246);
    front.cubicTo(60, 228, 120, 236, 160, 250);
    front.cubicTo(190, 260, 210, 252, w, 244);
    front.lineTo(w, h);
    front.lineTo(0, h);
    front.closeSubpath();
    QLinearGradient frontFill(0, 230, 0, h);
    frontFill.setColorAt(0, QColor(104, 200, 82));
    frontFill.setColorAt(1, QColor(60, 160, 60));
    painter.setPen(Qt::NoPen);
    painter.setBrush(frontFill);
    painter.drawPath(front);
    drawGrass(painter, front, 228, QColor(40, 120, 40), 11u, 260);

    drawFlower(painter, QPointF(28, 266), 14, QColor(255, 220, 60));
    drawFlower(painter, QPointF(70, 262), 18, QColor(255, 120, 180));
    drawFlower(painter, QPointF(112, 258), 15, QColor(255, 255, 255));
    drawFlower(painter, QPointF(150, 268), 19, QColor(170, 120, 240));
    drawFlower(painter, QPointF(205, 264), 16, QColor(255, 150, 40));
    drawFlower(painter, QPointF(90, 230), 10, QColor(255, 110, 110));
    drawFlower(painter, QPointF(136, 232), 9, QColor(120, 180, 255));
    drawButterfly(painter, QPointF(176, 240), 7, QColor(255, 120, 200));
    drawButterfly(painter, QPointF(48, 236), 6, QColor(120, 170, 255));
    painter.end();
    return image;
}

QImage drawCalculatorIcon(int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    const CalculatorLayout layout = layoutFor(size);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);

    // Body: dark rim, darker bottom edge for thickness, then the face.
    const QColor rim(28, 52, 110);
    painter.setBrush(rim);
    painter.drawRoundedRect(layout.body, layout.radius, layout.radius);
    const double o = layout.outline;
    const QRectF inner = layout.body.adjusted(o, o, -o, -o);
    const double innerRadius = std::max(0.0, layout.radius - o);
    painter.setBrush(QColor(36, 96, 200));
    painter.drawRoundedRect(inner, innerRadius, innerRadius);
    const QRectF face = inner.adjusted(0, 0, 0, -layout.depth);
    QLinearGradient bodyFill(face.topLeft(), face.bottomLeft());
    bodyFill.setColorAt(0, QColor(96, 176, 255));
    bodyFill.setColorAt(1, QColor(58, 128, 236));
    painter.setBrush(bodyFill);
    painter.drawRoundedRect(face, innerRadius, innerRadius);

    // Display with dark digits.
    painter.setBrush(QColor(30, 60, 70));
    painter.drawRoundedRect(layout.display, layout.displayRadius, layout.displayRadius);
    const double lip = size >= 48 ? layout.outline / 2 : 0;
    const QRectF screen = layout.display.adjusted(lip, lip, -lip, -lip);
    QLinearGradient screenFill(screen.topLeft(), screen.bottomLeft());
    screenFill.setColorAt(0, QColor(214, 246, 190));
    screenFill.setColorAt(1, QColor(186, 232, 160));
    painter.setBrush(screenFill);
    painter.drawRoundedRect(screen, std::max(0.0, layout.displayRadius - lip),
                            std::max(0.0, layout.displayRadius - lip));
    for (int i = 0; i < layout.digitCount; ++i) {
        // Right to left: 3, 2, 1 reads "123".
        const QRectF cell =
            layout.digit.translated(-i * (layout.digit.width() + layout.digitGap), 0);
        drawSevenSegment(painter, layout.digitCount - i, cell, layout.segment, QColor(34, 70, 40));
    }

    // Keypad.
    const double keyWidth =
        (layout.keypad.width() - (layout.columns - 1) * layout.keyGap) / layout.columns;
    const double keyHeight =
        (layout.keypad.height() - (layout.rows - 1) * layout.keyGap) / layout.rows;
    for (int row = 0; row < layout.rows; ++row) {
        for (int column = 0; column < layout.columns; ++column) {
            const KeyStyle style = keyStyle(layout, row, column);
            QRectF key(layout.keypad.x() + column * (keyWidth + layout.keyGap),
                       layout.keypad.y() + row * (keyHeight + layout.keyGap), keyWidth, keyHeight);
            if (layout.columns == 4 && row == 3 && column == 1) {
                continue; // the wide zero key covers this place
            }
            if (layout.columns == 4 && row == 3 && column == 0) {
                key.setWidth(2 * keyWidth + layout.keyGap);
            }
            drawKey(painter, layout, key, style);
        }
    }
    painter.end();
    return image;
}

QImage drawHandCursor() {
    // Drawn pixel by pixel: at 32 x 32 in two colours, shapes scaled down
    // would blur into a grey mess. '#' black, 'o' white, '.' see-through.
    static const char* const rows[] = {
        ".....###............", //
        "....#ooo#...........", //
        "....#ooo#...........", //
        "....#ooo#...........", //
        "....#ooo#...........", //
        "....#ooo#...........", //
        "....#ooo####........", //
        "....#ooo#ooo####....", //
        "....#ooo#ooo#ooo###.", //
        "....#ooo#ooo#ooo#oo#", //
        ".####ooo#ooo#ooo#oo#", //
        "#ooo#oooooooooooooo#", //
        "#ooo#oooooooooooooo#", //
        ".#ooooooooooooooooo#", //
        "..#oooooooooooooooo#", //
        "...#ooooooooooooooo#", //
        "....#oooooooooooooo#", //
        "....#ooooooooooooo#.", //
        ".....#ooooooooooo#..", //
        ".....#ooooooooooo#..", //
        ".....#ooooooooooo#..", //
        ".....#############..", //
    };
    QImage image(kCursorSize, kCursorSize, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    int y = 0;
    for (const char* row : rows) {
        for (int x = 0; row[x] != '\0'; ++x) {
            if (row[x] == '#') {
                image.setPixel(x, y, qRgb(0, 0, 0));
            } else if (row[x] == 'o') {
                image.setPixel(x, y, qRgb(255, 255, 255));
            }
        }
        ++y;
    }
    return image;
}

} // namespace sumbrook::tools
