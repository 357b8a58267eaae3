// SPDX-License-Identifier: GPL-3.0-or-later
#include "bestlist.h"

#include "binarystream.h"
#include "documentio.h"
#include "protocol.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QThread>
#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <fcntl.h>
#include <limits>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace quorvel {

namespace {

constexpr int attemptCount = 5;
constexpr int attemptPauseMs = 100;
constexpr qint64 msPerDay = 86400000;

const QDate& dayZero() {
    static const QDate zero(1899, 12, 30);
    return zero;
}

QString readFailureMessage(BestListKind kind) {
    return kind == BestListKind::Individual
               ? u"Überprüfen Sie die Einstellungen im Menü \"Optionen\", um die Bestenliste zu nutzen. Möglicherweise existiert die Datei noch nicht, weil noch niemand die Übung durchgeführt hat."_s
               : u"Möglicherweise existiert die Datei noch nicht, weil noch kein Teilnehmer die Übung beendet hat."_s;
}

QString missingFileMessage(BestListKind kind) {
    return kind == BestListKind::Individual
               ? u"Zu diesem Dokument gibt es bisher keine Einträge in der Bestenliste. Überprüfen Sie ggf. die Einstellungen im Menü \"Optionen\", um die Bestenliste zu nutzen."_s
               : u"Die Bestenliste zur aktuellen Netzwerk-Übung enthält noch keine Einträge."_s;
}

// Holds an fcntl record lock on the whole file for its lifetime. fcntl locks,
// unlike flock, are passed on to the server by NFS and SMB clients. Taking it
// never waits: a list held by another computer fails this attempt, and the
// caller's attempts 100 ms apart decide how long to wait in all.
class FileLock {
public:
    FileLock(int fd, short type) : m_fd(fd) {
        struct flock lock {};
        lock.l_type = type;
        lock.l_whence = SEEK_SET;
        int rc;
        do
            rc = ::fcntl(fd, F_SETLK, &lock);
        while (rc == -1 && errno == EINTR);
        m_locked = rc == 0;
    }
    ~FileLock() {
        if (!m_locked)
            return;
        struct flock lock {};
        lock.l_type = F_UNLCK;
        lock.l_whence = SEEK_SET;
        ::fcntl(m_fd, F_SETLK, &lock);
    }
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;
    bool locked() const { return m_locked; }

private:
    int m_fd;
    bool m_locked = false;
};

// The magic string as stored: its length and its twelve characters.
constexpr qint64 bestListMagicLength = 16;

// A class's list holds a few thousand entries of about 40 bytes; a file
// beyond this is refused instead of filling the memory.
constexpr qint64 maxListBytes = qint64(64) << 20;

// Calls `step(done)` (bytes moved, negative on an error) until `size`
// bytes are moved; false on an error or at the end of the file.
template <typename Step> bool moveAll(qint64 size, Step step) {
    qint64 done = 0;
    while (done < size) {
        const ssize_t n = step(done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += n;
    }
    return true;
}

// The whole file through the descriptor itself: closing another descriptor
// of the file would drop the process's lock on it.
bool readWhole(int fd, QByteArray& bytes) {
    struct stat info {};
    if (::fstat(fd, &info) != 0 || info.st_size < 0 || info.st_size > maxListBytes)
        return false;
    bytes.resize(qsizetype(info.st_size));
    return moveAll(bytes.size(), [&](qint64 done) {
        return ::pread(fd, bytes.data() + done, size_t(bytes.size() - done), off_t(done));
    });
}

bool writeAll(int fd, const QByteArray& bytes, qint64 at) {
    return moveAll(bytes.size(), [&](qint64 done) {
        return ::pwrite(fd, bytes.constData() + done, size_t(bytes.size() - done),
                        off_t(at + done));
    });
}

IoResult appendOnce(const QString& path, const BestListDataTyp& entry) {
    const QByteArray nativePath = QFile::encodeName(path);
    const int fd = ::open(nativePath.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0)
        return IoResult::failure(
            u"cannot open %1: %2"_s.arg(path, QString::fromLocal8Bit(strerror(errno))));
    IoResult result = IoResult::success();
    {
        FileLock lock(fd, F_WRLCK);
        QByteArray bytes;
        if (!lock.locked()) {
            result = IoResult::failure(u"%1 is locked by another program"_s.arg(path));
        } else if (!readWhole(fd, bytes)) {
            result = IoResult::failure(u"cannot read %1"_s.arg(path));
        } else if (!bytes.isEmpty()) {
            // What cannot be read is never cut or written over: the entry
            // goes after the last byte of a list read completely.
            QBuffer buffer(&bytes);
            buffer.open(QIODevice::ReadOnly);
            QList<BestListDataTyp> entries;
            result = parseBestList(buffer, entries);
            // Entries carry all five fields; a list whose key list names
            // others could not read them back, so it is left untouched. The
            // file's form is at fault there, not the folder.
            if (result && !bytes.startsWith(bestListHeader()))
                result =
                    IoResult::failure(u"foreign key list in %1"_s.arg(path), bestListMagicLength);
        }
        if (result) {
            const QByteArray written =
                (bytes.isEmpty() ? bestListHeader() : QByteArray()) + bestListEntryBytes(entry);
            if (!writeAll(fd, written, bytes.size())) {
                result = IoResult::failure(
                    u"cannot write %1: %2"_s.arg(path, QString::fromLocal8Bit(strerror(errno))));
                // A partial entry would make the list unreadable.
                if (::ftruncate(fd, off_t(bytes.size())) != 0)
                    result.detail += u" (and cannot remove the partial entry)"_s;
            }
        }
    }
    if (::close(fd) != 0 && result)
        result = IoResult::failure(u"cannot write %1"_s.arg(path));
    return result;
}

// Sorts NaN below every number, so that a hostile file cannot break the order.
double rankValue(double leistung) {
    return std::isnan(leistung) ? -HUGE_VAL : leistung;
}

} // namespace

double bestListDays(const QDateTime& local) {
    const QDateTime l = local.toLocalTime();
    return double(dayZero().daysTo(l.date())) +
           double(l.time().msecsSinceStartOfDay()) / double(msPerDay);
}

QDateTime bestListDateTime(double days) {
    // Beyond a few thousand years a date makes no sense; clamp instead of overflowing.
    if (!std::isfinite(days) || std::fabs(days) > 3.0e6)
        return {};
    const double whole = std::floor(days);
    qint64 ms = qint64(std::llround((days - whole) * double(msPerDay)));
    qint64 dayCount = qint64(whole);
    if (ms >= msPerDay) {
        ms -= msPerDay;
        ++dayCount;
    }
    return QDateTime(dayZero().addDays(dayCount), QTime::fromMSecsSinceStartOfDay(int(ms)));
}

QByteArray bestListHeader() {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    BinaryWriter writer(buffer);
    writer.writeString(u"RBK-HSC-1.00"_s);
    writer.writeString(u"|HSC-Name|HSC-Rechner|HSC-Beginn|HSC-Dauer|HSC-Leistung|"_s);
    return buffer.data();
}

QByteArray bestListEntryBytes(const BestListDataTyp& entry) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    BinaryWriter writer(buffer);
    writer.writeString(entry.Name);
    writer.writeString(entry.Rechner);
    writer.writeReal(entry.Beginn);
    writer.writeInt(entry.Dauer);
    writer.writeReal(entry.Leistung);
    return buffer.data();
}

