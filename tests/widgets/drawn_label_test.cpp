// The self-drawn label's text, automatic sizing and hover; the hand cursor.

#include "tests/widgets/fake_link_opener.h"
#include "tests/widgets/label_pixels.h"
#include "widgets/cursor_table.h"
#include "widgets/drawn_label.h"
#include "widgets/url_label.h"

#include <QAccessible>
#include <QEnterEvent>
#include <QTest>

using sumbrook::OsPlatform;
using sumbrook::TDrawnLabel;

class DrawnLabelTest final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void text_data() {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("shown");
        QTest::newRow("CR, CR LF and LF break once")
            << QStringLiteral("a\rb\r\nc\nd") << QStringLiteral("a\nb\nc\nd");
        QTest::newRow("accelerator marker")
            << QStringLiteral("关于(&A)") << QStringLiteral("关于(A)");
        QTest::newRow("double marker shows one") << QStringLiteral("A&&B") << QStringLiteral("A&B");
    }
    void text() {
        QFETCH(QString, caption);
        QFETCH(QString, shown);
        QWidget parent;
        TDrawnLabel label(&parent);
        label.setCaption(caption);
        parent.show();
        // A screen reader gets what is drawn: one text line per shown line.
        QCOMPARE(QAccessible::queryAccessibleInterface(&label)->text(QAccessible::Name), shown);
        const QImage drawn = sumbrook::test::grabbed(label);
        QCOMPARE(sumbrook::test::inkLines(drawn, label.color().rgb()).size(),
                 shown.count(QLatin1Char('\n')) + 1);
    }

    void autoSizeKeepsTheAlignedEdge_data() {
        QTest::addColumn<int>("alignment");
        QTest::addColumn<int>("left");
        QTest::addColumn<int>("right");
        QTest::newRow("left") << int(Qt::AlignLeft) << 100 << -1;
        QTest::newRow("right") << int(Qt::AlignRight) << -1 << 119;
    }
    void autoSizeKeepsTheAlignedEdge() {
        QFETCH(int, alignment);
        QFETCH(int, left);
        QFETCH(int, right);
        QWidget parent;
        TDrawnLabel label(&parent);
        label.setAlignment(Qt::Alignment(alignment));
        label.setGeometry(100, 10, 20, 5);
        label.setCaption(QStringLiteral("A longer caption"));
        QVERIFY(label.width() > 40 && label.height() > 5);
        QCOMPARE(left < 0 ? label.geometry().right() : label.x(), left < 0 ? right : left);
    }

    // Hovering tells who listens and keeps the colour.
    void hover() {
        TDrawnLabel label;
        label.setFontColor(Qt::darkGreen);
        int entered = 0;
        int left = 0;
        connect(&label, &TDrawnLabel::mouseEntered, this, [&] { ++entered; });
        connect(&label, &TDrawnLabel::mouseLeft, this, [&] { ++left; });

        QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
        QCoreApplication::sendEvent(&label, &enter);
        QCOMPARE(label.fontColor(), QColor(Qt::darkGreen));
        QCOMPARE(entered, 1);
        QEvent leave(QEvent::Leave);
        QCoreApplication::sendEvent(&label, &leave);
        QCOMPARE(label.fontColor(), QColor(Qt::darkGreen));
        QCOMPARE(left, 1);
    }

    void ownHandOnlyOnOldSystems_data() {
        QTest::addColumn<int>("platform");
        QTest::addColumn<int>("major");
        QTest::addColumn<int>("minor");
        QTest::addColumn<bool>("own");
        QTest::newRow("Windows 95") << int(OsPlatform::Windows9x) << 4 << 0 << true;
        QTest::newRow("Windows 98") << int(OsPlatform::Windows9x) << 4 << 10 << false;
        QTest::newRow("Windows NT 3.51") << int(OsPlatform::WindowsNT) << 3 << 51 << true;
        QTest::newRow("Windows NT 4.0") << int(OsPlatform::WindowsNT) << 4 << 0 << true;
        QTest::newRow("Windows 2000") << int(OsPlatform::WindowsNT) << 5 << 0 << false;
        QTest::newRow("Linux 4.0") << int(OsPlatform::Other) << 4 << 0 << false;
    }
    void ownHandOnlyOnOldSystems() {
        QFETCH(int, platform);
        QFETCH(int, major);
        QFETCH(int, minor);
        QFETCH(bool, own);
        QCOMPARE(sumbrook::needsOwnHandCursor(OsPlatform(platform), major, minor), own);
    }

    void handCursors() {
        const QCursor own = sumbrook::handCursor(true);
        QCOMPARE(own.shape(), Qt::BitmapCursor);
        QCOMPARE(own.pixmap().size(), QSize(32, 32));
        QCOMPARE(own.hotSpot(), QPoint(6, 0));
        {
            sumbrook::test::FakeLinkOpener opener;
            sumbrook::TUrlLabel label(opener);
            QCOMPARE(label.cursor().shape(), Qt::PointingHandCursor);
        }
        // The registration outlives the label.
        QCOMPARE(sumbrook::CursorTable::get(sumbrook::kHandCursorNumber).shape(),
                 Qt::PointingHandCursor);
    }
};

QTEST_MAIN(DrawnLabelTest)
#include "drawn_label_test.moc"
