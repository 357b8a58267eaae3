// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sheetpattern.h"
#include "toolcommands.h"

#include <QSize>
#include <QString>
#include <optional>

namespace quorvel {

// What `sheet` draws: the base picture the blackboard makes for a picture
// area of `size` pixels.
struct SheetOptions {
    QSize size{1024, 768};
    SheetSpec spec;
};

// Reads the arguments of `sheet` into options: KIND and the option values as
// given (absent ones as empty optionals). Counts are clamped as the
// free-sheet dialogs clamp them; nullopt with an English message in `error`
// for an unknown kind or a value that is no number or colour.
struct SheetArguments {
    QString kind;
    std::optional<QString> size, count, rows, columns, margins, line, background;
};
std::optional<SheetOptions> parseSheetArguments(const SheetArguments& arguments, QString& error);

// `sheet KIND OUT.png`: writes the sheet as a PNG file; the picture export's
// German message on failure.
CommandOutcome sheetCommand(const QString& outputPath, const SheetOptions& options);

} // namespace quorvel
