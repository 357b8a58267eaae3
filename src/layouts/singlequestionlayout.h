// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace quorvel {

class Document;

// One line of a single-question text: the question before the first "//",
// the answer after it, both trimmed; a line without "//" is a question whose
// answer is "---".
struct SingleQuestion {
    QString question;
    QString answer;
};
SingleQuestion splitSingleQuestion(const QString& line);

// The single-question layout (`DokTyp` 2; any other type is left as it is).
// With `build` every object of `Typ` 10 to 17 is removed; unless `fragentext`
// is empty (then it stops and leaves the current question alone), the
// navigation buttons and four objects per non-blank line are appended in text
// order (heading, question, "Antwort:", answer), `AnzFrageNummern` becomes the
// number of questions and, outside an exercise, every answer's runtime answer
// state (`Marker1`) is -1. Building or not, `currentQuestion` is corrected.
void layOutSingleQuestions(Document& document, bool build, int& currentQuestion,
                           bool exerciseRunning);

} // namespace quorvel
