// The exercise step: how senders are read, how each exercise kind judges an
// answer, the end messages with their counts, the prompts and questions, and
// the order in which the windows are closed and shown.

#include <QtTest>

#include <functional>

#include "engine/answer_judging.h"
#include "engine/exercise_step.h"
#include "fakes/draw_oracle.h"
#include "fakes/engine_fixture.h"

using namespace kestrani;
using namespace kestrani::fakes;

namespace {

const std::string wrong = "Вы ошиблись, увы! Число удачных ходов - ";
const std::string noDifference =
    "Ура!!! Разницы между объектами по этой субмодальности нет! Упражнение успешно выполнено! Число удачных ходов - ";
const std::string wholeWindowSuccess =
    "Ура!!! Разницы между объектом и эталоном нет! Упражнение успешно выполнено! Число удачных ходов - ";
const std::string nothingAsked = "В этом упражнении должа быть отмечена хотя бы одна калибруемая субмодальность!";

void setAsked(ExerciseSettings& settings, Submodality s) {
    settings.changeable[s].state = SlotState::On;
    settings.calibrated[s].state = SlotState::On;
    settings.asked[static_cast<std::size_t>(s)] = true;
    if (s == Submodality::Hue) {
        settings.asked[static_cast<std::size_t>(Submodality::Blue)] = true;
        settings.asked[static_cast<std::size_t>(Submodality::Green)] = true;
    }
}

// A step in the middle of an exercise: objects on screen, some moves made.
void midExercise(EngineFixture& f, ExerciseKind kind, int moves) {
    f.settings.exerciseKind = kind;
    f.settings.splitting = false;
    f.state.exerciseStarted = true;
    f.state.successCount = moves;
    f.state.singleObject = kind == ExerciseKind::IsReference || kind == ExerciseKind::DiffersInAsked;
}

std::vector<std::string> eventsMatching(const EventLog& log, const std::string& prefix) {
    std::vector<std::string> result;
    for (const std::string& event : log)
        if (event.rfind(prefix, 0) == 0)
            result.push_back(event);
    return result;
}

// Only the listed submodalities may differ from the reference.
void onlyChangeable(ExerciseSettings& settings, std::initializer_list<Submodality> on) {
    for (Submodality row : gridRows)
        settings.changeable[row].state = SlotState::Off;
    for (Submodality row : on)
        settings.changeable[row].state = SlotState::On;
}

// The rows of exercise3EndsWhenNothingIsLeftToAsk: a first stimulus that does
// not differ from the reference in the asked submodality.
struct NothingLeftToAsk {
    std::function<void(EngineFixture&)> setUp;
    std::vector<int> ranges;  // of the draws of the start, in their order
    std::function<bool(const std::vector<int>&)> wanted;
};

const std::vector<NothingLeftToAsk>& nothingLeftToAskCases() {
    static const std::vector<NothingLeftToAsk> cases{
        // Rectangle 101 × 52 at (200, 300); both positions changeable, the
        // horizontal one asked. Draws: question 9 (horizontal position), n, the
        // two position coins, then a = 500: the combined offset has u = 0.
        {[](EngineFixture& f) {
             f.settings.objectKind = ObjectKind::Rectangle;
             onlyChangeable(f.settings, {Submodality::HorizontalPosition, Submodality::VerticalPosition});
             setAsked(f.settings, Submodality::HorizontalPosition);
             ExerciseState& s = f.state;
             s.referenceX1 = 200, s.referenceY1 = 300, s.referenceWidth = 101, s.referenceHeight = 52;
             s.referenceX2 = 301, s.referenceY2 = 352;
         },
         {12, 1000, 1000, 1000, 1000, 1000},
         [](const std::vector<int>& d) { return d[0] == 9 && d[4] == 500 && d[5] != 500; }},
        // The grey 15 of brightness 25; the darker opening, brightness −25,
        // gives |Trunc(0.6 × −25)| = 15 again.
        {[](EngineFixture& f) {
             onlyChangeable(f.settings, {Submodality::Brightness});
             setAsked(f.settings, Submodality::Brightness);
             f.state.referenceBrightness = 25;
             f.state.referenceRed = f.state.referenceGreen = f.state.referenceBlue = 15;
         },
         {12, 1000, 1000},
         [](const std::vector<int>& d) { return d[0] <= 1 && d[2] <= 500; }},
        // Hue asked on the grey 60 of brightness 100: no hue shows on a grey.
        {[](EngineFixture& f) {
             onlyChangeable(f.settings, {Submodality::Hue});
             setAsked(f.settings, Submodality::Hue);
             f.state.referenceBrightness = 100;
             f.state.referenceRed = f.state.referenceGreen = f.state.referenceBlue = 60;
         },
         {12, 1000, 1000},
         [](const std::vector<int>& d) { return d[0] == 2 || d[0] == 4 || d[0] == 11; }},
    };
    return cases;
}

}  // namespace

