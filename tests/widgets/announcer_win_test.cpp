// On Windows an announcement reaches Narrator and NVDA as a UI Automation notification,
// which Qt's bridge raises for a value change that carries text: the change must carry
// the announced text, come from a control with a window and a size, and cost nothing
// until a screen reader has asked for the window.
#include "widgets/announcer.h"

#include <QAccessible>
#include <QList>
#include <QPair>
#include <QTest>
#include <QWidget>

#include <windows.h>

namespace {

// The object id a UI Automation client asks a window for (UiaRootObjectId).
constexpr LPARAM kUiaRootObjectId = -25;

QList<QPair<QObject*, QString>> g_valueChanges;

void recordValueChanges(QAccessibleEvent* event) {
    if (event->type() == QAccessible::ValueChanged)
        g_valueChanges.append(
            {event->object(),
             static_cast<QAccessibleValueChangeEvent*>(event)->value().toString()});
}

} // namespace

class AnnouncerWinTest final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void announcementRaisesTheNotification() {
        if (QGuiApplication::platformName() != QStringLiteral("windows"))
            QSKIP("the UI Automation bridge belongs to the windows platform");
        QWidget window;
        window.resize(320, 200);
        auto* client = new QWidget(&window);
        client->setGeometry(0, 0, 320, 200);
        auto* announcer = new sumbrook::Announcer(client);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QAccessible::installUpdateHandler(recordValueChanges);
        g_valueChanges.clear();

        // No screen reader has asked yet: nothing is raised.
        announcer->announce(QStringLiteral("第1题 3＋4＝"));
        QVERIFY(g_valueChanges.isEmpty());

        // A screen reader's first request turns the bridge on, as it does for the program.
        SendMessageW(reinterpret_cast<HWND>(window.winId()), WM_GETOBJECT, 0, kUiaRootObjectId);
        QVERIFY(QAccessible::isActive());
        announcer->announce(QStringLiteral("真聪明! 答对了! 第2题 16－6－9＝"));
        QAccessible::installUpdateHandler(nullptr);

        QCOMPARE(g_valueChanges.size(), 1);
        QCOMPARE(g_valueChanges.at(0).first, client);
        QCOMPARE(g_valueChanges.at(0).second, QStringLiteral("真聪明! 答对了! 第2题 16－6－9＝"));
        // Readers ignore notifications from elements without a size.
        QVERIFY(!client->size().isEmpty());
        QVERIFY(announcer->geometry().isEmpty());
    }
};

QTEST_MAIN(AnnouncerWinTest)
#include "announcer_win_test.moc"
