// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace quorvel {

// The four kinds of sheet, by the index of the dialog's "Was soll erstellt
// werden" choice.
enum class WorksheetKind {
    Worksheet = 0,        // "Arbeitsblatt"
    CompleteSolution = 1, // "Lösungsblatt (komplett)"
    SolutionOverlay = 2,  // "Lösungsblatt (Auflegefolie)"
    CutOut = 3,           // "Ausschneideblatt"
};

// Sheets 0 and 1 draw their parts (header, frames, texts); sheets 1 and 2
// draw the solutions. The overlay keeps every space of the complete solution
// sheet and draws only the solutions, so it lies exactly over the worksheet.
inline bool hasParts(WorksheetKind kind) {
    return kind == WorksheetKind::Worksheet || kind == WorksheetKind::CompleteSolution;
}
inline bool hasSolutions(WorksheetKind kind) {
    return kind == WorksheetKind::CompleteSolution || kind == WorksheetKind::SolutionOverlay;
}
// The worksheet mode handed to the object and line renderers: 1 worksheet,
// 3 complete solution sheet, 2 overlay; the cut-out sheet has no body (0).
inline int worksheetMode(WorksheetKind kind) {
    switch (kind) {
    case WorksheetKind::Worksheet:
        return 1;
    case WorksheetKind::CompleteSolution:
        return 3;
    case WorksheetKind::SolutionOverlay:
        return 2;
    case WorksheetKind::CutOut:
        return 0;
    }
    return 0;
}

// Every setting of the worksheet dialog, with its start value. The dialog,
// the tool and the page builder share this record; the comments name the
// dialog's controls.
struct WorksheetSettings {
    WorksheetKind kind = WorksheetKind::Worksheet; // ModeRadio
    bool landscape = false;                        // OrientRadio (0 portrait, 1 landscape)
    bool nameField = true;                         // ABNameBox
    bool classField = true;                        // ABKlasseBox
    bool dateField = true;                         // ABDatumBox
    bool subjectField = false;                     // ABFachBox
    bool sheetNumberField = false;                 // ABBlattNrBox
    QString title;                                 // TitelEdit
    bool useDocumentTitle = true;                  // TitelCheck
    QString task;                                  // AufgMemo (the document's ABAufgabe)
    bool answerTexts = true;                       // TextvorgabeCheck
    int boxSizeIndex = 6;           // KaestchengroesseCombo: "50 %" is 0, "110 %" 6, "200 %" 15
    int firstQuestion = 1;          // AbFrageEdit, 1..99999
    bool clozeMargins = true;       // RaenderCheck
    int fontAdjust = 0;             // MaxFontSize, -10..10
    bool basePicture = true;        // BasisbildCheck and BasisbildCheck0
    double basePictureX = 0.0;      // BasisbildX, -20..20
    double basePictureY = 0.0;      // BasisbildY, at least -20
    double basePictureSize = 100.0; // BasisbildGroesse (%), at most 300
    bool fullWidth = false;         // VollbreiteCheck
    bool otherObjects = true;       // ObjekteCheck
    bool includeDrawings = false;   // ZeichnungenEinbindenCheck
    bool firstLetter = false;       // ErstBuchstabeVorgabeCheck
    int columns = 1;                // SpaltenComboBox, 1..20
    // Set when the orientation was switched: the next drawing fits the base
    // picture anew (and writes basePictureSize/basePictureY), then clears it.
    bool fitBasePicture = false;
};

} // namespace quorvel
