#pragma once

#include <QColor>
#include <QString>
#include <array>

class QSettings;

namespace quorvel {

// The settings behind the colour, thickness, pen and stamp menus of the
// drawing tools.

// Colour indices: 11-14 draw semi-transparent through the drawing overlay,
// 21-30 opaque. Other indices are unknown and give black.
inline constexpr int kStandardFarbe = 21;
QColor zeichenFarbe(int farbIndex);
// Whether the index draws through the overlay (11-19).
bool istTransparenteFarbe(int farbIndex);
// The indices of the colour menu from top to bottom; 0 stands for the separator.
inline constexpr std::array<int, 15> kFarbMenuReihenfolge = {21, 28, 22, 23, 27, 30, 24, 29,
                                                              25, 26, 0,  11, 12, 13, 14};
// "rot - transparent" etc. for 11-14, empty otherwise.
QString farbHinweis(int farbIndex);

// Thickness index 1-4 (clamped) to the pen width 3, 7, 13, 21 pixels.
inline constexpr int kStandardDicke = 1;
int strichBreite(int dickeIndex);

// Pen presets 1-10: 1 is the freehand pen (tool 3), 2-10 the shape pens 10-18.
inline constexpr int kStandardStift = 1;
int werkzeugFuerStift(int stift);

// One stamp: a font name and a character code 1-255 in that font.
struct Stempel {
    QString font;
    int zeichen = 0;
    friend bool operator==(const Stempel&, const Stempel&) = default;
};
inline constexpr int kStempelAnzahl = 10;
inline constexpr int kStandardStempel = 1;
using StempelListe = std::array<Stempel, kStempelAnzahl>;
StempelListe standardStempel();

// Reads and writes the ten stamps: the characters as one string under
// "Symbolstempel-Zeichen" (one character per stamp, its code as the Unicode
// code point), the fonts under "Symbolstempel-Fontname1" ... "...10". Missing
// or invalid entries keep the default of that stamp.
StempelListe stempelLaden(const QSettings& settings);
void stempelSpeichern(QSettings& settings, const StempelListe& stempel);

// What is really drawn for a stamp: symbol fonts of the old platform have no
// counterpart here, so their characters become the equivalent Unicode
// characters in a font that has them.
struct Glyphe {
    QString text;
    QString font;
};
Glyphe stempelGlyphe(const Stempel& stempel);

// The red cross of the cross tool (character 0xFB of the symbol font).
inline constexpr int kKreuzZeichen = 0xFB;
const QColor& kreuzFarbe();

} // namespace quorvel
