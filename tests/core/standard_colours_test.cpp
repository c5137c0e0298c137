// The standard reference colours: the sample colour of every number, the
// check box, the number field with its arrows and echo label, and the
// reference colour parameters written for reference generation.

#include <QtTest>
#include <numbers>

#include "config/standard_colours.h"

using namespace kestrani;

Q_DECLARE_METATYPE(kestrani::Rgb)

namespace {

// The sample colours as red, green, blue; row = tens of the number, column = units.
const Rgb sampleTable[100] = {
    /*  0 */ {102,254,102}, {96,254,107}, {91,253,113}, {86,252,119}, {81,251,125}, {76,249,131}, {72,247,138}, {69,244,144}, {65,241,150}, {62,238,157},
    /* 10 */ {59,235,163}, {57,231,169}, {55,226,175}, {53,222,182}, {52,217,188}, {51,212,194}, {51,207,199}, {51,201,205}, {51,196,211}, {51,190,216},
    /* 20 */ {52,184,220}, {54,178,225}, {56,171,229}, {58,165,234}, {61,159,237}, {64,153,241}, {67,146,244}, {71,139,246}, {75,133,249}, {79,127,250},
    /* 30 */ {84,121,252}, {89,115,253}, {94,109,254}, {99,103,254}, {105,98,254}, {111,93,254}, {117,87,253}, {123,82,252}, {129,78,250}, {135,74,248},
    /* 40 */ {142,70,246}, {148,66,243}, {154,63,240}, {161,60,236}, {167,58,232}, {174,55,228}, {180,54,223}, {186,52,219}, {192,51,214}, {198,51,208},
    /* 50 */ {203,51,203}, {208,51,198}, {214,51,192}, {219,52,186}, {223,54,180}, {228,55,174}, {232,58,167}, {236,60,161}, {240,63,154}, {243,66,148},
    /* 60 */ {246,70,142}, {248,74,135}, {250,78,129}, {252,82,123}, {253,87,117}, {254,93,111}, {254,98,105}, {254,103,99}, {254,109,94}, {253,115,89},
    /* 70 */ {252,121,84}, {250,127,79}, {249,133,75}, {246,139,71}, {244,146,67}, {241,152,64}, {237,159,61}, {234,165,58}, {229,171,56}, {225,178,54},
    /* 80 */ {220,184,52}, {216,190,51}, {211,196,51}, {205,201,51}, {199,207,51}, {194,212,51}, {188,217,52}, {182,222,53}, {175,226,55}, {169,231,57},
    /* 90 */ {163,235,59}, {157,238,62}, {150,241,65}, {144,244,69}, {138,247,72}, {131,249,76}, {125,251,81}, {119,252,86}, {113,253,91}, {107,254,96},
};

const Rgb grey{128, 128, 128};

struct Fixture {
    StandardColourSetting setting;
    ExerciseState state;
    StandardColourControls controls{setting, state};
};

// Runs steps written as "check", "uncheck", "up", "down" and "set:TEXT".
void run(StandardColourControls& controls, const QStringList& steps) {
    for (const QString& step : steps) {
        if (step == "check")
            controls.setChecked(true);
        else if (step == "uncheck")
            controls.setChecked(false);
        else if (step == "up")
            controls.arrowUp();
        else if (step == "down")
            controls.arrowDown();
        else
            controls.setFieldText(step.mid(4).toStdString());
    }
}

}  // namespace

class StandardColoursTest : public QObject {
    Q_OBJECT
private slots:
    void everyNumberHasItsSampleColour_data() {
        QTest::addColumn<int>("number");
        QTest::addColumn<Rgb>("colour");
        for (int n = 0; n < 100; ++n)
            QTest::addRow("%d", n) << n << sampleTable[n];
    }
    void everyNumberHasItsSampleColour() {
        QFETCH(int, number);
        QFETCH(Rgb, colour);
        const Rgb sample = standardSampleColour(number);
        QCOMPARE(int(sample.red), int(colour.red));
        QCOMPARE(int(sample.green), int(colour.green));
        QCOMPARE(int(sample.blue), int(colour.blue));
    }

    void greenAt25And75FallsEachSideOfTheExactValue() {
        QCOMPARE(standardSampleColour(25), (Rgb{64, 153, 241}));
        QCOMPARE(standardSampleColour(75), (Rgb{241, 152, 64}));
    }

    void theBoxStartsUncheckedWithGreySampleAndHiddenField() {
        Fixture f;
        QVERIFY(!f.controls.checked());
        QVERIFY(!f.controls.fieldVisible());
        QCOMPARE(f.controls.fieldText(), std::string());
        QCOMPARE(f.controls.labelText(), std::string());
        QCOMPARE(f.controls.sampleColour(), grey);
        QCOMPARE(f.setting.number, 0);
    }

