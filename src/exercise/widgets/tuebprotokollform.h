// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "reportwindow.h"

#include <QStringList>
#include <functional>

class QPushButton;
class QTextBrowser;

namespace quorvel {

class TProtKomForm;

// The hand-over to the mail dispatch: the user's mail program opens a
// message with `subject`, `body` (lines ended by CR LF) and the files
// `attachments` (full paths), and reports the outcome to the user itself.
using MailHandOver = std::function<void(const QString& subject, const QString& body,
                                        const QStringList& attachments)>;

// The protocol window "Übungsprotokoll": the last completed protocol as a
// report, kept until the next run ends. It stays on top, can be maximised,
// closes with Escape, and offers copying as rich text, saving, printing,
// adding a comment and mailing the protocol.
class TUebProtokollForm : public ReportWindow {
    Q_OBJECT
public:
    TUebProtokollForm(Shell& shell, QWidget* parent);

    // Shows the completed protocol `markup` in place of the one before.
    // `documentFile` names the document in the mail body; `series` says the
    // protocol is that of an exercise series.
    void setProtocol(const QString& markup, const QString& documentFile, bool series);
    // The protocol as shown, with its comments (report markup).
    QString protocol() const { return m_markup; }
    QTextBrowser* textView() const { return m_text; }

    // The comment dialog, then appendComment().
    void addComment();
    // Appends `comment` under the title "Kommentar"; a blank one adds nothing.
    void appendComment(const QString& comment);

    // Saves the protocol into the protocol folder and hands it to the mail
    // dispatch; a failed save shows its message and sends nothing.
    void sendByMail();
    // Without a hand-over the mail button is disabled.
    void setMailHandOver(MailHandOver handOver);
    QPushButton* mailButton() const { return m_mailButton; }
    TProtKomForm* commentForm() const { return m_commentForm; }

protected:
    void fillDocument(QTextDocument& document) const override;
    QByteArray richText() const override;
    FileChoice saveChoice() const override;

private:
    Shell& m_shell;
    QTextBrowser* m_text;
    TProtKomForm* m_commentForm;
    QPushButton* m_mailButton = nullptr;
    MailHandOver m_mail;
    QString m_markup;
    QString m_documentFile;
    bool m_series = false;
};

} // namespace quorvel
