// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "rendercommand.h"
#include "viewprintjob.h"

#include <QSize>
#include <QString>
#include <optional>

namespace quorvel {

// What `print` prints: the view of a document composed for a view area of
// `size` pixels, placed as the print dialog's fields say, on `queue` (empty:
// the default printer). Lengths not given keep the dialog's start values.
struct PrintCommandOptions {
    QSize size{1024, 768};
    QString queue;
    ViewPrintFields fields;
    bool widthGiven = false;
    bool heightGiven = false;
};

// Reads a length option ("--left 2,5"): centimetres with "," or "." as the
// decimal mark, from 0 (margins) or above 0 (sizes) up to 1000; nullopt with
// an English message in `error` otherwise.
std::optional<QString> parsePrintLength(const QString& value, const QString& option, bool size,
                                        QString& error);

// Applies the ratio rule to the fields as the dialog would with `ratio` (the
// picture's width ÷ height) when it is on: the height follows the width,
// unless only the height was given, then the width follows the height.
void applyPrintRatio(PrintCommandOptions& options, double ratio);

// `print FILE`: prints the view; exit 0 once CUPS accepted the job, 1 with a
// German message for an unknown queue, no printer, an unreadable document or
// a refused job.
CommandOutcome printCommand(const ViewLayouts& layouts, const QString& documentPath,
                            PrintCommandOptions options);

} // namespace quorvel
