// SPDX-License-Identifier: GPL-3.0-or-later
#include "netmessages.h"

#include <QLocale>
#include <cmath>

namespace quorvel {

namespace {

QString countText(double value, bool fractional) {
    return fractional ? QString::number(value, 'f', 2)
                      : QString::number(static_cast<qint64>(std::llround(value)));
}

// The general float format in the system's decimal separator, as the best
// list's numbers have always been sent.
QString generalReal(double value) {
    QString text = QString::number(value, 'g', 15);
    const QString point = QLocale::system().decimalPoint();
    if (point != QLatin1String("."))
        text.replace(QLatin1Char('.'), point);
    return text;
}

} // namespace

QString netStatusName(NetStatus status) {
    switch (status) {
    case NetStatus::Aktiv:
        return QStringLiteral("aktiv");
    case NetStatus::Fertig:
        return QStringLiteral("fertig");
    case NetStatus::Abgebrochen:
        return QStringLiteral("abgebr.");
    case NetStatus::Timeout:
        return QStringLiteral("timeout");
    }
    return {};
}

QStringList tnInit(const QString& id, const QString& name, const QString& startTime) {
    return {QStringLiteral("TN-INIT"), id, name, startTime};
}

QString quotaText(double right, double wrong) {
    const double answered = right + wrong;
    return QString::number(answered > 0 ? right / answered * 100.0 : 0.0, 'f', 1);
}

QString performanceText(double right, double wrong, int open) {
    const double all = right + wrong + open;
    return QString::number(all > 0 ? right / all * 100.0 : 0.0, 'f', 1);
}

QStringList tnAktion(const TnAktionData& d) {
    return {QStringLiteral("TN-AKTION"),
            d.id,
            QString::number(d.objectIndex),
            QString::number(d.state),
            QString::number(d.wrongAttempts),
            QString::number(static_cast<int>(d.status)),
            d.startTime,
            QString::number(d.queryCount),
            countText(d.right, d.fractional),
            countText(d.wrong, d.fractional),
            QString::number(d.open),
            d.clock,
            quotaText(d.right, d.wrong),
            performanceText(d.right, d.wrong, d.open),
            QString::number(d.grade)};
}

QStringList tnFertig(const QString& id, NetStatus status, const QString& clock) {
    return {QStringLiteral("TN-FERTIG"), id, QString::number(static_cast<int>(status)), clock};
}

QStringList tnBestlist(const QString& id, const QString& name, const QString& computer,
                       double startDays, qint64 durationMs, double performance) {
    return {QStringLiteral("TN-BESTLIST"),
            id,
            name,
            computer,
            generalReal(startDays),
            QString::number(durationMs),
            generalReal(performance)};
}

int lenientInt(const QString& text) {
    QString compact = text;
    compact.remove(QLatin1Char(' '));
    compact.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double value = compact.toDouble(&ok);
    if (!ok || !std::isfinite(value) || std::fabs(value) > 1e9)
        return 0;
    return static_cast<int>(std::lround(value));
}

std::optional<qint64> strictInt(const QString& text) {
    bool ok = false;
    const qint64 value = text.trimmed().toLongLong(&ok);
    if (!ok)
        return std::nullopt;
    return value;
}

std::optional<double> strictReal(const QString& text) {
    QString normal = text.trimmed();
    normal.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double value = normal.toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

} // namespace quorvel
