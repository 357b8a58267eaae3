// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "exercisesettings.h"
#include "grading.h"
#include "protocol.h"
#include "teacherstate.h"

#include <QDateTime>
#include <QString>
#include <vector>

namespace quorvel {

class Document;

// The teacher's numbers of the query fields of `document`, one per object
// (0: no field). When the view shows question marks every field has the
// number 0; the grid then uses the ordered numbering, so that each field
// still has its column and the information page names it.
std::vector<int> teacherNumbersOf(const Document& document);

// The grid of a new network exercise of `document`: one column per query
// field (none in text-input mode), "Restzeit" under a time limit, the grade
// or points header of the scale.
TeacherState::Setup teacherSetupOf(const Document& document, const std::vector<int>& numbers,
                                   const UebEinstellungen& settings, const GradingTable& grading);

// What the teacher's information page starts with (report markup): the
// title, the exercise settings as the protocol lists them, and the solution
// of every numbered field, sorted.
struct NetworkInformationInput {
    const Document* document = nullptr;
    std::vector<int> numbers; // teacherNumbersOf()
    UebEinstellungen settings;
    GradingTable grading;
    ProtocolContext context; // this computer, the folder and the channel
    QDateTime start;
};
QString networkInformation(const NetworkInformationInput& input);

} // namespace quorvel
