// Times opening the results window over a results file of 10,000 results and
// 200,000 answers: reading the file, filling the exercises' table and
// drawing the window; then fitting the thresholds and drawing their tabs,
// which follow once the window is up.
//   xvfb-run -s '-screen 0 1024x768x24' build/tools/benchmarks/results_window_benchmark [FOLDER]

#include <QApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <chrono>
#include <thread>
#include <cmath>
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

// Twenty answers to each result's exercise, of its kind, about one property
// in turn, right more often at the larger differences of the fade-out.
AnswerRecord storedAnswer(int n) {
    const int exercise = n / 20;
    AnswerRecord a;
    a.exerciseStartedAt = storedResult(exercise).startedAt;
    a.number = 1 + n % 20;
    a.answeredAt = a.exerciseStartedAt + 3000LL * a.number;
    a.exerciseKind = static_cast<ExerciseKind>(1 + exercise % 4);
    a.objectKind = ObjectKind::Rectangle;
    const std::size_t row = static_cast<std::size_t>(exercise / 4) % gridRows.size();
    a.changeable.set(row);
    if (a.exerciseKind == ExerciseKind::DiffersInAsked || a.exerciseKind == ExerciseKind::CompareTwo)
        a.question = gridRows[row];
    a.level = std::pow(0.8, a.number - 1);
    a.difference[row] = 20 * a.level;
    a.right = (n * 2654435761u) % 100 < (a.level > 0.2 ? 95u : 60u);
    a.key = Choice::Left;
    a.given = a.right ? Choice::Left : Choice::Right;
    a.reactionMilliseconds = 700 + n % 300;
    return a;
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
        for (int n = 0; n < 200'000; ++n)
            if (!store->appendAnswer(storedAnswer(n)))
                return 1;
    }

    // The history opens with the program and reads the answers in the
    // background; the user opens the window some time later (a second here).
    ResultHistory history(file, true);
    std::this_thread::sleep_for(std::chrono::seconds(1));
    ResultsWindow window(history);
    for (int run = 0; run < 5; ++run) {
        QElapsedTimer timer;
        timer.start();
        window.open();
        const double opened = timer.nsecsElapsed() / 1e6;
        window.grab();  // draws every part of the window once
        const double drawn = timer.nsecsElapsed() / 1e6;
        QApplication::processEvents();  // the answers, their thresholds and progress
        window.grab();
        const double analysed = timer.nsecsElapsed() / 1e6;
        std::printf("open %d with %zu results and %zu answers: the exercises filled in %.1f ms and drawn in %.1f ms, "
                    "the thresholds in %.1f ms\n",
                    run + 1, history.results().size(), history.answers().size(), opened, drawn, analysed);
        window.close();
        QApplication::processEvents();
    }
    for (const char* suffix : {"", "-wal", "-shm"})
        std::filesystem::remove(file + suffix);
    return 0;
}
