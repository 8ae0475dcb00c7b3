#include "widgets/cursor_table.h"

#include "assets/assets.h"

#include <QCoreApplication>
#include <QFile>
#include <QImage>
#include <QOperatingSystemVersion>
#include <QPixmap>
#include <QtEndian>
#include <map>

namespace sumbrook {

namespace {

std::map<int, QCursor>& table() {
    static std::map<int, QCursor> cursors;
    return cursors;
}

// Bitmap cursors must not outlive the GUI: drop them when the application goes away.
void clearTable() {
    table().clear();
}

// The version numbers the systems report. The 9x family is 4.x throughout: Windows 95 is
// 4.0, 98 is 4.10 and Me 4.90. On the NT line, 4.0 is the last without the hand (2000 is 5.0).
constexpr int kWindows95Major = 4;
constexpr int kWindows95Minor = 0;
constexpr int kWindowsNt4Major = 4;

} // namespace

void CursorTable::set(int number, const QCursor& cursor) {
    static const bool cleanupRegistered = [] {
        qAddPostRoutine(clearTable);
        return true;
    }();
    Q_UNUSED(cleanupRegistered);
    table()[number] = cursor;
}

bool CursorTable::contains(int number) {
    return table().count(number) != 0;
}

QCursor CursorTable::get(int number) {
    const auto found = table().find(number);
    return found == table().end() ? QCursor(Qt::ArrowCursor) : found->second;
}

bool needsOwnHandCursor(OsPlatform platform, int majorVersion, int minorVersion) {
    switch (platform) {
    case OsPlatform::Windows9x:
        return majorVersion <= kWindows95Major && minorVersion == kWindows95Minor;
    case OsPlatform::WindowsNT:
        return majorVersion <= kWindowsNt4Major;
    case OsPlatform::Other:
        return false;
    }
    return false;
}

QCursor handCursor(bool ownHand) {
    if (ownHand) {
        assets::ensureResources();
        QFile file(QString::fromUtf8(assets::kHandCursor));
        const QByteArray data = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        const QImage image = QImage::fromData(data, "CUR");
        // A cursor file keeps the hot spot in its first directory entry (bytes 10 to 13).
        if (!image.isNull() && data.size() >= 14) {
            const auto* bytes = reinterpret_cast<const uchar*>(data.constData());
            return QCursor(QPixmap::fromImage(image), qFromLittleEndian<quint16>(bytes + 10),
                           qFromLittleEndian<quint16>(bytes + 12));
        }
    }
    return QCursor(Qt::PointingHandCursor);
}

void registerHandCursor() {
    const QOperatingSystemVersion os = QOperatingSystemVersion::current();
    // Qt runs on no system of the 9x family; every Windows it knows is an NT.
    const OsPlatform platform =
        os.type() == QOperatingSystemVersion::Windows ? OsPlatform::WindowsNT : OsPlatform::Other;
    CursorTable::set(kHandCursorNumber, handCursor(needsOwnHandCursor(platform, os.majorVersion(),
                                                                      os.minorVersion())));
}

} // namespace sumbrook
