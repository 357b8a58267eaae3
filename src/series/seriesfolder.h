// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ioresult.h"
#include "seriesentry.h"

#include <QString>
#include <vector>

namespace quorvel {

// "Der angegebene Ordner für die Übungsserie ist ungültig."
QString msgInvalidSeriesFolder();

// Reads the documents (*.qvl) of `folder` into `entries` as the series
// dialog does: only each document's header is read, a file whose header
// cannot be read is skipped, every entry is active with the given weight and
// time and its type's default query mode, sorted by lower-case file name.
// A folder that does not exist fails with msgInvalidSeriesFolder and leaves
// `entries` unchanged.
IoResult readSeriesFolder(const QString& folder, int defaultWeight, int defaultMinutes,
                          std::vector<UebungsserieDokTyp>& entries);

} // namespace quorvel
