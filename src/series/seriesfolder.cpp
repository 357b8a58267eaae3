// SPDX-License-Identifier: GPL-3.0-or-later
#include "seriesfolder.h"

#include "documentio.h"
#include "selectionsort.h"

#include <QDir>
#include <QFileInfo>

namespace quorvel {

QString msgInvalidSeriesFolder() {
    return QStringLiteral("Der angegebene Ordner für die Übungsserie ist ungültig.");
}

IoResult readSeriesFolder(const QString& folder, int defaultWeight, int defaultMinutes,
                          std::vector<UebungsserieDokTyp>& entries) {
    const QDir dir(folder);
    if (folder.trimmed().isEmpty() || !dir.exists()) {
        IoResult result = IoResult::failure(QStringLiteral("kein Ordner: %1").arg(folder));
        result.messages << msgInvalidSeriesFolder();
        return result;
    }
    std::vector<UebungsserieDokTyp> found;
    const QFileInfoList files =
        dir.entryInfoList({QStringLiteral("*.qvl")}, QDir::Files | QDir::Hidden | QDir::System);
    for (const QFileInfo& file : files) {
        DocumentSummary header;
        if (!readDocumentHeader(file.absoluteFilePath(), header).ok)
            continue;
        UebungsserieDokTyp entry;
        entry.Datei = file.absoluteFilePath();
        entry.Titel = header.titel.isEmpty() ? QStringLiteral("(ohne Titel)") : header.titel;
        entry.DateinameKlein = file.fileName().toLower();
        entry.DokTyp = header.DokTyp;
        entry.AbfrageModus = defaultQueryMode(header.DokTyp);
        entry.Gewichtung = defaultWeight;
        entry.ZeitMin = defaultMinutes;
        found.push_back(entry);
    }
    std::vector<QString> keys;
    keys.reserve(found.size());
    for (const UebungsserieDokTyp& entry : found)
        keys.push_back(entry.DateinameKlein);
    selectionSort(
        keys,
        [](const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) < 0; },
        [&found](size_t i, size_t j) { std::swap(found[i], found[j]); });
    entries = std::move(found);
    return IoResult::success();
}

} // namespace quorvel
