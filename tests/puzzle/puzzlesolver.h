// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "tschiebepuzzle.h"

#include <algorithm>
#include <queue>
#include <string>
#include <unordered_map>
#include <vector>

namespace quorvel::test {

// The board row by row, as the model reports it.
inline std::vector<int> gridOf(const TSchiebepuzzle& p) {
    std::vector<int> grid;
    for (int r = 0; r < p.size(); ++r)
        for (int c = 0; c < p.size(); ++c)
            grid.push_back(p.tileAt(c, r));
    return grid;
}

// The tiles to move, in order, that solve a 3 x 3 board by neighbour moves
// (breadth-first, so the shortest way); empty when it is solved already.
inline std::vector<int> solution(const TSchiebepuzzle& p) {
    const std::vector<int> start = gridOf(p);
    std::vector<int> goal(start.size());
    for (size_t k = 0; k < goal.size(); ++k)
        goal[k] = int(k);
    const auto key = [](const std::vector<int>& g) { return std::string(g.begin(), g.end()); };
    std::unordered_map<std::string, std::pair<std::string, int>> from; // state -> (previous, tile)
    std::queue<std::vector<int>> open;
    open.push(start);
    from[key(start)] = {std::string(), -1};
    while (!open.empty()) {
        const std::vector<int> g = open.front();
        open.pop();
        if (g == goal)
            break;
        const int gap = int(std::find(g.begin(), g.end(), 8) - g.begin());
        for (const int d : {-3, 3, -1, 1}) {
            const int next = gap + d;
            if (next < 0 || next >= 9 || ((d == 1 || d == -1) && next / 3 != gap / 3))
                continue;
            std::vector<int> h = g;
            std::swap(h[size_t(gap)], h[size_t(next)]);
            if (from.emplace(key(h), std::make_pair(key(g), g[size_t(next)])).second)
                open.push(h);
        }
    }
    std::vector<int> tiles;
    for (std::string k = key(goal); from.count(k) && from[k].second >= 0; k = from[k].first)
        tiles.push_back(from[k].second);
    std::reverse(tiles.begin(), tiles.end());
    return tiles;
}

} // namespace quorvel::test