    void controlsFollowTheRules_data() {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("label");
        QTest::addColumn<int>("number");
        QTest::addColumn<Rgb>("sample");
        QTest::addColumn<bool>("shown");
        QTest::newRow("first check shows 0") << QStringList{"check"} << "0" << "0" << 0 << sampleTable[0] << true;
        QTest::newRow("a typed number") << QStringList{"check", "set:50"} << "50" << "50" << 50 << sampleTable[50]
                                        << true;
        QTest::newRow("up from 99 gives 1") << QStringList{"check", "set:99", "up"} << "1" << "1" << 1
                                            << sampleTable[1] << true;
        QTest::newRow("up from 5 gives 6") << QStringList{"check", "set:5", "up"} << "6" << "6" << 6 << sampleTable[6]
                                           << true;
        QTest::newRow("down from 0 gives 99") << QStringList{"check", "down"} << "99" << "99" << 99 << sampleTable[99]
                                              << true;
        QTest::newRow("down from 1 gives 0") << QStringList{"check", "set:1", "down"} << "0" << "0" << 0
                                             << sampleTable[0] << true;
        QTest::newRow("150 gives 99, the field keeps 150")
            << QStringList{"check", "set:150"} << "150" << "99" << 99 << sampleTable[99] << true;
        QTest::newRow("up after 150 gives 1") << QStringList{"check", "set:150", "up"} << "1" << "1" << 1
                                              << sampleTable[1] << true;
        QTest::newRow("-3 gives 1") << QStringList{"check", "set:-3"} << "-3" << "1" << 1 << sampleTable[1] << true;
        QTest::newRow("letters give 1") << QStringList{"check", "set:ab"} << "ab" << "1" << 1 << sampleTable[1]
                                        << true;
        QTest::newRow("an emptied field gives 1")
            << QStringList{"check", "set:50", "set:"} << "" << "1" << 1 << sampleTable[1] << true;
        QTest::newRow("a dollar sign reads hexadecimal")
            << QStringList{"check", "set:$10"} << "$10" << "16" << 16 << sampleTable[16] << true;
        QTest::newRow("unchecking: grey, blank label and field, the number kept")
            << QStringList{"check", "set:50", "uncheck"} << " " << " " << 50 << grey << false;
        QTest::newRow("checking again shows the kept number")
            << QStringList{"check", "set:50", "uncheck", "check"} << "50" << "50" << 50 << sampleTable[50] << true;
    }
    void controlsFollowTheRules() {
        QFETCH(QStringList, steps);
        QFETCH(QString, field);
        QFETCH(QString, label);
        QFETCH(int, number);
        QFETCH(Rgb, sample);
        QFETCH(bool, shown);
        Fixture f;
        run(f.controls, steps);
        QCOMPARE(QString::fromStdString(f.controls.fieldText()), field);
        QCOMPARE(QString::fromStdString(f.controls.labelText()), label);
        QCOMPARE(f.setting.number, number);
        QCOMPARE(f.controls.sampleColour(), sample);
        QCOMPARE(f.controls.fieldVisible(), shown);
        QCOMPARE(f.setting.enabled, shown);
    }

    void everyEvaluationWritesTheReferenceColourParameters_data() {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<double>("hue");
        QTest::newRow("checked at 25") << QStringList{"check", "set:25"} << std::numbers::pi / 2;
        QTest::newRow("an arrow click") << QStringList{"check", "set:50", "up"} << 51 / 50.0 * std::numbers::pi;
        // Unchecking writes them from the kept number, too.
        QTest::newRow("unchecking") << QStringList{"check", "set:75", "uncheck"} << 1.5 * std::numbers::pi;
    }
    void everyEvaluationWritesTheReferenceColourParameters() {
        QFETCH(QStringList, steps);
        QFETCH(double, hue);
        Fixture f;
        run(f.controls, steps);
        QCOMPARE(f.state.referenceHue, hue);
        QCOMPARE(f.state.referenceSaturation, 255.0);
        QCOMPARE(f.state.referenceBrightness, 255.0);
    }

    void theReferenceColourModelGivesTheSampleOrOneMore() {
        // Reference generation truncates once after the 0.6 scaling.
        Fixture f;
        run(f.controls, {"check", "set:5"});
        const ChannelValues reference =
            colourModel(f.state.referenceBrightness, f.state.referenceHue, f.state.referenceSaturation);
        QCOMPARE(reference, (ChannelValues{77, 249, 131}));
        QCOMPARE(f.controls.sampleColour(), (Rgb{76, 249, 131}));
    }
};

QTEST_GUILESS_MAIN(StandardColoursTest)
#include "standard_colours_test.moc"
