// Reference generation: the flags, the silver reference window, the
// refusal of exercises 3 and 4, Timer1, the colour loop and the standard
// colour, the geometry of every object kind and its drawing, exact to the
// last random draw.
//
// Expected draws are derived with Lcg (fakes/draw_oracle.h), a small copy of the documented
// recurrence that does not use the code under test; the expected colours and
// coordinates were worked out from the rules by hand (with the intermediate
// values given in the comments).

#include <QtTest>

#include <cmath>
#include <cstdint>
#include <numbers>
#include <string>
#include <vector>

#include "engine/reference_generation.h"
#include "fakes/draw_oracle.h"
#include "fakes/engine_fixture.h"

using namespace kestrani;
using namespace kestrani::fakes;

namespace {

constexpr double pi = std::numbers::pi;


void setSlot(SlotColumn& column, Submodality row, bool on) { column[row].state = on ? SlotState::On : SlotState::Off; }

// Every initial slot Off except the listed ones.
void setInitial(ExerciseSettings& settings, std::initializer_list<Submodality> on) {
    for (Submodality row : gridRows)
        setSlot(settings.initial, row, false);
    for (Submodality row : on)
        setSlot(settings.initial, row, true);
}

const std::vector<std::string> emptyWindowShown = {"TSubmCheck:close", "TSubmCheck:background", "TSubmCheck:show"};

DrawCall brush(Rgb c) { return {DrawCall::Brush, 0, 0, 0, 0, c}; }
DrawCall pen(Rgb c) { return {DrawCall::Pen, 0, 0, 0, 0, c}; }
DrawCall rectangle(int x1, int y1, int x2, int y2) { return {DrawCall::Rectangle, x1, y1, x2, y2, {}}; }
DrawCall ellipse(int x1, int y1, int x2, int y2) { return {DrawCall::Ellipse, x1, y1, x2, y2, {}}; }
DrawCall moveTo(int x, int y) { return {DrawCall::MoveTo, x, y, 0, 0, {}}; }
DrawCall lineTo(int x, int y) { return {DrawCall::LineTo, x, y, 0, 0, {}}; }
DrawCall present() { return {DrawCall::Present, 0, 0, 0, 0, {}}; }

Rgb referenceColour(const ExerciseState& s) { return {s.referenceRed, s.referenceGreen, s.referenceBlue}; }

// A placement along one axis with the position slot initial: n in
// 0..Trunc(0.6 × d)−1 plus Trunc(0.2 × d), d the free room.
int placeInitial(Lcg& g, int windowExtent, int objectExtent) {
    const int d = windowExtent - objectExtent;
    const int n = g.draw(static_cast<int>(0.6 * d));
    return n + static_cast<int>(0.2 * d);
}

}  // namespace

class ReferenceGenerationTest : public QObject {
    Q_OBJECT
private slots:
    void flagsAreClearedAndTheWindowIsEmptiedSilverFirst() {
        EngineFixture f;
        f.state.exerciseStarted = true;
        f.state.exerciseFinished = true;
        f.referenceWindow.background = {1, 2, 3};
        generateReference(f.context);
        QVERIFY(!f.state.exerciseStarted);
        QVERIFY(!f.state.exerciseFinished);
        // Closed, silver, shown; then (whole window) the reference colour.
        QCOMPARE(f.log.size(), std::size_t{4});
        QCOMPARE(std::vector<std::string>(f.log.begin(), f.log.begin() + 3), emptyWindowShown);
        QVERIFY(f.referenceWindow.visible);
    }

