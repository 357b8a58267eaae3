// SPDX-License-Identifier: GPL-3.0-or-later
#include "printerqueue.h"

#include "viewprintjob.h"

#include <QUrl>
#include <cups/cups.h>
#include <memory>

namespace quorvel {

namespace {

struct DestFree {
    void operator()(cups_dest_t* dest) const { cupsFreeDests(1, dest); }
};
using Dest = std::unique_ptr<cups_dest_t, DestFree>;

Dest namedDest(const QString& name) {
    if (name.isEmpty())
        return nullptr;
    const qsizetype slash = name.indexOf(u'/');
    const QByteArray queue = (slash < 0 ? name : name.left(slash)).toUtf8();
    const QByteArray instance = slash < 0 ? QByteArray() : name.mid(slash + 1).toUtf8();
    return Dest(cupsGetNamedDest(CUPS_HTTP_DEFAULT, queue.constData(),
                                 instance.isEmpty() ? nullptr : instance.constData()));
}

} // namespace

bool anyQueue() {
    cups_dest_t* dests = nullptr;
    const int count = cupsGetDests2(CUPS_HTTP_DEFAULT, &dests);
    cupsFreeDests(count, dests);
    return count > 0;
}

QString defaultQueue() {
    const Dest dest(cupsGetNamedDest(CUPS_HTTP_DEFAULT, nullptr, nullptr));
    if (!dest || !dest->name)
        return {};
    QString name = QString::fromUtf8(dest->name);
    if (dest->instance)
        name += u'/' + QString::fromUtf8(dest->instance);
    return name;
}

bool queueExists(const QString& name) {
    return namedDest(name) != nullptr;
}

QString queuePort(const QString& name) {
    const Dest dest = namedDest(name);
    if (!dest)
        return {};
    const char* uri = cupsGetOption("device-uri", dest->num_options, dest->options);
    if (!uri)
        return {};
    // A network queue's URI may carry a user name and password.
    return QUrl(QString::fromUtf8(uri)).adjusted(QUrl::RemoveUserInfo).toString();
}

QString queueInfoLine(const QString& name) {
    return queueExists(name) ? printerInfoLine(name, queuePort(name)) : printerInfoLine({}, {});
}

bool lastJobAccepted(QString& error) {
    // Qt's print support submits the job through this same library and
    // thread but does not report the outcome; the library keeps it.
    if (cupsLastError() <= IPP_STATUS_OK_EVENTS_COMPLETE)
        return true;
    error = QString::fromUtf8(cupsLastErrorString());
    return false;
}

} // namespace quorvel
