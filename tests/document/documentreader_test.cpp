// SPDX-License-Identifier: GPL-3.0-or-later
#include "cp1252.h"
#include "docbuilder.h"
#include "documentio.h"
#include "fakefonts.h"
#include "passwordscramble.h"
#include "testlayouts.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace quorvel;

namespace {

IoResult readBytes(const QByteArray& bytes, Document& doc, const FontCatalog* fonts = nullptr) {
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    ReadOptions options{noLayouts()};
    options.fonts = fonts;
    return readDocumentStream(buffer, doc, options);
}

TestObject pointObject(int typ) {
    TestObject o;
    o.Typ = typ;
    o.capStored = "https://example.org";
    o.HFarbe = 0x010203;
    o.Farbe = 0x040506;
    o.HDeck = 40;
    o.PktCap = QStringLiteral("Eigener Titel");
    return o;
}

class TempFile {
public:
    QString write(const QByteArray& bytes, const QString& name = QStringLiteral("doc.qvl")) {
        const QString path = m_dir.filePath(name);
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(bytes);
        return path;
    }
    QString path(const QString& name) const { return m_dir.filePath(name); }

private:
    QTemporaryDir m_dir;
};

} // namespace

TEST(DocumentReader, ReadsEveryFieldOfACurrentFile) {
    DocBuilder b;
    b.titel = QStringLiteral("Blüten");
    b.autor = QStringLiteral("Frau Kühn");
    b.bemerkung = QStringLiteral("Zeile 1\r\nZeile 2");
    b.DokTyp = 0;
    b.RandErw = {0.1, 0.0, 0.3, 0.0};
    b.basePicture = testPicture(400, 300);
    b.Schriftart = QStringLiteral("Times New Roman");
    b.passwordStored = scramblePassword("geheim");
    b.logo = testPicture(8, 4, true);
    b.footer = QStringLiteral("Fußzeile");
    TestObject label;
    label.capStored = encodeCp1252(QStringLiteral("\"Kelch, Blatt\",Stiel"));
    label.ZIndex = 3;
    label.Stil = 5;
    TestObject picture;
    picture.Typ = 6;
    picture.Bild = testPicture(20, 10, true);
    picture.ZIndex = -2;
    picture.BildKenn = QStringLiteral("blume");
    b.objects = {label, picture};

    FakeFonts fonts;
    fonts.widths.insert(QStringLiteral("Times New Roman"), 667.0);
    Document doc;
    const IoResult r = readBytes(b.build(), doc, &fonts);
    ASSERT_TRUE(r.ok) << r.detail.toStdString();
    EXPECT_EQ(doc.magic, QStringLiteral("QVL-2.21"));
    EXPECT_TRUE(r.messages.isEmpty());
    EXPECT_EQ(r.offset, -1);
    EXPECT_EQ(doc.header.titel, QStringLiteral("Blüten"));
    EXPECT_EQ(doc.header.autor, QStringLiteral("Frau Kühn"));
    EXPECT_EQ(doc.header.bemerkung, QStringLiteral("Zeile 1\r\nZeile 2"));
    EXPECT_EQ(doc.header.EinrueckRand, (PageRect{0.01, 0.02, 0.03, 0.04}));
    EXPECT_EQ(doc.header.Schriftart, QStringLiteral("Times New Roman"));
    EXPECT_EQ(doc.header.BilderPasswort, QStringLiteral("geheim"));
    EXPECT_EQ(doc.header.logo.picture, b.logo);
    EXPECT_EQ(doc.header.logo.footer, QStringLiteral("Fußzeile"));
    ASSERT_EQ(doc.objects.size(), 2u);
    EXPECT_EQ(doc.objects[0].Cap, QStringLiteral("Kelch, Blatt\r\nStiel"));
    EXPECT_EQ(doc.objects[0].Stil, 5);
    EXPECT_EQ(doc.objects[0].AbfrageStatus, AbfrageStatus::Covered);
    EXPECT_EQ(doc.objects[0].KartRect.left, -1.0);
    EXPECT_EQ(doc.objects[1].Bild, picture.Bild); // alpha kept
    EXPECT_EQ(doc.objects[1].BildKenn, QStringLiteral("blume"));
    EXPECT_EQ(doc.zMin, -2);
    EXPECT_EQ(doc.zMax, 3);
    EXPECT_EQ(doc.basePicture.size(), QSize(400, 300));
}