    void wholeWindowWithAllColourSlots() {
        EngineFixture f;  // objectKind WholeWindow, colour rows initial: the design
        f.state.referenceX1 = 11, f.state.referenceWidth = 22, f.state.shapeIsRectangle = true;
        Lcg g{0};
        const int n = g.draw(255), k = g.draw(1000), brightness = g.draw(255);
        QCOMPARE(n, 0);
        QCOMPARE(k, 31);
        QCOMPARE(brightness, 219);
        f.random.setState(0);
        generateReference(f.context);

        QCOMPARE(f.state.referenceSaturation, 255.0);
        QCOMPARE(f.state.referenceHue, 31 * pi / 1000);
        QCOMPARE(f.state.referenceBrightness, 219.0);
        // S cos H = 253.79, S sin H / √3 = 14.31: red Trunc(0.6 × (219 − 84.51 − 14.31)) = 72,
        // green Trunc(0.6 × (219 + 169.03)) = 232, blue Trunc(0.6 × (219 − 84.51 + 14.31)) = 89.
        const Rgb expected{72, 232, 89};
        QCOMPARE(referenceColour(f.state), expected);
        QCOMPARE(f.referenceWindow.background, expected);
        std::vector<std::string> log = emptyWindowShown;
        log.push_back("TSubmCheck:background");
        QCOMPARE(f.log, log);
        QVERIFY(f.referenceWindow.fakeSurface().calls.empty());
        QCOMPARE(f.random.state(), g.state);  // three draws, no more
        // The geometry and the shape are kept.
        QCOMPARE(f.state.referenceX1, 11);
        QCOMPARE(f.state.referenceWidth, 22);
        QVERIFY(f.state.shapeIsRectangle);
    }

    void brightnessOnlyGivesAGreyOfSixTenthsOfTheDraw_data() {
        QTest::addColumn<std::uint32_t>("seed");
        for (std::uint32_t seed : {0u, 7u, 1000u, 123456789u, 4000000000u})
            QTest::addRow("seed %u", seed) << seed;
    }

    void brightnessOnlyGivesAGreyOfSixTenthsOfTheDraw() {
        QFETCH(std::uint32_t, seed);
        EngineFixture f;
        setInitial(f.settings, {Submodality::Brightness});
        Lcg g{seed};
        const int n = g.draw(255);
        const auto grey = static_cast<std::uint8_t>(static_cast<int>(0.6 * n));
        f.random.setState(seed);
        generateReference(f.context);
        QCOMPARE(f.state.referenceBrightness, double(n));
        QCOMPARE(f.state.referenceHue, 0.0);
        QCOMPARE(f.state.referenceSaturation, 0.0);
        QCOMPARE(referenceColour(f.state), (Rgb{grey, grey, grey}));
        QCOMPARE(f.random.state(), g.state);
    }

    void greyOfAKnownDraw() {
        // Seed 7: n = 56, the grey Trunc(0.6 × 56) = Trunc(33.6) = 33.
        EngineFixture f;
        setInitial(f.settings, {Submodality::Brightness});
        f.random.setState(7);
        generateReference(f.context);
        QCOMPARE(f.state.referenceBrightness, 56.0);
        QCOMPARE(referenceColour(f.state), (Rgb{33, 33, 33}));
    }

    void withoutBrightnessTheReferenceIsBlack() {
        EngineFixture f;
        setInitial(f.settings, {Submodality::Hue, Submodality::Saturation});
        Lcg g{12345};
        g.draw(255);                // saturation, then overwritten by 0
        const int k = g.draw(1000);  // hue
        f.random.setState(12345);
        generateReference(f.context);
        QCOMPARE(referenceColour(f.state), (Rgb{0, 0, 0}));
        QCOMPARE(f.state.referenceBrightness, 0.0);
        QCOMPARE(f.state.referenceSaturation, 0.0);
        QCOMPARE(f.state.referenceHue, k * pi / 1000);
        QCOMPARE(f.random.state(), g.state);  // two draws: saturation and hue
    }

    void withoutHueAndBrightnessNothingIsDrawnForColour() {
        EngineFixture f;
        setInitial(f.settings, {});
        f.random.setState(99);
        generateReference(f.context);
        QCOMPARE(referenceColour(f.state), (Rgb{0, 0, 0}));
        QCOMPARE(f.state.referenceSaturation, 0.0);
        QCOMPARE(f.random.state(), 99u);
    }

