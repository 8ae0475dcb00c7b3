// The main window as a child uses it: keys sent through the window reach the focused
// control the way real input does. The engine's pauses are counted, never slept.

#include "fake_pause_source.h"
#include "recording_reporter.h"

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

#include <memory>

using namespace sumbrook;
using sumbrook::testing::FakePauseSource;
using sumbrook::testing::RecordingReporter;

namespace {

const QString kAnswerToken = QStringLiteral("ANSWER");
const QString kWrongToken = QStringLiteral("WRONG");

// A key as the X11 platform delivers it, text included: Delete carries "\x7f", Alt with
// a letter the letter, Ctrl with a letter its control character.
struct KeyStroke {
    Qt::Key key = Qt::Key_unknown;
    Qt::KeyboardModifiers modifiers;
    QString text;
};

// "Enter", "Ctrl+Z", "Alt+.", "Shift+Left", "KP+Delete" (keypad, NumLock off), "7", "a".
KeyStroke parseKey(const QString& token) {
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

} // namespace

class Form1Test final : public QObject {
    Q_OBJECT

private:
    FakePauseSource m_pauses;
    std::unique_ptr<RecordingReporter> m_reporter;
    std::unique_ptr<TForm1> m_form;

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

private Q_SLOTS:
    void initTestCase() { QApplication::setApplicationName(QStringLiteral("Sumbrook")); }

    void init() {
        m_pauses = FakePauseSource();
        m_reporter = std::make_unique<RecordingReporter>();
        m_form = std::make_unique<TForm1>(m_pauses, nullptr);
        m_form->show();
        m_form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
    }

    void cleanup() {
        m_form.reset();
        m_reporter.reset();
    }

