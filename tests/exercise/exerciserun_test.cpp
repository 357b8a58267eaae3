// SPDX-License-Identifier: GPL-3.0-or-later
#include "document.h"
#include "exerciseclock.h"
#include "exerciserun.h"
#include "randomgenerator.h"

#include <QRegularExpression>
#include <algorithm>
#include <gtest/gtest.h>

namespace quorvel {
namespace {

using namespace Qt::Literals::StringLiterals;

// A document built in memory, a virtual clock and a seeded generator.
class Engine : public ::testing::Test {
protected:
    int add(Typ typ, const QString& cap, double kx = 0.5, double ky = 0.5, int question = -1) {
        ObjDataTyp o;
        o.Typ = codeOf(typ);
        o.Cap = cap;
        o.Kx = kx;
        o.Ky = ky;
        o.FrageNummer = question;
        document.objects.push_back(o);
        return int(document.objects.size()) - 1;
    }
    ObjDataTyp& object(int i) { return document.objects[size_t(i)]; }

    StartOutcome start(int repetition = 0) {
        request.repetitionMode = RepetitionMode(repetition);
        request.startTime = QDateTime(QDate(2026, 12, 10), QTime(9, 30));
        return run.start(request);
    }
    // The body's lines; a question's line holds a CR LF of its own.
    QStringList body() const {
        static const QRegularExpression end(u"\r\n(?=\\d{2,}:\\d{2} - |\r\n|$)"_s);
        QStringList lines = QString::fromUtf8(run.session().body).split(end);
        lines.removeLast(); // after the last CR LF
        return lines;
    }
    // The body lines without their time stamps.
    QStringList events() const {
        QStringList lines = body();
        for (QString& line : lines)
            line = line.mid(line.indexOf(u" - "_s) + 3);
        return lines;
    }

