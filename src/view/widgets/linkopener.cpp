// SPDX-License-Identifier: GPL-3.0-or-later
#include "linkopener.h"

#include "linkfields.h"

#include <QDesktopServices>

namespace quorvel {

bool LinkOpener::open(const QUrl& url) {
    if (url.isLocalFile())
        return launch(planLaunch(url.toLocalFile()));
    return QDesktopServices::openUrl(url);
}

} // namespace quorvel
