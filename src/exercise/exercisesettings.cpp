// SPDX-License-Identifier: GPL-3.0-or-later
#include "exercisesettings.h"

#include "settings.h"

#include <algorithm>
#include <limits>

namespace quorvel {

namespace {

// A stored code within [0, last] as its enumerator, else `fallback`.
template <class E> E codeOr(int stored, int last, E fallback) {
    return stored >= 0 && stored <= last ? static_cast<E>(stored) : fallback;
}

int clockPart(const QString& text) {
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    return ok ? std::clamp(value, 0, 59) : 0;
}

bool seriesModeApplies(DokTyp dokTyp) {
    const int code = codeOf(dokTyp);
    return (code >= 0 && code <= 3) || dokTyp == DokTyp::Crossword;
}

} // namespace

SettingsGroup settingsGroupOf(DokTyp dokTyp) {
    switch (dokTyp) {
    case DokTyp::SingleQuestions:
    case DokTyp::MultipleChoice:
        return SettingsGroup::Questions;
    case DokTyp::Cluster:
        return SettingsGroup::Cluster;
    case DokTyp::CrossMatching:
        return SettingsGroup::CrossMatching;
    default:
        return SettingsGroup::Labelling;
    }
}

int timeLimitSeconds(const QString& minutes, const QString& seconds) {
    return clockPart(minutes) * 60 + clockPart(seconds);
}

UebEinstellungen takeSnapshot(DokTyp dokTyp, const Settings& settings,
                              const CrossMatchingTime& crossMatching) {
    UebEinstellungen s;
    const auto time = [&s](int zeitlimit, const QString& minutes, const QString& seconds) {
        s.Zeitlimit = codeOr(zeitlimit, 2, TimeMode::ClockWithoutLimit);
        s.ZeitlimitSek = timeLimitSeconds(minutes, seconds);
    };
    switch (settingsGroupOf(dokTyp)) {
    case SettingsGroup::Labelling: {
        const UebOptSettings& o = settings.UebOpt;
        s.AbfrageModus = codeOr(o.AbfrageModus, 3, QueryMode::Free);
        time(o.ZeitLimit, o.ZLimitMin, o.ZLimitSek);
        s.ZuordnungRichtig = codeOr(o.ZuordnungRichtig, 1, RightAction::ShowLabel);
        s.ZuordnungFalsch = codeOr(o.ZuordnungFalsch, 1, WrongAction::TryAgain);
        s.Zuordnungstexte = codeOr(o.Zuordnungstexte, 1, CardOrder::Random);
        s.Zuordnungsziele = codeOr(o.Zuordnungsziele, 2, TargetNumbering::RandomNumbers);
        s.AnzZeichenVorgeben = o.AnzZeichenVorgeben;
        break;
    }
    case SettingsGroup::Questions: {
        const UebOptFragenSettings& o = settings.UebOptFragen;
        s.AbfrageModus = QueryMode::Free;
        time(o.Zeitlimit, o.ZLimitMin, o.ZLimitSek);
        s.ZuordnungRichtig = RightAction::ShowLabel;
        s.ZuordnungFalsch = codeOr(o.ZuordnungFalsch, 1, WrongAction::TryAgain);
        s.Zuordnungstexte = codeOr(o.Zuordnungstexte, 1, CardOrder::Random);
        s.Zuordnungsziele = codeOr(o.Zuordnungsziele, 1, TargetNumbering::RandomNumbers);
        break;
    }
    case SettingsGroup::Cluster: {
        const UebOptKorbSettings& o = settings.UebOptKorb;
        s.AbfrageModus = codeOr(o.AbfrageModus, 1, QueryMode::Free);
        time(o.Zeitlimit, o.ZLimitMin, o.ZLimitSek);
        s.ZuordnungRichtig = RightAction::ShowLabel;
        s.ZuordnungFalsch = WrongAction::TryAgain;
        s.Zuordnungstexte = CardOrder::Random;
        s.Zuordnungsziele = TargetNumbering::QuestionMarks;
        break;
    }
    case SettingsGroup::CrossMatching:
        s.AbfrageModus = QueryMode::Free;
        time(crossMatching.Zeitlimit, crossMatching.ZLimitMin, crossMatching.ZLimitSek);
        s.ZuordnungRichtig = RightAction::ShowLabel;
        s.ZuordnungFalsch = WrongAction::TryAgain;
        s.Zuordnungstexte = CardOrder::Random;
        s.Zuordnungsziele = TargetNumbering::QuestionMarks;
        break;
    }
    s.RiFaRueckmeldung = FeedbackTiming::Immediate;
    return s;
}

void applySeriesOverrides(UebEinstellungen& snapshot, DokTyp dokTyp,
                          const SeriesPartSettings& part) {
    switch (dokTyp) {
    case DokTyp::PictureLabelling:
    case DokTyp::Cloze:
    case DokTyp::Crossword:
        snapshot.AbfrageModus = codeOr(part.AbfrageModus, 3, QueryMode::Free);
        break;
    case DokTyp::Cluster:
        snapshot.AbfrageModus = codeOr(part.AbfrageModus, 1, QueryMode::Free);
        break;
    default:
        snapshot.AbfrageModus = QueryMode::Free;
        break;
    }
    if (seriesModeApplies(dokTyp)) {
        const int mode = std::clamp(static_cast<int>(part.mode), 0, 2);
        snapshot.ZuordnungFalsch = static_cast<WrongAction>(mode);
        snapshot.ZuordnungRichtig = mode == 2 ? RightAction::Silent : RightAction::ShowLabel;
        snapshot.Zuordnungstexte = CardOrder::Alphabetical;
        snapshot.Zuordnungsziele = TargetNumbering::RandomNumbers;
    } else if (dokTyp == DokTyp::Cluster || dokTyp == DokTyp::CrossMatching) {
        snapshot.ZuordnungRichtig = RightAction::ShowLabel;
        snapshot.ZuordnungFalsch = WrongAction::TryAgain;
    }
    // A package may carry any number; the limit must not overflow.
    const int minutes = std::clamp(part.ZeitMin, 0, std::numeric_limits<int>::max() / 60);
    snapshot.Zeitlimit = minutes > 0 ? TimeMode::Limit : TimeMode::ClockWithoutLimit;
    snapshot.ZeitlimitSek = minutes * 60;
}

} // namespace quorvel
