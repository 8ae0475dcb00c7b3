// The icon, the hand cursor and the desktop's theme icons are read the way Windows and
// the desktop will read them, so a wrong byte in any header, mask or palette shows up here.

#include "assets/assets.h"
#include "tests/assets/asset_bytes.h"
#include "tests/assets/icon_bitmaps.h"

#include <QBuffer>
#include <QImage>
#include <QImageReader>
#include <QResource>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

namespace assets = sumbrook::assets;
using namespace sumbrook::assets_test;

// ------------------------------------------------------------------ icon

TEST(Icon, DirectoryListsTenImagesFillingTheFile) {
    const QByteArray ico = resource(assets::kIcon);
    EXPECT_EQ(ico.size(), kIconFileSize);
    EXPECT_EQ(le16(ico, 0), 0u);
    EXPECT_EQ(le16(ico, 2), 1u) << "type 1 = icon";
    const std::vector<DirectoryEntry> entries = readDirectory(ico);
    ASSERT_EQ(entries.size(), kIconSlots.size());
    // Images follow the directory back to back, in directory order, and the
    // last one ends the file.
    quint32 expectedOffset = 6 + 16 * static_cast<quint32>(entries.size());
    for (const DirectoryEntry& entry : entries) {
        EXPECT_EQ(entry.offset, expectedOffset);
        expectedOffset = entry.offset + entry.bytes;
    }
    EXPECT_EQ(expectedOffset, static_cast<quint32>(ico.size()));
}

class IconImage : public ::testing::TestWithParam<size_t> {
protected:
    const QByteArray ico = resource(assets::kIcon);
    const std::vector<DirectoryEntry> entries = readDirectory(ico);
    const IconSlot slot = kIconSlots[GetParam()];
    void SetUp() override { ASSERT_EQ(entries.size(), kIconSlots.size()); }
    const DirectoryEntry& entry() const { return entries[GetParam()]; }
};

TEST_P(IconImage, EntryAndBitmapHeaderDescribeTheSameImage) {
    const DirectoryEntry& e = entry();
    const unsigned sizeByte = slot.size == 256 ? 0u : static_cast<unsigned>(slot.size);
    EXPECT_EQ(e.width, sizeByte);
    EXPECT_EQ(e.height, sizeByte);
    EXPECT_EQ(e.colourCount, 0u) << "0 for 256 colours and more";
    EXPECT_EQ(e.reserved, 0u);
    EXPECT_EQ(e.planesOrHotX, 1u);
    EXPECT_EQ(e.bitsOrHotY, static_cast<unsigned>(slot.bitsPerPixel));
    EXPECT_EQ(e.bytes, 40 + bitmapBytesAfterHeader(slot.size, slot.bitsPerPixel));
    EXPECT_NE(ico.mid(e.offset, 8), QByteArray("\x89PNG\r\n\x1a\n", 8)) << "PNG-compressed image";
    expectBitmapInfoHeader(ico, e.offset, slot.size, slot.bitsPerPixel);
}

TEST_P(IconImage, MaskAgreesWithThePixels) {
    const Pixels pixels = decodeBitmap(ico, entry().offset, slot.size, slot.bitsPerPixel);
    for (int y = 0; y < slot.size; ++y) {
        for (int x = 0; x < slot.size; ++x) {
            const QRgb colour = pixels.at(x, y);
            if (slot.bitsPerPixel == 32) {
                // Masked exactly where fully transparent, so mask-only
                // drawing and alpha drawing show the same outline.
                ASSERT_EQ(pixels.maskedAt(x, y), qAlpha(colour) == 0) << x << "," << y;
            }
            if (pixels.maskedAt(x, y)) {
                // A non-black colour under the mask would invert the screen.
                ASSERT_EQ(colour & 0xffffffu, 0u) << x << "," << y;
            }
        }
    }
    // A calculator on a transparent background: mostly body, some background.
    EXPECT_GT(opaqueShare(pixels), 0.5);
    EXPECT_LT(opaqueShare(pixels), 0.95);
}

INSTANTIATE_TEST_SUITE_P(StoredOrder, IconImage, ::testing::Range<size_t>(0, kIconSlots.size()),
                         [](const ::testing::TestParamInfo<size_t>& info) {
                             const IconSlot s = kIconSlots[info.param];
                             return "image" + std::to_string(info.param + 1) + "_" +
                                    std::to_string(s.size) + "px_" +
                                    std::to_string(s.bitsPerPixel) + "bit";
                         });