    void startScreen() {
        TForm1& f = form();
        QCOMPARE(f.windowTitle(), QStringLiteral("Sumbrook"));
        QVERIFY(f.windowIcon().availableSizes().contains(QSize(256, 256)));
        QCOMPARE(f.centralWidget()->size(), QSize(681, 513));
        QCOMPARE(f.grp4->title(), QStringLiteral("请计算:第1题:"));
        QCOMPARE(f.lbl3->text(), QStringLiteral("正确个数:\n错误个数:"));
        QCOMPARE(f.lbl2->text(), QStringLiteral("提示："));
        QCOMPARE(f.lbl7->text(), QStringLiteral("Sumbrook\n快捷键列表：\n　　回车键：判断对错\n"
                                                "空格或Ｎ键：下一题\n　　Ｚ　键：显示正确答案\n"
                                                "愿和天下含辛茹苦的父母们分享"));
        QCOMPARE(f.helpText(),
                 QString(f.lbl7->text()).replace(QLatin1Char('\n'), QLatin1Char('\r')));
        QVERIFY(f.lbl5->isVisible());
        static const QRegularExpression threeNumbers(
            QStringLiteral("^(\\d+)([＋－])(\\d+)([＋－])(\\d+)＝$"));
        const auto match = threeNumbers.match(f.lbl6->text());
        QVERIFY2(match.hasMatch(), qPrintable(f.lbl6->text()));
        for (int i : {1, 3, 5})
            QVERIFY(match.captured(i).toInt() >= 0 && match.captured(i).toInt() <= 20);
        QCOMPARE(f.lbl8->text(), match.captured(2));
        QCOMPARE(f.lbl9->text(), match.captured(4));
        const QStringList log = f.mmo1->toPlainText().split(QLatin1Char('\n'));
        QCOMPARE(log.size(), 4);
        QCOMPARE(log.first(), QStringLiteral("mmo1"));
        QVERIFY(log.at(1).startsWith(QStringLiteral("v0:") + match.captured(1) +
                                     QStringLiteral(" tibz:")));
        QVERIFY(!f.mmo1->isVisible());
        QCOMPARE(f.edt2->text(), QStringLiteral("20"));
        QCOMPARE(f.lbledt1->text(), QStringLiteral("25"));
        QVERIFY(f.chkadd->isChecked() && f.chkdel->isChecked());
        QVERIFY(!f.chkche->isEnabled() && !f.chkdiv->isEnabled());
        QVERIFY(f.rg2Three->isChecked());
        QCOMPARE(f.edt1->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
        QCOMPARE(focusName(), QStringLiteral("edt1"));
        QCOMPARE(f.engine().state().MaxValue, 20);
        QCOMPARE(f.engine().state().QuestionLimit, 25);
        QVERIFY(m_reporter->errors.isEmpty());
    }

    void signsAreChosenAtRandom() {
        QSet<QString> first, second;
        for (int i = 0; i < 200; ++i) {
            form().gett();
            first << form().lbl8->text();
            second << form().lbl9->text();
        }
        const QSet<QString> both = {QStringLiteral("＋"), QStringLiteral("－")};
        QCOMPARE(first, both);
        QCOMPARE(second, both);
    }

    void geometry_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("rect");
        const struct {
            const char* name;
            QRect rect;
        } table[] = {
            {"grp4", {0, 0, 681, 70}},     {"lbl6", {5, 16, 501, 52}},
            {"edt3", {506, 12, 169, 54}},  {"grp1", {0, 67, 681, 374}},
            {"grp9", {5, 8, 400, 273}},    {"lbl5", {166, 11, 107, 57}},
            {"lbl1", {166, 67, 107, 57}},  {"lbl4", {166, 123, 107, 57}},
            {"lbl8", {130, 67, 55, 57}},   {"lbl9", {130, 123, 55, 57}},
            {"pnl1", {16, 184, 365, 4}},   {"edt1", {88, 191, 233, 71}},
            {"grp10", {5, 280, 400, 89}},  {"lbl3", {8, 10, 377, 75}},
            {"grp8", {408, 7, 271, 189}},  {"lbl2", {4, 7, 265, 177}},
            {"mmo1", {448, 16, 217, 137}}, {"grp3", {408, 192, 271, 177}},
            {"grp6", {3, 9, 150, 72}},     {"edt2", {82, 16, 55, 21}},
            {"lbledt1", {82, 40, 55, 21}}, {"grp7", {160, 8, 108, 73}},
            {"chkadd", {4, 22, 49, 17}},   {"chkdel", {55, 22, 49, 17}},
            {"chkche", {4, 49, 49, 17}},   {"chkdiv", {55, 49, 49, 17}},
            {"rg2", {3, 80, 126, 89}},     {"grp5", {131, 80, 137, 89}},
            {"lbl7", {8, 16, 121, 65}},    {"grp2", {0, 440, 681, 73}},
            {"btn1", {6, 11, 669, 57}},
        };
        for (const auto& row : table)
            QTest::newRow(row.name) << QString::fromLatin1(row.name) << row.rect;
    }

    void geometry() {
        QFETCH(QString, name);
        QFETCH(QRect, rect);
        auto* widget = m_form->findChild<QWidget*>(name);
        QVERIFY(widget);
        QCOMPARE(widget->geometry(), rect);
    }

    void tabOrder() {
        form().rg2Three->setFocus();
        QStringList visited{focusName()};
        for (int i = 0; i < 8; ++i) {
            key(Qt::Key_Tab);
            visited << focusName();
        }
        // Disabled switches and the hidden log are passed over.
        const QStringList expected = {
            QStringLiteral("rg2Three"), QStringLiteral("edt2"),   QStringLiteral("lbledt1"),
            QStringLiteral("chkadd"),   QStringLiteral("chkdel"), QStringLiteral("edt1"),
            QStringLiteral("btn1"),     QStringLiteral("edt3"),   QStringLiteral("rg2Three")};
        QCOMPARE(visited, expected);
    }

