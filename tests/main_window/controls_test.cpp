// The help text's fitting: the predicted size, confirmed a step either way, must be the
// size that trying every pixel size from the top gives.

#include "main_window/controls.h"
#include "main_window/form1_texts.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QTest>

using namespace sumbrook;

namespace {

// Every size from the font's own downwards; the first that fits, or 2 px.
int fittingByTryingEverySize(QFont font, const QRect& box, int flags, const QString& text) {
    int pixels = font.pixelSize();
    for (; pixels > 1; --pixels) {
        font.setPixelSize(pixels);
        const QRect needed = QFontMetrics(font).boundingRect(box, flags, text);
        if (needed.width() <= box.width() && needed.height() <= box.height())
            break;
    }
    return std::max(pixels, std::min(2, font.pixelSize()));
}

} // namespace

class ControlsTest final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void fittedSizeIsTheLargestThatFits_data() {
        QTest::addColumn<QString>("face");
        QTest::addColumn<int>("largest");
        QTest::addColumn<QSize>("box");
        QTest::addColumn<int>("flags");
        QTest::addColumn<QString>("text");
        const QString help = controls::forDisplay(form1_texts::kHelpText);
        const QString latin = QStringLiteral("Sumbrook\nkeys\nEnter judges the answer");
        const QString faces[] = {QString::fromUtf8(form1_texts::kCjkFace),
                                 QStringLiteral("DejaVu Sans"), QStringLiteral("DejaVu Serif"),
                                 QString::fromUtf8(form1_texts::kDefaultFace)};
        // The help box at 1x, 1.25x, 1.5x and 2x, boxes far too small and roomy, and a
        // sweep of boxes where rounding makes the prediction miss by a size.
        QList<QSize> boxes = {{121, 65}, {151, 81}, {181, 97}, {242, 130},
                              {40, 20},  {8, 4},    {400, 300}};
        for (int step = 0; step < 12; ++step)
            boxes.append({60 + 13 * step, 30 + 7 * step});
        for (const QString& face : faces)
            for (int largest : {11, 16, 24, 48})
                for (const QSize& box : boxes)
                    for (int flags : {int(Qt::AlignLeft | Qt::AlignTop), int(Qt::AlignHCenter)})
                        for (const QString& text : {help, latin})
                            QTest::addRow("%s %dpx %dx%d %x %s", qPrintable(face), largest,
                                          box.width(), box.height(), flags,
                                          text == help ? "help" : "latin")
                                << face << largest << box << flags << text;
    }
    void fittedSizeIsTheLargestThatFits() {
        QFETCH(QString, face);
        QFETCH(int, largest);
        QFETCH(QSize, box);
        QFETCH(int, flags);
        QFETCH(QString, text);
        QFont font(face);
        font.setPixelSize(largest);
        const QRect rect(QPoint(0, 0), box);
        QCOMPARE(controls::fittingPixelSize(font, rect, flags, text),
                 fittingByTryingEverySize(font, rect, flags, text));
    }
    void missingFacesAreDrawnByTheCjkFace() {
        const QString cjk = QString::fromUtf8(form1_texts::kCjkFace);
        // Linux test machines have it; wine's font list knows it by another name, and then a
        // missing face keeps its name for the substitutes to resolve.
        const bool cjkInstalled = !QFontDatabase::styles(cjk).isEmpty();
        const QString missing = cjkInstalled ? cjk : QStringLiteral("No Such Face 4711");
        QCOMPARE(controls::installedFace(form1_texts::kCjkFace), cjk);
        QCOMPARE(controls::installedFace("No Such Face 4711"), missing);
        // Asked again, the answer is the same (it is remembered).
        QCOMPARE(controls::installedFace("No Such Face 4711"), missing);
        for (const char* face : {form1_texts::kYaHei, form1_texts::kDefaultFace})
            QCOMPARE(controls::installedFace(face),
                     cjkInstalled && QFontDatabase::styles(QString::fromUtf8(face)).isEmpty()
                         ? cjk
                         : QString::fromUtf8(face));
#ifndef Q_OS_WIN
        QVERIFY(cjkInstalled); // the package list installs it
#endif
    }
    void emptyTextKeepsTheFontsSize() {
        QFont font(QString::fromUtf8(form1_texts::kCjkFace));
        font.setPixelSize(11);
        QCOMPARE(controls::fittingPixelSize(font, QRect(0, 0, 121, 65), 0, QString()), 11);
    }
};

QTEST_MAIN(ControlsTest)
#include "controls_test.moc"
