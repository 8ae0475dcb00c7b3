#include "main_window/error_report.h"

#include "engine/exceptions.h"

#include <QApplication>
#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QWindow>

#include <exception>

namespace sumbrook::ui {
namespace {

class MessageBoxReporter final : public Reporter {
public:
    void showError(const QString& message) override { makeErrorBox(message)->exec(); }
    void showMessage(const QString& text) override { makeConfirmationBox(text)->exec(); }
};

MessageBoxReporter g_messageBoxes;

// The program's message boxes: above every window of the program, the always-on-top About
// window included (a modal box hidden behind it would block the program unseen), and
// centred on the screen at the size they have once shown.
class ProgramMessageBox final : public QMessageBox {
public:
    ProgramMessageBox(Icon icon, const QString& text)
        : QMessageBox(icon, applicationTitle(), text, QMessageBox::Ok) {
        setWindowFlag(Qt::WindowStaysOnTopHint);
    }

protected:
    bool event(QEvent* event) override {
        const bool handled = QMessageBox::event(event);
        // The box has its final size once its show event is handled; a window manager
        // adds its frame later, and tells its size with a move, a resize or the
        // activation. Each time the size or the frame is new, the box is centred again.
        switch (event->type()) {
        case QEvent::Show:
            // Qt's windows platform puts the box back where the dialog placed it before
            // its show event, after the resize that centred it: centre it afresh.
            m_centredSize = QSize();
            centreIfChanged();
            break;
        case QEvent::Move:
        case QEvent::Resize:
        case QEvent::WindowActivate:
            centreIfChanged();
            break;
        default:
            break;
        }
        return handled;
    }

private:
    void centreIfChanged() {
        QWindow* window = windowHandle();
        const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
        if (!isVisible() || window == nullptr || screen == nullptr)
            return;
        const QMargins frameMargins = window->frameMargins();
        if (size() == m_centredSize && frameMargins == m_centredMargins)
            return;
        m_centredSize = size();
        m_centredMargins = frameMargins;
        QRect frame(QPoint(), size().grownBy(frameMargins));
        frame.moveCenter(screen->availableGeometry().center());
        window->setFramePosition(frame.topLeft()); // the frame's corner, not the client's
    }

    QSize m_centredSize;
    QMargins m_centredMargins;
};
Reporter* g_reporter = &g_messageBoxes;

} // namespace

std::unique_ptr<QMessageBox> makeErrorBox(const QString& message) {
    return std::make_unique<ProgramMessageBox>(QMessageBox::Critical, message);
}

std::unique_ptr<QMessageBox> makeConfirmationBox(const QString& text) {
    auto box = std::make_unique<ProgramMessageBox>(QMessageBox::NoIcon, text);
    auto* ok = qobject_cast<QPushButton*>(box->button(QMessageBox::Ok));
    ok->setText(QStringLiteral("OK"));
    ok->setIcon(QIcon());
    box->setDefaultButton(ok);
    box->setEscapeButton(ok);
    box->setFont(QApplication::font("QMessageBox"));
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (auto* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label")); label && screen) {
        label->setWordWrap(true);
        label->setMaximumWidth(screen->availableGeometry().width() / 2);
    }
    return box;
}

Reporter& reporter() {
    return *g_reporter;
}

Reporter* setReporter(Reporter* replacement) {
    Reporter* previous = g_reporter;
    g_reporter = replacement ? replacement : &g_messageBoxes;
    return previous;
}

QString applicationTitle() {
    return QCoreApplication::applicationName();
}

QString withFullStop(const QString& message) {
    if (message.isEmpty())
        return message;
    const char16_t last = message.back().unicode();
    return (last > u'.') ? message + QLatin1Char('.') : message;
}

void reportCurrentException() {
    try {
        throw;
    } catch (const EAbort&) {
        // The silent kind: nothing to show.
    } catch (const Exception& e) {
        reporter().showError(withFullStop(QString::fromStdString(e.message())));
    } catch (const std::exception& e) {
        reporter().showError(withFullStop(QString::fromUtf8(e.what())));
    }
}

} // namespace sumbrook::ui