    void fontsAndColours() {
        TForm1& f = form();
        QCOMPARE(f.edt1->font().pixelSize(), 56);
        QCOMPARE(f.lbl2->font().pixelSize(), 56);
        QCOMPARE(f.lbl6->font().pixelSize(), 48);
        QCOMPARE(f.lbl3->font().pixelSize(), 32);
        QCOMPARE(f.btn1->font().pixelSize(), 35);
        QCOMPARE(f.lbl6->font().family(), QStringLiteral("微软雅黑"));
        QCOMPARE(f.lbl2->palette().color(QPalette::WindowText), QColor(255, 0, 0));
        QCOMPARE(f.lbl3->palette().color(QPalette::WindowText), QColor(128, 0, 0));
        // The face itself is missing here: what draws it must have Chinese glyphs.
        QVERIFY(QFontInfo(f.lbl6->font()).family() != QStringLiteral("微软雅黑") ||
                QFontDatabase::families().contains(QStringLiteral("微软雅黑")));
        QVERIFY(QFontMetrics(f.lbl6->font()).inFont(QChar(0x8BA1)));
    }

    // The help box and the About window's help label show every line whole, with the
    // fonts the program ships with.
    void helpLinesAreWhole() {
        struct NoOpener final : shell::LinkOpener {
            bool open(const std::string&) override { return false; }
            bool runHtmProgramChooser() override { return false; }
        } opener;
        TForm2 about(&form(), form().helpText(), opener);
        auto* aboutLabel = about.findChild<TDrawnLabel*>(QStringLiteral("lbl1"));
        QVERIFY(aboutLabel);
        const struct {
            const char* where;
            QFont font;
            QRect box;
            int flags;
            QString text;
        } labels[] = {
            {"help box", form().lbl7->font(), form().lbl7->contentsRect(),
             int(form().lbl7->alignment()), form().lbl7->text()},
            {"About window", aboutLabel->font(), aboutLabel->rect(), int(Qt::AlignHCenter),
             aboutLabel->displayText()},
        };
        for (const auto& label : labels) {
            QCOMPARE(label.text.split(QLatin1Char('\n')).size(), 6);
            const QRect needed =
                QFontMetrics(label.font).boundingRect(label.box, label.flags, label.text);
            QVERIFY2(label.box.contains(needed),
                     qPrintable(QStringLiteral("%1: %2x%3 needed in %4x%5")
                                    .arg(QLatin1String(label.where))
                                    .arg(needed.width())
                                    .arg(needed.height())
                                    .arg(label.box.width())
                                    .arg(label.box.height())));
            QVERIFY(QFontMetrics(label.font).inFont(QChar(0x6848))); // 案, the last cut one
        }
    }

    void resizeSnapsBack() {
        const QSize size = form().size();
        form().resize(900, 700);
        QCOMPARE(form().size(), size);
        QCOMPARE(form().centralWidget()->size(), QSize(681, 513));
    }

