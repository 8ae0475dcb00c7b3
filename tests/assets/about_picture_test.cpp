// The About picture is read the way the About window will read it, so a wrong byte in a
// header shows up here.

#include "assets/assets.h"
#include "tests/assets/asset_bytes.h"

#include <QCryptographicHash>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <utility>
#include <vector>

#include <jpeglib.h>

namespace {

namespace assets = sumbrook::assets;
using namespace sumbrook::assets_test;

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

struct PictureFile {
    const char* path;
    unsigned width;
    unsigned height;
};
const std::array<PictureFile, 2> kPictures = {{
    {assets::kAboutPicture, 227, 278},
    {assets::kAboutPicture2x, 454, 556},
}};

class AboutPictureFile : public ::testing::TestWithParam<PictureFile> {};

TEST_P(AboutPictureFile, IsBaselineJfif102WithFourTwoZeroSampling) {
    const QByteArray jpeg = resource(GetParam().path);
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
    EXPECT_EQ(be16(frame, 1), GetParam().height) << "height";
    EXPECT_EQ(be16(frame, 3), GetParam().width) << "width";
    EXPECT_EQ(byteAt(frame, 5), 3u) << "components";
    struct Component {
        unsigned id;
        unsigned sampling;
    };
    const std::array<Component, 3> expected = {{{1, 0x22}, {2, 0x11}, {3, 0x11}}};
    for (size_t i = 0; i < expected.size(); ++i) {
        const qsizetype at = 6 + 3 * static_cast<qsizetype>(i);
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

TEST_P(AboutPictureFile, DecodesCleanlyToAColourfulPicture) {
    DecodedJpeg decoded;
    decodeJpeg(resource(GetParam().path), decoded);
    ASSERT_TRUE(decoded.ok);
    EXPECT_FALSE(decoded.progressive);
    EXPECT_EQ(decoded.warnings, 0) << "libjpeg found damaged data";
    EXPECT_EQ(decoded.width, static_cast<int>(GetParam().width));
    EXPECT_EQ(decoded.height, static_cast<int>(GetParam().height));
    // A child's picture, not a grey one: most pixels should be clearly coloured.
    size_t colourful = 0;
    for (size_t i = 0; i + 2 < decoded.rgb.size(); i += 3) {
        const auto [low, high] =
            std::minmax({decoded.rgb[i], decoded.rgb[i + 1], decoded.rgb[i + 2]});
        colourful += high - low >= 64 ? 1 : 0;
    }
    EXPECT_GT(colourful, decoded.rgb.size() / 3 / 2);
}

INSTANTIATE_TEST_SUITE_P(OneAndTwoTimes, AboutPictureFile, ::testing::ValuesIn(kPictures));

// The 1x picture is the one the program has always shown, byte for byte.
TEST(AboutPicture, OneTimesFileIsUnchanged) {
    const QByteArray jpeg = resource(assets::kAboutPicture);
    EXPECT_EQ(jpeg.size(), 31172);
    EXPECT_EQ(QCryptographicHash::hash(jpeg, QCryptographicHash::Sha256).toHex(),
              QByteArray("f44dfde7449826df11f348afcfabcc3772c5598174afce196e55d6f42cb3eb93"));
}

// Mean difference per channel between the 1x picture and the 2x one halved (2 x 2 pixels
// averaged), with the 2x one moved by (dx, dy) 1x pixels.
double halvedDifference(const DecodedJpeg& one, const DecodedJpeg& two, int dx, int dy) {
    double sum = 0;
    long samples = 0;
    for (int y = 4; y < one.height - 4; ++y) {
        for (int x = 4; x < one.width - 4; ++x) {
            for (int c = 0; c < 3; ++c) {
                int twice = 0;
                for (int sy = 0; sy < 2; ++sy) {
                    for (int sx = 0; sx < 2; ++sx) {
                        const size_t at = (static_cast<size_t>(2 * (y + dy) + sy) *
                                               static_cast<size_t>(two.width) +
                                           static_cast<size_t>(2 * (x + dx) + sx)) *
                                              3 +
                                          static_cast<size_t>(c);
                        twice += two.rgb[at];
                    }
                }
                const size_t at = (static_cast<size_t>(y) * static_cast<size_t>(one.width) +
                                   static_cast<size_t>(x)) *
                                      3 +
                                  static_cast<size_t>(c);
                sum += std::abs(twice / 4.0 - one.rgb[at]);
                ++samples;
            }
        }
    }
    return sum / static_cast<double>(samples);
}

TEST(AboutPicture, TwoTimesIsTheSameSceneAtTwiceTheSize) {
    DecodedJpeg one;
    DecodedJpeg two;
    decodeJpeg(resource(assets::kAboutPicture), one);
    decodeJpeg(resource(assets::kAboutPicture2x), two);
    ASSERT_TRUE(one.ok && two.ok);
    ASSERT_EQ(two.width, 2 * one.width);
    ASSERT_EQ(two.height, 2 * one.height);
    // Halved, it differs from the 1x picture only by edge smoothing and JPEG noise; moved
    // by a pixel or two, or another scene, it would differ far more.
    const double same = halvedDifference(one, two, 0, 0);
    EXPECT_LT(same, 4.0);
    for (const auto& [dx, dy] : {std::pair{2, 0}, std::pair{0, 2}, std::pair{-2, -2}}) {
        EXPECT_GT(halvedDifference(one, two, dx, dy), 2 * same + 2.0) << dx << "," << dy;
    }
}

TEST(AboutPicture, ChosenByTheScreensDevicePixelRatio) {
    struct Case {
        double ratio;
        const char* path;
        int pictureRatio;
    };
    const Case cases[] = {
        {1.0, assets::kAboutPicture, 1},   {1.25, assets::kAboutPicture2x, 2},
        {1.5, assets::kAboutPicture2x, 2}, {2.0, assets::kAboutPicture2x, 2},
        {3.0, assets::kAboutPicture2x, 2},
    };
    for (const Case& c : cases) {
        const assets::AboutPictureFile chosen = assets::aboutPictureFor(c.ratio);
        EXPECT_STREQ(chosen.path, c.path) << c.ratio;
        EXPECT_EQ(chosen.devicePixelRatio, c.pictureRatio) << c.ratio;
    }
}

} // namespace
