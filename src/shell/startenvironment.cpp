// SPDX-License-Identifier: GPL-3.0-or-later
#include "startenvironment.h"

#include "centralconfig.h"
#include "programfolders.h"

#include <QCoreApplication>
#include <QDir>
#include <QSettings>

namespace quorvel {

StartEnvironment StartEnvironment::fromApplication() {
    StartEnvironment environment;
    environment.arguments = QCoreApplication::arguments().mid(1);
    environment.workingDirectory = QDir::currentPath();
    environment.baseFolder = quorvel::baseFolder();
    environment.centralConfigCandidates =
        quorvel::centralConfigCandidates(QCoreApplication::applicationDirPath());
    return environment;
}

std::unique_ptr<QSettings> openUserSettings(const StartEnvironment& environment) {
    if (environment.userSettingsFile.isEmpty())
        return std::make_unique<QSettings>(QStringLiteral("Quorvel"), QStringLiteral("Quorvel"));
    return std::make_unique<QSettings>(environment.userSettingsFile, QSettings::IniFormat);
}

} // namespace quorvel
