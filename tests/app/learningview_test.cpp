// SPDX-License-Identifier: GPL-3.0-or-later
#include "document.h"
#include "documentcontroller.h"
#include "documentio.h"
#include "infobox.h"
#include "learningviewcontroller.h"
#include "learningviewpanel.h"
#include "learningviewwidget.h"
#include "linkopener.h"
#include "mainmenu.h"
#include "settings.h"
#include "shellfixture.h"
#include "stempelform.h"
#include "toolbar.h"
#include "viewtestsupport.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFontComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <QToolButton>

using namespace quorvel;
using namespace quorvel::test;
using namespace Qt::Literals::StringLiterals;

namespace {

// A shown main window with a document whose objects the test places.
class LearningViewTest : public ShellFixture {
protected:
    void SetUp() override {
        ShellFixture::SetUp();
        MainWindow& w = start();
        w.resize(1000, 760);
        w.show();
        ASSERT_TRUE(w.documents().readAsCurrent(writeDocument(u"seite.qvl"_s, u"Seite"_s)));
        controller = &w.learningView();
    }

    ObjDataTyp& fresh(int typ, double x, double y, const QString& cap) {
        ObjDataTyp o = test::object(typ, x, y, cap);
        o.HFarbe = 0xFFFFFF;
        o.HDeck = 100;
        o.AbfrageStatus = AbfrageStatus::Covered;
        document().objects.push_back(o);
        return document().objects.back();
    }
    Document& document() { return window->documents().document(); }
    void rebuildView() { controller->rebuild(); }
    ObjDataTyp& object(int i) { return document().objects[size_t(i)]; }

    // The widget point over the middle of object i's card.
    QPoint centre(int i) {
        const PageRect& r = object(i).KartRect;
        const QPointF page((r.left + r.right) / 2, (r.top + r.bottom) / 2);
        LearningViewWidget& v = window->view();
        return (v.composer().pageToView(page) + QPointF(v.pictureRect().topLeft())).toPoint();
    }
    void mouse(QEvent::Type typ, QPoint p, Qt::MouseButton button = Qt::LeftButton) {
        const Qt::MouseButtons pressed =
            typ == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
        QMouseEvent e(typ, QPointF(p), window->view().mapToGlobal(QPointF(p)),
                      typ == QEvent::MouseMove ? Qt::NoButton : button, pressed, Qt::NoModifier);
        QApplication::sendEvent(&window->view(), &e);
    }
    void click(QPoint p, Qt::MouseButton button = Qt::LeftButton) {
        mouse(QEvent::MouseButtonPress, p, button);
        mouse(QEvent::MouseButtonRelease, p, button);
    }
    QToolButton* button(const QString& name) { return controller->toolBar().button(name); }
    // A key as the keyboard gives it to the active main window: its shortcuts
    // see it first, whichever widget has the focus.
    void taste(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : window.get();
        QTest::keyClick(target, Qt::Key(key), modifiers);
    }
    void activate() {
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }

    LearningViewController* controller = nullptr;
};

} // namespace

TEST_F(LearningViewTest, ClickTogglesTheLaterOfTwoOverlappingFieldsAndRespectsLayers) {
    fresh(0, 0.5, 0.5, u"Erster Begriff"_s);
    fresh(0, 0.5, 0.5, u"Zweiter Begriff"_s);
    rebuildView();
    // Both cards are centred on the same point; their widths may differ in
    // parity, so their pixel centres by one pixel.
    ASSERT_LE((centre(0) - centre(1)).manhattanLength(), 1);

    click(centre(1));
    EXPECT_EQ(object(0).AbfrageStatus, AbfrageStatus::Covered);
    EXPECT_EQ(object(1).AbfrageStatus, AbfrageStatus::Uncovered) << "the later entry is on top";
    click(centre(1), Qt::MiddleButton);
    EXPECT_EQ(object(1).AbfrageStatus, AbfrageStatus::Covered)
        << "the middle button toggles as well";

    // The check box shows " Texte & Bilder " ("&&" is one "&", no mnemonic).
    EXPECT_EQ(controller->toolBar().layer(1)->text().replace(u"&&"_s, u"&"_s),
              u" Texte & Bilder "_s);
    controller->toolBar().layer(1)->click(); // hide "Texte und Bilder"
    EXPECT_FALSE(window->menu().action(u"EbeneTexteundBilder1"_s)->isChecked());
    click(centre(1));
    EXPECT_EQ(object(1).AbfrageStatus, AbfrageStatus::Covered)
        << "a field of a hidden layer ignores the click";
}

