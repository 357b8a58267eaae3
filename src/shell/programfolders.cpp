// SPDX-License-Identifier: GPL-3.0-or-later
#include "programfolders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace quorvel {

QString withTrailingSlash(const QString& folder) {
    if (folder.isEmpty() || folder.endsWith(u'/'))
        return folder;
    return folder + u'/';
}

QString chooseBaseFolder(const QString& executableFolder, const QString& dataLocation) {
    const QFileInfo info(executableFolder);
    if (!executableFolder.isEmpty() && info.isDir() && info.isWritable())
        return withTrailingSlash(QDir::cleanPath(info.absoluteFilePath()));
    return withTrailingSlash(QDir::cleanPath(dataLocation));
}

QString baseFolder() {
    return chooseBaseFolder(QCoreApplication::applicationDirPath(),
                            QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
}

} // namespace quorvel
