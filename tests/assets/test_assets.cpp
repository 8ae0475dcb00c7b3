// The embedded pictures are read the way Windows, the desktop and the About box
// will read them, so a wrong byte in any header, mask or palette shows up here.

#include "assets/assets.h"

#include <QBuffer>
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include <jpeglib.h>

namespace {

namespace assets = sumbrook::assets;

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray resource(const char* path) {
    return readAll(QString::fromLatin1(path));
}

QString sourceAsset(const QString& name) {
    return QStringLiteral(SUMBROOK_ASSETS_DIR "/") + name;
}

// Bounds-checked little and big endian reads: a truncated file reads as zeros
// and fails the expectations instead of crashing the test.
unsigned byteAt(const QByteArray& bytes, qsizetype at) {
    return at >= 0 && at < bytes.size() ? static_cast<unsigned char>(bytes[at]) : 0u;
}
unsigned le16(const QByteArray& b, qsizetype at) {
    return byteAt(b, at) | byteAt(b, at + 1) << 8;
}
quint32 le32(const QByteArray& b, qsizetype at) {
    return le16(b, at) | le16(b, at + 2) << 16;
}
unsigned be16(const QByteArray& b, qsizetype at) {
    return byteAt(b, at) << 8 | byteAt(b, at + 1);
}

// ------------------------------------------------------------------ About picture

struct Segment {
    unsigned marker;
    QByteArray payload;
};

// The marker segments from SOI up to and including SOS, or false if the
// stream does not follow the JPEG syntax.
bool readJpegHeader(const QByteArray& jpeg, std::vector<Segment>& segments) {
    if (be16(jpeg, 0) != 0xFFD8) {
        return false;
    }
    qsizetype at = 2;
    while (at + 4 <= jpeg.size()) {
        if (byteAt(jpeg, at) != 0xFF) {
            return false;
        }
        const unsigned marker = byteAt(jpeg, at + 1);
        if (marker == 0xFF) {
            ++at; // fill byte
            continue;
        }
        const unsigned length = be16(jpeg, at + 2);
        if (length < 2 || at + 2 + length > static_cast<unsigned>(jpeg.size())) {
            return false;
        }
        segments.push_back({marker, jpeg.mid(at + 4, length - 2)});
        at += 2 + length;
        if (marker == 0xDA) {
            return true;
        }
    }
    return false;
}

bool isFrameMarker(unsigned marker) {
    return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

TEST(AboutPicture, IsBaselineJfif102WithFourTwoZeroSampling) {
    const QByteArray jpeg = resource(assets::kAboutPicture);
    std::vector<Segment> segments;
    ASSERT_TRUE(readJpegHeader(jpeg, segments));
    ASSERT_FALSE(segments.empty());

    // JFIF wants its APP0 straight after SOI.
    const Segment& app0 = segments.front();
    EXPECT_EQ(app0.marker, 0xE0u);
    ASSERT_GE(app0.payload.size(), 14);
    EXPECT_EQ(app0.payload.left(5), QByteArray("JFIF", 5));
    EXPECT_EQ(byteAt(app0.payload, 5), 1u) << "JFIF major version";
    EXPECT_EQ(byteAt(app0.payload, 6), 2u) << "JFIF minor version";

    std::vector<const Segment*> frames;
    for (const Segment& segment : segments) {
        if (isFrameMarker(segment.marker)) {
            frames.push_back(&segment);
        }
    }
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0]->marker, 0xC0u) << "expected a baseline (SOF0) frame";
    const QByteArray& frame = frames[0]->payload;
    ASSERT_EQ(frame.size(), 6 + 3 * 3);
    EXPECT_EQ(byteAt(frame, 0), 8u) << "sample precision";
    EXPECT_EQ(be16(frame, 1), 278u) << "height";
    EXPECT_EQ(be16(frame, 3), 227u) << "width";
    EXPECT_EQ(byteAt(frame, 5), 3u) << "components";
    struct Component {
        unsigned id;
        unsigned sampling;
    };
    const std::array<Component, 3> expected = {{{1, 0x22}, {2, 0x11}, {3, 0x11}}};
    for (size_t i = 0; i < expected.size(); ++i) {
        const auto at = static_cast<qsizetype>(6 + 3 * i);
        EXPECT_EQ(byteAt(frame, at), expected[i].id) << "component " << i;
        EXPECT_EQ(byteAt(frame, at + 1), expected[i].sampling) << "component " << i;
    }
    EXPECT_EQ(segments.back().marker, 0xDAu);
    EXPECT_EQ(be16(jpeg, jpeg.size() - 2), 0xFFD9u) << "missing EOI";
}