TEST(DocumentReader, AbsentKeysTakeTheirDefaults) {
    DocBuilder b;
    b.keys = QStringList{QStringLiteral("HD-DokTyp")};
    b.DokTyp = 2;
    TestObject question;
    question.Typ = 20;
    question.Untertyp = 1;
    question.AntwortAnz = 0;
    b.objects = {TestObject(), question};

    Document doc;
    doc.header.Schriftart = QStringLiteral("Times New Roman"); // the font in effect
    const IoResult r = readBytes(b.build(), doc);
    ASSERT_TRUE(r.ok) << r.detail.toStdString();
    const HeaderDataTyp& h = doc.header;
    EXPECT_EQ(h.EinrueckRand, defaultEinrueckRand(DokTyp::SingleQuestions));
    EXPECT_EQ(h.HtgdCol, 0xFFFFFFu);
    EXPECT_EQ(h.BasisbildDeck, 100);
    EXPECT_EQ(h.MinLuecke, 3);
    EXPECT_EQ(h.ABAufgabe, QStringLiteral("Aufgabe: Fülle die freien Felder aus!"));
    EXPECT_EQ(h.FragBtnHtgdCol, 0xFF0000u);
    EXPECT_EQ(h.FragBtnTextCol, 0xFFFFFFu);
    EXPECT_EQ(h.LueckentextCol, 0xFF0000u);
    EXPECT_EQ(h.Zielpunktgroesse, 100);
    EXPECT_EQ(h.Schriftart, QStringLiteral("Times New Roman"));
    const ObjDataTyp& o = doc.objects[0];
    EXPECT_EQ(o.FrageNummer, -1);
    EXPECT_EQ(o.LinieDicke, 1);
    EXPECT_EQ(o.ZIndex, 0);
    EXPECT_EQ(o.HFarbe, 0xFFFFFFu);
    EXPECT_EQ(o.HDeck, 0);
    EXPECT_EQ(o.BildDeck, 100);
    EXPECT_EQ(doc.objects[1].MCInfoLinkData, kMCInfoLinkDefaults);
}

TEST(DocumentReader, KeyTestsAreSubstringTests) {
    // Only the old spelling of the indent key.
    DocBuilder old;
    old.removeKey(QStringLiteral("HD-EinrueckRand"));
    Document doc;
    ASSERT_TRUE(readBytes(old.build(), doc).ok);
    EXPECT_EQ(doc.header.EinrueckRand, (PageRect{0.01, 0.02, 0.03, 0.04}));

    // "OB-PktCap2" contains "OB-PktCap", so the first title is read as well.
    DocBuilder b;
    b.removeKey(QStringLiteral("OB-PktCap"));
    b.objects = {pointObject(2)};
    b.objects[0].PktCap2 = QStringLiteral("2. Zeile");
    Document doc2;
    ASSERT_TRUE(readBytes(b.build(), doc2).ok);
    EXPECT_EQ(doc2.objects[0].PktCap, QStringLiteral("Eigener Titel"));
    EXPECT_EQ(doc2.objects[0].PktCap2, QStringLiteral("2. Zeile"));
    EXPECT_EQ(doc2.objects[0].HFarbe, 0x010203u);
}

TEST(DocumentReader, PointsOfFilesWithoutTitlesGetStandardLooks) {
    struct Case {
        int typ;
        const char* title;
        ColourValue background;
    };
    const Case cases[] = {{2, "Info", 0xFD5F00}, {4, "Link", 0x2F35A4}, {5, "Dok.", 0x4A9829}};
    DocBuilder b;
    b.removeKey(QStringLiteral("OB-PktCap"));
    b.removeKey(QStringLiteral("OB-PktCap2"));
    b.removeKey(QStringLiteral("OB-PktHtgdDeck"));
    for (const Case& c : cases)
        b.objects.push_back(pointObject(c.typ));
    b.objects.push_back(TestObject()); // a label keeps its own colours
    b.objects.back().HFarbe = 0x111111;
    Document doc;
    ASSERT_TRUE(readBytes(b.build(), doc).ok);
    for (size_t i = 0; i < std::size(cases); ++i) {
        EXPECT_EQ(doc.objects[i].PktCap, QString::fromUtf8(cases[i].title));
        EXPECT_EQ(doc.objects[i].Farbe, 0xFFFFFFu);
        EXPECT_EQ(doc.objects[i].HFarbe, cases[i].background);
        EXPECT_EQ(doc.objects[i].HDeck, 100);
    }
    EXPECT_EQ(doc.objects[3].PktCap, QString());
    EXPECT_EQ(doc.objects[3].HFarbe, 0x111111u);
    EXPECT_EQ(doc.objects[3].HDeck, 0);
}

