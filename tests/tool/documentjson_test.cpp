// SPDX-License-Identifier: GPL-3.0-or-later
#include "documentio.h"
#include "documentjson.h"
#include "jsonreader.h"
#include "layoutset.h"
#include "picturefile.h"
#include "picturejson.h"
#include "pngcodec.h"
#include "toolcommands.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace quorvel;

namespace {

// Every pixel differs and alpha varies, so a lost alpha channel, swapped
// colour channels or a flipped picture all show.
QImage patternPicture(int width, int height, int seed) {
    QImage image(width, height, QImage::Format_ARGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            image.setPixel(x, y,
                           qRgba((x * 7 + seed) & 255, (y * 13 + seed * 3) & 255,
                                 (x + y + seed) & 255, 255 - (x * y + seed) % 200));
        }
    }
    return image;
}

std::string text(const QJsonValue& value) {
    return QJsonDocument(QJsonArray{value}).toJson(QJsonDocument::Compact).toStdString();
}

QJsonObject parse(const char* json) {
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(QByteArray(json), &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
    return document.object();
}

// The JSON without the picture file paths, which differ between dumps.
QJsonValue withoutFiles(const QJsonValue& value) {
    if (value.isObject()) {
        QJsonObject object = value.toObject();
        object.remove(QStringLiteral("file"));
        for (auto it = object.begin(); it != object.end(); ++it)
            it.value() = withoutFiles(it.value());
        return object;
    }
    if (value.isArray()) {
        QJsonArray array = value.toArray();
        for (qsizetype i = 0; i < array.size(); ++i)
            array[i] = withoutFiles(array[i]);
        return array;
    }
    return value;
}

class DocumentJsonTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        writePng(QStringLiteral("alpha.png"), patternPicture(12, 9, 1));
        writePng(QStringLiteral("basis.png"), patternPicture(40, 30, 2));
        for (int k = 0; k < 3; ++k)
            writePng(QStringLiteral("antw%1.png").arg(k), patternPicture(5 + k, 4, 10 + k));
        // BMP has no alpha: the cell picture checks that build reads other formats.
        ASSERT_TRUE(savePictureFile(patternPicture(8, 6, 3), path(QStringLiteral("zelle.bmp"))));
    }

    QString path(const QString& name) const { return dir.filePath(name); }

    void writePng(const QString& name, const QImage& picture) {
        QFile file(path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_TRUE(encodePng(picture, file));
    }

    // build: JSON -> document -> file; dump: file -> document -> JSON, with the
    // pictures written into their own folder.
    QJsonObject buildAndDump(const QJsonObject& input, const QString& name) {
        Document document;
        document.reset();
        QString error;
        EXPECT_TRUE(documentFromJson(input, dir.path(), document, &error)) << error.toStdString();
        const QString file = path(name + QStringLiteral(".qvl"));
        const IoResult written = writeDocumentFile(document, file, true);
        EXPECT_TRUE(written.ok) << written.messages.join(u'\n').toStdString();

        Document back;
        const LayoutSet layouts = buildLayoutSet();
        const IoResult read = readDocumentFile(back, file, ReadOptions{layouts});
        EXPECT_TRUE(read.ok) << read.messages.join(u'\n').toStdString()
                             << read.detail.toStdString();
        QJsonObject output;
        EXPECT_TRUE(documentToJson(back, {back.magic, path(name + QStringLiteral("-bilder"))},
                                   output, &error))
            << error.toStdString();
        return output;
    }

    // Every key of `expected` is in `actual` with the same value; an array may
    // be a prefix of the dumped one. A picture given by "file" must have been
    // dumped to a file with the same pixels.
    void expectContained(const QJsonValue& expected, const QJsonValue& actual,
                         const QString& where) {
        const std::string at = where.toStdString();
        if (expected.isObject()) {
            ASSERT_TRUE(actual.isObject()) << at << ": " << text(actual);
            const QJsonObject e = expected.toObject();
            const QJsonObject a = actual.toObject();
            for (auto it = e.begin(); it != e.end(); ++it) {
                const QString key = it.key();
                ASSERT_TRUE(a.contains(key)) << at << '.' << key.toStdString() << " missing";
                if (key == QLatin1StringView("file"))
                    expectSamePixels(it.value().toString(), a.value(key).toString(), where);
                else
                    expectContained(it.value(), a.value(key), where + u'.' + key);
            }
        } else if (expected.isArray()) {
            ASSERT_TRUE(actual.isArray()) << at << ": " << text(actual);
            const QJsonArray e = expected.toArray();
            const QJsonArray a = actual.toArray();
            ASSERT_LE(e.size(), a.size()) << at;
            for (qsizetype i = 0; i < e.size(); ++i)
                expectContained(e[i], a[i], where + QStringLiteral("[%1]").arg(i));
        } else {
            EXPECT_TRUE(expected == actual)
                << at << ": " << text(expected) << " became " << text(actual);
        }
    }

    void expectSamePixels(const QString& source, const QString& dumped, const QString& where) {
        QImage want, got;
        EXPECT_TRUE(loadPictureFile(QDir(dir.path()).filePath(source), want));
        EXPECT_TRUE(loadPictureFile(dumped, got));
        ASSERT_FALSE(want.isNull()) << source.toStdString();
        ASSERT_FALSE(got.isNull()) << dumped.toStdString();
        EXPECT_TRUE(want.convertToFormat(QImage::Format_ARGB32) ==
                    got.convertToFormat(QImage::Format_ARGB32))
            << where.toStdString() << ": pixels of " << source.toStdString() << " changed";
    }

    QTemporaryDir dir;
};

