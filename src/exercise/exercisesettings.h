// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "typecodes.h"

#include <QString>

namespace quorvel {

struct Settings;

// The codes of the exercise settings. The settings store and the network
// keep the plain numbers; a snapshot holds only codes that have an enumerator.
enum class QueryMode : int { Free = 0, SingleCard = 1, SinglePosition = 2, TextInput = 3 };
enum class TimeMode : int { ClockWithoutLimit = 0, Limit = 1, NoClock = 2 };
// What a right answer leaves at the target.
enum class RightAction : int { ShowLabel = 0, GreenTick = 1, Silent = 2 };
// What a wrong answer does to the target.
enum class WrongAction : int { TryAgain = 0, RedCross = 1, Silent = 2 };
enum class CardOrder : int { Alphabetical = 0, Random = 1 };
// For questions: 0 as given, 1 random order of the questions.
enum class TargetNumbering : int { Ordered = 0, RandomNumbers = 1, QuestionMarks = 2 };
enum class FeedbackTiming : int { Immediate = 0, AtEnd = 1 };

// The settings one exercise run works with, copied at its start.
struct UebEinstellungen {
    QueryMode AbfrageModus = QueryMode::Free;
    TimeMode Zeitlimit = TimeMode::ClockWithoutLimit;
    int ZeitlimitSek = 180;
    RightAction ZuordnungRichtig = RightAction::ShowLabel;
    WrongAction ZuordnungFalsch = WrongAction::TryAgain;
    CardOrder Zuordnungstexte = CardOrder::Random;
    TargetNumbering Zuordnungsziele = TargetNumbering::RandomNumbers;
    bool AnzZeichenVorgeben = false;
    FeedbackTiming RiFaRueckmeldung = FeedbackTiming::Immediate;

    friend bool operator==(const UebEinstellungen&, const UebEinstellungen&) = default;
};

// The groups of document types that share one settings dialog.
enum class SettingsGroup { Labelling, Questions, Cluster, CrossMatching };

// Types 2, 3 questions; 4 cluster; 5 cross matching; every other value
// (0, 1, 6 and unknown codes) labelling and cloze.
SettingsGroup settingsGroupOf(DokTyp dokTyp);

// The time settings of the cross-matching dialog. They are not stored: each
// program run starts with these defaults.
struct CrossMatchingTime {
    int Zeitlimit = 0;
    QString ZLimitMin = QStringLiteral("3");
    QString ZLimitSek = QStringLiteral("0");

    friend bool operator==(const CrossMatchingTime&, const CrossMatchingTime&) = default;
};

// Minutes and seconds as the dialogs keep them (text, each 0..59) in
// seconds. Text that is no whole number counts as 0; numbers outside 0..59
// are clamped.
int timeLimitSeconds(const QString& minutes, const QString& seconds);

// The snapshot for a document of `dokTyp`: the values of its group's dialog
// and the fixed values of the fields that group has no control for. A stored
// code outside its range (a hand-edited store) takes the dialog's default.
// `RiFaRueckmeldung` is always Immediate here; only a network exercise sets it.
UebEinstellungen takeSnapshot(DokTyp dokTyp, const Settings& settings,
                              const CrossMatchingTime& crossMatching);

// The series modes (" Übungsmodus ") of an exercise series.
enum class SeriesMode : int { RepeatUntilSolved = 0, OneTry = 1, OneTryWithoutFeedback = 2 };

// What a series entry sets for its part: the entry's query mode (its
// `AbfrageModus`) and time limit in minutes (`ZeitMin`, 0 = none).
struct SeriesPartSettings {
    int AbfrageModus = 0;
    int ZeitMin = 0;
    SeriesMode mode = SeriesMode::RepeatUntilSolved;
};

// Overrides `snapshot` for a part of an exercise series of type `dokTyp`.
// Cluster and cross-matching parts keep right and wrong at 0 whatever the
// series mode; a query mode out of range counts as Free.
void applySeriesOverrides(UebEinstellungen& snapshot, DokTyp dokTyp,
                          const SeriesPartSettings& part);

} // namespace quorvel
