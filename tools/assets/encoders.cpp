#include "tools/assets/encoders.h"

#include <algorithm>
#include <array>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <map>

#include <jpeglib.h>

namespace sumbrook::tools {

namespace {

// ---------------------------------------------------------------- JPEG

struct JpegErrors {
    jpeg_error_mgr manager;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

[[noreturn]] void jpegFail(j_common_ptr cinfo) {
    auto* errors = reinterpret_cast<JpegErrors*>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, errors->message);
    std::longjmp(errors->jump, 1);
}

// libjpeg prints warnings to stderr and carries on; we would rather not ship a
// file it had doubts about, so remember the first warning and fail afterwards.
void jpegMessage(j_common_ptr cinfo, int level) {
    if (level >= 0) {
        return;
    }
    auto* errors = reinterpret_cast<JpegErrors*>(cinfo->err);
    if (cinfo->err->num_warnings++ == 0) {
        (*cinfo->err->format_message)(cinfo, errors->message);
    }
}

// ---------------------------------------------------------------- ICO / CUR

void put8(QByteArray& out, unsigned value) {
    out.append(static_cast<char>(value & 0xffu));
}

void put16(QByteArray& out, unsigned value) {
    put8(out, value);
    put8(out, value >> 8);
}

void put32(QByteArray& out, quint32 value) {
    put16(out, value & 0xffffu);
    put16(out, value >> 16);
}

int rowBytes(int width, int bitsPerPixel) {
    return ((width * bitsPerPixel + 31) / 32) * 4;
}

struct Bitmap {
    int width = 0;
    int height = 0;
    int bitsPerPixel = 0;
    int colourCount = 0; // directory byte: 0 unless the palette is smaller than 256
    QByteArray data;     // BITMAPINFOHEADER + palette + XOR rows + AND rows
};

void putInfoHeader(QByteArray& out, int width, int height, int bitsPerPixel) {
    const int pixelBytes = (rowBytes(width, bitsPerPixel) + rowBytes(width, 1)) * height;
    put32(out, 40);                               // biSize
    put32(out, static_cast<quint32>(width));      // biWidth
    put32(out, static_cast<quint32>(2 * height)); // biHeight: XOR and AND bitmaps stacked
    put16(out, 1);                                // biPlanes
    put16(out, static_cast<unsigned>(bitsPerPixel));
    put32(out, 0); // biCompression: BI_RGB
    put32(out, static_cast<quint32>(pixelBytes));
    put32(out, 0); // biXPelsPerMeter
    put32(out, 0); // biYPelsPerMeter
    put32(out, 0); // biClrUsed: the full palette for the bit depth
    put32(out, 0); // biClrImportant
}

// Appends the rows bottom-up, as bitmaps store them; `bit` says whether a pixel's
// bit is set.
template <typename Bit> void putBitRows(QByteArray& out, int width, int height, Bit bit) {
    const int stride = rowBytes(width, 1);
    for (int y = height - 1; y >= 0; --y) {
        QByteArray row(stride, '\0');
        for (int x = 0; x < width; ++x) {
            if (bit(x, y)) {
                row[x / 8] = static_cast<char>(row[x / 8] | (0x80 >> (x % 8)));
            }
        }
        out.append(row);
    }
}

int squaredDistance(QRgb a, QRgb b) {
    const int dr = qRed(a) - qRed(b);
    const int dg = qGreen(a) - qGreen(b);
    const int db = qBlue(a) - qBlue(b);
    return dr * dr + dg * dg + db * db;
}

bool isOpaqueEnough(QRgb pixel) {
    return qAlpha(pixel) >= 128;
}

Bitmap paletteBitmap(const QImage& source) {
    const QImage image = source.convertToFormat(QImage::Format_ARGB32);
    const int width = image.width();
    const int height = image.height();

    // Entry 0 stays black for the masked-out pixels: with a zero XOR colour,
    // screens that honour only the mask show the background unchanged.
    std::vector<QRgb> palette = medianCutPalette(image, 255);
    palette.insert(palette.begin(), qRgb(0, 0, 0));
    palette.resize(256, qRgb(0, 0, 0));
    const int used = static_cast<int>(palette.size());

    std::map<QRgb, int> nearest;
    auto indexOf = [&](QRgb colour) {
        const QRgb key = colour | 0xff000000u;
        const auto found = nearest.find(key);
        if (found != nearest.end()) {
            return found->second;
        }
        int best = 1;
        for (int i = 2; i < used; ++i) {
            if (squaredDistance(palette[static_cast<size_t>(i)], key) <
                squaredDistance(palette[static_cast<size_t>(best)], key)) {
                best = i;
            }
        }
        nearest.emplace(key, best);
        return best;
    };

    Bitmap bitmap{width, height, 8, 0, {}};
    QByteArray& out = bitmap.data;
    putInfoHeader(out, width, height, 8);
    for (const QRgb colour : palette) {
        put8(out, static_cast<unsigned>(qBlue(colour)));
        put8(out, static_cast<unsigned>(qGreen(colour)));
        put8(out, static_cast<unsigned>(qRed(colour)));
        put8(out, 0);
    }
    const int stride = rowBytes(width, 8);
    for (int y = height - 1; y >= 0; --y) {
        QByteArray row(stride, '\0');
        const auto* pixels = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < width; ++x) {
            if (isOpaqueEnough(pixels[x])) {
                row[x] = static_cast<char>(indexOf(pixels[x]));
            }
        }
        out.append(row);
    }
    putBitRows(out, width, height,
               [&](int x, int y) { return !isOpaqueEnough(image.pixel(x, y)); });
    return bitmap;
}

Bitmap alphaBitmap(const QImage& source) {
    const QImage image = source.convertToFormat(QImage::Format_ARGB32);
    const int width = image.width();
    const int height = image.height();
    Bitmap bitmap{width, height, 32, 0, {}};
    QByteArray& out = bitmap.data;
    putInfoHeader(out, width, height, 32);
    for (int y = height - 1; y >= 0; --y) {
        const auto* pixels = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < width; ++x) {
            // Fully transparent pixels carry colour 0 so that the mask alone
            // also gives the right picture.
            const QRgb pixel = qAlpha(pixels[x]) == 0 ? 0u : pixels[x];
            put8(out, static_cast<unsigned>(qBlue(pixel)));
            put8(out, static_cast<unsigned>(qGreen(pixel)));
            put8(out, static_cast<unsigned>(qRed(pixel)));
            put8(out, static_cast<unsigned>(qAlpha(pixel)));
        }
    }
    putBitRows(out, width, height, [&](int x, int y) { return qAlpha(image.pixel(x, y)) == 0; });
    return bitmap;
}

