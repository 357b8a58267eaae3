// SPDX-License-Identifier: GPL-3.0-or-later
#include "seriesrun.h"

#include "protocol.h"

namespace quorvel {

using namespace Qt::StringLiterals;

SeriesRun::SeriesRun(SeriesPackage series, QString packagePath)
    : m_series(std::move(series)), m_packagePath(std::move(packagePath)) {
    std::erase_if(m_series.entries, [](const UebungsserieDokTyp& entry) { return !entry.Aktiv; });
    for (const UebungsserieDokTyp& entry : m_series.entries)
        m_weightSum += entry.Gewichtung;
}

const UebungsserieDokTyp& SeriesRun::currentEntry() const {
    static const UebungsserieDokTyp none;
    return finished() ? none : m_series.entries[static_cast<size_t>(m_current)];
}

SeriesPartSettings SeriesRun::partSettings() const {
    const UebungsserieDokTyp& entry = currentEntry();
    SeriesPartSettings part;
    part.AbfrageModus = entry.AbfrageModus;
    part.ZeitMin = entry.ZeitMin;
    part.mode = m_series.mode;
    return part;
}

QString SeriesRun::partEnded(double gesamtleistung, const QString& preamble, const QString& body) {
    if (finished())
        return {};
    m_weightedSum += currentEntry().Gewichtung * gesamtleistung;
    m_partProtocols += u"\r\n\r\n"_s + preamble + body;
    ++m_current;
    QString message = u"Teilübung Nr. "_s + QString::number(m_current) + u" von "_s +
                      QString::number(partCount()) + u" ist beendet."_s;
    if (!finished())
        message += u"\r\nMit Klick auf OK startet die nächste Teilübung."_s;
    return message;
}

SeriesResult SeriesRun::result(const GradingTable& table, const QString& name) const {
    SeriesResult r;
    // A series whose weights add up to 0 (all parts weighted 0) has no performance.
    r.performance = m_weightSum != 0.0 ? m_weightedSum / m_weightSum : 0.0;
    r.grade = grade(r.performance, table);
    r.gradeName = gradeName(r.grade, table.BewertSkala);
    r.gradeLabel = gradeLabel(table.BewertSkala) + u':';
    QString text = u"<tit>Gesamtprotokoll der Übungsserie\r\n\r\n"_s;
    if (!m_series.title.isEmpty())
        text += u"<tit>"_s + m_series.title + u"\r\n\r\n"_s;
    if (!m_series.information.isEmpty()) {
        QString information = m_series.information;
        information.replace(u"<tab>"_s, u"\t"_s);
        text += information + u"\r\n\r\n"_s;
    }
    text += u"Teilnehmername:\t"_s + (name.isEmpty() ? u"(kein Name)"_s : name) + u"\r\n\r\n\r\n"_s;
    text += u"<tit>Gesamtergebnis\r\nGesamtleistung:\t"_s + percentFigure(r.performance) +
            u"\r\nBewertung:\t"_s + r.gradeName + u"\r\n"_s + r.gradeLabel + u'\t' +
            QString::number(r.grade) + u"\r\n"_s;
    text += m_partProtocols + u"\r\n"_s;
    r.protocol = text;
    return r;
}

} // namespace quorvel
