// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ioresult.h"

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

namespace quorvel {

struct WorksheetPage;

// The metafile's frame: the page's units are taken as pixels of a 96-dpi
// screen, as the page was sized for one.
inline constexpr double kWorksheetUnitsPerInch = 96.0;

// Exporting a sheet: the save dialog's title, filter ("Name|patterns|...")
// and default extension.
QString worksheetExportTitle();
QString worksheetExportFilter();
inline constexpr char16_t kWorksheetExportExtension[] = u"emf";

// Whether `path` ends in ".wmf" or ".emf" (letter case does not matter).
bool isWorksheetExportExtension(const QString& path);
QString msgInvalidSaveExtension();

// Writes the sheet as the metafile `path` names: ".emf" or ".wmf". Any other
// extension fails with msgInvalidSaveExtension() and writes nothing; a
// metafile that cannot be made or written fails with a message and leaves a
// previous file intact.
IoResult exportWorksheet(const WorksheetPage& page, const QString& path);

// The sheet drawn onto a white picture of `pixels` (the page stretched into it).
QImage worksheetImage(const WorksheetPage& page, QSize pixels);
// The sheet as an SVG document whose frame is the page.
QByteArray worksheetSvg(const WorksheetPage& page);

} // namespace quorvel
