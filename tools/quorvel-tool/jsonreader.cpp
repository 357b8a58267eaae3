// SPDX-License-Identifier: GPL-3.0-or-later
#include "jsonreader.h"

#include <cmath>
#include <limits>
#include <utility>

namespace quorvel {

namespace {

QString typeName(const QJsonValue& value) {
    switch (value.type()) {
    case QJsonValue::Null:
        return QStringLiteral("null");
    case QJsonValue::Bool:
        return QStringLiteral("a boolean");
    case QJsonValue::Double:
        return QStringLiteral("a number");
    case QJsonValue::String:
        return QStringLiteral("a string");
    case QJsonValue::Array:
        return QStringLiteral("an array");
    case QJsonValue::Object:
        return QStringLiteral("an object");
    case QJsonValue::Undefined:
        break;
    }
    return QStringLiteral("nothing");
}

[[noreturn]] void throwWrongType(const QJsonValue& value, const QString& path,
                                 const char* expected) {
    throwJsonError(
        path,
        QStringLiteral("expected %1, found %2").arg(QLatin1StringView(expected), typeName(value)));
}

// An integral number in [low, high]; JSON numbers are doubles, so a fraction
// or a value outside the range is refused rather than truncated.
qint64 integralInRange(const QJsonValue& value, const QString& path, qint64 low, qint64 high,
                       const char* expected) {
    if (!value.isDouble())
        throwWrongType(value, path, expected);
    const double d = value.toDouble();
    if (!std::isfinite(d) || d != std::floor(d) || d < static_cast<double>(low) ||
        d > static_cast<double>(high)) {
        throwJsonError(path, QStringLiteral("expected %1, found %2")
                                 .arg(QLatin1StringView(expected))
                                 .arg(d, 0, 'g', 17));
    }
    return static_cast<qint64>(d);
}

} // namespace

void throwJsonError(const QString& path, const QString& what) {
    throw JsonMappingError{path.isEmpty() ? what : path + QStringLiteral(": ") + what};
}

int jsonToInt(const QJsonValue& value, const QString& path) {
    return static_cast<int>(integralInRange(value, path, std::numeric_limits<qint32>::min(),
                                            std::numeric_limits<qint32>::max(),
                                            "a 32-bit integer"));
}

ColourValue jsonToColour(const QJsonValue& value, const QString& path) {
    return static_cast<ColourValue>(integralInRange(
        value, path, 0, std::numeric_limits<quint32>::max(), "a colour (integer 0 to 4294967295)"));
}

double jsonToReal(const QJsonValue& value, const QString& path) {
    if (!value.isDouble())
        throwWrongType(value, path, "a number");
    return value.toDouble();
}

QString jsonToString(const QJsonValue& value, const QString& path) {
    if (!value.isString())
        throwWrongType(value, path, "a string");
    return value.toString();
}

QJsonObject jsonToObject(const QJsonValue& value, const QString& path) {
    if (!value.isObject())
        throwWrongType(value, path, "an object");
    return value.toObject();
}

QJsonArray jsonToArray(const QJsonValue& value, const QString& path, qsizetype maxSize,
                       bool exact) {
    if (!value.isArray())
        throwWrongType(value, path, "an array");
    QJsonArray array = value.toArray();
    if (exact && array.size() != maxSize)
        throwJsonError(
            path, QStringLiteral("expected %1 entries, found %2").arg(maxSize).arg(array.size()));
    if (array.size() > maxSize)
        throwJsonError(
            path,
            QStringLiteral("at most %1 entries allowed, found %2").arg(maxSize).arg(array.size()));
    return array;
}

JsonObjectReader::JsonObjectReader(QJsonObject object, QString path)
    : m_object(std::move(object)), m_path(std::move(path)) {}

QJsonValue JsonObjectReader::take(const char* key) {
    const QLatin1StringView name(key);
    m_known.insert(QString(name));
    return m_object.value(name);
}

bool JsonObjectReader::has(const char* key) const {
    return m_object.contains(QLatin1StringView(key));
}

QString JsonObjectReader::pathOf(const char* key) const {
    const QLatin1StringView name(key);
    return m_path.isEmpty() ? QString(name) : m_path + QLatin1Char('.') + name;
}

bool JsonObjectReader::read(const char* key, int& target) {
    const QJsonValue value = take(key);
    if (value.isUndefined())
        return false;
    target = jsonToInt(value, pathOf(key));
    return true;
}

bool JsonObjectReader::read(const char* key, ColourValue& target) {
    const QJsonValue value = take(key);
    if (value.isUndefined())
        return false;
    target = jsonToColour(value, pathOf(key));
    return true;
}

bool JsonObjectReader::read(const char* key, double& target) {
    const QJsonValue value = take(key);
    if (value.isUndefined())
        return false;
    target = jsonToReal(value, pathOf(key));
    return true;
}

bool JsonObjectReader::read(const char* key, QString& target) {
    const QJsonValue value = take(key);
    if (value.isUndefined())
        return false;
    target = jsonToString(value, pathOf(key));
    return true;
}

void JsonObjectReader::finish() const {
    for (auto it = m_object.constBegin(); it != m_object.constEnd(); ++it) {
        if (!m_known.contains(it.key())) {
            const QString where =
                m_path.isEmpty() ? it.key() : m_path + QLatin1Char('.') + it.key();
            throwJsonError(where, QStringLiteral("unknown key"));
        }
    }
}

} // namespace quorvel
