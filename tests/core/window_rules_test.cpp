// Where the exercise windows stand, how their contents scale, where a click
// leads, and how the phase timers count.

#include <QtTest>
#include <cmath>
#include <string>
#include <vector>

#include "engine/phase_timer.h"
#include "fakes/fake_clock.h"
#include "fakes/fake_screen.h"
#include "fakes/recording_actions.h"
#include "windows/click_routing.h"
#include "windows/device_pixels.h"
#include "windows/framed_window_fit.h"
#include "windows/readable_text.h"
#include "windows/reading_order.h"
#include "windows/window_geometry.h"

using namespace kestrani;
using namespace kestrani::fakes;

Q_DECLARE_METATYPE(kestrani::WindowRect)
Q_DECLARE_METATYPE(std::vector<kestrani::WindowRect>)
Q_DECLARE_METATYPE(std::vector<std::size_t>)

namespace {

struct RoutingFixture {
    EventLog log;
    ExerciseState state;
    FakeDrawingWindow referenceWindow{"TSubmCheck", log, 501, 652};
    FakeDrawingWindow leftCard{"TForm2", log, 501, 652};
    FakeDrawingWindow rightCard{"TForm1", log, 501, 652};
    FakeDrawingWindow objectField{"TForm4", log, 501, 652};
    FakeBackdrop backdrop{log};
    ExerciseWindows windows{referenceWindow, leftCard, rightCard, objectField, backdrop};
    RecordingActions actions;
    // Event times of the window system, 1000 ms behind the steady clock.
    struct : InputTimes {
        void observe(std::uint64_t) override {}
        std::int64_t madeAt(std::uint64_t eventTime) const override { return std::int64_t(eventTime) + 1000; }
    } times;
    ClickRouter router{state, windows, actions, times};
};

}  // namespace

class WindowRulesTest : public QObject {
    Q_OBJECT
private slots:
    void geometryAt1024x768() {
        const ScreenSize screen{1024, 768};
        QCOMPARE(backdropGeometry(screen), (WindowRect{0, 0, 1023, 737}));
        QCOMPARE(referenceWindowGeometry(screen), (WindowRect{256, 0, 501, 652}));
        QCOMPARE(objectFieldGeometry(screen), (WindowRect{256, 0, 501, 652}));
        QCOMPARE(leftCardGeometry(screen), (WindowRect{0, 0, 501, 652}));
        QCOMPARE(rightCardGeometry(screen), (WindowRect{522, 0, 501, 652}));
    }

    void geometryTruncatesExactDecimalProducts() {
        // 0.85 × 600 is exactly 510; binary floating point would give 509.
        QCOMPARE(leftCardGeometry({800, 600}).height, 510);
        QCOMPARE(backdropGeometry({800, 600}), (WindowRect{0, 0, 799, 576}));
        QCOMPARE(rightCardGeometry({800, 600}).left, 408);
    }

    void guards() {
        QVERIFY(backdropIsFitted(790, {791, 600}));
        QVERIFY(!backdropIsFitted(790, {1024, 768}));
        for (int width : {920, 921, 922, 923})
            QVERIFY(referenceWindowIsFitted(230, {width, 600}));
        QVERIFY(!referenceWindowIsFitted(230, {924, 600}));
        QVERIFY(!referenceWindowIsFitted(230, {919, 600}));
    }

    void scaling_data() {
        QTest::addColumn<WindowRect>("design");
        QTest::addColumn<int>("screenHeight");
        QTest::addColumn<WindowRect>("scaled");
        QTest::newRow("factor 1 keeps design") << WindowRect{147, 520, 129, 25} << 600 << WindowRect{147, 520, 129, 25};
        // Edges 16, 528, 145, 553 × 1.28 = 20.48, 675.84, 185.6, 707.84.
        QTest::newRow("backdrop Button1 at 768") << WindowRect{16, 528, 129, 25} << 768 << WindowRect{20, 676, 166, 32};
        // 280 × 1.28 = 358.4, 385 × 1.28 = 492.8: width from the rounded edges.
        QTest::newRow("Начали? at 768") << WindowRect{280, 464, 105, 25} << 768 << WindowRect{358, 594, 135, 32};
        // Halves round away from zero: 5 × 660 / 600 = 5.5.
        QTest::newRow("halves away from zero") << WindowRect{5, 15, 5, 5} << 660 << WindowRect{6, 17, 5, 5};
    }
    void scaling() {
        QFETCH(WindowRect, design);
        QFETCH(int, screenHeight);
        QFETCH(WindowRect, scaled);
        // A screen twice as wide as high: the height sets the ratio.
        QCOMPARE(scaleControl(design, designScale({2 * screenHeight, screenHeight})), scaled);
    }

