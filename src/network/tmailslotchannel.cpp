// SPDX-License-Identifier: GPL-3.0-or-later
#include "tmailslotchannel.h"

#include "localidentity.h"
#include "mailslotwire.h"

#include <arpa/inet.h>
#include <cstring>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>

namespace quorvel {

namespace {

// What the receiver may hold before the UI thread takes it: far more than a
// class of 60 sends in a burst, far less than memory worth worrying about.
constexpr qint64 kQueueLimitBytes = 16 * 1024 * 1024;
constexpr int kSocketBufferBytes = 4 * 1024 * 1024;

} // namespace

TMailSlotChannel::TMailSlotChannel(QObject* parent)
    : QObject(parent), m_user(loginName()), m_computer(hostName()) {
    m_delivery.setInterval(m_checkInterval);
    connect(&m_delivery, &QTimer::timeout, this, &TMailSlotChannel::deliver);
}

TMailSlotChannel::~TMailSlotChannel() {
    deactivate();
    if (m_sendSocket >= 0)
        ::close(m_sendSocket);
}

bool TMailSlotChannel::setMailBox(const QString& name) {
    if (name == m_mailBox)
        return true;
    if (!isPlainMailBoxName(name))
        return false;
    m_mailBox = name;
    if (m_active) {
        deactivate();
        activate();
    }
    return true;
}

void TMailSlotChannel::setActive(bool active) {
    if (active == m_active)
        return;
    if (active)
        activate();
    else
        deactivate();
}

void TMailSlotChannel::setCheckInterval(int ms) {
    m_checkInterval = qMax(1, ms);
    m_delivery.setInterval(m_checkInterval);
}

void TMailSlotChannel::setLocalNames(const QString& user, const QString& computer) {
    m_user = user;
    m_computer = computer;
}

void TMailSlotChannel::activate() {
    const int fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return;
    int size = kSocketBufferBytes;
    // Root may go past the system's limit; everyone else gets what it allows.
    if (::setsockopt(fd, SOL_SOCKET, SO_RCVBUFFORCE, &size, sizeof size) != 0)
        ::setsockopt(fd, SOL_SOCKET, SO_RCVBUF, &size, sizeof size);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_ANY);
    address.sin_port = htons(mailSlotPort(m_mailBox));
    if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        ::close(fd);
        return;
    }
    m_wake = ::eventfd(0, EFD_CLOEXEC);
    if (m_wake < 0) {
        ::close(fd);
        return;
    }
    m_socket = fd;
    m_active = true;
    m_receiver = std::thread([this] { receiveLoop(); });
    m_delivery.start();
}

void TMailSlotChannel::deactivate() {
    if (!m_active)
        return;
    const quint64 one = 1;
    [[maybe_unused]] const auto written = ::write(m_wake, &one, sizeof one);
    m_receiver.join();
    ::close(m_socket);
    ::close(m_wake);
    m_socket = m_wake = -1;
    m_active = false;
    m_delivery.stop();
    std::lock_guard lock(m_mutex);
    m_queue.clear();
    m_queuedBytes = 0;
}

void TMailSlotChannel::receiveLoop() {
    QByteArray buffer(kMaxDatagram + 1, Qt::Uninitialized);
    pollfd fds[2] = {{m_socket, POLLIN, 0}, {m_wake, POLLIN, 0}};
    for (;;) {
        if (::poll(fds, 2, -1) < 0)
            continue;
        if (fds[1].revents & POLLIN)
            return;
        // Drain everything that has arrived, then wait again.
        for (;;) {
            const ssize_t n =
                ::recv(m_socket, buffer.data(), buffer.size(), MSG_DONTWAIT | MSG_TRUNC);
            if (n < 0)
                break;
            if (n > kMaxDatagram) {
                ++m_dropped;
                continue;
            }
            std::lock_guard lock(m_mutex);
            if (m_queuedBytes + n > kQueueLimitBytes) {
                ++m_dropped;
                continue;
            }
            m_queue.emplace_back(buffer.constData(), static_cast<qsizetype>(n));
            m_queuedBytes += n;
        }
    }
}

void TMailSlotChannel::deliver() {
    std::deque<QByteArray> arrived;
    {
        std::lock_guard lock(m_mutex);
        arrived.swap(m_queue);
        m_queuedBytes = 0;
    }
    for (const QByteArray& bytes : arrived) {
        // A handler may deactivate the channel; what is left then is dropped.
        if (!m_active)
            return;
        if (const auto message = decodeChannelMessage(bytes))
            Q_EMIT newMessage(message->computer, message->user, message->text);
    }
}

void TMailSlotChannel::Send(const QString& computer, const QStringList& lines) {
    const QByteArray datagram = encodeChannelMessage(m_user, m_computer, lines);
    if (datagram.size() > kMaxDatagram)
        return;
    auto known = m_addresses.constFind(computer);
    if (known == m_addresses.constEnd()) {
        addrinfo hints{};
        hints.ai_family = AF_INET;
        hints.ai_socktype = SOCK_DGRAM;
        addrinfo* found = nullptr;
        if (::getaddrinfo(computer.toLocal8Bit().constData(), nullptr, &hints, &found) != 0 ||
            !found)
            return;
        QByteArray address(reinterpret_cast<const char*>(found->ai_addr),
                           static_cast<qsizetype>(sizeof(sockaddr_in)));
        ::freeaddrinfo(found);
        known = m_addresses.insert(computer, address);
    }
    if (m_sendSocket < 0) {
        m_sendSocket = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
        if (m_sendSocket < 0)
            return;
    }
    sockaddr_in target;
    std::memcpy(&target, known->constData(), sizeof target);
    target.sin_port = htons(mailSlotPort(m_mailBox));
    ::sendto(m_sendSocket, datagram.constData(), static_cast<size_t>(datagram.size()), 0,
             reinterpret_cast<const sockaddr*>(&target), sizeof target);
}

} // namespace quorvel
