// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "mailsender.h"

#include <QString>

namespace quorvel {

// What goes with the document (the items of `MailGroup`).
enum class MailOption : int { DocumentOnly = 0, WithSetupExe = 1, WithSetupZip = 2 };

// The setup files of the free viewer, in "setupviskorsystem/" under the base
// folder. The exe has a fallback: the first "setup-Quorvel*.exe" by name.
QString viewerSetupFolder(const QString& baseFolder);
QString preferredSetupExe();
QString preferredSetupZip();

QString msgDocumentNotSaved();
QString msgSetupExeMissing(const QString& exePath);
QString msgSetupZipMissing(const QString& zipPath);

// The document mail as composed, or the error that sends the user back to the
// options (`ok` false, `error` the text to show).
struct DocumentMail {
    bool ok = false;
    QString error;
    MailMessage message;
};

// The mail of the document at `documentPath` (saved, so it has a path) with
// `option`: subject "Quorvel-Dokument", the body naming what is attached and
// the information block, the document and the chosen setup file attached.
DocumentMail composeDocumentMail(const QString& documentPath, MailOption option,
                                 const QString& setupFolder);

} // namespace quorvel
