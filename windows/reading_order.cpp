#include "windows/reading_order.h"

#include <algorithm>
#include <numeric>

namespace kestrani {

std::vector<std::size_t> readingOrder(const std::vector<WindowRect>& controls) {
    std::vector<std::size_t> order(controls.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return controls[a].top != controls[b].top ? controls[a].top < controls[b].top
                                                  : controls[a].left < controls[b].left;
    });
    auto byLeft = [&](std::size_t a, std::size_t b) { return controls[a].left < controls[b].left; };
    auto rowStart = order.begin();
    for (auto it = order.begin(); it != order.end(); ++it) {
        const WindowRect& first = controls[*rowStart];
        const WindowRect& next = controls[*it];
        if (2 * (next.top - first.top) >= std::min(first.height, next.height)) {
            std::stable_sort(rowStart, it, byLeft);
            rowStart = it;
        }
    }
    std::stable_sort(rowStart, order.end(), byLeft);
    return order;
}

}  // namespace kestrani
