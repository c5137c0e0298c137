// The shared vocabulary: generator, colour model, typed numbers, question
// tables and the settings and state as they are at start.

#include <QtTest>

#include "config/exercise_settings.h"
#include "config/typed_number.h"
#include "engine/colour_model.h"
#include "engine/exercise_state.h"
#include "engine/question_tables.h"
#include "engine/random_generator.h"

using namespace kestrani;

class VocabularyTest : public QObject {
    Q_OBJECT
private slots:
    void generatorStartsAtZeroAndAdvancesByTheFixedRecurrence() {
        RandomGenerator random;
        QCOMPARE(random.state(), 0u);
        const std::uint32_t expected[] = {1u, 134775814u, 3698175007u, 870078620u, 1172187917u};
        for (std::uint32_t state : expected) {
            random.drawInt(10);
            QCOMPARE(random.state(), state);
        }
    }

    void integerDrawsAreTheHighWordOfStateTimesRange() {
        RandomGenerator random;
        const int expected[] = {0, 31, 861, 202, 272, 671, 318, 161};
        for (int value : expected)
            QCOMPARE(random.drawInt(1000), value);
    }

    void drawOfZeroRangeGivesZeroButStillAdvances() {
        RandomGenerator random;
        random.setState(3698175007u);
        QCOMPARE(random.drawInt(0), 0);
        QCOMPARE(random.state(), 870078620u);
    }

    void realDrawIsStateOverTwoToThe32() {
        RandomGenerator random;
        random.setState(1u);
        QCOMPARE(random.drawReal(), 134775814.0 / 4294967296.0);
        random.setState(0xFFFFFFFFu);  // wraps to 0xFFFFFFFF × 134775813 + 1
        const double real = random.drawReal();
        QVERIFY(real >= 0.0 && real < 1.0);
    }

    void colourModelValues_data() {
        QTest::addColumn<double>("brightness");
        QTest::addColumn<double>("hue");
        QTest::addColumn<double>("saturation");
        QTest::addColumn<int>("red");
        QTest::addColumn<int>("green");
        QTest::addColumn<int>("blue");
        QTest::newRow("grey at hue 0") << 100.0 << 0.0 << 0.0 << 60 << 60 << 60;
        QTest::newRow("grey at hue 2") << 100.0 << 2.0 << 0.0 << 60 << 60 << 60;
        QTest::newRow("full colour at hue 0") << 255.0 << 0.0 << 255.0 << 102 << 254 << 102;
        QTest::newRow("negative brightness truncates toward zero") << -30.0 << 0.0 << 0.0 << -18 << -18 << -18;
        // The brightest, most saturated green of a stimulus: Trunc(0.6 × (304 + 0.666 × 305)) = 304.
        QTest::newRow("channels above 255 are kept") << 304.0 << 0.0 << 305.0 << 121 << 304 << 121;
    }
    void colourModelValues() {
        QFETCH(double, brightness);
        QFETCH(double, hue);
        QFETCH(double, saturation);
        QFETCH(int, red);
        QFETCH(int, green);
        QFETCH(int, blue);
        QCOMPARE(colourModel(brightness, hue, saturation), (ChannelValues{red, green, blue}));
    }

    void colourPackingPutsRedInTheLowByte() {
        QCOMPARE(packColour({0x12, 0x34, 0x56}), 0x563412u);
        QCOMPARE(lowByte(260), std::uint8_t(4));
        QCOMPARE(lowByte(-6), std::uint8_t(250));
    }

