// SPDX-License-Identifier: GPL-3.0-or-later
#include "cp1252.h"
#include "docbuilder.h"
#include "documentbytes.h"
#include "documentio.h"
#include "passwordscramble.h"
#include "testlayouts.h"

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace quorvel;

namespace {

ObjDataTyp label(const QString& cap, int zIndex) {
    ObjDataTyp o;
    o.Typ = 0;
    o.Cap = cap;
    o.ZIndex = zIndex;
    return o;
}

Document documentWithBase() {
    Document doc;
    doc.basePicture = testPicture(30, 20);
    return doc;
}

} // namespace

TEST(DocumentWriter, StartsWithMagicFullKeyListAndCodePages) {
    Document doc = documentWithBase();
    const QByteArray bytes = writeToBytes(doc);
    QByteArray expected;
    appendString(expected, "QVL-2.21");
    appendString(expected, encodeCp1252(u'|' + DocBuilder::allKeys().join(u'|') + u'|'));
    appendInt(expected, 1252);
    appendInt(expected, 850);
    EXPECT_EQ(bytes.left(expected.size()), expected);
}

TEST(DocumentWriter, RoundTripsEveryKindOfContent) {
    for (int dokTyp : {1, 4, 6}) {
        Document doc = documentWithBase();
        HeaderDataTyp& h = doc.header;
        h.titel = QStringLiteral("Übung €");
        h.DokTyp = dokTyp;
        h.DokUnterTyp = dokTyp == 1 ? 1 : 0;
        h.RandErw = {0.1, 0.2, 0.3, 0.4};
        h.EinrueckRand = {0.5, 0.25, 0.125, 0.0625};
        h.LueckenTabelleZeilen = 2;
        h.LueckenTabelleSpalten = 3;
        h.LueckenTabelle[1][2] = {QStringLiteral("Zelle"),
                                  testPicture(4, 3, true),
                                  2,
                                  QStringLiteral("kenn"),
                                  QStringLiteral("link.png"),
                                  5,
                                  1,
                                  1};
        h.LueckentabelleSpaltenHtgd[1] = {0x123456, 77};
        h.crossword.cell(29, 0) = QStringLiteral("Z");
        h.crossword.down[29] = QStringLiteral("letzte");
        h.crossword.KGBeschreibungTitelCol = 0xABCDEF;
        h.BilderPasswort = QStringLiteral("Passwort ä");
        h.logo.picture = testPicture(9, 9, true);
        h.logo.size = 0.35;
        h.logo.footer = QStringLiteral("Schule am Park");
        h.Zielpunktgroesse = 70;
        ObjDataTyp q;
        q.Typ = 21;
        q.Untertyp = 1;
        q.AntwortAnz = 2;
        q.Bild = testPicture(6, 6);
        q.BildAntw[0] = testPicture(2, 2, true);
        q.BildAntw[1] = testPicture(3, 2);
        q.MCInfoLinkData = {9, 8, 7, 6, 5, 4};
        q.Cap = QStringLiteral("Frage?\r\n\"a\", b\r\n c");
        doc.objects = {q, label(QStringLiteral("x"), 0)};

        const Document back = readFromBytes(writeToBytes(doc));
        const HeaderDataTyp& b = back.header;
        EXPECT_EQ(b.titel, h.titel);
        EXPECT_EQ(b.RandErw, h.RandErw);
        EXPECT_EQ(b.EinrueckRand, h.EinrueckRand);
        EXPECT_EQ(b.BilderPasswort, h.BilderPasswort);
        EXPECT_EQ(b.logo.picture, h.logo.picture);
        EXPECT_EQ(b.logo.size, 0.35);
        EXPECT_EQ(b.logo.footer, h.logo.footer);
        EXPECT_EQ(b.Zielpunktgroesse, 70);
        if (dokTyp != 6) {
            const lueckentabellearrtyp& cell = b.LueckenTabelle[1][2];
            EXPECT_EQ(cell.Text, QStringLiteral("Zelle"));
            EXPECT_EQ(cell.Bild, h.LueckenTabelle[1][2].Bild);
            EXPECT_EQ(cell.BildLink, QStringLiteral("link.png"));
            EXPECT_EQ(cell.BildLinkInUebung, 1);
        }
        if (dokTyp == 4) {
            EXPECT_EQ(b.LueckentabelleSpaltenHtgd[1], (ColumnBackground{0x123456, 77}));
        }
        if (dokTyp == 6) {
            EXPECT_EQ(b.crossword.cell(29, 0), QStringLiteral("Z"));
            EXPECT_EQ(b.crossword.down[29], QStringLiteral("letzte"));
            EXPECT_EQ(b.crossword.KGBeschreibungTitelCol, 0xABCDEFu);
        }
        ASSERT_EQ(back.objects.size(), 2u);
        const ObjDataTyp& o = back.objects[0];
        EXPECT_EQ(o.Cap, q.Cap);
        EXPECT_EQ(o.BildAntw[0], q.BildAntw[0]);
        EXPECT_EQ(o.BildAntw[1], q.BildAntw[1]);
        EXPECT_EQ(o.MCInfoLinkData, q.MCInfoLinkData);
        EXPECT_EQ(back.basePicture, doc.basePicture);
    }
}

