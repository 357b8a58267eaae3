// SPDX-License-Identifier: GPL-3.0-or-later
#include "bestlistcommand.h"

#include "bestlist.h"

#include <QDateTime>
#include <cmath>
#include <limits>

using namespace Qt::StringLiterals;

namespace quorvel {

namespace {
CommandOutcome failed(const IoResult& result) {
    CommandOutcome outcome;
    outcome.exitCode = kExitFailure;
    outcome.errors = result.messages;
    if (!result.detail.isEmpty())
        outcome.errors << result.detail;
    return outcome;
}
} // namespace

CommandOutcome bestListCommand(const QString& path) {
    QList<BestListDataTyp> entries;
    const IoResult result = readBestList(path, BestListKind::Individual, entries);
    if (!result)
        return failed(result);
    rankBestList(entries);
    CommandOutcome outcome;
    outcome.output = gridText(bestListGrid(entries)).toUtf8();
    // A missing file is no failure: the list is empty and the note says why.
    outcome.errors = result.messages;
    return outcome;
}

CommandOutcome bestListAddCommand(const QString& path, const BestListDataTyp& entry) {
    const IoResult result = appendBestListEntry(path, BestListKind::Individual, entry);
    return result ? CommandOutcome{} : failed(result);
}

std::optional<BestListDataTyp> parseBestListEntry(const QStringList& fields, QString& error) {
    if (fields.size() != 5) {
        error = u"--add expects NAME COMPUTER START DURATION_MS PERFORMANCE"_s;
        return std::nullopt;
    }
    BestListDataTyp entry;
    entry.Name = fields[0];
    entry.Rechner = fields[1];
    const QDateTime start = QDateTime::fromString(fields[2], u"yyyy-MM-ddTHH:mm:ss"_s);
    if (!start.isValid()) {
        error = u"START needs YYYY-MM-DDTHH:MM:SS"_s;
        return std::nullopt;
    }
    entry.Beginn = bestListDays(start);
    bool ok = false;
    const qlonglong duration = fields[3].toLongLong(&ok);
    if (!ok || duration < 0 || duration > std::numeric_limits<qint32>::max()) {
        error = u"DURATION_MS needs a whole number from 0 to 2147483647"_s;
        return std::nullopt;
    }
    entry.Dauer = qint32(duration);
    const double performance = fields[4].toDouble(&ok);
    if (!ok || !std::isfinite(performance) || performance < 0.0 || performance > 1.0) {
        error = u"PERFORMANCE needs a fraction from 0 to 1"_s;
        return std::nullopt;
    }
    entry.Leistung = performance;
    return entry;
}

} // namespace quorvel
