#pragma once
// Pixel helpers for checking what a widget drew.

#include <QImage>
#include <QList>
#include <QRect>
#include <QWidget>

namespace sumbrook::test {

inline QImage grabbed(QWidget& widget) {
    return widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

inline int count(const QImage& image, QRgb color) {
    int found = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            found += image.pixel(x, y) == color ? 1 : 0;
        }
    }
    return found;
}

// Runs of rows holding a pixel other than background: the text lines, with their ink.
inline QList<QRect> inkLines(const QImage& image, QRgb background) {
    QList<QRect> lines;
    for (int y = 0; y < image.height(); ++y) {
        QRect row;
        for (int x = 0; x < image.width(); ++x) {
            row |= image.pixel(x, y) != background ? QRect(x, y, 1, 1) : QRect();
        }
        if (!row.isNull() && !lines.isEmpty() && lines.last().bottom() == y - 1) {
            lines.last() |= row;
        } else if (!row.isNull()) {
            lines.append(row);
        }
    }
    return lines;
}

} // namespace sumbrook::test
