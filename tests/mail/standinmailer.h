// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace quorvel::test {

// Stand-ins for xdg-email and xdg-mime, put first on PATH while the object
// lives. xdg-email writes each argument it gets, NUL-terminated, to a file and
// exits with `exitCode`; xdg-mime names `handler` as the mailto handler.
class StandInMailer {
public:
    explicit StandInMailer(int exitCode = 0, const QByteArray& handler = "thunderbird.desktop")
        : m_oldPath(qgetenv("PATH")) {
        EXPECT_TRUE(m_dir.isValid());
        script("xdg-email", "#!/bin/sh\nprintf '%s\\0' \"$@\" > '" + recordFile().toUtf8() +
                                "'\nexit " + QByteArray::number(exitCode) + "\n");
        script("xdg-mime", "#!/bin/sh\necho '" + handler + "'\n");
        qputenv("PATH", m_dir.path().toUtf8() + ':' + m_oldPath);
    }
    ~StandInMailer() { qputenv("PATH", m_oldPath); }
    StandInMailer(const StandInMailer&) = delete;
    StandInMailer& operator=(const StandInMailer&) = delete;

    QString recordFile() const { return m_dir.filePath(QStringLiteral("arguments")); }
    bool ran() const { return QFile::exists(recordFile()); }

    // The arguments of the last run, one entry each.
    QStringList arguments() const {
        QFile file(recordFile());
        if (!file.open(QIODevice::ReadOnly))
            return {};
        QByteArray bytes = file.readAll();
        if (bytes.endsWith('\0'))
            bytes.chop(1);
        QStringList result;
        for (const QByteArray& part : bytes.split('\0'))
            result << QString::fromUtf8(part);
        return result;
    }

private:
    void script(const char* name, const QByteArray& text) {
        QFile file(m_dir.filePath(QString::fromLatin1(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
        file.close();
        file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                            QFileDevice::ExeOwner);
    }

    QTemporaryDir m_dir;
    QByteArray m_oldPath;
};

} // namespace quorvel::test
