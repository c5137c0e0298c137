// Where the configuration window stands once fitted to the screen.

#include <QtTest>

#include "config/configuration_geometry.h"

using namespace kestrani;

Q_DECLARE_METATYPE(kestrani::WindowRect)

class ConfigurationGeometryTest : public QObject {
    Q_OBJECT
private slots:
    void theWindowSpansTheScreenWidthAnd96PercentOfItsHeight_data() {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::addColumn<WindowRect>("geometry");
        QTest::newRow("1024 × 768: 737.28 is cut to 737") << 1024 << 768 << WindowRect{0, 0, 1024, 737};
        QTest::newRow("800 × 600: exactly 576") << 800 << 600 << WindowRect{0, 0, 800, 576};
        QTest::newRow("1280 × 1024: 983.04 is cut to 983") << 1280 << 1024 << WindowRect{0, 0, 1280, 983};
        QTest::newRow("1920 × 1080: 1036.8 is cut to 1036") << 1920 << 1080 << WindowRect{0, 0, 1920, 1036};
    }
    void theWindowSpansTheScreenWidthAnd96PercentOfItsHeight() {
        QFETCH(int, width);
        QFETCH(int, height);
        QFETCH(WindowRect, geometry);
        QCOMPARE(configurationWindowGeometry({width, height}), geometry);
    }

    void aWindowAsHighAsTheScreenIsLeftAsItStands() {
        QCOMPARE(configurationDesignGeometry, (WindowRect{5, 2, 812, 572}));
        QVERIFY(configurationWindowIsFitted(572, {1024, 572}));
        QVERIFY(configurationWindowIsFitted(572, {640, 572}));
        QVERIFY(!configurationWindowIsFitted(572, {1024, 768}));
        QVERIFY(!configurationWindowIsFitted(572, {800, 600}));
        // A fitted window is 0.96 of the screen high, so the guard does not hold for it.
        QVERIFY(!configurationWindowIsFitted(737, {1024, 768}));
    }
};

QTEST_GUILESS_MAIN(ConfigurationGeometryTest)
#include "configuration_geometry_test.moc"
