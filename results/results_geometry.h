#pragma once
// Where the results window stands: a framed window that fits the screen with
// its frame; and the time axis of its charts.

#include <cstdint>

#include "windows/window_geometry.h"

namespace kestrani {

// Outer geometry, frame included: nine tenths of the area the window may use,
// centred in it. area is the screen without its panels.
WindowRect resultsWindowGeometry(WindowRect area);

// The time axis of a chart of results that ended from first to last
// (milliseconds since 1970): room on each side, so that the first and last
// points stand inside the chart, and labels as fine as the span needs.
struct TimeAxis {
    enum class Labels { Seconds, Minutes, Days };  // HH:mm:ss, dd.MM HH:mm, dd.MM.yyyy
    std::int64_t from;
    std::int64_t to;
    Labels labels;
};
// Times outside earliestTime..latestTime are taken as the nearest of them.
TimeAxis timeAxis(std::int64_t first, std::int64_t last);

}  // namespace kestrani
