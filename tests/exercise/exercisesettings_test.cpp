// SPDX-License-Identifier: GPL-3.0-or-later
#include "exercisesettings.h"
#include "settings.h"

#include <gtest/gtest.h>

namespace quorvel {
namespace {

using namespace Qt::Literals::StringLiterals;

struct SnapshotCase {
    int dokTyp;
    UebEinstellungen expected;
};

UebEinstellungen fixedFor(QueryMode mode, RightAction right, WrongAction wrong, CardOrder texts,
                          TargetNumbering targets) {
    UebEinstellungen s;
    s.AbfrageModus = mode;
    s.Zeitlimit = TimeMode::ClockWithoutLimit;
    s.ZeitlimitSek = 180;
    s.ZuordnungRichtig = right;
    s.ZuordnungFalsch = wrong;
    s.Zuordnungstexte = texts;
    s.Zuordnungsziele = targets;
    s.AnzZeichenVorgeben = false;
    s.RiFaRueckmeldung = FeedbackTiming::Immediate;
    return s;
}

// Settings whose every stored value differs from the defaults, so that a
// fixed value and a value taken from the store cannot be confused.
Settings changedSettings() {
    Settings settings;
    settings.UebOpt = {3, 1, u"2"_s, u"30"_s, 1, 1, 0, 2, true};
    settings.UebOptFragen = {1, 0, 2, 0, u"1"_s, u"5"_s};
    settings.UebOptKorb = {1, 1, u"4"_s, u"0"_s};
    return settings;
}

class Snapshot : public ::testing::TestWithParam<SnapshotCase> {};

TEST_P(Snapshot, TakesTheGroupsValuesAndItsFixedValues) {
    const SnapshotCase& c = GetParam();
    const CrossMatchingTime crossMatching{1, u"0"_s, u"45"_s};
    EXPECT_EQ(takeSnapshot(static_cast<DokTyp>(c.dokTyp), changedSettings(), crossMatching),
              c.expected)
        << "DokTyp " << c.dokTyp;
}

UebEinstellungen labelling() {
    UebEinstellungen s =
        fixedFor(QueryMode::TextInput, RightAction::GreenTick, WrongAction::RedCross,
                 CardOrder::Alphabetical, TargetNumbering::QuestionMarks);
    s.Zeitlimit = TimeMode::Limit;
    s.ZeitlimitSek = 150;
    s.AnzZeichenVorgeben = true;
    return s;
}

UebEinstellungen questions() {
    UebEinstellungen s = fixedFor(QueryMode::Free, RightAction::ShowLabel, WrongAction::RedCross,
                                  CardOrder::Alphabetical, TargetNumbering::Ordered);
    s.Zeitlimit = TimeMode::NoClock;
    s.ZeitlimitSek = 65;
    return s;
}

UebEinstellungen cluster() {
    UebEinstellungen s =
        fixedFor(QueryMode::SingleCard, RightAction::ShowLabel, WrongAction::TryAgain,
                 CardOrder::Random, TargetNumbering::QuestionMarks);
    s.Zeitlimit = TimeMode::Limit;
    s.ZeitlimitSek = 240;
    return s;
}

UebEinstellungen crossMatching() {
    UebEinstellungen s = fixedFor(QueryMode::Free, RightAction::ShowLabel, WrongAction::TryAgain,
                                  CardOrder::Random, TargetNumbering::QuestionMarks);
    s.Zeitlimit = TimeMode::Limit;
    s.ZeitlimitSek = 45;
    return s;
}

INSTANTIATE_TEST_SUITE_P(
    Groups, Snapshot,
    ::testing::Values(SnapshotCase{0, labelling()}, SnapshotCase{1, labelling()},
                      SnapshotCase{2, questions()}, SnapshotCase{3, questions()},
                      SnapshotCase{4, cluster()}, SnapshotCase{5, crossMatching()},
                      SnapshotCase{6, labelling()}, SnapshotCase{9, labelling()}, // unknown type
                      SnapshotCase{-1, labelling()}));

TEST(SnapshotDefaults, EachGroupStartsWithItsDialogsDefaults) {
    const Settings settings;
    const CrossMatchingTime time;
    EXPECT_EQ(takeSnapshot(DokTyp::PictureLabelling, settings, time),
              fixedFor(QueryMode::Free, RightAction::ShowLabel, WrongAction::TryAgain,
                       CardOrder::Random, TargetNumbering::RandomNumbers));
    EXPECT_EQ(takeSnapshot(DokTyp::MultipleChoice, settings, time),
              fixedFor(QueryMode::Free, RightAction::ShowLabel, WrongAction::TryAgain,
                       CardOrder::Random, TargetNumbering::RandomNumbers));
    EXPECT_EQ(takeSnapshot(DokTyp::Cluster, settings, time),
              fixedFor(QueryMode::Free, RightAction::ShowLabel, WrongAction::TryAgain,
                       CardOrder::Random, TargetNumbering::QuestionMarks));
}

TEST(SnapshotDefaults, CodesOutOfRangeFromTheStoreTakeTheDefaults) {
    Settings settings;
    settings.UebOpt = {7, -1, u"3"_s, u"0"_s, 2, 5, 9, -3, false};
    settings.UebOptFragen.ZuordnungFalsch = 2; // only series and network use 2
    settings.UebOptFragen.Zuordnungsziele = 2; // questions have no question marks
    EXPECT_EQ(takeSnapshot(DokTyp::Cloze, settings, {}),
              fixedFor(QueryMode::Free, RightAction::ShowLabel, WrongAction::TryAgain,
                       CardOrder::Random, TargetNumbering::RandomNumbers));
    const UebEinstellungen q = takeSnapshot(DokTyp::SingleQuestions, settings, {});
    EXPECT_EQ(q.ZuordnungFalsch, WrongAction::TryAgain);
    EXPECT_EQ(q.Zuordnungsziele, TargetNumbering::RandomNumbers);
}

TEST(SnapshotDefaults, TimeLimitFromMinutesAndSecondsText) {
    EXPECT_EQ(timeLimitSeconds(u"3"_s, u"0"_s), 180);
    EXPECT_EQ(timeLimitSeconds(u" 2 "_s, u"7"_s), 127);
    EXPECT_EQ(timeLimitSeconds(u""_s, u"5"_s), 5);
    EXPECT_EQ(timeLimitSeconds(u"zwei"_s, u"59"_s), 59);
    EXPECT_EQ(timeLimitSeconds(u"75"_s, u"-4"_s), 59 * 60);
}

struct SeriesCase {
    int dokTyp;
    SeriesPartSettings part;
    QueryMode mode;
    RightAction right;
    WrongAction wrong;
    CardOrder texts;
    TargetNumbering targets;
};

class SeriesOverrides : public ::testing::TestWithParam<SeriesCase> {};

TEST_P(SeriesOverrides, ReplaceTheSnapshotsValues) {
    const SeriesCase& c = GetParam();
    const DokTyp dokTyp = static_cast<DokTyp>(c.dokTyp);
    UebEinstellungen s = takeSnapshot(dokTyp, changedSettings(), {});
    applySeriesOverrides(s, dokTyp, c.part);
    EXPECT_EQ(s.AbfrageModus, c.mode);
    EXPECT_EQ(s.ZuordnungRichtig, c.right);
    EXPECT_EQ(s.ZuordnungFalsch, c.wrong);
    EXPECT_EQ(s.Zuordnungstexte, c.texts);
    EXPECT_EQ(s.Zuordnungsziele, c.targets);
}

using M = SeriesMode;
INSTANTIATE_TEST_SUITE_P(
    Parts, SeriesOverrides,
    ::testing::Values(SeriesCase{0,
                                 {2, 0, M::RepeatUntilSolved},
                                 QueryMode::SinglePosition,
                                 RightAction::ShowLabel,
                                 WrongAction::TryAgain,
                                 CardOrder::Alphabetical,
                                 TargetNumbering::RandomNumbers},
                      SeriesCase{1,
                                 {3, 0, M::OneTry},
                                 QueryMode::TextInput,
                                 RightAction::ShowLabel,
                                 WrongAction::RedCross,
                                 CardOrder::Alphabetical,
                                 TargetNumbering::RandomNumbers},
                      SeriesCase{6,
                                 {1, 0, M::OneTryWithoutFeedback},
                                 QueryMode::SingleCard,
                                 RightAction::Silent,
                                 WrongAction::Silent,
                                 CardOrder::Alphabetical,
                                 TargetNumbering::RandomNumbers},
                      // Questions: no query mode from the entry ("-").
                      SeriesCase{3,
                                 {-1, 0, M::OneTryWithoutFeedback},
                                 QueryMode::Free,
                                 RightAction::Silent,
                                 WrongAction::Silent,
                                 CardOrder::Alphabetical,
                                 TargetNumbering::RandomNumbers},
                      // Cluster and cross matching keep right/wrong feedback in every mode.
                      SeriesCase{4,
                                 {1, 0, M::OneTryWithoutFeedback},
                                 QueryMode::SingleCard,
                                 RightAction::ShowLabel,
                                 WrongAction::TryAgain,
                                 CardOrder::Random,
                                 TargetNumbering::QuestionMarks},
                      SeriesCase{5,
                                 {0, 0, M::OneTryWithoutFeedback},
                                 QueryMode::Free,
                                 RightAction::ShowLabel,
                                 WrongAction::TryAgain,
                                 CardOrder::Random,
                                 TargetNumbering::QuestionMarks},
                      // A query mode the type does not have counts as free.
                      SeriesCase{4,
                                 {3, 0, M::RepeatUntilSolved},
                                 QueryMode::Free,
                                 RightAction::ShowLabel,
                                 WrongAction::TryAgain,
                                 CardOrder::Random,
                                 TargetNumbering::QuestionMarks}));

TEST(SeriesTime, MinutesOfTheEntrySetTheLimit) {
    UebEinstellungen s = takeSnapshot(DokTyp::Cloze, changedSettings(), {});
    applySeriesOverrides(s, DokTyp::Cloze, {0, 5, M::RepeatUntilSolved});
    EXPECT_EQ(s.Zeitlimit, TimeMode::Limit);
    EXPECT_EQ(s.ZeitlimitSek, 300);
    applySeriesOverrides(s, DokTyp::Cloze, {0, 0, M::RepeatUntilSolved});
    EXPECT_EQ(s.Zeitlimit, TimeMode::ClockWithoutLimit);
    EXPECT_EQ(s.ZeitlimitSek, 0);
    // A package may carry any number.
    applySeriesOverrides(s, DokTyp::Cloze, {0, 2'000'000'000, M::RepeatUntilSolved});
    EXPECT_EQ(s.Zeitlimit, TimeMode::Limit);
    EXPECT_GT(s.ZeitlimitSek, 0);
}

} // namespace
} // namespace quorvel
