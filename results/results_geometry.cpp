#include "results/results_geometry.h"

namespace kestrani {

WindowRect resultsWindowGeometry(WindowRect area) {
    const int width = area.width * 9 / 10;
    const int height = area.height * 9 / 10;
    return {area.left + (area.width - width) / 2, area.top + (area.height - height) / 2, width, height};
}

}  // namespace kestrani