Q_DECLARE_METATYPE(kestrani::Sender)

class ExerciseStepTest : public QObject {
    Q_OBJECT
private slots:
    void startHidesTheReferenceAndShowsTheCardsWithThePrompt() {
        EngineFixture f;
        f.settings.splitting = false;
        f.state.referenceRed = 10, f.state.referenceGreen = 20, f.state.referenceBlue = 30;
        f.state.successCount = 7;
        f.engine.step(Sender::Button1);
        QCOMPARE(f.log.front(), std::string("TSubmCheck:close"));
        QVERIFY(f.messages.shown.empty());
        QCOMPARE(f.state.successCount, 0);
        QCOMPARE((Rgb{f.state.baseRed, f.state.baseGreen, f.state.baseBlue}), (Rgb{10, 20, 30}));
        QCOMPARE(f.backdrop.upperPrompt, std::string("Какой из объектов - эталон?"));
        QCOMPARE(f.backdrop.lowerPrompt, std::string(" "));
        QVERIFY(f.leftCard.visible && f.rightCard.visible && !f.objectField.visible && !f.referenceWindow.visible);
        QVERIFY(f.state.exerciseStarted && f.state.continueExercise && !f.state.exerciseFinished);
        // Shown, closed, then shown again after the background is set.
        const auto shows = eventsMatching(f.log, "TForm2:");
        QCOMPARE(shows, (std::vector<std::string>{"TForm2:show", "TForm2:close", "TForm2:background", "TForm2:show", "TForm2:background"}));
    }

    void singleObjectAnswers_data() {
        QTest::addColumn<int>("exercise");
        QTest::addColumn<Sender>("sender");
        QTest::addColumn<bool>("referenceFirst");
        QTest::addColumn<bool>("isWrong");
        // Exercise 2: the object is the answer for the reference, the background for a changed object.
        QTest::newRow("2: object shown is the reference, clicked") << 2 << Sender::TForm4 << true << false;
        QTest::newRow("2: object shown is the reference, background") << 2 << Sender::TForm3 << true << true;
        QTest::newRow("2: changed object, clicked") << 2 << Sender::TForm4 << false << true;
        QTest::newRow("2: changed object, background") << 2 << Sender::TForm3 << false << false;
        // Exercise 3: the object when it does not differ in the asked submodality, the background when it does.
        QTest::newRow("3: no difference, clicked") << 3 << Sender::TForm4 << true << false;
        QTest::newRow("3: difference, clicked") << 3 << Sender::TForm4 << false << true;
        QTest::newRow("3: difference, background") << 3 << Sender::TForm3 << false << false;
        QTest::newRow("3: no difference, background") << 3 << Sender::TForm3 << true << true;
    }
    void singleObjectAnswers() {
        QFETCH(int, exercise);
        QFETCH(Sender, sender);
        QFETCH(bool, referenceFirst);
        QFETCH(bool, isWrong);
        EngineFixture f;
        midExercise(f, ExerciseKind(exercise), 4);
        f.settings.objectKind = ObjectKind::Rectangle;
        setAsked(f.settings, Submodality::Brightness);
        f.state.referenceFirst = referenceFirst;
        // Brightness 100 against 150 on the grey 60: the next object still differs.
        f.state.referenceBrightness = 100, f.state.brightnessStep = 50;
        f.state.baseRed = f.state.baseGreen = f.state.baseBlue = 60;
        f.state.deltaRed = f.state.deltaGreen = f.state.deltaBlue = 30;
        f.engine.step(sender);
        if (isWrong) {
            QCOMPARE(f.messages.shown, std::vector<std::string>{wrong + "4"});
            QVERIFY(f.state.exerciseFinished && !f.state.continueExercise);
            QVERIFY(!f.objectField.visible);
            QCOMPARE(f.backdrop.upperPrompt, std::string(" "));
        } else {
            QVERIFY(f.messages.shown.empty());
            QCOMPARE(f.state.successCount, 5);
            QVERIFY(f.objectField.visible);
        }
    }

