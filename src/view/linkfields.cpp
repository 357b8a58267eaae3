// SPDX-License-Identifier: GPL-3.0-or-later
#include "linkfields.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>

namespace quorvel {

using namespace Qt::Literals::StringLiterals;

LinkField clearedLinkField(int index) {
    if (index == kKeyboardLinkField)
        return {{}, {}, u"Bildschirmtastatur"_s};
    const QString number = QString::number(index + 1);
    return {{}, u"V"_s + number, u"Programmverknüpfung "_s + number};
}

QString linkFieldName(int index) {
    if (index == kKeyboardLinkField)
        return u"für Bildschirmtastatur"_s;
    return u"V"_s + QString::number(index + 1);
}

QString linkFieldBrowseTitle(int index) {
    return u"Datei für Verknüpfungsfeld "_s + linkFieldName(index) + u" auswählen"_s;
}

QString linkFieldFilter() {
    return u"Alle Dateien (*.*)|*.*|Programme (*.exe)|*.exe|Verknüpfungen (*.lnk)|*.lnk|"
           u"Stapelverarbeitung (*.bat)|*.bat"_s;
}

QString msgInvalidLinkField(int index) {
    return u"Die für Verknüpfungsfeld "_s + linkFieldName(index) +
           u" angegebene Datei ist ungültig."_s;
}

QString msgCannotOpenFile(const QString& path) {
    return u"Die Datei \""_s + path + u"\" kann nicht geöffnet werden."_s;
}

bool isExistingFile(const QString& path) {
    return QFileInfo(path).isFile();
}

LinkFieldCheck checkLinkFields(const LinkFields& entered,
                               const std::function<bool(const QString&)>& fileExists) {
    LinkFieldCheck check;
    LinkFields trimmed = entered;
    for (int i = 0; i < kLinkFieldCount; ++i) {
        LinkField& field = trimmed[size_t(i)];
        field.path = field.path.trimmed();
        if (!field.path.isEmpty() && !fileExists(field.path)) {
            check.failedField = i;
            check.message = msgInvalidLinkField(i);
            return check;
        }
    }
    check.ok = true;
    check.accepted = std::move(trimmed);
    return check;
}

LaunchPlan planLaunch(const QString& path) {
    LaunchPlan plan;
    if (path.isEmpty())
        return plan;
    const QFileInfo target(path);
    if (!target.exists())
        return plan;
    if (target.isFile() && target.isExecutable()) {
        plan.kind = LaunchPlan::Kind::Program;
        plan.program = target.absoluteFilePath();
        plan.workingDirectory = target.absolutePath();
        return plan;
    }
    plan.kind = LaunchPlan::Kind::Open;
    plan.url = QUrl::fromLocalFile(target.absoluteFilePath());
    return plan;
}

bool launch(const LaunchPlan& plan) {
    switch (plan.kind) {
    case LaunchPlan::Kind::Program:
        return QProcess::startDetached(plan.program, plan.arguments, plan.workingDirectory);
    case LaunchPlan::Kind::Open:
        return QDesktopServices::openUrl(plan.url);
    case LaunchPlan::Kind::Missing:
        break;
    }
    return false;
}

} // namespace quorvel
