// The dithered strip travels as an embedded JPEG and is decoded through
// libjpeg; damaged data is turned away without a picture.

#include <QtTest>
#include <cstdlib>

#include "help/colour_strips.h"
#include "help/jpeg_picture.h"
#include "help/strip_pictures.h"

using namespace kestrani;

namespace {

std::optional<RgbPicture> decode(const QByteArray& data) {
    return decodeJpeg({reinterpret_cast<const std::uint8_t*>(data.constData()), static_cast<std::size_t>(data.size())});
}

// The offset of the first frame header's height field (after FF C0, length, precision).
qsizetype frameSizeOffset(const QByteArray& jpeg) { return jpeg.indexOf("\xFF\xC0") + 5; }

QByteArray withFrameSize(QByteArray jpeg, int height, int width) {
    const qsizetype at = frameSizeOffset(jpeg);
    jpeg[at] = static_cast<char>(height >> 8);
    jpeg[at + 1] = static_cast<char>(height & 0xFF);
    jpeg[at + 2] = static_cast<char>(width >> 8);
    jpeg[at + 3] = static_cast<char>(width & 0xFF);
    return jpeg;
}

}  // namespace

class JpegPictureTest : public QObject {
    Q_OBJECT
private slots:
    void embeddedStripIsABaselineJpegOf360By35() {
        const QByteArray jpeg = ditheredStripJpeg();
        QVERIFY(jpeg.startsWith("\xFF\xD8"));
        QVERIFY(jpeg.contains("\xFF\xC0"));  // baseline frame
        const qsizetype at = frameSizeOffset(jpeg);
        QCOMPARE(static_cast<int>(static_cast<std::uint8_t>(jpeg[at + 4])), 3);  // three components
        // Luma sampled 2 × 2, both chroma components 1 × 1: 4:2:0.
        QCOMPARE(static_cast<int>(static_cast<std::uint8_t>(jpeg[at + 6])), 0x22);
        QCOMPARE(static_cast<int>(static_cast<std::uint8_t>(jpeg[at + 9])), 0x11);
        QCOMPARE(static_cast<int>(static_cast<std::uint8_t>(jpeg[at + 12])), 0x11);
    }

    void stripDecodesTo360By35RgbCloseToTheDitheredPixels() {
        const std::optional<RgbPicture> picture = decode(ditheredStripJpeg());
        QVERIFY(picture);
        QCOMPARE(picture->width, 360);
        QCOMPARE(picture->height, 35);
        QCOMPARE(picture->pixels.size(), std::size_t{360 * 35 * 3});
        const std::vector<PixelRow> source = ditheredStrip();
        for (int column : {5, 57, 117, 165, 235, 297, 328, 355}) {
            for (int row : {4, 17, 30}) {
                const std::size_t i = (static_cast<std::size_t>(row) * 360 + static_cast<std::size_t>(column)) * 3;
                const Rgb expected = source[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
                QVERIFY2(std::abs(picture->pixels[i] - expected.red) < 24 &&
                             std::abs(picture->pixels[i + 1] - expected.green) < 24 &&
                             std::abs(picture->pixels[i + 2] - expected.blue) < 24,
                         qPrintable(QString("column %1 row %2").arg(column).arg(row)));
            }
        }
        const QImage image = ditheredStripPicture();
        QCOMPARE(image.size(), QSize(360, 35));
        QCOMPARE(image.pixelColor(117, 17).rgb(), QColor(picture->pixels[(17 * 360 + 117) * 3],
                                                         picture->pixels[(17 * 360 + 117) * 3 + 1],
                                                         picture->pixels[(17 * 360 + 117) * 3 + 2]).rgb());
    }

    void damagedDataGivesNoPicture_data() {
        QTest::addColumn<QByteArray>("data");
        const QByteArray jpeg = ditheredStripJpeg();
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("garbage") << QByteArray("This is not a picture at all, just some words.");
        QTest::newRow("start marker only") << QByteArray("\xFF\xD8");
        QTest::newRow("cut inside the header") << jpeg.left(200);
        QTest::newRow("cut in the middle") << jpeg.left(jpeg.size() / 2);
        QTest::newRow("end marker missing") << jpeg.left(jpeg.size() - 2);
        QByteArray damagedStart = jpeg;
        damagedStart[0] = '\0';
        QTest::newRow("start marker damaged") << damagedStart;
        QTest::newRow("zero height") << withFrameSize(jpeg, 0, 360);
        QTest::newRow("larger than 8192 a side") << withFrameSize(jpeg, 35, 60000);
        QTest::newRow("declares more rows than it holds") << withFrameSize(jpeg, 3500, 360);
    }

    void damagedDataGivesNoPicture() {
        QFETCH(QByteArray, data);
        QVERIFY(!decode(data));
        QVERIFY(pictureFromJpeg(data).isNull());
    }
};

QTEST_MAIN(JpegPictureTest)
#include "jpeg_picture_test.moc"
