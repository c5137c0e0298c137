// The one full-screen exercise window: how the backdrop brings it up and takes
// it down, what its surfaces show where, how they stack, and where message
// boxes open and leave the keyboard.

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTableView>
#include <QtTest>

#include "app/window_set.h"
#include "fakes/fake_screen.h"

using namespace kestrani;
using namespace kestrani::fakes;

namespace {

const QColor grey(128, 128, 128), silverColour(192, 192, 192);

// The size of the offscreen platform's screen, so that the surfaces' rules and
// the full-screen window agree.
ScreenSize platformScreen() {
    const QSize size = QGuiApplication::primaryScreen()->geometry().size();
    return {size.width(), size.height()};
}

// What a modal box looked like while it was open; it is closed with Return
// from where the keyboard is.
struct OpenBox {
    QWidget* parent = nullptr;
    QPoint centre;
    bool keyboardOnOk = false;
    QString text;
    QFont font;
    int width = 0;
};

// Answers the next message box the program opens: Return, typed once the box
// has the keyboard.
void answerNextBox(OpenBox& seen) {
    QTimer::singleShot(0, [&seen] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        seen.parent = box->parentWidget();
        seen.centre = box->frameGeometry().center();
        seen.text = box->text();
        seen.font = box->font();
        seen.width = box->width();
        const bool active = QTest::qWaitFor([box] { return QApplication::activeWindow() == box; }, 2000);
        seen.keyboardOnOk = active && QApplication::focusWidget() == box->button(QMessageBox::Ok);
        if (seen.keyboardOnOk)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        else
            box->done(0);
    });
}

// Within a few pixels: a window's centre is between pixels.
bool near(QPoint a, QPoint b) { return (a - b).manhattanLength() <= 2; }

class HideCounter : public QObject {
public:
    int hides = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        hides += event->type() == QEvent::Hide;
        return false;
    }
};

}  // namespace

class ExerciseScreenTest : public QObject {
    Q_OBJECT
private slots:
    void theBackdropBringsTheScreenUpFullScreenAndTakesItDown() {
        FakeScreen screen(platformScreen());
        WindowSet set(&screen);
        ExerciseScreen& exercise = set.exerciseScreen();
        QVERIFY(!exercise.isVisible());
        set.submCheck().show();
        QVERIFY2(!exercise.isVisible(), "only the backdrop brings the screen up");
        set.form3().show();
        QVERIFY(exercise.isVisible());
        QVERIFY(exercise.isFullScreen());
        QCOMPARE(exercise.geometry(), QGuiApplication::primaryScreen()->geometry());
        QVERIFY(QTest::qWaitForWindowActive(&exercise));

        set.form3().close();
        QVERIFY(!exercise.isVisible());
        QVERIFY2(QTest::qWaitForWindowActive(&set.kestrani()), "the keyboard goes back to the configuration window");
    }

