// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <functional>

class QObject;

namespace quorvel {

// A message for the user's mail program: it opens its compose window with
// these, and the user adds the recipient and sends.
struct MailMessage {
    QString subject;
    QString body;            // lines end with CR LF
    QStringList attachments; // full paths, one file each
};

// How the user's mail program treats attachments handed over by xdg-email.
// Only some programs put them into the compose window; the others (a web
// browser opening a web mailer, for example) silently drop them.
enum class AttachmentSupport { Taken, Dropped, Unknown };

// What a send came to. `message` is the text to show the user: the success
// text (with a note naming the files the mail program will not attach by
// itself) or the failure text. `detail` says what went wrong, for tools.
// `pending`: the helper had not ended when the wait was over; nothing is
// claimed then (no message), the outcome follows when it ends.
struct MailResult {
    bool ok = false;
    bool pending = false;
    int exitCode = -1; // of the mail helper; -1 when it did not run or end
    QString message;
    QString detail;
    explicit operator bool() const { return ok; }
};

struct MailOptions {
    QString program = QStringLiteral("xdg-email");
    // How long the caller is kept waiting for the helper. Some mail programs
    // keep it running until their compose window (or the program) closes;
    // its outcome is then reported late.
    int waitMs = 4000;
    // The desktop file of the mailto handler; empty: asked from xdg-mime.
    QString handler = {};
};

QString msgMailSent();
QString msgMailFailed();
// Added to the failure when the helper `program` is not installed.
QString msgMailHelperMissing(const QString& program);
// The note in place of a claimed attachment, naming the files to attach by hand.
QString msgAttachmentsNotTaken(const QStringList& files);

// Whether a mail program could misread the path as the end of the attachment
// (a comma, a quote or "=", as in its compose command line).
bool needsSafeAttachmentName(const QString& path);
// The file name with those characters replaced by "_".
QString safeAttachmentName(const QString& fileName);

// The helper's arguments: every value is one argument of its own, so that no
// subject, body or path (blanks, quotes, a leading "-") is split or read as
// an option. Relative paths are made absolute.
QStringList xdgEmailArguments(const MailMessage& message);

// What the mail program of the desktop file `handler` (for example
// "thunderbird.desktop") does with attachments.
AttachmentSupport attachmentSupport(const QString& handler);

// The desktop file that handles mailto links, from xdg-mime; empty when it
// cannot be told.
QString defaultMailHandler();

// Where the outcome of a helper that outlives the wait goes: `report` runs
// when it ends, unless `context` is gone by then.
struct LateMailReport {
    QObject* context = nullptr;
    std::function<void(const MailResult&)> report;
};

// Hands `message` to the user's mail program (xdg-email started directly, no
// shell) and waits for the helper at most `options.waitMs`. Success is exit
// code 0; a helper still running is `pending` and its outcome goes to `late`.
// Attachments whose path needs a safe name are handed over as copies under
// one in a new temporary folder; a file that cannot be copied is named in
// the message instead of being claimed. Blocks the calling thread meanwhile;
// shows nothing.
MailResult sendMail(const MailMessage& message, const MailOptions& options = {},
                    const LateMailReport& late = {});

} // namespace quorvel