    void keyboard_data() {
        QTest::addColumn<QString>("focus");
        QTest::addColumn<QString>("preset"); // edt1's text before the keys
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("edt1"); // "*": not checked
        QTest::addColumn<QString>("lbl2"); // "*": not checked; "ANSWER": the answer text
        QTest::addColumn<QString>("focusAfter");
        QTest::addColumn<int>("problems"); // problems set by the keys
        QTest::addColumn<int>("correct");
        QTest::addColumn<int>("wrong");

        const QString any = QStringLiteral("*");
        const QString none;
        auto row = [&](const char* name, const char* focus, const QString& preset,
                       const char* script, const QString& edt1, const QString& lbl2,
                       const char* focusAfter, int problems, int correct, int wrong) {
            QTest::newRow(name) << QString::fromUtf8(focus) << preset << QString::fromUtf8(script)
                                << edt1 << lbl2 << QString::fromUtf8(focusAfter) << problems
                                << correct << wrong;
        };
        const QString right = QStringLiteral("真聪明!\n答对了!");
        const QString wrongText = QStringLiteral("再想想!\n答错了!");
        row("letters and signs enter nothing", "edt1", none, "a . - x", none, none, "edt1", 0, 0,
            0);
        row("zero then zero stays one zero", "edt1", none, "0 0", QStringLiteral("0"), any, "edt1",
            0, 0, 0);
        row("zero then seven", "edt3", none, "0 7", QStringLiteral("07"), any, "edt3", 0, 0, 0);
        row("digits in edt3 reach edt1", "edt3", none, "1 2", QStringLiteral("12"), any, "edt3", 0,
            0, 0);
        row("enter with the answer in edt1", "edt1", none, "ANSWER Enter", none, right, "edt1", 1,
            1, 0);
        row("enter with a wrong answer in edt3", "edt3", none, "WRONG Enter", none, wrongText,
            "edt3", 0, 0, 1);
        row("space in edt1 skips", "edt1", none, "5 Space", none, none, "edt1", 1, 0, 0);
        row("N in edt1 skips", "edt1", none, "5 N", none, none, "edt1", 1, 0, 0);
        row("N in the max box skips", "edt2", none, "N", none, any, "edt1", 1, 0, 0);
        row("keypad decimal skips", "edt1", none, "KP+.", none, none, "edt1", 1, 0, 0);
        row("keypad delete deletes and does not skip", "edt1", none, "15 Home KP+Delete",
            QStringLiteral("5"), none, "edt1", 0, 0, 0);
        row("ctrl+z shows the answer", "edt1", none, "Ctrl+Z", none, kAnswerToken, "edt1", 0, 0, 0);
        row("ctrl+f11 shows the answer", "edt1", none, "Ctrl+F11", none, kAnswerToken, "edt1", 0, 0,
            0);
        row("a digit after ctrl+z clears it", "edt1", none, "Ctrl+Z 3", QStringLiteral("3"), none,
            "edt1", 0, 0, 0);
        row("ctrl+enter types a refused character", "edt1", kAnswerToken, "Ctrl+Enter",
            kAnswerToken, none, "edt1", 0, 0, 0);
        row("alt with a key types nothing", "edt1", none, "1 Alt+A Alt+. Alt+- Alt+0",
            QStringLiteral("1"), none, "edt1", 0, 0, 0);
        row("plain z does nothing", "edt1", none, "Z", none, none, "edt1", 0, 0, 0);
        row("alt+n judges then skips", "edt1", none, "ANSWER Alt+N", none, right, "edt1", 2, 1, 0);
        row("alt+n on a wrong answer", "edt1", none, "WRONG Alt+N", none, wrongText, "edt1", 1, 0,
            1);
        row("N on the button judges then skips", "btn1", kAnswerToken, "N", none, right, "edt1", 2,
            1, 0);
        row("N on a check box with nothing typed", "chkadd", none, "N", none, any, "edt1", 2, 0, 0);
        row("enter on the button submits", "btn1", kAnswerToken, "Enter", none, right, "edt1", 1, 1,
            0);
        row("space on the button skips", "btn1", kAnswerToken, "Space", none, any, "edt1", 1, 0, 0);
        row("space on a check box skips", "chkdel", none, "Space", none, any, "edt1", 1, 0, 0);
        row("space on a radio button skips", "rg2Three", none, "Space", none, any, "edt1", 1, 0, 0);
    }

    void keyboard() {
        QFETCH(QString, focus);
        QFETCH(QString, preset);
        QFETCH(QString, script);
        QFETCH(QString, edt1);
        QFETCH(QString, lbl2);
        QFETCH(QString, focusAfter);
        QFETCH(int, problems);
        QFETCH(int, correct);
        QFETCH(int, wrong);

        TForm1& f = form();
        if (preset == kAnswerToken)
            f.edt1->setText(answer());
        auto* start = f.findChild<QWidget*>(focus);
        QVERIFY(start);
        start->setFocus();
        QCOMPARE(focusName(), focus);
        f.lbl2->setText(QStringLiteral("提示："));
        const bool chkaddBefore = f.chkadd->isChecked();
        const bool chkdelBefore = f.chkdel->isChecked();
        const bool threeBefore = f.rg2Three->isChecked();
        const QString expectedAnswer = QStringLiteral("正确答案\n") + answer();
        const int logBefore = logLines();

        play(script);

        if (edt1 == kAnswerToken)
            edt1 = answer();
        if (edt1 != QStringLiteral("*")) {
            QCOMPARE(f.edt1->text(), edt1);
            QCOMPARE(f.edt3->text(), edt1);
        }
        if (lbl2 == kAnswerToken)
            QCOMPARE(f.lbl2->text(), expectedAnswer);
        else if (lbl2 != QStringLiteral("*"))
            QCOMPARE(f.lbl2->text(), lbl2);
        QCOMPARE(focusName(), focusAfter);
        QCOMPARE(problemsSet(logBefore), problems);
        QCOMPARE(f.engine().state().CorrectCount, correct);
        QCOMPARE(f.engine().state().WrongCount, wrong);
        // Keys never toggle the switches or the choice, and never leave the button down.
        QCOMPARE(f.chkadd->isChecked(), chkaddBefore);
        QCOMPARE(f.chkdel->isChecked(), chkdelBefore);
        QCOMPARE(f.rg2Three->isChecked(), threeBefore);
        QVERIFY(!f.btn1->isDown());
        QVERIFY(m_reporter->errors.isEmpty());
    }