    // Escape leaves the exercise as "Выйти из упражнения" does: the exercise
    // leaves its result, and the keyboard starts on "Начали?" when it is
    // shown again.
    void escapeLeavesTheExercise() {
        FakeScreen screen(platformScreen());
        WindowSet set(&screen);
        set.kestrani().Button1->click();  // "Упражнения"
        ExerciseScreen& exercise = set.exerciseScreen();
        QVERIFY(QTest::qWaitForWindowActive(&exercise));
        QCOMPARE(QApplication::focusWidget(), set.submCheck().Button1);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);  // "Начали?"
        QVERIFY(!set.submCheck().isVisible());
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : &exercise, Qt::Key_Escape);
        QVERIFY(!exercise.isVisible());
        QVERIFY(QTest::qWaitForWindowActive(&set.kestrani()));
        set.resultsWindow().open();
        QCOMPARE(set.resultsWindow().table->model()->rowCount(), 1);
    }

    void closingTheScreenFromTheDesktopLeavesTheExercise() {
        FakeScreen screen(platformScreen());
        WindowSet set(&screen);
        TKestrani& k = set.kestrani();
        k.CheckBox28->click();  // the reference-show limit, 1 second
        QTest::keyClicks(k.Edit1, "1");
        k.Button1->click();  // "Упражнения"
        QVERIFY(set.submCheck().Timer1->counting());
        set.exerciseScreen().close();
        QVERIFY(!set.exerciseScreen().isVisible());
        for (QWidget* surface : std::initializer_list<QWidget*>{&set.form3(), &set.submCheck(), &set.form2(), &set.form1(), &set.form4()})
            QVERIFY(surface->isHidden());
        QVERIFY2(!set.submCheck().Timer1->counting(), "no limit starts the left exercise later");
        k.Button1->click();  // a new exercise brings the screen back with the reference
        QVERIFY(set.exerciseScreen().isVisible());
        QVERIFY(set.submCheck().isVisible());
    }

    void surfacesAndTheScreenAroundThem_data() {
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<QColor>("colour");
        // An 800 × 800 screen: backdrop 799 × 768, cards 392 × 680 at 0 and 408.
        QTest::newRow("left card") << QPoint(100, 100) << silverColour;
        QTest::newRow("its last pixel") << QPoint(391, 679) << silverColour;
        QTest::newRow("gap between the cards") << QPoint(392, 100) << grey;
        QTest::newRow("right card") << QPoint(408, 100) << silverColour;
        QTest::newRow("below the cards") << QPoint(500, 685) << grey;
        QTest::newRow("right-most column, outside the backdrop") << QPoint(799, 720) << grey;
        QTest::newRow("the right card reaches the last column") << QPoint(799, 300) << silverColour;
        QTest::newRow("bottom band, outside the backdrop") << QPoint(400, 790) << grey;
    }

    void surfacesAndTheScreenAroundThem() {
        QFETCH(QPoint, at);
        QFETCH(QColor, colour);
        if (platformScreen() != ScreenSize{800, 800})
            QSKIP("the rows are worked out for the offscreen platform's 800 × 800 screen");
        FakeScreen screen(platformScreen());
        WindowSet set(&screen);
        set.form3().show();
        set.form2().show();
        set.form1().show();
        QCOMPARE(set.exerciseScreen().grab().toImage().pixelColor(at), colour);
    }

    // On a Wayland output of scale 2 a surface takes in the whole output
    // pixels round its rectangle; the margin shows the backdrop, and the
    // surface still draws and counts in its own exact size.
    void surfacesOnWholeOutputPixels_data() {
        QTest::addColumn<int>("outputPixel");
        QTest::addColumn<int>("widgetWidth");
        QTest::newRow("unscaled") << 1 << 501;
        QTest::newRow("scale 2") << 2 << 502;
    }

    void surfacesOnWholeOutputPixels() {
        QFETCH(int, outputPixel);
        QFETCH(int, widgetWidth);
        if (platformScreen() != ScreenSize{800, 800})
            QSKIP("the pixels are worked out for the offscreen platform's 800 × 800 screen");
        FakeScreen screen({1024, 768});  // cards 501 × 652 at 0 and 522
        PlatformPorts ports{&screen};
        ports.outputPixel = outputPixel;
        WindowSet set(ports);
        set.form3().show();
        set.form2().show();
        set.form1().show();
        QCOMPARE(set.form2().geometry(), QRect(0, 0, widgetWidth, 652));
        QCOMPARE(set.form1().geometry(), QRect(522, 0, widgetWidth, 652));
        QCOMPARE(set.form2().width(), 501);
        const QImage shot = set.exerciseScreen().grab().toImage();
        QCOMPARE(shot.pixelColor(500, 100), silverColour);
        QCOMPARE(shot.pixelColor(501, 100), grey);
        QCOMPARE(shot.pixelColor(521, 100), grey);
        QCOMPARE(shot.pixelColor(522, 100), silverColour);
    }

    // Every control is widened to whole output pixels as well, and the
    // backdrop's guard still sees the width the program gave it: showing it
    // again never scales its contents a second time.
    void controlsOnWholeOutputPixelsAreScaledOnce() {
        FakeScreen screen({1024, 768});
        PlatformPorts ports{&screen};
        ports.outputPixel = 2;
        WindowSet set(ports);
        set.form3().show();
        const QList<QWidget*> controls = set.form3().findChildren<QWidget*>();
        QVERIFY(!controls.isEmpty());
        QList<QRect> first;
        for (QWidget* control : controls) {
            const QRect g = control->geometry();
            QVERIFY2(g.x() % 2 == 0 && g.y() % 2 == 0 && g.width() % 2 == 0 && g.height() % 2 == 0,
                     qPrintable(control->objectName()));
            first.append(g);
        }
        set.form3().close();
        set.form3().show();
        for (qsizetype i = 0; i < controls.size(); ++i)
            QCOMPARE(controls[i]->geometry(), first[i]);
    }

    // A click on the backdrop first brings it over the fields; its rule may
    // then bring the cards back over it.
    void backdropClickStacksBeforeItsRuleRuns_data() {
        QTest::addColumn<bool>("finished");
        QTest::addColumn<bool>("cardsOnTop");
        QTest::newRow("exercise ended: the rule does nothing") << true << false;
        QTest::newRow("objects on screen: the rule shows the cards") << false << true;
    }

    void backdropClickStacksBeforeItsRuleRuns() {
        QFETCH(bool, finished);
        QFETCH(bool, cardsOnTop);
        FakeScreen screen(platformScreen());
        WindowSet set(&screen);
        set.state().exerciseStarted = true;
        set.state().exerciseFinished = finished;
        set.form3().show();
        set.form2().show();
        set.form1().show();
        const QPoint leftCard = set.form2().geometry().center();
        QCOMPARE(set.exerciseScreen().childAt(leftCard), &set.form2());
        QTest::mouseClick(&set.form3(), Qt::LeftButton, {}, QPoint(set.form2().width() + 5, 100));
        QCOMPARE(set.exerciseScreen().childAt(leftCard), cardsOnTop ? static_cast<QWidget*>(&set.form2()) : &set.form3());
    }

    void aSurfaceClosedAndShownAgainInOneEventStaysOnScreen() {
        FakeScreen screen(platformScreen());
        WindowSet set(&screen);
        TForm1& card = set.form1();
        HideCounter counter;
        card.installEventFilter(&counter);
        set.form3().show();
        card.show();
        card.setBrushColour({255, 0, 0});
        card.setPenColour({255, 0, 0});
        card.rectangle(0, 0, 50, 50);

        card.close();
        QVERIFY(!card.isVisible());
        card.show();
        QVERIFY(card.isVisible());
        QCOMPARE(card.surfaceImage().pixelColor(25, 25), silverColour);  // it starts from its background
        QCoreApplication::processEvents();
        QCOMPARE(counter.hides, 0);
        QVERIFY(card.QWidget::isVisible());

        card.close();
        QVERIFY(!card.isVisible());
        QCoreApplication::processEvents();
        QCOMPARE(counter.hides, 1);
        QVERIFY(!card.QWidget::isVisible());
        QVERIFY(set.exerciseScreen().childAt(set.form1().geometry().center()) != &card);
    }

    void theEndMessageOpensOverTheExerciseScreenAndGivesItTheKeyboardBack() {
        FakeScreen screen(platformScreen());
        WindowSet set(&screen);
        set.kestrani().Button1->click();  // "Упражнения"
        set.submCheck().Button1->click();  // "Начали?"
        ExerciseScreen& exercise = set.exerciseScreen();
        QVERIFY(QTest::qWaitForWindowActive(&exercise));
        OpenBox seen;
        answerNextBox(seen);
        // The card that does not hold the reference is the wrong answer.
        QTest::mouseClick(set.state().referenceFirst ? static_cast<QWidget*>(&set.form1()) : &set.form2(), Qt::LeftButton);
        QVERIFY(seen.text.startsWith("Вы ошиблись, увы!"));
        QCOMPARE(seen.parent, &exercise);
        QVERIFY(near(seen.centre, exercise.frameGeometry().center()));
        QVERIFY(seen.keyboardOnOk);
        QVERIFY(exercise.isVisible());
        QVERIFY(QTest::qWaitForWindowActive(&exercise));
        QVERIFY(set.form3().isVisible());
        QVERIFY(!set.form1().isVisible() && !set.form2().isVisible());
    }

    void aConfigurationMessageOpensOverTheConfigurationWindow() {
        FakeScreen screen(platformScreen());
        WindowSet set(&screen);
        set.form5().close();
        QtMessageBoxes boxes;
        boxes.setOwner(&set.kestrani());
        const FakeScreen boxScreen({1024, 768});
        boxes.setScreen(&boxScreen);
        OpenBox seen;
        answerNextBox(seen);
        boxes.showInformation("До свидания!");
        QCOMPARE(seen.text, QString("До свидания!"));
        // The windows' serif at the backdrop prompts' size on this screen:
        // 12 pt × 1.28 = 15 pt, 20 px; wide enough for "Kestrani" in bold and
        // a title bar's icon and buttons.
        QCOMPARE(QFontInfo(seen.font).family(), QFontInfo(set.form3().Label1->font()).family());
        QCOMPARE(seen.font.pixelSize(), 20);
        QFont bold = seen.font;
        bold.setBold(true);
        QVERIFY2(seen.width >= QFontMetrics(bold).horizontalAdvance("Kestrani") + 164, qPrintable(QString::number(seen.width)));
        QCOMPARE(seen.parent, &set.kestrani());
        QVERIFY(near(seen.centre, set.kestrani().frameGeometry().center()));
        QVERIFY(seen.keyboardOnOk);
        QVERIFY(QTest::qWaitForWindowActive(&set.kestrani()));
    }
};

QTEST_MAIN(ExerciseScreenTest)
#include "exercise_screen_test.moc"
