#pragma once

namespace quorvel {

// Groups of object types as the page composition and object drawing treat them.

// Info points, link points and document points.
bool isPointTyp(int typ);
// The round buttons: question navigation (12-16) and the info and link buttons
// of multiple-choice questions (28, 29).
bool isButtonTyp(int typ);
// Objects drawn onto the page with fixed objects: labels, points and pictures
// that are never covered.
bool isFixedObject(int typ);
// Query fields that the first drawing pass draws only while uncovered.
bool isCoverableInFirstPass(int typ);
// Query fields drawn once more above everything else at the end.
bool isDrawnOnTop(int typ);

} // namespace quorvel
