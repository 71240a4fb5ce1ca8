#pragma once

#include <array>
#include <cstdint>
#include <utility>

// The points placed on one pair's bisector, entry n in slot n - 1, each with
// the third site whose bisector put it there (none, -1, for the two ends).
struct CrossingList {
    static constexpr int capacity = 2001;
    std::array<float, capacity> XS{};
    std::array<float, capacity> YS{};
    std::array<std::int16_t, capacity> by{};
    std::int16_t count = 0;

    void append(float x, float y, int k)
    {
        XS[count] = x;
        YS[count] = y;
        by[count] = static_cast<std::int16_t>(k);
        ++count;
    }
};

// Sorts the list by x, carrying y and the site along. Where no two keys are
// equal, any sort gives the heap sort's result, so a quicker one is taken;
// only the heap sort says where equal keys, or a key that is not a number
// (an end of a line that misses the canvas), go.
class ListSorter {
public:
    void sortByX(CrossingList& list);

private:
    bool sortWithoutTies(CrossingList& list);

    std::array<std::pair<float, int>, CrossingList::capacity> order_{};
    std::array<float, CrossingList::capacity> sortedY_{};
    std::array<std::int16_t, CrossingList::capacity> sortedBy_{};
};