TEST(DocumentReader, LegacyFileConvertsPictureSizes) {
    DocBuilder b;
    b.magic = QStringLiteral("BXL-1.01");
    b.keys = DocBuilder::allKeys().mid(0, 33); // the keys of the first format generation
    b.Schriftart = QStringLiteral("Breit");
    TestObject picture;
    picture.Typ = 7;
    picture.Fsize = 10;
    picture.Bild = testPicture(4, 4);
    TestObject label = picture;
    label.Typ = 1;
    b.objects = {picture, label};

    FakeFonts fonts;
    Document doc;
    doc.header.Schriftart = QStringLiteral("Breit"); // the font in effect
    fonts.widths.insert(QStringLiteral("Breit"), 667.0 * 1.5);
    ASSERT_TRUE(readBytes(b.build(), doc, &fonts).ok);
    EXPECT_EQ(doc.header.Schriftart, QStringLiteral("Breit"));
    // ((2 * 10 + 22) * 1.5 - 22) / 2 = 20.5, ties to even.
    EXPECT_EQ(doc.objects[0].Fsize, 20);
    EXPECT_EQ(doc.objects[1].Fsize, 10); // text labels keep theirs
    EXPECT_EQ(doc.objects[0].MCInfoLinkData, kMCInfoLinkDefaults);
    EXPECT_EQ(doc.header.HtgdCol, 0xFFFFFFu);

    // A known font uses its table factor, whatever its local metrics.
    fonts.widths.insert(QStringLiteral("Arial Black"), 1.0);
    doc.header.Schriftart = QStringLiteral("Arial Black");
    picture.Fsize = 0;
    b.objects = {picture};
    b.Schriftart = QStringLiteral("Arial Black");
    Document doc2;
    doc2.header.Schriftart = QStringLiteral("Arial Black");
    ASSERT_TRUE(readBytes(b.build(), doc2, &fonts).ok);
    EXPECT_EQ(doc2.objects[0].Fsize, 3); // (22 * 1.2632 - 22) / 2 = 2.895

    // From version 2.17 on the sizes are taken as stored.
    b.magic = QStringLiteral("QVL-2.17");
    Document doc3;
    doc3.header.Schriftart = QStringLiteral("Arial Black");
    picture.Fsize = 10;
    b.objects = {picture};
    ASSERT_TRUE(readBytes(b.build(), doc3, &fonts).ok);
    EXPECT_EQ(doc3.objects[0].Fsize, 10);
}

TEST(DocumentReader, UninstalledFontBecomesArial) {
    DocBuilder b;
    b.Schriftart = QStringLiteral("Gibt Es Nicht");
    FakeFonts fonts;
    Document doc;
    ASSERT_TRUE(readBytes(b.build(), doc, &fonts).ok);
    EXPECT_EQ(doc.header.Schriftart, QStringLiteral("Arial"));
}

TEST(DocumentReader, SystemFontsCountArialAsInstalled) {
    EXPECT_TRUE(systemFontCatalog().isInstalled(QStringLiteral("Arial")));
    EXPECT_TRUE(systemFontCatalog().isInstalled(QStringLiteral("Times New Roman")));
    EXPECT_FALSE(systemFontCatalog().isInstalled(QStringLiteral("Gibt Es Nicht 123")));
    // Measured against Arial's own substitute, an Arial-like font stays near 1.
    EXPECT_NEAR(fontHeightFactor(QStringLiteral("Liberation Sans"), systemFontCatalog()), 1.0,
                0.02);
}