// The palette images must show the same picture as the full-colour ones; a
// wrong palette order or channel swap would not show in the headers.
TEST(Icon, PaletteImagesMatchTheFullColourImages) {
    const QByteArray ico = resource(assets::kIcon);
    const std::vector<DirectoryEntry> entries = readDirectory(ico);
    ASSERT_EQ(entries.size(), kIconSlots.size());
    for (const int size : {48, 32, 16}) {
        SCOPED_TRACE(size);
        const Pixels palette = decodeBitmap(ico, entries[slotOf(size, 8)].offset, size, 8);
        const Pixels full = decodeBitmap(ico, entries[slotOf(size, 32)].offset, size, 32);
        long totalError = 0;
        int opaque = 0;
        for (int y = 0; y < size; ++y) {
            for (int x = 0; x < size; ++x) {
                const QRgb p = palette.at(x, y);
                const QRgb f = full.at(x, y);
                ASSERT_EQ(palette.maskedAt(x, y), qAlpha(f) < 128) << x << "," << y;
                if (palette.maskedAt(x, y)) {
                    continue;
                }
                const int error =
                    std::max({std::abs(qRed(p) - qRed(f)), std::abs(qGreen(p) - qGreen(f)),
                              std::abs(qBlue(p) - qBlue(f))});
                EXPECT_LE(error, 48) << x << "," << y;
                totalError += error;
                ++opaque;
            }
        }
        ASSERT_GT(opaque, 0);
        EXPECT_LE(static_cast<double>(totalError) / opaque, 3.0);
    }
}

TEST(Icon, QtReadsEveryImage) {
    QByteArray ico = resource(assets::kIcon);
    QBuffer buffer(&ico);
    ASSERT_TRUE(buffer.open(QIODevice::ReadOnly));
    QImageReader reader(&buffer, "ico");
    ASSERT_EQ(reader.imageCount(), static_cast<int>(kIconSlots.size()));
    for (size_t i = 0; i < kIconSlots.size(); ++i) {
        ASSERT_TRUE(reader.jumpToImage(static_cast<int>(i)));
        const QImage image = reader.read();
        EXPECT_EQ(image.size(), QSize(kIconSlots[i].size, kIconSlots[i].size))
            << "image " << i << ": " << reader.errorString().toStdString();
    }
}

// ------------------------------------------------------------------ window icon

// The windows' icon: what a window manager shows, 16 to 64 px in full colour, the same
// drawing as the program icon's images of those sizes, stored as it is in the program.
TEST(WindowIcon, HoldsTheFullColourImagesFrom16To64Pixels) {
    ASSERT_TRUE(assets::ensureResources());
    QResource stored(QString::fromLatin1(assets::kWindowIcon));
    ASSERT_TRUE(stored.isValid());
    EXPECT_EQ(stored.compressionAlgorithm(), QResource::NoCompression);

    QByteArray windowIco = resource(assets::kWindowIcon);
    const std::vector<DirectoryEntry> entries = readDirectory(windowIco);
    std::vector<unsigned> sizes;
    for (const DirectoryEntry& entry : entries) {
        EXPECT_EQ(entry.bitsOrHotY, 32u);
        EXPECT_EQ(entry.width, entry.height);
        sizes.push_back(entry.width);
    }
    EXPECT_EQ(sizes, (std::vector<unsigned>{64, 48, 32, 24, 16}));

    // Each image is the program icon's full-colour image of its size, pixel for pixel.
    QByteArray programIco = resource(assets::kIcon);
    QBuffer programBuffer(&programIco);
    ASSERT_TRUE(programBuffer.open(QIODevice::ReadOnly));
    QImageReader program(&programBuffer, "ico");
    QBuffer windowBuffer(&windowIco);
    ASSERT_TRUE(windowBuffer.open(QIODevice::ReadOnly));
    QImageReader window(&windowBuffer, "ico");
    ASSERT_EQ(window.imageCount(), 5);
    for (int i = 0; i < window.imageCount(); ++i) {
        ASSERT_TRUE(window.jumpToImage(i));
        const QImage image = window.read().convertToFormat(QImage::Format_ARGB32);
        const auto slot =
            std::find_if(kIconSlots.begin(), kIconSlots.end(), [&](const IconSlot& s) {
                return s.bitsPerPixel == 32 && s.size == image.width();
            });
        ASSERT_NE(slot, kIconSlots.end()) << image.width();
        ASSERT_TRUE(program.jumpToImage(static_cast<int>(slot - kIconSlots.begin())));
        EXPECT_EQ(image, program.read().convertToFormat(QImage::Format_ARGB32)) << image.width();
    }
}

