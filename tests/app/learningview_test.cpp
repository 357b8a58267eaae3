#include "shellfixture.h"

#include "documentcontroller.h"
#include "infobox.h"
#include "learningviewcontroller.h"
#include "learningviewwidget.h"
#include "mainmenu.h"
#include "viewtestsupport.h"
#include "toolbar.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QToolButton>

using namespace quorvel;
using namespace quorvel::test;
using namespace Qt::Literals::StringLiterals;

namespace {

// A shown main window with a document whose objects the test places.
class LearningViewTest : public ShellFixture {
protected:
    void SetUp() override
    {
        ShellFixture::SetUp();
        MainWindow& w = start();
        w.resize(1000, 760);
        w.show();
        ASSERT_TRUE(w.documents().readAsCurrent(writeDocument(u"seite.qvl"_s, u"Seite"_s)));
        controller = w.findChild<LearningViewController*>();
        ASSERT_NE(controller, nullptr);
    }

    ObjDataTyp& neu(int typ, double x, double y, const QString& cap)
    {
        ObjDataTyp o = test::objekt(typ, x, y, cap);
        o.HFarbe = 0xFFFFFF;
        o.HDeck = 100;
        o.AbfrageStatus = -1;
        window->context().document.objects.push_back(o);
        return window->context().document.objects.back();
    }
    void aufbauen() { window->documents().rebuildView(); }
    ObjDataTyp& objekt(int i) { return window->context().document.objects[size_t(i)]; }

    // The widget point over the middle of object i's card.
    QPoint mitte(int i)
    {
        const RandRect& r = objekt(i).KartRect;
        const QPointF seite((r.left + r.right) / 2, (r.top + r.bottom) / 2);
        LearningViewWidget& v = window->view();
        return (v.composer().pageToView(seite) + QPointF(v.pictureRect().topLeft())).toPoint();
    }
    void maus(QEvent::Type typ, QPoint p, Qt::MouseButton knopf = Qt::LeftButton)
    {
        const Qt::MouseButtons gedrueckt =
            typ == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(knopf);
        QMouseEvent e(typ, QPointF(p), window->view().mapToGlobal(QPointF(p)),
                      typ == QEvent::MouseMove ? Qt::NoButton : knopf, gedrueckt, Qt::NoModifier);
        QApplication::sendEvent(&window->view(), &e);
    }
    void click(QPoint p, Qt::MouseButton knopf = Qt::LeftButton)
    {
        maus(QEvent::MouseButtonPress, p, knopf);
        maus(QEvent::MouseButtonRelease, p, knopf);
    }
    QToolButton* knopf(const QString& name) { return controller->toolBar().knopf(name); }

    LearningViewController* controller = nullptr;
};

} // namespace

TEST_F(LearningViewTest, ClickTogglesTheLaterOfTwoOverlappingFieldsAndRespectsLayers)
{
    neu(0, 0.5, 0.5, u"Erster Begriff"_s);
    neu(0, 0.5, 0.5, u"Zweiter Begriff"_s);
    aufbauen();
    ASSERT_EQ(mitte(0), mitte(1));

    click(mitte(1));
    EXPECT_EQ(objekt(0).AbfrageStatus, -1);
    EXPECT_EQ(objekt(1).AbfrageStatus, 0) << "the later entry is on top";
    click(mitte(1), Qt::MiddleButton);
    EXPECT_EQ(objekt(1).AbfrageStatus, -1) << "the middle button toggles as well";

    // The check box shows " Texte & Bilder " ("&&" is one "&", no mnemonic).
    EXPECT_EQ(controller->toolBar().ebene(1)->text().replace(u"&&"_s, u"&"_s), u" Texte & Bilder "_s);
    controller->toolBar().ebene(1)->click(); // hide "Texte und Bilder"
    EXPECT_FALSE(window->menu().action(u"EbeneTexteundBilder1"_s)->isChecked());
    click(mitte(1));
    EXPECT_EQ(objekt(1).AbfrageStatus, -1) << "a field of a hidden layer ignores the click";
}

TEST_F(LearningViewTest, CoverAndUncoverAllFromMenuAndToolBar)
{
    neu(0, 0.3, 0.3, u"Feld"_s);
    neu(1, 0.7, 0.7, u"Etikett"_s).AbfrageStatus = 0;
    aufbauen();
    window->menu().action(u"AlleAbfragefelderaufdecken1"_s)->trigger();
    EXPECT_EQ(objekt(0).AbfrageStatus, 0);
    knopf(u"AlleAbdeckenBtn"_s)->click();
    EXPECT_EQ(objekt(0).AbfrageStatus, -1);
    EXPECT_EQ(objekt(1).AbfrageStatus, -1);
    knopf(u"NummerModeSort"_s)->click();
    EXPECT_EQ(objekt(1).AbfrageStatus, 0) << "numbering uncovers what is no query field";
    EXPECT_EQ(objekt(0).AbfrageNummer, 1);
}

