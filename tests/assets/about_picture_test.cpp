// The About picture is read the way the About window will read it, so a wrong byte in a
// header shows up here.

#include "assets/assets.h"
#include "tests/assets/asset_bytes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <csetjmp>
#include <cstdio>
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

} // namespace
