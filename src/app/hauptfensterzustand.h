#pragma once

#include <QRectF>
#include <QString>

namespace quorvel {

// The main modes of the main window.
enum Modus : int {
    ModusLernansicht = 2,
    ModusUebung = 3,
    ModusSchiebepuzzle = 4,
};

// The learning-view tools (numbers as the tool bar uses them).
enum Werkzeug : int {
    WerkzeugZeiger = 1,
    WerkzeugHand = 2,
    WerkzeugStift = 3,
    WerkzeugRadierer = 6,
    WerkzeugSymbolstempel = 7,
    WerkzeugTexteingabe = 9,
    WerkzeugBereich = 19,
};

// What the main window remembers beyond the document itself, with the values
// it has when the program starts. Folders end with "/".
struct HauptfensterZustand {
    int Modus = ModusLernansicht;
    int werkzeug = WerkzeugZeiger;
    int nummerierungsModus = 1; // 0 question marks, 1 ordered, 2 random
    double zoomFaktor = 1.0;
    int zoomStufe = 0;
    QRectF sichtbarerBereich{0.0, 0.0, 1.0, 1.0}; // relative to the page
    int aktuelleFrage = 0;
    QString programmOrdner;
    QString themenOrdner;
    QString aktuellerOrdner; // initial folder of the open dialog
    QString kommandozeilenDokument;
};

} // namespace quorvel
