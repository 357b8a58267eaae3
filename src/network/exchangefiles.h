// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ioresult.h"

#include <QString>
#include <QStringList>

namespace quorvel {

class RandomGenerator;

// The files a network exercise exchanges in the communication folder, all
// named after the channel: the document copy, the settings file, the
// registration marker, the network best list and the participants' message
// files (folder-only method).
class ExchangeFiles {
public:
    // `folder` with or without a trailing "/"; `channel` must be a plain name
    // (isPlainMailBoxName), which the caller checks.
    ExchangeFiles(const QString& folder, const QString& channel);

    QString prefix() const { return m_prefix; }
    QString documentPath() const { return m_prefix + QStringLiteral("rbknetzuebung.rbk"); }
    QString settingsPath() const { return m_prefix + QStringLiteral("rbknetzuebung.dat"); }
    QString markerPath() const { return m_prefix + QStringLiteral("rbknetzuebung.okx"); }
    QString bestListPath() const { return m_prefix + QStringLiteral("rbknetzuebung.hsc"); }

    // Deletes the document copy, the settings file, the marker and every
    // message file; the best list stays.
    void clear() const;
    // Creates or deletes the marker; a failure carries msgCannotWrite.
    IoResult setRegistrationOpen(bool open) const;
    // Marker, settings file and document copy all exist.
    bool available() const;

    // Writes one message file under a fresh random name (12 letters), whose
    // path goes to `written` when given.
    IoResult writeMessageFile(const QString& user, const QString& computer, const QString& text,
                              RandomGenerator& random, QString* written = nullptr) const;
    // The message files now present, in listing order.
    QStringList messageFiles() const;

private:
    QString m_folder;
    QString m_prefix;
};

// The four strings of a message file.
struct MessageFile {
    QString user;
    QString computer;
    QString text;
};

// Reads a message file; files larger than any message are refused unread.
IoResult readMessageFile(const QString& path, MessageFile& message);

// Whether this PC may create and delete files in `folder`: creates and
// deletes the first "AVXZ_<n>" that does not exist there.
bool folderAccessTest(const QString& folder);

// Reads a whole exchanged file of at most `limit` bytes.
IoResult readSmallFile(const QString& path, qint64 limit, QByteArray& bytes);

} // namespace quorvel
