// The About picture: sky, sun, hills and two little sums.
#include "tools/assets/artwork.h"
#include "tools/assets/glyphs.h"

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

} // namespace

QImage drawAboutPicture(int scale) {
    QImage image(kAboutWidth * scale, kAboutHeight * scale, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    // The scene is laid out at 1x; a larger picture draws the same shapes through a scale,
    // and the 1x picture is drawn without any transform, exactly as it always was.
    if (scale != 1) {
        painter.scale(scale, scale);
    }
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

} // namespace sumbrook::tools
