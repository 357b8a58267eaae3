// SPDX-License-Identifier: GPL-3.0-or-later
#include "seriespart.h"

namespace quorvel {

IoResult loadSeriesPart(const SeriesRun& series, Document& document, const ReadOptions& options) {
    const UebungsserieDokTyp& entry = series.currentEntry();
    if (series.packagePath().isEmpty())
        return readDocumentFile(document, entry.Datei, options);
    ReadOptions inPackage = options;
    inPackage.startOffset = entry.PaketOffset;
    return readDocumentFile(document, series.packagePath(), inPackage);
}

StartRequest seriesPartRequest(const SeriesRun& series, DokTyp dokTyp, const Settings& settings,
                               const CrossMatchingTime& crossMatching, const QDateTime& start,
                               const QString& name) {
    StartRequest request = individualRequest(dokTyp, settings, crossMatching, start);
    applySeriesOverrides(request.settings, dokTyp, series.partSettings());
    request.kind = SessionKind::SeriesPart;
    request.participantName = name;
    request.context.partNumber = series.currentPart() + 1;
    request.context.weight = series.currentEntry().Gewichtung;
    return request;
}

} // namespace quorvel
