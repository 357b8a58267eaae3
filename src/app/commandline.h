// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

namespace quorvel {

// What the one optional command-line argument names.
struct CommandLineArgument {
    enum class Kind {
        None,          // no argument
        Folder,        // a folder (an existing one, or a path without file name)
        DocumentFile,  // a file to open as the current document
        SeriesPackage, // an exercise-series package (".qvusp" in any letter case)
    };
    Kind kind = Kind::None;
    QString topicFolder; // absolute, ends with "/"; empty for None
    QString file;        // absolute path for DocumentFile and SeriesPackage
};

// Classifies the first of `arguments` (the program name not included);
// relative paths are taken relative to `workingDirectory`. Enclosing quotes
// are removed. Nothing is opened or read here.
CommandLineArgument classifyCommandLine(const QStringList& arguments,
                                        const QString& workingDirectory);

// The topic folder at start: the command line's folder when there is an
// argument, else the central file's "Start"/`Themenordner` when not empty,
// else the base folder. The result ends with "/".
QString chooseTopicFolder(const CommandLineArgument& argument, const QString& centralTopicFolder,
                          const QString& baseFolder);

} // namespace quorvel
