// SPDX-License-Identifier: GPL-3.0-or-later
#include "docbuilder.h"
#include "documentio.h"
#include "seriesfolder.h"
#include "seriesgrid.h"
#include "seriespackage.h"
#include "seriesrun.h"
#include "testlayouts.h"

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace quorvel;

namespace {

QString writeDocument(const QTemporaryDir& dir, const QString& name, const QString& title,
                      int dokTyp) {
    Document doc;
    doc.basePicture = testPicture(30, 20);
    doc.header.titel = title;
    doc.header.DokTyp = dokTyp;
    const QString path = dir.filePath(name);
    EXPECT_TRUE(writeDocumentFile(doc, path, false).ok);
    return path;
}

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return file.readAll();
}

// A folder of three documents and a file that only looks like one.
struct SeriesFolder {
    QTemporaryDir dir;
    SeriesFolder() {
        writeDocument(dir, QStringLiteral("b-Lueckentext.qvl"), QStringLiteral("Lücken"), 1);
        writeDocument(dir, QStringLiteral("A-Fragen.qvl"), QString(), 2);
        writeDocument(dir, QStringLiteral("c.qvl"), QStringLiteral("Cluster"), 4);
        QFile bad(dir.filePath(QStringLiteral("kaputt.qvl")));
        EXPECT_TRUE(bad.open(QIODevice::WriteOnly));
        bad.write("no document");
    }
};

} // namespace

TEST(SeriesFolderTest, ReadsHeadersSortsByLowerCaseNameAndSkipsUnreadable) {
    SeriesFolder folder;
    std::vector<UebungsserieDokTyp> entries;
    ASSERT_TRUE(readSeriesFolder(folder.dir.path(), 3, 5, entries).ok);
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].DateinameKlein, QStringLiteral("a-fragen.qvl"));
    EXPECT_EQ(entries[0].Titel, QStringLiteral("(ohne Titel)"));
    EXPECT_EQ(entries[0].AbfrageModus, -1);
    EXPECT_EQ(entries[1].Titel, QStringLiteral("Lücken"));
    EXPECT_EQ(entries[1].AbfrageModus, 0);
    EXPECT_EQ(entries[2].DokTyp, 4);
    for (const auto& entry : entries) {
        EXPECT_EQ(entry.Gewichtung, 3);
        EXPECT_EQ(entry.ZeitMin, 5);
        EXPECT_TRUE(entry.Aktiv);
    }

    const IoResult missing =
        readSeriesFolder(folder.dir.filePath(QStringLiteral("fehlt")), 1, 0, entries);
    EXPECT_FALSE(missing.ok);
    EXPECT_EQ(missing.messages, QStringList{msgInvalidSeriesFolder()});
    EXPECT_EQ(entries.size(), 3u);
}

TEST(SeriesEntryTest, QueryModeCyclesPerDocumentType) {
    struct Case {
        int dokTyp, from, to;
    } cases[] = {{0, 0, 1}, {1, 3, 0},   {6, 2, 3},   {4, 1, 0},
                 {4, 0, 1}, {2, -1, -1}, {5, -1, -1}, {0, 9, 0}};
    for (const Case& c : cases)
        EXPECT_EQ(nextQueryMode(c.dokTyp, c.from), c.to) << c.dokTyp << " " << c.from;
    EXPECT_EQ(queryModeName(2), QStringLiteral("Positionen einzeln"));
    EXPECT_EQ(queryModeName(-1), QStringLiteral("-"));
}

