// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "toolcommands.h"
#include "viewlayouts.h"

#include <QString>
#include <utility>
#include <vector>

namespace quorvel {

struct TeachOptions {
    QString folder;
    QString channel = QStringLiteral("MASTER-1");
    int method = 1; // 1 combined, 0 folder only
    std::vector<std::pair<QString, QString>> sets;
    QString lessonCode;
    int participants = 0; // end when this many rows are final; 0: only by time
    int seconds = 60;
    QString classPicture; // where the class picture is written at the end; empty: none
};

// `teach DOC --folder DIR`: initiates a network exercise of DOC as the
// teacher PC does, receives until `seconds` pass or `participants` rows have
// a final status, ends it and prints the participant grid as text (header
// row first, cells joined by a tab, CR LF after every row). With
// `classPicture` the class picture of the ended exercise is written there as
// PNG; a picture that cannot be written exits with 1 and the program's
// file-write message (the grid is printed all the same). An initiation that
// fails exits with 1 and the program's message.
CommandOutcome teachCommand(const ViewLayouts& layouts, const QString& documentPath,
                            const TeachOptions& options);

} // namespace quorvel
