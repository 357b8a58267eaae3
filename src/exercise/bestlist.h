// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ioresult.h"
#include "uebungssitzung.h"

#include <QByteArray>
#include <QDateTime>
#include <QIODevice>
#include <QList>
#include <QString>

namespace quorvel {

// One entry of a best list.
struct BestListDataTyp {
    QString Name;
    QString Rechner;
    double Beginn = 0.0;   // days since 30 December 1899 00:00 local time
    qint32 Dauer = 0;      // milliseconds
    double Leistung = 0.0; // 0..1
};

// `Beginn` from and to a local date and time.
double bestListDays(const QDateTime& local);
QDateTime bestListDateTime(double days);

// Which list a read or an append is about: the messages differ.
enum class BestListKind { Individual, Network };

// The header every list file starts with.
QByteArray bestListHeader();
// One entry as written: all five fields, Windows-1252.
QByteArray bestListEntryBytes(const BestListDataTyp& entry);

// Reads a whole list from the device. The key list decides which fields an
// entry carries. Any entry that cannot be read completely (a damaged length,
// a cut file) or whose performance is no finite number fails the whole read,
// with the offset of the failure; so does a foreign magic or a broken header.
// On failure `entries` is empty.
IoResult parseBestList(QIODevice& device, QList<BestListDataTyp>& entries);

// Whether a failed read or append failed on the list's content (damaged or of
// a form no entry can be added to) rather than on the folder or the lock.
bool bestListUnreadable(const IoResult& result);

// Ranks in place: descending `Leistung`, equal `Leistung` by ascending
// `Dauer`, equal both in file order. O(n log n).
void rankBestList(QList<BestListDataTyp>& entries);

// Reads the list file at `path` with up to five attempts 100 ms apart (a
// locked list fails an attempt; the lock is never waited for). A
// missing file is a success with the kind's information message and an
// empty list; a failure carries the kind's message and leaves `entries` empty.
IoResult readBestList(const QString& path, BestListKind kind, QList<BestListDataTyp>& entries);

// Appends one entry to the file at `path` (created when missing). The entry
// goes in under an fcntl record lock in one write after the last byte, so
// concurrent appends from several processes or computers lose nothing. A
// list that cannot be read completely, or whose key list names other fields
// than the five an entry is written with, is left exactly as it is and the
// append fails with the file-read message. The lock is never waited for: up
// to five attempts 100 ms apart.
IoResult appendBestListEntry(const QString& path, BestListKind kind, const BestListDataTyp& entry);

// Only complete individual runs are entered: partial repetitions and network
// or series runs never are.
bool entersBestList(SessionKind kind, int abfrageAnz, int abfrageAnzGesamt);

// The entry of an individual run: the trimmed participant name or
// "(kein Name)", this computer, the start, the elapsed milliseconds and
// `Gesamtleistung`.
BestListDataTyp individualBestListEntry(const QString& participant, const QString& computer,
                                        const QDateTime& start, qint64 elapsedMs, double leistung);

// The list file of a document: the folder (with or without its trailing
// separator) and the document's file name with the extension ".hsc".
QString individualBestListPath(const QString& folder, const QString& documentPath);
// The list of a network exercise in the communication folder.
QString networkBestListPath(const QString& folder, const QString& channel);

// The grid of the list window: the header row and one row per ranked entry,
// at least one (empty) data row.
QList<QStringList> bestListGrid(const QList<BestListDataTyp>& ranked);
// A grid as text: cells joined by a tab, every row ended by CR LF.
QString gridText(const QList<QStringList>& rows);

} // namespace quorvel
