// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <algorithm>
#include <cstddef>
#include <utility>
#include <vector>

namespace quorvel {

// Orders `keys` exactly as a selection sort by `less` that for each i swaps
// the first smallest of i..last into place: its (unstable) order for equal
// keys is part of what users see. `swapEntries(i, j)` is called for every
// swap of keys i and j, so that records kept beside the keys follow them. A
// tree of minima over the positions finds each step's first smallest key in
// O(log n), so long lists from hostile documents cost n log n comparisons
// instead of n squared.
template <class Key, class Less, class Swap>
void selectionSort(std::vector<Key>& keys, Less less, Swap swapEntries) {
    const size_t n = keys.size();
    if (n < 2)
        return;
    size_t leaves = 1;
    while (leaves < n)
        leaves *= 2;
    constexpr size_t kNone = size_t(-1);
    std::vector<size_t> tree(2 * leaves, kNone); // the winning position below each node
    const auto better = [&](size_t a, size_t b) {
        if (a == kNone)
            return b;
        if (b == kNone)
            return a;
        if (less(keys[b], keys[a]))
            return b;
        if (less(keys[a], keys[b]))
            return a;
        return std::min(a, b);
    };
    const auto update = [&](size_t position, bool present) {
        size_t node = leaves + position;
        tree[node] = present ? position : kNone;
        for (node /= 2; node >= 1; node /= 2)
            tree[node] = better(tree[2 * node], tree[2 * node + 1]);
    };
    for (size_t i = 0; i < n; ++i)
        tree[leaves + i] = i;
    for (size_t node = leaves - 1; node >= 1; --node)
        tree[node] = better(tree[2 * node], tree[2 * node + 1]);
    for (size_t i = 0; i + 1 < n; ++i) {
        const size_t smallest = tree[1];
        if (smallest != i) {
            std::swap(keys[i], keys[smallest]);
            swapEntries(i, smallest);
            update(smallest, true);
        }
        update(i, false);
    }
}

} // namespace quorvel
