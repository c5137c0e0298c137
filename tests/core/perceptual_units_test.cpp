// Perceptual units: ΔE00 of the published CIEDE2000 test pairs through the
// program's call to Little CMS, painted colours in Lab against hand-worked
// values, the lightness, chroma and hue parts, Weber fractions and the
// screen's millimetres.

#include <QtTest>

#include <cmath>

#include "results/perceptual_units.h"

using namespace kestrani;

namespace {

struct Pair {
    Lab first, second;
    double deltaE00;
};

// Sharma, Wu and Dalal (2005), "The CIEDE2000 color-difference formula:
// implementation notes, supplementary test data, and mathematical
// observations", Color Research and Application 30(1), table 1.
const Pair sharmaPairs[34] = {
    {{50.0000, 2.6772, -79.7751}, {50.0000, 0.0000, -82.7485}, 2.0425},
    {{50.0000, 3.1571, -77.2803}, {50.0000, 0.0000, -82.7485}, 2.8615},
    {{50.0000, 2.8361, -74.0200}, {50.0000, 0.0000, -82.7485}, 3.4412},
    {{50.0000, -1.3802, -84.2814}, {50.0000, 0.0000, -82.7485}, 1.0000},
    {{50.0000, -1.1848, -84.8006}, {50.0000, 0.0000, -82.7485}, 1.0000},
    {{50.0000, -0.9009, -85.5211}, {50.0000, 0.0000, -82.7485}, 1.0000},
    {{50.0000, 0.0000, 0.0000}, {50.0000, -1.0000, 2.0000}, 2.3669},
    {{50.0000, -1.0000, 2.0000}, {50.0000, 0.0000, 0.0000}, 2.3669},
    {{50.0000, 2.4900, -0.0010}, {50.0000, -2.4900, 0.0009}, 7.1792},
    {{50.0000, 2.4900, -0.0010}, {50.0000, -2.4900, 0.0010}, 7.1792},
    {{50.0000, 2.4900, -0.0010}, {50.0000, -2.4900, 0.0011}, 7.2195},
    {{50.0000, 2.4900, -0.0010}, {50.0000, -2.4900, 0.0012}, 7.2195},
    {{50.0000, -0.0010, 2.4900}, {50.0000, 0.0009, -2.4900}, 4.8045},
    {{50.0000, -0.0010, 2.4900}, {50.0000, 0.0010, -2.4900}, 4.8045},
    {{50.0000, -0.0010, 2.4900}, {50.0000, 0.0011, -2.4900}, 4.7461},
    {{50.0000, 2.5000, 0.0000}, {50.0000, 0.0000, -2.5000}, 4.3065},
    {{50.0000, 2.5000, 0.0000}, {73.0000, 25.0000, -18.0000}, 27.1492},
    {{50.0000, 2.5000, 0.0000}, {61.0000, -5.0000, 29.0000}, 22.8977},
    {{50.0000, 2.5000, 0.0000}, {56.0000, -27.0000, -3.0000}, 31.9030},
    {{50.0000, 2.5000, 0.0000}, {58.0000, 24.0000, 15.0000}, 19.4535},
    {{50.0000, 2.5000, 0.0000}, {50.0000, 3.1736, 0.5854}, 1.0000},
    {{50.0000, 2.5000, 0.0000}, {50.0000, 3.2972, 0.0000}, 1.0000},
    {{50.0000, 2.5000, 0.0000}, {50.0000, 1.8634, 0.5757}, 1.0000},
    {{50.0000, 2.5000, 0.0000}, {50.0000, 3.2592, 0.3350}, 1.0000},
    {{60.2574, -34.0099, 36.2677}, {60.4626, -34.1751, 39.4387}, 1.2644},
    {{63.0109, -31.0961, -5.8663}, {62.8187, -29.7946, -4.0864}, 1.2630},
    {{61.2901, 3.7196, -5.3901}, {61.4292, 2.2480, -4.9620}, 1.8731},
    {{35.0831, -44.1164, 3.7933}, {35.0232, -40.0716, 1.5901}, 1.8645},
    {{22.7233, 20.0904, -46.6940}, {23.0331, 14.9730, -42.5619}, 2.0373},
    {{36.4612, 47.8580, 18.3852}, {36.2715, 50.5065, 21.2231}, 1.4146},
    {{90.8027, -2.0831, 1.4410}, {91.1528, -1.6435, 0.0447}, 1.4441},
    {{90.9257, -0.5406, -0.9208}, {88.6381, -0.8985, -0.7239}, 1.5381},
    {{6.7747, -0.2908, -2.4247}, {5.8714, -0.0985, -2.2286}, 0.6377},
    {{2.0776, 0.0795, -1.1350}, {0.9033, -0.0636, -0.5514}, 0.9082},
};

}  // namespace

