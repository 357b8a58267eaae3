// SPDX-License-Identifier: GPL-3.0-or-later
#include "documentmail.h"
#include "mailsender.h"
#include "standinmailer.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <vector>

namespace quorvel::test {
namespace {

using namespace Qt::Literals::StringLiterals;

void touch(const QString& path) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
}

TEST(SendMail, EveryValueArrivesAsOneArgument) {
    StandInMailer mailer;
    QTemporaryDir dir;
    // Quotes, commas and "=" make a safe copy (below); the rest goes as it is.
    const QString awkward = dir.filePath(u"-a b c; rm -rf x $(id) `id` *.qvl"_s);
    touch(awkward);
    MailMessage message{u"-Betreff \"Übung\""_s,
                        u"Zeile 1\r\nZeile 2 $HOME\r\n"_s,
                        {awkward, dir.filePath(u"zweite datei.rtf"_s)}};
    const MailResult result = sendMail(message, {.handler = u"thunderbird.desktop"_s});
    EXPECT_TRUE(result.ok) << result.detail.toStdString();
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.message, msgMailSent());
    EXPECT_EQ(
        mailer.arguments(),
        QStringList({u"--utf8"_s, u"--subject"_s, message.subject, u"--body"_s, message.body,
                     u"--attach"_s, awkward, u"--attach"_s, dir.filePath(u"zweite datei.rtf"_s)}));
}

TEST(SendMail, RelativeAttachmentIsMadeAbsoluteSoItCannotPassForAnOption) {
    const QStringList arguments = xdgEmailArguments({u"s"_s, u"b"_s, {u"-x.qvl"_s}});
    EXPECT_EQ(arguments.last(), QDir::current().absoluteFilePath(u"-x.qvl"_s));
}

TEST(SendMail, FailingOrMissingMailerGivesTheFailureMessage) {
    {
        StandInMailer mailer(3);
        const MailResult result = sendMail({u"s"_s, u"b"_s, {}});
        EXPECT_TRUE(mailer.ran());
        EXPECT_FALSE(result.ok);
        EXPECT_EQ(result.exitCode, 3);
        EXPECT_EQ(result.message, msgMailFailed());
    }
    const MailResult missing =
        sendMail({u"s"_s, u"b"_s, {}}, {.program = u"/nonexistent/xdg-email"_s});
    EXPECT_FALSE(missing.ok);
    EXPECT_EQ(missing.exitCode, -1);
    EXPECT_EQ(missing.message,
              msgMailFailed() + u"\r\n\r\n"_s + msgMailHelperMissing(u"xdg-email"_s));
    EXPECT_FALSE(missing.detail.isEmpty());
}

