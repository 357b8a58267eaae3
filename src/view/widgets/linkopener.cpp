// SPDX-License-Identifier: GPL-3.0-or-later
#include "linkopener.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>

namespace quorvel {

bool LinkOpener::open(const QUrl& url) {
    if (url.isLocalFile()) {
        const QFileInfo file(url.toLocalFile());
        if (file.isFile() && file.isExecutable())
            return QProcess::startDetached(file.absoluteFilePath(), {}, file.absolutePath());
    }
    return QDesktopServices::openUrl(url);
}

} // namespace quorvel