TEST_F(LearningViewTest, InfoPointAsksForItsPassword)
{
    ObjDataTyp& punkt = neu(2, 0.5, 0.5, u"<b>Mars</b> ist rot."_s);
    punkt.BildKenn = u"geheim"_s;
    aufbauen();

    controller->setPasswordAnswer(u"falsch"_s, false);
    click(mitte(0));
    ASSERT_FALSE(prompter->asked.empty());
    EXPECT_EQ(prompter->asked.back().text, u"Das Passwort ist falsch."_s);
    EXPECT_FALSE(controller->infoBox()->isVisible());

    const size_t gefragt = prompter->asked.size();
    controller->setPasswordAnswer(QString(), true);
    click(mitte(0));
    EXPECT_EQ(prompter->asked.size(), gefragt) << "cancelling ends silently";
    EXPECT_FALSE(controller->infoBox()->isVisible());

    controller->setPasswordAnswer(u"geheim"_s, false);
    click(mitte(0));
    EXPECT_TRUE(controller->infoBox()->isVisible());
    EXPECT_EQ(controller->infoBox()->windowTitle(), u"Information"_s);
    EXPECT_LE(controller->infoBox()->height(), 566);
    EXPECT_EQ(controller->infoBox()->text(), u"<b>Mars</b> ist rot."_s);
}

TEST_F(LearningViewTest, MissingDocumentLinkShowsItsMessage)
{
    neu(5, 0.5, 0.5, u"fehlt.qvl"_s);
    aufbauen();
    click(mitte(0));
    ASSERT_FALSE(prompter->asked.empty());
    EXPECT_EQ(prompter->asked.back().text, u"Die Datei \"fehlt.qvl\" existiert nicht."_s);
    EXPECT_TRUE(window->context().documentOpen) << "the document stays";
}

TEST_F(LearningViewTest, PenStrokeRepaintsOnlyNearItAndUndoRestoresOnce)
{
    aufbauen();
    LearningViewWidget& v = window->view();
    const QImage vorher = v.composer().ansicht().copy();
    knopf(u"StiftBtn"_s)->click();
    EXPECT_EQ(controller->werkzeug(), 3);
    const QPoint o = v.pictureRect().topLeft();
    maus(QEvent::MouseButtonPress, o + QPoint(20, 20));
    QMouseEvent bewegt(QEvent::MouseMove, QPointF(o + QPoint(60, 20)),
                       v.mapToGlobal(QPointF(o + QPoint(60, 20))), Qt::NoButton, Qt::LeftButton,
                       Qt::NoModifier);
    QApplication::sendEvent(&v, &bewegt);
    maus(QEvent::MouseButtonRelease, o + QPoint(60, 20));
    const QImage nachher = v.composer().ansicht();
    EXPECT_NE(nachher.pixel(40, 20), vorher.pixel(40, 20)) << "the stroke is on the view";
    EXPECT_EQ(nachher.pixel(40, 60), vorher.pixel(40, 60));

    knopf(u"RueckgaengigBtn"_s)->click();
    EXPECT_EQ(v.composer().ansicht(), vorher);
    EXPECT_FALSE(controller->drawingTools().canUndo());
}

TEST_F(LearningViewTest, ToolBarFoldsSidesAndTextToolDrawsOnEnter)
{
    ToolBar& leiste = controller->toolBar();
    EXPECT_EQ(knopf(u"ZeigerBtn"_s)->toolTip(),
              u"Zeiger zum Auf- und Abdecken von Abfragefeldern"_s);
    window->menu().action(u"Werkzeugleistezuklappen1"_s)->trigger();
    EXPECT_TRUE(leiste.geklappt());
    EXPECT_EQ(knopf(u"KlappPan"_s)->toolTip(), u"Werkzeugleiste aufklappen"_s);
    EXPECT_FALSE(knopf(u"ZoomPan0"_s)->isVisible());
    knopf(u"KlappPan"_s)->click();
    EXPECT_EQ(knopf(u"KlappPan"_s)->toolTip(), u"Werkzeugleiste zuklappen"_s);

    LearningViewWidget& v = window->view();
    controller->setSide(1);
    EXPECT_LT(leiste.mapTo(window.get(), QPoint()).x(), v.mapTo(window.get(), QPoint()).x())
        << "left";
    controller->setSide(0);
    EXPECT_GT(leiste.mapTo(window.get(), QPoint()).x(), v.mapTo(window.get(), QPoint()).x())
        << "right";

    aufbauen();
    const QImage vorher = v.composer().ansicht().copy();
    controller->setTool(9);
    const QPoint o = v.pictureRect().topLeft();
    click(o + QPoint(30, 60));
    QLineEdit* feld = controller->textField();
    ASSERT_TRUE(feld->isVisible());
    EXPECT_EQ(feld->geometry().bottom() + 1, o.y() + 60) << "its bottom at the click";
    feld->setText(u"Hallo"_s);
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(feld, &escape);
    EXPECT_FALSE(feld->isVisible());
    EXPECT_EQ(v.composer().ansicht(), vorher) << "Escape discards";

    click(o + QPoint(30, 60));
    feld->setText(u"Hallo"_s);
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(feld, &enter);
    EXPECT_FALSE(feld->isVisible());
    EXPECT_NE(v.composer().ansicht(), vorher) << "Enter draws";
}