TEST(DocumentReader, CrosswordOfVersion220HasFiveSettings) {
    DocBuilder b;
    b.DokTyp = 6;
    b.magic = QStringLiteral("QVL-2.20");
    b.crosswordSettings = {11, 12, 13, 14, 15};
    b.grid[30 * 2 + 5] = QStringLiteral("#W1");
    b.across[0] = QStringLiteral("Hauptstadt");
    Document doc;
    ASSERT_TRUE(readBytes(b.build(), doc).ok);
    const CrosswordData& k = doc.header.crossword;
    EXPECT_EQ(k.cell(2, 5), QStringLiteral("#W1"));
    EXPECT_EQ(k.across[0], QStringLiteral("Hauptstadt"));
    EXPECT_EQ(k.KGBeschreibungCol, 15u);
    EXPECT_EQ(k.KGBeschreibungTitelCol, 15u);

    b.magic = QStringLiteral("QVL-2.21");
    b.crosswordSettings = {11, 12, 13, 14, 15, 16};
    Document doc2;
    ASSERT_TRUE(readBytes(b.build(), doc2).ok);
    EXPECT_EQ(doc2.header.crossword.KGBeschreibungTitelCol, 16u);
}

TEST(DocumentReader, GapTableOnlyForItsDocumentTypes) {
    // A cloze text stores no table: the builder writes none and the reader expects none.
    DocBuilder cloze;
    cloze.DokTyp = 1;
    cloze.lueckentext = QStringLiteral("Der [Hund] bellt.");
    cloze.cells = {TestCell{QStringLiteral("nicht geschrieben")}};
    Document doc;
    ASSERT_TRUE(readBytes(cloze.build(), doc).ok);
    EXPECT_EQ(doc.header.lueckentext, QStringLiteral("Der [Hund] bellt."));
    EXPECT_TRUE(doc.header.LueckenTabelle[0][0].Text.isEmpty());
    EXPECT_EQ(doc.header.LueckenTabelleZeilen, 5);

    // A cluster table with a picture cell, link fields and column backgrounds.
    DocBuilder cluster;
    cluster.DokTyp = 4;
    cluster.rows = 2;
    cluster.columns = 3;
    TestCell picture{QStringLiteral("Bild"), 2, testPicture(6, 6)};
    picture.BildLink = QStringLiteral("a.png");
    picture.Fsize = 7;
    cluster.cells = {TestCell{QStringLiteral("Obst")}, TestCell{QStringLiteral("Gemüse")},
                     TestCell{QStringLiteral("x"), 1}, picture};
    cluster.spaltenHtgd = {{0x0000FF, 10}, {0x00FF00, 20}, {0xFF0000, 30}};
    Document doc2;
    const IoResult r = readBytes(cluster.build(), doc2);
    ASSERT_TRUE(r.ok) << r.detail.toStdString();
    const HeaderDataTyp& h = doc2.header;
    EXPECT_EQ(h.LueckenTabelleZeilen, 2);
    EXPECT_EQ(h.LueckenTabelle[0][1].Text, QStringLiteral("Gemüse"));
    EXPECT_EQ(h.LueckenTabelle[0][2].Art, 1); // kind 1 carries no picture in a cluster
    EXPECT_EQ(h.LueckenTabelle[1][0].Bild.size(), QSize(6, 6));
    EXPECT_EQ(h.LueckenTabelle[1][0].BildLink, QStringLiteral("a.png"));
    EXPECT_EQ(h.LueckenTabelle[1][0].Fsize, 7);
    EXPECT_EQ(h.LueckentabelleSpaltenHtgd[2], (ColumnBackground{0xFF0000, 30}));
    EXPECT_EQ(h.LueckentabelleSpaltenHtgd[3], (ColumnBackground{0x7FBEFF, 50}));
}

