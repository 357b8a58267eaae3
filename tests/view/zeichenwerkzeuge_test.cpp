#include "viewcomposer.h"
#include "viewtestsupport.h"
#include "zeicheneinstellungen.h"
#include "zeichenwerkzeuge.h"

#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace quorvel;
using namespace quorvel::test;

namespace {

// A composed view of a plain page in one colour, 400 x 300 pixels.
class Zeichenflaeche : public ::testing::Test {
protected:
    void SetUp() override
    {
        dokument = leeresDokument(400, 300, QColor(200, 100, 50));
        composer = std::make_unique<ViewComposer>(dokument);
        composer->setAnsichtsBereich({400, 300});
        composer->neuAufbauen();
        werkzeuge = std::make_unique<ZeichenWerkzeuge>(*composer);
    }
    QRgb pixel(int x, int y) const { return composer->ansicht().pixel(x, y) & 0xFFFFFF; }

    Document dokument;
    std::unique_ptr<ViewComposer> composer;
    std::unique_ptr<ZeichenWerkzeuge> werkzeuge;
};

} // namespace

TEST_F(Zeichenflaeche, PenDrawsItsWidthWithARoundStartAndReportsTheTouchedRectangle)
{
    werkzeuge->zustand().farbIndex = 26; // black
    for (int dicke = 1; dicke <= 4; ++dicke) {
        werkzeuge->zustand().dickeIndex = dicke;
        const int y = 40 + 60 * (dicke - 1);
        const QRect r = werkzeuge->stiftStrich({100, y}, {300, y});
        const QRect tinteRect = tinte(composer->ansicht(), QRect(0, y - 30, 400, 60), 60);
        EXPECT_NEAR(tinteRect.height(), strichBreite(dicke), 1) << dicke;
        EXPECT_TRUE(r.contains(tinteRect)) << "the repaint covers all ink";
        EXPECT_LT(r.width(), 250) << "only the stroke's surroundings are touched";
    }
    EXPECT_EQ(strichBreite(0), 3);
    EXPECT_EQ(strichBreite(9), 21);
}

TEST_F(Zeichenflaeche, MarkerCombinesWithThePictureByAnd)
{
    const QRgb vorher = pixel(200, 150); // 200, 100, 50
    werkzeuge->markerStrich({150, 150}, {250, 150}, true);
    EXPECT_EQ(pixel(200, 150), qRgb(200, 100, 0) & 0xFFFFFF) << "yellow keeps red and green";
    EXPECT_EQ(pixel(200, 150 + 20), vorher) << "25 pixels wide, not more";
    werkzeuge->markerStrich({150, 150}, {250, 150}, false);
    EXPECT_EQ(pixel(200, 150), qRgb(0, 100, 0) & 0xFFFFFF) << "green then keeps only green";
}

TEST_F(Zeichenflaeche, EraserRestoresThePageInItsSquare)
{
    const QRgb seite = pixel(200, 150);
    werkzeuge->zustand().farbIndex = 26;
    werkzeuge->zustand().dickeIndex = 4;
    werkzeuge->stiftStrich({50, 150}, {350, 150});
    ASSERT_NE(pixel(200, 150), seite);

    werkzeuge->zustand().dickeIndex = 1; // a 32-pixel square
    const QRect r = werkzeuge->radieren({200, 150});
    EXPECT_EQ(r, QRect(184, 134, 32, 32));
    EXPECT_EQ(pixel(200, 150), seite);
    EXPECT_EQ(pixel(184, 150), seite);
    EXPECT_NE(pixel(182, 150), seite) << "outside the square the drawing stays";
}

TEST_F(Zeichenflaeche, TransparentColoursBlendOpaqueColoursCover)
{
    werkzeuge->zustand().farbIndex = 24; // opaque blue
    werkzeuge->form(werkzeug::RechteckGefuellt, {20, 20}, {80, 80});
    EXPECT_EQ(pixel(50, 50), qRgb(0, 0, 255) & 0xFFFFFF);

    werkzeuge->zustand().farbIndex = 14; // blue, transparent
    const QRect r = werkzeuge->form(werkzeug::RechteckGefuellt, {200, 100}, {260, 160});
    const QColor gemischt = QColor::fromRgb(pixel(230, 130));
    EXPECT_GT(gemischt.blue(), 50);
    EXPECT_GT(gemischt.red(), 50) << "the page shines through";
    EXPECT_TRUE(r.contains(QRect(185, 85, 90, 90))) << "blended over the box enlarged by 15";
    EXPECT_EQ(composer->zeichenUeberlagerung().pixel(230, 130), 0u) << "the overlay is cleared";
}