// ------------------------------------------------------------------ hand cursor

TEST(HandCursor, IsOneMonochrome32PixelImageWithTheHotSpotOnTheFingertip) {
    const QByteArray cur = resource(assets::kHandCursor);
    EXPECT_EQ(cur.size(), 6 + 16 + 40 + 2 * 4 + 2 * 32 * 4);
    EXPECT_EQ(le16(cur, 0), 0u);
    EXPECT_EQ(le16(cur, 2), 2u) << "type 2 = cursor";
    const std::vector<DirectoryEntry> entries = readDirectory(cur);
    ASSERT_EQ(entries.size(), 1u);
    const DirectoryEntry& e = entries[0];
    EXPECT_EQ(e.width, 32u);
    EXPECT_EQ(e.height, 32u);
    EXPECT_EQ(e.colourCount, 2u);
    EXPECT_EQ(e.reserved, 0u);
    EXPECT_EQ(e.planesOrHotX, 6u) << "hot spot x";
    EXPECT_EQ(e.bitsOrHotY, 0u) << "hot spot y";
    EXPECT_EQ(e.offset, 22u);
    EXPECT_EQ(e.bytes, 40 + bitmapBytesAfterHeader(32, 1));
    expectBitmapInfoHeader(cur, e.offset, 32, 1);

    const Pixels pixels = decodeBitmap(cur, e.offset, 32, 1);
    ASSERT_EQ(pixels.palette.size(), 2u);
    EXPECT_EQ(pixels.palette[0] & 0xffffffu, 0x000000u);
    EXPECT_EQ(pixels.palette[1] & 0xffffffu, 0xffffffu);
    int black = 0;
    int white = 0;
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            const size_t i = static_cast<size_t>(y) * 32 + static_cast<size_t>(x);
            if (pixels.masked[i]) {
                EXPECT_EQ(pixels.index[i], 0) << "inverting pixel at " << x << "," << y;
            } else {
                (pixels.index[i] == 0 ? black : white) += 1;
            }
        }
    }
    EXPECT_GT(black, 0) << "no outline";
    EXPECT_GT(white, black) << "the hand should be mostly white inside its outline";
    // The click lands where the finger is: the hot spot is drawn, and the top
    // row holds nothing but the fingertip around it.
    EXPECT_FALSE(pixels.maskedAt(6, 0));
    for (int x = 0; x < 32; ++x) {
        if (!pixels.maskedAt(x, 0)) {
            EXPECT_LE(std::abs(x - 6), 2) << "stray pixel in the top row at x " << x;
        }
    }
}

// ------------------------------------------------------------------ theme icons

class ThemeIcon : public ::testing::TestWithParam<int> {};

// The desktop icons are the same drawings as the 32-bit icon images, pixel for
// pixel; this also proves the ICO rows are stored bottom-up in BGRA order.
TEST_P(ThemeIcon, IsTheSameDrawingAsTheIconImage) {
    const int size = GetParam();
    const QImage png(sourceAsset(QStringLiteral("hicolor/%1x%1/apps/sumbrook.png").arg(size)));
    ASSERT_FALSE(png.isNull());
    ASSERT_EQ(png.size(), QSize(size, size));
    ASSERT_TRUE(png.hasAlphaChannel());
    const QImage argb = png.convertToFormat(QImage::Format_ARGB32);

    const QByteArray ico = resource(assets::kIcon);
    const std::vector<DirectoryEntry> entries = readDirectory(ico);
    ASSERT_EQ(entries.size(), kIconSlots.size());
    const Pixels pixels = decodeBitmap(ico, entries[slotOf(size, 32)].offset, size, 32);
    int differing = 0;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            differing += argb.pixel(x, y) != pixels.at(x, y) ? 1 : 0;
        }
    }
    EXPECT_EQ(differing, 0);
}

INSTANTIATE_TEST_SUITE_P(Hicolor, ThemeIcon, ::testing::Values(16, 24, 32, 48, 64, 128, 256),
                         [](const ::testing::TestParamInfo<int>& info) {
                             return std::to_string(info.param) + "px";
                         });

} // namespace
