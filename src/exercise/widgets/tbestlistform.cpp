// SPDX-License-Identifier: GPL-3.0-or-later
#include "tbestlistform.h"

#include "documentio.h"
#include "savefile.h"
#include "settings.h"
#include "shell.h"

#include <QApplication>
#include <QClipboard>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
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
    QPrinter printer;
    if (!m_shell.dialogs().choosePrinter(printer, u"Drucken"_s))
        return;
    QList<QStringList> rows;
    const QStringList lines = text().split(u"\r\n"_s, Qt::SkipEmptyParts);
    for (const QString& line : lines)
        rows << line.split(u'\t');
    printGrid(printer, rows, columnWidths(), columnAlignments());
}

void printGrid(QPrinter& printer, const QList<QStringList>& rows, const QList<int>& widths,
               const QList<Qt::Alignment>& alignments) {
    // Coordinates in 0.1 mm from the sheet's corner.
    printer.setFullPage(true);
    QPainter painter;
    if (!painter.begin(&printer))
        return;
    const double unit = printer.resolution() / 254.0;
    painter.scale(unit, unit);
    const QRectF sheet = printer.pageLayout().fullRect(QPageLayout::Millimeter);
    const int width = int(sheet.width() * 10), height = int(sheet.height() * 10);
    const int left = 150, top = 150, usable = width - 300, bottom = height - 300;
    int sum = 0;
    for (int w : widths)
        sum += w;
    if (sum <= 0 || usable <= 0)
        return;
    QFont font(u"Arial"_s);
    font.setPixelSize(std::max(1, std::min(40, int(std::lround(2e4 / sum * usable / 1800.0)))));
    painter.setFont(font);
    painter.setPen(QPen(Qt::black, 2));
    const int line = painter.fontMetrics().height();
    QList<int> edges{left};
    for (int w : widths)
        edges << edges.last() + int(std::lround(double(w) / sum * usable));
    int y = top;
    for (int r = 0; r < rows.size(); ++r) {
        if (y + line > bottom && r > 0) {
            printer.newPage();
            y = top;
        }
        for (int c = 0; c < std::min(rows[r].size(), widths.size()); ++c) {
            const QRect cell(edges[c], y, edges[c + 1] - edges[c], line);
            painter.drawText(cell, int(alignments.value(c, Qt::AlignLeft) | Qt::AlignVCenter),
                             rows[r][c]);
        }
        if (r == 0)
            painter.drawLine(edges.first(), y + line, edges.last(), y + line);
        y += line;
    }
    painter.end();
}

} // namespace quorvel