TEST_F(Zeichenflaeche, OneTransparentStrokeKeepsOneShadeWhereItsSegmentsOverlap)
{
    werkzeuge->zustand().farbIndex = 12;
    werkzeuge->zustand().dickeIndex = 4;
    werkzeuge->merkeZustand();
    werkzeuge->stiftStrich({100, 150}, {150, 150});
    werkzeuge->stiftStrich({150, 150}, {200, 150}); // its round start overlaps the first
    EXPECT_EQ(pixel(150, 150), pixel(120, 150));
    EXPECT_EQ(pixel(180, 150), pixel(120, 150));
    EXPECT_NE(pixel(120, 150), qRgb(200, 100, 50) & 0xFFFFFF);

    werkzeuge->merkeZustand(); // a second stroke over the first deepens the colour
    werkzeuge->stiftStrich({120, 140}, {120, 160});
    EXPECT_NE(pixel(120, 150), pixel(180, 150));
}

TEST_F(Zeichenflaeche, ShapePreviewInvertsAndLeavesNoTrace)
{
    const QImage vorher = composer->ansicht().copy();
    werkzeuge->vorschau(werkzeug::Rechteck, {50, 50}, {150, 120});
    EXPECT_EQ(pixel(50, 80), ~qRgb(200, 100, 50) & 0xFFFFFF) << "the outline is inverted";
    EXPECT_EQ(pixel(100, 80), qRgb(200, 100, 50) & 0xFFFFFF) << "only the outline";
    werkzeuge->vorschau(werkzeug::Rechteck, {50, 50}, {100, 90});
    werkzeuge->vorschauEntfernen();
    EXPECT_EQ(composer->ansicht(), vorher);
}

TEST_F(Zeichenflaeche, EveryShapeLeavesInkInsideItsRectangle)
{
    werkzeuge->zustand().farbIndex = 26;
    for (int w = werkzeug::Linie; w <= werkzeug::DreieckGefuellt; ++w) {
        composer->neuAufbauen();
        const QRect r = werkzeuge->form(w, {100, 80}, {250, 200});
        const QRect tinteRect = tinte(composer->ansicht(), composer->ansicht().rect(), 60);
        ASSERT_FALSE(tinteRect.isEmpty()) << w;
        EXPECT_TRUE(r.contains(tinteRect)) << w;
    }
    composer->neuAufbauen();
    werkzeuge->form(werkzeug::DreieckGefuellt, {100, 80}, {250, 200});
    EXPECT_EQ(pixel(175, 190), 0u) << "filled at the base";
    EXPECT_NE(pixel(110, 90), 0u) << "apex at the top middle, corner empty";
}

TEST_F(Zeichenflaeche, StampsAndCrossDrawVisibleGlyphs)
{
    werkzeuge->zustand().farbIndex = 26;
    for (int nummer = 1; nummer <= kStempelAnzahl; ++nummer) {
        composer->neuAufbauen();
        werkzeuge->zustand().stempel = nummer;
        const QRect r = werkzeuge->stempeln({200, 150});
        const QRect tinteRect = tinte(composer->ansicht(), composer->ansicht().rect(), 60);
        ASSERT_FALSE(tinteRect.isEmpty()) << "stamp " << nummer;
        EXPECT_TRUE(r.contains(tinteRect)) << nummer;
    }
    composer->neuAufbauen();
    const QRect r = werkzeuge->kreuz({200, 150});
    EXPECT_TRUE(hatFarbe(composer->ansicht(), r, QColor(220, 0, 0)));
}