    void aRejectedDrawStartsAgainWithFreshDraws() {
        // Seed 1: n = 8, k = 861, L = 51 gives green Trunc(0.6 × (51 + 0.666 × 247 × cos(0.861π)))
        // = Trunc(−58.3) = −58: rejected. Then n = 69, k = 671, L = 81: (12, 10, 122), accepted.
        EngineFixture f;
        Lcg g{1};
        QCOMPARE(g.draw(255), 8);
        QCOMPARE(g.draw(1000), 861);
        QCOMPARE(g.draw(255), 51);
        QCOMPARE(g.draw(255), 69);
        QCOMPARE(g.draw(1000), 671);
        QCOMPARE(g.draw(255), 81);
        f.random.setState(1);
        generateReference(f.context);
        QCOMPARE(f.state.referenceSaturation, 255.0 - 69);
        QCOMPARE(f.state.referenceHue, 671 * pi / 1000);
        QCOMPARE(f.state.referenceBrightness, 81.0);
        QCOMPARE(referenceColour(f.state), (Rgb{12, 10, 122}));
        QCOMPARE(f.random.state(), g.state);  // six draws
    }

    void aChannelStrictlyBetweenMinusOneAndZeroIsAcceptedAsZero() {
        // Seed 16: n = 128 (S = 127), k = 306, L = 83; red's exact value is
        // 0.6 × (83 − 0.333 × 127 × cos(0.306π) − 127 × sin(0.306π) / √3) = −0.798,
        // which truncates to 0: the first draw is accepted.
        EngineFixture f;
        Lcg g{16};
        QCOMPARE(g.draw(255), 128);
        QCOMPARE(g.draw(1000), 306);
        QCOMPARE(g.draw(255), 83);
        const double s = 127, h = 306 * pi / 1000;
        const double exactRed = 0.6 * ((83 - 0.333 * s * std::cos(h)) - s * std::sin(h) / std::sqrt(3.0));
        QVERIFY(exactRed > -1 && exactRed < 0);
        f.random.setState(16);
        generateReference(f.context);
        QCOMPARE(referenceColour(f.state), (Rgb{0, 78, 71}));
        QCOMPARE(f.random.state(), g.state);  // three draws only
    }

    void lowEightBitsOfTheAbsoluteChannelValues() {
        // Parameters outside the drawn ranges reach step 6 only through the
        // standard-colour path; the stored channel is |value| mod 256.
        EngineFixture f;
        f.settings.standardColor.enabled = true;
        f.state.referenceBrightness = -100;  // grey −60
        f.state.referenceSaturation = 0;
        generateReference(f.context);
        QCOMPARE(referenceColour(f.state), (Rgb{60, 60, 60}));
        f.state.referenceBrightness = 500;  // grey 300, low byte 44
        generateReference(f.context);
        QCOMPARE(referenceColour(f.state), (Rgb{44, 44, 44}));
    }

    void standardColourOfNumberFive() {
        EngineFixture f;
        f.settings.standardColor.enabled = true;
        f.settings.objectKind = ObjectKind::WholeWindow;
        f.state.referenceHue = (5 / 50.0) * pi;
        f.state.referenceSaturation = 255;
        f.state.referenceBrightness = 255;
        f.random.setState(4242);
        generateReference(f.context);
        QCOMPARE(referenceColour(f.state), (Rgb{77, 249, 131}));
        QCOMPARE(f.referenceWindow.background, (Rgb{77, 249, 131}));
        QCOMPARE(f.random.state(), 4242u);  // no colour draw
        QCOMPARE(f.state.referenceHue, (5 / 50.0) * pi);
        QCOMPARE(f.state.referenceSaturation, 255.0);
        QCOMPARE(f.state.referenceBrightness, 255.0);
    }

    void standardColourIsKeptAndOnlyTheGeometryChanges() {
        EngineFixture f;
        f.settings.standardColor.enabled = true;
        f.settings.objectKind = ObjectKind::Rectangle;
        f.state.referenceHue = (5 / 50.0) * pi;
        f.state.referenceSaturation = 255;
        f.state.referenceBrightness = 255;
        const Rgb colour{77, 249, 131};

        Lcg g{0};
        for (int run = 0; run < 3; ++run) {
            const std::uint32_t before = g.state;
            // Width; square (no height or width slot); centred in both directions.
            const int width = std::max(1, g.draw(501) / 2);  // never drawn 0 pixels wide
            const int x1 = static_cast<int>(501 / 2.0 - width / 2.0);
            const int y1 = static_cast<int>(652 / 2.0 - width / 2.0);
            f.referenceWindow.fakeSurface().calls.clear();
            f.random.setState(before);
            generateReference(f.context);
            QCOMPARE(referenceColour(f.state), colour);
            QCOMPARE(f.state.referenceWidth, width);
            QCOMPARE(f.state.referenceHeight, width);
            QCOMPARE(f.referenceWindow.fakeSurface().calls,
                     (std::vector<DrawCall>{brush(colour), pen(colour), rectangle(x1, y1, x1 + width, y1 + width),
                                            present()}));
            QCOMPARE(f.random.state(), g.state);  // the width draw only
        }
    }

