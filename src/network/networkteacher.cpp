// SPDX-License-Identifier: GPL-3.0-or-later
#include "networkteacher.h"

#include "bestlist.h"
#include "documentio.h"
#include "lessoncode.h"
#include "savefile.h"

#include <QFile>
#include <QFileInfo>

namespace quorvel {

namespace {

// A document copy larger than this is not tagged in one read; documents of
// a lesson are far smaller.
constexpr qint64 kTaggedDocumentLimit = 512LL * 1024 * 1024;

// Message files handled per scan: a folder flooded with files cannot hold
// the teacher's window for long.
constexpr int kFilesPerScan = 500;

} // namespace

NetworkTeacher::NetworkTeacher(QObject* parent) : QObject(parent), m_channel(this) {
    connect(&m_channel, &TMailSlotChannel::newMessage, this, &NetworkTeacher::handleMessage);
    connect(&m_scan, &QTimer::timeout, this, &NetworkTeacher::scanFolder);
}

NetworkTeacher::~NetworkTeacher() {
    end();
}

qint64 NetworkTeacher::droppedDatagrams() const {
    return m_channel.droppedCount();
}

IoResult NetworkTeacher::initiate(Document& document, const Publication& p) {
    end();
    m_files = std::make_unique<ExchangeFiles>(p.folder, p.channel);
    m_files->clear();
    QFile::remove(m_files->bestListPath());

    IoResult result = writeDocumentFile(document, m_files->documentPath(), false);
    if (!result)
        return result;

    NetzUebSettings settings = p.settings;
    TeacherState::Setup setup = p.state;
    if (!p.lessonCode.trimmed().isEmpty()) {
        settings.lessonSalt = newLessonSalt();
        setup.key = LessonKey(p.lessonCode, settings.lessonSalt);
        QByteArray copy;
        if (IoResult read = readSmallFile(m_files->documentPath(), kTaggedDocumentLimit, copy);
            !read) {
            read.messages << msgCannotRead(m_files->documentPath());
            return read;
        }
        settings.documentTag = setup.key.tag(copy);
    }
    const IoResult written = saveWholeFile(m_files->settingsPath(), [&](QIODevice& out) {
        return writeNetzUebSettings(out, settings, &setup.key).ok;
    });
    if (!written)
        result.messages << msgCannotWrite(m_files->settingsPath());

    m_state = std::make_unique<TeacherState>(std::move(setup));
    m_running = true;
    if (p.method == Method::Combined) {
        m_channel.setMailBox(p.channel);
        m_channel.setCheckInterval(p.scanIntervalMs);
        m_channel.setActive(true);
    } else {
        m_scan.start(p.scanIntervalMs);
    }
    if (IoResult marker = m_files->setRegistrationOpen(true); !marker)
        result.messages << marker.messages;
    return result;
}

void NetworkTeacher::end() {
    m_channel.setActive(false);
    m_scan.stop();
    if (m_running && m_files)
        m_files->clear();
    m_running = false;
}

IoResult NetworkTeacher::setRegistrationOpen(bool open) {
    if (!m_running || !m_files)
        return IoResult::failure(QStringLiteral("keine Netzwerk-Übung aktiv"));
    return m_files->setRegistrationOpen(open);
}

void NetworkTeacher::handleMessage(const QString& computer, const QString& user,
                                   const QString& text) {
    if (!m_running || !m_state)
        return;
    const auto refusals = [this] { return m_state->rejectedCount() + m_state->refusedJoins(); };
    const int refusedBefore = refusals();
    const TeacherState::Update update = m_state->handle(computer, user, text);
    if (refusals() != refusedBefore)
        Q_EMIT refused();
    if (update.bestListEntry) {
        const IoResult appended = appendBestListEntry(m_files->bestListPath(),
                                                      BestListKind::Network, *update.bestListEntry);
        for (const QString& message : appended.messages)
            Q_EMIT problem(message);
        Q_EMIT bestListEntered();
    }
    if (update.row >= 0)
        Q_EMIT rowChanged(update.row, update.rowAdded, update.columns);
}

void NetworkTeacher::scanFolder() {
    // Stopped while working, so that a message box shown by a listener does
    // not let the next scan overlap this one.
    m_scan.stop();
    int handled = 0;
    for (const QString& path : m_files->messageFiles()) {
        if (!m_running || ++handled > kFilesPerScan)
            break;
        if (QFileInfo(path).size() > 0) {
            MessageFile message;
            if (readMessageFile(path, message))
                handleMessage(message.computer, message.user, message.text);
            else
                Q_EMIT problem(msgNetworkFileRead(path));
        }
        QFile::remove(path);
    }
    if (m_running)
        m_scan.start();
}

} // namespace quorvel
