// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "exercisesettings.h"
#include "ioresult.h"
#include "seriesentry.h"

#include <QIODevice>
#include <QString>
#include <vector>

namespace quorvel {

inline constexpr char kSeriesPackageMagic[] = "QVSUP-";
inline constexpr char kSeriesPackageVersion[] = "01.01";

// An exercise series as a package file (".qvusp") carries it: the settings
// of the series dialog and its active entries; the documents follow the
// entries inside the file, each found at its entry's `PaketOffset`.
struct SeriesPackage {
    QString version = QString::fromLatin1(kSeriesPackageVersion);
    QString folder;         // the folder the series was built from (not used when reading)
    int defaultWeight = 1;  // "Std.-Gewichtung:" (not used when reading)
    int defaultMinutes = 0; // "Standard-Zeit:" (not used when reading)
    SeriesMode mode = SeriesMode::RepeatUntilSolved;
    QString title;
    QString information; // may hold "<tab>"
    std::vector<UebungsserieDokTyp> entries;
};

// "Es wurden noch keine Quorvel-Dokumente für die Übungs-Serie ausgewählt."
QString msgNoSeriesEntry();

// Writes `series` with its active entries to `path`, each entry's document
// copied byte for byte from its `Datei` (never held whole in memory). No
// active entry fails with msgNoSeriesEntry; a document that cannot be read
// or a file that cannot be written fails with msgCannotWrite(path), and the
// file that was there stays as it was.
IoResult writeSeriesPackage(const QString& path, const SeriesPackage& series);

// Reads the package at `path` into `series` without loading its documents:
// each entry's `PaketOffset` tells where its document starts and `Datei`
// names the package's record of the original file. Every count and length
// is checked against what is left of the file. A file that is no package
// fails with msgInvalidFormat; a cut or damaged one with msgCannotRead(path).
// `series` is changed only on success.
IoResult readSeriesPackage(const QString& path, SeriesPackage& series);
IoResult readSeriesPackage(QIODevice& in, const QString& path, SeriesPackage& series);

} // namespace quorvel
