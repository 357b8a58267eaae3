// SPDX-License-Identifier: GPL-3.0-or-later
#include "seriescommand.h"

#include "documentio.h"
#include "exerciseclock.h"
#include "exercisecommand.h"
#include "exercisesession.h"
#include "randomgenerator.h"
#include "seriesfolder.h"
#include "seriesgrid.h"
#include "seriespackage.h"
#include "seriespart.h"
#include "settingoverrides.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTextStream>

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

namespace {

// The script given for the document of `entry`; no value when none is.
std::optional<QString> scriptFor(const SeriesRunOptions& options, const UebungsserieDokTyp& entry) {
    for (const auto& [file, script] : options.scripts)
        if (file.toLower() == entry.DateinameKlein)
            return script;
    return std::nullopt;
}

QJsonObject partObject(const UebungsserieDokTyp& entry, const UebungsSitzung& run) {
    return {{u"Datei"_s, entry.Datei},
            {u"Titel"_s, entry.Titel},
            {u"Gewichtung"_s, entry.Gewichtung},
            {u"Gesamtleistung"_s, run.Gesamtleistung},
            {u"EndeGrund"_s, static_cast<int>(run.EndeGrund)}};
}

} // namespace

CommandOutcome seriesRunCommand(const ViewLayouts& layouts, const QString& packagePath,
                                const SeriesRunOptions& options) {
    SeriesPackage package;
    if (const IoResult read = readSeriesPackage(packagePath, package); !read.ok)
        return {kExitFailure, {}, read.messages};
    SeriesRun series(std::move(package), packagePath);
    const SettingOverrides defaults;
    const Settings& settings = defaults.settings();
    const ExerciseRuleSet rules = buildExerciseRuleSet();
    RandomGenerator random;
    random.seed(options.seed ? *options.seed : quint64(QDateTime::currentMSecsSinceEpoch()));
    VirtualClock clock;
    const QDateTime start = options.start.isValid() ? options.start : QDateTime::currentDateTime();

    CommandOutcome outcome;
    QJsonArray parts;
    while (!series.finished()) {
        const UebungsserieDokTyp entry = series.currentEntry();
        Document document;
        ReadOptions readOptions{layouts};
        if (const IoResult read = loadSeriesPart(series, document, readOptions); !read.ok) {
            outcome.exitCode = kExitFailure;
            outcome.errors << read.messages;
            if (!read.detail.isEmpty())
                outcome.errors << read.detail;
            return outcome;
        }
        RandomGenerator numbering;
        prepareExerciseDocument(layouts, QSize(1024, 768), document, numbering);
        ExerciseSession session(document, rules, clock, random);
        const QDateTime partStart = start.addMSecs(clock.nowMs());
        const StartRequest request =
            seriesPartRequest(series, dokTypOf(document.header), settings, CrossMatchingTime{},
                              partStart, options.name);
        const StartOutcome started = session.start(request, false);
        if (!started.started()) {
            outcome.exitCode = kExitFailure;
            outcome.errors << started.message;
            return outcome;
        }
        QByteArray script;
        const std::optional<QString> scriptPath = scriptFor(options, entry);
        if (scriptPath) {
            CommandOutcome failed;
            if (!readExerciseScript(*scriptPath, std::nullopt, script, failed))
                return failed;
        }
        ScriptPlayer player(session, clock, partStart);
        QTextStream lines(script);
        lines.setEncoding(QStringConverter::Utf8);
        int number = 0;
        QString text;
        while (session.run().running() && lines.readLineInto(&text)) {
            const QString error = player.play(text, ++number);
            if (!error.isEmpty())
                outcome.errors << entry.DateinameKlein + u": "_s + error;
        }
        // A part left unfinished by its script is given up, which ends the series.
        const bool aborted = session.run().running();
        if (aborted)
            session.abort();
        session.complete(start.addMSecs(clock.nowMs()));
        const UebungsSitzung& run = session.run().session();
        parts.append(partObject(entry, run));
        series.partEnded(run.Gesamtleistung, run.preamble, run.body);
        if (aborted)
            break;
    }
    const SeriesResult result = series.result(gradingTableOf(settings), options.name);
    if (options.json) {
        const QJsonObject object{{u"parts"_s, parts},
                                 {u"Gesamtleistung"_s, result.performance},
                                 {u"Note"_s, result.grade},
                                 {u"Bewertung"_s, result.gradeName},
                                 {u"protocol"_s, result.protocol}};
        outcome.output = QJsonDocument(object).toJson(QJsonDocument::Indented);
    } else {
        outcome.output = result.protocol.toUtf8();
    }
    return outcome;
}

} // namespace quorvel
