// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "linkresolver.h"

#include <QString>
#include <QUrl>
#include <optional>

namespace quorvel {

struct ObjDataTyp;

// What a pointer click on a point or link object does (info points, left,
// document and picture left). A decision only: the widgets ask for the
// password, ask the closing questions, open and show.
struct PointAction {
    enum class Kind {
        Nothing,      // not a point, or a folder link to no existing folder
        ShowInfo,     // the info box with `text`
        OpenExternal, // hand `url` (made from `target`) to the system
        OpenDocument, // read `target` as the current document
        ChangeFolder, // `target` becomes the topic folder; the document closes
        FileMissing,  // show `message`
    };
    Kind kind = Kind::Nothing;
    // Asked before ShowInfo and OpenExternal when not empty (`BildKenn`).
    QString password;
    QString text;
    QString target;
    QUrl url;
    QString message;
};

// By what the object's `Typ` opens: info points show their `Cap`; external
// left open their resolved target; document left open a document or change
// the folder; picture left are document left when their target ends in
// ".qvl", else external left. Other types do nothing.
PointAction pointAction(const ObjDataTyp& object, const LinkFolders& folders);

// The URL the system opens for a resolved link target: a target with a URL
// scheme (two or more letters, digits, "+", "-" or "." before the first ":",
// such as "https:", "mailto:", "ftp:", "file:") as written; anything else, a
// Windows drive path like "C:\..." included, is a local path and becomes a
// file URL.
QUrl externalLinkUrl(const QString& target);

// The password question of points and left.
enum class PasswordCheck { Accepted, Cancelled, Wrong };
// `entered` is empty when the user cancelled the dialog. An empty `expected`
// asks nothing and accepts.
PasswordCheck checkPassword(const QString& expected, const std::optional<QString>& entered);
QString passwordDialogTitle();  // "Bitte Passwort eingeben"
QString wrongPasswordMessage(); // "Das Passwort ist falsch."

} // namespace quorvel
