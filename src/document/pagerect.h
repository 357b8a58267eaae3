// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace quorvel {

// A rectangle of four fractions of the page in the order of the file:
// left, top, right, bottom.
struct PageRect {
    double left = 0.0;
    double top = 0.0;
    double right = 0.0;
    double bottom = 0.0;
    friend constexpr bool operator==(const PageRect&, const PageRect&) = default;
};

} // namespace quorvel
