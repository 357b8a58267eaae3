#pragma once

#include <QString>
#include <QStringList>

namespace quorvel {

// What the one optional command-line argument names.
struct KommandozeilenArgument {
    enum class Art {
        Keins,       // no argument
        Ordner,      // a folder (an existing one, or a path without file name)
        Dokument,    // a file to open as the current document
        Serienpaket, // an exercise-series package (".qvusp" in any letter case)
    };
    Art art = Art::Keins;
    QString themenOrdner; // absolute, ends with "/"; empty for Keins
    QString datei;        // absolute path for Dokument and Serienpaket
};

// Classifies the first of `arguments` (the program name not included);
// relative paths are taken relative to `workingDirectory`. Enclosing quotes
// are removed. Nothing is opened or read here.
KommandozeilenArgument classifyCommandLine(const QStringList& arguments,
                                           const QString& workingDirectory);

// The topic folder at start: the command line's folder when there is an
// argument, else the central file's "Start"/`Themenordner` when not empty,
// else the base folder. The result ends with "/".
QString chooseThemenOrdner(const KommandozeilenArgument& argument,
                           const QString& centralThemenordner, const QString& basisOrdner);

} // namespace quorvel
