// SPDX-License-Identifier: GPL-3.0-or-later
#include "document.h"
#include "testlayouts.h"

#include <gtest/gtest.h>

using namespace quorvel;

TEST(Document, ResetFreesObjectsAndRestoresNewDocumentValues) {
    Document doc;
    doc.file = QStringLiteral("/tmp/alt.qvl");
    doc.header.titel = QStringLiteral("Alt");
    doc.header.DokTyp = 4;
    doc.header.Schriftart = QStringLiteral("Times New Roman");
    doc.header.LueckenTabelle[3][4].Text = QStringLiteral("x");
    doc.header.LueckenTabelle[3][4].Bild = QImage(4, 4, QImage::Format_ARGB32);
    doc.header.crossword.cell(2, 3) = QStringLiteral("A");
    doc.header.logo.picture = QImage(4, 4, QImage::Format_ARGB32);
    doc.zMin = -3;
    doc.zMax = 7;
    doc.modified = true;
    ObjDataTyp o;
    o.Bild = QImage(8, 8, QImage::Format_ARGB32);
    doc.objects.push_back(o);

    doc.reset({0, 4, 3});
    doc.clearObjects();

    EXPECT_TRUE(doc.objects.empty());
    EXPECT_EQ(doc.previousFile, QStringLiteral("/tmp/alt.qvl"));
    EXPECT_TRUE(doc.file.isEmpty());
    EXPECT_TRUE(doc.header.titel.isEmpty());
    EXPECT_EQ(doc.header.DokTyp, 0);
    EXPECT_EQ(doc.header.Schriftart, QStringLiteral("Times New Roman")); // the font in effect stays
    EXPECT_TRUE(doc.header.LueckenTabelle[3][4].Text.isEmpty());
    EXPECT_TRUE(doc.header.LueckenTabelle[3][4].Bild.isNull());
    EXPECT_TRUE(doc.header.crossword.cell(2, 3).isEmpty());
    EXPECT_TRUE(doc.header.logo.picture.isNull());
    EXPECT_EQ(doc.zMin, 0);
    EXPECT_EQ(doc.zMax, 0);
    EXPECT_FALSE(doc.modified);
    EXPECT_EQ(doc.geometry.ratioArt, 0);
    EXPECT_EQ(doc.geometry.ratioBreite, 4);
    EXPECT_EQ(doc.geometry.ratioHoehe, 3);
    EXPECT_EQ(doc.geometry.pictureSize, 100);
    // Column 7 of the cluster backgrounds takes colour 7 mod 5 = 2.
    EXPECT_EQ(doc.header.LueckentabelleSpaltenHtgd[7].colour, 0xFFC080u);
    EXPECT_EQ(doc.header.LueckentabelleSpaltenHtgd[7].opacity, 50);
    EXPECT_EQ(doc.header.crossword.KGBeschreibungTitelCol, 0xC0u);
}

TEST(Document, EmptyStateBetweenDocumentsKeepsThePreviousPath) {
    // Close (reset to the empty state), then a failed read (reset again):
    // the document shown before is still the previous one.
    Document doc;
    doc.file = QStringLiteral("/tmp/a.qvl");
    doc.reset({});
    doc.reset({});
    EXPECT_EQ(doc.previousFile, QStringLiteral("/tmp/a.qvl"));
    doc.file = QStringLiteral("/tmp/b.qvl");
    doc.reset({});
    EXPECT_EQ(doc.previousFile, QStringLiteral("/tmp/b.qvl"));
}

TEST(Document, DefaultIndentFollowsDocumentType) {
    EXPECT_EQ(defaultEinrueckRand(DokTyp::SingleQuestions), (PageRect{0.1, 0.165, 0.05, 0.195}));
    EXPECT_EQ(defaultEinrueckRand(DokTyp::CrossMatching), (PageRect{0.035, 0.03, 0.035, 0.03}));
    EXPECT_EQ(defaultEinrueckRand(DokTyp::PictureLabelling), PageRect{});
    EXPECT_EQ(defaultEinrueckRand(DokTyp{42}), PageRect{});
}

