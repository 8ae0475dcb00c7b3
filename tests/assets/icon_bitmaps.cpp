#include "tests/assets/icon_bitmaps.h"

#include "tests/assets/asset_bytes.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace sumbrook::assets_test {

namespace {

int rowBytes(int width, int bitsPerPixel) {
    return ((width * bitsPerPixel + 31) / 32) * 4;
}

} // namespace

std::vector<DirectoryEntry> readDirectory(const QByteArray& file) {
    std::vector<DirectoryEntry> entries;
    const unsigned count = le16(file, 4);
    for (unsigned i = 0; i < count && 6 + 16 * (i + 1) <= static_cast<unsigned>(file.size()); ++i) {
        const qsizetype at = 6 + 16 * static_cast<qsizetype>(i);
        entries.push_back({byteAt(file, at), byteAt(file, at + 1), byteAt(file, at + 2),
                           byteAt(file, at + 3), le16(file, at + 4), le16(file, at + 6),
                           le32(file, at + 8), le32(file, at + 12)});
    }
    return entries;
}

qsizetype bitmapBytesAfterHeader(int size, int bitsPerPixel) {
    const int palette = bitsPerPixel <= 8 ? 4 << bitsPerPixel : 0;
    return palette + (rowBytes(size, bitsPerPixel) + rowBytes(size, 1)) * size;
}

Pixels decodeBitmap(const QByteArray& file, quint32 offset, int size, int bitsPerPixel) {
    Pixels pixels;
    pixels.size = size;
    const qsizetype header = offset;
    const int paletteCount = bitsPerPixel <= 8 ? 1 << bitsPerPixel : 0;
    for (int i = 0; i < paletteCount; ++i) {
        const qsizetype at = header + 40 + 4 * qsizetype{i};
        pixels.palette.push_back(qRgb(static_cast<int>(byteAt(file, at + 2)),
                                      static_cast<int>(byteAt(file, at + 1)),
                                      static_cast<int>(byteAt(file, at))));
    }
    const qsizetype xorStart = header + 40 + 4 * qsizetype{paletteCount};
    const qsizetype andStart =
        xorStart + static_cast<qsizetype>(rowBytes(size, bitsPerPixel)) * size;
    for (int y = 0; y < size; ++y) {
        const qsizetype xorRow =
            xorStart + static_cast<qsizetype>(rowBytes(size, bitsPerPixel)) * (size - 1 - y);
        const qsizetype andRow =
            andStart + static_cast<qsizetype>(rowBytes(size, 1)) * (size - 1 - y);
        for (int x = 0; x < size; ++x) {
            pixels.masked.push_back(((byteAt(file, andRow + x / 8) >> (7 - x % 8)) & 1) != 0);
            if (bitsPerPixel == 32) {
                const qsizetype at = xorRow + 4 * qsizetype{x};
                pixels.colour.push_back(qRgba(
                    static_cast<int>(byteAt(file, at + 2)), static_cast<int>(byteAt(file, at + 1)),
                    static_cast<int>(byteAt(file, at)), static_cast<int>(byteAt(file, at + 3))));
                continue;
            }
            const int index =
                bitsPerPixel == 8
                    ? static_cast<int>(byteAt(file, xorRow + x))
                    : static_cast<int>((byteAt(file, xorRow + x / 8) >> (7 - x % 8)) & 1);
            pixels.index.push_back(index);
            pixels.colour.push_back(pixels.palette[static_cast<size_t>(index)]);
        }
    }
    return pixels;
}

void expectBitmapInfoHeader(const QByteArray& file, quint32 offset, int size, int bitsPerPixel) {
    const qsizetype at = offset;
    EXPECT_EQ(le32(file, at), 40u) << "biSize";
    EXPECT_EQ(le32(file, at + 4), static_cast<quint32>(size)) << "biWidth";
    EXPECT_EQ(le32(file, at + 8), static_cast<quint32>(2 * size)) << "biHeight: XOR + AND";
    EXPECT_EQ(le16(file, at + 12), 1u) << "biPlanes";
    EXPECT_EQ(le16(file, at + 14), static_cast<unsigned>(bitsPerPixel)) << "biBitCount";
    EXPECT_EQ(le32(file, at + 16), 0u) << "biCompression must be BI_RGB";
    const quint32 imageBytes = le32(file, at + 20);
    const auto pixelBytes =
        static_cast<quint32>((rowBytes(size, bitsPerPixel) + rowBytes(size, 1)) * size);
    EXPECT_TRUE(imageBytes == 0 || imageBytes == pixelBytes) << "biSizeImage " << imageBytes;
    const quint32 coloursUsed = le32(file, at + 32);
    if (bitsPerPixel <= 8) {
        EXPECT_TRUE(coloursUsed == 0 || coloursUsed == (1u << bitsPerPixel)) << coloursUsed;
    } else {
        EXPECT_EQ(coloursUsed, 0u);
    }
}

double opaqueShare(const Pixels& pixels) {
    return static_cast<double>(std::count(pixels.masked.begin(), pixels.masked.end(), false)) /
           static_cast<double>(pixels.masked.size());
}

size_t slotOf(int size, int bitsPerPixel) {
    for (size_t i = 0; i < kIconSlots.size(); ++i) {
        if (kIconSlots[i].size == size && kIconSlots[i].bitsPerPixel == bitsPerPixel) {
            return i;
        }
    }
    return kIconSlots.size();
}

} // namespace sumbrook::assets_test