    void rectangleWithEveryShapeAndPositionSlot() {
        EngineFixture f;
        f.settings.objectKind = ObjectKind::Rectangle;
        setInitial(f.settings, {Submodality::Brightness, Submodality::Hue, Submodality::Saturation, Submodality::Height,
                                Submodality::Width, Submodality::HorizontalPosition, Submodality::VerticalPosition,
                                Submodality::Rotation, Submodality::Area});
        Lcg g{0};
        g.draw(255), g.draw(1000), g.draw(255);  // the colour of seed 0: (72, 232, 89)
        const int width = g.draw(501) / 2;
        const int height = g.draw(652) / 2;
        const int x1 = placeInitial(g, 501, width);
        const int y1 = placeInitial(g, 652, height);
        // By hand: width 101 div 2 = 50, height 177 div 2 = 88; free room 451
        // and 564: x1 = 181 + 90 = 271, y1 = 107 + 112 = 219.
        QCOMPARE(width, 50);
        QCOMPARE(height, 88);
        QCOMPARE(x1, 271);
        QCOMPARE(y1, 219);

        f.random.setState(0);
        generateReference(f.context);
        const Rgb colour{72, 232, 89};
        QCOMPARE(referenceColour(f.state), colour);
        QCOMPARE(f.state.referenceWidth, width);
        QCOMPARE(f.state.referenceHeight, height);
        QCOMPARE(f.state.referenceX1, x1);
        QCOMPARE(f.state.referenceY1, y1);
        QCOMPARE(f.state.referenceX2, x1 + width);
        QCOMPARE(f.state.referenceY2, y1 + height);
        QVERIFY(f.state.shapeIsRectangle);
        QCOMPARE(f.referenceWindow.fakeSurface().calls,
                 (std::vector<DrawCall>{brush(colour), pen(colour), rectangle(271, 219, 321, 307), present()}));
        QCOMPARE(f.random.state(), g.state);  // 3 colour + 4 geometry draws
        // The background stays silver: the object is drawn on it.
        QCOMPARE(f.referenceWindow.background, silver);
    }

    void heightIsDrawnWhenOnlyTheWidthSlotIsInitial() {
        EngineFixture f;
        f.settings.objectKind = ObjectKind::Ellipse;
        setInitial(f.settings, {Submodality::Width});
        f.state.shapeIsRectangle = true;
        Lcg g{5};
        const int width = g.draw(501) / 2;
        const int height = g.draw(652) / 2;
        const int x1 = static_cast<int>(501 / 2.0 - width / 2.0);
        const int y1 = static_cast<int>(652 / 2.0 - height / 2.0);
        f.random.setState(5);
        generateReference(f.context);
        QVERIFY(!f.state.shapeIsRectangle);
        QCOMPARE(f.referenceWindow.fakeSurface().calls,
                 (std::vector<DrawCall>{brush({}), pen({}), ellipse(x1, y1, x1 + width, y1 + height), present()}));
        QCOMPARE(f.random.state(), g.state);
    }

    void eitherShapeIsARectangleExactlyWhenTheDrawExceeds500_data() {
        QTest::addColumn<std::uint32_t>("seed");
        for (std::uint32_t seed = 0; seed < 8; ++seed)
            QTest::addRow("seed %u", seed) << seed;
    }

