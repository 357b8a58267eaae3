// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "mailsender.h"

#include <QObject>

namespace quorvel {

class Shell;
class TMailForm;
class UserDialogs;

// Sends `message` through the user's mail program with the busy cursor and
// shows the outcome: the success information (with the note on attachments
// the mail program will not take) or the failure warning. A mail program that
// keeps the helper running has its outcome shown when the helper ends, as
// long as `context` (the owner of `dialogs`) lives. The one way every part
// of the program mails something (the document, a saved protocol).
MailResult sendMailAndReport(UserDialogs& dialogs, QObject* context, const MailMessage& message,
                             const MailOptions& options = {});

// "Per E-&Mail versenden..." and the tool bar's EMailBtn: the open document,
// optionally with the viewer's setup file, to the user's mail program.
class MailController : public QObject {
    Q_OBJECT
public:
    explicit MailController(Shell& shell, QObject* parent = nullptr);

    void mailDocument();
    TMailForm* form() const { return m_form; }
    // How the send runs (tests put a stand-in helper here).
    MailOptions& options() { return m_options; }

private:
    Shell& m_shell;
    TMailForm* m_form = nullptr;
    MailOptions m_options;
};

} // namespace quorvel
