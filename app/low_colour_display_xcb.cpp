#include "app/low_colour_display.h"

#include <QEvent>
#include <QGuiApplication>
#include <QPlatformSurfaceEvent>
#include <QWindow>

#include <xcb/xcb.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace sumbrook {
namespace {

constexpr char kVisualOption[] = "-visual";
constexpr int kRampSize = 256;

// The visual asked for, remembered between arguments() and the constructor.
xcb_visualid_t g_greyVisual = 0;

bool usesX11() {
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    const bool xcb =
        platform == nullptr || *platform == '\0' || std::strncmp(platform, "xcb", 3) == 0;
    return xcb && std::getenv("DISPLAY") != nullptr;
}

// The probe's own connection. It stays open until Qt's exists: closing it and letting Qt
// connect straight after makes Qt's connection fail now and then (about one start in
// ten on Xvfb), and the program then ends before it shows.
xcb_connection_t* g_probeConnection = nullptr;

void closeProbeConnection() {
    if (g_probeConnection != nullptr)
        xcb_disconnect(g_probeConnection);
    g_probeConnection = nullptr;
}

// An 8-bit grey-scale visual of the first screen, when its default visual is 8 bits deep,
// whatever its class; 0 otherwise. A grey default is asked for by name too: left to
// itself Qt paints nothing into it and crashes, and its default colour map is no ramp.
xcb_visualid_t greyVisualNeeded() {
    int screenNumber = 0;
    xcb_connection_t* connection = xcb_connect(nullptr, &screenNumber);
    g_probeConnection = connection;
    if (xcb_connection_has_error(connection))
        return 0;
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection));
    for (int i = 0; i < screenNumber && screens.rem; ++i)
        xcb_screen_next(&screens);
    if (!screens.rem || screens.data->root_depth > 8)
        return 0;
    xcb_visualid_t grey = 0;
    for (auto depths = xcb_screen_allowed_depths_iterator(screens.data); depths.rem;
         xcb_depth_next(&depths)) {
        if (depths.data->depth != 8)
            continue;
        for (auto visuals = xcb_depth_visuals_iterator(depths.data); visuals.rem;
             xcb_visualtype_next(&visuals)) {
            if (visuals.data->_class != XCB_VISUAL_CLASS_GRAY_SCALE)
                continue;
            // The default itself when it is grey-scale, else the first one.
            if (grey == 0 || visuals.data->visual_id == screens.data->root_visual)
                grey = visuals.data->visual_id;
        }
    }
    return grey;
}

xcb_connection_t* qtConnection() {
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->connection() : nullptr;
}

} // namespace

std::vector<std::string> LowColourDisplay::arguments(int argc, char** argv) {
    std::vector<std::string> args(argv, argv + argc);
    if (!usesX11())
        return args;
    g_greyVisual = greyVisualNeeded();
    if (g_greyVisual != 0) {
        char id[16];
        std::snprintf(id, sizeof id, "0x%x", static_cast<unsigned>(g_greyVisual));
        args.insert(args.begin() + (argc > 0 ? 1 : 0), {kVisualOption, id});
    }
    return args;
}

LowColourDisplay::LowColourDisplay() {
    xcb_connection_t* connection = qtConnection();
    closeProbeConnection();
    if (g_greyVisual == 0 || connection == nullptr)
        return;
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    m_colormap = xcb_generate_id(connection);
    xcb_create_colormap(connection, XCB_COLORMAP_ALLOC_ALL, m_colormap, screen->root, g_greyVisual);
    xcb_coloritem_t ramp[kRampSize];
    for (int i = 0; i < kRampSize; ++i) {
        const auto level = static_cast<uint16_t>(i * 257);
        ramp[i] = {static_cast<uint32_t>(i),
                   level,
                   level,
                   level,
                   XCB_COLOR_FLAG_RED | XCB_COLOR_FLAG_GREEN | XCB_COLOR_FLAG_BLUE,
                   0};
    }
    xcb_store_colors(connection, m_colormap, kRampSize, ramp);
    // Without a window manager nobody else installs a window's colour map.
    xcb_install_colormap(connection, m_colormap);
    xcb_flush(connection);
    qGuiApp->installEventFilter(this);
}

LowColourDisplay::~LowColourDisplay() {
    if (xcb_connection_t* connection = qtConnection(); connection && m_colormap)
        xcb_free_colormap(connection, m_colormap);
}

bool LowColourDisplay::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::PlatformSurface &&
        static_cast<QPlatformSurfaceEvent*>(event)->surfaceEventType() ==
            QPlatformSurfaceEvent::SurfaceCreated) {
        if (auto* window = qobject_cast<QWindow*>(watched)) {
            xcb_connection_t* connection = qtConnection();
            const uint32_t colormap = m_colormap;
            xcb_change_window_attributes(connection, static_cast<xcb_window_t>(window->winId()),
                                         XCB_CW_COLORMAP, &colormap);
        }
    }
    return false;
}

} // namespace sumbrook
