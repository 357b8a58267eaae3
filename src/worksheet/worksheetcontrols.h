// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "worksheetsettings.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace quorvel {

class Document;

// The items of the box size choice: "50 %" to "200 %" in steps of 10.
QStringList boxSizeItems();

// The dialog's start values for `document`: the title is the document's
// title, the task its `ABAufgabe`; everything else as the record starts.
WorksheetSettings startWorksheetSettings(const Document& document);

// Sets the control named `control` of the worksheet dialog to `value` as the
// user would: check boxes take 0 or 1, the choices their index
// (ModeRadio 0-3, OrientRadio 0-1), KaestchengroesseCombo an item such as
// "120 %", the numbers their range ("," or "." as decimal mark), TitelEdit
// and AufgMemo any text. Returns a German message for an unknown control or
// a bad value and leaves `settings` unchanged then.
std::optional<QString> setWorksheetControl(WorksheetSettings& settings, const QString& control,
                                           const QString& value);

// The names setWorksheetControl knows, in the dialog's order.
QStringList worksheetControlNames();

} // namespace quorvel