    void exerciseOnePicksTheReference_data() {
        QTest::addColumn<Sender>("sender");
        QTest::addColumn<bool>("referenceFirst");
        QTest::addColumn<bool>("isWrong");
        QTest::newRow("reference on the left, left chosen") << Sender::TForm2 << true << false;
        QTest::newRow("reference on the left, right chosen") << Sender::TForm1 << true << true;
        QTest::newRow("reference on the right, right chosen") << Sender::TForm1 << false << false;
        QTest::newRow("reference on the right, left chosen") << Sender::TForm2 << false << true;
    }
    void exerciseOnePicksTheReference() {
        QFETCH(Sender, sender);
        QFETCH(bool, referenceFirst);
        QFETCH(bool, isWrong);
        EngineFixture f;
        midExercise(f, ExerciseKind::PickReference, 2);
        f.settings.objectKind = ObjectKind::Ellipse;
        f.state.referenceFirst = referenceFirst;
        f.engine.step(sender);
        QCOMPARE(f.messages.shown.size(), std::size_t(isWrong ? 1 : 0));
        if (isWrong) {
            QCOMPARE(f.messages.shown.front(), wrong + "2");
            QVERIFY(!f.leftCard.visible && !f.rightCard.visible);
        } else {
            QCOMPARE(f.state.successCount, 3);
        }
    }

    void backdropAndFieldAreNoAnswerInTwoCardExercises() {
        for (Sender sender : {Sender::TForm3, Sender::TForm4}) {
            EngineFixture f;
            midExercise(f, ExerciseKind::PickReference, 6);
            f.engine.step(sender);
            QVERIFY(!f.state.answerGiven);
            QCOMPARE(f.state.successCount, 0);  // taken as a start
            QVERIFY(f.messages.shown.empty());
        }
    }

    void wholeWindowEndsWhenNoColourDifferenceIsLeft_data() {
        QTest::addColumn<int>("exercise");
        QTest::addColumn<std::string>("message");
        QTest::newRow("exercise 1") << 1 << wholeWindowSuccess + "9";
        QTest::newRow("exercise 2") << 2 << wholeWindowSuccess + "9";
        // Exercise 3 never ends this way; the next object, which shows no
        // brightness difference either, leaves nothing to ask, after the right answer.
        QTest::newRow("exercise 3: nothing left to ask") << 3 << noDifference + "10";
    }
    void wholeWindowEndsWhenNoColourDifferenceIsLeft() {
        QFETCH(int, exercise);
        QFETCH(std::string, message);
        EngineFixture f;
        midExercise(f, ExerciseKind(exercise), 9);
        setAsked(f.settings, Submodality::Brightness);
        f.state.referenceFirst = true;  // the right answer is the left card / the object
        f.engine.step(exercise == 1 ? Sender::TForm2 : Sender::TForm4);
        QCOMPARE(f.messages.shown, std::vector<std::string>{message});
        QVERIFY(f.state.exerciseFinished);
        QVERIFY(!f.leftCard.visible && !f.rightCard.visible && !f.objectField.visible);
    }

    void twoIdenticalWholeWindowCardsStillHaveAnAnswerKey() {
        EngineFixture f;
        midExercise(f, ExerciseKind::PickReference, 3);
        f.state.referenceFirst = false;
        f.engine.step(Sender::TForm2);
        QCOMPARE(f.messages.shown, std::vector<std::string>{wrong + "3"});
        EngineFixture g;
        midExercise(g, ExerciseKind::PickReference, 3);
        g.state.referenceFirst = false;
        g.engine.step(Sender::TForm1);
        QCOMPARE(g.messages.shown, std::vector<std::string>{wholeWindowSuccess + "3"});
    }

