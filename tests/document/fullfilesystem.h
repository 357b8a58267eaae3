// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

// A 16 KiB tmpfs mounted on a temporary folder, holding an old file and then
// filled to its last block, so that any further write fails with ENOSPC.
// Mounting needs root (CI runs as root); where it fails, `skipReason()` says
// why and the test skips.
class FullFileSystem {
public:
    // `oldName` is created with `oldBytes` before the file system is filled.
    FullFileSystem(const QString& oldName, const QByteArray& oldBytes);
    ~FullFileSystem();
    FullFileSystem(const FullFileSystem&) = delete;
    FullFileSystem& operator=(const FullFileSystem&) = delete;

    const QString& skipReason() const { return m_skipReason; }
    QString path(const QString& name) const;
    // The names in the folder, sorted: a failed save leaves no stray file.
    QStringList names() const;
    // Frees the space again, for a save that must succeed.
    void makeRoom();

private:
    QTemporaryDir m_dir;
    QString m_skipReason;
    bool m_mounted = false;
};