    void fontsScaleInPoints() {
        auto byHeight = [](int h) { return designScale({2 * h, h}); };
        QCOMPARE(scaleFontPixelHeight(16, byHeight(600)), 16);
        QCOMPARE(scaleFontPixelHeight(11, byHeight(600)), 11);
        QCOMPARE(scaleFontPixelHeight(19, byHeight(600)), 19);
        QCOMPARE(scaleFontPixelHeight(16, byHeight(768)), 20);  // 12 pt × 1.28 = 15.36 → 15 pt
        QCOMPARE(scaleFontPixelHeight(11, byHeight(768)), 13);  // 8 pt × 1.28 = 10.24 → 10 pt
        QCOMPARE(scaleFontPixelHeight(11, designScale({1280, 1024})), 17);  // 8 pt × 1.6 = 12.8 → 13 pt
    }

    // The design layouts of the windows, in the order their controls are made.
    void tabOrderReadsTheLayout_data() {
        QTest::addColumn<std::vector<WindowRect>>("controls");
        QTest::addColumn<std::vector<std::size_t>>("order");
        QTest::newRow("instructions: two rows of buttons, OK taller between them")
            << std::vector<WindowRect>{{362, 504, 75, 41},  {10, 504, 159, 17},  {10, 528, 159, 17},
                                       {176, 504, 177, 17}, {176, 528, 177, 17}, {448, 504, 169, 17},
                                       {624, 528, 161, 17}, {450, 528, 167, 17}, {624, 504, 161, 17}}
            << std::vector<std::size_t>{1, 3, 0, 5, 8, 2, 4, 7, 6};
        QTest::newRow("configuration: the groups, then the buttons")
            << std::vector<WindowRect>{{7, 128, 217, 313},  {231, 128, 546, 145}, {231, 280, 170, 161},
                                       {407, 280, 210, 117}, {624, 280, 153, 117}, {408, 400, 369, 41},
                                       {704, 412, 66, 25},   {624, 448, 153, 25},  {624, 480, 153, 25},
                                       {624, 512, 153, 25},  {7, 448, 153, 25}}
            << std::vector<std::size_t>{0, 1, 2, 3, 4, 5, 6, 10, 7, 8, 9};
        QTest::newRow("a box beside a field standing two pixels higher")
            << std::vector<WindowRect>{{8, 19, 100, 17}, {110, 17, 30, 21}} << std::vector<std::size_t>{0, 1};
        QTest::newRow("exercise screen: the reference window's buttons above the backdrop's")
            << std::vector<WindowRect>{{510, 505, 105, 25}, {238, 505, 105, 25}, {16, 528, 129, 25}, {624, 528, 161, 25}}
            << std::vector<std::size_t>{1, 0, 2, 3};
        QTest::newRow("nothing") << std::vector<WindowRect>{} << std::vector<std::size_t>{};
    }
    void tabOrderReadsTheLayout() {
        QFETCH(std::vector<WindowRect>, controls);
        QFETCH(std::vector<std::size_t>, order);
        QCOMPARE(readingOrder(controls), order);
    }

    // Texts of hand-worked widths: every height tried costs a font, so a
    // width growing in proportion is settled in three measurements.
    void fittingHeightIsTheLargestThatFits_data() {
        QTest::addColumn<int>("perPixel");  // width = fixed + perPixel × height (+ 4 every third height)
        QTest::addColumn<int>("fixed");
        QTest::addColumn<bool>("steps");
        QTest::addColumn<int>("room");
        QTest::addColumn<int>("fitting");
        QTest::addColumn<int>("mostMeasurements");
        QTest::newRow("fits at full height") << 7 << 0 << false << 200 << 24 << 1;
        QTest::newRow("in proportion") << 7 << 0 << false << 100 << 14 << 3;         // 98 ≤ 100 < 105
        QTest::newRow("hinted steps") << 7 << 0 << true << 110 << 15 << 3;          // 109 ≤ 110 < 112
        QTest::newRow("a fixed margin") << 5 << 40 << false << 100 << 12 << 5;      // 100 ≤ 100 < 105
        QTest::newRow("one pixel short of a height") << 7 << 0 << false << 97 << 13 << 3;  // 91 ≤ 97 < 98
        QTest::newRow("no room") << 7 << 0 << false << 0 << 1 << 24;
        QTest::newRow("a box left of the window's edge") << 7 << 0 << false << -30 << 1 << 24;
    }
    void fittingHeightIsTheLargestThatFits() {
        QFETCH(int, perPixel);
        QFETCH(int, fixed);
        QFETCH(bool, steps);
        QFETCH(int, room);
        QFETCH(int, fitting);
        QFETCH(int, mostMeasurements);
        int measured = 0;
        const auto width = [&](int height) {
            ++measured;
            return fixed + perPixel * height + (steps && height % 3 == 0 ? 4 : 0);
        };
        QCOMPARE(fittingPixelHeight(24, room, width), fitting);
        QVERIFY2(measured <= mostMeasurements, qPrintable(QString::number(measured) + " measurements"));
    }

