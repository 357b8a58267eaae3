// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QString>
#include <array>

namespace quorvel {

// The settings behind the colour, thickness, pen and stamp menus of the
// drawing tools.

// Colour indices: 11-14 draw semi-transparent through the drawing overlay,
// 21-30 opaque. Other indices are unknown and give black.
inline constexpr int kDefaultColour = 21;
QColor drawingColour(int colourIndex);
// Whether the index draws through the overlay (11-19).
bool isTransparentColour(int colourIndex);
// The indices of the colour menu from top to bottom; 0 stands for the separator.
inline constexpr std::array<int, 15> kColourMenuOrder = {21, 28, 22, 23, 27, 30, 24, 29,
                                                         25, 26, 0,  11, 12, 13, 14};
// "rot - transparent" etc. for 11-14, empty otherwise.
QString colourHint(int colourIndex);

// Thickness index 1-4 (clamped) to the pen width 3, 7, 13, 21 pixels.
inline constexpr int kDefaultThickness = 1;
int strokeWidth(int thicknessIndex);

// Pen presets 1-10: 1 is the freehand pen, 2-10 the shape pens (toolForPen()).
inline constexpr int kDefaultPen = 1;

// One stamp: a font name and a character code 1-255 in that font.
struct Stamp {
    QString font;
    int character = 0;
    friend bool operator==(const Stamp&, const Stamp&) = default;
};
inline constexpr int kStampCount = 10;
inline constexpr int kDefaultStamp = 1;
using StampList = std::array<Stamp, kStampCount>;
StampList defaultStamps();

// The ten stamps from and to their settings: the characters as one string
// (one character per stamp, its code as the Unicode code point; the setting
// "Symbolstempel-Zeichen") and one font name per stamp
// ("Symbolstempel-Fontname1" ... "...10"). Missing or invalid entries keep
// the default of that stamp.
using StampFontNames = std::array<QString, kStampCount>;
StampList stampsFromSettings(const QString& characters, const StampFontNames& fonts);
void stampsToSettings(const StampList& stamps, QString& characters, StampFontNames& fonts);

// What is really drawn for a stamp: symbol fonts of the old platform have no
// counterpart here, so their characters become the equivalent Unicode
// characters in a font that has them.
struct Glyph {
    QString text;
    QString font;
};
Glyph stampGlyph(const Stamp& stamp);

// The red cross of the cross tool (character 0xFB of the symbol font).
inline constexpr int kCrossCharacter = 0xFB;
const QColor& crossColour();

} // namespace quorvel
