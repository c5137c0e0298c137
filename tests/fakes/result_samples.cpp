#include "fakes/result_samples.h"

#include <sqlite3.h>

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
    for (std::size_t i = 0; i < r.reached.size(); ++i)
        if (r.changeable[i])
            r.reached[i] = 50.0 * (0.8 + 0.001 * static_cast<double>(i)) / (n + 3) + 1e-7 * static_cast<double>(i);
    return r;
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
        "UPDATE results SET reached_brightness = 9e999 WHERE id = 5;"
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
