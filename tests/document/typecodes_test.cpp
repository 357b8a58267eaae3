// SPDX-License-Identifier: GPL-3.0-or-later
#include "docbuilder.h"
#include "documentbytes.h"
#include "documentio.h"
#include "testlayouts.h"
#include "typecodes.h"

#include <QBuffer>
#include <climits>
#include <gtest/gtest.h>
#include <set>

using namespace quorvel;

namespace {

Document documentWithBase() {
    Document doc;
    doc.basePicture = testPicture(8, 6);
    return doc;
}

// One object of `typ` with everything its file record can carry.
ObjDataTyp fullObject(Typ typ) {
    ObjDataTyp o;
    o.Typ = codeOf(typ);
    o.Cap = QStringLiteral("Typ %1").arg(codeOf(typ));
    if (carriesPicture(typ))
        o.Bild = testPicture(3 + codeOf(typ) % 5, 4);
    if (isQuestion(typ)) {
        o.Untertyp = 1;
        o.AntwortAnz = 2;
        o.BildAntw[0] = testPicture(5, 5);
        o.BildAntw[1] = testPicture(6, 5);
        o.MCInfoLinkData = {1, 2, 3, 4, 5, 6};
    }
    return o;
}

} // namespace

TEST(TypTable, EveryRowHasItsOwnCodeAndUnknownCodesHaveNoProperties) {
    std::set<int> codes;
    for (const TypProperties& row : kTypTable) {
        EXPECT_TRUE(codes.insert(codeOf(row.typ)).second) << "twice: " << codeOf(row.typ);
        EXPECT_TRUE(isKnown(row.typ));
        EXPECT_EQ(typProperties(row.typ).flags, row.flags) << codeOf(row.typ);
    }
    // The loop above only reads the table back through its own index: a row
    // left out or a code mistyped would pass it. The codes the enum names:
    const std::set<int> named = {0,  1,  2,  3,  4,  5,  6,  7,  8,  10, 11, 12, 13, 14,
                                 15, 16, 17, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29, 31,
                                 32, 33, 34, 40, 41, 42, 43, 50, 51, 52, 53, 60, 90};
    EXPECT_EQ(codes, named) << "every named type has exactly one row";
    for (int code : {-1, 9, 18, 30, 44, 61, 89, 91, 1000, INT_MIN, INT_MAX}) {
        const Typ unknown{code};
        EXPECT_FALSE(isKnown(unknown)) << code;
        const TypProperties p = typProperties(unknown);
        EXPECT_EQ(p.flags, 0u) << code;
        EXPECT_EQ(p.opens, OpenKind::None) << code;
        EXPECT_EQ(p.number, NumberStyle::None) << code;
        EXPECT_EQ(p.withoutPicture, unknown) << code;
        EXPECT_TRUE(isWritten(unknown)) << "a file's unknown object is kept: " << code;
    }
}

// Rules that tie the columns together: a row that breaks one draws, numbers
// or stores its objects inconsistently.
TEST(TypTable, ColumnsAgreeWithEachOther) {
    for (const TypProperties& row : kTypTable) {
        const Typ t = row.typ;
        SCOPED_TRACE(codeOf(t));
        if (isQueryField(t)) {
            EXPECT_TRUE(isHittable(t)) << "a query field is uncovered by a click";
            EXPECT_FALSE(isFixedObject(t)) << "a fixed object is never drawn covered";
            EXPECT_TRUE(isCoverableInFirstPass(t) || isDrawnOnTop(t))
                << "a covered field must be drawn as cover somewhere";
        }
        if (isCoverableInFirstPass(t) || isDrawnOnTop(t)) {
            EXPECT_TRUE(isQueryField(t)) << "only query fields are drawn as covers";
        }
        if (numberStyle(t) != NumberStyle::None) {
            EXPECT_TRUE(isQueryField(t)) << "numbers stand on query fields only";
        }
        if (numberStyle(t) == NumberStyle::Position) {
            EXPECT_TRUE(isNumberCandidate(t));
        }
        if (opensAs(t) != OpenKind::None) {
            EXPECT_TRUE(isHittable(t)) << "what opens on a click must be found by one";
        }
        if (isPoint(t)) {
            EXPECT_TRUE(isHittable(t));
            EXPECT_NE(opensAs(t), OpenKind::None);
            EXPECT_NE(row.pointTitle, nullptr) << "a point of an old file needs its title";
            EXPECT_NE(row.pointColour, 0u);
        } else {
            EXPECT_EQ(row.pointTitle, nullptr);
        }
        if (isNavigationButton(t)) {
            EXPECT_TRUE(isButton(t));
            EXPECT_TRUE(isHittable(t));
        }
        if (isQuestionBound(t) || isActiveOnly(t)) {
            EXPECT_TRUE(isHittable(t));
        }
        if (carriesPicture(t) || isQuestion(t)) {
            EXPECT_TRUE(isWritten(t)) << "its file record is never made otherwise";
        }
        if (isPagePicture(t)) {
            EXPECT_TRUE(carriesPicture(t));
        }
        const Typ lowered = withoutPicture(t);
        if (lowered != t) {
            EXPECT_TRUE(carriesPicture(t));
            EXPECT_TRUE(isKnown(lowered));
            EXPECT_FALSE(carriesPicture(lowered)) << "the text counterpart has no picture";
            EXPECT_TRUE(isWritten(lowered));
            EXPECT_EQ(isQueryField(lowered), isQueryField(t)) << "lowering keeps a query a query";
            EXPECT_EQ(isQuestion(lowered), isQuestion(t));
        }
    }
}

