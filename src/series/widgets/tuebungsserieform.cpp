// SPDX-License-Identifier: GPL-3.0-or-later
#include "tuebungsserieform.h"

#include "radiogroup.h"
#include "seriesfolder.h"
#include "seriesgrid.h"
#include "shell.h"
#include "userdialogs.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace quorvel {

namespace {

enum Column { Position, Active, Title, FileName, Weight, Time, QueryModeColumn, ColumnCount };

constexpr int kColumnWidths[ColumnCount] = {40, 40, 305, 305, 70, 70, 120};

QLabel* note(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setWordWrap(true);
    return label;
}

} // namespace

TUebungsserieForm::TUebungsserieForm(Shell& shell, QWidget* parent)
    : DecoratedDialog(parent), m_shell(shell), m_folder(new QLineEdit(this)),
      m_grid(new QTableWidget(0, ColumnCount, this)), m_defaultWeight(new QSpinBox(this)),
      m_defaultTime(new QSpinBox(this)),
      m_mode(new RadioGroup(u" Übungsmodus "_s,
                            {u" wiederholen bis alles richtig gelöst "_s,
                             u" nur einen Versuch pro Frage bzw. pro Position (*)"_s,
                             u" nur einen Versuch und keine Richtig-/Falsch-Rückmeldung (*) "_s},
                            this)),
      m_title(new QLineEdit(u"Titel der Übungsserie"_s, this)),
      m_information(new QPlainTextEdit(this)),
      m_start(makeButton(u"Übungs-Serie direkt starten"_s)),
      m_package(makeButton(u"Übungs-Serien-Paket erstellen..."_s)) {
    setObjectName(u"UebungsserieForm"_s);
    setWindowTitle(u"Übungs-Serie erstellen"_s);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 24, 24, 24);

    auto* folderRow = new QHBoxLayout;
    auto* folderLabel = new QLabel(u"&Ordner:"_s, this);
    folderLabel->setBuddy(m_folder);
    auto* browseButton = makeButton(u"Durchsuchen..."_s);
    auto* reread = makeButton(u"Ordner neu einlesen und Standardwerte setzen"_s);
    folderRow->addWidget(folderLabel);
    folderRow->addWidget(m_folder, 1);
    folderRow->addWidget(browseButton);
    folderRow->addWidget(reread);
    layout->addWidget(note(u"Erstellen Sie idealerweise einen neuen Ordner und kopieren Sie dort "
                           u"alle Einzelübungen (Quorvel-Dokumente) hinein."_s,
                           this));
    layout->addLayout(folderRow);

    auto* defaults = new QHBoxLayout;
    m_defaultWeight->setRange(1, 999);
    m_defaultWeight->setValue(1);
    m_defaultTime->setRange(0, 999);
    m_defaultTime->setValue(0);
    defaults->addWidget(new QLabel(u"Std.-Gewichtung:"_s, this));
    defaults->addWidget(m_defaultWeight);
    defaults->addWidget(new QLabel(u"Standard-Zeit:"_s, this));
    defaults->addWidget(m_defaultTime);
    defaults->addStretch(1);
    layout->addLayout(defaults);

    layout->addWidget(
        note(u"Die Bewertungsgewichtung und maximale Zeit (in Minuten, 0 = unbegrenzt) der "
             u"Einzelübungen sind veränderbar. Klicken Sie dazu einfach in das jeweilige "
             u"Tabellenfeld und geben Sie Ihre Werte ein."_s,
             this));
    layout->addWidget(note(u"Die Reihenfolge der Übungen können Sie durch Ziehen der "
                           u"Positionsnummern in der Tabelle anpassen. Hinzunehmen/Weglassen "
                           u"von Übungen per Klick in Spalte \"Aktiv\"."_s,
                           this));
    m_grid->setHorizontalHeaderLabels({u" Pos."_s, u"Aktiv"_s, u"Titel"_s, u"Dateiname"_s,
                                       u"Gewichtung"_s, u" Zeit (Min.)"_s, u"Abfragemodus"_s});
    for (int c = 0; c < ColumnCount; ++c)
        m_grid->setColumnWidth(c, kColumnWidths[c]);
    m_grid->verticalHeader()->hide();
    m_grid->verticalHeader()->setDefaultSectionSize(19);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setMinimumHeight(220);
    // Wide enough for every column beside a vertical scroll bar.
    int gridWidth = 2 * m_grid->frameWidth() + m_grid->verticalScrollBar()->sizeHint().width();
    for (const int width : kColumnWidths)
        gridWidth += width;
    m_grid->setMinimumWidth(gridWidth);
    m_grid->viewport()->installEventFilter(this);
    layout->addWidget(m_grid, 1);

    auto* texts = new QGridLayout;
    texts->addWidget(new QLabel(u"Titel (für Protokoll)"_s, this), 0, 0);
    texts->addWidget(m_title, 0, 1);
    texts->addWidget(
        new QLabel(u"Weitere Information (für Protokoll, Tabulator als '<tab>' eingeben):"_s, this),
        1, 0, 1, 2);
    m_information->setPlainText(
        u"Fach / Thema: <tab>\nKlasse / Kurs: <tab>\nTestform / Beschreibung: <tab>"_s);
    m_information->setMaximumHeight(80);
    texts->addWidget(m_information, 2, 0, 1, 2);
    layout->addLayout(texts);
    layout->addWidget(m_mode);
    m_mode->setIndex(0);
    layout->addWidget(note(u"(*) nicht bei Über-Kreuz-Zuordnung und Cluster-Übung"_s, this));

    auto* buttons = new QHBoxLayout;
    auto* cancel = makeButton(u"Abbrechen"_s);
    buttons->addWidget(m_package);
    buttons->addStretch(1);
    buttons->addWidget(m_start);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    m_start->setDefault(true);

    connect(browseButton, &QPushButton::clicked, this, &TUebungsserieForm::browse);
    connect(reread, &QPushButton::clicked, this, &TUebungsserieForm::readFolder);
    connect(m_package, &QPushButton::clicked, this, &TUebungsserieForm::createPackage);
    connect(m_start, &QPushButton::clicked, this, &TUebungsserieForm::startClicked);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_grid, &QTableWidget::cellClicked, this, &TUebungsserieForm::clickCell);
    connect(m_grid, &QTableWidget::cellDoubleClicked, this, &TUebungsserieForm::clickCell);
    connect(m_grid, &QTableWidget::cellChanged, this, [this] {
        if (!m_filling)
            takeGrid();
    });
}

