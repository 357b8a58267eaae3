// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <utility>

namespace quorvel {

// The outcome of every reader and writer of the program's files and streams:
// documents, pictures, PNG data, settings files, and the readers of best
// lists, protocols, series packages and network files that come later.
//
// - `ok`: whether the operation succeeded. A success has no messages and an
//   offset of -1.
// - `messages`: the German texts the user is shown, in the order they are
//   shown (one message box each). Failures that are silent by design (a
//   folder listing skips an unreadable file, a missing central settings file)
//   leave it empty, and so do low-level codecs (PNG), whose callers put the
//   failure into their own message.
// - `offset`: the byte offset in the file or stream (the device's position)
//   where reading failed; -1 when it does not apply: writing, a missing file,
//   a failure before the first byte was read.
// - `detail`: the technical cause, what was wrong and where, for tools and
//   the details of a dialog; never shown as a message of its own. May be
//   empty on failure when the messages say everything.
//
// What a failed reader leaves in its target is documented with the reader.
struct IoResult {
    bool ok = false;
    QStringList messages;
    qint64 offset = -1;
    QString detail;

    static IoResult success() {
        IoResult result;
        result.ok = true;
        return result;
    }
    // A failure with its cause; the caller adds the messages it shows.
    static IoResult failure(QString detail, qint64 offset = -1) {
        IoResult result;
        result.detail = std::move(detail);
        result.offset = offset;
        return result;
    }

    explicit operator bool() const { return ok; }
};

} // namespace quorvel
