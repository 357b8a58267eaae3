// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ioresult.h"

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

namespace quorvel {

struct WorksheetPage;

// The page's units on paper: the 1000 units of a portrait sheet are the
// 16.5 cm width of the print dialog's start values, so an exported sheet
// fits an A4 page in a word processor.
inline constexpr double kWorksheetUnitsPerInch = 1000.0 / (16.5 / 2.54);

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