TEST(SeriesPackageTest, CarriesActiveDocumentsByteForByte) {
    SeriesFolder folder;
    SeriesPackage series;
    ASSERT_TRUE(readSeriesFolder(folder.dir.path(), 1, 0, series.entries).ok);
    series.entries[1].Aktiv = false;
    series.entries[2].Gewichtung = 7;
    series.entries[2].AbfrageModus = 1;
    series.mode = SeriesMode::OneTry;
    series.title = QStringLiteral("Test");
    series.information = QStringLiteral("Fach / Thema: <tab>Erdkunde");
    const QString path = folder.dir.filePath(QStringLiteral("serie.qvusp"));
    ASSERT_TRUE(writeSeriesPackage(path, series).ok);

    SeriesPackage read;
    ASSERT_TRUE(readSeriesPackage(path, read).ok);
    EXPECT_EQ(read.mode, SeriesMode::OneTry);
    EXPECT_EQ(read.title, series.title);
    EXPECT_EQ(read.information, series.information);
    ASSERT_EQ(read.entries.size(), 2u);
    EXPECT_EQ(read.entries[1].Gewichtung, 7);
    EXPECT_EQ(read.entries[1].AbfrageModus, 1);
    const QByteArray package = fileBytes(path);
    const std::size_t active[] = {0, 2};
    for (std::size_t i = 0; i < 2; ++i) {
        const QByteArray original = fileBytes(series.entries[active[i]].Datei);
        EXPECT_EQ(read.entries[i].Datei, series.entries[active[i]].Datei);
        EXPECT_EQ(package.mid(read.entries[i].PaketOffset, original.size()), original);
        Document part;
        ReadOptions options(noLayouts());
        options.startOffset = read.entries[i].PaketOffset;
        ASSERT_TRUE(readDocumentFile(part, path, options).ok);
        EXPECT_EQ(part.header.DokTyp, series.entries[active[i]].DokTyp);
    }

    for (auto& entry : series.entries)
        entry.Aktiv = false;
    const IoResult none = writeSeriesPackage(path, series);
    EXPECT_EQ(none.messages, QStringList{msgNoSeriesEntry()});
    EXPECT_EQ(fileBytes(path), package); // the earlier package is intact
}

TEST(SeriesPackageTest, RefusesEveryCutAndAWrongMagic) {
    SeriesFolder folder;
    SeriesPackage series;
    ASSERT_TRUE(readSeriesFolder(folder.dir.path(), 1, 0, series.entries).ok);
    const QString path = folder.dir.filePath(QStringLiteral("serie.qvusp"));
    ASSERT_TRUE(writeSeriesPackage(path, series).ok);
    const QByteArray whole = fileBytes(path);
    for (qsizetype length = 0; length < whole.size(); ++length) {
        QByteArray cut = whole.left(length);
        QBuffer buffer(&cut);
        buffer.open(QIODevice::ReadOnly);
        SeriesPackage read;
        read.title = QStringLiteral("unverändert");
        const IoResult result = readSeriesPackage(buffer, path, read);
        ASSERT_FALSE(result.ok) << length;
        ASSERT_EQ(result.messages.size(), 1);
        const bool inMagic = length < 10;
        EXPECT_EQ(result.messages.first(), inMagic ? msgInvalidFormat() : msgCannotRead(path))
            << length;
        EXPECT_EQ(read.title, QStringLiteral("unverändert"));
    }
    QByteArray forged = whole;
    forged[5] = 'X'; // "QVSUX-"
    QBuffer buffer(&forged);
    buffer.open(QIODevice::ReadOnly);
    SeriesPackage read;
    EXPECT_EQ(readSeriesPackage(buffer, path, read).messages, QStringList{msgInvalidFormat()});
}

TEST(SeriesPackageTest, OlderVersionHasNoQueryModePerEntry) {
    QByteArray bytes;
    appendString(bytes, "QVSUP-");
    appendString(bytes, "01.00");
    appendString(bytes, "");
    appendString(bytes, "C:\\Serie\\");
    appendInt(bytes, 1);
    appendInt(bytes, 0);
    appendInt(bytes, 2);
    appendInt(bytes, 1);
    appendString(bytes, "Titel");
    appendString(bytes, "");
    appendString(bytes, "C:\\Serie\\a.qvl");
    appendString(bytes, "A");
    appendString(bytes, "a.qvl");
    appendInt(bytes, 4);
    appendInt(bytes, 3);
    appendString(bytes, "QVL-...");
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    SeriesPackage read;
    ASSERT_TRUE(readSeriesPackage(buffer, QStringLiteral("alt.qvusp"), read).ok);
    ASSERT_EQ(read.entries.size(), 1u);
    EXPECT_EQ(read.entries[0].AbfrageModus, 0);
    EXPECT_EQ(read.entries[0].Gewichtung, 4);
    EXPECT_EQ(read.entries[0].ZeitMin, 3);
    EXPECT_EQ(read.mode, SeriesMode::OneTryWithoutFeedback);
    EXPECT_EQ(bytes.mid(read.entries[0].PaketOffset, 7), QByteArray("QVL-..."));
}

