// Times one answered exercise step with the real windows, without and with
// the splitting lines, and splits the lines' time into drawing and flushing.
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

// Counts the time spent putting drawings on the screen.
class TimedWindow : public DrawingWindow, public DrawingSurface {
public:
    TimedWindow(DrawingWindow& inner, double& flushMs) : inner_(inner), flushMs_(flushMs) {}
    void show() override { inner_.show(); }
    void close() override { inner_.close(); }
    void setBackgroundColour(Rgb c) override { inner_.setBackgroundColour(c); }
    int width() const override { return inner_.width(); }
    int height() const override { return inner_.height(); }
    DrawingSurface& surface() override { return *this; }
    void setBrushColour(Rgb c) override { inner_.surface().setBrushColour(c); }
    void setPenColour(Rgb c) override { inner_.surface().setPenColour(c); }
    void rectangle(int a, int b, int c, int d) override { inner_.surface().rectangle(a, b, c, d); }
    void ellipse(int a, int b, int c, int d) override { inner_.surface().ellipse(a, b, c, d); }
    void moveTo(int x, int y) override { inner_.surface().moveTo(x, y); }
    void lineTo(int x, int y) override { inner_.surface().lineTo(x, y); }
    void present() override { inner_.surface().present(); }
    void flush() override {
        QElapsedTimer timer;
        timer.start();
        inner_.surface().flush();
        flushMs_ += timer.nsecsElapsed() / 1e6;
    }

private:
    DrawingWindow& inner_;
    double& flushMs_;
};

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
    TForm2 form2(screen);
    TSubmCheck submCheck(screen);
    TForm1 form1(screen);
    TForm3 form3(screen);
    TForm4 form4(screen);
    double flushMs = 0;
    TimedWindow left(form2, flushMs), right(form1, flushMs), field(form4, flushMs);
    ExerciseWindows windows{submCheck, left, right, field, form3};
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

    // The lines alone, on the visible cards, split into drawing and flushing.
    std::vector<double> drawing, flushing;
    for (int i = 0; i < runs; ++i) {
        flushMs = 0;
        QElapsedTimer timer;
        timer.start();
        drawSplittingLines(context);
        const double total = timer.nsecsElapsed() / 1e6;
        drawing.push_back(total - flushMs);
        flushing.push_back(flushMs);
        QApplication::processEvents();
    }
    std::printf("3003 splitting lines: drawing median %.3f ms, flushing median %.3f ms\n", median(drawing), median(flushing));
    return 0;
}
