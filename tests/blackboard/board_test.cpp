// SPDX-License-Identifier: GPL-3.0-or-later
#include "areaselectiontool.h"
#include "blattanzahlform.h"
#include "boardcontroller.h"
#include "boarddocument.h"
#include "coverpane.h"
#include "document.h"
#include "documentcontroller.h"
#include "documentio.h"
#include "learningviewcontroller.h"
#include "learningviewwidget.h"
#include "mainmenu.h"
#include "shellfixture.h"
#include "shutdownsequence.h"
#include "toolbar.h"
#include "viewexportcontroller.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QTimer>
#include <QToolButton>

using namespace quorvel;
using namespace quorvel::test;
using namespace Qt::Literals::StringLiterals;

namespace {

// A shown main window with the board controller.
class BoardTest : public ShellFixture {
protected:
    void SetUp() override {
        ShellFixture::SetUp();
        MainWindow& w = activate();
        w.resize(1000, 760);
        w.show();
        board = &w.board();
    }

    // Answers the next modal dialog once it is up: `answer` fills it in and
    // says whether it is accepted.
    void inDialog(std::function<bool(QDialog&)> answer) {
        QTimer::singleShot(0, window.get(), [answer = std::move(answer)] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            if (answer(*dialog))
                dialog->accept();
            else
                dialog->reject();
        });
    }
    // A pen stroke across the view picture from `from` to `to` (view pixels).
    void stroke(QPoint from, QPoint to) {
        LearningViewWidget& v = view().view();
        const QPoint o = v.pictureRect().topLeft();
        const auto send = [&v](QEvent::Type type, QPoint at, Qt::MouseButtons held) {
            QMouseEvent e(type, QPointF(at), v.mapToGlobal(QPointF(at)),
                          type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, held,
                          Qt::NoModifier);
            QApplication::sendEvent(&v, &e);
        };
        send(QEvent::MouseButtonPress, o + from, Qt::LeftButton);
        send(QEvent::MouseMove, o + to, Qt::LeftButton);
        send(QEvent::MouseButtonRelease, o + to, Qt::NoButton);
    }

    void choose(const QString& item) {
        QAction* action = board->sheetMenu()->findChild<QAction*>(item);
        ASSERT_NE(action, nullptr) << item.toStdString();
        action->trigger();
    }
    Document& document() { return window->documents().document(); }
    LearningViewController& view() { return window->learningView(); }
    QImage shown() { return view().view().composer().view(); }

    BoardController* board = nullptr;
};

TEST_F(BoardTest, NewSheetFillsThePictureAreaAndTakesThePen) {
    ASSERT_TRUE(window->documents().readAsCurrent(writeDocument(u"vorher.qvl"_s, u"Vorher"_s)));
    document().modified = true;
    prompter->answers = {Answer::Cancel};
    choose(u"Kariertklein401"_s);
    EXPECT_EQ(document().header.titel, u"Vorher"_s); // Cancel leaves the document untouched

    prompter->answers = {Answer::No};
    choose(u"Kariertklein401"_s);
    const QSize area = view().view().composer().viewArea();
    EXPECT_EQ(document().basePicture.size(), area);
    EXPECT_EQ(document().header.titel, u"Neuer Tafelanschrieb"_s);
    EXPECT_FALSE(document().modified);
    EXPECT_TRUE(document().file.isEmpty());
    EXPECT_EQ(view().tool(), Tool::Pen);
    EXPECT_EQ(document().basePicture.pixel(5, area.height() / 40), kSheetLineColour);
    EXPECT_EQ(shown().size(), area);

    // Another tool than pointer or hand stays.
    view().setTool(Tool::Eraser);
    choose(u"LeeresBlattTafelgruen1"_s);
    EXPECT_EQ(view().tool(), Tool::Eraser);
    EXPECT_EQ(document().basePicture.pixel(10, 10), kBoardGreen);
}

TEST_F(BoardTest, FreeCountsAreClampedAndRemembered) {
    inDialog([this](QDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), u"Blatt mit Notenlinien"_s);
        board->countForm()->countEdit()->setValue(150);
        return true;
    });
    EXPECT_EQ(board->freeCount(SheetKind::Staves), 8);
    choose(u"Notenlinienfrei1"_s);
    EXPECT_EQ(board->freeCount(SheetKind::Staves), 20);

    int shownCount = 0;
    inDialog([&](QDialog&) {
        shownCount = board->countForm()->count();
        return false; // cancelled: nothing changes
    });
    const QString before = document().header.titel;
    choose(u"Notenlinienfrei1"_s);
    EXPECT_EQ(shownCount, 20);
    EXPECT_EQ(document().header.titel, before);
}

