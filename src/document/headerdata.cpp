// SPDX-License-Identifier: GPL-3.0-or-later
#include "headerdata.h"

namespace quorvel {

void lueckentabellearrtyp::reset() {
    Text.clear();
    Bild = QImage();
    Art = 0;
    BildKenn.clear();
    BildLink.clear();
    Fsize = 20;
    BildkarteAnpassen = 0;
    BildLinkInUebung = 0;
}

std::array<ColumnBackground, kGapTableMaxColumns> HeaderDataTyp::defaultColumnBackgrounds() {
    static constexpr ColourValue kColours[5] = {0xBEFF7F, 0xBF7FFF, 0xFFC080, 0x7FBEFF, 0xFF7FBE};
    std::array<ColumnBackground, kGapTableMaxColumns> result;
    for (size_t c = 0; c < result.size(); ++c)
        result[c] = {kColours[c % 5], 50};
    return result;
}

QString typeName(DokTyp dokTyp, int subtype) {
    switch (dokTyp) {
    case DokTyp::PictureLabelling:
        return QStringLiteral("Freie Text-Bild-/Bild-Text-Zuordnung");
    case DokTyp::Cloze:
        switch (static_cast<DocumentSubtype>(subtype)) {
        case DocumentSubtype::Cloze:
            return QStringLiteral("Lückentext");
        case DocumentSubtype::Table:
            return QStringLiteral("Tabellarische Text-Bild-/Bild-Text-Zuordnung");
        case DocumentSubtype::CTest:
            return QStringLiteral("C-Test");
        case DocumentSubtype::ClozeWithDistractors:
            return QStringLiteral("Lückentext mit Falschwörtern");
        case DocumentSubtype::CTestWithDistractors:
            return QStringLiteral("C-Test mit Falschwörtern");
        default:
            return {};
        }
    case DokTyp::SingleQuestions:
        return QStringLiteral("Einzelfragen");
    case DokTyp::MultipleChoice:
        return QStringLiteral("Multiple-Choice-Fragen");
    case DokTyp::Cluster:
        return QStringLiteral("Cluster-Übung");
    case DokTyp::CrossMatching:
        return QStringLiteral("Über-Kreuz-Zuordnung");
    case DokTyp::Crossword:
        return QStringLiteral("Kreuzworträtsel");
    }
    return {};
}

} // namespace quorvel
