// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <memory>

class QSettings;

namespace quorvel {

// Everything the start of the program takes from outside: the command line,
// where the folders and the settings are. The program fills it from the real
// environment; tests point it at temporary folders.
struct StartEnvironment {
    QStringList arguments; // without the program name
    QString workingDirectory;
    QString baseFolder; // ends with "/"
    QStringList centralConfigCandidates;
    QString userSettingsFile; // empty: the per-user store of organisation and application "Quorvel"

    // The environment of this run (needs a QCoreApplication).
    static StartEnvironment fromApplication();
};

// Opens the user's settings store.
std::unique_ptr<QSettings> openUserSettings(const StartEnvironment& environment);

} // namespace quorvel