TEST(Document, GeneratedObjectsAndDeletion) {
    Document doc;
    doc.header.TextCol = 0x123456;
    const int info =
        doc.addGeneratedObject(Typ::InfoPoint, 2, QStringLiteral("Info"), -1, 0.5, 0.25, 1, 3);
    const int gap =
        doc.addGeneratedObject(Typ::ClozeGap, 1, QStringLiteral("Lücke"), 4, 0.1, 0.2, 5, 0);
    ASSERT_EQ(info, 0);
    ASSERT_EQ(gap, 1);
    const ObjDataTyp& p = doc.objects[info];
    EXPECT_EQ(p.HDeck, 100);
    EXPECT_EQ(p.Sx, 0.5);
    EXPECT_EQ(p.Sy, 0.25);
    EXPECT_EQ(p.Fsize, 3);
    EXPECT_EQ(p.Farbe, 0x123456u);
    EXPECT_TRUE(p.Aktiv);
    EXPECT_EQ(p.RelativePointX, -1.0);
    const ObjDataTyp& g = doc.objects[gap];
    EXPECT_EQ(g.HDeck, 0);
    EXPECT_EQ(g.AbfrageStatus, AbfrageStatus::Covered);
    EXPECT_EQ(g.KAusr, 5);
    EXPECT_EQ(g.BildDeck, 100);
    EXPECT_EQ(g.FrageNummer, 4);

    doc.deleteObject(-1);
    doc.deleteObject(2);
    EXPECT_EQ(doc.objects.size(), 2u);
    doc.deleteObject(0);
    ASSERT_EQ(doc.objects.size(), 1u);
    EXPECT_EQ(doc.objects[0].Typ, 3);
}

TEST(Document, TypeNames) {
    EXPECT_EQ(typeName(DokTyp::PictureLabelling, 0),
              QStringLiteral("Freie Text-Bild-/Bild-Text-Zuordnung"));
    EXPECT_EQ(typeName(DokTyp::Cloze, 4), QStringLiteral("C-Test mit Falschwörtern"));
    EXPECT_EQ(typeName(DokTyp::CrossMatching, 0), QStringLiteral("Über-Kreuz-Zuordnung"));
    EXPECT_EQ(typeName(DokTyp::Cloze, 9), QString());
    EXPECT_EQ(typeName(DokTyp{7}, 0), QString());
}

TEST(PageGeometry, DerivedAfterReading) {
    const PageGeometry g = pageGeometryFor(QSize(400, 300), {0.1, 0.0, 0.3, 0.0});
    EXPECT_EQ(g.ratioArt, 1);
    EXPECT_EQ(g.ratioBreite, 560);
    EXPECT_EQ(g.ratioHoehe, 300);
    EXPECT_EQ(g.horizPosition, 25);
    EXPECT_EQ(g.verticalPosition, 50);
    EXPECT_EQ(g.marginShare, 0);   // the page height equals the picture height
    EXPECT_EQ(g.pictureSize, 100); // max(300/300, 400/560)

    // A picture without margin; and hostile margins that would make the ratio vanish.
    const PageGeometry plain = pageGeometryFor(QSize(870, 600), {});
    EXPECT_EQ(plain.ratioBreite, 870);
    EXPECT_EQ(plain.marginShare, 0);
    const PageGeometry bad = pageGeometryFor(QSize(10, 10), {-2.0, 0, 0, 0});
    EXPECT_GT(bad.ratioBreite, 0);
}

TEST(PageGeometry, AppliedToSquarePicture) {
    Document doc;
    doc.basePicture = QImage(400, 400, QImage::Format_ARGB32);
    doc.geometry = PageGeometry{1, 10, 7, 0, 100, 50, 50};
    doc.applyPageGeometry(false, noLayouts());
    EXPECT_DOUBLE_EQ(doc.header.RandErw.left, 0.21375);
    EXPECT_DOUBLE_EQ(doc.header.RandErw.right, 0.21375);
    EXPECT_DOUBLE_EQ(doc.header.RandErw.top, 0.0);
    EXPECT_DOUBLE_EQ(doc.header.RandErw.bottom, 0.0);
    EXPECT_TRUE(doc.modified);

    // Round trip: the geometry derived from that margin gives it back.
    const PageGeometry derived = pageGeometryFor(QSize(400, 400), doc.header.RandErw);
    EXPECT_EQ(derived.ratioBreite, 571);
    EXPECT_EQ(derived.horizPosition, 50);
}

TEST(PageGeometry, KeepsPageObjectsOnTheBasePicture) {
    Document doc;
    doc.basePicture = QImage(400, 300, QImage::Format_ARGB32);
    doc.header.RandErw = {0.1, 0.0, 0.3, 0.0};
    ObjDataTyp label;
    label.Typ = 0;
    // x = 0.3 of the old page lies on the picture at (0.3 * 1.4 - 0.1) = 0.32 of its width.
    label.Sx = label.Kx = 0.3;
    label.Sy = label.Ky = 0.5;
    ObjDataTyp gap = label;
    gap.Typ = 3; // generated objects are laid out again, not moved
    doc.objects = {label, gap};
    doc.geometry = PageGeometry{0, 1, 1, 0, 100, 50, 50}; // no margin at all
    doc.applyPageGeometry(true, noLayouts());
    EXPECT_EQ(doc.header.RandErw, PageRect{});
    EXPECT_NEAR(doc.objects[0].Sx, 0.32, 1e-12);
    EXPECT_NEAR(doc.objects[0].Kx, 0.32, 1e-12);
    EXPECT_NEAR(doc.objects[0].Sy, 0.5, 1e-12);
    EXPECT_DOUBLE_EQ(doc.objects[1].Sx, 0.3);
}
