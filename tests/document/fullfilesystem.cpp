// SPDX-License-Identifier: GPL-3.0-or-later
#include "fullfilesystem.h"

#include <QDir>
#include <QFile>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/mount.h>
#include <unistd.h>

namespace {

const QString kFiller = QStringLiteral("filler");

// Fills the file system in ever smaller pieces down to single bytes, so that
// not even a partial block is left.
bool fill(const QString& path) {
    const int fd =
        ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0)
        return false;
    const QByteArray chunk(4096, 'f');
    for (qsizetype piece = chunk.size(); piece >= 1; piece /= 2) {
        while (::write(fd, chunk.constData(), size_t(piece)) == piece) {
        }
    }
    const bool full = errno == ENOSPC;
    ::close(fd);
    return full;
}

} // namespace

FullFileSystem::FullFileSystem(const QString& oldName, const QByteArray& oldBytes) {
    if (!m_dir.isValid()) {
        m_skipReason = QStringLiteral("no temporary folder");
        return;
    }
    const QByteArray where = QFile::encodeName(m_dir.path());
    if (::mount("tmpfs", where.constData(), "tmpfs", MS_NOSUID | MS_NODEV, "size=16k") != 0) {
        m_skipReason = QStringLiteral("cannot mount a tmpfs on %1: %2 (needs root)")
                           .arg(m_dir.path(), QString::fromLocal8Bit(std::strerror(errno)));
        return;
    }
    m_mounted = true;
    QFile old(path(oldName));
    if (!old.open(QIODevice::WriteOnly) || old.write(oldBytes) != oldBytes.size() || !old.flush())
        m_skipReason = QStringLiteral("the old file does not fit the tmpfs");
    else if (!fill(path(kFiller)))
        m_skipReason = QStringLiteral("cannot fill the tmpfs");
}

FullFileSystem::~FullFileSystem() {
    if (m_mounted)
        ::umount2(QFile::encodeName(m_dir.path()).constData(), MNT_DETACH);
}

QString FullFileSystem::path(const QString& name) const {
    return m_dir.filePath(name);
}

QStringList FullFileSystem::names() const {
    return QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
}

void FullFileSystem::makeRoom() {
    QFile::remove(path(kFiller));
}
