// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>

class QTextDocument;

namespace quorvel {

// Rich text files for free text (the notes box): paragraphs with their
// alignment, and per run the font, size, bold, italic, underline, strike-out
// and colour. Other formatting is left out.
QByteArray documentToRtf(const QTextDocument& document);

// Whether `bytes` begin as a rich-text file ("{\rtf").
bool looksLikeRtf(const QByteArray& bytes);

// Replaces the content of `document` by the text of the rich-text file
// `bytes`, with the formatting documentToRtf() writes; pictures, tables,
// fields' instructions and other destinations are skipped. Bytes outside
// ASCII are read as Windows-1252. Groups nested deeper than a fixed limit are
// skipped whole. False (document emptied) when `bytes` are no rich text.
bool rtfToDocument(const QByteArray& bytes, QTextDocument& document);

} // namespace quorvel
