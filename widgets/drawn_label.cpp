#include "widgets/drawn_label.h"

#include "widgets/cursor_table.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QEnterEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>

namespace sumbrook {

// Tells a screen reader what the label shows: its text, as the label's role says.
class DrawnLabelAccessible final : public QAccessibleWidget {
public:
    explicit DrawnLabelAccessible(TDrawnLabel* label)
        : QAccessibleWidget(label, QAccessible::StaticText) {}

    // Asked each time: the interface may have been made while a link label was still
    // being constructed, when the label's role was still the base class's.
    QAccessible::Role role() const override { return label()->accessibleRole(); }

    QString text(QAccessible::Text kind) const override {
        if (kind == QAccessible::Name && widget()->accessibleName().isEmpty()) {
            return label()->displayText();
        }
        return QAccessibleWidget::text(kind);
    }

    QStringList actionNames() const override {
        if (role() == QAccessible::Link && widget()->isEnabled()) {
            return {pressAction()};
        }
        return QAccessibleWidget::actionNames();
    }

    void doAction(const QString& action) override {
        if (action == pressAction() && role() == QAccessible::Link && widget()->isEnabled()) {
            label()->click();
            return;
        }
        QAccessibleWidget::doAction(action);
    }

private:
    TDrawnLabel* label() const { return static_cast<TDrawnLabel*>(widget()); }
};

namespace {

QAccessibleInterface* drawnLabelAccessible(const QString& /*className*/, QObject* object) {
    if (auto* label = qobject_cast<TDrawnLabel*>(object)) {
        return new DrawnLabelAccessible(label);
    }
    return nullptr;
}

QString withNewlines(const QString& text) {
    // The program's texts break lines with a lone '\r'; "\r\n" and '\n' count once too.
    QString result = text;
    result.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    result.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return result;
}

QString withoutAccelMarkers(const QString& text) {
    QString result;
    result.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i) == QLatin1Char('&')) {
            ++i; // "&&" keeps one '&'; "&x" keeps the x
            if (i == text.size()) {
                break;
            }
        }
        result.append(text.at(i));
    }
    return result;
}

constexpr int kUnbounded = 1 << 20;

} // namespace

TDrawnLabel::TDrawnLabel(QWidget* parent) : QWidget(parent) {
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(drawnLabelAccessible);
        return true;
    }();
    Q_UNUSED(factoryInstalled);
}

TDrawnLabel::~TDrawnLabel() = default;

void TDrawnLabel::setCaption(const QString& caption) {
    if (caption == m_caption) {
        return;
    }
    m_caption = caption;
    captionChanged();
}

QString TDrawnLabel::displayText() const {
    return withoutAccelMarkers(withNewlines(m_caption));
}

QColor TDrawnLabel::fontColor() const {
    return palette().color(QPalette::Active, QPalette::WindowText);
}

void TDrawnLabel::setFontColor(const QColor& color) {
    QPalette changed = palette();
    changed.setColor(QPalette::WindowText, color);
    setPalette(changed); // the palette change repaints in the new colour
}

void TDrawnLabel::setAlignment(Qt::Alignment horizontal) {
    const Qt::Alignment value = horizontal & Qt::AlignHorizontal_Mask;
    if (value == m_alignment) {
        return;
    }
    m_alignment = value;
    update();
}

void TDrawnLabel::setAutoSize(bool on) {
    if (on == m_autoSize) {
        return;
    }
    m_autoSize = on;
    adjustBounds();
}

void TDrawnLabel::setTransparent(bool on) {
    if (on == m_transparent) {
        return;
    }
    m_transparent = on;
    update();
}

QColor TDrawnLabel::color() const {
    const QWidget* parent = parentWidget();
    return parent != nullptr ? parent->palette().color(parent->backgroundRole())
                             : palette().color(QPalette::Button);
}

void TDrawnLabel::setCursorNumber(int number) {
    m_cursorNumber = number;
    if (CursorTable::contains(number)) {
        setCursor(CursorTable::get(number));
    } else {
        unsetCursor();
    }
}

QSize TDrawnLabel::sizeHint() const {
    return measuredTextSize();
}

void TDrawnLabel::click() {
    Q_EMIT clicked();
}

int TDrawnLabel::textFlags() const {
    return static_cast<int>(QStyle::visualAlignment(layoutDirection(), m_alignment)) |
           Qt::AlignTop | Qt::TextExpandTabs | Qt::TextShowMnemonic;
}

QSize TDrawnLabel::measuredTextSize() const {
    // An empty caption still measures one line, so an automatically sized label keeps
    // the height of its font.
    const QString text = m_caption.isEmpty() ? QStringLiteral(" ") : withNewlines(m_caption);
    const int flags = (textFlags() & ~Qt::AlignHorizontal_Mask) | Qt::AlignLeft;
    return fontMetrics().boundingRect(QRect(0, 0, kUnbounded, kUnbounded), flags, text).size();
}

void TDrawnLabel::adjustBounds() {
    if (!m_autoSize) {
        return;
    }
    const QSize wanted = measuredTextSize();
    QRect bounds = geometry();
    const bool rightAligned =
        (QStyle::visualAlignment(layoutDirection(), m_alignment) & Qt::AlignRight) != 0;
    if (rightAligned) {
        bounds.setLeft(bounds.left() + bounds.width() - wanted.width());
    }
    bounds.setSize(wanted);
    setGeometry(bounds);
}

void TDrawnLabel::captionChanged() {
    adjustBounds();
    update();
    QAccessibleEvent event(this, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&event);
}

void TDrawnLabel::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    if (!m_transparent) {
        painter.fillRect(rect(), color());
    }
    const QRect target = rect();
    const int flags = textFlags();
    const QString text = withNewlines(m_caption);
    if (isEnabled()) {
        painter.setPen(fontColor());
        painter.drawText(target, flags, text);
        return;
    }
    // Engraved: the highlight one pixel down and right, the shadow over it in place.
    painter.setPen(palette().color(QPalette::Active, QPalette::Light));
    painter.drawText(target.translated(1, 1), flags, text);
    painter.setPen(palette().color(QPalette::Active, QPalette::Dark));
    painter.drawText(target, flags, text);
}

void TDrawnLabel::enterEvent(QEnterEvent* event) {
    QWidget::enterEvent(event);
    Q_EMIT mouseEntered();
}

void TDrawnLabel::leaveEvent(QEvent* event) {
    QWidget::leaveEvent(event);
    Q_EMIT mouseLeft();
}

void TDrawnLabel::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        m_pressed = true;
        event->accept();
        return;
    }
    QWidget::mousePressEvent(event);
}

void TDrawnLabel::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && m_pressed) {
        m_pressed = false;
        event->accept();
        if (rect().contains(event->position().toPoint())) {
            click();
        }
        return;
    }
    QWidget::mouseReleaseEvent(event);
}

void TDrawnLabel::changeEvent(QEvent* event) {
    switch (event->type()) {
    case QEvent::FontChange:
        adjustBounds();
        update();
        break;
    case QEvent::PaletteChange:
    case QEvent::EnabledChange:
    case QEvent::LayoutDirectionChange:
    case QEvent::ParentChange:
        update();
        break;
    default:
        break;
    }
    QWidget::changeEvent(event);
}

} // namespace sumbrook
