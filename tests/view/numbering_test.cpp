// SPDX-License-Identifier: GPL-3.0-or-later
#include "numbering.h"
#include "randomgenerator.h"
#include "viewtestsupport.h"

#include <algorithm>
#include <gtest/gtest.h>

using namespace quorvel;
using namespace quorvel::test;

namespace {

std::vector<int> numbers(const Document& d) {
    std::vector<int> n;
    for (const ObjDataTyp& o : d.objects)
        n.push_back(o.AbfrageNummer);
    return n;
}

} // namespace

TEST(Numbering, LabelsAsDigitsOrLettersWithApostrophes) {
    struct Case {
        int number, numArt;
        const char16_t* text;
    };
    const Case cases[] = {
        {1, 1, u"A"}, {26, 1, u"Z"}, {27, 1, u"A'"}, {52, 1, u"Z'"}, {53, 1, u"A''"},
        {0, 1, u"?"}, {-1, 0, u"?"}, {27, 0, u"27"}, {1, 0, u"1"},
    };
    for (const Case& f : cases)
        EXPECT_EQ(numberText(f.number, f.numArt), QString::fromUtf16(f.text)) << f.number;
}

TEST(Numbering, CandidatesDependOnTheDocumentType) {
    Document d = emptyDocument(100, 100);
    for (int typ : {0, 1, 2, 3, 6, 10, 20, 24, 51, 51, 53, 60})
        d.objects.push_back(object(typ, 0.5, 0.5));
    d.objects[9].Aktiv = true; // the second 51

    d.header.DokTyp = 0;
    EXPECT_EQ(numberingCandidates(d), (std::vector<int>{0, 3, 4, 6, 9, 11}))
        << "cross-matching elements only when active";
    d.header.DokTyp = 2;
    EXPECT_EQ(numberingCandidates(d), (std::vector<int>{5}));
    d.header.DokTyp = 3;
    EXPECT_EQ(numberingCandidates(d), (std::vector<int>{7}));
    d.header.DokTyp = 6;
    EXPECT_EQ(numberingCandidates(d), (std::vector<int>{0, 3, 4, 6, 9, 11}));
}

TEST(Numbering, OrderedTopToBottomThenLeftToRightOrByCaption) {
    Document d = emptyDocument(100, 100);
    d.objects.push_back(object(0, 0.8, 0.5, QStringLiteral("beta")));
    d.objects.push_back(object(0, 0.2, 0.5, QStringLiteral("Alpha")));
    d.objects.push_back(object(0, 0.5, 0.1, QStringLiteral("gamma")));
    d.objects.push_back(object(1, 0.5, 0.0, QStringLiteral("fest")));
    d.objects.push_back(object(20, 0.5, 0.0, QStringLiteral("frage")));
    RandomGenerator random(1);

    coverAndNumber(d, NumberingOrdered, random);
    EXPECT_EQ(numbers(d), (std::vector<int>{4, 3, 2, -1, -1}));
    // Position 1 went to the question (Typ 20, smallest Ky with the label),
    // which takes no number: the query fields keep their places.
    EXPECT_EQ(d.objects[0].AbfrageStatus, AbfrageStatus::Covered);
    EXPECT_EQ(d.objects[3].AbfrageStatus, AbfrageStatus::Uncovered)
        << "fixed objects are uncovered";
    EXPECT_EQ(d.objects[4].AbfrageStatus, AbfrageStatus::Uncovered)
        << "so is a candidate without number";

    d.header.GeordnetArt = 1;
    numberQueryFields(d, NumberingOrdered, random);
    EXPECT_EQ(d.objects[1].AbfrageNummer, 1) << "Alpha before beta, case ignored";
    EXPECT_EQ(d.objects[0].AbfrageNummer, 2);

    numberQueryFields(d, NumberingQuestionMarks, random);
    EXPECT_EQ(numbers(d), (std::vector<int>{0, 0, 0, -1, -1}));
}

TEST(Numbering, RandomNumbersAreAPermutationFromTheSeededGenerator) {
    Document d = emptyDocument(100, 100);
    for (int i = 0; i < 12; ++i)
        d.objects.push_back(object(0, 0.5, i / 12.0));
    RandomGenerator a(42), b(42);
    numberQueryFields(d, NumberingRandom, a);
    const std::vector<int> first = numbers(d);
    numberQueryFields(d, NumberingRandom, b);
    EXPECT_EQ(numbers(d), first) << "the same seed, the same numbers";

    std::vector<int> sorted = first;
    std::sort(sorted.begin(), sorted.end());
    for (int i = 0; i < 12; ++i)
        EXPECT_EQ(sorted[size_t(i)], i + 1);
    EXPECT_NE(first, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}));
}

TEST(Numbering, MultipleChoiceAnswersCountWithinTheirQuestion) {
    Document d = emptyDocument(100, 100);
    d.header.DokTyp = 3;
    for (int question : {1, 1, 1, 2, 2}) {
        ObjDataTyp answer = object(24, 0.5, 0.9 - question * 0.1);
        answer.FrageNummer = question;
        d.objects.push_back(answer);
    }
    d.objects.push_back(object(0, 0.5, 0.5)); // no candidate in this type
    RandomGenerator random(7);

    numberQueryFields(d, NumberingOrdered, random);
    EXPECT_EQ(numbers(d), (std::vector<int>{1, 2, 3, 1, 2, -1}));

    numberQueryFields(d, NumberingRandom, random);
    std::vector<int> first(d.objects.size() - 1);
    for (size_t i = 0; i < first.size(); ++i)
        first[i] = d.objects[i].AbfrageNummer;
    std::sort(first.begin(), first.begin() + 3);
    std::sort(first.begin() + 3, first.end());
    EXPECT_EQ(first, (std::vector<int>{1, 2, 3, 1, 2}));
}

TEST(Numbering, SingleQuestionAnswersShowQuestionMarks) {
    Document d = emptyDocument(100, 100);
    d.header.DokTyp = 2;
    d.objects.push_back(object(10, 0.5, 0.5));
    d.objects.push_back(object(0, 0.5, 0.5));
    RandomGenerator random(1);
    coverAndNumber(d, NumberingOrdered, random);
    EXPECT_EQ(numbers(d), (std::vector<int>{0, -1}));
    EXPECT_EQ(d.objects[0].AbfrageStatus, AbfrageStatus::Covered);
}
