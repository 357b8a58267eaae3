#include "objdata.h"

namespace quorvel {

void ObjDataTyp::resetRuntime() {
    AbfrageStatus = -1;
    AbfrageNummer = -1;
    ZielFehlversuche = 0;
    KartFehlversuche = 0;
    KartRect = {-1.0, -1.0, -1.0, -1.0};
    KartBreite = 0.0;
    KartHoehe = 0.0;
    RelPunktX = -1.0;
    RelPunktY = -1.0;
    Marke1 = -1;
    Marke2 = -1;
    BreitenLimit = 0.0;
    HoehenLimit = 0.0;
    Partner = 0;
    ZellZeile = 0;
    ZellSpalte = 0;
    Aktiv = false;
}

} // namespace quorvel
