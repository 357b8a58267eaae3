// SPDX-License-Identifier: GPL-3.0-or-later
#include "savefile.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace quorvel {

namespace {

// Plenty for names drawn from 2^32; it only ends a folder that refuses every name.
constexpr int kTemporaryNameAttempts = 100;

IoResult systemFailure(const QString& what, const QString& path, int error) {
    return IoResult::failure(
        u"%1 %2: %3"_s.arg(what, path, QString::fromLocal8Bit(std::strerror(error))));
}

// Unbuffered, so that a write the disk refuses fails at once and is seen
// here, whatever the content writer makes of its return value.
IoResult writeThrough(int fd, const QString& path, const FileContentWriter& write) {
    QFile out;
    if (!out.open(fd, QIODevice::WriteOnly | QIODevice::Unbuffered, QFileDevice::DontCloseHandle))
        return IoResult::failure(u"cannot write %1: %2"_s.arg(path, out.errorString()));
    const bool written = write(out);
    if (out.error() != QFileDevice::NoError)
        return IoResult::failure(u"cannot write %1: %2"_s.arg(path, out.errorString()));
    if (!written)
        return IoResult::failure(u"cannot write %1"_s.arg(path));
    return IoResult::success();
}

int closeChecked(int fd) {
    // After EINTR the descriptor is gone on Linux; retrying could close another one.
    return ::close(fd) == 0 || errno == EINTR ? 0 : errno;
}

void syncFolder(const QString& folder) {
    const int fd =
        ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd); // the rename is done; this only makes it last over a power cut
    ::close(fd);
}

// A device or a named pipe: written in place, it cannot be replaced.
IoResult writeInPlace(const QString& path, const struct stat& info,
                      const FileContentWriter& write) {
    if (!S_ISCHR(info.st_mode) && !S_ISFIFO(info.st_mode))
        return IoResult::failure(u"%1 is no regular file, it is not replaced"_s.arg(path));
    // Without O_NONBLOCK opening a pipe waits for a reader, maybe forever.
    const int fd =
        ::open(QFile::encodeName(path).constData(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENXIO)
            return IoResult::failure(u"the pipe %1 has no reader"_s.arg(path));
        return systemFailure(u"cannot open"_s, path, errno);
    }
    const int flags = ::fcntl(fd, F_GETFL);
    IoResult result = flags >= 0 && ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) == 0
                          ? writeThrough(fd, path, write)
                          : systemFailure(u"cannot open"_s, path, errno);
    if (const int error = closeChecked(fd); error != 0 && result.ok)
        result = systemFailure(u"cannot write"_s, path, error);
    return result;
}

IoResult replaceRegular(const QString& path, const struct stat* previous,
                        const FileContentWriter& write) {
    const QFileInfo info(path);
    const QString folder = info.absolutePath();
    QString temporary;
    int fd = -1;
    for (int attempt = 0; attempt < kTemporaryNameAttempts && fd < 0; ++attempt) {
        temporary = folder + u"/."_s + info.fileName() + u'.' +
                    QString::number(QRandomGenerator::global()->generate(), 16) + u".tmp"_s;
        // 0666 less the umask, as for any new file.
        fd = ::open(QFile::encodeName(temporary).constData(),
                    O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST)
            return systemFailure(u"cannot create a file in"_s, folder, errno);
    }
    if (fd < 0)
        return IoResult::failure(u"no free temporary name in %1"_s.arg(folder));
    if (previous)
        ::fchmod(fd, previous->st_mode & 07777); // best effort: the owner may differ

    IoResult result = writeThrough(fd, path, write);
    // The disk may report a late failure only here, so neither is optional.
    if (result.ok && ::fsync(fd) != 0 && errno != EINVAL)
        result = systemFailure(u"cannot write"_s, path, errno);
    if (const int error = closeChecked(fd); error != 0 && result.ok)
        result = systemFailure(u"cannot write"_s, path, error);
    const QByteArray nativeTemporary = QFile::encodeName(temporary);
    if (result.ok &&
        ::rename(nativeTemporary.constData(), QFile::encodeName(path).constData()) != 0)
        result = systemFailure(u"cannot replace"_s, path, errno);
    if (!result.ok)
        ::unlink(nativeTemporary.constData());
    else
        syncFolder(folder);
    return result;
}

} // namespace

IoResult saveWholeFile(const QString& path, const FileContentWriter& write) {
    if (path.isEmpty())
        return IoResult::failure(u"empty file name"_s);
    QString target = path;
    // Replace what a link names, not the link.
    if (const QFileInfo link(path); link.isSymLink()) {
        const QString resolved = link.canonicalFilePath();
        target = resolved.isEmpty() ? link.symLinkTarget() : resolved;
    }
    struct stat info {};
    if (::stat(QFile::encodeName(target).constData(), &info) != 0) {
        if (errno != ENOENT)
            return systemFailure(u"cannot write"_s, path, errno);
        return replaceRegular(target, nullptr, write);
    }
    if (S_ISDIR(info.st_mode))
        return IoResult::failure(u"%1 is a folder"_s.arg(path));
    if (!S_ISREG(info.st_mode))
        return writeInPlace(target, info, write);
    return replaceRegular(target, &info, write);
}

IoResult saveWholeFile(const QString& path, const QByteArray& content) {
    return saveWholeFile(
        path, [&content](QIODevice& out) { return out.write(content) == content.size(); });
}

} // namespace quorvel
