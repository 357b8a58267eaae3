// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ioresult.h"

#include <QImage>
#include <QString>

namespace quorvel {

class Document;

// The save dialog's filter for a board saved as a document.
QString boardDocumentFilter();

// Whether the file name of `path` can be given to a board document: a
// double quote is refused (msgQuoteInFileName()), since file dialogs take it
// for the quoting of several names and mail programs for the end of one.
bool isBoardDocumentName(const QString& path);

// Saves the board as a document: the title becomes the file name without
// extension, the base picture `shown` (the picture as the view shows it, with
// objects and drawings), the margin extension `RandErw` 0 on every side; then
// `document` is written to `path` as the current document. The objects stay.
// On failure the document is as it was and the writer's message is returned.
IoResult writeBoardDocument(Document& document, const QImage& shown, const QString& path);

} // namespace quorvel