    void eitherShapeIsARectangleExactlyWhenTheDrawExceeds500() {
        QFETCH(std::uint32_t, seed);
        EngineFixture f;
        f.settings.objectKind = ObjectKind::RectangleOrEllipse;
        setInitial(f.settings, {Submodality::Brightness});
        Lcg g{seed};
        const int n = g.draw(255);
        const auto grey = static_cast<std::uint8_t>(static_cast<int>(0.6 * n));
        const int width = g.draw(501) / 2;
        const bool rect = g.draw(1000) > 500;  // after brush and pen, before the shape
        const int x1 = static_cast<int>(501 / 2.0 - width / 2.0);
        const int y1 = static_cast<int>(652 / 2.0 - width / 2.0);
        f.random.setState(seed);
        generateReference(f.context);
        QCOMPARE(f.state.shapeIsRectangle, rect);
        const Rgb c{grey, grey, grey};
        const DrawCall shape = rect ? rectangle(x1, y1, x1 + width, y1 + width) : ellipse(x1, y1, x1 + width, y1 + width);
        QCOMPARE(f.referenceWindow.fakeSurface().calls, (std::vector<DrawCall>{brush(c), pen(c), shape, present()}));
        QCOMPARE(f.random.state(), g.state);
    }

    void eitherShapeWithTheDrawOf500IsAnEllipse() {
        // Seed 1782: width draw 460 (230), then the shape draw exactly 500.
        EngineFixture f;
        f.settings.objectKind = ObjectKind::RectangleOrEllipse;
        setInitial(f.settings, {});
        f.state.shapeIsRectangle = true;
        Lcg g{1782};
        QCOMPARE(g.draw(501), 460);
        QCOMPARE(g.draw(1000), 500);
        f.random.setState(1782);
        generateReference(f.context);
        QVERIFY(!f.state.shapeIsRectangle);
        // Centred square 230: x1 = Trunc(250.5 − 115) = 135, y1 = 326 − 115 = 211.
        QCOMPARE(f.referenceWindow.fakeSurface().only(DrawCall::Ellipse),
                 (std::vector<DrawCall>{ellipse(135, 211, 365, 441)}));
        QCOMPARE(f.random.state(), g.state);
    }

    void lineWithoutTiltOrLengthSlotsRunsAt45Degrees() {
        // Seed 0, brightness only: the line's box is 141 × 141 (200 × cos 45°),
        // centred: x1 = Trunc(250.5 − 70.5) = 180, y1 = Trunc(326 − 70.5) = 255.
        EngineFixture f;
        f.settings.objectKind = ObjectKind::Line;
        setInitial(f.settings, {Submodality::Brightness});
        f.state.shapeIsRectangle = true;
        Lcg g{0};
        g.draw(255);  // brightness 0: black
        g.draw(501);  // the rectangle width of step 8, replaced by the line
        f.random.setState(0);
        generateReference(f.context);
        QCOMPARE(f.state.referenceAngle, pi / 4);
        QCOMPARE(f.state.referenceLength, 200.0);
        QCOMPARE(f.state.referenceWidth, 141);
        QCOMPARE(f.state.referenceHeight, 141);
        QCOMPARE(f.referenceWindow.fakeSurface().calls,
                 (std::vector<DrawCall>{brush({}), pen({}), moveTo(180, 255), lineTo(321, 396), present()}));
        QVERIFY(f.state.shapeIsRectangle);  // a line leaves the shape alone
        QCOMPARE(f.random.state(), g.state);
    }

    void lineWithTiltAndLength_data() {
        QTest::addColumn<std::uint32_t>("seed");
        QTest::addColumn<int>("x1");
        QTest::addColumn<int>("y1");
        QTest::addColumn<int>("x2");
        QTest::addColumn<int>("y2");
        // Worked out by hand from the draws (see the test): seed 0 tilts 49°,
        // seed 1 tilts 121° and so starts at the right end of its box.
        QTest::addRow("below 90 degrees") << 0u << 161 << 163 << 248 << 264;
        QTest::addRow("above 90 degrees") << 1u << 170 << 252 << 138 << 306;
        QTest::addRow("seed 4") << 4u << 324 << 127 << 277 << 147;
        QTest::addRow("seed 7") << 7u << 153 << 374 << 192 << 381;
    }

