#include "main_window/controls.h"

#include "main_window/form1_texts.h"

#include "about/about_texts.h"

#include <QCheckBox>
#include <QFocusEvent>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QFrame>
#include <QGroupBox>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>

namespace sumbrook::controls {
namespace T = form1_texts;

namespace {

// The gap between a settings box and its caption.
constexpr int kCaptionGap = 2;

template <class Widget> Widget* place(QWidget* parent, const char* name, const QRect& bounds) {
    auto* widget = new Widget(parent);
    widget->setObjectName(QLatin1String(name));
    widget->setGeometry(bounds);
    return widget;
}

void setTextColor(QWidget* widget, const QColor& color) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, color);
    palette.setColor(QPalette::Text, color);
    widget->setPalette(palette);
}

class AnswerEdit final : public QLineEdit {
public:
    using QLineEdit::QLineEdit;

protected:
    void focusInEvent(QFocusEvent*) override {
        QFocusEvent plain(QEvent::FocusIn, Qt::OtherFocusReason); // not a Tab: select nothing
        QLineEdit::focusInEvent(&plain);
    }
    void focusOutEvent(QFocusEvent*) override {
        QFocusEvent keep(QEvent::FocusOut, Qt::PopupFocusReason); // keeps the selection drawn
        QLineEdit::focusOutEvent(&keep);
    }
};

} // namespace

QString u8(const char* text) {
    return QString::fromUtf8(text);
}

QString forDisplay(const std::string& text) {
    return QString::fromStdString(text).replace(QLatin1Char('\r'), QLatin1Char('\n'));
}

std::string fromDisplay(const QString& text) {
    return QString(text).replace(QLatin1Char('\n'), QLatin1Char('\r')).toStdString();
}

QString installedFace(const char* face) {
    // styles() answers from the font list alone, where hasFamily() would also resolve
    // aliases; each face is asked once.
    // Where the CJK face is not installed either (wine's font list names it otherwise), the
    // face stays as named and the substitutes reach whatever is there.
    static QHash<QString, QString> named;
    static const bool cjkInstalled = !QFontDatabase::styles(u8(T::kCjkFace)).isEmpty();
    const QString wanted = u8(face);
    auto found = named.constFind(wanted);
    if (found == named.constEnd())
        found = named.insert(wanted, cjkInstalled && QFontDatabase::styles(wanted).isEmpty()
                                         ? u8(T::kCjkFace)
                                         : wanted);
    return *found;
}

QFont yaHei(int pixelSize) {
    QFont font(installedFace(T::kYaHei));
    font.setPixelSize(pixelSize);
    return font;
}

void installFontSubstitutes() {
    const QStringList cjk = {u8(T::kCjkFace)};
    for (const char* face : {T::kYaHei, T::kDefaultFace, about_texts::kTahoma})
        if (QFont::substitutes(u8(face)).isEmpty())
            QFont::insertSubstitutions(u8(face), cjk);
}

QGroupBox* groupBox(QWidget* parent, const char* name, const QRect& bounds, const char* title) {
    auto* box = place<QGroupBox>(parent, name, bounds);
    box->setTitle(u8(title));
    return box;
}

QLabel* label(QWidget* parent, const char* name, const QRect& bounds, const QFont& font,
              Qt::Alignment horizontal, const QColor& color, const char* text) {
    auto* label = place<QLabel>(parent, name, bounds);
    label->setFont(font);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(horizontal | Qt::AlignTop);
    if (color.isValid())
        setTextColor(label, color);
    label->setText(u8(text));
    return label;
}

QLabel* columnRow(QWidget* parent, const char* name, const QRect& bounds, const char* text) {
    return label(parent, name, bounds, yaHei(48), Qt::AlignRight, QColor(), text);
}

QFrame* rule(QWidget* parent, const char* name, const QRect& bounds) {
    auto* frame = place<QFrame>(parent, name, bounds);
    frame->setFrameStyle(QFrame::Panel | QFrame::Raised);
    return frame;
}

