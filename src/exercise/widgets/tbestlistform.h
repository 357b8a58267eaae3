// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "bestlist.h"
#include "decorateddialog.h"

class QLabel;
class QPrinter;
class QTableWidget;

namespace quorvel {

class Shell;

// The list window: a read-only grid of the ranked entries with "Schließen",
// "Speichern...", "In Zwischenablage" and "Drucken...".
class TBestListForm : public DecoratedDialog {
    Q_OBJECT
public:
    explicit TBestListForm(Shell& shell, QWidget* parent = nullptr);

    // Shows `ranked` under `caption`; `note` is shown under the grid.
    void setList(const QString& caption, const QList<BestListDataTyp>& ranked, const QString& note);

    QTableWidget* grid() const { return m_grid; }
    QString text() const;

private:
    void save();
    void print();

    Shell& m_shell;
    QTableWidget* m_grid;
    QLabel* m_note;
};

// Prints the rows of a grid (the first one the header, underlined) with
// margins of 15 mm, the columns' pixel widths scaled to the page width and
// the text at most 4 mm high, on as many pages as it takes.
void printGrid(QPrinter& printer, const QList<QStringList>& rows, const QList<int>& widths,
               const QList<Qt::Alignment>& alignments);

} // namespace quorvel
