// Putting a stimulus on the fields: the splitting lines, the field background
// and the placement of the reference and the changed object.

#include <QtTest>

#include "engine/rendering.h"
#include "fakes/draw_oracle.h"
#include "fakes/engine_fixture.h"

using namespace kestrani;
using namespace kestrani::fakes;

namespace {

void twoColours(EngineFixture& f) {
    f.state.baseRed = 250, f.state.baseGreen = 10, f.state.baseBlue = 100;
    f.state.deltaRed = 10, f.state.deltaGreen = -16, f.state.deltaBlue = 0;
}

const Rgb base{250, 10, 100};
const Rgb changed{255, 0, 100};  // 250 + 10 and 10 − 16, painted at the nearest end of 0..255

// A seed whose first draw in 0..999 is below or at least 500.
std::uint32_t seedGiving(bool changedFirst) {
    for (std::uint32_t seed = 1;; ++seed) {
        Lcg d{seed};
        if ((d.draw(1000) < 500) == changedFirst)
            return seed;
    }
}

}  // namespace

class RenderingTest : public QObject {
    Q_OBJECT
private slots:
    void splittingLcg3003LinesWithSevenLcgEachAndFlushesAsItGoes() {
        EngineFixture f;
        f.leftCard.resize(300, 200);  // TForm4 takes its sizes from TForm1
        f.rightCard.resize(501, 652);
        f.objectField.resize(10, 10);
        f.random.setState(77);
        drawSplittingLines(f.context);

        QCOMPARE(f.random.state(), Lcg{77}.after(21021));
        for (FakeDrawingWindow* field : {&f.leftCard, &f.rightCard, &f.objectField}) {
            const FakeSurface& s = field->fakeSurface();
            QCOMPARE(s.only(DrawCall::LineTo).size(), std::size_t(1001));
            QCOMPARE(s.only(DrawCall::MoveTo).size(), std::size_t(1001));
            QCOMPARE(s.only(DrawCall::Pen).size(), std::size_t(1001));
            QVERIFY(s.only(DrawCall::Flush).size() >= 10);
        }
        const auto within = [](const std::vector<DrawCall>& calls, int width, int height) {
            for (const DrawCall& c : calls)
                if (c.x1 < 0 || c.x1 >= width || c.y1 < 0 || c.y1 >= height)
                    return false;
            return true;
        };
        QVERIFY(within(f.leftCard.fakeSurface().only(DrawCall::LineTo), 300, 200));
        QVERIFY(within(f.objectField.fakeSurface().only(DrawCall::LineTo), 501, 652));
        bool beyondItsOwnSize = false;
        for (const DrawCall& c : f.objectField.fakeSurface().only(DrawCall::LineTo))
            beyondItsOwnSize |= c.x1 >= 10;
        QVERIFY(beyondItsOwnSize);
        // The first line of TForm2: pen blue, green, red, then y, x, y, x.
        Lcg d{77};
        const int blue = d.draw(255), green = d.draw(255), red = d.draw(255);
        const int y1 = d.draw(200), x1 = d.draw(300), y2 = d.draw(200), x2 = d.draw(300);
        const auto& first = f.leftCard.fakeSurface().calls;
        QCOMPARE(first[0], (DrawCall{DrawCall::Pen, 0, 0, 0, 0, Rgb{std::uint8_t(red), std::uint8_t(green), std::uint8_t(blue)}}));
        QCOMPARE(first[1], (DrawCall{DrawCall::MoveTo, x1, y1}));
        QCOMPARE(first[2], (DrawCall{DrawCall::LineTo, x2, y2}));
    }

    void fieldBackground() {
        EngineFixture f;
        setFieldBackground(f.context);
        QCOMPARE(f.random.state(), 0u);
        for (FakeDrawingWindow* field : {&f.leftCard, &f.rightCard, &f.objectField})
            QCOMPARE(field->background, silver);

        f.settings.variableBackground = true;
        setFieldBackground(f.context);
        Lcg d{0};
        for (FakeDrawingWindow* field : {&f.rightCard, &f.leftCard, &f.objectField}) {  // in this order
            const int blue = d.draw(255), green = d.draw(255), red = d.draw(255);
            QCOMPARE(field->background, (Rgb{std::uint8_t(red), std::uint8_t(green), std::uint8_t(blue)}));
        }
    }

