// SPDX-License-Identifier: GPL-3.0-or-later
#include "cardcolumn.h"

#include "rounding.h"

#include <algorithm>

namespace quorvel {

namespace {
constexpr int kCardGap = 2;
constexpr int kStackShift = 12;
constexpr int kStackRise = 7;
} // namespace

std::vector<QRect> stackCards(QSize panel, const std::vector<int>& heights) {
    std::vector<QRect> rects(heights.size());
    int stack = 0;
    int left = panel.width() - kCardWidth;
    int bottom = panel.height();
    bool first = true;
    for (size_t k = heights.size(); k-- > 0;) {
        const int h = std::max(1, heights[k]);
        if (!first && bottom - h < kCardColumnTop) {
            ++stack;
            // Thousands of cards pile up at the left edge instead of leaving the panel.
            left = std::max(0, left - kStackShift);
            bottom = panel.height() - kStackRise * stack;
        }
        rects[k] = QRect(left, bottom - h, kCardWidth, h);
        bottom -= h + kCardGap;
        first = false;
    }
    return rects;
}

size_t cardsInStacks(QSize panel, const std::vector<int>& heights) {
    const int limit = std::min(panel.width() / 2, panel.width() - kCardWidth - 3 * kStackShift);
    const auto fits = [&](size_t count) {
        const std::vector<int> first(heights.begin(), heights.begin() + std::ptrdiff_t(count));
        for (const QRect& r : stackCards(panel, first)) {
            if (r.left() < limit)
                return false;
        }
        return true;
    };
    if (heights.empty() || fits(heights.size()))
        return heights.size();
    // More entries never take fewer stacks: search for the most that fit.
    size_t fitting = 1;
    size_t failing = heights.size();
    while (fitting + 1 < failing) {
        const size_t middle = fitting + (failing - fitting) / 2;
        (fits(middle) ? fitting : failing) = middle;
    }
    return fitting;
}

QRect singleCardRect(QSize panel, int height) {
    return QRect(panel.width() - kCardWidth, (panel.height() - height) / 2, kCardWidth, height);
}

int pictureAreaWidth(QSize panel, const std::vector<QRect>& cards, int minimum) {
    int left = panel.width() - kCardWidth;
    for (const QRect& r : cards)
        left = std::min(left, r.left());
    return std::max(minimum, left - 5);
}

QRect questionSlotRect(int slot, QSize usable, QPoint origin) {
    const int width = std::max(150, rnd(0.32 * usable.width()));
    const int gap = std::max(20, rnd(0.02 * usable.width()));
    const int height = std::max(46, rnd(0.1 * usable.height()));
    const int column = slot % 3;
    const int row = slot / 3;
    return QRect(origin.x() + column * (width + gap), origin.y() + row * (height + gap), width,
                 height);
}

QRect inputFieldRect(QPoint anchor, QSize size, CardSide side, int gap) {
    const int w = size.width();
    const int h = size.height();
    switch (side) {
    case CardSide::Right:
        return QRect(anchor.x(), anchor.y() - h / 2, w, h);
    case CardSide::Top:
        return QRect(anchor.x() - w / 2, anchor.y() - gap - h, w, h);
    case CardSide::Left:
        return QRect(anchor.x() - w, anchor.y() - h / 2, w, h);
    case CardSide::Bottom:
        return QRect(anchor.x() - w / 2, anchor.y() + gap, w, h);
    default:
        return QRect(anchor.x() - w / 2, anchor.y() - h / 2, w, h);
    }
}

QRect matchingSquare(QPoint anchor, bool evenPosition) {
    return QRect(anchor.x() + (evenPosition ? 9 : -50), anchor.y() - 20, 40, 40);
}

QRect tickBoxRect(QPoint anchor, int side) {
    return QRect(anchor.x() + 10, anchor.y() - side / 2, side, side);
}

} // namespace quorvel
