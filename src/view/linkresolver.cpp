// SPDX-License-Identifier: GPL-3.0-or-later
#include "linkresolver.h"

#include <QDir>
#include <QFileInfo>

namespace quorvel {

namespace {

QString withoutQuotes(QString s) {
    s = s.trimmed();
    if (s.size() >= 2 && s.startsWith(u'"') && s.endsWith(u'"'))
        s = s.mid(1, s.size() - 2);
    return s;
}

QString native(QString s) {
    s.replace(u'\\', u'/');
    return s;
}

QString joinPath(const QString& folder, const QString& target) {
    if (folder.isEmpty())
        return QString();
    QString o = native(folder);
    if (!o.endsWith(u'/'))
        o.append(u'/');
    return o + target;
}

bool isFile(const QString& path) {
    if (path.isEmpty())
        return false;
    const QFileInfo info(path);
    return info.exists() && info.isFile();
}

bool isFolder(const QString& path) {
    return !path.isEmpty() && QFileInfo(path).isDir();
}

} // namespace

QString resolveLinkTarget(const QString& target, const LinkFolders& folder) {
    if (target.startsWith(QLatin1String("http://"), Qt::CaseInsensitive) ||
        target.startsWith(QLatin1String("https://"), Qt::CaseInsensitive))
        return target;
    const QString z = native(withoutQuotes(target));
    for (const QString& candidate :
         {z, joinPath(folder.document, z), joinPath(folder.topic, z), joinPath(folder.basis, z)}) {
        if (isFile(candidate))
            return candidate;
    }
    return target;
}

bool isDocumentTarget(const QString& target) {
    return withoutQuotes(target).toLower().endsWith(QLatin1String(".qvl"));
}

DocumentLinkTarget documentLinkTarget(const QString& target, const LinkFolders& folder) {
    DocumentLinkTarget result;
    const QString z = native(withoutQuotes(target));
    if (z.endsWith(u'/')) {
        const QString inTopic = joinPath(folder.topic, z);
        if (isFolder(z) && !QDir::isRelativePath(z))
            result.path = z;
        else if (isFolder(inTopic))
            result.path = inTopic;
        else if (isFolder(z))
            result.path = QDir(z).absolutePath() + u'/';
        result.kind = result.path.isEmpty() ? DocumentLinkTarget::Kind::FolderMissing
                                            : DocumentLinkTarget::Kind::ChangeFolder;
        return result;
    }
    const QString resolved = resolveLinkTarget(target, folder);
    if (isFile(resolved)) {
        result.kind = DocumentLinkTarget::Kind::OpenDocument;
        result.path = resolved;
    } else {
        result.kind = DocumentLinkTarget::Kind::FileMissing;
        result.message = fileMissingMessage(target);
    }
    return result;
}

QString linkCannotOpenMessage(const QString& target) {
    return QStringLiteral("Die Datei oder Internet-Adresse \"") + target +
           QStringLiteral("\" kann nicht geöffnet werden.");
}

QString fileMissingMessage(const QString& target) {
    return QStringLiteral("Die Datei \"") + target + QStringLiteral("\" existiert nicht.");
}

} // namespace quorvel
