// SPDX-License-Identifier: GPL-3.0-or-later
#include "queryorder.h"

#include "casefreeorder.h"
#include "objdata.h"
#include "randomgenerator.h"
#include "selectionsort.h"

namespace quorvel {

namespace {

template <class Column>
void shuffleColumn(std::vector<QueryPair>& order, RandomGenerator& random, Column column) {
    const int n = int(order.size());
    for (int i = 0; i < n; ++i)
        std::swap(column(order[size_t(i)]), column(order[size_t(random.bounded(n))]));
}

void sortByText(std::vector<QueryPair>& order, const std::vector<QString>& texts, bool byCard) {
    // Keys per entry; an entry without object sorts after every text.
    std::vector<QString> entryTexts;
    std::vector<int> keys; // index into entryTexts, -1 none
    entryTexts.reserve(order.size());
    keys.reserve(order.size());
    for (const QueryPair& pair : order) {
        const int index = byCard ? pair.card : pair.target;
        if (index >= 0 && size_t(index) < texts.size()) {
            keys.push_back(int(entryTexts.size()));
            entryTexts.push_back(texts[size_t(index)]);
        } else {
            keys.push_back(-1);
        }
    }
    const CaseFreeOrder collation(entryTexts);
    const auto less = [&collation](int a, int b) {
        if (a < 0 || b < 0)
            return a >= 0 && b < 0;
        return collation.compare(size_t(a), size_t(b)) < 0;
    };
    selectionSort(keys, less, [&](size_t i, size_t j) {
        if (byCard)
            std::swap(order[i].card, order[j].card);
        else
            std::swap(order[i].target, order[j].target);
    });
}

} // namespace

void shuffleCards(std::vector<QueryPair>& order, RandomGenerator& random) {
    shuffleColumn(order, random, [](QueryPair& p) -> int& { return p.card; });
}

void shuffleTargets(std::vector<QueryPair>& order, RandomGenerator& random) {
    shuffleColumn(order, random, [](QueryPair& p) -> int& { return p.target; });
}

void sortCardsByText(std::vector<QueryPair>& order, const std::vector<QString>& texts) {
    sortByText(order, texts, true);
}

void sortTargetsByText(std::vector<QueryPair>& order, const std::vector<QString>& texts) {
    sortByText(order, texts, false);
}

void sortTargetsByPosition(std::vector<QueryPair>& order, const std::vector<ObjDataTyp>& objects) {
    struct Position {
        bool valid = false;
        double y = 0.0, x = 0.0;
    };
    std::vector<Position> keys;
    keys.reserve(order.size());
    for (const QueryPair& pair : order) {
        if (pair.target >= 0 && size_t(pair.target) < objects.size()) {
            const ObjDataTyp& o = objects[size_t(pair.target)];
            keys.push_back({true, o.Ky, o.Kx});
        } else {
            keys.push_back({});
        }
    }
    const auto less = [](const Position& a, const Position& b) {
        if (!a.valid || !b.valid)
            return a.valid && !b.valid;
        return a.y < b.y || (a.y == b.y && a.x < b.x);
    };
    selectionSort(keys, less,
                  [&](size_t i, size_t j) { std::swap(order[i].target, order[j].target); });
}

void numberTargets(const std::vector<QueryPair>& order, std::vector<ObjDataTyp>& objects,
                   bool questionMarks) {
    int number = 0;
    for (const QueryPair& pair : order) {
        if (pair.target < 0 || size_t(pair.target) >= objects.size())
            continue;
        objects[size_t(pair.target)].AbfrageNummer = questionMarks ? 0 : ++number;
    }
}

} // namespace quorvel
