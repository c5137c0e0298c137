#include "fakes/result_samples.h"

#include <sqlite3.h>

#include "fakes/simulated_observer.h"
#include "results/result_store.h"

namespace kestrani::fakes {

ExerciseResult sampleResult(int n) {
    ExerciseResult r;
    r.startedAt = 1'800'000'000'000 + 60'000LL * n;  // 2027-01-15 08:00:00 UTC + n minutes
    r.endedAt = r.startedAt + 45'000 + n;
    r.exerciseKind = static_cast<ExerciseKind>(1 + n % 4);
    r.objectKind = static_cast<ObjectKind>(n % 5);
    r.changeable = RowSet(static_cast<unsigned long>(0x1FF - n % 7));
    r.asked = RowSet(static_cast<unsigned long>(n % 3));
    r.nonMonotonic = n % 2 == 1;
    r.splitting = n % 3 == 0;
    r.variableBackground = n % 5 == 2;
    if (n % 2 == 0)
        r.referenceShowSeconds = n % 61;
    if (n % 3 == 1)
        r.delaySeconds = 60;
    r.objectShowSeconds = n % 4 == 3 ? std::optional<int>(0) : std::nullopt;
    if (n % 2 == 1)
        r.standardColour = n % 100;
    r.referenceColour = {static_cast<std::uint8_t>(n), 255, static_cast<std::uint8_t>(255 - n % 256)};
    r.rightAnswers = n;
    r.end = static_cast<ExerciseEnd>(n % exerciseEndCount);
    r.deltaRed = -17 - n, r.deltaGreen = 0, r.deltaBlue = 300 + n;
    if (n % 2 == 0)
        r.deltaE00 = 12.5 / (n + 1);
    for (std::size_t i = 0; i < r.reached.size(); ++i)
        if (r.changeable[i])
            r.reached[i] = 50.0 * (0.8 + 0.001 * static_cast<double>(i)) / (n + 3) + 1e-7 * static_cast<double>(i);
    return r;
}

AnswerRecord sampleAnswer(int n) {
    AnswerRecord a;
    a.exerciseStartedAt = 1'800'000'000'000 + 60'000LL * (n / 5);
    a.number = 1 + n % 5;
    a.answeredAt = a.exerciseStartedAt + 1500LL * a.number;
    a.exerciseKind = static_cast<ExerciseKind>(1 + n % 4);
    a.objectKind = static_cast<ObjectKind>(n % 5);
    a.changeable = RowSet(static_cast<unsigned long>(0x1FF - n % 7));
    if (a.exerciseKind == ExerciseKind::DiffersInAsked || a.exerciseKind == ExerciseKind::CompareTwo)
        a.question = static_cast<Submodality>(n % int(submodalityCount));
    if (a.exerciseKind == ExerciseKind::CompareTwo)
        a.askedMore = n % 2 == 0;
    a.key = static_cast<Choice>(n % 6);
    a.given = static_cast<Choice>((n / 6) % 6);
    a.right = n % 3 != 0;
    if (a.given != Choice::None)
        a.reactionMilliseconds = 300 + 17 * n;
    a.level = 1.0;
    for (int i = 1; i < a.number; ++i)
        a.level *= 0.8;
    if (n % 4 != 1)
        a.colour = ColourDifference{3.25 + n, 1.0 / (n + 3), 0.1 * n, 2.0 / 3};
    for (std::size_t i = 0; i < a.difference.size(); ++i)
        if (a.changeable[i])
            a.difference[i] = 40.0 * a.level / (i + 1) + 1e-7 * static_cast<double>(n);
    if (n % 3 == 2)
        a.millimetresPerPixel = 0.2636;
    return a;
}

std::vector<AnswerRecord> playedAnswers(int days, int exercisesADay) {
    SimulatedObserver user({3.0, 3.5, 0.5}, 20270115);
    std::vector<AnswerRecord> answers;
    for (int day = 0; day < days; ++day) {
        const std::vector<SimulatedAnswer> played = user.play(exercisesADay, 8.0, 15.0);
        for (const SimulatedAnswer& s : played) {
            AnswerRecord a;
            a.exerciseStartedAt = 1'800'000'000'000 + 86'400'000LL * day + 60'000LL * s.exercise;
            a.number = s.number;
            a.answeredAt = a.exerciseStartedAt + 2000LL * s.number;
            a.exerciseKind = ExerciseKind::CompareTwo;
            a.objectKind = ObjectKind::WholeWindow;
            a.changeable = RowSet(1);
            a.question = Submodality::Brightness;
            a.askedMore = true;
            a.key = Choice::Left;
            a.given = s.right ? Choice::Left : Choice::Right;
            a.right = s.right;
            a.reactionMilliseconds = 800;
            a.level = s.level;
            a.colour = ColourDifference{s.intensity, s.intensity, 0, 0};
            a.difference[0] = s.intensity;
            answers.push_back(a);
        }
    }
    return answers;
}

std::vector<ExerciseResult> storeImpossibleValues(const std::string& path) {
    {
        auto store = ResultStore::open(path);
        for (int n = 0; n < 7; ++n)
            store->append(sampleResult(n));
    }
    const std::string sql =
        "UPDATE results SET started_at = " + std::to_string(earliestTime) + " WHERE id = 1;"
        "UPDATE results SET started_at = -9223372036854775808 WHERE id = 2;"
        "UPDATE results SET ended_at = 9223372036854775807 WHERE id = 3;"
        "UPDATE results SET ended_at = " + std::to_string(latestTime + 1) + " WHERE id = 4;"
        "UPDATE results SET difference_brightness = 9e999 WHERE id = 5;"
        "UPDATE results SET exercise_kind = 7 WHERE id = 6;"
        "UPDATE results SET ended_at = " + std::to_string(latestTime) + " WHERE id = 7;";
    sqlite3* db = nullptr;
    sqlite3_open(path.c_str(), &db);
    sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr);
    sqlite3_close(db);
    ExerciseResult first = sampleResult(0), last = sampleResult(6);
    first.startedAt = earliestTime;
    last.endedAt = latestTime;
    return {last, first};
}

}  // namespace kestrani::fakes
