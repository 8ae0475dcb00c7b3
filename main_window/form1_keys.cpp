// Key preview: the window sees every key before the focused control does, as an
// application event filter. Also the mouse on the value-range box (its clicks count
// towards showing the log) and what reaches the number boxes other than by keys.

#include "main_window/form1.h"

#include "main_window/error_report.h"
#include "main_window/key_codes.h"
#include "main_window/numeric_filter.h"

#include <QAbstractButton>
#include <QApplication>
#include <QGroupBox>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>

using namespace sumbrook;

namespace {

bool isTextEntry(const QWidget* widget) {
    return qobject_cast<const QLineEdit*>(widget) || qobject_cast<const QPlainTextEdit*>(widget);
}

// A key as its press and release name it alike: the keyboard's scan code where the
// platform gives one (the Qt key of the release changes when a modifier is let go in
// between), else the Qt key.
qint64 keyIdentity(const QKeyEvent& event) {
    if (event.nativeScanCode() != 0)
        return (qint64{1} << 32) | event.nativeScanCode();
    return event.key();
}

} // namespace

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type == QEvent::KeyPress || type == QEvent::KeyRelease) {
        auto* target = qobject_cast<QWidget*>(watched);
        QWidget* focus = QApplication::focusWidget();
        // A key of the menu bar's (after Alt alone) is the menu's, not typed into the window:
        // its release, which may reach a box once Esc has left the menu, counts for nothing.
        if (target != nullptr && target == menuBar()) {
            menuBarKeyPreview();
            return false;
        }
        // Only the first delivery, to the focused control, not its propagation upwards.
        if (!target || target->window() != this || target != (focus ? focus : this))
            return false;
        auto* key = static_cast<QKeyEvent*>(event);
        // A release is a key typed into this window only when the window saw its press,
        // in whichever of its controls. A message box, the menu or another window closes
        // on a key's press and leaves its release to whatever has the focus here.
        if (type == QEvent::KeyPress)
            m_keysDown.insert(keyIdentity(*key));
        else if (!key->isAutoRepeat() && m_keysDown.erase(keyIdentity(*key)) == 0)
            return false;
        bool consumed = true; // a handler that fails swallows its key
        ui::guarded([&] {
            consumed = type == QEvent::KeyPress ? keyPressPreview(target, key)
                                                : keyReleasePreview(target, key);
        });
        return consumed;
    }
    if (type == QEvent::MouseButtonPress && QApplication::focusWidget() == menuBar()) {
        auto* target = qobject_cast<QWidget*>(watched);
        if (target != nullptr && target != menuBar() && target->window() == this)
            menuBarClickPreview();
    }
    if (watched == grp6)
        return grp6MousePreview(event);
    if ((watched == edt2Label || watched == lbledt1Label) &&
        (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonRelease ||
         type == QEvent::MouseButtonDblClick)) {
        return true; // the boxes' captions are not part of the value-range box's free area
    }
    if (type == QEvent::InputMethod && isNumberBox(qobject_cast<QWidget*>(watched)))
        return inputMethodPreview(static_cast<QLineEdit*>(watched),
                                  static_cast<QInputMethodEvent*>(event));
    return false;
}

bool TForm1::keyPressPreview(QWidget* target, QKeyEvent* event) {
    const auto mods = event->modifiers();
    const bool alt = mods & Qt::AltModifier;
    const bool ctrl = mods & Qt::ControlModifier;
    // The button's accelerator: Alt+N anywhere, or plain N where nothing takes typing.
    if (event->key() == Qt::Key_N && !ctrl && (alt || !isTextEntry(target))) {
        if (btn1->isEnabled())
            btn1Click(btn1);
        return true;
    }
    if (alt)
        return isNumberBox(target); // system keys: they type nothing into a box
    if (auto* button = qobject_cast<QAbstractButton*>(target)) {
        // Space never acts on a button, check box or radio button: its release skips
        // the problem instead, and the control is not left drawn pressed.
        if (event->key() == Qt::Key_Space)
            return true;
        if (button == btn1 && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
            btn1Click(btn1);
            return true;
        }
        return false;
    }

    char key = kNoKey;
    if (!isNumberBox(target) || !keyCharacter(*event, key))
        return false;
    numberBoxKeyPress(target, key);
    return key == kNoKey || key == kEnter;
}

