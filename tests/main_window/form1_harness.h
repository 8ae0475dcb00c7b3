#pragma once
// What the main window's tests share: a window on the offscreen platform with a fake pause
// source (pauses are counted, never slept) and a recording reporter (no modal boxes), and
// keys sent through the window the way real input reaches the focused control.

#include "tests/main_window/recording_reporter.h"
#include "tests/support/fake_pause_source.h"

#include "engine/drill_engine.h"
#include "main_window/form1.h"

#include <QApplication>
#include <QHash>
#include <QPair>
#include <QPlainTextEdit>
#include <QTest>

#include <memory>

namespace sumbrook::testing {

inline const QString kAnswerToken = QStringLiteral("ANSWER");
inline const QString kWrongToken = QStringLiteral("WRONG");

// A key as the X11 platform delivers it, text included: Delete carries "\x7f", Alt with
// a letter the letter, Ctrl with a letter its control character.
struct KeyStroke {
    Qt::Key key = Qt::Key_unknown;
    Qt::KeyboardModifiers modifiers;
    QString text;
};

// "Enter", "Ctrl+Z", "Alt+.", "Shift+Left", "KP+Delete" (keypad, NumLock off), "7", "a".
inline KeyStroke parseKey(const QString& token) {
    KeyStroke stroke;
    QStringList parts = token.split(QLatin1Char('+'));
    QString name = parts.takeLast();
    if (name.isEmpty()) { // "KP++" would be the keypad's plus; not needed
        name = QStringLiteral("+");
        parts.removeLast();
    }
    for (const QString& part : parts) {
        if (part == QStringLiteral("Ctrl"))
            stroke.modifiers |= Qt::ControlModifier;
        else if (part == QStringLiteral("Alt"))
            stroke.modifiers |= Qt::AltModifier;
        else if (part == QStringLiteral("Shift"))
            stroke.modifiers |= Qt::ShiftModifier;
        else if (part == QStringLiteral("KP"))
            stroke.modifiers |= Qt::KeypadModifier;
    }
    static const QHash<QString, QPair<Qt::Key, QString>> named = {
        {QStringLiteral("Enter"), {Qt::Key_Return, QStringLiteral("\r")}},
        {QStringLiteral("Space"), {Qt::Key_Space, QStringLiteral(" ")}},
        {QStringLiteral("Escape"), {Qt::Key_Escape, QStringLiteral("\x1b")}},
        {QStringLiteral("Ctrl"), {Qt::Key_Control, QString()}},
        {QStringLiteral("Backspace"), {Qt::Key_Backspace, QStringLiteral("\b")}},
        {QStringLiteral("Delete"), {Qt::Key_Delete, QStringLiteral("\x7f")}},
        {QStringLiteral("Left"), {Qt::Key_Left, QString()}},
        {QStringLiteral("Right"), {Qt::Key_Right, QString()}},
        {QStringLiteral("Home"), {Qt::Key_Home, QString()}},
        {QStringLiteral("End"), {Qt::Key_End, QString()}},
        {QStringLiteral("Insert"), {Qt::Key_Insert, QString()}},
        {QStringLiteral("F11"), {Qt::Key_F11, QString()}},
        {QStringLiteral("."), {Qt::Key_Period, QStringLiteral(".")}},
        {QStringLiteral("-"), {Qt::Key_Minus, QStringLiteral("-")}},
    };
    if (const auto it = named.constFind(name); it != named.constEnd()) {
        stroke.key = it->first;
        stroke.text = it->second;
    } else if (name.size() == 1 && name.at(0).isLetterOrNumber()) {
        const QChar c = name.at(0).toUpper();
        stroke.key = static_cast<Qt::Key>(c.unicode());
        stroke.text = (stroke.modifiers & Qt::ControlModifier) && c.isLetter()
                          ? QString(QChar(c.unicode() - 'A' + 1))
                          : QString(name.at(0).toLower());
    }
    return stroke;
}

// A main window to drive; tests derive from it beside QObject.
class Form1Harness {
protected:
    bool start() {
        QApplication::setApplicationName(QStringLiteral("Sumbrook"));
        m_pauses = FakePauseSource();
        m_reporter = std::make_unique<RecordingReporter>();
        m_form = std::make_unique<TForm1>(m_pauses, nullptr);
        m_form->show();
        m_form->activateWindow();
        return QTest::qWaitForWindowActive(m_form.get());
    }
    void stop() {
        m_form.reset();
        m_reporter.reset();
    }

    TForm1& form() { return *m_form; }
    int logLines() const { return m_form->mmo1->document()->blockCount(); }
    int problemsSet(int logBefore) const { return (logLines() - logBefore) / 3; }
    QString focusName() const {
        QWidget* focus = QApplication::focusWidget();
        return focus ? focus->objectName() : QString();
    }
    QString answer() { return QString::number(form().engine().state().CorrectAnswer); }

    void key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(m_form->windowHandle(), key, modifiers);
    }
    void typeText(const QString& text) {
        for (QChar c : text)
            QTest::keyClick(m_form->windowHandle(), c.toLatin1());
    }
    // Plays a script of space-separated keys (see parseKey); a run of digits, ANSWER and
    // WRONG are typed digit by digit.
    void play(const QString& script) {
        for (const QString& token : script.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            bool number = false;
            token.toLongLong(&number);
            if (token == kAnswerToken) {
                typeText(answer());
            } else if (token == kWrongToken) {
                typeText(QString::number(form().engine().state().CorrectAnswer + 1));
            } else if (number && token.size() > 1) {
                typeText(token);
            } else {
                const KeyStroke k = parseKey(token);
                QVERIFY2(k.key != Qt::Key_unknown, qPrintable(token));
                QTest::sendKeyEvent(QTest::Click, m_form->windowHandle(), k.key, k.text,
                                    k.modifiers);
            }
        }
    }

    FakePauseSource m_pauses;
    std::unique_ptr<RecordingReporter> m_reporter;
    std::unique_ptr<TForm1> m_form;
};

} // namespace sumbrook::testing