TEST_F(LearningViewTest, ZoomButtonsAndKeysStayWithinTheLevels)
{
    knopf(u"ZoomPan4"_s)->click();
    EXPECT_EQ(window->context().state.zoomLevel, 4);
    EXPECT_TRUE(window->menu().action(u"Zoomstufe200Prozent1"_s)->isChecked());
    const auto zoomTaste = [this](Qt::Key key) {
        QKeyEvent e(QEvent::KeyPress, key, Qt::ControlModifier | Qt::KeypadModifier);
        QApplication::sendEvent(&window->view(), &e);
        return window->context().state.zoomLevel;
    };
    EXPECT_EQ(zoomTaste(Qt::Key_Plus), 4) << "at level 4 zooming in does nothing";
    EXPECT_EQ(zoomTaste(Qt::Key_Minus), 2);
    EXPECT_EQ(zoomTaste(Qt::Key_Plus), 4);
    controller->zoomOut();
    controller->zoomOut();
    controller->zoomOut();
    EXPECT_EQ(window->context().state.zoomLevel, 0);
    EXPECT_EQ(window->view().composer().state().zoomLevel, 0);
}

TEST_F(LearningViewTest, PointerShowsTheHandOverFieldsAndTheRightButtonMovesTheSection)
{
    neu(0, 0.5, 0.5, u"Feld"_s);
    aufbauen();
    LearningViewWidget& v = window->view();
    maus(QEvent::MouseMove, mitte(0), Qt::NoButton);
    EXPECT_EQ(v.cursor().shape(), Qt::PointingHandCursor);
    maus(QEvent::MouseMove, v.pictureRect().topLeft() + QPoint(3, 3), Qt::NoButton);
    EXPECT_EQ(v.cursor().shape(), Qt::ArrowCursor);

    controller->setZoomLevel(4);
    const QRectF vorher = v.composer().visibleArea();
    ASSERT_LT(vorher.width(), 1.0);
    const QPoint p = v.pictureRect().center();
    maus(QEvent::MouseButtonPress, p, Qt::RightButton);
    QMouseEvent zieht(QEvent::MouseMove, QPointF(p - QPoint(40, 0)),
                      v.mapToGlobal(QPointF(p - QPoint(40, 0))), Qt::NoButton, Qt::RightButton,
                      Qt::NoModifier);
    QApplication::sendEvent(&v, &zieht);
    maus(QEvent::MouseButtonRelease, p - QPoint(40, 0), Qt::RightButton);
    EXPECT_NEAR(v.composer().visibleArea().x() - vorher.x(),
                40.0 / v.composer().seite().width(), 1e-9)
        << "dragging left shows more of the right";

    const QRectF gezogen = v.composer().visibleArea();
    knopf(u"ScrollRechtsBtn"_s)->click();
    EXPECT_NEAR(v.composer().visibleArea().x() - gezogen.x(), gezogen.width() / 10, 1e-9);
    knopf(u"ScrollHochBtn"_s)->click();
    EXPECT_GE(v.composer().visibleArea().y(), 0.0) << "kept inside the page";
}

TEST_F(LearningViewTest, ArrowKeysStepThroughSingleQuestions)
{
    Document& d = window->context().document;
    d.header.DokTyp = 2;
    d.header.AnzFrageNummern = 3;
    window->context().state.currentQuestion = 1;
    aufbauen();
    const auto taste = [this](Qt::Key key) {
        QKeyEvent e(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(&window->view(), &e);
        return window->context().state.currentQuestion;
    };
    EXPECT_EQ(taste(Qt::Key_Left), 1);
    EXPECT_EQ(taste(Qt::Key_Right), 2);
    EXPECT_EQ(taste(Qt::Key_End), 3);
    EXPECT_EQ(taste(Qt::Key_Right), 3);
    EXPECT_EQ(taste(Qt::Key_Home), 1);
    EXPECT_EQ(window->view().composer().state().currentQuestion, 1);
}

TEST_F(LearningViewTest, DrawingsMoveWithThePageWhenScrolling)
{
    controller->setZoomLevel(4);
    LearningViewWidget& v = window->view();
    controller->setColour(26);
    controller->setTool(3);
    const QPoint o = v.pictureRect().topLeft();
    maus(QEvent::MouseButtonPress, o + QPoint(200, 100));
    maus(QEvent::MouseButtonRelease, o + QPoint(200, 100));
    ASSERT_EQ(v.composer().ansicht().pixel(200, 100) & 0xFFFFFF, 0u);

    const QRect vorher = v.composer().sectionPixels();
    knopf(u"ScrollRechtsBtn"_s)->click();
    const int dx = v.composer().sectionPixels().x() - vorher.x();
    ASSERT_GT(dx, 0);
    EXPECT_EQ(v.composer().ansicht().pixel(200 - dx, 100) & 0xFFFFFF, 0u)
        << "the dot stays on its spot of the page";
}