    // The ratio is the smaller of height / 600 and width / 800: 4:3 and wider
    // screens scale by their height as before, narrower ones by their width.
    void designScaleTakesTheSmallerRatio_data() {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::addColumn<int>("numerator");
        QTest::addColumn<int>("denominator");
        QTest::newRow("800 × 600") << 800 << 600 << 600 << 600;
        QTest::newRow("1024 × 768, 4:3") << 1024 << 768 << 768 << 600;
        QTest::newRow("1600 × 1200, 4:3 exactly") << 1600 << 1200 << 1200 << 600;
        QTest::newRow("1366 × 768") << 1366 << 768 << 768 << 600;
        QTest::newRow("3840 × 2160") << 3840 << 2160 << 2160 << 600;
        QTest::newRow("1280 × 1024, 5:4") << 1280 << 1024 << 1280 << 800;
        QTest::newRow("1599 × 1200, just under 4:3") << 1599 << 1200 << 1599 << 800;
        QTest::newRow("1080 × 1920, portrait") << 1080 << 1920 << 1080 << 800;
    }
    void designScaleTakesTheSmallerRatio() {
        QFETCH(int, width);
        QFETCH(int, height);
        QFETCH(int, numerator);
        QFETCH(int, denominator);
        QCOMPARE(designScale({width, height}), (DesignScale{numerator, denominator, 0}));
    }

    // Where the width sets the ratio, the backdrop's band of prompts and
    // buttons and the reference window's buttons move down to where the
    // height would have put them: below the fields, at the window's bottom.
    void bandsAtTheBottomStayThere_data() {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::addColumn<WindowRect>("newExercise");  // backdrop Button1 16, 528, 129 × 25
        QTest::addColumn<WindowRect>("start");        // "Начали?" 280, 464, 105 × 25
        // Edges × 1.28, no shift.
        QTest::newRow("1024 × 768") << 1024 << 768 << WindowRect{20, 676, 166, 32} << WindowRect{358, 594, 135, 32};
        // Edges × 1.6; shifts 576 × 1024 / 600 − 576 × 1.6 = 983 − 922 = 61 and
        // 510 × 1024 / 600 − 510 × 1.6 = 870 − 816 = 54.
        QTest::newRow("1280 × 1024") << 1280 << 1024 << WindowRect{26, 906, 206, 40} << WindowRect{448, 796, 168, 40};
        // Edges × 1.35; shifts 1843 − 778 = 1065 and 1632 − 689 = 943.
        QTest::newRow("1080 × 1920") << 1080 << 1920 << WindowRect{22, 1778, 174, 34} << WindowRect{378, 1569, 142, 34};
    }
    void bandsAtTheBottomStayThere() {
        QFETCH(int, width);
        QFETCH(int, height);
        QFETCH(WindowRect, newExercise);
        QFETCH(WindowRect, start);
        const ScreenSize screen{width, height};
        QCOMPARE(scaleControl({16, 528, 129, 25}, backdropScale(screen)), newExercise);
        QCOMPARE(scaleControl({280, 464, 105, 25}, referenceWindowScale(screen)), start);
        // The band lies below the fields and inside the backdrop; the buttons
        // inside the reference window.
        const WindowRect field = objectFieldGeometry(screen);
        QVERIFY(newExercise.top >= field.height);
        QVERIFY(newExercise.top + newExercise.height <= backdropGeometry(screen).height);
        QVERIFY(start.left + start.width <= field.width && start.top + start.height <= field.height);
    }