// Some mail programs keep the helper running until they close: nothing is
// claimed while it runs, and its exit code decides once it ends.
TEST(SendMail, HelperStillRunningClaimsNothingUntilItEnds) {
    QTemporaryDir dir;
    for (const int exitCode : {0, 3}) {
        SCOPED_TRACE(exitCode);
        const QString slow = dir.filePath(u"slow-mailer-%1"_s.arg(exitCode));
        QFile file(slow);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("#!/bin/sh\nsleep 1\nexit " + QByteArray::number(exitCode) + "\n");
        file.close();
        file.setPermissions(QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        QObject context;
        std::vector<MailResult> late;
        QElapsedTimer timer;
        timer.start();
        const MailResult result =
            sendMail({u"s"_s, u"b"_s, {}}, {.program = slow, .waitMs = 200},
                     {&context, [&late](const MailResult& ended) { late.push_back(ended); }});
        EXPECT_LT(timer.elapsed(), 900);
        EXPECT_FALSE(result.ok);
        EXPECT_TRUE(result.pending);
        EXPECT_TRUE(result.message.isEmpty());
        while (late.empty() && timer.elapsed() < 10000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        ASSERT_EQ(late.size(), 1u);
        EXPECT_EQ(late[0].ok, exitCode == 0);
        EXPECT_EQ(late[0].exitCode, exitCode);
        EXPECT_EQ(late[0].message, exitCode == 0 ? msgMailSent() : msgMailFailed());
    }
}

TEST(SendMail, MissingHelperIsNamedWithItsPackage) {
    QTemporaryDir empty;
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", empty.path().toUtf8());
    const MailResult result = sendMail({u"s"_s, u"b"_s, {}});
    qputenv("PATH", path);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.message,
              msgMailFailed() + u"\r\n\r\n"_s + msgMailHelperMissing(u"xdg-email"_s));
    EXPECT_TRUE(result.message.contains(u"xdg-utils"_s));
}

// A mail program reads a comma, a quote or "=" in a path as the end of the
// attachment and drops the file: such files go as copies under a safe name.
TEST(SendMail, AwkwardPathsAreHandedOverAsCopiesUnderASafeName) {
    StandInMailer mailer;
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkdir(u"Klasse 5, Mathe"_s));
    const QString names[] = {u"Brüche, Teil 1.qvl"_s, u"a\"b\".qvl"_s, u"x=1.rtf"_s,
                             u"Klasse 5, Mathe/plain.qvl"_s, u"it's.qvl"_s};
    QStringList files;
    for (const QString& name : names) {
        files << dir.filePath(name);
        QFile file(files.last());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(name.toUtf8());
    }
    const QString plain = dir.filePath(u"ohne weiteres.qvl"_s);
    touch(plain);
    files << plain;
    const MailResult result =
        sendMail({u"s"_s, u"b"_s, files}, {.handler = u"thunderbird.desktop"_s});
    ASSERT_TRUE(result.ok);
    EXPECT_EQ(result.message, msgMailSent()) << "every file is attached";
    const QStringList arguments = mailer.arguments();
    QStringList attached;
    for (int i = 0; i + 1 < arguments.size(); ++i)
        if (arguments[i] == u"--attach"_s)
            attached << arguments[i + 1];
    ASSERT_EQ(attached.size(), files.size());
    EXPECT_EQ(attached.last(), plain) << "a plain path goes as it is";
    for (int i = 0; i < 5; ++i) {
        SCOPED_TRACE(names[i].toStdString());
        EXPECT_FALSE(needsSafeAttachmentName(attached[i])) << attached[i].toStdString();
        EXPECT_EQ(QFileInfo(attached[i]).fileName(),
                  safeAttachmentName(QFileInfo(files[i]).fileName()));
        QFile copy(attached[i]);
        ASSERT_TRUE(copy.open(QIODevice::ReadOnly));
        EXPECT_EQ(copy.readAll(), names[i].toUtf8());
    }
    EXPECT_EQ(safeAttachmentName(u"Brüche, Teil 1.qvl"_s), u"Brüche_ Teil 1.qvl"_s);
}

TEST(SendMail, AttachmentsAMailProgramDropsAreNamedInsteadOfClaimed) {
    struct Case {
        const char16_t* handler;
        AttachmentSupport support;
    };
    const Case cases[] = {
        {u"thunderbird.desktop", AttachmentSupport::Taken},
        {u"org.kde.kmail2.desktop", AttachmentSupport::Taken},
        {u"org.gnome.Evolution.desktop", AttachmentSupport::Taken},
        {u"firefox-esr.desktop", AttachmentSupport::Dropped},
        {u"chromium.desktop", AttachmentSupport::Dropped},
        {u"some-mailer.desktop", AttachmentSupport::Unknown},
        {u"", AttachmentSupport::Unknown},
    };
    StandInMailer mailer;
    const QString file = QDir::temp().absoluteFilePath(u"protokoll.rtf"_s);
    for (const Case& c : cases) {
        const QString handler = QString::fromUtf16(c.handler);
        SCOPED_TRACE(handler.toStdString());
        EXPECT_EQ(attachmentSupport(handler), c.support);
        if (handler.isEmpty())
            continue; // empty asks xdg-mime
        const MailResult result = sendMail({u"s"_s, u"b"_s, {file}}, {.handler = handler});
        ASSERT_TRUE(result.ok);
        if (c.support == AttachmentSupport::Dropped)
            EXPECT_EQ(result.message,
                      msgMailSent() + u"\r\n\r\n"_s + msgAttachmentsNotTaken({file}));
        else
            EXPECT_EQ(result.message, msgMailSent());
    }
}

TEST(SendMail, MailtoHandlerIsAskedFromXdgMime) {
    StandInMailer mailer(0, "firefox.desktop");
    EXPECT_EQ(defaultMailHandler(), u"firefox.desktop"_s);
    const MailResult result = sendMail({u"s"_s, u"b"_s, {u"/tmp/a.rtf"_s}});
    EXPECT_TRUE(result.message.contains(u"/tmp/a.rtf"_s));
}

class DocumentMailTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(QDir(dir.path()).mkpath(u"setupviskorsystem"_s));
        document = dir.filePath(u"Sonnen system.qvl"_s);
        touch(document);
    }
    QString setup() const { return viewerSetupFolder(dir.path()); }
    QString setupFile(const QString& name) const { return setup() + name; }

    QTemporaryDir dir;
    QString document;
};

TEST_F(DocumentMailTest, DocumentOnlyHasTheDocumentAndTheInformationBlock) {
    const DocumentMail mail = composeDocumentMail(document, MailOption::DocumentOnly, setup());
    ASSERT_TRUE(mail.ok);
    EXPECT_EQ(setup(), dir.path() + u"/setupviskorsystem/"_s);
    EXPECT_EQ(mail.message.subject, u"Quorvel-Dokument"_s);
    EXPECT_EQ(mail.message.attachments, QStringList{document});
    EXPECT_TRUE(mail.message.body.startsWith(
        u"Quorvel-Themendokument: Sonnen system.qvl\r\n\r\n- Information -\r\n"_s));
    EXPECT_TRUE(mail.message.body.contains(u"\r\nWeitere Informationen im Internet unter: \r\n"_s));
    EXPECT_TRUE(mail.message.body.endsWith(u"\r\n"_s));
}

TEST_F(DocumentMailTest, SetupExePreferredThenFirstFallbackByNameElseError) {
    // None at all: the error names the preferred file.
    DocumentMail mail = composeDocumentMail(document, MailOption::WithSetupExe, setup());
    EXPECT_FALSE(mail.ok);
    EXPECT_EQ(mail.error, u"Datei \""_s + setupFile(u"setup-Quorvel500viskor.exe"_s) +
                              u"\" (Setup für das Quorvel-Viskor) nicht gefunden."_s);

    // A folder by a matching name is no setup file.
    ASSERT_TRUE(QDir(setup()).mkdir(u"setup-Quorvel400.exe"_s));
    touch(setupFile(u"setup-Quorvel502.exe"_s));
    touch(setupFile(u"setup-Quorvel501.exe"_s));
    touch(setupFile(u"setup-Quorvel501.zip"_s));
    mail = composeDocumentMail(document, MailOption::WithSetupExe, setup());
    ASSERT_TRUE(mail.ok);
    EXPECT_EQ(mail.message.attachments,
              QStringList({document, setupFile(u"setup-Quorvel501.exe"_s)}));
    EXPECT_TRUE(mail.message.body.startsWith(
        u"Quorvel-Themendokument: Sonnen system.qvl\r\nSetup-Programmdatei: setup-Quorvel501.exe\r\n\r\n- Information -"_s));

    touch(setupFile(u"setup-Quorvel500viskor.exe"_s));
    mail = composeDocumentMail(document, MailOption::WithSetupExe, setup());
    ASSERT_TRUE(mail.ok);
    EXPECT_EQ(mail.message.attachments.last(), setupFile(u"setup-Quorvel500viskor.exe"_s));
    EXPECT_TRUE(
        mail.message.body.contains(u"\r\nQuorvel-Viskor: setup-Quorvel500viskor.exe\r\n"_s));
}

TEST_F(DocumentMailTest, SetupZipHasNoFallback) {
    touch(setupFile(u"setup-Quorvel500viskor.exe"_s));
    touch(setupFile(u"setup-Quorvel501.zip"_s));
    DocumentMail mail = composeDocumentMail(document, MailOption::WithSetupZip, setup());
    EXPECT_FALSE(mail.ok);
    EXPECT_EQ(
        mail.error,
        u"Datei \""_s + setupFile(u"setup-Quorvel500viskor.zip"_s) +
            u"\" (Setup für das Quorvel-Viskor als Zip-Datei) nicht gefunden.\r\nHinweis: Mit einem Zip-Programm können Sie die fehlende Zip-Datei aus der Datei \"setup-Quorvel500viskor.exe\" selbst erzeugen und danach diese Funktion erneut ausführen."_s);

    touch(setupFile(u"setup-Quorvel500viskor.zip"_s));
    mail = composeDocumentMail(document, MailOption::WithSetupZip, setup());
    ASSERT_TRUE(mail.ok);
    EXPECT_EQ(mail.message.attachments.last(), setupFile(u"setup-Quorvel500viskor.zip"_s));
    EXPECT_TRUE(
        mail.message.body.contains(u"\r\nQuorvel-Viskor: setup-Quorvel500viskor.zip\r\n"_s));
}

} // namespace
} // namespace quorvel::test
