// SPDX-License-Identifier: GPL-3.0-or-later
#include "protocolfile.h"

#include "documentio.h"
#include "programfolders.h"
#include "reportrtf.h"
#include "savefile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace quorvel {

using namespace Qt::Literals::StringLiterals;

namespace {

// More protocols in one second than anyone makes; it keeps a folder full of
// foreign files from making the search endless.
constexpr int kMaxCounter = 100000;

QString stamp(const QDateTime& at) {
    return at.toString(u"yyyyMMdd-HHmmss"_s);
}

} // namespace

QByteArray protocolRtf(const QString& markup) {
    return reportMarkupToRtf(markup, QString::fromUtf16(kProtocolFontFamily));
}

IoResult writeProtocolFile(const QString& path, const QString& markup) {
    IoResult saved = saveWholeFile(path, protocolRtf(markup));
    if (!saved)
        saved.messages << msgCannotWrite(path);
    return saved;
}

QString commentMarkup(const QString& comment) {
    const QString text = comment.trimmed();
    if (text.isEmpty())
        return {};
    return u"\r\n<tit>Kommentar\r\n"_s + text;
}

QString autoSaveProtocolName(const QDateTime& at, const QString& computer, int counter) {
    QString name = computer;
    name.replace(u'/', u'_');
    name.replace(u'\\', u'_');
    return stamp(at) + u'-' + name + u'-' + QString::number(counter) + u".rtf"_s;
}

QString mailProtocolName(const QDateTime& at, int counter) {
    return u"email-qvlprotokoll-"_s + stamp(at) + u'-' + QString::number(counter) + u".rtf"_s;
}

QString msgNoProtocolToMail() {
    return u"Das Übungsprotokoll ist noch leer. Es wird erst nach einer Übung per E-Mail versendet."_s;
}

QString mailProtocolFailureText() {
    return u"Das Übungsprotokoll konnte nicht für den E-Mail-Versand zwischengespeichert werden. "
           u"Überprüfen Sie die Einstellungen unter \"Optionen | Ordner für Protokolle und "
           u"Bestenlisten\"."_s;
}

IoResult saveProtocolUnderFreeName(const QString& folder,
                                   const std::function<QString(int counter)>& name,
                                   const QString& markup, const QString& failureText,
                                   QString* savedPath) {
    const QString base = withTrailingSlash(folder);
    QString path = base + name(0);
    const auto failed = [&](const QString& detail) {
        IoResult result = IoResult::failure(detail);
        result.messages << msgCannotWrite(path) + u"\r\n\r\n"_s + failureText;
        return result;
    };
    if (!base.isEmpty() && !QDir(base).exists() && !QDir().mkpath(base))
        return failed(u"cannot create the folder %1"_s.arg(base));
    for (int counter = 0; counter < kMaxCounter; ++counter) {
        path = base + name(counter);
        QFile claim(path);
        // NewOnly fails when the name is taken, also by another process meanwhile.
        if (!claim.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
            if (QFileInfo::exists(path))
                continue;
            return failed(claim.errorString());
        }
        claim.close();
        IoResult written = writeProtocolFile(path, markup);
        if (!written) {
            QFile::remove(path);
            return failed(written.detail);
        }
        if (savedPath)
            *savedPath = path;
        return written;
    }
    return failed(u"no free file name in %1"_s.arg(base));
}

IoResult autoSaveProtocol(const QString& folder, const QString& computer, const QDateTime& at,
                          const QString& markup, QString* savedPath) {
    return saveProtocolUnderFreeName(
        folder, [&](int counter) { return autoSaveProtocolName(at, computer, counter); }, markup,
        u"Das Übungsprotokoll konnte nicht automatisch gespeichert werden. Überprüfen Sie die "
        u"Einstellungen unter \"Optionen / Ordner für Protokolle und Bestenlisten\"."_s,
        savedPath);
}

} // namespace quorvel
