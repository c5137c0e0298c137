// The standard reference colours: the sample colour of every number, the
// check box, the number field with its arrows and echo label, and the
// reference colour parameters written for reference generation.

#include <QtTest>
#include <numbers>

#include "config/standard_colours.h"
#include "fakes/number_oracles.h"

using namespace kestrani;
using kestrani::fakes::standardSampleTable;

Q_DECLARE_METATYPE(kestrani::Rgb)

namespace {

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
            QTest::addRow("%d", n) << n << standardSampleTable[n];
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
        QTest::newRow("first check shows 0") << QStringList{"check"} << "0" << "0" << 0 << standardSampleTable[0] << true;
        QTest::newRow("a typed number") << QStringList{"check", "set:50"} << "50" << "50" << 50 << standardSampleTable[50]
                                        << true;
        QTest::newRow("up from 99 gives 1") << QStringList{"check", "set:99", "up"} << "1" << "1" << 1
                                            << standardSampleTable[1] << true;
        QTest::newRow("up from 5 gives 6") << QStringList{"check", "set:5", "up"} << "6" << "6" << 6 << standardSampleTable[6]
                                           << true;
        QTest::newRow("down from 0 gives 99") << QStringList{"check", "down"} << "99" << "99" << 99 << standardSampleTable[99]
                                              << true;
        QTest::newRow("down from 1 gives 0") << QStringList{"check", "set:1", "down"} << "0" << "0" << 0
                                             << standardSampleTable[0] << true;
        QTest::newRow("150 gives 99, the field keeps 150")
            << QStringList{"check", "set:150"} << "150" << "99" << 99 << standardSampleTable[99] << true;
        QTest::newRow("up after 150 gives 1") << QStringList{"check", "set:150", "up"} << "1" << "1" << 1
                                              << standardSampleTable[1] << true;
        QTest::newRow("-3 gives 1") << QStringList{"check", "set:-3"} << "-3" << "1" << 1 << standardSampleTable[1] << true;
        QTest::newRow("letters give 1") << QStringList{"check", "set:ab"} << "ab" << "1" << 1 << standardSampleTable[1]
                                        << true;
        QTest::newRow("an emptied field gives 1")
            << QStringList{"check", "set:50", "set:"} << "" << "1" << 1 << standardSampleTable[1] << true;
        QTest::newRow("a dollar sign reads hexadecimal")
            << QStringList{"check", "set:$10"} << "$10" << "16" << 16 << standardSampleTable[16] << true;
        QTest::newRow("unchecking: grey, blank label and field, the number kept")
            << QStringList{"check", "set:50", "uncheck"} << " " << " " << 50 << grey << false;
        QTest::newRow("checking again shows the kept number")
            << QStringList{"check", "set:50", "uncheck", "check"} << "50" << "50" << 50 << standardSampleTable[50] << true;
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
