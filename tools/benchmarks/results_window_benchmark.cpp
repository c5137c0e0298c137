// Times opening the results window over a results file of 10,000 results:
// reading the file, filling the table and the charts, and the first full
// drawing of the window.
//   xvfb-run -s '-screen 0 1024x768x24' build/tools/benchmarks/results_window_benchmark [FOLDER]

#include <QApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <filesystem>

#include "results/result_history.h"
#include "results/results_window.h"

using namespace kestrani;

namespace {

// Results over ten weeks, of every exercise kind, with some reached differences.
ExerciseResult storedResult(int n) {
    ExerciseResult r;
    r.endedAt = 1'800'000'000'000 + 600'000LL * n;
    r.startedAt = r.endedAt - 90'000;
    r.exerciseKind = static_cast<ExerciseKind>(1 + n % 4);
    r.objectKind = static_cast<ObjectKind>(n % 5);
    r.changeable = RowSet(0x1FF);
    r.asked = RowSet(1);
    r.rightAnswers = n % 37;
    r.end = static_cast<ExerciseEnd>(n % exerciseEndCount);
    for (std::size_t i = 0; i < r.reached.size(); ++i)
        r.reached[i] = 50.0 / (1 + n % 23) + static_cast<double>(i);
    return r;
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    const std::filesystem::path folder = argc > 1 ? argv[1] : ".";
    const std::string file = (folder / "results_window_benchmark.sqlite").string();
    for (const char* suffix : {"", "-wal", "-shm"})
        std::filesystem::remove(file + suffix);
    {
        auto store = ResultStore::open(file);
        for (int n = 0; n < 10'000; ++n)
            if (!store->append(storedResult(n)))
                return 1;
    }

    ResultHistory history(file, true);
    ResultsWindow window(history);
    for (int run = 0; run < 5; ++run) {
        QElapsedTimer timer;
        timer.start();
        window.open();
        const double opened = timer.nsecsElapsed() / 1e6;
        window.grab();  // draws every part of the window once
        const double drawn = timer.nsecsElapsed() / 1e6;
        QApplication::processEvents();
        std::printf("open %d with %zu results: filled in %.1f ms, drawn in %.1f ms\n", run + 1,
                    history.results().size(), opened, drawn);
        window.close();
        QApplication::processEvents();
    }
    for (const char* suffix : {"", "-wal", "-shm"})
        std::filesystem::remove(file + suffix);
    return 0;
}
