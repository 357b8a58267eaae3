// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "userprompter.h"

#include <QColor>
#include <QString>
#include <optional>

class QPrinter;

namespace quorvel {

// The message when a name to save under holds a double quote: file dialogs
// take quotes for the quoting of several names and would cut the name.
inline QString msgQuoteInFileName() {
    return QStringLiteral("Der Dateiname darf keine Anführungszeichen (\") enthalten.");
}

// A file to open or save, as the file dialog offers it.
struct FileChoice {
    QString title;
    // "Name|patterns|Name|patterns" as the program writes its filters.
    QString filter;
    QString defaultSuffix; // without the dot
    QString folder;        // where the dialog starts; empty: where it was last
    QString fileName = {}; // preset in the name field (not every caller names one)
};

// Every question the program puts to the user: the message boxes and the
// closing dialog (UserPrompter), the file, folder, password and print
// dialogs. The program shows its dialogs; tests answer from a script. Each
// dialog returns nothing (an empty string, no value, false) when cancelled.
class UserDialogs : public UserPrompter {
public:
    virtual QString chooseOpenFile(const FileChoice& choice) = 0;
    // The dialog asks before an existing file is replaced.
    virtual QString chooseSaveFile(const FileChoice& choice) = 0;
    virtual QString chooseFolder(const QString& title, const QString& startFolder) = 0;
    // The password dialog titled `title` (the input is not shown).
    virtual std::optional<QString> askPassword(const QString& title) = 0;
    // The print dialog for `printer`, titled `title`; true when the user
    // chose to print (the printer is set up then).
    virtual bool choosePrinter(QPrinter& printer, const QString& title) = 0;
    // The printer setup dialog for `printer`, titled `title` (which printer,
    // paper, orientation); true when the user confirmed it.
    virtual bool setUpPrinter(QPrinter& printer, const QString& title) = 0;
    // The colour dialog preset with `initial`; an invalid colour when cancelled.
    virtual QColor chooseColour(const QColor& initial) = 0;
};

} // namespace quorvel
