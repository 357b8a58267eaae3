// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace quorvel {

// One document of an exercise series, as the series dialog lists it and a
// package carries it.
struct UebungsserieDokTyp {
    QString Datei;          // full path of the document (the package's record of it)
    QString Titel;          // the document's title, "(ohne Titel)" when empty
    QString DateinameKlein; // the file name without folder in lower case: the sort key
    int DokTyp = 0;
    int AbfrageModus = -1;   // 0..3 for types 0, 1, 6; 0..1 for type 4; -1 for the others
    int Gewichtung = 1;      // the part's weight
    int ZeitMin = 0;         // time limit in minutes, 0: none
    qint64 PaketOffset = -1; // a package part: where its document's bytes begin
    bool Aktiv = true;
};

// The query mode a new entry of document type `dokTyp` starts with.
int defaultQueryMode(int dokTyp);

// The name of a query mode in the grid: "-", "Freie Zuordnung",
// "Texte/Bilder einzeln", "Positionen einzeln", "Texteingabe".
QString queryModeName(int abfrageModus);

// The query mode after a click on its grid cell: types 0, 1, 6 cycle through
// 0..3, type 4 through 0..1, the others stay -1.
int nextQueryMode(int dokTyp, int abfrageModus);

} // namespace quorvel
