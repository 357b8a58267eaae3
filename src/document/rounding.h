// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cmath>
#include <limits>

namespace quorvel {

// The one rounding rule of all layout and geometry arithmetic: to the nearest
// integer, ties to the even neighbour. Values beyond the int range saturate
// instead of overflowing, so hostile numbers from a file cannot cause UB.
inline int rnd(double value) {
    if (std::isnan(value))
        return 0;
    const double r = std::nearbyint(value); // default rounding mode: ties to even
    if (r >= static_cast<double>(std::numeric_limits<int>::max()))
        return std::numeric_limits<int>::max();
    if (r <= static_cast<double>(std::numeric_limits<int>::min()))
        return std::numeric_limits<int>::min();
    return static_cast<int>(r);
}

} // namespace quorvel
