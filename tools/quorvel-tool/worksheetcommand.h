// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "toolcommands.h"

#include <QByteArray>
#include <QString>
#include <optional>
#include <utility>
#include <vector>

namespace quorvel {

struct WorksheetPage;
class ViewLayouts;

// What `worksheet` builds: the sheet kind (ModeRadio), the orientation and
// the dialog controls set by name, in order, over the dialog's start values.
struct WorksheetCommandOptions {
    std::optional<int> kind;
    bool landscape = false;
    std::vector<std::pair<QString, QString>> sets;
};

// The file formats a worksheet is written in, told by the extension.
enum class WorksheetFormat { Emf, Wmf, Svg, Pdf, Png };

// The format of `path` by its extension (any letter case); none for another.
std::optional<WorksheetFormat> worksheetFormatOf(const QString& path);

// The bytes of `page` in `format`; empty with `error` set when it cannot be
// encoded. PDF: one A4 page of the sheet's orientation with the sheet fitted.
QByteArray worksheetFileBytes(const WorksheetPage& page, WorksheetFormat format, QString* error);

// `worksheet FILE OUT`: builds the sheet of the document FILE as the dialog
// does and writes it to OUT. Exit 1 with the German message for another
// extension (nothing written), an unreadable document or a file that cannot
// be written; a usage error for an unknown control or bad value.
CommandOutcome worksheetCommand(const ViewLayouts& layouts, const QString& documentPath,
                                const QString& outputPath, const WorksheetCommandOptions& options);

} // namespace quorvel
