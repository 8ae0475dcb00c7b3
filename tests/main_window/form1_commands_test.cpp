// The main window's switches, choice, hidden log, error report, message boxes and
// menu commands.

#include "tests/main_window/form1_harness.h"
#include "tests/support/temporary_xdg_desktop.h"

#include "about/about_window.h"
#include "engine/drill_engine.h"
#include "engine/exceptions.h"
#include "main_window/form1.h"
#include "shell/platform.h"
#include "widgets/announcer.h"
#include "widgets/drawn_label.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace sumbrook;
using namespace sumbrook::testing;

class Form1CommandsTest final : public QObject, private Form1Harness {
    Q_OBJECT

private Q_SLOTS:
    void init() { QVERIFY(start()); }
    void cleanup() { stop(); }

    void uncheckingBothOperations() {
        TForm1& f = form();
        int logBefore = logLines();
        QTest::mouseClick(f.chkadd, Qt::LeftButton);
        QVERIFY(!f.chkadd->isChecked());
        QCOMPARE(f.engine().state().OperationMode, 2);
        QCOMPARE(problemsSet(logBefore), 1);
        QVERIFY(f.lbl6->text().count(QStringLiteral("－")) == 2);

        logBefore = logLines();
        QTest::mouseClick(f.chkdel, Qt::LeftButton);
        QVERIFY(f.chkadd->isChecked());
        QVERIFY(!f.chkdel->isChecked());
        QCOMPARE(f.engine().state().OperationMode, 1);
        // two problems in a row
        QCOMPARE(problemsSet(logBefore), 2);
        QVERIFY(f.lbl6->text().count(QStringLiteral("＋")) == 2);
        QCOMPARE(focusName(), QStringLiteral("edt1"));
    }
    void operandCountChoice() {
        TForm1& f = form();
        const int logBefore = logLines();
        QTest::mouseClick(f.rg2Two, Qt::LeftButton);
        QCOMPARE(problemsSet(logBefore), 1);
        QVERIFY(!f.lbl5->isVisible());
        QCOMPARE(f.lbl8->text(), QString());
        QTest::mouseClick(f.rg2Two, Qt::LeftButton);
        // choosing the selected item again changes nothing
        QCOMPARE(problemsSet(logBefore), 1);
        QTest::mouseClick(f.rg2Three, Qt::LeftButton);
        QCOMPARE(problemsSet(logBefore), 2);
        QVERIFY(f.lbl5->isVisible());
    }
    void nineteenClicksShowTheLog() {
        TForm1& f = form();
        const QPoint freeArea(140, 68);
        QVERIFY(!f.grp6->childAt(freeArea));
        for (int i = 0; i < 17; ++i)
            QTest::mouseClick(f.grp6, Qt::LeftButton, {}, freeArea);
        // A click on a box's caption does not count, nor does the second click of a
        // double click (it arrives as a double click).
        QTest::mouseClick(f.edt2Label, Qt::LeftButton);
        QTest::mouseClick(f.grp6, Qt::LeftButton, {}, freeArea);
        QTest::mouseDClick(f.grp6, Qt::LeftButton, {}, freeArea);
        QCOMPARE(f.grp6Tag, 18);
        QVERIFY(!f.mmo1->isVisible());
        QTest::mouseClick(f.grp6, Qt::LeftButton, {}, freeArea);
        QVERIFY(f.mmo1->isVisible());
        QCOMPARE(f.grp6Tag, 0);

        const QString log = f.mmo1->toPlainText();
        f.mmo1->setFocus();
        f.edt1->setFocus();
        QVERIFY(!f.mmo1->isVisible());
        play(QStringLiteral("Space"));
        for (int i = 0; i < 19; ++i)
            QTest::mouseClick(f.grp6, Qt::LeftButton, {}, freeArea);
        QVERIFY(f.mmo1->isVisible());
        QVERIFY(f.mmo1->toPlainText().startsWith(log));
        QCOMPARE(f.mmo1->document()->blockCount(), log.count(QLatin1Char('\n')) + 1 + 3);
    }
    // The log is left when another control of the window takes the focus, not when a
    // context menu opens or another window becomes active.
    void logHidesOnlyForAnotherControl() {
        TForm1& f = form();
        f.mmo1->show();
        f.mmo1->setFocus();
        QMenu menu;
        menu.addAction(QStringLiteral("x"));
        menu.popup(f.mmo1->mapToGlobal(QPoint(5, 5)));
        QVERIFY(QTest::qWaitForWindowExposed(&menu));
        menu.close();
        QVERIFY(f.mmo1->isVisible());
        QWidget other;
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        QVERIFY(f.mmo1->isVisible());
        f.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&f));
        QVERIFY(f.mmo1->isVisible());
        f.edt1->setFocus();
        QVERIFY(!f.mmo1->isVisible());
    }
    // Alt alone enters the menu bar: the log stays shown, and leaving the menu gives the
    // focus back to a control that takes typing. "@control" moves the focus by code; the
    // other tokens are keys; "7" at the end must land in the focused box.
    void altAloneAndTheLog_data() {
        QTest::addColumn<bool>("logShown");
        QTest::addColumn<QString>("focus");
        QTest::addColumn<QString>("script");
        QTest::addColumn<bool>("logAfter");
        QTest::addColumn<QString>("focusAfter");
        const auto row = [](const char* name, bool logShown, const char* focus, const char* script,
                            bool logAfter, const char* focusAfter) {
            QTest::newRow(name) << logShown << QString::fromLatin1(focus)
                                << QString::fromLatin1(script) << logAfter
                                << QString::fromLatin1(focusAfter);
        };
        // clang-format off
        row("alt, esc in the log",            true,  "mmo1",    "Alt Escape",             true,  "mmo1");
        row("alt twice in the log",           true,  "mmo1",    "Alt Alt",                true,  "mmo1");
        row("alt, esc in an answer box",      false, "edt1",    "Alt Escape",             false, "edt1");
        row("alt, esc in the max box",        true,  "edt2",    "Alt Escape",             true,  "edt2");
        row("from the log via the menu to another control",
                                              true,  "mmo1",    "Alt @edt2",              false, "edt2");
        row("the log hidden while in the menu",
                                              true,  "mmo1",    "Alt @hide Escape",       false, "edt1");
        // A click on what takes no focus leaves the menu too, and the focus goes back.
        row("alt, a click on the value-range box", false, "edt2", "Alt click:grp6",    false, "edt2");
        row("alt, a click on a disabled switch",   false, "edt1", "Alt click:chkdiv",  false, "edt1");
        row("alt in the log, a click on a disabled switch",
                                              true,  "mmo1",    "Alt click:chkche",       true,  "mmo1");
        // clang-format on
    }
    void altAloneAndTheLog() {
#ifdef Q_OS_WIN
        if (QString::fromLatin1(QTest::currentDataTag()).contains(QLatin1String("a click on")))
            QSKIP("open on Windows: after Alt alone a click on what takes no focus leaves no "
                  "control focused there");
#endif
        QFETCH(bool, logShown);
        QFETCH(QString, focus);
        QFETCH(QString, script);
        QFETCH(bool, logAfter);
        QFETCH(QString, focusAfter);
        TForm1& f = form();
        f.mmo1->setVisible(logShown);
        f.findChild<QWidget*>(focus)->setFocus();
        for (const QString& token : script.split(QLatin1Char(' '))) {
            if (token == QStringLiteral("@hide"))
                f.mmo1->hide();
            else if (token.startsWith(QLatin1Char('@')))
                f.findChild<QWidget*>(token.mid(1))->setFocus();
            else if (token.startsWith(QStringLiteral("click:")))
                QTest::mouseClick(f.findChild<QWidget*>(token.mid(6)), Qt::LeftButton, {},
                                  QPoint(4, 4));
            else if (token == QStringLiteral("Alt"))
                key(Qt::Key_Alt, Qt::AltModifier);
            else
                play(token);
            if (token == QStringLiteral("Alt"))
                QCOMPARE(f.mmo1->isVisible(), logShown);
        }
        QTest::qWait(0); // what the menu bar leaves for later
        QCOMPARE(f.mmo1->isVisible(), logAfter);
        QCOMPARE(focusName(), focusAfter);
    }
    void errorReportAddsAFullStop_data() {
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("shown");
        QTest::newRow("letter") << QStringLiteral("abc") << QStringLiteral("abc.");
        QTest::newRow("digit") << QStringLiteral("code 5") << QStringLiteral("code 5.");
        QTest::newRow("chinese") << QStringLiteral("扩展名必须是LNK错")
                                 << QStringLiteral("扩展名必须是LNK错.");
        QTest::newRow("apostrophe")
            << QStringLiteral("'x' is bad'") << QStringLiteral("'x' is bad'");
        QTest::newRow("full stop") << QStringLiteral("done.") << QStringLiteral("done.");
        QTest::newRow("exclamation") << QStringLiteral("stop!") << QStringLiteral("stop!");
        QTest::newRow("parenthesis") << QStringLiteral("(x)") << QStringLiteral("(x)");
        QTest::newRow("blank") << QStringLiteral("x ") << QStringLiteral("x ");
        QTest::newRow("slash") << QStringLiteral("a/") << QStringLiteral("a/.");
    }
    void errorReportAddsAFullStop() {
        QFETCH(QString, message);
        QFETCH(QString, shown);
        QCOMPARE(ui::withFullStop(message), shown);
    }
    void messageBoxes() {
        const auto error = ui::makeErrorBox(QStringLiteral("'abc' is not a valid integer value."));
        QCOMPARE(error->windowTitle(), QStringLiteral("Sumbrook"));
        QCOMPARE(error->icon(), QMessageBox::Critical);
        QCOMPARE(error->buttons().size(), 1);
        // Above the always-on-top About window too.
        QVERIFY(error->windowFlags() & Qt::WindowStaysOnTopHint);

        const QString longText = QString(400, QChar(0x5B8C));
        const auto done = ui::makeConfirmationBox(longText);
        QCOMPARE(done->windowTitle(), QStringLiteral("Sumbrook"));
        QCOMPARE(done->icon(), QMessageBox::NoIcon);
        QCOMPARE(done->buttons().size(), 1);
        QAbstractButton* ok = done->buttons().first();
        QCOMPARE(ok->text(), QStringLiteral("OK"));
        QCOMPARE(done->defaultButton(), ok);
        QCOMPARE(done->escapeButton(), ok);
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        auto* label = done->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
        if (label == nullptr)
            QFAIL("the box shows its text in no label");
        QVERIFY(label->wordWrap() && label->width() <= screen.width() / 2);
        QVERIFY(done->windowFlags() & Qt::WindowStaysOnTopHint);
    }
    // Centred on the screen at the size a box has once shown, whatever its text.
    void messageBoxesAreCentredWhenShown_data() {
        QTest::addColumn<bool>("error");
        QTest::addColumn<QString>("text");
        QTest::newRow("short confirmation") << false << QStringLiteral("创建桌面快捷方式完成！");
        QTest::newRow("long confirmation") << false << QString(400, QChar(0x5B8C));
        QTest::newRow("error") << true << QStringLiteral("'abc' is not a valid integer value.");
    }
    void messageBoxesAreCentredWhenShown() {
        QFETCH(bool, error);
        QFETCH(QString, text);
        const auto box = error ? ui::makeErrorBox(text) : ui::makeConfirmationBox(text);
        box->show();
        QVERIFY(QTest::qWaitForWindowExposed(box.get()));
        const QPoint centre = QGuiApplication::primaryScreen()->availableGeometry().center();
        const QPoint shown = box->frameGeometry().center();
        QVERIFY2((shown - centre).manhattanLength() <= 2,
                 qPrintable(QStringLiteral("centre %1,%2").arg(shown.x()).arg(shown.y())));
    }
    void abortIsSilent() {
        ui::guarded([] { throw EAbort("quiet"); });
        ui::guarded([] { throw EConvertError("loud"); });
        QCOMPARE(m_reporter->errors, QStringList{QStringLiteral("loud.")});
    }
    void shortcutCommand_data() {
        QTest::addColumn<QString>("desktop"); // "ok", "missing" or "unwritable"
        QTest::newRow("desktop folder present") << QStringLiteral("ok");
        QTest::newRow("desktop folder missing") << QStringLiteral("missing");
        QTest::newRow("shortcut name taken by a folder") << QStringLiteral("unwritable");
    }
    // The menu command through the real platform layer, into a desktop folder of the test's.
    void shortcutCommand() {
#ifdef Q_OS_WIN
        QSKIP("the desktop is pointed elsewhere through XDG user-dirs; on Windows, "
              "tools/windows-check has the program's menu command write to the wine user's "
              "desktop and reads the link back");
#endif
        QFETCH(QString, desktop);
        TemporaryXdgDesktop xdg; // gives the old XDG_CONFIG_HOME back however the test ends
        QVERIFY(xdg.isValid());
        const QString folder = xdg.desktop();
        if (desktop != QStringLiteral("missing"))
            QVERIFY(QDir().mkpath(folder));
        const QString link = folder + QStringLiteral("/Sumbrook.lnk");
        if (desktop == QStringLiteral("unwritable"))
            QVERIFY(QDir().mkpath(link));

        auto platform = shell::makeSystemDesktop();
        TForm1 window(m_pauses, platform.get());
        window.show();
        window.L1->trigger();
        window.L1->trigger();

        if (desktop == QStringLiteral("ok")) {
            QCOMPARE(m_reporter->messages,
                     QStringList(2, QStringLiteral("创建桌面快捷方式完成！")));
            QVERIFY(m_reporter->errors.isEmpty());
            QVERIFY(QFileInfo(link).isFile());
            QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden).size(), 1);
        } else {
            QVERIFY(m_reporter->messages.isEmpty());
            QCOMPARE(m_reporter->errors.size(), 2);
            for (const QString& error : m_reporter->errors)
                QVERIFY2(error.contains(folder), qPrintable(error));
            QVERIFY(!QFileInfo(link).isFile());
            if (desktop == QStringLiteral("missing"))
                QVERIFY(!QFileInfo::exists(folder));
            else
                QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden).size(), 0);
        }
    }
};

QTEST_MAIN(Form1CommandsTest)
#include "form1_commands_test.moc"
