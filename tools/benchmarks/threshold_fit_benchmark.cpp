// Times fitting every threshold of the results window from a log of 200,000
// answers over every exercise kind and property: exercises 1 and 2 with one
// changeable row and with two sets of rows on the level, exercises 3 and 4
// by every question, yes-or-no exercises with unchanged objects among them.
// Also one row's progress by day and today's summary.
//   build/tools/benchmarks/threshold_fit_benchmark

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <random>
#include <vector>

#include "results/threshold_table.h"

using namespace kestrani;

namespace {

double milliseconds(std::chrono::steady_clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

struct Source {
    ExerciseKind kind;
    RowSet changeable;
    std::optional<Submodality> question;
};

RowSet rowsOf(std::initializer_list<Submodality> list) {
    RowSet set;
    for (Submodality s : list)
        set[SlotColumn::rowIndex(s)] = true;
    return set;
}

// Fade-out exercises of a user whose threshold is 3 in every unit, the
// first difference drawn between 6 and 15, over 90 days.
std::vector<AnswerRecord> syntheticLog(std::size_t size) {
    std::vector<Source> sources;
    for (ExerciseKind kind : {ExerciseKind::PickReference, ExerciseKind::IsReference}) {
        for (Submodality row : gridRows)
            sources.push_back({kind, rowsOf({row}), std::nullopt});
        sources.push_back({kind, rowsOf({Submodality::Brightness, Submodality::Hue, Submodality::Saturation}), std::nullopt});
        sources.push_back({kind, rowsOf({Submodality::Width, Submodality::Height, Submodality::Rotation}), std::nullopt});
    }
    for (ExerciseKind kind : {ExerciseKind::DiffersInAsked, ExerciseKind::CompareTwo})
        for (int q = 0; q < static_cast<int>(submodalityCount); ++q)
            sources.push_back({kind, RowSet(0x1FF), static_cast<Submodality>(q)});

    std::mt19937_64 random(1);
    std::uniform_real_distribution<double> uniform(0.0, 1.0);
    std::vector<AnswerRecord> log;
    log.reserve(size + 64);
    const std::int64_t start = 1'800'000'000'000;
    for (std::int64_t exercise = 0; log.size() < size; ++exercise) {
        const Source& source = sources[static_cast<std::size_t>(exercise) % sources.size()];
        const bool yesOrNo = source.kind == ExerciseKind::IsReference || source.kind == ExerciseKind::DiffersInAsked;
        const double first = 6 + 9 * uniform(random);
        const std::int64_t startedAt = start + exercise * 90 * 86'400'000LL / 40'000;
        for (int number = 1; number <= 40; ++number) {
            AnswerRecord a;
            a.exerciseStartedAt = startedAt;
            a.answeredAt = startedAt + number * 1500;
            a.number = number;
            a.exerciseKind = source.kind;
            a.changeable = source.changeable;
            a.question = source.question;
            a.level = std::pow(0.8, number - 1);
            const double x = first * a.level;
            for (std::size_t i = 0; i < gridRows.size(); ++i)
                if (source.changeable[i])
                    a.difference[i] = x * (1 + 0.2 * static_cast<double>(i) / 8);
            a.colour = ColourDifference{x, x / 2, x / 2, x / 2};
            const bool unchanged = yesOrNo && uniform(random) < 0.3;
            const double p = unchanged ? 0.9 : 0.5 + 0.48 * (1 - std::exp(-0.7 * std::pow(x / 3, 3)));
            a.right = uniform(random) < p;
            a.key = yesOrNo ? (unchanged ? Choice::Object : Choice::Background) : Choice::Left;
            a.given = a.right ? a.key : (yesOrNo ? (unchanged ? Choice::Background : Choice::Object) : Choice::Right);
            log.push_back(a);
            if (!a.right)
                break;
        }
    }
    log.resize(size);
    return log;
}

double threadMilliseconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

// Medians of wall-clock and of processor time: on a busy machine the
// processor time is what the work itself costs.
struct Times {
    double wall, processor;
};

template <typename F>
Times median(int runs, F&& work) {
    std::vector<double> wall, processor;
    for (int i = 0; i < runs; ++i) {
        const auto begin = std::chrono::steady_clock::now();
        const double cpu = threadMilliseconds();
        work();
        processor.push_back(threadMilliseconds() - cpu);
        wall.push_back(milliseconds(std::chrono::steady_clock::now() - begin));
    }
    std::sort(wall.begin(), wall.end());
    std::sort(processor.begin(), processor.end());
    return {wall[wall.size() / 2], processor[processor.size() / 2]};
}

}  // namespace

int main() {
    const std::vector<AnswerRecord> log = syntheticLog(200'000);
    std::vector<ThresholdRow> table;
    const Times tableTime = median(9, [&] { table = thresholdTable(log); });
    int levels = 0, shown = 0;
    for (const ThresholdRow& row : table) {
        levels = std::max(levels, row.fit.levels);
        shown += row.fit.threshold() ? 1 : 0;
    }
    std::printf("every threshold of %zu answers: %zu rows, %d with a threshold, up to %d levels a fit: "
                "median %.1f ms (processor %.1f ms)\n",
                log.size(), table.size(), shown, levels, tableTime.wall, tableTime.processor);

    ThresholdProgress progress;
    const ThresholdKey key{ExerciseKind::CompareTwo, Submodality::Hue, {}};
    const Times progressTime = median(9, [&] { progress = thresholdProgress(log, key); });
    std::printf("progress of one row, %zu %s: median %.1f ms (processor %.1f ms)\n", progress.points.size(),
                progress.byWeek ? "weeks" : "days", progressTime.wall, progressTime.processor);

    const std::vector<ExerciseResult> exercises(10'000);
    const Times todayTime = median(9, [&] { (void)todaySummary(exercises, log, log.back().answeredAt); });
    std::printf("today's summary: median %.2f ms (processor %.2f ms)\n", todayTime.wall, todayTime.processor);
    return 0;
}
