// The main window as it first shows: texts, layout, fonts, tab order, the menu.

#include "tests/main_window/form1_harness.h"

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
#include <QFontDatabase>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

using namespace sumbrook;
using namespace sumbrook::testing;

class Form1LayoutTest final : public QObject, private Form1Harness {
    Q_OBJECT

private Q_SLOTS:
    void init() { QVERIFY(start()); }
    void cleanup() { stop(); }

    void startScreen() {
        TForm1& f = form();
        QCOMPARE(f.windowTitle(), QStringLiteral("Sumbrook"));
        // The sizes a window manager shows; the program file and launcher carry the rest.
        QVERIFY(f.windowIcon().availableSizes().contains(QSize(16, 16)));
        QVERIFY(f.windowIcon().availableSizes().contains(QSize(64, 64)));
        QVERIFY(!f.windowIcon().availableSizes().contains(QSize(256, 256)));
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
    // Beside the geometry table, what would catch a fault the table restates: every control
    // lies inside its parent, and siblings overlap only where the layout means them to.
    void controlsFitTheirParents() {
        // Frames meet along a shared line, and rows of the column touch; a sign stands over
        // the left of its row (the numbers are right-aligned); the log lies over the feedback.
        const QSet<QPair<QString, QString>> meantToOverlap = {
            {QStringLiteral("lbl8"), QStringLiteral("lbl1")},
            {QStringLiteral("lbl9"), QStringLiteral("lbl4")},
            {QStringLiteral("grp8"), QStringLiteral("mmo1")},
        };
        constexpr int kShared = 4; // pixels two frames may share along an edge
        QList<QWidget*> widgets;   // the window's own controls, not the parts Qt makes of them
        for (QWidget* w : form().centralWidget()->findChildren<QWidget*>())
            if (!w->objectName().startsWith(QLatin1String("qt_")) &&
                !w->parentWidget()->objectName().startsWith(QLatin1String("qt_")))
                widgets << w;
        int checked = 0;
        for (QWidget* w : widgets) {
            if (w->objectName().isEmpty() || w->isWindow() || w->parentWidget() == nullptr)
                continue;
            const QWidget* parent = w->parentWidget();
            QVERIFY2(
                w->geometry().isEmpty() || parent->rect().contains(w->geometry()),
                qPrintable(w->objectName() + QStringLiteral(" leaves ") + parent->objectName()));
            for (QWidget* other : widgets) {
                if (other == w || other->parentWidget() != parent ||
                    other->objectName().isEmpty() || w->objectName() > other->objectName())
                    continue;
                const QRect both = w->geometry() & other->geometry();
                const bool meant =
                    meantToOverlap.contains({w->objectName(), other->objectName()}) ||
                    meantToOverlap.contains({other->objectName(), w->objectName()});
                QVERIFY2(both.isEmpty() || meant || qMin(both.width(), both.height()) <= kShared,
                         qPrintable(w->objectName() + QStringLiteral(" overlaps ") +
                                    other->objectName()));
            }
            ++checked;
        }
        QVERIFY(checked >= 31);
    }

    // Every text the window shows is drawn in a face that has Simplified Chinese.
    void textsHaveAChineseFace() {
        QList<QPair<QWidget*, QString>> texts;
        for (QWidget* w : form().findChildren<QWidget*>()) {
            if (auto* label = qobject_cast<QLabel*>(w))
                texts << qMakePair(w, label->text());
            else if (auto* box = qobject_cast<QGroupBox*>(w))
                texts << qMakePair(w, box->title());
            else if (auto* button = qobject_cast<QAbstractButton*>(w))
                texts << qMakePair(w, button->text());
        }
        texts << qMakePair(static_cast<QWidget*>(form().menuBar()), form().A1->title());
        int chinese = 0;
        for (const auto& [widget, text] : texts) {
            if (!text.contains(QRegularExpression(QStringLiteral("[\\x{4e00}-\\x{9fff}]"))))
                continue;
            const QString family = QFontInfo(widget->font()).family();
            QVERIFY2(
                QFontDatabase::writingSystems(family).contains(QFontDatabase::SimplifiedChinese),
                qPrintable(widget->objectName() + QStringLiteral(": ") + family));
            ++chinese;
        }
        QVERIFY(chinese >= 19); // the labels, frames, switches, choices, button and menu
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
    // The two/three choice is entered at its selected item, from either side, and left
    // with the next Tab; the rest of the order stays.
    void choiceEnteredAtItsSelectedItem_data() {
        QTest::addColumn<QString>("selected");
        QTest::addColumn<QString>("from");
        QTest::addColumn<bool>("backwards");
        QTest::addColumn<QStringList>("visited");
        const auto row = [](const char* name, const char* selected, const char* from,
                            bool backwards, const char* visited) {
            QTest::newRow(name) << QString::fromLatin1(selected) << QString::fromLatin1(from)
                                << backwards
                                << QString::fromLatin1(visited).split(QLatin1Char(' '));
        };
        row("three selected, the whole round", "rg2Three", "edt1", false,
            "btn1 edt3 rg2Three edt2 lbledt1 chkadd chkdel edt1");
        row("two selected, the whole round", "rg2Two", "edt1", false,
            "btn1 edt3 rg2Two edt2 lbledt1 chkadd chkdel edt1");
        row("three selected, backwards", "rg2Three", "edt2", true, "rg2Three edt3 btn1");
        row("two selected, backwards", "rg2Two", "lbledt1", true, "edt2 rg2Two edt3");
    }
    void choiceEnteredAtItsSelectedItem() {
        QFETCH(QString, selected);
        QFETCH(QString, from);
        QFETCH(bool, backwards);
        QFETCH(QStringList, visited);
        TForm1& f = form();
        f.findChild<QRadioButton*>(selected)->click();
        f.findChild<QWidget*>(from)->setFocus();
        QStringList seen;
        for (qsizetype i = 0; i < visited.size(); ++i) {
            key(backwards ? Qt::Key_Backtab : Qt::Key_Tab,
                backwards ? Qt::ShiftModifier : Qt::NoModifier);
            seen << focusName();
        }
        QCOMPARE(seen, visited);
    }
    void arrowKeysStillMoveWithinTheChoice() {
        TForm1& f = form();
        f.rg2Three->setFocus();
        key(Qt::Key_Up);
        QVERIFY(f.rg2Two->isChecked());
        f.rg2Two->setFocus();
        key(Qt::Key_Down);
        QVERIFY(f.rg2Three->isChecked());
    }
    void fontsAndColours() {
        TForm1& f = form();
        QCOMPARE(f.edt1->font().pixelSize(), 56);
        QCOMPARE(f.lbl2->font().pixelSize(), 56);
        QCOMPARE(f.lbl6->font().pixelSize(), 48);
        QCOMPARE(f.lbl3->font().pixelSize(), 32);
        QCOMPARE(f.btn1->font().pixelSize(), 35);
        // YaHei is named where it is installed; elsewhere the CJK face that draws it, where
        // the font list has that one (wine's does not: there the name stays).
        const QString yaHei = QStringLiteral("微软雅黑");
        const QString cjk = QStringLiteral("WenQuanYi Micro Hei");
        QCOMPARE(f.lbl6->font().family(),
                 QFontDatabase::styles(yaHei).isEmpty() && !QFontDatabase::styles(cjk).isEmpty()
                     ? cjk
                     : yaHei);
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
            void open(const std::string&, Done done) override { done(false); }
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
    void menu() {
        TForm1& f = form();
        QCOMPARE(f.A1->title(), QStringLiteral("系统(&S)"));
        QCOMPARE(f.L1->text(), QStringLiteral("创建桌面快捷方式(&L)"));
        QCOMPARE(f.A2->text(), QStringLiteral("关于(&A)"));
    }
    void aboutMenuShowsOneAboutWindow() {
        struct NoOpener final : shell::LinkOpener {
            void open(const std::string&, Done done) override { done(false); }
            bool runHtmProgramChooser() override { return false; }
        };
        // Outlives the window, which is destroyed with the main window after the test.
        static NoOpener opener;
        const auto aboutWindows = [] {
            int windows = 0;
            for (QWidget* w : QApplication::topLevelWidgets())
                windows += qobject_cast<TForm2*>(w) != nullptr;
            return windows;
        };
        // Without an opener there is no About window to show.
        form().A2->trigger();
        QCOMPARE(form().aboutWindow(), nullptr);
        // Start-up makes none; the first A2 makes it, centred over the main window.
        form().setLinkOpener(&opener);
        QCOMPARE(aboutWindows(), 0);
        form().A2->trigger();
        TForm2* about = form().aboutWindow();
        QVERIFY(about);
        QVERIFY(QTest::qWaitForWindowExposed(about));
        QCOMPARE(aboutWindows(), 1);
        const QPoint first = about->pos();
        QVERIFY(form().frameGeometry().contains(about->frameGeometry().topLeft()));
        const QSize frame = form().frameGeometry().size() - form().size();
        QCOMPARE(first, centredOver(form().frameGeometry(), about->size() + frame));
        // It copied the help text when it was made.
        auto* helpLabel = about->findChild<TDrawnLabel*>(QStringLiteral("lbl1"));
        QVERIFY(helpLabel);
        QCOMPARE(helpLabel->caption(), form().helpText());
        form().A2->trigger();
        QCOMPARE(form().aboutWindow(), about);
        QCOMPARE(aboutWindows(), 1);
        QCOMPARE(about->pos(), first);
        // Moved, closed and asked for again, it is the same window where it was left.
        about->move(first + QPoint(17, 9));
        about->hide();
        form().A2->trigger();
        QCOMPARE(form().aboutWindow(), about);
        QVERIFY(about->isVisible());
        QCOMPARE(about->pos(), first + QPoint(17, 9));
        QCOMPARE(aboutWindows(), 1);
    }
};

QTEST_MAIN(Form1LayoutTest)
#include "form1_layout_test.moc"
