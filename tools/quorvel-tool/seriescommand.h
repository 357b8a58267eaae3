// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "exercisesettings.h"
#include "toolcommands.h"

#include <QString>
#include <QStringList>
#include <utility>
#include <vector>

namespace quorvel {

// What `series pack` applies to the entries read from the folder; FILE is
// a document's file name in the folder.
struct SeriesPackOptions {
    QString title;
    QString information;
    SeriesMode mode = SeriesMode::RepeatUntilSolved;
    std::vector<std::pair<QString, int>> weights; // FILE, N
    std::vector<std::pair<QString, int>> minutes;
    std::vector<std::pair<QString, int>> queryModes;
    QStringList inactive;
    QStringList order; // these entries first, in this order
};

// `series pack FOLDER OUT`: reads FOLDER as the series dialog does, applies
// the options and writes the package as the dialog does. Nothing active or
// a file that cannot be written exits 1 with the program's message; a FILE
// that names no entry of the folder is a usage error.
CommandOutcome seriesPackCommand(const QString& folder, const QString& outputPath,
                                 const SeriesPackOptions& options);

} // namespace quorvel
