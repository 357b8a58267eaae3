#include "seitenzeichnungen.h"
#include "viewcomposer.h"
#include "viewtestsupport.h"
#include "zeichenwerkzeuge.h"

#include <gtest/gtest.h>

using namespace quorvel;
using namespace quorvel::test;

TEST(SeitenZeichnungen, DrawingsMoveWithThePageAndErasedSpotsStayErased)
{
    Document d = leeresDokument(400, 300);
    ViewComposer composer(d);
    composer.zustand().zoomStufe = 4; // the page is twice the view: the section can move
    composer.setAnsichtsBereich({400, 300});
    composer.neuAufbauen();
    ZeichenWerkzeuge werkzeuge(composer);
    werkzeuge.zustand().farbIndex = 26;
    werkzeuge.zustand().dickeIndex = 2;
    werkzeuge.stiftStrich({100, 100}, {200, 100});
    werkzeuge.radieren({150, 100}); // a gap in the middle

    SeitenZeichnungen zeichnungen;
    const QRect vorher = composer.ausschnittPixel();
    zeichnungen.uebernehmen(composer.ansicht(), composer.sichtbarerAusschnitt(), vorher,
                            composer.seite().size());
    composer.verschiebeAusschnitt(-0.05, 0.0);
    const QRect nachher = composer.ausschnittPixel();
    const QPoint versatz = vorher.topLeft() - nachher.topLeft();
    ASSERT_NE(versatz, QPoint(0, 0));
    EXPECT_NE(qGray(composer.ansicht().pixel(QPoint(110, 100) + versatz)), 0)
        << "moving alone loses the drawing";

    zeichnungen.zeigen(composer.ansichtZumZeichnen(), nachher);
    EXPECT_EQ(composer.ansicht().pixel(QPoint(110, 100) + versatz) & 0xFFFFFF, 0u);
    EXPECT_EQ(composer.ansicht().pixel(QPoint(190, 100) + versatz) & 0xFFFFFF, 0u);
    EXPECT_EQ(composer.ansicht().pixel(QPoint(150, 100) + versatz) & 0xFFFFFF, 0xFFFFFFu)
        << "the erased gap moves along as a gap";

    zeichnungen.leeren();
    EXPECT_TRUE(zeichnungen.leer());
}