TEST_F(BoardTest, PasteGoesIntoTheSelectionFittedOrAsANewSheet) {
    choose(u"LeeresBlattWeiss1"_s);
    QApplication::clipboard()->clear();
    board->pasteClipboard();
    ASSERT_FALSE(prompter->asked.empty());
    EXPECT_EQ(prompter->asked.back().text, msgNoClipboardBitmap());

    QImage red(100, 50, QImage::Format_ARGB32);
    red.fill(Qt::red);
    QApplication::clipboard()->setImage(red);
    view().setTool(Tool::Area);
    AreaSelection selection;
    selection.left = 10;
    selection.top = 20;
    selection.right = 210;
    selection.bottom = 220;
    board->areaSelection().setSelection(selection);
    board->pasteClipboard();
    // 200 x 100 centred in 200 x 200: rows 70 to 169.
    EXPECT_EQ(shown().pixel(110, 120), qRgb(255, 0, 0));
    EXPECT_EQ(shown().pixel(110, 60), qRgb(255, 255, 255));
    EXPECT_EQ(shown().pixel(110, 180), qRgb(255, 255, 255));
    EXPECT_TRUE(board->areaSelection().infoPanel()->isVisibleTo(window.get()));
    EXPECT_EQ(board->areaSelection().infoPanel()->text(), u" (10,20) - (209,219)  B:200 H:200"_s);

    // Leaving the tool clears the selection; then the clipboard replaces the
    // board, which first offers the pasted-on board to the chronicle.
    view().setTool(Tool::Pen);
    EXPECT_FALSE(board->areaSelection().selection().valid());
    prompter->answers = {Answer::Yes, Answer::No};
    const size_t before = prompter->asked.size();
    board->pasteClipboard();
    ASSERT_EQ(prompter->asked.size(), before + 2);
    EXPECT_EQ(prompter->asked[before].text, msgReplaceWholeBoard());
    EXPECT_EQ(prompter->asked.back().text, msgStoreInChronicle());
    EXPECT_EQ(document().basePicture.size(), QSize(100, 50));
    EXPECT_EQ(document().header.titel, u"Neuer Tafelanschrieb"_s);
}

TEST_F(BoardTest, ChronicleStoresRestoresAndAsksAtExit) {
    choose(u"Linienweit1"_s);
    board->storeSnapshot();
    board->storeSnapshot();
    ASSERT_EQ(board->chronicle().count(), 2);
    const QString folder = environment.baseFolder + u"chronik/"_s;
    const std::vector<ChronicleShot> shots = board->chronicle().shots();
    const QRegularExpression named(u"^\\d{8}-\\d{6}-00([12])\\.png$"_s);
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(QFileInfo(shots[size_t(i)].path).absolutePath() + u'/', folder);
        const QRegularExpressionMatch match =
            named.match(QFileInfo(shots[size_t(i)].path).fileName());
        ASSERT_TRUE(match.hasMatch()) << shots[size_t(i)].path.toStdString();
        EXPECT_EQ(match.captured(1).toInt(), i + 1);
        EXPECT_TRUE(QFile::exists(shots[size_t(i)].path));
    }
    EXPECT_EQ(document().header.titel, u"Tafelanschrieb "_s + shots[1].caption);
    EXPECT_TRUE(board->storedSinceChange());

    // Newest first below the hidden "Aktueller Bildschirm".
    const QList<QAction*> items = board->chronicleMenu()->actions();
    ASSERT_EQ(items.size(), 3);
    EXPECT_FALSE(items[0]->isVisible());
    EXPECT_TRUE(items[1]->text().startsWith(u"Nr. 002 - "_s));
    EXPECT_EQ(items[1]->text(), shots[1].caption);
    EXPECT_EQ(items[2]->text(), shots[0].caption);
    EXPECT_EQ(items[1]->icon().availableSizes().value(0), QSize(160, 120));

    choose(u"LeeresBlattTafelgruen1"_s);
    items[2]->trigger();
    EXPECT_EQ(document().header.titel, u"Tafelanschrieb "_s + shots[0].caption);
    EXPECT_EQ(document().basePicture.pixel(3, 3), qRgb(255, 255, 255));
    EXPECT_FALSE(document().modified);

    // Cancel keeps the program open and the snapshots listed.
    prompter->answers = {Answer::Cancel};
    EXPECT_FALSE(window->close());
    EXPECT_EQ(prompter->asked.back().text, msgChronicleShots(2, folder));
    EXPECT_EQ(board->chronicleMenu()->actions().size(), 3);
    // Yes deletes this run's files only.
    const QString older = folder + u"20200101-080000-001.png"_s;
    QFile(shots[0].path).copy(older);
    prompter->answers = {Answer::Yes};
    EXPECT_TRUE(window->close());
    EXPECT_EQ(QDir(folder).entryList(QDir::Files), QStringList{u"20200101-080000-001.png"_s});
    EXPECT_EQ(board->chronicleMenu()->actions().size(), 1);
}

