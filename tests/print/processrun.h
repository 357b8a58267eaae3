// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

namespace quorvel::test {

struct ProcessRun {
    int exitCode = -1; // -1: crashed or did not finish
    QString output;    // stdout and stderr
};

// Runs `program` with the environment changed by `set` (name=value pairs) and
// messages in English, so that a tool's state can be read from them.
inline ProcessRun runProcess(const QString& program, const QStringList& arguments,
                             const QList<std::pair<QString, QString>>& set = {},
                             int timeoutMs = 30000) {
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
    for (const auto& [name, value] : set)
        environment.insert(name, value);
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished();
        return {-1, program + QStringLiteral(" did not finish")};
    }
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromLocal8Bit(process.readAll())};
}

} // namespace quorvel::test