TEST_F(LearningViewTest, CoverAndUncoverAllFromMenuAndToolBar) {
    fresh(0, 0.3, 0.3, u"Feld"_s);
    fresh(1, 0.7, 0.7, u"Etikett"_s).AbfrageStatus = AbfrageStatus::Uncovered;
    rebuildView();
    window->menu().action(u"AlleAbfragefelderaufdecken1"_s)->trigger();
    EXPECT_EQ(object(0).AbfrageStatus, AbfrageStatus::Uncovered);
    button(u"AlleAbdeckenBtn"_s)->click();
    EXPECT_EQ(object(0).AbfrageStatus, AbfrageStatus::Covered);
    EXPECT_EQ(object(1).AbfrageStatus, AbfrageStatus::Covered);
    button(u"NummerModeSort"_s)->click();
    EXPECT_EQ(object(1).AbfrageStatus, AbfrageStatus::Uncovered)
        << "numbering uncovers what is no query field";
    EXPECT_EQ(object(0).AbfrageNummer, 1);
}

TEST_F(LearningViewTest, InfoPointAsksForItsPassword) {
    ObjDataTyp& point = fresh(2, 0.5, 0.5, u"<b>Mars</b> ist rot."_s);
    point.BildKenn = u"geheim"_s;
    rebuildView();

    prompter->passwords = {u"falsch"_s};
    click(centre(0));
    EXPECT_EQ(prompter->dialogs, QStringList({u"Bitte Passwort eingeben"_s}));
    ASSERT_FALSE(prompter->asked.empty());
    EXPECT_EQ(prompter->asked.back().text, u"Das Passwort ist falsch."_s);
    EXPECT_FALSE(controller->infoBox()->isVisible());

    const size_t asked = prompter->asked.size();
    prompter->passwords = {std::nullopt};
    click(centre(0));
    EXPECT_EQ(prompter->asked.size(), asked) << "cancelling ends silently";
    EXPECT_FALSE(controller->infoBox()->isVisible());

    prompter->passwords = {u"geheim"_s};
    click(centre(0));
    EXPECT_TRUE(controller->infoBox()->isVisible());
    EXPECT_EQ(controller->infoBox()->windowTitle(), u"Information"_s);
    EXPECT_LE(controller->infoBox()->height(), 566);
    EXPECT_EQ(controller->infoBox()->text(), u"<b>Mars</b> ist rot."_s);
}

TEST_F(LearningViewTest, MissingDocumentLinkShowsItsMessage) {
    fresh(5, 0.5, 0.5, u"fehlt.qvl"_s);
    rebuildView();
    click(centre(0));
    ASSERT_FALSE(prompter->asked.empty());
    EXPECT_EQ(prompter->asked.back().text, u"Die Datei \"fehlt.qvl\" existiert nicht."_s);
    EXPECT_TRUE(window->documents().isOpen()) << "the document stays";
}