    void typedNumbers_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<int>("value");
        QTest::newRow("decimal") << "45" << true << 45;
        QTest::newRow("leading blanks") << "   7" << true << 7;
        QTest::newRow("plus sign") << "+12" << true << 12;
        QTest::newRow("minus sign") << "-5" << true << -5;
        QTest::newRow("dollar hex") << "$10" << true << 16;
        QTest::newRow("0x hex, mixed case") << "0xFf" << true << 255;
        QTest::newRow("signed hex") << "-$A" << true << -10;
        QTest::newRow("largest") << "2147483647" << true << 2147483647;
        QTest::newRow("smallest") << "-2147483648" << true << -2147483647 - 1;
        QTest::newRow("leading zeros") << "007" << true << 7;
        QTest::newRow("empty") << "" << false << 0;
        QTest::newRow("blank only") << " " << false << 0;
        QTest::newRow("trailing blank") << "45 " << false << 0;
        QTest::newRow("letters") << "abc" << false << 0;
        QTest::newRow("digits then letters") << "12a" << false << 0;
        QTest::newRow("sign only") << "-" << false << 0;
        QTest::newRow("dollar only") << "$" << false << 0;
        QTest::newRow("0x only") << "0x" << false << 0;
        QTest::newRow("overflow") << "2147483648" << false << 0;
        QTest::newRow("underflow") << "-2147483649" << false << 0;
        QTest::newRow("hex overflow") << "$80000000" << false << 0;
        QTest::newRow("very long") << QString(40, '9') << false << 0;
        QTest::newRow("Cyrillic") << "пять" << false << 0;
        QTest::newRow("decimal point") << "4.5" << false << 0;
        QTest::newRow("blank after sign") << "- 5" << false << 0;
    }
    void typedNumbers() {
        QFETCH(QString, text);
        QFETCH(bool, valid);
        QFETCH(int, value);
        const QByteArray utf8 = text.toUtf8();
        const auto parsed = parseTypedInteger(std::string_view(utf8.constData(), utf8.size()));
        QCOMPARE(parsed.has_value(), valid);
        if (valid)
            QCOMPARE(*parsed, value);
    }

    void settingsAtStartAreTheDesignedOnes() {
        const ExerciseSettings s;
        QCOMPARE(s.exerciseKind, ExerciseKind::PickReference);
        QCOMPARE(s.objectKind, ObjectKind::WholeWindow);
        for (bool asked : s.asked)
            QVERIFY(!asked);
        for (const PhaseLimit* limit : {&s.referenceShowLimit, &s.delay, &s.objectShowLimit}) {
            QVERIFY(!limit->enabled);
            QCOMPARE(limit->seconds, 0);
        }
        QVERIFY(!s.nonMonotonic);
        QVERIFY(s.splitting);
        QVERIFY(!s.variableBackground);
        QVERIFY(!s.standardColor.enabled);
        QCOMPARE(s.standardColor.number, 0);
        for (Submodality row : gridRows) {
            const bool colour = row == Submodality::Brightness || row == Submodality::Hue || row == Submodality::Saturation;
            QCOMPARE(s.initial[row].state, colour ? SlotState::On : SlotState::Unavailable);
            QCOMPARE(s.changeable[row].state, colour ? SlotState::On : SlotState::Unavailable);
            QCOMPARE(s.calibrated[row].state, colour ? SlotState::Off : SlotState::Unavailable);
            QVERIFY(!s.initial[row].AllowGrayed);
            QVERIFY(!s.changeable[row].AllowGrayed);
            QCOMPARE(s.calibrated[row].AllowGrayed, row == Submodality::Rotation);
        }
    }

    void stateAtStartIsZeroFilled() {
        const ExerciseState s;
        QVERIFY(!s.exerciseStarted && !s.exerciseFinished && !s.continueExercise && !s.singleObject);
        QVERIFY(!s.referenceFirst && !s.shapeIsRectangle);
        QCOMPARE(s.successCount, 0);
        QCOMPARE(s.referenceHue, 0.0);
        QCOMPARE(s.stepWidth, 0);
        QCOMPARE(s.questionKind, Submodality::Brightness);
    }

    void questionTablesAreIndexedBySubmodality() {
        QCOMPARE(question(moreQuestions, Submodality::Brightness), std::string_view("ярче?"));
        QCOMPARE(question(lessQuestions, Submodality::HorizontalPosition), std::string_view("расположен правее?"));
        QCOMPARE(question(moreQuestions, Submodality::Green), std::string_view("зеленее?"));
        QCOMPARE(question(byWhatQuestions, Submodality::Area), std::string_view(" размеру (площади)?"));
        for (Submodality colour : {Submodality::Hue, Submodality::Blue, Submodality::Green})
            QCOMPARE(question(byWhatQuestions, colour), std::string_view(" цвету?"));
    }
};

QTEST_GUILESS_MAIN(VocabularyTest)
#include "vocabulary_test.moc"