IoResult parseBestList(QIODevice& device, QList<BestListDataTyp>& entries) {
    entries.clear();
    BinaryReader reader(device);
    const QByteArray magic = reader.readRawString();
    if (!reader.ok())
        return IoResult::failure(reader.error(), reader.errorOffset());
    if (magic != "RBK-HSC-1.00")
        return IoResult::failure(u"foreign magic"_s, 0);
    const QString keys = reader.readString();
    if (!reader.ok())
        return IoResult::failure(reader.error(), reader.errorOffset());
    const bool hasName = keys.contains(u"HSC-Name"_s);
    const bool hasRechner = keys.contains(u"HSC-Rechner"_s);
    const bool hasBeginn = keys.contains(u"HSC-Beginn"_s);
    const bool hasDauer = keys.contains(u"HSC-Dauer"_s);
    const bool hasLeistung = keys.contains(u"HSC-Leistung"_s);
    const bool any = hasName || hasRechner || hasBeginn || hasDauer || hasLeistung;
    // Without any known key the entries have no bytes, so anything after the
    // header cannot be read.
    if (!any && device.pos() < device.size())
        return IoResult::failure(u"entries without a known key"_s, device.pos());
    while (device.pos() < device.size()) {
        const qint64 start = device.pos();
        BestListDataTyp entry;
        if (hasName)
            entry.Name = reader.readString();
        if (hasRechner)
            entry.Rechner = reader.readString();
        if (hasBeginn)
            entry.Beginn = reader.readReal();
        if (hasDauer)
            entry.Dauer = reader.readInt();
        if (hasLeistung)
            entry.Leistung = reader.readReal();
        if (!reader.ok()) {
            const qsizetype number = entries.size() + 1;
            entries.clear();
            return IoResult::failure(
                u"entry %1 at byte %2: %3"_s.arg(number).arg(start).arg(reader.error()),
                reader.errorOffset());
        }
        if (!std::isfinite(entry.Leistung)) {
            entries.clear();
            return IoResult::failure(u"entry at byte %1: performance is no number"_s.arg(start),
                                     start);
        }
        entries.append(entry);
    }
    return IoResult::success();
}

bool bestListUnreadable(const IoResult& result) {
    return !result.ok && result.offset >= 0;
}

void rankBestList(QList<BestListDataTyp>& entries) {
    // A stable sort keeps equal entries in file order, the same order as a
    // selection sort that only swaps on a strictly better entry.
    std::stable_sort(entries.begin(), entries.end(),
                     [](const BestListDataTyp& a, const BestListDataTyp& b) {
                         const double la = rankValue(a.Leistung);
                         const double lb = rankValue(b.Leistung);
                         if (la != lb)
                             return la > lb;
                         return a.Dauer < b.Dauer;
                     });
}