void TUebungsserieForm::prepare() {
    const QString folder = m_folder->text().trimmed();
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        m_folder->setText(m_shell.state().topicFolder);
    readFolder();
}

bool TUebungsserieForm::readFolder() {
    std::vector<UebungsserieDokTyp> entries;
    const IoResult result = readSeriesFolder(m_folder->text().trimmed(), m_defaultWeight->value(),
                                             m_defaultTime->value(), entries);
    if (!result.ok) {
        for (const QString& message : result.messages)
            m_shell.dialogs().error(message);
        m_folder->setFocus();
        return false;
    }
    m_entries = std::move(entries);
    fillGrid();
    return true;
}

void TUebungsserieForm::browse() {
    const QString folder =
        m_shell.dialogs().chooseFolder(u"Ordner für Übungsserie auswählen"_s, m_folder->text());
    if (folder.isEmpty())
        return;
    m_folder->setText(QDir::toNativeSeparators(folder));
    readFolder();
}

void TUebungsserieForm::fillGrid() {
    m_filling = true;
    m_grid->setRowCount(static_cast<int>(m_entries.size()));
    for (int row = 0; row < m_grid->rowCount(); ++row) {
        const UebungsserieDokTyp& entry = m_entries[static_cast<size_t>(row)];
        const QString texts[ColumnCount] = {QString::number(row + 1),
                                            entry.Aktiv ? u"ja"_s : u"nein"_s,
                                            entry.Titel,
                                            QFileInfo(entry.Datei).fileName(),
                                            QString::number(entry.Gewichtung),
                                            QString::number(entry.ZeitMin),
                                            queryModeName(entry.AbfrageModus)};
        for (int c = 0; c < ColumnCount; ++c) {
            auto* item = new QTableWidgetItem(texts[c]);
            // Only the weight and the time are typed into.
            if (c != Weight && c != Time)
                item->setFlags(item->flags() & ~Qt::ItemIsEditable);
            m_grid->setItem(row, c, item);
        }
    }
    m_filling = false;
}