    // On the backdrop's grey (relative luminance 0.216) black reaches 5.3:1
    // and white 3.9:1; a light grey text only 2.1:1.
    void promptColourReadsOnTheBackdrop_data() {
        QTest::addColumn<int>("system");  // 0xRRGGBB
        QTest::addColumn<int>("chosen");
        QTest::newRow("light theme, black") << 0x000000 << 0x000000;
        QTest::newRow("dark theme, white") << 0xffffff << 0xffffff;
        QTest::newRow("dark theme, off-white") << 0xfcfcfc << 0xfcfcfc;
        QTest::newRow("light grey: too faint, black") << 0xbebebe << 0x000000;
        QTest::newRow("the backdrop's own grey: black") << 0x808080 << 0x000000;
        QTest::newRow("dark slate, near enough") << 0x232629 << 0x232629;
    }
    void promptColourReadsOnTheBackdrop() {
        QFETCH(int, system);
        QFETCH(int, chosen);
        auto rgb = [](int c) { return Rgb{std::uint8_t(c >> 16), std::uint8_t(c >> 8), std::uint8_t(c)}; };
        QCOMPARE(readableTextColour(rgb(system), darkGrey), rgb(chosen));
        QVERIFY(contrastRatio(rgb(chosen), darkGrey) >= 3.0);
    }

    void contrastRatioOfKnownPairs() {
        QVERIFY(qAbs(contrastRatio({0, 0, 0}, {255, 255, 255}) - 21.0) < 1e-9);
        QVERIFY(qAbs(contrastRatio(darkGrey, darkGrey) - 1.0) < 1e-9);
        QVERIFY(qAbs(contrastRatio({0, 0, 0}, darkGrey) - 5.32) < 0.01);
        QVERIFY(qAbs(contrastRatio({255, 255, 255}, darkGrey) - 3.95) < 0.01);
    }

    // A framed window's contents scale as the screen says unless the client
    // area given under the desktop's frame holds less than 790 × 545 scaled.
    void framedWindowScaleFitsTheClientArea_data() {
        QTest::addColumn<int>("screenWidth");
        QTest::addColumn<int>("screenHeight");
        QTest::addColumn<int>("clientWidth");
        QTest::addColumn<int>("clientHeight");
        QTest::addColumn<int>("numerator");
        QTest::addColumn<int>("denominator");
        QTest::newRow("no frame, 1024 × 768") << 1024 << 768 << 1023 << 737 << 768 << 600;
        QTest::newRow("thin frame, 712 high: 1.306 > 1.28") << 1024 << 768 << 1022 << 712 << 768 << 600;
        QTest::newRow("41-pixel title bar: 696 / 545") << 1024 << 768 << 1023 << 696 << 696 << 545;
        QTest::newRow("5:4, the width sets it") << 1280 << 1024 << 1279 << 983 << 1280 << 800;
        QTest::newRow("portrait") << 1080 << 1920 << 1079 << 1843 << 1080 << 800;
        QTest::newRow("narrowed by the user") << 1024 << 768 << 700 << 500 << 700 << 790;
        QTest::newRow("design screen") << 800 << 600 << 799 << 576 << 600 << 600;
    }
    void framedWindowScaleFitsTheClientArea() {
        QFETCH(int, screenWidth);
        QFETCH(int, screenHeight);
        QFETCH(int, clientWidth);
        QFETCH(int, clientHeight);
        QFETCH(int, numerator);
        QFETCH(int, denominator);
        const DesignScale scale = framedWindowScale({screenWidth, screenHeight}, clientWidth, clientHeight);
        QCOMPARE(scale, (DesignScale{numerator, denominator, 0}));
        // The design client area, scaled, lies inside the client area given.
        QVERIFY(scaleDesignValue(790, scale) <= clientWidth);
        QVERIFY(scaleDesignValue(545, scale) <= clientHeight);
    }

