// SPDX-License-Identifier: GPL-3.0-or-later
#include "protocol.h"

#include "document.h"

#include <QFileInfo>
#include <QStringList>
#include <QSysInfo>
#include <cmath>
#include <pwd.h>
#include <unistd.h>

namespace quorvel {

using namespace Qt::Literals::StringLiterals;

namespace {

const QString kCrLf = u"\r\n"_s;

QString twoDigits(qint64 value) {
    return QString::number(value).rightJustified(2, u'0');
}

bool hasModeLines(DokTyp d) {
    return d == DokTyp::PictureLabelling || d == DokTyp::Cloze || d == DokTyp::Cluster ||
           d == DokTyp::Crossword;
}

bool isLabelling(DokTyp d) {
    return d == DokTyp::PictureLabelling || d == DokTyp::Cloze || d == DokTyp::Crossword;
}

bool isQuestions(DokTyp d) {
    return d == DokTyp::SingleQuestions || d == DokTyp::MultipleChoice;
}

bool isPointScale(GradingScale s) {
    return s == GradingScale::FifteenPoints || s == GradingScale::TwelvePoints;
}

QString kindText(SessionKind kind) {
    switch (kind) {
    case SessionKind::Individual:
        return u"Individual-Übung"_s;
    case SessionKind::NetworkParticipant:
        return u"Teilnahme an Netzwerk-Übung"_s;
    case SessionKind::NetworkTeacher:
        return u"Initiierte Netzwerk-Übung"_s;
    case SessionKind::SeriesPart:
        return u"Teilübung einer Übungsserie"_s;
    }
    return {};
}

QString participantName(const UebungsSitzung& run, const ProtocolContext& context) {
    QString name;
    switch (run.SitzungsArt) {
    case SessionKind::NetworkParticipant:
        name = context.networkName;
        break;
    case SessionKind::NetworkTeacher:
        name = u"(Initiator der Netzwerk-Übung)"_s;
        break;
    default:
        name = run.TeilnehmerName;
        break;
    }
    return name.isEmpty() ? u"(kein Name)"_s : name;
}

QString timeLine(const UebEinstellungen& s) {
    switch (s.Zeitlimit) {
    case TimeMode::ClockWithoutLimit:
        return u"Zeitlimit:\tnein, mit Uhr"_s;
    case TimeMode::Limit:
        return u"Zeitlimit:\tja, "_s + timeLimitText(s.ZeitlimitSek);
    case TimeMode::NoClock:
        return u"Zeitlimit:\tnein, ohne Uhr"_s;
    }
    return {};
}

// Picks text `code` of `texts`, nothing for a code out of range.
QString pick(int code, std::initializer_list<const char16_t*> texts) {
    if (code < 0 || size_t(code) >= texts.size())
        return {};
    return QString::fromUtf16(texts.begin()[code]);
}

void settingsLines(QStringList& lines, const UebungsSitzung& run, DokTyp d) {
    const UebEinstellungen& s = run.settings;
    if (hasModeLines(d)) {
        lines << u"Abfragemodus:\t"_s +
                     pick(int(s.AbfrageModus), {u"freie Zuordnung in beliebiger Reihenfolge",
                                                u"Einzelabfrage Texte/Bilder",
                                                u"Einzelabfrage Positionen", u"Texteingabe"});
        lines << timeLine(s);
    }
    if (isLabelling(d) && s.AbfrageModus != QueryMode::TextInput) {
        lines << u"Verhalten bei richtiger Zuordnung:\t"_s +
                     pick(int(s.ZuordnungRichtig),
                          {u"Beschriftung einblenden", u"grünes Häkchen setzen",
                           u"keine Richtig-Rückmeldung"});
        lines << u"Verhalten bei Fehlversuch:\t"_s +
                     pick(int(s.ZuordnungFalsch),
                          {u"beliebig viele Zuordnungsversuche erlaubt",
                           u"rotes Kreuz setzen, keine erneute Zuordnung an dieser Position",
                           u"keine Falsch-Rückmeldung, keine erneute Zuordnung an dieser "
                           u"Position"});
        lines << u"Zuordnungstexte:\t"_s +
                     pick(int(s.Zuordnungstexte), {u"alphabetisch geordnet", u"zufällig gemischt"});
        lines << u"Zuordnungsziele (Positionen):\t"_s +
                     pick(int(s.Zuordnungsziele),
                          {u"geordnet nummeriert", u"zufällig gemischt nummeriert",
                           u"Fragezeichen"});
    } else if (isQuestions(d)) {
        lines << u"Abfragemodus:\t"_s +
                     pick(int(s.ZuordnungFalsch),
                          {u"solange wiederholen, bis jede Frage richtig beantwortet wurde",
                           u"jede Frage nur einmal stellen",
                           u"keine Falsch-Rückmeldung, jede Frage nur einmal stellen"});
        lines << timeLine(s);
        const char16_t* ordered =
            d == DokTyp::SingleQuestions ? u"alphabetisch geordnet" : u"wie vorgegeben geordnet";
        lines << u"Antwortmöglichkeiten:\t"_s +
                     pick(int(s.Zuordnungstexte), {ordered, u"zufällig gemischt"});
        lines << u"Reihenfolge der Fragen:\t"_s +
                     pick(int(s.Zuordnungsziele),
                          {u"wie vorgegeben geordnet", u"zufällig gemischt"});
    }
}

QString limitsLine(const GradingTable& table) {
    QStringList limits;
    const auto percent = [](double fraction) { return fixedText(fraction * 100.0, 1) + u'%'; };
    if (isPointScale(table.BewertSkala)) {
        const int best = table.BewertSkala == GradingScale::TwelvePoints ? 12 : 15;
        for (int p = best; p >= 0; --p)
            limits << percent(table.PunkteMinQuote[size_t(p)]);
        return u"Punktegrenzen bzgl. Gesamtleistung:\t"_s + limits.join(u" / "_s);
    }
    const int last = table.BewertSkala == GradingScale::SixGrades ? 5 : 4;
    for (int g = 1; g <= last; ++g)
        limits << percent(table.NoteMinQuote[size_t(g)]);
    return u"Notengrenzen bzgl. Gesamtleistung:\t"_s + limits.join(u" / "_s);
}

} // namespace

ProtocolContext localProtocolContext() {
    ProtocolContext context;
    context.computerName = QSysInfo::machineHostName();
    // The login name as the system knows it; the environment only where the
    // user has no entry (a container's bare user id). The home folder's name
    // is no user name ("home", "root" of another user).
    if (const passwd* user = getpwuid(getuid()); user && user->pw_name && *user->pw_name) {
        context.userName = QString::fromLocal8Bit(user->pw_name);
        return context;
    }
    for (const char* name : {"USER", "LOGNAME"}) {
        context.userName = qEnvironmentVariable(name);
        if (!context.userName.isEmpty())
            return context;
    }
    return context;
}

QString fixedText(double value, int decimals) {
    if (!std::isfinite(value))
        value = 0.0;
    QString text = QString::number(value, 'f', decimals);
    // "-0.0" is no figure anyone wants to read.
    if (text.startsWith(u'-') && QStringView(text).mid(1).toString().toDouble() == 0.0)
        text.remove(0, 1);
    return text;
}

QString clockText(qint64 seconds) {
    if (seconds < 0)
        seconds = 0;
    return twoDigits(seconds / 60) + u':' + twoDigits(seconds % 60);
}

QString timeLimitText(int seconds) {
    seconds = std::max(seconds, 0);
    const int hours = seconds / 3600;
    const int minutes = seconds / 60 % 60;
    QString text;
    if (hours > 0)
        text += QString::number(hours) + u" Std. "_s;
    if (minutes > 0 || hours > 0)
        text += QString::number(minutes) + u" Min. "_s;
    text += QString::number(seconds % 60) + u" Sek."_s;
    return text.trimmed();
}

void writeProtocolLine(UebungsSitzung& run, ProtocolText text, const QString& line, bool stamped,
                       qint64 elapsedMs) {
    if (stamped)
        run.body += (clockText(std::max<qint64>(elapsedMs, 0) / 1000) + u" - "_s).toUtf8();
    if (text == ProtocolText::Body) {
        run.body += (line + kCrLf).toUtf8();
        return;
    }
    QString& target = text == ProtocolText::Preamble ? run.preamble : run.seriesText;
    target += line + kCrLf;
}

QString countFigure(const UebungsSitzung&, DokTyp dokTyp, double value) {
    return fixedText(value, dokTyp == DokTyp::MultipleChoice ? 2 : 0);
}

QString percentFigure(double fraction) {
    return fixedText(fraction * 100.0, 1) + u" %"_s;
}

QString exerciseSettingsSummary(const UebungsSitzung& run, const Document& document,
                                const ProtocolContext& context) {
    const DokTyp d = dokTypOf(document.header);
    QStringList lines;
    lines << u"Datum/Uhrzeit (Beginn):\t"_s + run.StartZeit.toString(u"dd.MM.yyyy HH:mm:ss"_s);
    lines << u"Teilnehmername:\t"_s + participantName(run, context);
    lines << u"Rechnername:\t"_s + context.computerName.left(255);
    lines << u"Rechnerbenutzer:\t"_s + context.userName.left(255);
    lines << u"Übungsart:\t"_s + kindText(run.SitzungsArt);
    if (run.SitzungsArt == SessionKind::NetworkTeacher) {
        lines << u"Kommunikationsordner:\t"_s + context.folder;
        lines << u"Kommunikationskanal:\t"_s + context.channel;
    }
    lines << QString() << u"<tit>Übungseinstellungen"_s;
    lines << u"Titel:\t"_s + document.header.titel;
    lines << u"Datei:\t"_s + QFileInfo(document.file).fileName();
    lines << u"Dokumententyp:\t"_s + typeName(d, document.header.DokUnterTyp);
    if (run.AbfrageAnz == run.AbfrageAnzGesamt)
        lines << u"Übungsumfang:\t"_s + QString::number(run.AbfrageAnz) +
                     u" Abfragen (komplette Übung)"_s;
    else
        lines << u"Übungsumfang:\t"_s + QString::number(run.AbfrageAnz) + u" von "_s +
                     QString::number(run.AbfrageAnzGesamt) + u" Abfragen (Teilwiederholung)"_s;
    settingsLines(lines, run, d);
    lines << limitsLine(run.grading);
    return lines.join(kCrLf) + kCrLf;
}

QString protocolPreamble(const UebungsSitzung& run, const Document& document,
                         const ProtocolContext& context, const QString& clock) {
    const DokTyp d = dokTypOf(document.header);
    const QString title =
        run.SitzungsArt == SessionKind::SeriesPart
            ? u"<tit>Übungsprotokoll zu Teilübung Nr. "_s + QString::number(context.partNumber)
            : u"<tit>Übungsprotokoll"_s;
    QStringList lines;
    lines << QString();
    lines << u"<tit>Statistik-Zusammenfassung"_s;
    lines << u"Richtig zugeordnet:\t"_s + countFigure(run, d, run.Richtig);
    lines << u"Fehlversuche:\t"_s + countFigure(run, d, run.Fehlversuche);
    lines << u"Erfolgsquote:\t"_s + percentFigure(run.Erfolgsquote);
    lines << u"Offene Positionen:\t"_s + QString::number(run.OffenAnz);
    lines << (run.settings.Zeitlimit == TimeMode::Limit ? u"Verbliebene Zeit:\t"_s
                                                        : u"Benötigte Zeit:\t"_s) +
                 clock;
    lines << u"Gesamtleistung:\t"_s + percentFigure(run.Gesamtleistung);
    lines << u"Bewertung:\t"_s + gradeName(run.Note, run.grading.BewertSkala);
    lines << gradeLabel(run.grading.BewertSkala) + u":\t"_s + QString::number(run.Note);
    if (run.SitzungsArt == SessionKind::SeriesPart)
        lines << u"Gewichtung:\t"_s + fixedText(context.weight, 1);
    lines << QString() << u"<tit>Detaillierter Ablauf"_s;
    return title + kCrLf + exerciseSettingsSummary(run, document, context) + lines.join(kCrLf) +
           kCrLf;
}

QString completedProtocol(const UebungsSitzung& run, const Document& document,
                          const ProtocolContext& context, const QString& clock) {
    return protocolPreamble(run, document, context, clock) + QString::fromUtf8(run.body);
}

void updateQuotes(UebungsSitzung& run) {
    const double tried = run.Richtig + run.Fehlversuche;
    run.Erfolgsquote = tried != 0.0 ? run.Richtig / tried : 0.0;
    const double all = tried + run.OffenAnz;
    run.Gesamtleistung = all != 0.0 ? run.Richtig / all : 0.0;
}

} // namespace quorvel