TEST_F(LearningViewTest, PenStrokeRepaintsOnlyNearItAndUndoRestoresOnce) {
    rebuildView();
    LearningViewWidget& v = window->view();
    const QImage before = v.composer().view().copy();
    button(u"StiftBtn"_s)->click();
    EXPECT_EQ(controller->tool(), Tool::Pen);
    const QPoint o = v.pictureRect().topLeft();
    mouse(QEvent::MouseButtonPress, o + QPoint(20, 20));
    QMouseEvent moved(QEvent::MouseMove, QPointF(o + QPoint(60, 20)),
                      v.mapToGlobal(QPointF(o + QPoint(60, 20))), Qt::NoButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(&v, &moved);
    mouse(QEvent::MouseButtonRelease, o + QPoint(60, 20));
    const QImage after = v.composer().view();
    EXPECT_NE(after.pixel(40, 20), before.pixel(40, 20)) << "the stroke is on the view";
    EXPECT_EQ(after.pixel(40, 60), before.pixel(40, 60));

    button(u"RueckgaengigBtn"_s)->click();
    EXPECT_EQ(v.composer().view(), before);
    EXPECT_FALSE(controller->drawingTools().canUndo());
}

TEST_F(LearningViewTest, ToolBarFoldsSidesAndTextToolDrawsOnEnter) {
    ToolBar& bar = controller->toolBar();
    EXPECT_EQ(button(u"ZeigerBtn"_s)->toolTip(),
              u"Zeiger zum Auf- und Abdecken von Abfragefeldern"_s);
    window->menu().action(u"Werkzeugleistezuklappen1"_s)->trigger();
    EXPECT_TRUE(bar.folded());
    EXPECT_EQ(button(u"KlappPan"_s)->toolTip(), u"Werkzeugleiste aufklappen"_s);
    EXPECT_FALSE(button(u"ZoomPan0"_s)->isVisible());
    button(u"KlappPan"_s)->click();
    EXPECT_EQ(button(u"KlappPan"_s)->toolTip(), u"Werkzeugleiste zuklappen"_s);

    LearningViewWidget& v = window->view();
    controller->panel().setSide(1);
    EXPECT_LT(bar.mapTo(window.get(), QPoint()).x(), v.mapTo(window.get(), QPoint()).x()) << "left";
    controller->panel().setSide(0);
    EXPECT_GT(bar.mapTo(window.get(), QPoint()).x(), v.mapTo(window.get(), QPoint()).x())
        << "right";

    rebuildView();
    const QImage before = v.composer().view().copy();
    controller->setTool(Tool::Text);
    const QPoint o = v.pictureRect().topLeft();
    click(o + QPoint(30, 60));
    QLineEdit* field = controller->textField();
    ASSERT_TRUE(field->isVisible());
    EXPECT_EQ(field->geometry().bottom() + 1, o.y() + 60) << "its bottom at the click";
    field->setText(u"Hallo"_s);
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(field, &escape);
    EXPECT_FALSE(field->isVisible());
    EXPECT_EQ(v.composer().view(), before) << "Escape discards";

    click(o + QPoint(30, 60));
    field->setText(u"Hallo"_s);
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(field, &enter);
    EXPECT_FALSE(field->isVisible());
    EXPECT_NE(v.composer().view(), before) << "Enter draws";
}

TEST_F(LearningViewTest, ZoomButtonsAndKeysStayWithinTheLevels) {
    activate();
    button(u"ZoomPan4"_s)->click();
    EXPECT_EQ(controller->state().zoomLevel, 4);
    EXPECT_TRUE(window->menu().action(u"Zoomstufe200Prozent1"_s)->isChecked());
    const auto zoomTaste = [this](Qt::Key key) {
        taste(key, Qt::ControlModifier | Qt::KeypadModifier);
        return controller->state().zoomLevel;
    };
    EXPECT_EQ(zoomTaste(Qt::Key_Plus), 4) << "at level 4 zooming in does nothing";
    EXPECT_EQ(zoomTaste(Qt::Key_Minus), 2);
    EXPECT_EQ(zoomTaste(Qt::Key_Plus), 4);
    controller->zoomOut();
    controller->zoomOut();
    controller->zoomOut();
    EXPECT_EQ(controller->state().zoomLevel, 0);
    EXPECT_EQ(window->view().composer().state().zoomLevel, 0);
    taste(Qt::Key_Plus, Qt::ControlModifier);
    EXPECT_EQ(controller->state().zoomLevel, 0) << "only the keypad's plus zooms";
}

TEST_F(LearningViewTest, PointerShowsTheHandOverFieldsAndTheRightButtonMovesTheSection) {
    fresh(0, 0.5, 0.5, u"Feld"_s);
    rebuildView();
    LearningViewWidget& v = window->view();
    mouse(QEvent::MouseMove, centre(0), Qt::NoButton);
    EXPECT_EQ(v.cursor().shape(), Qt::PointingHandCursor);
    mouse(QEvent::MouseMove, v.pictureRect().topLeft() + QPoint(3, 3), Qt::NoButton);
    EXPECT_EQ(v.cursor().shape(), Qt::ArrowCursor);

    controller->setZoomLevel(4);
    const QRectF before = v.composer().visibleArea();
    ASSERT_LT(before.width(), 1.0);
    const QPoint p = v.pictureRect().center();
    mouse(QEvent::MouseButtonPress, p, Qt::RightButton);
    QMouseEvent dragMove(QEvent::MouseMove, QPointF(p - QPoint(40, 0)),
                         v.mapToGlobal(QPointF(p - QPoint(40, 0))), Qt::NoButton, Qt::RightButton,
                         Qt::NoModifier);
    QApplication::sendEvent(&v, &dragMove);
    mouse(QEvent::MouseButtonRelease, p - QPoint(40, 0), Qt::RightButton);
    EXPECT_NEAR(v.composer().visibleArea().x() - before.x(), 40.0 / v.composer().page().width(),
                1e-9)
        << "dragging left shows more of the right";

    const QRectF dragged = v.composer().visibleArea();
    button(u"ScrollRechtsBtn"_s)->click();
    EXPECT_NEAR(v.composer().visibleArea().x() - dragged.x(), dragged.width() / 10, 1e-9);
    button(u"ScrollHochBtn"_s)->click();
    EXPECT_GE(v.composer().visibleArea().y(), 0.0) << "kept inside the page";
}

TEST_F(LearningViewTest, ArrowKeysStepThroughSingleQuestions) {
    Document& d = document();
    d.header.DokTyp = 2;
    d.header.AnzFrageNummern = 3;
    controller->changeQuestion(Typ::FirstQuestion);
    rebuildView();
    activate();
    const auto question = [this](Qt::Key key) {
        taste(key);
        return controller->state().currentQuestion;
    };
    EXPECT_EQ(question(Qt::Key_Left), 1);
    EXPECT_EQ(question(Qt::Key_Right), 2);
    EXPECT_EQ(question(Qt::Key_End), 3);
    EXPECT_EQ(question(Qt::Key_Right), 3);
    EXPECT_EQ(question(Qt::Key_Home), 1);
    EXPECT_EQ(window->view().composer().state().currentQuestion, 1);
}

TEST_F(LearningViewTest, DrawingsMoveWithThePageWhenScrolling) {
    controller->setZoomLevel(4);
    LearningViewWidget& v = window->view();
    controller->setColour(26);
    controller->setTool(Tool::Pen);
    const QPoint o = v.pictureRect().topLeft();
    mouse(QEvent::MouseButtonPress, o + QPoint(200, 100));
    mouse(QEvent::MouseButtonRelease, o + QPoint(200, 100));
    ASSERT_EQ(v.composer().view().pixel(200, 100) & 0xFFFFFF, 0u);

    const QRect before = v.composer().sectionPixels();
    button(u"ScrollRechtsBtn"_s)->click();
    const int dx = v.composer().sectionPixels().x() - before.x();
    ASSERT_GT(dx, 0);
    EXPECT_EQ(v.composer().view().pixel(200 - dx, 100) & 0xFFFFFF, 0u)
        << "the dot stays on its spot of the page";
}

TEST_F(LearningViewTest, KeysBelongToTheWindowWhereverTheFocusIs) {
    Document& d = document();
    d.header.DokTyp = 3;
    d.header.AnzFrageNummern = 4;
    controller->changeQuestion(Typ::FirstQuestion);
    rebuildView();
    activate();

    // Clicking a layer box of the tool bar gives it the focus.
    QCheckBox* layer = controller->toolBar().layer(0);
    layer->setFocus();
    ASSERT_EQ(QApplication::focusWidget(), layer);
    taste(Qt::Key_Right);
    EXPECT_EQ(controller->state().currentQuestion, 2);
    taste(Qt::Key_End);
    EXPECT_EQ(controller->state().currentQuestion, 4);
    taste(Qt::Key_Plus, Qt::ControlModifier | Qt::KeypadModifier);
    EXPECT_EQ(controller->state().zoomLevel, 2);

    // A text field being edited keeps its keys.
    controller->setTool(Tool::Text);
    click(window->view().pictureRect().topLeft() + QPoint(40, 60));
    QLineEdit* field = controller->textField();
    ASSERT_TRUE(field->isVisible());
    ASSERT_EQ(QApplication::focusWidget(), field);
    field->setText(u"Wort"_s);
    taste(Qt::Key_Home);
    taste(Qt::Key_Right);
    EXPECT_EQ(field->cursorPosition(), 1);
    EXPECT_EQ(controller->state().currentQuestion, 4) << "the field had the keys";

    // Outside the learning view the keys do nothing.
    field->hide();
    layer->setFocus();
    window->setModus(Modus::Exercise);
    taste(Qt::Key_Home);
    EXPECT_EQ(controller->state().currentQuestion, 4);
    window->setModus(Modus::LearningView);
    taste(Qt::Key_Home);
    EXPECT_EQ(controller->state().currentQuestion, 1);
}

TEST_F(LearningViewTest, OpeningADocumentSelectsThePointerLikeTheButtonDoes) {
    controller->setTool(Tool::Text);
    click(window->view().pictureRect().topLeft() + QPoint(40, 60));
    ASSERT_TRUE(controller->textField()->isVisible());
    ASSERT_TRUE(button(u"TexteingabeBtn"_s)->isChecked());

    ASSERT_TRUE(window->documents().readAsCurrent(writeDocument(u"zwei.qvl"_s, u"Zwei"_s)));
    EXPECT_EQ(controller->tool(), Tool::Pointer);
    EXPECT_TRUE(button(u"ZeigerBtn"_s)->isChecked()) << "the pressed button follows";
    EXPECT_FALSE(button(u"TexteingabeBtn"_s)->isChecked());
    EXPECT_EQ(window->view().cursor().shape(), Qt::ArrowCursor) << "so does the cursor";
    EXPECT_FALSE(controller->textField()->isVisible()) << "the text field goes";
}

TEST_F(LearningViewTest, TextFieldGrowsWhileTyping) {
    controller->setThickness(2);
    controller->setTool(Tool::Text);
    const QPoint o = window->view().pictureRect().topLeft();
    click(o + QPoint(20, 80));
    QLineEdit* field = controller->textField();
    ASSERT_TRUE(field->isVisible());
    EXPECT_EQ(field->width(), 70) << "an empty field: 35 pixels per thickness step";
    const QString text = u"Die Sonne ist ein Stern"_s;
    QTest::keyClicks(field, text);
    EXPECT_EQ(field->text(), text);
    EXPECT_EQ(field->width(), field->fontMetrics().horizontalAdvance(text) + 70);
    EXPECT_EQ(field->x(), o.x() + 20) << "it grows to the right";
}

TEST_F(LearningViewTest, DrawingToolsShowTheProgramsCursors) {
    const ProgramCursors& cursors = window->cursors();
    const struct {
        Tool tool;
        const QCursor* expected; // null: Qt's cross
    } cases[] = {
        {Tool::Pen, &cursors.pen},
        {Tool::MarkerYellow, &cursors.pen},
        {Tool::Stamp, &cursors.stamp},
        {Tool::Cross, &cursors.stamp},
        {Tool::Text, &cursors.textField},
        {Tool::Line, &cursors.penVariants[0]},
        {Tool::DoubleArrow, &cursors.penVariants[1]},
        {Tool::FilledRectangle, &cursors.penVariants[2]},
        {Tool::Ellipse, &cursors.penVariants[3]},
        {Tool::Triangle, &cursors.penVariants[4]},
        {Tool::Eraser, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(int(c.tool));
        controller->setTool(c.tool);
        const QCursor shown = window->view().cursor();
        if (!c.expected) {
            EXPECT_EQ(shown.shape(), Qt::CrossCursor);
            continue;
        }
        EXPECT_EQ(shown.shape(), c.expected->shape());
        if (c.expected->shape() == Qt::BitmapCursor) {
            EXPECT_EQ(shown.pixmap().toImage(), c.expected->pixmap().toImage());
            EXPECT_EQ(shown.hotSpot(), c.expected->hotSpot());
        }
    }
    // Choosing a pen preset from the pen menu shows the pen's cursor.
    controller->toolBar().penMenu()->findChild<QAction*>(u"Stift1"_s)->trigger();
    EXPECT_EQ(window->view().cursor().pixmap().toImage(), cursors.pen.pixmap().toImage());
}

namespace {

// Records the left handed to the system instead of opening them.
struct RecordingOpener : LinkOpener {
    QList<QUrl>* opened;
    bool result = true;
    bool open(const QUrl& url) override {
        opened->append(url);
        return result;
    }
};

struct ClosingCounter : ShellParticipant {
    int closed = 0;
    void documentClosed() override { ++closed; }
};

} // namespace

TEST_F(LearningViewTest, LinksWithAnySchemeGoToTheSystemAsWritten) {
    QList<QUrl> opened;
    auto opener = std::make_unique<RecordingOpener>();
    opener->opened = &opened;
    RecordingOpener* recorder = opener.get();
    controller->setLinkOpener(std::move(opener));
    const QString file = path(u"blatt.pdf"_s);
    write(u"blatt.pdf"_s, "%PDF");
    fresh(4, 0.15, 0.15, u"mailto:lehrer@schule.de"_s);
    fresh(4, 0.85, 0.15, u"ftp://server/blatt.txt"_s);
    fresh(4, 0.15, 0.85, u"blatt.pdf"_s);
    fresh(8, 0.85, 0.85, u"https://example.org/karte.png"_s);
    rebuildView();
    for (int i = 0; i < 4; ++i)
        click(centre(i));
    QStringList given;
    for (const QUrl& url : std::as_const(opened))
        given << url.toString();
    EXPECT_EQ(given, QStringList({u"mailto:lehrer@schule.de"_s, u"ftp://server/blatt.txt"_s,
                                  QUrl::fromLocalFile(file).toString(),
                                  u"https://example.org/karte.png"_s}));
    EXPECT_TRUE(prompter->asked.empty());

    recorder->result = false;
    click(centre(0));
    ASSERT_EQ(prompter->asked.size(), 1u);
    EXPECT_EQ(prompter->asked[0].text,
              u"Die Datei oder Internet-Adresse \"mailto:lehrer@schule.de\" kann nicht "
              u"geöffnet werden."_s);
}

TEST_F(LearningViewTest, DocumentLinkOpensWithoutClosingFirst) {
    const QString first = document().file;
    const QString second = writeDocument(u"ziel.qvl"_s, u"Ziel"_s);
    fresh(5, 0.5, 0.5, u"ziel.qvl"_s);
    rebuildView();
    ClosingCounter closing;
    window->addParticipant(closing);

    document().modified = true;
    prompter->answers = {Answer::Cancel};
    click(centre(0));
    EXPECT_EQ(prompter->order, QStringList({msgSaveChanges(first)})) << "asked as a close";
    EXPECT_EQ(document().file, first) << "cancelled: the document stays";

    prompter->answers = {Answer::No};
    click(centre(0));
    EXPECT_EQ(document().file, second);
    EXPECT_EQ(closing.closed, 0) << "no start picture in between";
    EXPECT_EQ(document().previousFile, first);

    window->menu().action(u"ZuvorangezeigtesDokument1"_s)->trigger();
    EXPECT_EQ(document().file, first) << "back to the document shown before";
    window.reset(); // before the participant goes
}

TEST_F(LearningViewTest, InfoBoxSaysWhenItsTextCannotBeSaved) {
    fresh(2, 0.5, 0.5, u"Die <b>Sonne</b>"_s);
    rebuildView();
    click(centre(0));
    InfoBox* box = controller->infoBox();
    ASSERT_TRUE(box->isVisible());
    const int height = box->height();
    click(centre(0));
    EXPECT_EQ(box->height(), height) << "the same text, the same height";

    prompter->files = {path(u"fehlt/info.rtf"_s)};
    box->save();
    EXPECT_EQ(prompter->dialogs, QStringList({u"Infotext in Datei speichern"_s}));
    ASSERT_EQ(prompter->asked.size(), 1u);
    EXPECT_EQ(prompter->asked[0].kind, MessageKind::Error);
    EXPECT_EQ(prompter->asked[0].text, msgCannotWrite(path(u"fehlt/info.rtf"_s)));

    prompter->files = {path(u"info.rtf"_s)};
    box->save();
    QFile saved(path(u"info.rtf"_s));
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    const QByteArray rtf = saved.readAll();
    EXPECT_TRUE(rtf.startsWith("{\\rtf"));
    EXPECT_TRUE(rtf.contains("Die Sonne"));
    box->close();
}

TEST_F(LearningViewTest, StampDialogSetsUpTheStampsAndTheSettingsKeepThem) {
    TStempelForm* form = controller->stampForm();
    EXPECT_EQ(form->objectName(), u"StempelForm"_s);
    EXPECT_EQ(form->windowTitle(), u"Symbolstempel"_s);
    for (int i = 1; i <= 10; ++i) {
        EXPECT_NE(form->findChild<QWidget*>(u"FontBox"_s + QString::number(i)), nullptr) << i;
        EXPECT_NE(form->findChild<QWidget*>(u"SymbolBox"_s + QString::number(i)), nullptr) << i;
    }

    // The symbol box lists the characters 1 to 255 in the stamp's font; a
    // symbol font shows the symbols it stands for.
    QComboBox* symbols = form->symbolBox(3);
    ASSERT_EQ(symbols->count(), 255);
    EXPECT_EQ(symbols->itemData(0).toInt(), 1);
    EXPECT_EQ(symbols->itemData(254).toInt(), 255);
    EXPECT_EQ(symbols->currentData().toInt(), 0xAB) << "Wingdings star";
    const Glyph star = stampGlyph(Stamp{u"Wingdings"_s, 0xAB});
    EXPECT_EQ(symbols->currentData(Qt::FontRole).value<QFont>().family(), star.font);
    for (int n = 1; n <= 10; ++n) {
        const Glyph shown = stampGlyph(controller->drawingState().stamps[size_t(n - 1)]);
        EXPECT_TRUE(form->symbolBox(n)->currentText().startsWith(shown.text)) << n;
    }
    form->fontBox(3)->setEditText(u"DejaVu Serif"_s);
    EXPECT_TRUE(symbols->itemText(int('Z') - 1).startsWith(u'Z'));
    EXPECT_EQ(symbols->itemData(int('Z') - 1, Qt::FontRole).value<QFont>().family(),
              u"DejaVu Serif"_s);
    form->setStamps(controller->drawingState().stamps);

    QTimer::singleShot(0, form, [form] {
        form->setSymbol(3, int('Z'));
        form->accept();
    });
    controller->toolBar().stampMenu()->findChild<QAction*>(u"StempelKonfig1"_s)->trigger();
    EXPECT_EQ(controller->drawingState().stamps[2].character, int('Z'));
    EXPECT_EQ(controller->tool(), Tool::Stamp);
    EXPECT_EQ(window->settings().SymbolstempelZeichen.at(2), u'Z') << "the shell's settings";

    QTimer::singleShot(0, form, [form] {
        form->setSymbol(3, int('Q'));
        form->reject();
    });
    controller->configureStamps();
    EXPECT_EQ(controller->drawingState().stamps[2].character, int('Z')) << "cancelled";
}