TEST(DocumentReader, QuestionsWithAnswerPictures) {
    DocBuilder b;
    b.DokTyp = 3;
    TestObject q;
    q.Typ = 21;
    q.Untertyp = 1;
    q.AntwortAnz = 2;
    q.Bild = testPicture(5, 5);
    q.BildAntw = {testPicture(3, 3), testPicture(4, 4)};
    q.capStored = "Frage,\"Antwort 1\",\"Antwort 2\"";
    b.objects = {q};
    Document doc;
    ASSERT_TRUE(readBytes(b.build(), doc).ok);
    const ObjDataTyp& o = doc.objects[0];
    EXPECT_EQ(o.BildAntw[1].size(), QSize(4, 4));
    EXPECT_TRUE(o.BildAntw[2].isNull());
    EXPECT_EQ(o.MCInfoLinkData, (MCInfoLinkArray{1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(o.Cap, QStringLiteral("Frage\r\nAntwort 1\r\nAntwort 2"));
}

TEST(DocumentReader, HeaderOnlyReaderStopsAfterTheType) {
    DocBuilder b;
    b.titel = QStringLiteral("Nur Kopf");
    b.DokTyp = 3;
    b.AnzFrageNummern = 4;
    QByteArray bytes = b.build();
    const QByteArray cut = bytes.left(bytes.indexOf("Nur Kopf") + 200); // far before the pictures
    QBuffer buffer;
    buffer.setData(cut);
    buffer.open(QIODevice::ReadOnly);
    DocumentSummary header;
    ASSERT_TRUE(readDocumentHeader(buffer, header));
    EXPECT_EQ(header.titel, QStringLiteral("Nur Kopf"));
    EXPECT_EQ(header.DokTyp, 3);
    EXPECT_EQ(header.AnzFrageNummern, 4);

    TempFile files;
    DocumentSummary other;
    EXPECT_FALSE(readDocumentHeader(files.path(QStringLiteral("fehlt.qvl")), other));
    EXPECT_FALSE(readDocumentHeader(files.write("\x04\0\0\0ABCD", QStringLiteral("x.qvl")), other));
    EXPECT_FALSE(readDocumentHeader(files.write(bytes.left(30), QStringLiteral("y.qvl")), other));
    EXPECT_FALSE(readDocumentHeader(files.path(QString()), other)); // a folder
}

TEST(DocumentReaderFile, MessagesAndStateOnFailure) {
    TempFile files;
    Document doc;
    doc.header.titel = QStringLiteral("Offen");
    doc.file = QStringLiteral("/offen.qvl");

    // A missing file changes nothing.
    const QString missing = files.path(QStringLiteral("fehlt.qvl"));
    const TestLayouts layouts;
    const ReadOptions options{layouts};
    IoResult r = readDocumentFile(doc, missing, options);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.messages,
              QStringList{QStringLiteral("Die Datei \"%1\" existiert nicht.").arg(missing)});
    EXPECT_EQ(doc.header.titel, QStringLiteral("Offen"));

    struct Case {
        const char* name;
        QByteArray bytes;
        QStringList firstMessages;
        qint64 offset; // where reading failed
    };
    DocBuilder newer;
    newer.magic = QStringLiteral("QVL-2.30");
    // The version is judged once magic, key list and code pages are read.
    const qint64 afterKeys = 12 + 4 + encodeCp1252(u'|' + newer.keys.join(u'|') + u'|').size() + 8;
    DocBuilder cut;
    const QByteArray cutBytes = cut.build().left(60);
    // Files that are no document at all: their first bytes read as a length of
    // the magic are absurd, which makes them a wrong format.
    const QByteArray png = pngBytes(testPicture(2, 2));
    const QByteArray text("Dies ist kein Dokument.\r\nZweite Zeile\r\n");
    const Case cases[] = {
        {"empty", QByteArray(), {}, 0},
        {"other family", QByteArray("\x08\0\0\0XYZ-2.21", 12), {msgInvalidFormat()}, 12},
        {"newer version", newer.build(), {msgNewerVersion()}, afterKeys},
        {"cut short", cutBytes, {}, 16}, // the key list's length reaches past the end
        {"a PNG picture", png, {msgInvalidFormat()}, 0},
        {"a text file", text, {msgInvalidFormat()}, 0},
        {"huge length", QByteArray("\xff\xff\xff\x7fQVL-2.21", 12), {msgInvalidFormat()}, 0},
        {"negative length", QByteArray("\xf8\xff\xff\xffQVL-2.21", 12), {msgInvalidFormat()}, 0},
        {"length beyond the magic", QByteArray("\x41\0\0\0QVL-2.21", 12), {msgInvalidFormat()}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = files.write(c.bytes);
        doc.header.titel = QStringLiteral("Offen");
        doc.objects.resize(3);
        r = readDocumentFile(doc, path, options);
        EXPECT_FALSE(r.ok);
        EXPECT_EQ(r.messages, c.firstMessages + QStringList{msgCannotRead(path)});
        EXPECT_EQ(r.offset, c.offset);
        EXPECT_FALSE(r.detail.isEmpty());
        EXPECT_TRUE(doc.objects.empty());
        EXPECT_TRUE(doc.header.titel.isEmpty());
        EXPECT_TRUE(doc.file.isEmpty());
        EXPECT_EQ(doc.previousFile, QStringLiteral("/offen.qvl"));
        doc.file = QStringLiteral("/offen.qvl");
    }
    EXPECT_TRUE(
        msgCannotRead(QStringLiteral("a"))
            .contains(QStringLiteral(
                "kann nicht gelesen werden. Mögliche Ursachen:\r\n- Datei existiert nicht\r\n"
                "- Ungültiges Dateiformat\r\n- Fehlende Lesezugriffsberechtigung im Netzwerk")));

    EXPECT_EQ(layouts.runs, 0) << "no layout runs on a failed read";

    // A good file sets the path, derives the geometry, runs the layout of its
    // type once and clears the modified flag.
    DocBuilder good;
    good.RandErw = {0.1, 0.0, 0.3, 0.0};
    good.basePicture = testPicture(400, 300);
    const QString path = files.write(good.build(), QStringLiteral("gut.qvl"));
    doc.modified = true;
    r = readDocumentFile(doc, path, options);
    ASSERT_TRUE(r.ok);
    EXPECT_TRUE(r.messages.isEmpty());
    EXPECT_EQ(doc.file, path);
    EXPECT_EQ(doc.previousFile, QStringLiteral("/offen.qvl"));
    EXPECT_EQ(doc.geometry.ratioBreite, 560);
    EXPECT_EQ(layouts.runs, 1);
    EXPECT_FALSE(doc.modified);
}

TEST(DocumentReaderFile, ReadsADocumentAtAnOffset) {
    DocBuilder b;
    b.titel = QStringLiteral("Im Paket");
    TempFile files;
    const QString path =
        files.write(QByteArray(1000, 'P') + b.build(), QStringLiteral("paket.qvusp"));
    Document doc;
    ReadOptions options{noLayouts()};
    options.startOffset = 1000;
    const IoResult r = readDocumentFile(doc, path, options);
    ASSERT_TRUE(r.ok) << r.detail.toStdString();
    EXPECT_EQ(doc.header.titel, QStringLiteral("Im Paket"));
}

// Hostile and broken files: each fails with the read message, never crashes
// and never allocates by an unchecked number.
TEST(DocumentReaderHostile, RefusesBrokenStreams) {
    auto stringLengthBeyondEnd = [] {
        QByteArray bytes;
        appendString(bytes, "QVL-2.21");
        appendInt(bytes, 0x7FFFFFF0); // key list "longer" than the file
        return bytes;
    };
    auto negativeStringLength = [] {
        QByteArray bytes;
        appendString(bytes, "QVL-2.21");
        appendInt(bytes, -5);
        return bytes;
    };
    DocBuilder negativeCount;
    negativeCount.objectCount = -1000;
    DocBuilder hugeCount;
    hugeCount.objectCount = 0x7FFFFFFF;
    DocBuilder tooManyRows;
    tooManyRows.DokTyp = 5;
    tooManyRows.rows = 17;
    tooManyRows.columns = 12;
    DocBuilder tooManyColumns;
    tooManyColumns.DokTyp = 4;
    tooManyColumns.rows = 16;
    tooManyColumns.columns = 13;
    DocBuilder tooManyAnswers;
    TestObject q;
    q.Typ = 20;
    q.AntwortAnz = 13;
    tooManyAnswers.objects = {q};
    DocBuilder noBasePicture;
    noBasePicture.writeBasePicture = false;
    DocBuilder badPicture;
    TestObject pic;
    pic.Typ = 6;
    pic.Bild = testPicture(3, 3);
    badPicture.objects = {pic};
    QByteArray corrupted = badPicture.build();
    corrupted[corrupted.indexOf("IDAT") + 6] ^= 0x55; // breaks the chunk's CRC

    const std::pair<const char*, QByteArray> cases[] = {
        {"empty file", QByteArray()},
        {"string length beyond the end", stringLengthBeyondEnd()},
        {"negative string length", negativeStringLength()},
        {"huge object count", hugeCount.build()},
        {"negative object count", negativeCount.build()},
        {"17 rows", tooManyRows.build()},
        {"13 columns", tooManyColumns.build()},
        {"13 answers", tooManyAnswers.build()},
        {"no base picture", noBasePicture.build()},
        {"corrupted picture", corrupted},
    };
    for (const auto& [name, bytes] : cases) {
        Document doc;
        const IoResult r = readBytes(bytes, doc);
        EXPECT_FALSE(r.ok) << name;
        EXPECT_FALSE(r.detail.isEmpty()) << name;
    }
}

TEST(DocumentReaderHostile, EveryTruncationFails) {
    DocBuilder b;
    b.DokTyp = 5;
    b.rows = 1;
    b.columns = 2;
    b.cells = {TestCell{QStringLiteral("a"), 3, testPicture(2, 2)}};
    b.logo = testPicture(2, 2);
    TestObject o;
    o.Typ = 8;
    o.Bild = testPicture(2, 2);
    o.capStored = "datei.png";
    b.objects = {o};
    b.basePicture = testPicture(3, 3);
    const QByteArray full = b.build();
    {
        Document doc;
        ASSERT_TRUE(readBytes(full, doc).ok);
    }
    for (qsizetype n = 0; n < full.size(); ++n) {
        Document doc;
        ASSERT_FALSE(readBytes(full.left(n), doc).ok) << "cut after " << n << " bytes";
    }
}

// Found by fuzzing: a cluster table with too many columns was refused, but its
// column backgrounds were still read into the 12 slots.
TEST(DocumentReaderHostile, OversizedClusterTableStopsBeforeColumnBackgrounds) {
    DocBuilder b;
    b.DokTyp = 4;
    b.rows = 0;
    b.columns = 5000;
    b.spaltenHtgd.assign(5000, {0x0000FF, 1});
    Document doc;
    const IoResult r = readBytes(b.build(), doc);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(doc.header.LueckentabelleSpaltenHtgd[0], (ColumnBackground{0xBEFF7F, 50}));
    EXPECT_EQ(doc.header.crossword.KGFeldHtgdCol, 0xF0F0F0u);
}

TEST(DocumentReader, PicturesBeyondTheDocumentsBudgetAreRefusedWithAMessage) {
    // Three 16 x 16 pictures of 1 KiB each: two fit a budget of 2 KiB plus
    // the base picture's bytes, the third does not.
    DocBuilder builder;
    builder.basePicture = testPicture(4, 4);
    TestObject picture = pointObject(7);
    picture.Bild = testPicture(16, 16);
    builder.objects = {picture, picture, picture};
    const QByteArray bytes = builder.build();
    const qint64 perPicture = 16 * 16 * 4;
    for (const auto& [budget, ok] :
         {std::pair{3 * perPicture + 64, true}, std::pair{2 * perPicture + 64, false}}) {
        Document doc;
        QBuffer buffer;
        buffer.setData(bytes);
        buffer.open(QIODevice::ReadOnly);
        ReadOptions options{noLayouts()};
        options.pictureBudget = budget;
        const IoResult result = readDocumentStream(buffer, doc, options);
        EXPECT_EQ(result.ok, ok) << budget;
        EXPECT_EQ(result.messages.contains(msgPicturesTooLarge()), !ok);
        if (!ok) {
            EXPECT_TRUE(result.detail.contains(msgPicturesTooLarge()))
                << result.detail.toStdString();
        }
    }
    EXPECT_TRUE(msgPicturesTooLarge().contains(QStringLiteral("768 MB")));

    // The header alone refuses the third picture: its pixel data, broken
    // here, is never decoded. (The base picture comes after the objects.)
    QByteArray broken = bytes;
    const qsizetype thirdData = broken.lastIndexOf("IDAT", broken.lastIndexOf("IDAT") - 1);
    ASSERT_GT(thirdData, 0);
    broken[thirdData + 6] = char(broken[thirdData + 6] ^ 0x5A);
    Document doc;
    QBuffer buffer;
    buffer.setData(broken);
    buffer.open(QIODevice::ReadOnly);
    ReadOptions options{noLayouts()};
    options.pictureBudget = 2 * perPicture + 64;
    const IoResult result = readDocumentStream(buffer, doc, options);
    EXPECT_FALSE(result.ok);
    EXPECT_TRUE(result.detail.contains(msgPicturesTooLarge())) << result.detail.toStdString();
}