    void comparisonVerdicts_data() {
        QTest::addColumn<int>("m");  // the sign the measure is made to have
        QTest::addColumn<bool>("changedChosen");
        QTest::addColumn<bool>("askedMore");
        QTest::addColumn<bool>("isWrong");
        QTest::newRow("changed more, chosen as more") << 1 << true << true << false;
        QTest::newRow("changed less, chosen as more") << -1 << true << true << true;
        QTest::newRow("changed more, chosen as less") << 1 << true << false << true;
        QTest::newRow("changed less, chosen as less") << -1 << true << false << false;
        QTest::newRow("reference chosen as more, changed has more") << 1 << false << true << true;
        QTest::newRow("reference chosen as more, changed has less") << -1 << false << true << false;
        QTest::newRow("reference chosen as less, changed has more") << 1 << false << false << false;
        QTest::newRow("reference chosen as less, changed has less") << -1 << false << false << true;
        QTest::newRow("equal, more") << 0 << true << true << false;
        QTest::newRow("equal, less, reference") << 0 << false << false << false;
    }
    void comparisonVerdicts() {
        QFETCH(int, m);
        QFETCH(bool, changedChosen);
        QFETCH(bool, askedMore);
        QFETCH(bool, isWrong);
        ExerciseState s;
        s.questionKind = Submodality::Hue;
        s.baseRed = 100;
        s.deltaRed = m * 7;
        s.referenceFirst = true;
        s.clickedFirst = !changedChosen;
        s.askedMore = askedMore;
        const Verdict verdict = judgeComparison(s);
        QCOMPARE(verdict.wrong, isWrong);
        QCOMPARE(verdict.noDifference, m == 0);
    }

    void comparisonMeasures_data() {
        QTest::addColumn<int>("asked");
        QTest::addColumn<int>("expectedSign");
        QTest::addColumn<QString>("setup");
        QTest::newRow("brightness: +3 and -3 sum to nothing") << int(Submodality::Brightness) << 0 << "dr=3 db=-3";
        QTest::newRow("brightness: darker") << int(Submodality::Brightness) << -1 << "dr=-3 dg=1";
        QTest::newRow("blue") << int(Submodality::Blue) << 1 << "db=2 dr=-9";
        QTest::newRow("green") << int(Submodality::Green) << -1 << "dg=-2";
        QTest::newRow("area: 30x40 against 40x30") << int(Submodality::Area) << 0 << "ow=30 oh=40 rw=40 rh=30";
        QTest::newRow("area: bigger") << int(Submodality::Area) << 1 << "ow=31 oh=40 rw=40 rh=30";
        QTest::newRow("height") << int(Submodality::Height) << -1 << "oh=10 rh=11";
        QTest::newRow("width") << int(Submodality::Width) << 1 << "ow=12 rw=11";
        QTest::newRow("higher on the screen") << int(Submodality::VerticalPosition) << 1 << "oy=10 oh=20 ry=15 rh=20";
        QTest::newRow("same centre, other size") << int(Submodality::VerticalPosition) << 0 << "oy=10 oh=20 ry=15 rh=10";
        QTest::newRow("further right") << int(Submodality::HorizontalPosition) << -1 << "ox=20 ow=10 rx=15 rw=10";
        QTest::newRow("flatter line") << int(Submodality::Rotation) << 1 << "ow=30 oh=10 rw=20 rh=10";
        QTest::newRow("steeper line") << int(Submodality::Rotation) << -1 << "ow=10 oh=30 rw=20 rh=20";
        QTest::newRow("horizontal line is the most horizontal") << int(Submodality::Rotation) << 1 << "ow=30 oh=0 rw=20 rh=10";
        QTest::newRow("reference horizontal") << int(Submodality::Rotation) << -1 << "ow=30 oh=5 rw=20 rh=0";
        QTest::newRow("both horizontal: no difference") << int(Submodality::Rotation) << 0 << "ow=30 oh=0 rw=20 rh=0";
        QTest::newRow("equal ratios: no difference") << int(Submodality::Rotation) << 0 << "ow=20 oh=10 rw=40 rh=20";
    }
    void comparisonMeasures() {
        QFETCH(int, asked);
        QFETCH(int, expectedSign);
        QFETCH(QString, setup);
        ExerciseState s;
        s.baseRed = s.baseGreen = s.baseBlue = 100;
        for (const QString& assignment : setup.split(' ')) {
            const QStringList pair = assignment.split('=');
            const int value = pair[1].toInt();
            const QString& name = pair[0];
            if (name == "dr") s.deltaRed = value;
            if (name == "dg") s.deltaGreen = value;
            if (name == "db") s.deltaBlue = value;
            if (name == "ow") s.objectWidth = value;
            if (name == "oh") s.objectHeight = value;
            if (name == "ox") s.objectX1 = value;
            if (name == "oy") s.objectY1 = value;
            if (name == "rw") s.referenceWidth = value;
            if (name == "rh") s.referenceHeight = value;
            if (name == "rx") s.referenceX1 = value;
            if (name == "ry") s.referenceY1 = value;
        }
        // The figures as drawn: boxes from their corner and extents.
        s.objectX2 = s.objectX1 + s.objectWidth, s.objectY2 = s.objectY1 + s.objectHeight;
        s.referenceX2 = s.referenceX1 + s.referenceWidth, s.referenceY2 = s.referenceY1 + s.referenceHeight;
        QCOMPARE(comparisonSign(s, Submodality(asked)), expectedSign);
    }

