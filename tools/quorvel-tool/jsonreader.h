// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "colors.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QJsonValue>
#include <QSet>
#include <QString>

namespace quorvel {

// Raised while mapping JSON onto a document; `message` names the offending
// key by its path, for example "objects[2].Fsize: expected an integer".
// It never leaves the mapping functions: they turn it into their result.
struct JsonMappingError {
    QString message;
};

[[noreturn]] void throwJsonError(const QString& path, const QString& what);

// Strict conversions of one JSON value. `path` names the value in messages.
int jsonToInt(const QJsonValue& value, const QString& path);
ColourValue jsonToColour(const QJsonValue& value, const QString& path);
double jsonToReal(const QJsonValue& value, const QString& path);
QString jsonToString(const QJsonValue& value, const QString& path);
QJsonObject jsonToObject(const QJsonValue& value, const QString& path);
// An array of at most `maxSize` entries (exactly `maxSize` when `exact`).
QJsonArray jsonToArray(const QJsonValue& value, const QString& path, qsizetype maxSize,
                       bool exact = false);

// Reads the keys of one JSON object. Every read* call leaves the target as it
// is when the key is absent, so the target's value is the default; a present
// key of the wrong type throws. finish() throws for any key never asked for,
// which catches misspelt keys instead of silently dropping them.
class JsonObjectReader {
public:
    JsonObjectReader(QJsonObject object, QString path);

    bool read(const char* key, int& target);
    bool read(const char* key, ColourValue& target);
    bool read(const char* key, double& target);
    bool read(const char* key, QString& target);

    // The value of `key` (undefined when absent), marking the key as known.
    QJsonValue take(const char* key);
    bool has(const char* key) const;
    // The path of `key` inside this object, for messages.
    QString pathOf(const char* key) const;

    void finish() const;

private:
    QJsonObject m_object;
    QString m_path;
    QSet<QString> m_known;
};

} // namespace quorvel
