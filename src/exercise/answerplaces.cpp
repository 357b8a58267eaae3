// SPDX-License-Identifier: GPL-3.0-or-later
#include "answerplaces.h"

#include "objdata.h"
#include "randomgenerator.h"
#include "typecodes.h"

#include <algorithm>
#include <map>

namespace quorvel {

namespace {

// The answer shown at the place of tick box `place`: counting forward from
// it over the boxes of its question (`boxes`, in object order) that have no
// place yet, the (r+1)-th, cyclically.
int pickAnswer(const std::vector<int>& boxes, const std::vector<int>& places, int place, int r) {
    std::vector<int> candidates;
    const auto from = std::lower_bound(boxes.begin(), boxes.end(), place);
    for (auto it = from; it != boxes.end(); ++it) {
        if (places[size_t(*it)] < 0)
            candidates.push_back(*it);
    }
    for (auto it = boxes.begin(); it != from; ++it) {
        if (places[size_t(*it)] < 0)
            candidates.push_back(*it);
    }
    if (candidates.empty())
        return -1;
    return candidates[size_t(r) % candidates.size()];
}

bool isAnswerContent(const ObjDataTyp& o) {
    return typOf(o) == Typ::MCAnswerText || typOf(o) == Typ::MCAnswerPicture;
}

// The boxes of every question, in object order.
std::map<int, std::vector<int>> boxesByQuestion(const std::vector<ObjDataTyp>& objects) {
    std::map<int, std::vector<int>> boxes;
    for (size_t i = 0; i < objects.size(); ++i) {
        if (typOf(objects[i]) == Typ::MCAnswerBox)
            boxes[objects[i].FrageNummer].push_back(int(i));
    }
    return boxes;
}

void moveBy(ObjDataTyp& o, double dx, double dy) {
    o.Kx += dx;
    o.Ky += dy;
    o.Sx += dx;
    o.Sy += dy;
}

} // namespace

std::vector<int> dealAnswerPlaces(const std::vector<ObjDataTyp>& objects, bool random,
                                  RandomGenerator& generator) {
    std::vector<int> places(objects.size(), -1);
    for (const auto& [question, boxes] : boxesByQuestion(objects)) {
        // A question's `AntwortAnz` counts answer pictures only (0 for text
        // answers): the boxes laid out are the answers to deal.
        const int count = int(boxes.size());
        for (int box : boxes) {
            if (!random) {
                places[size_t(box)] = box;
                continue;
            }
            const int chosen = pickAnswer(boxes, places, box, generator.bounded(count));
            if (chosen >= 0)
                places[size_t(chosen)] = box;
        }
    }
    return places;
}

void moveAnswers(std::vector<ObjDataTyp>& objects, const std::vector<int>& places, bool home) {
    if (places.size() != objects.size())
        return;
    for (const auto& [question, boxes] : boxesByQuestion(objects)) {
        // Every box of the question must have a place among its boxes.
        const bool valid = std::all_of(boxes.begin(), boxes.end(), [&](int box) {
            return std::binary_search(boxes.begin(), boxes.end(), places[size_t(box)]);
        });
        if (!valid)
            continue;
        // Where each box stands now; a box's destination is read from these.
        std::map<int, std::pair<double, double>> at;
        for (int box : boxes)
            at[box] = {objects[size_t(box)].Kx, objects[size_t(box)].Ky};
        std::map<int, std::pair<double, double>> to;
        for (int box : boxes) {
            const int place = places[size_t(box)];
            if (home)
                to[place] = at[box]; // the box at place `place`'s spot belongs to `place`
            else
                to[box] = at[place];
        }
        for (int box : boxes) {
            ObjDataTyp& b = objects[size_t(box)];
            const double dx = to[box].first - b.Kx;
            const double dy = to[box].second - b.Ky;
            moveBy(b, dx, dy);
            if (size_t(box) + 1 < objects.size() && isAnswerContent(objects[size_t(box) + 1]) &&
                objects[size_t(box) + 1].FrageNummer == question)
                moveBy(objects[size_t(box) + 1], dx, dy);
        }
    }
}

} // namespace quorvel
