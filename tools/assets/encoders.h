// File formats the asset tool writes itself, so that every byte in assets/ is
// under our control: baseline JPEG through libjpeg, and Windows ICO/CUR.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QPoint>
#include <QString>

#include <vector>

namespace sumbrook::tools {

// Baseline (SOF0) JPEG with a JFIF 1.02 header and 4:2:0 chroma subsampling.
// Returns false and fills `error` if libjpeg reports a problem.
bool encodeJpeg(const QImage& image, int quality, QByteArray& out, QString& error);

struct IconImage {
    QImage image;     // square, any format with alpha
    int bitsPerPixel; // 8 (palette, 1-bit mask) or 32 (straight alpha)
};

// An ICO file holding the images in the given order, all as uncompressed
// bitmaps with an AND mask. Sizes must be 1..256; bitsPerPixel 8 or 32.
bool encodeIco(const std::vector<IconImage>& images, QByteArray& out, QString& error);

// A single-image CUR file with a 1-bit black/white bitmap. Pixels with alpha
// below 128 are transparent; the others are black or white by brightness.
bool encodeMonochromeCursor(const QImage& image, QPoint hotSpot, QByteArray& out, QString& error);

// Up to `maxColours` representative colours of the opaque pixels (alpha >= 128)
// by median cut. Deterministic: the same image always gives the same palette.
std::vector<QRgb> medianCutPalette(const QImage& image, int maxColours);

} // namespace sumbrook::tools
