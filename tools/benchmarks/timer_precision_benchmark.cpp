// Measures how far the phase limits stray from their set length: the
// reference-show and object-show timers (the toolkit's precise timers behind
// the engine's phase timers) and the delay's blocking wait, 20 runs each.
// Run in an X server, e.g.:
//   xvfb-run build/tools/benchmarks/timer_precision_benchmark

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

#include "app/qt_ports.h"
#include "engine/phase_timer.h"
#include "windows/reference_window.h"

using namespace kestrani;

namespace {

constexpr int runs = 20;
constexpr int lengthMs = 1000;

void report(const char* what, std::vector<double> errors) {
    std::sort(errors.begin(), errors.end());
    std::printf("%-22s median error %.3f ms, worst %.3f ms\n", what, errors[errors.size() / 2], errors.back());
}

std::vector<double> timeTicks(QtTimerDevice& device) {
    PhaseTimer timer(device);
    std::vector<double> errors;
    for (int i = 0; i < runs; ++i) {
        QEventLoop loop;
        QElapsedTimer elapsed;
        device.setTickHandler([&] {
            timer.setEnabled(false);
            errors.push_back(std::abs(elapsed.nsecsElapsed() / 1e6 - lengthMs));
            loop.quit();
        });
        elapsed.start();
        timer.setInterval(lengthMs);
        timer.setEnabled(true);
        loop.exec();
    }
    return errors;
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QtScreenMetrics screen;
    ExerciseScreen exerciseScreen;
    TSubmCheck submCheck(screen, exerciseScreen);
    report("reference-show limit", timeTicks(*submCheck.Timer1));
    report("object-show limit", timeTicks(*submCheck.Timer2));

    QtBlockingWait wait;
    std::vector<double> errors;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer elapsed;
        elapsed.start();
        wait.waitBlocking(lengthMs);
        errors.push_back(std::abs(elapsed.nsecsElapsed() / 1e6 - lengthMs));
    }
    report("delay", errors);
    return 0;
}
