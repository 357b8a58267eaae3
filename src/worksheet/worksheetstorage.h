// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "worksheetsettings.h"

#include <QString>
#include <QStringList>

namespace quorvel {

struct HeaderDataTyp;

// The box sizes the dialog offers: "50 %" to "200 %" in steps of 10.
QStringList boxSizeTexts();
// The text of `index` in that list; an index outside it gives the start value "110 %".
QString boxSizeText(int index);

// The worksheet settings as a document stores them in its header field
// `Arbeitsblatt`: ten values, each followed by "|" (box size text, margins,
// font adjustment, base picture, other objects, base picture x, y and size
// with one decimal and ".", full width, orientation). The start values give
// "110 %|1|0|1|1|0.0|0.0|100.0|0|0|".
QString worksheetSettingsText(const WorksheetSettings& settings);

// Applies a stored text to `settings` value by value in the same order. A
// number that cannot be read counts as 0; values are kept within the ranges
// the dialog allows; a box size that is not in the list and values missing at
// the end leave those settings as they were. An empty text changes nothing.
void applyWorksheetSettingsText(const QString& text, WorksheetSettings& settings);

// Reading a document: its stored settings (when it has any) and its task text
// become the settings in effect; a document without stored settings leaves
// them as they are.
void takeDocumentWorksheetFields(const HeaderDataTyp& header, WorksheetSettings& settings);
// Writing a document: the settings in effect and the task text go into the
// header (`Arbeitsblatt`, `ABAufgabe`).
void putWorksheetFields(const WorksheetSettings& settings, HeaderDataTyp& header);

} // namespace quorvel
