// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

namespace quorvel {

// Comma text: the lines of a text joined by commas, a line quoted (with
// doubled quotes inside) when it holds a character up to code 32, a quote or a
// comma. Used for captions and the multiple-choice data.
QString toCommaText(const QString& text);

// The inverse: the lines joined with CR LF, trailing CR and LF removed.
QString fromCommaText(const QString& commaText);

// The entries of a comma text as a list: blanks (codes 1 to 32) before and
// after an entry are skipped, a quoted entry runs to its closing quote
// (doubled quotes become one), an empty entry between two commas is kept and
// a comma at the very end adds none. A NUL ends the text.
QStringList commaTextEntries(const QString& commaText);

} // namespace quorvel