    void framedWindowIsPlacedByItsOuterSize() {
        FramedWindowFit fit;
        QVERIFY(!fit.placed());
        QVERIFY(fit.needsPlacing({1024, 768}, 812, 572, false));
        QVERIFY(!fit.frameChanged({1, 20, 1, 5}));  // nothing placed yet

        // Placed before the desktop has framed it: the whole outer size is client.
        const WindowRect outer{0, 0, 1024, 737};
        QCOMPARE(fit.place({1024, 768}, outer, {}), (FramedWindowFit::Placement{0, 0, 1024, 737}));
        QVERIFY(!fit.frameChanged({}));
        // The frame becomes known: placed again, the frame taken off the client.
        QVERIFY(fit.frameChanged({1, 20, 1, 5}));
        QCOMPARE(fit.place({1024, 768}, outer, {1, 20, 1, 5}), (FramedWindowFit::Placement{0, 0, 1022, 712}));
        QVERIFY(!fit.frameChanged({1, 20, 1, 5}));
        QVERIFY(!fit.needsPlacingAgain(outer));
        QVERIFY(fit.needsPlacingAgain({-1, -20, 1024, 737}));  // the client area put at the place
        // A desktop that keeps its own idea of the window (here: a size it
        // constrains) is left with it after the third placement of a round.
        const WindowRect constrained{0, 0, 1024, 720};
        QVERIFY(fit.needsPlacingAgain(constrained));
        fit.place({1024, 768}, outer, {1, 20, 1, 5});
        QVERIFY(!fit.needsPlacingAgain(constrained));
        fit.startRound();
        QVERIFY(fit.needsPlacingAgain(constrained));

        QVERIFY(!fit.needsPlacing({1024, 768}, 1024, 737, false));  // as set, wherever the user moved it
        QVERIFY(fit.needsPlacing({1024, 768}, 700, 500, false));    // resized by the user
        QVERIFY(!fit.needsPlacing({1024, 768}, 1024, 731, true));   // maximized by the desktop
        QVERIFY(fit.needsPlacing({1280, 1024}, 1024, 737, false));  // another screen
        QVERIFY(fit.needsPlacing({1280, 1024}, 1024, 731, true));
    }

    void wholeOutputPixelsHoldTheRectangle_data() {
        QTest::addColumn<int>("outputPixel");
        QTest::addColumn<WindowRect>("rect");
        QTest::addColumn<WindowRect>("whole");
        QTest::newRow("scale 1 changes nothing") << 1 << WindowRect{257, 41, 501, 483} << WindowRect{257, 41, 501, 483};
        QTest::newRow("even edges stay") << 2 << WindowRect{522, 0, 500, 652} << WindowRect{522, 0, 500, 652};
        QTest::newRow("odd right edge") << 2 << WindowRect{0, 0, 501, 652} << WindowRect{0, 0, 502, 652};
        QTest::newRow("odd left and top") << 2 << WindowRect{257, 41, 384, 483} << WindowRect{256, 40, 386, 484};
        QTest::newRow("scale 3") << 3 << WindowRect{4, 5, 1, 1} << WindowRect{3, 3, 3, 3};
        QTest::newRow("left of the screen") << 2 << WindowRect{-3, 0, 2, 2} << WindowRect{-4, 0, 4, 2};
    }

    void wholeOutputPixelsHoldTheRectangle() {
        QFETCH(int, outputPixel);
        QFETCH(WindowRect, rect);
        QFETCH(WindowRect, whole);
        QCOMPARE(wholeOutputPixelsAround(rect, outputPixel), whole);
    }

    void toolkitFactorsUndoTheOutputScale_data() {
        QTest::addColumn<std::vector<int>>("scales");
        QTest::addColumn<QString>("factors");
        QTest::newRow("no output") << std::vector<int>{} << "";
        QTest::newRow("unscaled") << std::vector<int>{1, 1} << "";
        QTest::newRow("scale 2") << std::vector<int>{2} << "0.5";
        QTest::newRow("mixed, in the outputs' order") << std::vector<int>{1, 2} << "1;0.5";
        QTest::newRow("scale 4") << std::vector<int>{4} << "0.25";
    }

    void toolkitFactorsUndoTheOutputScale() {
        QFETCH(std::vector<int>, scales);
        QFETCH(QString, factors);
        QCOMPARE(QString::fromStdString(screenFactorsForDevicePixels(scales)), factors);
    }

    void aThirdGivesBackOnePixel() {
        // The factor for scale 3 is written out in full: 3 × factor is 1.
        const double factor = std::stod(screenFactorsForDevicePixels({3}));
        QVERIFY(std::abs(3 * factor - 1) < 1e-15);
    }