    // Correcting an answer or a setting inside its box, as a child does: the cursor stays
    // where it was put, the other answer box follows, and keys the home platform types
    // nothing for enter nothing.
    void editing_data() {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("text"); // the box's text after the script
        QTest::addColumn<int>("cursor");   // its cursor position then
        const auto row = [](const char* name, const char* box, const char* script, const char* text,
                            int cursor) {
            QTest::newRow(name) << QString::fromLatin1(box) << QString::fromLatin1(script)
                                << QString::fromLatin1(text) << cursor;
        };
        row("backspace in the middle", "edt1", "1 5 Left Backspace 2", "25", 1);
        row("digits typed at the start", "edt1", "1 2 Home 3 4", "3412", 2);
        row("the same in edt3", "edt3", "1 5 Left Backspace 2", "25", 1);
        row("delete at the start", "edt1", "1 5 Home Delete", "5", 0);
        row("delete in the middle", "edt3", "1 2 3 Left Left Delete", "13", 1);
        row("a selection replaced by a digit", "edt1", "1 2 3 Shift+Left Shift+Left 9", "19", 2);
        row("ctrl+backspace deletes nothing", "edt1", "1 2 Ctrl+Backspace", "12", 2);
        row("ctrl with a digit types nothing", "edt1", "1 Ctrl+2", "1", 1);
        row("delete in the max box", "edt2", "Home Delete", "0", 0);
        row("alt+x in the max box", "edt2", "End Alt+X", "20", 2);
        row("alt+0 after a lone zero", "lbledt1", "End Backspace Backspace 0 Alt+0", "0", 1);
        row("delete in the limit box", "lbledt1", "End Left Delete", "2", 1);
    }

    void editing() {
        QFETCH(QString, box);
        QFETCH(QString, script);
        QFETCH(QString, text);
        QFETCH(int, cursor);
        TForm1& f = form();
        auto* edit = f.findChild<QLineEdit*>(box);
        QVERIFY(edit);
        edit->setFocus();
        const int logBefore = logLines();

        play(script);

        QCOMPARE(edit->text(), text);
        QCOMPARE(edit->cursorPosition(), cursor);
        QCOMPARE(focusName(), box);
        if (edit == f.edt1 || edit == f.edt3)
            QCOMPARE(f.edt1->text(), f.edt3->text());
        QCOMPARE(problemsSet(logBefore), 0);
        QVERIFY2(m_reporter->errors.isEmpty(), qPrintable(m_reporter->errors.join(u'|')));
        if (edit == f.edt2)
            QCOMPARE(f.engine().state().MaxValue, text.toInt());
        if (edit == f.lbledt1)
            QCOMPARE(f.engine().state().QuestionLimit, text.toInt());
    }

    // An input method commits its text in one go; only what the digit filter takes enters.
    void inputMethodText_data() {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("commit");
        QTest::addColumn<QString>("text");
        QTest::newRow("chinese and a letter") << "edt2" << QStringLiteral("五x") << "20";
        QTest::newRow("full-width digits") << "lbledt1" << QStringLiteral("１２") << "25";
        QTest::newRow("digits among others") << "edt2" << QStringLiteral("3五.4") << "2034";
        QTest::newRow("a second zero after a lone zero")
            << "lbledt1" << QStringLiteral("0") << "250";
        QTest::newRow("into an answer box") << "edt1" << QStringLiteral("7七") << "7";
    }

