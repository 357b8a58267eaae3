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
    SettingOverrides defaults;
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
        series.partEnded(run.Gesamtleistung, run.preamble, QString::fromUtf8(run.body));
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

const char kSeriesHelp[] =
    R"(Usage: quorvel-tool series pack FOLDER OUT.qvusp [--title T] [--info TEXT] [--mode 0|1|2]
                        [--weight FILE=N]... [--minutes FILE=N]... [--modus FILE=N]...
                        [--inactive FILE]... [--order FILE,FILE,...]
       quorvel-tool series run PACKAGE.qvusp [--script FILE=SCRIPT]... [--seed N]
                        [--start TIME] [--name NAME] [--json]

pack reads the documents (*.qvl) of FOLDER as "Übungs-Serie erstellen" does
(sorted by lower-case file name, weight 1, time 0, the query mode's default),
applies the options (FILE is a document's file name in FOLDER) and writes the
package OUT.qvusp with the active entries and their documents.
  --title T         the title for the protocol
  --info TEXT       the information text ("<tab>" for a tab)
  --mode 0|1|2      the series mode: 0 repeat until solved, 1 one try,
                    2 one try without right/wrong feedback
  --weight FILE=N   the weight of FILE's part (0 to 999)
  --minutes FILE=N  the time limit of FILE's part in minutes (0: none)
  --modus FILE=N    the query mode of FILE's part (0 to 3)
  --inactive FILE   leave FILE out
  --order F1,F2,... put these entries first, in this order

run runs the series of PACKAGE.qvusp as a pupil does, without a window and on
the virtual clock of "exercise": each part's actions come from the script
given for its document's file name. A part without a script, or whose script
ends while it runs, is aborted, which ends the series. Prints the series
protocol (CR LF, UTF-8), or with --json one object:
  {"parts": [{"Datei", "Titel", "Gewichtung", "Gesamtleistung", "EndeGrund"}],
   "Gesamtleistung", "Note", "Bewertung", "protocol"}
("Gesamtleistung" as a fraction 0..1).
  --script FILE=SCRIPT  the actions of FILE's part (a file, "-" for stdin)
  --seed N              the seed of the random choices
  --start TIME          the start, YYYY-MM-DDTHH:MM:SS (default: now)
  --name NAME           the participant's name
  --json                print the result as JSON

  -h, --help  show this help

Nothing active, a file that cannot be written or a package that cannot be
read exits with 1 and the program's message on stderr; unknown options or
entries exit with 2.
)";

namespace {

CommandOutcome usage(const QString& message) {
    return {kExitUsage,
            {},
            {u"quorvel-tool: "_s + message, u"Run \"quorvel-tool series --help\" for usage."_s}};
}

// "FILE=N" with N in min..max.
std::optional<std::pair<QString, int>> fileNumber(const QString& value, int min, int max) {
    const qsizetype equals = value.lastIndexOf(u'=');
    if (equals <= 0)
        return std::nullopt;
    bool ok = false;
    const int number = value.mid(equals + 1).toInt(&ok);
    if (!ok || number < min || number > max)
        return std::nullopt;
    return std::pair{value.left(equals), number};
}

} // namespace

CommandOutcome runSeriesArguments(const ViewLayouts& layouts, const QStringList& positional,
                                  const std::vector<std::pair<QString, QString>>& options) {
    const QString action = positional.value(0);
    if (action == u"pack"_s) {
        if (positional.size() != 3)
            return usage(u"series pack expects FOLDER and OUT"_s);
        SeriesPackOptions pack;
        const struct {
            const char16_t* name;
            std::vector<std::pair<QString, int>>* target;
            int max;
        } numbers[] = {{u"--weight", &pack.weights, 999},
                       {u"--minutes", &pack.minutes, 999},
                       {u"--modus", &pack.queryModes, 3}};
        for (const auto& [option, value] : options) {
            if (option == u"--title"_s) {
                pack.title = value;
            } else if (option == u"--info"_s) {
                pack.information = value;
            } else if (option == u"--mode"_s) {
                bool ok = false;
                const int mode = value.toInt(&ok);
                if (!ok || mode < 0 || mode > 2)
                    return usage(u"--mode needs 0, 1 or 2"_s);
                pack.mode = static_cast<SeriesMode>(mode);
            } else if (option == u"--inactive"_s) {
                pack.inactive << value;
            } else if (option == u"--order"_s) {
                pack.order = value.split(u',', Qt::SkipEmptyParts);
            } else {
                bool known = false;
                for (const auto& number : numbers) {
                    if (option != QStringView(number.name))
                        continue;
                    known = true;
                    const auto entry = fileNumber(value, 0, number.max);
                    if (!entry)
                        return usage(
                            u"%1 needs FILE=N with N from 0 to %2"_s.arg(option).arg(number.max));
                    number.target->push_back(*entry);
                }
                if (!known)
                    return usage(u"%1 is no option of series pack"_s.arg(option));
            }
        }
        return seriesPackCommand(positional[1], positional[2], pack);
    }
    if (action == u"run"_s) {
        if (positional.size() != 2)
            return usage(u"series run expects PACKAGE"_s);
        SeriesRunOptions run;
        for (const auto& [option, value] : options) {
            if (option == u"--script"_s) {
                const qsizetype equals = value.indexOf(u'=');
                if (equals <= 0)
                    return usage(u"--script needs FILE=SCRIPT"_s);
                run.scripts.emplace_back(value.left(equals), value.mid(equals + 1));
            } else if (option == u"--seed"_s) {
                bool ok = false;
                const quint64 seed = value.toULongLong(&ok);
                if (!ok)
                    return usage(u"--seed needs a number"_s);
                run.seed = seed;
            } else if (option == u"--start"_s) {
                QString error;
                const std::optional<QDateTime> start = parseStartTime(value, error);
                if (!start)
                    return usage(error);
                run.start = *start;
            } else if (option == u"--name"_s) {
                run.name = value;
            } else if (option == u"--json"_s) {
                run.json = true;
            } else {
                return usage(u"%1 is no option of series run"_s.arg(option));
            }
        }
        return seriesRunCommand(layouts, positional[1], run);
    }
    return usage(u"series needs pack or run"_s);
}

} // namespace quorvel
