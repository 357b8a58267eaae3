// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolcommands.h"

#include "document.h"
#include "documentio.h"
#include "documentjson.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonParseError>
#include <utility>

namespace quorvel {

namespace {

CommandOutcome failure(QStringList errors) {
    return {kExitFailure, {}, std::move(errors)};
}

QStringList documentErrors(const IoResult& result) {
    QStringList lines = result.messages;
    if (!result.detail.isEmpty())
        lines.append(result.detail);
    if (lines.isEmpty())
        lines.append(QStringLiteral("unknown error"));
    return lines;
}

} // namespace

bool readJsonFile(const QString& path, QJsonObject& json, QString* error) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QStringLiteral("%1: cannot open: %2").arg(path, file.errorString());
        return false;
    }
    const QByteArray bytes = file.readAll();
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        // Line and column help far more than Qt's byte offset.
        const QByteArray before = bytes.left(parseError.offset);
        const qsizetype line = before.count('\n') + 1;
        const qsizetype column = parseError.offset - (before.lastIndexOf('\n') + 1) + 1;
        if (error) {
            *error = QStringLiteral("%1:%2:%3: invalid JSON: %4")
                         .arg(path)
                         .arg(line)
                         .arg(column)
                         .arg(parseError.errorString());
        }
        return false;
    }
    if (!document.isObject()) {
        if (error)
            *error = QStringLiteral("%1: the JSON must be an object").arg(path);
        return false;
    }
    json = document.object();
    return true;
}

bool readCommandDocument(const DocumentLayouts& layouts, const QString& path, Document& document,
                         CommandOutcome& failed) {
    const IoResult read = readDocumentFile(document, path, ReadOptions{layouts});
    if (!read.ok)
        failed = failure(documentErrors(read));
    return read.ok;
}

CommandOutcome dumpCommand(const DocumentLayouts& layouts, const QString& documentPath,
                           const QString& picturesDir) {
    Document document;
    CommandOutcome failed;
    if (!readCommandDocument(layouts, documentPath, document, failed))
        return failed;

    DumpOptions options;
    options.format = document.magic;
    options.picturesDir = picturesDir;
    QJsonObject json;
    QString error;
    if (!documentToJson(document, options, json, &error))
        return failure({error});
    return {kExitOk, QJsonDocument(json).toJson(QJsonDocument::Indented), {}};
}

CommandOutcome buildCommand(const QString& jsonPath, const QString& outputPath) {
    QJsonObject json;
    QString error;
    if (!readJsonFile(jsonPath, json, &error))
        return failure({error});

    Document document;
    document.reset();
    if (!documentFromJson(json, QFileInfo(jsonPath).absolutePath(), document, &error))
        return failure({jsonPath + QStringLiteral(": ") + error});

    const IoResult written = writeDocumentFile(document, outputPath, true);
    if (!written.ok)
        return failure(documentErrors(written));
    return {};
}

} // namespace quorvel
