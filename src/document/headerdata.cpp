#include "headerdata.h"

namespace quorvel {

void lueckentabellearrtyp::reset()
{
    Text.clear();
    Bild = QImage();
    Art = 0;
    BildKenn.clear();
    BildLink.clear();
    Fsize = 20;
    BildkarteAnpassen = 0;
    BildLinkInUebung = 0;
}

bool cellCarriesPicture(int dokTyp, int art)
{
    if (dokTyp == 1)
        return art >= 1 && art <= 3;
    if (dokTyp == 4 || dokTyp == 5)
        return art == 2 || art == 3;
    return false;
}

std::array<SpaltenHintergrund, kLueckenTabelleMaxSpalten> HeaderDataTyp::defaultSpaltenHintergruende()
{
    static constexpr Farbwert kFarben[5] = {0xBEFF7F, 0xBF7FFF, 0xFFC080, 0x7FBEFF, 0xFF7FBE};
    std::array<SpaltenHintergrund, kLueckenTabelleMaxSpalten> result;
    for (size_t c = 0; c < result.size(); ++c)
        result[c] = {kFarben[c % 5], 50};
    return result;
}

RandRect defaultEinrueckRand(int dokTyp)
{
    switch (dokTyp) {
    case 1: return {0.035, 0.01, 0.035, 0.0};
    case 2: return {0.1, 0.165, 0.05, 0.195};
    case 3: return {0.05, 0.04, 0.05, 0.045};
    case 4:
    case 5: return {0.035, 0.03, 0.035, 0.03};
    case 6: return {0.035, 0.035, 0.035, 0.035};
    default: return {};
    }
}

QString typeName(int dokTyp, int dokUnterTyp)
{
    switch (dokTyp) {
    case 0: return QStringLiteral("Freie Text-Bild-/Bild-Text-Zuordnung");
    case 1:
        switch (dokUnterTyp) {
        case 0: return QStringLiteral("Lückentext");
        case 1: return QStringLiteral("Tabellarische Text-Bild-/Bild-Text-Zuordnung");
        case 2: return QStringLiteral("C-Test");
        case 3: return QStringLiteral("Lückentext mit Falschwörtern");
        case 4: return QStringLiteral("C-Test mit Falschwörtern");
        default: return {};
        }
    case 2: return QStringLiteral("Einzelfragen");
    case 3: return QStringLiteral("Multiple-Choice-Fragen");
    case 4: return QStringLiteral("Cluster-Übung");
    case 5: return QStringLiteral("Über-Kreuz-Zuordnung");
    case 6: return QStringLiteral("Kreuzworträtsel");
    default: return {};
    }
}

} // namespace quorvel