struct RoundTripCase {
    const char* name;
    const char* json;
};

// One small document per kind of content. Cells and column backgrounds are
// given only where the file stores them.
const RoundTripCase kRoundTripCases[] = {
    {"kopf", R"({
        "format": "QVL-2.21",
        "header": {
            "vers": "2.5", "titel": "Größen & Maße – „Übung“", "autor": "Jörg Weiß",
            "bemerkung": "Erste Zeile\r\nZweite Zeile\r\n", "lueckentext": "Der *Hund* bellt.",
            "fragentext": "Wie heißt das?\r\nAntwort", "AnzFrageNummern": 3, "DokTyp": 2,
            "DokUnterTyp": 0, "RandErw": [0.1, 0.05, 0.2, 0.0],
            "EinrueckRand": [0.11, 0.12, 0.13, 0.14], "NumArt": 1, "GeordnetArt": 1,
            "HtgdCol": 2147483653, "BasisbildDeck": 80, "MinLuecke": 4,
            "BilderPasswort": "geheim€", "Schriftart": "DejaVu Sans",
            "Arbeitsblatt": "Einstellungen", "ABAufgabe": "Aufgabe: Ordne zu!", "TextCol": 255,
            "FragBtnHtgdCol": 65280, "FragBtnTextCol": 0, "LueckentextCol": 16711935,
            "Zielpunktgroesse": 70
        },
        "basisbild": {"file": "basis.png", "width": 40, "height": 30}
    })"},
    {"lueckentabelle", R"({
        "header": {
            "DokTyp": 4, "LueckenTabelleZeilen": 2, "LueckenTabelleSpalten": 3,
            "LueckenTabelleLinie": 1, "LueckenTabelleLinieCol": 8421504,
            "LueckenTabelle": [
                [{"Text": "Obst", "Art": 0, "Bild": null},
                 {"Text": "Apfel", "Art": 2, "Bild": {"file": "zelle.bmp"}, "BildKenn": "apfel",
                  "BildLink": "apfel.html", "Fsize": 25, "BildkarteAnpassen": 1,
                  "BildLinkInUebung": 1},
                 {"Text": "Birne, reif", "Art": 1}],
                [{"Text": "Gemüse"},
                 {"Text": "moehremoehremoehremo (Zufallskennung für Bild\u0029", "Art": 3, "Bild": {"file": "alpha.png"}, "Fsize": 18},
                 {"Text": ""}]
            ],
            "LueckentabelleSpaltenHtgd": [[255, 40], [65280, 60], [16711680, 100]]
        }
    })"},
    {"kreuzwort", R"({
        "header": {"DokTyp": 6},
        "crossword": {
            "grid": [[], ["K", "A"], ["", "", "", "", "", "Ä"]],
            "across": ["Frucht mit Kern", "Baum"], "down": ["", "Stadt an der Spree"],
            "KGFeldHtgdCol": 1, "KGFeldRandCol": 2, "KGWortAnkerCol": 3, "KGFeldschriftCol": 4,
            "KGBeschreibungCol": 5, "KGBeschreibungTitelCol": 6
        }
    })"},
    {"logo", R"({
        "logo": {"picture": {"file": "alpha.png"}, "size": 0.35, "alignment": 1,
                 "footer": "Schule am Überweg – Klasse 5b", "footerAlignment": 2}
    })"},
    {"objekte", R"({
        "objects": [
            {"Typ": 0, "Sx": 0.25, "Sy": 0.5, "Kx": 0.3, "Ky": 0.55,
             "Cap": "Erste Zeile\r\nzweite, mit \"Zitat\" und  Leerzeichen", "KAusr": 1,
             "TAusr": 2, "Ebene": 1, "Sline": 1, "Fsize": -2, "KAusrAkt": 1, "FrageNummer": 4,
             "Stil": 5, "Farbe": 255, "LinieFarbe": 65280, "LinieDicke": 3, "Untertyp": 0,
             "AntwortAnz": 0, "ZIndex": 0, "HFarbe": 4294967295, "HDeck": 60, "PktCap": "",
             "PktCap2": "", "BildKenn": "", "BildDeck": 90, "BildkarteAnpassen": 1,
             "PunktInUebung": 1, "Bild": null, "BildAntw": [],
             "MCInfoLinkData": [16777215, 16777215, 16604928, 3093924, 100, 100]},
            {"Typ": 6, "Sx": 0.6, "Sy": 0.4, "Kx": 0.7, "Ky": 0.45, "Cap": "Fuchs",
             "Bild": {"file": "alpha.png", "width": 12, "height": 9}, "BildKenn": "tier",
             "BildDeck": 70, "Fsize": 4, "ZIndex": 1},
            {"Typ": 21, "Untertyp": 1, "AntwortAnz": 3, "FrageNummer": 2, "Cap": "Welches Tier?",
             "Bild": {"file": "basis.png"},
             "BildAntw": [{"file": "antw0.png"}, {"file": "antw1.png"}, {"file": "antw2.png"}],
             "MCInfoLinkData": [1, 2, 3, 4, 50, 60], "ZIndex": 2},
            {"Typ": 2, "Sx": 0.1, "Sy": 0.9, "Kx": 0.1, "Ky": 0.9,
             "Cap": "Info mit [b]Markup[/b]\r\nund Umlauten: äöüß", "PktCap": "Hinweis",
             "PktCap2": "zweite Zeile", "BildKenn": "passwort", "PunktInUebung": 1, "HDeck": 80,
             "ZIndex": 2},
            {"Typ": 4, "Cap": "https://example.org/a,b", "PktCap": "Web", "ZIndex": 3}
        ]
    })"},
};

