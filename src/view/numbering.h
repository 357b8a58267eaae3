// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <vector>

namespace quorvel {

class Document;
class RandomGenerator;

// Numbering modes of the query fields (the main window's numbering mode).
enum NumberingMode : int {
    NumberingQuestionMarks = 0,
    NumberingOrdered = 1,
    NumberingRandom = 2,
};

// The label of a query field's number: "?" for n < 1; with NumArt 1 the letter
// chr(65 + (n - 1) mod 26) followed by (n - 1) div 26 apostrophes; otherwise
// the decimal number.
QString numberText(int number, int numArt);

// Indices of the objects that take part in the numbering of a document, in
// list order.
std::vector<int> numberingCandidates(const Document& document);

// Assigns `AbfrageNummer` to the query fields in the given mode (ordered by
// position or by caption, random, or question marks), numbers multiple-choice
// answers within their question, and uncovers every object that is not a
// query field. Random choices come from `random`. The caller recomposes.
void numberQueryFields(Document& document, int modus, RandomGenerator& random);

// After loading: covers every object, then numbers in the given mode.
void coverAndNumber(Document& document, int modus, RandomGenerator& random);

} // namespace quorvel
