// SPDX-License-Identifier: GPL-3.0-or-later
#include "colorconversion.h"

#include "rounding.h"

#include <algorithm>
#include <array>

namespace quorvel {

namespace {

// The classic desktop scheme, RGB per system colour index.
constexpr std::array<QRgb, 31> kSystemColours = {
    0xD4D0C8, // 0 scroll bar
    0x3A6EA5, // 1 desktop
    0x0A246A, // 2 active caption
    0x808080, // 3 inactive caption
    0xD4D0C8, // 4 menu
    0xFFFFFF, // 5 window
    0x000000, // 6 window frame
    0x000000, // 7 menu text
    0x000000, // 8 window text
    0xFFFFFF, // 9 caption text
    0xD4D0C8, // 10 active border
    0xD4D0C8, // 11 inactive border
    0x808080, // 12 application workspace
    0x0A246A, // 13 highlight
    0xFFFFFF, // 14 highlight text
    0xD4D0C8, // 15 button face
    0x808080, // 16 button shadow
    0x808080, // 17 grey text
    0x000000, // 18 button text
    0xD4D0C8, // 19 inactive caption text
    0xFFFFFF, // 20 button highlight
    0x404040, // 21 3-D dark shadow
    0xD4D0C8, // 22 3-D light
    0x000000, // 23 tooltip text
    0xFFFFE1, // 24 tooltip background
    0xB5B5B5, // 25 alternate button face
    0x000080, // 26 hot-tracked item
    0xA6CAF0, // 27 active caption gradient
    0xC0C0C0, // 28 inactive caption gradient
    0x316AC5, // 29 menu highlight
    0xECE9D8, // 30 menu bar
};

} // namespace

QColor colourFromValue(ColourValue value) {
    if ((value >> 24) != 0) {
        const unsigned index = value & 0xFFu;
        if (index >= kSystemColours.size())
            return QColor(0, 0, 0);
        return QColor::fromRgb(kSystemColours[index]);
    }
    return QColor(int(value & 0xFFu), int((value >> 8) & 0xFFu), int((value >> 16) & 0xFFu));
}

int opacityAlpha(int opacityPercent) {
    return std::clamp(rnd(opacityPercent / 100.0 * 255.0), 0, 255);
}

QColor colourFromValue(ColourValue value, int opacityPercent) {
    QColor colour = colourFromValue(value);
    colour.setAlpha(opacityAlpha(opacityPercent));
    return colour;
}

} // namespace quorvel