// ICONDIR + ICONDIRENTRYs + images. For cursors (type 2) the two 16-bit fields
// of each entry hold the hot spot instead of planes and bit count.
QByteArray container(int type, const std::vector<Bitmap>& bitmaps, QPoint hotSpot) {
    QByteArray out;
    put16(out, 0);
    put16(out, static_cast<unsigned>(type));
    put16(out, static_cast<unsigned>(bitmaps.size()));
    quint32 offset = static_cast<quint32>(6 + 16 * bitmaps.size());
    for (const Bitmap& bitmap : bitmaps) {
        put8(out, bitmap.width == 256 ? 0u : static_cast<unsigned>(bitmap.width));
        put8(out, bitmap.height == 256 ? 0u : static_cast<unsigned>(bitmap.height));
        put8(out, static_cast<unsigned>(bitmap.colourCount));
        put8(out, 0);
        if (type == 2) {
            put16(out, static_cast<unsigned>(hotSpot.x()));
            put16(out, static_cast<unsigned>(hotSpot.y()));
        } else {
            put16(out, 1);
            put16(out, static_cast<unsigned>(bitmap.bitsPerPixel));
        }
        put32(out, static_cast<quint32>(bitmap.data.size()));
        put32(out, offset);
        offset += static_cast<quint32>(bitmap.data.size());
    }
    for (const Bitmap& bitmap : bitmaps) {
        out.append(bitmap.data);
    }
    return out;
}

} // namespace

