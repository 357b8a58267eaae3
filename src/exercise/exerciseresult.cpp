// SPDX-License-Identifier: GPL-3.0-or-later
#include "exerciseresult.h"

#include "document.h"
#include "exerciserun.h"
#include "protocol.h"

namespace quorvel {

using namespace Qt::Literals::StringLiterals;

namespace {

bool offersRepetitionChoice(const UebungsSitzung& s) {
    return s.SitzungsArt == SessionKind::Individual && s.Fehlversuche > 0.0;
}

} // namespace

ExerciseResult exerciseResultOf(const ExerciseRun& run) {
    UebungsSitzung s = run.session();
    // The figures as the run ended; a run cut short by the caller counts as it stands.
    updateQuotes(s);
    const DokTyp d = dokTypOf(run.document().header);
    ExerciseResult r;
    r.richtig = countFigure(s, d, s.Richtig) + u"  von  "_s + QString::number(s.AbfrageAnz);
    r.fehlversuche = countFigure(s, d, s.Fehlversuche);
    r.erfolgsquote = percentFigure(s.Erfolgsquote);
    r.timeLabel =
        s.settings.Zeitlimit == TimeMode::Limit ? u"Verbliebene Zeit:"_s : u"Benötigte Zeit:"_s;
    r.timeValue = run.clockText();
    r.offen = QString::number(s.OffenAnz);
    r.gesamtleistung = percentFigure(s.Gesamtleistung);
    const int note = grade(s.Gesamtleistung, s.grading);
    r.bewertung = gradeName(note, s.grading.BewertSkala);
    r.gradeLabel = gradeLabel(s.grading.BewertSkala) + u':';
    r.gradeValue = QString::number(note);
    r.leistung = s.Gesamtleistung;
    r.grading = s.grading;
    r.repetitionChoice = offersRepetitionChoice(s);
    return r;
}

StartRequest repetitionRequest(const ExerciseRun& run, StartRequest previous,
                               RepetitionMode repetitionMode, const QDateTime& start) {
    previous.repetitionMode =
        offersRepetitionChoice(run.session()) ? repetitionMode : RepetitionMode::Complete;
    previous.startTime = start;
    return previous;
}

} // namespace quorvel