QLineEdit* answerBox(QWidget* parent, const char* name, const QRect& bounds, const QFont& font) {
    QLineEdit* edit = place<AnswerEdit>(parent, name, bounds);
    edit->setFont(font);
    edit->setFrame(false);
    edit->setAlignment(Qt::AlignLeft); // the creation handler right-aligns edt1
    edit->setAttribute(Qt::WA_InputMethodEnabled, false);
    edit->setAcceptDrops(false); // only typed digits enter a number box
    return edit;
}

QLineEdit* settingBox(QWidget* parent, const char* name, const QRect& bounds, const char* caption,
                      const char* text, QLabel** captionLabel) {
    auto* edit = place<QLineEdit>(parent, name, bounds);
    edit->setText(u8(text));
    edit->setAcceptDrops(false); // only typed digits enter a number box
    edit->setAccessibleName(u8(caption).trimmed());
    auto* label = new QLabel(u8(caption), parent);
    label->setObjectName(QLatin1String(name) + QStringLiteral("Label"));
    const QSize size = label->sizeHint();
    label->setGeometry(bounds.left() - kCaptionGap - size.width(),
                       bounds.top() + (bounds.height() - size.height()) / 2, size.width(),
                       size.height());
    label->setBuddy(edit);
    *captionLabel = label;
    return edit;
}

QCheckBox* operationSwitch(QWidget* parent, const char* name, const QRect& bounds, const char* text,
                           Switch state) {
    auto* box = place<QCheckBox>(parent, name, bounds);
    box->setText(u8(text));
    box->setChecked(state == Switch::On);
    box->setEnabled(state != Switch::Disabled);
    return box;
}

QRadioButton* choice(QWidget* parent, const char* name, const QRect& bounds, const char* text,
                     bool selected) {
    auto* item = place<QRadioButton>(parent, name, bounds);
    item->setText(u8(text));
    item->setChecked(selected);
    return item;
}

QPlainTextEdit* logBox(QWidget* parent, const char* name, const QRect& bounds, const char* text) {
    auto* log = place<QPlainTextEdit>(parent, name, bounds);
    log->setPlainText(u8(text));
    log->hide();
    log->raise();
    return log;
}

QPushButton* pushButton(QWidget* parent, const char* name, const QRect& bounds, const QFont& font,
                        const char* text) {
    auto* button = place<QPushButton>(parent, name, bounds);
    button->setFont(font);
    button->setText(u8(text));
    return button;
}

void describe(QWidget* control, const char* name, const char* description) {
    if (name != nullptr)
        control->setAccessibleName(u8(name));
    control->setAccessibleDescription(u8(description));
}

namespace {

bool textFits(const QFont& font, const QRect& box, int flags, const QString& text) {
    const QRect needed = QFontMetrics(font).boundingRect(box, flags, text);
    return needed.width() <= box.width() && needed.height() <= box.height();
}

} // namespace

int fittingPixelSize(QFont font, const QRect& box, int flags, const QString& text) {
    const int largest = font.pixelSize();
    if (largest < 2 || textFits(font, box, flags, text))
        return largest;
    // Text grows about in proportion to the font: the measurement at the largest size
    // predicts the answer, and a step or two either way confirms it. Each size measured
    // loads a font, so this costs a third of trying every size from the top.
    const QRect needed = QFontMetrics(font).boundingRect(box, flags, text);
    double scale = 1.0;
    if (needed.width() > 0)
        scale = std::min(scale, double(box.width()) / needed.width());
    if (needed.height() > 0)
        scale = std::min(scale, double(box.height()) / needed.height());
    int pixels = std::clamp(int(largest * scale), 2, largest - 1);
    const auto fitsAt = [&](int size) {
        font.setPixelSize(size);
        return textFits(font, box, flags, text);
    };
    if (fitsAt(pixels)) {
        while (pixels + 1 < largest && fitsAt(pixels + 1))
            ++pixels;
    } else {
        while (pixels > 2) {
            --pixels;
            if (fitsAt(pixels))
                break;
        }
    }
    return pixels;
}

void fitTextToLabel(QLabel* label) {
    QFont font = label->font();
    font.setPixelSize(
        fittingPixelSize(font, label->contentsRect(), int(label->alignment()), label->text()));
    label->setFont(font);
}

} // namespace sumbrook::controls
