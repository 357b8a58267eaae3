// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

namespace quorvel {

// The bytes of one channel message and the rules for mailbox names. A mailbox
// is a UDP port: 47000 + (CRC-32 of the upper-cased name mod 1000), so every
// computer of a class finds the teacher's mailbox under the same number.

// At most this many characters in a mailbox name.
inline constexpr int kMailBoxMaxLength = 8;
// The largest datagram the channel sends or accepts.
inline constexpr int kMaxDatagram = 65507;

quint16 mailSlotPort(const QString& mailBox);

// A name that may stand in a file name and as a mailbox: 1 to 8 characters,
// no path separators, no "." or "..", no control characters.
bool isPlainMailBoxName(const QString& name);
// The refusal of a channel name that is not such a name.
QString msgInvalidChannel(const QString& name);

// "Message", user, computer, then `lines`, each followed by CR LF, in
// Windows-1252.
QByteArray encodeChannelMessage(const QString& user, const QString& computer,
                                const QStringList& lines);

struct ChannelMessage {
    QString computer;
    QString user;
    QString text; // the caller's lines, each with its CR LF
};

// Splits a received message into its header and text; nothing when line 0 is
// not "Message" or the header lines are missing.
std::optional<ChannelMessage> decodeChannelMessage(const QByteArray& bytes);

// Lines of a message text; a line ends at CR LF, CR or LF.
QStringList messageLines(const QString& text);
// Every line followed by CR LF.
QString joinMessageLines(const QStringList& lines);

} // namespace quorvel