TEST_F(BoardTest, NoChronicleQuestionWithoutSnapshotsAndUnwritableFolder) {
    write(u"blockiert"_s, "x");
    window->settings().ChronikOrdner = path(u"blockiert/chronik/"_s);
    board->shellActivated();
    choose(u"Linienweit1"_s);
    board->storeSnapshot();
    ASSERT_FALSE(prompter->asked.empty());
    EXPECT_EQ(prompter->asked.back().text, msgChronicleFolder(path(u"blockiert/chronik/"_s)));
    EXPECT_EQ(board->chronicle().count(), 0);
    prompter->order.clear();
    EXPECT_TRUE(window->close());
    EXPECT_EQ(prompter->order, QStringList({u"<Beenden>"_s}));
}

TEST_F(BoardTest, LeavingAsksForTheChronicleAndReturnsToThePreviousDocument) {
    const QString before = writeDocument(u"vorher.qvl"_s, u"Vorher"_s);
    ASSERT_TRUE(window->documents().readAsCurrent(before));
    choose(u"Linienweit1"_s);
    prompter->answers = {Answer::Yes};
    board->leaveBoard();
    EXPECT_EQ(prompter->asked.back().text, msgStoreInChronicle());
    EXPECT_EQ(board->chronicle().count(), 1);
    EXPECT_EQ(document().file, before);
    EXPECT_EQ(document().header.titel, u"Vorher"_s);
}

TEST_F(BoardTest, SavedBoardReadsBackWithItsPictureAndObjects) {
    choose(u"Linieneng201"_s);
    ObjDataTyp label;
    label.Typ = codeOf(Typ::QueryLabel);
    label.Cap = u"Wort"_s;
    label.Sx = label.Kx = 0.5;
    label.Sy = label.Ky = 0.5;
    label.AbfrageStatus = AbfrageStatus::Covered;
    document().objects.push_back(label);
    document().header.RandErw = {0.1, 0.1, 0.1, 0.1};
    view().rebuild();
    // A red stroke across the covered field: uncovering it for the picture
    // must not wipe the drawing.
    view().setColour(21);
    view().setTool(Tool::Pen);
    const QPoint centre(shown().width() / 2, shown().height() / 2);
    stroke(centre - QPoint(40, 0), centre + QPoint(40, 0));
    const auto red = [](QRgb pixel) { return qRed(pixel) > 200 && qGreen(pixel) < 80; };
    ASSERT_TRUE(red(shown().pixel(centre - QPoint(20, 0))));

    // A double quote would be taken for the quoting of several names.
    prompter->files = {path(u"tafel \"zwei\".qvl"_s)};
    window->menu().action(u"TafelanschriebalsQVLspeichern1"_s)->trigger();
    ASSERT_FALSE(prompter->asked.empty());
    EXPECT_EQ(prompter->asked.back().text, msgQuoteInFileName());
    EXPECT_TRUE(QDir(dir.path()).entryList({u"*.qvl"_s}).isEmpty());

    const QString file = path(u"tafel eins.qvl"_s);
    prompter->files = {file};
    prompter->order.clear();
    window->menu().action(u"TafelanschriebalsQVLspeichern1"_s)->trigger();
    ASSERT_FALSE(prompter->fileChoices.empty());
    EXPECT_EQ(prompter->fileChoices.back().title, u"Dokument speichern unter"_s);
    EXPECT_TRUE(prompter->fileChoices.back().fileName.isEmpty());
    EXPECT_EQ(document().objects[0].AbfrageStatus, AbfrageStatus::Covered); // covered again
    EXPECT_TRUE(prompter->order.isEmpty()) << "the folder is listed anew without a message";
    EXPECT_EQ(document().file, file);
    EXPECT_TRUE(window->windowTitle().contains(u"tafel eins"_s))
        << window->windowTitle().toStdString();
    EXPECT_TRUE(red(shown().pixel(centre - QPoint(20, 0)))) << "the drawing stays on the board";

    Document back;
    const LayoutSet layouts = buildLayoutSet();
    ASSERT_TRUE(readDocumentFile(back, file, ReadOptions{layouts}).ok);
    EXPECT_EQ(back.header.titel, u"tafel eins"_s);
    EXPECT_EQ(back.header.RandErw, PageRect());
    EXPECT_EQ(back.basePicture.size(), shown().size());
    EXPECT_TRUE(red(back.basePicture.pixel(centre - QPoint(20, 0))));
    ASSERT_EQ(back.objects.size(), 1u);
    EXPECT_EQ(back.objects[0].Cap, u"Wort"_s);
}

} // namespace

