// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QLocale>
#include <QString>
#include <QStringList>

namespace quorvel {

class Document;

// What the dialog "Dokumenteigenschaften" shows of the open document, as
// texts and list indices ready for its controls. An index of -1 selects
// nothing (a value outside what the list offers).
struct DocumentProperties {
    // Tab "Allgemein": the file; all four are empty for a new document, size
    // and date also when the file cannot be read.
    QString fileName;
    QString folder;       // absolute, ending with "/"
    QString sizeText;     // "1.234.567 Bytes" in the locale's digit grouping
    QString modifiedText; // date and time in the locale's short format
    QString typeName;
    QString titel;
    QString autor;
    QString bemerkung;
    int numberingIndex = -1;   // into numberingChoices(), by `NumArt`
    int orderIndex = -1;       // into orderChoices(), by `GeordnetArt`
    int targetPointIndex = -1; // into targetPointChoices(), by `Zielpunktgroesse`
    bool passwordSet = false;
    QString passwordText; // "Passwort gesetzt" or "Passwort nicht gesetzt"

    // Tab "Arbeitsblatt".
    QImage logo;          // null when there is none or it is empty
    QString logoSizeText; // percent of the portrait page width, one decimal
    int logoAlignmentIndex = -1;
    int footerAlignmentIndex = -1;
    QString footer;
};

// Reads the properties of `document`; sizes, numbers and dates in `locale`.
DocumentProperties documentProperties(const Document& document, const QLocale& locale = QLocale());

QStringList numberingChoices();   // "Zahlen: 1, 2, 3, ...", "Buchstaben: A, B, C, ..."
QStringList orderChoices();       // "von oben nach unten", "alphabetisch"
QStringList targetPointChoices(); // "100%", "90%", ... "10%", "unsichtbar"
QStringList alignmentChoices();   // "linksbündig", "mittig", "rechtsbündig"

// The list index of a target-point size (100 -> 0, 30 -> 7, 0 -> 10); -1
// for a size outside 0-100.
int targetPointIndex(int zielpunktgroesse);

} // namespace quorvel
