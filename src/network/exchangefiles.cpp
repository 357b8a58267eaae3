// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchangefiles.h"

#include "binarystream.h"
#include "documentio.h"
#include "mailslotwire.h"
#include "randomgenerator.h"
#include "savefile.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace quorvel {

namespace {

const QString kMessageStem = QStringLiteral("rbknetzuebung-TN-");

// Four strings of at most a datagram each: anything larger is not ours.
constexpr qint64 kMessageFileLimit = 4 * (kMaxDatagram + 4);

} // namespace

ExchangeFiles::ExchangeFiles(const QString& folder, const QString& channel) : m_folder(folder) {
    if (!m_folder.isEmpty() && !m_folder.endsWith(QLatin1Char('/')))
        m_folder += QLatin1Char('/');
    m_prefix = m_folder + channel + QLatin1Char('-');
}

void ExchangeFiles::clear() const {
    QFile::remove(documentPath());
    QFile::remove(settingsPath());
    QFile::remove(markerPath());
    for (const QString& path : messageFiles())
        QFile::remove(path);
}

IoResult ExchangeFiles::setRegistrationOpen(bool open) const {
    if (!open) {
        if (QFile::exists(markerPath()) && !QFile::remove(markerPath())) {
            IoResult result = IoResult::failure(QStringLiteral("nicht löschbar"));
            result.messages << msgCannotWrite(markerPath());
            return result;
        }
        return IoResult::success();
    }
    IoResult result = saveWholeFile(markerPath(), [](QIODevice& file) {
        BinaryWriter out(file);
        out.writeString(QStringLiteral("NetzUebDateiOKX"));
        return out.ok();
    });
    if (!result)
        result.messages << msgCannotWrite(markerPath());
    return result;
}

bool ExchangeFiles::available() const {
    return QFileInfo::exists(markerPath()) && QFileInfo::exists(settingsPath()) &&
           QFileInfo::exists(documentPath());
}

IoResult ExchangeFiles::writeMessageFile(const QString& user, const QString& computer,
                                         const QString& text, RandomGenerator& random,
                                         QString* written) const {
    QString path;
    do {
        QString letters;
        for (int i = 0; i < 12; ++i)
            letters += QChar(u'A' + random.bounded(26));
        path = m_prefix + kMessageStem + letters + QStringLiteral(".dat");
    } while (QFileInfo::exists(path));
    // The teacher lists the folder every 150 ms: the file appears complete or not at all.
    IoResult result = saveWholeFile(path, [&](QIODevice& file) {
        BinaryWriter out(file);
        out.writeString(QStringLiteral("Message"));
        out.writeString(user);
        out.writeString(computer);
        out.writeString(text);
        return out.ok();
    });
    if (!result)
        result.messages << msgCannotWrite(path);
    else if (written)
        *written = path;
    return result;
}

QStringList ExchangeFiles::messageFiles() const {
    const QFileInfo stem(m_prefix + kMessageStem);
    QDir dir(stem.absolutePath());
    const QStringList names =
        dir.entryList({stem.fileName() + QStringLiteral("*.dat")},
                      QDir::Files | QDir::Hidden | QDir::System, QDir::Unsorted);
    QStringList paths;
    for (const QString& name : names)
        paths << dir.filePath(name);
    return paths;
}

bool folderAccessTest(const QString& folder) {
    const QDir dir(folder);
    QString path;
    for (int n = 1;; ++n) {
        path = dir.filePath(QStringLiteral("AVXZ_%1").arg(n));
        if (!QFileInfo::exists(path))
            break;
    }
    QFile file(path);
    if (!file.open(QIODevice::NewOnly | QIODevice::WriteOnly))
        return false;
    file.close();
    return QFile::remove(path);
}

IoResult readSmallFile(const QString& path, qint64 limit, QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return IoResult::failure(file.errorString());
    // Not trusted to be a regular file or to stay small while we read.
    bytes = file.read(limit + 1);
    if (bytes.size() > limit)
        return IoResult::failure(QStringLiteral("Datei zu groß"), limit);
    if (file.error() != QFileDevice::NoError)
        return IoResult::failure(file.errorString());
    return IoResult::success();
}

IoResult readMessageFile(const QString& path, MessageFile& message) {
    QByteArray bytes;
    if (IoResult read = readSmallFile(path, kMessageFileLimit, bytes); !read)
        return read;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    BinaryReader in(buffer);
    const QString header = in.readString();
    message.user = in.readString();
    message.computer = in.readString();
    message.text = in.readString();
    if (!in.ok())
        return IoResult::failure(in.error(), in.errorOffset());
    if (header != QLatin1String("Message"))
        return IoResult::failure(QStringLiteral("keine Nachricht"), 0);
    return IoResult::success();
}

} // namespace quorvel