namespace {

void sendMouse(QWidget* target, QEvent::Type type, QPoint local, Qt::MouseButtons held) {
    QMouseEvent event(type, QPointF(local), QPointF(target->mapToGlobal(local)), Qt::LeftButton,
                      held, Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

void dragHandle(QWidget* handle, QPoint by) {
    const QPoint from(2, 2);
    sendMouse(handle, QEvent::MouseButtonPress, from, Qt::LeftButton);
    sendMouse(handle, QEvent::MouseMove, from + by, Qt::LeftButton);
    sendMouse(handle, QEvent::MouseButtonRelease, from + by, Qt::NoButton);
}

TEST_F(BoardTest, CoverPaneHandlesMoveTheirEdgesAndTheButtonResetsIt) {
    choose(u"LeeresBlattWeiss1"_s);
    CoverPane* pane = view().coverPane();
    QToolButton* toggle = view().toolBar().button(u"AbdeckerBtn"_s);
    toggle->click();
    const QRect full = view().view().pictureRect();
    ASSERT_TRUE(pane->isVisible());
    EXPECT_EQ(pane->geometry(), full);
    // Its picture sits in the middle of the plain pane.
    const QImage look = pane->grab().toImage();
    const QRgb plain = qRgb(199, 199, 184);
    EXPECT_EQ(look.pixel(look.width() / 4, look.height() / 4), plain);
    EXPECT_NE(look.pixel(look.width() / 2, look.height() / 2), plain);

    struct Case {
        const char16_t* handle;
        QPoint by;
        QMargins change; // added to the rectangle: left, top, right, bottom
    };
    const Case cases[] = {
        {u"AbdeckLiPan", {30, 5}, {-30, 0, 0, 0}},
        {u"AbdeckRePan", {-40, 5}, {0, 0, -40, 0}},
        {u"AbdeckObPan", {5, 25}, {0, -25, 0, 0}},
        {u"AbdeckUnPan", {5, -35}, {0, 0, 0, -35}},
        {u"AbdeckLiObPan", {10, 20}, {-10, -20, 0, 0}},
        {u"AbdeckReUnPan", {-15, -5}, {0, 0, -15, -5}},
        {u"AbdeckLiUnPan", {12, -8}, {-12, 0, 0, -8}},
        {u"AbdeckReObPan", {-6, 9}, {0, -9, -6, 0}},
    };
    for (const Case& c : cases) {
        QWidget* handle = pane->handle(QString::fromUtf16(c.handle));
        ASSERT_NE(handle, nullptr);
        dragHandle(handle, c.by);
        EXPECT_EQ(pane->geometry(), full + c.change) << QString::fromUtf16(c.handle).toStdString();
        EXPECT_TRUE(pane->moved());
        toggle->click(); // after dragging: full size again, not hidden
        ASSERT_TRUE(pane->isVisible());
        ASSERT_EQ(pane->geometry(), full);
    }
    // The body moves the whole pane.
    sendMouse(pane, QEvent::MouseButtonPress, QPoint(100, 100), Qt::LeftButton);
    sendMouse(pane, QEvent::MouseMove, QPoint(150, 80), Qt::LeftButton);
    EXPECT_EQ(pane->geometry(), full.translated(50, -20));
    toggle->click();
    EXPECT_EQ(pane->geometry(), full);
    toggle->click(); // not dragged since: hidden
    EXPECT_FALSE(pane->isVisible());
}

} // namespace

namespace {

TEST_F(BoardTest, ExportAndCopyTakeOnlyTheSelection) {
    choose(u"Kariertgro1"_s);
    const QImage whole = shown();
    view().setTool(Tool::Area);
    board->areaSelection().setSelection(AreaSelection::fromCorners({30, 40}, {130, 90}));
    const QImage part = window->viewExport().viewPicture();
    EXPECT_EQ(part.size(), QSize(100, 50));
    EXPECT_EQ(part, whole.copy(30, 40, 100, 50));
    window->viewExport().copyView();
    EXPECT_EQ(QApplication::clipboard()->image().size(), QSize(100, 50));

    board->areaSelection().pressButton(); // pressed again: cleared
    EXPECT_FALSE(board->areaSelection().selection().valid());
    EXPECT_EQ(view().tool(), Tool::Area);
    EXPECT_EQ(window->viewExport().viewPicture().size(), whole.size());
}

} // namespace

namespace {

TEST_F(BoardTest, KeyboardButtonReportsAProgramThatCannotStart) {
    const QString missing = path(u"fehlt/tastatur"_s);
    window->settings().VerknuepfungT = missing;
    board->button(u"TastaturBtn"_s)->click();
    ASSERT_FALSE(prompter->asked.empty());
    EXPECT_EQ(prompter->asked.back().kind, MessageKind::Error);
    EXPECT_EQ(prompter->asked.back().text,
              u"Die Datei \""_s + missing + u"\" kann nicht geöffnet werden."_s);
}

} // namespace

namespace {

TEST_F(BoardTest, LeavingRestoresTheQuestionOfTheDocumentBefore) {
    Document questions;
    questions.header.titel = u"Fragen"_s;
    questions.header.DokTyp = codeOf(DokTyp::SingleQuestions);
    questions.header.AnzFrageNummern = 3;
    questions.basePicture = QImage(120, 84, QImage::Format_ARGB32);
    questions.basePicture.fill(Qt::white);
    const QString file = path(u"fragen.qvl"_s);
    ASSERT_TRUE(writeDocumentFile(questions, file, true).ok);
    ASSERT_TRUE(window->documents().readAsCurrent(file));
    ASSERT_EQ(document().header.AnzFrageNummern, 3);
    view().showQuestion(2);
    ASSERT_EQ(view().state().currentQuestion, 2);

    choose(u"LeeresBlattWeiss1"_s);
    prompter->answers = {Answer::No};
    board->leaveBoard();
    EXPECT_EQ(document().file, file);
    EXPECT_EQ(view().state().currentQuestion, 2);

    view().showQuestion(99); // limited to the questions there are
    EXPECT_EQ(view().state().currentQuestion, 3);
}

} // namespace

namespace {

TEST_F(BoardTest, ChronicleButtonsFollowWhatThereIsToStoreAndToRestore) {
    QToolButton* store = board->button(u"ZuChronikBtn"_s);
    QToolButton* restore = board->button(u"VonChronikBtn"_s);
    QMenu* menu = board->chronicleMenu();
    // The start picture is no board, and there is nothing to restore yet.
    EXPECT_FALSE(store->isEnabled());
    EXPECT_FALSE(restore->isEnabled());
    board->storeSnapshot();
    EXPECT_EQ(board->chronicle().count(), 0);
    restore->click();
    EXPECT_FALSE(menu->isVisible());

    choose(u"LeeresBlattWeiss1"_s);
    EXPECT_TRUE(store->isEnabled());
    // The folder is the one the settings name now.
    window->settings().ChronikOrdner = path(u"andere chronik/"_s);
    view().setTool(Tool::Pen);
    stroke({30, 30}, {90, 30});
    store->click();
    ASSERT_EQ(board->chronicle().count(), 1);
    EXPECT_TRUE(board->chronicle().shots()[0].path.startsWith(path(u"andere chronik/"_s)));
    EXPECT_TRUE(board->storedSinceChange());
    EXPECT_TRUE(restore->isEnabled());
    restore->click();
    EXPECT_TRUE(menu->isVisible());
    EXPECT_GT(menu->height(), 0);
    menu->hide();

    // Undo changes the board: it is no longer what was stored.
    view().undo();
    EXPECT_FALSE(board->storedSinceChange());

    board->shutdownQuestionConfirmed();
    EXPECT_FALSE(restore->isEnabled());
    window->documents().showEmptyState();
    EXPECT_FALSE(store->isEnabled());
}

TEST_F(BoardTest, ReplacingADrawnBoardOffersTheChronicleFirst) {
    choose(u"LeeresBlattWeiss1"_s);
    choose(u"Linienweit1"_s); // nothing drawn: nothing to ask
    EXPECT_TRUE(prompter->asked.empty());

    view().setColour(21);
    view().setTool(Tool::Pen);
    stroke({30, 30}, {90, 30});
    prompter->answers = {Answer::Yes};
    choose(u"LeeresBlattTafelgruen1"_s);
    ASSERT_EQ(prompter->asked.size(), 1u);
    EXPECT_EQ(prompter->asked.back().text, msgStoreInChronicle());
    ASSERT_EQ(board->chronicle().count(), 1);
    QImage stored(board->chronicle().shots()[0].path);
    EXPECT_EQ(qRed(stored.pixel(60, 30)), 255) << "the drawing went into the chronicle";
    EXPECT_EQ(document().basePicture.pixel(10, 10), kBoardGreen);

    // Restoring asks the same; "Nein" stores nothing and goes on.
    stroke({30, 60}, {90, 60});
    prompter->answers = {Answer::No};
    board->restoreSnapshot(0);
    EXPECT_EQ(prompter->asked.size(), 2u);
    EXPECT_EQ(prompter->asked.back().text, msgStoreInChronicle());
    EXPECT_EQ(board->chronicle().count(), 1);
    EXPECT_EQ(document().header.titel,
              u"Tafelanschrieb "_s + board->chronicle().shots()[0].caption);
}

TEST_F(BoardTest, ColoursAreChosenInTheShellsColourDialog) {
    prompter->colours = {QColor(10, 20, 30)};
    choose(u"LeeresBlattFrei1"_s);
    ASSERT_EQ(prompter->colourOffers.size(), 1u);
    EXPECT_EQ(prompter->colourOffers.back(), QColor(Qt::white));
    EXPECT_EQ(document().basePicture.pixel(5, 5), qRgb(10, 20, 30));
    choose(u"LeeresBlattFrei1"_s); // cancelled: the sheet stays
    EXPECT_EQ(prompter->colourOffers.size(), 2u);
    EXPECT_EQ(document().basePicture.pixel(5, 5), qRgb(10, 20, 30));

    // The free-count dialog's line colour button, preset with its colour.
    prompter->colours = {QColor(200, 0, 0)};
    inDialog([this](QDialog&) {
        board->countForm()->lineButton().button()->click();
        return true;
    });
    choose(u"Linienfrei1"_s);
    EXPECT_EQ(prompter->colourOffers.back(), QColor::fromRgb(kSheetLineColour));
    EXPECT_EQ(board->countForm()->lineColour(), QColor(200, 0, 0));
    const int step =
        view().view().composer().viewArea().height() / board->freeCount(SheetKind::Ruled);
    EXPECT_EQ(document().basePicture.pixel(5, step - 1), qRgb(200, 0, 0));
}

} // namespace

namespace {

// Many school projectors show 1024 x 768: the whole tool bar with the
// blackboard's part must be in sight there, down to leaving the board.
TEST_F(BoardTest, ToolBarFitsAProjectorScreenWithoutScrolling) {
    window->resize(1024, 768);
    choose(u"LeeresBlattWeiss1"_s);
    QApplication::processEvents();
    auto* area = window->findChild<QScrollArea*>(u"WerkzeugScrollBox"_s);
    ASSERT_NE(area, nullptr);
    ASSERT_LE(window->height(), 768);
    EXPECT_FALSE(area->verticalScrollBar()->isVisible());
    QToolButton* leave = board->button(u"BlattVerlassenPan"_s);
    ASSERT_TRUE(leave->isVisible());
    const QPoint bottom = leave->mapTo(area->viewport(), QPoint(0, leave->height()));
    EXPECT_LE(bottom.y(), area->viewport()->height());
    EXPECT_EQ(area->verticalScrollBar()->value(), 0);
}

} // namespace
