#pragma once

#include <QString>

namespace quorvel {

// Comma text: the lines of a text joined by commas, a line quoted (with
// doubled quotes inside) when it holds a character up to code 32, a quote or a
// comma. Used for captions and the multiple-choice data.
QString toCommaText(const QString& text);

// The inverse: the lines joined with CR LF, trailing CR and LF removed.
QString fromCommaText(const QString& commaText);

} // namespace quorvel
