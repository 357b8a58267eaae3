// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QHash>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <atomic>
#include <deque>
#include <mutex>
#include <thread>

namespace quorvel {

// A mailbox for short text messages between the computers of a class. The
// local mailbox is a UDP socket on the mailbox's port (see mailSlotPort),
// bound without address reuse, so a second holder of the same name on one
// computer fails to activate. A receiver thread drains the socket into a
// queue as soon as datagrams arrive (a class finishing at once must not
// overflow the socket); every `CheckInterval` milliseconds the UI thread takes
// what has arrived and emits newMessage for each message, oldest first.
// Sending is one datagram to the mailbox's port on the named computer;
// failures (name that does not resolve, nobody listening) are silent.
class TMailSlotChannel : public QObject {
    Q_OBJECT
public:
    explicit TMailSlotChannel(QObject* parent = nullptr);
    ~TMailSlotChannel() override;

    const QString& MailBox() const { return m_mailBox; }
    // Takes a plain name of at most 8 characters (re-opening the local mailbox
    // when active); returns false and keeps the old name otherwise.
    bool setMailBox(const QString& name);

    bool Active() const { return m_active; }
    // Opening the local mailbox may fail (the port is taken): Active() then
    // stays false, silently.
    void setActive(bool active);

    int CheckInterval() const { return m_checkInterval; }
    void setCheckInterval(int ms);

    void Send(const QString& computer, const QStringList& lines);

    // The names sent in every message's header; the host and login names by default.
    void setLocalNames(const QString& user, const QString& computer);
    const QString& localComputer() const { return m_computer; }
    const QString& localUser() const { return m_user; }

    // Datagrams thrown away: too large, or arriving while the queue was full.
    qint64 droppedCount() const { return m_dropped.load(); }

Q_SIGNALS:
    void newMessage(const QString& computer, const QString& userName, const QString& text);

private:
    void activate();
    void deactivate();
    void receiveLoop();
    void deliver();

    QString m_mailBox = QStringLiteral("MailBox");
    bool m_active = false;
    int m_checkInterval = 1000;
    QString m_user;
    QString m_computer;

    int m_socket = -1;
    int m_wake = -1; // eventfd that stops the receiver
    std::thread m_receiver;
    std::mutex m_mutex;
    std::deque<QByteArray> m_queue;
    qint64 m_queuedBytes = 0;
    std::atomic<qint64> m_dropped{0};
    QTimer m_delivery;

    int m_sendSocket = -1;
    QHash<QString, QByteArray> m_addresses; // resolved sockaddr_in per computer name
};

} // namespace quorvel