TEST(DokTypTable, RowsAreConsistent) {
    std::set<int> codes;
    for (const DokTypProperties& row : kDokTypTable) {
        SCOPED_TRACE(codeOf(row.dokTyp));
        EXPECT_TRUE(codes.insert(codeOf(row.dokTyp)).second);
        EXPECT_FALSE(typeName(row.dokTyp, 0).isEmpty()) << "every type has a display name";
        if (row.numberedOnly) {
            EXPECT_TRUE(isQueryField(*row.numberedOnly)) << "what is numbered is asked";
            EXPECT_TRUE(isHittable(*row.numberedOnly));
        }
        if (row.pictureCellKinds != 0 || row.columnBackgrounds) {
            EXPECT_NE(row.gapTable, GapTableUse::None) << "cells need a stored table";
        }
    }
    const DokTyp unknown{42};
    EXPECT_FALSE(isKnown(unknown));
    EXPECT_FALSE(hasGapTable(unknown, codeOf(DocumentSubtype::Table)));
    EXPECT_FALSE(cellCarriesPicture(unknown, 2));
    EXPECT_TRUE(isNumberedIn(unknown, Typ::QueryLabel));
    EXPECT_FALSE(cellCarriesPicture(DokTyp::Cloze, -1));
    EXPECT_FALSE(cellCarriesPicture(DokTyp::Cloze, 99));
}

// The stored numbers of the card and numbering codes, as files hold them, and
// what the program makes of numbers no enumerator names.
TEST(StoredCodes, ObjectAndHeaderCodesReadAsTheirEnums) {
    const struct {
        int code;
        CardSide side;
    } sides[] = {{0, CardSide::Automatic},    {1, CardSide::Right},   {2, CardSide::Top},
                 {3, CardSide::Left},         {4, CardSide::Bottom},  {5, CardSide::Centred},
                 {-1, CardSide::Centred},     {6, CardSide::Centred}, {INT_MIN, CardSide::Centred},
                 {INT_MAX, CardSide::Centred}};
    for (const auto& c : sides) {
        ObjDataTyp o;
        o.KAusr = c.code;
        o.KAusrAkt = c.code;
        EXPECT_EQ(cardSideOf(o), c.side) << c.code;
        EXPECT_EQ(givenCardSideOf(o), c.side) << c.code;
    }
    const struct {
        int code;
        TextAlignment alignment;
    } alignments[] = {{0, TextAlignment::Left},  {1, TextAlignment::Centred},
                      {2, TextAlignment::Right}, {-1, TextAlignment::Left},
                      {3, TextAlignment::Left},  {INT_MAX, TextAlignment::Left}};
    for (const auto& c : alignments) {
        ObjDataTyp o;
        o.TAusr = c.code;
        EXPECT_EQ(textAlignmentOf(o), c.alignment) << c.code;
    }
    const struct {
        int code;
        NumberingStyle style;
        NumberingOrder order;
    } numbering[] = {{0, NumberingStyle::Digits, NumberingOrder::TopToBottom},
                     {1, NumberingStyle::Letters, NumberingOrder::Alphabetical},
                     {2, NumberingStyle::Digits, NumberingOrder::TopToBottom},
                     {-1, NumberingStyle::Digits, NumberingOrder::TopToBottom}};
    for (const auto& c : numbering) {
        HeaderDataTyp h;
        h.NumArt = c.code;
        h.GeordnetArt = c.code;
        EXPECT_EQ(numberingStyleOf(h), c.style) << c.code;
        EXPECT_EQ(numberingOrderOf(h), c.order) << c.code;
    }
}

