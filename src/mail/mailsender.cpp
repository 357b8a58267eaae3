// SPDX-License-Identifier: GPL-3.0-or-later
#include "mailsender.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QObject>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

namespace quorvel {

namespace {

bool containsAny(const QString& text, std::initializer_list<QStringView> parts) {
    for (QStringView part : parts) {
        if (text.contains(part))
            return true;
    }
    return false;
}

} // namespace

QString msgMailSent() {
    return u"Die Nachricht wurde dem E-Mail-Programm erfolgreich übermittelt. Falls Ihr E-Mail-Programm Nachrichten nicht sofort versendet, sondern erst im Postausgang zwischenspeichert, müssen Sie den Versand in Ihrem E-Mail-Programm noch selbst auslösen."_s;
}

QString msgMailFailed() {
    return u"Der E-Mail-Versand wurde abgebrochen oder es ist ein Fehler aufgetreten."_s;
}

QString msgMailHelperMissing(const QString& program) {
    return u"Das Programm \""_s + QFileInfo(program).fileName() +
           u"\" wurde nicht gefunden. Bitte installieren Sie das Paket \"xdg-utils\"."_s;
}

QString msgAttachmentsNotTaken(const QStringList& files) {
    QString text =
        u"Hinweis: Ihr E-Mail-Programm übernimmt Dateianhänge auf diesem Weg nicht. Bitte fügen Sie der Nachricht die folgenden Dateien selbst als Anhang hinzu:"_s;
    for (const QString& file : files)
        text += u"\r\n"_s + file;
    return text;
}

bool needsSafeAttachmentName(const QString& path) {
    return containsAny(path, {u",", u"\"", u"'", u"="});
}

QString safeAttachmentName(const QString& fileName) {
    QString safe = fileName;
    for (const QChar c : {u',', u'"', u'\'', u'='})
        safe.replace(c, u'_');
    return safe;
}

QStringList xdgEmailArguments(const MailMessage& message) {
    QStringList arguments{u"--utf8"_s, u"--subject"_s, message.subject, u"--body"_s, message.body};
    for (const QString& file : message.attachments)
        arguments << u"--attach"_s << QFileInfo(file).absoluteFilePath();
    return arguments;
}

AttachmentSupport attachmentSupport(const QString& handler) {
    const QString name = handler.toLower();
    if (name.isEmpty())
        return AttachmentSupport::Unknown;
    // Mail programs that xdg-email hands files to.
    if (containsAny(name, {u"thunderbird", u"icedove", u"seamonkey", u"kmail", u"evolution"}))
        return AttachmentSupport::Taken;
    // Browsers and web mailers open a mailto link and leave local files behind.
    if (containsAny(name, {u"firefox", u"chrom", u"epiphany", u"org.gnome.web", u"brave", u"opera",
                           u"vivaldi", u"falkon", u"konqueror", u"midori", u"webmail", u"gmail"}))
        return AttachmentSupport::Dropped;
    return AttachmentSupport::Unknown;
}

QString defaultMailHandler() {
    QProcess process;
    process.setStandardErrorFile(QProcess::nullDevice());
    process.start(u"xdg-mime"_s, {u"query"_s, u"default"_s, u"x-scheme-handler/mailto"_s});
    if (!process.waitForStarted(2000))
        return {};
    if (!process.waitForFinished(2000)) {
        process.kill();
        process.waitForFinished(1000);
        return {};
    }
    const QString output = QString::fromUtf8(process.readAllStandardOutput());
    return output.section(u'\n', 0, 0).trimmed();
}

namespace {
// The attachments as the helper gets them: the files as they are, or copies
// under a safe name; files that could not be copied are left out.
struct HandedOver {
    QStringList paths;
    QStringList left;
};

HandedOver handOver(const QStringList& attachments) {
    HandedOver result;
    QString folder;
    for (const QString& file : attachments) {
        const QString path = QFileInfo(file).absoluteFilePath();
        if (!needsSafeAttachmentName(path)) {
            result.paths << path;
            continue;
        }
        if (folder.isEmpty()) {
            // Kept after the send: the mail program may read the file later.
            QTemporaryDir made(QDir::tempPath() + u"/quorvel-mail-XXXXXX"_s);
            made.setAutoRemove(false);
            if (made.isValid())
                folder = made.path();
        }
        const QString copy = folder + u'/' + safeAttachmentName(QFileInfo(path).fileName());
        if (!folder.isEmpty() && !needsSafeAttachmentName(copy) && QFile::copy(path, copy))
            result.paths << copy;
        else
            result.left << path;
    }
    return result;
}

// The outcome of a helper that has ended, with the note on the files the
// user must attach by hand.
MailResult endedResult(const QProcess& process, const MailOptions& options,
                       const HandedOver& files) {
    MailResult result;
    const bool normal = process.exitStatus() == QProcess::NormalExit;
    result.exitCode = normal ? process.exitCode() : -1;
    result.ok = normal && result.exitCode == 0;
    if (!result.ok) {
        result.detail =
            normal ? options.program + u" endete mit Code "_s + QString::number(result.exitCode)
                   : options.program + u" brach ab"_s;
        result.message = msgMailFailed();
        return result;
    }
    result.message = msgMailSent();
    QStringList byHand = files.left;
    if (!files.paths.isEmpty()) {
        const QString handler = options.handler.isEmpty() ? defaultMailHandler() : options.handler;
        if (attachmentSupport(handler) == AttachmentSupport::Dropped)
            byHand = files.paths + files.left;
    }
    if (!byHand.isEmpty())
        result.message += u"\r\n\r\n"_s + msgAttachmentsNotTaken(byHand);
    return result;
}

} // namespace

MailResult sendMail(const MailMessage& message, const MailOptions& options,
                    const LateMailReport& late) {
    const HandedOver files = handOver(message.attachments);
    MailMessage handed = message;
    handed.attachments = files.paths;
    // Not owned by a scope: a helper still running when the wait ends must
    // not be killed while its compose window is open; it deletes itself once
    // it ends, else goes with the application (the mail program it started
    // runs on).
    auto* process = new QProcess(QCoreApplication::instance());
    process->setStandardOutputFile(QProcess::nullDevice());
    process->setStandardErrorFile(QProcess::nullDevice());
    process->start(options.program, xdgEmailArguments(handed));
    if (!process->waitForStarted(5000)) {
        MailResult result;
        result.detail = options.program + u": "_s + process->errorString();
        result.message = msgMailFailed();
        if (process->error() == QProcess::FailedToStart &&
            QStandardPaths::findExecutable(options.program).isEmpty() &&
            !QFileInfo(options.program).isExecutable())
            result.message += u"\r\n\r\n"_s + msgMailHelperMissing(options.program);
        delete process;
        return result;
    }
    if (process->waitForFinished(options.waitMs)) {
        const MailResult result = endedResult(*process, options, files);
        delete process;
        return result;
    }
    QObject::connect(process, &QProcess::finished, process, &QObject::deleteLater);
    if (late.context && late.report) {
        QObject::connect(process, &QProcess::finished, late.context,
                         [process, options, files, report = late.report] {
                             report(endedResult(*process, options, files));
                         });
    }
    MailResult result;
    result.pending = true;
    result.detail = options.program + u" läuft noch"_s;
    return result;
}

} // namespace quorvel