TEST_F(DocumentJsonTest, BuildThenDumpReproducesEachKindOfContent) {
    for (const RoundTripCase& c : kRoundTripCases) {
        SCOPED_TRACE(c.name);
        const QString name = QLatin1StringView(c.name);
        const QJsonObject input = parse(c.json);
        const QJsonObject dumped = buildAndDump(input, name);
        expectContained(input, dumped, name);
        EXPECT_EQ(dumped.value(QStringLiteral("format")).toString(), QStringLiteral("QVL-2.21"));

        // A dump is itself a complete build input and reproduces itself.
        const QJsonObject again = buildAndDump(dumped, name + QStringLiteral("-2"));
        EXPECT_TRUE(withoutFiles(dumped) == withoutFiles(again))
            << text(withoutFiles(dumped)) << "\nbecame\n"
            << text(withoutFiles(again));
    }
}

TEST_F(DocumentJsonTest, DumpHoldsOnlyTheUsedCellsAndAnswerPictures) {
    const QJsonObject dumped = buildAndDump(parse(kRoundTripCases[1].json), QStringLiteral("t"));
    const QJsonArray rows =
        dumped[QStringLiteral("header")][QStringLiteral("LueckenTabelle")].toArray();
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(rows[0].toArray().size(), 3);
    EXPECT_EQ(rows[1].toArray().size(), 3);
    EXPECT_EQ(dumped[QStringLiteral("header")][QStringLiteral("LueckentabelleSpaltenHtgd")]
                  .toArray()
                  .size(),
              12);

    const QJsonObject objects = buildAndDump(parse(kRoundTripCases[4].json), QStringLiteral("o"));
    const QJsonArray list = objects[QStringLiteral("objects")].toArray();
    ASSERT_EQ(list.size(), 5);
    EXPECT_EQ(list[2][QStringLiteral("BildAntw")].toArray().size(), 3);
    EXPECT_TRUE(QFile::exists(path(QStringLiteral("o-bilder/obj2-antw2.png"))));
    EXPECT_TRUE(QFile::exists(path(QStringLiteral("t-bilder/cell-r1-c1.png"))));
}

