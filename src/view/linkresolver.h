#pragma once

#include <QString>

namespace quorvel {

// Where the link and document points of a page lead. Pure decisions on paths
// and the file system; the window opens, asks and shows the messages.

// The folders a relative target is looked up in, each with or without a
// trailing separator; empty ones are skipped.
struct LinkFolders {
    QString dokument; // the folder of the open document
    QString thema;    // the topic folder
    QString basis;    // the program's base folder
};

// "http://" and "https://" targets (any case) stay as written. Otherwise,
// without enclosing quotes, the first existing file of: the target, document
// folder + target, topic folder + target, base folder + target; when none
// exists the target as written. Backslashes of old documents count as
// separators.
QString resolveLinkTarget(const QString& ziel, const LinkFolders& ordner);

// Picture links lead to a document when their target ends in ".qvl".
bool isDocumentTarget(const QString& ziel);

// What a document link does.
struct DocumentLinkTarget {
    enum class Kind {
        ChangeFolder,  // `pfad` becomes the topic folder; close the document
        FolderMissing, // a folder link to no existing folder: nothing happens
        OpenDocument,  // read `pfad` as the current document
        FileMissing,   // show `meldung`
    };
    Kind kind = Kind::FileMissing;
    QString pfad;    // with a trailing "/" for folders
    QString meldung; // for FileMissing
};
// A target ending in a separator names a folder: as written when that exists,
// else below the topic folder. Any other target is resolved like a link.
DocumentLinkTarget documentLinkTarget(const QString& ziel, const LinkFolders& ordner);

// The messages of failed links.
QString linkCannotOpenMessage(const QString& ziel);
QString fileMissingMessage(const QString& ziel);

} // namespace quorvel
