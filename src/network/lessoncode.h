// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

namespace quorvel {

// The lesson code ("Unterrichtscode") of a network exercise. Anyone on a
// school network can send a datagram, and with the folder-only method every
// pupil can write into the communication folder; with a code, the teacher
// accepts only messages tagged with a key that only holders of the code can
// make, and participants trust the exchanged files only when the teacher's
// tags match. The key is stretched from the code and a salt of this exercise.
class LessonKey {
public:
    // An empty code gives an inactive key (no tags, the plain wire format).
    LessonKey() = default;
    LessonKey(const QString& code, const QByteArray& salt);

    bool active() const { return !m_key.isEmpty(); }

    // What the settings file carries so that a participant can check a
    // typed code before joining.
    QByteArray verifier() const;
    // HMAC-SHA256 of `data` under the key, as lower-case hex.
    QByteArray tag(const QByteArray& data) const;
    bool matches(const QByteArray& data, const QByteArray& tagHex) const;

    // The line appended to a message: "<sequence>:<tag>", the tag taken over
    // the sequence number and the message's lines.
    QString messageTagLine(const QStringList& lines, quint32 sequence) const;
    // Checks the last line of `lines` as such a tag; the sequence number when
    // it matches, and `lines` without the tag line.
    std::optional<quint32> verifyMessage(QStringList& lines) const;

private:
    QByteArray m_key;
};

// Secrets come from the system's cryptographic source, not from the
// program's seedable generator of exercise choices.
// 16 random bytes for a new exercise.
QByteArray newLessonSalt();
// A code the program offers the teacher: 6 characters that are hard to mix up.
QString newLessonCode();
// The longest code the teacher and the participants can type.
inline constexpr int kLessonCodeMaxLength = 16;

} // namespace quorvel