TEST_F(DocumentJsonTest, CrosswordGridIsIndexedXThenY) {
    Document document;
    document.reset();
    ASSERT_TRUE(documentFromJson(parse(kRoundTripCases[2].json), dir.path(), document));
    EXPECT_EQ(document.header.crossword.grid[30 * 2 + 5], QStringLiteral("Ä"));
    EXPECT_EQ(document.header.crossword.grid[30 * 1 + 0], QStringLiteral("K"));
    EXPECT_EQ(document.header.crossword.down[1], QStringLiteral("Stadt an der Spree"));

    document.header.crossword.cell(7, 3) = QStringLiteral("Q");
    QJsonObject json;
    ASSERT_TRUE(documentToJson(document, {}, json));
    const QJsonArray grid = json[QStringLiteral("crossword")][QStringLiteral("grid")].toArray();
    ASSERT_EQ(grid.size(), 30);
    EXPECT_EQ(grid[7].toArray().size(), 30);
    EXPECT_EQ(grid[7][3].toString(), QStringLiteral("Q"));
    EXPECT_EQ(grid[3][7].toString(), QString());
}

TEST_F(DocumentJsonTest, MissingKeysTakeTheNewDocumentValues) {
    Document document;
    document.reset();
    QString error;
    ASSERT_TRUE(documentFromJson(
        parse(
            R"({"header": {"DokTyp": 2}, "objects": [{"Typ": 0}, {"Typ": 2}, {"Typ": 4}, {"Typ": 5}]})"),
        dir.path(), document, &error))
        << error.toStdString();

    const HeaderDataTyp fresh;
    EXPECT_EQ(document.header.vers, fresh.vers);
    EXPECT_EQ(document.header.ABAufgabe, fresh.ABAufgabe);
    EXPECT_EQ(document.header.LueckenTabelleZeilen, 5);
    EXPECT_EQ(document.header.MinLuecke, 3);
    EXPECT_TRUE(document.header.EinrueckRand == defaultEinrueckRand(DokTyp::SingleQuestions));
    ASSERT_EQ(document.basePicture.size(), QSize(870, 600));
    EXPECT_EQ(document.basePicture.pixel(435, 300), qRgb(255, 255, 255));

    ASSERT_EQ(document.objects.size(), 4u);
    const ObjDataTyp& label = document.objects[0];
    EXPECT_EQ(label.FrageNummer, -1);
    EXPECT_EQ(label.LinieDicke, 1);
    EXPECT_EQ(label.HFarbe, 0xFFFFFFu);
    EXPECT_EQ(label.HDeck, 0);
    EXPECT_EQ(label.BildDeck, 100);
    EXPECT_EQ(label.PktCap, QString());
    EXPECT_TRUE(label.MCInfoLinkData == kMCInfoLinkDefaults);

    struct Point {
        size_t index;
        const char* title;
        ColourValue background;
    };
    for (const Point& p :
         {Point{1, "Info", 0xFD5F00}, Point{2, "Link", 0x2F35A4}, Point{3, "Dok.", 0x4A9829}}) {
        const ObjDataTyp& point = document.objects[p.index];
        SCOPED_TRACE(point.Typ);
        EXPECT_EQ(point.PktCap, QLatin1StringView(p.title));
        EXPECT_EQ(point.Farbe, 0xFFFFFFu);
        EXPECT_EQ(point.HFarbe, p.background);
        EXPECT_EQ(point.HDeck, 100);
    }
}

TEST_F(DocumentJsonTest, EmptyJsonWritesANewDocument) {
    Document fresh;
    fresh.reset();
    fresh.basePicture = QImage(870, 600, QImage::Format_ARGB32);
    fresh.basePicture.fill(Qt::white);
    QJsonObject expected;
    ASSERT_TRUE(documentToJson(fresh, {QStringLiteral("QVL-2.21"), {}}, expected));

    const QJsonObject dumped = buildAndDump(QJsonObject(), QStringLiteral("leer"));
    EXPECT_TRUE(withoutFiles(dumped) == expected) << text(withoutFiles(dumped)) << "\nexpected\n"
                                                  << text(expected);
    // Without a pictures folder a picture is its size only; no picture is null.
    EXPECT_TRUE(expected[QStringLiteral("basisbild")] ==
                QJsonObject({{QStringLiteral("width"), 870}, {QStringLiteral("height"), 600}}));
    EXPECT_TRUE(expected[QStringLiteral("logo")][QStringLiteral("picture")].isNull());
}

