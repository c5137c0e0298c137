#include "results/results_geometry.h"

#include <algorithm>

#include "results/exercise_result.h"

namespace kestrani {

WindowRect resultsWindowGeometry(WindowRect area) {
    const int width = area.width * 9 / 10;
    const int height = area.height * 9 / 10;
    return {area.left + (area.width - width) / 2, area.top + (area.height - height) / 2, width, height};
}

TimeAxis timeAxis(std::int64_t first, std::int64_t last) {
    first = std::clamp(first, earliestTime, latestTime);
    last = std::clamp(last, first, latestTime);
    // A twentieth of the span, and at least a minute.
    const std::int64_t margin = std::max<std::int64_t>(60'000, (last - first) / 20);
    const std::int64_t span = last - first + 2 * margin;
    const TimeAxis::Labels labels = span <= 15 * 60'000        ? TimeAxis::Labels::Seconds
                                    : span <= 2 * 86'400'000LL ? TimeAxis::Labels::Minutes
                                                               : TimeAxis::Labels::Days;
    return {first - margin, last + margin, labels};
}

}  // namespace kestrani
