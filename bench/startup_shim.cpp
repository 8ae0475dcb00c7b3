/* Preloaded into a program started by bench/startup-instructions, it ends the process at a
 * chosen point of its start-up, so that callgrind counts the instructions up to there:
 *
 *   STARTUP_SHIM_STOP=map     at the first window mapped (xcb_map_window)
 *   STARTUP_SHIM_STOP=frame   at the first image put to the X server, shared memory or not
 *   STARTUP_SHIM_SHOT=file    with "frame": first lets the image reach the server, reads
 *                             the window back and writes it to file (binary PPM)
 *   STARTUP_SHIM_LOG=file     appends the name of every X call watched here (no stop needed)
 *   STARTUP_SHIM_SLEPT=file   at the stop, writes how many nanoseconds the process slept
 *                             (nanosleep, clock_nanosleep), so that the deliberate pauses
 *                             can be taken out of a wall time
 *
 * It also makes the program's own clock readings (clock_gettime called from the main
 * executable, not from a library) a fixed sequence, so that every run draws the same first
 * problem and paints the same first frame. Qt's own timers keep the real clock. */
#include <atomic>
#include <dlfcn.h>
#include <link.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/syscall.h>
#include <time.h>
#include <unistd.h>

#include <xcb/xcb.h>

extern "C" {

static uintptr_t exeStart, exeEnd;

static int findExecutable(dl_phdr_info* info, size_t /*size*/, void* /*data*/) {
    /* The first object is the main program. */
    for (int i = 0; i < info->dlpi_phnum; ++i) {
        const ElfW(Phdr)* ph = &info->dlpi_phdr[i];
        if (ph->p_type != PT_LOAD)
            continue;
        const uintptr_t start = info->dlpi_addr + ph->p_vaddr;
        const uintptr_t end = start + ph->p_memsz;
        if (exeStart == 0 || start < exeStart)
            exeStart = start;
        if (end > exeEnd)
            exeEnd = end;
    }
    return 1;
}

__attribute__((constructor)) static void shimInit(void) {
    dl_iterate_phdr(findExecutable, nullptr);
}

static void logCall(const char* name) {
    const char* path = getenv("STARTUP_SHIM_LOG");
    if (path == nullptr)
        return;
    FILE* file = fopen(path, "a");
    if (file != nullptr) {
        fprintf(file, "%s\n", name);
        fclose(file);
    }
}

static std::atomic<long long> sleptNs; // the engine sleeps on the GUI thread, Qt elsewhere

static void writeSlept() {
    const char* path = getenv("STARTUP_SHIM_SLEPT");
    if (path == nullptr)
        return;
    FILE* file = fopen(path, "w");
    if (file != nullptr) {
        fprintf(file, "%lld\n", sleptNs.load());
        fclose(file);
    }
}

static long long monotonicNs() {
    timespec ts{};
    syscall(SYS_clock_gettime, CLOCK_MONOTONIC, &ts);
    return static_cast<long long>(ts.tv_sec) * 1000000000LL + ts.tv_nsec;
}

int nanosleep(const struct timespec* duration, struct timespec* remaining) {
    static int (*real)(const struct timespec*, struct timespec*);
    if (real == nullptr)
        real = reinterpret_cast<int (*)(const struct timespec*, struct timespec*)>(
            dlsym(RTLD_NEXT, "nanosleep"));
    const long long start = monotonicNs();
    const int result = real(duration, remaining);
    sleptNs += monotonicNs() - start;
    return result;
}

int clock_nanosleep(clockid_t clock, int flags, const struct timespec* duration,
                    struct timespec* remaining) {
    static int (*real)(clockid_t, int, const struct timespec*, struct timespec*);
    if (real == nullptr)
        real = reinterpret_cast<int (*)(clockid_t, int, const struct timespec*, struct timespec*)>(
            dlsym(RTLD_NEXT, "clock_nanosleep"));
    const long long start = monotonicNs();
    const int result = real(clock, flags, duration, remaining);
    sleptNs += monotonicNs() - start;
    return result;
}

static bool stopsAt(const char* point) {
    const char* stop = getenv("STARTUP_SHIM_STOP");
    return stop != nullptr && strcmp(stop, point) == 0;
}

int clock_gettime(clockid_t clock, struct timespec* ts) {
    static int (*real)(clockid_t, struct timespec*);
    static long long calls;
    const uintptr_t caller = reinterpret_cast<uintptr_t>(__builtin_return_address(0));
    if (caller >= exeStart && caller < exeEnd && exeStart != 0) {
        /* 50 ms and a little more per reading, from a fixed origin. */
        const long long ns = 1000000000000LL + ++calls * 50123457LL;
        ts->tv_sec = static_cast<time_t>(ns / 1000000000LL);
        ts->tv_nsec = static_cast<long>(ns % 1000000000LL);
        return 0;
    }
    if (real == nullptr)
        real = reinterpret_cast<int (*)(clockid_t, struct timespec*)>(
            dlsym(RTLD_NEXT, "clock_gettime"));
    return real(clock, ts);
}

xcb_void_cookie_t xcb_map_window(xcb_connection_t* c, xcb_window_t window) {
    static xcb_void_cookie_t (*real)(xcb_connection_t*, xcb_window_t);
    logCall("xcb_map_window");
    if (stopsAt("map")) {
        writeSlept();
        _exit(0);
    }
    if (real == nullptr)
        real = reinterpret_cast<xcb_void_cookie_t (*)(xcb_connection_t*, xcb_window_t)>(
            dlsym(RTLD_NEXT, "xcb_map_window"));
    return real(c, window);
}

/* Reads the drawable back from the server and writes it as a binary PPM. */
static void writeShot(xcb_connection_t* c, xcb_drawable_t drawable) {
    const char* path = getenv("STARTUP_SHIM_SHOT");
    if (path == nullptr)
        return;
    xcb_get_geometry_reply_t* geometry =
        xcb_get_geometry_reply(c, xcb_get_geometry(c, drawable), nullptr);
    if (geometry == nullptr) {
        fprintf(stderr, "startup_shim: no geometry for drawable %u\n", drawable);
        return;
    }
    const int w = geometry->width, h = geometry->height, depth = geometry->depth;
    free(geometry);
    xcb_get_image_reply_t* image =
        xcb_get_image_reply(c,
                            xcb_get_image(c, XCB_IMAGE_FORMAT_Z_PIXMAP, drawable, 0, 0,
                                          static_cast<uint16_t>(w), static_cast<uint16_t>(h), ~0u),
                            nullptr);
    if (image == nullptr) {
        fprintf(stderr, "startup_shim: drawable %u (%dx%d, depth %d) cannot be read back\n",
                drawable, w, h, depth);
        return;
    }
    const int length = xcb_get_image_data_length(image);
    const uint8_t* data = xcb_get_image_data(image);
    FILE* file = fopen(path, "wb");
    /* 24- and 32-bit visuals store 4 bytes a pixel, blue first. */
    if (file != nullptr && (depth == 24 || depth == 32) && length >= w * h * 4) {
        fprintf(file, "P6\n%d %d\n255\n", w, h);
        for (size_t at = 0; at < size_t(4) * size_t(w) * size_t(h); at += 4) {
            const uint8_t rgb[3] = {data[at + 2], data[at + 1], data[at]};
            fwrite(rgb, 1, 3, file);
        }
    }
    if (file != nullptr)
        fclose(file);
    free(image);
}

static void atFirstImage(const char* name) {
    logCall(name);
    if (!stopsAt("frame"))
        return;
    if (getenv("STARTUP_SHIM_SHOT") == nullptr) {
        writeSlept();
        _exit(0);
    }
}

static void afterFirstImage(xcb_connection_t* c, xcb_drawable_t drawable) {

    if (!stopsAt("frame"))
        return;
    xcb_flush(c);
    writeShot(c, drawable);
    _exit(0);
}

xcb_void_cookie_t xcb_shm_put_image(xcb_connection_t* c, xcb_drawable_t drawable, xcb_gcontext_t gc,
                                    uint16_t total_width, uint16_t total_height, uint16_t src_x,
                                    uint16_t src_y, uint16_t src_width, uint16_t src_height,
                                    int16_t dst_x, int16_t dst_y, uint8_t depth, uint8_t format,
                                    uint8_t send_event, uint32_t shmseg, uint32_t offset) {
    typedef xcb_void_cookie_t (*Fn)(xcb_connection_t*, xcb_drawable_t, xcb_gcontext_t, uint16_t,
                                    uint16_t, uint16_t, uint16_t, uint16_t, uint16_t, int16_t,
                                    int16_t, uint8_t, uint8_t, uint8_t, uint32_t, uint32_t);
    static Fn real;
    atFirstImage("xcb_shm_put_image");
    if (real == nullptr) {
        // Qt's platform plugin loads the library privately: look it up there.
        void* library = dlopen("libxcb-shm.so.0", RTLD_NOW | RTLD_NOLOAD);
        real = reinterpret_cast<Fn>(dlsym(library, "xcb_shm_put_image"));
    }
    const xcb_void_cookie_t cookie =
        real(c, drawable, gc, total_width, total_height, src_x, src_y, src_width, src_height, dst_x,
             dst_y, depth, format, send_event, shmseg, offset);
    afterFirstImage(c, drawable);
    return cookie;
}

xcb_void_cookie_t xcb_put_image(xcb_connection_t* c, uint8_t format, xcb_drawable_t drawable,
                                xcb_gcontext_t gc, uint16_t width, uint16_t height, int16_t dst_x,
                                int16_t dst_y, uint8_t left_pad, uint8_t depth, uint32_t data_len,
                                const uint8_t* data) {
    typedef xcb_void_cookie_t (*Fn)(xcb_connection_t*, uint8_t, xcb_drawable_t, xcb_gcontext_t,
                                    uint16_t, uint16_t, int16_t, int16_t, uint8_t, uint8_t,
                                    uint32_t, const uint8_t*);
    static Fn real;
    atFirstImage("xcb_put_image");
    if (real == nullptr)
        real = reinterpret_cast<Fn>(dlsym(RTLD_NEXT, "xcb_put_image"));
    const xcb_void_cookie_t cookie =
        real(c, format, drawable, gc, width, height, dst_x, dst_y, left_pad, depth, data_len, data);
    afterFirstImage(c, drawable);
    return cookie;
}

} // extern "C"