struct JpegDecodeErrors {
    jpeg_error_mgr manager;
    std::jmp_buf jump;
};

struct DecodedJpeg {
    bool ok = false;
    bool progressive = true;
    long warnings = 0;
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgb;
};

void decodeJpeg(const QByteArray& jpeg, DecodedJpeg& out) {
    jpeg_decompress_struct cinfo{};
    JpegDecodeErrors errors{};
    cinfo.err = jpeg_std_error(&errors.manager);
    errors.manager.error_exit = [](j_common_ptr c) {
        std::longjmp(reinterpret_cast<JpegDecodeErrors*>(c->err)->jump, 1);
    };
    errors.manager.output_message = [](j_common_ptr) {};
    if (setjmp(errors.jump)) {
        jpeg_destroy_decompress(&cinfo);
        out.ok = false;
        return;
    }
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, reinterpret_cast<const unsigned char*>(jpeg.constData()),
                 static_cast<unsigned long>(jpeg.size()));
    jpeg_read_header(&cinfo, TRUE);
    out.progressive = cinfo.progressive_mode != 0;
    cinfo.out_color_space = JCS_RGB;
    jpeg_start_decompress(&cinfo);
    out.width = static_cast<int>(cinfo.output_width);
    out.height = static_cast<int>(cinfo.output_height);
    out.rgb.resize(static_cast<size_t>(out.width) * static_cast<size_t>(out.height) * 3);
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW row = out.rgb.data() + static_cast<size_t>(cinfo.output_scanline) *
                                            static_cast<size_t>(out.width) * 3;
        jpeg_read_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_decompress(&cinfo);
    out.warnings = errors.manager.num_warnings;
    out.ok = true;
    jpeg_destroy_decompress(&cinfo);
}

TEST(AboutPicture, DecodesCleanlyToAColourfulPicture) {
    DecodedJpeg decoded;
    decodeJpeg(resource(assets::kAboutPicture), decoded);
    ASSERT_TRUE(decoded.ok);
    EXPECT_FALSE(decoded.progressive);
    EXPECT_EQ(decoded.warnings, 0) << "libjpeg found damaged data";
    EXPECT_EQ(decoded.width, 227);
    EXPECT_EQ(decoded.height, 278);
    // A child's picture, not a grey one: most pixels should be clearly coloured.
    size_t colourful = 0;
    for (size_t i = 0; i + 2 < decoded.rgb.size(); i += 3) {
        const auto [low, high] =
            std::minmax({decoded.rgb[i], decoded.rgb[i + 1], decoded.rgb[i + 2]});
        colourful += high - low >= 64 ? 1 : 0;
    }
    EXPECT_GT(colourful, decoded.rgb.size() / 3 / 2);
}

// ------------------------------------------------------------------ ICO / CUR

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

int rowBytes(int width, int bitsPerPixel) {
    return ((width * bitsPerPixel + 31) / 32) * 4;
}

// Palette + XOR + AND bytes that follow the 40-byte header.
qsizetype bitmapBytesAfterHeader(int size, int bitsPerPixel) {
    const int palette = bitsPerPixel <= 8 ? 4 << bitsPerPixel : 0;
    return palette + (rowBytes(size, bitsPerPixel) + rowBytes(size, 1)) * size;
}

struct Pixels {
    int size = 0;
    std::vector<QRgb> colour;  // the XOR bitmap; alpha 255 unless the bitmap has alpha
    std::vector<bool> masked;  // the AND bitmap
    std::vector<int> index;    // palette index, for palette bitmaps
    std::vector<QRgb> palette; // as stored
    QRgb at(int x, int y) const { return colour[static_cast<size_t>(y * size + x)]; }
    bool maskedAt(int x, int y) const { return masked[static_cast<size_t>(y * size + x)]; }
};

