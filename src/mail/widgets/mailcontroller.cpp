// SPDX-License-Identifier: GPL-3.0-or-later
#include "mailcontroller.h"

#include "document.h"
#include "shell.h"
#include "shutdownsequence.h"
#include "tmailform.h"

#include <QApplication>
#include <QCursor>

using namespace Qt::StringLiterals;

namespace quorvel {

namespace {

void report(UserDialogs& dialogs, const MailResult& result) {
    if (result)
        dialogs.information(result.message);
    else
        dialogs.ask(MessageKind::Warning, result.message, MessageButtons::Ok);
}

} // namespace

MailResult sendMailAndReport(UserDialogs& dialogs, QObject* context, const MailMessage& message,
                             const MailOptions& options) {
    QApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    const MailResult result =
        sendMail(message, options,
                 {context, [&dialogs](const MailResult& ended) { report(dialogs, ended); }});
    QApplication::restoreOverrideCursor();
    // A helper still running has claimed nothing yet: its outcome comes later.
    if (!result.pending)
        report(dialogs, result);
    return result;
}

MailController::MailController(Shell& shell, QObject* parent) : QObject(parent), m_shell(shell) {
    shell.commands().onTriggered(u"PerEMailversenden1"_s, this, [this] { mailDocument(); });
}

void MailController::mailDocument() {
    const Document& document = m_shell.session().document();
    // Saving is not this program's business; "Ja" to the question saves
    // nothing, so the file as it is on disk goes.
    if (!askSaveChanges(document, {}, m_shell.dialogs()))
        return;
    if (document.file.isEmpty()) {
        m_shell.dialogs().information(msgDocumentNotSaved());
        return;
    }
    if (!m_form)
        m_form = new TMailForm(m_shell.dialogParent());
    const QString documentPath = document.file;
    const QString setupFolder = viewerSetupFolder(m_shell.state().programFolder);
    DocumentMail mail;
    m_form->setCheck([this, &mail, documentPath, setupFolder](MailOption option) {
        mail = composeDocumentMail(documentPath, option, setupFolder);
        if (!mail.ok)
            m_shell.dialogs().error(mail.error);
        return mail.ok;
    });
    const bool chosen = m_form->exec() == QDialog::Accepted;
    m_form->setCheck({});
    if (chosen)
        sendMailAndReport(m_shell.dialogs(), this, mail.message, m_options);
}

} // namespace quorvel
