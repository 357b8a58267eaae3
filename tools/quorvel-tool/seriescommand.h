// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "exercisesettings.h"
#include "toolcommands.h"
#include "viewlayouts.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <optional>
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

// What `series run` replays: one script per document file name (a file,
// "-" for standard input), the generator's seed, the wall-clock start, the
// participant and the output form.
struct SeriesRunOptions {
    std::vector<std::pair<QString, QString>> scripts; // FILE, SCRIPT
    std::optional<quint64> seed;
    QDateTime start;
    QString name;
    bool json = false;
};

// `series run PACKAGE`: runs the series of the package as a pupil does,
// without a window, each part on the engine with the virtual clock of
// `exercise` and the script given for its document. A part without a
// script, or whose script ends while it runs, is aborted, which ends the
// series. Prints the series protocol (CR LF) or, with `json`, one object
// with the parts, the weighted overall performance, the grade and the
// protocol. A package or part that cannot be read exits 1 with the
// program's messages.
CommandOutcome seriesRunCommand(const ViewLayouts& layouts, const QString& packagePath,
                                const SeriesRunOptions& options);

// The help of `series` and its argument handling: `positional` starts with
// "pack" or "run", `options` are the options in their order (repeated ones
// too).
extern const char kSeriesHelp[];
CommandOutcome runSeriesArguments(const ViewLayouts& layouts, const QStringList& positional,
                                  const std::vector<std::pair<QString, QString>>& options);

} // namespace quorvel
