// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace quorvel {

struct ObjDataTyp;
class RandomGenerator;

// A text as it is compared and written into the protocol: hyphenated line
// breaks joined, line breaks and runs of blanks made single blanks, trimmed;
// a text starting with the character 0xFF gets a blank in front. Linear in
// the length of `text`.
QString normalisedText(const QString& text);

// The display text of a query picture (`Typ` 6, 32) at the start of a run:
// `BildKenn` + " (Bildkennung)", or 20 random letters + " (Zufallskennung für
// Bild)" when it has none.
QString pictureIdentifier(const ObjDataTyp& object, RandomGenerator& random);

// The display text of a cross-matching picture (`Typ` 53).
QString matchingPictureText(const ObjDataTyp& object);

// Whether `input` fits the cloze gap alternatives `alternatives` ("|a|b|"):
// "|" + normalised input + "|" occurs in it.
bool matchesAlternative(const QString& input, const QString& alternatives);

} // namespace quorvel
