// Times one answered exercise step with the real windows, without and with
// the splitting lines, and splits the lines' time into drawing and flushing.
// The exercise windows are surfaces of the one exercise screen, as in the
// program, so a step shows and hides no top-level window.
// Run in an X server of 1024 × 768, e.g.:
//   xvfb-run -s '-screen 0 1024x768x24' build/tools/benchmarks/step_benchmark

#include <QApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "app/qt_ports.h"
#include "engine/exercise_engine.h"
#include "engine/rendering.h"
#include "windows/backdrop_window.h"
#include "windows/object_field_windows.h"
#include "windows/reference_window.h"

using namespace kestrani;

namespace {

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QtScreenMetrics screen;
    QtMessageBoxes messages;
    QtBlockingWait wait;
    ExerciseScreen exerciseScreen;
    TForm2 form2(screen, exerciseScreen);
    TSubmCheck submCheck(screen, exerciseScreen);
    TForm1 form1(screen, exerciseScreen);
    TForm3 form3(screen, exerciseScreen);
    TForm4 form4(screen, exerciseScreen);
    ExerciseWindows windows{submCheck, form2, form1, form4, form3};
    ExerciseSettings settings;
    settings.objectKind = ObjectKind::Rectangle;
    for (Submodality s : {Submodality::Width, Submodality::Height})
        settings.changeable[s].state = SlotState::On;
    ExerciseState state;
    RandomGenerator random;
    ExerciseEngine engine(settings, state, random, windows, messages, wait, *submCheck.Timer1, *submCheck.Timer2);
    PhaseTimer timer1(*submCheck.Timer1), timer2(*submCheck.Timer2);
    EngineContext context{settings, state, random, windows, messages, wait, timer1, timer2};

    engine.startExercise();
    engine.step(Sender::Button1);
    QApplication::processEvents();

    const int runs = 200;
    for (bool splitting : {false, true}) {
        settings.splitting = splitting;
        std::vector<double> steps;
        for (int i = 0; i < runs; ++i) {
            QElapsedTimer timer;
            timer.start();
            engine.step(state.referenceFirst ? Sender::TForm2 : Sender::TForm1);  // always the right answer
            steps.push_back(timer.nsecsElapsed() / 1e6);
            QApplication::processEvents();
        }
        std::printf("answered step, %s splitting: median %.3f ms\n", splitting ? "with" : "without", median(steps));
    }

    // The lines alone: on the visible cards they are drawn and flushed; on
    // hidden cards they are only drawn, since a hidden window has nothing to flush.
    const auto timeLines = [&] {
        std::vector<double> times;
        for (int i = 0; i < runs; ++i) {
            QElapsedTimer timer;
            timer.start();
            drawSplittingLines(context);
            times.push_back(timer.nsecsElapsed() / 1e6);
            QApplication::processEvents();
        }
        return median(times);
    };
    const double drawnAndFlushed = timeLines();
    form2.close();
    form1.close();
    const double drawn = timeLines();
    std::printf("3003 splitting lines: drawing median %.3f ms, flushing %.3f ms more\n", drawn, drawnAndFlushed - drawn);
    return 0;
}