    void inputMethodText() {
        QFETCH(QString, box);
        QFETCH(QString, commit);
        QFETCH(QString, text);
        TForm1& f = form();
        auto* edit = f.findChild<QLineEdit*>(box);
        edit->setFocus();
        edit->end(false);
        QInputMethodEvent composing(commit, {});
        QCoreApplication::sendEvent(edit, &composing);
        QInputMethodEvent committed;
        committed.setCommitString(commit);
        QCoreApplication::sendEvent(edit, &committed);
        QCOMPARE(edit->text(), text);
        QCOMPARE(f.edt3->text(), f.edt1->text());
        if (edit == f.edt2)
            QCOMPARE(f.engine().state().MaxValue, text.toInt());
        if (edit == f.lbledt1)
            QCOMPARE(f.engine().state().QuestionLimit, text.toInt());
        QVERIFY(m_reporter->errors.isEmpty());
        // Nor do drops reach the boxes.
        for (QLineEdit* number : {f.edt1, f.edt3, f.edt2, f.lbledt1})
            QVERIFY(!number->acceptDrops());
    }

    void enterInEmptyEdt3JudgesZero() {
        TForm1& f = form();
        // Numbers up to 0: the problem on screen has the answer 0.
        f.edt2->setFocus();
        play(QStringLiteral("Backspace Backspace 0 Enter"));
        QCOMPARE(f.engine().state().CorrectAnswer, 0);
        QStringList seen;
        connect(f.edt1, &QLineEdit::textChanged, this, [&](const QString& t) { seen << t; });
        f.edt3->setFocus();
        key(Qt::Key_Return);
        QVERIFY(seen.contains(QStringLiteral("0")));
        QCOMPARE(f.engine().state().CorrectCount, 1);
        QCOMPARE(focusName(), QStringLiteral("edt3"));
        QCOMPARE(f.edt1->text(), QString());
        QCOMPARE(f.edt3->text(), QString());
    }

    void limitBoxTakesEffectAsTyped() {
        TForm1& f = form();
        f.lbledt1->setFocus();
        play(QStringLiteral("Backspace Backspace"));
        // "25" became "2", then empty: an empty box keeps the last value.
        QCOMPARE(f.engine().state().QuestionLimit, 2);
        play(QStringLiteral("3"));
        QCOMPARE(f.engine().state().QuestionLimit, 3);
        play(QStringLiteral("0"));
        QCOMPARE(f.engine().state().QuestionLimit, 30);
        play(QStringLiteral("a . -"));
        QCOMPARE(f.lbledt1->text(), QStringLiteral("30"));
    }

    void emptyingTheMaxBoxKeepsTheValue() {
        TForm1& f = form();
        f.edt2->setFocus();
        const QString problem = f.lbl6->text();
        play(QStringLiteral("Backspace Backspace"));
        QCOMPARE(f.edt2->text(), QString());
        QCOMPARE(f.engine().state().MaxValue, 2);
        play(QStringLiteral("0 0"));
        QCOMPARE(f.edt2->text(), QStringLiteral("0"));
        play(QStringLiteral("Backspace 5"));
        QCOMPARE(f.engine().state().MaxValue, 5);
        // the problem on screen stays until Enter
        QCOMPARE(f.lbl6->text(), problem);
        const int logBefore = logLines();
        play(QStringLiteral("Enter"));
        QCOMPARE(problemsSet(logBefore), 1);
        QCOMPARE(focusName(), QStringLiteral("edt1"));
        for (int i = 0; i < 50; ++i) {
            f.gett();
            for (const QString& n : f.lbl6->text().split(
                     QRegularExpression(QStringLiteral("[＋－＝]")), Qt::SkipEmptyParts))
                QVERIFY2(n.toInt() <= 5, qPrintable(f.lbl6->text()));
        }
    }

