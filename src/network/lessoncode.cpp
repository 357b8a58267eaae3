// SPDX-License-Identifier: GPL-3.0-or-later
#include "lessoncode.h"

#include "mailslotwire.h"

#include <QMessageAuthenticationCode>
#include <QRandomGenerator>

namespace quorvel {

namespace {

constexpr int kStretchRounds = 20000;

QByteArray hmac(const QByteArray& key, const QByteArray& data) {
    return QMessageAuthenticationCode::hash(data, key, QCryptographicHash::Sha256);
}

// One block of PBKDF2-HMAC-SHA256: enough key for one HMAC, and slow enough
// that trying codes against a captured settings file costs real time.
QByteArray stretch(const QByteArray& password, const QByteArray& salt) {
    QByteArray u = hmac(password, salt + QByteArray("\0\0\0\1", 4));
    QByteArray result = u;
    for (int round = 1; round < kStretchRounds; ++round) {
        u = hmac(password, u);
        for (qsizetype i = 0; i < result.size(); ++i)
            result[i] = static_cast<char>(result[i] ^ u[i]);
    }
    return result;
}

// Comparison that takes the same time wherever the first difference lies.
bool sameBytes(const QByteArray& a, const QByteArray& b) {
    if (a.size() != b.size())
        return false;
    unsigned char diff = 0;
    for (qsizetype i = 0; i < a.size(); ++i)
        diff |= static_cast<unsigned char>(a[i] ^ b[i]);
    return diff == 0;
}

} // namespace

LessonKey::LessonKey(const QString& code, const QByteArray& salt) {
    const QString trimmed = code.trimmed().toUpper();
    if (!trimmed.isEmpty())
        m_key = stretch(trimmed.toUtf8(), salt);
}

QByteArray LessonKey::verifier() const {
    return tag(QByteArrayLiteral("lesson code verifier"));
}

QByteArray LessonKey::tag(const QByteArray& data) const {
    return hmac(m_key, data).toHex();
}

bool LessonKey::matches(const QByteArray& data, const QByteArray& tagHex) const {
    return active() && sameBytes(tag(data), tagHex);
}

QString LessonKey::messageTagLine(const QStringList& lines, quint32 sequence) const {
    const QByteArray number = QByteArray::number(sequence);
    return QString::fromLatin1(number + ':' +
                               tag(number + '\n' + joinMessageLines(lines).toUtf8()));
}

std::optional<quint32> LessonKey::verifyMessage(QStringList& lines) const {
    if (lines.size() < 2)
        return std::nullopt;
    const QString last = lines.constLast();
    const qsizetype colon = last.indexOf(QLatin1Char(':'));
    if (colon <= 0 || colon > 10)
        return std::nullopt;
    bool ok = false;
    const quint32 sequence = last.left(colon).toUInt(&ok);
    if (!ok)
        return std::nullopt;
    QStringList body = lines;
    body.removeLast();
    const QByteArray number = QByteArray::number(sequence);
    if (!matches(number + '\n' + joinMessageLines(body).toUtf8(), last.mid(colon + 1).toLatin1()))
        return std::nullopt;
    lines = body;
    return sequence;
}

QByteArray newLessonSalt() {
    QByteArray salt(16, Qt::Uninitialized);
    for (char& byte : salt)
        byte = static_cast<char>(QRandomGenerator::system()->bounded(256));
    return salt;
}

QString newLessonCode() {
    // No 0/O, 1/I/L: the class copies the code from the board.
    static const QString alphabet = QStringLiteral("ABCDEFGHJKMNPQRSTUVWXYZ23456789");
    QString code;
    for (int i = 0; i < 6; ++i)
        code += alphabet.at(QRandomGenerator::system()->bounded(static_cast<int>(alphabet.size())));
    return code;
}

} // namespace quorvel
