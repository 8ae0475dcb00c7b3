// libjpeg linked into the program file (the static Windows build).
#include "about/jpeg_library.h"

namespace sumbrook {

const JpegLibrary& jpegLibrary() {
    static const JpegLibrary jpeg{jpeg_std_error,         jpeg_CreateDecompress,
                                  jpeg_mem_src,           jpeg_read_header,
                                  jpeg_start_decompress,  jpeg_read_scanlines,
                                  jpeg_finish_decompress, jpeg_destroy_decompress};
    return jpeg;
}

} // namespace sumbrook
