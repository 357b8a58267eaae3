// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>
#include <array>
#include <functional>

namespace quorvel {

// The link fields: the tool-bar buttons V1, V2 and V3 and the on-screen
// keyboard button, each starting a program or file the user (or the central
// settings file) chose. Fields are numbered 0-2 for V1-V3 and 3 for the
// keyboard, which has no caption of its own.
inline constexpr int kLinkFieldCount = 4;
inline constexpr int kKeyboardLinkField = 3;

struct LinkField {
    QString path;    // program or file; empty for none
    QString caption; // text on the button (unused for the keyboard)
    QString hint;    // tool tip
    friend bool operator==(const LinkField&, const LinkField&) = default;
};
using LinkFields = std::array<LinkField, kLinkFieldCount>;

// The field `index` as "Löschen" leaves it: no path, the default caption and
// hint ("V1", "Programmverknüpfung 1"; for the keyboard "Bildschirmtastatur").
LinkField clearedLinkField(int index);

// The name of field `index` in titles and messages: "V1" .. "V3", and
// "für Bildschirmtastatur" for the keyboard.
QString linkFieldName(int index);
// The title of the file dialog of "Durchsuchen..." for field `index`.
QString linkFieldBrowseTitle(int index);
// The filter of that dialog, in the program's "Name|patterns" form.
QString linkFieldFilter();
QString msgInvalidLinkField(int index);
// The error when a link's file cannot be opened.
QString msgCannotOpenFile(const QString& path);

// Whether `path` names an existing file (a folder does not count).
bool isExistingFile(const QString& path);

// The outcome of "OK" in the link-field dialog.
struct LinkFieldCheck {
    bool ok = false;
    int failedField = -1; // the first field whose path is invalid
    QString message;      // its error; empty when ok
    LinkFields accepted;  // the fields with trimmed paths; only when ok
};

// Trims every path; a non-empty path that names no existing file fails. The
// fields are checked V1, V2, V3, keyboard, and the first failure ends the
// check. `fileExists` decides what exists (tests may pass their own).
LinkFieldCheck
checkLinkFields(const LinkFields& entered,
                const std::function<bool(const QString&)>& fileExists = isExistingFile);

// How a link's target is started. An executable file runs as a program of
// its own with its own (empty) argument list, never through a shell, so
// blanks, quotes or shell characters in its path are just part of the name;
// any other existing file or folder goes to the desktop's handler.
struct LaunchPlan {
    enum class Kind { Missing, Program, Open };
    Kind kind = Kind::Missing;
    QString program;          // Program: the absolute path of the file to run
    QStringList arguments;    // Program: what it gets (nothing)
    QString workingDirectory; // Program: the folder it lies in
    QUrl url;                 // Open: the file as a URL
};

// Decides from the file system, taking `path` exactly as given (no trimming,
// no expansion, no splitting into words).
LaunchPlan planLaunch(const QString& path);

// Carries the plan out: QProcess::startDetached for a program, the desktop's
// handler (QDesktopServices) otherwise. False when nothing could be started;
// always false for a missing target.
bool launch(const LaunchPlan& plan);

} // namespace quorvel
