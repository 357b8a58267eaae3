// SPDX-License-Identifier: GPL-3.0-or-later
#include "tbestlistform.h"

#include "documentio.h"
#include "printerjob.h"
#include "savefile.h"
#include "settings.h"
#include "shell.h"

#include <QApplication>
#include <QClipboard>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPrinter>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace quorvel {

namespace {

const QList<int>& columnWidths() {
    static const QList<int> widths{40, 200, 100, 80, 80, 140};
    return widths;
}

// Figures right-aligned, the rank centred, text left.
const QList<Qt::Alignment>& columnAlignments() {
    static const QList<Qt::Alignment> alignments{Qt::AlignHCenter, Qt::AlignLeft,  Qt::AlignLeft,
                                                 Qt::AlignRight,   Qt::AlignRight, Qt::AlignLeft};
    return alignments;
}

} // namespace

TBestListForm::TBestListForm(Shell& shell, QWidget* parent)
    : DecoratedDialog(parent), m_shell(shell), m_grid(new QTableWidget(this)),
      m_note(new QLabel(this)) {
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->verticalHeader()->hide();
    m_grid->verticalHeader()->setDefaultSectionSize(19);
    m_grid->setColumnCount(int(columnWidths().size()));
    m_grid->setHorizontalHeaderLabels(bestListGrid({}).first());
    int total = 0;
    for (int i = 0; i < columnWidths().size(); ++i) {
        // At least as wide as its header: "Zeit (Min:Sek)" is wider than 80
        // pixels in most fonts.
        const int width =
            std::max(columnWidths()[i], m_grid->horizontalHeader()->sectionSizeHint(i));
        m_grid->setColumnWidth(i, width);
        total += width;
    }
    m_grid->setMinimumSize(total + 24, 300);

    QPushButton* close = makeButton(u"Schließen"_s);
    QPushButton* save = makeButton(u"Speichern..."_s);
    QPushButton* copy = makeButton(u"In Zwischenablage"_s);
    QPushButton* print = makeButton(u"Drucken..."_s);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    connect(save, &QPushButton::clicked, this, &TBestListForm::save);
    connect(copy, &QPushButton::clicked, this,
            [this] { QApplication::clipboard()->setText(text()); });
    connect(print, &QPushButton::clicked, this, &TBestListForm::print);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(save);
    buttons->addWidget(copy);
    buttons->addWidget(print);
    buttons->addStretch(1);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_grid, 1);
    layout->addWidget(m_note);
    layout->addLayout(buttons);
}

void TBestListForm::setList(const QString& caption, const QList<BestListDataTyp>& ranked,
                            const QString& note) {
    setWindowTitle(caption);
    m_note->setText(note);
    m_note->setVisible(!note.isEmpty());
    const QList<QStringList> rows = bestListGrid(ranked);
    m_grid->setHorizontalHeaderLabels(rows.first());
    m_grid->setRowCount(int(rows.size() - 1));
    for (int r = 1; r < rows.size(); ++r) {
        for (int c = 0; c < rows[r].size(); ++c) {
            auto* item = new QTableWidgetItem(rows[r][c]);
            item->setTextAlignment(columnAlignments()[c] | Qt::AlignVCenter);
            m_grid->setItem(r - 1, c, item);
        }
    }
}

QString TBestListForm::text() const {
    QList<QStringList> rows;
    QStringList header;
    for (int c = 0; c < m_grid->columnCount(); ++c)
        header << m_grid->horizontalHeaderItem(c)->text();
    rows << header;
    for (int r = 0; r < m_grid->rowCount(); ++r) {
        QStringList row;
        for (int c = 0; c < m_grid->columnCount(); ++c)
            row << (m_grid->item(r, c) ? m_grid->item(r, c)->text() : QString());
        rows << row;
    }
    return gridText(rows);
}

void TBestListForm::save() {
    FileChoice choice;
    choice.title = u"Bestenliste in Datei speichern"_s;
    choice.filter = u"Textdatei (*.txt)|*.txt|Alle Dateien (*.*)|*.*"_s;
    choice.defaultSuffix = u"txt"_s;
    choice.folder = m_shell.settings().ProtOrdner;
    const QString path = m_shell.dialogs().chooseSaveFile(choice);
    if (path.isEmpty())
        return;
    if (!saveWholeFile(path, text().toUtf8()))
        m_shell.dialogs().error(msgCannotWrite(path));
}

void TBestListForm::print() {
    QPrinter printer(QPrinter::HighResolution);
    if (!m_shell.dialogs().choosePrinter(printer, u"Drucken"_s))
        return;
    QList<QStringList> rows;
    const QStringList lines = text().split(u"\r\n"_s, Qt::SkipEmptyParts);
    for (const QString& line : lines)
        rows << line.split(u'\t');
    const PrintOutcome printed =
        printGrid(printer, {rows, columnWidths(), columnAlignments()}, windowTitle());
    if (!printed.ok)
        m_shell.dialogs().error(printed.error);
}

} // namespace quorvel
