// SPDX-License-Identifier: GPL-3.0-or-later
#include "seriescommand.h"

#include "seriesfolder.h"
#include "seriesgrid.h"
#include "seriespackage.h"

namespace quorvel {

namespace {

using namespace Qt::StringLiterals;

// The entry of file name `name` (compared as the dialog sorts: in lower case).
UebungsserieDokTyp* entryNamed(std::vector<UebungsserieDokTyp>& entries, const QString& name) {
    for (UebungsserieDokTyp& entry : entries)
        if (entry.DateinameKlein == name.toLower())
            return &entry;
    return nullptr;
}

CommandOutcome unknownEntry(const QString& name) {
    return {kExitUsage,
            {},
            {u"quorvel-tool: no document %1 in the folder"_s.arg(name),
             u"Run \"quorvel-tool series --help\" for usage."_s}};
}

} // namespace

CommandOutcome seriesPackCommand(const QString& folder, const QString& outputPath,
                                 const SeriesPackOptions& options) {
    SeriesPackage series;
    const IoResult read = readSeriesFolder(folder, 1, 0, series.entries);
    if (!read.ok)
        return {kExitFailure, {}, read.messages};
    const struct {
        const std::vector<std::pair<QString, int>>& values;
        int UebungsserieDokTyp::*field;
    } numbers[] = {{options.weights, &UebungsserieDokTyp::Gewichtung},
                   {options.minutes, &UebungsserieDokTyp::ZeitMin},
                   {options.queryModes, &UebungsserieDokTyp::AbfrageModus}};
    for (const auto& number : numbers) {
        for (const auto& [name, value] : number.values) {
            UebungsserieDokTyp* entry = entryNamed(series.entries, name);
            if (!entry)
                return unknownEntry(name);
            entry->*number.field = value;
        }
    }
    for (const QString& name : options.inactive) {
        UebungsserieDokTyp* entry = entryNamed(series.entries, name);
        if (!entry)
            return unknownEntry(name);
        entry->Aktiv = false;
    }
    for (int position = 0; position < options.order.size(); ++position) {
        const QString& name = options.order[position];
        int from = -1;
        for (int i = 0; i < static_cast<int>(series.entries.size()); ++i)
            if (series.entries[static_cast<size_t>(i)].DateinameKlein == name.toLower())
                from = i;
        if (from < 0)
            return unknownEntry(name);
        moveSeriesEntry(series.entries, from, position);
    }
    series.folder = folder;
    series.title = options.title;
    series.information = options.information;
    series.mode = options.mode;
    const IoResult written = writeSeriesPackage(outputPath, series);
    if (!written.ok) {
        QStringList errors = written.messages;
        if (!written.detail.isEmpty())
            errors << written.detail;
        return {kExitFailure, {}, errors};
    }
    return {};
}

} // namespace quorvel
