// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace quorvel {

// Where the link and document points of a page lead. Pure decisions on paths
// and the file system; the window opens, asks and shows the messages.

// The folders a relative target is looked up in, each with or without a
// trailing separator; empty ones are skipped.
struct LinkFolders {
    QString document; // the folder of the open document
    QString topic;    // the topic folder
    QString basis;    // the program's base folder
};

// "http://" and "https://" targets (any case) stay as written. Otherwise,
// without enclosing quotes, the first existing file of: the target, document
// folder + target, topic folder + target, base folder + target; when none
// exists the target as written. Backslashes of old documents count as
// separators.
QString resolveLinkTarget(const QString& target, const LinkFolders& folder);

// Picture left lead to a document when their target ends in ".qvl".
bool isDocumentTarget(const QString& target);

// What a document link does.
struct DocumentLinkTarget {
    enum class Kind {
        ChangeFolder,  // `path` becomes the topic folder; close the document
        FolderMissing, // a folder link to no existing folder: nothing happens
        OpenDocument,  // read `path` as the current document
        FileMissing,   // show `message`
    };
    Kind kind = Kind::FileMissing;
    QString path;    // with a trailing "/" for folders
    QString message; // for FileMissing
};
// A target ending in a separator names a folder: as written when that exists,
// else below the topic folder. Any other target is resolved like a link.
DocumentLinkTarget documentLinkTarget(const QString& target, const LinkFolders& folder);

// The messages of failed left.
QString linkCannotOpenMessage(const QString& target);
QString fileMissingMessage(const QString& target);

} // namespace quorvel