TEST(StoredCodes, CellKindsAndSubtypesReadAsTheirEnums) {
    const struct {
        int code;
        CardCellKind kind;
        bool picture, query;
    } cardCells[] = {{0, CardCellKind::Text, false, false},
                     {1, CardCellKind::QueryText, false, true},
                     {2, CardCellKind::Picture, true, false},
                     {3, CardCellKind::QueryPicture, true, true},
                     // the layouts place unknown kinds as the nearest one
                     {-7, CardCellKind::Text, false, false},
                     {4, CardCellKind::QueryPicture, true, true},
                     {INT_MAX, CardCellKind::QueryPicture, true, true}};
    for (const auto& c : cardCells) {
        lueckentabellearrtyp cell;
        cell.Art = c.code;
        EXPECT_EQ(cardCellKindOf(cell), c.kind) << c.code;
        EXPECT_EQ(isPicture(cardCellKindOf(cell)), c.picture) << c.code;
        EXPECT_EQ(isQuery(cardCellKindOf(cell)), c.query) << c.code;
    }
    const struct {
        int code;
        bool text, queryText, picture;
    } clozeCells[] = {{0, true, false, false},  {1, false, false, true}, {2, false, false, true},
                      {3, false, false, true},  {4, false, true, false}, {5, false, false, false},
                      {-1, false, false, false}};
    for (const auto& c : clozeCells) {
        lueckentabellearrtyp cell;
        cell.Art = c.code;
        const ClozeCellKind kind = clozeCellKindOf(cell);
        EXPECT_EQ(kind == ClozeCellKind::Text, c.text) << c.code;
        EXPECT_EQ(kind == ClozeCellKind::QueryText, c.queryText) << c.code;
        EXPECT_EQ(isPicture(kind), c.picture) << c.code;
    }
    EXPECT_EQ(clozeCellKindOf(lueckentabellearrtyp{}), ClozeCellKind::Text);

    const struct {
        int code;
        bool table, distractors, named;
    } subtypes[] = {{0, false, false, true},  {1, true, false, true}, {2, false, false, true},
                    {3, false, true, true},   {4, false, true, true}, {5, false, false, false},
                    {-1, false, false, false}};
    for (const auto& c : subtypes) {
        HeaderDataTyp h;
        h.DokTyp = 1;
        h.DokUnterTyp = c.code;
        EXPECT_EQ(documentSubtypeOf(h) == DocumentSubtype::Table, c.table) << c.code;
        EXPECT_EQ(hasGapTable(DokTyp::Cloze, c.code), c.table) << c.code;
        EXPECT_EQ(hasDistractors(documentSubtypeOf(h)), c.distractors) << c.code;
        EXPECT_EQ(!typeName(dokTypOf(h), c.code).isEmpty(), c.named) << c.code;
    }
    EXPECT_EQ(documentSubtypeOf(HeaderDataTyp{}), DocumentSubtype::Cloze);
}

// The writer stores every type but the generated ones, and the reader takes
// back what it stored: a column that reader and writer read differently
// (a picture, answer pictures) puts the rest of the stream out of step.
TEST(TypTable, WriterRoundTripKeepsExactlyTheWrittenTypes) {
    Document doc = documentWithBase();
    std::vector<int> expected;
    for (const TypProperties& row : kTypTable) {
        doc.objects.push_back(fullObject(row.typ));
        if (isWritten(row.typ))
            expected.push_back(codeOf(row.typ));
    }
    doc.objects.push_back(fullObject(Typ{9})); // unknown to us, kept as it came
    expected.push_back(9);

    const Document back = readFromBytes(writeToBytes(doc));
    std::vector<int> types;
    for (const ObjDataTyp& o : back.objects)
        types.push_back(o.Typ);
    EXPECT_EQ(types, expected);
    for (const ObjDataTyp& o : back.objects) {
        SCOPED_TRACE(o.Typ);
        const ObjDataTyp written = fullObject(typOf(o));
        EXPECT_EQ(o.Cap, written.Cap);
        EXPECT_EQ(o.Bild.size(), written.Bild.size());
        if (isQuestion(typOf(o))) {
            EXPECT_EQ(o.BildAntw[1].size(), QSize(6, 5));
            EXPECT_EQ(o.MCInfoLinkData, written.MCInfoLinkData);
        }
    }
    EXPECT_EQ(back.basePicture.size(), QSize(8, 6)) << "the stream stayed in step to its end";
}

