// SPDX-License-Identifier: GPL-3.0-or-later
#include "soundfile.h"

#include <QDir>
#include <QFileInfo>
#include <QIODevice>
#include <QtEndian>
#include <algorithm>

namespace quorvel {

using namespace Qt::Literals::StringLiterals;

namespace {

bool fileExists(const QString& path) {
    return QFileInfo(path).isFile();
}

} // namespace

QStringList soundFolders(const QString& baseFolder, const QString& shippedFolder) {
    QStringList folders;
    for (const QString& folder : {baseFolder + u"sound/"_s, shippedFolder}) {
        if (!folder.isEmpty() && !folders.contains(folder))
            folders << folder;
    }
    return folders;
}

QString shippedSoundFolder(const QString& programFolder) {
    return QDir::cleanPath(programFolder + u"/../share/quorvel/sound"_s) + u'/';
}

QString withWavExtension(const QString& name) {
    const qsizetype slash = name.lastIndexOf(u'/');
    const qsizetype dot = name.lastIndexOf(u'.');
    const QString stem = dot > slash ? name.left(dot) : name;
    return stem + u".wav"_s;
}

SoundFile resolveSoundFile(const QString& nameAsSet, const QStringList& folders,
                           const std::function<bool(const QString&)>& exists) {
    const auto isThere = exists ? exists : std::function<bool(const QString&)>(fileExists);
    const QString name = withWavExtension(nameAsSet);
    if (name.contains(u'/')) {
        if (isThere(name))
            return {name, {}};
    } else {
        for (const QString& folder : folders) {
            if (isThere(folder + name))
                return {folder + name, {}};
        }
    }
    return {{}, u"Sounddatei \""_s + nameAsSet + u"\" nicht gefunden."_s};
}

qint64 wavDurationMs(QIODevice& device) {
    // RIFF header, then chunks: "fmt " gives the byte rate, "data" the length.
    const QByteArray riff = device.read(12);
    if (riff.size() != 12 || !riff.startsWith("RIFF") || riff.mid(8, 4) != "WAVE")
        return -1;
    quint32 byteRate = 0;
    for (int chunks = 0; chunks < 64; ++chunks) {
        const QByteArray head = device.read(8);
        if (head.size() != 8)
            return -1;
        const quint32 size = qFromLittleEndian<quint32>(head.constData() + 4);
        if (head.startsWith("fmt ")) {
            if (size < 16)
                return -1;
            const QByteArray format = device.read(16);
            if (format.size() != 16)
                return -1;
            byteRate = qFromLittleEndian<quint32>(format.constData() + 8);
            const qint64 rest = qint64(size) - 16 + (size & 1);
            if (device.skip(rest) != rest)
                return -1;
        } else if (head.startsWith("data")) {
            if (byteRate == 0)
                return -1;
            // A header may claim more than the file holds; what is there plays.
            const qint64 available = device.bytesAvailable();
            const qint64 length = available >= 0 ? std::min<qint64>(size, available) : qint64(size);
            return length * 1000 / byteRate;
        } else if (device.skip(qint64(size) + (size & 1)) != qint64(size) + (size & 1)) {
            return -1;
        }
    }
    return -1;
}

} // namespace quorvel
