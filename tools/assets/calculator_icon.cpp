// The program icon: a pocket calculator, laid out afresh for each size.
#include "tools/assets/artwork.h"
#include "tools/assets/glyphs.h"

#include <QColor>
#include <QLinearGradient>
#include <QPainter>

#include <algorithm>
#include <array>
#include <cstdint>

namespace sumbrook::tools {

namespace {

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

} // namespace sumbrook::tools
