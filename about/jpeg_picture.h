#pragma once
// Decodes the About picture with libjpeg: full size, best quality, block smoothing on.

#include <QByteArray>
#include <QImage>

namespace sumbrook {

enum class PictureColors {
    TrueColor, // 24-bit RGB (QImage::Format_RGB888)
    Palette236 // quantised to at most 236 colours (QImage::Format_Indexed8)
};

// Displays of 256 colours or fewer get the quantised picture.
inline PictureColors pictureColorsForDepth(int bitsPerPixel) {
    return bitsPerPixel <= 8 ? PictureColors::Palette236 : PictureColors::TrueColor;
}

// Throws sumbrook::Exception for data that is not a complete, sound JPEG picture.
QImage decodeJpeg(const QByteArray& jpeg, PictureColors colors);

} // namespace sumbrook