IoResult readBestList(const QString& path, BestListKind kind, QList<BestListDataTyp>& entries) {
    entries.clear();
    if (!QFile::exists(path)) {
        IoResult result = IoResult::success();
        result.messages << missingFileMessage(kind);
        return result;
    }
    IoResult last;
    for (int attempt = 0; attempt < attemptCount; ++attempt) {
        if (attempt > 0)
            QThread::msleep(attemptPauseMs);
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            last = IoResult::failure(file.errorString());
            continue;
        }
        QByteArray bytes;
        {
            // A shared lock keeps an append in progress out; the parse runs
            // after it is released, on the bytes read in one go.
            FileLock lock(file.handle(), F_RDLCK);
            if (!lock.locked()) {
                last = IoResult::failure(u"%1 is locked by another program"_s.arg(path));
                continue;
            }
            if (!readWhole(file.handle(), bytes)) {
                last = IoResult::failure(u"cannot read %1"_s.arg(path));
                continue;
            }
        }
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        last = parseBestList(buffer, entries);
        if (last)
            return last;
    }
    entries.clear();
    last.messages << msgCannotRead(path) + u"\r\n\r\n"_s + readFailureMessage(kind);
    return last;
}

IoResult appendBestListEntry(const QString& path, BestListKind kind, const BestListDataTyp& entry) {
    IoResult last;
    for (int attempt = 0; attempt < attemptCount; ++attempt) {
        if (attempt > 0)
            QThread::msleep(attemptPauseMs);
        last = appendOnce(path, entry);
        if (last)
            return last;
    }
    // A list that cannot be read is the file's fault, not the folder's.
    if (bestListUnreadable(last)) {
        last.messages << msgCannotRead(path);
        return last;
    }
    QString message = msgCannotWrite(path);
    if (kind == BestListKind::Individual)
        message +=
            u"\r\n\r\nDie Bestenliste konnte nicht gespeichert werden. Überprüfen Sie die Einstellungen unter \"Optionen / Ordner für Protokolle und Bestenlisten\"."_s;
    last.messages << message;
    return last;
}

bool entersBestList(SessionKind kind, int abfrageAnz, int abfrageAnzGesamt) {
    return kind == SessionKind::Individual && abfrageAnzGesamt > 0 &&
           abfrageAnz == abfrageAnzGesamt;
}

BestListDataTyp individualBestListEntry(const QString& participant, const QString& computer,
                                        const QDateTime& start, qint64 elapsedMs, double leistung) {
    BestListDataTyp entry;
    entry.Name = participant.trimmed();
    if (entry.Name.isEmpty())
        entry.Name = u"(kein Name)"_s;
    entry.Rechner = computer;
    entry.Beginn = bestListDays(start);
    entry.Dauer = qint32(std::clamp<qint64>(elapsedMs, 0, std::numeric_limits<qint32>::max()));
    entry.Leistung = leistung;
    return entry;
}

namespace {
QString withSeparator(const QString& folder) {
    if (folder.isEmpty() || folder.endsWith(u'/') || folder.endsWith(u'\\'))
        return folder;
    return folder + u'/';
}
} // namespace

QString individualBestListPath(const QString& folder, const QString& documentPath) {
    const QFileInfo info(documentPath);
    return withSeparator(folder) + info.completeBaseName() + u".hsc"_s;
}

QString networkBestListPath(const QString& folder, const QString& channel) {
    return withSeparator(folder) + channel + u"-rbknetzuebung.hsc"_s;
}

namespace {
// A tab or a line break in a name would split the grid's text into other
// cells and rows.
QString cellText(QString text) {
    for (QChar& c : text) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7f)
            c = u' ';
    }
    return text;
}
} // namespace

QList<QStringList> bestListGrid(const QList<BestListDataTyp>& ranked) {
    QList<QStringList> rows;
    rows.reserve(ranked.size() + 1);
    rows.append({u"Pos."_s, u"Name"_s, u"Rechner"_s, u"Leistung"_s, u"Zeit (Min:Sek)"_s,
                 u"Datum/Uhrzeit"_s});
    for (qsizetype i = 0; i < ranked.size(); ++i) {
        const BestListDataTyp& e = ranked[i];
        const QDateTime begin = bestListDateTime(e.Beginn);
        rows.append({QString::number(i + 1), cellText(e.Name), cellText(e.Rechner),
                     percentFigure(e.Leistung), clockText(qint64(e.Dauer) / 1000),
                     begin.isValid() ? begin.toString(u"dd.MM.yyyy HH:mm:ss"_s) : QString()});
    }
    if (ranked.isEmpty())
        rows.append(QStringList(6, QString()));
    return rows;
}

QString gridText(const QList<QStringList>& rows) {
    QString text;
    for (const QStringList& row : rows)
        text += row.join(u'\t') + u"\r\n"_s;
    return text;
}

} // namespace quorvel