TEST(TypTable, PictureTypesWithoutPictureAreWrittenAsTheirCounterpart) {
    Document doc = documentWithBase();
    for (const TypProperties& row : kTypTable) {
        if (!carriesPicture(row.typ))
            continue;
        ObjDataTyp o = fullObject(row.typ);
        o.Bild = QImage();
        doc.objects.push_back(o);
    }
    const Document back = readFromBytes(writeToBytes(doc));
    ASSERT_EQ(back.objects.size(), doc.objects.size());
    for (size_t i = 0; i < back.objects.size(); ++i) {
        const ObjDataTyp& o = back.objects[i];
        EXPECT_EQ(o.Typ, doc.objects[i].Typ) << "the document in memory is changed alike";
        if (carriesPicture(typOf(o))) {
            EXPECT_EQ(o.Bild, emptyPicture()) << o.Typ;
        } else
            EXPECT_TRUE(o.Bild.isNull()) << o.Typ;
    }
}

// Every document type's blocks are written and read alike: the gap table with
// its picture cells, the column backgrounds and the crossword.
TEST(DokTypTable, WriterRoundTripOfEveryDocumentType) {
    struct Case {
        DokTyp dokTyp;
        int subtype;
    };
    std::vector<Case> cases;
    for (const DokTypProperties& row : kDokTypTable) {
        cases.push_back({row.dokTyp, 0});
        if (row.gapTable == GapTableUse::TableSubtype)
            cases.push_back({row.dokTyp, codeOf(DocumentSubtype::Table)});
    }
    cases.push_back({DokTyp{42}, 0});

    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(codeOf(c.dokTyp)) + "/" + std::to_string(c.subtype));
        Document doc = documentWithBase();
        HeaderDataTyp& h = doc.header;
        h.DokTyp = codeOf(c.dokTyp);
        h.DokUnterTyp = c.subtype;
        h.LueckenTabelleZeilen = 1;
        h.LueckenTabelleSpalten = 5;
        for (int art = 0; art < 5; ++art) {
            lueckentabellearrtyp& cell = h.LueckenTabelle[0][art];
            cell.Text = QStringLiteral("Zelle %1").arg(art);
            cell.Art = art;
            cell.Bild = testPicture(2 + art, 2);
        }
        h.LueckentabelleSpaltenHtgd[1] = {0x123456, 70};
        h.crossword.cell(2, 3) = QStringLiteral("Q");
        h.crossword.KGBeschreibungTitelCol = 0x4321;
        doc.objects.push_back(fullObject(Typ::QueryLabel));

        const Document back = readFromBytes(writeToBytes(doc));
        const HeaderDataTyp& b = back.header;
        EXPECT_EQ(b.DokTyp, h.DokTyp);
        ASSERT_EQ(back.objects.size(), 1u) << "the stream stayed in step";
        EXPECT_EQ(back.basePicture.size(), QSize(8, 6));

        const bool table = hasGapTable(c.dokTyp, c.subtype);
        EXPECT_EQ(b.LueckenTabelleSpalten, table ? 5 : 2);
        for (int art = 0; art < 5; ++art) {
            const lueckentabellearrtyp& cell = b.LueckenTabelle[0][art];
            EXPECT_EQ(cell.Text, table ? h.LueckenTabelle[0][art].Text : QString()) << art;
            const bool picture = table && cellCarriesPicture(c.dokTyp, art);
            EXPECT_EQ(cell.Bild.size(), picture ? QSize(2 + art, 2) : QSize(0, 0)) << art;
        }
        const bool backgrounds = storesColumnBackgrounds(c.dokTyp);
        EXPECT_EQ(b.LueckentabelleSpaltenHtgd[1] == h.LueckentabelleSpaltenHtgd[1], backgrounds);
        const bool crossword = storesCrossword(c.dokTyp);
        EXPECT_EQ(b.crossword.cell(2, 3), crossword ? QStringLiteral("Q") : QString());
        EXPECT_EQ(b.crossword.KGBeschreibungTitelCol == 0x4321u, crossword);
    }
}

