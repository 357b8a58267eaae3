// SPDX-License-Identifier: GPL-3.0-or-later
#include "chronicle.h"

#include "picturefile.h"

#include <QDir>
#include <QFile>

namespace quorvel {

QString chronicleFileName(const QDateTime& when, int number) {
    return when.toString(QStringLiteral("yyyyMMdd-HHmmss")) + u'-' +
           QStringLiteral("%1").arg(number, 3, 10, QLatin1Char('0')) + QStringLiteral(".png");
}

QString chronicleCaption(int number, const QTime& when) {
    return QStringLiteral("Nr. %1 - ").arg(number, 3, 10, QLatin1Char('0')) +
           when.toString(QStringLiteral("HH:mm")) + QStringLiteral(" Uhr");
}

QString msgChronicleFolder(const QString& folder) {
    return QStringLiteral("Verzeichnis für Chronik-Screenshots konnte nicht erstellt werden:\r\n") +
           folder;
}

QString msgChronicleShots(int count, const QString& folder) {
    if (count == 1)
        return QStringLiteral("1 Chronik-Screenshot wurde im Ordner ") + folder +
               QStringLiteral(" als PNG-Bilddatei abgelegt.\r\n"
                              "Soll diese jetzt gelöscht werden?");
    return QString::number(count) + QStringLiteral(" Chronik-Screenshots wurden im Ordner ") +
           folder +
           QStringLiteral(" als PNG-Bilddateien abgelegt.\r\n"
                          "Sollen diese jetzt gelöscht werden?");
}

IoResult Chronicle::store(const QImage& picture, const QDateTime& when) {
    if (!QDir(m_folder).exists() && !QDir().mkpath(m_folder)) {
        IoResult failed = IoResult::failure(QStringLiteral("cannot create ") + m_folder);
        failed.messages << msgChronicleFolder(m_folder);
        return failed;
    }
    const int number = count() + 1;
    QString folder = m_folder;
    if (!folder.endsWith(u'/'))
        folder += u'/';
    const QString path = folder + chronicleFileName(when, number);
    const IoResult saved = savePictureFile(picture, path);
    if (!saved.ok)
        return saved;
    m_shots.push_back({path, number, chronicleCaption(number, when.time())});
    return saved;
}

QStringList Chronicle::deleteAll() {
    QStringList kept;
    for (const ChronicleShot& shot : m_shots) {
        if (QFile::exists(shot.path) && !QFile::remove(shot.path))
            kept << shot.path;
    }
    m_shots.clear();
    return kept;
}

} // namespace quorvel
