// The virtual-key code a key event stands for: the system's own code where Qt's windows
// platform delivers one, the code worked out from the Qt key elsewhere and for events
// without a native code (those the tests and the program make themselves).

#include "main_window/key_codes.h"

#include <QKeyEvent>
#include <QTest>

class KeyCodesTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void eventCode_data();
    void eventCode();
};

void KeyCodesTest::eventCode_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<quint32>("native");
    QTest::addColumn<int>("onWindows");
    QTest::addColumn<int>("elsewhere");

    const Qt::KeyboardModifiers none;
    // Made by a program: no native code, so the Qt key decides everywhere.
    QTest::newRow("N without native code") << int(Qt::Key_N) << none << 0u << 0x4E << 0x4E;
    QTest::newRow("keypad 5 without native code")
        << int(Qt::Key_5) << Qt::KeyboardModifiers(Qt::KeypadModifier) << 0u << 0x65 << 0x65;
    // French layout: the keys that type '&' and 'é' are the 1 and 2 keys of the top row.
    // The US mapping reads '&' as Shift+7 and knows no 'é'.
    QTest::newRow("AZERTY & key") << int(Qt::Key_Ampersand) << none << 0x31u << 0x31 << 0x37;
    QTest::newRow("AZERTY é key") << int(Qt::Key_Eacute) << none << 0x32u << 0x32 << 0;
    // German layout: the key right of 0 types 'ß' and is VK_OEM_4.
    QTest::newRow("QWERTZ ß key") << int(Qt::Key_ssharp) << none << 0xDBu << 0xDB << 0;
    // Keys both agree on.
    QTest::newRow("Ctrl+Z") << int(Qt::Key_Z) << Qt::KeyboardModifiers(Qt::ControlModifier) << 0x5Au
                            << 0x5A << 0x5A;
    QTest::newRow("space") << int(Qt::Key_Space) << none << 0x20u << 0x20 << 0x20;
    // On X11 the native value is a keysym (Return is 0xFF0D): never taken as a code there.
    QTest::newRow("X keysym for Return")
        << int(Qt::Key_Return) << none << 0xFF0Du << 0xFF0D << 0x0D;
}

void KeyCodesTest::eventCode() {
    QFETCH(int, key);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(quint32, native);
    QFETCH(int, onWindows);
    QFETCH(int, elsewhere);

#ifdef Q_OS_WIN
    const int expected = onWindows;
    Q_UNUSED(elsewhere);
#else
    const int expected = elsewhere;
    Q_UNUSED(onWindows);
#endif
    for (const QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
        const QKeyEvent event(type, key, modifiers, 0, native, 0);
        QCOMPARE(sumbrook::virtualKeyCode(event), expected);
    }
}

QTEST_MAIN(KeyCodesTest)
#include "key_codes_test.moc"