// Files made by an independent writer: every known type (and an unknown one)
// is read with exactly the fields its record carries, so the object after it
// and the base picture still read.
TEST(TypTable, ReaderTakesEveryTypeAsFilesStoreIt) {
    std::vector<int> codes;
    for (const TypProperties& row : kTypTable)
        codes.push_back(codeOf(row.typ));
    codes.push_back(9);
    for (int code : codes) {
        SCOPED_TRACE(code);
        DocBuilder file;
        file.basePicture = testPicture(8, 6);
        TestObject stored;
        stored.Typ = code;
        stored.Bild = testPicture(3, 4);
        stored.Untertyp = 1;
        stored.AntwortAnz = 2;
        stored.BildAntw = {testPicture(5, 5), testPicture(6, 5)};
        TestObject after;
        after.capStored = "danach";
        file.objects = {stored, after};

        QBuffer buffer;
        buffer.setData(file.build());
        buffer.open(QIODevice::ReadOnly);
        Document doc;
        const IoResult r = readDocumentStream(buffer, doc, ReadOptions{noLayouts()});
        ASSERT_TRUE(r.ok) << r.detail.toStdString();
        ASSERT_EQ(doc.objects.size(), 2u);
        EXPECT_EQ(doc.objects[0].Typ, code);
        const Typ typ{code};
        EXPECT_EQ(doc.objects[0].Bild.size(), carriesPicture(typ) ? QSize(3, 4) : QSize(0, 0));
        EXPECT_EQ(doc.objects[0].BildAntw[1].size(), isQuestion(typ) ? QSize(6, 5) : QSize(0, 0));
        EXPECT_EQ(doc.objects[1].Cap, QStringLiteral("danach"));
        EXPECT_EQ(doc.basePicture.size(), QSize(8, 6));
        EXPECT_TRUE(buffer.atEnd()) << "every byte of the file was read";
    }
}

TEST(DokTypTable, ReaderTakesEveryDocumentTypeAsFilesStoreIt) {
    for (const DokTypProperties& row : kDokTypTable) {
        for (int subtype : {0, codeOf(DocumentSubtype::Table)}) {
            SCOPED_TRACE(std::to_string(codeOf(row.dokTyp)) + "/" + std::to_string(subtype));
            DocBuilder file;
            file.basePicture = testPicture(8, 6);
            file.DokTyp = codeOf(row.dokTyp);
            file.DokUnterTyp = subtype;
            file.rows = 1;
            file.columns = 4;
            for (int art = 0; art < 4; ++art)
                file.cells.emplace_back(QStringLiteral("Zelle %1").arg(art), art,
                                        testPicture(2 + art, 2));
            file.spaltenHtgd = {{0x111111, 10}, {0x222222, 20}, {0x333333, 30}, {0x444444, 40}};
            file.grid[5] = QStringLiteral("K");
            file.objects.resize(1);

            QBuffer buffer;
            buffer.setData(file.build());
            buffer.open(QIODevice::ReadOnly);
            Document doc;
            const IoResult r = readDocumentStream(buffer, doc, ReadOptions{noLayouts()});
            ASSERT_TRUE(r.ok) << r.detail.toStdString();
            EXPECT_EQ(doc.objects.size(), 1u);
            EXPECT_EQ(doc.basePicture.size(), QSize(8, 6));
            EXPECT_TRUE(buffer.atEnd());
            const HeaderDataTyp& h = doc.header;
            const bool table = hasGapTable(row.dokTyp, subtype);
            for (int art = 0; art < 4; ++art) {
                const bool picture = table && cellCarriesPicture(row.dokTyp, art);
                EXPECT_EQ(h.LueckenTabelle[0][art].Bild.size(),
                          picture ? QSize(2 + art, 2) : QSize(0, 0))
                    << art;
            }
            EXPECT_EQ(h.LueckentabelleSpaltenHtgd[3].colour == 0x444444u,
                      storesColumnBackgrounds(row.dokTyp));
            EXPECT_EQ(h.crossword.grid[5] == QStringLiteral("K"), storesCrossword(row.dokTyp));
        }
    }
}
