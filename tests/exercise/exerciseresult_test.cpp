// SPDX-License-Identifier: GPL-3.0-or-later
#include "document.h"
#include "exerciseclock.h"
#include "exerciseresult.h"
#include "exerciserun.h"
#include "randomgenerator.h"

#include <gtest/gtest.h>

namespace quorvel {
namespace {

using namespace Qt::Literals::StringLiterals;

// Three positions to label, solved with or without a wrong attempt first.
struct EndedRun {
    EndedRun(SessionKind kind, bool wrongFirst, int repetition = 0) {
        for (const QString& cap : {u"Rom"_s, u"Oslo"_s, u"Paris"_s}) {
            ObjDataTyp o;
            o.Typ = codeOf(Typ::QueryLabel);
            o.Cap = cap;
            document.objects.push_back(o);
        }
        request.kind = kind;
        request.settings.Zeitlimit = TimeMode::Limit;
        request.settings.ZeitlimitSek = 180;
        request.startTime = QDateTime(QDate(2026, 12, 10), QTime(9, 30));
        EXPECT_TRUE(run.start(request).started());
        if (wrongFirst)
            run.drop(0, 1);
        for (int i = 0; i < 3; ++i)
            run.drop(i, i);
        EXPECT_FALSE(run.running());
        if (repetition > 0) {
            request.repetitionMode = RepetitionMode(repetition);
            EXPECT_TRUE(run.start(request).started());
            run.drop(0, 0);
            run.drop(1, 1);
        }
    }
    Document document;
    VirtualClock clock;
    RandomGenerator random{5};
    ExerciseRuleSet rules = buildExerciseRuleSet();
    ExerciseRun run{document, rules, clock, random};
    StartRequest request;
};

TEST(ExerciseResult, FiguresAsTheResultWindowShowsThem) {
    EndedRun ended(SessionKind::Individual, true);
    const ExerciseResult r = exerciseResultOf(ended.run);
    EXPECT_EQ(r.richtig, u"3  von  3"_s);
    EXPECT_EQ(r.fehlversuche, u"1"_s);
    EXPECT_EQ(r.erfolgsquote, u"75.0 %"_s);
    EXPECT_EQ(r.timeLabel, u"Verbliebene Zeit:"_s);
    EXPECT_EQ(r.timeValue, ended.run.clockText());
    EXPECT_EQ(r.offen, u"0"_s);
    EXPECT_EQ(r.gesamtleistung, u"75.0 %"_s);
    EXPECT_EQ(r.bewertung, u"gut"_s);
    EXPECT_EQ(r.gradeLabel, u"Note:"_s);
    EXPECT_EQ(r.gradeValue, u"2"_s);
    EXPECT_DOUBLE_EQ(r.leistung, 0.75);
}

// The partial repetition is offered only to an individual run with failed
// attempts, and a repetition asks for it only then.
TEST(ExerciseResult, RepetitionChoiceByKindAndAttempts) {
    const struct {
        SessionKind kind;
        bool wrongFirst;
        int repetition;
        bool choice;
    } cases[] = {
        {SessionKind::Individual, true, 0, true},
        {SessionKind::Individual, false, 0, false},
        {SessionKind::NetworkParticipant, true, 0, false},
        {SessionKind::SeriesPart, true, 0, false},
        // A partial repetition of the two positions of the wrong attempt, solved at once.
        {SessionKind::Individual, true, 1, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << int(c.kind) << " " << c.wrongFirst << " " << c.repetition);
        EndedRun ended(c.kind, c.wrongFirst, c.repetition);
        const ExerciseResult r = exerciseResultOf(ended.run);
        EXPECT_EQ(r.repetitionChoice, c.choice);
        // "Übung wiederholen" asks for the partial run only where it was offered.
        const QDateTime again(QDate(2026, 12, 10), QTime(10, 0));
        const StartRequest request =
            repetitionRequest(ended.run, ended.request, RepetitionMode::OnlyMissed, again);
        EXPECT_EQ(request.repetitionMode,
                  c.choice ? RepetitionMode::OnlyMissed : RepetitionMode::Complete);
        EXPECT_EQ(request.kind, c.kind);
        EXPECT_EQ(request.startTime, again);
    }
}

} // namespace
} // namespace quorvel