bool encodeJpeg(const QImage& image, int quality, QByteArray& out, QString& error) {
    if (image.isNull() || quality < 1 || quality > 100) {
        error = QStringLiteral("no picture to encode, or quality outside 1..100");
        return false;
    }
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);

    jpeg_compress_struct cinfo{};
    JpegErrors errors{};
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    cinfo.err = jpeg_std_error(&errors.manager);
    errors.manager.error_exit = jpegFail;
    errors.manager.emit_message = jpegMessage;
    if (setjmp(errors.jump)) {
        error = QString::fromLocal8Bit(errors.message);
        jpeg_destroy_compress(&cinfo);
        std::free(buffer);
        return false;
    }
    jpeg_create_compress(&cinfo);
    jpeg_mem_dest(&cinfo, &buffer, &size);

    cinfo.image_width = static_cast<JDIMENSION>(rgb.width());
    cinfo.image_height = static_cast<JDIMENSION>(rgb.height());
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_colorspace(&cinfo, JCS_YCbCr);
    jpeg_set_quality(&cinfo, quality, TRUE);
    cinfo.comp_info[0].h_samp_factor = 2;
    cinfo.comp_info[0].v_samp_factor = 2;
    for (int c = 1; c < 3; ++c) {
        cinfo.comp_info[c].h_samp_factor = 1;
        cinfo.comp_info[c].v_samp_factor = 1;
    }
    cinfo.write_JFIF_header = TRUE;
    cinfo.JFIF_major_version = 1;
    cinfo.JFIF_minor_version = 2;
    cinfo.dct_method = JDCT_ISLOW; // exact integer DCT: same bytes on every machine
    cinfo.optimize_coding = TRUE;  // Huffman tables fitted to the picture; still baseline

    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW row =
            const_cast<JSAMPROW>(rgb.constScanLine(static_cast<int>(cinfo.next_scanline)));
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    const bool warned = errors.manager.num_warnings > 0;
    if (!warned) {
        out = QByteArray(reinterpret_cast<const char*>(buffer), static_cast<qsizetype>(size));
    } else {
        error = QString::fromLocal8Bit(errors.message);
    }
    jpeg_destroy_compress(&cinfo);
    std::free(buffer);
    return !warned;
}

bool encodeIco(const std::vector<IconImage>& images, QByteArray& out, QString& error) {
    if (images.empty() || images.size() > 0xffff) {
        error = QStringLiteral("an icon needs between 1 and 65535 images");
        return false;
    }
    std::vector<Bitmap> bitmaps;
    for (const IconImage& entry : images) {
        const QSize size = entry.image.size();
        if (entry.image.isNull() || size.width() > 256 || size.height() > 256) {
            error = QStringLiteral("icon images must be 1..256 pixels on a side");
            return false;
        }
        if (entry.bitsPerPixel == 8) {
            bitmaps.push_back(paletteBitmap(entry.image));
        } else if (entry.bitsPerPixel == 32) {
            bitmaps.push_back(alphaBitmap(entry.image));
        } else {
            error = QStringLiteral("icon images must be 8 or 32 bits per pixel, not %1")
                        .arg(entry.bitsPerPixel);
            return false;
        }
    }
    out = container(1, bitmaps, {});
    return true;
}

bool encodeMonochromeCursor(const QImage& source, QPoint hotSpot, QByteArray& out, QString& error) {
    const QImage image = source.convertToFormat(QImage::Format_ARGB32);
    const int width = image.width();
    const int height = image.height();
    if (image.isNull() || width > 256 || height > 256) {
        error = QStringLiteral("cursor images must be 1..256 pixels on a side");
        return false;
    }
    if (!image.rect().contains(hotSpot)) {
        error = QStringLiteral("the hot spot lies outside the cursor");
        return false;
    }
    Bitmap bitmap{width, height, 1, 2, {}};
    QByteArray& data = bitmap.data;
    putInfoHeader(data, width, height, 1);
    put32(data, 0x00000000); // palette entry 0: black
    put32(data, 0x00ffffff); // palette entry 1: white
    auto white = [&](int x, int y) {
        const QRgb pixel = image.pixel(x, y);
        return isOpaqueEnough(pixel) && qGray(pixel) >= 128;
    };
    putBitRows(data, width, height, white);
    putBitRows(data, width, height,
               [&](int x, int y) { return !isOpaqueEnough(image.pixel(x, y)); });
    out = container(2, {bitmap}, hotSpot);
    return true;
}

