#pragma once
// A label that draws its own text: alignment, line breaks, the accelerator underline, the
// engraved disabled look and automatic sizing. The About window's help text is one; the
// link label (url_label.h) builds on it.

#include <QAccessible>
#include <QColor>
#include <QString>
#include <QWidget>

class QEnterEvent;
class QMouseEvent;
class QPaintEvent;

namespace sumbrook {

class DrawnLabelAccessible;

class TDrawnLabel : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TDrawnLabel)

public:
    explicit TDrawnLabel(QWidget* parent = nullptr);
    ~TDrawnLabel() override;

    // Line breaks are '\r', "\r\n" or '\n'; "&x" underlines x and "&&" shows one '&'.
    QString caption() const { return m_caption; }
    void setCaption(const QString& caption);
    // The caption as shown: line breaks as '\n', accelerator markers resolved.
    QString displayText() const;

    // The text colour; the text is painted in it (and so follows every change to it).
    QColor fontColor() const;
    void setFontColor(const QColor& color);

    // Horizontal alignment of every line; the text starts at the top.
    Qt::Alignment alignment() const { return m_alignment; }
    void setAlignment(Qt::Alignment horizontal);
    // On: the label takes the size of its text, keeping the edge its alignment names.
    bool autoSize() const { return m_autoSize; }
    void setAutoSize(bool on);
    // On: nothing is painted behind the text.
    bool isTransparent() const { return m_transparent; }
    void setTransparent(bool on);

    // The background when not transparent: the parent's colour.
    QColor color() const;

    // The cursor shown over the label, by its number in the cursor table.
    int cursorNumber() const { return m_cursorNumber; }
    void setCursorNumber(int number);

    QSize sizeHint() const override;

Q_SIGNALS:
    void clicked();
    void mouseEntered();
    void mouseLeft();

protected:
    // A left click released over the label; raises clicked().
    virtual void click();
    // What a screen reader is told the label is; a label that opens something says Link.
    virtual QAccessible::Role accessibleRole() const { return QAccessible::StaticText; }

    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    friend class DrawnLabelAccessible;

    int textFlags() const;
    QSize measuredTextSize() const;
    void adjustBounds();
    void captionChanged();

    QString m_caption;
    Qt::Alignment m_alignment = Qt::AlignLeft;
    bool m_autoSize = true;
    bool m_transparent = false;
    int m_cursorNumber = 0;
    bool m_pressed = false;
};

} // namespace sumbrook
