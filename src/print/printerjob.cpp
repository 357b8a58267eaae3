// SPDX-License-Identifier: GPL-3.0-or-later
#include "printerjob.h"

#include "printerqueue.h"

#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QPrinter>

namespace quorvel {

namespace {

using namespace Qt::Literals::StringLiterals;

bool printsToSystem(const QPrinter& printer) {
    return printer.outputFormat() == QPrinter::NativeFormat && printer.outputFileName().isEmpty();
}

// Starts the job, or says why it cannot start.
PrintOutcome begin(QPrinter& printer, QPainter& painter, const QString& title) {
    if (printsToSystem(printer) && !queueExists(printer.printerName()))
        return {false, u"Es ist kein Drucker eingerichtet."_s};
    printer.setFullPage(true);
    printer.setDocName(title);
    if (!painter.begin(&printer))
        return {false, u"Der Druckauftrag konnte nicht begonnen werden."_s};
    return {true, {}};
}

PrintOutcome end(QPrinter& printer, QPainter& painter, bool drawn) {
    if (!drawn) {
        // Nothing half-drawn goes to the printer.
        printer.abort();
        painter.end();
        return {false, u"Der Druckauftrag konnte nicht gedruckt werden."_s};
    }
    const bool ended = painter.end();
    if (!ended || printer.printerState() == QPrinter::Error)
        return {false, u"Der Druckauftrag konnte nicht abgeschlossen werden."_s};
    QString reason;
    if (printsToSystem(printer) && !lastJobAccepted(reason))
        return {false, u"Der Drucker hat den Druckauftrag nicht angenommen: "_s + reason};
    return {true, {}};
}

} // namespace

QString printerInfo(const QPrinter& printer) {
    if (printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty())
        return printerInfoLine(u"PDF"_s, QFileInfo(printer.outputFileName()).fileName());
    return queueInfoLine(printer.printerName());
}

PrinterCoordinates printerCoordinates(const QPrinter& printer) {
    // The printable area is the paper less the printer's smallest margins.
    QPageLayout layout = printer.pageLayout();
    layout.setMargins(layout.minimumMargins());
    const int dpi = printer.resolution();
    const QRect paper = layout.fullRectPixels(dpi);
    const QRect printable = layout.paintRectPixels(dpi);
    return PrinterCoordinates(paper.size(), printable.topLeft() - paper.topLeft(), dpi, dpi);
}

namespace {

// One page, `copies` times: `draw` puts it into the printer coordinates.
template <typename Draw>
PrintOutcome printOnePage(QPrinter& printer, int copies, const QString& title, Draw draw) {
    printer.setCopyCount(copies);
    QPainter painter;
    const PrintOutcome started = begin(printer, painter, title);
    if (!started.ok)
        return started;
    const PrinterCoordinates coordinates = printerCoordinates(printer);
    if (coordinates.isValid())
        draw(painter, coordinates);
    return end(printer, painter, coordinates.isValid());
}

} // namespace

PrintOutcome printView(QPrinter& printer, const ViewPrintJob& job, const QImage& picture,
                       const QString& title) {
    return printOnePage(printer, job.copies, title,
                        [&](QPainter& painter, const PrinterCoordinates& coordinates) {
                            drawViewPrint(painter, coordinates, job.area, picture);
                        });
}

PrintOutcome printPicture(QPrinter& printer, const ViewPrintJob& job, const QPicture& picture,
                          const QSize& pageSize, const QString& title) {
    return printOnePage(printer, job.copies, title,
                        [&](QPainter& painter, const PrinterCoordinates& coordinates) {
                            drawPicturePrint(painter, coordinates, job.area, picture, pageSize);
                        });
}

PrintOutcome printGrid(QPrinter& printer, const GridPrint& grid, const QString& title) {
    QPainter painter;
    const PrintOutcome started = begin(printer, painter, title);
    if (!started.ok)
        return started;
    const PrinterCoordinates coordinates = printerCoordinates(printer);
    const bool drawn = coordinates.isValid() && drawGrid(painter, coordinates, grid,
                                                         [&printer] { return printer.newPage(); });
    return end(printer, painter, drawn);
}

} // namespace quorvel