bool TForm1::isNumberBox(const QWidget* widget) const {
    return widget == edt1 || widget == edt3 || widget == edt2 || widget == lbledt1;
}

void TForm1::numberBoxKeyPress(QWidget* box, char& key) {
    if (box == edt1 || box == edt3)
        edt1KeyPress(static_cast<QLineEdit*>(box), key);
    else if (box == edt2)
        edt2KeyPress(key);
    else if (box == lbledt1)
        lbledt1KeyPress(key);
}

// An input method's text reaches a number box one character at a time through the box's
// key-press handler, so it meets the digit filter as typed keys do.
bool TForm1::inputMethodPreview(QLineEdit* box, QInputMethodEvent* event) {
    const QString& committed = event->commitString();
    if (committed.isEmpty())
        return false; // composing: the box shows the pre-edit text as usual
    QInputMethodEvent composing(event->preeditString(), event->attributes());
    composing.setCommitString(QString(), event->replacementStart(), event->replacementLength());
    QCoreApplication::sendEvent(box, &composing);
    ui::guarded([&] {
        for (const QChar c : committed) {
            char key = c.unicode() < 0x100 ? static_cast<char>(c.unicode()) : kWideCharacter;
            numberBoxKeyPress(box, key);
            if (key != kNoKey && key != kEnter)
                box->insert(QString(c));
        }
        // A commit ends the typing, as a key release does: the setting follows the text.
        if (box == edt2)
            edt2KeyUp();
        else if (box == lbledt1)
            lbledt1KeyUp();
    });
    return true;
}

bool TForm1::keyReleasePreview(QWidget* target, QKeyEvent* event) {
    if (event->isAutoRepeat())
        return false; // a held key is released once, at the end
    const int code = virtualKeyCode(*event);
    int key = code;
    FormKeyUp(key, event->modifiers());
    if (code != 0 && key == 0)
        return true;
    if (target == edt2)
        edt2KeyUp();
    else if (target == lbledt1)
        lbledt1KeyUp();
    return false;
}

// Leaving the menu bar by key gives the focus back to the control that had it; when that
// one can no longer take it, the focus would stay on the menu bar, where typing goes
// nowhere: the log takes it if shown, else edt1.
void TForm1::menuBarKeyPreview() {
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (QApplication::focusWidget() == menuBar() && menuBar()->activeAction() == nullptr &&
                QApplication::activePopupWidget() == nullptr)
                ui::guarded([this] {
                    focusControl(mmo1->isVisible() ? static_cast<QWidget*>(mmo1) : edt1);
                });
        },
        Qt::QueuedConnection);
}

// A click on what takes no focus (the value-range box, a disabled switch) leaves the menu
// as well, but the focus would stay on the menu bar: it goes back to the control that had
// it before the menu, or, where that one cannot take it, to the log if shown, else edt1.
void TForm1::menuBarClickPreview() {
    QMetaObject::invokeMethod(
        this,
        [this] {
            // (the menu bar still marks its first item; no menu is open)
            if (QApplication::focusWidget() != menuBar() ||
                QApplication::activePopupWidget() != nullptr)
                return;
            QWidget* before = m_focusBeforeMenu;
            const bool back = before != nullptr && before->window() == this &&
                              before->isVisible() && before->isEnabled();
            ui::guarded([&] {
                focusControl(back                ? before
                             : mmo1->isVisible() ? static_cast<QWidget*>(mmo1)
                                                 : edt1);
            });
        },
        Qt::QueuedConnection);
}

bool TForm1::grp6MousePreview(QEvent* event) {
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        m_grp6Pressed = static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton;
        break;
    case QEvent::MouseButtonDblClick:
        m_grp6Pressed = false; // the second click of a double click is not counted
        break;
    case QEvent::MouseButtonRelease: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (m_grp6Pressed && mouse->button() == Qt::LeftButton &&
            grp6->rect().contains(mouse->position().toPoint()))
            ui::guarded([this] { grp6Click(); });
        m_grp6Pressed = false;
        break;
    }
    default:
        break;
    }
    return false;
}
