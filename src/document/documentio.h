#pragma once

#include "document.h"

#include <QIODevice>
#include <QString>
#include <QStringList>

namespace quorvel {

class FontCatalog;

inline constexpr char kDocumentMagic[] = "QVL-2.21";
inline constexpr char kDocumentVersion[] = "2.21";

// The outcome of reading or writing a document. `messages` are the German
// texts the user is shown, in order; `detail` says where and why the stream
// was refused (for a tool's output or a dialog's details), empty on success.
struct DocumentResult {
    bool ok = false;
    QStringList messages;
    QString detail;
    QString magic; // the format magic of a file read, such as "QVL-2.21"
};

struct ReadOptions {
    qint64 startOffset = 0; // > 0: a document inside a series package
    const FontCatalog* fonts = nullptr; // null: the fonts of this computer
    PageRatioPreset ratio; // page ratio of a reset document
    // Bytes the decoded pictures of the document may take together; beyond
    // it the read fails with msgPicturesTooLarge().
    qint64 pictureBudget = qint64(1536) * 1024 * 1024;
};

// Reads the file at `path` into `document`. A missing file changes nothing.
// Otherwise the document is reset and emptied first; on failure it stays
// reset and empty (the caller shows its start picture).
DocumentResult readDocumentFile(Document& document, const QString& path,
                                const ReadOptions& options = {});

// Reads a document from a stream positioned at its magic. `document` must be
// reset and empty. On failure `detail` tells what was wrong; the document is
// then partly filled and must be reset by the caller.
DocumentResult readDocumentStream(QIODevice& in, Document& document,
                                  const ReadOptions& options = {});

// The header fields of a document that a folder listing needs.
struct DokumentKopf {
    QString vers, titel, autor, bemerkung, lueckentext, fragentext;
    int AnzFrageNummern = 0;
    int DokTyp = 0;
};

// Reads only the start of the file up to the document type. Returns false,
// silently, when the file is missing, of another format or cut short.
bool readDocumentHeader(const QString& path, DokumentKopf& header);
bool readDocumentHeader(QIODevice& in, DokumentKopf& header);

// Writes `document` to `path` through a temporary file, so that a failed write
// leaves any previous file intact. With `currentDocument` the path becomes the
// document's path and the modified flag is cleared. A picture object without
// picture is lowered to its text type, in the document as well as in the file.
DocumentResult writeDocumentFile(Document& document, const QString& path,
                                 bool currentDocument);

// Writes `document` to a stream; false on a write error.
bool writeDocumentStream(QIODevice& out, Document& document);

// The placeholder written for a picture object without a picture.
const QImage& leerbild();

// The German messages of reading and writing.
QString msgFileMissing(const QString& path);
QString msgInvalidFormat();
QString msgNewerVersion();
QString msgCannotRead(const QString& path);
QString msgCannotWrite(const QString& path);
// The decoded pictures of a document pass their budget (ReadOptions).
QString msgPicturesTooLarge();

} // namespace quorvel
