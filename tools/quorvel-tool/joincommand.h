// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "toolcommands.h"
#include "viewlayouts.h"

#include <QHash>
#include <QSize>
#include <QString>
#include <optional>

namespace quorvel {

struct JoinOptions {
    QString folder;
    QString channel = QStringLiteral("MASTER-1");
    int method = 1; // 1 combined, 0 folder only
    QString name;
    QString scriptPath; // "-" standard input; empty: no actions
    std::optional<quint64> seed;
    int waitSeconds = 10;
    int count = 0; // 0: one participant named `name`; else NAME-1 ... NAME-count
    QString lessonCode;
    bool json = false;
    QSize size{1024, 768};
};

// `join --folder DIR --name NAME`: waits for an available network exercise,
// joins it as a participant PC does and runs it on the engine with the
// teacher's settings and the script (the actions of `exercise`, on a virtual
// clock), reporting every answer and the end to the teacher. A run still
// going when the script ends is aborted (status 2). Prints what `exercise`
// prints for each run, in participant order (with `json` and a count, one
// JSON array). No exercise within the wait, an unreadable settings file or a
// wrong lesson code exit with 1 and the program's message.
CommandOutcome joinCommand(const ViewLayouts& layouts, const JoinOptions& options);

// The command line of `join`: its help text, and the options (name to value,
// flags with an empty value) checked and run.
extern const char kJoinHelp[];
CommandOutcome runJoinOptions(const ViewLayouts& layouts, const QHash<QString, QString>& values);

} // namespace quorvel
