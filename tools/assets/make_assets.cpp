// make_assets: draws the program's pictures and writes them, in their final
// formats, into the given folder (normally the source tree's assets/):
//   about.jpg, about@2x.jpg, sumbrook.ico, window.ico, hand.cur, hicolor/<N>x<N>/apps/sumbrook.png
// Run through the `regenerate_assets` build target.

#include "tools/assets/artwork.h"
#include "tools/assets/encoders.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QImageWriter>
#include <QSaveFile>

#include <array>
#include <cstdio>

using namespace sumbrook::tools;

namespace {

constexpr int kJpegQuality = 96;

// The order the icon images are stored in: palette images first for old
// systems, then the full-colour ones from large to small.
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
// The window's own icon: only the sizes a window manager shows, full colour, so that
// start-up decodes and hands over little.
constexpr std::array<int, 5> kWindowIconSizes = {64, 48, 32, 24, 16};
constexpr std::array<int, 7> kThemeSizes = {16, 24, 32, 48, 64, 128, 256};

void complain(const QString& message) {
    std::fprintf(stderr, "make_assets: %s\n", qPrintable(message));
}

// Written through QSaveFile, so an interrupted run never leaves half a file
// in the source tree.
bool save(const QDir& root, const QString& name, const QByteArray& bytes) {
    const QString path = root.filePath(name);
    if (!QDir().mkpath(QFileInfo(path).absolutePath())) {
        complain(QStringLiteral("cannot create the folder for %1").arg(path));
        return false;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        complain(QStringLiteral("cannot write %1: %2").arg(path, file.errorString()));
        return false;
    }
    std::printf("%8lld  %s\n", static_cast<long long>(bytes.size()), qPrintable(name));
    return true;
}

bool encodePng(QImage image, QByteArray& out) {
    // Fixed resolution so the pHYs chunk does not depend on the machine.
    image.setDotsPerMeterX(3780);
    image.setDotsPerMeterY(3780);
    QBuffer buffer(&out);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    if (!writer.write(image.convertToFormat(QImage::Format_ARGB32))) {
        complain(QStringLiteral("PNG: %1").arg(writer.errorString()));
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT-FOLDER\n", argv[0]);
        return 2;
    }
    const QDir root(QString::fromLocal8Bit(argv[1]));
    bool ok = true;
    QString error;

    for (const int scale : {1, 2}) {
        const QString name =
            scale == 1 ? QStringLiteral("about.jpg") : QStringLiteral("about@%1x.jpg").arg(scale);
        QByteArray jpeg;
        if (encodeJpeg(drawAboutPicture(scale), kJpegQuality, jpeg, error)) {
            ok = save(root, name, jpeg) && ok;
        } else {
            complain(QStringLiteral("%1: %2").arg(name, error));
            ok = false;
        }
    }

    std::vector<IconImage> icons;
    icons.reserve(kIconSlots.size());
    for (const IconSlot& slot : kIconSlots) {
        icons.push_back({drawCalculatorIcon(slot.size), slot.bitsPerPixel});
    }
    QByteArray ico;
    if (encodeIco(icons, ico, error)) {
        ok = save(root, QStringLiteral("sumbrook.ico"), ico) && ok;
    } else {
        complain(QStringLiteral("sumbrook.ico: %1").arg(error));
        ok = false;
    }

    std::vector<IconImage> windowIcons;
    windowIcons.reserve(kWindowIconSizes.size());
    for (const int size : kWindowIconSizes) {
        windowIcons.push_back({drawCalculatorIcon(size), 32});
    }
    QByteArray windowIco;
    if (encodeIco(windowIcons, windowIco, error)) {
        ok = save(root, QStringLiteral("window.ico"), windowIco) && ok;
    } else {
        complain(QStringLiteral("window.ico: %1").arg(error));
        ok = false;
    }

    QByteArray cursor;
    if (encodeMonochromeCursor(drawHandCursor(), kHandHotSpot, cursor, error)) {
        ok = save(root, QStringLiteral("hand.cur"), cursor) && ok;
    } else {
        complain(QStringLiteral("hand.cur: %1").arg(error));
        ok = false;
    }

    for (const int size : kThemeSizes) {
        QByteArray png;
        const QString name = QStringLiteral("hicolor/%1x%1/apps/sumbrook.png").arg(size);
        ok = encodePng(drawCalculatorIcon(size), png) && save(root, name, png) && ok;
    }
    return ok ? 0 : 1;
}