    void routing_data() {
        QTest::addColumn<int>("where");  // 0 left card, 1 right card, 2 object field, 3 backdrop
        QTest::addColumn<int>("button");
        QTest::addColumn<bool>("singleObject");
        QTest::addColumn<bool>("started");
        QTest::addColumn<bool>("finished");
        QTest::addColumn<QString>("outcome");
        const int L = int(MouseButton::Left), R = int(MouseButton::Right), M = int(MouseButton::Middle);
        QTest::newRow("left card, left") << 0 << L << false << true << false << "step TForm2";
        QTest::newRow("right card, left") << 1 << L << false << true << false << "step TForm1";
        QTest::newRow("cards answer even after the end") << 0 << L << false << true << true << "step TForm2";
        QTest::newRow("left card, right") << 0 << R << false << true << false << "";
        QTest::newRow("right card, middle") << 1 << M << false << true << false << "";
        QTest::newRow("field, left") << 2 << L << true << true << false << "step TForm4";
        QTest::newRow("field, right, one object") << 2 << R << true << true << false << "step TForm3";
        QTest::newRow("field, middle, one object") << 2 << M << true << true << false << "step TForm3";
        QTest::newRow("field, right, after the end") << 2 << R << true << true << true << "";
        QTest::newRow("field, side button, one object") << 2 << int(MouseButton::Other) << true << true << false << "";
        QTest::newRow("backdrop, one object") << 3 << L << true << true << false << "step TForm3";
        QTest::newRow("backdrop, one object, ended") << 3 << L << true << true << true << "";
        QTest::newRow("backdrop, two cards, ended") << 3 << L << false << true << true << "";
        QTest::newRow("backdrop, two cards, objects phase") << 3 << L << false << true << false << "TForm2:show TForm1:show";
        QTest::newRow("backdrop, reference phase") << 3 << L << false << false << false << "TSubmCheck:show";
        // After an exercise with one object the flag still says so, but the
        // reference is on screen: the click only brings it back.
        QTest::newRow("backdrop, reference phase after one-object exercise") << 3 << L << true << false << false << "TSubmCheck:show";
        QTest::newRow("backdrop, right button") << 3 << R << true << true << false << "";
        QTest::newRow("backdrop, middle button") << 3 << M << false << true << false << "";
    }
    void routing() {
        QFETCH(int, where);
        QFETCH(int, button);
        QFETCH(bool, singleObject);
        QFETCH(bool, started);
        QFETCH(bool, finished);
        QFETCH(QString, outcome);
        RoutingFixture f;
        f.state.singleObject = singleObject;
        f.state.exerciseStarted = started;
        f.state.exerciseFinished = finished;
        const auto mouse = MouseButton(button);
        switch (where) {
        case 0: f.router.cardClicked(Sender::TForm2, mouse, 77); break;
        case 1: f.router.cardClicked(Sender::TForm1, mouse, 77); break;
        case 2: f.router.objectFieldPressed(mouse, 77); break;
        default: f.router.backdropClicked(mouse, 77); break;
        }
        // An answer is dated by its press, on the steady clock.
        for (std::int64_t madeAt : f.actions.answeredAt)
            QCOMPARE(madeAt, std::int64_t{1077});
        QStringList happened;
        const char* names[] = {"Button1", "Timer1", "Timer2", "TForm2", "TForm1", "TForm4", "TForm3"};
        for (Sender s : f.actions.steps)
            happened << QString("step ") + names[int(s)];
        for (const std::string& event : f.log)
            happened << QString::fromStdString(event);
        QCOMPARE(happened.join(' '), outcome);
    }

    void phaseTimerCountsOnlyOnEffectiveChanges() {
        FakeClock clock;
        FakeTimerDevice device(clock);
        int ticks = 0;
        device.onTick = [&] { ++ticks; };
        PhaseTimer timer(device);
        QCOMPARE(timer.interval(), 1000);
        QVERIFY(!timer.enabled());

        timer.setInterval(10000);
        timer.setEnabled(true);
        clock.advance(3000);
        timer.setInterval(10000);  // same value: the count goes on
        timer.setEnabled(true);
        clock.advance(6999);
        QCOMPARE(ticks, 0);
        clock.advance(1);
        QCOMPARE(ticks, 1);
        clock.advance(10000);
        QCOMPARE(ticks, 2);  // periodic until disabled

        timer.setInterval(5000);  // a different interval restarts the count
        clock.advance(4999);
        QCOMPARE(ticks, 2);
        clock.advance(1);
        QCOMPARE(ticks, 3);

        timer.setInterval(0);  // an interval of 0 never ticks
        clock.advance(100000);
        QCOMPARE(ticks, 3);
        QVERIFY(timer.enabled());

        timer.setEnabled(false);
        timer.setInterval(2000);
        clock.advance(5000);
        QCOMPARE(ticks, 3);
    }
};

QTEST_GUILESS_MAIN(WindowRulesTest)
#include "window_rules_test.moc"
