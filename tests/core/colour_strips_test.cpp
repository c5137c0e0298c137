// The three colour test strips of the monitor settings page.

#include <QtTest>
#include <set>

#include "help/colour_strips.h"

using namespace kestrani;

Q_DECLARE_METATYPE(kestrani::Rgb)

namespace {

QString show(Rgb c) { return QString("(%1, %2, %3)").arg(c.red).arg(c.green).arg(c.blue); }

Rgb at(const std::vector<PixelRow>& strip, int row, int column) {
    return strip[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
}

struct Run {
    Rgb colour;
    int first;
};

// The row as runs of one colour, left to right.
std::vector<Run> runs(const PixelRow& row) {
    std::vector<Run> result;
    for (int x = 0; x < static_cast<int>(row.size()); ++x)
        if (result.empty() || !(result.back().colour == row[static_cast<std::size_t>(x)]))
            result.push_back({row[static_cast<std::size_t>(x)], x});
    return result;
}

const Rgb red{255, 0, 0}, pink{255, 0, 255}, blue{0, 0, 255}, skyBlue{0, 160, 255}, green{0, 255, 0},
    yellow{255, 255, 0}, orange{255, 128, 0};

}  // namespace

class ColourStripsTest : public QObject {
    Q_OBJECT
private slots:
    void sweepRunsFromRedBackwardsRoundTheHues_data() {
        QTest::addColumn<int>("column");
        QTest::addColumn<Rgb>("colour");
        QTest::newRow("red at 0") << 0 << Rgb{253, 0, 0};
        QTest::newRow("between red and magenta") << 30 << Rgb{253, 0, 126};
        QTest::newRow("magenta at 60") << 60 << Rgb{253, 0, 253};
        QTest::newRow("blue at 120") << 120 << Rgb{0, 0, 253};
        QTest::newRow("cyan at 180") << 180 << Rgb{0, 253, 253};
        QTest::newRow("green at 240") << 240 << Rgb{0, 253, 0};
        QTest::newRow("yellow at 300") << 300 << Rgb{253, 253, 0};
        QTest::newRow("nearly red again at 359") << 359 << Rgb{253, 4, 0};
    }

    void sweepRunsFromRedBackwardsRoundTheHues() {
        QFETCH(int, column);
        QFETCH(Rgb, colour);
        QCOMPARE(show(sweepColour(column)), show(colour));
        const std::vector<PixelRow> strip = smoothSweepStrip();
        QCOMPARE(static_cast<int>(strip.size()), 36);
        for (const PixelRow& row : strip) {
            QCOMPARE(static_cast<int>(row.size()), 360);
            QCOMPARE(show(row[static_cast<std::size_t>(column)]), show(colour));
        }
    }

    void bandedStripHasFourteenBandsWhoseBordersWanderByOnePixel() {
        const int firstColumns[] = {0, 22, 49, 84, 112, 137, 157, 178, 201, 223, 248, 276, 310, 336};
        const Rgb colours[] = {{253, 0, 40},  {253, 0, 139}, {230, 0, 253}, {73, 0, 253},  {0, 15, 253},
                               {0, 114, 253}, {0, 205, 253}, {0, 253, 213}, {0, 253, 114}, {0, 253, 15},
                               {73, 253, 0},  {221, 253, 0}, {253, 147, 0}, {253, 48, 0}};
        const std::vector<PixelRow> strip = bandedStrip();
        QCOMPARE(static_cast<int>(strip.size()), 36);
        std::set<std::vector<int>> borderPatterns;
        for (const PixelRow& row : strip) {
            QCOMPARE(static_cast<int>(row.size()), 360);
            const std::vector<Run> bands = runs(row);
            QCOMPARE(static_cast<int>(bands.size()), 15);  // the last column is a band of its own
            std::vector<int> borders;
            for (int band = 0; band < 14; ++band) {
                const Run& run = bands[static_cast<std::size_t>(band)];
                QCOMPARE(show(run.colour), show(colours[band]));
                QVERIFY(run.first == firstColumns[band] || run.first == firstColumns[band] + 1);
                borders.push_back(run.first);
            }
            QCOMPARE(bands.back().first, 359);
            QCOMPARE(show(bands.back().colour), show(colours[0]));
            borderPatterns.insert(borders);
        }
        const std::vector<int> table(std::begin(firstColumns), std::end(firstColumns));
        QVERIFY(borderPatterns.count(table) == 1);  // the first row stands exactly as the table
        QVERIFY(borderPatterns.size() > 1);
    }

    void ditheredStripHasFlatAreasOfSevenColours_data() {
        QTest::addColumn<int>("column");
        QTest::addColumn<Rgb>("colour");
        QTest::newRow("red") << 5 << red;
        QTest::newRow("pink") << 57 << pink;
        QTest::newRow("blue") << 117 << blue;
        QTest::newRow("sky blue") << 165 << skyBlue;
        QTest::newRow("green") << 235 << green;
        QTest::newRow("yellow") << 297 << yellow;
        QTest::newRow("orange") << 328 << orange;
        QTest::newRow("red at the right edge") << 359 << red;
    }

    void ditheredStripHasFlatAreasOfSevenColours() {
        QFETCH(int, column);
        QFETCH(Rgb, colour);
        const std::vector<PixelRow> strip = ditheredStrip();
        QCOMPARE(static_cast<int>(strip.size()), 35);
        for (int row = 0; row < 35; ++row)
            QCOMPARE(show(at(strip, row, column)), show(colour));
    }

    void ditheredTransitionsMixTheNeighboursMoreOfTheNextTowardsIt() {
        const std::vector<PixelRow> strip = ditheredStrip();
        const std::set<std::tuple<int, int, int>> palette{
            {255, 0, 0}, {255, 0, 255}, {0, 0, 255}, {0, 160, 255}, {0, 255, 0}, {255, 255, 0}, {255, 128, 0}};
        for (const PixelRow& row : strip) {
            QCOMPARE(static_cast<int>(row.size()), 360);
            for (Rgb c : row)
                QVERIFY2(palette.count({c.red, c.green, c.blue}) == 1, qPrintable(show(c)));
        }
        // Between the blue and the sky-blue areas (columns 130 to 154).
        auto skyShare = [&](int from, int to) {
            int count = 0;
            for (int row = 0; row < 35; ++row)
                for (int x = from; x < to; ++x)
                    count += at(strip, row, x) == skyBlue ? 1 : (at(strip, row, x) == blue ? 0 : 1000);
            return count;
        };
        const int left = skyShare(130, 138), middle = skyShare(138, 146), right = skyShare(146, 154);
        QVERIFY(left > 0);
        QVERIFY(left < middle);
        QVERIFY(middle < right);
        QVERIFY(right < 35 * 8);
    }
};

QTEST_GUILESS_MAIN(ColourStripsTest)
#include "colour_strips_test.moc"
