// SPDX-License-Identifier: GPL-3.0-or-later
#include "localidentity.h"

#include <QSysInfo>
#include <pwd.h>
#include <unistd.h>

namespace quorvel {

QString hostName() {
    return QSysInfo::machineHostName();
}

QString loginName() {
    if (const passwd* entry = ::getpwuid(::getuid()); entry && entry->pw_name)
        return QString::fromLocal8Bit(entry->pw_name);
    return QString::fromLocal8Bit(qgetenv("USER"));
}

} // namespace quorvel
