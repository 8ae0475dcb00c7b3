#include "about/picture_box.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QPainter>
#include <cstdint>

namespace sumbrook {

namespace {

// A screen reader announces the box as a picture, under its accessible name.
QAccessibleInterface* pictureBoxAccessible(const QString& /*className*/, QObject* object) {
    if (auto* box = qobject_cast<TPictureBox*>(object)) {
        return new QAccessibleWidget(box, QAccessible::Graphic);
    }
    return nullptr;
}

int scaled(int value, int numerator, int denominator) {
    return static_cast<int>(static_cast<std::int64_t>(value) * numerator / denominator);
}

} // namespace

QSize fitPicture(int w, int h, int W, int H) {
    if (w <= 0 || h <= 0 || W <= 0 || H <= 0) {
        return {0, 0};
    }
    if (w > h) {
        const int height = scaled(h, W, w);
        return height > H ? QSize(scaled(w, H, h), H) : QSize(W, height);
    }
    const int width = scaled(w, H, h);
    return width > W ? QSize(W, scaled(h, W, w)) : QSize(width, H);
}

TPictureBox::TPictureBox(QWidget* parent) : QWidget(parent) {
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(pictureBoxAccessible);
        return true;
    }();
    Q_UNUSED(factoryInstalled);
}

void TPictureBox::setPicture(const QImage& picture) {
    m_picture = picture;
    update();
}

QRect TPictureBox::pictureRect() const {
    // In the box's own (device-independent) pixels: a 2x picture fits like its 1x one.
    const QSize size = m_picture.deviceIndependentSize().toSize();
    return {QPoint(0, 0), fitPicture(size.width(), size.height(), width(), height())};
}

void TPictureBox::paintEvent(QPaintEvent* /*event*/) {
    if (m_picture.isNull()) {
        return;
    }
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(pictureRect(), m_picture);
}

} // namespace sumbrook
