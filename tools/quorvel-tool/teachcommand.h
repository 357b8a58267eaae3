// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "toolcommands.h"

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
};

// `teach DOC --folder DIR`: initiates a network exercise of DOC as the
// teacher PC does, receives until `seconds` pass or `participants` rows have
// a final status, ends it and prints the participant grid as text (header
// row first, cells joined by a tab, CR LF after every row). An initiation
// that fails exits with 1 and the program's message.
CommandOutcome teachCommand(const DocumentLayouts& layouts, const QString& documentPath,
                            const TeachOptions& options);

} // namespace quorvel
