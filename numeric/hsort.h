#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>
#include <span>
#include <stdexcept>

// In-place heap sort of keys[0..n-1] into non-decreasing order, moving the two
// companion arrays along so that every key keeps its companions.
//
// Entries and heap nodes are numbered from 1 (node k lives in slot k - 1, its
// children are 2k and 2k + 1). The tie rules are deliberate, because they fix
// the order of equal keys: while the heap is built the left child wins a tie,
// while it is taken apart the right child does; an entry being sifted down
// stays above a child with a key equal to its own.
//
// Throws std::overflow_error for n = -32768 (n - 1 does not fit 16 bits) and
// std::out_of_range when an array is shorter than n; both before any slot is
// touched. Any other n <= 1 leaves the arrays alone.
template <class K, class A, class B>
void hSort(std::int16_t n, std::span<K> keys, std::span<A> companion1, std::span<B> companion2)
{
    if (n == std::numeric_limits<std::int16_t>::min())
        throw std::overflow_error("hSort: n - 1 overflows 16 bits");
    if (n <= 1)
        return;
    const auto size = static_cast<std::size_t>(n);
    if (keys.size() < size || companion1.size() < size || companion2.size() < size)
        throw std::out_of_range("hSort: an array has fewer than n slots");

    struct Entry {
        K key;
        A a;
        B b;
    };
    auto take = [&](int node) { return Entry{keys[node - 1], companion1[node - 1], companion2[node - 1]}; };
    auto put = [&](int node, const Entry& e) {
        keys[node - 1] = e.key;
        companion1[node - 1] = e.a;
        companion2[node - 1] = e.b;
    };
    auto key = [&](int node) { return keys[node - 1]; };

    // Let the held-out entry h sink from node k in a heap of m nodes.
    auto siftDown = [&](int k, int m, const Entry& h, bool rightWinsTies) {
        while (2 * k <= m) {
            int j = 2 * k;
            if (j + 1 <= m && (rightWinsTies ? key(j) <= key(j + 1) : key(j) < key(j + 1)))
                ++j;
            if (key(j) <= h.key)
                break;
            put(k, take(j));
            k = j;
        }
        put(k, h);
    };

    for (int i = n / 2; i >= 1; --i)
        siftDown(i, n, take(i), false);
    for (int i = n - 1; i >= 1; --i) {
        const Entry h = take(i + 1);
        put(i + 1, take(1));
        siftDown(1, i, h, true);
    }
}