TEST_F(DocumentJsonTest, BasePictureGivenBySizeOnlyIsAWhitePageOfThatSize) {
    Document document;
    document.reset();
    ASSERT_TRUE(documentFromJson(parse(R"({"basisbild": {"width": 300, "height": 200}})"),
                                 dir.path(), document));
    ASSERT_EQ(document.basePicture.size(), QSize(300, 200));
    EXPECT_EQ(document.basePicture.pixel(299, 199), qRgb(255, 255, 255));
}

TEST_F(DocumentJsonTest, GeneratedTypesAreNotWritten) {
    // Labels "a" to "c" out of ZIndex order, with every generated type among them.
    QJsonArray objects{QJsonObject{{QStringLiteral("Typ"), 1},
                                   {QStringLiteral("Cap"), QStringLiteral("b")},
                                   {QStringLiteral("ZIndex"), 2}}};
    for (int typ : {3, 22, 23, 24, 25, 26, 27, 31, 32, 34}) {
        objects.append(QJsonObject{{QStringLiteral("Typ"), typ},
                                   {QStringLiteral("Cap"), QStringLiteral("generiert %1").arg(typ)},
                                   {QStringLiteral("ZIndex"), 1}});
    }
    objects.append(QJsonObject{{QStringLiteral("Typ"), 0},
                               {QStringLiteral("Cap"), QStringLiteral("a")},
                               {QStringLiteral("ZIndex"), -1}});
    objects.append(QJsonObject{{QStringLiteral("Typ"), 0},
                               {QStringLiteral("Cap"), QStringLiteral("c")},
                               {QStringLiteral("ZIndex"), 2}});

    const QJsonObject input{{QStringLiteral("objects"), objects}};
    Document document;
    document.reset();
    ASSERT_TRUE(documentFromJson(input, dir.path(), document));
    EXPECT_EQ(document.objects.size(), 13u); // generated ones are kept in memory
    EXPECT_EQ(document.zMin, -1);
    EXPECT_EQ(document.zMax, 2);

    const QJsonObject dumped = buildAndDump(input, QStringLiteral("gen"));
    QStringList captions;
    for (const QJsonValue& object : dumped[QStringLiteral("objects")].toArray())
        captions.append(object[QStringLiteral("Cap")].toString());
    EXPECT_EQ(captions,
              QStringList({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")}));
}

TEST_F(DocumentJsonTest, BadJsonIsRefusedNamingTheKey) {
    struct BadCase {
        const char* json;
        const char* error;
    };
    const BadCase cases[] = {
        {R"({"Header": {}})", "Header: unknown key"},
        {R"({"header": {"Titel": "x"}})", "header.Titel: unknown key"},
        {R"({"header": []})", "header: expected an object"},
        {R"({"header": {"titel": 5}})", "header.titel: expected a string"},
        {R"({"header": {"DokTyp": 1.5}})", "header.DokTyp: expected a 32-bit integer"},
        {R"({"header": {"DokTyp": 3000000000}})", "header.DokTyp: expected a 32-bit integer"},
        {R"({"header": {"HtgdCol": -1}})", "header.HtgdCol: expected a colour"},
        {R"({"header": {"LueckenTabelleZeilen": 17}})",
         "header.LueckenTabelleZeilen: 17 is outside"},
        {R"({"header": {"LueckenTabelleSpalten": -1}})",
         "header.LueckenTabelleSpalten: -1 is outside"},
        {R"({"header": {"RandErw": [0, 0, 0]}})", "header.RandErw: expected 4 entries"},
        {R"({"header": {"LueckenTabelle": [[{"Txt": ""}]]}})",
         "header.LueckenTabelle[0][0].Txt: unknown key"},
        {R"({"header": {"LueckentabelleSpaltenHtgd": [[1, 2, 3]]}})",
         "header.LueckentabelleSpaltenHtgd[0]: expected 2 entries"},
        {R"({"crossword": {"grid": [[1]]}})", "crossword.grid[0][0]: expected a string"},
        {R"({"logo": {"size": "gross"}})", "logo.size: expected a number"},
        {R"({"objects": {}})", "objects: expected an array"},
        {R"({"objects": [{"Cap": ["a"]}]})", "objects[0].Cap: expected a string"},
        {R"({"objects": [{}, {"AntwortAnz": 13}]})", "objects[1].AntwortAnz: 13 is outside"},
        {R"({"objects": [{"MCInfoLinkData": [1, 2, 3]}]})",
         "objects[0].MCInfoLinkData: expected 6 entries"},
        {R"({"objects": [{"BildAntw": [null, null, null, null, null, null, null, null, null, null, null, null, null]}]})",
         "objects[0].BildAntw: at most 12 entries"},
        {R"({"objects": [{"Typ": 6, "Bild": {"file": "fehlt.png"}}]})", "objects[0].Bild.file: "},
        {R"({"objects": [{"Typ": 6, "Bild": {"file": ""}}]})",
         "objects[0].Bild.file: empty file name"},
        {R"({"objects": [{"Typ": 6, "Bild": "alpha.png"}]})",
         "objects[0].Bild: expected an object"},
        {R"({"basisbild": {"width": 10}})", "basisbild: \"width\" and \"height\" go together"},
        {R"({"basisbild": {"width": 0, "height": 10}})", "basisbild: picture size 0 x 10"},
        {R"({"basisbild": {"file": "alpha.png", "width": 1, "height": 1}})",
         "basisbild: declared 1 x 1"},
        {R"({"basisbild": {"file": "alpha.png", "breite": 12}})", "basisbild.breite: unknown key"},
        {R"({"format": 2.21})", "format: expected a string"},
    };
    for (const BadCase& c : cases) {
        SCOPED_TRACE(c.json);
        Document document;
        document.reset();
        QString error;
        EXPECT_FALSE(documentFromJson(parse(c.json), dir.path(), document, &error));
        EXPECT_TRUE(error.startsWith(QString::fromUtf8(c.error))) << error.toStdString();
    }
}

TEST_F(DocumentJsonTest, UnreadableJsonFilesAreReportedWithTheirPlace) {
    QFile syntax(path(QStringLiteral("kaputt.json")));
    ASSERT_TRUE(syntax.open(QIODevice::WriteOnly));
    syntax.write("{\n  \"header\": {\n    \"titel\": \"x\",\n  }\n}\n");
    syntax.close();
    QFile array(path(QStringLiteral("liste.json")));
    ASSERT_TRUE(array.open(QIODevice::WriteOnly));
    array.write("[1, 2]");
    array.close();

    QJsonObject json;
    QString error;
    EXPECT_FALSE(readJsonFile(syntax.fileName(), json, &error));
    EXPECT_TRUE(error.startsWith(syntax.fileName() + QStringLiteral(":4:"))) << error.toStdString();
    EXPECT_TRUE(error.contains(QStringLiteral("invalid JSON"))) << error.toStdString();
    EXPECT_FALSE(readJsonFile(array.fileName(), json, &error));
    EXPECT_TRUE(error.contains(QStringLiteral("must be an object"))) << error.toStdString();
    EXPECT_FALSE(readJsonFile(path(QStringLiteral("fehlt.json")), json, &error));
    EXPECT_TRUE(error.contains(QStringLiteral("cannot open"))) << error.toStdString();
}

} // namespace

// The pictures one JSON document names share the budget of a document's
// decoded pictures: a file named again is not decoded again but counts
// again, and past the budget the build is refused with the reader's message.
TEST_F(DocumentJsonTest, PicturesShareTheDocumentBudget) {
    const qint64 one = patternPicture(40, 30, 2).sizeInBytes(); // basis.png
    PictureFiles files(dir.path(), 3 * one);
    const QString name = QStringLiteral("basis.png");
    EXPECT_EQ(files.load(name, QStringLiteral("a")).size(), QSize(40, 30));
    ASSERT_TRUE(QFile::remove(path(name))); // the second use needs no file
    EXPECT_EQ(files.load(path(name), QStringLiteral("b")).size(), QSize(40, 30));
    EXPECT_EQ(files.load(name, QStringLiteral("c")).size(), QSize(40, 30));
    try {
        files.load(name, QStringLiteral("objects[3].Bild.file"));
        ADD_FAILURE() << "a fourth picture passes the budget";
    } catch (const JsonMappingError& error) {
        EXPECT_EQ(error.message, QStringLiteral("objects[3].Bild.file: ") + msgPicturesTooLarge());
    }
    // Past the budget nothing more is decoded, even a small picture.
    try {
        files.load(QStringLiteral("alpha.png"), QStringLiteral("d"));
        ADD_FAILURE() << "a picture past the budget";
    } catch (const JsonMappingError& error) {
        EXPECT_TRUE(error.message.endsWith(msgPicturesTooLarge()));
    }
}
