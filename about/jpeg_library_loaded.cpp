// libjpeg as a shared library, loaded on first use (the program file does not name it).
#include "about/jpeg_library.h"

#include "engine/exceptions.h"

#include <dlfcn.h>

#include <string>

namespace sumbrook {

namespace {

template <class Function> void resolve(void* library, const char* name, Function& function) {
    function = reinterpret_cast<Function>(dlsym(library, name));
    if (function == nullptr)
        throw Exception(std::string("libjpeg has no ") + name);
}

JpegLibrary load() {
    // The library the decoder was compiled against (its headers' version).
    void* library = dlopen(SUMBROOK_JPEG_SONAME, RTLD_NOW | RTLD_LOCAL);
    if (library == nullptr)
        throw Exception(std::string("libjpeg cannot be loaded: ") + dlerror());
    JpegLibrary jpeg{};
    resolve(library, "jpeg_std_error", jpeg.stdError);
    resolve(library, "jpeg_CreateDecompress", jpeg.createDecompress);
    resolve(library, "jpeg_mem_src", jpeg.memSrc);
    resolve(library, "jpeg_read_header", jpeg.readHeader);
    resolve(library, "jpeg_start_decompress", jpeg.startDecompress);
    resolve(library, "jpeg_read_scanlines", jpeg.readScanlines);
    resolve(library, "jpeg_finish_decompress", jpeg.finishDecompress);
    resolve(library, "jpeg_destroy_decompress", jpeg.destroyDecompress);
    return jpeg; // the library stays loaded for the run
}

} // namespace

const JpegLibrary& jpegLibrary() {
    static const JpegLibrary jpeg = load();
    return jpeg;
}

} // namespace sumbrook
