// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QUrl>

namespace quorvel {

// Hands the target of a link to the system, as the "open" verb of the old
// platform did: a local file that is a program is started, everything else
// (documents, pictures, web and mail addresses) opens with the desktop's
// handler. Tests replace it to see what would be opened.
class LinkOpener {
public:
    virtual ~LinkOpener() = default;
    // False when the system could not open `url`.
    virtual bool open(const QUrl& url);
};

} // namespace quorvel
