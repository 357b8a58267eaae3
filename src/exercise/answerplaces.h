// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <vector>

namespace quorvel {

struct ObjDataTyp;
class RandomGenerator;

// Deals the places of the multiple-choice answers of a run. Per object index:
// for a tick box (`Typ` 24) the tick box at whose place its answer is shown,
// -1 for every other object. In `random` order the places of each question
// are dealt in object order: for the box at place i, counting forward
// cyclically from i over the boxes of the question that have no place yet,
// the (r+1)-th, r below the question's number of answers; otherwise every
// answer keeps its own place.
std::vector<int> dealAnswerPlaces(const std::vector<ObjDataTyp>& objects, bool random,
                                  RandomGenerator& generator);

// Moves every answer to its place (`home` false) or back (`home` true): its
// tick box to the position its place's box has at home, and the answer text
// or picture right after the box by the same distance, so that the box and
// its answer are always shown together. `places` is what dealAnswerPlaces
// gave for these objects; a list that does not match them changes nothing.
void moveAnswers(std::vector<ObjDataTyp>& objects, const std::vector<int>& places, bool home);

} // namespace quorvel
