// The picture decoder against Qt's own reader on both colour paths, damaged data, and
// the picture box's proportional fit.

#include "about/jpeg_picture.h"
#include "about/picture_box.h"
#include "assets/assets.h"
#include "engine/exceptions.h"
#include "tests/widgets/label_pixels.h"

#include <QBuffer>
#include <QFile>
#include <QTest>

using sumbrook::PictureColors;

Q_DECLARE_METATYPE(sumbrook::PictureColors)

namespace {

QByteArray aboutPicture() {
    QFile file(QString::fromUtf8(sumbrook::assets::kAboutPicture));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Gradients and hard edges, written by Qt.
QByteArray madeJpeg(int width, int height, QImage::Format format) {
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            image.setPixel(x, y,
                           qRgb(x * 255 / width, y * 255 / height, (x / 16 + y / 16) % 2 * 200));
        }
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.convertToFormat(format).save(&buffer, "JPG", 92);
    return bytes;
}

double meanAbsoluteDifference(const QImage& a, const QImage& b) {
    const QImage left = a.convertToFormat(QImage::Format_RGB888);
    const QImage right = b.convertToFormat(QImage::Format_RGB888);
    double sum = 0;
    for (int y = 0; y < left.height(); ++y) {
        for (int i = 0; i < 3 * left.width(); ++i) {
            sum += std::abs(left.constScanLine(y)[i] - right.constScanLine(y)[i]);
        }
    }
    return sum / (3.0 * left.width() * left.height());
}

} // namespace

class JpegPictureTest final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QVERIFY(sumbrook::assets::ensureResources()); }

    void decodesLikeQt_data() {
        QTest::addColumn<QByteArray>("jpeg");
        QTest::addColumn<PictureColors>("colors");
        QTest::addColumn<double>("tolerance");
        const std::pair<const char*, QByteArray> pictures[] = {
            {"About picture", aboutPicture()},
            {"landscape", madeJpeg(300, 117, QImage::Format_RGB32)},
            {"grey", madeJpeg(64, 80, QImage::Format_Grayscale8)}};
        for (const auto& [name, jpeg] : pictures) {
            QTest::addRow("%s, 24-bit", name) << jpeg << PictureColors::TrueColor << 3.0;
            QTest::addRow("%s, 236 colours", name) << jpeg << PictureColors::Palette236 << 12.0;
        }
    }
    void decodesLikeQt() {
        QFETCH(QByteArray, jpeg);
        QFETCH(PictureColors, colors);
        QFETCH(double, tolerance);
        const QImage reference = QImage::fromData(jpeg, "JPG");
        QVERIFY(!reference.isNull());

        const QImage decoded = sumbrook::decodeJpeg(jpeg, colors);

        QCOMPARE(decoded.size(), reference.size());
        const bool palette = colors == PictureColors::Palette236;
        QCOMPARE(decoded.format(), palette ? QImage::Format_Indexed8 : QImage::Format_RGB888);
        if (palette) {
            QVERIFY(decoded.colorCount() > 1 && decoded.colorCount() <= 236);
        }
        const double difference = meanAbsoluteDifference(decoded, reference);
        QVERIFY2(difference < tolerance, qPrintable(QString::number(difference)));
    }

    void damagedDataThrows_data() {
        QTest::addColumn<QByteArray>("jpeg");
        const QByteArray good = madeJpeg(120, 90, QImage::Format_RGB32);
        QByteArray endInScan = good;
        endInScan.replace(good.size() / 2, 2, QByteArray("\xff\xd9", 2));
        QByteArray huge = good;
        const qsizetype frame = good.indexOf(QByteArray("\xff\xc0", 2));
        huge[frame + 5] = huge[frame + 7] = char(0xff); // 65 280 x 65 280 pixels
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("not a JPEG") << QByteArray("Sumbrook, not a picture");
        QTest::newRow("only the header") << good.left(200);
        QTest::newRow("cut in half") << good.left(good.size() / 2);
        QTest::newRow("end marker inside the scan") << endInScan;
        QTest::newRow("frame too large") << huge;
    }
    void damagedDataThrows() {
        QFETCH(QByteArray, jpeg);
        QVERIFY_THROWS_EXCEPTION(sumbrook::Exception,
                                 sumbrook::decodeJpeg(jpeg, PictureColors::TrueColor));
        QVERIFY_THROWS_EXCEPTION(sumbrook::Exception,
                                 sumbrook::decodeJpeg(jpeg, PictureColors::Palette236));
    }

    void fit_data() {
        QTest::addColumn<QSize>("picture");
        QTest::addColumn<QSize>("box");
        QTest::addColumn<QSize>("drawn");
        QTest::newRow("About picture") << QSize(227, 278) << QSize(234, 278) << QSize(227, 278);
        QTest::newRow("landscape fills the width")
            << QSize(400, 100) << QSize(234, 278) << QSize(234, 58);
        QTest::newRow("landscape too tall fills the height")
            << QSize(300, 299) << QSize(100, 50) << QSize(50, 50);
        QTest::newRow("portrait fills the height")
            << QSize(100, 200) << QSize(234, 278) << QSize(139, 278);
        QTest::newRow("portrait too wide fills the width")
            << QSize(200, 201) << QSize(100, 278) << QSize(100, 100);
        QTest::newRow("square counts as portrait")
            << QSize(50, 50) << QSize(234, 278) << QSize(234, 234);
        QTest::newRow("truncated, not rounded") << QSize(3, 7) << QSize(10, 10) << QSize(4, 10);
        QTest::newRow("no overflow")
            << QSize(2000000000, 1999999999) << QSize(2000000000, 1000) << QSize(1000, 1000);
        QTest::newRow("empty picture") << QSize(0, 10) << QSize(234, 278) << QSize(0, 0);
    }
    void fit() {
        QFETCH(QSize, picture);
        QFETCH(QSize, box);
        QFETCH(QSize, drawn);
        QCOMPARE(sumbrook::fitPicture(picture.width(), picture.height(), box.width(), box.height()),
                 drawn);
    }

    void boxDrawsOnlyAtTheTopLeft() {
        QWidget parent;
        parent.setPalette(QPalette(QColor(10, 200, 30)));
        sumbrook::TPictureBox box(&parent);
        box.setGeometry(4, 8, 234, 278);
        QImage red(100, 200, QImage::Format_RGB32);
        red.fill(QColor(250, 0, 0));
        box.setPicture(red);
        parent.show();
        const QImage shown = parent.grab().toImage().convertToFormat(QImage::Format_RGB32);
        // 139 x 278 from the box's corner; the parent shows around it.
        QCOMPARE(sumbrook::test::count(shown.copy(4, 8, 139, 278), qRgb(250, 0, 0)), 139 * 278);
        for (const QPoint at : {QPoint(143, 8), QPoint(237, 285), QPoint(3, 8), QPoint(4, 7)}) {
            QCOMPARE(QColor(shown.pixel(at)), QColor(10, 200, 30));
        }
    }
};

QTEST_MAIN(JpegPictureTest)
#include "jpeg_picture_test.moc"
