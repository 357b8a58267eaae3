// SPDX-License-Identifier: GPL-3.0-or-later
#include "objdata.h"
#include "queryorder.h"
#include "randomgenerator.h"

#include <gtest/gtest.h>
#include <map>

namespace quorvel {
namespace {

using namespace Qt::Literals::StringLiterals;

std::vector<QueryPair> identity(int n) {
    std::vector<QueryPair> order;
    for (int i = 0; i < n; ++i)
        order.push_back({i, i});
    return order;
}

std::vector<int> cards(const std::vector<QueryPair>& order) {
    std::vector<int> out;
    for (const QueryPair& p : order)
        out.push_back(p.card);
    return out;
}

std::vector<int> targets(const std::vector<QueryPair>& order) {
    std::vector<int> out;
    for (const QueryPair& p : order)
        out.push_back(p.target);
    return out;
}

TEST(QueryOrder, ShuffleHasTheDistributionOfSwappingWithAnyIndex) {
    // All 27 equally likely draw sequences of three swaps give the expected
    // share of each permutation (4/27 or 5/27, not 1/6).
    std::map<std::vector<int>, int> paths;
    for (int a = 0; a < 3; ++a)
        for (int b = 0; b < 3; ++b)
            for (int c = 0; c < 3; ++c) {
                std::vector<int> v{0, 1, 2};
                std::swap(v[0], v[size_t(a)]);
                std::swap(v[1], v[size_t(b)]);
                std::swap(v[2], v[size_t(c)]);
                ++paths[v];
            }
    RandomGenerator random(42);
    constexpr int kRuns = 54000;
    std::map<std::vector<int>, int> seen;
    for (int run = 0; run < kRuns; ++run) {
        auto order = identity(3);
        shuffleCards(order, random);
        ++seen[cards(order)];
        EXPECT_EQ(targets(order), (std::vector<int>{0, 1, 2})) << "targets stay";
    }
    ASSERT_EQ(seen.size(), 6u);
    for (const auto& [permutation, count] : seen) {
        const double expected = kRuns * paths[permutation] / 27.0;
        EXPECT_NEAR(count, expected, 600.0); // ~7 standard deviations, 1,000 apart
    }
}

TEST(QueryOrder, ShuffleIsFixedBySeed) {
    RandomGenerator a(5), b(5);
    auto first = identity(12), second = identity(12);
    shuffleTargets(first, a);
    shuffleTargets(second, b);
    EXPECT_EQ(first, second);
    EXPECT_NE(targets(first), targets(identity(12)));
    EXPECT_EQ(cards(first), cards(identity(12)));
}

TEST(QueryOrder, SortsCardsCaseInsensitivelyKeepingTiesInSelectionOrder) {
    const std::vector<QString> texts = {u"birne"_s, u"Apfel"_s, u"Birne"_s, u"apfel"_s,
                                        u"Zitrone"_s};
    auto order = identity(5);
    sortCardsByText(order, texts);
    // Selection sort: i=0 takes "Apfel" (1, the earlier tie) and moves "birne" to 1;
    // i=1 takes "apfel" (3) and moves "birne" to 3; i=2 keeps "Birne" (2) before "birne" (3).
    EXPECT_EQ(cards(order), (std::vector<int>{1, 3, 2, 0, 4}));
    EXPECT_EQ(targets(order), targets(identity(5)));
}

TEST(QueryOrder, LongListsSortAsThePlainSelectionSortDoes) {
    // Many ties, so that the order of equal texts shows the algorithm.
    RandomGenerator random(9);
    std::vector<QString> texts;
    for (int i = 0; i < 600; ++i)
        texts.push_back(QString(QChar(u'a' + random.bounded(8))) +
                        (random.bounded(2) ? u"X"_s : u"x"_s));
    std::vector<int> expected(texts.size());
    for (size_t i = 0; i < expected.size(); ++i)
        expected[i] = int(i);
    for (size_t i = 0; i < expected.size(); ++i) {
        size_t smallest = i;
        for (size_t j = i + 1; j < expected.size(); ++j) {
            if (texts[size_t(expected[j])].toCaseFolded() <
                texts[size_t(expected[smallest])].toCaseFolded())
                smallest = j;
        }
        std::swap(expected[i], expected[smallest]);
    }
    auto order = identity(int(texts.size()));
    sortCardsByText(order, texts);
    EXPECT_EQ(cards(order), expected);
}

TEST(QueryOrder, DistractorsWithoutTargetSortLast) {
    const std::vector<QString> texts = {u"b"_s, u"a"_s};
    std::vector<QueryPair> order = {{0, -1}, {1, 1}, {0, 0}};
    sortTargetsByText(order, texts);
    EXPECT_EQ(targets(order), (std::vector<int>{1, 0, -1}));
}

TEST(QueryOrder, PositionSortGoesTopToBottomThenLeftToRight) {
    std::vector<ObjDataTyp> objects(4);
    const double spots[4][2] = {{0.5, 0.3}, {0.2, 0.3}, {0.9, 0.1}, {0.2, 0.3}};
    for (size_t i = 0; i < 4; ++i) {
        objects[i].Kx = spots[i][0];
        objects[i].Ky = spots[i][1];
    }
    auto order = identity(4);
    sortTargetsByPosition(order, objects);
    EXPECT_EQ(targets(order), (std::vector<int>{2, 1, 3, 0}));
}

TEST(QueryOrder, TargetNumbersSkipDistractorsOrAreQuestionMarks) {
    std::vector<ObjDataTyp> objects(3);
    const std::vector<QueryPair> order = {{2, 2}, {1, -1}, {0, 0}};
    numberTargets(order, objects, false);
    EXPECT_EQ(objects[2].AbfrageNummer, 1);
    EXPECT_EQ(objects[0].AbfrageNummer, 2);
    EXPECT_EQ(objects[1].AbfrageNummer, -1);
    numberTargets(order, objects, true);
    EXPECT_EQ(objects[2].AbfrageNummer, 0);
    EXPECT_EQ(objects[0].AbfrageNummer, 0);
}

} // namespace
} // namespace quorvel
