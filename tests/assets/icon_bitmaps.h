#pragma once
// An independent reader of the ICO and CUR files: the directory, and each image's
// bitmap header, palette, colour and mask bitmaps.

#include <QByteArray>
#include <QRgb>

#include <array>
#include <cstddef>
#include <vector>

namespace sumbrook::assets_test {

struct DirectoryEntry {
    unsigned width;
    unsigned height;
    unsigned colourCount;
    unsigned reserved;
    unsigned planesOrHotX;
    unsigned bitsOrHotY;
    quint32 bytes;
    quint32 offset;
};

std::vector<DirectoryEntry> readDirectory(const QByteArray& file);

// Palette + XOR + AND bytes that follow the 40-byte header.
qsizetype bitmapBytesAfterHeader(int size, int bitsPerPixel);

struct Pixels {
    int size = 0;
    std::vector<QRgb> colour;  // the XOR bitmap; alpha 255 unless the bitmap has alpha
    std::vector<bool> masked;  // the AND bitmap
    std::vector<int> index;    // palette index, for palette bitmaps
    std::vector<QRgb> palette; // as stored
    QRgb at(int x, int y) const { return colour[offset(x, y)]; }
    bool maskedAt(int x, int y) const { return masked[offset(x, y)]; }
    size_t offset(int x, int y) const {
        return static_cast<size_t>(y) * static_cast<size_t>(size) + static_cast<size_t>(x);
    }
};

// Decodes one bitmap of an ICO/CUR file, top row first.
Pixels decodeBitmap(const QByteArray& file, quint32 offset, int size, int bitsPerPixel);

// Checks the BITMAPINFOHEADER at offset (GoogleTest expectations).
void expectBitmapInfoHeader(const QByteArray& file, quint32 offset, int size, int bitsPerPixel);

// The share of pixels the mask leaves drawn.
double opaqueShare(const Pixels& pixels);

// The images the icon file must hold, in the order it stores them: palette images first
// for old systems, then the full-colour ones from large to small.
struct IconSlot {
    int size;
    int bitsPerPixel;
};

inline constexpr std::array<IconSlot, 10> kIconSlots = {{{48, 8},
                                                         {32, 8},
                                                         {16, 8},
                                                         {256, 32},
                                                         {128, 32},
                                                         {64, 32},
                                                         {48, 32},
                                                         {32, 32},
                                                         {24, 32},
                                                         {16, 32}}};
inline constexpr qsizetype kIconFileSize = 379926;

// Where the image of that size and depth is stored; kIconSlots.size() when there is none.
size_t slotOf(int size, int bitsPerPixel);

} // namespace sumbrook::assets_test