TEST_F(Zeichenflaeche, UndoRestoresThePictureBeforeTheLastActionOnlyOnce)
{
    werkzeuge->zustand().farbIndex = 26;
    werkzeuge->merkeZustand();
    werkzeuge->stiftStrich({10, 10}, {100, 10});
    const QImage nachErstem = composer->ansicht().copy();
    werkzeuge->merkeZustand();
    werkzeuge->stiftStrich({10, 100}, {100, 100});
    ASSERT_NE(composer->ansicht(), nachErstem);

    EXPECT_TRUE(werkzeuge->kannRueckgaengig());
    EXPECT_FALSE(werkzeuge->rueckgaengig().isEmpty());
    EXPECT_EQ(composer->ansicht(), nachErstem);
    EXPECT_FALSE(werkzeuge->kannRueckgaengig());
    EXPECT_TRUE(werkzeuge->rueckgaengig().isEmpty());
    EXPECT_EQ(composer->ansicht(), nachErstem) << "a second undo changes nothing";
}

TEST_F(Zeichenflaeche, RemovingAllDrawingsShowsThePageAgain)
{
    const QImage seite = composer->ansicht().copy();
    werkzeuge->zustand().farbIndex = 11;
    werkzeuge->stiftStrich({10, 10}, {300, 200});
    werkzeuge->markerStrich({10, 200}, {300, 10}, false);
    werkzeuge->alleEntfernen();
    EXPECT_EQ(composer->ansicht(), seite);
}

TEST(Zeicheneinstellungen, ColoursToolsAndSymbolMapping)
{
    EXPECT_EQ(zeichenFarbe(28), QColor(255, 128, 0));
    EXPECT_EQ(zeichenFarbe(13), QColor(0, 255, 0));
    EXPECT_TRUE(istTransparenteFarbe(11));
    EXPECT_FALSE(istTransparenteFarbe(21));
    EXPECT_EQ(farbHinweis(13), QStringLiteral("grün - transparent"));
    EXPECT_EQ(werkzeugFuerStift(1), werkzeug::Stift);
    EXPECT_EQ(werkzeugFuerStift(2), werkzeug::Linie);
    EXPECT_EQ(werkzeugFuerStift(10), werkzeug::DreieckGefuellt);

    const StempelListe s = standardStempel();
    EXPECT_EQ(stempelGlyphe(s[0]).text, QStringLiteral("\u2713"));
    EXPECT_EQ(stempelGlyphe(s[1]).text, QStringLiteral("\u2717"));
    EXPECT_EQ(stempelGlyphe(s[2]).text, QStringLiteral("\u2605"));
    EXPECT_EQ(stempelGlyphe(s[3]).text, QStringLiteral("\u263A"));
    EXPECT_EQ(stempelGlyphe(s[5]).text, QStringLiteral("\u2639"));
    EXPECT_EQ(stempelGlyphe(s[6]).text, QStringLiteral("+"));
    EXPECT_EQ(stempelGlyphe(s[6]).font, QStringLiteral("Arial"));
}

TEST(Zeicheneinstellungen, StampsRoundTripThroughTheSettings)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QSettings settings(dir.filePath(QStringLiteral("s.ini")), QSettings::IniFormat);
    EXPECT_EQ(stempelLaden(settings), standardStempel()) << "empty settings give the defaults";

    StempelListe s = standardStempel();
    s[0] = Stempel{QStringLiteral("DejaVu Serif"), 0xE4};
    s[9] = Stempel{QStringLiteral("Wingdings"), 0x4B};
    stempelSpeichern(settings, s);
    EXPECT_EQ(settings.value(QStringLiteral("Symbolstempel-Zeichen")).toString().size(), 10);
    EXPECT_EQ(settings.value(QStringLiteral("Symbolstempel-Fontname1")).toString(),
              QStringLiteral("DejaVu Serif"));
    EXPECT_EQ(stempelLaden(settings), s);

    settings.setValue(QStringLiteral("Symbolstempel-Zeichen"), QStringLiteral("\u2713x"));
    const StempelListe kaputt = stempelLaden(settings);
    EXPECT_EQ(kaputt[0].zeichen, 0xFC) << "an out-of-range character keeps the default";
    EXPECT_EQ(kaputt[1].zeichen, int('x'));
    EXPECT_EQ(kaputt[2].zeichen, 0xAB) << "a short string leaves the rest at the defaults";
}
