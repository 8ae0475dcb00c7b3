#pragma once
// A label that draws its own text: alignment, line breaks, accelerator underline,
// vertical layout, the engraved disabled look, automatic sizing and a hover colour.

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

public:
    // Only the flat style is drawn; the program uses no other.
    enum class TextStyle { Normal };
    enum class TextLayout { Top, Center, Bottom };

    explicit TDrawnLabel(QWidget* parent = nullptr);
    ~TDrawnLabel() override;

    QString caption() const { return m_caption; }
    virtual void setCaption(const QString& caption);
    // The caption as shown: line breaks as '\n', accelerator markers resolved.
    QString displayText() const;

    // The text colour; the text is painted in it (and so follows every change to it).
    QColor fontColor() const;
    virtual void setFontColor(const QColor& color);

    Qt::Alignment alignment() const { return m_alignment; }
    virtual void setAlignment(Qt::Alignment horizontal);
    bool autoSize() const { return m_autoSize; }
    virtual void setAutoSize(bool on);
    bool isTransparent() const { return m_transparent; }
    virtual void setTransparent(bool on);
    bool wordWrap() const { return m_wordWrap; }
    virtual void setWordWrap(bool on);
    bool showAccelChar() const { return m_showAccelChar; }
    virtual void setShowAccelChar(bool on);
    TextLayout layout() const { return m_layout; }
    virtual void setLayout(TextLayout layout);
    TextStyle textStyle() const { return m_textStyle; }
    virtual void setTextStyle(TextStyle style);
    bool flyByEnabled() const { return m_flyByEnabled; }
    virtual void setFlyByEnabled(bool on);
    QColor flyByColor() const { return m_flyByColor; }
    virtual void setFlyByColor(const QColor& color);
    int textMargin() const { return m_textMargin; }
    virtual void setTextMargin(int pixels);
    int borderWidth() const { return m_borderWidth; }
    virtual void setBorderWidth(int pixels);

    // The background when not transparent: the parent's colour until one is set.
    QColor color() const;
    virtual void setColor(const QColor& color);
    bool parentColor() const { return m_parentColor; }
    virtual void setParentColor(bool on);

    // The cursor shown over the label, by its number in the cursor table.
    int cursorNumber() const { return m_cursorNumber; }
    virtual void setCursorNumber(int number);

    QSize sizeHint() const override;

Q_SIGNALS:
    void clicked();
    void mouseEntered();
    void mouseLeft();

protected:
    // A left click released over the label; raises clicked().
    virtual void click();

    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    friend class DrawnLabelAccessible;

    int textFlags() const;
    QString layoutText() const;
    QRect textRect() const;
    QSize measuredTextSize(int width) const;
    void adjustBounds();
    void captionChanged();

    QString m_caption;
    Qt::Alignment m_alignment = Qt::AlignLeft;
    bool m_autoSize = true;
    bool m_transparent = false;
    bool m_wordWrap = false;
    bool m_showAccelChar = true;
    TextLayout m_layout = TextLayout::Top;
    TextStyle m_textStyle = TextStyle::Normal;
    bool m_flyByEnabled = false;
    QColor m_flyByColor;
    QColor m_savedColor;
    int m_textMargin = 0;
    int m_borderWidth = 0;
    QColor m_color;
    bool m_parentColor = true;
    int m_cursorNumber = 0;
    bool m_pressed = false;
};

} // namespace sumbrook