std::vector<QRgb> medianCutPalette(const QImage& source, int maxColours) {
    const QImage image = source.convertToFormat(QImage::Format_ARGB32);
    std::map<QRgb, long> counts;
    for (int y = 0; y < image.height(); ++y) {
        const auto* pixels = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (isOpaqueEnough(pixels[x])) {
                ++counts[pixels[x] | 0xff000000u];
            }
        }
    }
    struct Colour {
        std::array<int, 3> channel;
        long count;
        QRgb rgb;
    };
    std::vector<Colour> colours;
    colours.reserve(counts.size());
    for (const auto& [rgb, count] : counts) {
        colours.push_back({{qRed(rgb), qGreen(rgb), qBlue(rgb)}, count, rgb});
    }
    if (maxColours <= 0) {
        return {};
    }
    if (colours.size() <= static_cast<size_t>(maxColours)) {
        std::vector<QRgb> exact;
        exact.reserve(colours.size());
        for (const Colour& colour : colours) {
            exact.push_back(colour.rgb);
        }
        return exact;
    }

    struct Box {
        size_t begin;
        size_t end;
    };
    auto widest = [&](const Box& box, int& axis) {
        int best = -1;
        for (int c = 0; c < 3; ++c) {
            int low = 255;
            int high = 0;
            for (size_t i = box.begin; i < box.end; ++i) {
                low = std::min(low, colours[i].channel[static_cast<size_t>(c)]);
                high = std::max(high, colours[i].channel[static_cast<size_t>(c)]);
            }
            if (high - low > best) {
                best = high - low;
                axis = c;
            }
        }
        return best;
    };

    std::vector<Box> boxes{{0, colours.size()}};
    while (boxes.size() < static_cast<size_t>(maxColours)) {
        size_t chosen = boxes.size();
        int chosenAxis = 0;
        int chosenRange = 0;
        for (size_t b = 0; b < boxes.size(); ++b) {
            int axis = 0;
            const int range = widest(boxes[b], axis);
            if (boxes[b].end - boxes[b].begin > 1 && range > chosenRange) {
                chosen = b;
                chosenAxis = axis;
                chosenRange = range;
            }
        }
        if (chosen == boxes.size()) {
            break; // every box is down to one colour
        }
        const Box box = boxes[chosen];
        const auto axis = static_cast<size_t>(chosenAxis);
        std::sort(colours.begin() + static_cast<long>(box.begin),
                  colours.begin() + static_cast<long>(box.end),
                  [axis](const Colour& a, const Colour& b) {
                      return a.channel[axis] != b.channel[axis] ? a.channel[axis] < b.channel[axis]
                                                                : a.rgb < b.rgb;
                  });
        long total = 0;
        for (size_t i = box.begin; i < box.end; ++i) {
            total += colours[i].count;
        }
        long running = 0;
        size_t split = box.begin + 1;
        for (size_t i = box.begin; i + 1 < box.end; ++i) {
            running += colours[i].count;
            split = i + 1;
            if (2 * running >= total) {
                break;
            }
        }
        boxes[chosen] = {box.begin, split};
        boxes.push_back({split, box.end});
    }

    std::vector<QRgb> palette;
    palette.reserve(boxes.size());
    for (const Box& box : boxes) {
        std::array<long, 3> sum{};
        long total = 0;
        for (size_t i = box.begin; i < box.end; ++i) {
            for (size_t c = 0; c < 3; ++c) {
                sum[c] += colours[i].channel[c] * colours[i].count;
            }
            total += colours[i].count;
        }
        if (total == 0) {
            continue; // no pixel to average (the splits leave no box empty)
        }
        auto mean = [&](size_t c) { return static_cast<int>((sum[c] + total / 2) / total); };
        palette.push_back(qRgb(mean(0), mean(1), mean(2)));
    }
    return palette;
}

} // namespace sumbrook::tools
