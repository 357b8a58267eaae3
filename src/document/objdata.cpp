// SPDX-License-Identifier: GPL-3.0-or-later
#include "objdata.h"

namespace quorvel {

void ObjDataTyp::resetRuntime() {
    AbfrageStatus = quorvel::AbfrageStatus::Covered;
    AbfrageNummer = -1;
    ZielFehlversuche = 0;
    KartFehlversuche = 0;
    KartRect = {-1.0, -1.0, -1.0, -1.0};
    KartBreite = 0.0;
    KartHoehe = 0.0;
    RelativePointX = -1.0;
    RelativePointY = -1.0;
    Marker1 = -1;
    Marker2 = -1;
    WidthLimit = 0.0;
    HeightLimit = 0.0;
    Partner = 0;
    CellRow = 0;
    CellColumn = 0;
    Aktiv = false;
}

} // namespace quorvel
