// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "colors.h"
#include "objdata.h"

#include <QImage>
#include <QString>
#include <array>

namespace quorvel {

constexpr int kGapTableMaxRows = 16;
constexpr int kGapTableMaxColumns = 12;
constexpr int kCrosswordSide = 30;
constexpr int kCrosswordCells = kCrosswordSide * kCrosswordSide;
constexpr int kCrosswordSettings = 6;

// One cell of the gap table.
struct lueckentabellearrtyp {
    QString Text;
    QImage Bild;
    int Art = 0;
    QString BildKenn;
    QString BildLink;
    int Fsize = 20;
    int BildkarteAnpassen = 0;
    int BildLinkInUebung = 0;
    // runtime pairing with the objects of an exercise; survives a reset
    int ObjIndex = -1;
    int AnswerState = -1;

    // Puts the stored fields back to their reset values, freeing the picture.
    void reset();
};

struct ColumnBackground {
    ColourValue colour = 0xFFFFFF;
    int opacity = 50;
    friend bool operator==(const ColumnBackground&, const ColumnBackground&) = default;
};

// Crossword data: grid cell (x, y) is grid[30 * x + y].
struct CrosswordData {
    std::array<QString, kCrosswordCells> grid;
    std::array<QString, kCrosswordSide> across; // clue n at n - 1
    std::array<QString, kCrosswordSide> down;
    ColourValue KGFeldHtgdCol = 0xF0F0F0;
    ColourValue KGFeldRandCol = 0x606060;
    ColourValue KGWortAnkerCol = 0;
    ColourValue KGFeldschriftCol = 0xFF0000;
    ColourValue KGBeschreibungCol = 0x606060;
    ColourValue KGBeschreibungTitelCol = 0xC0;

    QString& cell(int x, int y) { return grid[static_cast<size_t>(kCrosswordSide * x + y)]; }
    const QString& cell(int x, int y) const {
        return grid[static_cast<size_t>(kCrosswordSide * x + y)];
    }
};

// Worksheet logo and footer.
struct LogoData {
    QImage picture;    // null for no logo
    double size = 0.2; // fraction of the portrait page width
    int alignment = 2; // 0 left, 1 centred, 2 right
    QString footer;
    int footerAlignment = 0;
};

using GapTable =
    std::array<std::array<lueckentabellearrtyp, kGapTableMaxColumns>, kGapTableMaxRows>;

// The document header.
struct HeaderDataTyp {
    QString vers = QStringLiteral("1.00");
    QString titel;
    QString autor;
    QString bemerkung;
    QString lueckentext;
    QString fragentext;
    int AnzFrageNummern = 0;
    int DokTyp = 0; // a `DokTyp` code as stored; read it with dokTypOf()
    int DokUnterTyp = 0;
    PageRect RandErw;
    int NumArt = 0;
    int GeordnetArt = 0;
    PageRect EinrueckRand;
    ColourValue HtgdCol = 0xFFFFFF;
    int BasisbildDeck = 100;
    int MinLuecke = 3;
    int LueckenTabelleZeilen = 5;
    int LueckenTabelleSpalten = 2;
    GapTable LueckenTabelle;
    int LueckenTabelleLinie = 0;
    ColourValue LueckenTabelleLinieCol = 0xC0C0C0;
    std::array<ColumnBackground, kGapTableMaxColumns> LueckentabelleSpaltenHtgd =
        defaultColumnBackgrounds();
    CrosswordData crossword;
    QString BilderPasswort; // plain text in memory
    QString Schriftart = QStringLiteral("Arial");
    QString Arbeitsblatt;
    QString ABAufgabe = QStringLiteral("Aufgabe: Fülle die freien Felder aus!");
    ColourValue TextCol = 0;
    ColourValue FragBtnHtgdCol = 0xFF0000;
    ColourValue FragBtnTextCol = 0xFFFFFF;
    ColourValue LueckentextCol = 0xFF0000;
    LogoData logo;
    int Zielpunktgroesse = 100;

    static std::array<ColumnBackground, kGapTableMaxColumns> defaultColumnBackgrounds();
};

inline DokTyp dokTypOf(const HeaderDataTyp& h) {
    return static_cast<DokTyp>(h.DokTyp);
}
inline DocumentSubtype documentSubtypeOf(const HeaderDataTyp& h) {
    return static_cast<DocumentSubtype>(h.DokUnterTyp);
}
inline NumberingStyle numberingStyleOf(const HeaderDataTyp& h) {
    return numberingStyleFromCode(h.NumArt);
}
inline NumberingOrder numberingOrderOf(const HeaderDataTyp& h) {
    return numberingOrderFromCode(h.GeordnetArt);
}
inline ClozeCellKind clozeCellKindOf(const lueckentabellearrtyp& cell) {
    return static_cast<ClozeCellKind>(cell.Art);
}
inline CardCellKind cardCellKindOf(const lueckentabellearrtyp& cell) {
    return cardCellKindFromCode(cell.Art);
}

// The display name of a document type and subtype; "" for an unknown type.
QString typeName(DokTyp dokTyp, int subtype);

} // namespace quorvel