    void lineWithTiltAndLength() {
        QFETCH(std::uint32_t, seed);
        QFETCH(int, x1);
        QFETCH(int, y1);
        QFETCH(int, x2);
        QFETCH(int, y2);
        EngineFixture f;
        f.settings.objectKind = ObjectKind::Line;
        setInitial(f.settings, {Submodality::Brightness, Submodality::Rotation, Submodality::Area,
                                Submodality::HorizontalPosition, Submodality::VerticalPosition});
        Lcg g{seed};
        const int n = g.draw(255);
        // Step 8 first, with its draws: width (square), then both places.
        const int boxWidth = g.draw(501) / 2;
        placeInitial(g, 501, boxWidth);
        placeInitial(g, 652, boxWidth);
        // Step 9: tilt, length, extents, fresh places.
        const double angle = g.real() * pi;
        const double length = g.draw(501) * 0.4;
        const int width = static_cast<int>(std::fabs(std::cos(angle) * length));
        const int height = static_cast<int>(std::fabs(std::sin(angle) * length));
        int ex1 = placeInitial(g, 501, width);
        const int ey1 = placeInitial(g, 652, height);
        int ex2 = ex1 + width;
        if (std::cos(angle) <= 0) {
            ex1 += width;
            ex2 = ex1 - width;
        }
        QCOMPARE(ex1, x1);
        QCOMPARE(ey1, y1);
        QCOMPARE(ex2, x2);
        QCOMPARE(ey1 + height, y2);

        f.random.setState(seed);
        generateReference(f.context);
        QCOMPARE(f.state.referenceAngle, angle);
        QCOMPARE(f.state.referenceLength, length);
        QCOMPARE(f.state.referenceWidth, width);
        QCOMPARE(f.state.referenceHeight, height);
        QCOMPARE(f.state.referenceX1, x1);
        QCOMPARE(f.state.referenceY1, y1);
        QCOMPARE(f.state.referenceX2, x2);
        QCOMPARE(f.state.referenceY2, y2);
        const auto grey = static_cast<std::uint8_t>(static_cast<int>(0.6 * n));
        const Rgb c{grey, grey, grey};
        QCOMPARE(f.referenceWindow.fakeSurface().calls,
                 (std::vector<DrawCall>{brush(c), pen(c), moveTo(x1, y1), lineTo(x2, y2), present()}));
        QCOMPARE(f.random.state(), g.state);
    }

    void geometryUsesTheReferenceWindowsCurrentSize() {
        EngineFixture f;
        f.settings.objectKind = ObjectKind::Rectangle;
        setInitial(f.settings, {});
        f.referenceWindow.resize(300, 200);
        Lcg g{77};
        const int width = g.draw(300) / 2;
        f.random.setState(77);
        generateReference(f.context);
        QCOMPARE(f.state.referenceWidth, width);
        QCOMPARE(f.state.referenceX1, static_cast<int>(150 - width / 2.0));
        QCOMPARE(f.state.referenceY1, static_cast<int>(100 - width / 2.0));
        QCOMPARE(f.random.state(), g.state);
    }

    void referenceShowLimitArmsTimer1() {
        EngineFixture f;
        f.settings.referenceShowLimit = {true, 10};
        generateReference(f.context);
        QVERIFY(f.engine.timer1().enabled());
        QCOMPARE(f.engine.timer1().interval(), 10000);
        QVERIFY(f.timer1.running);
        QCOMPARE(f.timer1.period, 10000LL);
    }

    void withoutTheLimitTimer1IsUntouched() {
        EngineFixture f;
        generateReference(f.context);
        QVERIFY(!f.engine.timer1().enabled());
        QCOMPARE(f.engine.timer1().interval(), 1000);
        QCOMPARE(f.timer1.starts, 0);
    }

    void refusalOfExercises3And4_data() {
        QTest::addColumn<int>("exercise");
        QTest::addRow("exercise 3") << 3;
        QTest::addRow("exercise 4") << 4;
    }

