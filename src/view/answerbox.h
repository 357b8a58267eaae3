// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QSize>
#include <optional>

namespace quorvel {

// The two box pictures of multiple-choice answers: `MCImg0` an empty box
// (answers not marked "+"), `MCImg1` a ticked one, 65 x 65 pixels each,
// drawn once per process. Objects take copies (which share the pixels).
struct AnswerBoxPictures {
    QImage MCImg0;
    QImage MCImg1;
};
const AnswerBoxPictures& answerBoxPictures();

// The box drawn anew at `size` pixels (square inside it, transparent around),
// so that it stays sharp at every zoom; empty or ticked.
QImage drawAnswerBox(bool ticked, QSize size);

// Whether `picture` shares its pixels with one of the two box pictures:
// true for the ticked one, false for the empty one, nullopt for any other.
std::optional<bool> answerBoxShown(const QImage& picture);

} // namespace quorvel
