// SPDX-License-Identifier: GPL-3.0-or-later
#include "seriesentry.h"

namespace quorvel {

namespace {

// How many query modes a document type offers in a series; 0: none.
int queryModeCount(int dokTyp) {
    switch (dokTyp) {
    case 0:
    case 1:
    case 6:
        return 4;
    case 4:
        return 2;
    default:
        return 0;
    }
}

} // namespace

int defaultQueryMode(int dokTyp) {
    return queryModeCount(dokTyp) > 0 ? 0 : -1;
}

QString queryModeName(int abfrageModus) {
    switch (abfrageModus) {
    case 0:
        return QStringLiteral("Freie Zuordnung");
    case 1:
        return QStringLiteral("Texte/Bilder einzeln");
    case 2:
        return QStringLiteral("Positionen einzeln");
    case 3:
        return QStringLiteral("Texteingabe");
    default:
        return QStringLiteral("-");
    }
}

int nextQueryMode(int dokTyp, int abfrageModus) {
    const int count = queryModeCount(dokTyp);
    if (count == 0)
        return -1;
    if (abfrageModus < 0 || abfrageModus >= count)
        return 0;
    return (abfrageModus + 1) % count;
}

} // namespace quorvel