    void pastedTextIsReportedAndKeepsTheSetting() {
        TForm1& f = form();
        f.edt2->setFocus();
        f.edt2->clear();
        QGuiApplication::clipboard()->setText(QStringLiteral("abc"));
        key(Qt::Key_Insert, Qt::ShiftModifier);
        QCOMPARE(f.edt2->text(), QStringLiteral("abc"));
        QVERIFY(!m_reporter->errors.isEmpty());
        for (const QString& error : m_reporter->errors)
            QCOMPARE(error, QStringLiteral("'abc' is not a valid integer value."));
        QCOMPARE(f.engine().state().MaxValue, 20);
        // The drill goes on.
        const int logBefore = logLines();
        f.edt1->setFocus();
        play(QStringLiteral("Space"));
        QCOMPARE(problemsSet(logBefore), 1);
    }

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

    // A listener hears each action once: one announcement per action, in the order the
    // screen shows it, made without the focus moving.
    void announcements_data() {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("limit");  // the limit box's text before the keys
        QTest::addColumn<QString>("spoken"); // PROBLEM stands for the problem now shown
        const auto row = [](const char* name, const char* script, const char* limit,
                            const char* spoken) {
            QTest::newRow(name) << QString::fromLatin1(script) << QString::fromLatin1(limit)
                                << QString::fromUtf8(spoken);
        };
        row("right answer", "ANSWER Enter", "25", "真聪明! 答对了! PROBLEM");
        row("wrong answer", "WRONG Enter", "25", "再想想! 答错了!");
        row("space", "Space", "25", "PROBLEM");
        row("N", "N", "25", "PROBLEM");
        row("ctrl+z", "Ctrl+Z", "25", "正确答案 ANSWER");
        row("the limit reached", "ANSWER Enter", "1", "真聪明! 答对了! 已经做了1道题了,休息吧.");
        row("a digit says nothing", "7", "25", "");
    }

    void announcements() {
        QFETCH(QString, script);
        QFETCH(QString, limit);
        QFETCH(QString, spoken);
        TForm1& f = form();
        auto* announcer = f.findChild<Announcer*>();
        QVERIFY(announcer);
        // The first problem was told once the window was active.
        QTRY_COMPARE(announcer->count(), 1);
        QCOMPARE(announcer->lastAnnouncement(), QStringLiteral("第1题 ") + f.lbl6->text());
        f.lbledt1->setText(limit);
        f.lbledt1->setFocus();
        play(QStringLiteral("End")); // the limit takes effect on a key release
        f.edt1->setFocus();
        spoken.replace(QStringLiteral("ANSWER"), answer());

        play(script);
        QTest::qWait(20);

        spoken.replace(QStringLiteral("PROBLEM"), QStringLiteral("第%1题 %2")
                                                      .arg(f.engine().state().CorrectCount + 1)
                                                      .arg(f.lbl6->text()));
        QCOMPARE(announcer->count(), spoken.isEmpty() ? 1 : 2);
        if (!spoken.isEmpty())
            QCOMPARE(announcer->lastAnnouncement(), spoken);
        QCOMPARE(focusName(), QStringLiteral("edt1"));
        // Nothing a sighted child could meet: no size, no focus, not drawn.
        QVERIFY(announcer->geometry().isEmpty());
        QCOMPARE(announcer->focusPolicy(), Qt::NoFocus);
    }

    void verdictIsPaintedBeforeThePauses() {
        TForm1& f = form();
        int paints = 0;
        struct PaintCounter final : QObject {
            int* count;
            bool eventFilter(QObject*, QEvent* e) override {
                if (e->type() == QEvent::Paint)
                    ++*count;
                return false;
            }
        } counter;
        counter.count = &paints;
        f.lbl2->installEventFilter(&counter);
        QString shownAtFirstPause;
        int paintsAtFirstPause = -1;
        m_pauses.onPause = [&] {
            if (paintsAtFirstPause < 0) {
                paintsAtFirstPause = paints;
                shownAtFirstPause = f.lbl2->text();
            }
        };
        f.edt1->setFocus();
        play(QStringLiteral("ANSWER"));
        paints = 0;
        play(QStringLiteral("Enter"));
        m_pauses.onPause = nullptr;
        QCOMPARE(shownAtFirstPause, QStringLiteral("真聪明!\n答对了!"));
        QVERIFY(paintsAtFirstPause > 0);
    }