    void noDifferenceInExerciseFourEndsWithSuccessAndTheEarlierCount() {
        EngineFixture f;
        midExercise(f, ExerciseKind::CompareTwo, 5);
        f.settings.objectKind = ObjectKind::Rectangle;
        setAsked(f.settings, Submodality::Brightness);
        f.state.questionKind = Submodality::Brightness;
        f.state.baseRed = f.state.baseGreen = f.state.baseBlue = 100;
        f.state.deltaRed = 3, f.state.deltaBlue = -3;
        f.state.referenceFirst = false;  // the changed object is on the left
        f.state.askedMore = true;
        f.engine.step(Sender::TForm2);
        QCOMPARE(f.messages.shown, std::vector<std::string>{noDifference + "5"});
        QVERIFY(f.state.exerciseFinished && !f.state.continueExercise);
        QVERIFY(!f.leftCard.visible && !f.rightCard.visible && !f.objectField.visible && !f.referenceWindow.visible);
        QCOMPARE(f.backdrop.upperPrompt, std::string(" "));
        QCOMPARE(f.state.successCount, 6);  // raised after the message, invisibly
    }

    void questionsAreBuiltFromTheTables_data() {
        QTest::addColumn<int>("exercise");
        QTest::addColumn<int>("asked");
        QTest::addColumn<QString>("upper");
        QTest::addColumn<QString>("lower");
        QTest::newRow("3 about brightness") << 3 << int(Submodality::Brightness)
            << "Отличается ли объект от эталона по яркости?" << "Если отличается, то нажмите на внешний фон, если нет - на объект";
        QTest::newRow("3 about hue reads the same for its three questions") << 3 << int(Submodality::Hue)
            << "Отличается ли объект от эталона по цвету?" << "Если отличается, то нажмите на внешний фон, если нет - на объект";
        QTest::newRow("4 about width") << 4 << int(Submodality::Width) << "Какой объект шире?|Какой объект уже?" << " ";
    }
    void questionsAreBuiltFromTheTables() {
        QFETCH(int, exercise);
        QFETCH(int, asked);
        QFETCH(QString, upper);
        QFETCH(QString, lower);
        EngineFixture f;
        midExercise(f, ExerciseKind(exercise), 0);
        f.settings.objectKind = ObjectKind::Rectangle;
        setAsked(f.settings, Submodality(asked));
        // A coloured reference, 100 × 50, which has a hue, a width and a brightness to ask about.
        f.state.referenceBrightness = 150, f.state.referenceSaturation = 100, f.state.referenceHue = 1.0;
        const ChannelValues c = colourModel(150, 1.0, 100);
        f.state.referenceRed = std::uint8_t(c.red), f.state.referenceGreen = std::uint8_t(c.green);
        f.state.referenceBlue = std::uint8_t(c.blue);
        f.state.referenceX1 = 100, f.state.referenceY1 = 100, f.state.referenceWidth = 100, f.state.referenceHeight = 50;
        f.state.referenceX2 = 200, f.state.referenceY2 = 150;
        f.engine.step(Sender::Button1);
        QVERIFY(upper.split('|').contains(QString::fromStdString(f.backdrop.upperPrompt)));
        QCOMPARE(QString::fromStdString(f.backdrop.lowerPrompt), lower);
        const auto kind = f.state.questionKind;
        if (Submodality(asked) == Submodality::Hue)
            QVERIFY(kind == Submodality::Hue || kind == Submodality::Blue || kind == Submodality::Green);
        else
            QCOMPARE(kind, Submodality(asked));
        if (exercise == 4)
            QCOMPARE(f.state.askedMore, f.backdrop.upperPrompt == "Какой объект шире?");
    }

