// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "decorateddialog.h"
#include "seriespackage.h"

class QLineEdit;
class QPlainTextEdit;
class QSpinBox;
class QTableWidget;

namespace quorvel {

class RadioGroup;
class Shell;

// "Übungs-Serie erstellen": a folder of documents read into a grid whose
// weights and times are typed, whose "Aktiv" and "Abfragemodus" cells
// change by click and whose rows move by dragging their position number;
// the series is started at once ("Übungs-Serie direkt starten", which
// accepts) or written into a package.
class TUebungsserieForm : public DecoratedDialog {
    Q_OBJECT
public:
    explicit TUebungsserieForm(Shell& shell, QWidget* parent = nullptr);

    // Takes the topic folder when the folder edit is empty or names no
    // folder, and reads the folder in.
    void prepare();
    // Reads the folder of the edit with the default weight and time.
    bool readFolder();

    // The series as the dialog holds it, every entry taken from the grid.
    SeriesPackage series();
    // The series the dialog was accepted with: only its active entries.
    const SeriesPackage& startedSeries() const { return m_started; }

    QLineEdit* folderEdit() const { return m_folder; }
    QTableWidget* grid() const { return m_grid; }
    QSpinBox* defaultWeightEdit() const { return m_defaultWeight; }
    QSpinBox* defaultTimeEdit() const { return m_defaultTime; }
    RadioGroup* modeGroup() const { return m_mode; }
    QLineEdit* titleEdit() const { return m_title; }
    QPlainTextEdit* informationEdit() const { return m_information; }
    QPushButton* startButton() const { return m_start; }
    QPushButton* packageButton() const { return m_package; }

    // The grid actions as a click on cell (row, column) does them.
    void clickCell(int row, int column);
    // Moves the entry at row `from` to row `to`, as dragging its number does.
    void moveRow(int from, int to);
    // "Übungs-Serien-Paket erstellen...": asks for the file and writes it.
    void createPackage();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void browse();
    void fillGrid();
    void takeGrid();
    bool collect();
    void startClicked();

    Shell& m_shell;
    std::vector<UebungsserieDokTyp> m_entries;
    SeriesPackage m_started;
    QLineEdit* m_folder;
    QTableWidget* m_grid;
    QSpinBox* m_defaultWeight;
    QSpinBox* m_defaultTime;
    RadioGroup* m_mode;
    QLineEdit* m_title;
    QPlainTextEdit* m_information;
    QPushButton* m_start;
    QPushButton* m_package;
    int m_dragRow = -1;
    bool m_filling = false;
};

} // namespace quorvel