    void thousandAnswers() {
        TForm1& f = form();
        f.lbledt1->setFocus();
        play(QStringLiteral("Backspace Backspace 2 0 0 0"));
        f.edt1->setFocus();
        int right = 0, wrong = 0;
        for (int i = 0; i < 1000; ++i) {
            if (i % 4 == 3) {
                play(QStringLiteral("WRONG Enter"));
                ++wrong;
            } else {
                play(QStringLiteral("ANSWER Enter"));
                ++right;
            }
        }
        QCOMPARE(f.engine().state().CorrectCount, right);
        QCOMPARE(f.engine().state().WrongCount, wrong);
        QCOMPARE(f.lbl3->text(), QStringLiteral("正确个数:%1\n错误次数:%2").arg(right).arg(wrong));
        QCOMPARE(f.grp4->title(), QStringLiteral("请计算:第%1题:").arg(right + 1));
        QVERIFY(m_reporter->errors.isEmpty());
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
        QVERIFY(label && label->wordWrap());
        QVERIFY(label->width() <= screen.width() / 2);
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

    void aboutMenuShowsOneAboutWindow() {
        struct NoOpener final : shell::LinkOpener {
            bool open(const std::string&) override { return false; }
            bool runHtmProgramChooser() override { return false; }
        } opener;
        TForm2 about(&form(), form().helpText(), opener);
        form().setAboutWindow(&about);
        QVERIFY(!about.isVisible());
        form().A2->trigger();
        QVERIFY(QTest::qWaitForWindowExposed(&about));
        const QPoint first = about.pos();
        form().A2->trigger();
        int aboutWindows = 0;
        for (QWidget* w : QApplication::topLevelWidgets())
            aboutWindows += qobject_cast<TForm2*>(w) && w->isVisible();
        QCOMPARE(aboutWindows, 1);
        QCOMPARE(about.pos(), first);
        QVERIFY(form().frameGeometry().contains(about.frameGeometry().topLeft()));
        form().setAboutWindow(nullptr);
    }

    void shortcutCommand_data() {
        QTest::addColumn<QString>("desktop"); // "ok", "missing" or "unwritable"
        QTest::newRow("desktop folder present") << QStringLiteral("ok");
        QTest::newRow("desktop folder missing") << QStringLiteral("missing");
        QTest::newRow("shortcut name taken by a folder") << QStringLiteral("unwritable");
    }

    // The menu command through the real platform layer, into a desktop folder of the test's.
    void shortcutCommand() {
        QFETCH(QString, desktop);
        QTemporaryDir home;
        QVERIFY(home.isValid());
        const QString folder = home.filePath(QStringLiteral("桌面"));
        QVERIFY(QDir().mkpath(home.filePath(QStringLiteral("config"))));
        QFile dirs(home.filePath(QStringLiteral("config/user-dirs.dirs")));
        QVERIFY(dirs.open(QIODevice::WriteOnly));
        dirs.write(QStringLiteral("XDG_DESKTOP_DIR=\"%1\"\n").arg(folder).toUtf8());
        dirs.close();
        const QByteArray oldConfig = qgetenv("XDG_CONFIG_HOME");
        qputenv("XDG_CONFIG_HOME", home.filePath(QStringLiteral("config")).toUtf8());
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
        if (oldConfig.isNull())
            qunsetenv("XDG_CONFIG_HOME");
        else
            qputenv("XDG_CONFIG_HOME", oldConfig);

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

    void menu() {
        TForm1& f = form();
        QCOMPARE(f.A1->title(), QStringLiteral("系统(&S)"));
        QCOMPARE(f.L1->text(), QStringLiteral("创建桌面快捷方式(&L)"));
        QCOMPARE(f.A2->text(), QStringLiteral("关于(&A)"));
    }
};

QTEST_MAIN(Form1Test)
#include "form1_test.moc"