    void refusalOfExercises3And4() {
        QFETCH(int, exercise);
        EngineFixture f;
        f.settings.exerciseKind = static_cast<ExerciseKind>(exercise);
        f.settings.objectKind = ObjectKind::Rectangle;
        f.settings.referenceShowLimit = {true, 10};
        f.state.exerciseStarted = true;
        f.state.referenceRed = 5, f.state.referenceX1 = 17, f.state.referenceBrightness = 33;
        f.random.setState(321);
        generateReference(f.context);
        QCOMPARE(f.messages.shown, (std::vector<std::string>{noCalibratedSubmodalityMessage}));
        QCOMPARE(std::string(noCalibratedSubmodalityMessage),
                 std::string("В этом упражнении должа быть отмечена хотя бы одна калибруемая субмодальность!"));
        std::vector<std::string> log = emptyWindowShown;
        log.push_back(std::string("message:") + noCalibratedSubmodalityMessage);
        for (const char* closed : {"TForm1:close", "TForm2:close", "TForm3:close", "TSubmCheck:close"})
            log.push_back(closed);
        QCOMPARE(f.log, log);
        QVERIFY(!f.engine.timer1().enabled());
        QCOMPARE(f.timer1.starts, 0);
        QCOMPARE(f.random.state(), 321u);
        QVERIFY(f.referenceWindow.fakeSurface().calls.empty());
        QVERIFY(!f.state.exerciseStarted);
        // The previous reference stays.
        QCOMPARE(int(f.state.referenceRed), 5);
        QCOMPARE(f.state.referenceX1, 17);
        QCOMPARE(f.state.referenceBrightness, 33.0);
    }

    void anyAskedSubmodalityLetsExercises3And4Start_data() {
        QTest::addColumn<int>("exercise");
        QTest::addColumn<int>("asked");
        for (int exercise : {3, 4})
            for (int s = 0; s <= static_cast<int>(Submodality::Rotation); ++s)
                QTest::addRow("exercise %d, submodality %d", exercise, s) << exercise << s;
    }

    void anyAskedSubmodalityLetsExercises3And4Start() {
        QFETCH(int, exercise);
        QFETCH(int, asked);
        EngineFixture f;
        f.settings.exerciseKind = static_cast<ExerciseKind>(exercise);
        f.settings.asked[static_cast<std::size_t>(asked)] = true;
        generateReference(f.context);
        QVERIFY(f.messages.shown.empty());
        QVERIFY(f.referenceWindow.visible);
    }

    void exercises1And2NeverRefuse_data() {
        QTest::addColumn<int>("exercise");
        QTest::addRow("exercise 1") << 1;
        QTest::addRow("exercise 2") << 2;
    }

    void exercises1And2NeverRefuse() {
        QFETCH(int, exercise);
        EngineFixture f;
        f.settings.exerciseKind = static_cast<ExerciseKind>(exercise);
        f.settings.asked.fill(false);
        f.settings.referenceShowLimit = {true, 3};
        generateReference(f.context);
        QVERIFY(f.messages.shown.empty());
        QVERIFY(f.referenceWindow.visible);
        QVERIFY(f.engine.timer1().enabled());
        Lcg g{0};
        g.draw(255), g.draw(1000), g.draw(255);  // the colour of seed 0, accepted at once
        QCOMPARE(f.random.state(), g.state);
    }

    void generatingAgainDrawsANewReference() {
        // Seed 0 then the state it leaves: each run takes its own fresh draws
        // and draws its reference once more.
        EngineFixture f;
        f.settings.objectKind = ObjectKind::Rectangle;
        setInitial(f.settings, {Submodality::Brightness});
        Lcg g{0};
        const int first = g.draw(255);
        const int firstWidth = g.draw(501) / 2;
        const int second = g.draw(255);
        const int secondWidth = g.draw(501) / 2;
        generateReference(f.context);
        QCOMPARE(f.state.referenceBrightness, double(first));
        QCOMPARE(f.state.referenceWidth, firstWidth);
        generateReference(f.context);
        QCOMPARE(f.state.referenceBrightness, double(second));
        QCOMPARE(f.state.referenceWidth, secondWidth);
        QCOMPARE(f.referenceWindow.fakeSurface().only(DrawCall::Present).size(), std::size_t{2});
        QCOMPARE(f.random.state(), g.state);
    }
};

QTEST_GUILESS_MAIN(ReferenceGenerationTest)
#include "reference_generation_test.moc"