// Decodes one bitmap of an ICO/CUR file, top row first.
Pixels decodeBitmap(const QByteArray& file, quint32 offset, int size, int bitsPerPixel) {
    Pixels pixels;
    pixels.size = size;
    const qsizetype header = offset;
    const int paletteCount = bitsPerPixel <= 8 ? 1 << bitsPerPixel : 0;
    for (int i = 0; i < paletteCount; ++i) {
        const qsizetype at = header + 40 + 4 * i;
        pixels.palette.push_back(qRgb(static_cast<int>(byteAt(file, at + 2)),
                                      static_cast<int>(byteAt(file, at + 1)),
                                      static_cast<int>(byteAt(file, at))));
    }
    const qsizetype xorStart = header + 40 + 4 * paletteCount;
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
                const qsizetype at = xorRow + 4 * x;
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

struct IconSlot {
    int size;
    int bitsPerPixel;
};

constexpr std::array<IconSlot, 10> kIconSlots = {{{48, 8},
                                                  {32, 8},
                                                  {16, 8},
                                                  {256, 32},
                                                  {128, 32},
                                                  {64, 32},
                                                  {48, 32},
                                                  {32, 32},
                                                  {24, 32},
                                                  {16, 32}}};
constexpr qsizetype kIconFileSize = 379926;

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

size_t slotOf(int size, int bitsPerPixel) {
    for (size_t i = 0; i < kIconSlots.size(); ++i) {
        if (kIconSlots[i].size == size && kIconSlots[i].bitsPerPixel == bitsPerPixel) {
            return i;
        }
    }
    return kIconSlots.size();
}

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
            const size_t i = static_cast<size_t>(y * 32 + x);
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

// ------------------------------------------------------------------ files on disk

const std::array<const char*, 10> kGeneratedFiles = {
    "about.jpg",
    "sumbrook.ico",
    "hand.cur",
    "hicolor/16x16/apps/sumbrook.png",
    "hicolor/24x24/apps/sumbrook.png",
    "hicolor/32x32/apps/sumbrook.png",
    "hicolor/48x48/apps/sumbrook.png",
    "hicolor/64x64/apps/sumbrook.png",
    "hicolor/128x128/apps/sumbrook.png",
    "hicolor/256x256/apps/sumbrook.png",
};

TEST(EmbeddedResources, AreTheCommittedFiles) {
    ASSERT_TRUE(assets::ensureResources());
    const std::array<std::pair<const char*, const char*>, 3> embedded = {{
        {assets::kAboutPicture, "about.jpg"},
        {assets::kIcon, "sumbrook.ico"},
        {assets::kHandCursor, "hand.cur"},
    }};
    for (const auto& [path, name] : embedded) {
        const QByteArray bytes = resource(path);
        EXPECT_FALSE(bytes.isEmpty()) << path;
        EXPECT_EQ(bytes, readAll(sourceAsset(QString::fromLatin1(name)))) << path;
    }
}

// Whoever changes the drawings must also regenerate; otherwise the program
// would keep shipping the old pictures.
TEST(Generator, RecreatesTheCommittedFilesExactly) {
    QTemporaryDir out;
    ASSERT_TRUE(out.isValid());
    QProcess generator;
    generator.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    generator.start(QStringLiteral(SUMBROOK_MAKE_ASSETS), {out.path()});
    ASSERT_TRUE(generator.waitForFinished(120000));
    ASSERT_EQ(generator.exitStatus(), QProcess::NormalExit);
    ASSERT_EQ(generator.exitCode(), 0);
    for (const char* name : kGeneratedFiles) {
        const QString file = QString::fromLatin1(name);
        const QByteArray made = readAll(QDir(out.path()).filePath(file));
        EXPECT_FALSE(made.isEmpty()) << name;
        EXPECT_TRUE(made == readAll(sourceAsset(file)))
            << name << " differs from what tools/assets draws now: build the "
            << "regenerate_assets target and commit the result";
    }
}

} // namespace
