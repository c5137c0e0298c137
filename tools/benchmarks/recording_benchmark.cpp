// Times what recording adds to a step: turning the state into a row of the
// answer log (its differences in CIEDE2000 and Weber fractions) at every
// answer, and into a result at the end of an exercise; and, with the history
// kept, appending each to the results file in its own transaction.
//   build/tools/benchmarks/recording_benchmark [FOLDER]
// FOLDER holds the results file (default: the current folder); put it on the
// disk the user's data folder is on.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <vector>

#include "results/result_history.h"
#include "results/result_recorder.h"

using namespace kestrani;

namespace {

double milliseconds(std::chrono::steady_clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

void report(const char* what, std::vector<double> times) {
    std::sort(times.begin(), times.end());
    std::printf("%s: median %.3f ms, 99th percentile %.3f ms, worst %.3f ms\n", what, times[times.size() / 2],
                times[times.size() * 99 / 100], times.back());
}

}  // namespace

int main(int argc, char* argv[]) {
    const std::filesystem::path folder = argc > 1 ? argv[1] : ".";
    const std::filesystem::path file = folder / "recording_benchmark.sqlite";
    for (const char* suffix : {"", "-wal", "-shm"})
        std::filesystem::remove(file.string() + suffix);

    ExerciseSettings settings;
    settings.objectKind = ObjectKind::Rectangle;
    for (Submodality row : gridRows)
        settings.changeable[row].state = SlotState::On;
    ExerciseState state;
    state.objectBrightness = 12.5, state.objectWidth = 30, state.objectHeight = 40, state.successCount = 17;
    state.baseRed = 120, state.baseGreen = 140, state.baseBlue = 90, state.deltaRed = 12, state.deltaBlue = -7;
    state.referenceX2 = 100, state.referenceY2 = 60, state.objectX1 = 3, state.objectX2 = 97, state.objectY2 = 65;
    SystemClock clock;

    for (bool remember : {false, true}) {
        ResultHistory history(file.string(), remember);
        ResultRecorder recorder(clock, &history);
        std::vector<double> answers, ends;
        for (int i = 0; i < 2000; ++i) {
            recorder.exerciseStarted(settings, state);
            for (int answer = 0; answer < 10; ++answer) {
                const auto start = std::chrono::steady_clock::now();
                recorder.answerJudged({Sender::TForm2, false, false, 640}, state);
                answers.push_back(milliseconds(std::chrono::steady_clock::now() - start));
            }
            const auto start = std::chrono::steady_clock::now();
            recorder.exerciseEnded(ExerciseEnd::WrongAnswer, state);
            ends.push_back(milliseconds(std::chrono::steady_clock::now() - start));
        }
        const char* where = remember ? "with the history kept in the results file" : "for this run only";
        std::printf("%s\n", where);
        report("  an answer", answers);
        report("  the end of an exercise", ends);
    }
    for (const char* suffix : {"", "-wal", "-shm"})
        std::filesystem::remove(file.string() + suffix);
    return 0;
}
