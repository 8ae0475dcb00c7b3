#include "about/jpeg_picture.h"

#include "about/jpeg_library.h"
#include "engine/exceptions.h"

#include <csetjmp>
#include <string>

namespace sumbrook {

namespace {

constexpr int kPaletteColors = 236;
// As Qt's own image readers: a frame header claiming more than this is refused before
// anything is allocated for it.
constexpr quint64 kMaxPictureBytes = quint64{256} << 20;

// libjpeg's default error handler ends the process; this one jumps back to the decoder
// with the message instead. Warnings (corrupt or missing data that libjpeg would paper
// over with grey) count as errors: a damaged picture is not shown half-made.
struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

[[noreturn]] void errorExit(j_common_ptr info) {
    auto* manager = reinterpret_cast<ErrorManager*>(info->err);
    (*info->err->format_message)(info, manager->message);
    std::longjmp(manager->jump, 1);
}

void emitMessage(j_common_ptr info, int level) {
    if (level < 0) {
        errorExit(info);
    }
}

// Everything the decoder touches lives here, outside the frame that calls setjmp, so a
// jump back leaves no C++ object half-destroyed and no local in an unknown state.
struct DecodeJob {
    const JpegLibrary* jpeg = nullptr;
    jpeg_decompress_struct info;
    ErrorManager errors;
    const QByteArray* input = nullptr;
    PictureColors colors = PictureColors::TrueColor;
    QImage image;
    QList<QRgb> colorTable;
};

// Returns false with job->errors.message set when libjpeg reports an error. No C++ object
// with a destructor may be alive in this frame while libjpeg runs.
bool runDecoder(DecodeJob* job) {
    const JpegLibrary& jpeg = *job->jpeg;
    jpeg_decompress_struct* info = &job->info;
    info->err = jpeg.stdError(&job->errors.base);
    job->errors.base.error_exit = errorExit;
    job->errors.base.emit_message = emitMessage;
    job->errors.message[0] = '\0';
    if (setjmp(job->errors.jump) != 0) {
        return false;
    }
    jpeg.createDecompress(info, JPEG_LIB_VERSION, sizeof(jpeg_decompress_struct));
    jpeg.memSrc(info, reinterpret_cast<const unsigned char*>(job->input->constData()),
                static_cast<unsigned long>(job->input->size()));
    jpeg.readHeader(info, TRUE);
    if (quint64{info->image_width} * info->image_height * 3 > kMaxPictureBytes) {
        std::snprintf(job->errors.message, sizeof job->errors.message,
                      "A picture of %u x %u pixels is too large", info->image_width,
                      info->image_height);
        return false;
    }

    info->out_color_space = JCS_RGB;
    info->dct_method = JDCT_ISLOW;
    info->do_block_smoothing = TRUE;
    if (job->colors == PictureColors::Palette236) {
        info->quantize_colors = TRUE;
        info->desired_number_of_colors = kPaletteColors;
    }
    jpeg.startDecompress(info);

    const bool indexed = info->quantize_colors != FALSE;
    job->image = QImage(static_cast<int>(info->output_width), static_cast<int>(info->output_height),
                        indexed ? QImage::Format_Indexed8 : QImage::Format_RGB888);
    if (job->image.isNull()) {
        std::snprintf(job->errors.message, sizeof job->errors.message,
                      "Not enough memory for a picture of %u x %u pixels", info->output_width,
                      info->output_height);
        return false;
    }
    if (indexed) {
        job->colorTable.resize(info->actual_number_of_colors);
        for (int i = 0; i < info->actual_number_of_colors; ++i) {
            const int red = info->colormap[0][i];
            const int green = info->out_color_components > 1 ? info->colormap[1][i] : red;
            const int blue = info->out_color_components > 2 ? info->colormap[2][i] : red;
            job->colorTable[i] = qRgb(red, green, blue);
        }
        job->image.setColorTable(job->colorTable);
    }
    while (info->output_scanline < info->output_height) {
        JSAMPROW row = job->image.scanLine(static_cast<int>(info->output_scanline));
        if (jpeg.readScanlines(info, &row, 1) != 1) {
            std::snprintf(job->errors.message, sizeof job->errors.message,
                          "The picture data ends early");
            return false;
        }
    }
    jpeg.finishDecompress(info);
    return true;
}

} // namespace

QImage decodeJpeg(const QByteArray& jpeg, PictureColors colors) {
    if (jpeg.isEmpty()) {
        throw Exception("The picture is empty");
    }
    DecodeJob job{};
    job.jpeg = &jpegLibrary();
    job.input = &jpeg;
    job.colors = colors;
    const bool decoded = runDecoder(&job);
    job.jpeg->destroyDecompress(&job.info);
    if (!decoded) {
        throw Exception(std::string("The picture cannot be read: ") + job.errors.message);
    }
    return job.image;
}

} // namespace sumbrook
