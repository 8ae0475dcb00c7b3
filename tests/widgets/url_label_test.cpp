// The link label: which target a click opens, the program chooser after a failed ".htm",
// the visited colour, the role a screen reader is told and the engraved disabled look.

#include "tests/widgets/fake_link_opener.h"
#include "tests/widgets/label_pixels.h"
#include "widgets/url_label.h"

#include <QAccessible>
#include <QTest>

#include <memory>

using sumbrook::TUrlLabel;
using sumbrook::test::FakeLinkOpener;
using sumbrook::test::grabbed;

namespace {
const QColor kPurple(128, 0, 128);
}

class UrlLabelTest final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void click_data() {
        QTest::addColumn<QString>("url");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<bool>("succeeds");
        QTest::addColumn<QString>("opened"); // null: nothing opened
        QTest::addColumn<int>("chooserRuns");
        const QString page = QStringLiteral("https://a.example/");
        const QString padded = QStringLiteral(" \t") + page + QStringLiteral("  ");
        QTest::newRow("address as stored") << page << QStringLiteral("x") << true << page << 0;
        QTest::newRow("blanks around the address kept")
            << padded << QString() << true << padded << 0;
        QTest::newRow("address of blanks: the caption")
            << QStringLiteral(" \t\r\n") << page << true << page << 0;
        QTest::newRow("both blank: nothing")
            << QStringLiteral("  ") << QStringLiteral(" \x01\x1f") << true << QString() << 0;
        QTest::newRow("failed .htm") << QStringLiteral("C:\\docs\\help.htm") << QString() << false
                                     << QStringLiteral("C:\\docs\\help.htm") << 1;
        QTest::newRow("failed .HTM") << QStringLiteral("c:HELP.HTM") << QString() << false
                                     << QStringLiteral("c:HELP.HTM") << 1;
        QTest::newRow("failed .Htm")
            << QString() << QStringLiteral("help.Htm") << false << QStringLiteral("help.Htm") << 1;
        QTest::newRow("failed .html") << QStringLiteral("help.html") << QString() << false
                                      << QStringLiteral("help.html") << 0;
        QTest::newRow("failed, no extension") << page << QString() << false << page << 0;
        QTest::newRow("failed, .htm folder") << QStringLiteral("c:\\a.htm\\b") << QString() << false
                                             << QStringLiteral("c:\\a.htm\\b") << 0;
    }
    void click() {
        QFETCH(QString, url);
        QFETCH(QString, caption);
        QFETCH(bool, succeeds);
        QFETCH(QString, opened);
        QFETCH(int, chooserRuns);
        FakeLinkOpener opener;
        opener.succeeds = succeeds;
        TUrlLabel label(opener);
        label.setCaption(caption);
        label.setUrl(url);
        const QColor before = label.fontColor();

        QTest::mouseClick(&label, Qt::LeftButton);

        const auto expected = opened.isNull() ? std::vector<std::string>{}
                                              : std::vector<std::string>{opened.toStdString()};
        QCOMPARE(opener.opened, expected);
        QCOMPARE(opener.chooserRuns, chooserRuns);
        const bool visited = succeeds && !opened.isNull();
        QCOMPARE(label.visited(), visited);
        QCOMPARE(label.fontColor(), visited ? kPurple : before);
    }

    // The opener's answer may come later: only a success makes the link visited, a
    // failure of a ".htm" target then offers the program chooser, and a label gone by then
    // is left alone.
    void answerThatComesLater_data() {
        QTest::addColumn<QString>("url");
        QTest::addColumn<bool>("succeeds");
        QTest::addColumn<int>("chooserRuns");
        QTest::newRow("success") << QStringLiteral("https://a.example/") << true << 0;
        QTest::newRow("failure") << QStringLiteral("https://a.example/") << false << 0;
        QTest::newRow("failed .htm") << QStringLiteral("help.htm") << false << 1;
    }
    void answerThatComesLater() {
        QFETCH(QString, url);
        QFETCH(bool, succeeds);
        QFETCH(int, chooserRuns);
        FakeLinkOpener opener;
        opener.answersLater = true;
        TUrlLabel label(opener);
        label.setUrl(url);
        const QColor before = label.fontColor();
        QTest::mouseClick(&label, Qt::LeftButton);
        QVERIFY(!label.visited());
        QCOMPARE(opener.chooserRuns, 0);
        opener.answer(succeeds);
        QCOMPARE(label.visited(), succeeds);
        QCOMPARE(label.fontColor(), succeeds ? kPurple : before);
        QCOMPARE(opener.chooserRuns, chooserRuns);
    }
    void answerAfterTheLabelIsGone() {
        FakeLinkOpener opener;
        opener.answersLater = true;
        auto label = std::make_unique<TUrlLabel>(opener);
        label->setUrl(QStringLiteral("help.htm"));
        QTest::mouseClick(label.get(), Qt::LeftButton);
        label.reset();
        opener.answer(false);
        QCOMPARE(opener.chooserRuns, 0);
    }

    void staysVisitedAfterMoreClicks() {
        FakeLinkOpener opener;
        TUrlLabel label(opener);
        label.setUrl(QStringLiteral("https://a.example/"));
        QTest::mouseClick(&label, Qt::LeftButton);
        opener.succeeds = false;
        QTest::mouseClick(&label, Qt::LeftButton);
        QCOMPARE(opener.opened.size(), size_t{2});
        QVERIFY(label.visited());
        QCOMPARE(label.fontColor(), kPurple);
    }

    void setVisitedReappliesTheLinkColor() {
        FakeLinkOpener opener;
        TUrlLabel label(opener);
        const QColor unvisited = label.fontColor();
        label.setFontColor(Qt::green);
        // Setting the current value changes nothing.
        label.setVisited(label.visited());
        QCOMPARE(label.fontColor(), QColor(Qt::green));

        label.setVisited(true);
        QCOMPARE(label.fontColor(), kPurple);
        label.setVisited(false);
        QCOMPARE(label.fontColor(), unvisited);
    }

    // A link label is a link to a screen reader, with a press action that follows it; a
    // plain drawn label is static text without one.
    void accessibleRoleAndAction() {
        FakeLinkOpener opener;
        TUrlLabel link(opener);
        link.setUrl(QStringLiteral("https://a.example/"));
        sumbrook::TDrawnLabel plain;
        QAccessibleInterface* linkInterface = QAccessible::queryAccessibleInterface(&link);
        QAccessibleInterface* plainInterface = QAccessible::queryAccessibleInterface(&plain);
        QCOMPARE(linkInterface->role(), QAccessible::Link);
        QCOMPARE(plainInterface->role(), QAccessible::StaticText);
        QVERIFY(plainInterface->actionInterface() == nullptr ||
                plainInterface->actionInterface()->actionNames().isEmpty());
        QAccessibleActionInterface* press = linkInterface->actionInterface();
        QVERIFY(press != nullptr);
        QCOMPARE(press->actionNames(), QStringList{QAccessibleActionInterface::pressAction()});
        press->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(opener.opened, std::vector<std::string>{"https://a.example/"});
        link.setEnabled(false);
        QVERIFY(press->actionNames().isEmpty());
    }

    void disabledIsEngraved() {
        FakeLinkOpener opener;
        QWidget parent;
        parent.setPalette(QPalette(QColor(200, 220, 240)));
        TUrlLabel label(opener, &parent);
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setPixelSize(16);
        font.setStyleStrategy(QFont::NoAntialias); // every pixel one colour or another
        label.setFont(font);
        label.setCaption(QStringLiteral("Sumbrook &Link"));
        parent.show();
        const QRgb link = label.fontColor().rgb();
        const QRgb background = label.color().rgb();
        const QRgb light = label.palette().color(QPalette::Light).rgb();
        const QRgb dark = label.palette().color(QPalette::Dark).rgb();
        QCOMPARE(QSet<QRgb>({link, background, light, dark}).size(), 4);

        const QImage enabled = grabbed(label);
        label.setEnabled(false);
        const QImage disabled = grabbed(label);

        // The enabled glyphs in the shadow colour, over the same glyphs one pixel right
        // and down in the highlight colour.
        for (int y = 0; y < disabled.height(); ++y) {
            for (int x = 0; x < disabled.width(); ++x) {
                const bool shifted = x > 0 && y > 0 && enabled.pixel(x - 1, y - 1) == link;
                const QRgb expected = enabled.pixel(x, y) == link ? dark
                                      : shifted                   ? light
                                                                  : background;
                QVERIFY2(disabled.pixel(x, y) == expected,
                         qPrintable(QStringLiteral("%1,%2").arg(x).arg(y)));
            }
        }
        QVERIFY(sumbrook::test::count(disabled, light) > 20);
        QVERIFY(sumbrook::test::count(disabled, dark) > 20);
    }
};

QTEST_MAIN(UrlLabelTest)
#include "url_label_test.moc"
