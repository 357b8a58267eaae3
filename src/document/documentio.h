// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "document.h"
#include "documentlayouts.h"
#include "ioresult.h"

#include <QIODevice>
#include <QString>
#include <QStringList>

namespace quorvel {

class FontCatalog;

inline constexpr char kDocumentMagic[] = "QVL-2.21";
inline constexpr char kDocumentVersion[] = "2.21";

// How to read: `layouts` is required (a reader without the layouts of the
// document types would show their documents without generated objects).
// Decoded pictures of one document share this many bytes at most; the view
// refuses an area and zoom whose working pictures would take the document's
// pictures and its own past 1 GiB.
inline constexpr qint64 kDefaultPictureBudget = qint64(768) * 1024 * 1024;

struct ReadOptions {
    explicit ReadOptions(const DocumentLayouts& layouts) : layouts(layouts) {}

    const DocumentLayouts& layouts;     // runs the layout of the document's type after reading
    qint64 startOffset = 0;             // > 0: a document inside a series package
    const FontCatalog* fonts = nullptr; // null: the fonts of this computer
    PageRatioPreset ratio;              // page ratio of a reset document
    // Bytes the decoded pictures of the document may take together; beyond
    // it the read fails with msgPicturesTooLarge().
    qint64 pictureBudget = kDefaultPictureBudget;
};

// Reads the file at `path` into `document`. A missing file changes nothing
// (the one message msgFileMissing). Otherwise the document is reset and
// emptied first; on failure it stays reset and empty (the caller shows its
// start picture) and the messages are those of readDocumentStream followed by
// msgCannotRead. The document's `magic` tells the format of the file read.
IoResult readDocumentFile(Document& document, const QString& path, const ReadOptions& options);

// Reads a document from a stream positioned at its magic. `document` must be
// reset and empty. On success the document is complete: its page geometry is
// derived and the layout of its type has run. On failure the messages are
// msgInvalidFormat for a stream that is no document at all (its magic is of
// another family or has an impossible length) or msgNewerVersion, and none
// for a damaged document; detail and offset say what was wrong where. The
// document is then partly filled and must be reset by the caller.
IoResult readDocumentStream(QIODevice& in, Document& document, const ReadOptions& options);

// The header fields of a document that a folder listing needs.
struct DocumentSummary {
    QString vers, titel, autor, bemerkung, lueckentext, fragentext;
    int AnzFrageNummern = 0;
    int DokTyp = 0;
};

// Reads only the start of the file up to the document type. Fails silently
// (no messages, a detail only) when the file is missing, of another format or
// cut short; `header` is then unchanged.
IoResult readDocumentHeader(const QString& path, DocumentSummary& header);
IoResult readDocumentHeader(QIODevice& in, DocumentSummary& header);

// Writes `document` to `path` through a temporary file, so that a failed write
// leaves any previous file intact. With `currentDocument` the path becomes the
// document's path and the modified flag is cleared. A picture object without
// picture is lowered to its text type, in the document as well as in the file.
// On failure the one message is msgCannotWrite.
IoResult writeDocumentFile(Document& document, const QString& path, bool currentDocument);

// Writes `document` to a stream; on a write error a detail and no messages.
IoResult writeDocumentStream(QIODevice& out, Document& document);

// The placeholder written for a picture object without a picture.
const QImage& emptyPicture();

// The German messages of reading and writing.
QString msgFileMissing(const QString& path);
QString msgInvalidFormat();
QString msgNewerVersion();
QString msgCannotRead(const QString& path);
QString msgCannotWrite(const QString& path);
// The decoded pictures of a document pass their budget (ReadOptions).
QString msgPicturesTooLarge();

} // namespace quorvel
