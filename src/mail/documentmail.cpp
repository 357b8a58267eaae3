// SPDX-License-Identifier: GPL-3.0-or-later
#include "documentmail.h"

#include <QDir>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace quorvel {

namespace {

const QString crlf = u"\r\n"_s;

QString quoted(const QString& text) {
    return u"\""_s + text + u"\""_s;
}

// The first fallback exe by name, or nothing.
QString fallbackSetupExe(const QString& setupFolder) {
    const QFileInfoList found =
        QDir(setupFolder).entryInfoList({u"setup-Quorvel*.exe"_s}, QDir::Files, QDir::Name);
    return found.isEmpty() ? QString() : found.first().absoluteFilePath();
}

QString informationBlock() {
    return crlf + u"- Information -"_s + crlf +
           u"Quorvel ist ein Lernprogramm für den Unterricht, mit dem Themendokumente erkundet und als Übung bearbeitet werden. Mit dem kostenlosen Quorvel-Viskor können Sie das angehängte Dokument öffnen und ansehen."_s +
           crlf + u"Weitere Informationen im Internet unter: "_s + crlf +
           u"https://quorvel.example/"_s + crlf;
}

} // namespace

QString viewerSetupFolder(const QString& baseFolder) {
    QString folder = baseFolder;
    if (!folder.isEmpty() && !folder.endsWith(u'/'))
        folder += u'/';
    return folder + u"setupviskorsystem/"_s;
}

QString preferredSetupExe() {
    return u"setup-Quorvel500viskor.exe"_s;
}

QString preferredSetupZip() {
    return u"setup-Quorvel500viskor.zip"_s;
}

QString msgDocumentNotSaved() {
    return u"Das aktuelle Dokument muss zunächst gespeichert werden, um es per E-Mail zu versenden."_s;
}

QString msgSetupExeMissing(const QString& exePath) {
    return u"Datei "_s + quoted(exePath) + u" (Setup für das Quorvel-Viskor) nicht gefunden."_s;
}

QString msgSetupZipMissing(const QString& zipPath) {
    return u"Datei "_s + quoted(zipPath) +
           u" (Setup für das Quorvel-Viskor als Zip-Datei) nicht gefunden."_s + crlf +
           u"Hinweis: Mit einem Zip-Programm können Sie die fehlende Zip-Datei aus der Datei "_s +
           quoted(preferredSetupExe()) +
           u" selbst erzeugen und danach diese Funktion erneut ausführen."_s;
}

DocumentMail composeDocumentMail(const QString& documentPath, MailOption option,
                                 const QString& setupFolder) {
    DocumentMail mail;
    MailMessage& m = mail.message;
    m.subject = u"Quorvel-Dokument"_s;
    m.attachments << QFileInfo(documentPath).absoluteFilePath();
    m.body = u"Quorvel-Themendokument: "_s + QFileInfo(documentPath).fileName() + crlf;

    const QDir folder(setupFolder);
    if (option == MailOption::WithSetupExe) {
        const QString preferred = folder.absoluteFilePath(preferredSetupExe());
        if (QFileInfo(preferred).isFile()) {
            m.attachments << preferred;
            m.body += u"Quorvel-Viskor: "_s + preferredSetupExe() + crlf;
        } else if (const QString fallback = fallbackSetupExe(setupFolder); !fallback.isEmpty()) {
            m.attachments << fallback;
            m.body += u"Setup-Programmdatei: "_s + QFileInfo(fallback).fileName() + crlf;
        } else {
            mail.error = msgSetupExeMissing(preferred);
            return mail;
        }
    } else if (option == MailOption::WithSetupZip) {
        const QString zip = folder.absoluteFilePath(preferredSetupZip());
        if (!QFileInfo(zip).isFile()) {
            mail.error = msgSetupZipMissing(zip);
            return mail;
        }
        m.attachments << zip;
        m.body += u"Quorvel-Viskor: "_s + preferredSetupZip() + crlf;
    }
    m.body += informationBlock();
    mail.ok = true;
    return mail;
}

} // namespace quorvel
