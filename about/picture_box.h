#pragma once
// A picture box that scales its picture proportionally to fit, anchored at the top-left
// corner; the rest of the box shows the parent's surface.

#include <QImage>
#include <QRect>
#include <QSize>
#include <QWidget>

class QPaintEvent;

namespace sumbrook {

// The drawn size of a w x h picture in a W x H box: the longer side of the picture fills
// its side of the box unless the other side would then overflow; sizes are truncated.
QSize fitPicture(int w, int h, int W, int H);

class TPictureBox final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TPictureBox)

public:
    explicit TPictureBox(QWidget* parent = nullptr);

    QImage picture() const { return m_picture; }
    void setPicture(const QImage& picture);
    // Where the picture lands inside the box.
    QRect pictureRect() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage m_picture;
};

} // namespace sumbrook