    void brightnessIsAskedTwiceAsOftenAsAnyOtherQuestion() {
        EngineFixture f;
        midExercise(f, ExerciseKind::CompareTwo, 0);
        f.settings.objectKind = ObjectKind::Rectangle;
        setAsked(f.settings, Submodality::Brightness);
        setAsked(f.settings, Submodality::Width);
        int brightness = 0, width = 0;
        for (int i = 0; i < 3000; ++i) {
            f.engine.step(Sender::Button1);
            (f.state.questionKind == Submodality::Brightness ? brightness : width)++;
        }
        QVERIFY2(brightness > 1.7 * width && brightness < 2.3 * width, qPrintable(QString("%1 to %2").arg(brightness).arg(width)));
    }

    void nothingLeftToAskEndsTheExerciseInsteadOfLoopingForever() {
        for (ExerciseKind kind : {ExerciseKind::DiffersInAsked, ExerciseKind::CompareTwo}) {
            EngineFixture f;
            midExercise(f, kind, 2);
            f.settings.objectKind = ObjectKind::Rectangle;
            f.engine.step(Sender::Button1);
            QCOMPARE(f.messages.shown.size(), std::size_t(1));
            QCOMPARE(QString::fromStdString(f.messages.shown.front()), QString::fromStdString(nothingAsked));
            QVERIFY(f.state.exerciseFinished && !f.state.continueExercise);
            QVERIFY(!f.leftCard.visible && !f.rightCard.visible && !f.objectField.visible && !f.referenceWindow.visible);
            QVERIFY(eventsMatching(f.log, "TForm3:close").empty());
        }
    }

    void delayWaitsBetweenClosingAndShowingTheFields() {
        EngineFixture f;
        midExercise(f, ExerciseKind::PickReference, 1);
        f.settings.delay = {true, 3};
        f.state.referenceFirst = true;
        f.state.deltaRed = 5;
        f.engine.step(Sender::TForm2);
        QCOMPARE(f.wait.waits, std::vector<int>{3000});
        QCOMPARE(f.state.delayMilliseconds, 3000);
        const auto at = [&](const std::string& event) { return std::find(f.log.begin(), f.log.end(), event) - f.log.begin(); };
        const auto closed = at("TForm1:close"), waited = at("wait:3000");
        QVERIFY(closed < waited);  // the fields come back only after the wait
        QVERIFY(std::find(f.log.begin() + waited, f.log.end(), "TForm2:show") != f.log.end());
        QVERIFY(f.leftCard.visible && f.rightCard.visible);
    }