TEST(DocumentWriter, KeepsTheStoredPasswordBytes) {
    const QByteArray stored = scramblePassword(QByteArray("P\xE4ss"));
    DocBuilder b;
    b.passwordStored = stored;
    Document doc = readFromBytes(b.build());
    EXPECT_EQ(doc.header.BilderPasswort, QStringLiteral("Päss"));
    EXPECT_TRUE(writeToBytes(doc).contains(stored));
    EXPECT_FALSE(writeToBytes(doc).contains("P\xE4ss"));
}

TEST(DocumentWriter, OrdersByZIndexWithTiesInListOrder) {
    Document doc = documentWithBase();
    doc.objects = {label(QStringLiteral("c"), 2), label(QStringLiteral("a1"), 0),
                   label(QStringLiteral("b"), 1), label(QStringLiteral("a2"), 0),
                   label(QStringLiteral("z"), -4)};
    doc.zMin = 0; // an object below the recorded range is still written
    doc.zMax = 2;
    const Document back = readFromBytes(writeToBytes(doc));
    QStringList caps;
    for (const ObjDataTyp& o : back.objects)
        caps << o.Cap;
    EXPECT_EQ(caps, (QStringList{QStringLiteral("z"), QStringLiteral("a1"), QStringLiteral("a2"),
                                 QStringLiteral("b"), QStringLiteral("c")}));

    // Without ZIndex in the file every object has 0 and the file order survives rewriting.
    DocBuilder old;
    old.removeKey(QStringLiteral("OB-ZIndex"));
    for (const char* cap : {"3", "1", "2"}) {
        TestObject o;
        o.capStored = cap;
        o.ZIndex = 99; // not written without the key
        old.objects.push_back(o);
    }
    Document fromOld = readFromBytes(old.build());
    const Document again = readFromBytes(writeToBytes(fromOld));
    ASSERT_EQ(again.objects.size(), 3u);
    EXPECT_EQ(again.objects[0].Cap, QStringLiteral("3"));
    EXPECT_EQ(again.objects[2].Cap, QStringLiteral("2"));
    EXPECT_EQ(again.objects[2].ZIndex, 0);
}

TEST(DocumentWriter, LeavesOutGeneratedObjectsAndLowersPictureTypes) {
    Document doc = documentWithBase();
    for (Typ typ : {Typ::ClozeGap, Typ::MCQuestionText, Typ::MCQuestionPicture, Typ::MCAnswerBox,
                    Typ::MCAnswerText, Typ::MCOkButton, Typ::MCAnswerPicture, Typ::TablePicture,
                    Typ::TableQueryPicture, Typ::TableQueryText})
        doc.addGeneratedObject(typ, 1, QStringLiteral("gen"), 1, 0.5, 0.5, 0, 0);
    for (int typ : {6, 7, 21, 8, 90, 60}) {
        ObjDataTyp o;
        o.Typ = typ;
        o.Cap = QString::number(typ);
        doc.objects.push_back(o);
    }
    const Document back = readFromBytes(writeToBytes(doc));
    std::vector<int> types;
    for (const ObjDataTyp& o : back.objects)
        types.push_back(o.Typ);
    EXPECT_EQ(types, (std::vector<int>{0, 1, 20, 8, 90, 60}));
    EXPECT_EQ(back.objects[3].Bild.size(), QSize(100, 100)); // the placeholder
    EXPECT_EQ(back.objects[3].Bild, emptyPicture());
    // The document in memory is lowered the same way.
    EXPECT_EQ(doc.objects[10].Typ, 0);
    EXPECT_EQ(doc.objects[12].Typ, 20);
}

TEST(DocumentWriterFile, WritesThroughATemporaryFile) {
    QTemporaryDir dir;
    Document doc = documentWithBase();
    doc.header.titel = QStringLiteral("Neu");
    doc.modified = true;
    const QString path = dir.filePath(QStringLiteral("neu.qvl"));
    IoResult r = writeDocumentFile(doc, path, false);
    ASSERT_TRUE(r.ok);
    EXPECT_TRUE(doc.file.isEmpty()); // a copy: the document path stays
    EXPECT_TRUE(doc.modified);
    r = writeDocumentFile(doc, path, true);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(doc.file, path);
    EXPECT_FALSE(doc.modified);

    const QString bad = dir.filePath(QStringLiteral("fehlt/neu.qvl"));
    r = writeDocumentFile(doc, bad, true);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(
        r.messages,
        QStringList{
            QStringLiteral("Die Datei \"%1\" kann nicht geschrieben werden. Mögliche Ursachen:\r\n"
                           "- Ungültiger Ordner oder Dateiname\r\n"
                           "- Fehlende Schreibzugriffsberechtigung im Netzwerk")
                .arg(bad)});
    EXPECT_EQ(doc.file, path);
}
