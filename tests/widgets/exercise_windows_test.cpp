// The exercise windows as real widgets: what their surfaces show, and where a
// mouse button on them leads.

#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

#include "fakes/fake_screen.h"
#include "engine/steady_clock.h"
#include "fakes/recording_actions.h"
#include "windows/backdrop_window.h"
#include "windows/object_field_windows.h"
#include "windows/reference_window.h"

using namespace kestrani;
using namespace kestrani::fakes;

namespace {

const QColor red(255, 0, 0), blue(0, 0, 255), silverColour(192, 192, 192);

struct Windows {
    FakeScreen screen{{1024, 768}};
    ExerciseScreen exerciseScreen;
    TForm2 form2{screen, exerciseScreen};
    TSubmCheck submCheck{screen, exerciseScreen};
    TForm1 form1{screen, exerciseScreen};
    TForm3 form3{screen, exerciseScreen};
    TForm4 form4{screen, exerciseScreen};
    ExerciseWindows windows{submCheck, form2, form1, form4, form3};
    ExerciseState state;
    RecordingActions actions;
    SystemSteadyClock clock;
    ArrivalTimes times{clock};
    ClickRouter router{state, windows, actions, times};

    Windows() {
        form2.setRouter(&router);
        form1.setRouter(&router);
        form4.setRouter(&router);
        form3.setRouter(&router, &actions);
        submCheck.setActions(&actions);
    }
};

}  // namespace

class ExerciseWindowsTest : public QObject {
    Q_OBJECT
private slots:
    void rectanglesLeaveOutTheirRightAndBottomEdges() {
        Windows w;
        w.form1.show();
        w.form1.setBrushColour({255, 0, 0});
        w.form1.setPenColour({255, 0, 0});
        w.form1.rectangle(20, 15, 10, 10);  // corners in any order
        const QImage image = w.form1.surfaceImage();
        QCOMPARE(image.pixelColor(10, 10), red);
        QCOMPARE(image.pixelColor(19, 14), red);
        QCOMPARE(image.pixelColor(20, 14), silverColour);
        QCOMPARE(image.pixelColor(19, 15), silverColour);
        QCOMPARE(image.pixelColor(9, 10), silverColour);
    }

    void fillAndOutlineColoursAreSeparate() {
        Windows w;
        w.form2.show();
        w.form2.setBrushColour({255, 0, 0});
        w.form2.setPenColour({0, 0, 255});
        w.form2.ellipse(0, 0, 41, 41);
        const QImage image = w.form2.surfaceImage();
        QCOMPARE(image.pixelColor(20, 20), red);
        QCOMPARE(image.pixelColor(20, 0), blue);
        QCOMPARE(image.pixelColor(0, 0), silverColour);
    }

    void linesRunFromTheCurrentPointAndLeaveOutTheEndPoint() {
        Windows w;
        w.form4.setBackgroundColour({192, 192, 192});
        w.form4.show();
        w.form4.setPenColour({0, 0, 255});
        w.form4.moveTo(5, 5);
        w.form4.lineTo(15, 5);
        w.form4.lineTo(15, 9);
        const QImage image = w.form4.surfaceImage();
        QCOMPARE(image.pixelColor(5, 5), blue);
        QCOMPARE(image.pixelColor(14, 5), blue);
        QCOMPARE(image.pixelColor(15, 5), blue);  // the start of the second line
        QCOMPARE(image.pixelColor(15, 8), blue);
        QCOMPARE(image.pixelColor(15, 9), silverColour);
        QCOMPARE(image.pixelColor(4, 5), silverColour);
    }

    void objectsSurviveRepaintsButNotHiding() {
        Windows w;
        w.form1.show();
        w.form1.setBrushColour({255, 0, 0});
        w.form1.setPenColour({255, 0, 0});
        w.form1.rectangle(0, 0, 50, 50);
        w.form1.present();
        QCOMPARE(w.form1.grab().toImage().pixelColor(25, 25), red);
        w.form1.repaint();
        QCOMPARE(w.form1.grab().toImage().pixelColor(25, 25), red);
        w.form1.close();
        w.form1.show();
        QCOMPARE(w.form1.grab().toImage().pixelColor(25, 25), silverColour);
    }

    void settingTheBackgroundRepaintsTheWholeSurface() {
        Windows w;
        w.submCheck.show();
        w.submCheck.setBrushColour({255, 0, 0});
        w.submCheck.setPenColour({255, 0, 0});
        w.submCheck.rectangle(0, 0, 50, 50);
        w.submCheck.setBackgroundColour({0, 0, 255});
        const QImage image = w.submCheck.surfaceImage();
        QCOMPARE(image.pixelColor(25, 25), blue);
        QCOMPARE(image.pixelColor(400, 600), blue);
    }

