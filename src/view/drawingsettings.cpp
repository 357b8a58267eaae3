// SPDX-License-Identifier: GPL-3.0-or-later
#include "drawingsettings.h"

#include <algorithm>

namespace quorvel {

namespace {

const QString kSymbolFont = QStringLiteral("Wingdings");
// Has every glyph of the mapping below.
const QString kFallbackFont = QStringLiteral("DejaVu Sans");

// Symbol font code -> Unicode. The defaults use 0xFC, 0xFB, 0xAB, 0x4A-0x4C;
// the rest are the common symbols whose meaning is unambiguous.
struct SymbolMapping {
    int code;
    char32_t unicode;
};
constexpr SymbolMapping kSymbolTable[] = {
    {0x22, U'\u2702'},     // scissors
    {0x28, U'\u260E'},     // telephone
    {0x41, U'\u270C'},     // victory hand
    {0x4A, U'\u263A'},     // smiling face
    {0x4B, U'\U0001F610'}, // neutral face
    {0x4C, U'\u2639'},     // sad face
    {0x4E, U'\u2620'},     // skull and crossbones
    {0x51, U'\u2708'},     // aeroplane
    {0x52, U'\u263C'},     // sun
    {0x54, U'\u2744'},     // snowflake
    {0x5B, U'\u262F'},     // yin yang
    {0x6C, U'\u25CF'},     // black circle
    {0x6E, U'\u25A0'},     // black square
    {0x6F, U'\u25A1'},     // white square
    {0x75, U'\u25C6'},     // black diamond
    {0x76, U'\u2756'},     // diamond minus x
    {0xA1, U'\u25CB'},     // white circle
    {0xAB, U'\u2605'},     // black star
    {0xFB, U'\u2717'},     // ballot x
    {0xFC, U'\u2713'},     // check mark
    {0xFD, U'\u2612'},     // ballot box with x
    {0xFE, U'\u2611'},     // ballot box with check
};

QString characterFromCode(char32_t code) {
    return QString::fromUcs4(&code, 1);
}

} // namespace

QColor drawingColour(int colourIndex) {
    switch (colourIndex) {
    case 11:
    case 21:
        return QColor(255, 0, 0);
    case 12:
    case 22:
        return QColor(255, 255, 0);
    case 13:
    case 23:
        return QColor(0, 255, 0);
    case 14:
    case 24:
        return QColor(0, 0, 255);
    case 25:
        return QColor(255, 255, 255);
    case 26:
        return QColor(0, 0, 0);
    case 27:
        return QColor(0, 128, 0);
    case 28:
        return QColor(255, 128, 0);
    case 29:
        return QColor(192, 0, 255);
    case 30:
        return QColor(0, 192, 255);
    default:
        return QColor(0, 0, 0);
    }
}

bool isTransparentColour(int colourIndex) {
    return colourIndex >= 11 && colourIndex <= 19;
}

QString colourHint(int colourIndex) {
    switch (colourIndex) {
    case 11:
        return QStringLiteral("rot - transparent");
    case 12:
        return QStringLiteral("gelb - transparent");
    case 13:
        return QStringLiteral("grün - transparent");
    case 14:
        return QStringLiteral("blau - transparent");
    default:
        return QString();
    }
}

int strokeWidth(int thicknessIndex) {
    static constexpr int kWidths[] = {3, 7, 13, 21};
    return kWidths[std::clamp(thicknessIndex, 1, 4) - 1];
}

StampList defaultStamps() {
    const QString arial = QStringLiteral("Arial");
    return {Stamp{kSymbolFont, 0xFC}, Stamp{kSymbolFont, 0xFB}, Stamp{kSymbolFont, 0xAB},
            Stamp{kSymbolFont, 0x4A}, Stamp{kSymbolFont, 0x4B}, Stamp{kSymbolFont, 0x4C},
            Stamp{arial, '+'},        Stamp{arial, '-'},        Stamp{arial, 'r'},
            Stamp{arial, 'f'}};
}

StampList stampsFromSettings(const QString& characters, const StampFontNames& fonts) {
    StampList stamps = defaultStamps();
    for (int i = 0; i < kStampCount; ++i) {
        if (i < characters.size()) {
            const int code = characters.at(i).unicode();
            if (code >= 1 && code <= 255)
                stamps[size_t(i)].character = code;
        }
        if (!fonts[size_t(i)].trimmed().isEmpty())
            stamps[size_t(i)].font = fonts[size_t(i)];
    }
    return stamps;
}

void stampsToSettings(const StampList& stamps, QString& characters, StampFontNames& fonts) {
    characters.clear();
    for (int i = 0; i < kStampCount; ++i) {
        characters.append(QChar(char16_t(std::clamp(stamps[size_t(i)].character, 1, 255))));
        fonts[size_t(i)] = stamps[size_t(i)].font;
    }
}

Glyph stampGlyph(const Stamp& stamp) {
    if (stamp.font.compare(kSymbolFont, Qt::CaseInsensitive) == 0) {
        for (const SymbolMapping& z : kSymbolTable)
            if (z.code == stamp.character)
                return {characterFromCode(z.unicode), kFallbackFont};
        // An unmapped symbol still gives a visible mark rather than nothing.
        return {characterFromCode(char32_t(std::clamp(stamp.character, 1, 255))), kFallbackFont};
    }
    return {characterFromCode(char32_t(std::clamp(stamp.character, 1, 255))), stamp.font};
}

const QColor& crossColour() {
    static const QColor colour(220, 0, 0);
    return colour;
}

} // namespace quorvel
