// SPDX-License-Identifier: GPL-3.0-or-later
#include "document.h"
#include "documentcontroller.h"
#include "documentmail.h"
#include "learningviewcontroller.h"
#include "mailcontroller.h"
#include "radiogroup.h"
#include "shellfixture.h"
#include "shutdownsequence.h"
#include "standinmailer.h"
#include "tmailform.h"
#include "toolbar.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <functional>

namespace quorvel::test {
namespace {

using namespace Qt::Literals::StringLiterals;

class MailWidgetsTest : public ShellFixture {
protected:
    // Runs `interact` in the mail dialog once it is up; it must close it.
    void inMailForm(std::function<void(TMailForm*)> interact) {
        QTimer::singleShot(0, window.get(), [interact = std::move(interact)] {
            auto* form = qobject_cast<TMailForm*>(QApplication::activeModalWidget());
            ASSERT_NE(form, nullptr);
            interact(form);
            if (form->isVisible()) {
                ADD_FAILURE() << "the mail dialog stayed open";
                form->reject();
            }
        });
    }

    void openDocument() {
        activate();
        const QString file = writeDocument(u"Erde und Mond.qvl"_s, u"Erde"_s);
        ASSERT_TRUE(window->documents().readAsCurrent(file));
    }

    QString setupFolder() const { return viewerSetupFolder(environment.baseFolder); }

    void clickMailButton() { window->learningView().toolBar().button(u"EMailBtn"_s)->click(); }
};

TEST_F(MailWidgetsTest, DocumentWithoutFileCannotBeMailed) {
    StandInMailer mailer;
    activate();
    window->mail().mailDocument();
    EXPECT_EQ(prompter->order, QStringList{msgDocumentNotSaved()});

    // A changed new document: the save question comes first, and "Abbrechen" stops.
    window->session().showNewDocument(QImage(40, 30, QImage::Format_RGB32), u"Tafel"_s);
    window->session().document().modified = true;
    prompter->order.clear();
    prompter->answers = {Answer::Cancel};
    window->mail().mailDocument();
    EXPECT_EQ(prompter->order, QStringList{msgSaveChanges({})});
    prompter->answers = {Answer::No};
    window->mail().mailDocument();
    EXPECT_EQ(prompter->order.last(), msgDocumentNotSaved());
    EXPECT_FALSE(mailer.ran());
}

TEST_F(MailWidgetsTest, MissingZipKeepsTheDialogOpenThenTheFallbackExeGoes) {
    StandInMailer mailer;
    openDocument();
    ASSERT_TRUE(QDir().mkpath(setupFolder()));
    QFile exe(setupFolder() + u"setup-Quorvel501.exe"_s);
    ASSERT_TRUE(exe.open(QIODevice::WriteOnly));
    exe.close();

    inMailForm([this](TMailForm* form) {
        EXPECT_EQ(form->windowTitle(), u"Dokument per E-Mail versenden"_s);
        EXPECT_EQ(form->option(), MailOption::DocumentOnly);
        form->mailGroup()->button(2)->click();
        form->okButton()->click();
        EXPECT_TRUE(form->isVisible());
        ASSERT_EQ(prompter->asked.size(), 1u);
        EXPECT_EQ(prompter->asked[0].kind, MessageKind::Error);
        EXPECT_EQ(prompter->asked[0].text,
                  msgSetupZipMissing(setupFolder() + u"setup-Quorvel500viskor.zip"_s));
        form->mailGroup()->button(1)->click();
        form->okButton()->click();
    });
    clickMailButton();

    ASSERT_TRUE(mailer.ran());
    const QStringList arguments = mailer.arguments();
    EXPECT_EQ(arguments.mid(0, 3),
              QStringList({u"--utf8"_s, u"--subject"_s, u"Quorvel-Dokument"_s}));
    EXPECT_TRUE(arguments[4].contains(u"Setup-Programmdatei: setup-Quorvel501.exe\r\n"_s));
    EXPECT_EQ(arguments.mid(5),
              QStringList({u"--attach"_s, path(u"Erde und Mond.qvl"_s), u"--attach"_s,
                           setupFolder() + u"setup-Quorvel501.exe"_s}));
    ASSERT_EQ(prompter->asked.size(), 2u);
    EXPECT_EQ(prompter->asked[1].kind, MessageKind::Information);
    EXPECT_EQ(prompter->asked[1].text, msgMailSent());
}

TEST_F(MailWidgetsTest, FailingMailerOrCancelledDialogReportsAccordingly) {
    StandInMailer mailer(1);
    openDocument();
    inMailForm([](TMailForm* form) { form->cancelButton()->click(); });
    window->commands().trigger(u"PerEMailversenden1"_s);
    EXPECT_FALSE(mailer.ran());
    EXPECT_TRUE(prompter->asked.empty());

    inMailForm([](TMailForm* form) { form->okButton()->click(); });
    window->commands().trigger(u"PerEMailversenden1"_s);
    EXPECT_TRUE(mailer.ran());
    ASSERT_EQ(prompter->asked.size(), 1u);
    EXPECT_EQ(prompter->asked[0].kind, MessageKind::Warning);
    EXPECT_EQ(prompter->asked[0].text,
              u"Der E-Mail-Versand wurde abgebrochen oder es ist ein Fehler aufgetreten."_s);
}

} // namespace
} // namespace quorvel::test

namespace quorvel::test {
namespace {

// A mail program that keeps the helper running: no success is claimed while
// it runs; its outcome is shown when it ends.
TEST_F(MailWidgetsTest, OutcomeOfAHelperThatKeepsRunningIsShownWhenItEnds) {
    QTemporaryDir helpers;
    const QString slow = helpers.filePath(u"xdg-email"_s);
    QFile script(slow);
    ASSERT_TRUE(script.open(QIODevice::WriteOnly));
    script.write("#!/bin/sh\nsleep 1\nexit 0\n");
    script.close();
    script.setPermissions(QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    openDocument();
    window->mail().options() = {.program = slow, .waitMs = 100, .handler = u"kmail.desktop"_s};
    inMailForm([](TMailForm* form) { form->okButton()->click(); });
    window->mail().mailDocument();
    EXPECT_TRUE(prompter->asked.empty()) << "nothing claimed while the helper runs";
    QElapsedTimer timer;
    timer.start();
    while (prompter->asked.empty() && timer.elapsed() < 10000)
        QApplication::processEvents(QEventLoop::AllEvents, 50);
    ASSERT_EQ(prompter->asked.size(), 1u);
    EXPECT_EQ(prompter->asked[0].kind, MessageKind::Information);
    EXPECT_EQ(prompter->asked[0].text, msgMailSent());
}

} // namespace
} // namespace quorvel::test
