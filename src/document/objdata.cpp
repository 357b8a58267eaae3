#include "objdata.h"

namespace quorvel {

bool isQueryTyp(int typ)
{
    switch (typ) {
    case 0: case 3: case 6: case 10: case 24: case 32: case 34:
    case 41: case 43: case 51: case 53: case 60:
        return true;
    default:
        return false;
    }
}

bool isNeverWrittenTyp(int typ)
{
    switch (typ) {
    case 3: case 22: case 23: case 24: case 25: case 26: case 27: case 31: case 32: case 34:
        return true;
    default:
        return false;
    }
}

bool isPictureTyp(int typ)
{
    return typ == 6 || typ == 7 || typ == 8 || typ == 21;
}

void ObjDataTyp::resetRuntime()
{
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