class PerceptualUnitsTest : public QObject {
    Q_OBJECT
private slots:
    void publishedPairsToFourDecimals() {
        for (int i = 0; i < 34; ++i) {
            const Pair& p = sharmaPairs[i];
            const double forth = deltaE00(p.first, p.second), back = deltaE00(p.second, p.first);
            QVERIFY2(std::fabs(forth - p.deltaE00) < 0.5e-4, qPrintable(QString("pair %1: %2").arg(i + 1).arg(forth)));
            QVERIFY2(std::fabs(back - p.deltaE00) < 0.5e-4, qPrintable(QString("pair %1 reversed: %2").arg(i + 1).arg(back)));
            QCOMPARE(colourDifference(p.first, p.second).deltaE00, forth);
        }
    }

    // ΔE00² = L² + C² + H² + R_T·ΔC'/S_C·ΔH'/S_H with |R_T| ≤ 2 for the signed
    // parts, so the parts alone miss the whole by at most 2·C·H; where the
    // rotation is small they make it up exactly.
    void partsMakeUpTheWhole() {
        for (int i = 0; i < 34; ++i) {
            const ColourDifference d = colourDifference(sharmaPairs[i].first, sharmaPairs[i].second);
            QVERIFY(d.lightness >= 0 && d.chroma >= 0 && d.hue >= 0);
            const double parts = d.lightness * d.lightness + d.chroma * d.chroma + d.hue * d.hue;
            const double whole = d.deltaE00 * d.deltaE00;
            QVERIFY2(std::fabs(whole - parts) <= 2 * d.chroma * d.hue + 1e-6,
                     qPrintable(QString("pair %1: %2 against %3").arg(i + 1).arg(parts).arg(whole)));
        }
        // Pairs 17, 18 and 20 to 24 have mean hues between 340° and 50°, far
        // from the blues about 275° where the rotation acts: R_T below 1e-3.
        for (int i : {16, 17, 19, 20, 21, 22, 23}) {
            const ColourDifference d = colourDifference(sharmaPairs[i].first, sharmaPairs[i].second);
            const double parts = d.lightness * d.lightness + d.chroma * d.chroma + d.hue * d.hue;
            QVERIFY2(std::fabs(std::sqrt(parts) - d.deltaE00) < 1e-3 * d.deltaE00,
                     qPrintable(QString("pair %1: %2 against %3").arg(i + 1).arg(std::sqrt(parts)).arg(d.deltaE00)));
        }
    }

    void lightnessPartByHand() {
        // Pair 17: ΔL' = 23 at a mean lightness of 61.5, where
        // S_L = 1 + 0.015 · 11.5² / √(20 + 11.5²) = 1.160771.
        const ColourDifference d = colourDifference(sharmaPairs[16].second, sharmaPairs[16].first);
        QVERIFY2(std::fabs(d.lightness - 23.0 / 1.160771) < 1e-4, qPrintable(QString::number(d.lightness, 'g', 10)));
    }

    // Same a and b: only lightness differs. S_L = 1 + 0.015 (L̄ − 50)² / √(20 + (L̄ − 50)²)
    // is 1 about a mean lightness of 50 and 1.482949 about 82.5.
    void pureLightnessHasNoChromaOrHue() {
        const struct {
            Lab first, second;
            double lightness;
        } cases[] = {
            {{30, 0, 0}, {70, 0, 0}, 40.0},
            {{45, 20, -30}, {55, 20, -30}, 10.0},
            {{80, -12, 40}, {85, -12, 40}, 5.0 / 1.482949},
        };
        for (const auto& c : cases) {
            const ColourDifference d = colourDifference(c.first, c.second);
            QVERIFY(std::fabs(d.lightness - c.lightness) < 1e-5);
            QVERIFY(std::fabs(d.deltaE00 - c.lightness) < 1e-5);
            QVERIFY(d.chroma < 1e-7 * d.deltaE00);
            QVERIFY(d.hue < 1e-7 * d.deltaE00);
        }
    }

    // Each part alone: a chroma doubled along one hue angle (a' scales a by
    // the pair's common factor 1 + G, so the angle stays), and two hues half
    // a turn apart at one chroma (a = 0, so C' = 20 for both).
    void oneChangeOnePart() {
        const ColourDifference chroma = colourDifference(Lab{50, 10, 10}, Lab{50, 20, 20});
        QVERIFY(chroma.deltaE00 > 1);
        QVERIFY(std::fabs(chroma.chroma - chroma.deltaE00) < 1e-7 * chroma.deltaE00);
        QVERIFY(chroma.lightness < 1e-7 * chroma.deltaE00 && chroma.hue < 1e-6 * chroma.deltaE00);
        const ColourDifference hue = colourDifference(Lab{50, 0, 20}, Lab{50, 0, -20});
        QVERIFY(hue.deltaE00 > 1);
        QVERIFY(std::fabs(hue.hue - hue.deltaE00) < 1e-7 * hue.deltaE00);
        QVERIFY(hue.lightness < 1e-7 * hue.deltaE00 && hue.chroma < 1e-6 * hue.deltaE00);
    }