void TUebungsserieForm::takeGrid() {
    for (int row = 0; row < m_grid->rowCount(); ++row) {
        UebungsserieDokTyp& entry = m_entries[static_cast<size_t>(row)];
        entry.Aktiv = m_grid->item(row, Active)->text() == u"ja"_s;
        entry.Gewichtung = seriesGridNumber(m_grid->item(row, Weight)->text());
        entry.ZeitMin = seriesGridNumber(m_grid->item(row, Time)->text());
    }
}

void TUebungsserieForm::clickCell(int row, int column) {
    if (row < 0 || row >= static_cast<int>(m_entries.size()))
        return;
    UebungsserieDokTyp& entry = m_entries[static_cast<size_t>(row)];
    if (column == Active)
        entry.Aktiv = !entry.Aktiv;
    else if (column == QueryModeColumn)
        entry.AbfrageModus = nextQueryMode(entry.DokTyp, entry.AbfrageModus);
    else
        return;
    fillGrid();
    m_grid->setCurrentCell(row, column);
}

void TUebungsserieForm::moveRow(int from, int to) {
    takeGrid();
    moveSeriesEntry(m_entries, from, to);
    fillGrid();
}

bool TUebungsserieForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_grid->viewport()) {
        if (event->type() == QEvent::MouseButtonPress) {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            const QModelIndex index = m_grid->indexAt(mouse->position().toPoint());
            m_dragRow = index.isValid() && index.column() == Position ? index.row() : -1;
        } else if (event->type() == QEvent::MouseButtonRelease && m_dragRow >= 0) {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            const QModelIndex index = m_grid->indexAt(mouse->position().toPoint());
            const int from = m_dragRow;
            m_dragRow = -1;
            if (index.isValid() && index.row() != from) {
                moveRow(from, index.row());
                return true;
            }
        }
    }
    return DecoratedDialog::eventFilter(watched, event);
}

SeriesPackage TUebungsserieForm::series() {
    takeGrid();
    SeriesPackage series;
    series.folder = m_folder->text().trimmed();
    series.defaultWeight = m_defaultWeight->value();
    series.defaultMinutes = m_defaultTime->value();
    series.mode = static_cast<SeriesMode>(std::max(0, m_mode->index()));
    series.title = m_title->text();
    series.information = m_information->toPlainText();
    series.entries = m_entries;
    return series;
}

bool TUebungsserieForm::collect() {
    takeGrid();
    const bool anyActive = std::any_of(m_entries.begin(), m_entries.end(),
                                       [](const UebungsserieDokTyp& e) { return e.Aktiv; });
    if (!anyActive) {
        m_shell.dialogs().error(msgNoSeriesEntry());
        return false;
    }
    return true;
}

void TUebungsserieForm::startClicked() {
    if (!collect())
        return;
    m_started = series();
    std::erase_if(m_started.entries, [](const UebungsserieDokTyp& e) { return !e.Aktiv; });
    accept();
}

void TUebungsserieForm::createPackage() {
    if (!collect())
        return;
    FileChoice choice;
    choice.title = u"Übungs-Serien-Paket erstellen"_s;
    choice.filter = u"Quorvel-Übungs-Serien-Paket (*.qvusp)|*.qvusp|Alle Dateien (*.*)|*.*"_s;
    choice.defaultSuffix = u"qvusp"_s;
    const QString path = m_shell.dialogs().chooseSaveFile(choice);
    if (path.isEmpty())
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const IoResult result = writeSeriesPackage(path, series());
    QApplication::restoreOverrideCursor();
    for (const QString& message : result.messages)
        m_shell.dialogs().error(message);
}

} // namespace quorvel