    void drawsAreTakenInTheirNumberAndOrder_data() {
        QTest::addColumn<bool>("answered");
        QTest::addColumn<bool>("wrongAnswer");
        QTest::addColumn<bool>("splitting");
        QTest::addColumn<bool>("variableBackground");
        QTest::addColumn<int>("draws");
        // A start draws the three colour coins of the first stimulus; every step
        // draws 21021 for the splitting lines, 9 for a variable background while
        // the exercise goes on, and 1 to place the stimulus.
        QTest::newRow("start") << false << false << false << false << 3 + 1;
        QTest::newRow("start, splitting") << false << false << true << false << 3 + 21021 + 1;
        QTest::newRow("start, variable background") << false << false << false << true << 3 + 9 + 1;
        QTest::newRow("right answer, both") << true << false << true << true << 21021 + 9 + 1;
        QTest::newRow("wrong answer: no background after the end") << true << true << true << true << 21021 + 1;
    }
    void drawsAreTakenInTheirNumberAndOrder() {
        QFETCH(bool, answered);
        QFETCH(bool, wrongAnswer);
        QFETCH(bool, splitting);
        QFETCH(bool, variableBackground);
        QFETCH(int, draws);
        EngineFixture f;
        midExercise(f, ExerciseKind::PickReference, 1);
        f.settings.splitting = splitting;
        f.settings.variableBackground = variableBackground;
        f.state.referenceFirst = true;
        f.state.deltaRed = 30;
        f.random.setState(12345);
        f.engine.step(!answered ? Sender::Button1 : wrongAnswer ? Sender::TForm1 : Sender::TForm2);
        QCOMPARE(f.random.state(), Lcg{12345}.after(draws));
    }

    void exercise3EndsWhenNothingIsLeftToAsk_data() {
        QTest::addColumn<int>("row");
        QTest::newRow("horizontal offset truncated to 0") << 0;
        QTest::newRow("darker brightness 25 paints the same grey") << 1;
        QTest::newRow("hue asked on a grey") << 2;
    }
    void exercise3EndsWhenNothingIsLeftToAsk() {
        QFETCH(int, row);
        const NothingLeftToAsk& c = nothingLeftToAskCases()[static_cast<std::size_t>(row)];
        EngineFixture f;
        f.settings.exerciseKind = ExerciseKind::DiffersInAsked;
        f.settings.splitting = false;
        c.setUp(f);
        f.random.setState(seedWhere(c.ranges, c.wanted));
        f.engine.step(Sender::Button1);
        QCOMPARE(f.messages.shown, std::vector<std::string>{noDifference + "0"});
        QVERIFY(f.state.exerciseFinished && !f.state.continueExercise);
        QVERIFY(!f.objectField.visible && !f.referenceWindow.visible);
        QCOMPARE(f.backdrop.upperPrompt, std::string(" "));
        QCOMPARE(f.backdrop.lowerPrompt, std::string(" "));
    }

    void exercise3AnsweredFromTheScreenMeetsNoWrongVerdict() {
        // A new user: whole window, Brightness the only changeable and
        // calibrated submodality, from start-up, answering by what the field
        // shows, taking three levels of the channel sum for the rounding of
        // the screen. Every answer is right, and the exercise ends when no
        // brightness difference is left to ask about.
        EngineFixture f;
        f.settings.exerciseKind = ExerciseKind::DiffersInAsked;
        onlyChangeable(f.settings, {Submodality::Brightness});
        setAsked(f.settings, Submodality::Brightness);
        f.engine.startExercise();
        const Rgb reference = f.referenceWindow.background;
        const auto brightness = [](Rgb c) { return c.red + c.green + c.blue; };
        f.engine.step(Sender::Button1);
        int answers = 0;
        while (f.messages.shown.empty() && answers < 300) {
            const bool same = std::abs(brightness(f.objectField.background) - brightness(reference)) <= 3;
            f.engine.step(same ? Sender::TForm4 : Sender::TForm3);
            ++answers;
            for (FakeDrawingWindow* w : {&f.leftCard, &f.rightCard, &f.objectField})
                w->fakeSurface().calls.clear();
        }
        QCOMPARE(f.messages.shown, std::vector<std::string>{noDifference + std::to_string(answers)});
        QVERIFY(answers > 10);
    }

    void noDelayAfterAnEnd() {
        EngineFixture f;
        midExercise(f, ExerciseKind::PickReference, 1);
        f.settings.delay = {true, 3};
        f.state.referenceFirst = true;
        f.engine.step(Sender::TForm1);
        QVERIFY(f.wait.waits.empty());
        QVERIFY(!f.leftCard.visible && !f.rightCard.visible);
    }
};

QTEST_GUILESS_MAIN(ExerciseStepTest)
#include "exercise_step_test.moc"