    Document document;
    VirtualClock clock;
    RandomGenerator random{3};
    // The elements of a cross matching stay where the test puts them.
    ExerciseRuleSet rules = [] {
        ExerciseRuleSet set = buildExerciseRuleSet();
        set.set(DokTyp::CrossMatching, crossMatchingRules({}));
        return set;
    }();
    ExerciseRun run{document, rules, clock, random};
    StartRequest request;
};

TEST_F(Engine, RefusesADocumentWithoutQueriesAndChangesNothing) {
    const int label = add(Typ::FixedLabel, u"Titel"_s);
    object(label).AbfrageStatus = AbfrageStatus::Uncovered;
    const StartOutcome outcome = start();
    EXPECT_EQ(outcome.status, StartOutcome::Status::Refused);
    EXPECT_EQ(outcome.message, u"Dieses Dokument enthält keine Abfrageobjekte."_s);
    EXPECT_FALSE(run.running());
    EXPECT_EQ(object(label).AbfrageStatus, AbfrageStatus::Uncovered);
}

TEST_F(Engine, AsksBeforeGivingUpARunningExerciseAndRefusesBesideANetworkRun) {
    add(Typ::QueryLabel, u"Rom"_s);
    ASSERT_TRUE(start().started());
    EXPECT_EQ(start().status, StartOutcome::Status::NeedsConfirmation);
    request.abortConfirmed = true;
    request.kind = SessionKind::NetworkParticipant;
    ASSERT_TRUE(start().started());
    request.kind = SessionKind::Individual;
    const StartOutcome refused = start();
    EXPECT_EQ(refused.status, StartOutcome::Status::Refused);
    EXPECT_TRUE(refused.message.startsWith(u"Die aktuelle Netzwerk-Übung muss zunächst"_s));
}

TEST_F(Engine, TargetNumbersFollowTheOrderOrAreQuestionMarks) {
    // Positions left to right on one line; cards sorted, targets by position.
    const int c = add(Typ::QueryLabel, u"C"_s, 0.7, 0.2);
    const int a = add(Typ::QueryLabel, u"A"_s, 0.1, 0.2);
    const int b = add(Typ::QueryLabel, u"B"_s, 0.4, 0.2);
    request.settings.Zuordnungstexte = CardOrder::Alphabetical;
    request.settings.Zuordnungsziele = TargetNumbering::Ordered;
    ASSERT_TRUE(start().started());
    EXPECT_EQ(object(a).AbfrageNummer, 1);
    EXPECT_EQ(object(b).AbfrageNummer, 2);
    EXPECT_EQ(object(c).AbfrageNummer, 3);
    const auto& order = run.session().AbfrageFolge;
    ASSERT_EQ(order.size(), 3u);
    EXPECT_EQ((std::vector<int>{order[0].card, order[1].card, order[2].card}),
              (std::vector<int>{a, b, c}));

    request.abortConfirmed = true;
    request.settings.Zuordnungsziele = TargetNumbering::QuestionMarks;
    ASSERT_TRUE(start().started());
    for (int i : {a, b, c})
        EXPECT_EQ(object(i).AbfrageNummer, 0);

    request.settings.Zuordnungsziele = TargetNumbering::RandomNumbers;
    ASSERT_TRUE(start().started());
    std::vector<int> numbers;
    for (int i : {a, b, c})
        numbers.push_back(object(i).AbfrageNummer);
    std::sort(numbers.begin(), numbers.end());
    EXPECT_EQ(numbers, (std::vector<int>{1, 2, 3}));
}

TEST_F(Engine, FreeLabellingRunsToItsEndWithProtocolAndTimes) {
    const int rom = add(Typ::QueryLabel, u"Rom"_s);
    const int paris = add(Typ::QueryLabel, u"Pa-\r\nris"_s);
    ASSERT_TRUE(start().started());
    EXPECT_EQ(run.session().OffenAnz, 2);
    clock.advance(61'500);
    ASSERT_TRUE(run.drop(rom, paris).taken);
    EXPECT_EQ(object(paris).ZielFehlversuche, 1);
    EXPECT_EQ(object(rom).KartFehlversuche, 1);
    EXPECT_EQ(object(paris).AbfrageStatus, AbfrageStatus::Open);
    ASSERT_TRUE(run.drop(rom, rom).taken);
    EXPECT_EQ(object(rom).AbfrageStatus, AbfrageStatus::Uncovered);
    EXPECT_FALSE(run.drop(rom, paris).taken) << "a placed card is gone";
    ASSERT_TRUE(run.drop(paris, paris).taken);

    const UebungsSitzung& s = run.session();
    EXPECT_EQ(s.EndeGrund, EndReason::Completed);
    EXPECT_EQ(s.Richtig, 2.0);
    EXPECT_EQ(s.Fehlversuche, 1.0);
    EXPECT_NEAR(s.Erfolgsquote, 2.0 / 3.0, 1e-12);
    EXPECT_EQ(s.OffenAnz, 0);
    EXPECT_EQ(body(), (QStringList{
                          u"00:00 - Übung wird gestartet"_s,
                          u"01:01 - FALSCH - Text-/Bildkärtchen \"Rom\" wird der Position von "
                          u"\"Paris\" zugeordnet"_s,
                          u"01:01 - RICHTIG - Text-/Bildkärtchen \"Rom\" wird der richtigen "
                          u"Position zugeordnet"_s,
                          u"01:02 - RICHTIG - Text-/Bildkärtchen \"Paris\" wird der richtigen "
                          u"Position zugeordnet"_s,
                      }));
    // 100 ms after the wrong drop, 750 after each right one.
    EXPECT_EQ(run.elapsedMs(), 61'500 + 100 + 750 + 750);
    EXPECT_TRUE(run.protocol().contains(u"Benötigte Zeit:\t01:03\r\n"_s));
}

struct WrongCase {
    WrongAction action;
    FeedbackTiming timing;
    AbfrageStatus targetState;
    int pauseMs;
    bool cardKept;
};

class WrongAnswer : public Engine, public ::testing::WithParamInterface<WrongCase> {};

TEST_P(WrongAnswer, ClosesTheTargetAsSet) {
    const WrongCase& c = GetParam();
    const int rom = add(Typ::QueryLabel, u"Rom"_s);
    const int paris = add(Typ::QueryLabel, u"Paris"_s);
    request.settings.ZuordnungFalsch = c.action;
    request.settings.RiFaRueckmeldung = c.timing;
    ASSERT_TRUE(start().started());
    ASSERT_TRUE(run.drop(rom, paris).taken);
    EXPECT_EQ(object(paris).AbfrageStatus, c.targetState);
    EXPECT_EQ(run.elapsedMs(), c.pauseMs);
    const int entry =
        int(std::find_if(run.session().AbfrageFolge.begin(), run.session().AbfrageFolge.end(),
                         [&](const QueryPair& p) { return p.card == rom; }) -
            run.session().AbfrageFolge.begin());
    EXPECT_EQ(run.cardState(entry) == CardState::Shown, c.cardKept);
    const bool hidden = c.action == WrongAction::Silent || c.timing == FeedbackTiming::AtEnd;
    EXPECT_EQ(run.statusFigures().front() == u"?"_s, hidden);
}

INSTANTIATE_TEST_SUITE_P(
    Settings, WrongAnswer,
    ::testing::Values(WrongCase{WrongAction::TryAgain, FeedbackTiming::Immediate,
                                AbfrageStatus::Open, 100, true},
                      WrongCase{WrongAction::RedCross, FeedbackTiming::Immediate,
                                AbfrageStatus::ClosedWrong, 100, true},
                      WrongCase{WrongAction::Silent, FeedbackTiming::Immediate,
                                AbfrageStatus::ClosedHidden, 0, false},
                      WrongCase{WrongAction::TryAgain, FeedbackTiming::AtEnd,
                                AbfrageStatus::ClosedHidden, 0, false}));

// The lines of a wrong and a right answer per type and mode, with the line
// that presents the query in the single modes.
struct LineCase {
    DokTyp dokTyp;
    QueryMode mode;
    const char16_t* presented; // nullptr: none
    const char16_t* wrong;
    const char16_t* right;
};

class CardLines : public Engine, public ::testing::WithParamInterface<LineCase> {};

TEST_P(CardLines, FollowTheTemplates) {
    const LineCase& c = GetParam();
    document.header.DokTyp = codeOf(c.dokTyp);
    const Typ typ = c.dokTyp == DokTyp::Cloze       ? Typ::ClozeGap
                    : c.dokTyp == DokTyp::Crossword ? Typ::CrosswordCell
                                                    : Typ::QueryLabel;
    const int x = add(typ, u"Ost"_s, 0.1, 0.1);
    const int p = add(typ, u"West"_s, 0.1, 0.5);
    request.settings.AbfrageModus = c.mode;
    request.settings.Zuordnungsziele = TargetNumbering::Ordered;
    request.settings.Zuordnungstexte = CardOrder::Alphabetical;
    ASSERT_TRUE(start().started());
    // Single position asks for "Ost" first: the card "West" goes there wrongly.
    const bool position = c.mode == QueryMode::SinglePosition;
    ASSERT_TRUE(run.drop(position ? p : x, position ? x : p).taken);
    const QStringList e = events();
    qsizetype at = 1;
    if (c.presented) {
        EXPECT_EQ(e[at++], QString::fromUtf16(c.presented));
    }
    EXPECT_EQ(e[at], QString::fromUtf16(c.wrong));
    // The right answer for whatever is asked now (single card: "West" after "Ost" was missed).
    const auto& s = run.session();
    const int asked = position                          ? run.currentTarget()
                      : c.mode == QueryMode::SingleCard ? s.AbfrageFolge[size_t(s.AktIndex)].card
                                                        : x;
    ASSERT_TRUE(run.drop(asked, asked).taken);
    EXPECT_TRUE(events().contains(QString::fromUtf16(c.right)))
        << events().join(u'\n').toStdString();
}

using M = QueryMode;
INSTANTIATE_TEST_SUITE_P(
    Templates, CardLines,
    ::testing::Values(
        LineCase{DokTyp::PictureLabelling, M::Free, nullptr,
                 u"FALSCH - Text-/Bildkärtchen \"Ost\" wird der Position von \"West\" zugeordnet",
                 u"RICHTIG - Text-/Bildkärtchen \"Ost\" wird der richtigen Position zugeordnet"},
        LineCase{DokTyp::PictureLabelling, M::SingleCard,
                 u"Text-/Bildkärtchen \"Ost\" soll der richtigen Position zugeordnet werden",
                 u"FALSCH - Text-/Bildkärtchen \"Ost\" wird der Position von \"West\" zugeordnet",
                 u"RICHTIG - Text-/Bildkärtchen \"West\" wird richtig zugeordnet"},
        LineCase{DokTyp::Cloze, M::Free, nullptr,
                 u"FALSCH - Lückentext \"Ost\" wird der Lücke von \"West\" zugeordnet",
                 u"RICHTIG - Lückentext \"Ost\" wird der richtigen Lücke zugeordnet"},
        LineCase{DokTyp::Cloze, M::SingleCard,
                 u"Lückentext \"Ost\" soll der richtigen Lücke zugeordnet werden",
                 u"FALSCH - Lückentext \"Ost\" wird der Lücke von \"West\" zugeordnet",
                 u"RICHTIG - Lückentext \"West\" wird richtig zugeordnet"},
        LineCase{DokTyp::Cloze, M::SinglePosition,
                 u"Der Lücke \"Ost\" soll der richtige Lückentext zugeordnet werden",
                 u"FALSCH - Der Lücke \"Ost\" wird der Lückentext \"West\" zugeordnet",
                 u"RICHTIG - Der Lücke \"West\" wird der richtige Lückentext zugeordnet"},
        LineCase{DokTyp::Crossword, M::Free, nullptr,
                 u"FALSCH - Buchstabenkärtchen \"Ost\" wird der Position von \"West\" zugeordnet",
                 u"RICHTIG - Buchstabenkärtchen \"Ost\" wird der richtigen Position zugeordnet"},
        LineCase{DokTyp::Crossword, M::SingleCard,
                 u"Buchstabenkärtchen \"Ost\" soll der richtigen Position zugeordnet werden",
                 u"FALSCH - Buchstabenkärtchen \"Ost\" wird der Position von \"West\" zugeordnet",
                 u"RICHTIG - Buchstabenkärtchen \"West\" wird richtig zugeordnet"},
        LineCase{
            DokTyp::Crossword, M::SinglePosition,
            u"Der Position \"Ost\" soll das richtige Buchstabenkärtchen zugeordnet werden",
            u"FALSCH - Der Position von \"Ost\" wird das Buchstabenkärtchen \"West\" zugeordnet",
            u"RICHTIG - Der Position von \"West\" wird das richtige Buchstabenkärtchen "
            u"zugeordnet"}));

TEST_F(Engine, AWrongCardGlidesBackAMillisecondPerTwoPixels) {
    const int rom = add(Typ::QueryLabel, u"Rom"_s);
    const int paris = add(Typ::QueryLabel, u"Paris"_s);
    std::vector<std::pair<int, int>> glides; // card, ms
    run.addObserver([&](const ExerciseEvent& e) {
        if (e.kind == ExerciseEvent::Kind::Glide)
            glides.emplace_back(e.object, e.ms);
    });
    ASSERT_TRUE(start().started());
    ASSERT_TRUE(run.drop(rom, paris, 301.0).taken);
    EXPECT_EQ(glides, (std::vector<std::pair<int, int>>{{rom, 150}}));
    EXPECT_EQ(run.elapsedMs(), 100 + 150) << "150.5 rounds to even";
    ASSERT_TRUE(run.drop(rom, paris, 0.5).taken);
    EXPECT_EQ(run.elapsedMs(), 2 * 100 + 150) << "less than a pixel goes back at once";
}

TEST_F(Engine, FeedbackAtTheEndRevealsEveryTarget) {
    const int rom = add(Typ::QueryLabel, u"Rom"_s);
    const int paris = add(Typ::QueryLabel, u"Paris"_s);
    request.settings.RiFaRueckmeldung = FeedbackTiming::AtEnd;
    request.settings.ZuordnungRichtig = RightAction::GreenTick;
    ASSERT_TRUE(start().started());
    ASSERT_TRUE(run.drop(rom, paris).taken);
    ASSERT_TRUE(run.drop(paris, rom).taken);
    EXPECT_EQ(run.session().EndeGrund, EndReason::Completed);
    EXPECT_EQ(object(paris).AbfrageStatus, AbfrageStatus::ClosedWrong);
    EXPECT_EQ(object(rom).AbfrageStatus, AbfrageStatus::ClosedWrong);
}

// Feedback at the end, every answer wrong where it can be: no type shows
// feedback or pauses, a used card is never asked again, and the run ends.
class WrongUntilTheEnd : public Engine, public ::testing::WithParamInterface<int> {
protected:
    enum Kind { LabellingSingleCard, ClusterFree, ClusterSingleCard, Matching };
    // Cluster: fruit in basket 1, vegetables in basket 2.
    std::vector<int> makeCluster() {
        document.header.DokTyp = codeOf(DokTyp::Cluster);
        document.header.LueckenTabelleZeilen = 2;
        document.header.LueckenTabelleSpalten = 2;
        const QString texts[2][2] = {{u"Apfel"_s, u"Möhre"_s}, {u"Birne"_s, u"Lauch"_s}};
        std::vector<int> cards;
        for (int r = 0; r < 2; ++r)
            for (int c = 0; c < 2; ++c) {
                auto& cell = document.header.LueckenTabelle[size_t(r)][size_t(c)];
                cell.Text = texts[r][c];
                cell.Art = 1;
                cards.push_back(add(Typ::ClusterQueryText, texts[r][c]));
                object(cards.back()).CellRow = r;
                object(cards.back()).CellColumn = c;
            }
        return cards;
    }
    std::vector<int> makeMatching() {
        document.header.DokTyp = codeOf(DokTyp::CrossMatching);
        std::vector<int> elements;
        const QString texts[6] = {u"Berlin"_s,     u"Deutschland"_s, u"Paris"_s,
                                  u"Frankreich"_s, u"Rom"_s,         u"Italien"_s};
        for (int i = 0; i < 6; ++i) {
            elements.push_back(add(Typ::MatchingQueryText, texts[i], i % 2 ? 0.8 : 0.2, 0.1 * i));
            object(elements.back()).BildKenn = QString::number(i / 2);
        }
        return elements;
    }
    // The card shown for a query: the first entry shown.
    int shownCard() const {
        const auto& order = run.session().AbfrageFolge;
        for (size_t e = 0; e < order.size(); ++e)
            if (run.cardState(int(e)) == CardState::Shown)
                return order[e].card;
        return -1;
    }
};

TEST_P(WrongUntilTheEnd, UsesEveryCardOnceAndEnds) {
    const int kind = GetParam();
    std::vector<int> queries;
    if (kind == LabellingSingleCard) {
        for (const QString& city : {u"Rom"_s, u"Paris"_s, u"Oslo"_s, u"Wien"_s})
            queries.push_back(add(Typ::QueryLabel, city, 0.1, 0.1 * double(queries.size())));
        request.settings.AbfrageModus = QueryMode::SingleCard;
    } else if (kind == Matching) {
        queries = makeMatching();
    } else {
        queries = makeCluster();
        if (kind == ClusterSingleCard)
            request.settings.AbfrageModus = QueryMode::SingleCard;
    }
    request.settings.RiFaRueckmeldung = FeedbackTiming::AtEnd;
    request.settings.ZuordnungFalsch = WrongAction::RedCross;
    int feedback = 0;
    std::vector<int> presented;
    run.addObserver([&](const ExerciseEvent& e) {
        using K = ExerciseEvent::Kind;
        feedback += e.kind == K::Feedback || e.kind == K::Pause || e.kind == K::Glide;
        if (e.kind == K::QueryPresented)
            presented.push_back(shownCard());
    });
    ASSERT_TRUE(start().started());
    for (int answers = 0; run.running() && answers < 20; ++answers) {
        const int card = shownCard();
        ASSERT_GE(card, 0) << "a run that waits for an answer shows a card";
        if (kind == Matching) {
            // A right element only when nothing else is left.
            int other = -1;
            for (int e : queries)
                if (e % 2 != card % 2 && run.cardState(int(e)) == CardState::Shown &&
                    (other < 0 || object(e).BildKenn != object(card).BildKenn))
                    other = e;
            ASSERT_GE(other, 0);
            ASSERT_TRUE(run.click(card).taken);
            ASSERT_TRUE(run.click(other).taken);
        } else if (kind == LabellingSingleCard) {
            int target = -1;
            for (int t : queries)
                if (object(t).AbfrageStatus == AbfrageStatus::Open &&
                    (target < 0 || object(t).Cap != object(card).Cap))
                    target = t;
            ASSERT_TRUE(run.drop(card, target).taken);
        } else {
            ASSERT_TRUE(run.dropInBasket(card, 2 - object(card).CellColumn).taken);
        }
    }
    EXPECT_EQ(run.session().EndeGrund, EndReason::Completed);
    EXPECT_EQ(feedback, 0);
    std::sort(presented.begin(), presented.end());
    EXPECT_EQ(std::adjacent_find(presented.begin(), presented.end()), presented.end())
        << "a used card came again";
    EXPECT_GT(run.session().Fehlversuche, 0.0);
    for (int q : queries)
        EXPECT_NE(object(q).AbfrageStatus, AbfrageStatus::Open) << q;
}

INSTANTIATE_TEST_SUITE_P(Types, WrongUntilTheEnd, ::testing::Range(0, 4));

TEST_F(Engine, RepetitionAsksOnlyWhatWasMissed) {
    const int rom = add(Typ::QueryLabel, u"Rom"_s);
    const int paris = add(Typ::QueryLabel, u"Paris"_s);
    const int oslo = add(Typ::QueryLabel, u"Oslo"_s);
    ASSERT_TRUE(start().started());
    ASSERT_TRUE(run.drop(oslo, paris).taken);
    for (int i : {rom, paris, oslo})
        ASSERT_TRUE(run.drop(i, i).taken);
    ASSERT_EQ(run.session().EndeGrund, EndReason::Completed);

    // The wrongly placed card and the position it was put on are asked again.
    ASSERT_TRUE(start(1).started());
    EXPECT_EQ(run.session().AbfrageAnz, 2);
    EXPECT_EQ(run.session().AbfrageAnzGesamt, 3);
    ASSERT_EQ(run.session().AbfrageFolge.size(), 2u);
    EXPECT_EQ(object(rom).AbfrageStatus, AbfrageStatus::Uncovered);
    EXPECT_EQ(object(paris).AbfrageStatus, AbfrageStatus::Open);
    EXPECT_EQ(object(oslo).AbfrageStatus, AbfrageStatus::Open);
    EXPECT_TRUE(run.protocol().contains(u"Übungsumfang:\t2 von 3 Abfragen (Teilwiederholung)"_s));

    // Nothing missed this time: a further partial repetition has nothing to ask.
    ASSERT_TRUE(run.drop(paris, paris).taken);
    ASSERT_TRUE(run.drop(oslo, oslo).taken);
    EXPECT_EQ(start(1).message, u"Dieses Dokument enthält keine Abfrageobjekte."_s);
}

TEST_F(Engine, ZeroSecondLimitEndsOnTheFirstTick) {
    add(Typ::QueryLabel, u"Rom"_s);
    request.settings.Zeitlimit = TimeMode::Limit;
    request.settings.ZeitlimitSek = 0;
    ASSERT_TRUE(start().started());
    EXPECT_TRUE(run.running());
    clock.advance(100);
    run.timerTick();
    EXPECT_EQ(run.session().EndeGrund, EndReason::TimeOut);
    EXPECT_EQ(events().last(), u"Das Zeitlimit ist erreicht, die Übung wird beendet."_s);
    EXPECT_TRUE(run.protocol().contains(u"Zeitlimit:\tja, 0 Sek.\r\n"_s));
    EXPECT_TRUE(run.protocol().contains(u"Verbliebene Zeit:\t00:00\r\n"_s));
}

TEST_F(Engine, TimeOutInTextInputJudgesEveryFieldFirst) {
    const int rom = add(Typ::QueryLabel, u"Rom"_s);
    const int oslo = add(Typ::QueryLabel, u"Oslo"_s);
    request.settings.AbfrageModus = QueryMode::TextInput;
    request.settings.Zeitlimit = TimeMode::Limit;
    request.settings.ZeitlimitSek = 5;
    ASSERT_TRUE(start().started());
    ASSERT_TRUE(run.type(rom, u"Rom"_s).taken);
    clock.advance(4'000);
    run.timerTick();
    EXPECT_TRUE(run.running()) << "one second is left";
    clock.advance(100);
    run.timerTick();
    EXPECT_EQ(run.session().EndeGrund, EndReason::TimeOut);
    EXPECT_EQ(events().mid(1),
              (QStringList{u"Das Zeitlimit ist erreicht, die Übung wird beendet."_s,
                           u"RICHTIG - Texteingabe \"Rom\" wurde richtig eingegeben"_s,
                           u"FALSCH - Texteingabe \"\" statt \"Oslo\" eingegeben"_s}));
    EXPECT_EQ(object(oslo).ZielFehlversuche, 1);
    EXPECT_EQ(run.session().OffenAnz, 0);
}

TEST_F(Engine, AClockThatRunsBackwardsCountsAsNoTime) {
    add(Typ::QueryLabel, u"Rom"_s);
    clock.set(5'000);
    ASSERT_TRUE(start().started());
    clock.set(1'000);
    EXPECT_EQ(run.elapsedMs(), 0);
    EXPECT_EQ(run.clockText(), u"00:00"_s);
}

TEST_F(Engine, SinglePositionAcceptsOnlyTheCurrentPosition) {
    const int rom = add(Typ::QueryLabel, u"Rom"_s, 0.1, 0.1);
    const int paris = add(Typ::QueryLabel, u"Paris"_s, 0.1, 0.5);
    request.settings.AbfrageModus = QueryMode::SinglePosition;
    request.settings.Zuordnungsziele = TargetNumbering::Ordered;
    ASSERT_TRUE(start().started());
    EXPECT_EQ(run.currentTarget(), rom);
    EXPECT_FALSE(run.drop(paris, paris).taken);
    ASSERT_TRUE(run.drop(paris, rom).taken);
    EXPECT_EQ(run.currentTarget(), paris) << "any answer moves on to the next open position";
    ASSERT_TRUE(run.drop(paris, paris).taken);
    EXPECT_EQ(run.currentTarget(), rom);
    ASSERT_TRUE(run.drop(rom, rom).taken);
    EXPECT_EQ(run.session().EndeGrund, EndReason::Completed);
    EXPECT_EQ(events().mid(0, 5),
              (QStringList{u"Übung wird gestartet"_s,
                           u"Der Position \"Rom\" soll das richtige Text- oder Bildkärtchen "
                           u"zugeordnet werden"_s,
                           u"FALSCH - Der Position von \"Rom\" wird das Text-/Bildkärtchen "
                           u"\"Paris\" zugeordnet"_s,
                           u"Der Position \"Paris\" soll das richtige Text- oder Bildkärtchen "
                           u"zugeordnet werden"_s,
                           u"RICHTIG - Der Position von \"Paris\" wird das richtige "
                           u"Text-/Bildkärtchen zugeordnet"_s}));
}

TEST_F(Engine, TextInputTakesAlternativesAndComparesCase) {
    document.header.DokTyp = codeOf(DokTyp::Cloze);
    const int vier = add(Typ::ClozeGap, u"vier"_s);
    object(vier).BildKenn = u"|vier|Vier|4|"_s;
    const int osten = add(Typ::ClozeGap, u"Osten"_s);
    object(osten).BildKenn = u"|Osten|"_s;
    const int sonne = add(Typ::ClozeGap, u"Sonne"_s);
    object(sonne).BildKenn = u"|Sonne|"_s;
    request.settings.AbfrageModus = QueryMode::TextInput;
    ASSERT_TRUE(start().started());
    EXPECT_EQ(typOf(document.objects.back()), Typ::MCOkButton) << "the \"Weiter\" card";
    ASSERT_TRUE(run.type(vier, u"4"_s).taken);
    ASSERT_TRUE(run.type(osten, u"osten"_s).taken);
    ASSERT_TRUE(run.type(sonne, u" Sonne"_s).taken);
    ASSERT_TRUE(run.confirm().taken);
    EXPECT_EQ(events().mid(1),
              (QStringList{u"RICHTIG - alternative Texteingabe \"4\" für \"vier\" eingegeben"_s,
                           u"FALSCH - Texteingabe \"osten\" statt \"Osten\" eingegeben"_s,
                           u"RICHTIG - Texteingabe \"Sonne\" wurde richtig eingegeben"_s}));
    EXPECT_EQ(run.session().EndeGrund, EndReason::Completed);
    EXPECT_EQ(run.session().Richtig, 2.0);
    EXPECT_EQ(object(osten).ZielFehlversuche, 1);
}

TEST_F(Engine, DraggedCardIsComparedWithTheFirstAlternativeOnly) {
    document.header.DokTyp = codeOf(DokTyp::Cloze);
    const int vier = add(Typ::ClozeGap, u"vier"_s);
    object(vier).BildKenn = u"|vier|Vier|4|"_s;
    const int vier2 = add(Typ::ClozeGap, u"4"_s);
    ASSERT_TRUE(start().started());
    ASSERT_TRUE(run.drop(vier2, vier).taken);
    EXPECT_EQ(run.session().Fehlversuche, 1.0);
}

TEST_F(Engine, MultipleChoiceEarnsPartsOfAnAnswer) {
    document.header.DokTyp = codeOf(DokTyp::MultipleChoice);
    request.settings.Zuordnungstexte = CardOrder::Alphabetical; // answers at their own places
    const int question = add(Typ::MCQuestion, u"Frage"_s, 0.5, 0.5, 1);
    object(question).AntwortAnz = 4;
    add(Typ::MCQuestionText, u"Welche sind Planeten?"_s, 0.5, 0.5, 1);
    std::vector<int> boxes;
    const std::pair<const char16_t*, const char16_t*> answers[] = {
        {u"+", u"Mars"}, {u"+", u"Venus"}, {u"+", u"Erde"}, {u"-", u"Mond"}};
    for (const auto& [cap, text] : answers) {
        boxes.push_back(add(Typ::MCAnswerBox, QString::fromUtf16(cap), 0.5, 0.5, 1));
        add(Typ::MCAnswerText, QString::fromUtf16(text), 0.5, 0.5, 1);
    }
    ASSERT_TRUE(start().started());
    EXPECT_EQ(events().last(), u"Antwortmöglichkeiten: \"Mars\" (zutreffend), \"Venus\" "
                               u"(zutreffend), \"Erde\" (zutreffend), \"Mond\""_s);
    for (int box : {boxes[0], boxes[1], boxes[3]})
        ASSERT_TRUE(run.tick(box).taken);
    ASSERT_TRUE(run.confirm().taken);
    EXPECT_NEAR(run.session().Richtig, 1.0 / 3.0, 1e-12);
    EXPECT_NEAR(run.session().Fehlversuche, 2.0 / 3.0, 1e-12);
    const QStringList e = events();
    const qsizetype answer =
        e.indexOf(u"FALSCH bzw. NICHT KOMPLETT RICHTIG - Gewählte Antwort(en): "
                  u"\"Mars\", \"Venus\", \"Mond\""_s);
    ASSERT_GT(answer, 0);
    EXPECT_EQ(e[answer + 1], u"Häkchen - richtig: 2 - falsch: 1 - fehlend: 1"_s);
    EXPECT_TRUE(e[answer + 3].startsWith(u"Frage Nr. 1"_s)) << "asked again";
    EXPECT_FALSE(run.ticked(boxes[0])) << "asked again with fresh boxes";
    EXPECT_TRUE(run.protocol().contains(u"Richtig zugeordnet:\t0.33\r\n"_s));
}

// "Weiter" without a tick, over and over: the question comes again each time.
// The body holds each line once, as UTF-8, and a run whose protocol passes
// its limit ends after that answer with a message, as a time-out does.
TEST_F(Engine, EndlessWrongAnswersEndAtTheProtocolLimit) {
    document.header.DokTyp = codeOf(DokTyp::MultipleChoice);
    object(add(Typ::MCQuestion, u"Frage"_s, 0.5, 0.5, 1)).AntwortAnz = 2;
    add(Typ::MCQuestionText, u"Welcher ist der größte Planet?"_s, 0.5, 0.5, 1);
    add(Typ::MCAnswerBox, u"+"_s, 0.5, 0.5, 1);
    add(Typ::MCAnswerText, u"Jupiter"_s, 0.5, 0.5, 1);
    add(Typ::MCAnswerBox, u"-"_s, 0.5, 0.5, 1);
    add(Typ::MCAnswerText, u"Mars"_s, 0.5, 0.5, 1);
    constexpr qsizetype kLimit = 20000;
    run.setProtocolLimit(kLimit);
    QStringList messages;
    run.addObserver([&](const ExerciseEvent& e) {
        if (e.kind == ExerciseEvent::Kind::Message)
            messages << e.text;
    });
    ASSERT_TRUE(start().started());
    const qsizetype atStart = run.session().body.size();
    ASSERT_TRUE(run.confirm().taken);
    const qsizetype perAnswer = run.session().body.size() - atStart;
    // Each answer adds its lines once, at about a byte a character.
    const QString added = QString::fromUtf8(run.session().body.mid(atStart));
    EXPECT_TRUE(added.startsWith(u"00:00 - FALSCH"_s)) << added.toStdString();
    EXPECT_LT(perAnswer, added.size() * 11 / 10);
    int answers = 1;
    qsizetype before = 0;
    while (run.running() && answers < 1000) {
        before = run.session().body.size();
        ASSERT_TRUE(run.confirm().taken);
        ++answers;
    }
    EXPECT_FALSE(run.running());
    EXPECT_EQ(run.session().EndeGrund, EndReason::Completed);
    // It ends with the answer that passes the limit, not before, not later.
    EXPECT_LE(before, kLimit + perAnswer);
    EXPECT_GT(run.session().body.size(), kLimit);
    EXPECT_EQ(messages, QStringList{protocolFullMessage()});
    EXPECT_EQ(events().last(), protocolFullMessage());
    EXPECT_TRUE(run.protocol().contains(u"Fehlversuche:\t%1.00\r\n"_s.arg(answers)));
    EXPECT_FALSE(run.confirm().taken);
}

TEST_F(Engine, RandomAnswerOrderMovesEachTickBoxWithItsAnswer) {
    // Text answers as the layout makes them: the question's `AntwortAnz`
    // counts answer pictures, so it is 0; each answer row has its own y.
    document.header.DokTyp = codeOf(DokTyp::MultipleChoice);
    for (int q = 1; q <= 2; ++q) {
        add(Typ::MCQuestion, u"Frage"_s, -1, -1, q);
        for (int a = 0; a < 5; ++a) {
            add(Typ::MCAnswerBox, a == 0 ? u"+"_s : u"-"_s, 0.2, 0.2 + 0.1 * a, q);
            add(Typ::MCAnswerText, QString::number(a), 0.26, 0.2 + 0.1 * a, q);
        }
    }
    const std::vector<ObjDataTyp> home = document.objects;
    int moved = 0;
    for (quint64 seed = 1; seed <= 5; ++seed) {
        random.seed(seed);
        request.abortConfirmed = true;
        ASSERT_TRUE(start().started());
        for (int q = 1; q <= 2; ++q) {
            std::vector<int> boxes, places;
            for (size_t i = 0; i < document.objects.size(); ++i) {
                const ObjDataTyp& o = document.objects[i];
                if (typOf(o) != Typ::MCAnswerBox || o.FrageNummer != q)
                    continue;
                const int place = run.answerPlace(int(i));
                boxes.push_back(int(i));
                places.push_back(place);
                ASSERT_GE(place, 0);
                moved += place != int(i);
                // The box stands where its place's box stood, its answer beside it.
                EXPECT_EQ(o.Ky, home[size_t(place)].Ky) << "seed " << seed;
                EXPECT_EQ(o.Kx, home[size_t(place)].Kx);
                EXPECT_EQ(document.objects[i + 1].Ky, o.Ky) << "answer moves with its box";
                EXPECT_EQ(document.objects[i + 1].Kx, home[i + 1].Kx);
            }
            std::sort(places.begin(), places.end());
            EXPECT_EQ(places, boxes) << "every place of question " << q << " shows one answer";
        }
        run.abort();
        for (size_t i = 0; i < home.size(); ++i)
            EXPECT_EQ(document.objects[i].Ky, home[i].Ky) << "object " << i << " back home";
    }
    EXPECT_GT(moved, 10) << "five runs of ten answers leave many answers elsewhere";
}

TEST_F(Engine, SingleQuestionsOfferTheSolutionAndAskAgainUntilRight) {
    document.header.DokTyp = codeOf(DokTyp::SingleQuestions);
    request.settings.Zuordnungsziele = TargetNumbering::Ordered;
    add(Typ::QuestionText, u"Hauptstadt von Italien?"_s, 0.5, 0.5, 1);
    const int rom = add(Typ::QuestionAnswer, u"Rom"_s, 0.5, 0.5, 1);
    add(Typ::QuestionText, u"Hauptstadt von Frankreich?"_s, 0.5, 0.5, 2);
    const int paris = add(Typ::QuestionAnswer, u"Paris"_s, 0.5, 0.5, 2);
    ASSERT_TRUE(start().started());
    EXPECT_EQ(run.currentQuestion(), 1);
    const QStringList first = body();
    EXPECT_EQ(first[1], QString());
    EXPECT_EQ(first[2], u"00:00 - Frage Nr. 1\r\nHauptstadt von Italien?"_s);
    EXPECT_TRUE(first[3].contains(u"\"Rom\" (Lösung)"_s));
    EXPECT_TRUE(first[3].contains(u"\"Paris\""_s));
    ASSERT_TRUE(run.click(paris).taken);
    EXPECT_EQ(run.elapsedMs(), 100 + 900);
    EXPECT_EQ(run.currentQuestion(), 2);
    ASSERT_TRUE(run.click(paris).taken);
    EXPECT_EQ(run.currentQuestion(), 1) << "the missed question comes back";
    ASSERT_TRUE(run.click(rom).taken);
    EXPECT_EQ(run.session().EndeGrund, EndReason::Completed);
    EXPECT_EQ(run.elapsedMs(), 1000 + 1250 + 1250);
}

TEST_F(Engine, ClusterCardsFindAFreeCellOfTheirText) {
    document.header.DokTyp = codeOf(DokTyp::Cluster);
    document.header.LueckenTabelleZeilen = 2;
    document.header.LueckenTabelleSpalten = 2;
    auto& table = document.header.LueckenTabelle;
    const QString texts[2][2] = {{u"Apfel"_s, u"Möhre"_s}, {u"Apfel"_s, u"Lauch"_s}};
    int cards[2][2];
    for (int r = 0; r < 2; ++r)
        for (int c = 0; c < 2; ++c) {
            table[size_t(r)][size_t(c)].Text = texts[r][c];
            table[size_t(r)][size_t(c)].Art = 1;
            cards[r][c] = add(Typ::ClusterQueryText, texts[r][c]);
            object(cards[r][c]).CellRow = r;
            object(cards[r][c]).CellColumn = c;
        }
    ASSERT_TRUE(start().started());
    EXPECT_FALSE(run.dropInBasket(cards[0][0], 3).taken);
    ASSERT_TRUE(run.dropInBasket(cards[1][0], 2).taken);
    EXPECT_EQ(object(cards[1][0]).ZielFehlversuche, 1);
    ASSERT_TRUE(run.dropInBasket(cards[1][0], 1).taken);
    EXPECT_EQ(object(cards[0][0]).AbfrageStatus, AbfrageStatus::Uncovered) << "the first free cell";
    ASSERT_TRUE(run.dropInBasket(cards[0][0], 1).taken);
    EXPECT_EQ(run.session().Richtig, 2.0);
    EXPECT_EQ(events()[1],
              u"FALSCH - Text-/Bildkärtchen \"Apfel\" wird dem falschen Korb zugeordnet"_s);
    EXPECT_EQ(events()[2],
              u"RICHTIG - Text-/Bildkärtchen \"Apfel\" wird dem richtigen Korb zugeordnet"_s);
}

// A picture with a key leaves its cell text empty; the basket still knows it
// by the caption its card got from the key, so it can be sorted right.
TEST_F(Engine, ClusterPicturesWithAKeyFitTheirBasket) {
    document.header.DokTyp = codeOf(DokTyp::Cluster);
    document.header.LueckenTabelleZeilen = 1;
    document.header.LueckenTabelleSpalten = 2;
    int cards[2];
    const QString keys[2] = {u"Hund"_s, u"Katze"_s};
    for (int c = 0; c < 2; ++c) {
        auto& cell = document.header.LueckenTabelle[0][size_t(c)];
        cell.Art = 3;
        cell.BildKenn = keys[c];
        cards[c] = add(Typ::ClusterQueryPicture, keys[c] + u" (Bildkennung)"_s);
        object(cards[c]).CellRow = 0;
        object(cards[c]).CellColumn = c;
    }
    ASSERT_TRUE(start().started());
    ASSERT_TRUE(run.dropInBasket(cards[0], 2).taken);
    EXPECT_EQ(run.session().Fehlversuche, 1.0) << "another key's basket";
    ASSERT_TRUE(run.dropInBasket(cards[0], 1).taken);
    ASSERT_TRUE(run.dropInBasket(cards[1], 2).taken);
    EXPECT_EQ(run.session().Richtig, 2.0);
    EXPECT_EQ(run.session().EndeGrund, EndReason::Completed);
}

// A pair whose other element is static cannot be connected; it is not asked,
// so that the run still ends when every other pair is made.
TEST_F(Engine, CrossMatchingSkipsElementsPairedWithAStaticOne) {
    document.header.DokTyp = codeOf(DokTyp::CrossMatching);
    const int flag = add(Typ::MatchingPicture, QString(), 0.2, 0.2);
    const int country = add(Typ::MatchingQueryText, u"Italien"_s, 0.5, 0.2);
    const int middle = add(Typ::MatchingQueryText, u"Italien"_s, 0.5, 0.2);
    const int capital = add(Typ::MatchingQueryText, u"Rom"_s, 0.8, 0.2);
    object(flag).BildKenn = object(country).BildKenn = u"Paar#1"_s;
    object(middle).BildKenn = object(capital).BildKenn = u"Paar2#1"_s;
    ASSERT_TRUE(start().started());
    EXPECT_EQ(run.session().AbfrageAnz, 1);
    EXPECT_EQ(run.session().OffenAnz, 1);
    EXPECT_EQ(object(country).AbfrageStatus, AbfrageStatus::Uncovered);
    EXPECT_FALSE(run.click(country).taken);
    ASSERT_TRUE(run.click(middle).taken);
    ASSERT_TRUE(run.click(capital).taken);
    EXPECT_EQ(run.session().EndeGrund, EndReason::Completed);
}

TEST_F(Engine, CrossMatchingConnectsPairsAcrossColumns) {
    document.header.DokTyp = codeOf(DokTyp::CrossMatching);
    const int berlin = add(Typ::MatchingQueryText, u"Berlin"_s, 0.2, 0.2);
    const int de = add(Typ::MatchingQueryText, u"Deutschland"_s, 0.8, 0.2);
    const int paris = add(Typ::MatchingQueryText, u"Paris"_s, 0.2, 0.5);
    const int fr = add(Typ::MatchingQueryText, u"Frankreich"_s, 0.8, 0.5);
    object(berlin).BildKenn = object(de).BildKenn = u"1"_s;
    object(paris).BildKenn = object(fr).BildKenn = u"2"_s;
    std::vector<bool> layouts;
    rules.set(DokTyp::CrossMatching,
              crossMatchingRules([&](Document&, bool exercise, RandomGenerator&) {
                  layouts.push_back(exercise);
              }));
    ASSERT_TRUE(start().started());
    EXPECT_EQ(layouts, std::vector<bool>{true});
    EXPECT_EQ(run.session().AbfrageAnz, 2);
    EXPECT_EQ(object(berlin).AbfrageStatus, AbfrageStatus::MatchingElement);
    ASSERT_TRUE(run.click(berlin).taken);
    ASSERT_TRUE(run.click(paris).taken) << "same column: the selection moves";
    EXPECT_EQ(run.session().Zweitobjekt, paris);
    ASSERT_TRUE(run.click(de).taken);
    EXPECT_EQ(object(paris).ZielFehlversuche, 1);
    EXPECT_EQ(object(de).KartFehlversuche, 1);
    ASSERT_TRUE(run.click(de).taken);
    ASSERT_TRUE(run.click(berlin).taken);
    EXPECT_EQ(object(de).Sline, 5) << "the element further right draws the line";
    EXPECT_EQ(run.session().OffenAnz, 1);
    std::vector<int> reported;
    run.addObserver([&](const ExerciseEvent& e) {
        if (e.kind == ExerciseEvent::Kind::Evaluated)
            reported.push_back(e.object);
    });
    ASSERT_TRUE(run.click(paris).taken);
    ASSERT_TRUE(run.click(fr).taken);
    EXPECT_EQ(reported, std::vector<int>{fr}) << "the element selected second";
    EXPECT_EQ(run.session().EndeGrund, EndReason::Completed);
    EXPECT_EQ(events()[1], u"FALSCH - \"Paris\" wird mit \"Deutschland\" verbunden"_s);
    EXPECT_EQ(events()[2], u"RICHTIG - \"Deutschland\" wird mit \"Berlin\" verbunden"_s);
}

TEST_F(Engine, TargetUnderACardPrefersTheLeftEdgeThenAnyOverlap) {
    const int a = add(Typ::QueryLabel, u"A"_s);
    const int b = add(Typ::QueryLabel, u"B"_s);
    object(a).KartRect = {0.10, 0.10, 0.20, 0.20};
    object(b).KartRect = {0.30, 0.10, 0.40, 0.20};
    ASSERT_TRUE(start().started());
    EXPECT_EQ(run.targetUnder({0.32, 0.12, 0.50, 0.18}), b) << "left edge inside b";
    EXPECT_EQ(run.targetUnder({0.05, 0.12, 0.35, 0.18}), a) << "overlaps both: the first";
    EXPECT_EQ(run.targetUnder({0.50, 0.50, 0.60, 0.60}), -1);
    ASSERT_TRUE(run.drop(a, a).taken);
    EXPECT_EQ(run.targetUnder({0.12, 0.12, 0.18, 0.18}), -1) << "a solved target takes no card";
}

TEST(Instruction, ByTypeAndMode) {
    EXPECT_EQ(instructionText(DokTyp::Cloze, QueryMode::TextInput),
              u"Fülle die Textlücken richtig aus!"_s);
    EXPECT_EQ(instructionText(DokTyp::Crossword, QueryMode::SingleCard),
              u"Ziehe das Kärtchen an die richtige Position!"_s);
    EXPECT_EQ(instructionText(DokTyp::PictureLabelling, QueryMode::TextInput), QString());
    EXPECT_EQ(instructionText(DokTyp(77), QueryMode::Free),
              u"Ziehe die Kärtchen an die jeweils richtige Position!"_s);
}

TEST_F(Engine, PointsOpenOnlyWhereTheAuthorAllowedIt) {
    add(Typ::QueryLabel, u"Rom"_s);
    const int allowed = add(Typ::InfoPoint, u"Info"_s);
    object(allowed).PunktInUebung = 1;
    const int closed = add(Typ::InfoPoint, u"Info"_s);
    std::vector<int> opened;
    run.addObserver([&](const ExerciseEvent& e) {
        if (e.kind == ExerciseEvent::Kind::PointOpened)
            opened.push_back(e.object);
    });
    ASSERT_TRUE(start().started());
    EXPECT_TRUE(run.click(allowed).taken);
    EXPECT_FALSE(run.click(closed).taken);
    EXPECT_EQ(opened, std::vector<int>{allowed});
    EXPECT_EQ(run.session().Richtig + run.session().Fehlversuche, 0.0);
}

TEST_F(Engine, AbortGivesBackTheLearningView) {
    const int rom = add(Typ::QueryLabel, u"Rom"_s);
    const int fixed = add(Typ::FixedLabel, u"Titel"_s);
    ASSERT_TRUE(start().started());
    run.abort();
    EXPECT_FALSE(run.running());
    EXPECT_EQ(run.session().EndeGrund, EndReason::Aborted);
    EXPECT_EQ(object(rom).AbfrageStatus, AbfrageStatus::Uncovered);
    EXPECT_EQ(object(fixed).AbfrageStatus, AbfrageStatus::Covered);
    EXPECT_EQ(run.drop(rom, rom).taken, false);
}

} // namespace
} // namespace quorvel
