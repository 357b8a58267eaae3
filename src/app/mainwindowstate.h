#pragma once

#include <QRectF>
#include <QString>

namespace quorvel {

// The main modes of the main window.
enum Modus : int {
    ModeLearningView = 2,
    ModeExercise = 3,
    ModeSlidingPuzzle = 4,
};

// The learning-view tools (numbers as the tool bar uses them).
enum Tool : int {
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
struct MainWindowState {
    int Modus = ModeLearningView;
    int werkzeug = WerkzeugZeiger;
    int numberingMode = 1; // 0 question marks, 1 ordered, 2 random
    double zoomFactor = 1.0;
    int zoomLevel = 0;
    QRectF visibleArea{0.0, 0.0, 1.0, 1.0}; // relative to the page
    int currentQuestion = 0;
    QString programFolder;
    QString topicFolder;
    QString currentFolder; // initial folder of the open dialog
    QString commandLineDocument;
};

} // namespace quorvel
