// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "documentlayouts.h"

#include <QByteArray>
#include <QJsonObject>
#include <QString>
#include <QStringList>

namespace quorvel {

// Exit codes of quorvel-tool.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;

// What a subcommand produced: bytes for stdout, lines for stderr.
struct CommandOutcome {
    int exitCode = kExitOk;
    QByteArray output;
    QStringList errors;
};

// Reads the document a subcommand works on, laid out by `layouts` as the
// program does. On failure returns false with `failed` holding the reader's
// German messages, then its detail.
bool readCommandDocument(const DocumentLayouts& layouts, const QString& path, Document& document,
                         CommandOutcome& failed);

// `dump FILE [--pictures DIR]`: the document as indented UTF-8 JSON. A file
// that cannot be read gives the reader's German messages, then its detail.
// `layouts` lay out the document after reading, as the program does.
CommandOutcome dumpCommand(const DocumentLayouts& layouts, const QString& documentPath,
                           const QString& picturesDir = {});

// `build JSON OUT`: writes the document described by the JSON file.
CommandOutcome buildCommand(const QString& jsonPath, const QString& outputPath);

// Reads a file holding one JSON object. On failure returns false with a
// message naming the file and, for bad syntax, the line and column.
bool readJsonFile(const QString& path, QJsonObject& json, QString* error);

} // namespace quorvel
