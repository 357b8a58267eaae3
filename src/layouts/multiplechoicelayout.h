// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

namespace quorvel {

class Document;

// The data of a multiple-choice question (`Typ` 20 or 21) read from its
// `Cap`, a comma text of six entries; missing entries count as empty, the
// titles as "Info" and "Link".
struct MCQuestionData {
    QString question;        // entry 0 without trailing blanks
    QStringList answerLines; // the lines of entry 1 after trimming it as a whole
    QString infoText;
    QString linkedFile;
    QString infoTitle = QStringLiteral("Info");
    QString linkTitle = QStringLiteral("Link");
};
MCQuestionData readMCQuestion(const QString& cap);

// One answer line: its first character is the mark ("+" correct), the rest
// trimmed is the text, with every "<br>" as a line break.
struct MCAnswer {
    QChar mark;
    QString text;
};
MCAnswer splitMCAnswer(const QString& line);

// `Fsize` of a question text of `length` characters:
// max(-1, 5 - max(0, length - 60) div 12).
int mcQuestionFontSize(qsizetype length);

// The multiple-choice layout (`DokTyp` 3; any other type is left as it is).
// With `build` every object of `Typ` 12 to 17 and 22 to 29 is removed and,
// for each question object in list order, its heading, question text,
// question picture, info and link points, answer boxes (with copies of
// `MCImg0`/`MCImg1`), answer texts or pictures and "OK" button are appended
// after the navigation buttons; `AnzFrageNummern` becomes the number of
// questions and, outside an exercise, every answer box's runtime answer state
// (`Marker1`) is -1. Building or not, `currentQuestion` is corrected.
void layOutMultipleChoice(Document& document, bool build, int& currentQuestion,
                          bool exerciseRunning);

} // namespace quorvel
