// SPDX-License-Identifier: GPL-3.0-or-later
#include "seriespackage.h"

#include "binarystream.h"
#include "documentio.h"
#include "savefile.h"

#include <QFile>
#include <limits>

namespace quorvel {

namespace {

constexpr qint64 kCopyChunk = 1 << 20;

// The smallest an entry and its document string can be in a file: three
// empty strings, three ints and the document's length.
constexpr qint64 kMinimalEntryBytes = 3 * 4 + 3 * 4 + 4;

// Copies the document at `source` into `writer` as one length-prefixed
// string, a chunk at a time.
bool copyDocument(const QString& source, BinaryWriter& writer) {
    QFile file(source);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const qint64 size = file.size();
    if (size > std::numeric_limits<qint32>::max())
        return false;
    writer.writeInt(static_cast<qint32>(size));
    qint64 copied = 0;
    while (copied < size && writer.ok()) {
        const QByteArray chunk = file.read(std::min(kCopyChunk, size - copied));
        if (chunk.isEmpty())
            return false;
        writer.writeBytes(chunk);
        copied += chunk.size();
    }
    return writer.ok() && copied == size;
}

IoResult cannotRead(const QString& path, const BinaryReader& reader) {
    IoResult result = IoResult::failure(reader.error(), reader.errorOffset());
    result.messages << msgCannotRead(path);
    return result;
}

} // namespace

QString msgNoSeriesEntry() {
    return QStringLiteral(
        "Es wurden noch keine Quorvel-Dokumente für die Übungs-Serie ausgewählt.");
}

IoResult writeSeriesPackage(const QString& path, const SeriesPackage& series) {
    std::vector<const UebungsserieDokTyp*> active;
    for (const UebungsserieDokTyp& entry : series.entries)
        if (entry.Aktiv)
            active.push_back(&entry);
    if (active.empty()) {
        IoResult result = IoResult::failure(QString());
        result.messages << msgNoSeriesEntry();
        return result;
    }
    QString failedDocument;
    IoResult result = saveWholeFile(path, [&](QIODevice& out) {
        BinaryWriter writer(out);
        writer.writeString(QString::fromLatin1(kSeriesPackageMagic));
        writer.writeString(QString::fromLatin1(kSeriesPackageVersion));
        writer.writeString(QString());
        writer.writeString(series.folder);
        writer.writeInt(series.defaultWeight);
        writer.writeInt(series.defaultMinutes);
        writer.writeInt(static_cast<qint32>(series.mode));
        writer.writeInt(static_cast<qint32>(active.size()));
        writer.writeString(series.title);
        writer.writeString(series.information);
        for (const UebungsserieDokTyp* entry : active) {
            writer.writeString(entry->Datei);
            writer.writeString(entry->Titel);
            writer.writeString(entry->DateinameKlein);
            writer.writeInt(entry->Gewichtung);
            writer.writeInt(entry->ZeitMin);
            writer.writeInt(entry->AbfrageModus);
        }
        for (const UebungsserieDokTyp* entry : active) {
            if (!copyDocument(entry->Datei, writer)) {
                failedDocument = entry->Datei;
                return false;
            }
        }
        return writer.ok();
    });
    if (!result.ok) {
        if (!failedDocument.isEmpty())
            result.detail = QStringLiteral("Dokument nicht lesbar: %1").arg(failedDocument);
        result.messages = QStringList{msgCannotWrite(path)};
    }
    return result;
}

IoResult readSeriesPackage(const QString& path, SeriesPackage& series) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        IoResult result = IoResult::failure(file.errorString());
        result.messages << (file.exists() ? msgCannotRead(path) : msgFileMissing(path));
        return result;
    }
    return readSeriesPackage(file, path, series);
}

IoResult readSeriesPackage(QIODevice& in, const QString& path, SeriesPackage& series) {
    BinaryReader reader(in);
    // The magic decides whether this is a package at all; a length that does
    // not fit is no package either.
    const QByteArray magic = reader.readRawString();
    if (!reader.ok() || magic != QByteArrayLiteral("QVSUP-")) {
        IoResult result = IoResult::failure(QStringLiteral("keine Kennung eines Serien-Pakets"), 0);
        result.messages << msgInvalidFormat();
        return result;
    }
    SeriesPackage read;
    read.version = reader.readString();
    reader.readString(); // reserved
    read.folder = reader.readString();
    read.defaultWeight = reader.readInt();
    read.defaultMinutes = reader.readInt();
    const qint32 mode = reader.readInt();
    read.mode =
        mode >= 0 && mode <= 2 ? static_cast<SeriesMode>(mode) : SeriesMode::RepeatUntilSolved;
    const qint32 count = reader.readInt();
    read.title = reader.readString();
    read.information = reader.readString();
    if (!reader.ok())
        return cannotRead(path, reader);
    const qint64 left = reader.remaining();
    if (count < 0 || (left >= 0 && count > left / kMinimalEntryBytes)) {
        reader.fail(QStringLiteral("unmögliche Zahl der Teilübungen %1").arg(count));
        return cannotRead(path, reader);
    }
    // Versions before "01.01" carry no query mode per entry: those parts use mode 0.
    const bool withQueryMode = read.version.compare(QLatin1String(kSeriesPackageVersion)) >= 0;
    read.entries.reserve(static_cast<size_t>(count));
    for (qint32 i = 0; i < count && reader.ok(); ++i) {
        UebungsserieDokTyp entry;
        entry.Datei = reader.readString();
        entry.Titel = reader.readString();
        entry.DateinameKlein = reader.readString();
        entry.Gewichtung = reader.readInt();
        entry.ZeitMin = reader.readInt();
        entry.AbfrageModus = withQueryMode ? reader.readInt() : 0;
        read.entries.push_back(entry);
    }
    for (UebungsserieDokTyp& entry : read.entries) {
        const qint32 length = reader.readInt();
        if (!reader.ok())
            break;
        const qint64 rest = reader.remaining();
        if (length < 0 || (rest >= 0 && length > rest)) {
            reader.fail(QStringLiteral("Dokumentlänge %1 über das Dateiende hinaus").arg(length));
            break;
        }
        entry.PaketOffset = in.pos();
        if (!in.seek(entry.PaketOffset + length)) {
            reader.fail(QStringLiteral("Dokument nicht überspringbar"));
            break;
        }
    }
    if (!reader.ok())
        return cannotRead(path, reader);
    series = std::move(read);
    return IoResult::success();
}

} // namespace quorvel