    void wholeWindowColoursCarryTheStimulus_data() {
        QTest::addColumn<bool>("changedFirst");
        QTest::addColumn<bool>("singleObject");
        QTest::newRow("two cards, changed on the left") << true << false;
        QTest::newRow("two cards, reference on the left") << false << false;
        QTest::newRow("one object, changed") << true << true;
        QTest::newRow("one object, reference") << false << true;
    }
    void wholeWindowColoursCarryTheStimulus() {
        QFETCH(bool, changedFirst);
        QFETCH(bool, singleObject);
        EngineFixture f;
        twoColours(f);
        f.settings.exerciseKind = singleObject ? ExerciseKind::IsReference : ExerciseKind::PickReference;
        f.state.singleObject = singleObject;
        f.random.setState(seedGiving(changedFirst));
        placeAndDrawStimulus(f.context);
        QCOMPARE(f.state.referenceFirst, !changedFirst);
        if (singleObject) {
            QCOMPARE(f.objectField.background, changedFirst ? changed : base);
        } else {
            QCOMPARE(f.leftCard.background, changedFirst ? changed : base);
            QCOMPARE(f.rightCard.background, changedFirst ? base : changed);
        }
        QVERIFY(f.leftCard.fakeSurface().calls.empty());
    }

    void shapesAreDrawnWithTheirCornersAndColours_data() {
        QTest::addColumn<bool>("changedFirst");
        QTest::newRow("changed on the left") << true;
        QTest::newRow("reference on the left") << false;
    }
    void shapesAreDrawnWithTheirCornersAndColours() {
        QFETCH(bool, changedFirst);
        EngineFixture f;
        twoColours(f);
        f.settings.objectKind = ObjectKind::Ellipse;
        f.state.referenceX1 = 1, f.state.referenceY1 = 2, f.state.referenceX2 = 3, f.state.referenceY2 = 4;
        f.state.objectX1 = 5, f.state.objectY1 = 6, f.state.objectX2 = 7, f.state.objectY2 = 8;
        f.random.setState(seedGiving(changedFirst));
        placeAndDrawStimulus(f.context);
        const DrawCall referenceShape{DrawCall::Ellipse, 1, 2, 3, 4};
        const DrawCall changedShape{DrawCall::Ellipse, 5, 6, 7, 8};
        QCOMPARE(f.leftCard.fakeSurface().only(DrawCall::Ellipse), std::vector<DrawCall>{changedFirst ? changedShape : referenceShape});
        QCOMPARE(f.rightCard.fakeSurface().only(DrawCall::Ellipse), std::vector<DrawCall>{changedFirst ? referenceShape : changedShape});
        QCOMPARE(f.leftCard.fakeSurface().only(DrawCall::Brush).front().colour, changedFirst ? changed : base);
        QCOMPARE(f.rightCard.fakeSurface().only(DrawCall::Pen).front().colour, changedFirst ? base : changed);
        QVERIFY(!f.state.shapeIsRectangle);
    }

    void exerciseThreeAlwaysShowsTheChangedObjectAndKeepsItsKey() {
        EngineFixture f;
        twoColours(f);
        f.settings.exerciseKind = ExerciseKind::DiffersInAsked;
        f.settings.objectKind = ObjectKind::Line;
        f.state.singleObject = true;
        f.state.objectX1 = 5, f.state.objectY1 = 6, f.state.objectX2 = 70, f.state.objectY2 = 80;
        for (bool key : {true, false}) {
            f.state.referenceFirst = key;
            f.random.setState(seedGiving(false));  // a draw that would show the reference elsewhere
            placeAndDrawStimulus(f.context);
            QCOMPARE(f.state.referenceFirst, key);
            QCOMPARE(f.objectField.fakeSurface().calls.back(), (DrawCall{DrawCall::Present}));
            const auto lines = f.objectField.fakeSurface().only(DrawCall::LineTo);
            QCOMPARE(lines.back(), (DrawCall{DrawCall::LineTo, 70, 80}));
        }
    }

    void eitherShapeIsDrawnAfreshOnceForBothCards() {
        EngineFixture f;
        f.settings.objectKind = ObjectKind::RectangleOrEllipse;
        int rectangles = 0;
        for (int i = 0; i < 200; ++i) {
            Lcg d{f.random.state()};
            d.draw(1000);
            const bool rectangle = d.draw(1000) > 500;
            placeAndDrawStimulus(f.context);
            QCOMPARE(f.state.shapeIsRectangle, rectangle);
            QCOMPARE(f.random.state(), d.state);
            rectangles += rectangle;
        }
        QVERIFY(rectangles > 60 && rectangles < 140);
        QCOMPARE(f.leftCard.fakeSurface().only(DrawCall::Rectangle).size(), std::size_t(rectangles));
        QCOMPARE(f.rightCard.fakeSurface().only(DrawCall::Rectangle).size(), std::size_t(rectangles));
    }
};

QTEST_GUILESS_MAIN(RenderingTest)
#include "rendering_test.moc"