TEST(SeriesPackageTest, AbsurdCountIsRefusedBeforeAnythingIsAllocated) {
    QByteArray bytes;
    appendString(bytes, "QVSUP-");
    appendString(bytes, "01.01");
    appendString(bytes, "");
    appendString(bytes, "");
    appendInt(bytes, 1);
    appendInt(bytes, 0);
    appendInt(bytes, 0);
    appendInt(bytes, 0x7fffffff);
    appendString(bytes, "");
    appendString(bytes, "");
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    SeriesPackage read;
    const IoResult result = readSeriesPackage(buffer, QStringLiteral("p.qvusp"), read);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.messages, QStringList{msgCannotRead(QStringLiteral("p.qvusp"))});
}

TEST(SeriesRunTest, WeightsThePartsAndWritesTheSeriesProtocol) {
    SeriesPackage series;
    series.title = QStringLiteral("Klassenarbeit");
    series.information = QStringLiteral("Fach:<tab>Mathe");
    UebungsserieDokTyp first;
    first.Gewichtung = 1;
    UebungsserieDokTyp second;
    second.Gewichtung = 3;
    UebungsserieDokTyp skipped;
    skipped.Aktiv = false;
    series.entries = {first, skipped, second};
    SeriesRun run(series, QString());
    ASSERT_EQ(run.partCount(), 2);
    EXPECT_EQ(run.partEnded(1.0, QStringLiteral("P1\r\n"), QStringLiteral("B1\r\n")),
              QStringLiteral("Teilübung Nr. 1 von 2 ist beendet.\r\nMit Klick auf OK startet die "
                             "nächste Teilübung."));
    EXPECT_EQ(run.partEnded(0.5, QStringLiteral("P2\r\n"), QStringLiteral("B2\r\n")),
              QStringLiteral("Teilübung Nr. 2 von 2 ist beendet."));
    EXPECT_TRUE(run.finished());
    const SeriesResult result = run.result(GradingTable{}, QString());
    EXPECT_DOUBLE_EQ(result.performance, 0.625);
    EXPECT_EQ(
        result.protocol,
        QStringLiteral("<tit>Gesamtprotokoll der Übungsserie\r\n\r\n<tit>Klassenarbeit\r\n\r\n"
                       "Fach:\tMathe\r\n\r\nTeilnehmername:\t(kein Name)\r\n\r\n\r\n"
                       "<tit>Gesamtergebnis\r\nGesamtleistung:\t62.5 %\r\nBewertung:\t") +
            result.gradeName + QStringLiteral("\r\nNote:\t") + QString::number(result.grade) +
            QStringLiteral("\r\n\r\n\r\nP1\r\nB1\r\n\r\n\r\nP2\r\nB2\r\n\r\n"));
}

TEST(SeriesGridTest, TypedNumbersAndDraggedPositions) {
    const std::pair<const char*, int> numbers[] = {
        {"3", 3}, {"2,5", 2}, {"3.5", 4}, {"x", 0}, {"", 0}, {" 7 ", 7}, {"1e99", 2147483647}};
    for (const auto& [text, value] : numbers)
        EXPECT_EQ(seriesGridNumber(QString::fromLatin1(text)), value) << text;

    std::vector<UebungsserieDokTyp> entries(4);
    for (int i = 0; i < 4; ++i)
        entries[static_cast<size_t>(i)].Gewichtung = i;
    const auto order = [&entries] {
        std::vector<int> weights;
        for (const auto& entry : entries)
            weights.push_back(entry.Gewichtung);
        return weights;
    };
    moveSeriesEntry(entries, 0, 2);
    EXPECT_EQ(order(), (std::vector<int>{1, 2, 0, 3}));
    moveSeriesEntry(entries, 3, 0);
    EXPECT_EQ(order(), (std::vector<int>{3, 1, 2, 0}));
    moveSeriesEntry(entries, 1, 9);
    EXPECT_EQ(order(), (std::vector<int>{3, 1, 2, 0}));
}
