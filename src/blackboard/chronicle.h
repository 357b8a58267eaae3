// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ioresult.h"

#include <QDateTime>
#include <QImage>
#include <QString>
#include <QStringList>
#include <vector>

namespace quorvel {

// One snapshot of this run: its file, number (1 for the first) and caption.
struct ChronicleShot {
    QString path;
    int number = 0;
    QString caption; // "Nr. 007 - 10:42 Uhr"
};

// "yyyymmdd-hhnnss-NNN.png" for snapshot `number` taken at `when`.
QString chronicleFileName(const QDateTime& when, int number);
// "Nr. " + number in three digits + " - " + "hh:nn" + " Uhr".
QString chronicleCaption(int number, const QTime& when);
// The message when the chronicle folder cannot be made.
QString msgChronicleFolder(const QString& folder);
// The question before the program ends while `count` (> 0) snapshots of
// this run lie in `folder`.
QString msgChronicleShots(int count, const QString& folder);

// The chronicle of the board: this run's snapshot files in the chronicle
// folder, numbered from 1 in the order they were stored. Files of earlier
// runs in the folder are never touched. Failures are reported by result with
// the German message; the counter then stays as it was.
class Chronicle {
public:
    // `folder` ends with "/"; it is made when the first snapshot is stored.
    void setFolder(const QString& folder) { m_folder = folder; }
    const QString& folder() const { return m_folder; }

    // Stores `picture` as the next snapshot, named by `when`.
    IoResult store(const QImage& picture, const QDateTime& when);

    int count() const { return int(m_shots.size()); }
    const std::vector<ChronicleShot>& shots() const { return m_shots; }

    // Deletes this run's snapshot files and starts counting anew; returns the
    // files that could not be deleted.
    QStringList deleteAll();

private:
    QString m_folder;
    std::vector<ChronicleShot> m_shots;
};

} // namespace quorvel
