// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

namespace quorvel {

// Writes a report-markup text as a rich-text (RTF) file body that word
// processors show like the report window: title lines bold and followed by a
// size-4 spacer line, all other lines size 9, one tab stop at 160 points.
// Characters outside ASCII are written as RTF Unicode escapes with a
// Windows-1252 fallback, so umlauts survive in every reader. `fontFamily` is
// the font the text is set in.
QByteArray reportMarkupToRtf(const QString& text, const QString& fontFamily);

// Appends `text` to an RTF body: braces and backslashes escaped, tabs as
// "\tab", other control characters as blanks, characters outside ASCII as
// "\uN" with a Windows-1252 fallback (the reader must be at "\uc1").
void appendRtfEscaped(QByteArray& out, const QString& text);

} // namespace quorvel
