// The installed icons are the configuration window's logo, scaled to each size.

#include <QDir>
#include <QImage>
#include <QSet>
#include <QtTest>
#include <cmath>

#include "config/configuration_pictures.h"

class IconTest : public QObject {
    Q_OBJECT
private slots:
    void iconShowsTheLogo_data() {
        QTest::addColumn<int>("size");
        for (int size : {16, 24, 32, 48, 64, 128, 256})
            QTest::newRow(qPrintable(QString::number(size))) << size;
    }

    void iconShowsTheLogo() {
        QFETCH(int, size);
        const QString path = QStringLiteral("%1/%2x%2/apps/kestrani.png").arg(qEnvironmentVariable("KESTRANI_ICON_DIR")).arg(size);
        const QImage icon(path);
        QVERIFY2(!icon.isNull(), qPrintable(path));
        QCOMPARE(icon.size(), QSize(size, size));
        QVERIFY(icon.hasAlphaChannel());

        // Wherever the logo is one flat colour (or transparent) over a
        // neighbourhood wider than an icon pixel, the icon shows that colour:
        // the logo's 90 × 87 fills the icon's width, centred in its height.
        const QImage logo = kestrani::logoPicture().toImage().convertToFormat(QImage::Format_ARGB32);
        const QImage scaled = icon.convertToFormat(QImage::Format_ARGB32);
        const double scale = size / 90.0;
        const int reach = static_cast<int>(std::ceil(1.0 / scale)) + 1;
        QSet<QRgb> colours;
        int compared = 0;
        for (int y = reach; y < logo.height() - reach; y += 2) {
            for (int x = reach; x < logo.width() - reach; x += 2) {
                const QRgb colour = logo.pixel(x, y);
                bool flat = true;
                for (int dy = -reach; dy <= reach && flat; ++dy)
                    for (int dx = -reach; dx <= reach && flat; ++dx)
                        flat = logo.pixel(x + dx, y + dy) == colour;
                if (!flat)
                    continue;
                const QRgb shown = scaled.pixel(static_cast<int>((x + 0.5) * scale), static_cast<int>((y + 2.0) * scale));
                const auto near = [](int a, int b) { return std::abs(a - b) <= 8; };
                QVERIFY2(near(qAlpha(shown), qAlpha(colour)) &&
                             (qAlpha(colour) == 0 || (near(qRed(shown), qRed(colour)) && near(qGreen(shown), qGreen(colour)) &&
                                                      near(qBlue(shown), qBlue(colour)))),
                         qPrintable(QStringLiteral("logo %1,%2 is #%3, icon shows #%4")
                                        .arg(x).arg(y).arg(colour, 8, 16, QLatin1Char('0')).arg(shown, 8, 16, QLatin1Char('0'))));
                colours.insert(qAlpha(colour) == 0 ? 0 : colour);
                ++compared;
            }
        }
        // The six coloured facets and the transparent background were all compared.
        QCOMPARE(colours.size(), 7);
        QVERIFY(compared > 20);
    }
};

QTEST_MAIN(IconTest)
#include "icon_test.moc"
