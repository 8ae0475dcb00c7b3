#pragma once
// The libjpeg functions the About picture's decoder calls. Where libjpeg is a shared
// library it is loaded the first time a picture is decoded, so that start-up, which
// shows no picture, does not load it; where it is linked in, these are its own functions.

#include <cstdio> // jpeglib.h needs FILE
#include <jpeglib.h>

namespace sumbrook {

struct JpegLibrary {
    decltype(&jpeg_std_error) stdError;
    decltype(&jpeg_CreateDecompress) createDecompress;
    decltype(&jpeg_mem_src) memSrc;
    decltype(&jpeg_read_header) readHeader;
    decltype(&jpeg_start_decompress) startDecompress;
    decltype(&jpeg_read_scanlines) readScanlines;
    decltype(&jpeg_finish_decompress) finishDecompress;
    decltype(&jpeg_destroy_decompress) destroyDecompress;
};

// Throws sumbrook::Exception when the library cannot be loaded.
const JpegLibrary& jpegLibrary();

} // namespace sumbrook
