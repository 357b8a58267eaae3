// SPDX-License-Identifier: GPL-3.0-or-later
#include "participantlink.h"

#include "documentio.h"
#include "localidentity.h"
#include "mailslotwire.h"
#include "randomgenerator.h"
#include "tmailslotchannel.h"

#include <QBuffer>
#include <QFileInfo>
#include <QTimer>

namespace quorvel {

namespace {

constexpr qint64 kSettingsFileLimit = 64 * 1024;
constexpr qint64 kDocumentLimit = 512LL * 1024 * 1024;
// The pause before each end message, and between the copies of a message.
constexpr int kEndPauseMs = 200;
constexpr int kRepeatPauseMs = 50;
// The teacher handles the message files of one scan in listing order, not
// in the order they were written: a participant writes its next file only
// once the teacher took the last one (a TN-AKTION handled before its
// TN-INIT would be lost, an older one would overwrite a newer). A teacher
// that takes nothing holds each message at most this long.
constexpr int kFileOrderWaitMs = 2000;
constexpr int kFilePollMs = 20;

} // namespace

QString msgWrongLessonCode() {
    return QStringLiteral("Der Unterrichtscode ist falsch.");
}

QString newParticipantId(RandomGenerator& random) {
    QString id;
    for (int i = 0; i < kParticipantIdLength; ++i)
        id += QChar(u'A' + random.bounded(26));
    return id;
}

IoResult readInvitation(const ExchangeFiles& files, const QString& lessonCode,
                        NetworkInvitation& invitation) {
    const auto fail = [](IoResult result, const QString& message) {
        result.messages << message;
        return result;
    };
    QByteArray bytes;
    IoResult read = readSmallFile(files.settingsPath(), kSettingsFileLimit, bytes);
    if (!read)
        return fail(read, msgNetworkFileRead(files.settingsPath()));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    if (read = readNetzUebSettings(buffer, invitation.settings); !read)
        return fail(read, msgNetworkFileRead(files.settingsPath()));

    const NetzUebSettings& s = invitation.settings;
    const bool coded = !s.lessonVerifier.isEmpty();
    if (coded != !lessonCode.trimmed().isEmpty())
        return fail(IoResult::failure(QStringLiteral("Unterrichtscode")), msgWrongLessonCode());
    if (coded) {
        invitation.key = LessonKey(lessonCode, s.lessonSalt);
        if (invitation.key.verifier() != s.lessonVerifier)
            return fail(IoResult::failure(QStringLiteral("Unterrichtscode")), msgWrongLessonCode());
        buffer.seek(0);
        NetzUebSettings checked;
        if (!readNetzUebSettings(buffer, checked, &invitation.key) || !checked.tagVerified)
            return fail(IoResult::failure(QStringLiteral("Signatur der Einstellungen")),
                        msgNetworkFileRead(files.settingsPath()));
    }
    read = readSmallFile(files.documentPath(), kDocumentLimit, invitation.document);
    if (!read)
        return fail(read, msgCannotRead(files.documentPath()));
    if (coded && !invitation.key.matches(invitation.document, s.documentTag))
        return fail(IoResult::failure(QStringLiteral("Signatur des Dokuments")),
                    msgCannotRead(files.documentPath()));
    return IoResult::success();
}

ParticipantLink::ParticipantLink(ExchangeFiles files, TMailSlotChannel* channel, QString master,
                                 LessonKey key, QString id, RandomGenerator& random,
                                 QObject* parent)
    : QObject(parent), m_files(std::move(files)), m_channel(channel), m_master(std::move(master)),
      m_key(std::move(key)), m_id(std::move(id)), m_random(random), m_user(loginName()),
      m_computer(hostName()) {}

void ParticipantLink::setLocalNames(const QString& user, const QString& computer) {
    m_user = user;
    m_computer = computer;
}

void ParticipantLink::send(const QStringList& lines) {
    QStringList message = lines;
    if (m_key.active())
        message << m_key.messageTagLine(lines, m_sequence++);
    if (m_channel) {
        m_channel->Send(m_master, message);
        return;
    }
    const IoResult written = m_files.writeMessageFile(m_user, m_computer, joinMessageLines(message),
                                                      m_random, &m_lastFile);
    m_lastWritten.start();
    for (const QString& text : written.messages)
        Q_EMIT problem(text);
}

void ParticipantLink::enqueue(const QStringList& lines, int delayMs, bool repeat) {
    // Files arrive or fail visibly; datagrams are sent again.
    const int copies = repeat && m_channel ? kRepeats : 1;
    for (int i = 0; i < copies; ++i)
        m_queue.push_back({lines, i == 0 ? delayMs : kRepeatPauseMs});
    pump();
}

bool ParticipantLink::waitsForTeacher() const {
    return !m_channel && !m_lastFile.isEmpty() && m_lastWritten.isValid() &&
           m_lastWritten.elapsed() < kFileOrderWaitMs && QFileInfo::exists(m_lastFile);
}

void ParticipantLink::pump() {
    if (m_pumping)
        return;
    while (!m_queue.empty() && m_queue.front().delayMs == 0 && !waitsForTeacher()) {
        send(m_queue.front().lines);
        m_queue.pop_front();
    }
    if (m_queue.empty()) {
        Q_EMIT allSent();
        return;
    }
    m_pumping = true;
    const int delay = m_queue.front().delayMs > 0 ? m_queue.front().delayMs : kFilePollMs;
    QTimer::singleShot(delay, this, [this] {
        m_pumping = false;
        m_queue.front().delayMs = 0;
        pump();
    });
}

void ParticipantLink::sendInit(const QString& name, const QString& startTime) {
    enqueue(tnInit(m_id, name, startTime), 0, true);
}

void ParticipantLink::sendAction(const TnAktionData& data) {
    TnAktionData own = data;
    own.id = m_id;
    enqueue(tnAktion(own), 0, false);
}

void ParticipantLink::sendEnd(NetStatus status, const QString& clock, const QStringList& bestList) {
    enqueue(tnFertig(m_id, status, clock), kEndPauseMs, true);
    if (!bestList.isEmpty())
        enqueue(bestList, kEndPauseMs, true);
}

} // namespace quorvel
