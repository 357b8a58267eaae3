// SPDX-License-Identifier: GPL-3.0-or-later
#include "pointaction.h"

#include "objdata.h"

#include <QRegularExpression>

namespace quorvel {

PointAction pointAction(const ObjDataTyp& object, const LinkFolders& folders) {
    PointAction action;
    const OpenKind opens = opensAs(typOf(object));
    if (opens == OpenKind::InfoBox) {
        action.kind = PointAction::Kind::ShowInfo;
        action.password = object.BildKenn;
        action.text = object.Cap;
        return action;
    }
    const bool documentLink = opens == OpenKind::DocumentLink ||
                              (opens == OpenKind::PictureLink && isDocumentTarget(object.Cap));
    if (documentLink) {
        const DocumentLinkTarget target = documentLinkTarget(object.Cap, folders);
        switch (target.kind) {
        case DocumentLinkTarget::Kind::ChangeFolder:
            action.kind = PointAction::Kind::ChangeFolder;
            action.target = target.path;
            break;
        case DocumentLinkTarget::Kind::FolderMissing:
            action.kind = PointAction::Kind::Nothing;
            break;
        case DocumentLinkTarget::Kind::OpenDocument:
            action.kind = PointAction::Kind::OpenDocument;
            action.target = target.path;
            break;
        case DocumentLinkTarget::Kind::FileMissing:
            action.kind = PointAction::Kind::FileMissing;
            action.message = target.message;
            break;
        }
        return action;
    }
    if (opens == OpenKind::ExternalLink || opens == OpenKind::PictureLink) {
        action.kind = PointAction::Kind::OpenExternal;
        action.password = object.BildKenn;
        action.target = resolveLinkTarget(object.Cap, folders);
        action.url = externalLinkUrl(action.target);
    }
    return action;
}

QUrl externalLinkUrl(const QString& target) {
    // One letter before the colon is a drive, not a scheme.
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]+:"));
    if (scheme.match(target).hasMatch())
        return QUrl(target, QUrl::TolerantMode);
    QString path = target;
    path.replace(u'\\', u'/');
    return QUrl::fromLocalFile(path);
}

PasswordCheck checkPassword(const QString& expected, const std::optional<QString>& entered) {
    if (expected.isEmpty())
        return PasswordCheck::Accepted;
    if (!entered)
        return PasswordCheck::Cancelled;
    return *entered == expected ? PasswordCheck::Accepted : PasswordCheck::Wrong;
}

QString passwordDialogTitle() {
    return QStringLiteral("Bitte Passwort eingeben");
}

QString wrongPasswordMessage() {
    return QStringLiteral("Das Passwort ist falsch.");
}

} // namespace quorvel
