// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QScreen;

namespace quorvel {

class UserPrompter;

// The screen as the start-up check sees it: size in device pixels and colour
// depth in bits per pixel.
struct GraphicsMode {
    int width = 0;
    int height = 0;
    int colourDepth = 0;
};

// Whether the screen is large and deep enough: at least 960 x 720 pixels and
// 15 bits. (The warning asks for 1024 x 768 and 16 bits; a little less passes.)
bool graphicsModeSuitable(const GraphicsMode& modus);

// The Yes/No warning shown for an unsuitable screen.
QString graphicsModeWarning(const GraphicsMode& modus);

// The screen's size in device pixels and its depth; zeros without a screen.
GraphicsMode graphicsModeOf(const QScreen* screen);

// The start-up check: true when the screen is suitable or the user answers
// "Ja" to the warning; false means the program ends at once.
bool confirmGraphicsMode(const GraphicsMode& modus, UserPrompter& prompter);

} // namespace quorvel
