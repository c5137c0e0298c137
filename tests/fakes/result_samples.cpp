#include "fakes/result_samples.h"

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

}  // namespace kestrani::fakes
