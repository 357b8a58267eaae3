// SPDX-License-Identifier: GPL-3.0-or-later
#include "numbering.h"

#include "document.h"
#include "randomgenerator.h"
#include "selectionsort.h"

#include <QCollator>
#include <algorithm>
#include <cmath>
#include <map>
#include <numeric>
#include <utility>

namespace quorvel {

namespace {

// Dense ranks of the objects in `list` under `smaller`, a strict weak order.
template <typename Less>
std::vector<int> ranks(const std::vector<int>& list, size_t objectCount, Less smaller) {
    std::vector<int> sorted = list;
    std::sort(sorted.begin(), sorted.end(), smaller);
    std::vector<int> rang(objectCount, 0);
    int r = 0;
    for (size_t k = 0; k < sorted.size(); ++k) {
        if (k > 0 && smaller(sorted[k - 1], sorted[k]))
            ++r;
        rang[size_t(sorted[k])] = r;
    }
    return rang;
}

// Dense ranks as ranks() gives them, from keys computed once per caption:
// comparing long captions that share a long beginning costs the collator
// as much as reading them, thousands of times. The keys must order the
// captions as `compare` does; that is checked on the neighbours of the
// sorted list (which suffices, as both are orders), and false is returned
// when they do not (then nothing is decided by the keys).
template <typename KeyLess, typename Compare>
bool ranksByKeys(const std::vector<int>& list, size_t objectCount, KeyLess less, Compare compare,
                 std::vector<int>& rank) {
    std::vector<int> sorted = list;
    std::stable_sort(sorted.begin(), sorted.end(), less);
    rank.assign(objectCount, 0);
    int r = 0;
    for (size_t k = 0; k < sorted.size(); ++k) {
        if (k > 0) {
            const int c = compare(sorted[k - 1], sorted[k]);
            if (c > 0 || (c < 0) != less(sorted[k - 1], sorted[k]))
                return false;
            if (c < 0)
                ++r;
        }
        rank[size_t(sorted[k])] = r;
    }
    return true;
}

// The ranks of the captions in the collator's order.
std::vector<int> alphabeticalRanks(const Document& document, const std::vector<int>& list) {
    const auto& objects = document.objects;
    QCollator collator;
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    const auto compare = [&](int a, int b) {
        return collator.compare(objects[size_t(a)].Cap, objects[size_t(b)].Cap);
    };
    std::vector<int> position(objects.size(), 0);
    for (size_t k = 0; k < list.size(); ++k)
        position[size_t(list[k])] = int(k);
    std::vector<int> rank;
    {
        // The collator's own sort keys (what it compares, when it has any).
        std::vector<QCollatorSortKey> keys;
        keys.reserve(list.size());
        for (int i : list)
            keys.push_back(collator.sortKey(objects[size_t(i)].Cap));
        if (ranksByKeys(
                list, objects.size(),
                [&](int a, int b) {
                    return keys[size_t(position[size_t(a)])].compare(
                               keys[size_t(position[size_t(b)])]) < 0;
                },
                compare, rank))
            return rank;
    }
    {
        // Without a locale the collator compares case-folded characters.
        std::vector<QString> folded;
        folded.reserve(list.size());
        for (int i : list)
            folded.push_back(objects[size_t(i)].Cap.toCaseFolded());
        if (ranksByKeys(
                list, objects.size(),
                [&](int a, int b) {
                    return folded[size_t(position[size_t(a)])] <
                           folded[size_t(position[size_t(b)])];
                },
                compare, rank))
            return rank;
    }
    return ranks(list, objects.size(), [&](int a, int b) { return compare(a, b) < 0; });
}

// Orders `list` by each element's dense rank in `rankOf` (equal keys, equal
// ranks) as the selection sort does.
void sortByRank(std::vector<int>& list, const std::vector<int>& rankOf) {
    selectionSort(
        list, [&rankOf](int a, int b) { return rankOf[size_t(a)] < rankOf[size_t(b)]; },
        [](size_t, size_t) {});
}

// Positions as a total order: a NaN from a file sorts after every number.
bool beforePosition(double a, double b) {
    if (std::isnan(a))
        return false;
    return std::isnan(b) || a < b;
}

bool samePosition(double a, double b) {
    return (std::isnan(a) && std::isnan(b)) || a == b;
}

void sortByCaption(const Document& document, std::vector<int>& list) {
    const auto& objects = document.objects;
    if (numberingOrderOf(document.header) == NumberingOrder::Alphabetical) {
        sortByRank(list, alphabeticalRanks(document, list));
    } else {
        sortByRank(list, ranks(list, objects.size(), [&](int a, int b) {
                       const ObjDataTyp& oa = objects[size_t(a)];
                       const ObjDataTyp& ob = objects[size_t(b)];
                       return beforePosition(oa.Ky, ob.Ky) ||
                              (samePosition(oa.Ky, ob.Ky) && beforePosition(oa.Kx, ob.Kx));
                   }));
    }
}

// Every position swapped with a random one of the whole list. This is not a
// uniform shuffle, but it is the order the program has always produced.
void shuffle(std::vector<int>& list, RandomGenerator& random) {
    const int n = int(list.size());
    for (int i = 0; i < n; ++i)
        std::swap(list[size_t(i)], list[size_t(random.bounded(n))]);
}

// Multiple-choice answers count within their question: 1..k in list order, or a
// random permutation of 1..k.
void numberAnswers(Document& document, const std::vector<int>& candidates, bool randomly,
                   RandomGenerator& random) {
    std::map<int, std::vector<int>> perQuestion;
    for (int index : candidates) {
        const ObjDataTyp& o = document.objects[size_t(index)];
        if (numberStyle(typOf(o)) == NumberStyle::WithinQuestion)
            perQuestion[o.FrageNummer].push_back(index);
    }
    for (auto& [question, answers] : perQuestion) {
        std::vector<int> numbers(answers.size());
        std::iota(numbers.begin(), numbers.end(), 1);
        if (randomly) {
            for (int i = int(numbers.size()) - 1; i > 0; --i)
                std::swap(numbers[size_t(i)], numbers[size_t(random.bounded(i + 1))]);
        }
        for (size_t k = 0; k < answers.size(); ++k)
            document.objects[size_t(answers[k])].AbfrageNummer = numbers[k];
    }
}

} // namespace

QString numberText(int number, int numArt) {
    if (number < 1)
        return QStringLiteral("?");
    if (numberingStyleFromCode(numArt) != NumberingStyle::Letters)
        return QString::number(number);
    QString text(QChar(u'A' + (number - 1) % 26));
    text += QString((number - 1) / 26, u'\'');
    return text;
}

std::vector<int> numberingCandidates(const Document& document) {
    std::vector<int> candidates;
    const DokTyp dokTyp = dokTypOf(document.header);
    for (size_t i = 0; i < document.objects.size(); ++i) {
        const ObjDataTyp& o = document.objects[i];
        const Typ typ = typOf(o);
        if (isNumberedIn(dokTyp, typ) && (!isActiveOnly(typ) || o.Aktiv))
            candidates.push_back(int(i));
    }
    return candidates;
}

void numberQueryFields(Document& document, int modus, RandomGenerator& random) {
    std::vector<int> list = numberingCandidates(document);
    // Multiple-choice answers keep list order: they are numbered per question.
    if (dokTypOf(document.header) != DokTyp::MultipleChoice) {
        if (modus == NumberingOrdered)
            sortByCaption(document, list);
        else if (modus == NumberingRandom)
            shuffle(list, random);
    }

    for (size_t p = 1; p <= list.size(); ++p) {
        ObjDataTyp& o = document.objects[size_t(list[p - 1])];
        switch (numberStyle(typOf(o))) {
        case NumberStyle::Position:
            o.AbfrageNummer = modus == NumberingQuestionMarks ? 0 : int(p);
            break;
        case NumberStyle::QuestionMark:
            o.AbfrageNummer = 0;
            break;
        case NumberStyle::WithinQuestion:
            break; // below
        case NumberStyle::None:
            o.AbfrageNummer = -1;
            o.AbfrageStatus = AbfrageStatus::Uncovered;
            break;
        }
    }
    numberAnswers(document, list, modus == NumberingRandom, random);

    for (ObjDataTyp& o : document.objects) {
        if (!isQueryField(typOf(o)))
            o.AbfrageStatus = AbfrageStatus::Uncovered;
    }
}

void coverAndNumber(Document& document, int modus, RandomGenerator& random) {
    for (ObjDataTyp& o : document.objects)
        o.AbfrageStatus = AbfrageStatus::Covered;
    numberQueryFields(document, modus, random);
}

} // namespace quorvel
