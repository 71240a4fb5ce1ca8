#include "diagram/search/crossing_list.h"

#include <algorithm>
#include <cmath>
#include <span>

#include "numeric/hsort.h"

void ListSorter::sortByX(CrossingList& list)
{
    if (!sortWithoutTies(list))
        hSort(list.count, std::span<float>(list.XS), std::span<float>(list.YS), std::span<std::int16_t>(list.by));
}

// False, with the list left alone, where keys tie or one is not a number.
bool ListSorter::sortWithoutTies(CrossingList& list)
{
    const int n = list.count;
    for (int k = 0; k < n; ++k) {
        if (std::isnan(list.XS[k]))
            return false;
        order_[k] = {list.XS[k], k};
    }
    std::sort(order_.begin(), order_.begin() + n);
    for (int k = 1; k < n; ++k) {
        if (order_[k].first == order_[k - 1].first)
            return false;
    }
    for (int k = 0; k < n; ++k) {
        const int from = order_[k].second;
        sortedY_[k] = list.YS[from];
        sortedBy_[k] = list.by[from];
    }
    for (int k = 0; k < n; ++k) {
        list.XS[k] = order_[k].first;
        list.YS[k] = sortedY_[k];
        list.by[k] = sortedBy_[k];
    }
    return true;
}
