// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "uebungssitzung.h"

#include <QString>
#include <vector>

namespace quorvel {

struct ObjDataTyp;
class RandomGenerator;

// The card column of `order` shuffled: for each entry i from the first to
// the last, its card is swapped with the card of an entry drawn from all
// entries. Not a uniform permutation, and meant to be exactly this one.
void shuffleCards(std::vector<QueryPair>& order, RandomGenerator& random);
// The same for the target column.
void shuffleTargets(std::vector<QueryPair>& order, RandomGenerator& random);

// Selection sorts (for each i the smallest of i..last, ties keeping the
// earlier entry, swapped to i), case-insensitive in the user's locale.
// `texts` holds a text per object index. Entries without target (-1) sort
// after every target.
void sortCardsByText(std::vector<QueryPair>& order, const std::vector<QString>& texts);
void sortTargetsByText(std::vector<QueryPair>& order, const std::vector<QString>& texts);
// Targets top to bottom by their card position `Ky`, then left to right by `Kx`.
void sortTargetsByPosition(std::vector<QueryPair>& order, const std::vector<ObjDataTyp>& objects);

// Numbers the targets of `order` 1, 2, 3 ... in its order (entries without
// target are skipped), or every target 0 (question mark) with `questionMarks`.
void numberTargets(const std::vector<QueryPair>& order, std::vector<ObjDataTyp>& objects,
                   bool questionMarks);

} // namespace quorvel
