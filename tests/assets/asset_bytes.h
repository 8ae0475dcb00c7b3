#pragma once
// Reading the committed and embedded pictures, and bounds-checked integers inside them.

#include <QByteArray>
#include <QFile>
#include <QString>

namespace sumbrook::assets_test {

inline QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// An embedded picture, by its resource path.
inline QByteArray resource(const char* path) {
    return readAll(QString::fromLatin1(path));
}

// A file of the source tree's assets/ folder.
inline QString sourceAsset(const QString& name) {
    return QStringLiteral(SUMBROOK_ASSETS_DIR "/") + name;
}

// Bounds-checked little and big endian reads: a truncated file reads as zeros
// and fails the expectations instead of crashing the test.
inline unsigned byteAt(const QByteArray& bytes, qsizetype at) {
    return at >= 0 && at < bytes.size() ? static_cast<unsigned char>(bytes[at]) : 0u;
}
inline unsigned le16(const QByteArray& b, qsizetype at) {
    return byteAt(b, at) | byteAt(b, at + 1) << 8;
}
inline quint32 le32(const QByteArray& b, qsizetype at) {
    return le16(b, at) | le16(b, at + 2) << 16;
}
inline unsigned be16(const QByteArray& b, qsizetype at) {
    return byteAt(b, at) << 8 | byteAt(b, at + 1);
}

} // namespace sumbrook::assets_test