    void objectFieldStartsInTheButtonFaceColour() {
        Windows w;
        QCOMPARE(w.form4.surfaceImage().pixelColor(0, 0), QApplication::palette().color(QPalette::Button));
    }

    void mouseButtonsAreRouted() {
        Windows w;
        w.state.exerciseStarted = true;
        w.state.singleObject = true;
        for (QWidget* window : std::initializer_list<QWidget*>{&w.form2, &w.form1, &w.form3, &w.form4})
            window->show();
        QTest::mouseClick(&w.form2, Qt::LeftButton, {}, QPoint(50, 50));
        QTest::mouseClick(&w.form1, Qt::LeftButton, {}, QPoint(50, 50));
        QTest::mouseClick(&w.form1, Qt::RightButton, {}, QPoint(50, 50));
        QTest::mousePress(&w.form4, Qt::LeftButton, {}, QPoint(50, 50));
        QTest::mouseRelease(&w.form4, Qt::LeftButton, {}, QPoint(50, 50));
        QTest::mousePress(&w.form4, Qt::RightButton, {}, QPoint(50, 50));
        // Side buttons are neither right nor middle: they answer nothing anywhere.
        for (QWidget* window : std::initializer_list<QWidget*>{&w.form2, &w.form1, &w.form3, &w.form4})
            for (Qt::MouseButton side : {Qt::BackButton, Qt::ForwardButton})
                QTest::mouseClick(window, side, {}, QPoint(50, 50));
        QTest::mouseClick(&w.form3, Qt::LeftButton, {}, QPoint(500, 300));
        QTest::mouseClick(&w.form3, Qt::RightButton, {}, QPoint(500, 300));
        QTest::mouseClick(w.form3.Label1, Qt::LeftButton, {}, QPoint(2, 2));  // a label is no free area
        QCOMPARE(w.actions.steps, (std::vector<Sender>{Sender::TForm2, Sender::TForm1, Sender::TForm4, Sender::TForm3, Sender::TForm3}));
    }

    void buttonsReachTheirActions() {
        Windows w;
        w.form3.show();
        w.submCheck.show();
        QTest::mouseClick(w.submCheck.Button1, Qt::LeftButton);
        QTest::mouseClick(w.submCheck.Button2, Qt::LeftButton);
        QTest::mouseClick(w.form3.Button1, Qt::LeftButton);
        QTest::mouseClick(w.form3.Button2, Qt::LeftButton);
        QCOMPARE(w.actions.steps, std::vector<Sender>{Sender::Button1});
        QCOMPARE(w.actions.references, 1);
        QCOMPARE(w.actions.newExercises, 1);
        QCOMPARE(w.actions.leaves, 1);
    }

    // A phase limit never runs out before its time, and its ticks keep to
    // the count's start, however late the program handled the one before.
    void phaseTimerTicksNeverEarlyAndDoNotDrift() {
        Windows w;
        QtTimerDevice& device = *w.submCheck.Timer1;
        std::vector<double> ticks;
        QElapsedTimer clock;
        device.setTickHandler([&] {
            ticks.push_back(clock.nsecsElapsed() / 1e6);
            if (ticks.size() == 2)
                QThread::msleep(15);  // a busy handler
            if (ticks.size() == 4)
                device.stopCount();
        });
        clock.start();
        device.startCount(40);
        QTRY_COMPARE_WITH_TIMEOUT(ticks.size(), std::size_t(4), 2000);
        QTest::qWait(100);
        QCOMPARE(ticks.size(), std::size_t(4));  // stopped from its handler
        QVERIFY(!device.counting());
        for (std::size_t i = 0; i < ticks.size(); ++i) {
            const double due = 40.0 * double(i + 1);
            QVERIFY2(ticks[i] >= due, qPrintable(QStringLiteral("tick %1 at %2 ms").arg(i + 1).arg(ticks[i])));
            QVERIFY2(ticks[i] < due + 30, qPrintable(QStringLiteral("tick %1 at %2 ms").arg(i + 1).arg(ticks[i])));
        }
    }

    void promptsKeepTheirTextsAndFitThem() {
        Windows w;
        QCOMPARE(w.form3.Label1->text(), QString("Выберите и запомните эталон"));
        w.form3.setUpperPrompt("Какой из объектов - эталон?");
        QCOMPARE(w.form3.Label1->text(), QString("Какой из объектов - эталон?"));
        QVERIFY(w.form3.Label1->width() >= w.form3.Label1->sizeHint().width());
    }
};

QTEST_MAIN(ExerciseWindowsTest)
#include "exercise_windows_test.moc"
