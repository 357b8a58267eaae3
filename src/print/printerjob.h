// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gridprint.h"
#include "printercoordinates.h"
#include "viewprintjob.h"

#include <QString>

class QImage;
class QPicture;
class QPrinter;

namespace quorvel {

// The printer coordinates of `printer`: its paper, and where the printable
// area lies on it, at its resolution.
PrinterCoordinates printerCoordinates(const QPrinter& printer);

// The print dialogs' printer line for `printer`: a PDF file as "PDF an"
// + its file name, else the queue's name + " an " + its port, or
// "- Kein Drucker -".
QString printerInfo(const QPrinter& printer);

// The outcome of a print job: `error` (German) says why it failed.
struct PrintOutcome {
    bool ok = false;
    QString error;
};

// Prints on `printer`, which is switched to full-page mode, as a job titled
// `title`. A printer of the system (not a file) must exist, and the job
// counts as printed only when the system accepted it.

// `picture` stretched into the job's area, `job.copies` times, on one page.
PrintOutcome printView(QPrinter& printer, const ViewPrintJob& job, const QImage& picture,
                       const QString& title);
// A recorded page of `pageSize` units (a worksheet) stretched into the job's
// area, `job.copies` times, on one page.
PrintOutcome printPicture(QPrinter& printer, const ViewPrintJob& job, const QPicture& picture,
                          const QSize& pageSize, const QString& title);
// The grid, on as many pages as it takes.
PrintOutcome printGrid(QPrinter& printer, const GridPrint& grid, const QString& title);

} // namespace quorvel