    // The sRGB primaries and white adapted to D50 by the profile (Bradford):
    // red has XYZ (0.4361, 0.2225, 0.0139), so L = 116 · 0.2225^(1/3) − 16 =
    // 54.29, a = 500 ((0.4361/0.9642)^(1/3) − 0.2225^(1/3)) = 80.8 and
    // b = 200 (0.2225^(1/3) − (0.0139/0.8249)^(1/3)) = 69.9; blue has XYZ
    // (0.1431, 0.0606, 0.7142). A mid grey (128)
    // has the linear value ((128/255 + 0.055)/1.055)^2.4 = 0.21586, so L =
    // 116 · 0.21586^(1/3) − 16 = 53.585, with a = b = 0 as for every grey
    // when the white is the Lab white.
    void paintedColoursInLab() {
        const struct {
            Rgb colour;
            Lab lab;
            double tolerance;
        } cases[] = {
            {{255, 255, 255}, {100.0, 0.0, 0.0}, 0.01},
            {{0, 0, 0}, {0.0, 0.0, 0.0}, 0.01},
            {{128, 128, 128}, {53.585, 0.0, 0.0}, 0.01},
            {{255, 0, 0}, {54.292, 80.815, 69.879}, 0.05},
            {{0, 0, 255}, {29.568, 68.300, -112.053}, 0.05},
        };
        for (const auto& c : cases) {
            const Lab lab = labOfPainted(c.colour);
            QVERIFY2(std::fabs(lab.L - c.lab.L) < c.tolerance && std::fabs(lab.a - c.lab.a) < c.tolerance &&
                         std::fabs(lab.b - c.lab.b) < c.tolerance,
                     qPrintable(QString("%1 %2 %3").arg(lab.L).arg(lab.a).arg(lab.b)));
        }
        // White against black: L 100 against 0 about a mean of 50, where S_L = 1.
        QVERIFY(std::fabs(colourDifference(Rgb{255, 255, 255}, Rgb{0, 0, 0}).deltaE00 - 100.0) < 0.01);
        QCOMPARE(colourDifference(Rgb{10, 200, 30}, Rgb{10, 200, 30}).deltaE00, 0.0);
    }

    void weberFractions() {
        const struct {
            double difference, reference;
            std::optional<double> percent;
        } cases[] = {
            {5, 100, 5.0}, {-3, 60, 5.0}, {0, 10, 0.0}, {7, 7, 100.0}, {1, 0, std::nullopt}, {1, -5, std::nullopt},
            {NAN, 10, std::nullopt},
        };
        for (const auto& c : cases)
            QCOMPARE(weberPercent(c.difference, c.reference), c.percent);
    }

    void screenMillimetres() {
        const struct {
            int width, height;
            double widthMm, heightMm;
            std::optional<double> perPixel;
        } cases[] = {
            {1920, 1080, 528, 297, 0.275},        // a 24-inch monitor
            {2560, 1600, 286, 179, 0.11179},      // a 13-inch laptop
            {1024, 768, 271, 203, std::nullopt},  // the 96-dpi guess of a server without a monitor
            {1920, 1080, 508, 286, std::nullopt}, // the same guess at 1920 × 1080
            {1920, 1080, 0, 0, std::nullopt},
            {1920, 1080, 1600, 900, std::nullopt},  // 30 dpi: no monitor
            {1920, 1080, 528, 500, std::nullopt},   // sides that disagree
            {0, 0, 300, 200, std::nullopt},
        };
        for (const auto& c : cases) {
            const std::optional<double> got = millimetresPerPixel(c.width, c.height, c.widthMm, c.heightMm);
            QCOMPARE(got.has_value(), c.perPixel.has_value());
            if (got)
                QVERIFY2(std::fabs(*got - *c.perPixel) < 1e-4, qPrintable(QString::number(*got)));
        }
        QCOMPARE(millimetres(10, 0.25), std::optional<double>(2.5));
        QCOMPARE(millimetres(10, std::nullopt), std::optional<double>());
    }
};

QTEST_GUILESS_MAIN(PerceptualUnitsTest)
#include "perceptual_units_test.moc"
