// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "bestlist.h"
#include "decorateddialog.h"

class QLabel;
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

} // namespace quorvel
